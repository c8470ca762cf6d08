// The save dialogs, driven as a user would: the chosen filter gives the format and the suffix.
#include "app/save_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/table_saver.h"

namespace brevano {
namespace {

// Once the file dialog shows, picks the filter at `filterIndex` with the keyboard, types `name`
// and presses Enter.
void AnswerFileDialog(const QString& folder, int filterIndex, const QString& name) {
  QTimer::singleShot(0, [=] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return AnswerFileDialog(folder, filterIndex, name);
    dialog->setDirectory(folder);
    auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
    while (types->currentIndex() != filterIndex)
      QTest::keyClick(types, types->currentIndex() < filterIndex ? Qt::Key_Down : Qt::Key_Up);
    auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
    edit->setText(name);
    QTest::keyClick(edit, Qt::Key_Return);
  });
}

}  // namespace

class SaveDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

  void tableFilterGivesFormatAndSuffix_data() {
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<int>("format");
    QTest::newRow("TSV") << 0 << "t"
                         << "t.tsv" << int(TableFormat::kTsv);
    QTest::newRow("CSV") << 1 << "t"
                         << "t.csv" << int(TableFormat::kCsv);
    QTest::newRow("LaTeX") << 3 << "t"
                           << "t.tex" << int(TableFormat::kLatex);
    QTest::newRow("own suffix kept") << 2 << "notes.txt"
                                     << "notes.txt" << int(TableFormat::kMarkdown);
  }
  void tableFilterGivesFormatAndSuffix() {
    QFETCH(int, filter);
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QFETCH(int, format);
    QTemporaryDir dir;
    AnswerFileDialog(dir.path(), filter, typed);
    const std::optional<TableSaveTarget> target = AskTableSaveTarget(nullptr);
    QVERIFY(target.has_value());
    QCOMPARE(target->path, dir.filePath(saved));
    QCOMPARE(int(target->format), format);
  }

  void reportGetsTxt() {
    QTemporaryDir dir;
    AnswerFileDialog(dir.path(), 0, "analysis");
    QCOMPARE(AskReportSavePath(nullptr), std::optional(dir.filePath("analysis.txt")));
  }
};

}  // namespace brevano

QTEST_MAIN(brevano::SaveDialogsTest)
#include "save_dialogs_test.moc"

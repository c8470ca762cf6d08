// Saving from the window: the file dialogs, the table view's save with progress and Cancel, and the
// analysis report's "Save…".
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>
#include <cstring>
#include <memory>
#include <tuple>

#include "app/analysis_dialog.h"
#include "app/frm_boolean.h"
#include "app/save_dialogs.h"
#include "app/shown_model.h"
#include "app/table_saver.h"
#include "app/truth_table_view.h"
#include "app/window_commands.h"
#include "pipeline/pipeline.h"
#include "tests/gui/window_controls.h"

namespace brevano {
namespace {

TruthTable Table(const std::string& expression, DisplayMode mode = DisplayMode::kZeroOne) {
  ExprTree tree;
  return TruthTable::Build(ProcessExpression(expression, tree), mode);
}

// a0+a1+...: `count` variables.
TruthTable SumOf(int count) {
  std::string sum = "a0";
  for (int i = 1; i < count; ++i) sum += "+a" + std::to_string(i);
  return Table(sum);
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QStringList Entries(const QTemporaryDir& dir) {
  return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// What the last file dialog offered when it opened: its folder and its filter.
QString offeredFolder, offeredFilter;

// Once the file dialog shows, picks the filter at `filterIndex` with the keyboard, types `name`
// and presses Enter; a null `folder` keeps the one the dialog offers.
void AnswerFileDialog(const QString& folder, int filterIndex, const QString& name) {
  QTimer::singleShot(0, [=] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return AnswerFileDialog(folder, filterIndex, name);
    offeredFolder = dialog->directory().absolutePath();
    offeredFilter = dialog->selectedNameFilter();
    if (!folder.isNull()) dialog->setDirectory(folder);
    auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
    while (types->currentIndex() != filterIndex)
      QTest::keyClick(types, types->currentIndex() < filterIndex ? Qt::Key_Down : Qt::Key_Up);
    auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
    edit->setText(name);
    QTest::keyClick(edit, Qt::Key_Return);
  });
}

}  // namespace

class SavingTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

  void init() {
    window_ = std::make_unique<Tfrm_bool_alg>();
    view_ = Ui(*window_).LV;
    commands_ = window_->Commands();
    commands_->SetNoticeHandler([this](const QString& text) { notices_ << text; });
    window_->show();
    notices_.clear();
  }
  void cleanup() { window_.reset(); }

  void tableFilterGivesFormatAndSuffix_data() {
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<int>("format");
    QTest::newRow("CSV") << 1 << "t"
                         << "t.csv" << int(TableFormat::kCsv);
    QTest::newRow("own suffix kept") << 2 << "notes.txt"
                                     << "notes.txt" << int(TableFormat::kMarkdown);
    QTest::newRow("typed suffix chooses") << 0 << "x.csv"
                                          << "x.csv" << int(TableFormat::kCsv);
    QTest::newRow("in any case") << 1 << "R.TEX"
                                 << "R.TEX" << int(TableFormat::kLatex);
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
    // The next dialog starts in that folder, with the filter of the format saved.
    AnswerFileDialog(QString(), 0, "again");
    QVERIFY(AskTableSaveTarget(nullptr).has_value());
    QCOMPARE(offeredFolder, QDir(dir.path()).absolutePath());
    QCOMPARE(FormatOfSaveFilter(offeredFilter), std::optional<TableFormat>(TableFormat(format)));
  }

  // A picture takes the typed suffix's format; a name without one gets the filter's suffix.
  void pictureSuffixes() {
    QTemporaryDir dir;
    const std::tuple<bool, const char*, const char*, bool> cases[] = {
        {false, "kmap4_pos", "kmap4_pos.png", false},
        {false, "map.svg", "map.svg", true},
        {true, "m.PNG", "m.PNG", false}};
    for (const auto& [svgFirst, typed, saved, svg] : cases) {
      AnswerFileDialog(dir.path(), svgFirst ? 0 : 1, typed);
      bool chosenSvg = svgFirst;
      const std::optional<QString> path = AskPictureSavePath(nullptr, "Save", QString(), chosenSvg);
      QCOMPARE(path, std::optional<QString>(dir.filePath(saved)));
      QCOMPARE(chosenSvg, svg);
    }
  }

  // Ctrl+S works while the focus is elsewhere in the window, and writes the chosen format.
  void ctrlSSavesTheShownTable() {
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    ShowTable(Table("not(a)*b", DisplayMode::kFalseTrue));
    Ui(*window_).eIN->setFocus();
    QSignalSpy finished(commands_, &WindowCommands::saveFinished);
    QTemporaryDir dir;
    AnswerFileDialog(dir.path(), 2, "nor");
    QTest::keyClick(Ui(*window_).eIN, Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(ReadAll(dir.filePath("nor.md")),
             QByteArray("| A | B | Result |\n|---|---|---|\n| F | F | F |\n| F | T | T |\n| T | F | F |\n"
                        "| T | T | F |\n"));
  }

  void longSaveShowsProgressAndCancelKeepsTheFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("kept.tsv");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old\n") == 4);
    old.close();
    ShowTable(SumOf(26));  // 3.6 GB of text: many seconds
    QSignalSpy finished(commands_, &WindowCommands::saveFinished);
    commands_->SaveTable(path, TableFormat::kTsv);
    QVERIFY(commands_->SaveRunning());
    QTRY_VERIFY(view_->findChild<QProgressDialog*>() && view_->findChild<QProgressDialog*>()->isVisible());
    QVERIFY(commands_->SaveRunning());
    QTest::mouseClick(view_->findChild<QProgressDialog*>()->findChild<QPushButton*>(), Qt::LeftButton);
    QVERIFY(!commands_->SaveRunning());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(ReadAll(path), QByteArray("old\n"));
    QCOMPARE(Entries(dir), QStringList{"kept.tsv"});
    QVERIFY(notices_.isEmpty());
  }

  void refusalsAndErrorsAreNotices() {
    QTemporaryDir dir;
    QSignalSpy finished(commands_, &WindowCommands::saveFinished);
    ShowTable(SumOf(50));
    commands_->SaveTable(dir.filePath("huge.tsv"), TableFormat::kTsv);
    QVERIFY(!commands_->SaveRunning());
    QCOMPARE(notices_.size(), 1);
    QVERIFY2(notices_.last().contains("free"), qPrintable(notices_.last()));

    ShowTable(Table("a"));
    commands_->SaveTable(dir.filePath("missing/a.tsv"), TableFormat::kTsv);
    QTRY_COMPARE(finished.count(), 2);
    QCOMPARE(notices_.size(), 2);
    QVERIFY2(notices_.last().contains(QString::fromLocal8Bit(std::strerror(ENOENT))),
             qPrintable(notices_.last()));
    QVERIFY(Entries(dir).isEmpty());
  }

  void analysisReportIsSaved() {
    AnalysisDialog dialog(Table("a*b"));
    QTRY_VERIFY(!dialog.Running());
    QPushButton* save = nullptr;
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
      if (button->text() == QString::fromUtf8("Save\u2026")) save = button;
    }
    QVERIFY(save && save->isEnabled());
    QTemporaryDir dir;
    AnswerFileDialog(dir.path(), 0, "analysis");
    save->click();
    QCOMPARE(ReadAll(dir.filePath("analysis.txt")), dialog.ReportText().toUtf8());
  }

 private:
  // Shows `table` as the window's function, which the view and the commands follow.
  void ShowTable(TruthTable table) { window_->Model()->ShowTyped(QString(), std::move(table)); }

  std::unique_ptr<Tfrm_bool_alg> window_;
  TruthTableView* view_ = nullptr;
  WindowCommands* commands_ = nullptr;
  QStringList notices_;
};

}  // namespace brevano

QTEST_MAIN(brevano::SavingTest)
#include "saving_test.moc"

// The window's lesser commands: access keys, undo, settings kept across runs, recent files, a dropped
// file, the truth values switched in place, long captions, the Result column of a row gone to, help in
// every window, printing to PDF, and one analysis window at a time.
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>
#include <QtTest>
#include <algorithm>
#include <set>

#include "app/analysis_dialog.h"
#include "app/circuit_dialog.h"
#include "app/frm_boolean.h"
#include "app/help_dialog.h"
#include "app/kmap_dialog.h"
#include "app/truth_table_view.h"
#include "app/window_commands.h"
#include "app/window_settings.h"
#include "tests/gui/window_controls.h"

namespace brevano {
namespace {

class QuietWindow : public Tfrm_bool_alg {
 public:
  QStringList errors;
  QStringList comparisons;

 protected:
  void ShowError(const QString& message) override { errors << message; }
  void ShowComparison(const QString& text, std::optional<std::uint64_t>) override { comparisons << text; }
};

void Tabulate(Tfrm_bool_alg& window, const QString& text) {
  Ui(window).eIN->setText(text);
  window.Button1Click();
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& text) {
  QFile file(dir.filePath(name));
  if (!file.open(QIODevice::WriteOnly)) return {};
  file.write(text);
  return file.fileName();
}

// A PDF of at least one page was written to `path`.
bool IsPdf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) && file.size() > 500 && file.read(5) == "%PDF-";
}

}  // namespace

class WindowExtrasTest : public QObject {
  Q_OBJECT

 private slots:
  // Every test keeps its settings in a file of its own, never the user's.
  void init() {
    QVERIFY(settingsDir_.isValid());
    QFile::remove(settingsDir_.filePath("settings.ini"));
    UseSettingsFile(settingsDir_.filePath("settings.ini"));
  }
  void cleanup() { UseSettingsFile({}); }

  // Each item of every menu has an access key of its own within its menu.
  void everyMenuItemHasAnAccessKey() {
    Tfrm_bool_alg window;
    for (QAction* menu : window.menuBar()->actions()) {
      std::set<QChar> keys;
      for (QAction* item : menu->menu()->actions()) {
        if (item->isSeparator()) continue;
        const QString text = item->text();
        const qsizetype mark = text.indexOf(QLatin1Char('&'));
        QVERIFY2(mark >= 0 && mark + 1 < text.size(), qPrintable(menu->text() + " " + text));
        QVERIFY2(keys.insert(text.at(mark + 1).toLower()).second, qPrintable(menu->text() + " " + text));
      }
    }
    for (const char* tool : {"Karnaugh map\u2026", "Circuit\u2026", "Compare with\u2026"})
      QVERIFY2(!window.Commands()->Action(QString::fromUtf8(tool))->shortcuts().isEmpty(), tool);
  }

  // Edit > Undo and Redo act on the edit box, from anywhere in the window.
  void undoAndRedoOfTheEditBox() {
    Tfrm_bool_alg window;
    QAction* undo = window.Commands()->Action(QStringLiteral("Undo"));
    QAction* redo = window.Commands()->Action(QStringLiteral("Redo"));
    QVERIFY(undo && redo);
    Ui(window).eIN->setText(QStringLiteral("a"));
    QTest::keyClicks(Ui(window).eIN, QStringLiteral("*b"));
    window.Commands()->UpdateStates();
    QVERIFY(undo->isEnabled());
    undo->trigger();
    QVERIFY(Ui(window).eIN->text() != QStringLiteral("a*b"));
    window.Commands()->UpdateStates();
    QVERIFY(redo->isEnabled());
    redo->trigger();
    QCOMPARE(Ui(window).eIN->text(), QStringLiteral("a*b"));
  }

  // The history, the folder last used and the files opened are there after a restart.
  void settingsAreKeptAcrossRuns() {
    QTemporaryDir files;
    const QString pla = WriteFile(files, "f.pla", ".i 2\n.o 1\n11 1\n.e\n");
    {
      QuietWindow window;
      Tabulate(window, QStringLiteral("a+b"));
      Tabulate(window, QStringLiteral("a*c"));
      window.OpenFunctionFile(pla);
      QTRY_VERIFY_WITH_TIMEOUT(window.Analysis() != nullptr, 10000);
      SaveFolder(files.path());
    }
    Settings()->sync();
    UseSettingsFile(settingsDir_.filePath("settings.ini"));  // as a new run reads it
    QuietWindow window;
    const std::vector<std::string> entries = window.History().Entries();
    QVERIFY(entries.size() >= 3);
    QCOMPARE(entries[0], std::string("a+b"));
    QCOMPARE(entries[1], std::string("a*c"));
    QCOMPARE(SavedFolder(), files.path());
    QCOMPARE(RecentFiles(), QStringList{pla});
    Ui(window).eIN->clear();
    QTest::keyClick(Ui(window).eIN, Qt::Key_Up);
    QCOMPARE(Ui(window).eIN->text().toStdString(), entries.back());

    // File > Open Recent lists it and opens it.
    QMenu* recent = window.Commands()->RecentMenu();
    window.Commands()->FillRecent();
    QCOMPARE(recent->actions().size(), 1);
    QVERIFY(recent->actions()[0]->text().endsWith(QStringLiteral("f.pla")));
    recent->actions()[0]->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(window.Analysis() != nullptr, 10000);
    QCOMPARE(window.errors, QStringList());

    // A file gone is no longer offered; without settings nothing is kept.
    QFile::remove(pla);
    QCOMPARE(RecentFiles(), QStringList());
    UseSettingsFile({});
    QCOMPARE(SavedHistory(), std::vector<std::string>());
  }

  // A PLA file dropped on the window is opened; other drops are refused.
  void aDroppedFileIsOpened() {
    QTemporaryDir files;
    const QString pla = WriteFile(files, "d.pla", ".i 3\n.o 1\n1-1 1\n.e\n");
    QuietWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QMimeData text;
    text.setText(QStringLiteral("a+b"));
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &refused);
    QVERIFY(!refused.isAccepted());
    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(pla)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &file, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &file, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    QTRY_VERIFY_WITH_TIMEOUT(window.Analysis() != nullptr, 10000);
    QCOMPARE(window.errors, QStringList());
    QCOMPARE(window.ShownText(), QStringLiteral("A*C"));
  }

  // F \ T and 0 \ 1 rewrite the table shown at once, keeping its place and selection.
  void truthValuesSwitchInPlace() {
    Tfrm_bool_alg window;
    Tabulate(window, QStringLiteral("a*b"));
    Ui(window).LV->SelectRow(3);
    Ui(window).r1->click();
    QCOMPARE(Ui(window).LV->Table()->RowTexts(3), (std::vector<std::string>{"T", "T", "T"}));
    QCOMPARE(Ui(window).LV->CurrentRow(), std::optional<std::uint64_t>(3));
    Ui(window).r2->click();
    QCOMPARE(Ui(window).LV->Table()->RowTexts(2), (std::vector<std::string>{"1", "0", "0"}));
  }

  // Long names that differ only at their ends stay apart in the header; the tooltip has the name.
  void longCaptionsStayApart_data() {
    QTest::addColumn<QString>("expression");
    QTest::newRow("ends differ") << "dmpst0*dmpst1+dmpst2*dmpst3";
    QTest::newRow("starts differ") << "adressline+bdressline";
    QTest::newRow("middles differ") << "longname_a_end+longname_b_end";
  }
  void longCaptionsStayApart() {
    QFETCH(QString, expression);
    Tfrm_bool_alg window;
    Tabulate(window, expression);
    const QAbstractItemModel* model = Ui(window).LV->Header()->model();
    QStringList shown;
    for (int c = 0; c < model->columnCount(); ++c) {
      shown << model->headerData(c, Qt::Horizontal).toString();
      QCOMPARE(model->headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString(),
               QString::fromStdString(Ui(window).LV->Table()->Captions()[c]));
    }
    QCOMPARE(QSet<QString>(shown.begin(), shown.end()).size(), shown.size());
  }

  // Beyond the view's width, a row gone to by F3 or F4 shows its Result.
  void aRowGoneToShowsItsResult() {
    Tfrm_bool_alg window;
    window.Commands()->SetNoticeHandler([](const QString&) {});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStringList names;
    for (int i = 0; i < 24; ++i) names << QStringLiteral("v%1").arg(i);
    Tabulate(window, names.join(QLatin1Char('*')));
    QScrollBar* bar = Ui(window).LV->horizontalScrollBar();
    QVERIFY(bar->maximum() > 0);
    bar->setValue(0);
    window.Commands()->Action(QStringLiteral("Next row where Result is 1"))->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(Ui(window).LV->CurrentRow().has_value(), 10000);
    QCOMPARE(bar->value(), bar->maximum());
  }

  // F1 in the analysis, the map and the circuit opens their own help page.
  void f1InEachWindowOpensItsPage_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("title");
    QTest::newRow("analysis") << 0 << "Analysis";
    QTest::newRow("map") << 1 << "Karnaugh map";
    QTest::newRow("circuit") << 2 << "Circuit";
  }
  void f1InEachWindowOpensItsPage() {
    QFETCH(int, which);
    QFETCH(QString, title);
    Tfrm_bool_alg window;
    Tabulate(window, QStringLiteral("a*b+c"));
    QDialog* dialog = which == 0   ? static_cast<QDialog*>(window.OpenAnalysis())
                      : which == 1 ? static_cast<QDialog*>(window.OpenKmap())
                                   : static_cast<QDialog*>(window.OpenCircuit());
    QVERIFY(dialog);
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QTest::keyClick(dialog, Qt::Key_F1);
    auto* help = dialog->findChild<HelpDialog*>();
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->windowTitle(), title);
    QVERIFY(help->Browser()->toPlainText().startsWith(title));
  }

  // The table, the map and the circuit print to PDF; a table too long to print says so.
  void printsToPdf() {
    QTemporaryDir out;
    Tfrm_bool_alg window;
    Tabulate(window, QStringLiteral("a*b+not(c)"));
    const auto print = [&out](const QString& name, const std::function<bool(QPrinter&, QString&)>& how) {
      QPrinter printer(QPrinter::HighResolution);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(out.filePath(name));
      QString error;
      return how(printer, error) && IsPdf(out.filePath(name));
    };
    QVERIFY(print("table.pdf", [&](QPrinter& p, QString& e) { return window.Commands()->PrintTable(p, e); }));
    KmapDialog* map = window.OpenKmap();
    QVERIFY(print("map.pdf", [&](QPrinter& p, QString& e) { return map->Print(p, e); }));
    CircuitDialog* circuit = window.OpenCircuit();
    QVERIFY(print("circuit.pdf", [&](QPrinter& p, QString& e) { return circuit->Print(p, e); }));
    Tabulate(window, QStringLiteral("a*b*c*d*e*f*g*h*i*j*k*l*m*n"));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(out.filePath("long.pdf"));
    QString error;
    QVERIFY(!window.Commands()->PrintTable(printer, error));
    QVERIFY2(error.contains(QStringLiteral("too many")), qPrintable(error));
    QVERIFY(!QFile::exists(out.filePath("long.pdf")));
  }

  // With don't-cares the second page says once why its properties are left out, instead of on every line.
  void propertiesWithDontCaresAreLeftOutOnce() {
    Tfrm_bool_alg window;
    Tabulate(window, QStringLiteral("a*b+c"));
    AnalysisDialog* dialog = window.OpenAnalysis(QStringLiteral("a*not(b)"));
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->Running(), 10000);
    QCOMPARE(dialog->FieldText("Depends on:"), QStringLiteral("not computed: with don't-cares (see above)"));
    QVERIFY(!dialog->FieldText("NAND form:").startsWith(QStringLiteral("not computed")));
    dialog->show();
    dialog->findChild<QTabWidget*>()->setCurrentIndex(1);
    const QList<QLabel*> labels = dialog->findChildren<QLabel*>();
    QCOMPARE(std::count_if(labels.begin(), labels.end(),
                           [](const QLabel* label) { return label->text().startsWith("With don't-cares"); }),
             1);
  }

  // Two long expressions that start alike are quoted apart in a comparison.
  void longComparedExpressionsReadApart() {
    QuietWindow window;
    QStringList names;
    for (int i = 1; i <= 40; ++i) names << QStringLiteral("a%1").arg(i);
    const QString first = names.join(QLatin1Char('*'));
    Tabulate(window, first);
    window.CompareWith(names.mid(0, 39).join(QLatin1Char('*')) + QStringLiteral("+a40"));
    QTRY_COMPARE_WITH_TIMEOUT(window.comparisons.size(), 1, 30000);
    const QString text = window.comparisons[0];
    QVERIFY2(text.contains(QStringLiteral("*a40 gives")) && text.contains(QStringLiteral("+a40 gives")),
             qPrintable(text));
  }

  // Analysing another table replaces the analysis window instead of leaving one behind.
  void oneAnalysisWindowAtATime() {
    Tfrm_bool_alg window;
    Tabulate(window, QStringLiteral("a+b"));
    window.OpenAnalysis();
    Tabulate(window, QStringLiteral("a*b"));
    AnalysisDialog* second = window.OpenAnalysis();
    QCOMPARE(window.findChildren<AnalysisDialog*>().size(), 1);
    QCOMPARE(window.Analysis(), second);
    QVERIFY(!second->Stale());
  }

 private:
  QTemporaryDir settingsDir_;
};

}  // namespace brevano

QTEST_MAIN(brevano::WindowExtrasTest)
#include "window_extras_test.moc"

// The main window's frame: menus and their twins, help, the status bar, resizing, dialogs beside the window,
// the expression history, and closing during a save.
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextEdit>
#include <QtTest>
#include <set>

#include "app/analysis_dialog.h"
#include "app/frm_boolean.h"
#include "app/help_dialog.h"
#include "app/kmap_dialog.h"
#include "app/kmap_view.h"
#include "app/truth_table_view.h"
#include "app/warning_line.h"
#include "app/window_commands.h"
#include "tests/gui/window_controls.h"

namespace brevano {
namespace {

// The window answering the question asked when it is closed during a save with `answer`.
class AnsweringWindow : public Tfrm_bool_alg {
 public:
  std::optional<bool> answer;
  int asked = 0;

 protected:
  std::optional<bool> AskWaitForSave() override {
    ++asked;
    return answer;
  }
  void ShowError(const QString&) override {}
};

void Tabulate(Tfrm_bool_alg& window, const QString& text) {
  Ui(window).eIN->setText(text);
  QTest::mouseClick(Ui(window).Button1, Qt::LeftButton);
}

// The actions of every menu of the menu bar.
std::set<QAction*> MenuBarActions(Tfrm_bool_alg& window) {
  std::set<QAction*> actions;
  for (QAction* menu : window.menuBar()->actions()) {
    for (QAction* action : menu->menu()->actions()) {
      if (!action->isSeparator()) actions.insert(action);
    }
  }
  return actions;
}

// The centre of the map's cell of table row `row`.
QPoint CellCentre(const KmapDialog& dialog, std::uint64_t row) {
  for (const PictureBox& box : dialog.View()->Picture().cells) {
    if (box.key == static_cast<std::int64_t>(row))
      return dialog.View()->ToWidget(box.x + box.w / 2, box.y + box.h / 2).toPoint();
  }
  return {};
}

}  // namespace

class WindowFrameTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = std::make_unique<AnsweringWindow>();
    window_->Commands()->SetNoticeHandler([](const QString&) {});
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }
  void cleanup() { window_.reset(); }

  // Each command is one action, in one menu of the menu bar; the context menu shows the same
  // actions, so each does what its twin does, and no two share a shortcut.
  void everyCommandIsInTheMenuBar() {
    const std::set<QAction*> bar = MenuBarActions(*window_);
    QStringList titles;
    for (QAction* menu : window_->menuBar()->actions()) titles << menu->text();
    QCOMPARE(titles, (QStringList{"&File", "&Edit", "&Go", "&Tools", "&View", "&Help"}));
    std::set<QKeySequence> keys;
    for (const WindowCommand& command : window_->Commands()->Commands()) {
      if (command.text.isEmpty()) continue;
      QAction* action = window_->Commands()->Action(command.text);
      QVERIFY2(action && bar.count(action) == 1, qPrintable(command.text));
      for (const QKeySequence& key : action->shortcuts())
        QVERIFY2(keys.insert(key).second, qPrintable(command.text));
    }
    for (QAction* action : window_->Commands()->ContextMenu()->actions()) {
      QVERIFY(action->isSeparator() || bar.count(action) == 1);
    }
    QVERIFY(window_->Commands()->ContextMenu()->actions().size() >= 14);

    // From the menu bar with the focus in the edit box: the commands act on the table.
    Tabulate(*window_, QStringLiteral("a*b"));
    window_->Commands()->Action(QStringLiteral("Select all"))->trigger();
    window_->Commands()->Action(QStringLiteral("Copy"))->trigger();
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("A\tB\tResult\n0\t0\t0\n0\t1\t0\n1\t0\t0\n1\t1\t1\n"));
    Ui(*window_).LV->SelectRow(0);
    QTest::keyClick(Ui(*window_).eIN, Qt::Key_F3);
    QTRY_COMPARE(Ui(*window_).LV->CurrentRow(), std::optional<std::uint64_t>(3));
  }

  // F1 opens the reference beside the window; a clicked example lands in the edit box.
  void helpAndItsExamples() {
    QTest::keyClick(Ui(*window_).eIN, Qt::Key_F1);
    auto* help = window_->findChild<HelpDialog*>();
    QVERIFY(help && help->isVisible());
    QVERIFY(!QApplication::activeModalWidget());
    QTextBrowser* browser = help->Browser();
    for (const char* topic : {"23", "diff(", "not(...)", "ignores"})
      QVERIFY2(browser->toPlainText().contains(QLatin1String(topic)), topic);
    QVERIFY(QTest::qWaitForWindowExposed(help));
    QTextCursor example = browser->document()->find(QStringLiteral("a/b/c"));
    QVERIFY(!example.isNull());
    example.setPosition(example.selectionStart() + 2);  // inside the link
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(example).center());
    QCOMPARE(Ui(*window_).eIN->text(), QStringLiteral("a/b/c"));
    QTest::keyClick(Ui(*window_).eIN, Qt::Key_F1);  // raised again, not a second one
    QCOMPARE(window_->findChildren<HelpDialog*>().size(), 1);
  }

  void statusBarFigures() {
    QCOMPARE(window_->StatusTexts(), (QStringList{"", "", ""}));
    Tabulate(*window_, QStringLiteral("a*b+c"));
    QTRY_COMPARE(window_->StatusTexts(), (QStringList{"", "5 of 8 rows are 1", "3 variables"}));
    Ui(*window_).LV->SelectRow(6);
    QCOMPARE(window_->StatusTexts().first(), QStringLiteral("Row 6"));
    window_->Commands()->Action(QStringLiteral("Select all"))->trigger();
    QCOMPARE(window_->StatusTexts().first(), QString::fromUtf8("Row 6 \u00b7 8 rows selected"));
    QString and40 = QStringLiteral("x10");
    for (int i = 11; i < 50; ++i) and40 += QStringLiteral("*x%1").arg(i);
    Tabulate(*window_, and40);
    QTRY_COMPARE(window_->StatusTexts(),
                 (QStringList{"", "1 of 1,099,511,627,776 rows is 1", "40 variables"}));
    Tabulate(*window_, QStringLiteral("0"));
    QTRY_COMPARE(window_->StatusTexts(), (QStringList{"", "The one row is 0", "0 variables"}));

    // View > Row numbers: a first column of row numbers, which Copy leaves out.
    Tabulate(*window_, QStringLiteral("a"));
    window_->Commands()->Action(QStringLiteral("Row numbers"))->trigger();
    QVERIFY(Ui(*window_).LV->RowNumbersShown());
    QCOMPARE(Ui(*window_).LV->Header()->model()->headerData(0, Qt::Horizontal).toString(),
             QStringLiteral("Row"));
    Ui(*window_).LV->SelectRow(1);
    window_->Commands()->CopySelection();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("A\tResult\n1\t1\n"));
  }

  // Growing keeps every control where it was against its edge; the table takes the room. Below the
  // first size the table gives up height down to a few rows; below that the client area scrolls.
  void resizing() {
    QCOMPARE(window_->ClientArea()->size(), kClientSize);
    const QRect screen = window_->screen()->availableGeometry();
    QVERIFY(screen.contains(window_->frameGeometry()));
    window_->resize(window_->size() + QSize(200, 150));
    QCOMPARE(window_->ClientArea()->size(), kClientSize + QSize(200, 150));
    QCOMPARE(Ui(*window_).Button1->geometry(), QRect(8, 32, 75, 25));
    QCOMPARE(Ui(*window_).eIN->geometry(), QRect(8, 8, 481, 21));
    QCOMPARE(Ui(*window_).M->geometry(), QRect(496, 8, 113, 65));
    QCOMPARE(Ui(*window_).r1->geometry(), QRect(432, 32, 57, 17));
    QCOMPARE(Ui(*window_).r2->geometry(), QRect(432, 48, 49, 17));
    QCOMPARE(Ui(*window_).Warn->geometry(), QRect(8, 66, 481, 20));
    QCOMPARE(Ui(*window_).LV->geometry(), QRect(8, 88, 601, 559));
    // Lower than at first, the table gives up its height, down to a few rows, before anything scrolls.
    window_->resize(300, 200);
    QCOMPARE(window_->ClientArea()->size(), QSize(414, 216));
    QCOMPARE(Ui(*window_).LV->geometry(), QRect(8, 88, 401, 120));
    auto* scroll = qobject_cast<QScrollArea*>(window_->centralWidget());
    QVERIFY(scroll && scroll->verticalScrollBar()->maximum() > 0 &&
            scroll->horizontalScrollBar()->maximum() > 0);
  }

  // The analysis and the map stay open beside the window while the expression is edited and
  // tabulated; the map follows, the analysis says it is for the previous table, a cell click shows
  // its row in the table, and Enter in a dialog does not close it.
  void editingWithAnOpenAnalysisAndMap() {
    window_->move(window_->screen()->availableGeometry().topLeft());
    Tabulate(*window_, QStringLiteral("a*b"));
    AnalysisDialog* analysis = window_->OpenAnalysis();
    KmapDialog* map = window_->OpenKmap();
    QVERIFY(analysis && map);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(!analysis->frameGeometry().intersects(window_->frameGeometry()));
    QVERIFY(!map->frameGeometry().intersects(window_->frameGeometry()));
    QTest::keyClick(map, Qt::Key_Return);
    QTest::keyClick(analysis, Qt::Key_Return);
    QVERIFY(map->isVisible() && analysis->isVisible());

    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    Ui(*window_).eIN->setFocus();
    Ui(*window_).eIN->selectAll();
    QTest::keyClicks(Ui(*window_).eIN, QStringLiteral("a+b*c"));
    QTest::keyClick(Ui(*window_).eIN, Qt::Key_Return);
    QCOMPARE(Ui(*window_).LV->RowCount(), std::uint64_t{8});
    QVERIFY(analysis->Stale());
    QCOMPARE(map->TermTexts(), (QStringList{"A", "B*C"}));
    QVERIFY(QTest::qWaitForWindowExposed(map));
    QTest::mouseClick(map->View(), Qt::LeftButton, {}, CellCentre(*map, 5));
    QCOMPARE(Ui(*window_).LV->CurrentRow(), std::optional<std::uint64_t>(5));
    QVERIFY(Ui(*window_).LV->TopRow() <= 5 &&
            5 < Ui(*window_).LV->TopRow() + Ui(*window_).LV->VisibleRowCount());
  }

  // Up and Down in the edit box step through the expressions tabulated.
  void expressionHistory() {
    Tabulate(*window_, QStringLiteral("a"));
    Tabulate(*window_, QStringLiteral("b"));
    Ui(*window_).eIN->setFocus();
    Ui(*window_).eIN->clear();
    QTest::keyClicks(Ui(*window_).eIN, QStringLiteral("c+"));
    const std::pair<Qt::Key, const char*> steps[] = {
        {Qt::Key_Up, "b"}, {Qt::Key_Up, "a"}, {Qt::Key_Up, "a"}, {Qt::Key_Down, "b"}, {Qt::Key_Down, "c+"}};
    for (const auto& [key, text] : steps) {
      QTest::keyClick(Ui(*window_).eIN, key);
      QCOMPARE(Ui(*window_).eIN->text(), QString::fromLatin1(text));
    }
  }

  // Closing while a table is being saved asks: wait (the window closes once the save ends),
  // discard (the save stops and the file stays as it was), or keep the window open.
  void closingDuringASaveAsks_data() {
    QTest::addColumn<int>("answer");  // 1 wait, 0 discard, -1 keep open
    QTest::newRow("wait") << 1;
    QTest::newRow("discard") << 0;
    QTest::newRow("keep open") << -1;
  }
  void closingDuringASaveAsks() {
    QFETCH(int, answer);
    window_->answer = answer < 0 ? std::nullopt : std::optional<bool>(answer == 1);
    QString sum = QStringLiteral("a0");
    for (int i = 1; i < 26; ++i) sum += QStringLiteral("+a%1").arg(i);
    Tabulate(*window_, sum);  // 3.6 GB of text: many seconds
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.tsv"));
    window_->Commands()->SaveTable(path, TableFormat::kTsv);
    QVERIFY(window_->Commands()->SaveRunning());
    window_->close();
    QCOMPARE(window_->asked, 1);
    QCOMPARE(window_->isVisible(), answer != 0);
    QCOMPARE(window_->Commands()->SaveRunning(), answer != 0);
    if (answer == 1) {
      window_->Commands()->CancelSave();  // the save ends: the window follows
      QTRY_VERIFY(!window_->isVisible());
      QCOMPARE(window_->asked, 1);
    }
    window_->Commands()->CancelSave();
    QVERIFY(!QFile::exists(path));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
  }

 private:
  std::unique_ptr<AnsweringWindow> window_;
};

}  // namespace brevano

QTEST_MAIN(brevano::WindowFrameTest)
#include "window_frame_test.moc"

// The truth-table view in the window, with the window's commands on it: selection sets, keyboard and mouse,
// scrolling huge tables, copy, go to, search.
#include "app/truth_table_view.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "app/frm_boolean.h"
#include "app/shown_model.h"
#include "app/window_commands.h"
#include "pipeline/pipeline.h"
#include "search/ladder.h"
#include "tabulate/bit_parallel.h"
#include "tests/gui/window_controls.h"
#include "tests/support/random_listing.h"

namespace brevano {
namespace {

using Row = std::optional<std::uint64_t>;

// How long a search or a count may take on a machine busy with other builds and tests: the waits
// end as soon as the work does.
constexpr int kLoadedWait = 60000;

TruthTable Table(const std::string& expression, DisplayMode mode = DisplayMode::kZeroOne) {
  ExprTree tree;
  return TruthTable::Build(ProcessExpression(expression, tree), mode);
}

// A table of `count` variables whose result is 0 in every row: A01 * not(A01) * A02 * ... * Acount.
TruthTable NeverTrue(int count) {
  Listing listing{"* @F", "A01", "NOT @F", "A01"};
  for (int i = 2; i <= count; ++i) {
    listing.insert(listing.begin(), "* @F");
    listing.push_back((i < 10 ? "A0" : "A") + std::to_string(i));
  }
  return TruthTable::Build(listing, DisplayMode::kZeroOne);
}

// A table of 1 + `variables` variables whose result is 0 in every row and whose decision diagram is
// too large to build in any order: not(A01) * A01 * (150 random products over the others). The
// program runs the sum first.
TruthTable NeverTrueTooComplex(int variables) {
  ExprTree tree;
  const std::string text = "a01*not(a01)*(" + testing::TangledProducts(variables, 150) + ")";
  return TruthTable::Build(ProcessExpression(text, tree), DisplayMode::kZeroOne);
}

// The negation of 150 random products of four of 40 variables: too complex for a decision diagram
// in any order, and its rows with Result 1 far apart.
std::string Sparse() {
  std::mt19937_64 rng(3);
  std::string sum;
  for (int t = 0; t < 150; ++t) {
    for (int f = 0; f < 4; ++f) {
      const std::string v = "t" + std::to_string(10 + rng() % 40);
      sum += (f ? "*" : t ? "+" : "") + (rng() % 2 ? v : "not(" + v + ")");
    }
  }
  return "not(" + sum + ")";
}

// Colours equal up to the rounding of the painted image.
bool Near(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 &&
         std::abs(a.blue() - b.blue()) <= 2;
}

QAction* FindAction(const WindowCommands* commands, const QString& text) { return commands->Action(text); }

}  // namespace

class TruthTableViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = std::make_unique<Tfrm_bool_alg>();
    view_ = Ui(*window_).LV;
    commands_ = window_->Commands();
    commands_->SetNoticeHandler([this](const QString& text) { notices_ << text; });
    notices_.clear();
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    view_->setFocus();
  }
  void cleanup() { window_.reset(); }

  void rowSelection() {
    RowSelection selection;
    selection.SelectOnly(9, 5);
    QCOMPARE(selection.Count(), std::uint64_t{5});
    selection.Add(10, 12);  // touches 5..9: merged
    QCOMPARE(selection.Ranges().size(), std::size_t{1});
    selection.Toggle(7);
    QCOMPARE(selection.Count(), std::uint64_t{7});
    QVERIFY(!selection.Contains(7));
    QVERIFY(selection.Contains(6) && selection.Contains(8));
    selection.Toggle(7);
    QCOMPARE(selection.Ranges().size(), std::size_t{1});
    selection.Add(0, 20);
    QCOMPARE(selection.Count(), std::uint64_t{21});
    const std::uint64_t top = ~std::uint64_t{0};
    selection.SelectOnly(top, top - 2);
    QCOMPARE(selection.Count(), std::uint64_t{3});
    selection.Add(top - 3, top - 3);
    QCOMPARE(selection.Ranges().size(), std::size_t{1});
    QVERIFY(selection.Contains(top));
  }

  void keyboard_data() {
    QTest::addColumn<qulonglong>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<qulonglong>("current");
    QTest::addColumn<qulonglong>("firstSelected");
    QTest::addColumn<qulonglong>("selected");
    const int none = Qt::NoModifier;
    QTest::newRow("down") << 5ull << int(Qt::Key_Down) << none << 6ull << 6ull << 1ull;
    QTest::newRow("up") << 5ull << int(Qt::Key_Up) << none << 4ull << 4ull << 1ull;
    QTest::newRow("up at the first row") << 0ull << int(Qt::Key_Up) << none << 0ull << 0ull << 1ull;
    QTest::newRow("down at the last row") << 255ull << int(Qt::Key_Down) << none << 255ull << 255ull << 1ull;
    QTest::newRow("home") << 100ull << int(Qt::Key_Home) << none << 0ull << 0ull << 1ull;
    QTest::newRow("end") << 100ull << int(Qt::Key_End) << none << 255ull << 255ull << 1ull;
    QTest::newRow("shift+down") << 5ull << int(Qt::Key_Down) << int(Qt::ShiftModifier) << 6ull << 5ull
                                << 2ull;
    QTest::newRow("shift+up") << 5ull << int(Qt::Key_Up) << int(Qt::ShiftModifier) << 4ull << 4ull << 2ull;
    QTest::newRow("shift+end") << 250ull << int(Qt::Key_End) << int(Qt::ShiftModifier) << 255ull << 250ull
                               << 6ull;
    QTest::newRow("shift+home") << 3ull << int(Qt::Key_Home) << int(Qt::ShiftModifier) << 0ull << 0ull
                                << 4ull;
    QTest::newRow("ctrl+down keeps the selection")
        << 5ull << int(Qt::Key_Down) << int(Qt::ControlModifier) << 6ull << 5ull << 1ull;
  }
  void keyboard() {
    QFETCH(qulonglong, start);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(qulonglong, current);
    QFETCH(qulonglong, firstSelected);
    QFETCH(qulonglong, selected);
    ShowTable(Table("a*b+c*d+e*f+g*h"));
    view_->SelectRow(start);
    QTest::keyClick(view_, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(view_->CurrentRow(), Row(current));
    QCOMPARE(view_->Selection().Count(), std::uint64_t{selected});
    QCOMPARE(view_->Selection().Ranges().begin()->first, std::uint64_t{firstSelected});
    QVERIFY(current >= view_->TopRow() && current < view_->TopRow() + view_->VisibleRowCount());
  }

  void pageKeys() {
    ShowTable(Table("a*b+c*d+e*f+g*h"));
    const std::uint64_t page = view_->VisibleRowCount();
    QVERIFY(page > 5);
    view_->SelectRow(0);
    QTest::keyClick(view_, Qt::Key_PageDown);
    QCOMPARE(view_->CurrentRow(), Row(page - 1));
    QCOMPARE(view_->TopRow(), std::uint64_t{0});
    QTest::keyClick(view_, Qt::Key_PageDown);
    QCOMPARE(view_->CurrentRow(), Row(2 * (page - 1)));
    QCOMPARE(view_->TopRow(), 2 * (page - 1) - (page - 1));
    QTest::keyClick(view_, Qt::Key_PageUp);
    QCOMPARE(view_->CurrentRow(), Row(view_->TopRow()));
    QTest::keyClick(view_, Qt::Key_PageUp);
    QCOMPARE(view_->CurrentRow(), Row(0));
    QCOMPARE(view_->TopRow(), std::uint64_t{0});
    QTest::keyClick(view_, Qt::Key_PageDown, Qt::ShiftModifier);
    QCOMPARE(view_->Selection().Count(), page);
  }

  void mouseSelection() {
    ShowTable(Table("a*b+c*d+e*f+g*h"));
    QWidget* viewport = view_->viewport();
    const int h = view_->RowHeight();
    auto at = [h](int line) { return QPoint(20, line * h + h / 2); };
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, at(3));
    QCOMPARE(view_->CurrentRow(), Row(3));
    QCOMPARE(view_->Selection().Count(), std::uint64_t{1});
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, at(6));
    QCOMPARE(view_->CurrentRow(), Row(6));
    QCOMPARE(view_->Selection().Count(), std::uint64_t{4});
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, at(4));
    QCOMPARE(view_->Selection().Count(), std::uint64_t{3});
    QVERIFY(!view_->Selection().Contains(4));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, at(1));  // the anchor is now row 4
    QCOMPARE(view_->Selection().Count(), std::uint64_t{4});
    QVERIFY(view_->Selection().Contains(1) && !view_->Selection().Contains(5));

    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, at(2));
    QTest::mouseMove(viewport, at(5));
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, at(5));
    QCOMPARE(view_->Selection().Count(), std::uint64_t{4});
    QCOMPARE(view_->CurrentRow(), Row(5));

    ShowTable(Table("a"));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, at(1));
    QCOMPARE(view_->Selection().Count(), std::uint64_t{1});
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, at(10));  // below the last row
    QCOMPARE(view_->Selection().Count(), std::uint64_t{0});
  }

  void wheel() {
    ShowTable(Table("a*b+c*d+e*f+g*h"));
    view_->SelectRow(0);
    const QPoint inside(20, 20);
    auto turn = [&](int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
      QWheelEvent event(inside, view_->viewport()->mapToGlobal(inside), QPoint(), QPoint(0, delta),
                        Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
      QApplication::sendEvent(view_->viewport(), &event);
    };
    const std::uint64_t lines = QApplication::wheelScrollLines();
    turn(-120);
    QCOMPARE(view_->TopRow(), lines);
    turn(-60);
    turn(-60);  // two half notches make one
    QCOMPARE(view_->TopRow(), 2 * lines);
    turn(120, Qt::NoModifier);
    QCOMPARE(view_->TopRow(), lines);
    turn(-120, Qt::ControlModifier);
    QCOMPARE(view_->TopRow(), lines + view_->VisibleRowCount());
    QCOMPARE(view_->CurrentRow(), Row(0));  // the wheel scrolls, it does not move the current row
    QCOMPARE(view_->verticalScrollBar()->value(), int(view_->TopRow()));
  }

  void hugeTableScrolls() {
    ShowTable(NeverTrue(40));
    QScrollBar* bar = view_->verticalScrollBar();
    const std::uint64_t rows = std::uint64_t{1} << 40;
    const std::uint64_t maxTop = rows - view_->VisibleRowCount();
    QCOMPARE(bar->maximum(), TruthTableView::kScaledBarRange);

    QTest::keyClick(view_, Qt::Key_End);
    QCOMPARE(view_->CurrentRow(), Row(rows - 1));
    QCOMPARE(view_->TopRow(), maxTop);
    QCOMPARE(bar->value(), bar->maximum());
    QTest::keyClick(view_, Qt::Key_Up);
    QCOMPARE(view_->TopRow(), maxTop);

    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    QCOMPARE(view_->TopRow(), std::uint64_t{0});
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(view_->TopRow(), std::uint64_t{1});  // an arrow of the scrollbar moves one row, not 1024
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(view_->TopRow(), std::uint64_t{1} + view_->VisibleRowCount());

    bar->setValue(bar->maximum() / 2);  // dragging the slider
    QCOMPARE(view_->TopRow(), (maxTop + 1) / 2);
    view_->SelectRow(rows / 2);
    QVERIFY(view_->TopRow() <= rows / 2 && rows / 2 < view_->TopRow() + view_->VisibleRowCount());
    QVERIFY(!view_->grab().isNull());

    ShowTable(NeverTrue(63));
    QTest::keyClick(view_, Qt::Key_End);
    QCOMPARE(view_->CurrentRow(), Row((std::uint64_t{1} << 63) - 1));
    QCOMPARE(bar->value(), bar->maximum());
  }

  void paletteColours() {
    ShowTable(Table("a*b"));
    view_->SelectRow(1);
    const QImage image = view_->viewport()->grab().toImage();
    const int h = view_->RowHeight();
    const int x = view_->Header()->sectionPosition(2) + 30;  // blank part of the "Result" cell
    QVERIFY(
        Near(image.pixelColor(x, h + h / 2), view_->palette().color(QPalette::Active, QPalette::Highlight)));
    QVERIFY(
        Near(image.pixelColor(x, 2 * h + h / 2), view_->palette().color(QPalette::Active, QPalette::Base)));
  }

  void focusAndTabStop() {
    QVERIFY(view_->focusPolicy() & Qt::TabFocus);
    view_->clearFocus();
    ShowTable(Table("a+b"));
    QCOMPARE(view_->CurrentRow(), Row());
    view_->setFocus(Qt::TabFocusReason);
    QCOMPARE(view_->CurrentRow(), Row(0));
    QCOMPARE(view_->Selection().Count(), std::uint64_t{0});
    QTest::keyClick(view_, Qt::Key_Space);
    QCOMPARE(view_->Selection().Count(), std::uint64_t{1});
  }

  void contextMenuActions_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::newRow("copy") << "Copy" << QKeySequence(QKeySequence::Copy);
    QTest::newRow("copy table") << "Copy table" << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C);
    QTest::newRow("select all") << "Select all" << QKeySequence(QKeySequence::SelectAll);
    QTest::newRow("go to") << QString::fromUtf8("Go to row\u2026") << QKeySequence(Qt::CTRL | Qt::Key_G);
    QTest::newRow("n-th") << QString::fromUtf8("Go to the n-th row where Result is 1\u2026")
                          << QKeySequence();
    QTest::newRow("compare") << QString::fromUtf8("Compare with\u2026") << QKeySequence(Qt::Key_F8);
    QTest::newRow("next 1") << "Next row where Result is 1" << QKeySequence(Qt::Key_F3);
    QTest::newRow("next 0") << "Next row where Result is 0" << QKeySequence(Qt::Key_F4);
    QTest::newRow("previous 1") << "Previous row where Result is 1" << QKeySequence(Qt::SHIFT | Qt::Key_F3);
    QTest::newRow("previous 0") << "Previous row where Result is 0" << QKeySequence(Qt::SHIFT | Qt::Key_F4);
    QTest::newRow("save table") << QString::fromUtf8("Save table\u2026") << QKeySequence(QKeySequence::Save);
    QTest::newRow("analyse") << QString::fromUtf8("Analyse\u2026") << QKeySequence(Qt::Key_F9);
  }
  void contextMenuActions() {
    QFETCH(QString, text);
    QFETCH(QKeySequence, shortcut);
    const QAction* action = FindAction(commands_, text);
    QVERIFY(action);
    QCOMPARE(action->shortcut(), shortcut);
  }

  void copy() {
    ShowTable(Table("a*b+c"));
    view_->SelectRow(1);
    QTest::keyClick(view_, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(view_, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("A\tB\tC\tResult\n0\t0\t1\t1\n0\t1\t0\t0\n"));

    FindAction(commands_, "Copy table")->trigger();
    const QStringList lines = QApplication::clipboard()->text().split(u'\n');
    QCOMPARE(lines.size(), 10);  // captions, 8 rows, and the end of the last line
    QCOMPARE(lines.at(8), QStringLiteral("1\t1\t1\t1"));
    QVERIFY(notices_.isEmpty());

    ShowTable(Table("a*b+c", DisplayMode::kFalseTrue));
    view_->SelectRow(7);
    FindAction(commands_, "Copy")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("A\tB\tC\tResult\nT\tT\tT\tT\n"));
  }

  void copyEscapesTabsInCaptions() {
    // A tab in a variable name would make four header fields over three columns.
    ShowTable(Table("a\tb+c"));
    view_->SelectRow(1);
    FindAction(commands_, "Copy")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("A\\tB\tC\tResult\n0\t1\t1\n"));
  }
  void copyRefusesHugeTables() {
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    ShowTable(NeverTrue(20));  // 1,048,576 rows
    FindAction(commands_, "Copy table")->trigger();
    QCOMPARE(notices_.size(), 1);
    QVERIFY2(notices_.first().contains(QStringLiteral("Copy table")), qPrintable(notices_.first()));
    QTest::keyClick(view_, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(view_->Selection().Count(), std::uint64_t{1} << 20);
    QTest::keyClick(view_, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(notices_.size(), 2);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));

    ShowTable(NeverTrue(19));  // 524,288 rows: copied
    FindAction(commands_, "Copy table")->trigger();
    QCOMPARE(QApplication::clipboard()->text().count(u'\n'), 524'289);
  }

  void goTo_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qlonglong>("row");  // -1: refused
    QTest::newRow("index") << "a*b+c"
                           << "5" << 5ll;
    QTest::newRow("index with blanks") << "a*b+c"
                                       << " 7 " << 7ll;
    QTest::newRow("index past the end") << "a*b+c"
                                        << "8" << -1ll;
    QTest::newRow("index beyond 64 bits") << "a*b+c"
                                          << "99999999999999999999999" << -1ll;
    QTest::newRow("assignment") << "a*b+c"
                                << "A=1 B=0 C=1" << 5ll;
    QTest::newRow("unnamed are 0") << "a*b+c"
                                   << "c=1" << 1ll;
    QTest::newRow("commas") << "a*b+c"
                            << "A=1,B=1" << 6ll;
    QTest::newRow("F and T") << "a*b+c"
                             << "a = T; b = f" << 4ll;
    QTest::newRow("last value wins") << "a*b+c"
                                     << "A=1 A=0 B=1" << 2ll;
    QTest::newRow("unknown variable") << "a*b+c"
                                      << "D=1" << -1ll;
    QTest::newRow("not a truth value") << "a*b+c"
                                       << "A=2" << -1ll;
    QTest::newRow("missing value") << "a*b+c"
                                   << "A=" << -1ll;
    QTest::newRow("missing name") << "a*b+c"
                                  << "=1" << -1ll;
    QTest::newRow("no assignment") << "a*b+c"
                                   << "A" << -1ll;
    QTest::newRow("empty") << "a*b+c"
                           << "" << -1ll;
    QTest::newRow("indexed name") << "m[x]"
                                  << "M @A=1" << 2ll;
    QTest::newRow("row of 40 variables")
        << "a01*a40+a02*a03*a04*a05*a06*a07*a08*a09*a10*a11*a12*a13*a14*a15*a16*"
           "a17*a18*a19*a20*a21*a22*a23*a24*a25*a26*a27*a28*a29*a30*a31*a32*a33*"
           "a34*a35*a36*a37*a38*a39"
        << "a01=1" << (1ll << 39);
  }
  void goTo() {
    QFETCH(QString, expression);
    QFETCH(QString, text);
    QFETCH(qlonglong, row);
    ShowTable(Table(expression.toStdString()));
    view_->SelectRow(3 % view_->RowCount());
    const std::optional<QString> error = commands_->GoTo(text);
    if (row < 0) {
      QVERIFY(error && !error->isEmpty());
      QCOMPARE(view_->CurrentRow(), Row(3 % view_->RowCount()));
    } else {
      QVERIFY2(!error, error ? qPrintable(*error) : "");
      QCOMPARE(view_->CurrentRow(), Row(row));
      QCOMPARE(view_->Selection().Count(), std::uint64_t{1});
      QVERIFY(view_->TopRow() <= std::uint64_t(row) &&
              std::uint64_t(row) < view_->TopRow() + view_->VisibleRowCount());
    }
  }

  void goToDialog() {
    ShowTable(Table("a*b+c"));
    QTimer::singleShot(0, this, [] {
      if (auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
        dialog->setTextValue(QStringLiteral("B=1 C=1"));
        dialog->accept();
      }
    });
    QTest::keyClick(view_, Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(view_->CurrentRow(), Row(3));
  }

  // The n-th row where Result is 1, n up to the count of such rows: a bad entry is asked again
  // with that count, digits may be grouped.
  void nthRowDialog() {
    ShowTable(Table("a+b+c+d+e+f+g+h+i+j+k"));  // every row but row 0 has Result 1
    QTRY_VERIFY_WITH_TIMEOUT(commands_->OnesCount().has_value(), kLoadedWait);
    QStringList answers{"0", "2,048", "1,024"};
    std::function<void()> answer = [&] {
      if (auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
        dialog->setTextValue(answers.takeFirst());
        dialog->accept();
      }
      if (!answers.isEmpty()) QTimer::singleShot(0, this, answer);
    };
    QTimer::singleShot(0, this, answer);
    FindAction(commands_, QString::fromUtf8("Go to the n-th row where Result is 1\u2026"))->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!commands_->SearchRunning(), kLoadedWait);
    const QString refusal = QStringLiteral("2,047 rows have Result 1: type a whole number from 1 to 2,047.");
    QCOMPARE(notices_, QStringList({refusal, refusal}));
    QCOMPARE(view_->CurrentRow(), Row(1024));
    ShowTable(Table("a*not(a)"));
    QTRY_VERIFY_WITH_TIMEOUT(commands_->OnesCount().has_value(), kLoadedWait);
    FindAction(commands_, QString::fromUtf8("Go to the n-th row where Result is 1\u2026"))->trigger();
    QCOMPARE(notices_.last(), QStringLiteral("No row has Result 1."));
  }

  // A bad entry is reported, then asked for again with the text as typed.
  void goToDialogKeepsABadEntry() {
    ShowTable(Table("a*b+c"));
    QStringList offered;
    std::function<void()> answer = [&] {
      auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      if (!dialog) return QTimer::singleShot(10, this, answer);
      offered << dialog->textValue();
      if (offered.size() == 1) {
        dialog->setTextValue(QStringLiteral("1,234"));
        dialog->accept();
        QTimer::singleShot(10, this, answer);
      } else {
        dialog->reject();
      }
    };
    QTimer::singleShot(0, this, answer);
    commands_->AskGoTo();
    QCOMPARE(offered, (QStringList{"", "1,234"}));
    QCOMPARE(notices_.size(), 1);
    QVERIFY2(notices_.first().startsWith("There is no row 1,234"), qPrintable(notices_.first()));
  }

  void shiftF10OpensTheContextMenu() {
    ShowTable(Table("a+b"));
    bool shown = false;
    QTimer::singleShot(0, this, [&shown] {
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        shown = true;
        menu->close();
      }
    });
    QTest::keyClick(view_, Qt::Key_F10, Qt::ShiftModifier);
    QVERIFY(shown);
  }

  void captionsThatDoNotFitAreElided() {
    ShowTable(Table("longvariablename+b"));
    const QAbstractItemModel* model = view_->Header()->model();
    // Cut in the middle: both ends show.
    const QString shown = model->headerData(1, Qt::Horizontal).toString();
    QVERIFY2(shown.startsWith(QLatin1Char('L')) && shown.contains(QChar(0x2026)) &&
                 shown.endsWith(QLatin1Char('E')),
             qPrintable(shown));
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("B"));
    view_->Header()->resizeSection(1, 400);  // widened by hand: the whole name shows
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("LONGVARIABLENAME"));
    QCOMPARE(model->headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(),
             QStringLiteral("LONGVARIABLENAME"));
  }

  void search() {
    ShowTable(Table("a*b"));  // results 0 0 0 1
    QSignalSpy finished(commands_, &WindowCommands::searchFinished);
    view_->SelectRow(0);
    QTest::keyClick(view_, Qt::Key_F3);
    Settle();
    QCOMPARE(view_->CurrentRow(), Row(3));
    QCOMPARE(finished.count(), 1);
    QTest::keyClick(view_, Qt::Key_F4, Qt::ShiftModifier);
    Settle();
    QCOMPARE(view_->CurrentRow(), Row(2));
    FindAction(commands_, "Next row where Result is 0")->trigger();
    Settle();
    QCOMPARE(view_->CurrentRow(), Row(2));
    QCOMPARE(notices_, QStringList{"No row after the current row has Result 0."});
    FindAction(commands_, "Previous row where Result is 1")->trigger();
    Settle();
    QCOMPARE(notices_.last(), QStringLiteral("No row before the current row has Result 1."));
    view_->SelectRow(3);
    FindAction(commands_, "Next row where Result is 1")->trigger();
    Settle();
    QCOMPARE(notices_.size(), 3);
    QCOMPARE(view_->CurrentRow(), Row(3));

    ShowTable(
        Table("a01*a02*a03*a04*a05*a06*a07*a08*a09*a10*a11*a12*a13*a14*a15*a16*a17*a18*a19*a20*a21*a22*"
              "a23*a24"));
    view_->SelectRow(5);
    FindAction(commands_, "Next row where Result is 1")->trigger();
    Settle();
    QCOMPARE(view_->CurrentRow(), Row((std::uint64_t{1} << 24) - 1));
    FindAction(commands_, "Previous row where Result is 0")->trigger();
    Settle();
    QCOMPARE(view_->CurrentRow(), Row((std::uint64_t{1} << 24) - 2));
  }

  // F3 on a 40-variable AND: from the decision diagram, at once, without a progress dialog.
  void searchesOfLargeTablesAnswerFromTheDiagram() {
    std::string and40 = "x10";
    for (int i = 11; i < 50; ++i) and40 += "*x" + std::to_string(i);
    ShowTable(Table(and40));
    const std::uint64_t last = (std::uint64_t{1} << 40) - 1;
    view_->SelectRow(0);
    QTest::keyClick(view_, Qt::Key_F3);
    QTRY_VERIFY_WITH_TIMEOUT(!commands_->SearchRunning(), kLoadedWait);
    QCOMPARE(view_->CurrentRow(), Row(last));
    QVERIFY(!view_->findChild<QProgressDialog*>());
    QTest::keyClick(view_, Qt::Key_F4, Qt::ShiftModifier);
    QTRY_VERIFY_WITH_TIMEOUT(!commands_->SearchRunning(), kLoadedWait);
    QCOMPARE(view_->CurrentRow(), Row(last - 1));
    commands_->FindNth(0, last - 1);
    QTRY_VERIFY_WITH_TIMEOUT(!commands_->SearchRunning(), kLoadedWait);
    QCOMPARE(view_->CurrentRow(), Row(last - 2));
    commands_->FindNth(1, 2);
    QTRY_VERIFY_WITH_TIMEOUT(!commands_->SearchRunning(), kLoadedWait);
    QCOMPARE(notices_, QStringList{"Only 1 row has Result 1."});
  }

  // F3 and Shift+F3 on a function too complex for its diagram land where a scan of the rows says;
  // with no time at all a search asks whether to go on, and going on lands there too.
  void searchesBeyondTheDiagram() {
    const TruthTable table = Table(Sparse());
    const std::optional<std::uint64_t> first = FindNextRow(table.Program(), 1, 1).row;
    QVERIFY(first && *first > kQuickScanRows);
    ShowTable(table);
    view_->SelectRow(0);
    QTest::keyClick(view_, Qt::Key_F3);
    Settle();
    QCOMPARE(view_->CurrentRow(), first);
    QTest::keyClick(view_, Qt::Key_F3, Qt::ShiftModifier);
    Settle();
    QCOMPARE(notices_, QStringList{"No row before the current row has Result 1."});

    const SearchLimits normal = commands_->Limits();
    SearchLimits none = normal;
    none.solverTime = std::chrono::milliseconds(0);
    none.diagram.maxNodes = 1000;
    commands_->SetLimits(none);
    QStringList questions;
    commands_->SetGoOnHandler([&](const QString& question) {
      questions << question;
      commands_->SetLimits(normal);
      return true;
    });
    view_->SelectRow(0);
    QTest::keyClick(view_, Qt::Key_F3);
    Settle();
    QCOMPARE(view_->CurrentRow(), first);
    QCOMPARE(questions.size(), 1);
    QVERIFY2(questions[0].startsWith(QStringLiteral("No row found within 0 s")), qPrintable(questions[0]));
  }

  void longSearchShowsProgressAndCancels() {
    // The n-th row of a table too complex for its diagram goes through the rows.
    ShowTable(NeverTrueTooComplex(40));
    view_->SelectRow(10);
    QSignalSpy finished(commands_, &WindowCommands::searchFinished);
    commands_->FindNth(1, 5);
    QVERIFY(commands_->SearchRunning());
    bool ticked = false;
    QTimer::singleShot(50, this, [&ticked] { ticked = true; });
    QTRY_VERIFY(view_->findChild<QProgressDialog*>() && view_->findChild<QProgressDialog*>()->isVisible());
    // The event loop keeps running. On a loaded machine the dialog can be shown on the first pass of
    // the loop, before the timer is due, so wait for the tick rather than expect it already.
    QTRY_VERIFY(ticked);
    QVERIFY(commands_->SearchRunning());
    QTest::mouseClick(view_->findChild<QProgressDialog*>()->findChild<QPushButton*>(), Qt::LeftButton);
    QVERIFY(!commands_->SearchRunning());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(view_->CurrentRow(), Row(10));
    QVERIFY(notices_.isEmpty());

    view_->SelectRow((std::uint64_t{1} << 40) - 1);
    commands_->FindNth(1, 7);
    QVERIFY(commands_->SearchRunning());
    ShowTable(Table("a"));  // a new table ends the search
    QVERIFY(!commands_->SearchRunning());
    QCOMPARE(view_->CurrentRow(), Row());
  }

 private:
  // Waits for the search to end, and for the window to be active again where its progress dialog
  // showed (on a loaded machine a search can outlast the wait at its start): the keys are the
  // window's shortcuts, which reach only the active window.
  void Settle() {
    QTRY_VERIFY_WITH_TIMEOUT(!commands_->SearchRunning(), kLoadedWait);
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }

  // Shows `table` as the window's function, which the view and the commands follow.
  void ShowTable(TruthTable table) { window_->Model()->ShowTyped(QString(), std::move(table)); }

  std::unique_ptr<Tfrm_bool_alg> window_;
  TruthTableView* view_ = nullptr;
  WindowCommands* commands_ = nullptr;
  QStringList notices_;
};

}  // namespace brevano

QTEST_MAIN(brevano::TruthTableViewTest)
#include "truth_table_view_test.moc"

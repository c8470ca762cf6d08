// The main window: start state, layout, tabulation, errors, the warning line, keys, and screenshots.
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextEdit>
#include <QtTest>
#include <bit>
#include <functional>
#include <random>
#include <string>

#include "app/analysis_dialog.h"
#include "app/frm_boolean.h"
#include "app/truth_table_view.h"
#include "app/warning_line.h"
#include "app/window_commands.h"
#include "pipeline/pipeline.h"
#include "tabulate/bit_parallel.h"
#include "tests/gui/window_controls.h"

namespace brevano {
namespace {

// The window with its error messages recorded instead of shown.
class RecordingWindow : public Tfrm_bool_alg {
 public:
  QStringList errors;
  QStringList comparisons;
  std::vector<std::optional<std::uint64_t>> offeredRows;
  QStringList questions;
  std::function<void()> onGoOn;

  bool AskGoOn(const QString& question) override {
    questions << question;
    if (onGoOn) onGoOn();
    return true;
  }

 protected:
  void ShowError(const QString& message) override { errors << message; }
  void ShowComparison(const QString& text, std::optional<std::uint64_t> row) override {
    comparisons << text;
    offeredRows.push_back(row);
  }
};

QStringList Captions(const TruthTableView* view) {
  QStringList captions;
  const QAbstractItemModel* model = view->Header()->model();
  for (int column = 0; column < model->columnCount(); ++column) {
    captions << model->headerData(column, Qt::Horizontal).toString();
  }
  return captions;
}

// Every row of a small table, its cells joined by blanks.
QStringList Rows(const TruthTableView* view) {
  QStringList rows;
  if (!view->Table()) return rows;
  for (std::uint64_t row = 0; row < view->RowCount(); ++row) {
    QStringList cells;
    for (const std::string& cell : view->Table()->RowTexts(row)) cells << QString::fromStdString(cell);
    rows << cells.join(u' ');
  }
  return rows;
}

// An expression over `count` variables X01, X02, ... mixing the three binary operators.
QString ManyVariables(int count) {
  static const char* const kOperators[] = {"+", "*", "/"};
  QString text = QStringLiteral("not(");
  for (int i = 1; i <= count; ++i) {
    if (i > 1) text += QLatin1String(kOperators[i % 3]);
    text += QStringLiteral("x%1").arg(i, 2, 10, QChar(u'0'));
  }
  return text + u')';
}

void Tabulate(Tfrm_bool_alg& window, const QString& text) {
  Ui(window).eIN->setText(text);
  QTest::mouseClick(Ui(window).Button1, Qt::LeftButton);
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = std::make_unique<RecordingWindow>();
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }
  void cleanup() { window_.reset(); }

  void startState() {
    QCOMPARE(Ui(*window_).eIN->text(), QStringLiteral("not(a+b)"));
    QVERIFY(Ui(*window_).r2->isChecked());
    QVERIFY(!Ui(*window_).r1->isChecked());
    QVERIFY(Ui(*window_).LV->Table() == nullptr);
    QCOMPARE(Ui(*window_).LV->Header()->count(), 0);
    QCOMPARE(Ui(*window_).LV->RowCount(), std::uint64_t{0});
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Brevano Boolean"));
  }

  void layout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("eIN") << "eIN" << QRect(8, 8, 281, 21);
    QTest::newRow("LV") << "LV" << QRect(8, 88, 401, 409);
    QTest::newRow("Button1") << "Button1" << QRect(8, 32, 75, 25);
    QTest::newRow("M") << "M" << QRect(296, 8, 113, 65);
    QTest::newRow("r1") << "r1" << QRect(232, 32, 57, 17);
    QTest::newRow("r2") << "r2" << QRect(232, 48, 49, 17);
  }
  void layout() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    const QWidget* control = window_->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
    QVERIFY(control->isVisible());
  }

  void windowAndTexts() {
    // The client area, below the menu bar, has the first size.
    QCOMPARE(window_->ClientArea()->size(), QSize(414, 505));
    QCOMPARE(window_->ClientArea()->mapTo(window_.get(), QPoint(0, 0)),
             QPoint(0, window_->menuBar()->geometry().bottom() + 1));
    QCOMPARE(window_->windowTitle(), QStringLiteral("Brevano Boolean"));
    QCOMPARE(window_->font().pixelSize(), 11);
    QVERIFY(
        (window_->geometry().center() - window_->screen()->availableGeometry().center()).manhattanLength() <=
        1);

    QCOMPARE(Ui(*window_).Button1->text(), QStringLiteral("Tabulation"));
    QVERIFY(Ui(*window_).Button1->isDefault());
    QCOMPARE(Ui(*window_).r1->text(), QStringLiteral("F \\ T"));
    QCOMPARE(Ui(*window_).r2->text(), QStringLiteral("0 \\ 1"));
    QCOMPARE(Ui(*window_).eIN->maxLength(), 32768);

    QCOMPARE(Ui(*window_).M->toPlainText(), QStringLiteral("+  or\n* and\n/ xor\n  not"));
    QVERIFY(Ui(*window_).M->isReadOnly());
    QVERIFY(!(Ui(*window_).M->focusPolicy() & Qt::TabFocus));
    QCOMPARE(Ui(*window_).M->font().pixelSize(), 13);
    QVERIFY(QFontInfo(Ui(*window_).M->font()).fixedPitch());
    QVERIFY(Ui(*window_).M->document()->size().height() <=
            Ui(*window_).M->viewport()->height());  // no line cut off
  }

  void tabOrder() {
    QList<QWidget*> order;
    QWidget* widget = Ui(*window_).eIN;
    do {
      if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisible() && window_->isAncestorOf(widget)) {
        order << widget;
      }
      widget = widget->nextInFocusChain();
    } while (widget != Ui(*window_).eIN);
    const QList<QWidget*> expected{Ui(*window_).eIN, Ui(*window_).LV, Ui(*window_).Button1, Ui(*window_).r1,
                                   Ui(*window_).r2};
    QCOMPARE(order, expected);

    Ui(*window_).eIN->setFocus();
    QTest::keyClick(Ui(*window_).eIN, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Ui(*window_).LV);
  }

  void tabulationFillsTable() {
    QTest::mouseClick(Ui(*window_).Button1, Qt::LeftButton);
    QCOMPARE(Captions(Ui(*window_).LV), (QStringList{"A", "B", "Result"}));
    QCOMPARE(Rows(Ui(*window_).LV), (QStringList{"0 0 1", "0 1 0", "1 0 0", "1 1 0"}));
    QCOMPARE(Ui(*window_).LV->Header()->sectionSize(0), 35);
    QCOMPARE(Ui(*window_).LV->Header()->sectionSize(1), 35);
    QCOMPARE(Ui(*window_).LV->Header()->sectionSize(2), 45);
    Tabulate(*window_, QStringLiteral("1"));
    QCOMPARE(Ui(*window_).LV->Header()->sectionSize(0), 45);  // the Result column alone
    QVERIFY(window_->errors.isEmpty());
  }

  // The table compared with a second expression over the union of their variables; going to the
  // differing row is offered only when it is a row of the table shown.
  void compareWith() {
    Tabulate(*window_, QStringLiteral("not(a+b)"));
    struct Case {
      const char* other;
      const char* text;
      std::optional<std::uint64_t> row;
    };
    const Case cases[] = {
        {"not(A)*not(b)", "The two expressions are equivalent.", std::nullopt},
        {"not(a)+not(b)",
         "Not equivalent: they first differ in row 1 (A=0 B=1), where not(a+b) gives 0 and not(a)+not(b) "
         "gives 1.",
         1},
        {"b", "Not equivalent: they first differ in row 0 (A=0 B=0), where not(a+b) gives 1 and b gives 0.",
         0},
        {"c+not(a+b)",
         "Not equivalent: they first differ in row 3 (A=0 B=1 C=1), where not(a+b) gives 0 and c+not(a+b) "
         "gives 1.",
         std::nullopt},
    };
    for (const Case& c : cases) {
      window_->CompareWith(QString::fromUtf8(c.other));
      QTRY_VERIFY(!window_->ComparisonRunning());
      QCOMPARE(window_->comparisons.last(), QString::fromUtf8(c.text));
      QCOMPARE(window_->offeredRows.back(), c.row);
    }
    window_->CompareWith(QStringLiteral("1/0"));
    QCOMPARE(window_->errors, QStringList{"Floating point division by zero."});
    QCOMPARE(window_->comparisons.size(), 4);
    QCOMPARE(Ui(*window_).LV->RowCount(), std::uint64_t{4});  // the table stays

    // With warnings on either side, both are told, each led by its expression.
    Tabulate(*window_, QStringLiteral("a*b + 1"));
    window_->CompareWith(QStringLiteral("not (a*b)"));
    QTRY_VERIFY(!window_->ComparisonRunning());
    const QString told = window_->comparisons.last();
    QVERIFY2(told.startsWith(QStringLiteral("Not equivalent: ")) &&
                 told.contains(QStringLiteral("This compares the tables as read, with these warnings:\n"
                                              "a*b + 1: The number 1 with a space beside it")) &&
                 told.contains(QStringLiteral("\nnot (a*b): The function \"not \" is ignored")),
             qPrintable(told));
  }

  // Two expressions too complex for their diagrams (the negation of 150 random products of four of
  // 40 variables, its terms reversed or one literal changed): the solver settles the comparison as a
  // scan of the rows does; with no time at all the window asks whether to go on first.
  void compareBeyondTheDiagrams() {
    std::mt19937_64 rng(3);
    std::vector<QString> terms;
    for (int t = 0; t < 150; ++t) {
      QString term;
      for (int f = 0; f < 4; ++f) {
        const QString v = QStringLiteral("t%1").arg(10 + rng() % 40);
        term += (f ? "*" : "") + (rng() % 2 ? v : "not(" + v + ")");
      }
      terms.push_back(term);
    }
    auto joined = [&](bool reversed) {
      QStringList parts;
      for (const QString& term : terms) reversed ? parts.prepend(term) : parts.append(term);
      return "not(" + parts.join(u'+') + ")";
    };
    const QString text = joined(false);
    Tabulate(*window_, text);
    const SearchLimits normal = window_->Commands()->Limits();
    SearchLimits none = normal;
    none.solverTime = std::chrono::milliseconds(0);
    none.diagram.maxNodes = 1000;
    window_->Commands()->SetLimits(none);
    window_->onGoOn = [&] { window_->Commands()->SetLimits(normal); };
    window_->CompareWith(joined(true));
    QTRY_VERIFY_WITH_TIMEOUT(!window_->ComparisonRunning(), 10000);
    QCOMPARE(window_->questions.size(), 1);
    QVERIFY(window_->questions[0].startsWith(QStringLiteral("No answer within 0 s")));
    QCOMPARE(window_->comparisons.last(), QStringLiteral("The two expressions are equivalent."));

    // The first literal with its negation changed.
    QString changed = text;
    const bool negated = changed.mid(4, 4) == QStringLiteral("not(");
    const QString name = changed.mid(negated ? 8 : 4, 3);
    changed.replace(4, negated ? 8 : 3, negated ? name : "not(" + name + ")");
    window_->CompareWith(changed);
    QTRY_VERIFY_WITH_TIMEOUT(!window_->ComparisonRunning(), 10000);
    const TruthTable a = *Ui(*window_).LV->Table();
    ExprTree tree;
    const CompiledProgram b = CompiledProgram::Compile(ProcessExpression(changed.toStdString(), tree), 63);
    QCOMPARE(b.Variables(), a.Variables());
    std::uint64_t start = 0, differ = 0;
    while ((differ = EvaluateBlock(a.Program(), start) ^ EvaluateBlock(b, start)) == 0) start += 64;
    const std::uint64_t row = start + std::countr_zero(differ);
    QVERIFY2(
        window_->comparisons.last().startsWith(QStringLiteral("Not equivalent: they first differ in row %1 (")
                                                   .arg(QLocale().toString(static_cast<qulonglong>(row)))),
        qPrintable(window_->comparisons.last().left(200)));
    QCOMPARE(window_->offeredRows.back(), std::optional(row));
    QCOMPARE(window_->questions.size(), 1);
  }

  // While the box holds another text than the table's, after an edit or an error, the band names
  // the table's expression; with the table's own text back it says only what it said before.
  void bandNamesTheTablesExpression() {
    Tabulate(*window_, QStringLiteral("not(a+b)"));
    QVERIFY(!Ui(*window_).Warn->isVisible());
    Ui(*window_).eIN->setText(QStringLiteral("not(a+"));
    QVERIFY(Ui(*window_).Warn->isVisible());
    QCOMPARE(Ui(*window_).Warn->LineText(), QStringLiteral("The table shown is of \"not(a+b)\"."));
    Ui(*window_).eIN->setText(QStringLiteral("not(a+b)"));
    QVERIFY(!Ui(*window_).Warn->isVisible());

    Tabulate(*window_, QStringLiteral("a*b + 1"));
    Tabulate(*window_, QStringLiteral("not(1+1)"));
    QCOMPARE(window_->errors.size(), 1);
    QVERIFY2(Ui(*window_).Warn->LineText().startsWith(QStringLiteral("Table of \"a*b + 1\": The number")),
             qPrintable(Ui(*window_).Warn->LineText()));
    QVERIFY(Ui(*window_).Warn->toolTip().startsWith(QStringLiteral("The table shown is of \"a*b + 1\".\n")));
  }

  void pressingTwiceGivesOneTable() {
    QTest::mouseClick(Ui(*window_).Button1, Qt::LeftButton);
    QTest::mouseClick(Ui(*window_).Button1, Qt::LeftButton);
    QCOMPARE(Ui(*window_).LV->Header()->count(), 3);
    QCOMPARE(Rows(Ui(*window_).LV), (QStringList{"0 0 1", "0 1 0", "1 0 0", "1 1 0"}));
  }

  // The choice rewrites the table shown at once, and holds for the next.
  void displayModeAppliesAtOnceAndToNextTable() {
    QTest::mouseClick(Ui(*window_).Button1, Qt::LeftButton);
    QTest::mouseClick(Ui(*window_).r1, Qt::LeftButton);
    QVERIFY(Ui(*window_).r1->isChecked());
    QVERIFY(!Ui(*window_).r2->isChecked());
    QCOMPARE(Rows(Ui(*window_).LV).first(), QStringLiteral("F F T"));
    QTest::mouseClick(Ui(*window_).Button1, Qt::LeftButton);
    QCOMPARE(Rows(Ui(*window_).LV), (QStringList{"F F T", "F T F", "T F F", "T T F"}));
  }

  void enterRunsTabulation() {
    Ui(*window_).eIN->setFocus();
    Ui(*window_).eIN->setText(QStringLiteral("b*a"));
    QTest::keyClick(Ui(*window_).eIN, Qt::Key_Return);
    QCOMPARE(Captions(Ui(*window_).LV), (QStringList{"A", "B", "Result"}));
    QCOMPARE(Rows(Ui(*window_).LV).last(), QStringLiteral("1 1 1"));
    QCOMPARE(QApplication::focusWidget(), Ui(*window_).eIN);
  }

  void errorKeepsPreviousTable_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("messageStart");
    QTest::newRow("division by zero") << "1/0"
                                      << "Floating point division by zero.";
    QTest::newRow("too many variables") << ManyVariables(64) << "Too many variables (64)";
  }
  void errorKeepsPreviousTable() {
    QFETCH(QString, text);
    QFETCH(QString, messageStart);
    Tabulate(*window_, QStringLiteral("a/b"));
    const QStringList before = Rows(Ui(*window_).LV);
    Ui(*window_).LV->SelectRow(2);

    Tabulate(*window_, text);
    if (window_->errors.isEmpty() && text == QStringLiteral("1/0"))
      QSKIP("this build's simplifier does not fold 1/0");
    QCOMPARE(window_->errors.size(), 1);
    QVERIFY2(window_->errors.first().startsWith(messageStart), qPrintable(window_->errors.first()));
    QVERIFY(window_->errors.first().endsWith(u'.'));
    QCOMPARE(Captions(Ui(*window_).LV), (QStringList{"A", "B", "Result"}));
    QCOMPARE(Rows(Ui(*window_).LV), before);
    QCOMPARE(Ui(*window_).LV->CurrentRow(), std::optional<std::uint64_t>(2));

    Tabulate(*window_, QStringLiteral("a*b"));
    QCOMPARE(Rows(Ui(*window_).LV).last(), QStringLiteral("1 1 1"));
  }

  void errorMessageText_data() {
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << QByteArray("Floating point overflow") << "Floating point overflow.";
    QTest::newRow("full stop") << QByteArray("Done.") << "Done.";
    QTest::newRow("parenthesis") << QByteArray("List index out of bounds (3)")
                                 << "List index out of bounds (3)";
    QTest::newRow("quote") << QByteArray("'x' is not a valid floating point value")
                           << "'x' is not a valid floating point value.";
    QTest::newRow("digit") << QByteArray("at most 63") << "at most 63.";
    QTest::newRow("hyphen") << QByteArray("a-") << "a-";
    QTest::newRow("slash") << QByteArray("a/") << "a/.";
    QTest::newRow("non-ASCII") << QByteArray("caf\xc3\xa9") << QString::fromUtf8("caf\xc3\xa9.");
    QTest::newRow("empty") << QByteArray() << "";
  }
  void errorMessageText() {
    QFETCH(QByteArray, message);
    QFETCH(QString, shown);
    QCOMPARE(ErrorMessageText(message.toStdString()), shown);
  }

  void errorShownInMessageBox() {
    Tfrm_bool_alg window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title, text;
    QMessageBox::StandardButtons buttons;
    QTimer closer;
    closer.setInterval(10);
    connect(&closer, &QTimer::timeout, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        icon = box->icon();
        title = box->windowTitle();
        text = box->text();
        buttons = box->standardButtons();
        box->accept();
      }
    });
    closer.start();
    Tabulate(window, ManyVariables(64));
    closer.stop();
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(title, QStringLiteral("Brevano Boolean"));
    QVERIFY2(text.startsWith(QStringLiteral("Too many variables")) && text.endsWith(u'.'), qPrintable(text));
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(Ui(window).LV->Table() == nullptr);
  }

  void deepAndLongExpressions() {
    const int depth = 6000;  // 30,001 characters: as deep as the box allows
    Tabulate(*window_, QStringLiteral("not(").repeated(depth) + u'a' + QStringLiteral(")").repeated(depth));
    QVERIFY2(window_->errors.isEmpty(), qPrintable(window_->errors.join(u'\n')));
    QCOMPARE(Rows(Ui(*window_).LV), (QStringList{"0 0", "1 1"}));

    Ui(*window_).eIN->setText(QStringLiteral("a+").repeated(16383) + u'a');
    QCOMPARE(Ui(*window_).eIN->text().size(), 32767);
    QTest::mouseClick(Ui(*window_).Button1, Qt::LeftButton);
    QVERIFY2(window_->errors.isEmpty(), qPrintable(window_->errors.join(u'\n')));
    QCOMPARE(Captions(Ui(*window_).LV), (QStringList{"A", "Result"}));

    // A longer paste is cut one past the limit and refused, never tabulated shortened.
    Ui(*window_).eIN->setText(QStringLiteral("a+").repeated(20000) + u'b');
    QTest::mouseClick(Ui(*window_).Button1, Qt::LeftButton);
    QCOMPARE(window_->errors,
             QStringList{"The expression is too long: at most 32767 characters are accepted."});
    QCOMPARE(Captions(Ui(*window_).LV), (QStringList{"A", "Result"}));
  }

  void largestTables() {
    Tabulate(*window_, ManyVariables(40));
    QVERIFY(window_->errors.isEmpty());
    QCOMPARE(Ui(*window_).LV->RowCount(), std::uint64_t{1} << 40);
    QCOMPARE(Ui(*window_).LV->Header()->count(), 41);
    Tabulate(*window_, ManyVariables(kWindowMaxVariables));
    QVERIFY(window_->errors.isEmpty());
    QCOMPARE(Ui(*window_).LV->RowCount(), std::uint64_t{1} << kWindowMaxVariables);
    Ui(*window_).LV->setFocus();
    QTest::keyClick(Ui(*window_).LV, Qt::Key_End);
    QCOMPARE(Ui(*window_).LV->CurrentRow(),
             std::optional<std::uint64_t>((std::uint64_t{1} << kWindowMaxVariables) - 1));
  }

  void copyShortcut() {
    QTest::mouseClick(Ui(*window_).Button1, Qt::LeftButton);
    Ui(*window_).LV->setFocus();
    QTest::keyClick(Ui(*window_).LV, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Ui(*window_).LV, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("A\tB\tResult\n0\t0\t1\n0\t1\t0\n1\t0\t0\n1\t1\t0\n"));
    // In the expression box, Ctrl+C copies the box's text as usual.
    Ui(*window_).eIN->setFocus();
    Ui(*window_).eIN->selectAll();
    QTest::keyClick(Ui(*window_).eIN, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("not(a+b)"));
  }

  void warningLine() {
    const QRect button = Ui(*window_).Button1->geometry(), table = Ui(*window_).LV->geometry();
    Tabulate(*window_, QStringLiteral("not(a+b)"));
    QVERIFY(!Ui(*window_).Warn->isVisible());  // a clean expression says nothing

    Tabulate(*window_, QStringLiteral("not (a+b)"));
    QVERIFY(Ui(*window_).Warn->isVisible());
    const QString first = QString::fromStdString(Ui(*window_).Warn->Shown().warnings.front());
    QVERIFY2(first.contains(QStringLiteral("without a space")), qPrintable(first));
    QVERIFY(Ui(*window_).Warn->toolTip().contains(first));
    QVERIFY(Ui(*window_).Warn->toolTip().endsWith(QStringLiteral("Evaluated as: A+B")));
    QCOMPARE(Ui(*window_).Warn->LineText(), first);  // whole, wrapped as it needs
    // In the free band: below the buttons, above the table, left of the legend; it grows downwards
    // and the table gives up that room, its bottom staying; nothing else moves.
    const QRect band = Ui(*window_).Warn->geometry();
    const QRect shorter = Ui(*window_).LV->geometry();
    QVERIFY(band.top() > Ui(*window_).r2->geometry().bottom() && band.bottom() < shorter.top());
    QVERIFY(band.right() < Ui(*window_).M->geometry().left());
    QVERIFY(band.height() >= Ui(*window_).Warn->NeededHeight(band.width()));
    QCOMPARE(Ui(*window_).Button1->geometry(), button);
    QCOMPARE(shorter.bottom(), table.bottom());
    QCOMPARE(shorter.top(), band.bottom() + 3);

    // An error keeps the line as it was, with the previous table.
    Tabulate(*window_, QStringLiteral("not(1+1)"));
    QCOMPARE(window_->errors.size(), 1);
    QVERIFY2(window_->errors.first().contains(QStringLiteral("1+1 was folded to the number 2")),
             qPrintable(window_->errors.first()));
    QVERIFY(Ui(*window_).Warn->isVisible());
    QCOMPARE(QString::fromStdString(Ui(*window_).Warn->Shown().warnings.front()), first);

    QTest::mouseClick(Ui(*window_).Warn->DetailsButton(), Qt::LeftButton);
    auto* details = window_->findChild<QPlainTextEdit*>();
    QVERIFY(details && details->isVisible());
    QCOMPARE(details->toPlainText(), Ui(*window_).Warn->DetailsText());
    Tabulate(*window_, QStringLiteral("a"));  // clean again: the line and its details go
    QVERIFY(!Ui(*window_).Warn->isVisible());
    QVERIFY(!details->isVisible());
  }

  // F3/F4, Ctrl+G, F9 and the copy keys act on the table while the expression is being edited.
  void tableKeysInTheEditBox() {
    Tabulate(*window_, QStringLiteral("a*b"));  // results 0 0 0 1
    Ui(*window_).eIN->setFocus();
    Ui(*window_).eIN->deselect();
    QTest::keyClick(Ui(*window_).eIN, Qt::Key_F3);
    QTRY_COMPARE(Ui(*window_).LV->CurrentRow(), std::optional<std::uint64_t>(3));
    QCOMPARE(QApplication::focusWidget(), Ui(*window_).eIN);
    QTest::keyClick(Ui(*window_).eIN, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("A\tB\tResult\n1\t1\t1\n"));
    QTest::keyClick(Ui(*window_).eIN, Qt::Key_F9);
    QVERIFY(window_->Analysis());
    QTest::keyClick(Ui(*window_).eIN, Qt::Key_Home);
    QCOMPARE(Ui(*window_).eIN->cursorPosition(), 0);  // the box's own keys stay its own
  }

  void focusedButtonShowsItsFocus() {
    Ui(*window_).eIN->setFocus();
    const QImage unfocused = Ui(*window_).Button1->grab().toImage();
    QTest::keyClick(Ui(*window_).eIN, Qt::Key_Tab);  // to the table, then to the button, as a keyboard user
    QTest::keyClick(Ui(*window_).LV, Qt::Key_Tab);
    QVERIFY(Ui(*window_).Button1->hasFocus());
    QVERIFY(Ui(*window_).Button1->grab().toImage() != unfocused);
  }

  void analysisNamesItsTableAndGoesStale() {
    Tabulate(*window_, QStringLiteral("a+b"));
    AnalysisDialog* dialog = window_->OpenAnalysis();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Analysis of a+b"));
    Tabulate(*window_, QStringLiteral("1/0"));  // an error leaves the table, and the analysis current
    QVERIFY(!dialog->Stale());
    Tabulate(*window_, QStringLiteral("a*b"));
    QVERIFY(dialog->Stale());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("(Previous table) Analysis of a+b"));
  }

  void screenshots() {
    Tabulate(*window_, QStringLiteral("not(a+b)"));
    Ui(*window_).LV->setFocus();
    Ui(*window_).LV->SelectRow(1);
    QTest::qWait(20);
    QVERIFY(window_->grab().save(QStringLiteral(BREVANO_SCREENSHOT_DIR "/window.png")));

    Tabulate(*window_, ManyVariables(30));
    Ui(*window_).LV->setFocus();
    Ui(*window_).LV->SelectRow(std::uint64_t{1} << 29);
    QCOMPARE(Ui(*window_).LV->TopRow(), (std::uint64_t{1} << 29) - Ui(*window_).LV->VisibleRowCount() / 2);
    QTest::qWait(20);
    QVERIFY(window_->grab().save(QStringLiteral(BREVANO_SCREENSHOT_DIR "/window-30-variables.png")));

    Tabulate(*window_, QStringLiteral("not (a+b)"));
    QTest::qWait(20);
    QVERIFY(window_->grab().save(QStringLiteral(BREVANO_SCREENSHOT_DIR "/window-warning.png")));

    Tabulate(*window_, QStringLiteral("not(1+1)"));  // an error: the band names the table's expression
    QTest::qWait(20);
    QVERIFY(window_->grab().save(QStringLiteral(BREVANO_SCREENSHOT_DIR "/window-after-error.png")));
  }

 private:
  std::unique_ptr<RecordingWindow> window_;
};

}  // namespace brevano

QTEST_MAIN(brevano::WindowTest)
#include "window_test.moc"

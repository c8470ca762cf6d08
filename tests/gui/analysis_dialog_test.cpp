// The "Analyse…" dialog: its fields against the analysis, stopping a long analysis, and the action
// in the table's context menu.
#include "app/analysis_dialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>
#include <random>

#include "analysis/analysis.h"
#include "app/dont_care_field.h"
#include "app/frm_boolean.h"
#include "app/shown_model.h"
#include "app/truth_table_view.h"
#include "app/window_commands.h"
#include "pipeline/pipeline.h"

namespace brevano {
namespace {

TruthTable Table(const std::string& expression) {
  ExprTree tree;
  return TruthTable::Build(ProcessExpression(expression, tree), DisplayMode::kZeroOne);
}

// The OR of V(i)*V(i+count/2) over `count` variables: its decision diagram in column order is
// exponential, so its rows are counted one by one, which takes far longer than any test.
TruthTable Huge(int count) {
  auto name = [](int i) { return (i < 10 ? "V0" : "V") + std::to_string(i); };
  Listing listing;
  const int half = count / 2;
  for (int i = 0; i < half; ++i) {
    if (i + 1 < half) listing.push_back("+ @F");
    listing.insert(listing.end(), {"* @F", name(i), name(i + half)});
  }
  return TruthTable::Build(listing, DisplayMode::kZeroOne);
}

// A random function of `count` variables, one row in `1 / odds` being 0: the sum of its minterms.
TruthTable Random(int count, unsigned odds) {
  std::mt19937_64 rng(14);
  Listing listing;
  int terms = 0;
  for (std::uint64_t row = 0; row < (std::uint64_t{1} << count); ++row) {
    if (rng() % odds == 0) continue;
    if (terms++ > 0) listing.insert(listing.begin(), "+ @F");
    for (int v = 1; v < count; ++v) listing.push_back("* @F");
    for (int v = 0; v < count; ++v) {
      if (!((row >> (count - 1 - v)) & 1)) listing.push_back("NOT @F");
      listing.push_back("V" + std::to_string(10 + v));
    }
  }
  return TruthTable::Build(listing, DisplayMode::kZeroOne);
}

}  // namespace

class AnalysisDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void fieldsShowTheAnalysis() {
    const TruthTable table = Table("not(a)*b+a*c");
    AnalysisDialog dialog(table);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.Running(), 10000);
    QString report;
    for (const AnalysisItem& item : AnalysisItems(AnalyseTable(table))) {
      const QString label = QString::fromStdString(ItemLabel(item.kind));
      QCOMPARE(dialog.FieldText(label), QString::fromStdString(item.value));
      report += label + ' ' + QString::fromStdString(item.value) + '\n';
    }
    for (const AnalysisItem& item : FunctionItems(AnalyseTable(table), DescribeFunction(table))) {
      const QString label = QString::fromStdString(ItemLabel(item.kind));
      QCOMPARE(dialog.FieldText(label), QString::fromStdString(item.value));
      report += label + ' ' + QString::fromStdString(item.value) + '\n';
    }
    QCOMPARE(dialog.ReportText(), report);
    QCOMPARE(dialog.FieldText("Minimal sum of products:"), QString("not(A)*B+A*C"));
  }

  void copyAllPutsTheReportOnTheClipboard() {
    AnalysisDialog dialog(Table("a/b"));
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.Running(), 10000);
    QPushButton* copy = nullptr;
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
      if (button->text() == "Copy all") copy = button;
    }
    QVERIFY(copy && copy->isEnabled());
    copy->click();
    QCOMPARE(QApplication::clipboard()->text(), dialog.ReportText());
  }

  void stopEndsALongAnalysisAtOnce() {
    AnalysisDialog dialog(Huge(44));
    QVERIFY(dialog.Running());  // the constructor returned while the rows are still being counted
    QElapsedTimer clock;
    clock.start();
    dialog.Stop();
    QVERIFY(clock.elapsed() < 2000);
    QVERIFY(!dialog.Running());
    QCOMPARE(dialog.FieldText("Rows with Result 1:"), QString("not computed: stopped"));
    QCOMPARE(dialog.FieldText("Minimal product of sums:"), QString("not computed: stopped"));
  }

  // Sixteen-variable parity: counted at once, minimised for a good while.
  void countsComeBeforeTheFormsAndStopKeepsThem() {
    AnalysisDialog dialog(Table("a/b/c/d/e/f/g/h/i/j/k/l/m/n/o/p"));
    const QString ellipsis = QString::fromUtf8("\u2026");
    QTRY_VERIFY_WITH_TIMEOUT(dialog.FieldText("Rows with Result 1:") != ellipsis, 5000);
    QVERIFY(dialog.Running());
    QCOMPARE(dialog.FieldText("Minimal product of sums:"), ellipsis);
    QCOMPARE(dialog.FieldText("Rows with Result 1:"),
             QLocale().toString(32768) + " of " + QLocale().toString(65536));  // grouped
    QVERIFY(dialog.FieldText("Minterms:").endsWith(" (" + QLocale().toString(65536 / 2 - 10000) + " more)"));
    dialog.Stop();
    QCOMPARE(dialog.FieldText("Verdict:"), QString("depends on the variables"));
    QCOMPARE(dialog.FieldText("Minimal product of sums:"), QString("not computed: stopped"));
    QVERIFY(dialog.ReportText().startsWith("Rows with Result 1: 32768 of 65536\n"));  // as the command line
  }

  void unprovenFormsSayItInTheirLabel() {
    AnalysisOptions hurried;
    hurried.minimiseBudget = std::chrono::milliseconds(0);
    AnalysisDialog dialog(Random(12, 7), nullptr, QString(), hurried);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.Running(), 10000);
    QVERIFY(dialog.FieldText("Minimal sum of products:").contains("not proven"));
    QCOMPARE(dialog.LabelText(4), QString("Sum of products (not proven minimal):"));
  }

  // Row 7 free: the three rows of one 0 among three variables then need two literals a term. A
  // don't-care that cannot be read, or names a column the table lacks, leaves that analysis shown.
  void dontCaresChangeTheCountsAndFormsAndErrorsKeepThem() {
    AnalysisDialog dialog(Table("not(a)*b*c+a*not(b)*c+a*b*not(c)"));
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.Running(), 10000);
    QCOMPARE(dialog.FieldText("Rows with Result 1:"), QString("3 of 8"));
    dialog.DontCare()->SetText("a*b*c");
    QTest::keyClick(dialog.DontCare()->Edit(), Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.Running(), 10000);
    QVERIFY(dialog.WithDontCares());
    QCOMPARE(dialog.FieldText("Rows with Result 1:"), QString("3 of 8, 1 don't-care"));
    QCOMPARE(dialog.FieldText("Don't-cares:"), QString("7"));
    QCOMPARE(dialog.FieldText("Minimal sum of products:"), QString("A*B+A*C+B*C"));
    QCOMPARE(dialog.FieldText("Minimal product of sums:"), QString("(A+B)*(A+C)*(B+C)"));
    QVERIFY(dialog.ReportText().contains("Rows with Result 1: 3 of 8, 1 don't-care\n"));
    QVERIFY(dialog.FieldText("Depends on:").startsWith("not computed: with don't-cares"));
    const QString report = dialog.ReportText();
    for (const char* bad : {"a*d", "a+", "not(a"}) {
      dialog.DontCare()->SetText(bad);
      QVERIFY2(!dialog.ApplyDontCare(), bad);
      QVERIFY(!dialog.Running());
      QVERIFY(dialog.DontCare()->ShowsError());
      QCOMPARE(dialog.ReportText(), report);
    }
    QVERIFY(dialog.DontCare()->MessageText().startsWith("Don't care not applied: The operator \"not\""));
    dialog.DontCare()->SetText("a*d");
    dialog.ApplyDontCare();
    QVERIFY(dialog.DontCare()->MessageText().contains("names D, which is not a column of the table"));
    dialog.DontCare()->SetText("");
    QVERIFY(dialog.ApplyDontCare());
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.Running(), 10000);
    QCOMPARE(dialog.FieldText("Rows with Result 1:"), QString("3 of 8"));
    QVERIFY(!dialog.DontCare()->ShowsError());
  }

  void fieldsGrowWithTheDialog() {
    AnalysisDialog dialog(Table("a+b"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* minterms = dialog.findChild<QPlainTextEdit*>("Minterms:");
    auto* count = dialog.findChild<QLineEdit*>("Rows with Result 1:");
    const QSize before = minterms->size(), countBefore = count->size();
    dialog.resize(dialog.width() + 200, dialog.height() + 200);
    QTRY_VERIFY(minterms->height() > before.height());
    QVERIFY(minterms->width() > before.width());
    QVERIFY(count->width() > countBefore.width());
  }

  void closingStopsTheAnalysis() {
    Tfrm_bool_alg window;
    window.Model()->ShowTyped(QStringLiteral("huge"), Huge(44));
    QPointer<AnalysisDialog> dialog = window.OpenAnalysis();
    QVERIFY(dialog && dialog->Running());
    dialog->close();
    QTRY_VERIFY_WITH_TIMEOUT(dialog.isNull(), 5000);  // deleted once closed
  }

  void contextMenuOffersAnalyseWithRows() {
    Tfrm_bool_alg window;
    QAction* analyse = window.Commands()->Action(QString::fromUtf8("Analyse\u2026"));
    QVERIFY(analyse);
    QVERIFY(!analyse->isEnabled());
    QVERIFY(window.OpenAnalysis() == nullptr);
    window.Model()->ShowTyped(QStringLiteral("a+b"), Table("a+b"));
    QVERIFY(analyse->isEnabled());
    analyse->trigger();
    auto* dialog = window.Analysis();
    QVERIFY(dialog && dialog->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->Running(), 10000);
    QCOMPARE(dialog->FieldText("Minimal product of sums:"), QString("(A+B)"));
  }
};

}  // namespace brevano

QTEST_MAIN(brevano::AnalysisDialogTest)
#include "analysis_dialog_test.moc"

// A function too complex for its decision diagram: the verdict and the least forms (or "too
// complex") are shown while its rows are still being counted, and stopping the count keeps them.
#include <QtTest>
#include <cstdint>
#include <string>

#include "app/analysis_dialog.h"
#include "pipeline/pipeline.h"

namespace brevano {
namespace {

// 160 clauses of three of 60 variables, drawn by a linear congruential generator, joined by AND:
// too complex for a decision diagram and far too many rows to count.
TruthTable Cnf() {
  std::uint64_t state = 60;
  const auto next = [&state] {
    state = state * 6364136223846793005u + 1442695040888963407u;
    return state >> 33;
  };
  std::string text;
  for (int clause = 0; clause < 160; ++clause) {
    text += clause ? "*(" : "(";
    for (int literal = 0; literal < 3; ++literal) {
      const std::string name = "v" + std::to_string(10 + next() % 60);
      text += (literal ? "+" : "") + (next() % 2 ? name : "not(" + name + ")");
    }
    text += ")";
  }
  ExprTree tree;
  return TruthTable::Build(ProcessExpression(text, tree), DisplayMode::kZeroOne);
}

}  // namespace

class AnalysisBudgetTest : public QObject {
  Q_OBJECT

 private slots:
  void formsComeBeforeACountThatCannotFinish() {
    AnalysisDialog dialog(Cnf());
    const QString ellipsis = QString::fromUtf8("\u2026");
    QTRY_VERIFY_WITH_TIMEOUT(dialog.FieldText("Minimal sum of products:") != ellipsis, 30000);
    QVERIFY(dialog.Running());  // still counting
    QCOMPARE(dialog.FieldText("Rows with Result 1:"), ellipsis);
    QCOMPARE(dialog.FieldText("Verdict:"), QString("depends on the variables"));
    const QString tooComplex = QStringLiteral("not computed: too complex for exact analysis");
    QCOMPARE(dialog.FieldText("Minimal sum of products:"), tooComplex);
    QCOMPARE(dialog.FieldText("Minimal product of sums:"), tooComplex);
    dialog.Stop();
    QVERIFY(!dialog.Running());
    QCOMPARE(dialog.FieldText("Minimal sum of products:"), tooComplex);
    QCOMPARE(dialog.FieldText("Minimal product of sums:"), tooComplex);
    QCOMPARE(dialog.FieldText("Verdict:"), QString("depends on the variables"));
  }
};

}  // namespace brevano

QTEST_MAIN(brevano::AnalysisBudgetTest)
#include "analysis_budget_test.moc"

// Searches and comparisons on a 62-variable comparator, too complex for its decision diagram: the
// solver's answers, the memory handed back, budgets that run out and searches that go on.
#include <gtest/gtest.h>

#include "pipeline/pipeline.h"
#include "search/ladder.h"

namespace brevano {
namespace {

CompiledProgram ProgramOf(const std::string& expression) {
  ExprTree tree;
  return CompiledProgram::Compile(ProcessExpression(expression, tree), 63);
}

std::string Bit(char name, int i) { return name + std::string(i < 10 ? "0" : "") + std::to_string(i); }

// a > b for the 31-bit numbers a00..a30 and b00..b30 (00 the most significant): every a comes
// before every b in the table, the order in which its diagram grows exponentially. A row is
// a << 31 | b. `ripple` writes it from the least significant bit up instead.
std::string Greater(bool ripple) {
  std::string text = ripple ? Bit('a', 30) + "*not(" + Bit('b', 30) + ")" : "0";
  for (int i = ripple ? 29 : 30; i >= 0; --i) {
    const std::string a = Bit('a', i), b = Bit('b', i);
    text = ripple ? a + "*not(" + b + ")+(" + a + "+not(" + b + "))*(" + text + ")"
                  : a + "*not(" + b + ")+not(" + a + "/" + b + ")*(" + text + ")";
  }
  return text;
}

std::uint64_t Row(std::uint64_t a, std::uint64_t b) { return a << 31 | b; }

// In table order, where the comparator's diagram grows exponentially (the order of its text keeps
// it small).
SearchLimits SmallDiagram() {
  SearchLimits limits;
  limits.diagram.maxNodes = 20000;
  limits.diagram.otherOrders = false;
  return limits;
}

TEST(SearchTest, TheSolverAnswersWhereTheDiagramIsTooComplex) {
  const CompiledProgram program = ProgramOf(Greater(false));
  ASSERT_EQ(program.VariableCount(), 62);
  const std::uint64_t last = program.RowCount() - 1;
  struct Case {
    RowQuery query;
    std::optional<std::uint64_t> row;
  };
  constexpr std::uint64_t kMax = (std::uint64_t{1} << 31) - 1;
  // Each answer lies beyond the quick scan's reach.
  const Case cases[] = {
      {{RowQuery::Kind::kNext, 1, Row(5, 7)}, Row(6, 0)},
      {{RowQuery::Kind::kPrevious, 1, Row(5, 1 << 20)}, Row(5, 4)},
      {{RowQuery::Kind::kPrevious, 0, Row(1 << 30, 1 << 20)}, Row((1 << 30) - 1, kMax)},
      {{RowQuery::Kind::kPrevious, 1, Row(0, kMax)}, std::nullopt},
      {{RowQuery::Kind::kNext, 0, last - 5}, last},
  };
  SearchMemory memory;
  for (const Case& c : cases) {
    RowSearch search = AskRows(program, c.query, SmallDiagram(), std::move(memory));
    EXPECT_EQ(search.outcome.row, c.row) << "from " << c.query.from;
    memory = std::move(search.memory);
    EXPECT_TRUE(memory.solver);
    EXPECT_FALSE(memory.diagram);
  }
  // No time at all: out of time, and the same search goes on with time.
  SearchLimits none = SmallDiagram();
  none.solverTime = std::chrono::milliseconds(0);
  const RowQuery query{RowQuery::Kind::kNext, 1, Row(1000, 2000)};
  RowSearch search = AskRows(program, query, none, std::move(memory));
  EXPECT_EQ(search.path, RowSearchPath::kOutOfTime);
  EXPECT_FALSE(search.outcome.row);
  search = AskRows(program, query, SmallDiagram(), std::move(search.memory));
  EXPECT_EQ(search.outcome.row, Row(1001, 0));
  // The n-th row needs the diagram: too complex, and too large to scan within the limit.
  SearchLimits noScan = SmallDiagram();
  noScan.maxScanSteps = 1000;
  EXPECT_EQ(AskRows(program, {RowQuery::Kind::kNth, 1, 5}, noScan, std::move(search.memory)).path,
            RowSearchPath::kTooComplex);
}

TEST(SearchTest, ComparisonsWhereTheDiagramsAreTooComplex) {
  const CompiledProgram greater = ProgramOf(Greater(false));
  const CompiledProgram ripple = ProgramOf(Greater(true));
  TableComparison same = CompareTables(greater, ripple, SmallDiagram());
  EXPECT_EQ(same.status, SatStatus::kAnswered);
  EXPECT_TRUE(same.equivalent);
  // One literal changed: b07 read as b08 in its "not(...)".
  std::string changedText = Greater(false);
  changedText.replace(changedText.find("not(b07)"), 8, "not(b08)");
  const CompiledProgram changed = ProgramOf(changedText);
  SearchLimits none = SmallDiagram();
  none.solverTime = std::chrono::milliseconds(0);
  const TableComparison outOfTime = CompareTables(greater, changed, none);
  EXPECT_EQ(outOfTime.status, SatStatus::kOutOfTime);
  const TableComparison differ = CompareTables(greater, changed, SmallDiagram(), {}, outOfTime.solver);
  ASSERT_EQ(differ.status, SatStatus::kAnswered);
  ASSERT_FALSE(differ.equivalent);
  EXPECT_NE(EvaluateRow(greater, differ.row), EvaluateRow(changed, differ.row));
  EXPECT_EQ(differ.firstResult, EvaluateRow(greater, differ.row));
  // The first difference: a and b equal down to bit 7, where a07 = 1 and b07 = 0, b08 = 1; then
  // the least a and b: a = 2^23, b = 2^22 (bit 8).
  EXPECT_EQ(differ.row, Row(std::uint64_t{1} << 23, std::uint64_t{1} << 22));
}

// The brute-force answer of a question: the rows, one by one.
RowSearch ByRows(const CompiledProgram& program, const RowQuery& query) {
  RowSearch answer;
  const std::uint64_t ones = CountRows(program, 1).count;
  switch (query.kind) {
    case RowQuery::Kind::kNext: answer.outcome = FindNextRow(program, query.result, query.from); break;
    case RowQuery::Kind::kPrevious:
      answer.outcome = FindPreviousRow(program, query.result, query.from);
      break;
    case RowQuery::Kind::kNth:
      answer.outcome.row = FindNextRow(program, query.result, 0).row;
      for (std::uint64_t k = 0; k < query.from && answer.outcome.row; ++k)
        answer.outcome.row = FindNextRow(program, query.result, *answer.outcome.row + 1).row;
      break;
    case RowQuery::Kind::kCount: answer.count = query.result ? ones : program.RowCount() - ones; break;
    case RowQuery::Kind::kConstant:
      if (ones == 0 || ones == program.RowCount()) answer.constant = ones == 0 ? 0 : 1;
      break;
  }
  return answer;
}

// Every question, on tables beyond the quick scan's reach, whichever rung answers it: the diagram and
// the solver raced, the diagram alone, the solver alone (the diagram known too complex), or a full
// scan; and again from the memory each hands back.
TEST(LadderTest, EveryQuestionAgreesWithTheRowsWhicheverRungAnswers) {
  const std::string all = "a*b*c*d*e*f*g*h*i*j*k*l*m*n*o*p*q*r";
  const std::vector<std::string> expressions = {all, "a/b/c/d/e/f/g/h/i/j/k/l/m/n/o/p/q/r", all + "*not(a)",
                                                "not(" + all + "*not(a))",
                                                "a*not(b)+r*q+c*d*e*f*g*h*i*j*k*l*m*n*o*p"};
  using K = RowQuery::Kind;
  for (const std::string& expression : expressions) {
    const CompiledProgram program = ProgramOf(expression);
    ASSERT_GT(program.RowCount(), kQuickScanRows);
    const std::uint64_t last = program.RowCount() - 1;
    const std::vector<RowQuery> queries = {
        {K::kNext, 1, 0},     {K::kNext, 0, 70000}, {K::kPrevious, 1, last},
        {K::kPrevious, 0, 9}, {K::kNth, 1, 3},      {K::kNth, 0, 100000},
        {K::kCount, 1, 0},    {K::kCount, 0, 0},    {K::kConstant, 1, 0}};
    for (const bool tooComplex : {false, true}) {
      SearchLimits limits;
      limits.buildDiagram = !tooComplex;
      SearchMemory memory;
      memory.diagramTooComplex = tooComplex;
      for (const RowQuery& query : queries) {
        const RowSearch expected = ByRows(program, query);
        for (int again = 0; again < 2; ++again) {
          RowSearch got = AskRows(program, query, limits, std::move(memory));
          const std::string where = expression + " kind " + std::to_string(static_cast<int>(query.kind)) +
                                    " from " + std::to_string(query.from) +
                                    (tooComplex ? " too complex" : "");
          EXPECT_EQ(got.outcome.row, expected.outcome.row) << where;
          EXPECT_EQ(got.count, expected.count) << where;
          EXPECT_EQ(got.constant, expected.constant) << where;
          EXPECT_FALSE(got.outcome.stopped) << where;
          EXPECT_NE(got.path, RowSearchPath::kOutOfTime) << where;
          EXPECT_EQ(got.path == RowSearchPath::kFullScan,
                    tooComplex && (query.kind == K::kNth || query.kind == K::kCount) &&
                        got.path != RowSearchPath::kQuickScan)
              << where;
          memory = std::move(got.memory);
        }
      }
    }
  }
}

// A caller that stops the question stops every rung, and the answer says so.
TEST(LadderTest, AStoppedBudgetStopsEveryRung) {
  const CompiledProgram program = ProgramOf(Greater(false));
  const Budget stopped;
  stopped.Stop();
  using K = RowQuery::Kind;
  for (const RowQuery& query : {RowQuery{K::kNext, 1, Row(5, 7)}, RowQuery{K::kNth, 1, 5},
                                RowQuery{K::kCount, 1, 0}, RowQuery{K::kConstant, 1, 0}}) {
    SearchMemory tooComplex;
    tooComplex.diagramTooComplex = true;
    const RowSearch search = AskRows(program, query, SmallDiagram(), std::move(tooComplex), stopped);
    EXPECT_TRUE(search.outcome.stopped) << static_cast<int>(query.kind);
    EXPECT_FALSE(search.outcome.row);
    EXPECT_FALSE(search.constant);
  }
  EXPECT_EQ(CompareTables(program, program, SmallDiagram(), stopped).status, SatStatus::kStopped);
}

}  // namespace
}  // namespace brevano

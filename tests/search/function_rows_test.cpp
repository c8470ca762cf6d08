// The rows of a function with don't-cares through the ladder, whichever rung counts them, against
// the rows one by one.
#include <gtest/gtest.h>

#include <random>

#include "pipeline/pipeline.h"
#include "search/ladder.h"
#include "tests/support/random_listing.h"
#include "twolevel/function_of.h"
#include "twolevel/least.h"

namespace brevano {
namespace {

CompiledProgram ProgramOf(const std::string& expression) {
  ExprTree tree;
  return CompiledProgram::Compile(ProcessExpression(expression, tree), 63);
}

TableFunction FunctionOf(const std::string& on, const std::string& dontCare) {
  const TruthTable table = TruthTable::FromProgram(ProgramOf(on), DisplayMode::kZeroOne);
  if (dontCare.empty()) return FunctionOfTables(table, nullptr);
  const TruthTable free = TruthTable::FromProgram(ProgramOf(dontCare), DisplayMode::kZeroOne);
  return FunctionOfTables(table, &free);
}

// The rows of each kind one by one, the first `limit` of each listed, and the ends of the 1 and
// the 0 rows.
FunctionRows ByRows(const TableFunction& function, std::size_t limit) {
  FunctionRows rows;
  for (std::uint64_t row = 0; row < function.on.RowCount(); ++row) {
    const bool free = function.dontCare && EvaluateRow(function.dontCare->Program(), row);
    const bool one = EvaluateRow(function.on.Program(), row) == 1;
    RowList& list = free ? rows.dontCares : one ? rows.ones : rows.zeros;
    ++list.total;
    if (list.rows.size() < limit) list.rows.push_back(row);
    if (free) continue;
    RowEnds& ends = one ? rows.oneEnds : rows.zeroEnds;
    if (!ends.first) ends.first = row;
    ends.last = row;
  }
  return rows;
}

// The terms of `function`, as the analysis makes them.
std::optional<FunctionTerms> TermsOf(const TableFunction& function, std::size_t maxCubes = 20000) {
  const std::optional<BooleanFunction> cubes = CubesOfFunction(function, maxCubes, std::chrono::seconds(10));
  if (!cubes) return std::nullopt;
  return FunctionTerms{TermsOfCubes(cubes->on), TermsOfCubes(cubes->dontCare)};
}

enum class Rung { kQuickScan, kDiagram, kCubes, kSolver };

// Each rung on its own: the ladder with the limits that reach it, or the rung itself where the
// function is too small for its diagrams to be too complex.
FunctionRows AskRung(const TableFunction& function, Rung rung, std::size_t limit) {
  FunctionRowLimits limits;
  limits.maxListedRows = limit;
  switch (rung) {
    case Rung::kQuickScan: return AskFunctionRows(function, limits);
    case Rung::kDiagram: limits.quickScanRows = 0; return AskFunctionRows(function, limits);
    case Rung::kCubes:
      return *search_detail::CubeRows(*TermsOf(function), function.on.Program().VariableCount(), limits);
    case Rung::kSolver: break;
  }
  FunctionRows rows = search_detail::SolverEnds(function.on.Program(), limits, {});
  if (rows.complete) return rows;
  FunctionRows scanned = ScanFunctionRows(function, limits);
  scanned.oneEnds = rows.oneEnds;
  scanned.zeroEnds = rows.zeroEnds;
  scanned.endsComplete = rows.endsComplete;
  return scanned;
}

TEST(FunctionRowsTest, EveryRungCountsAndListsTheRowsOfEachKind) {
  struct Case {
    std::string on, dontCare;
  };
  const std::string all = "a*b*c*d*e*f*g*h*i*j*k*l";
  const Case cases[] = {
      {"a*b+c*not(d)+e/f/g/h/i/j/k/l", ""},
      {"a/b/c/d/e/f/g/h/i/j/k/l", "a*b*not(c)+l*k"},
      {all, ""},                                // one row is 1
      {"not(" + all + ")", ""},                 // one row is 0
      {all + "*not(a)", ""},                    // always 0
      {"a+b+c+d+e+f+g+h+i+j+k+l", "a*b"},       // 0 in row 0 alone
      {"a*b/c+d*e*f+g*h*i*j*k*l", "a+not(a)"},  // every row a don't-care
  };
  for (const Case& c : cases) {
    const TableFunction function = FunctionOf(c.on, c.dontCare);
    for (const std::size_t limit : {std::size_t{3}, std::size_t{5000}}) {
      const FunctionRows expected = ByRows(function, limit);
      for (const Rung rung : {Rung::kQuickScan, Rung::kDiagram, Rung::kCubes, Rung::kSolver}) {
        // The solver's ends are of a function without don't-cares.
        if (rung == Rung::kSolver && function.dontCare) continue;
        const FunctionRows got = AskRung(function, rung, limit);
        const std::string where = c.on + " | " + c.dontCare + " rung " +
                                  std::to_string(static_cast<int>(rung)) + " limit " + std::to_string(limit);
        ASSERT_FALSE(got.stopped) << where;
        ASSERT_TRUE(got.complete) << where;
        using Lists = std::pair<const RowList*, const RowList*>;
        for (const auto& [list, want] : {Lists{&got.ones, &expected.ones}, Lists{&got.zeros, &expected.zeros},
                                         Lists{&got.dontCares, &expected.dontCares}}) {
          EXPECT_EQ(list->total, want->total) << where;
          EXPECT_EQ(list->rows, want->rows) << where;
        }
        if (got.endsComplete) {
          EXPECT_EQ(got.oneEnds.first, expected.oneEnds.first) << where;
          EXPECT_EQ(got.oneEnds.last, expected.oneEnds.last) << where;
          EXPECT_EQ(got.zeroEnds.first, expected.zeroEnds.first) << where;
          EXPECT_EQ(got.zeroEnds.last, expected.zeroEnds.last) << where;
        }
      }
    }
  }
}

// Where the diagrams are too complex: the cubes where the function has few; else, without
// don't-cares, the solver's ends; and a scan to follow within the limits, whose counts the cubes'
// agree with.
TEST(FunctionRowsTest, BeyondTheDiagramsTheLadderTakesItsRungsInOrder) {
  const std::string tangled = testing::TangledLetterProducts();
  struct Case {
    std::string on, dontCare;
    bool terms;
    int maxScannedVariables;
    RowSearchPath path;
    bool complete, endsComplete, scanFollows;
  };
  const Case cases[] = {
      {tangled, "", true, 63, RowSearchPath::kCubes, true, false, false},
      {tangled, "a*b", true, 63, RowSearchPath::kCubes, true, false, false},
      {tangled, "", false, 63, RowSearchPath::kSolver, false, true, true},
      {tangled, "a*b", false, 63, RowSearchPath::kTooComplex, false, false, true},
      {tangled, "", false, 16, RowSearchPath::kSolver, false, true, false},
      {tangled + "+not(" + tangled + ")", "", false, 16, RowSearchPath::kSolver, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dontCare + " " + std::to_string(c.terms) + " " + std::to_string(c.maxScannedVariables));
    const TableFunction function = FunctionOf(c.on, c.dontCare);
    FunctionRowLimits limits;
    limits.maxListedRows = 4;
    limits.diagram.maxNodes = 1000;
    limits.maxScannedVariables = c.maxScannedVariables;
    int asked = 0;
    const FunctionTermsMaker terms = [&]() -> std::optional<FunctionTerms> {
      ++asked;
      return TermsOf(function, c.terms ? 20000 : 0);
    };
    const FunctionRows rows = AskFunctionRows(function, limits, {}, terms);
    EXPECT_TRUE(rows.tooComplex);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(rows.path, c.path);
    EXPECT_EQ(rows.complete, c.complete);
    EXPECT_EQ(rows.endsComplete, c.endsComplete);
    EXPECT_EQ(rows.scanFollows, c.scanFollows);
    if (!c.complete) continue;
    const FunctionRows scanned = ScanFunctionRows(function, limits);
    for (const auto& [list, want] :
         {std::pair{&rows.ones, &scanned.ones}, std::pair{&rows.zeros, &scanned.zeros},
          std::pair{&rows.dontCares, &scanned.dontCares}}) {
      EXPECT_EQ(list->total, want->total);
      EXPECT_EQ(list->rows, want->rows);
    }
  }
}

// A Cancel that comes while the terms are made stops the cube rung too: nothing is counted.
TEST(FunctionRowsTest, TheCubeRungStopsWithTheCaller) {
  const TableFunction function = FunctionOf(testing::TangledLetterProducts(), "");
  FunctionRowLimits limits;
  limits.diagram.maxNodes = 1000;
  const Budget budget;
  const FunctionTermsMaker terms = [&]() -> std::optional<FunctionTerms> {
    budget.Stop();
    return TermsOf(function);
  };
  const FunctionRows rows = AskFunctionRows(function, limits, budget, terms);
  EXPECT_TRUE(rows.stopped);
  EXPECT_FALSE(rows.complete);
  EXPECT_EQ(rows.ones.total, 0u);
}

}  // namespace
}  // namespace brevano

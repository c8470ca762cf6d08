// Decision diagrams against the bit-parallel evaluator on every row of random tables, exact
// counts and searches at 63 variables, comparisons, and budgets that run out.
#include "diagram/diagram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <numeric>
#include <random>

#include "engine/engine_error.h"
#include "pipeline/pipeline.h"
#include "tabulate/bit_parallel.h"
#include "tests/support/random_listing.h"

namespace brevano {
namespace {

CompiledProgram ProgramOf(const std::string& expression) {
  ExprTree tree;
  return CompiledProgram::Compile(ProcessExpression(expression, tree), 63);
}

std::shared_ptr<const Diagram> DiagramOf(const CompiledProgram& program, const DiagramLimits& limits = {},
                                         const std::vector<int>& order = {}) {
  const DiagramOutcome outcome =
      order.empty() ? BuildDiagram(program, limits) : BuildDiagramInOrder(program, order, limits);
  EXPECT_EQ(outcome.status, DiagramStatus::kBuilt);
  return outcome.diagram;
}

// The whole Result column as bits, from the bit-parallel evaluator.
std::vector<std::uint64_t> Bits(const CompiledProgram& program) {
  BlockEvaluator evaluator(program);
  std::vector<std::uint64_t> bits((program.RowCount() + 63) / 64);
  for (std::size_t word = 0; word < bits.size(); ++word) bits[word] = evaluator.EvaluateAligned(64 * word);
  return bits;
}

int BitAt(const std::vector<std::uint64_t>& bits, std::uint64_t row) {
  return (bits[row / 64] >> (row % 64)) & 1;
}

// Every query of the diagram against plain scans of the bits: all rows, then random starts.
void CheckAgainstBits(const CompiledProgram& program, std::mt19937_64& rng,
                      const std::vector<int>& order = {}) {
  const std::shared_ptr<const Diagram> diagram = DiagramOf(program, {}, order);
  ASSERT_TRUE(diagram);
  const std::vector<std::uint64_t> bits = Bits(program);
  const std::uint64_t rows = program.RowCount();
  std::uint64_t ones = 0;
  std::vector<std::uint64_t> rowsOf[2];
  for (std::uint64_t row = 0; row < rows; ++row) {
    const int bit = BitAt(bits, row);
    ASSERT_EQ(diagram->Result(row), bit) << "row " << row;
    ASSERT_EQ(diagram->Rank(1, row), ones) << "row " << row;
    ASSERT_EQ(diagram->Rank(0, row), row - ones) << "row " << row;
    rowsOf[bit].push_back(row);
    ones += static_cast<std::uint64_t>(bit);
  }
  for (int result = 0; result < 2; ++result) {
    ASSERT_EQ(diagram->Count(result), rowsOf[result].size());
    for (int trial = 0; trial < 8; ++trial) {
      const std::uint64_t from = rng() % (rows + 2);
      const SearchOutcome next = FindNextRow(program, result, from);
      const SearchOutcome previous = FindPreviousRow(program, result, from);
      ASSERT_EQ(diagram->Next(result, from), next.row) << "result " << result << " from " << from;
      ASSERT_EQ(diagram->Previous(result, from), previous.row) << "result " << result << " from " << from;
      const std::uint64_t k = rng() % (rowsOf[result].size() + 1);
      const std::optional<std::uint64_t> nth =
          k < rowsOf[result].size() ? std::optional(rowsOf[result][k]) : std::nullopt;
      ASSERT_EQ(diagram->Nth(result, k), nth) << "result " << result << " k " << k;
    }
  }
}

// A random expression in which each of `variables` letters appears, joined at random by +, * and
// / and now and then negated.
std::string ExpressionOverAll(std::mt19937_64& rng, int variables, int extraLeaves) {
  std::vector<std::string> parts;
  for (int i = 0; i < variables + extraLeaves; ++i)
    parts.emplace_back(1, static_cast<char>('a' + i % variables));
  while (parts.size() > 1) {
    const std::size_t i = rng() % parts.size();
    std::string left = std::move(parts[i]);
    parts.erase(parts.begin() + static_cast<std::ptrdiff_t>(i));
    std::string& right = parts[rng() % parts.size()];
    right = "(" + left + "+*/"[rng() % 3] + right + ")";
    if (rng() % 5 == 0) right = "not" + right;
  }
  return parts[0];
}

TEST(DiagramTest, AgreesWithTheBitParallelPathOnRandomTables) {
  std::mt19937_64 rng(18);
  int checked = 0;
  for (int round = 0; round < 1500; ++round) {
    // Raw listings (malformed ones are refused by the compiler) with odd names up to 12
    // variables, and typed expressions up to 16.
    const int variables = round % 17;
    CompiledProgram program;
    try {
      program = variables <= 12
                    ? CompiledProgram::Compile(testing::RandomTreeListing(rng, variables, 5 + round % 40), 63)
                    : ProgramOf(ExpressionOverAll(rng, variables, round % 20));
    } catch (const EngineError&) {
      continue;
    }
    SCOPED_TRACE("round " + std::to_string(round));
    // Every third table also in a random order of its levels: rows and answers stay in table order.
    std::vector<int> order;
    if (round % 3 == 0 && program.VariableCount() <= 12) {
      order.resize(static_cast<std::size_t>(program.VariableCount()));
      std::iota(order.begin(), order.end(), 0);
      std::shuffle(order.begin(), order.end(), rng);
    }
    CheckAgainstBits(program, rng, order);
    if (HasFatalFailure()) return;
    ++checked;
  }
  EXPECT_GT(checked, 1000);
}

// Known functions of 63 variables: x00 .. x62 joined by one operator, or at least two of them.
std::string Joined(const std::string& separator, int count = 63) {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += (i ? separator : "") + std::string(i < 10 ? "x0" : "x") + std::to_string(i);
  return text;
}

std::string AtLeastTwo(int count) {
  // Some pair is 1: the OR over i of x_i AND (the OR of the variables after it).
  std::string text;
  for (int i = 0; i + 1 < count; ++i) {
    std::string rest;
    for (int j = i + 1; j < count; ++j)
      rest += (j > i + 1 ? "+" : "") + std::string(j < 10 ? "x0" : "x") + std::to_string(j);
    text += (i ? "+" : "") + std::string(i < 10 ? "x0" : "x") + std::to_string(i) + "*(" + rest + ")";
  }
  return text;
}

TEST(DiagramTest, CountsAndSearchesAreExactAtSixtyThreeVariables) {
  constexpr std::uint64_t kLast = ~std::uint64_t{0} >> 1;
  struct Case {
    const char* name;
    std::string expression;
    std::uint64_t ones;
    std::optional<std::uint64_t> firstOne, lastZero;
  };
  const Case cases[] = {
      {"and", Joined("*"), 1, kLast, kLast - 1},
      {"or", Joined("+"), kLast, 1, 0},
      {"xor", Joined("/"), std::uint64_t{1} << 62, 1, kLast - 1},
      {"at least two", AtLeastTwo(63), kLast - 63, 3, std::uint64_t{1} << 62},
      {"constant", "x00*not(x00)*(" + Joined("+") + ")", 0, std::nullopt, kLast},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::shared_ptr<const Diagram> diagram = DiagramOf(ProgramOf(c.expression));
    ASSERT_TRUE(diagram);
    EXPECT_EQ(diagram->VariableCount(), 63);
    EXPECT_EQ(diagram->Count(1), c.ones);
    EXPECT_EQ(diagram->Count(0), kLast - c.ones + 1);
    EXPECT_EQ(diagram->Next(1, 0), c.firstOne);
    EXPECT_EQ(diagram->Previous(0, ~std::uint64_t{0}), c.lastZero);
    if (c.ones > 0) {
      EXPECT_EQ(diagram->Nth(1, 0), c.firstOne);
      EXPECT_EQ(diagram->Rank(1, *diagram->Nth(1, c.ones - 1)), c.ones - 1);
      EXPECT_EQ(diagram->Nth(1, c.ones), std::nullopt);
    }
  }
}

// Two random tables over overlapping variables against a scan of every row of their union.
TEST(DiagramTest, ComparisonFindsTheFirstDifferingRow) {
  std::mt19937_64 rng(7);
  int differing = 0;
  for (int round = 0; round < 600; ++round) {
    CompiledProgram a, b;
    try {
      a = ProgramOf(testing::RandomExpressionText(rng, 1 + round % 6, 8));
      b = round % 3 ? ProgramOf(testing::RandomExpressionText(rng, 1 + round % 6, 8)) : a;
    } catch (const EngineError&) {
      continue;
    }
    const Comparison comparison = CompareFunctions(a, b);
    ASSERT_EQ(comparison.status, DiagramStatus::kBuilt);
    const int n = static_cast<int>(comparison.variables.size());
    std::optional<std::uint64_t> expected;
    for (std::uint64_t row = 0; row < (std::uint64_t{1} << n) && !expected; ++row) {
      // The row of each program: its variables' bits picked out of the union's row.
      auto resultOf = [&](const CompiledProgram& program) {
        std::uint64_t own = 0;
        for (const std::string& name : program.Variables()) {
          const auto at = std::find(comparison.variables.begin(), comparison.variables.end(), name);
          own = own << 1 | ((row >> (n - 1 - (at - comparison.variables.begin()))) & 1);
        }
        return EvaluateRow(program, own);
      };
      if (resultOf(a) != resultOf(b)) {
        expected = row;
        EXPECT_EQ(comparison.firstResult, resultOf(a));
        EXPECT_EQ(comparison.secondResult, resultOf(b));
      }
    }
    ASSERT_EQ(comparison.equivalent, !expected) << "round " << round;
    if (expected) {
      ASSERT_EQ(comparison.row, *expected) << "round " << round;
      ++differing;
    }
  }
  EXPECT_GT(differing, 100);
  EXPECT_THROW(CompareFunctions(ProgramOf(Joined("+", 40)), ProgramOf("y" + Joined("+y", 40))), EngineError);
}

// a1..an all before b1..bn: the sum of the products ai*bi has 2^n nodes in this order.
std::string BadlyOrderedPairs(int pairs) {
  std::string text;
  for (int i = 0; i < pairs; ++i)
    text += (i ? "+" : "") + std::string("a") + char('a' + i) + "*b" + char('a' + i);
  return text;
}

// The sum of `terms` products of four of 48 variables, chosen at random: large in any order.
std::string TangledProducts(int terms) {
  std::mt19937_64 rng(3);
  std::string text;
  for (int t = 0; t < terms; ++t) {
    text += t ? "+" : "";
    for (int f = 0; f < 4; ++f) {
      const auto v = static_cast<int>(rng() % 48);
      const std::string name = std::string("v") + char('a' + v / 26) + char('a' + v % 26);
      text += (f ? "*" : "") + (rng() % 2 ? name : "not(" + name + ")");
    }
  }
  return text;
}

TEST(DiagramTest, TheOrderOfTheTextRescuesABadTableOrder) {
  // Table order puts every a* before every b*; the text pairs them, and so does the diagram.
  const std::shared_ptr<const Diagram> pairs = DiagramOf(ProgramOf(BadlyOrderedPairs(26)));
  ASSERT_TRUE(pairs);
  EXPECT_FALSE(pairs->Order().empty());
  EXPECT_LT(pairs->NodeCount(), 200u);
  std::uint64_t ones = std::uint64_t{1} << 52;  // rows where some pair is 1 1: all but 3^26
  std::uint64_t none = 1;
  for (int i = 0; i < 26; ++i) none *= 3;
  ones -= none;
  EXPECT_EQ(pairs->Count(1), ones);
  // Queries in table order: the first row with Result 1 sets AZ and BZ, the last column of each half.
  EXPECT_EQ(pairs->Next(1, 0), (std::uint64_t{1} << 26) | 1);
  EXPECT_EQ(pairs->Nth(1, 0), pairs->Next(1, 0));
  EXPECT_EQ(pairs->Rank(1, *pairs->Next(1, 0)), 0u);
}

TEST(DiagramTest, BudgetsEndABuildAndLeaveTheManagerUsable) {
  const CompiledProgram large = ProgramOf(TangledProducts(150));
  EXPECT_EQ(BuildDiagram(large, {20'000, std::chrono::milliseconds(5000)}).status,
            DiagramStatus::kTooComplex);
  EXPECT_EQ(BuildDiagram(large, {2'000'000, std::chrono::milliseconds(1)}).status,
            DiagramStatus::kTooComplex);
  EXPECT_EQ(
      BuildDiagram(large, {}, Budget(Budget::kNoLimit, [](std::uint64_t, std::uint64_t) { return false; }))
          .status,
      DiagramStatus::kStopped);
  // The default budget ends it too, within the time the fallback may wait.
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(BuildDiagram(ProgramOf(TangledProducts(150))).status, DiagramStatus::kTooComplex);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  // After each failure the manager starts afresh.
  const std::shared_ptr<const Diagram> small = DiagramOf(ProgramOf(BadlyOrderedPairs(6)));
  ASSERT_TRUE(small);
  EXPECT_EQ(small->Count(1), 64 * 64 - 27 * 27);
}

}  // namespace
}  // namespace brevano

// The encoding check: on thousands of random tables up to 16 variables, listings with ignored lines
// and operators that take a neighbour's value included, every row and every first difference the
// solver finds is the bit-parallel evaluator's; budgets that run out, and questions taken up again.
#include <gtest/gtest.h>

#include <random>

#include "engine/engine_error.h"
#include "pipeline/pipeline.h"
#include "sat/sat_search.h"
#include "tabulate/bit_parallel.h"
#include "tests/support/random_listing.h"

namespace brevano {
namespace {

CompiledProgram ProgramOf(const std::string& expression) {
  ExprTree tree;
  return CompiledProgram::Compile(ProcessExpression(expression, tree), 63);
}

// A random expression over `variables` letters from a to p, with operators the table ignores now
// and then ("-", "sin"), so that the stack keeps values no operator asked for.
std::string TypedExpression(std::mt19937_64& rng, int variables, int leaves) {
  std::vector<std::string> parts;
  for (int i = 0; i < leaves; ++i)
    parts.emplace_back(1, static_cast<char>('a' + (i < variables ? i : rng() % variables)));
  while (parts.size() > 1) {
    const std::size_t i = rng() % parts.size();
    std::string left = std::move(parts[i]);
    parts.erase(parts.begin() + static_cast<std::ptrdiff_t>(i));
    std::string& right = parts[rng() % parts.size()];
    right = "(" + left + "+*/+*/-"[rng() % 7] + right + ")";
    if (rng() % 5 == 0) right = (rng() % 4 ? "not" : "sin") + right;
  }
  return parts[0];
}

// A random program: raw listings over up to 12 odd names (malformed ones are refused), then typed
// expressions up to 16 letters; nothing when the compiler refuses it.
std::optional<CompiledProgram> RandomProgram(std::mt19937_64& rng, int round) {
  const int variables = round % 17;
  try {
    if (variables <= 12 && round % 3 != 2)
      return CompiledProgram::Compile(round % 3 ? testing::RandomTreeListing(rng, variables, 5 + round % 40)
                                                : testing::RandomLineSoup(rng, variables, 4 + round % 30),
                                      63);
    return ProgramOf(TypedExpression(rng, std::max(variables, 1), std::max(variables, 1) + round % 12));
  } catch (const EngineError&) {
    return std::nullopt;
  }
}

const Budget kPlenty{std::chrono::milliseconds(60000)};

TEST(SatTest, RowsAgreeWithTheBitParallelEvaluator) {
  std::mt19937_64 rng(24);
  int checked = 0;
  for (int round = 0; round < 3000; ++round) {
    const std::optional<CompiledProgram> program = RandomProgram(rng, round);
    if (!program) continue;
    ResultSolver solver(*program);
    const std::uint64_t rows = program->RowCount();
    for (int trial = 0; trial < 3; ++trial) {
      const int result = static_cast<int>(rng() % 2);
      // Now and then the ends, and one past the last row.
      const std::uint64_t from = trial == 0 ? (round % 2 ? 0 : ~std::uint64_t{0}) : rng() % (rows + 1);
      const SatRow next = solver.Next(result, from, kPlenty);
      const SatRow previous = solver.Previous(result, from, kPlenty);
      ASSERT_EQ(next.status, SatStatus::kAnswered);
      ASSERT_EQ(previous.status, SatStatus::kAnswered);
      ASSERT_EQ(next.row, FindNextRow(*program, result, from).row)
          << "round " << round << " result " << result << " from " << from;
      ASSERT_EQ(previous.row, FindPreviousRow(*program, result, from).row)
          << "round " << round << " result " << result << " from " << from;
    }
    ++checked;
  }
  EXPECT_GT(checked, 2000);
}

// The Result of `program` in the row `row` of the union `all` of the variables.
int ResultInUnion(const CompiledProgram& program, const std::vector<std::string>& all, std::uint64_t row) {
  std::uint64_t own = 0;
  for (const std::string& name : program.Variables()) {
    const auto at = std::find(all.begin(), all.end(), name) - all.begin();
    own = own << 1 | ((row >> (all.size() - 1 - at)) & 1);
  }
  return EvaluateRow(program, own);
}

TEST(SatTest, FirstDifferenceAgreesWithAScanOfTheUnion) {
  std::mt19937_64 rng(8);
  int differing = 0, equivalent = 0;
  for (int round = 0; round < 1500; ++round) {
    std::optional<CompiledProgram> a, b;
    if (round % 4 == 0) {
      // Equivalent by absorption, which only the solver's search sees (the simplifier takes / for
      // a division, so no XOR here).
      const int variables = 1 + round % 10;
      const std::string text = TypedExpression(rng, variables, variables + round % 7);
      const std::string other = TypedExpression(rng, variables, 1 + round % 5);
      try {
        a = ProgramOf(text);
        b = ProgramOf("(" + other + ")*(" + text + ")+(" + text + ")");
      } catch (const EngineError&) {
        continue;
      }
    } else {
      a = RandomProgram(rng, round);
      b = RandomProgram(rng, round + 1 + round % 3);
    }
    if (!a || !b) continue;
    if (a->VariableCount() + b->VariableCount() > 20) continue;
    DifferenceSolver solver(*a, *b);
    const std::vector<std::string>& all = solver.Variables();
    std::optional<std::uint64_t> expected;
    for (std::uint64_t row = 0; row < (std::uint64_t{1} << all.size()) && !expected; ++row) {
      if (ResultInUnion(*a, all, row) != ResultInUnion(*b, all, row)) expected = row;
    }
    const SatDifference difference = solver.FirstDifference(kPlenty);
    ASSERT_EQ(difference.status, SatStatus::kAnswered);
    ASSERT_EQ(difference.row, expected) << "round " << round;
    if (expected) {
      ASSERT_EQ(difference.firstResult, ResultInUnion(*a, all, *expected)) << "round " << round;
      ++differing;
    } else {
      ++equivalent;
    }
  }
  EXPECT_GT(differing, 400);
  EXPECT_GT(equivalent, 300);
}

// A question stopped again and again, after one more look at the clock each time, goes on where
// it stopped and ends at the right row; a budget of nothing runs out.
TEST(SatTest, StoppedQuestionsGoOnWhereTheyStopped) {
  std::mt19937_64 rng(5);
  for (int round = 0; round < 40; ++round) {
    const CompiledProgram program = ProgramOf(TypedExpression(rng, 20, 60));
    ResultSolver solver(program);
    const int result = round % 2;
    const std::uint64_t from = rng() % program.RowCount();
    const bool forward = round % 4 < 2;
    SatRow found{SatStatus::kStopped, {}};
    int asked = 0;
    for (; found.status != SatStatus::kAnswered; ++asked) {
      ASSERT_LT(asked, 1000);
      int looks = 0;
      const Budget slice(std::chrono::milliseconds(60000),
                         [&looks, asked](std::uint64_t, std::uint64_t) { return !(looks++ > asked); });
      found = forward ? solver.Next(result, from, slice) : solver.Previous(result, from, slice);
      ASSERT_NE(found.status, SatStatus::kOutOfTime);
    }
    EXPECT_EQ(found.row,
              (forward ? FindNextRow(program, result, from) : FindPreviousRow(program, result, from)).row)
        << "round " << round << " after " << asked << " questions";
  }
  ResultSolver solver(ProgramOf("a*b+c*not(d)+e/f"));
  EXPECT_EQ(solver.Next(1, 3, Budget(std::chrono::milliseconds(0))).status, SatStatus::kOutOfTime);
  EXPECT_EQ(solver.Next(1, 3, kPlenty).row, 5u);
}

TEST(SatTest, SixtyThreeVariables) {
  std::string all, any;
  for (int i = 0; i < 63; ++i) {
    const std::string name = "x" + std::to_string(100 + i);
    all += (i ? "*" : "") + name;
    any += (i ? "+" : "") + name;
  }
  constexpr std::uint64_t kLast = ~std::uint64_t{0} >> 1;
  ResultSolver solverAll(ProgramOf(all));
  EXPECT_EQ(solverAll.Next(1, 0, kPlenty).row, kLast);
  EXPECT_EQ(solverAll.Previous(0, kLast, kPlenty).row, kLast - 1);
  EXPECT_EQ(solverAll.Next(1, kLast, kPlenty).row, kLast);
  EXPECT_EQ(solverAll.Next(1, kLast + 1, kPlenty).row, std::nullopt);
  ResultSolver solverAny(ProgramOf(any));
  EXPECT_EQ(solverAny.Next(0, 1, kPlenty).row, std::nullopt);
  EXPECT_EQ(solverAny.Previous(0, kLast, kPlenty).row, 0u);
  EXPECT_EQ(solverAny.Next(1, 12345, kPlenty).row, 12345u);
  DifferenceSolver difference(ProgramOf(all), ProgramOf(any));
  const SatDifference found = difference.FirstDifference(kPlenty);
  EXPECT_EQ(found.row, 1u);
  EXPECT_EQ(found.firstResult, 0);
  EXPECT_THROW(DifferenceSolver(ProgramOf(all), ProgramOf("y1+y2")), EngineError);
}

}  // namespace
}  // namespace brevano

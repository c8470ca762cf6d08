// The compiled and the bit-parallel evaluators against the reference tabulation, on random
// listings and expressions, every row.
#include <gtest/gtest.h>

#include <random>

#include "engine/engine_error.h"
#include "pipeline/pipeline.h"
#include "tabulate/bit_parallel.h"
#include "tabulate/compiled_program.h"
#include "tabulate/tabulation.h"
#include "tests/support/random_listing.h"
#include "tests/support/reference_tabulation.h"

namespace brevano {
namespace {

using testing::VariableName;

using testing::ReferenceTabulator;

// The reference results of every row, or nothing when the reference finds the listing malformed.
std::optional<std::vector<int>> ReferenceResults(const Listing& listing,
                                                 std::vector<std::string>& variables) {
  ReferenceTabulator reference(listing);
  variables = reference.Variables();
  std::vector<int> results;
  try {
    do results.push_back(reference.Evaluate());
    while (reference.Advance());
  } catch (const EngineError&) {
    return std::nullopt;
  }
  return results;
}

// Checks every fast path against the reference on one listing; the table must have few rows.
void CheckAgainstReference(const Listing& listing, std::mt19937_64& rng) {
  std::vector<std::string> variables;
  const std::optional<std::vector<int>> expected = ReferenceResults(listing, variables);
  if (!expected) {
    EXPECT_THROW(TruthTable::Build(listing, DisplayMode::kZeroOne), EngineError);
    return;
  }
  const TruthTable table = TruthTable::Build(listing, DisplayMode::kZeroOne);
  ASSERT_EQ(table.Variables(), variables);
  const std::uint64_t rows = table.RowCount();
  ASSERT_EQ(rows, expected->size());

  BlockEvaluator blocks(table.Program());
  std::uint64_t ones = 0;
  for (std::uint64_t row = 0; row < rows; ++row) {
    ASSERT_EQ(table.Result(row), (*expected)[row]) << "row " << row;
    if (row % 64 == 0) {
      const std::uint64_t word = blocks.EvaluateAligned(row);
      for (std::uint64_t k = 0; k < 64; ++k) {
        const int want = row + k < rows ? (*expected)[row + k] : 0;
        ASSERT_EQ(static_cast<int>((word >> k) & 1), want) << "block at " << row << ", bit " << k;
      }
    }
    ones += (*expected)[row];
  }
  const std::uint64_t start = std::uniform_int_distribution<std::uint64_t>(0, rows + 70)(rng);
  const std::uint64_t word = EvaluateBlock(table.Program(), start);
  for (std::uint64_t k = 0; k < 64; ++k) {
    const int want = start + k < rows ? (*expected)[start + k] : 0;
    ASSERT_EQ(static_cast<int>((word >> k) & 1), want) << "unaligned block at " << start << ", bit " << k;
  }

  EXPECT_EQ(CountRows(table.Program(), 1).count, ones);
  EXPECT_EQ(CountRows(table.Program(), 0).count, rows - ones);
  const int wanted = static_cast<int>(rng() & 1);
  const std::uint64_t from = std::uniform_int_distribution<std::uint64_t>(0, rows)(rng);
  std::optional<std::uint64_t> next, previous;
  for (std::uint64_t row = from; row < rows && !next; ++row) {
    if ((*expected)[row] == wanted) next = row;
  }
  for (std::uint64_t row = std::min(from, rows - 1) + 1; row-- > 0 && !previous;) {
    if ((*expected)[row] == wanted) previous = row;
  }
  EXPECT_EQ(FindNextRow(table.Program(), wanted, from).row, next) << "from " << from;
  EXPECT_EQ(FindPreviousRow(table.Program(), wanted, from).row, previous) << "from " << from;
}

TEST(FastPaths, AgreeWithTheReferenceOnRandomTrees) {
  std::mt19937_64 rng(20240601);
  for (int i = 0; i < 3000; ++i) {
    const int variables = std::uniform_int_distribution<int>(0, 10)(rng);
    const int nodes = std::uniform_int_distribution<int>(1, 40)(rng);
    const Listing listing = testing::RandomTreeListing(rng, variables, nodes);
    SCOPED_TRACE(::testing::PrintToString(listing));
    CheckAgainstReference(listing, rng);
    if (HasFatalFailure()) return;
  }
}

TEST(FastPaths, AgreeWithTheReferenceOnRandomLines) {
  std::mt19937_64 rng(77);
  for (int i = 0; i < 3000; ++i) {
    const Listing listing = testing::RandomLineSoup(rng, std::uniform_int_distribution<int>(0, 9)(rng),
                                                    std::uniform_int_distribution<int>(0, 25)(rng));
    SCOPED_TRACE(::testing::PrintToString(listing));
    CheckAgainstReference(listing, rng);
    if (HasFatalFailure()) return;
  }
}

TEST(FastPaths, AgreeWithTheReferenceOnProcessedExpressions) {
  std::mt19937_64 rng(5);
  int checked = 0;
  for (int i = 0; i < 1500; ++i) {
    const std::string text =
        testing::RandomExpressionText(rng, 8, std::uniform_int_distribution<int>(1, 30)(rng));
    SCOPED_TRACE(text);
    ExprTree tree;
    Listing listing;
    try {
      listing = ProcessExpression(text, tree);
    } catch (const EngineError&) {
      continue;  // the simplifier folds constants as numbers: 1/0 is an error there
    }
    CheckAgainstReference(listing, rng);
    if (HasFatalFailure()) return;
    ++checked;
  }
  EXPECT_GT(checked, 1000);
}

// The tree listing over `count` variables v0.. with random structure, so that every variable
// appears; the table is too large for the reference, so blocks are checked against single rows.
Listing WideListing(std::mt19937_64& rng, int count) {
  Listing listing;
  for (int i = 0; i < count; ++i) {
    if (i + 1 < count) listing.push_back(rng() % 3 == 0 ? "+ @F" : rng() % 2 ? "/ @F" : "* @F");
    if (rng() % 4 == 0) listing.push_back("not @F");
    listing.push_back(VariableName(10 + i));
  }
  return listing;
}

TEST(FastPaths, BlocksAgreeWithRowsInWideTables) {
  std::mt19937_64 rng(11);
  for (int count : {7, 20, 40, 62, 63}) {
    const TruthTable table = TruthTable::Build(WideListing(rng, count), DisplayMode::kZeroOne);
    BlockEvaluator blocks(table.Program());
    const std::uint64_t rows = table.RowCount();
    for (int i = 0; i < 200; ++i) {
      std::uint64_t start = rng() % rows;
      if (i < 3) start = rows - 1 - i * 40;  // the last rows, past which bits are 0
      const std::uint64_t word = blocks.Evaluate(start);
      for (std::uint64_t k = 0; k < 64; ++k) {
        const int want = start + k < rows ? table.Result(start + k) : 0;
        ASSERT_EQ(static_cast<int>((word >> k) & 1), want) << count << " variables, row " << start + k;
      }
    }
  }
}

// Every variable ANDed with its own complement: no row gives 1.
Listing AlwaysZero(int count) {
  Listing listing = {"* @F", "v10", "not @F", "v10"};
  for (int i = 1; i < count; ++i) {
    listing.insert(listing.begin(), "* @F");
    listing.push_back(VariableName(10 + i));
  }
  return listing;
}

TEST(BulkSearch, ProgressCanStopALongSearch) {
  const TruthTable table = TruthTable::Build(AlwaysZero(40), DisplayMode::kZeroOne);
  int calls = 0;
  std::uint64_t lastDone = 0;
  const Progress stopAfterThree = [&](std::uint64_t done, std::uint64_t total) {
    EXPECT_EQ(total, table.RowCount());
    lastDone = done;
    return ++calls < 3;
  };
  const SearchOutcome next = FindNextRow(table.Program(), 1, 0, stopAfterThree);
  EXPECT_TRUE(next.stopped);
  EXPECT_FALSE(next.row);
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(lastDone, 3 * RowsPerProgressCall(table.Program()));

  calls = 0;
  const SearchOutcome previous = FindPreviousRow(table.Program(), 1, ~std::uint64_t{0}, stopAfterThree);
  EXPECT_TRUE(previous.stopped);
  EXPECT_FALSE(previous.row);

  calls = 0;
  const CountOutcome count = CountRows(table.Program(), 1, stopAfterThree);
  EXPECT_TRUE(count.stopped);
  EXPECT_EQ(count.count, 0u);
}

TEST(BulkSearch, FindsRowsFarApart) {
  // Result 1 only where every variable is 1: the last of 2^40 rows.
  Listing listing;
  for (int i = 1; i < 40; ++i) listing.push_back("* @F");
  for (int i = 0; i < 40; ++i) listing.push_back(VariableName(10 + i));
  const TruthTable table = TruthTable::Build(listing, DisplayMode::kZeroOne);
  const std::uint64_t last = table.RowCount() - 1;
  EXPECT_EQ(FindPreviousRow(table.Program(), 1, ~std::uint64_t{0}).row, last);
  EXPECT_EQ(FindNextRow(table.Program(), 1, last - 100).row, last);
  EXPECT_EQ(FindNextRow(table.Program(), 0, last).row, std::nullopt);
  EXPECT_EQ(FindNextRow(table.Program(), 1, last + 1).row, std::nullopt);
  EXPECT_EQ(FindPreviousRow(table.Program(), 0, last).row, last - 1);
  EXPECT_FALSE(FindNextRow(table.Program(), 1, last + 1).stopped);
}

}  // namespace
}  // namespace brevano

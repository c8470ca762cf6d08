// The covering search against brute force on small random problems, with the walk that settles the
// column order given room enough and given almost none (it then falls back on searches).
#include "minimise/cover_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <random>

namespace brevano {
namespace {

// Rows 0..n-1 as bits. A third of the columns repeat the rows of an earlier one, so that many
// covers tie and the column order decides.
CoverProblem RandomProblem(std::mt19937& random, bool equalWeights) {
  CoverProblem problem;
  problem.rowCount = 8 + static_cast<int>(random() % 9);
  const int columns = 10 + static_cast<int>(random() % 9);
  std::vector<std::uint32_t> masks;
  for (int c = 0; c < columns; ++c) {
    std::uint32_t mask = 0;
    if (c > 0 && random() % 3 == 0) {
      mask = masks[random() % masks.size()];
    } else {
      for (int r = 0; r < problem.rowCount; ++r)
        if (random() % 4 == 0) mask |= 1u << r;
    }
    masks.push_back(mask);
  }
  for (int r = 0; r < problem.rowCount; ++r) masks[random() % masks.size()] |= 1u << r;
  for (std::uint32_t mask : masks) {
    std::vector<int> rows;
    for (int r = 0; r < problem.rowCount; ++r)
      if ((mask >> r) & 1) rows.push_back(r);
    problem.columnRows.push_back(rows);
    problem.weight.push_back(equalWeights ? 2 : 1 + static_cast<int>(random() % 3));
  }
  return problem;
}

// Fewest columns, then least weight, then the first ascending column list.
std::vector<int> BruteBest(const CoverProblem& problem) {
  const int columns = static_cast<int>(problem.columnRows.size());
  std::vector<std::uint32_t> masks;
  for (const std::vector<int>& rows : problem.columnRows) {
    std::uint32_t mask = 0;
    for (int r : rows) mask |= 1u << r;
    masks.push_back(mask);
  }
  const std::uint32_t all = (1u << problem.rowCount) - 1;
  std::vector<int> best;
  std::int64_t bestWeight = 0;
  for (std::uint32_t chosenMask = 1; chosenMask < (1u << columns); ++chosenMask) {
    std::uint32_t covered = 0;
    for (int c = 0; c < columns; ++c)
      if ((chosenMask >> c) & 1) covered |= masks[static_cast<std::size_t>(c)];
    if (covered != all) continue;
    std::vector<int> chosen;
    std::int64_t weight = 0;
    for (int c = 0; c < columns; ++c)
      if ((chosenMask >> c) & 1) chosen.push_back(c), weight += problem.weight[static_cast<std::size_t>(c)];
    const bool better =
        best.empty() || chosen.size() < best.size() ||
        (chosen.size() == best.size() && (weight < bestWeight || (weight == bestWeight && chosen < best)));
    if (better) best = chosen, bestWeight = weight;
  }
  return best;
}

TEST(CoverSearchTest, RandomProblemsMatchBruteForceWhateverTheWalksRoom) {
  std::mt19937 random(31);
  for (int round = 0; round < 150; ++round) {
    const CoverProblem problem = RandomProblem(random, round % 2 == 0);
    const std::vector<int> expected = BruteBest(problem);
    for (const int trialNodes : {1, 3, kTrialNodes}) {
      Budget control(std::chrono::seconds(60), {});
      CoverSolution solution = SearchCover(problem, control, trialNodes);
      std::sort(solution.columns.begin(), solution.columns.end());
      EXPECT_TRUE(solution.optimal) << round << ", room " << trialNodes;
      EXPECT_EQ(solution.columns, expected) << round << ", room " << trialNodes;
    }
  }
}

// The primes of the function of `n` inputs that is 1 when `low` to `high` of them are: every column
// covers 2^(high-low) rows, no column or row dominates another, and covers of the fewest columns
// abound, so that settling the column order takes many trials.
CoverProblem SymmetricProblem(int n, int low, int high) {
  CoverProblem problem;
  std::vector<int> rowOf(std::size_t{1} << n, -1);
  for (std::uint32_t x = 0; x < (1u << n); ++x)
    if (std::popcount(x) >= low && std::popcount(x) <= high) rowOf[x] = problem.rowCount++;
  for (std::uint32_t ones = 0; ones < (1u << n); ++ones) {
    for (std::uint32_t free = 0; free < (1u << n); ++free) {
      if (std::popcount(ones) != low || (free & ones) || std::popcount(free) != high - low) continue;
      std::vector<int> rows;
      for (std::uint32_t part = 0;; part = (part - free) & free) {
        rows.push_back(rowOf[ones | part]);
        if (part == free) break;
      }
      std::sort(rows.begin(), rows.end());
      problem.columnRows.push_back(rows);
      problem.weight.push_back(1);
    }
  }
  return problem;
}

// The fewest columns after `c` that cover what `taken` leaves; more than `limit` when none can.
std::size_t FewestAfter(const CoverProblem& problem, const std::vector<int>& taken, int c,
                        std::size_t limit) {
  std::vector<char> covered(static_cast<std::size_t>(problem.rowCount), 0);
  for (int t : taken)
    for (int r : problem.columnRows[static_cast<std::size_t>(t)]) covered[static_cast<std::size_t>(r)] = 1;
  std::vector<int> rowNumber(covered.size(), -1);
  CoverProblem rest;
  for (std::size_t r = 0; r < covered.size(); ++r)
    if (!covered[r]) rowNumber[r] = rest.rowCount++;
  std::vector<char> reachable(static_cast<std::size_t>(rest.rowCount), 0);
  for (std::size_t k = static_cast<std::size_t>(c) + 1; k < problem.columnRows.size(); ++k) {
    std::vector<int> rows;
    for (int r : problem.columnRows[k])
      if (rowNumber[static_cast<std::size_t>(r)] >= 0) rows.push_back(rowNumber[static_cast<std::size_t>(r)]);
    if (rows.empty()) continue;
    for (int r : rows) reachable[static_cast<std::size_t>(r)] = 1;
    rest.columnRows.push_back(rows);
    rest.weight.push_back(1);
  }
  if (std::count(reachable.begin(), reachable.end(), 0) > 0) return limit + 1;
  Budget control(std::chrono::seconds(60), {});
  const CoverSolution solution = SearchCover(rest, control);
  EXPECT_TRUE(solution.fewestColumns);
  return solution.columns.size();
}

// Checked column by column: each column left out could not have been taken, with the columns before
// it decided as the cover decides them, by a cover of as few columns.
TEST(CoverSearchTest, SymmetricProblemsGiveTheFirstCoverInColumnOrder) {
  for (const auto [n, low, high] : {std::array{7, 3, 5}, std::array{7, 2, 5}}) {
    const CoverProblem problem = SymmetricProblem(n, low, high);
    for (const int trialNodes : {1, kTrialNodes}) {
      SCOPED_TRACE(testing::Message() << n << " inputs, " << low << ".." << high << ", room " << trialNodes);
      Budget control(std::chrono::seconds(60), {});
      CoverSolution solution = SearchCover(problem, control, trialNodes);
      ASSERT_TRUE(solution.optimal);
      std::sort(solution.columns.begin(), solution.columns.end());
      const std::size_t size = solution.columns.size();
      std::vector<int> before;
      for (int c = 0; c < static_cast<int>(problem.columnRows.size()); ++c) {
        if (std::binary_search(solution.columns.begin(), solution.columns.end(), c)) {
          before.push_back(c);
          continue;
        }
        std::vector<int> taken = before;
        taken.push_back(c);
        EXPECT_GT(taken.size() + FewestAfter(problem, taken, c, size), size) << "column " << c;
      }
    }
  }
}

}  // namespace
}  // namespace brevano

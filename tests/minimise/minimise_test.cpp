// Prime implicants and least sums against brute force, and the limits of the search.
#include "minimise/minimise.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <random>

namespace brevano {
namespace {

constexpr auto kNoLimit = std::chrono::seconds(60);

TruthVector RandomTruth(std::mt19937_64& rng, int variables, double density) {
  TruthVector truth(variables);
  std::bernoulli_distribution one(density);
  for (std::uint64_t row = 0; row < truth.Rows(); ++row) {
    if (one(rng)) truth.Set(row);
  }
  return truth;
}

// The rows of a cube among 2^n, as a mask (n at most 6).
std::uint64_t RowMask(Cube cube, int variables) {
  std::uint64_t mask = 0;
  for (std::uint32_t row = 0; row < (1u << variables); ++row) {
    if (CubeContains(cube, row)) mask |= std::uint64_t{1} << row;
  }
  return mask;
}

Cube CubeOfKey(std::uint64_t key, int variables) {
  Cube cube;
  for (int bit = 0; bit < variables; ++bit, key /= 3) {
    if (key % 3 == 2) continue;
    cube.care |= 1u << bit;
    cube.value |= static_cast<std::uint32_t>(key % 3) << bit;
  }
  return cube;
}

// Every cube checked row by row: an implicant none of whose literals can be dropped.
std::vector<Cube> BrutePrimes(std::uint64_t truth, int variables) {
  auto implicant = [&](Cube cube) { return (RowMask(cube, variables) & ~truth) == 0; };
  std::uint64_t keys = 1;
  for (int i = 0; i < variables; ++i) keys *= 3;
  std::vector<Cube> primes;
  for (std::uint64_t key = 0; key < keys; ++key) {
    const Cube cube = CubeOfKey(key, variables);
    if (!implicant(cube)) continue;
    bool prime = true;
    for (int bit = 0; bit < variables && prime; ++bit) {
      const std::uint32_t mask = 1u << bit;
      if (cube.care & mask) prime = !implicant({cube.care & ~mask, cube.value & ~mask});
    }
    if (prime) primes.push_back(cube);
  }
  return primes;
}

// The least sum by enumerating sets of primes by size, each size in lexicographic order: the first
// cover of the fewest terms and, among them, of the fewest literals.
std::vector<Cube> BruteLeastSum(std::uint64_t truth, int variables) {
  const std::vector<Cube> primes = BrutePrimes(truth, variables);
  const int count = static_cast<int>(primes.size());
  for (int size = 0; size <= count; ++size) {
    std::vector<int> pick(size);
    for (int i = 0; i < size; ++i) pick[i] = i;
    std::vector<int> best;
    int bestLiterals = 1 << 30;
    while (true) {
      std::uint64_t covered = 0;
      int literals = 0;
      for (int i : pick) {
        covered |= RowMask(primes[i], variables);
        literals += LiteralCount(primes[i]);
      }
      if (covered == truth && literals < bestLiterals) {
        bestLiterals = literals;
        best = pick;
      }
      int i = size - 1;
      while (i >= 0 && pick[i] == count - size + i) --i;
      if (i < 0) break;
      ++pick[i];
      for (int j = i + 1; j < size; ++j) pick[j] = pick[j - 1] + 1;
    }
    if (bestLiterals < (1 << 30)) {
      std::vector<Cube> sum;
      for (int i : best) sum.push_back(primes[i]);
      return sum;
    }
  }
  return {};
}

SumOfProducts Minimise(const TruthVector& truth, std::chrono::milliseconds budget = kNoLimit) {
  Budget control(budget, {});
  return MinimiseSumOfProducts(truth, control);
}

// The sum is the function and no term can be left out.
void ExpectIrredundantCover(const TruthVector& truth, int variables, const std::vector<Cube>& terms) {
  std::vector<int> coverers(std::size_t{1} << variables, 0);
  for (const Cube& term : terms) {
    for (std::uint32_t row = 0; row < (1u << variables); ++row) coverers[row] += CubeContains(term, row);
  }
  for (std::uint32_t row = 0; row < (1u << variables); ++row) {
    ASSERT_EQ(coverers[row] > 0, truth.At(row)) << "row " << row;
  }
  for (const Cube& term : terms) {
    bool needed = false;
    for (std::uint32_t row = 0; row < (1u << variables) && !needed; ++row) {
      needed = CubeContains(term, row) && coverers[row] == 1;
    }
    EXPECT_TRUE(needed) << "a redundant term";
  }
}

TEST(TruthVectorTest, BitsPastTheLastRowStayZero) {
  for (int variables = 0; variables <= 7; ++variables) {
    const TruthVector ones = TruthVector::FromWord(variables, ~std::uint64_t{0});
    const std::uint64_t rows = std::uint64_t{1} << variables;
    EXPECT_EQ(ones.WordCount(), variables <= 6 ? 1u : 2u) << variables;
    EXPECT_EQ(ones.CountOnes(), std::min<std::uint64_t>(rows, 64)) << variables;
    EXPECT_EQ(TruthVector(variables).Complement().CountOnes(), rows) << variables;
    EXPECT_EQ(ones.Complement().CountOnes(), rows - std::min<std::uint64_t>(rows, 64)) << variables;
  }
}

TEST(PrimeImplicantsTest, MatchBruteForce) {
  std::mt19937_64 rng(11);
  for (int variables = 0; variables <= 6; ++variables) {
    const std::uint64_t all = variables == 6 ? ~std::uint64_t{0} : (std::uint64_t{1} << (1 << variables)) - 1;
    for (int trial = 0; trial < 40; ++trial) {
      const std::uint64_t truth = trial == 0 ? 0 : trial == 1 ? all : rng() & all;
      Budget control(kNoLimit, {});
      EXPECT_EQ(PrimeImplicants(TruthVector::FromWord(variables, truth), control),
                BrutePrimes(truth, variables))
          << variables << " variables, truth " << truth;
    }
  }
}

TEST(MinimiseTest, EveryFunctionOfThreeVariablesMatchesBruteForce) {
  for (std::uint64_t truth = 0; truth < 256; ++truth) {
    const SumOfProducts sum = Minimise(TruthVector::FromWord(3, truth));
    EXPECT_EQ(sum.status, MinimiseStatus::kExact);
    EXPECT_EQ(sum.terms, BruteLeastSum(truth, 3)) << "truth " << truth;
  }
}

TEST(MinimiseTest, RandomFunctionsOfFourAndFiveVariablesMatchBruteForce) {
  std::mt19937_64 rng(12);
  for (int variables : {4, 5}) {
    const std::uint64_t all = (std::uint64_t{1} << (1 << variables)) - 1;
    for (int trial = 0; trial < (variables == 4 ? 400 : 60); ++trial) {
      const std::uint64_t truth = rng() & all;
      const SumOfProducts sum = Minimise(TruthVector::FromWord(variables, truth));
      EXPECT_EQ(sum.status, MinimiseStatus::kExact);
      EXPECT_EQ(sum.terms, BruteLeastSum(truth, variables)) << variables << " variables, truth " << truth;
    }
  }
}

// 1 in the rows with `low` to `high` ones.
std::uint64_t SymmetricWord(int variables, int low, int high) {
  std::uint64_t truth = 0;
  for (std::uint32_t row = 0; row < (1u << variables); ++row) {
    const int ones = std::popcount(row);
    if (ones >= low && ones <= high) truth |= std::uint64_t{1} << row;
  }
  return truth;
}

// Symmetric functions have many least covers of equally heavy primes: the order among them decides.
TEST(MinimiseTest, SymmetricFunctionsMatchBruteForce) {
  for (int variables : {4, 5}) {
    for (int low = 1; low < variables; ++low) {
      for (int high = low; high < variables; ++high) {
        if (variables == 5 && (high - low > 1 || (low > 1 && high < 4))) continue;  // brute force too slow
        const std::uint64_t truth = SymmetricWord(variables, low, high);
        const SumOfProducts sum = Minimise(TruthVector::FromWord(variables, truth));
        EXPECT_EQ(sum.status, MinimiseStatus::kExact);
        EXPECT_EQ(sum.terms, BruteLeastSum(truth, variables))
            << variables << " variables, " << low << ".." << high;
      }
    }
  }
}

// Nine inputs, 1 when three to six are: 84 terms of 6 literals. Any prime is in some least cover
// (a permutation of the inputs maps it to any other), so the first cover holds the first prime.
TEST(MinimiseTest, NineInputSymmetricFunctionIsProvenAndFirstInOrder) {
  TruthVector truth(9);
  for (std::uint64_t row = 0; row < truth.Rows(); ++row) {
    if (const int ones = std::popcount(row); ones >= 3 && ones <= 6) truth.Set(row);
  }
  const SumOfProducts sum = Minimise(truth);
  EXPECT_EQ(sum.status, MinimiseStatus::kExact);
  ASSERT_EQ(sum.terms.size(), 84u);
  for (const Cube& term : sum.terms) EXPECT_EQ(LiteralCount(term), 6);
  ExpectIrredundantCover(truth, 9, sum.terms);
  Budget control(kNoLimit, {});
  EXPECT_EQ(sum.terms.front(), PrimeImplicants(truth, control).front());
}

TEST(MinimiseTest, LargerFunctionsAreIrredundantCovers) {
  std::mt19937_64 rng(13);
  for (int variables : {7, 9, 12}) {
    for (double density : {0.1, 0.5, 0.9}) {
      const TruthVector truth = RandomTruth(rng, variables, density);
      const SumOfProducts sum = Minimise(truth, std::chrono::seconds(2));
      if (variables == 7) {
        EXPECT_EQ(sum.status, MinimiseStatus::kExact);
      }
      ExpectIrredundantCover(truth, variables, sum.terms);
    }
  }
}

TEST(MinimiseTest, ParityNeedsEveryMinterm) {
  for (int variables = 2; variables <= 10; ++variables) {
    TruthVector truth(variables);
    for (std::uint64_t row = 0; row < truth.Rows(); ++row) {
      if (std::popcount(row) % 2) truth.Set(row);
    }
    const SumOfProducts sum = Minimise(truth);
    EXPECT_EQ(sum.terms.size(), std::size_t{1} << (variables - 1));
    for (const Cube& term : sum.terms) EXPECT_EQ(LiteralCount(term), variables);
  }
}

TEST(MinimiseTest, SearchWithoutTimeStillGivesACover) {
  std::mt19937_64 rng(14);
  const TruthVector truth = RandomTruth(rng, 12, 0.85);
  const SumOfProducts sum = Minimise(truth, std::chrono::milliseconds(0));
  EXPECT_TRUE(sum.status == MinimiseStatus::kHeuristic || sum.status == MinimiseStatus::kExact);
  ExpectIrredundantCover(truth, 12, sum.terms);
}

TEST(MinimiseTest, StoppedSearchGivesNothing) {
  std::mt19937_64 rng(15);
  const TruthVector truth = RandomTruth(rng, 10, 0.5);
  Budget control(kNoLimit, [](std::uint64_t, std::uint64_t) { return false; });
  const SumOfProducts sum = MinimiseSumOfProducts(truth, control);
  EXPECT_EQ(sum.status, MinimiseStatus::kStopped);
  EXPECT_TRUE(sum.terms.empty());
}

// A function of at most 8 variables as four words of rows.
using Rows256 = std::array<std::uint64_t, 4>;

bool Within(const Rows256& inner, const Rows256& outer) {
  for (int w = 0; w < 4; ++w)
    if (inner[w] & ~outer[w]) return false;
  return true;
}

Rows256 CubeRows(Cube cube, int variables) {
  Rows256 rows{};
  for (std::uint32_t row = 0; row < (1u << variables); ++row)
    if (CubeContains(cube, row)) rows[row / 64] |= std::uint64_t{1} << (row % 64);
  return rows;
}

// The fewest terms, then literals, of a sum of prime implicants of `allowed` covering `required`:
// every cover of the least size covers the first uncovered row with one of the primes through it.
std::pair<int, int> BruteLeastCost(const Rows256& required, const Rows256& allowed, int variables) {
  const auto keys = static_cast<std::uint64_t>(std::pow(3, variables));
  std::vector<char> implicant(keys);
  for (std::uint64_t key = 0; key < keys; ++key)
    implicant[key] = Within(CubeRows(CubeOfKey(key, variables), variables), allowed);
  std::vector<Rows256> implicants;
  std::vector<int> literals;
  for (std::uint64_t key = 0; key < keys; ++key) {
    bool prime = implicant[key];
    for (std::uint64_t weight = 1; weight < keys; weight *= 3) {
      const std::uint64_t digit = key / weight % 3;
      if (digit != 2 && implicant[key + (2 - digit) * weight]) prime = false;
    }
    if (!prime) continue;
    implicants.push_back(CubeRows(CubeOfKey(key, variables), variables));
    literals.push_back(LiteralCount(CubeOfKey(key, variables)));
  }
  std::pair<int, int> best{1 << 20, 0};
  std::function<void(const Rows256&, int, int)> branch = [&](const Rows256& left, int terms, int cost) {
    int first = -1;
    for (int row = 0; row < 256 && first < 0; ++row)
      if ((left[row / 64] >> (row % 64)) & 1) first = row;
    if (first < 0) {
      best = std::min(best, {terms, cost});
      return;
    }
    if (terms + 1 > best.first) return;
    for (std::size_t i = 0; i < implicants.size(); ++i) {
      if (!((implicants[i][first / 64] >> (first % 64)) & 1)) continue;
      Rows256 rest = left;
      for (int w = 0; w < 4; ++w) rest[w] &= ~implicants[i][w];
      branch(rest, terms + 1, cost + literals[i]);
    }
  };
  branch(required, 0, 0);
  return best;
}

TEST(MinimiseTest, DontCaresMatchBruteForceUpToEightVariables) {
  std::mt19937_64 rng(16);
  for (int variables = 1; variables <= 8; ++variables) {
    for (int trial = 0; trial < (variables <= 5 ? 30 : 10); ++trial) {
      // Beyond 5 variables a few random cubes, so that the least covers stay small enough to enumerate.
      auto randomRows = [&](double density) {
        TruthVector truth(variables);
        if (variables <= 5) return RandomTruth(rng, variables, density);
        for (int c = 0; c < 4; ++c) {
          const Cube cube{
              static_cast<std::uint32_t>(rng()) & ((1u << variables) - 1) & static_cast<std::uint32_t>(rng()),
              static_cast<std::uint32_t>(rng())};
          for (std::uint32_t row = 0; row < (1u << variables); ++row)
            if (CubeContains({cube.care, cube.value & cube.care}, row)) truth.Set(row);
        }
        return truth;
      };
      const TruthVector on = randomRows(0.4), dontCare = randomRows(0.3);
      Rows256 required{}, allowed{};
      for (std::uint32_t row = 0; row < (1u << variables); ++row) {
        if (on.At(row) && !dontCare.At(row)) required[row / 64] |= std::uint64_t{1} << (row % 64);
        if (on.At(row) || dontCare.At(row)) allowed[row / 64] |= std::uint64_t{1} << (row % 64);
      }
      Budget control(kNoLimit, {});
      const SumOfProducts sum = MinimiseSumOfProducts(on, dontCare, control);
      ASSERT_EQ(sum.status, MinimiseStatus::kExact);
      Rows256 covered{};
      int literals = 0;
      for (const Cube& term : sum.terms) {
        const Rows256 rows = CubeRows(term, variables);
        EXPECT_TRUE(Within(rows, allowed)) << "a term covers a 0 row";
        for (int w = 0; w < 4; ++w) covered[w] |= rows[w];
        literals += LiteralCount(term);
      }
      EXPECT_TRUE(Within(required, covered)) << "a 1 row is not covered";
      const std::pair<int, int> least = BruteLeastCost(required, allowed, variables);
      EXPECT_EQ(std::make_pair(static_cast<int>(sum.terms.size()), literals), least)
          << variables << " variables, trial " << trial;
    }
  }
}

TEST(MinimiseTest, TooManyVariablesIsNotComputed) {
  const TruthVector truth(kMaxMinimiseVariables + 1);
  EXPECT_EQ(Minimise(truth).status, MinimiseStatus::kTooManyVariables);
}

}  // namespace
}  // namespace brevano

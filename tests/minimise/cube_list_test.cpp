// Cube lists and the improvement loop against row-by-row checks of random functions of a few variables.
#include "minimise/cube_list.h"

#include <gtest/gtest.h>

#include <random>

#include "minimise/cover_regions.h"
#include "minimise/cube_of_multi.h"
#include "minimise/cube_sets.h"
#include "minimise/improve_cover.h"
#include "minimise/minimise.h"

namespace brevano {
namespace {

constexpr auto kNoLimit = std::chrono::seconds(60);

bool Covered(const CubeList& list, std::uint64_t row) {
  for (const Cube& cube : list)
    if (CubeContains(cube, row)) return true;
  return false;
}

Cube RandomCube(std::mt19937_64& rng, int variables, int literals) {
  Cube cube;
  for (int i = 0; i < literals; ++i) {
    const std::uint64_t bit = std::uint64_t{1} << (rng() % variables);
    cube.care |= bit;
    if (rng() % 2) cube.value |= bit;
  }
  return cube;
}

CubeList RandomList(std::mt19937_64& rng, int variables, int size) {
  CubeList list;
  for (int i = 0; i < size; ++i)
    list.push_back(RandomCube(rng, variables, 1 + static_cast<int>(rng() % variables)));
  return list;
}

TEST(CubeListTest, TautologyContainmentAndUncoveredPartMatchTheRows) {
  std::mt19937_64 rng(31);
  for (int trial = 0; trial < 400; ++trial) {
    const int variables = 1 + trial % 8;
    const CubeList list = RandomList(rng, variables, static_cast<int>(rng() % 24));
    const Cube cube = RandomCube(rng, variables, static_cast<int>(rng() % (variables + 1)));
    bool all = true, inside = true;
    Cube uncovered{~std::uint64_t{0}, 0};
    bool any = false;
    for (std::uint64_t row = 0; row < (std::uint64_t{1} << variables); ++row) {
      all = all && Covered(list, row);
      if (!CubeContains(cube, row) || Covered(list, row)) continue;
      inside = false;
      uncovered = any ? Supercube(uncovered, {(std::uint64_t{1} << variables) - 1, row})
                      : Cube{(std::uint64_t{1} << variables) - 1, row};
      any = true;
    }
    ASSERT_EQ(IsTautology(list), all) << "trial " << trial;
    ASSERT_EQ(CoversCube(list, cube), inside) << "trial " << trial;
    const std::optional<Cube> smallest = SmallestUncovered(list, cube);
    ASSERT_EQ(smallest.has_value(), any) << "trial " << trial;
    if (any) {
      EXPECT_EQ(*smallest, uncovered) << "trial " << trial;
    }
  }
}

// The complement, the product, the count and the first rows of random cube lists, row by row.
TEST(CubeOfMultiTest, RoundTripKeepsTheFirstInputMostSignificantAndTheOutput) {
  std::mt19937_64 rng(63);
  for (const int inputs : {1, 5, 32, 33, 63}) {
    for (int trial = 0; trial < 20; ++trial) {
      const Cube cube = RandomCube(rng, inputs, static_cast<int>(rng() % (inputs + 1)));
      const MultiCube multi = MultiCubeOf(cube, inputs, 3, trial % 3);
      ASSERT_EQ(CubeOf(multi), cube) << inputs << " inputs";
      EXPECT_EQ(multi.LiteralCount(), LiteralCount(cube));
      EXPECT_EQ(multi.OutputCount(), 1);
      EXPECT_TRUE(multi.HasOutput(trial % 3));
      const Literal first = multi.Input(0);
      const std::uint64_t top = std::uint64_t{1} << (inputs - 1);
      EXPECT_EQ(first, !(cube.care & top)   ? Literal::kFree
                       : (cube.value & top) ? Literal::kOne
                                            : Literal::kZero);
    }
  }
  MultiCube empty = MultiCube::Universe(4, 1);
  empty.SetInput(2, Literal{0});
  EXPECT_EQ(CubeOf(empty), std::nullopt);
}

TEST(CubeSetsTest, MatchTheRows) {
  std::mt19937_64 rng(33);
  for (int trial = 0; trial < 300; ++trial) {
    const int variables = 1 + trial % 9;
    const CubeList a = RandomList(rng, variables, static_cast<int>(rng() % 12));
    const CubeList b = RandomList(rng, variables, static_cast<int>(rng() % 6));
    Budget control(kNoLimit, {});
    const std::optional<CubeList> complement = ComplementCubes(a, 10000, control);
    const std::optional<CubeList> product = ProductCubes(a, b, 10000);
    ASSERT_TRUE(complement && product);
    std::uint64_t count = 0;
    std::vector<std::uint64_t> first;
    for (std::uint64_t row = 0; row < (std::uint64_t{1} << variables); ++row) {
      ASSERT_NE(Covered(*complement, row), Covered(a, row)) << "trial " << trial << " row " << row;
      ASSERT_EQ(Covered(*product, row), Covered(a, row) && Covered(b, row)) << "trial " << trial;
      count += Covered(a, row);
      if (Covered(a, row) && !Covered(b, row) && first.size() < 5) first.push_back(row);
    }
    EXPECT_EQ(CountCoveredRows(a, variables, control), count) << "trial " << trial;
    EXPECT_EQ(FirstCoveredRows(a, b, variables, 5, control), first) << "trial " << trial;
  }
  Budget control(kNoLimit, {});
  EXPECT_FALSE(ComplementCubes(RandomList(rng, 30, 40), 10, control).has_value());
}

// A random function of `variables` with don't-cares, as rows and as minterm cubes.
struct Function {
  TruthVector on, dontCare;
  CubeList onCubes, offCubes, dontCareCubes;
};

Function RandomFunction(std::mt19937_64& rng, int variables) {
  Function f{TruthVector(variables), TruthVector(variables), {}, {}, {}};
  const std::uint64_t all = (std::uint64_t{1} << variables) - 1;
  const CubeList ones = RandomList(rng, variables, 2 + static_cast<int>(rng() % 6));
  const CubeList either = RandomList(rng, variables, static_cast<int>(rng() % 3));
  for (std::uint64_t row = 0; row <= all; ++row) {
    const bool dontCare = Covered(either, row), on = !dontCare && (Covered(ones, row) || rng() % 16 == 0);
    if (on) f.on.Set(row);
    if (dontCare) f.dontCare.Set(row);
    (dontCare ? f.dontCareCubes : on ? f.onCubes : f.offCubes).push_back({all, row});
  }
  return f;
}

// The sum covers every 1 row and no 0 row.
void ExpectCorrect(const Function& f, const CubeList& sum) {
  for (std::uint64_t row = 0; row < f.on.Rows(); ++row) {
    if (f.dontCare.At(row)) continue;
    ASSERT_EQ(Covered(sum, row), f.on.At(row)) << "row " << row;
  }
}

// From the worst start (every 1 row a term of its own) the loop is correct, never worse than its
// start, and never better than the exact minimiser; the covering problem over regions of cubes has
// the minimiser's least cost.
TEST(ImproveCoverTest, NeverWorseThanItsStartNeverWrongNeverBelowTheMinimum) {
  std::mt19937_64 rng(32);
  int exact = 0, trials = 0;
  for (int trial = 0; trial < 120; ++trial) {
    const int variables = 3 + trial % 8;
    const Function f = RandomFunction(rng, variables);
    Budget control(kNoLimit, {});
    const CubeList improved = ImproveCover(f.onCubes, {f.offCubes, f.dontCareCubes, std::nullopt}, control);
    ExpectCorrect(f, improved);
    EXPECT_LE(CostOf(improved), CostOf(f.onCubes));
    const SumOfProducts least = MinimiseSumOfProducts(f.on, f.dontCare, control);
    const CubeList& leastCubes = least.terms;
    ASSERT_EQ(least.status, MinimiseStatus::kExact);
    EXPECT_GE(CostOf(improved), CostOf(leastCubes)) << "trial " << trial;
    exact += CostOf(improved) == CostOf(leastCubes);
    ++trials;

    TruthVector allowed(variables);
    for (std::uint64_t row = 0; row < f.on.Rows(); ++row)
      if (f.on.At(row) || f.dontCare.At(row)) allowed.Set(row);
    const CubeList primes = PrimeImplicants(allowed, control);
    const std::optional<CoverProblem> problem =
        RegionCoverProblem(improved, f.dontCareCubes, primes, 100000, control);
    ASSERT_TRUE(problem.has_value());
    const CoverSolution solution = SolveMinimumCover(*problem, control);
    CubeList chosen;
    for (int column : solution.columns) chosen.push_back(primes[static_cast<std::size_t>(column)]);
    ExpectCorrect(f, chosen);
    EXPECT_EQ(CostOf(chosen), CostOf(leastCubes)) << "trial " << trial;
  }
  // The loop finds the least cost on most of these small functions.
  EXPECT_GT(exact * 10, trials * 8);
}

}  // namespace
}  // namespace brevano

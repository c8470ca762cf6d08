// Cube lists: cofactors, tautology by the unate recursive split, and the smallest uncovered cube.
#include "minimise/cube_list.h"

#include <array>
#include <cmath>

namespace brevano {

namespace {

// The variables that occur plain, and those that occur negated, in some term.
std::pair<std::uint64_t, std::uint64_t> Polarities(const CubeList& list) {
  std::uint64_t plain = 0, negated = 0;
  for (const Cube& cube : list) {
    plain |= cube.care & cube.value;
    negated |= cube.care & ~cube.value;
  }
  return {plain, negated};
}

// The variable of `candidates` that the most terms mention, as a one-bit mask.
std::uint64_t MostUsed(const CubeList& list, std::uint64_t candidates) {
  std::array<int, 64> uses{};
  for (const Cube& cube : list) {
    for (std::uint64_t bits = cube.care & candidates; bits != 0; bits &= bits - 1)
      ++uses[std::countr_zero(bits)];
  }
  int best = std::countr_zero(candidates);
  for (std::uint64_t bits = candidates; bits != 0; bits &= bits - 1) {
    const int bit = std::countr_zero(bits);
    if (uses[bit] > uses[best]) best = bit;
  }
  return std::uint64_t{1} << best;
}

bool HasUniversal(const CubeList& list) {
  for (const Cube& cube : list)
    if (cube.care == 0) return true;
  return false;
}

// An upper bound of the share of all rows the terms cover: below 1, they cannot cover them all.
bool TooSmallForTautology(const CubeList& list) {
  double share = 0;
  for (const Cube& cube : list) {
    share += std::ldexp(1.0, -LiteralCount(cube));
    if (share >= 1) return false;
  }
  return true;
}

// A sum is 1 everywhere exactly when both cofactors of any variable are. A variable that occurs in
// one polarity only (unate) needs only the other cofactor, which drops the terms holding it.
bool Tautology(const CubeList& list) {
  if (list.empty()) return false;
  if (HasUniversal(list)) return true;
  const auto [plain, negated] = Polarities(list);
  const std::uint64_t unate = (plain ^ negated);
  if (unate != 0) {
    CubeList rest;
    for (const Cube& cube : list)
      if ((cube.care & unate) == 0) rest.push_back(cube);
    return Tautology(rest);
  }
  if (TooSmallForTautology(list)) return false;
  const std::uint64_t split = MostUsed(list, plain & negated);
  return Tautology(Cofactor(list, {split, 0})) && Tautology(Cofactor(list, {split, split}));
}

// The smallest cube holding the rows where the sum is 0, or nothing when it is 1 everywhere.
std::optional<Cube> SmallestComplementCube(const CubeList& list) {
  if (list.empty()) return Cube{};
  if (HasUniversal(list)) return std::nullopt;
  if (list.size() == 1) {
    const Cube only = list.front();
    // The complement of a term is the sum of its negated literals: one literal, or the whole space.
    if (LiteralCount(only) == 1) return Cube{only.care, only.value ^ only.care};
    return Cube{};
  }
  const auto [plain, negated] = Polarities(list);
  const std::uint64_t binate = plain & negated;
  const std::uint64_t split = MostUsed(list, binate != 0 ? binate : plain | negated);
  const std::optional<Cube> low = SmallestComplementCube(Cofactor(list, {split, 0}));
  const std::optional<Cube> high = SmallestComplementCube(Cofactor(list, {split, split}));
  if (!low && !high) return std::nullopt;
  const Cube lowCube{low ? low->care | split : 0, low ? low->value : 0};
  const Cube highCube{high ? high->care | split : 0, high ? high->value | split : 0};
  if (!high) return lowCube;
  if (!low) return highCube;
  return Supercube(lowCube, highCube);
}

}  // namespace

CubeList Cofactor(const CubeList& list, Cube cube) {
  CubeList result;
  result.reserve(list.size());
  for (const Cube& term : list) {
    if (!Intersects(term, cube)) continue;
    result.push_back({term.care & ~cube.care, term.value & ~cube.care});
  }
  return result;
}

bool IsTautology(const CubeList& list) { return Tautology(list); }

bool CoversCube(const CubeList& list, Cube cube) { return Tautology(Cofactor(list, cube)); }

std::optional<Cube> SmallestUncovered(const CubeList& list, Cube cube) {
  const std::optional<Cube> outside = SmallestComplementCube(Cofactor(list, cube));
  if (!outside) return std::nullopt;
  return Intersection(cube, *outside);
}

CoverCost CostOf(const CubeList& list) {
  CoverCost cost{list.size(), 0};
  for (const Cube& cube : list) cost.literals += static_cast<std::size_t>(LiteralCount(cube));
  return cost;
}

bool TermBefore(const Cube& a, const Cube& b) {
  const std::uint64_t differing = (a.care ^ b.care) | ((a.value ^ b.value) & a.care & b.care);
  if (differing == 0) return false;
  const std::uint64_t bit = std::uint64_t{1} << (63 - std::countl_zero(differing));
  const int digitA = (a.care & bit) ? ((a.value & bit) ? 1 : 0) : 2;
  const int digitB = (b.care & bit) ? ((b.value & bit) ? 1 : 0) : 2;
  return digitA < digitB;
}

}  // namespace brevano

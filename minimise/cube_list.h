// Sums of product terms as lists of cubes: containment, cofactors, tautology and its relatives.
#pragma once

#include <bit>
#include <cstdint>
#include <optional>
#include <vector>

#include "minimise/cube.h"

namespace brevano {

/// A sum of products over up to 63 variables, one cube per term, in no particular order.
using CubeList = std::vector<Cube>;

/// A function with don't-cares as the engines' terms: its 1 rows and its don't-care rows (a
/// don't-care wins over a 1), each a sum of cubes over the row bits.
struct FunctionTerms {
  CubeList on, dontCare;
};

/// A function with don't-cares as a cover of it sees it: the rows a sum may cover are those
/// outside `off`, or, where the 0 rows are too many to list, those of `allowed` instead.
struct CubeFunction {
  CubeList off;       ///< exactly the rows where the sum must be 0 (more rows only make it worse)
  CubeList dontCare;  ///< rows where the sum may be either (fewer rows only make it worse)
  /// When set, `off` is not used: the rows where the sum may be 1 (fewer only make it worse).
  std::optional<CubeList> allowed;
};

/// True when the two cubes share a row.
inline bool Intersects(Cube a, Cube b) { return ((a.care & b.care) & (a.value ^ b.value)) == 0; }

/// True when every row of `inner` lies in `outer`.
inline bool ContainsCube(Cube outer, Cube inner) {
  return (outer.care & ~inner.care) == 0 && ((outer.value ^ inner.value) & outer.care) == 0;
}

/// The smallest cube holding both.
inline Cube Supercube(Cube a, Cube b) {
  const std::uint64_t care = a.care & b.care & ~(a.value ^ b.value);
  return {care, a.value & care};
}

/// The rows the two cubes share, as a cube; they must intersect.
inline Cube Intersection(Cube a, Cube b) { return {a.care | b.care, a.value | b.value}; }

/// The terms of `list` restricted to the rows of `cube`, with the cube's variables left out: the
/// sum equals `list` on the cube's rows.
CubeList Cofactor(const CubeList& list, Cube cube);

/// True when the sum is 1 in every row (the variables are those the cubes mention, and any others).
bool IsTautology(const CubeList& list);

/// True when every row of `cube` lies in the sum `list`.
bool CoversCube(const CubeList& list, Cube cube);

/// The smallest cube holding every row of `cube` that the sum `list` does not, or nothing when
/// `list` covers the whole cube.
std::optional<Cube> SmallestUncovered(const CubeList& list, Cube cube);

/// The cost of a sum: its number of terms, then its number of literals.
struct CoverCost {
  std::size_t terms = 0;
  std::size_t literals = 0;

  friend auto operator<=>(const CoverCost&, const CoverCost&) = default;
};

/// The cost of `list`.
CoverCost CostOf(const CubeList& list);

/// The order of terms: variable by variable from the first (the most significant row bit), a
/// negated literal, then a plain one, then none.
bool TermBefore(const Cube& a, const Cube& b);

}  // namespace brevano

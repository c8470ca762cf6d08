// The steps of the classical improvement loop on multi-output terms: expand each term as far as
// the outputs' 0 points allow, drop redundant terms, reduce each term to what it alone covers.
#pragma once

#include <random>

#include "budget/budget.h"
#include "function/cube_algebra.h"
#include "multiout/output_sets.h"

namespace brevano {

/// Each term made prime: inputs raised and outputs added while no output's 0 point enters, first
/// towards the other terms it can swallow; the terms swallowed are dropped.
/// With `random`, terms of the same size are taken in a random order.
CubeCover Expand(CubeCover cover, const OutputSets& sets, Budget& control, std::mt19937* random = nullptr);

/// A subset of the terms covering the same points: the terms no other covers kept, then of the
/// rest, the smallest first, those the others cannot stand in for.
CubeCover Irredundant(CubeCover cover, const OutputSets& sets, Budget& control);

/// Each term in turn, the largest first, shrunk to the smallest term holding the points of its
/// outputs that the other terms and the don't-cares miss; a term left with nothing is dropped.
/// With `random`, terms of the same size are taken in a random order.
CubeCover Reduce(CubeCover cover, const OutputSets& sets, Budget& control, std::mt19937* random = nullptr);

/// One more try where the loop stalls: every term reduced against the others as they are, the
/// reduced terms expanded towards each other, and the primes that swallow two of them added
/// before redundant terms are dropped. Returns the cover unchanged when that finds nothing.
CubeCover LastGasp(const CubeCover& cover, const OutputSets& sets, Budget& control);

/// Each term's outputs cut to those it is needed for, then its inputs raised where that is free:
/// the same number of terms with fewer connections and literals.
CubeCover MakeSparse(CubeCover cover, const OutputSets& sets);

/// The cost of a cover: terms, then literals, then output connections.
struct JointCost {
  std::size_t terms = 0;
  std::size_t literals = 0;
  std::size_t connections = 0;
  friend auto operator<=>(const JointCost&, const JointCost&) = default;
};

/// The cost of `cover`.
JointCost CostOf(const CubeCover& cover);

}  // namespace brevano

// Sums of cubes of any width: cofactors, tautology, containment, complement. Only the input parts
// are read; a caller working on one output passes the cubes of that output.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "function/multi_cube.h"

namespace brevano {

/// A sum of products, one cube a term, in no particular order.
using CubeCover = std::vector<MultiCube>;

/// The cubes of `cover` that meet `cube`, with `cube`'s literals left out: the sum equals `cover`
/// on the points of `cube`.
CubeCover Cofactor(const CubeCover& cover, const MultiCube& cube);

/// True when the sum is 1 at every point.
bool IsTautology(const CubeCover& cover);

/// True when every point of `cube`'s input part lies in the sum.
bool CoversInputs(const CubeCover& cover, const MultiCube& cube);

/// The smallest cube holding every point of `cube` the sum does not hold, with `cube`'s outputs;
/// nothing when the sum holds all of `cube`. Where that takes too long to settle (100,000 splits)
/// it answers `cube` itself, which holds those points too.
std::optional<MultiCube> SmallestUncovered(const CubeCover& cover, const MultiCube& cube);

/// The points no cube of `cover` holds, as cubes with `outputs`' output set (`outputs` gives the
/// widths, too); nothing when that takes more than `limit` cubes at some step or more than 8 *
/// `limit` splits.
std::optional<CubeCover> Complement(const CubeCover& cover, const MultiCube& outputs, std::size_t limit);

/// The cubes of `cover` that feed output `o`, each with `o` alone as its output.
CubeCover CubesOfOutput(const CubeCover& cover, int o);

}  // namespace brevano

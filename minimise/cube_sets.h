// Sets of rows given by lists of cubes, for functions too large for a truth vector or a diagram: the
// complement, the product, the number of rows and the first rows in order.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "budget/budget.h"
#include "minimise/cube_list.h"

namespace brevano {

/// A sum of products of the rows where the sum `list` is 0, of at most `maxCubes` terms; nothing
/// when it would have more, or when the control says to stop.
std::optional<CubeList> ComplementCubes(const CubeList& list, std::size_t maxCubes, Budget& control);

/// The terms of the product of the sums `a` and `b` (every pairwise intersection), of at most
/// `maxCubes` terms; nothing when it would have more.
std::optional<CubeList> ProductCubes(const CubeList& a, const CubeList& b, std::size_t maxCubes);

/// The number of rows of `variableCount` variables that lie in some cube of `list`; nothing when the
/// control says to stop first.
std::optional<std::uint64_t> CountCoveredRows(const CubeList& list, int variableCount, Budget& control);

/// The first `limit` rows, ascending, that lie in some cube of `list` and in no cube of `except`.
std::vector<std::uint64_t> FirstCoveredRows(const CubeList& list, const CubeList& except, int variableCount,
                                            std::size_t limit, Budget& control);

}  // namespace brevano

// Covering problems over the rows of cubes, for functions too large to list row by row.
#pragma once

#include <cstddef>
#include <optional>

#include "minimise/cube_list.h"
#include "minimise/minimum_cover.h"

namespace brevano {

/// A covering problem whose rows stand for the rows of `targets` outside `covered`, and whose
/// columns are the cubes of `columns`, weighted by their literals: it has the same best covers as
/// the problem with a row for each such row. Each problem row is the set of columns that hold a
/// region of a target whole, where some row of the region lies in no other column and outside
/// `covered`: any other row of the region lies in all those columns. Regions with the same columns
/// are one row. Every row of a target outside `covered` must lie in some column.
/// Nothing when more than `maxRows` regions would be needed, when stopped or out of time, and when
/// some row of a target lies in no column.
std::optional<CoverProblem> RegionCoverProblem(const CubeList& targets, const CubeList& covered,
                                               const CubeList& columns, std::size_t maxRows, Budget& control);

}  // namespace brevano

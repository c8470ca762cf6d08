// A short sum of products for the rows of a truth vector, found without the exact minimiser.
#pragma once

#include "minimise/cube_list.h"
#include "minimise/truth_vector.h"

namespace brevano {

/// An irredundant sum of products that is 1 in every row of `lower` and 0 outside `upper` (which
/// holds `lower`), by the recursion on cofactors of Minato and Morreale on the bits themselves.
CubeList CoverOfRows(const TruthVector& lower, const TruthVector& upper);

}  // namespace brevano

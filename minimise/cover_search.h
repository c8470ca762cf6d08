// Branch and bound over one part of a reduced covering problem.
#pragma once

#include "minimise/minimum_cover.h"

namespace brevano {

/// The best cover of `part` in the sense of SolveMinimumCover: fewest columns, then least weight,
/// then first in column order. Recursive: run it on a large stack.
CoverSolution SearchCover(const CoverProblem& part, Budget& control);

}  // namespace brevano

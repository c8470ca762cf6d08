// Branch and bound over one part of a reduced covering problem.
#pragma once

#include "minimise/minimum_cover.h"

namespace brevano {

/// Nodes the walk that settles the column order may spend without a cover in hand before it falls
/// back on a search for one.
inline constexpr int kTrialNodes = 4000;

/// The best cover of `part` in the sense of SolveMinimumCover: fewest columns, then least weight,
/// then first in column order. `trialNodes` is kTrialNodes but in tests. Recursive: run it on a
/// large stack.
CoverSolution SearchCover(const CoverProblem& part, Budget& control, int trialNodes = kTrialNodes);

}  // namespace brevano

// The rows of a function given by sums of cubes (a file's 1 and don't-care terms) as diagrams in
// table order, for exact counts and searches without a table.
#pragma once

#include "diagram/function_diagrams.h"
#include "minimise/cube_list.h"

namespace brevano {

/// Builds the diagrams of the sums `terms.on` and `terms.dontCare` over `variableCount` table columns (row
/// bit n-1-i for column i; at most 63). A don't-care wins over a 1. In table order; all three are set when
/// built.
FunctionDiagrams BuildCubeDiagrams(const FunctionTerms& terms, int variableCount,
                                   const DiagramLimits& limits = {}, const Budget& stop = {});

}  // namespace brevano

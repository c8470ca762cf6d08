// The prime implicants of a completely specified Boolean function of a few variables.
#pragma once

#include <cstdint>
#include <vector>

#include "budget/budget.h"
#include "minimise/cube.h"
#include "minimise/truth_vector.h"

namespace brevano {

/// All prime implicants of the function `truth` of at most kMaxMinimiseVariables variables, in
/// ascending CubeKey order. Empty when the control was stopped.
std::vector<Cube> PrimeImplicants(const TruthVector& truth, Budget& control);

}  // namespace brevano

// The prime implicants of a completely specified Boolean function of a few variables.
#pragma once

#include <cstdint>
#include <vector>

#include "minimise/cube.h"
#include "minimise/search_control.h"

namespace brevano {

/// A truth vector: bit r of word r/64 is the function's value in row r (2^n bits, at least one word).
using TruthBits = std::vector<std::uint64_t>;

/// The value of row `row` in `truth`.
inline bool TruthAt(const TruthBits& truth, std::uint64_t row) { return (truth[row / 64] >> (row % 64)) & 1; }

/// All prime implicants of the function of `variableCount` (at most kMaxMinimiseVariables)
/// variables, in ascending CubeKey order. Empty when the control was cancelled.
std::vector<Cube> PrimeImplicants(const TruthBits& truth, int variableCount, SearchControl& control);

}  // namespace brevano

// The least multi-output cover where the inputs are few: every multi-output prime from a table of
// all cubes, and the fewest primes that cover every (point, output) pair that is 1.
#pragma once

#include <optional>

#include "budget/budget.h"
#include "function/boolean_function.h"

namespace brevano {

/// How large a problem the exact search takes on.
struct ExactLimits {
  int maxInputs = 14;             ///< the table of cubes has 3^inputs entries
  std::size_t maxPrimes = 20000;  ///< columns of the cover problem
  std::size_t maxRows = 50000;    ///< (point, output) pairs to be covered
};

/// The least cover found and whether it is proven least.
struct ExactResult {
  CubeCover terms;
  bool proven = false;
};

/// The exact search, with every term a multi-output prime with all the outputs it can feed;
/// nothing when the function is beyond `limits` (or has more than 64 outputs) or when the control
/// stopped or ran out before any cover was found. Recursive: run it on a large stack.
std::optional<ExactResult> ExactJointCover(const BooleanFunction& function, const ExactLimits& limits,
                                           Budget& control);

}  // namespace brevano

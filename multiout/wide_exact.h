// The least multi-output cover beyond the inputs a table of cubes can take: the primes made from
// the function's cubes by consensus, and the cover problem over a set of (point, output) rows
// that grows until the least cover of those rows covers the function.
#pragma once

#include <optional>

#include "budget/budget.h"
#include "function/boolean_function.h"

namespace brevano {

/// Every multi-output prime of the function (its 1 and don't-care cubes taken together), each
/// with all the outputs it can feed; nothing when the function has more than 64 inputs or
/// outputs, when more than `limit` cubes are kept at once, or when the control runs out.
std::optional<CubeCover> JointPrimes(const BooleanFunction& function, std::size_t limit, Budget& control);

/// What the search beyond the table found.
struct WideExactResult {
  std::optional<CubeCover> terms;  ///< a cover of primes, when one was settled
  bool proven = false;             ///< no cover has fewer terms than `terms`
  std::size_t lowerBound = 0;      ///< no cover has fewer terms than this
};

/// The exact search over the primes of JointPrimes: the least cover of a set of rows, each a
/// point and an output that must be 1, is a lower bound; while it leaves some 1 point of an output
/// out, such points join the rows. Recursive: run it on a large stack.
WideExactResult WideJointCover(const BooleanFunction& function, std::size_t maxPrimes, Budget& control);

}  // namespace brevano

// Least sums of products of a function given by its truth vector.
#pragma once

#include <vector>

#include "budget/budget.h"
#include "minimise/cube.h"
#include "minimise/minimise_status.h"
#include "minimise/prime_implicants.h"

namespace brevano {

/// The terms of a sum of products, in ascending CubeKey order, and how they were found.
struct SumOfProducts {
  std::vector<Cube> terms;
  MinimiseStatus status = MinimiseStatus::kStopped;
};

/// Most (prime implicant, row) pairs a minimisation holds in memory.
inline constexpr std::uint64_t kMaxCoverEntries = std::uint64_t{1} << 24;

/// A sum of prime implicants equal to the function `truth` with the fewest
/// terms, then the fewest literals; among those, the one whose ascending term list comes first in
/// CubeKey order. No terms for the constant 0; one term without literals for the constant 1.
/// Runs its search on a large stack of its own thread; the control's callback is called there.
SumOfProducts MinimiseSumOfProducts(const TruthVector& truth, Budget& control);

/// The same for a function with don't-cares: the sum takes the value 1 in every row of `on`
/// outside `dontCare`, 0 in every row outside both, and either value in the rows of `dontCare`.
/// Its terms are prime implicants of `on` OR `dontCare`; both vectors have the same variables.
SumOfProducts MinimiseSumOfProducts(const TruthVector& on, const TruthVector& dontCare, Budget& control);

}  // namespace brevano

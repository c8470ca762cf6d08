// Least sums of products of a function given by its truth vector.
#pragma once

#include <vector>

#include "minimise/cube.h"
#include "minimise/prime_implicants.h"
#include "minimise/search_control.h"

namespace brevano {

/// How a minimisation ended.
enum class MinimiseStatus {
  kExact,             ///< proven least: fewest terms, then fewest literals
  kFewestTerms,       ///< proven fewest terms; the search for fewer literals ran out of time
  kHeuristic,         ///< a correct sum whose search ran out of time: not proven least
  kTooManyVariables,  ///< more than kMaxMinimiseVariables variables: not computed
  kTooLarge,          ///< too many prime implicant rows to hold: not computed
  kCancelled,         ///< stopped by the caller: not computed
};

/// The terms of a sum of products, in ascending CubeKey order, and how they were found.
struct SumOfProducts {
  std::vector<Cube> terms;
  MinimiseStatus status = MinimiseStatus::kCancelled;
};

/// Most (prime implicant, row) pairs a minimisation holds in memory.
inline constexpr std::uint64_t kMaxCoverEntries = std::uint64_t{1} << 24;

/// A sum of prime implicants equal to the function of `variableCount` variables with the fewest
/// terms, then the fewest literals; among those, the one whose ascending term list comes first in
/// CubeKey order. No terms for the constant 0; one term without literals for the constant 1.
/// Runs its search on a large stack of its own thread; the control's callback is called there.
SumOfProducts MinimiseSumOfProducts(const TruthBits& truth, int variableCount, SearchControl& control);

}  // namespace brevano

// How a minimisation ends, and the largest function it takes: all that a caller of an analysis sees of it.
#pragma once

namespace brevano {

/// Most variables a function may have to be minimised (its ternary table has 3^n entries).
inline constexpr int kMaxMinimiseVariables = 16;

/// How a minimisation ended.
enum class MinimiseStatus {
  kExact,             ///< proven least: fewest terms, then fewest literals
  kFewestTerms,       ///< proven fewest terms; the search for fewer literals ran out of time
  kHeuristic,         ///< a correct sum whose search ran out of time: not proven least
  kTooManyVariables,  ///< more than kMaxMinimiseVariables variables: not computed
  kTooLarge,          ///< too many prime implicant rows to hold: not computed
  kStopped,           ///< stopped by the caller: not computed
};

}  // namespace brevano

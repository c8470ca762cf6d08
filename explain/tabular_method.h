// The tabular method of least sums, step by step: prime implicants by combining rows in groups, the
// prime chart, its essential primes, its reduction by dominance and the cyclic core's search.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "budget/budget.h"
#include "minimise/cube.h"
#include "minimise/truth_vector.h"

namespace brevano {

/// Most variables whose tables the tabular method lists in full; beyond, it gives counts.
inline constexpr int kMaxShownTabularVariables = 8;

/// Most implicants the combining stages may hold in all.
inline constexpr std::size_t kMaxTabularImplicants = 4000000;

/// One implicant of a combining stage and whether it was combined into one of the next stage.
struct TabularImplicant {
  Cube cube;
  bool combined = false;
};

/// A combining stage: its implicants (each with as many absent variables as the stage's number),
/// ascending by their number of plain literals, then by CubeKey.
struct TabularStage {
  std::vector<TabularImplicant> implicants;
};

/// How one prime or row left the chart.
enum class ChartStepKind {
  kEssential,       ///< the prime is the only one covering a row: chosen
  kRowDominated,    ///< the row is covered wherever a row of fewer primes is: dropped
  kPrimeDominated,  ///< another prime covers its rows and costs no more: dropped
  kPrimeUseless,    ///< the prime covers no row left: dropped
};

/// One reduction of the chart.
struct ChartStep {
  ChartStepKind kind;
  int prime = -1;         ///< the prime (index into primes) chosen or dropped
  std::uint32_t row = 0;  ///< kEssential: the row only it covers; kRowDominated: the row dropped
  int by = -1;            ///< kPrimeDominated: the prime that dominates; kRowDominated: the row (as a
                          ///< row number) it is dropped for
  int round = 0;          ///< the reduction round, from 1
};

/// The tabular method on one function.
struct TabularMethod {
  int variables = 0;
  std::vector<std::uint32_t> ones;       ///< the rows to cover, ascending
  std::vector<std::uint32_t> dontCares;  ///< the rows that may be covered, ascending
  std::vector<TabularStage> stages;      ///< kept when the stages are to be shown
  std::vector<std::size_t> stageSizes;   ///< implicants in each stage
  std::vector<Cube> primes;              ///< ascending CubeKey
  std::vector<int> essential;            ///< primes chosen as essential in the first round
  std::vector<ChartStep> steps;
  std::vector<int> corePrimes;          ///< the cyclic core: primes left after the reduction
  std::vector<std::uint32_t> coreRows;  ///< and rows left
  std::vector<int> coreChoice;          ///< the primes the search chose of the core
  bool coreOptimal = true;              ///< the search proved its choice least
  std::vector<int> chosen;              ///< the least sum: every prime chosen, ascending
  bool complete = false;                ///< false when stopped, out of time, or too large
  bool tooLarge = false;                ///< more than kMaxTabularImplicants implicants
};

/// Runs the tabular method on `on` with the don't-cares `dontCare` (same variables, at most 16 and
/// nullptr for none). The stages are made and kept when `keepStages`; otherwise the primes come
/// from the minimiser's faster search. Recursive: run it on a large stack.
TabularMethod RunTabularMethod(const TruthVector& on, const TruthVector* dontCare, bool keepStages,
                               Budget& control);

/// The method as text over `variables`: in full (stages, chart, reductions) up to
/// kMaxShownTabularVariables variables or `full`, otherwise its counts and result.
std::string TabularText(const TabularMethod& method, const std::vector<std::string>& variables, bool full);

/// The chosen primes as terms, in CubeKey order.
std::vector<Cube> ChosenTerms(const TabularMethod& method);

}  // namespace brevano

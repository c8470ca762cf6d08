// Minimisation: prime implicants, then the least-cost choice of them covering every 1 row.
#include "minimise/minimise.h"

#include "engine/deep_stack.h"
#include "minimise/minimum_cover.h"

namespace brevano {

namespace {

std::uint64_t CoverEntries(const std::vector<Cube>& primes, int variableCount) {
  std::uint64_t entries = 0;
  for (const Cube& prime : primes) entries += std::uint64_t{1} << (variableCount - LiteralCount(prime));
  return entries;
}

// The rows of each prime, numbered among the 1 rows of the function.
CoverProblem BuildProblem(const TruthVector& truth, const std::vector<Cube>& primes) {
  const auto rows = static_cast<std::uint32_t>(truth.Rows());
  std::vector<int> rowNumber(rows, -1);
  CoverProblem problem;
  for (std::uint32_t row = 0; row < rows; ++row) {
    if (truth.At(row)) rowNumber[row] = problem.rowCount++;
  }
  const std::uint32_t all = rows - 1;
  for (const Cube& prime : primes) {
    std::vector<int> covered;
    const std::uint32_t free = all & ~prime.care;
    for (std::uint32_t part = 0;; part = (part - free) & free) {  // every subset of `free`, ascending
      covered.push_back(rowNumber[prime.value | part]);
      if (part == free) break;
    }
    problem.columnRows.push_back(std::move(covered));
    problem.weight.push_back(LiteralCount(prime));
  }
  return problem;
}

}  // namespace

SumOfProducts MinimiseSumOfProducts(const TruthVector& truth, SearchControl& control) {
  const int variableCount = truth.Variables();
  if (variableCount > kMaxMinimiseVariables) return {{}, MinimiseStatus::kTooManyVariables};
  const std::vector<Cube> primes = PrimeImplicants(truth, control);
  if (control.Stopped()) return {};
  if (CoverEntries(primes, variableCount) > kMaxCoverEntries) return {{}, MinimiseStatus::kTooLarge};
  CoverSolution solution;
  RunWithLargeStack([&] {
    const CoverProblem problem = BuildProblem(truth, primes);
    solution = SolveMinimumCover(problem, control);
  });
  if (solution.stopped) return {};
  SumOfProducts sum;
  sum.status = solution.optimal         ? MinimiseStatus::kExact
               : solution.fewestColumns ? MinimiseStatus::kFewestTerms
                                        : MinimiseStatus::kHeuristic;
  for (int column : solution.columns) sum.terms.push_back(primes[column]);
  return sum;
}

}  // namespace brevano

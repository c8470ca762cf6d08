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

// The rows of each prime that must be covered (the rows of `required`), numbered among them.
// Primes that cover no such row are left out; `kept` receives the primes that stay.
CoverProblem BuildProblem(const TruthVector& required, const std::vector<Cube>& primes,
                          std::vector<Cube>& kept) {
  const auto rows = static_cast<std::uint32_t>(required.Rows());
  std::vector<int> rowNumber(rows, -1);
  CoverProblem problem;
  for (std::uint32_t row = 0; row < rows; ++row) {
    if (required.At(row)) rowNumber[row] = problem.rowCount++;
  }
  const std::uint32_t all = rows - 1;
  for (const Cube& prime : primes) {
    std::vector<int> covered;
    const std::uint32_t free = all & ~prime.care;
    for (std::uint32_t part = 0;; part = (part - free) & free) {  // every subset of `free`, ascending
      if (const int number = rowNumber[prime.value | part]; number >= 0) covered.push_back(number);
      if (part == free) break;
    }
    if (covered.empty()) continue;
    problem.columnRows.push_back(std::move(covered));
    problem.weight.push_back(LiteralCount(prime));
    kept.push_back(prime);
  }
  return problem;
}

// `on` with the rows of `dontCare` taken out, and `on` OR `dontCare`.
std::pair<TruthVector, TruthVector> RequiredAndAllowed(const TruthVector& on, const TruthVector& dontCare) {
  TruthVector required(on.Variables()), allowed(on.Variables());
  for (std::size_t word = 0; word < on.WordCount(); ++word) {
    required.SetWord(word, on.Word(word) & ~dontCare.Word(word));
    allowed.SetWord(word, on.Word(word) | dontCare.Word(word));
  }
  return {std::move(required), std::move(allowed)};
}

}  // namespace

SumOfProducts MinimiseSumOfProducts(const TruthVector& truth, Budget& control) {
  if (truth.Variables() > kMaxMinimiseVariables) return {{}, MinimiseStatus::kTooManyVariables};
  return MinimiseSumOfProducts(truth, TruthVector(truth.Variables()), control);
}

SumOfProducts MinimiseSumOfProducts(const TruthVector& on, const TruthVector& dontCare, Budget& control) {
  const int variableCount = on.Variables();
  if (variableCount > kMaxMinimiseVariables) return {{}, MinimiseStatus::kTooManyVariables};
  const std::pair<TruthVector, TruthVector> sets = RequiredAndAllowed(on, dontCare);
  const TruthVector& required = sets.first;
  const TruthVector& allowed = sets.second;
  const std::vector<Cube> all = PrimeImplicants(allowed, control);
  if (control.Stopped()) return {};
  if (CoverEntries(all, variableCount) > kMaxCoverEntries) return {{}, MinimiseStatus::kTooLarge};
  std::vector<Cube> primes;
  CoverSolution solution;
  RunWithLargeStack([&] {
    const CoverProblem problem = BuildProblem(required, all, primes);
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

// Exact unate covering: the reductions, then a search per independent part.
#include "minimise/minimum_cover.h"

#include <algorithm>

#include "minimise/cover_reduction.h"
#include "minimise/cover_search.h"

namespace brevano {

CoverSolution SolveMinimumCover(const CoverProblem& problem, Budget& control) {
  ReducedCover reduced = ReduceCover(problem, control);
  if (reduced.stopped) return {{}, false, false, true};
  CoverSolution solution{std::move(reduced.forced), true, true, false};
  for (const CoverPart& part : reduced.parts) {
    const CoverSolution partSolution = SearchCover(part.problem, control);
    if (partSolution.stopped) return {{}, false, false, true};
    solution.optimal = solution.optimal && partSolution.optimal;
    solution.fewestColumns = solution.fewestColumns && partSolution.fewestColumns;
    for (int c : partSolution.columns) solution.columns.push_back(part.columns[c]);
  }
  std::sort(solution.columns.begin(), solution.columns.end());
  return solution;
}

}  // namespace brevano

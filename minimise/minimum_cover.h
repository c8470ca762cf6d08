// The cheapest choice of columns that covers every row (unate covering), solved exactly.
#pragma once

#include <cstdint>
#include <vector>

#include "budget/budget.h"

namespace brevano {

/// Rows to be covered and columns that cover them. A cover is judged by its number of columns
/// first, then by the sum of their weights.
struct CoverProblem {
  int rowCount = 0;
  std::vector<std::vector<int>> columnRows;  ///< the rows of each column, ascending
  std::vector<std::int64_t> weight;          ///< the weight (at least 0) of each column
};

/// The columns chosen by SolveMinimumCover.
struct CoverSolution {
  std::vector<int> columns;    ///< ascending
  bool optimal = false;        ///< proven of fewest columns, then least weight
  bool fewestColumns = false;  ///< proven of fewest columns (the weight may not be least)
  bool stopped = false;        ///< the control was stopped: no columns
};

/// A cover of the fewest columns and, among those, of the least weight. Among equally good covers
/// it prefers the one holding the smallest column in which two covers differ (for covers of equal
/// size, the first ascending column list in lexicographic order); when the time budget ends while
/// that order is being settled, it keeps the first such cover its search found. When the budget ends
/// the search earlier, the best cover found so far is returned with `optimal` false (and
/// `fewestColumns` telling whether its size is proven least); it has no column that could be left
/// out. Every row must be covered by some column. Recursive: run it on a
/// large stack.
CoverSolution SolveMinimumCover(const CoverProblem& problem, Budget& control);

}  // namespace brevano

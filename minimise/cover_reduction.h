// Reductions of a covering problem that keep its best cover, and its split into independent parts.
#pragma once

#include <vector>

#include "minimise/minimum_cover.h"

namespace brevano {

/// A part of a reduced problem: every row has at least two columns, and no row or column is
/// dominated. `columns` maps the part's columns back to the problem's, ascending.
struct CoverPart {
  CoverProblem problem;
  std::vector<int> columns;
};

/// The problem after the reductions: the columns every best cover takes, and the rest in parts
/// that share no row.
struct ReducedCover {
  std::vector<int> forced;
  std::vector<CoverPart> parts;
  bool stopped = false;
};

/// Applies the reductions until none applies, then splits what is left.
ReducedCover ReduceCover(const CoverProblem& problem, Budget& control);

}  // namespace brevano

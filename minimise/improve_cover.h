// The classical improvement loop of a two-level cover: expand, irredundant cover, reduce, last gasp.
#pragma once

#include "budget/budget.h"
#include "minimise/cube_list.h"
#include "minimise/expand_cover.h"

namespace brevano {

/// A smallest subset of `cover` that still covers every row it covers outside `dontCare`: the
/// terms that nothing else covers, then a least choice among the others (exact while the choice is
/// small enough to set up, greedy beyond).
CubeList IrredundantCover(const CubeList& cover, const CubeList& dontCare, Budget& control);

/// A sum equal to `start` outside the don't-cares of `function` (`start` must lie in its allowed rows),
/// with as few terms, then literals, as the loop finds, and never more than `start`: expansion into
/// prime implicants, an irredundant choice, reduction of each term to what only it covers, then
/// again while the cost falls; a last attempt from terms reduced one by one before stopping. Ends
/// early, with the best sum so far, when the control says so.
CubeList ImproveCover(const CubeList& start, const CubeFunction& function, Budget& control);

}  // namespace brevano

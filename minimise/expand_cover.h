// Expansion of product terms into prime implicants against the rows where the sum must be 0.
#pragma once

#include <optional>
#include <vector>

#include "budget/budget.h"
#include "minimise/cube_list.h"

namespace brevano {

/// `cube` (which must lie in the rows the function allows) with literals removed until it is a
/// prime implicant of those rows: first so as to take in whole cubes of `targets`, as many at each
/// step as the choice allows, then as many more literals as a greedy choice can drop. Against
/// `off` through the literals that keep the cube apart from each off cube; within `allowed` by
/// containment, which takes longer: there the first step is left out.
Cube ExpandCube(Cube cube, const CubeFunction& function, const CubeList& targets);

/// Every cube of `cover` expanded, those with the fewest literals first, each trying to take in the
/// cubes not yet expanded; a cube held by an expanded one is dropped. Stops expanding (keeping the
/// rest as they are) when the control says so.
CubeList ExpandCover(const CubeList& cover, const CubeFunction& function, Budget& control);

}  // namespace brevano

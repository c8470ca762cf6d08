// Expansion of product terms into prime implicants against the rows where the sum must be 0.
#pragma once

#include <vector>

#include "minimise/cube_list.h"
#include "minimise/search_control.h"

namespace brevano {

/// `cube` (which must meet no cube of `off`) with literals removed until it is a prime implicant of
/// the complement of `off`: first so as to take in whole cubes of `targets`, as many at each step
/// as the choice allows, then as many more literals as a greedy choice can drop.
WideCube ExpandCube(WideCube cube, const CubeList& off, const CubeList& targets);

/// Every cube of `cover` expanded, those with the fewest literals first, each trying to take in the
/// cubes not yet expanded; a cube held by an expanded one is dropped. Stops expanding (keeping the
/// rest as they are) when the control says so.
CubeList ExpandCover(const CubeList& cover, const CubeList& off, SearchControl& control);

}  // namespace brevano

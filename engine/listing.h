// The tagged pre-order listing that the truth-table stage evaluates.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/expr_tree.h"

namespace brevano {

/// Lines of a listing, first to last.
using Listing = std::vector<std::string>;

/// The listing line of one node text: " @N" after numbers, " @F" after operator texts.
std::string TagNodeText(std::string_view text);

/// Appends the tagged lines of node's subtree, in pre-order, to `list`.
void ListTree(const ExprNode* node, Listing& list);

}  // namespace brevano

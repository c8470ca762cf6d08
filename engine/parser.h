// The character-based expression parser: precedence by splitting at depth-0 operators.
#pragma once

#include <string>
#include <string_view>

#include "engine/expr_tree.h"

namespace brevano {

/// Removes the pairs of parentheses that enclose the whole text.
std::string StripOuterParens(std::string_view text);

/// Parses `text` into `node` (a childless node of `tree`). A top-level ";" sequence puts its further
/// elements into new nodes appended to node's parent. An empty text leaves the node untouched.
void ParseExpression(ExprTree& tree, std::string_view text, ExprNode* node);

}  // namespace brevano

// Compact tree notation for tests and the command-line tool: +{a, *{b, c}}, ∅ for an empty text.
#pragma once

#include <string>

#include "engine/expr_tree.h"

namespace brevano {

/// The subtree of `node` in the notation text{child, child}; an empty text prints as ∅.
std::string PrintTree(const ExprNode* node);

/// Every top-level node of the store in that notation, one per line.
std::string PrintTopLevel(const ExprTree& tree);

}  // namespace brevano

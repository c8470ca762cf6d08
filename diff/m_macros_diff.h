// Symbolic differentiation: diff(expression;variable) calls replaced by derivatives, in place.
#pragma once

#include <string>

#include "engine/expr_tree.h"

namespace brevano {

/// Replaces every diff call in the subtree rooted at `node` by its derivative, children first.
void ExpandDiffNodes(ExprTree& tree, ExprNode* node);

/// Rewrites the subtree rooted at `node` into its derivative with respect to `variable`.
void Differentiate(ExprTree& tree, ExprNode* node, const std::string& variable);

}  // namespace brevano

// The simplifier: constant folding and rewriting of the tree, bottom-up, in place.
#pragma once

#include "engine/expr_tree.h"

namespace brevano {

/// Simplifies the subtree rooted at `node` in place: children first, then the node until no rule applies.
void SimplifyTree(ExprTree& tree, ExprNode* node);

/// Applies at most one rule at `node`; true when a rule changed the tree.
bool SimplifyNode(ExprTree& tree, ExprNode* node);

}  // namespace brevano

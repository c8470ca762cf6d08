// Helpers of the differentiator tests: run the differentiator on typed or notated trees.
#include "tests/support/diff_test_support.h"

#include <gtest/gtest.h>

#include <vector>

#include "diff/m_macros_diff.h"
#include "engine/engine_error.h"
#include "engine/parser.h"
#include "engine/tree_printer.h"
#include "tests/support/tree_builder.h"

namespace brevano::testing {

std::string ExpandToNotation(std::string_view text) {
  ExprTree tree;
  ParseExpression(tree, text, CreateRoot(tree, ""));
  ExpandDiffNodes(tree, FirstNode(tree));
  EXPECT_TRUE(StoreIsConsistent(tree)) << text;
  return TopLevelNotation(tree);
}

std::string DifferentiateNotation(std::string_view notation, const std::string& variable) {
  ExprTree tree;
  ExprNode* root = BuildTree(tree, notation);
  Differentiate(tree, root, variable);
  EXPECT_TRUE(StoreIsConsistent(tree)) << notation;
  EXPECT_EQ(TopLevelCount(tree), 1) << notation;
  return PrintTree(root);
}

std::string ExpandError(std::string_view text) {
  ExprTree tree;
  ParseExpression(tree, text, CreateRoot(tree, ""));
  try {
    ExpandDiffNodes(tree, FirstNode(tree));
  } catch (const EngineError& error) {
    return error.what();
  }
  return "";
}

bool StoreIsConsistent(const ExprTree& tree) {
  std::size_t reachable = 0;
  std::vector<const ExprNode*> pending(tree.topLevel.begin(), tree.topLevel.end());
  while (!pending.empty()) {
    const ExprNode* node = pending.back();
    pending.pop_back();
    ++reachable;
    for (const ExprNode* child : node->children) {
      if (child->parent != node || child->depth <= node->depth) return false;
      pending.push_back(child);
    }
  }
  return reachable == tree.nodeCount;
}

}  // namespace brevano::testing

// Expansion of diff calls: in place, children first, further arguments kept, only the given subtree.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "diff/m_macros_diff.h"
#include "engine/deep_stack.h"
#include "engine/engine_error.h"
#include "engine/parser.h"
#include "engine/tree_printer.h"
#include "tests/support/diff_test_support.h"
#include "tests/support/tree_builder.h"

namespace brevano {
namespace {

using testing::TypedCase;

class Expansion : public ::testing::TestWithParam<TypedCase> {};

TEST_P(Expansion, ReplacesEveryCallInPlace) {
  EXPECT_EQ(testing::ExpandToNotation(GetParam().text), GetParam().expanded) << GetParam().text;
}

const TypedCase kExpansions[] = {
    {"x*diff(x;x)", "*{x, 1}"},
    {"diff(x;x)+diff(y;x)", "+{1, 0}"},
    {"sin(diff(x*x;x))", "sin @F{+{*{1, x}, *{x, 1}}}"},
    {"diff(diff(x*x;x);x)", "+{+{*{0, x}, *{1, 1}}, +{*{1, 1}, *{x, 0}}}"},
    {"diff(x*diff(x*y;y);x)",
     "+{*{1, +{*{0, y}, *{x, 1}}}, *{x, +{+{*{0, y}, *{0, 0}}, +{*{1, 1}, *{x, 0}}}}}"},
    {"diff(x;diff(y;y))", "0"},
    {"diff(1;diff(y;y))", "1"},
    // Arguments after the variable stay, in front of the derivative's children.
    {"diff(x*y;x;z)", "+{z, *{1, y}, *{x, 0}}"},
    {"diff(x*y;x;z;w)", "+{z, w, *{1, y}, *{x, 0}}"},
    {"diff(x;x;z)", "1{z}"},
    {"diff((a;b);x)", "0{x}"},
    // Only the first statement is expanded.
    {"diff(x;x);diff(y;y)", "1 | diff @F{y, y}"},
    {"Diff(x;x)", "Diff @F{x, x}"},
    {"", "∅"},
};
INSTANTIATE_TEST_SUITE_P(Calls, Expansion, ::testing::ValuesIn(kExpansions));

TEST(ExpandDiffNodes, KeepsTheCallNodeAndItsPlace) {
  ExprTree tree;
  ExprNode* root = CreateRoot(tree, "");
  ParseExpression(tree, "a+diff(x*y;x;z)+b", root);
  ExprNode* call = ChildAt(ChildAt(root, 0), 1);
  ASSERT_EQ(NodeText(call), "diff @F");
  ExpandDiffNodes(tree, root);
  EXPECT_EQ(ChildAt(ChildAt(root, 0), 1), call);
  EXPECT_EQ(PrintTree(root), "+{+{a, +{z, *{1, y}, *{x, 0}}}, b}");
  EXPECT_EQ(TopLevelCount(tree), 1);
  EXPECT_TRUE(testing::StoreIsConsistent(tree));
}

TEST(ExpandDiffNodes, WalksOnlyTheGivenSubtree) {
  ExprTree tree;
  ExprNode* root = testing::BuildTree(tree, "+{diff @F{x, x}, diff @F{y, y}}");
  ExpandDiffNodes(tree, ChildAt(root, 0));
  EXPECT_EQ(PrintTree(root), "+{1, diff @F{y, y}}");
}

// Calls met before the failing one are already expanded when the error ends the run.
TEST(ExpandDiffNodes, ErrorLeavesEarlierCallsExpanded) {
  ExprTree tree;
  ExprNode* root = CreateRoot(tree, "");
  ParseExpression(tree, "diff(x;x)+diff(y)", root);
  EXPECT_THROW(ExpandDiffNodes(tree, root), EngineError);
  EXPECT_EQ(PrintTree(root), "+{1, diff @F{y}}");
}

// Sums are differentiated in place, so a long chain stays linear in size.
TEST(ExpandDiffNodes, HandlesDeepSums) {
  constexpr int kTerms = 50'000;
  std::string text = "diff(x";
  for (int i = 1; i < kTerms; ++i) text += "+x";
  text += ";x)";
  std::string expanded;
  RunWithLargeStack([&] { expanded = testing::ExpandToNotation(text); });
  // Every "+" prints as "+{", ", " and "}" around its operands, every term as "1".
  EXPECT_EQ(expanded.size(), 5u * (kTerms - 1) + kTerms);
  EXPECT_EQ(expanded.find_first_not_of("+{1, }"), std::string::npos);
}

// Repeated differentiation multiplies the size; the store's node limit ends it with its message.
TEST(ExpandDiffNodes, GrowthStopsAtTheNodeLimit) {
  ExprTree tree;
  tree.maxNodes = 20'000;
  ExprNode* root = CreateRoot(tree, "");
  std::string text = "x*x*x*x*x*x*x*x";
  for (int i = 0; i < 6; ++i) text = "diff(" + text + ";x)";
  ParseExpression(tree, text, root);
  try {
    ExpandDiffNodes(tree, root);
    FAIL() << "the derivative stayed below the limit";
  } catch (const EngineError& error) {
    EXPECT_STREQ(error.what(), "The expression grows too large (more than 20000 nodes)");
  }
  EXPECT_LE(tree.nodeCount, tree.maxNodes);
}

}  // namespace
}  // namespace brevano

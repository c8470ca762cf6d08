// Store operations, text tests and the two subtree operations.
#include <gtest/gtest.h>

#include <string>

#include "engine/engine_error.h"
#include "engine/expr_tree.h"
#include "engine/text_tests.h"
#include "engine/tree_printer.h"
#include "tests/support/tree_builder.h"

namespace brevano {
namespace {

using testing::BuildTree;

TEST(TextTests, IsNumberText) {
  const std::pair<const char*, bool> cases[] = {
      {"", true},      {"-", false},    {"-5", true},     {"5-", false},  {"--5", false},
      {"2E+3", true},  {"1,5", true},   {"1.2.3", true},  {"E-5", true},  {"2E-3", true},
      {"2E3", false},  {"1E-2E-3", false}, {"1E15", false}, {"1.5E-7", true}, {"0", true},
      {"-.", true},    {"a", false},    {" 1", false},    {"E+E-", true}, {"1E+5E+5", false},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(IsNumberText(text), expected) << "'" << text << "'";
}

TEST(TextTests, IsAtomText) {
  const std::pair<const char*, bool> cases[] = {
      {"x", true},      {"f_1", true},   {"1", false},  {"", false},   {"sin @F", false},
      {"a-b", false},   {"^", true},     {":", true},   {"m @A", false}, {"\\", false},
      {"a<", false},    {"2E", true},    {"!", true},   {"x1", true},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(IsAtomText(text), expected) << "'" << text << "'";
}

TEST(TreeStore, AppendAndNavigate) {
  ExprTree tree;
  ExprNode* root = CreateRoot(tree, "+");
  ExprNode* a = AppendChild(tree, root, "a");
  AppendSibling(tree, a, "b");
  ExprNode* second = AppendSibling(tree, root, "later");
  ExprNode* first = CreateRoot(tree, "first");
  EXPECT_EQ(FirstNode(tree), first);
  EXPECT_EQ(TopLevelCount(tree), 3);
  EXPECT_EQ(TopLevelAt(tree, 2), second);
  EXPECT_EQ(PrintTree(root), "+{a, b}");
  EXPECT_EQ(ParentOf(a), root);
  EXPECT_EQ(ParentOf(root), nullptr);
  EXPECT_EQ(ChildCount(root), 2);
  EXPECT_EQ(tree.nodeCount, 5u);
}

TEST(TreeStore, ChildAtOutOfRangeRaisesTheIndexError) {
  ExprTree tree;
  ExprNode* n = BuildTree(tree, "+{a}");
  for (int index : {1, -1, 7}) {
    try {
      ChildAt(n, index);
      FAIL() << "no error for index " << index;
    } catch (const EngineError& e) {
      EXPECT_EQ(std::string(e.what()), "List index out of bounds (" + std::to_string(index) + ")");
    }
  }
}

TEST(TreeStore, DeletingAChildShiftsLaterSiblingsDown) {
  ExprTree tree;
  ExprNode* n = BuildTree(tree, "f{p{x, y}, q, r}");
  DeleteNode(tree, ChildAt(n, 0));
  EXPECT_EQ(PrintTree(n), "f{q, r}");
  EXPECT_EQ(NodeText(ChildAt(n, 0)), "q");
  EXPECT_EQ(tree.nodeCount, 3u);
  ClearTree(tree);
  EXPECT_EQ(FirstNode(tree), nullptr);
  EXPECT_EQ(tree.nodeCount, 0u);
}

TEST(SubtreeOps, CopySubtreeAppendsAfterExistingChildren) {
  ExprTree tree;
  ExprNode* src = BuildTree(tree, "*{u{v}, w}");
  ExprNode* dst = BuildTree(tree, "old{p, q}");
  CopySubtree(tree, src, dst);
  EXPECT_EQ(PrintTree(dst), "*{p, q, u{v}, w}");
  EXPECT_EQ(PrintTree(src), "*{u{v}, w}");
}

TEST(SubtreeOps, CopySubtreeIntoItsOwnDescendantStopsAtTheNodeLimit) {
  ExprTree tree;
  tree.maxNodes = 1000;
  ExprNode* src = BuildTree(tree, "a{b{c}}");
  EXPECT_THROW(CopySubtree(tree, src, ChildAt(ChildAt(src, 0), 0)), EngineError);
}

TEST(SubtreeOps, ReplaceWithSubtreeHoists) {
  struct Case {
    const char* tree;
    int path[2];  // child index, then grandchild index (-1 for none)
    const char* expected;
  };
  const Case cases[] = {
      {"+{0, b{c, d{e}}}", {1, -1}, "b{c, d{e}}"},
      {"+{x{y{z}}, k}", {0, 0}, "y{z}"},
      {"neg @F{neg @F{u{v}}}", {0, 0}, "u{v}"},
      {"+{a, b}", {0, -1}, "a"},
  };
  for (const Case& c : cases) {
    ExprTree tree;
    ExprNode* n = BuildTree(tree, c.tree);
    ExprNode* src = ChildAt(n, c.path[0]);
    if (c.path[1] >= 0) src = ChildAt(src, c.path[1]);
    ReplaceWithSubtree(tree, src, n);
    EXPECT_EQ(PrintTree(n), c.expected) << c.tree;
    EXPECT_EQ(TopLevelCount(tree), 1) << "a temporary node was left behind";
    // Recorded depths stay above the parent's, so they never understate the nesting.
    for (const ExprNode* child : n->children) EXPECT_GT(child->depth, n->depth);
  }
}

TEST(SubtreeOps, ReplaceWithSubtreeFromElsewhereRemovesTheSource) {
  ExprTree tree;
  ExprNode* dst = BuildTree(tree, "d{x}");
  ExprNode* other = BuildTree(tree, "o{s{t}, keep}");
  ReplaceWithSubtree(tree, ChildAt(other, 0), dst);
  EXPECT_EQ(PrintTree(dst), "s{t}");
  EXPECT_EQ(PrintTree(other), "o{keep}");
  EXPECT_EQ(tree.nodeCount, 4u);
}

TEST(TreeLimits, NestingAndSizeErrors) {
  ExprTree tree;
  tree.maxDepth = 3;
  ExprNode* n = CreateRoot(tree, "r");
  for (int i = 0; i < 3; ++i) n = AppendChild(tree, n, "x");
  try {
    AppendChild(tree, n, "too deep");
    FAIL();
  } catch (const EngineError& e) {
    EXPECT_STREQ(e.what(), "The expression is nested too deeply (more than 3 levels)");
  }
  ExprTree small;
  small.maxNodes = 2;
  CreateRoot(small, "a");
  AppendChild(small, FirstNode(small), "b");
  try {
    AppendChild(small, FirstNode(small), "c");
    FAIL();
  } catch (const EngineError& e) {
    EXPECT_STREQ(e.what(), "The expression grows too large (more than 2 nodes)");
  }
}

TEST(TreeLimits, DeletingAVeryDeepTreeDoesNotRecurse) {
  ExprTree tree;
  ExprNode* n = CreateRoot(tree, "r");
  for (int i = 0; i < kMaxTreeDepth; ++i) n = AppendChild(tree, n, "x");
  EXPECT_EQ(PrintTree(FirstNode(tree)).size(), 1 + 3 * static_cast<std::size_t>(kMaxTreeDepth));
  ClearTree(tree);
  EXPECT_EQ(tree.nodeCount, 0u);
}

}  // namespace
}  // namespace brevano

// The expression store: an ordered tree of text nodes shared by every engine stage.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brevano {

/// One node of the store: its text, ordered children and parent (none for a top-level node).
struct ExprNode {
  std::string text;
  ExprNode* parent = nullptr;
  std::vector<ExprNode*> children;
  int depth = 0;  ///< nesting level: exact when created, an upper bound after a subtree moves up
};

/// Limits that keep every stage bounded in memory and time: half a million nodes (about 50 MB) is
/// more than seven times the largest tree the length limits let the parser build, and a
/// derivative reaches it in well under a second.
inline constexpr std::size_t kMaxTreeNodes = 500'000;
inline constexpr int kMaxTreeDepth = 100'000;

/// The store. It owns every node; a node pointer stays valid until that node is deleted.
///
/// Nodes never move between parents: the subtree operations copy or relink whole subtrees. Every
/// node's recorded depth exceeds its parent's by at least one, so it is never below the true
/// nesting level; a subtree that moves up keeps its recorded depths (updating them would cost a
/// walk over the subtree at every hoist), one that moves down is shifted. The store counts its
/// live nodes so that growth beyond kMaxTreeNodes (or nesting beyond kMaxTreeDepth) ends a run
/// with a clear error before memory runs out.
struct ExprTree {
  ExprTree() = default;
  ExprTree(const ExprTree&) = delete;
  ExprTree& operator=(const ExprTree&) = delete;
  ~ExprTree();

  std::vector<ExprNode*> topLevel;
  std::size_t nodeCount = 0;
  std::size_t maxNodes = kMaxTreeNodes;
  int maxDepth = kMaxTreeDepth;
};

/// New node with `text` as the last child of `parent`; a new last top-level node when parent is null.
ExprNode* AppendChild(ExprTree& tree, ExprNode* parent, std::string_view text);
/// New node as the last child of `node`'s parent (a new last top-level node when node is top-level or null).
ExprNode* AppendSibling(ExprTree& tree, ExprNode* node, std::string_view text);
/// New node inserted as the first top-level node.
ExprNode* CreateRoot(ExprTree& tree, std::string_view text);
/// Removes the node and its whole subtree; later siblings move down one index. Never recurses.
void DeleteNode(ExprTree& tree, ExprNode* node);
/// The child at 0-based `index`; raises "List index out of bounds (%d)" when there is none.
ExprNode* ChildAt(const ExprNode* node, int index);
/// Number of children of the node.
int ChildCount(const ExprNode* node);
/// The node's text.
const std::string& NodeText(const ExprNode* node);
/// Replaces the node's text.
void SetNodeText(ExprNode* node, std::string_view text);
/// The node's parent, or null for a top-level node.
ExprNode* ParentOf(const ExprNode* node);
/// Removes every node of the store.
void ClearTree(ExprTree& tree);
/// The first top-level node (the expression root), or null when the store is empty.
ExprNode* FirstNode(const ExprTree& tree);
/// Number of top-level nodes.
int TopLevelCount(const ExprTree& tree);
/// The top-level node at `index` (same index error as ChildAt).
ExprNode* TopLevelAt(const ExprTree& tree, int index);

/// Visits node's subtree children first, in child order, with an explicit stack. Each node's child
/// count is taken when the walk reaches it, so `visit` may rewrite the node it is given (its text and
/// descendants) but must not add or remove siblings.
void VisitPostOrder(ExprNode* node, const std::function<void(ExprNode*)>& visit);

/// Sets dst's text to src's and appends copies of src's children after dst's own children. A copy
/// that cannot fit under the node limit raises the size error before anything is copied.
void CopySubtree(ExprTree& tree, const ExprNode* src, ExprNode* dst);
/// dst takes src's text and subtree, and src disappears from where it was.
void ReplaceWithSubtree(ExprTree& tree, ExprNode* src, ExprNode* dst);

}  // namespace brevano

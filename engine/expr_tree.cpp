// Store operations and the two subtree operations that every rewriting stage uses.
#include "engine/expr_tree.h"

#include <algorithm>
#include <utility>

#include "engine/engine_error.h"

namespace brevano {

namespace {

[[noreturn]] void ThrowIndexError(int index) {
  throw EngineError("List index out of bounds (" + std::to_string(index) + ")");
}

[[noreturn]] void ThrowTooLarge(const ExprTree& tree) {
  throw EngineError("The expression grows too large (more than " + std::to_string(tree.maxNodes) + " nodes)");
}

// Sets the recorded depths of node and its ancestors to their true values. Lowering a whole path
// at once keeps every recorded depth above its parent's.
void RecordTrueDepths(ExprNode* node) {
  std::vector<ExprNode*> path;
  for (ExprNode* up = node; up; up = up->parent) path.push_back(up);
  int depth = 0;
  for (auto it = path.rbegin(); it != path.rend(); ++it) (*it)->depth = depth++;
}

ExprNode* NewNode(ExprTree& tree, ExprNode* parent, std::string_view text) {
  // A recorded depth over the limit may be stale (its subtree moved up): the true one decides.
  if (parent && parent->depth >= tree.maxDepth) RecordTrueDepths(parent);
  const int depth = parent ? parent->depth + 1 : 0;
  if (depth > tree.maxDepth) {
    throw EngineError("The expression is nested too deeply (more than " + std::to_string(tree.maxDepth) +
                      " levels)");
  }
  if (tree.nodeCount >= tree.maxNodes) ThrowTooLarge(tree);
  auto* node = new ExprNode{std::string(text), parent, {}, depth};
  ++tree.nodeCount;
  return node;
}

std::vector<ExprNode*>& SiblingsOf(ExprTree& tree, ExprNode* node) {
  return node->parent ? node->parent->children : tree.topLevel;
}

void Detach(ExprTree& tree, ExprNode* node) {
  auto& list = SiblingsOf(tree, node);
  list.erase(std::find(list.begin(), list.end(), node));
  node->parent = nullptr;
}

void FreeSubtree(ExprTree& tree, ExprNode* node) {
  std::vector<ExprNode*> pending{node};
  while (!pending.empty()) {
    ExprNode* n = pending.back();
    pending.pop_back();
    pending.insert(pending.end(), n->children.begin(), n->children.end());
    delete n;
    --tree.nodeCount;
  }
}

// Raises node's recorded depth to at least `depth`, and its descendants' as far as needed to keep
// each above its parent's. Descendants with enough room already are not visited, so a subtree
// that moved up before and comes back down costs nothing.
void RaiseDepth(ExprNode* node, int depth) {
  std::vector<std::pair<ExprNode*, int>> pending{{node, depth}};
  while (!pending.empty()) {
    const auto [n, d] = pending.back();
    pending.pop_back();
    if (n->depth >= d) continue;
    n->depth = d;
    for (ExprNode* child : n->children) pending.emplace_back(child, d + 1);
  }
}

}  // namespace

ExprTree::~ExprTree() { ClearTree(*this); }

ExprNode* AppendChild(ExprTree& tree, ExprNode* parent, std::string_view text) {
  ExprNode* node = NewNode(tree, parent, text);
  auto& siblings = parent ? parent->children : tree.topLevel;
  // Most nodes are binary operators: room for two children at once saves a reallocation.
  if (siblings.capacity() == 0) siblings.reserve(2);
  siblings.push_back(node);
  return node;
}

ExprNode* AppendSibling(ExprTree& tree, ExprNode* node, std::string_view text) {
  return AppendChild(tree, node ? node->parent : nullptr, text);
}

ExprNode* CreateRoot(ExprTree& tree, std::string_view text) {
  ExprNode* node = NewNode(tree, nullptr, text);
  tree.topLevel.insert(tree.topLevel.begin(), node);
  return node;
}

void DeleteNode(ExprTree& tree, ExprNode* node) {
  Detach(tree, node);
  FreeSubtree(tree, node);
}

ExprNode* ChildAt(const ExprNode* node, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= node->children.size()) ThrowIndexError(index);
  return node->children[static_cast<std::size_t>(index)];
}

int ChildCount(const ExprNode* node) { return static_cast<int>(node->children.size()); }

const std::string& NodeText(const ExprNode* node) { return node->text; }

void SetNodeText(ExprNode* node, std::string_view text) { node->text.assign(text); }

ExprNode* ParentOf(const ExprNode* node) { return node->parent; }

void ClearTree(ExprTree& tree) {
  while (!tree.topLevel.empty()) DeleteNode(tree, tree.topLevel.back());
}

ExprNode* FirstNode(const ExprTree& tree) { return tree.topLevel.empty() ? nullptr : tree.topLevel.front(); }

int TopLevelCount(const ExprTree& tree) { return static_cast<int>(tree.topLevel.size()); }

ExprNode* TopLevelAt(const ExprTree& tree, int index) {
  if (index < 0 || index >= TopLevelCount(tree)) ThrowIndexError(index);
  return tree.topLevel[static_cast<std::size_t>(index)];
}

std::size_t CountBelow(const ExprNode* node) {
  std::size_t count = 0;
  std::vector<const ExprNode*> pending(node->children.begin(), node->children.end());
  while (!pending.empty()) {
    const ExprNode* n = pending.back();
    pending.pop_back();
    ++count;
    pending.insert(pending.end(), n->children.begin(), n->children.end());
  }
  return count;
}

void VisitPostOrder(ExprNode* node, const std::function<void(ExprNode*)>& visit) {
  struct Frame {
    ExprNode* node;
    int count;
    int next;
  };
  std::vector<Frame> stack{{node, ChildCount(node), 0}};
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.next < top.count) {
      ExprNode* child = ChildAt(top.node, top.next++);
      stack.push_back({child, ChildCount(child), 0});
      continue;
    }
    ExprNode* done = top.node;
    stack.pop_back();
    visit(done);
  }
}

// Copies depth first in child order, as a recursive walk would, but with an explicit stack. The
// size is counted first, so a copy that cannot fit fails before it allocates anything. The
// child count of each source node is taken when the walk reaches it, so copying into a node of
// the source's own subtree grows until the node limit stops it instead of looping for ever.
void CopySubtree(ExprTree& tree, const ExprNode* src, ExprNode* dst) {
  if (CountBelow(src) > tree.maxNodes - std::min(tree.nodeCount, tree.maxNodes)) ThrowTooLarge(tree);
  struct Frame {
    const ExprNode* src;
    ExprNode* dst;
    std::size_t count;
    std::size_t next;
  };
  dst->text = src->text;
  std::vector<Frame> stack{{src, dst, src->children.size(), 0}};
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.next == top.count) {
      stack.pop_back();
      continue;
    }
    const ExprNode* child = top.src->children[top.next++];
    ExprNode* copy = AppendChild(tree, top.dst, child->text);
    stack.push_back({child, copy, child->children.size(), 0});
  }
}

// The subtree of src is taken out first (as a temporary top-level node would hold a copy of it),
// then dst's children are deleted from the last to the first, then dst takes src's text and
// children. Relinking instead of copying twice gives the same tree without allocating, so a hoist
// can neither fail half way nor cost more than the depth update of nodes that move down.
void ReplaceWithSubtree(ExprTree& tree, ExprNode* src, ExprNode* dst) {
  if (src == dst) return;
  // Recorded depths grow strictly along every path down, so an ancestor of dst that is src's
  // descendant has a greater recorded depth than src: the climb may stop below src's depth.
  for (const ExprNode* up = dst->parent; up && up->depth >= src->depth; up = up->parent) {
    if (up == src) throw EngineError("A subtree cannot replace one of its own descendants");
  }
  Detach(tree, src);
  while (!dst->children.empty()) DeleteNode(tree, dst->children.back());
  dst->text = std::move(src->text);
  dst->children = std::move(src->children);
  for (ExprNode* child : dst->children) {
    child->parent = dst;
    RaiseDepth(child, dst->depth + 1);
  }
  src->children.clear();
  delete src;
  --tree.nodeCount;
}

}  // namespace brevano

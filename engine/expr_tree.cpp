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

ExprNode* NewNode(ExprTree& tree, ExprNode* parent, std::string_view text) {
  const int depth = parent ? parent->depth + 1 : 0;
  if (depth > tree.maxDepth) {
    throw EngineError("The expression is nested too deeply (more than " +
                      std::to_string(tree.maxDepth) + " levels)");
  }
  if (tree.nodeCount >= tree.maxNodes) {
    throw EngineError("The expression grows too large (more than " +
                      std::to_string(tree.maxNodes) + " nodes)");
  }
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

void ShiftDepth(ExprNode* node, int delta) {
  if (delta == 0) return;
  std::vector<ExprNode*> pending{node};
  while (!pending.empty()) {
    ExprNode* n = pending.back();
    pending.pop_back();
    n->depth += delta;
    pending.insert(pending.end(), n->children.begin(), n->children.end());
  }
}

}  // namespace

ExprTree::~ExprTree() { ClearTree(*this); }

ExprNode* AppendChild(ExprTree& tree, ExprNode* parent, std::string_view text) {
  ExprNode* node = NewNode(tree, parent, text);
  (parent ? parent->children : tree.topLevel).push_back(node);
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

ExprNode* FirstNode(const ExprTree& tree) {
  return tree.topLevel.empty() ? nullptr : tree.topLevel.front();
}

int TopLevelCount(const ExprTree& tree) { return static_cast<int>(tree.topLevel.size()); }

ExprNode* TopLevelAt(const ExprTree& tree, int index) {
  if (index < 0 || index >= TopLevelCount(tree)) ThrowIndexError(index);
  return tree.topLevel[static_cast<std::size_t>(index)];
}

// Copies depth first in child order, as a recursive walk would, but with an explicit stack. The
// child count of each source node is taken when the walk reaches it, so copying into a node of
// the source's own subtree grows until the node limit stops it instead of looping for ever.
void CopySubtree(ExprTree& tree, const ExprNode* src, ExprNode* dst) {
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
// can neither fail half way nor cost more than the depth update of the moved nodes.
void ReplaceWithSubtree(ExprTree& tree, ExprNode* src, ExprNode* dst) {
  if (src == dst) return;
  // Only nodes no shallower than src can be src, so the climb stops at src's depth.
  for (const ExprNode* up = dst->parent; up && up->depth >= src->depth; up = up->parent) {
    if (up == src) throw EngineError("A subtree cannot replace one of its own descendants");
  }
  Detach(tree, src);
  while (!dst->children.empty()) DeleteNode(tree, dst->children.back());
  dst->text = std::move(src->text);
  dst->children = std::move(src->children);
  for (ExprNode* child : dst->children) {
    child->parent = dst;
    ShiftDepth(child, dst->depth + 1 - child->depth);
  }
  src->children.clear();
  delete src;
  --tree.nodeCount;
}

}  // namespace brevano

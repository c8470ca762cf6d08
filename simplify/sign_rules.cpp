// Rules for negations ("neg @F") and reciprocals of squares.
//
// New structure is appended after the node's old children with placeholder leaves, the moved
// subtrees are hoisted into the placeholders, and the consumed old children are deleted last, so
// that the new nodes end up at the front. The steps run in this fixed order because an error half
// way (a missing child, the node limit) leaves the tree in the state reached at that point.
#include <string>

#include "simplify/rules.h"

namespace brevano::simplify {

namespace {

bool IsNegation(const ExprNode* node) { return HasText(node, "neg @F"); }

bool IsReciprocalOfSquare(const ExprNode* node, std::string_view numerator) {
  return IsQuotient(node) && HasText(ChildAt(node, 0), numerator) && HasText(ChildAt(node, 1), "sqr @F");
}

// Appends "/"("1", W) as the last child of `parent`, W moved out of the "sqr @F" node `square`.
void AppendReciprocal(ExprTree& tree, ExprNode* parent, ExprNode* square) {
  ExprNode* quotient = AppendChild(tree, parent, "/");
  AppendChild(tree, quotient, "1");
  ExprNode* placeholder = AppendChild(tree, quotient, "x");
  ReplaceWithSubtree(tree, ChildAt(square, 0), placeholder);
}

struct Operands {
  ExprNode* first;
  ExprNode* second;
};

// Turns the node into "neg @F" over a new last child with the node's old operator and two
// placeholder children, which are returned.
Operands NegateOverOperator(ExprTree& tree, ExprNode* node) {
  const std::string op = NodeText(node);
  SetNodeText(node, "neg @F");
  ExprNode* inner = AppendChild(tree, node, op);
  ExprNode* first = AppendChild(tree, inner, "a");
  ExprNode* second = AppendChild(tree, inner, "b");
  return {first, second};
}

}  // namespace

bool NegationFromZero(ExprTree& tree, ExprNode* node) {
  if (!HasText(node, "-") || !HasText(ChildAt(node, 0), "0")) return false;
  SetNodeText(node, "neg @F");
  DeleteNode(tree, ChildAt(node, 0));
  return true;
}

bool ReciprocalOfSquare(ExprTree& tree, ExprNode* node) {
  if (!IsReciprocalOfSquare(node, "1")) return false;
  AppendReciprocal(tree, node, ChildAt(node, 1));
  DeleteNode(tree, ChildAt(node, 0));
  DeleteNode(tree, ChildAt(node, 0));
  SetNodeText(node, "sqr @F");
  return true;
}

bool NegatedReciprocalOfSquare(ExprTree& tree, ExprNode* node) {
  if (!IsReciprocalOfSquare(node, "-1")) return false;
  ExprNode* square = ChildAt(node, 1);
  ExprNode* newSquare = AppendChild(tree, node, "sqr @F");
  AppendReciprocal(tree, newSquare, square);
  DeleteNode(tree, ChildAt(node, 0));
  DeleteNode(tree, ChildAt(node, 0));
  SetNodeText(node, "neg @F");
  return true;
}

bool CancelNegationPair(ExprTree& tree, ExprNode* node) {
  if (!IsProductOrQuotient(node)) return false;
  ExprNode* c0 = ChildAt(node, 0);
  ExprNode* c1 = ChildAt(node, 1);
  if (!IsNegation(c0) || !IsNegation(c1)) return false;
  ReplaceWithSubtree(tree, ChildAt(c0, 0), c0);
  ReplaceWithSubtree(tree, ChildAt(c1, 0), c1);
  return true;
}

bool MoveNegationOutOfFirst(ExprTree& tree, ExprNode* node) {
  if (!IsProductOrQuotient(node)) return false;
  ExprNode* c0 = ChildAt(node, 0);
  if (!IsNegation(c0) || IsNegation(ChildAt(node, 1))) return false;
  const Operands operands = NegateOverOperator(tree, node);
  ReplaceWithSubtree(tree, ChildAt(c0, 0), operands.first);
  ReplaceWithSubtree(tree, ChildAt(node, 1), operands.second);
  DeleteNode(tree, ChildAt(node, 0));
  return true;
}

bool MoveNegationOutOfSecond(ExprTree& tree, ExprNode* node) {
  if (!IsProductOrQuotient(node)) return false;
  ExprNode* c1 = ChildAt(node, 1);
  if (!IsNegation(c1) || IsNegation(ChildAt(node, 0))) return false;
  const Operands operands = NegateOverOperator(tree, node);
  ReplaceWithSubtree(tree, ChildAt(node, 0), operands.first);
  ReplaceWithSubtree(tree, ChildAt(ChildAt(node, 0), 0), operands.second);
  DeleteNode(tree, ChildAt(node, 0));
  return true;
}

bool DoubleNegation(ExprTree& tree, ExprNode* node) {
  if (!HasText(node, "neg @F")) return false;
  ExprNode* c0 = ChildAt(node, 0);
  if (!IsNegation(c0)) return false;
  ReplaceWithSubtree(tree, ChildAt(c0, 0), node);
  return true;
}

}  // namespace brevano::simplify

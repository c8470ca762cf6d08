// Rules that drop neutral operands ("0" of sums, "1" of products and exponents) and apply the
// absorbing "0" of products; also the merge of a square of a square.
#include "simplify/rules.h"

namespace brevano::simplify {

namespace {

bool IsPower(const ExprNode* node) { return HasText(node, "pow @F") || HasText(node, "power @F"); }

// The node takes the kept child's text and subtree; its other children disappear.
bool Hoist(ExprTree& tree, ExprNode* node, int kept) {
  ReplaceWithSubtree(tree, ChildAt(node, kept), node);
  return true;
}

}  // namespace

bool SumDropsLeadingZero(ExprTree& tree, ExprNode* node) {
  return HasText(node, "+") && HasText(ChildAt(node, 0), "0") && Hoist(tree, node, 1);
}

bool SumDropsTrailingZero(ExprTree& tree, ExprNode* node) {
  return HasText(node, "+") && HasText(ChildAt(node, 1), "0") && Hoist(tree, node, 0);
}

bool DifferenceDropsTrailingZero(ExprTree& tree, ExprNode* node) {
  return HasText(node, "-") && HasText(ChildAt(node, 1), "0") && Hoist(tree, node, 0);
}

bool ProductDropsLeadingOne(ExprTree& tree, ExprNode* node) {
  return HasText(node, "*") && HasText(ChildAt(node, 0), "1") && Hoist(tree, node, 1);
}

bool ProductDropsTrailingOne(ExprTree& tree, ExprNode* node) {
  return HasText(node, "*") && HasText(ChildAt(node, 1), "1") && Hoist(tree, node, 0);
}

bool ProductWithZeroIsZero(ExprTree& tree, ExprNode* node) {
  if (!HasText(node, "*")) return false;
  ExprNode* c0 = ChildAt(node, 0);
  ExprNode* c1 = ChildAt(node, 1);
  if (!HasText(c0, "0") && !HasText(c1, "0")) return false;
  DeleteNode(tree, c1);
  DeleteNode(tree, c0);
  SetNodeText(node, "0");
  return true;
}

bool PowerWithExponentOne(ExprTree& tree, ExprNode* node) {
  return IsPower(node) && HasText(ChildAt(node, 1), "1") && Hoist(tree, node, 0);
}

bool PowerWithExponentZero(ExprTree& tree, ExprNode* node) {
  if (!IsPower(node) || !HasText(ChildAt(node, 1), "0")) return false;
  DeleteNode(tree, ChildAt(node, 0));
  DeleteNode(tree, ChildAt(node, 0));
  SetNodeText(node, "1");
  return true;
}

bool SquareOfSquare(ExprTree& tree, ExprNode* node) {
  if (!HasText(node, "sqr @F")) return false;
  ExprNode* c0 = ChildAt(node, 0);
  if (!HasText(c0, "sqr @F")) return false;
  SetNodeText(node, "sqr2 @F");
  ReplaceWithSubtree(tree, ChildAt(c0, 0), c0);
  return true;
}

}  // namespace brevano::simplify

// Rules that evaluate arithmetic on number children and replace it by its value.
#include "engine/numbers.h"
#include "simplify/rules.h"

namespace brevano::simplify {

namespace {

using BinaryOp = long double (*)(long double, long double);
using UnaryOp = long double (*)(long double);

// Both operands are converted before anything changes, so a bad operand leaves the tree as it
// was; an arithmetic error comes after the deletions and leaves the node childless.
bool FoldBinary(ExprTree& tree, ExprNode* node, BinaryOp op) {
  ExprNode* c0 = ChildAt(node, 0);
  if (!IsNumberNode(c0)) return false;
  ExprNode* c1 = ChildAt(node, 1);
  if (!IsNumberNode(c1)) return false;
  const long double n = OperandValue(c0);
  const long double m = OperandValue(c1);
  DeleteNode(tree, c1);
  DeleteNode(tree, c0);
  const long double result = op(n, m);
  SetNodeText(node, NumberToText(result));
  return true;
}

bool FoldUnary(ExprTree& tree, ExprNode* node, UnaryOp op) {
  ExprNode* c0 = ChildAt(node, 0);
  if (!IsNumberNode(c0)) return false;
  const long double n = OperandValue(c0);
  DeleteNode(tree, c0);
  const long double result = op(n);
  SetNodeText(node, NumberToText(result));
  return true;
}

long double Square(long double n) { return CheckedMul(n, n); }

}  // namespace

bool FoldSum(ExprTree& tree, ExprNode* node) {
  return HasText(node, "+") && FoldBinary(tree, node, CheckedAdd);
}

bool FoldDifference(ExprTree& tree, ExprNode* node) {
  return HasText(node, "-") && FoldBinary(tree, node, CheckedSub);
}

bool FoldQuotient(ExprTree& tree, ExprNode* node) {
  return IsQuotient(node) && FoldBinary(tree, node, CheckedDiv);
}

bool FoldProduct(ExprTree& tree, ExprNode* node) {
  return HasText(node, "*") && FoldBinary(tree, node, CheckedMul);
}

bool FoldSquare(ExprTree& tree, ExprNode* node) {
  return HasText(node, "sqr @F") && FoldUnary(tree, node, Square);
}

bool FoldSquareRoot(ExprTree& tree, ExprNode* node) {
  return HasText(node, "sqrt @F") && FoldUnary(tree, node, CheckedSqrtAbs);
}

bool FoldSine(ExprTree& tree, ExprNode* node) {
  return HasText(node, "sin @F") && FoldUnary(tree, node, CheckedSin);
}

bool FoldCosine(ExprTree& tree, ExprNode* node) {
  return HasText(node, "cos @F") && FoldUnary(tree, node, CheckedCos);
}

bool FoldExponential(ExprTree& tree, ExprNode* node) {
  return HasText(node, "exp @F") && FoldUnary(tree, node, CheckedExp);
}

}  // namespace brevano::simplify

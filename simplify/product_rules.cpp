// Rules that gather the numeric factors of nested products into one factor.
#include "engine/numbers.h"
#include "simplify/rules.h"

namespace brevano::simplify {

namespace {

// `factor` is the node's number child N, `inner` its other child, a product whose child `m` is a
// number M. N becomes [N * M], M is deleted and inner's remaining first child takes its place.
// Both numbers are converted before anything changes.
bool MergeIntoFactor(ExprTree& tree, ExprNode* factor, ExprNode* inner, ExprNode* m) {
  const long double n = OperandValue(factor);
  const long double mValue = OperandValue(m);
  const long double product = CheckedMul(n, mValue);
  SetNodeText(factor, NumberToText(product));
  DeleteNode(tree, m);
  ReplaceWithSubtree(tree, ChildAt(inner, 0), inner);
  return true;
}

// The number child at `factorIndex` and, at the other index, a product whose child at
// `innerIndex` is a number; for the inner second child, its first child must not be one.
bool GatherNumber(ExprTree& tree, ExprNode* node, int factorIndex, int innerIndex) {
  if (!HasText(node, "*")) return false;
  ExprNode* factor = ChildAt(node, factorIndex);
  if (!IsNumberNode(factor)) return false;
  ExprNode* inner = ChildAt(node, 1 - factorIndex);
  if (!HasText(inner, "*")) return false;
  if (innerIndex == 1 && IsNumberNode(ChildAt(inner, 0))) return false;
  ExprNode* m = ChildAt(inner, innerIndex);
  return IsNumberNode(m) && MergeIntoFactor(tree, factor, inner, m);
}

}  // namespace

bool GatherLeftNumberWithInnerFirst(ExprTree& tree, ExprNode* node) { return GatherNumber(tree, node, 0, 0); }

bool GatherLeftNumberWithInnerSecond(ExprTree& tree, ExprNode* node) {
  return GatherNumber(tree, node, 0, 1);
}

bool GatherRightNumberWithInnerFirst(ExprTree& tree, ExprNode* node) {
  return GatherNumber(tree, node, 1, 0);
}

bool GatherRightNumberWithInnerSecond(ExprTree& tree, ExprNode* node) {
  return GatherNumber(tree, node, 1, 1);
}

// The four cases pair a number child of c0 = "*"(A0, A1) with one of c1 = "*"(B0, B1), in the
// order (A0, B0), (A0, B1), (A1, B0), (A1, B1). The product replaces the number on c0's side and
// c1 is replaced by its other child.
bool GatherNumbersOfTwoProducts(ExprTree& tree, ExprNode* node) {
  if (!HasText(node, "*")) return false;
  ExprNode* c0 = ChildAt(node, 0);
  ExprNode* c1 = ChildAt(node, 1);
  if (!HasText(c0, "*") || !HasText(c1, "*")) return false;
  ExprNode* const a[2] = {ChildAt(c0, 0), ChildAt(c0, 1)};
  ExprNode* const b[2] = {ChildAt(c1, 0), ChildAt(c1, 1)};
  for (int i = 0; i < 2; ++i) {
    for (int j = 0; j < 2; ++j) {
      if (!IsNumberNode(a[i]) || !IsNumberNode(b[j])) continue;
      const long double left = OperandValue(a[i]);
      const long double right = OperandValue(b[j]);
      ReplaceWithSubtree(tree, b[1 - j], c1);
      const long double product = CheckedMul(left, right);
      SetNodeText(a[i], NumberToText(product));
      return true;
    }
  }
  return false;
}

}  // namespace brevano::simplify

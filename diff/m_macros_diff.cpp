// Symbolic differentiation: diff(expression;variable) calls replaced by derivatives, in place.
#include "diff/m_macros_diff.h"

#include "diff/diff_rules.h"
#include "diff/named_functions.h"
#include "engine/text_tests.h"

namespace brevano {

namespace {

// The call node takes the derivative's text and children in place of its first two arguments;
// further arguments stay in front. With exactly two arguments the derivative is moved up
// without copying.
void ReplaceCallByDerivative(ExprTree& tree, ExprNode* call) {
  ExprNode* derivative = ChildAt(call, 0);
  if (ChildCount(call) == 2) {
    ReplaceWithSubtree(tree, derivative, call);
    return;
  }
  ExprNode* held = AppendSibling(tree, nullptr, "");
  CopySubtree(tree, derivative, held);
  DeleteNode(tree, ChildAt(call, 1));
  DeleteNode(tree, ChildAt(call, 0));
  CopySubtree(tree, held, call);
  DeleteNode(tree, held);
}

bool IsPowerText(const std::string& text) { return text == "pow @F" || text == "power @F" || text == "^"; }

}  // namespace

void ExpandDiffNodes(ExprTree& tree, ExprNode* node) {
  const int count = ChildCount(node);
  for (int i = 0; i < count; ++i) ExpandDiffNodes(tree, ChildAt(node, i));
  if (NodeText(node) != "diff @F") return;
  const std::string variable = NodeText(ChildAt(node, 1));
  Differentiate(tree, ChildAt(node, 0), variable);
  ReplaceCallByDerivative(tree, node);
}

// The first matching test decides. Derivative-order names, the variable, atoms and numbers come
// first and in this order; the atom test looks only at leaves, so operators such as "^" and ":"
// with operands are left to the later tests.
void Differentiate(ExprTree& tree, ExprNode* node, const std::string& variable) {
  const std::string& text = NodeText(node);
  if (text.starts_with("f_")) return DifferentiateOrderName(node);
  if (text == variable) return SetNodeText(node, "1");
  if (ChildCount(node) == 0 && IsAtomText(text)) return SetNodeText(node, "0");
  if (IsNumberText(text)) return SetNodeText(node, "0");
  if (text == "neg @F" || text == "rad @F") return DifferentiateFirstChild(tree, node, variable);
  if (text == "+" || text == "-") return DifferentiateSum(tree, node, variable);
  if (text == "*") return DifferentiateProduct(tree, node, variable);
  if (text == "/" || text == "\\") return DifferentiateQuotient(tree, node, variable);
  if (IsPowerText(text)) return DifferentiatePower(tree, node, variable);
  if (const Shape* shape = NamedFunctionShape(text)) return BuildFromShape(tree, node, *shape, variable);
}

}  // namespace brevano

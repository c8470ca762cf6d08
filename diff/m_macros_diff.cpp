// Symbolic differentiation: diff(expression;variable) calls replaced by derivatives, in place.
#include "diff/m_macros_diff.h"

#include <vector>

#include "diff/diff_rules.h"
#include "diff/named_functions.h"
#include "engine/text_tests.h"

namespace brevano {

namespace {

// The call node takes the derivative's text and children in place of its first two arguments;
// further arguments stay in front. The derivative's children are moved, not copied: each goes
// into a new last child of the call, so the result is the one a copy would give at no cost in
// nodes, however many diff calls with extra arguments are nested.
void ReplaceCallByDerivative(ExprTree& tree, ExprNode* call) {
  ExprNode* derivative = ChildAt(call, 0);
  if (ChildCount(call) == 2) {
    ReplaceWithSubtree(tree, derivative, call);
    return;
  }
  const std::string text = NodeText(derivative);
  const std::vector<ExprNode*> moved = derivative->children;
  for (ExprNode* child : moved) ReplaceWithSubtree(tree, child, AppendChild(tree, call, ""));
  DeleteNode(tree, ChildAt(call, 1));
  DeleteNode(tree, ChildAt(call, 0));
  SetNodeText(call, text);
}

bool IsPowerText(const std::string& text) { return text == "pow @F" || text == "power @F" || text == "^"; }

}  // namespace

// Post-order with an explicit stack: a call's arguments are expanded before the call itself. An
// expansion rewrites its node in place, so the parent's child count taken earlier stays valid.
void ExpandDiffNodes(ExprTree& tree, ExprNode* node) {
  VisitPostOrder(node, [&tree](ExprNode* call) {
    if (NodeText(call) != "diff @F") return;
    const std::string variable = NodeText(ChildAt(call, 1));
    Differentiate(tree, ChildAt(call, 0), variable);
    ReplaceCallByDerivative(tree, call);
  });
}

namespace {

// The first matching test decides. Derivative-order names, the variable, atoms and numbers come
// first and in this order; the atom test looks only at leaves, so operators such as "^" and ":"
// with operands are left to the later tests. Derivatives of descendants go to `work`.
void DifferentiateOne(ExprTree& tree, ExprNode* node, const std::string& variable, DiffWork& work) {
  const std::string& text = NodeText(node);
  if (text.starts_with("f_")) return DifferentiateOrderName(node);
  if (text == variable) return SetNodeText(node, "1");
  if (ChildCount(node) == 0 && IsAtomText(text)) return SetNodeText(node, "0");
  if (IsNumberText(text)) return SetNodeText(node, "0");
  if (text == "neg @F" || text == "rad @F") return DifferentiateFirstChild(node, work);
  if (text == "+" || text == "-") return DifferentiateSum(node, work);
  if (text == "*") return DifferentiateProduct(tree, node, work);
  if (text == "/" || text == "\\") return DifferentiateQuotient(tree, node, work);
  if (IsPowerText(text)) return DifferentiatePower(tree, node, work);
  if (const Shape* shape = NamedFunctionShape(text)) return BuildFromShape(tree, node, *shape, work);
}

}  // namespace

// The rules leave the derivatives of their operands as tasks instead of recursing; taking the
// tasks last in, first out differentiates the nodes in the order a recursive walk would, so the
// same error comes first, and no depth of the tree can exhaust the stack.
void Differentiate(ExprTree& tree, ExprNode* node, const std::string& variable) {
  DiffWork work{{node}};
  while (!work.empty()) {
    const DiffTask task = work.back();
    work.pop_back();
    ExprNode* target = task.child < 0 ? task.node : ChildAt(task.node, task.child);
    DifferentiateOne(tree, target, variable, work);
  }
}

}  // namespace brevano

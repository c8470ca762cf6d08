// Result shapes of the derivative rules and the one builder that lays a shape out in place.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/expr_tree.h"

namespace brevano {

/// What a node of a shape holds once the shape is built.
enum class ShapeRole {
  kLiteral,     ///< its own text
  kCopy,        ///< a copy of an operand
  kDerivative,  ///< a copy of an operand, differentiated afterwards
  kFill,        ///< a text the rule computes (the lowered exponent of the power rule)
};

/// One node of a shape; `parent` indexes the shape, and is -1 for the root.
struct ShapeNode {
  int parent = -1;
  std::string text;
  ShapeRole role = ShapeRole::kLiteral;
  int operand = 0;
};

/// Derivatives still to take, in order from the back: a node, or its child `child` when that is
/// not negative (looked up only when its turn comes, as a recursive walk would).
struct DiffTask {
  ExprNode* node;
  int child = -1;
};
using DiffWork = std::vector<DiffTask>;

/// A rule's result in pre-order. Element 0 is the rewritten node itself.
struct Shape {
  std::vector<ShapeNode> nodes;
  int operandCount = 0;  ///< how many leading children of the node the rule consumes
};

/// Compiles a shape written in the tree notation, for example `*{cos @F{u}, u'}`. The leaves u and v
/// stand for copies of the node's children 0 and 1, u' and v' for their derivatives, # for the
/// rule's computed text; every other text is literal.
Shape CompileShape(std::string_view notation);

/// Rewrites `node` into `shape`: reads the operands (index error before any change), sets the
/// node's text, appends the new nodes after the old children, copies the operands into their
/// places (the last place of each operand takes the operand itself), deletes the operands left,
/// then adds the derivative places to `work`, to be differentiated in pre-order. Children beyond
/// the operands stay in front of the new ones.
void BuildFromShape(ExprTree& tree, ExprNode* node, const Shape& shape, DiffWork& work,
                    std::string_view fillText = {});

}  // namespace brevano

// A small numeric evaluator for the property checks of the differentiator tests.
#pragma once

#include <string>

#include "engine/expr_tree.h"

namespace brevano::testing {

/// The value of the tree at `x`: numbers with "." as separator, the variable x, the arithmetic
/// operators, "^", and the functions the differentiator knows (plus "sgn @F"). Unknown texts throw.
double EvaluateAt(const ExprNode* node, double x);

}  // namespace brevano::testing

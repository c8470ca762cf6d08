// The derivative rules of the differentiator, one function per rule, each rewriting its node in place.
#pragma once

#include <string>

#include "diff/derivative_shapes.h"
#include "engine/expr_tree.h"

namespace brevano {

/// "f_N" becomes "f_" followed by N + 1; a rest that is no number text leaves the node unchanged.
void DifferentiateOrderName(ExprNode* node);
/// "neg @F" and "rad @F": the first child is to become its derivative.
void DifferentiateFirstChild(ExprNode* node, DiffWork& work);
/// "+" and "-": both operands are to become their derivatives, the first one first.
void DifferentiateSum(ExprNode* node, DiffWork& work);
/// "*": (u v)' = u' v + u v'.
void DifferentiateProduct(ExprTree& tree, ExprNode* node, DiffWork& work);
/// "/" and "\\": (u / v)' = (u' v - u v') / v², keeping the node's operator.
void DifferentiateQuotient(ExprTree& tree, ExprNode* node, DiffWork& work);
/// "pow @F", "power @F" and "^": numeric exponents lowered by one, others through the logarithm.
void DifferentiatePower(ExprTree& tree, ExprNode* node, DiffWork& work);

}  // namespace brevano

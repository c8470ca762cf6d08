// The derivative rules of the differentiator, one function per rule, each rewriting its node in place.
#pragma once

#include <string>

#include "engine/expr_tree.h"

namespace brevano {

/// "f_N" becomes "f_" followed by N + 1; a rest that is no number text leaves the node unchanged.
void DifferentiateOrderName(ExprNode* node);
/// "neg @F" and "rad @F": the first child becomes its derivative.
void DifferentiateFirstChild(ExprTree& tree, ExprNode* node, const std::string& variable);
/// "+" and "-": both operands become their derivatives.
void DifferentiateSum(ExprTree& tree, ExprNode* node, const std::string& variable);
/// "*": (u v)' = u' v + u v'.
void DifferentiateProduct(ExprTree& tree, ExprNode* node, const std::string& variable);
/// "/" and "\": (u / v)' = (u' v - u v') / v², keeping the node's operator.
void DifferentiateQuotient(ExprTree& tree, ExprNode* node, const std::string& variable);
/// "pow @F", "power @F" and "^": numeric exponents lowered by one, others through the logarithm.
void DifferentiatePower(ExprTree& tree, ExprNode* node, const std::string& variable);

}  // namespace brevano

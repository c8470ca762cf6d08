// The simplifier's rewriting rules, one function each, and the helpers they share.
#pragma once

#include <string_view>

#include "engine/expr_tree.h"

namespace brevano::simplify {

/// A rule: tests the node's own text first and reads children only after the text matched;
/// when its whole condition holds it rewrites the node in place and returns true.
using Rule = bool (*)(ExprTree& tree, ExprNode* node);

/// True when the node's text is exactly `text`.
bool HasText(const ExprNode* node, std::string_view text);
/// True when the node's text is a number text (the empty text included).
bool IsNumberNode(const ExprNode* node);
/// True for the texts of quotients: "/" and "\\".
bool IsQuotient(const ExprNode* node);
/// True for the texts of products and quotients: "*", "/" and "\\".
bool IsProductOrQuotient(const ExprNode* node);
/// The node's text converted to a number and rounded to double precision.
long double OperandValue(const ExprNode* node);

// Folding of numbers (fold_rules.cpp).
bool FoldSum(ExprTree& tree, ExprNode* node);          ///< 1: "+"(N, M) -> [N + M]
bool FoldDifference(ExprTree& tree, ExprNode* node);   ///< 4: "-"(N, M) -> [N - M]
bool FoldQuotient(ExprTree& tree, ExprNode* node);     ///< 7: "/" or "\\"(N, M) -> [N / M]
bool FoldProduct(ExprTree& tree, ExprNode* node);      ///< 8: "*"(N, M) -> [N * M]
bool FoldSquare(ExprTree& tree, ExprNode* node);       ///< 26: "sqr @F"(N) -> [N * N]
bool FoldSquareRoot(ExprTree& tree, ExprNode* node);   ///< 27: "sqrt @F"(N) -> [sqrt |N|]
bool FoldSine(ExprTree& tree, ExprNode* node);         ///< 28: "sin @F"(N) -> [sin N]
bool FoldCosine(ExprTree& tree, ExprNode* node);       ///< 29: "cos @F"(N) -> [cos N]
bool FoldExponential(ExprTree& tree, ExprNode* node);  ///< 30: "exp @F"(N) -> [e^N]

// Neutral and absorbing elements (neutral_rules.cpp).
bool SumDropsLeadingZero(ExprTree& tree, ExprNode* node);          ///< 2: "+"("0", V) -> V
bool SumDropsTrailingZero(ExprTree& tree, ExprNode* node);         ///< 3: "+"(U, "0") -> U
bool DifferenceDropsTrailingZero(ExprTree& tree, ExprNode* node);  ///< 6: "-"(U, "0") -> U
bool ProductDropsLeadingOne(ExprTree& tree, ExprNode* node);       ///< 14: "*"("1", V) -> V
bool ProductDropsTrailingOne(ExprTree& tree, ExprNode* node);      ///< 15: "*"(U, "1") -> U
bool ProductWithZeroIsZero(ExprTree& tree, ExprNode* node);        ///< 16: "*" with a "0" -> "0"
bool PowerWithExponentOne(ExprTree& tree, ExprNode* node);         ///< 22: pow(U, "1") -> U
bool PowerWithExponentZero(ExprTree& tree, ExprNode* node);        ///< 23: pow(U, "0") -> "1"
bool SquareOfSquare(ExprTree& tree, ExprNode* node);               ///< 24: sqr(sqr(U)) -> sqr2(U)

// Gathering the numeric factors of nested products (product_rules.cpp).
bool GatherLeftNumberWithInnerFirst(ExprTree& tree, ExprNode* node);    ///< 9: N * (M * W)
bool GatherLeftNumberWithInnerSecond(ExprTree& tree, ExprNode* node);   ///< 10: N * (W * M)
bool GatherRightNumberWithInnerFirst(ExprTree& tree, ExprNode* node);   ///< 11: (M * W) * N
bool GatherRightNumberWithInnerSecond(ExprTree& tree, ExprNode* node);  ///< 12: (W * M) * N
bool GatherNumbersOfTwoProducts(ExprTree& tree, ExprNode* node);        ///< 13a-d: (A0 * A1) * (B0 * B1)

// Negations and reciprocals of squares (sign_rules.cpp).
bool NegationFromZero(ExprTree& tree, ExprNode* node);           ///< 5: "-"("0", V) -> neg(V)
bool ReciprocalOfSquare(ExprTree& tree, ExprNode* node);         ///< 17: 1 / sqr(W) -> sqr(1 / W)
bool NegatedReciprocalOfSquare(ExprTree& tree, ExprNode* node);  ///< 18: -1 / sqr(W) -> neg(sqr(1 / W))
bool CancelNegationPair(ExprTree& tree, ExprNode* node);         ///< 19: op(neg U, neg V) -> op(U, V)
bool MoveNegationOutOfFirst(ExprTree& tree, ExprNode* node);     ///< 20: op(neg U, V) -> neg(op(U, V))
bool MoveNegationOutOfSecond(ExprTree& tree, ExprNode* node);    ///< 21: op(U, neg V) -> neg(op(U, V))
bool DoubleNegation(ExprTree& tree, ExprNode* node);             ///< 25: neg(neg(U)) -> U

}  // namespace brevano::simplify

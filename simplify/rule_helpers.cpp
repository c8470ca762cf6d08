// Text tests and operand conversion shared by the simplifier's rules.
#include "engine/numbers.h"
#include "engine/text_tests.h"
#include "simplify/rules.h"

namespace brevano::simplify {

bool HasText(const ExprNode* node, std::string_view text) { return NodeText(node) == text; }

bool IsNumberNode(const ExprNode* node) { return IsNumberText(NodeText(node)); }

bool IsQuotient(const ExprNode* node) { return HasText(node, "/") || HasText(node, "\\"); }

bool IsProductOrQuotient(const ExprNode* node) { return HasText(node, "*") || IsQuotient(node); }

long double OperandValue(const ExprNode* node) { return RoundToDouble(TextToNumber(NodeText(node))); }

}  // namespace brevano::simplify

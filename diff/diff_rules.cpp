// The derivative rules of the differentiator, one function per rule, each rewriting its node in place.
#include "diff/diff_rules.h"

#include <charconv>
#include <cstdint>

#include "diff/derivative_shapes.h"
#include "engine/engine_error.h"
#include "engine/numbers.h"
#include "engine/text_tests.h"

namespace brevano {

namespace {

const Shape& ProductShape() {
  static const Shape shape = CompileShape("+{*{u', v}, *{u, v'}}");
  return shape;
}

const Shape& QuotientShape(bool backslash) {
  static const Shape slash = CompileShape("/{-{*{u', v}, *{u, v'}}, sqr @F{v}}");
  static const Shape back = CompileShape("\\{-{*{u', v}, *{u, v'}}, sqr @F{v}}");
  return backslash ? back : slash;
}

// c f^(c-1) f', with the lowered exponent filled in as a number text.
const Shape& NumericPowerShape() {
  static const Shape shape = CompileShape("*{v, *{pow @F{u, #}, u'}}");
  return shape;
}

// f^g (g' ln f + g f' / f).
const Shape& GeneralPowerShape() {
  static const Shape shape = CompileShape("*{pow @F{u, v}, +{*{v', ln @F{u}}, /{*{v, u'}, u}}}");
  return shape;
}

}  // namespace

// The order is a 32-bit value; the successor is computed in 64 bits, so f_2147483647 gives
// f_2147483648, whose own rest is then out of range.
void DifferentiateOrderName(ExprNode* node) {
  const std::string rest = NodeText(node).substr(2);
  if (!IsNumberText(rest)) return;
  std::int32_t order = 0;
  const char* end = rest.data() + rest.size();
  const auto [stop, error] = std::from_chars(rest.data(), end, order);
  if (error != std::errc{} || stop != end) throw EngineError("'" + rest + "' is not a valid integer value");
  SetNodeText(node, "f_" + std::to_string(std::int64_t{order} + 1));
}

void DifferentiateFirstChild(ExprNode* node, DiffWork& work) { work.push_back({node, 0}); }

void DifferentiateSum(ExprNode* node, DiffWork& work) {
  work.push_back({node, 1});
  work.push_back({node, 0});
}

void DifferentiateProduct(ExprTree& tree, ExprNode* node, DiffWork& work) {
  BuildFromShape(tree, node, ProductShape(), work);
}

// The operands are read before anything is built, so a lone "\" (which the parser keeps as a
// leaf) fails with the index error instead of copying its own new nodes into themselves.
void DifferentiateQuotient(ExprTree& tree, ExprNode* node, DiffWork& work) {
  BuildFromShape(tree, node, QuotientShape(NodeText(node) == "\\"), work);
}

// The exponent is converted before the node changes, so a text such as 1.2.3 leaves it as it was.
void DifferentiatePower(ExprTree& tree, ExprNode* node, DiffWork& work) {
  const std::string& exponent = NodeText(ChildAt(node, 1));
  if (!IsNumberText(exponent)) {
    BuildFromShape(tree, node, GeneralPowerShape(), work);
    return;
  }
  const std::string lowered = NumberToText(CheckedSub(TextToNumber(exponent), 1));
  BuildFromShape(tree, node, NumericPowerShape(), work, lowered);
}

}  // namespace brevano

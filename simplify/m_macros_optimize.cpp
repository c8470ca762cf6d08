// The simplifier: constant folding and rewriting of the tree, bottom-up, in place.
#include "simplify/m_macros_optimize.h"

#include <span>
#include <string_view>
#include <vector>

#include "simplify/rules.h"

namespace brevano {

namespace {

using simplify::Rule;

// The rules each node text meets, in the order they are tried; the first whose condition holds is
// applied. No rule holds at a node whose text is not listed. Each rule still tests the node's own
// text before it reads any child, so a leaf or a node with another text is never asked for a child.
// Rules 1 to 3.
constexpr Rule kSumRules[] = {simplify::FoldSum, simplify::SumDropsLeadingZero,
                              simplify::SumDropsTrailingZero};
// Rules 4 to 6.
constexpr Rule kDifferenceRules[] = {simplify::FoldDifference, simplify::NegationFromZero,
                                     simplify::DifferenceDropsTrailingZero};
// Rules 7, 17 to 21.
constexpr Rule kQuotientRules[] = {
    simplify::FoldQuotient,       simplify::ReciprocalOfSquare,     simplify::NegatedReciprocalOfSquare,
    simplify::CancelNegationPair, simplify::MoveNegationOutOfFirst, simplify::MoveNegationOutOfSecond};
// Rules 8 to 16, 19 to 21.
constexpr Rule kProductRules[] = {simplify::FoldProduct,
                                  simplify::GatherLeftNumberWithInnerFirst,
                                  simplify::GatherLeftNumberWithInnerSecond,
                                  simplify::GatherRightNumberWithInnerFirst,
                                  simplify::GatherRightNumberWithInnerSecond,
                                  simplify::GatherNumbersOfTwoProducts,
                                  simplify::ProductDropsLeadingOne,
                                  simplify::ProductDropsTrailingOne,
                                  simplify::ProductWithZeroIsZero,
                                  simplify::CancelNegationPair,
                                  simplify::MoveNegationOutOfFirst,
                                  simplify::MoveNegationOutOfSecond};
// Rules 22, 23.
constexpr Rule kPowerRules[] = {simplify::PowerWithExponentOne, simplify::PowerWithExponentZero};
// Rules 24, 26.
constexpr Rule kSquareRules[] = {simplify::SquareOfSquare, simplify::FoldSquare};
// Rules 25, then 27 to 30.
constexpr Rule kNegationRules[] = {simplify::DoubleNegation};
constexpr Rule kSquareRootRules[] = {simplify::FoldSquareRoot};
constexpr Rule kSineRules[] = {simplify::FoldSine};
constexpr Rule kCosineRules[] = {simplify::FoldCosine};
constexpr Rule kExponentialRules[] = {simplify::FoldExponential};

struct RuleGroup {
  std::string_view text;
  std::span<const Rule> rules;
};

constexpr RuleGroup kRuleGroups[] = {
    {"+", kSumRules},
    {"-", kDifferenceRules},
    {"*", kProductRules},
    {"/", kQuotientRules},
    {"\\", kQuotientRules},
    {"pow @F", kPowerRules},
    {"power @F", kPowerRules},
    {"sqr @F", kSquareRules},
    {"neg @F", kNegationRules},
    {"sqrt @F", kSquareRootRules},
    {"sin @F", kSineRules},
    {"cos @F", kCosineRules},
    {"exp @F", kExponentialRules},
};

std::span<const Rule> RulesFor(std::string_view text) {
  for (const RuleGroup& group : kRuleGroups) {
    if (group.text == text) return group.rules;
  }
  return {};
}

}  // namespace

// A rule changes only its node's text and descendants, never the node's place or its siblings,
// so the child count taken before the children are visited stays valid. Every rule either shrinks
// the subtree or (17, 18, 20, 21) turns the node into "sqr @F" or "neg @F" over a child that only
// shrinking rules can match, so the repetition at a node ends. Nodes that rules create below the
// node are not visited again. The walk is post-order with an explicit stack (VisitPostOrder), so any depth is safe.
void SimplifyTree(ExprTree& tree, ExprNode* node) {
  VisitPostOrder(node, [&tree](ExprNode* done) {
    while (SimplifyNode(tree, done)) {
    }
  });
}

bool SimplifyNode(ExprTree& tree, ExprNode* node) {
  for (const Rule rule : RulesFor(NodeText(node))) {
    if (rule(tree, node)) return true;
  }
  return false;
}

}  // namespace brevano

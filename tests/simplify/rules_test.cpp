// Simplifier rules: one step of each rule, texts no rule meets, and whole walks.
#include <gtest/gtest.h>

#include "engine/expr_tree.h"
#include "engine/tree_printer.h"
#include "simplify/m_macros_optimize.h"
#include "tests/simplify/simplify_test_support.h"
#include "tests/support/tree_builder.h"

namespace brevano {
namespace {

struct RewriteCase {
  const char* name;
  const char* before;
  const char* after;
};

// One SimplifyNode call at the root: the first rule that holds, and only that one.
class OneStep : public testing::SeparatorTest<RewriteCase> {};

TEST_P(OneStep, AppliesTheFirstRuleThatHolds) {
  ExprTree tree;
  ExprNode* root = testing::BuildTree(tree, Localized(TestCase().before));
  EXPECT_TRUE(SimplifyNode(tree, root));
  EXPECT_EQ(PrintTree(root), Localized(TestCase().after));
  EXPECT_EQ(TopLevelCount(tree), 1);
}

const RewriteCase kOneStepCases[] = {
    {"R01_Sum", "+{2, 3.5}", "5.5"},
    {"R01_SumBeforeZeroRules", "+{0, 0}", "0"},
    {"R01_SumOfNegatives", "+{-2, -3}", "-5"},
    {"R02_LeadingZero", "+{0, *{a, b}}", "*{a, b}"},
    {"R03_TrailingZero", "+{*{a, b}, 0}", "*{a, b}"},
    {"R04_Difference", "-{7, 2.5}", "4.5"},
    {"R04_DifferenceBeforeZeroRules", "-{0, 3}", "-3"},
    {"R05_ZeroMinus", "-{0, +{a, b}}", "neg @F{+{a, b}}"},
    {"R06_MinusZero", "-{+{a, b}, 0}", "+{a, b}"},
    {"R07_Quotient", "/{6, 4}", "1.5"},
    {"R07_BackslashIsRealDivision", "\\{6, 4}", "1.5"},
    {"R07_QuotientBeforeOneRules", "/{1, 1}", "1"},
    {"R08_Product", "*{2.5, -4}", "-10"},
    {"R08_ProductBeforeOneRules", "*{1, 5}", "5"},
    {"R09_LeftNumberInnerFirst", "*{2, *{3, +{u, v}}}", "*{6, +{u, v}}"},
    {"R10_LeftNumberInnerSecond", "*{2, *{+{u, v}, 3}}", "*{6, +{u, v}}"},
    {"R11_RightNumberInnerFirst", "*{*{3, +{u, v}}, 2}", "*{+{u, v}, 6}"},
    {"R12_RightNumberInnerSecond", "*{*{+{u, v}, 3}, 2}", "*{+{u, v}, 6}"},
    {"R13a_FirstAndFirst", "*{*{2, a}, *{3, +{b, c}}}", "*{*{6, a}, +{b, c}}"},
    {"R13b_FirstAndSecond", "*{*{2, a}, *{+{b, c}, 3}}", "*{*{6, a}, +{b, c}}"},
    {"R13c_SecondAndFirst", "*{*{a, 2}, *{3, +{b, c}}}", "*{*{a, 6}, +{b, c}}"},
    {"R13d_SecondAndSecond", "*{*{a, 2}, *{+{b, c}, 3}}", "*{*{a, 6}, +{b, c}}"},
    {"R13a_BeforeOtherPairings", "*{*{2, 5}, *{3, 7}}", "*{*{6, 5}, 7}"},
    {"R14_LeadingOne", "*{1, *{a, b}}", "*{a, b}"},
    {"R15_TrailingOne", "*{+{a, b}, 1}", "+{a, b}"},
    {"R16_LeadingZero", "*{0, *{a, b}}", "0"},
    {"R16_TrailingZero", "*{/{a, b}, 0}", "0"},
    {"R17_ReciprocalOfSquare", "/{1, sqr @F{+{u, v}}}", "sqr @F{/{1, +{u, v}}}"},
    {"R17_BackslashBuildsSlash", "\\{1, sqr @F{w}}", "sqr @F{/{1, w}}"},
    {"R18_NegatedReciprocal", "/{-1, sqr @F{+{u, v}}}", "neg @F{sqr @F{/{1, +{u, v}}}}"},
    {"R18_BackslashBuildsSlash", "\\{-1, sqr @F{w}}", "neg @F{sqr @F{/{1, w}}}"},
    {"R19_ProductOfNegations", "*{neg @F{+{a, b}}, neg @F{c}}", "*{+{a, b}, c}"},
    {"R19_QuotientOfNegations", "\\{neg @F{a}, neg @F{b}}", "\\{a, b}"},
    {"R20_NegatedFirst", "*{neg @F{+{a, b}}, c}", "neg @F{*{+{a, b}, c}}"},
    {"R20_KeepsBackslash", "\\{neg @F{a}, b}", "neg @F{\\{a, b}}"},
    {"R20_DoesNotFoldTheNewProduct", "*{neg @F{3}, 2}", "neg @F{*{3, 2}}"},
    {"R21_NegatedSecond", "/{a, neg @F{+{b, c}}}", "neg @F{/{a, +{b, c}}}"},
    {"R21_KeepsProduct", "*{2, neg @F{b}}", "neg @F{*{2, b}}"},
    {"R22_PowExponentOne", "pow @F{+{a, b}, 1}", "+{a, b}"},
    {"R22_PowerExponentOne", "power @F{a, 1}", "a"},
    {"R23_PowExponentZero", "pow @F{+{a, b}, 0}", "1"},
    {"R23_PowerExponentZero", "power @F{a, 0}", "1"},
    {"R24_SquareOfSquare", "sqr @F{sqr @F{+{u, v}}}", "sqr2 @F{+{u, v}}"},
    {"R25_DoubleNegation", "neg @F{neg @F{+{a, b}}}", "+{a, b}"},
    {"R26_Square", "sqr @F{-1.5}", "2.25"},
    {"R27_SquareRootOfAbsolute", "sqrt @F{-16}", "4"},
    {"R27_SquareRootInexact", "sqrt @F{2}", "1.4142135623731"},
    {"R28_Sine", "sin @F{0}", "0"},
    {"R28_SineOfHalfPi", "sin @F{1.5707963267949}", "1"},
    {"R28_SineAtTwoToThe63", "sin @F{10000000000000000000}", "0"},
    {"R29_Cosine", "cos @F{0}", "1"},
    {"R29_CosineOfPi", "cos @F{3.14159265358979}", "-1"},
    {"R29_CosineAtTwoToThe63", "cos @F{-10000000000000000000}", "0"},
    {"R30_Exponential", "exp @F{1}", "2.71828182845905"},
    {"R30_ExponentialOfZero", "exp @F{0}", "1"},
    {"R30_ExponentialUnderflows", "exp @F{-20000}", "0"},
    {"R30_ExponentialNearTheTop", "exp @F{11356}", "7.04914579998566E4931"},
    {"SmallExponentCountsAsNumber", "+{1E-7, 1}", "1.0000001"},
    {"ResultNotRoundedToDouble", "+{1, 4.998E-15}", "1"},
    {"OperandsRoundedToDouble", "*{1.000000000000004998, 1}", "1.00000000000001"},
};
BREVANO_SEPARATOR_CASES(Rules, OneStep, kOneStepCases);

// Nodes where no rule holds: SimplifyNode reports false and leaves the tree alone.
class NoRule : public testing::SeparatorTest<RewriteCase> {};

TEST_P(NoRule, LeavesTheTreeUnchanged) {
  ExprTree tree;
  ExprNode* root = testing::BuildTree(tree, Localized(TestCase().before));
  EXPECT_FALSE(SimplifyNode(tree, root));
  EXPECT_EQ(PrintTree(root), Localized(TestCase().before));
}

const RewriteCase kNoRuleCases[] = {
    {"SumOfSymbols", "+{a, b}", ""},
    {"SumWithEmptyText", "+{a, ∅}", ""},
    {"ZeroWithDecimals", "+{0.0, a}", ""},
    {"NegativeZero", "+{-0, a}", ""},
    {"OneWithDecimals", "*{1.0, a}", ""},
    {"ProductNoNumbersInside", "*{*{a, c}, *{b, d}}", ""},
    {"NumberTimesSymbolProduct", "*{2, *{w, v}}", ""},
    {"DifferenceOfEqualOperands", "-{a, a}", ""},
    {"DivisionByOne", "/{a, 1}", ""},
    {"ZeroDivided", "/{0, a}", ""},
    {"OnePointZeroOverSquare", "/{1.0, sqr @F{w}}", ""},
    {"NegationOfNumber", "neg @F{5}", ""},
    {"PowWithOtherExponent", "pow @F{a, 2}", ""},
    {"CaretIsNotPow", "^{2, 3}", ""},
    {"Logarithm", "ln @F{1}", ""},
    {"FourthPower", "sqr2 @F{2}", ""},
    {"TagIsCaseSensitive", "SIN @F{0}", ""},
    {"BooleanNot", "not @F{1}", ""},
    {"ExponentFormIsNotNumber", "+{1E15, 1}", ""},
    {"NumberLeaf", "5", ""},
    {"SymbolLeaf", "a", ""},
    {"EmptyLeaf", "∅", ""},
    {"Assignment", "={a, +{1, 1}}", ""},
};

BREVANO_SEPARATOR_CASES(Rules, NoRule, kNoRuleCases);

// Whole walks: children first, then the node until no rule holds.
class Walk : public testing::SeparatorTest<RewriteCase> {};

TEST_P(Walk, SimplifiesTheSubtree) {
  ExprTree tree;
  ExprNode* root = testing::BuildTree(tree, Localized(TestCase().before));
  SimplifyTree(tree, root);
  EXPECT_EQ(PrintTree(root), Localized(TestCase().after));
  EXPECT_EQ(TopLevelCount(tree), 1);
}

const RewriteCase kWalkCases[] = {
    {"NestedLeftFactors", "*{2, *{3, *{4, w}}}", "*{24, w}"},
    {"RightProductFoldedFirst", "*{*{2, a}, *{3, 4}}", "*{a, 24}"},
    {"OneLeftInsideProduct", "*{*{2, a}, *{0.5, b}}", "*{*{1, a}, b}"},
    {"NegationPairThenFold", "*{neg @F{2}, neg @F{3}}", "6"},
    {"CreatedProductNotRevisited", "*{neg @F{3}, 2}", "neg @F{*{3, 2}}"},
    {"InnerDoubleNegationFirst", "*{neg @F{a}, neg @F{neg @F{b}}}", "neg @F{*{a, b}}"},
    {"ZeroMinusNegation", "-{0, neg @F{a}}", "a"},
    {"SquareOfSquareBlocksReciprocal", "/{1, sqr @F{sqr @F{w}}}", "/{1, sqr2 @F{w}}"},
    {"SquareOfFoldedSquare", "sqr @F{sqr @F{2}}", "16"},
    {"SquareOfSquareOfSymbol", "sqr @F{sqr @F{u}}", "sqr2 @F{u}"},
    {"DerivativeOfReciprocal", "/{-{*{0, x}, *{1, 1}}, sqr @F{x}}", "neg @F{sqr @F{/{1, x}}}"},
    {"BigProductLeavesExponentForm", "+{*{1000000, 1000000000}, 1}", "+{1E15, 1}"},
    {"SmallProductStillFolds", "+{*{0.001, 0.0001}, 1}", "1.0000001"},
    {"ZeroSumsVanish", "+{a, +{0, 0}}", "a"},
    {"PowerFoldsIntoSum", "+{pow @F{a, 0}, 1}", "2"},
    {"BooleanConstantsFoldArithmetically", "not @F{+{*{1, 1}, /{0, 1}}}", "not @F{1}"},
    {"ProductOfOnesAndSymbol", "*{1, *{a, 1}}", "a"},
    {"FunctionOfFoldedArgument", "sin @F{-{1, 1}}", "0"},
    {"OnlyTheSubtreeBelowUnknownText", "f @F{+{0, a}, *{2, 3}}", "f @F{a, 6}"},
    {"ExtraChildrenStayBehindFold", "+{1, 2, c}", "3{c}"},
};
BREVANO_SEPARATOR_CASES(Rules, Walk, kWalkCases);

}  // namespace
}  // namespace brevano

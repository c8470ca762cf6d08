// Simplifier errors: each message, and the state each one leaves the tree in.
#include <gtest/gtest.h>

#include "engine/engine_error.h"
#include "engine/expr_tree.h"
#include "engine/numbers.h"
#include "engine/tree_printer.h"
#include "simplify/m_macros_optimize.h"
#include "tests/simplify/simplify_test_support.h"
#include "tests/support/tree_builder.h"

namespace brevano {
namespace {

struct ErrorCase {
  const char* name;
  const char* before;
  const char* message;
  const char* after;  ///< the tree when the error has been raised
};

class SimplifyError : public testing::SeparatorTest<ErrorCase> {};

TEST_P(SimplifyError, RaisesAndLeavesTheDefinedState) {
  ExprTree tree;
  ExprNode* root = testing::BuildTree(tree, Localized(TestCase().before));
  try {
    SimplifyTree(tree, root);
    ADD_FAILURE() << "no error; tree now " << PrintTree(root);
  } catch (const EngineError& error) {
    EXPECT_STREQ(error.what(), Localized(TestCase().message).c_str());
  }
  EXPECT_EQ(PrintTree(root), Localized(TestCase().after));
  EXPECT_EQ(TopLevelCount(tree), 1);
}

const ErrorCase kErrorCases[] = {
    {"PowWithOneArgument", "pow @F{a}", "List index out of bounds (1)", "pow @F{a}"},
    {"PowerWithOneArgument", "power @F{+{0, a}}", "List index out of bounds (1)", "power @F{a}"},
    {"EmptyOperand", "+{5, ∅}", "'' is not a valid floating point value", "+{5, ∅}"},
    {"EmptyFirstOperand", "*{∅, 5}", "'' is not a valid floating point value", "*{∅, 5}"},
    {"TwoSeparators", "-{1.2.3, 1}", "'1.2.3' is not a valid floating point value", "-{1.2.3, 1}"},
    {"BadInnerFactor", "*{2, *{1.2.3, w}}", "'1.2.3' is not a valid floating point value",
     "*{2, *{1.2.3, w}}"},
    {"BadFactorOfSecondProduct", "*{*{2, a}, *{b, 1.2.3}}", "'1.2.3' is not a valid floating point value",
     "*{*{2, a}, *{b, 1.2.3}}"},
    {"BadFunctionArgument", "sqr @F{∅}", "'' is not a valid floating point value", "sqr @F{∅}"},
    {"DivisionByZero", "/{1, 0}", "Floating point division by zero", "/"},
    {"BackslashDivisionByZero", "\\{-2.5, 0}", "Floating point division by zero", "\\"},
    {"ZeroByZero", "/{0, 0}", "Invalid floating point operation", "/"},
    {"BackslashZeroByZero", "\\{0, -0}", "Invalid floating point operation", "\\"},
    {"ErrorDeepInTheWalk", "+{a, *{b, /{1, -{2, 2}}}}", "Floating point division by zero", "+{a, *{b, /}}"},
    {"EarlierSiblingsAlreadySimplified", "+{*{1, a}, /{1, 0}, +{0, b}}", "Floating point division by zero",
     "+{a, /, +{0, b}}"},
    {"OperandBeyondDouble", "+{2E+308, 1}", "Floating point overflow", "+{2E+308, 1}"},
    {"SecondOperandBeyondDouble", "*{1, -2E+308}", "Floating point overflow", "*{1, -2E+308}"},
    {"InnerFactorBeyondDouble", "*{*{2E+308, a}, 3}", "Floating point overflow", "*{*{2E+308, a}, 3}"},
    {"FunctionArgumentBeyondDouble", "sqrt @F{2E+308}", "Floating point overflow", "sqrt @F{2E+308}"},
    {"ExponentialOverflow", "exp @F{11357}", "Floating point overflow", "exp @F"},
    {"ExponentialOverflowAfterFold", "exp @F{*{2, 6000}}", "Floating point overflow", "exp @F"},
};
BREVANO_SEPARATOR_CASES(Errors, SimplifyError, kErrorCases);

// A missing child read half way through a rule leaves the steps done so far in place. The walk
// would stop earlier at the childless node itself, so these apply one step at the root.
class HalfWayError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(HalfWayError, KeepsTheStepsDoneBeforeTheMissingChild) {
  ExprTree tree;
  ExprNode* root = testing::BuildTree(tree, GetParam().before);
  try {
    SimplifyNode(tree, root);
    ADD_FAILURE() << "no error; tree now " << PrintTree(root);
  } catch (const EngineError& error) {
    EXPECT_STREQ(error.what(), GetParam().message);
  }
  EXPECT_EQ(PrintTree(root), GetParam().after);
  EXPECT_EQ(TopLevelCount(tree), 1);
}

const ErrorCase kHalfWayCases[] = {
    {"ReciprocalOfChildlessSquare", "/{1, sqr @F}", "List index out of bounds (0)", "/{1, sqr @F, /{1, x}}"},
    {"NegatedReciprocalOfChildlessSquare", "\\{-1, sqr @F}", "List index out of bounds (0)",
     "\\{-1, sqr @F, sqr @F{/{1, x}}}"},
    {"ChildlessSecondOfNegationPair", "*{neg @F{a}, neg @F}", "List index out of bounds (0)", "*{a, neg @F}"},
    {"ChildlessFirstNegation", "*{neg @F, b}", "List index out of bounds (0)", "neg @F{neg @F, b, *{a, b}}"},
    {"ChildlessSecondNegation", "/{a, neg @F}", "List index out of bounds (0)", "neg @F{neg @F, /{a, b}}"},
    {"ChildlessSquareOfSquare", "sqr @F{sqr @F}", "List index out of bounds (0)", "sqr2 @F{sqr @F}"},
    {"ProductWithOneChild", "*{2}", "List index out of bounds (1)", "*{2}"},
    {"InnerProductWithOneChild", "*{2, *{w}}", "List index out of bounds (1)", "*{2, *{w}}"},
};
INSTANTIATE_TEST_SUITE_P(Errors, HalfWayError, ::testing::ValuesIn(kHalfWayCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct SeparatorMismatch {
  char separator;
  const char* foreign;  ///< a number written with the other separator
};

class ForeignSeparator : public ::testing::TestWithParam<SeparatorMismatch> {
 private:
  testing::SeparatorGuard guard_{GetParam().separator};
};

TEST_P(ForeignSeparator, NumberWithTheOtherSeparatorDoesNotConvert) {
  ExprTree tree;
  const std::string before = std::string("+{") + GetParam().foreign + ", 2}";
  ExprNode* root = testing::BuildTree(tree, before);
  try {
    SimplifyTree(tree, root);
    ADD_FAILURE() << "no error";
  } catch (const EngineError& error) {
    EXPECT_EQ(error.what(), "'" + std::string(GetParam().foreign) + "' is not a valid floating point value");
  }
  EXPECT_EQ(PrintTree(root), before);
}

INSTANTIATE_TEST_SUITE_P(Errors, ForeignSeparator,
                         ::testing::Values(SeparatorMismatch{'.', "1,5"}, SeparatorMismatch{',', "1.5"}));

}  // namespace
}  // namespace brevano

// Derivative rules: leaves, order names, sums, products, quotients, powers, untouched nodes, errors.
#include <gtest/gtest.h>

#include <ostream>

#include "diff/m_macros_diff.h"
#include "engine/engine_error.h"
#include "engine/numbers.h"
#include "engine/tree_printer.h"
#include "tests/support/diff_test_support.h"
#include "tests/support/tree_builder.h"

namespace brevano {
namespace {

using testing::TypedCase;

class TypedDerivatives : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedDerivatives, ExpandToTheLiteralFormula) {
  EXPECT_EQ(testing::ExpandToNotation(GetParam().text), GetParam().expanded) << GetParam().text;
}

const TypedCase kLeaves[] = {
    {"diff(x;x)", "1"},
    {"diff(y;x)", "0"},
    {"diff(3;x)", "0"},
    {"diff(X;x)", "0"},
    {"diff(x; x)", "0"},
    {"diff(x+2;2)", "+{0, 1}"},
    {"diff(-x;x)", "-{0, 1}"},
    {"diff(x+;x)", "+{1, 0}"},
    {"diff(x+;)", "+{0, 1}"},
    {"diff(sin(x);sin @F)", "1{x}"},
    {"diff(x-y+x;x)", "+{-{1, 0}, 1}"},
};
INSTANTIATE_TEST_SUITE_P(Leaves, TypedDerivatives, ::testing::ValuesIn(kLeaves));

const TypedCase kOrderNames[] = {
    {"diff(f_0;x)", "f_1"},
    {"diff(f_007;x)", "f_8"},
    {"diff(diff(f_0;x);x)", "f_2"},
    {"diff(f_x;f_x)", "f_x"},
    {"diff(f_1;f_1)", "f_2"},
    {"diff(f_abc;x)", "f_abc"},
    {"diff(f_2147483647;x)", "f_2147483648"},
    {"diff(f_1*x;x)", "+{*{f_2, x}, *{f_1, 1}}"},
};
INSTANTIATE_TEST_SUITE_P(OrderNames, TypedDerivatives, ::testing::ValuesIn(kOrderNames));

const TypedCase kOperators[] = {
    {"diff(neg(x);x)", "neg @F{1}"},
    {"diff(neg(x;x);x)", "neg @F{1, x}"},
    {"diff(rad(x*x);x)", "rad @F{+{*{1, x}, *{x, 1}}}"},
    {"diff((a;b)+c;a)", "+{1, 0, c}"},
    {"diff(x*y;x)", "+{*{1, y}, *{x, 0}}"},
    {"diff(x*x*x;x)", "+{*{+{*{1, x}, *{x, 1}}, x}, *{*{x, x}, 1}}"},
    {"diff((a;b)*c;a)", "+{c, *{1, b}, *{a, 0}}"},
    {"diff(x/y;x)", "/{-{*{1, y}, *{x, 0}}, sqr @F{y}}"},
    {"diff(1/x;x)", "/{-{*{0, x}, *{1, 1}}, sqr @F{x}}"},
    {"diff((a;b)/c;a)", "/{c, -{*{1, b}, *{a, 0}}, sqr @F{b}}"},
};
INSTANTIATE_TEST_SUITE_P(Operators, TypedDerivatives, ::testing::ValuesIn(kOperators));

const TypedCase kPowers[] = {
    {"diff(pow(x;3);x)", "*{3, *{pow @F{x, 2}, 1}}"},
    {"diff(power(x;3);x)", "*{3, *{pow @F{x, 2}, 1}}"},
    {"diff(x^2;x)", "*{2, *{pow @F{x, 1}, 1}}"},
    {"diff(pow(x;0);x)", "*{0, *{pow @F{x, -1}, 1}}"},
    {"diff(pow(x;007);x)", "*{007, *{pow @F{x, 6}, 1}}"},
    {"diff(sqr(x)^2;x)", "*{2, *{pow @F{sqr @F{x}, 1}, *{1, *{2, x}}}}"},
    {"diff(pow(x;3;z);x)", "*{z, 3, *{pow @F{x, 2}, 1}}"},
    {"diff(power(x;y);x)", "*{pow @F{x, y}, +{*{0, ln @F{x}}, /{*{y, 1}, x}}}"},
    {"diff(x^y;x)", "*{pow @F{x, y}, +{*{0, ln @F{x}}, /{*{y, 1}, x}}}"},
    {"diff(pow(x;x);x)", "*{pow @F{x, x}, +{*{1, ln @F{x}}, /{*{x, 1}, x}}}"},
    {"diff(pow(x;-1);x)", "*{pow @F{x, -{0, 1}}, +{*{-{0, 0}, ln @F{x}}, /{*{-{0, 1}, 1}, x}}}"},
    {"diff(2^x;x)", "*{pow @F{2, x}, +{*{1, ln @F{2}}, /{*{x, 0}, 2}}}"},
};
INSTANTIATE_TEST_SUITE_P(Powers, TypedDerivatives, ::testing::ValuesIn(kPowers));

// No rule: the node and everything below it stay, diff calls inside already expanded.
const TypedCase kUnchanged[] = {
    {"diff(a=b;x)", "={a, b}"},
    {"diff(a:b;x)", ":{a, b}"},
    {"diff(x<y;x)", "<{x, y}"},
    {"diff(x>=y;x)", ">={x, y}"},
    {"diff(sin(x)==x;x)", "=={sin @F{x}, x}"},
    {"diff(sgn(x);x)", "sgn @F{x}"},
    {"diff(not(x);x)", "not @F{x}"},
    {"diff(f(x);x)", "f @F{x}"},
    {"diff(x[x];x)", "x @A{x}"},
    {"diff(Pow(x;2);x)", "Pow @F{x, 2}"},
};
INSTANTIATE_TEST_SUITE_P(Unchanged, TypedDerivatives, ::testing::ValuesIn(kUnchanged));

struct BuiltCase {
  const char* tree;
  const char* variable;
  const char* derivative;
};

std::ostream& operator<<(std::ostream& out, const BuiltCase& c) { return out << c.tree; }

class BuiltDerivatives : public ::testing::TestWithParam<BuiltCase> {};

TEST_P(BuiltDerivatives, RewriteInPlace) {
  EXPECT_EQ(testing::DifferentiateNotation(GetParam().tree, GetParam().variable), GetParam().derivative)
      << GetParam().tree;
}

// Shapes the parser does not produce: order names with a sign, leaves with children, lone operators.
const BuiltCase kBuiltTrees[] = {
    {"f_-1", "x", "f_0"},
    {"f_-2147483648", "x", "f_-2147483647"},
    {"f_-0", "x", "f_1"},
    {"f_5{a, b}", "x", "f_6{a, b}"},
    {"f_x1{a}", "x", "f_x1{a}"},
    {"x{a, b}", "x", "1{a, b}"},
    {"7{x}", "x", "0{x}"},
    {"y{x}", "x", "y{x}"},
    {"^", "x", "0"},
    {":", "x", "0"},
    {"^{x, y}", "^", "1{x, y}"},
    {"\\{x, y}", "x", "\\{-{*{1, y}, *{x, 0}}, sqr @F{y}}"},
    {"pow @F{x, 2E-3}", "x", "*{2E-3, *{pow @F{x, -0.998}, 1}}"},
    {"rad @F{x, y}", "x", "rad @F{1, y}"},
    {"*{u, v}", "u", "+{*{1, v}, *{u, 0}}"},
    {"*{u', #}", "u'", "+{*{1, #}, *{u', 0}}"},
    {"pow @F{v', u}", "u", "*{pow @F{v', u}, +{*{1, ln @F{v'}}, /{*{u, 0}, v'}}}"},
};
INSTANTIATE_TEST_SUITE_P(BuiltTrees, BuiltDerivatives, ::testing::ValuesIn(kBuiltTrees));

struct ErrorCase {
  const char* text;
  const char* message;
};

std::ostream& operator<<(std::ostream& out, const ErrorCase& c) { return out << c.text; }

class TypedErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(TypedErrors, EndTheRunWithTheMessage) {
  EXPECT_EQ(testing::ExpandError(GetParam().text), GetParam().message) << GetParam().text;
}

const ErrorCase kErrors[] = {
    {"diff(x)", "List index out of bounds (1)"},
    {"diff @F", "List index out of bounds (1)"},
    {"diff(\\;x)", "List index out of bounds (0)"},
    {"diff(neg @F;x)", "List index out of bounds (0)"},
    {"diff(rad @F;x)", "List index out of bounds (0)"},
    {"diff(pow(x);x)", "List index out of bounds (1)"},
    {"diff(power @F;x)", "List index out of bounds (1)"},
    {"diff(f_;x)", "'' is not a valid integer value"},
    {"diff(f_1.5;x)", "'1.5' is not a valid integer value"},
    {"diff(f_1,5;x)", "'1,5' is not a valid integer value"},
    {"diff(f_2147483648;x)", "'2147483648' is not a valid integer value"},
    {"diff(diff(f_2147483647;x);x)", "'2147483648' is not a valid integer value"},
    {"diff(f_99999999999999999999;x)", "'99999999999999999999' is not a valid integer value"},
    {"diff(f_;f_)", "'' is not a valid integer value"},
    {"diff(pow(x;1.2.3);x)", "'1.2.3' is not a valid floating point value"},
    {"diff(pow(x;);x)", "'' is not a valid floating point value"},
    {"diff(x^;x)", "'' is not a valid floating point value"},
    {"diff(sin(f_1.5);x)", "'1.5' is not a valid integer value"},
};
INSTANTIATE_TEST_SUITE_P(Errors, TypedErrors, ::testing::ValuesIn(kErrors));

class BuiltErrors : public ::testing::TestWithParam<ErrorCase> {};

// A rule that fails on its own node fails before changing it.
TEST_P(BuiltErrors, LeaveTheNodeUnchanged) {
  ExprTree tree;
  ExprNode* root = testing::BuildTree(tree, GetParam().text);
  const std::string before = PrintTree(root);
  try {
    Differentiate(tree, root, "x");
    FAIL() << "no error for " << GetParam().text;
  } catch (const EngineError& error) {
    EXPECT_STREQ(error.what(), GetParam().message) << GetParam().text;
  }
  EXPECT_EQ(PrintTree(root), before);
  EXPECT_TRUE(testing::StoreIsConsistent(tree));
}

const ErrorCase kBuiltErrors[] = {
    {"\\", "List index out of bounds (0)"},
    {"\\{x}", "List index out of bounds (1)"},
    {"/", "List index out of bounds (0)"},
    {"*", "List index out of bounds (0)"},
    {"*{x}", "List index out of bounds (1)"},
    {"pow @F{x}", "List index out of bounds (1)"},
    {"^{x}", "List index out of bounds (1)"},
    {"+", "List index out of bounds (0)"},
    {"f_-2147483649", "'-2147483649' is not a valid integer value"},
    {"f_1E-5", "'1E-5' is not a valid integer value"},
    {"f_E-", "'E-' is not a valid integer value"},
    {"f_1E+5", "'1E+5' is not a valid integer value"},
    {"pow @F{x, 1.2.3}", "'1.2.3' is not a valid floating point value"},
};
INSTANTIATE_TEST_SUITE_P(BuiltErrors, BuiltErrors, ::testing::ValuesIn(kBuiltErrors));

// The exponent is converted with the current decimal separator, and its lowered value is written
// with it; the copied exponent keeps its own text.
class DecimalExponent : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = DecimalSeparator(); }
  void TearDown() override { SetDecimalSeparator(saved_); }

 private:
  char saved_ = '.';
};

TEST_F(DecimalExponent, PointSeparator) {
  SetDecimalSeparator('.');
  EXPECT_EQ(testing::ExpandToNotation("diff(pow(x;0.5);x)"), "*{0.5, *{pow @F{x, -0.5}, 1}}");
  EXPECT_EQ(testing::ExpandError("diff(pow(x;0,5);x)"), "'0,5' is not a valid floating point value");
}

TEST_F(DecimalExponent, CommaSeparator) {
  SetDecimalSeparator(',');
  EXPECT_EQ(testing::ExpandToNotation("diff(pow(x;0,5);x)"), "*{0,5, *{pow @F{x, -0,5}, 1}}");
  EXPECT_EQ(testing::ExpandToNotation("diff(x^2,25;x)"), "*{2,25, *{pow @F{x, 1,25}, 1}}");
  EXPECT_EQ(testing::ExpandError("diff(pow(x;0.5);x)"), "'0.5' is not a valid floating point value");
}

}  // namespace
}  // namespace brevano

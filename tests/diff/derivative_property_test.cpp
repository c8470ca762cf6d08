// Property: the derivative's value agrees with a central difference of the function.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "diff/m_macros_diff.h"
#include "engine/numbers.h"
#include "engine/parser.h"
#include "tests/diff/numeric_evaluator.h"

namespace brevano {
namespace {

double ValueOf(const std::string& text, double x) {
  ExprTree tree;
  ExprNode* root = CreateRoot(tree, "");
  ParseExpression(tree, text, root);
  ExpandDiffNodes(tree, root);
  return testing::EvaluateAt(root, x);
}

class MatchesFiniteDifference : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    saved_ = DecimalSeparator();
    SetDecimalSeparator('.');
  }
  void TearDown() override { SetDecimalSeparator(saved_); }

 private:
  char saved_ = '.';
};

TEST_P(MatchesFiniteDifference, AtSeveralPoints) {
  const std::string function = GetParam();
  const std::string derivative = "diff(" + function + ";x)";
  constexpr double h = 1e-6;
  for (const double x : {0.3, 0.7, 1.2, 1.9}) {
    const double expected = (ValueOf(function, x + h) - ValueOf(function, x - h)) / (2 * h);
    const double actual = ValueOf(derivative, x);
    EXPECT_NEAR(actual, expected, 1e-5 * std::max(1.0, std::fabs(expected))) << function << " at " << x;
  }
}

const char* const kSmoothFunctions[] = {
    "sin(x)*x",
    "cos(x^2)",
    "tan(x/2)-ctg(x+1)",
    "tg(x/2)+ctan(x+0.5)",
    "asin(x/3)+arccos(x/5)",
    "arcsin(x/4)*acos(x/3)",
    "atan(x)*atg(2*x)",
    "actan(x)+actg(x*x)",
    "abs(x-3)*x",
    "sqr(x+1)-sqr2(x-0.5)",
    "sqrt(x)+sqrt3(x)",
    "sh(x)*ch(x)+th(x)",
    "exp(sqr(x))/(1+x)",
    "ln(x)*lg(x)",
    "log2(x)+lg2(x+1)",
    "pow(x;3)-2*x",
    "power(x;2.5)",
    "x^x",
    "pow(sin(x)+2;x)",
    "neg(x)*rad(x)",
    "(x+1)/(x-3)",
    "-x*exp(-x)",
    "diff(x*x*x;x)*sin(x)",
};
INSTANTIATE_TEST_SUITE_P(Functions, MatchesFiniteDifference, ::testing::ValuesIn(kSmoothFunctions));

}  // namespace
}  // namespace brevano

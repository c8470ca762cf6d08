// Derivations by laws: every line typed back gives the function, the last is a least sum or product,
// and each law does its own step wherever its terms stand.
#include "explain/derivation.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/deep_stack.h"
#include "engine/engine_error.h"
#include "explain/check_steps.h"
#include "forms/boolean_form.h"
#include "frontend/tabulate_expression.h"
#include "minimise/minimise.h"
#include "tests/support/random_listing.h"
#include "twolevel/program_cubes.h"

namespace brevano {
namespace {

DiagnosedTable Tabulate(const std::string& text) {
  ExprTree tree;
  return TabulateExpression(text, tree, DisplayMode::kZeroOne);
}

// The least sum of `truth`, or of its complement for a product.
std::vector<Cube> LeastTerms(const TruthVector& truth, bool product) {
  Budget control(std::chrono::seconds(60), {});
  return MinimiseSumOfProducts(product ? truth.Complement() : truth, TruthVector(truth.Variables()), control)
      .terms;
}

struct Derived {
  Derivation derivation;
  std::vector<std::string> variables;
  TruthVector truth{0};
  std::vector<Cube> target;
};

Derived Derive(const std::string& text, bool product = false) {
  Derived d;
  const DiagnosedTable built = Tabulate(text);
  d.variables = built.table.Variables();
  d.truth = ResultBits(built.table.Program());
  d.target = LeastTerms(d.truth, product);
  d.derivation = DeriveLeastForm(ExprOfProgram(built.table.Program()), built.diagnosis.evaluatedAs,
                                 d.variables, d.target, product);
  return d;
}

// Every line read back by the front end is the function; the last is the least form's text.
void ExpectSound(const Derived& d, bool product, const std::string& text) {
  const auto& steps = d.derivation.steps;
  ASSERT_FALSE(steps.empty());
  EXPECT_EQ(steps[0].law, "given");
  for (const DerivationStep& step : steps) {
    const DiagnosedTable line = Tabulate(step.expression);
    ASSERT_TRUE(line.diagnosis.warnings.empty()) << step.expression;
    const TruthVector rows = ResultBits(line.table.Program().OverVariables(d.variables));
    for (std::size_t w = 0; w < rows.WordCount(); ++w)
      ASSERT_EQ(rows.Word(w), d.truth.Word(w)) << text << "\nstep by " << step.law << ": " << step.expression;
  }
  const std::string least = product ? ProductText(d.target, d.variables) : SumText(d.target, d.variables);
  std::string lastText = steps.back().expression;
  if (product && d.target.size() == 1 && lastText.find('+') != std::string::npos)
    lastText = '(' + lastText + ')';
  EXPECT_EQ(lastText, least) << text;
}

TEST(Derivation, RandomExpressionsEndAtTheLeastFormWithEveryLineEqual) {
  std::mt19937_64 rng(2031);
  RunWithLargeStack([&] {
    for (int trial = 0; trial < 2000; ++trial) {
      const int n = 1 + trial % 6;
      const std::string text = testing::RandomExpressionText(rng, n, 3 + static_cast<int>(rng() % 12));
      const bool product = trial % 4 == 3;
      Derived d;
      try {
        d = Derive(text, product);
      } catch (const EngineError&) {
        continue;  // 1/0 and the like: no table
      }
      ASSERT_FALSE(d.derivation.byTabularMethod) << text;
      ExpectSound(d, product, text);
      if (HasFailure()) return;
    }
  });
}

struct LawCase {
  const char* given;
  std::vector<const char*> laws;  // the laws of the lines after the given one
  const char* least;
};

// Each law at work on its own, with its terms or factors in another order too.
TEST(Derivation, EachLawDoesItsStep) {
  const LawCase cases[] = {
      {"a*b*a", {"idempotent"}, "A*B"},
      {"b*a*b", {"idempotent", "commutative"}, "A*B"},
      {"a*not(a)+b", {"complement", "identity"}, "B"},
      {"not(a*b)", {"De Morgan"}, "not(A)+not(B)"},
      {"not(not(a)+b)", {"De Morgan", "involution"}, "A*not(B)"},
      {"a/b", {"XOR expansion", "commutative"}, "not(A)*B+A*not(B)"},
      {"a*(b+c)", {"distributive"}, "A*B+A*C"},
      {"(b+c)*a", {"distributive", "commutative"}, "A*B+A*C"},
      {"a+a*b", {"absorption"}, "A"},
      {"b*a+a", {"commutative", "absorption"}, "A"},
      {"a*b+a*not(b)", {"uniting"}, "A"},
      {"not(b)*a+b*a", {"commutative", "uniting"}, "A"},
      {"a*b+not(a)*c+b*c", {"uniting (reversed)", "absorption", "commutative"}, "not(A)*C+A*B"},
      {"c*b+not(a)*c+b*a", {"commutative", "uniting (reversed)", "absorption"}, "not(A)*C+A*B"},
      {"a + not(a)*b", {"absorption (reversed)", "uniting"}, "A+B"},
  };
  for (const LawCase& c : cases) {
    Derived d;
    RunWithLargeStack([&] { d = Derive(c.given); });
    std::vector<std::string> laws;
    for (std::size_t i = 1; i < d.derivation.steps.size(); ++i) laws.push_back(d.derivation.steps[i].law);
    EXPECT_EQ(laws, std::vector<std::string>(c.laws.begin(), c.laws.end())) << c.given;
    EXPECT_EQ(d.derivation.steps.back().expression, c.least) << c.given;
  }
}

// Constants made on the way are never written where the front end reads numbers: 1+1 as 2, x/1,
// 0/x or x/0 by arithmetic.
TEST(Derivation, ConstantsOnTheWayTypeBackAsTruthValues) {
  for (const char* text : {"(a*not(a))/b", "b/(a+not(a))", "(b+not(b))+(c+not(c))", "(a*not(a)+b)/(c*not(c))",
                           "not((a+not(a))/(b*not(b)))"}) {
    for (const bool product : {false, true}) {
      Derived d;
      RunWithLargeStack([&] { d = Derive(text, product); });
      ExpectSound(d, product, text);
    }
  }
}

TEST(Derivation, WideFunctionsGoByTheTabularMethodWhereTheBudgetEnds) {
  Derived d;
  DerivationLimits tight;
  tight.maxSteps = 3;
  RunWithLargeStack([&] {
    const DiagnosedTable built = Tabulate("a/b/c/d/e/f/g/h");
    d.variables = built.table.Variables();
    d.truth = ResultBits(built.table.Program());
    d.target = LeastTerms(d.truth, false);
    d.derivation = DeriveLeastForm(ExprOfProgram(built.table.Program()), built.diagnosis.evaluatedAs,
                                   d.variables, d.target, false, tight);
  });
  EXPECT_TRUE(d.derivation.byTabularMethod);
  EXPECT_EQ(d.derivation.steps.back().law, "tabular method");
  EXPECT_EQ(d.target.size(), 128u);
  ExpectSound(d, false, "parity of 8");
}

}  // namespace
}  // namespace brevano

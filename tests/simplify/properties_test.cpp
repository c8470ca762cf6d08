// Simplifier properties: rewriting keeps the value of random expressions, deep trees simplify
// without exhausting the stack, and the pipeline shows simplified trees.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <random>
#include <string>

#include "engine/deep_stack.h"
#include "engine/engine_error.h"
#include "engine/expr_tree.h"
#include "engine/numbers.h"
#include "engine/tree_printer.h"
#include "pipeline/pipeline.h"
#include "simplify/m_macros_optimize.h"
#include "tests/simplify/simplify_test_support.h"

namespace brevano {
namespace {

constexpr double kA = 1.7;
constexpr double kB = -0.6;

struct NotFinite {};

double EvaluateNode(const ExprNode* node);

// The value of a tree over the texts the generator uses, with a and b bound to kA and kB; throws
// NotFinite when any part of it is infinite or undefined.
double Evaluate(const ExprNode* node) {
  const double value = EvaluateNode(node);
  if (!std::isfinite(value)) throw NotFinite{};
  return value;
}

double EvaluateNode(const ExprNode* node) {
  const std::string& t = NodeText(node);
  auto arg = [node](int i) { return Evaluate(ChildAt(node, i)); };
  if (t == "a") return kA;
  if (t == "b") return kB;
  if (t == "+") return arg(0) + arg(1);
  if (t == "-") return arg(0) - arg(1);
  if (t == "*") return arg(0) * arg(1);
  if (t == "/" || t == "\\") return arg(0) / arg(1);
  if (t == "neg @F") return -arg(0);
  if (t == "sqr @F") return arg(0) * arg(0);
  if (t == "sqr2 @F") return std::pow(arg(0), 4);
  if (t == "sqrt @F") return std::sqrt(std::fabs(arg(0)));
  if (t == "sin @F") return std::sin(arg(0));
  if (t == "cos @F") return std::cos(arg(0));
  if (t == "exp @F") return std::exp(arg(0));
  if (t == "pow @F" || t == "power @F") return std::pow(arg(0), arg(1));
  char* end = nullptr;
  const double value = std::strtod(t.c_str(), &end);
  if (end == t.c_str() || *end != '\0') throw std::invalid_argument("unexpected text " + t);
  return value;
}

// Random trees in the shapes the rules look for. Numbers are dyadic or small integers and divisors
// are nonzero by construction, so folding is exact and a finite value stays finite.
class RandomTrees {
 public:
  explicit RandomTrees(unsigned seed) : rng_(seed) {}

  void Build(ExprTree& tree, ExprNode* parent, int depth) {
    if (depth == 0 || Pick(6) == 0) {
      AppendChild(tree, parent, Pick({"0", "1", "-1", "2", "0.5", "3", "a", "b"}));
      return;
    }
    const int shape = Pick(12);
    if (shape < 5) {
      ExprNode* node = AppendChild(tree, parent, Pick({"+", "-", "*", "*"}));
      Build(tree, node, depth - 1);
      Build(tree, node, depth - 1);
    } else if (shape == 5) {
      ExprNode* node = AppendChild(tree, parent, Pick({"/", "\\"}));
      Build(tree, node, depth - 1);
      Divisor(tree, node, depth - 1);
    } else if (shape == 6) {
      ExprNode* node = AppendChild(tree, parent, Pick({"/", "\\"}));
      AppendChild(tree, node, Pick({"1", "-1"}));
      Divisor(tree, AppendChild(tree, node, "sqr @F"), depth - 1);
    } else if (shape == 7) {
      ExprNode* node = AppendChild(tree, parent, Pick({"pow @F", "power @F"}));
      Build(tree, node, depth - 1);
      AppendChild(tree, node, Pick({"0", "1", "2"}));
    } else {
      const char* function = Pick({"neg @F", "neg @F", "sqr @F", "sqrt @F", "sin @F", "cos @F"});
      Build(tree, AppendChild(tree, parent, function), depth - 1);
    }
  }

 private:
  // A subtree whose value cannot be zero.
  void Divisor(ExprTree& tree, ExprNode* parent, int depth) {
    if (depth == 0 || Pick(3) == 0) {
      AppendChild(tree, parent, Pick({"2", "0.5", "-1", "4", "a", "b"}));
      return;
    }
    const std::string op = Pick({"neg @F", "sqr @F", "*", "/"});
    ExprNode* node = AppendChild(tree, parent, op);
    Divisor(tree, node, depth - 1);
    if (op == "*" || op == "/") Divisor(tree, node, depth - 1);
  }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  const char* Pick(std::initializer_list<const char*> texts) {
    return texts.begin()[Pick(static_cast<int>(texts.size()))];
  }

  std::mt19937 rng_;
};

TEST(SimplifyProperty, KeepsTheValueOfRandomExpressions) {
  const testing::SeparatorGuard point('.');
  RandomTrees trees(20240611);
  int compared = 0;
  for (int i = 0; i < 3000; ++i) {
    ExprTree tree;
    trees.Build(tree, nullptr, 5);
    ExprNode* root = FirstNode(tree);
    const std::string before = PrintTree(root);
    double expected = 0;
    try {
      expected = Evaluate(root);
    } catch (const NotFinite&) {
      continue;
    }
    ASSERT_NO_THROW(SimplifyTree(tree, root)) << before;
    const double actual = Evaluate(root);
    EXPECT_NEAR(actual, expected, 1e-9 * std::max(1.0, std::fabs(expected)))
        << before << "\n  became " << PrintTree(root);
    ++compared;
  }
  EXPECT_GT(compared, 2500);
}

// Chains as deep as the store allows, built iteratively and simplified on the large stack.
TEST(SimplifyProperty, SimplifiesChainsAtTheDepthLimit) {
  ExprTree tree;
  ExprNode* root = AppendChild(tree, nullptr, "neg @F");
  ExprNode* node = root;
  for (int depth = 1; depth < kMaxTreeDepth; ++depth) node = AppendChild(tree, node, "neg @F");
  AppendChild(tree, node, "a");
  RunWithLargeStack([&] { SimplifyTree(tree, root); });
  EXPECT_EQ(PrintTree(root), "a");

  ExprTree sums;
  ExprNode* sum = AppendChild(sums, nullptr, "+");
  for (node = sum; node->depth < kMaxTreeDepth - 1;) {
    ExprNode* inner = AppendChild(sums, node, "+");
    AppendChild(sums, node, "1");
    node = inner;
  }
  AppendChild(sums, node, "1");
  AppendChild(sums, node, "1");
  RunWithLargeStack([&] { SimplifyTree(sums, sum); });
  EXPECT_EQ(PrintTree(sum), std::to_string(kMaxTreeDepth + 1));
  EXPECT_EQ(sums.nodeCount, 1u);
}

struct PipelineCase {
  const char* text;
  const char* tree;  ///< every top-level node after the run, one per line
};

class PipelineSimplifies : public ::testing::TestWithParam<PipelineCase> {};

TEST_P(PipelineSimplifies, ShowsTheSimplifiedTree) {
  ExprTree tree;
  ProcessExpression(GetParam().text, tree);
  EXPECT_EQ(PrintTopLevel(tree), GetParam().tree) << GetParam().text;
}

const PipelineCase kPipelineCases[] = {
    {"1+1", "2\n"},
    {"diff(1/x;x)", "neg @F{sqr @F{/{1, x}}}\n"},
    {"-a", "neg @F{a}\n"},
    {"not(a*1+0)", "not @F{a}\n"},
    {"0-(0-a)", "a\n"},
    {"2*(3*(4*w))", "*{24, w}\n"},
    {"a*0+b", "b\n"},
    {"pow(x;0)+sqr(sqr(3))", "82\n"},
    {"1000000*1000000000+1", "+{1E15, 1}\n"},
    {"0+a;0+b", "a\n+{0, b}\n"},
};
INSTANTIATE_TEST_SUITE_P(Pipeline, PipelineSimplifies, ::testing::ValuesIn(kPipelineCases));

TEST(PipelineSimplifiesErrors, DivisionByZeroEndsTheRunAndKeepsTheTree) {
  ExprTree tree;
  try {
    ProcessExpression("a+1/(1-1)", tree);
    ADD_FAILURE() << "no error";
  } catch (const EngineError& error) {
    EXPECT_STREQ(error.what(), "Floating point division by zero");
  }
  EXPECT_EQ(PrintTopLevel(tree), "+{a, /}\n");
}

TEST(PipelineSimplifiesErrors, ListingOfFoldedConstant) {
  ExprTree tree;
  EXPECT_EQ(ProcessExpression("(1+1)*a", tree), (Listing{"* @F", "2 @N", "a"}));
}

}  // namespace
}  // namespace brevano

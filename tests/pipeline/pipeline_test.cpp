// Differentiation followed by simplification, through the whole pipeline.
#include "pipeline/pipeline.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "engine/tree_printer.h"

namespace brevano {
namespace {

// These results depend on the simplifier; without it they cannot hold.
bool SimplifierFoldsConstants() {
  ExprTree tree;
  ProcessExpression("1+1", tree);
  return NodeText(FirstNode(tree)) == "2";
}

struct PipelineCase {
  const char* text;
  const char* tree;
};

std::ostream& operator<<(std::ostream& out, const PipelineCase& c) { return out << c.text; }

class DifferentiateThenSimplify : public ::testing::TestWithParam<PipelineCase> {};

TEST_P(DifferentiateThenSimplify, GivesTheReducedDerivative) {
  if (!SimplifierFoldsConstants()) GTEST_SKIP() << "the simplifier is not available yet";
  ExprTree tree;
  ProcessExpression(GetParam().text, tree);
  EXPECT_EQ(PrintTree(FirstNode(tree)), GetParam().tree) << GetParam().text;
}

const PipelineCase kReduced[] = {
    {"diff(1/x;x)", "neg @F{sqr @F{/{1, x}}}"},
    {"diff(x*y;x)", "y"},
    {"diff(x^2;x)", "*{2, x}"},
    {"diff(pow(x;3);x)", "*{3, pow @F{x, 2}}"},
    {"diff(sin(x);x)", "cos @F{x}"},
    {"diff(cos(x);x)", "neg @F{sin @F{x}}"},
    {"diff(exp(x);x)", "exp @F{x}"},
    {"diff(ln(x);x)", "/{1, x}"},
    {"diff(a*b+c;a)", "b"},
    {"diff(x+x;x)", "2"},
};
INSTANTIATE_TEST_SUITE_P(Examples, DifferentiateThenSimplify, ::testing::ValuesIn(kReduced));

TEST(DifferentiateThenList, FeedsTheTruthTable) {
  if (!SimplifierFoldsConstants()) GTEST_SKIP() << "the simplifier is not available yet";
  ExprTree tree;
  EXPECT_EQ(ProcessExpression("not(diff(a*b;a))", tree), (Listing{"not @F", "b"}));
}

}  // namespace
}  // namespace brevano

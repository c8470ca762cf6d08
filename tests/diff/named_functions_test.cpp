// Derivatives of the named functions: every row, synonyms, case, extra arguments, missing argument.
#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>

#include "diff/m_macros_diff.h"
#include "engine/engine_error.h"
#include "engine/tree_printer.h"
#include "tests/support/diff_test_support.h"
#include "tests/support/tree_builder.h"

namespace brevano {
namespace {

struct NamedCase {
  const char* name;
  const char* derivative;  // of name(x) with respect to x
};

std::ostream& operator<<(std::ostream& out, const NamedCase& c) { return out << c.name; }

const NamedCase kRows[] = {
    {"sin", "*{cos @F{x}, 1}"},
    {"cos", "*{neg @F{sin @F{x}}, 1}"},
    {"tan", "/{1, sqr @F{cos @F{x}}}"},
    {"tg", "/{1, sqr @F{cos @F{x}}}"},
    {"ctan", "neg @F{/{1, sqr @F{sin @F{x}}}}"},
    {"ctg", "neg @F{/{1, sqr @F{sin @F{x}}}}"},
    {"asin", "/{1, sqrt @F{-{1, sqr @F{x}}}}"},
    {"arcsin", "/{1, sqrt @F{-{1, sqr @F{x}}}}"},
    {"acos", "neg @F{/{1, sqrt @F{-{1, sqr @F{x}}}}}"},
    {"arccos", "neg @F{/{1, sqrt @F{-{1, sqr @F{x}}}}}"},
    {"atan", "/{1, +{1, sqr @F{x}}}"},
    {"atg", "/{1, +{1, sqr @F{x}}}"},
    {"actan", "neg @F{/{1, +{1, sqr @F{x}}}}"},
    {"actg", "neg @F{/{1, +{1, sqr @F{x}}}}"},
    {"abs", "*{1, sgn @F{x}}"},
    {"sqr", "*{1, *{2, x}}"},
    {"sqr2", "*{1, *{4, *{x, sqr @F{x}}}}"},
    {"sqrt", "/{1, *{2, sqrt @F{x}}}"},
    {"sqrt3", "/{1, *{3, sqrt3 @F{sqr @F{x}}}}"},
    {"sh", "*{ch @F{x}, 1}"},
    {"ch", "*{sh @F{x}, 1}"},
    {"th", "/{1, sqr @F{ch @F{x}}}"},
    {"exp", "*{1, exp @F{x}}"},
    {"ln", "/{1, x}"},
    {"lg", "/{1, *{x, ln @F{10}}}"},
    {"log2", "/{1, *{x, ln @F{2}}}"},
    {"lg2", "/{1, *{x, ln @F{2}}}"},
};

class NamedRows : public ::testing::TestWithParam<NamedCase> {};

TEST_P(NamedRows, ApplyTheChainRule) {
  const std::string name = GetParam().name;
  EXPECT_EQ(testing::ExpandToNotation("diff(" + name + "(x);x)"), GetParam().derivative);
}

// A node that names a row but has no argument (the name typed with its tag) fails before changing.
TEST_P(NamedRows, WithoutArgumentRaiseTheIndexError) {
  const std::string text = std::string(GetParam().name) + " @F";
  EXPECT_EQ(testing::ExpandError("diff(" + text + ";x)"), "List index out of bounds (0)");
  ExprTree tree;
  ExprNode* node = testing::BuildTree(tree, text);
  EXPECT_THROW(Differentiate(tree, node, "x"), EngineError);
  EXPECT_EQ(PrintTree(node), text);
}

INSTANTIATE_TEST_SUITE_P(AllNames, NamedRows, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NamedFunctions, CoverTheTwentySevenNames) {
  std::set<std::string> names;
  for (const NamedCase& row : kRows) names.insert(row.name);
  EXPECT_EQ(names.size(), 27u);
}

struct SynonymCase {
  const char* first;
  const char* second;
};

std::ostream& operator<<(std::ostream& out, const SynonymCase& c) { return out << c.first; }

class Synonyms : public ::testing::TestWithParam<SynonymCase> {};

TEST_P(Synonyms, GiveIdenticalTreesForAnyArgument) {
  for (const std::string argument : {"x", "a*x", "sin(x)/x", "pow(x;3)"}) {
    const std::string a =
        testing::ExpandToNotation(std::string("diff(") + GetParam().first + "(" + argument + ");x)");
    const std::string b =
        testing::ExpandToNotation(std::string("diff(") + GetParam().second + "(" + argument + ");x)");
    EXPECT_EQ(a, b) << argument;
  }
}

const SynonymCase kSynonyms[] = {
    {"tan", "tg"},   {"ctan", "ctg"},   {"asin", "arcsin"}, {"acos", "arccos"},
    {"atan", "atg"}, {"actan", "actg"}, {"log2", "lg2"},
};
INSTANTIATE_TEST_SUITE_P(Pairs, Synonyms, ::testing::ValuesIn(kSynonyms));

using testing::TypedCase;

class NamedShapes : public ::testing::TestWithParam<TypedCase> {};

TEST_P(NamedShapes, ExpandAsExpected) {
  EXPECT_EQ(testing::ExpandToNotation(GetParam().text), GetParam().expanded) << GetParam().text;
}

const TypedCase kShapes[] = {
    // The argument's own rule makes u'; u stays a plain copy.
    {"diff(sin(sqr(x));x)", "*{cos @F{sqr @F{x}}, *{1, *{2, x}}}"},
    {"diff(sqr(y);x)", "*{0, *{2, y}}"},
    {"diff(sqr2(a*x);x)", "*{+{*{0, x}, *{a, 1}}, *{4, *{*{a, x}, sqr @F{*{a, x}}}}}"},
    {"diff(ln(sin(x));x)", "/{*{cos @F{x}, 1}, sin @F{x}}"},
    {"diff(exp(exp(x));x)", "*{*{1, exp @F{x}}, exp @F{exp @F{x}}}"},
    {"diff(abs(x);x)", "*{1, sgn @F{x}}"},
    {"diff(diff(abs(x);x);x)", "+{*{0, sgn @F{x}}, *{1, sgn @F{x}}}"},
    // The places are nodes, not texts: arguments spelled like place holders are copied as they are.
    {"diff(sin(x);y)", "*{cos @F{x}, 0}"},
    {"diff(ln(x`);x`)", "/{1, x`}"},
    {"diff(sqrt(u');u')", "/{1, *{2, sqrt @F{u'}}}"},
    // Further arguments stay in front, untouched.
    {"diff(sin(a;b);a)", "*{b, cos @F{a}, 1}"},
    {"diff(ln(x;y;x);x)", "/{y, x, 1, x}"},
    // Names are matched exactly: other letter cases have no rule.
    {"diff(Sin(x);x)", "Sin @F{x}"},
    {"diff(EXP(x);x)", "EXP @F{x}"},
    {"diff(Lg2(x);x)", "Lg2 @F{x}"},
    // An empty argument is a number.
    {"diff(sin();x)", "*{cos @F{∅}, 0}"},
};
INSTANTIATE_TEST_SUITE_P(Shapes, NamedShapes, ::testing::ValuesIn(kShapes));

}  // namespace
}  // namespace brevano

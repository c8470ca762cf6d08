// Parser: the worked examples and edge cases, table-driven.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/parser.h"
#include "tests/engine/reference_parser.h"

#include "tests/support/tree_builder.h"

namespace brevano {
namespace {

struct ParseCase {
  const char* text;
  const char* tree;
};

class ParserExamples : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParserExamples, BuildsTheExpectedTree) {
  EXPECT_EQ(testing::ParseToNotation(GetParam().text), GetParam().tree) << "text: " << GetParam().text;
}

const ParseCase kWorkedExamples[] = {
    {"not(a+b)", "not @F{+{a, b}}"},   {"a+b*c", "+{a, *{b, c}}"},
    {"a-b-c", "-{-{a, b}, c}"},         {"a/b*c", "*{/{a, b}, c}"},
    {"a^b^c", "^{^{a, b}, c}"},         {"-a", "-{0, a}"},
    {"-a^2", "-{0, ^{a, 2}}"},          {"((a))", "a"},
    {"(a)+(b)", "+{a, b}"},             {"pow(x;2)", "pow @F{x, 2}"},
    {"f(g(x;y);z)", "f @F{g @F{x, y}, z}"}, {"diff(x^2;x)", "diff @F{^{x, 2}, x}"},
    {"f(x)=y", "={f @F{x}, y}"},        {"(a)=b", "={a, b}"},
    {"a=b=c", "={={a, b}, c}"},         {"a:b=c", ":{a, ={b, c}}"},
    {"a<b+c", "<{a, +{b, c}}"},         {"a<=b", "<={a, b}"},
    {"a==b", "=={a, b}"},               {"x[i+1]", "x @A{+{i, 1}}"},
    {"(a;b)+c", "+{a, b, c}"},
};
INSTANTIATE_TEST_SUITE_P(WorkedExamples, ParserExamples, ::testing::ValuesIn(kWorkedExamples));

const ParseCase kEdgeCases[] = {
    {"", "\u2205"},
    {"(())", "\u2205"},
    {"()", " @F{\u2205}"},
    {"f()", "f @F{\u2205}"},
    {"f(", "f @F{\u2205}"},
    {"a+", "+{a, \u2205}"},
    {"+a", "+{\u2205, a}"},
    {"a:", ":{a, \u2205}"},
    {"a*-b", "-{*{a, \u2205}, b}"},
    {"x^-1", "-{^{x, \u2205}, 1}"},
    {"x^(-1)", "^{x, -{0, 1}}"},
    {"b*(-a)", "*{b, -{0, a}}"},
    {"2E-5", "-{2E, 5}"},
    {"abcdefghijklmnopqrstuvw", "abcdefghijklmnopqrstuvw"},
    {"abcdefghijklmnopqrstuvwx", "abcdefghijklmnopqrstuvw"},
    {"a + b", "+{a ,  b}"},
    {"=a", "=a"},
    {"a=", "a="},
    {"<a", "<a"},
    {"a>", "a>"},
    {"a!b", "a!b"},
    {"a)+b", "a)+b"},
    {"a)+(b", "a)+ @F{\u2205}"},
    {"[a;b]", " @A{a, b}"},
    {"(x<y)*z", "*{<{x, y}, z}"},
    {";b", ";b | b"},
    {"a;b;c", "a | b | c"},
    {"f(a;b;c)", "f @F{a, b, c}"},
    {"f(;b)", "f @F{;b, b}"},
    {"a<b<c", "<{<{a, b}, c}"},
    {"a<b>=c", ">={<{a, b}, c}"},
    {"a!=b", "!={a, b}"},
    {"a>=b", ">={a, b}"},
    {"a===b", "=={a=, b}"},
    {"m[x]", "m @A{x}"},
    {"a[b(c]+d", "a @A{b @F{c]}}"},
    {"(a+b", " @F{+{a, \u2205}}"},
    {"-(a)", "-{0, a}"},
    {"--a", "-{-{0, \u2205}, a}"},
    {"a/-b", "-{/{a, \u2205}, b}"},
    {"f(x)(y)", "f @F{x) @F{\u2205}}"},
    {"(a)(b)", " @F{a) @F{\u2205}}"},
    {"((a)+(b))", "+{a, b}"},
    {"((a)", " @F{\u2205}"},
    {"-abcdefghijklmnopqrstuvwxyz", "-{0, abcdefghijklmnopqrstuvw}"},
    {"-abcdefghijklmnopqrstuvwxyz+", "+{-{0, abcdefghijklmnopqrstuvw}, \u2205}"},
    {"veryveryverylongfunctionname(x)", "veryveryverylongfunctionname @F{x}"},
};
INSTANTIATE_TEST_SUITE_P(EdgeCases, ParserExamples, ::testing::ValuesIn(kEdgeCases));

TEST(StripOuterParens, RemovesOnlyEnclosingPairs) {
  const std::pair<const char*, const char*> cases[] = {
      {"((a))", "a"},     {"(a)+(b)", "(a)+(b)"}, {"((a)+(b))", "(a)+(b)"}, {"(())", ""},
      {"()", "()"},       {"(a", "(a"},           {"[a]", "[a]"},           {"((a)", "(a"},
      {"(a))", "(a))"},   {"a", "a"},             {"", ""},                 {"(((x)))", "x"},
  };
  for (const auto& [text, stripped] : cases) EXPECT_EQ(StripOuterParens(text), stripped) << text;
}

// Random short texts over the characters that matter to the parser, compared with the oracle.
TEST(ParserProperty, AgreesWithTheLiteralParserOnRandomTexts) {
  const std::string alphabet = "ab0-+*/^()[];:=<>!E ";
  std::mt19937 rng(20261208);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> length(0, 18);
  for (int i = 0; i < 30000; ++i) {
    std::string text;
    for (int n = length(rng); n > 0; --n) text += alphabet[pick(rng)];
    ASSERT_EQ(testing::ParseToNotation(text), testing::ReferenceParseToNotation(text)) << "text: " << text;
    ASSERT_EQ(StripOuterParens(text), testing::ReferenceStripOuterParens(text)) << "text: " << text;
  }
}

TEST(ParserProperty, AgreesWithTheLiteralParserOnNestedTexts) {
  const char* pieces[] = {"(", ")", "[", "]", "a", "-", "+", "*", ";", "f(", "=", "<="};
  std::mt19937 rng(7);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
  for (int i = 0; i < 5000; ++i) {
    std::string text;
    for (int n = 0; n < 30; ++n) text += pieces[pick(rng)];
    ASSERT_EQ(testing::ParseToNotation(text), testing::ReferenceParseToNotation(text)) << "text: " << text;
  }
}

// Long inputs: the indexed parser copies no pieces, so these stay fast; the shapes are checked.
TEST(ParserScale, LongChainsAndDeepNesting) {
  std::string chain = "a";
  for (int i = 0; i < 20000; ++i) chain += "-a";
  ExprTree tree;
  ParseExpression(tree, chain, CreateRoot(tree, ""));
  EXPECT_EQ(tree.nodeCount, 40001u);

  std::string nested(50000, '(');
  nested += "x";
  nested += std::string(50000, ')');
  EXPECT_EQ(testing::ParseToNotation(nested), "x");

  std::string calls;
  for (int i = 0; i < 20000; ++i) calls += "f(";
  calls += "x";
  calls += std::string(20000, ')');
  ExprTree callTree;
  ParseExpression(callTree, calls, CreateRoot(callTree, ""));
  EXPECT_EQ(callTree.nodeCount, 20001u);
}

}  // namespace
}  // namespace brevano

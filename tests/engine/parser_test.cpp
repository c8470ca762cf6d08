// Parser: the worked examples and edge cases, table-driven.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace brevano

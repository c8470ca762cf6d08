// The tagged listing: tags per node text and pre-order walks.
#include "engine/listing.h"

#include <gtest/gtest.h>

#include <string>

#include "pipeline/pipeline.h"
#include "tests/support/tree_builder.h"

namespace brevano {
namespace {

std::string Joined(const Listing& list) {
  std::string out;
  for (const auto& line : list) out += (out.empty() ? "" : " | ") + line;
  return out;
}

TEST(TagNodeText, TagsByTheFirstMatchingRule) {
  const std::pair<const char*, const char*> cases[] = {
      {"sin @F", "sin @F"}, {"a @F+b", "a @F+b"}, {"", " @N"},     {"0", "0 @N"},       {"1", "1 @N"},
      {"0,5", "0,5 @N"},    {"1.5", "1.5 @N"},    {"-5", "-5 @N"}, {"1E-5", "1E-5 @N"}, {"a<", "a< @F"},
      {"2E", "2E"},         {":", ":"},           {"\\", "\\"},    {"x @A", "x @A"},    {"y+ @A", "y+ @A @F"},
      {"==", "== @F"},      {"a&b", "a&b @F"},    {"!", "! @F"},   {"A", "A"},          {"a", "a"},
      {"1E15", "1E15"},
  };
  for (const auto& [text, line] : cases) EXPECT_EQ(TagNodeText(text), line) << "'" << text << "'";
}

TEST(ListTree, PreOrderLines) {
  const std::pair<const char*, const char*> cases[] = {
      {"not @F{+{a, b}}", "not @F | + @F | a | b"},
      {"+{a, *{b, c}}", "+ @F | a | * @F | b | c"},
      {"-{0, ^{x, 2}}", "- @F | 0 @N | ^ @F | x | 2 @N"},
      {"sin @F{x}", "sin @F | x"},
      {"x @A{+{i, 1}}", "x @A | + @F | i | 1 @N"},
      {":{a, b}", ": | a | b"},
      {"=={a, 5}", "== @F | a | 5 @N"},
      {"+{a, a}", "+ @F | a | a"},
  };
  for (const auto& [notation, expected] : cases) {
    ExprTree tree;
    Listing list{"kept"};
    ListTree(testing::BuildTree(tree, notation), list);
    EXPECT_EQ(Joined(list), std::string("kept | ") + expected) << notation;
  }
}

TEST(Pipeline, ListsOnlyTheFirstStatement) {
  ExprTree tree;
  EXPECT_EQ(Joined(ProcessExpression("", tree)), " @N");
  EXPECT_EQ(Joined(ProcessExpression("not(a+b)", tree)), "not @F | + @F | a | b");
  EXPECT_EQ(Joined(ProcessExpression("a;b", tree)), "a");
  EXPECT_EQ(TopLevelCount(tree), 2);
  EXPECT_EQ(Joined(ProcessExpression("x", tree)), "x");
  EXPECT_EQ(TopLevelCount(tree), 1) << "a run must start from an empty store";
}

}  // namespace
}  // namespace brevano

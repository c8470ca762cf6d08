// The reading a user most likely meant: offered where it mends a warning, never where the text
// has no likely meaning here, and always a text that tabulates with fewer warnings.
#include "frontend/fix_it.h"

#include <gtest/gtest.h>

#include "frontend/tabulate_expression.h"

namespace brevano {
namespace {

Diagnosis DiagnosisOf(const std::string& typed) {
  ExprTree tree;
  return TabulateExpression(typed, tree, DisplayMode::kZeroOne).diagnosis;
}

TEST(SuggestedReading, MendsBlanksSignsAndWordsOfOtherNotations) {
  struct Case {
    const char* typed;
    const char* suggestion;  // empty: none offered
  };
  const Case cases[] = {
      {"not(a) * a", "not(a)*a"},  // not A and "A)" otherwise
      {"1 + a", "1+a"},
      {"a*1 + b", "a*1+b"},
      {"not (a+b)", "not(a+b)"},
      {"a and b or not c", "a*b+not(c)"},
      {"a ∧ ¬b", "a*not(b)"},
      {"a ⊕ b", "a/b"},
      {"a→b", "not(a)+b"},
      {"a ↔ b*c", "not(a/(b*c))"},
      {"x ⊼ y", "not(x*y)"},
      {"a'+b", "not(a)+b"},
      {"(a+b)'", "not(a+b)"},
      {"a & b | !c", "a*b+not(c)"},
      {"a && b || ~c", "a*b+not(c)"},
      {"a^b", "a/b"},
      {"TRUE + a", "1+a"},
      {"1.0 + a", "1+a"},
      {"a + 01", "a+1"},
      {"carry in * b", "carry*in*b"},
      {"not(a)\n* b", "not(a)*b"},
      {"a==b", "not(a/b)"},
      // Nothing offered: no warning, nothing likely, or nothing mended.
      {"a+b", ""},
      {"a\n+ b", ""},  // the blanks at a name's ends change nothing: no warning
      {"a - b", ""},
      {"a\tb\tResult", ""},        // rows pasted from a table
      {"sin(a) + b", "sin(a)+b"},  // mends the blank after ")", leaves the warning of sin
      {"sin(a)+b", ""},
      {"not(a,b)", ""},
      {"a+b)", ""},
      {"1 0", ""},
      {"a→b→c", ""},
      {"a[1] + b", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const Diagnosis diagnosis = DiagnosisOf(c.typed);
    EXPECT_EQ(diagnosis.suggestion, c.suggestion);
    if (diagnosis.suggestion.empty()) continue;
    // What is offered tabulates with fewer warnings, each one the text had.
    const Diagnosis again = DiagnosisOf(diagnosis.suggestion);
    EXPECT_LT(again.warnings.size(), diagnosis.warnings.size());
    for (const std::string& warning : again.warnings)
      EXPECT_NE(std::find(diagnosis.warnings.begin(), diagnosis.warnings.end(), warning),
                diagnosis.warnings.end());
    EXPECT_NE(DiagnosisText(diagnosis).find("Suggested: " + diagnosis.suggestion + "\n"), std::string::npos);
  }
}

TEST(SuggestedReading, OfferedAfterAnErrorOnlyWhenTheReadingTabulatesWithoutAWord) {
  const struct {
    const char* typed;
    const char* meant;  // empty: none offered
  } kCases[] = {
      {"1.0*a+b", "1*a+b"},
      {"not(1.0)", "not(1)"},
      {"not a +", ""},      // still an operand short
      {"a & (b", ""},       // an unpaired parenthesis has no likely meaning
      {"not(1+1)", ""},     // nothing to rewrite
      {"a*2.5", ""},        // 2.5 is no truth value however it is written
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.typed);
    const std::optional<std::string> meant = SuggestionAfterError(c.typed, kMaxTableVariables);
    EXPECT_EQ(meant.value_or(""), c.meant);
    if (meant) {
      EXPECT_TRUE(DiagnosisOf(*meant).warnings.empty());
    }
  }
}

TEST(SuggestedReading, RowsPastedIntoTheBoxAreToldAsSuch) {
  const Diagnosis pasted = DiagnosisOf("a\tb\tResult\n0\t1\t1");
  ASSERT_FALSE(pasted.warnings.empty());
  EXPECT_NE(pasted.warnings.front().find("holds a tab, as rows pasted from a table do"), std::string::npos)
      << pasted.warnings.front();
  EXPECT_NE(pasted.warnings.front().find("A\\tB\\tRESULT"), std::string::npos) << pasted.warnings.front();
  EXPECT_TRUE(pasted.suggestion.empty());
}

TEST(SuggestedReading, LongAndDeepTextsEndQuickly) {
  std::string blanks;
  for (int i = 0; i < 5000; ++i) blanks += i ? " + a" + std::to_string(i % 50) : "a0";
  EXPECT_EQ(RewrittenAsMeant(blanks).value_or("").substr(0, 9), "a0+a1+a2+");
  const std::string deep = std::string(50000, '(') + "a b" + std::string(50000, ')');
  EXPECT_FALSE(RewrittenAsMeant(deep).has_value());
  EXPECT_FALSE(RewrittenAsMeant("a" + std::string(30000, '\'')).has_value());
  EXPECT_FALSE(RewrittenAsMeant(std::string(30000, '!') + "a").has_value());
}

}  // namespace
}  // namespace brevano

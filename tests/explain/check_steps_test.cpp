// The check of a typed derivation: which steps each law gives, in any order and grouping of the
// terms, and the first wrong line with a row on which it differs.
#include "explain/check_steps.h"

#include <gtest/gtest.h>

#include "engine/deep_stack.h"
#include "tabulate/row_address.h"

namespace brevano {
namespace {

StepsCheck Check(const std::string& text) {
  StepsCheck check;
  RunWithLargeStack([&] { check = CheckDerivation(SplitDerivation(text)); });
  return check;
}

struct LawCase {
  const char* before;
  const char* after;
  const char* law;
  bool gives;
};

TEST(CheckSteps, EachLawGivesItsStepsAndNoOthers) {
  const LawCase cases[] = {
      {"not(a*b)+c", "not(a)+not(b)+c", "De Morgan", true},
      {"not(a*b)+c", "c+not(b)+not(a)", "De Morgan's law", true},
      {"not(not(x)+y)", "not(not(x))*not(y)", "De Morgan", true},
      {"not(a*b)+c", "not(a)+not(b)+c", "distributive", false},
      {"a*(b+c)", "a*b+a*c", "distributive", true},
      {"(c+b)*a", "a*c+b*a", "distributive", true},
      {"a*b+a*c", "a*(b+c)", "distributive", true},
      {"a+b*c", "(a+b)*(a+c)", "distributive", true},
      {"a*b+a*not(b)", "a", "uniting", true},
      {"not(b)*a+c+b*a", "c+a", "uniting", true},
      {"a*b+a*not(b)", "a", "absorption", false},
      {"a+a*c", "a", "absorption", true},
      {"c*a+b+a", "b+a", "absorption", true},
      {"a*(a+b)", "a", "absorption", true},
      {"a*b+not(a)*c+b*c", "a*b+not(a)*c", "consensus", true},
      {"c*b+b*a+not(a)*c", "not(a)*c+a*b", "consensus", true},
      {"a*b+not(a)*c+b*c", "a*b+not(a)*c", "absorption", false},
      {"a*b*a", "a*b", "idempotent", true},
      {"a+a", "a", "idempotent", true},
      {"a*not(a)+b", "0+b", "complement", true},
      {"not(not(a))*b", "a*b", "involution", true},
      {"a/b", "a*not(b)+not(a)*b", "XOR expansion", true},
      {"a*b+c", "c+b*a", "commutative", true},
      {"a+b", "b+a+a*b", "commutative", false},
      {"(a+b)+c", "a+(b+c)", "associative", true},
      {"not(a+b)*not(c+d)", "not(a)*not(b)*not(c)*not(d)", "De Morgan", true},
  };
  for (const LawCase& c : cases) {
    const StepsCheck check = Check(std::string(c.before) + "\n" + c.after + " # " + c.law + "\n");
    ASSERT_TRUE(check.equal) << c.before << " -> " << c.after;
    EXPECT_EQ(check.lawNotes.empty(), c.gives) << c.before << " -> " << c.after << " by " << c.law;
  }
}

TEST(CheckSteps, FirstWrongLineWithARowOnWhichItDiffers) {
  const StepsCheck check = Check("a*(b+c)\n\n# the steps\na*b+a*c # distributive\na*b+c # distributive\na\n");
  EXPECT_FALSE(check.equal);
  EXPECT_EQ(check.wrongLine, 5u);
  EXPECT_EQ(check.previousLine, 4u);
  EXPECT_EQ(check.lines, 3u);
  EXPECT_EQ(check.previousValue, 0);
  EXPECT_EQ(check.value, 1);
  EXPECT_EQ(RowAssignmentText(check.variables, check.row), "A=0 B=0 C=1");
  EXPECT_NE(StepsCheckText(check).find("line 5: distributive does not give this step"), std::string::npos);
}

TEST(CheckSteps, LinesOverDifferentVariablesAndUnknownLaws) {
  const StepsCheck dropped = Check("a*b+a*not(b)+0*c\na # uniting\n");
  EXPECT_TRUE(dropped.equal);
  const StepsCheck unknown = Check("a\na*1 # magic\n");
  EXPECT_TRUE(unknown.equal);
  ASSERT_EQ(unknown.notes.size(), 1u);
  EXPECT_EQ(unknown.notes[0], "line 2: \"magic\" is not one of the laws this program knows");
  const StepsCheck single = Check("a+b\n");
  EXPECT_EQ(StepsCheckText(single), "The one line is a function; there is no step to check.\n");
}

}  // namespace
}  // namespace brevano

// The diagnosis of built tables: the warnings of each misleading input, silence for clean ones,
// "Evaluated as" read back through the pipeline, and the explained missing-operand errors.
#include <gtest/gtest.h>

#include <random>

#include "engine/engine_error.h"
#include "frontend/tabulate_expression.h"
#include "pipeline/pipeline.h"

namespace brevano {
namespace {

DiagnosedTable Tabulate(const std::string& typed) {
  ExprTree tree;
  return TabulateExpression(typed, tree, DisplayMode::kZeroOne);
}

// `text` typed back computes the Result column of `table`: its variables are among the table's
// and every row agrees.
void ExpectSameFunction(const TruthTable& table, const std::string& text) {
  const TruthTable back = Tabulate(text).table;
  const std::vector<std::string>& variables = table.Variables();
  std::vector<int> source;
  for (const std::string& name : back.Variables()) {
    const auto found = std::find(variables.begin(), variables.end(), name);
    ASSERT_NE(found, variables.end()) << text << " names " << name;
    source.push_back(static_cast<int>(found - variables.begin()));
  }
  for (std::uint64_t row = 0; row < table.RowCount(); ++row) {
    std::uint64_t backRow = 0;
    for (int column : source)
      backRow = backRow << 1 | static_cast<std::uint64_t>(table.VariableValue(row, column));
    ASSERT_EQ(back.Result(backRow), table.Result(row)) << text << ", row " << row;
  }
}

struct Case {
  const char* name;
  const char* typed;
  const char* evaluatedAs;
  std::vector<const char*> warnings;  // a fragment of each warning, in order
};

class Diagnosed : public ::testing::TestWithParam<Case> {};

TEST_P(Diagnosed, WarnsOfWhatTheTableIgnoresAndLeavesTheTableAlone) {
  const Case& c = GetParam();
  const DiagnosedTable built = Tabulate(c.typed);
  EXPECT_EQ(built.diagnosis.evaluatedAs, c.evaluatedAs);
  ASSERT_EQ(built.diagnosis.warnings.size(), c.warnings.size())
      << ::testing::PrintToString(built.diagnosis.warnings);
  for (std::size_t i = 0; i < c.warnings.size(); ++i)
    EXPECT_NE(built.diagnosis.warnings[i].find(c.warnings[i]), std::string::npos)
        << built.diagnosis.warnings[i];

  ExprTree tree;
  const TruthTable plain = TruthTable::Build(ProcessExpression(c.typed, tree), DisplayMode::kZeroOne);
  ASSERT_EQ(built.table.Variables(), plain.Variables());
  for (std::uint64_t row = 0; row < plain.RowCount(); ++row)
    ASSERT_EQ(built.table.Result(row), plain.Result(row));
  // A name holding a parenthesis cannot be typed back as one name.
  const auto& names = built.table.Variables();
  if (std::none_of(names.begin(), names.end(),
                   [](auto& n) { return n.find_first_of("()") != std::string::npos; }))
    ExpectSameFunction(built.table, c.evaluatedAs);
}

INSTANTIATE_TEST_SUITE_P(
    Diagnosis, Diagnosed,
    ::testing::Values(
        Case{"FoldedToTwo", "1+1", "0", {"1+1 was folded to the number 2, which is neither 0 nor 1"}},
        Case{"XorFoldedAsDivision",
             "1/1",
             "1",
             {"1/1 was folded to the number 1 by arithmetic; as truth values it gives 0"}},
        Case{"PlainNumber", "a^2", "A", {"\"^\" is ignored", "The number 2 is neither 0 nor 1"}},
        Case{"ConstantNotWrittenAsOne",
             "a^1.0",
             "A",
             {"\"^\" is ignored", "\"1.0\" is ignored by the table: write the constants as 0 and 1"}},
        Case{"NotWithSpace",
             "not (a+b)",
             "A+B",
             {"\"not \" is ignored by the table: write not(...) without a space"}},
        Case{"MisspeltNot", "nto(a)", "A", {"\"nto\" is ignored by the table: did you mean not(...)?"}},
        Case{"OtherFunction", "sin(a)", "A", {"\"sin\" is ignored by the table"}},
        Case{"AndAsFunction", "and(a;b)", "B", {"use * for AND", "does not reach the result: \"A\""}},
        Case{"Ampersand", "a&b", "0", {"\"a&b\" is ignored by the table: use * for AND"}},
        Case{"Bang", "!a", "0", {"use not(...) for NOT"}},
        Case{"NotWithoutParentheses", "not a", "NOT A", {"\"NOT A\" holds a space: write not(A)"}},
        Case{"SpaceBetweenNames", "a b", "A B", {"\"A B\" holds a space: use * for AND"}},
        Case{"Bar", "a|b", "A|B", {"holds \"|\": use + for OR"}},
        Case{"OperatorSpelt", "a xor b", "A XOR B", {"\"A XOR B\" holds a space: use / for XOR"}},
        Case{"TrueAsName", "true*a", "TRUE*A", {"\"TRUE\" is not a constant: write 1"}},
        Case{"TwoOpenings", "((", "0", {"2 \"(\" in \"((\" are never closed"}},
        Case{"OpenedGroup", "(a", "0", {"A \"(\" in \"(a\" is never closed"}},
        Case{"InsideOut",
             ")a(",
             "0",
             {"\")\" at position 1 of \")a(\" has no matching \"(\"", "never closed"}},
        Case{"Empty", "", "0", {"The expression is empty"}},
        Case{"LoneClosing", ")", ")", {"has no matching", "\")\" holds a parenthesis"}},
        Case{"ClosingTooMany", "a+b)", "A+B)", {"position 4", "\"B)\" holds a parenthesis"}},
        Case{"Minus", "a-b", "B", {"operator \"-\" is ignored", "\"A\""}},
        Case{"Power", "a^b", "B", {"\"^\" is ignored by the table: use / for XOR", "\"A\""}},
        Case{"Comparison", "a==b", "B", {"use not(a/b) for equivalence", "\"A\""}},
        Case{"Colon", "a:b", "B", {"\":\" is taken for a variable", "\"A\" and \":\""}},
        Case{"Indexed", "m[x]", "X", {"indexed name \"m[x]\" is taken for a variable \"M @A\"", "\"M @A\""}},
        Case{"LeadingMinus", "-a", "A", {"A leading \"-\" is read as a negation"}},
        Case{"NotOfTwo", "not(a;b)", "B", {"does not reach the result: \"not(A)\""}},
        Case{"LaterStatement", "a;b", "A", {"\"b\" after \";\" is ignored"}},
        Case{"Blank", "  ", " ", {"made only of blanks"}},
        Case{"TrailingBlank",
             " not(a) ",
             "not(A))",
             {"In \" not(a) \", the blank after \")\" is read as the closing"}},
        Case{"BlankAfterGroup", "(a + b) * c", "(A+B))*C", {"In \"(a + b) \", the blank after \")\""}},
        Case{"GroupsSideBySide",
             "(a)(b)",
             "0",
             {"the last character is read as the closing parenthesis", "\"a)\"", "empty operand"}},
        Case{"PaddedOne",
             "a*b + 1",
             "A*B+ 1",
             {"The number 1 with a space beside it is read as a variable named \"1\""}},
        Case{"PaddedTwo",
             "a* 2",
             "A* 2",
             {"The number \"2\" with a space beside it is read as a variable named \"2\": "
              "write 0 or 1 without spaces"}},
        Case{"CutName",
             "long_signal_name_enable_a",
             "LONG_SIGNAL_NAME_ENABLE",
             {"The name \"long_signal_name_enable_a\" is cut to its first 23 characters: its column is "
              "\"LONG_SIGNAL_NAME_ENABLE\""}},
        Case{"CutNamesMerged",
             "carry_in_from_previous_stage_1 * not(carry_in_from_previous_stage_2)",
             "CARRY_IN_FROM_PREVIOUS_*not(CARRY_IN_FROM_PREVIOUS_)",
             {"\"carry_in_from_previous_stage_1\" and \"carry_in_from_previous_stage_2\" become one column"}},
        Case{"CutAfterBlank",
             "a + carry_in_from_previous_stage_1*carry_in_from_previous_stage_1",
             "A+CARRY_IN_FROM_PREVIOUS*CARRY_IN_FROM_PREVIOUS_",
             {"blanks before it included: it gives the columns \"CARRY_IN_FROM_PREVIOUS\" and"}},
        Case{"CommaInNot",
             "not(a,b)",
             "not(A,B)",
             {"The comma in \"not(a,b)\" is read as part of the variable \"A,B\": not(...) takes one "
              "operand"}},
        Case{"CommaInCall",
             "f(a,b)",
             "A,B",
             {"\"f\" is ignored", "arguments of a call are separated by \";\""}},
        Case{"AndSign", "a ∧ b", "A ∧ B", {"holds \"∧\", which is no operator here: use * for AND"}},
        Case{
            "NotSign", "¬(a+b)", "A+B", {"The function \"¬\" is ignored by the table: use not(...) for NOT"}},
        Case{"ImpliesSign", "a→b", "A→B", {"write a→b as not(a)+b"}},
        Case{"NorSign", "a⊽b", "A⊽B", {"write a⊽b as not(a+b)"}},
        Case{"XorBeforeAnd",
             "a*b/c*d/e*f",
             "((A*B/C)*D/E)*F",
             {"\"a*b/c*d/e*f\" is read as ((a*b/c)*d/e)*f: * and / bind alike and group from the left; for "
              "AND "
              "before XOR write a*b/(c*d)/(e*f)"}},
        Case{"SemicolonInGroup", "(a;b)+c", "C", {"makes \"c\" a third operand of \"+\"", "\"A+B\""}},
        Case{"DroppedByZero", "0*sin(a)", "0", {"\"sin\" is ignored"}},
        Case{"MinusZero", "a-0", "A", {"The operator \"-\" is ignored"}},
        Case{"CallReduced",
             "pow(a;0)+neg(neg(b))",
             "1",
             {"The function \"pow\" in \"pow(a;0)\" was reduced by arithmetic before the table read it",
              "\"neg\" in \"neg(neg(b))\""}},
        Case{"ZeroProductFolded",
             "a*0/1",
             "0",
             {"a*0/1 was folded to the number 0 by arithmetic; as truth values it gives 1"}},
        Case{"ConstantsFoldedAsTruthValues", "a*(1*1)+b*not(0)", "A+B", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Diagnosis, CleanExpressionsGiveNoWarning) {
  for (const char* typed : {"not(a+b)",
                            "a/b/c",
                            "a*not(b)+1*c",
                            "a+A",
                            "b*a",
                            "a/0",
                            "a/1",
                            "a/not(0)",
                            "not(0)",
                            "1",
                            "0",
                            "a*0",
                            "A10*A2",
                            "not(not(a))*(b+c)/d",
                            "1*0+a",
                            " not(a)",
                            "a + b",
                            "a * (b + c)",
                            "not( a )",
                            "a*b/c",
                            "(a/b)*c",
                            "abcdefghijklmnopqrstuvw",
                            "0*(not (a))",
                            "0*(b + 1)"}) {
    EXPECT_EQ(Tabulate(typed).diagnosis.warnings, std::vector<std::string>{}) << typed;
  }
}

// A random expression over +, *, /, not(...), 0, 1 and four letters, with parts the table ignores
// mixed in: other operators, functions, numbers.
std::string RandomExpression(std::mt19937_64& rng, int depth) {
  const int kind = depth == 0 ? 0 : static_cast<int>(rng() % 7);
  if (kind == 0) return rng() % 6 == 0 ? std::string(rng() % 2 ? "1" : "0") : std::string(1, 'a' + rng() % 4);
  if (kind == 1) return "not(" + RandomExpression(rng, depth - 1) + ")";
  if (kind == 2) return (rng() % 2 ? "sin(" : "f(") + RandomExpression(rng, depth - 1) + ")";
  static constexpr const char* kOperators[] = {"+", "*", "/", "+", "*", "/", "-", "^", "=="};
  return "(" + RandomExpression(rng, depth - 1) + kOperators[rng() % 9] + RandomExpression(rng, depth - 1) +
         ")";
}

// One level of "*" and "/" is grouped from the left: a right operand of that level keeps its
// parentheses unless it is the same operator all along its left spine, and a "/" left of a "*" is
// put in parentheses for the reader who takes AND before XOR.
TEST(EvaluatedAs, ParenthesesWhereTheGroupingNeedsThem) {
  const std::pair<const char*, const char*> cases[] = {
      {"(not(A/(0/d))/((d+0)*c/B))", "not(A/D)/(D*C/B)"},
      {"a*(b*c)", "A*B*C"},
      {"a/(b/c)", "A/B/C"},
      {"a*(b/c)", "A*(B/C)"},
      {"a/(b*c)", "A/(B*C)"},
      {"(a/b)*c", "(A/B)*C"},
      {"a/(b/c*d)", "A/((B/C)*D)"},
      {"a*(b*c/d)", "A*(B*C/D)"},
      {"a+(b+c)*d", "A+(B+C)*D"},
      {"not(a+b)*c/not(d)", "not(A+B)*C/not(D)"},
  };
  for (const auto& [typed, shown] : cases) {
    const DiagnosedTable built = Tabulate(typed);
    EXPECT_EQ(built.diagnosis.evaluatedAs, shown) << typed;
    ExpectSameFunction(built.table, shown);
  }
}

TEST(EvaluatedAs, TypedBackGivesTheSameResultColumn) {
  std::mt19937_64 rng(15);
  for (int i = 0; i < 300; ++i) {
    const std::string typed = RandomExpression(rng, 4);
    DiagnosedTable built;
    try {
      built = Tabulate(typed);
    } catch (const EngineError&) {
      continue;  // a division by zero or an operand folded away
    }
    ExpectSameFunction(built.table, built.diagnosis.evaluatedAs);
    EXPECT_EQ(Tabulate(built.diagnosis.evaluatedAs).diagnosis.warnings, std::vector<std::string>{})
        << typed << " as " << built.diagnosis.evaluatedAs;
  }
}

std::string ErrorOf(const std::string& typed) {
  try {
    Tabulate(typed);
  } catch (const EngineError& error) {
    return error.what();
  }
  return "(no error)";
}

TEST(MissingOperand, NamesTheOperandAndWhy) {
  const std::pair<const char*, const char*> cases[] = {
      {"not(1+1)",
       "The operator \"not\" has no operand that is a truth value: 1+1 was folded to the number 2"},
      {"2*a",
       "The operator \"*\" has only one operand that is a truth value: 2 is a number, neither 0 nor 1"},
      // The "*" takes b for its missing operand; the stack runs short only at the "+".
      {"2*a+b",
       "The operator \"*\" has only one operand that is a truth value: 2 is a number, neither 0 nor 1"},
      {"not(f())", "The operator \"not\" has no operand that is a truth value: \"f()\" has an empty operand"},
      {"a*1.0",
       "The operator \"*\" has only one operand that is a truth value: 1.0 is a number not written as 0 or "
       "1"},
      {"not()",
       "The operator \"not\" has no operand that is a truth value: nothing stands between its parentheses"},
      {"a+", "The operator \"+\" has only one operand that is a truth value: its right operand is empty"},
      {"+a", "The operator \"+\" has only one operand that is a truth value: its left operand is empty"},
      {"not(a&b)",
       "The operator \"not\" has no operand that is a truth value: \"a&b\" is ignored (use * for AND)"},
      {"a*(b/sin(2))",
       "The operator \"/\" has only one operand that is a truth value: sin(2) was folded to the number "
       "0.909"},
      {"1/0", "Floating point division by zero"},  // the pipeline's own errors stay as they are
  };
  for (const auto& [typed, message] : cases)
    EXPECT_EQ(ErrorOf(typed).rfind(message, 0), 0u) << ErrorOf(typed);
}

}  // namespace
}  // namespace brevano

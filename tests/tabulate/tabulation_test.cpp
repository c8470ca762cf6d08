// The truth table of expressions and hand-made listings: columns, rows, and the errors.
#include "tabulate/tabulation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine_error.h"
#include "pipeline/pipeline.h"
#include "tabulate/compiled_program.h"
#include "tests/support/random_listing.h"

namespace brevano {
namespace {

using testing::VariableName;

using Strings = std::vector<std::string>;

TruthTable TableOfExpression(const std::string& expression, DisplayMode mode = DisplayMode::kZeroOne) {
  ExprTree tree;
  return TruthTable::Build(ProcessExpression(expression, tree), mode);
}

// Rows as "0 0 1; 0 1 0; ...".
std::string RowsOf(const TruthTable& table) {
  std::string out;
  for (std::uint64_t row = 0; row < table.RowCount(); ++row) {
    if (row > 0) out += "; ";
    const Strings cells = table.RowTexts(row);
    for (std::size_t i = 0; i < cells.size(); ++i) out += (i > 0 ? " " : "") + cells[i];
  }
  return out;
}

std::string BuildError(const Listing& listing, int maxVariables = kMaxTableVariables) {
  try {
    TruthTable::Build(listing, DisplayMode::kZeroOne, maxVariables);
  } catch (const EngineError& error) {
    return error.what();
  }
  return "no error";
}

struct ExpressionCase {
  const char* name;
  const char* expression;
  DisplayMode mode;
  Strings captions;
  const char* rows;
};

class ExpressionTable : public ::testing::TestWithParam<ExpressionCase> {};

TEST_P(ExpressionTable, HasTheseColumnsAndRows) {
  const ExpressionCase& c = GetParam();
  const TruthTable table = TableOfExpression(c.expression, c.mode);
  EXPECT_EQ(table.Captions(), c.captions);
  EXPECT_EQ(RowsOf(table), c.rows);
}

constexpr auto k01 = DisplayMode::kZeroOne;
constexpr auto kFT = DisplayMode::kFalseTrue;

INSTANTIATE_TEST_SUITE_P(
    Tabulation, ExpressionTable,
    ::testing::Values(
        ExpressionCase{"NotOr", "not(a+b)", k01, {"A", "B", "Result"}, "0 0 1; 0 1 0; 1 0 0; 1 1 0"},
        ExpressionCase{"NotOrFalseTrue", "not(a+b)", kFT, {"A", "B", "Result"}, "F F T; F T F; T F F; T T F"},
        ExpressionCase{"CaseDoesNotMatter", "a+A", k01, {"A", "Result"}, "0 0; 1 1"},
        ExpressionCase{"ColumnsSorted", "b*a", k01, {"A", "B", "Result"}, "0 0 0; 0 1 0; 1 0 0; 1 1 1"},
        ExpressionCase{"Xor", "a/b", k01, {"A", "B", "Result"}, "0 0 0; 0 1 1; 1 0 1; 1 1 0"},
        ExpressionCase{"ByteOrder", "A2/A10", k01, {"A10", "A2", "Result"}, "0 0 0; 0 1 1; 1 0 1; 1 1 0"},
        // "-" contributes nothing: the bottom slot keeps the first value pushed, b's.
        ExpressionCase{
            "OtherOperatorIsInert", "a-b", k01, {"A", "B", "Result"}, "0 0 0; 0 1 1; 1 0 0; 1 1 1"},
        ExpressionCase{"XorZero", "a/0", k01, {"A", "Result"}, "0 0; 1 1"},
        ExpressionCase{"XorOne", "a/1", k01, {"A", "Result"}, "0 1; 1 0"},
        ExpressionCase{"XorNotZero", "a/not(0)", k01, {"A", "Result"}, "0 1; 1 0"},
        // The indexed name is a variable of its own; its index pushes x first, so x is the result.
        ExpressionCase{"IndexedName", "m[x]", k01, {"M @A", "X", "Result"}, "0 0 0; 0 1 1; 1 0 0; 1 1 1"},
        ExpressionCase{"ThreeVariables",
                       "c+b*a",
                       k01,
                       {"A", "B", "C", "Result"},
                       "0 0 0 0; 0 0 1 1; 0 1 0 0; 0 1 1 1; 1 0 0 0; 1 0 1 1; 1 1 0 1; 1 1 1 1"},
        ExpressionCase{"ConstantOne", "1", k01, {"Result"}, "1"},
        ExpressionCase{"NotZero", "not(0)", kFT, {"Result"}, "T"},
        ExpressionCase{"NotOne", "not(1)", k01, {"Result"}, "0"},
        // Nothing is pushed: the result is 0.
        ExpressionCase{"Empty", "", k01, {"Result"}, "0"},
        // The missing operand of "-" pushes nothing, and "-" takes nothing.
        ExpressionCase{"InertOperatorWithoutOperand", "a-", k01, {"A", "Result"}, "0 0; 1 1"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ListingCase {
  const char* name;
  Listing listing;
  Strings captions;
  const char* rows;
};

class ListingTable : public ::testing::TestWithParam<ListingCase> {};

TEST_P(ListingTable, HasTheseColumnsAndRows) {
  const ListingCase& c = GetParam();
  const TruthTable table = TruthTable::Build(c.listing, DisplayMode::kZeroOne);
  EXPECT_EQ(table.Captions(), c.captions);
  EXPECT_EQ(RowsOf(table), c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Listings, ListingTable,
    ::testing::Values(
        ListingCase{"LinesAreTrimmedAndUpperCased",
                    {" not @F\t", "\x01+ @F ", "a", "\tA\n"},
                    {"A", "Result"},
                    "0 1; 1 0"},
        ListingCase{"TaggedLinesAreNoVariables",
                    {"+ @F", "a", "x@Nb", "y@Fz", "b"},
                    {"A", "B", "Result"},
                    "0 0 0; 0 1 1; 1 0 1; 1 1 1"},
        // A number line other than "0 @N" and "1 @N" pushes nothing, or the bottom would not be 1.
        ListingCase{
            "OnlyExactConstants", {"* @F", "a", "1.0 @N", "01 @N", "1 @N"}, {"A", "Result"}, "0 0; 1 1"},
        ListingCase{"TagsAreUpperCasedToo", {"/ @F", "a", "1 @n"}, {"A", "Result"}, "0 1; 1 0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ListingTableRows, VariablesInByteOrder) {
  // Every line is a variable and pushes its value; the bottom slot holds the last line's.
  const TruthTable table =
      TruthTable::Build({"b", "A2", "a10", "9", "m @A", "M", "_x", "Z", "\xC4", "1x"}, DisplayMode::kZeroOne);
  EXPECT_EQ(table.Variables(), (Strings{"1X", "9", "A10", "A2", "B", "M", "M @A", "Z", "_X", "\xC4"}));
  ASSERT_EQ(table.RowCount(), 1024u);
  for (std::uint64_t row = 0; row < table.RowCount(); ++row) {
    ASSERT_EQ(table.Result(row), table.VariableValue(row, 0)) << row;  // "1X", the first column
  }
}

struct ErrorCase {
  const char* name;
  Listing listing;
  const char* message;
};

class MalformedListing : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(MalformedListing, IsRejectedNamingTheOperator) {
  EXPECT_EQ(BuildError(GetParam().listing), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, MalformedListing,
    ::testing::Values(
        ErrorCase{"OrWithOneOperand", {"+ @F", "a", " @N"}, "The operator \"+\" lacks an operand"},
        ErrorCase{"NotOfNothing", {"not @F", " @N"}, "The operator \"not\" lacks an operand"},
        ErrorCase{"NotAsWritten", {" NoT @F "}, "The operator \"NoT\" lacks an operand"},
        ErrorCase{"AndOfNothing", {"* @F"}, "The operator \"*\" lacks an operand"},
        // Evaluation runs from the last line, so the innermost fault is named.
        ErrorCase{"InnermostFirst", {"+ @F", "/ @F", "a"}, "The operator \"/\" lacks an operand"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MalformedExpression, IsRejectedBeforeAnyRow) {
  for (const auto& [expression, message] :
       std::vector<std::pair<std::string, std::string>>{{"a+", "The operator \"+\" lacks an operand"},
                                                        {"not()", "The operator \"not\" lacks an operand"},
                                                        {"a*(b/)", "The operator \"/\" lacks an operand"}}) {
    ExprTree tree;
    EXPECT_EQ(BuildError(ProcessExpression(expression, tree)), message) << expression;
  }
}

Listing ManyVariables(int count) {
  Listing listing;
  for (int i = 1; i < count; ++i) listing.push_back("+ @F");
  for (int i = 0; i < count; ++i) listing.push_back(VariableName(100 + i));
  return listing;
}

TEST(VariableLimit, IsCheckedBeforeAnyRow) {
  EXPECT_EQ(BuildError(ManyVariables(34), 24), "Too many variables (34): at most 24 can be tabulated");
  EXPECT_EQ(BuildError(ManyVariables(64)), "Too many variables (64): at most 63 can be tabulated");
  EXPECT_EQ(BuildError(ManyVariables(64), 1000), "Too many variables (64): at most 63 can be tabulated");
  EXPECT_EQ(BuildError(ManyVariables(24), 24), "no error");
}

TEST(VariableLimit, SixtyThreeVariablesGiveEveryRowOnDemand) {
  const TruthTable table = TruthTable::Build(ManyVariables(63), DisplayMode::kFalseTrue);
  EXPECT_EQ(table.RowCount(), std::uint64_t{1} << 63);
  const std::uint64_t last = table.RowCount() - 1;
  EXPECT_EQ(table.RowTexts(last), Strings(64, "T"));
  EXPECT_EQ(table.Result(0), 0);
  EXPECT_EQ(table.Result(std::uint64_t{1} << 62), 1);
  EXPECT_EQ(table.VariableValue(std::uint64_t{1} << 62, 0), 1);
  EXPECT_EQ(table.VariableValue(std::uint64_t{1} << 62, 1), 0);
  EXPECT_EQ(table.VariableValue(1, 62), 1);
}

TEST(Stack, GrowsBeyondAThousandSlots) {
  // ((a+a)+a)+... lists every "+" first, so all the operands are on the stack at once.
  Listing listing(5000, "+ @F");
  listing.insert(listing.end(), 5001, "a");
  const TruthTable table = TruthTable::Build(listing, DisplayMode::kZeroOne);
  EXPECT_EQ(table.Program().MaxDepth(), 5001u);
  EXPECT_EQ(RowsOf(table), "0 0; 1 1");
}

TEST(Table, Columns) {
  const TruthTable table = TableOfExpression("not(b+a)");
  EXPECT_EQ(table.Variables(), (Strings{"A", "B"}));
}

TEST(Table, DefaultIsEmpty) {
  const TruthTable table;
  EXPECT_EQ(table.RowCount(), 0u);
  EXPECT_EQ(table.Captions(), Strings{"Result"});
  EXPECT_EQ(table.Program().Instructions().size(), 0u);
}

TEST(BoolToText, BothModes) {
  EXPECT_EQ(BoolToText(1, DisplayMode::kZeroOne), "1");
  EXPECT_EQ(BoolToText(0, DisplayMode::kZeroOne), "0");
  EXPECT_EQ(BoolToText(2, DisplayMode::kZeroOne), "0");
  EXPECT_EQ(BoolToText(1, DisplayMode::kFalseTrue), "T");
  EXPECT_EQ(BoolToText(-1, DisplayMode::kFalseTrue), "F");
}

}  // namespace
}  // namespace brevano

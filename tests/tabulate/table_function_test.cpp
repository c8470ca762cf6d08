// Two tables brought onto the columns of both: the rows each keeps, and the refusal of too many.
#include "tabulate/table_function.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine_error.h"
#include "pipeline/pipeline.h"

namespace brevano {
namespace {

TruthTable Table(const std::string& expression) {
  ExprTree tree;
  return TruthTable::Build(ProcessExpression(expression, tree), DisplayMode::kZeroOne);
}

// The Result column as "0110".
std::string Results(const TruthTable& table) {
  std::string out;
  for (std::uint64_t row = 0; row < table.RowCount(); ++row) out += table.Result(row) ? '1' : '0';
  return out;
}

TEST(TableFunctionTest, BothTablesRunOverTheColumnsOfBoth) {
  struct Case {
    std::string on, dontCare;  // no don't-cares when empty
    std::vector<std::string> variables;
    std::string onRows, dontCareRows;
  };
  const std::vector<Case> cases = {
      {"a*b", "", {"A", "B"}, "0001", ""},
      {"a", "b", {"A", "B"}, "0011", "0101"},
      {"c", "a*b", {"A", "B", "C"}, "01010101", "00000011"},
      {"b", "a+b", {"A", "B"}, "0101", "0111"},
      {"1", "a", {"A"}, "11", "01"},
      {"a", "0", {"A"}, "01", "00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.on + " with " + c.dontCare);
    const TruthTable on = Table(c.on);
    const TruthTable dontCare = c.dontCare.empty() ? TruthTable() : Table(c.dontCare);
    const TableFunction function = FunctionOfTables(on, c.dontCare.empty() ? nullptr : &dontCare);
    EXPECT_EQ(function.Variables(), c.variables);
    EXPECT_EQ(Results(function.on), c.onRows);
    ASSERT_EQ(function.dontCare.has_value(), !c.dontCare.empty());
    if (function.dontCare) {
      EXPECT_EQ(function.dontCare->Variables(), c.variables);
      EXPECT_EQ(Results(*function.dontCare), c.dontCareRows);
    }
  }
}

TEST(TableFunctionTest, ATableAlreadyOverTheColumnsIsSharedNotCopied) {
  const TruthTable on = Table("a*b"), dontCare = Table("a/b");
  const TableFunction function = FunctionOfTables(on, &dontCare);
  EXPECT_EQ(&function.on.Program(), &on.Program());
  EXPECT_EQ(&function.dontCare->Program(), &dontCare.Program());
}

TEST(TableFunctionTest, MoreThanATableHoldsTogetherIsRefused) {
  std::string on = "x00", dontCare = "y00";
  for (int v = 1; v < 32; ++v) {
    const std::string digits = std::string(1, char('0' + v / 10)) + char('0' + v % 10);
    on += "+x" + digits;
    dontCare += "+y" + digits;
  }
  const TruthTable onTable = Table(on), dontCareTable = Table(dontCare);
  EXPECT_NO_THROW(FunctionOfTables(onTable, nullptr));
  try {
    FunctionOfTables(onTable, &dontCareTable);
    FAIL() << "64 variables were taken";
  } catch (const EngineError& error) {
    EXPECT_STREQ(error.what(),
                 "Too many variables in the expression and its don't-cares together (64): at most 63 can be "
                 "analysed");
  }
}

}  // namespace
}  // namespace brevano

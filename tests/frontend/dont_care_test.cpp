// Reading a don't-care text for a table: blank, usable, warned about, refused, and the rule for
// variables the table lacks.
#include "frontend/dont_care.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brevano {
namespace {

struct Case {
  const char* name;
  std::string text;
  std::vector<std::string> columns;
  // What the reading gives: the error's start (empty: usable), the rows of its table (empty: no
  // table), whether it warns.
  std::string error;
  std::vector<int> results;
  bool warns = false;
};

class DontCareReading : public testing::TestWithParam<Case> {};

TEST_P(DontCareReading, GivesTableWarningsOrError) {
  const Case& c = GetParam();
  const DontCareInput input = ReadDontCare(c.text, c.columns, 100);
  EXPECT_EQ(input.error.substr(0, c.error.size()), c.error) << input.error;
  EXPECT_EQ(input.Usable(), c.error.empty());
  EXPECT_EQ(!input.warnings.empty(), c.warns);
  ASSERT_EQ(input.table.has_value(), !c.results.empty());
  if (!input.table) return;
  std::vector<int> results;
  for (std::uint64_t row = 0; row < input.table->RowCount(); ++row)
    results.push_back(input.table->Result(row));
  EXPECT_EQ(results, c.results);
}

const Case kCases[] = {
    {"Blank", " \t", {"A"}, "", {}},
    {"Empty", "", {}, "", {}},
    {"SameColumns", "a*b", {"A", "B"}, "", {0, 0, 0, 1}},
    {"FewerColumns", "not(b)", {"A", "B"}, "", {1, 0}},
    {"Constant", "1", {}, "", {1}},
    {"Warned", "a*b;c", {"A", "B"}, "", {0, 0, 0, 1}, true},
    // A variable the table lacks is refused by name, with the table's columns.
    {"OtherVariable",
     "a*c",
     {"A", "B"},
     "The don't-care expression names C, which is not a column of the table (its columns are A, B)",
     {}},
    {"OtherVariables", "c+d*a", {"A"}, "The don't-care expression names C, D, which are not columns", {}},
    {"TableWithoutColumns",
     "a",
     {},
     "The don't-care expression names A, which is not a column of the table (it has none)",
     {}},
    {"Unreadable", "a+", {"A"}, "The", {}},
    {"TooLong", std::string(101, 'a'), {"A"}, "The don't-care expression is too long: at most 100", {}},
};

INSTANTIATE_TEST_SUITE_P(Texts, DontCareReading, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace brevano

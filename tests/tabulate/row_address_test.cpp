// "Go to row" text: row indexes, assignments and every way a text can fail to name a row.
#include "tabulate/row_address.h"

#include <gtest/gtest.h>

namespace brevano {
namespace {

using Kind = RowAddressError::Kind;

struct AddressCase {
  const char* name;
  const char* text;
  std::uint64_t row;  // when `error` is absent
  std::optional<Kind> error;
  const char* errorText;  // the error's text, "" when not checked
};

class RowAddress : public ::testing::TestWithParam<AddressCase> {};

TEST_P(RowAddress, NamesTheRowOrSaysWhyNot) {
  const AddressCase& c = GetParam();
  const std::vector<std::string> variables{"A", "B", "M @A"};  // rows 0..7, "M @A" the least bit
  const auto address = ParseRowAddress(c.text, variables, 8);
  if (!c.error) {
    ASSERT_TRUE(std::holds_alternative<std::uint64_t>(address)) << c.text;
    EXPECT_EQ(std::get<std::uint64_t>(address), c.row);
    return;
  }
  ASSERT_TRUE(std::holds_alternative<RowAddressError>(address)) << c.text;
  const RowAddressError& error = std::get<RowAddressError>(address);
  EXPECT_EQ(error.kind, *c.error);
  if (*c.errorText) {
    EXPECT_EQ(error.text, c.errorText);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RowAddress,
    ::testing::Values(
        AddressCase{"Index", " 7 ", 7, {}, ""}, AddressCase{"LeadingZeros", "0005", 5, {}, ""},
        AddressCase{"PastTheEnd", "8", 0, Kind::kNoSuchRow, "8"},
        AddressCase{"Overflow", "99999999999999999999999", 0, Kind::kNoSuchRow, "99999999999999999999999"},
        AddressCase{"Assignment", "a=1; b = F", 4, {}, ""},
        AddressCase{"NameWithBlank", "m @a=t,A=0", 1, {}, ""},
        AddressCase{"LastWins", "A=1 A=0 B=1", 2, {}, ""}, AddressCase{"Empty", "  ", 0, Kind::kUsage, ""},
        AddressCase{"NoEquals", "A", 0, Kind::kUsage, ""}, AddressCase{"Negative", "-1", 0, Kind::kUsage, ""},
        AddressCase{"PartWithoutEquals", "A=1 B", 0, Kind::kNotAssignment, "B"},
        AddressCase{"MissingName", "=1", 0, Kind::kMissingName, ""},
        AddressCase{"UnknownVariable", "c=1", 0, Kind::kUnknownVariable, "C"},
        AddressCase{"BadValue", "A=2", 0, Kind::kBadValue, "A"},
        AddressCase{"MissingValue", "A=", 0, Kind::kBadValue, "A"}),
    [](const auto& info) { return info.param.name; });

TEST(RowAddressWide, FirstOfSixtyThreeVariablesIsTheTopBit) {
  std::vector<std::string> variables;
  for (int i = 0; i < 63; ++i) variables.push_back("V" + std::to_string(i));
  const std::uint64_t rows = std::uint64_t{1} << 63;
  EXPECT_EQ(std::get<std::uint64_t>(ParseRowAddress("v0=1 v62=1", variables, rows)),
            (std::uint64_t{1} << 62) + 1);
  EXPECT_EQ(std::get<std::uint64_t>(ParseRowAddress("9223372036854775807", variables, rows)), rows - 1);
  EXPECT_TRUE(
      std::holds_alternative<RowAddressError>(ParseRowAddress("9223372036854775808", variables, rows)));
}

// Row numbers as the window writes them, digits grouped, are read back.
TEST(RowAddressGrouped, ReadsTheGroupingTheWindowWrites) {
  const std::vector<std::string> variables(63, "V");
  const std::uint64_t rows = std::uint64_t{1} << 63;
  for (const auto& [text, row] :
       std::vector<std::pair<std::string, std::uint64_t>>{{"9,223,372,036,854,775,807", rows - 1},
                                                          {"1 000", 1000},
                                                          {"1.048.575", 1048575},
                                                          {"12\xC2\xA0"
                                                           "345",
                                                           12345},
                                                          {"1'000'000", 1000000}}) {
    const auto address = ParseRowAddress(text, variables, rows);
    ASSERT_TRUE(std::holds_alternative<std::uint64_t>(address)) << text;
    EXPECT_EQ(std::get<std::uint64_t>(address), row) << text;
  }
  for (const std::string text : {"1,00", "1,000.000", "1234,567", ",123", "1,"}) {
    const auto address = ParseRowAddress(text, variables, rows);
    ASSERT_TRUE(std::holds_alternative<RowAddressError>(address)) << text;
    EXPECT_EQ(std::get<RowAddressError>(address).kind, RowAddressError::Kind::kUsage) << text;
  }
  const auto past = ParseRowAddress("9,223,372,036,854,775,808", variables, rows);
  ASSERT_TRUE(std::holds_alternative<RowAddressError>(past));
  EXPECT_EQ(std::get<RowAddressError>(past).text, "9,223,372,036,854,775,808");
}

TEST(RowAddressExampleText, UsesTheFirstTwoVariables) {
  EXPECT_EQ(RowAddressExample({}), "A=1");
  EXPECT_EQ(RowAddressExample({"X"}), "X=1");
  EXPECT_EQ(RowAddressExample({"X", "Y", "Z"}), "X=1 Y=0");
}

}  // namespace
}  // namespace brevano

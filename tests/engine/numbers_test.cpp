// Number conversion, formatting and the checked floating-point operations, under both separators.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/engine_error.h"
#include "engine/numbers.h"

namespace brevano {
namespace {

class WithSeparator : public ::testing::Test {
 protected:
  void TearDown() override { SetDecimalSeparator('.'); }
};

std::string ErrorOf(void (*f)()) {
  try {
    f();
  } catch (const EngineError& e) {
    return e.what();
  }
  return "no error";
}

TEST_F(WithSeparator, TextToNumberAcceptsTheGrammar) {
  const std::pair<const char*, long double> cases[] = {
      {"0", 0},       {"2.5", 2.5L},  {"  -3 ", -3},  {"+4", 4},       {"1e3", 1000},
      {"1E-2", 0.01L}, {"5.", 5},     {".5", 0.5L},   {"007", 7},      {"2E+3", 2000},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(TextToNumber(text), value) << text;
}

TEST_F(WithSeparator, TextToNumberRejectsWithTheMessage) {
  for (const char* text : {"", "1.2.3", "1,5", "-", "E5", "1E", "1e+", "a", "1 2", "0x10", "1E99999", "."}) {
    try {
      TextToNumber(text);
      ADD_FAILURE() << "accepted " << text;
    } catch (const EngineError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("'") + text + "' is not a valid floating point value");
    }
  }
}

TEST_F(WithSeparator, CommaSeparator) {
  SetDecimalSeparator(',');
  EXPECT_EQ(TextToNumber("1,5"), 1.5L);
  EXPECT_THROW(TextToNumber("1.5"), EngineError);
  EXPECT_EQ(NumberToText(2.5L), "2,5");
  EXPECT_EQ(NumberToText(1.5e-7L), "1,5E-7");
}

TEST_F(WithSeparator, NumberToTextFormsAndDigits) {
  const std::pair<long double, const char*> cases[] = {
      {0, "0"},
      {1e15L, "1E15"},
      {1.5e-7L, "1.5E-7"},
      {0.0001L, "0.0001"},
      {0.00001L, "1E-5"},
      {1e14L, "100000000000000"},
      {999999999999999.0L, "999999999999999"},
      {9999999999999999.0L, "1E16"},
      {2.5L, "2.5"},
      {-2.5L, "-2.5"},
      {1.0L / 3, "0.333333333333333"},
      {2.0L / 3, "0.666666666666667"},
      {123456.789L, "123456.789"},
      {-1e300L, "-1E300"},
      {1e-300L, "1E-300"},
      {0.1L + 0.2L, "0.3"},
      {1.5L, "1.5"},
      {100, "100"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(NumberToText(value), text);
}

TEST_F(WithSeparator, RoundTripThroughTextKeepsFifteenDigits) {
  for (long double v : {3.14159265358979L, 1e-5L, 12345678901234.5L, 0.5L, 7e200L}) {
    EXPECT_EQ(NumberToText(TextToNumber(NumberToText(v))), NumberToText(v));
  }
}

TEST(CheckedArithmetic, RaisesTheFloatingPointMessages) {
  EXPECT_EQ(ErrorOf([] { CheckedDiv(1, 0); }), "Floating point division by zero");
  EXPECT_EQ(ErrorOf([] { CheckedDiv(0, 0); }), "Invalid floating point operation");
  EXPECT_EQ(ErrorOf([] { CheckedMul(1e4000L, 1e4000L); }), "Floating point overflow");
  EXPECT_EQ(ErrorOf([] { CheckedExp(11357); }), "Floating point overflow");
  EXPECT_EQ(ErrorOf([] { RoundToDouble(1e309L); }), "Floating point overflow");
  EXPECT_EQ(ErrorOf([] { CheckedExp(-20000); }), "no error");
  EXPECT_EQ(ErrorOf([] { CheckedMul(1e-4000L, 1e-4000L); }), "no error");
}

TEST(CheckedArithmetic, Values) {
  EXPECT_EQ(CheckedExp(-20000), 0);
  EXPECT_EQ(NumberToText(CheckedExp(1)), "2.71828182845905");
  EXPECT_EQ(CheckedSin(1e19L), 0);
  EXPECT_EQ(CheckedCos(-1e19L), 0);
  EXPECT_EQ(CheckedSqrtAbs(-16), 4);
  EXPECT_EQ(CheckedCos(0), 1);
  EXPECT_EQ(RoundToDouble(0.1L), static_cast<long double>(0.1));
}

}  // namespace
}  // namespace brevano

// Shared helpers of the simplifier tests: a decimal-separator guard and separator-parameterised cases.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <type_traits>

#include "engine/numbers.h"

namespace brevano::testing {

/// Sets the decimal separator for the guard's lifetime and restores the previous one.
class SeparatorGuard {
 public:
  explicit SeparatorGuard(char separator) : saved_(DecimalSeparator()) { SetDecimalSeparator(separator); }
  ~SeparatorGuard() { SetDecimalSeparator(saved_); }
  SeparatorGuard(const SeparatorGuard&) = delete;
  SeparatorGuard& operator=(const SeparatorGuard&) = delete;

 private:
  char saved_;
};

/// A case that runs once per decimal separator; every "." in its texts stands for the separator.
template <class Case>
class SeparatorTest : public ::testing::TestWithParam<std::tuple<Case, char>> {
 protected:
  const Case& TestCase() const { return std::get<0>(this->GetParam()); }
  char Separator() const { return std::get<1>(this->GetParam()); }
  /// The text with every "." replaced by the separator under test.
  std::string Localized(std::string text) const {
    for (char& c : text) {
      if (c == '.') c = Separator();
    }
    return text;
  }

 private:
  SeparatorGuard guard_{std::get<1>(this->GetParam())};
};

/// Test name of a separator-parameterised case: the case's name and the separator's.
template <class Case>
std::string SeparatorCaseName(const ::testing::TestParamInfo<std::tuple<Case, char>>& info) {
  return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) == '.' ? "_Point" : "_Comma");
}

/// Instantiates a separator-parameterised suite over a case table, under "." and ",".
#define BREVANO_SEPARATOR_CASES(prefix, suite, table)                                                   \
  INSTANTIATE_TEST_SUITE_P(prefix, suite,                                                               \
                           ::testing::Combine(::testing::ValuesIn(table), ::testing::Values('.', ',')), \
                           ::brevano::testing::SeparatorCaseName<std::remove_cvref_t<decltype(table[0])>>)

}  // namespace brevano::testing

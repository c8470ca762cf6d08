// "Go to row" addresses: a row index or an assignment of the variables, read into a row of a table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace brevano {

/// Why a text names no row; the window words the message, `text` and `value` fill it in.
struct RowAddressError {
  enum class Kind {
    kUsage,            ///< empty, or neither digits nor an assignment
    kNoSuchRow,        ///< digits past the last row; `text` holds them
    kNotAssignment,    ///< a part without "="; `text` is the rest of the input from it
    kMissingName,      ///< "=" with no name before it
    kUnknownVariable,  ///< `text` is the (upper-cased) name
    kBadValue,         ///< `text` is the name, `value` what was given for it
  };
  Kind kind = Kind::kUsage;
  std::string text;
  std::string value;
};

/// The row `text` names in a table of `rows` rows (at least 1) over `variables` (most significant
/// first): a 0-based row index (digits, perhaps grouped by threes as in "1,048,575"), or assignments
/// "NAME=VALUE" separated by blanks, commas or semicolons, where a name may hold blanks, is matched without
/// regard to case, a value is 0, 1, F or T, variables not named are 0 and the last assignment of a name wins.
std::variant<std::uint64_t, RowAddressError> ParseRowAddress(std::string_view text,
                                                             const std::vector<std::string>& variables,
                                                             std::uint64_t rows);

/// The assignment of `row` over `variables` (most significant first): "A=0 B=1 C=1".
std::string RowAssignmentText(const std::vector<std::string>& variables, std::uint64_t row);

/// An example assignment for messages: "A=1 B=0" with the first two variables.
std::string RowAddressExample(const std::vector<std::string>& variables);

}  // namespace brevano

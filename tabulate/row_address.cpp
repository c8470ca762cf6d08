// Reading "Go to row" text: digits (grouped or not) are a row index, anything with "=" is a list of
// assignments.
#include "tabulate/row_address.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace brevano {

namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }
bool Separator(char c) { return Blank(c) || c == ',' || c == ';'; }

std::string_view Trimmed(std::string_view text) {
  // The blanks a line edit may carry around the text: spaces, tabs and line ends.
  const auto space = [](char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
  };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  return text;
}

std::variant<std::uint64_t, RowAddressError> RowIndex(std::string_view digits, std::uint64_t rows) {
  std::uint64_t row = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), row);
  if (error != std::errc() || end != digits.data() + digits.size() || row >= rows) {
    return RowAddressError{RowAddressError::Kind::kNoSuchRow, std::string(digits), {}};
  }
  return row;
}

// The digits of a number written with digit grouping, as the window writes row counts: one to
// three digits, then groups of three, each after the same separator (",", ".", "'", a space, a
// no-break or a thin space). None when `text` is not such a number.
std::optional<std::string> Ungrouped(std::string_view text) {
  static constexpr std::string_view kSeparators[] = {",",           ".", "'", " ", "\xC2\xA0", "\xE2\x80\xAF",
                                                     "\xE2\x80\x89"};
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  std::size_t lead = 0;
  while (lead < text.size() && digit(text[lead])) ++lead;
  if (lead == 0 || lead > 3 || lead == text.size()) return std::nullopt;
  for (std::string_view separator : kSeparators) {
    std::string digits(text.substr(0, lead));
    std::size_t pos = lead;
    while (pos < text.size() && text.substr(pos, separator.size()) == separator) {
      const std::string_view group = text.substr(pos + separator.size(), 3);
      if (group.size() != 3 || !std::all_of(group.begin(), group.end(), digit)) break;
      digits += group;
      pos += separator.size() + 3;
    }
    if (pos == text.size() && digits.size() > lead) return digits;
  }
  return std::nullopt;
}

// One "NAME=VALUE" from `pos` (at its first character): sets or clears the variable's bit of `row`.
std::variant<std::size_t, RowAddressError> Assign(std::string_view input, std::size_t pos,
                                                  const std::vector<std::string>& variables,
                                                  std::uint64_t& row) {
  using Kind = RowAddressError::Kind;
  const std::size_t equals = input.find('=', pos);
  if (equals == std::string_view::npos)
    return RowAddressError{Kind::kNotAssignment, std::string(input.substr(pos)), {}};
  std::string name(input.substr(pos, equals - pos));
  while (!name.empty() && Blank(name.back())) name.pop_back();
  for (char& c : name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  pos = equals + 1;
  while (pos < input.size() && Blank(input[pos])) ++pos;
  const std::size_t valueStart = pos;
  while (pos < input.size() && !Separator(input[pos])) ++pos;
  const std::string value(input.substr(valueStart, pos - valueStart));
  if (name.empty()) return RowAddressError{Kind::kMissingName, {}, {}};
  const auto found = std::find(variables.begin(), variables.end(), name);
  if (found == variables.end()) return RowAddressError{Kind::kUnknownVariable, name, {}};
  int bit;
  if (value == "1" || value == "T" || value == "t") {
    bit = 1;
  } else if (value == "0" || value == "F" || value == "f") {
    bit = 0;
  } else {
    return RowAddressError{Kind::kBadValue, name, value};
  }
  const auto shift = static_cast<int>(variables.end() - found) - 1;
  const std::uint64_t mask = std::uint64_t{1} << shift;
  row = bit ? (row | mask) : (row & ~mask);
  return pos;
}

}  // namespace

std::variant<std::uint64_t, RowAddressError> ParseRowAddress(std::string_view text,
                                                             const std::vector<std::string>& variables,
                                                             std::uint64_t rows) {
  const std::string_view input = Trimmed(text);
  if (input.empty()) return RowAddressError{};
  if (std::all_of(input.begin(), input.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return RowIndex(input, rows);
  }
  if (const std::optional<std::string> digits = Ungrouped(input)) {
    auto row = RowIndex(*digits, rows);
    if (auto* error = std::get_if<RowAddressError>(&row)) error->text = std::string(input);
    return row;
  }
  if (input.find('=') == std::string_view::npos) return RowAddressError{};

  std::uint64_t row = 0;
  std::size_t pos = 0;
  while (true) {
    while (pos < input.size() && Separator(input[pos])) ++pos;
    if (pos == input.size()) return row;
    auto next = Assign(input, pos, variables, row);
    if (auto* error = std::get_if<RowAddressError>(&next)) return std::move(*error);
    pos = std::get<std::size_t>(next);
  }
}

std::string RowAddressExample(const std::vector<std::string>& variables) {
  if (variables.empty()) return "A=1";
  if (variables.size() == 1) return variables[0] + "=1";
  return variables[0] + "=1 " + variables[1] + "=0";
}

std::string RowAssignmentText(const std::vector<std::string>& variables, std::uint64_t row) {
  std::string text;
  const std::size_t count = variables.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) text += ' ';
    text += variables[i] + '=' + static_cast<char>('0' + ((row >> (count - 1 - i)) & 1));
  }
  return text;
}

}  // namespace brevano

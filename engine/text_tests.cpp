// Classification of node texts: numbers and atoms (plain symbols).
#include "engine/text_tests.h"

#include <string>

namespace brevano {

namespace {

void EraseFirst(std::string& text, std::string_view what) {
  if (auto pos = text.find(what); pos != std::string::npos) text.erase(pos, what.size());
}

}  // namespace

bool IsNumberText(std::string_view text) {
  std::string rest(text);
  EraseFirst(rest, "E-");
  EraseFirst(rest, "E+");
  for (std::size_t i = 0; i < rest.size(); ++i) {
    const char c = rest[i];
    const bool digit = c >= '0' && c <= '9';
    const bool sign = c == '-' && i == 0 && rest.size() > 1;
    if (!digit && c != '.' && c != ',' && !sign) return false;
  }
  return true;
}

bool IsAtomText(std::string_view text) {
  return text.find_first_of("@+-*/\\><=") == std::string_view::npos && !IsNumberText(text);
}

}  // namespace brevano

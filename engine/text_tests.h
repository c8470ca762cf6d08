// Classification of node texts: numbers and atoms (plain symbols).
#pragma once

#include <string_view>

namespace brevano {

/// True when the text, after dropping its first "E-" and then its first "E+", holds only digits,
/// "." and "," (and a leading "-" in a text longer than one character). The empty text is a number.
bool IsNumberText(std::string_view text);

/// True when the text holds none of "@+-*/\><=" and is not a number text.
bool IsAtomText(std::string_view text);

}  // namespace brevano

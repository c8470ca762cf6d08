// A literal, recursive, copying parser that follows the parsing rules step by step: the oracle
// that the indexed parser is checked against.
#pragma once

#include <string>

namespace brevano::testing {

/// Removes enclosing parentheses by repeated scans, as the stripping rule describes it.
std::string ReferenceStripOuterParens(std::string text);

/// Parses `text` into an empty root and prints every top-level node joined by " | ".
std::string ReferenceParseToNotation(const std::string& text);

}  // namespace brevano::testing

// Random Boolean expressions typed as people type them: the inputs of the differential check.
#pragma once

#include <cstdint>
#include <string>

namespace brevano::testing {

/// The text number `index` of the series `seed`: a random function over a few names written with
/// the parentheses it needs, now and then redundant ones, blanks in one of several habits (none,
/// around operators, around "+" only, anywhere), lower, upper or mixed case, constants, long
/// names, nested not(...), and in about one text in twenty a construct the table ignores or
/// reads differently (other operators and functions, other notations' signs, "," "'" "TRUE", a
/// later statement, an unpaired parenthesis). The same seed and index always give the same text.
std::string TypedText(std::uint64_t seed, std::uint64_t index);

}  // namespace brevano::testing

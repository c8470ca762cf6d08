// Checks of the typed text itself, before any parsing: parentheses and brackets that do not pair.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brevano {

/// One sentence for each kind of unpaired parenthesis or bracket in `typed`: the first closing one
/// without an opening one, and the opening ones never closed. Empty when everything pairs.
std::vector<std::string> PairingWarnings(std::string_view typed);

}  // namespace brevano

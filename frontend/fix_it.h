// The reading a user most likely meant by a text the table reads otherwise: blanks beside names,
// constants and parentheses dropped, padded constants written as 0 and 1, the signs and words of
// other notations written in the program's syntax, commas between arguments made ";".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "frontend/diagnosis.h"

namespace brevano {

/// `typed` rewritten as its writer most likely meant it: blanks (line breaks included) dropped,
/// a blank between two operands read as "*", "and", "or", "xor", "&", "|", "^", "∧", "∨", "⊕" …
/// written as *, + and /, "not a", "!a", "¬a", "~a" and "a'" as not(a), TRUE and FALSE, "1.0", "01"
/// as 1 and 0, "a→b", "a↔b", "a==b", "a⊼b", "a⊽b" (one a level) as not(a)+b, not(a/b), not(a*b),
/// not(a+b), and "," between the arguments of diff(…) as ";". None when the text holds what has no
/// likely meaning here (other operators, indices, later statements, unpaired parentheses, a
/// blank with a tab between two operands, as in rows pasted from a table) or when nothing changes.
std::optional<std::string> RewrittenAsMeant(std::string_view typed);

/// Sets `diagnosis.suggestion` (of the table of `typed`) to the text RewrittenAsMeant gives when
/// that text tabulates (within `maxVariables`) with fewer warnings, each one of `diagnosis`'s:
/// it mends some and adds none. Recursive: run it on the large stack.
void SuggestCorrection(std::string_view typed, Diagnosis& diagnosis, int maxVariables);

/// For a text whose table cannot be built: the text RewrittenAsMeant gives when that text tabulates
/// (within `maxVariables`) without an error and without a warning; none otherwise. Recursive: run
/// it on the large stack.
std::optional<std::string> SuggestionAfterError(std::string_view typed, int maxVariables);

}  // namespace brevano

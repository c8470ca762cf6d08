// Whether a named law gives one line of a derivation from the line before.
#pragma once

#include <optional>
#include <string>

#include "explain/law_expression.h"

namespace brevano {

/// The law of KnownLaws that `text` names (case aside, "De Morgan's law" names "De Morgan"), if any.
std::optional<std::string> LawNamed(const std::string& text);

/// Whether `law` (a name of KnownLaws) turns `before` into `after` or back, applied at one or a few
/// places (or at every place at once), terms and factors taken in any order and grouping: true or
/// false, or none when the search was too large to tell.
std::optional<bool> LawGivesStep(const std::string& law, const LawExpr& before, const LawExpr& after);

}  // namespace brevano

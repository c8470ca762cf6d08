// What each listing line that the table ignores or reads oddly stands for, in one sentence.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/expr_tree.h"
#include "frontend/folded_constants.h"
#include "frontend/listed_lines.h"

namespace brevano {

/// True when `text`, read as a number, is 0 or 1 although it is not written "0" or "1" ("1.0").
bool IsDisguisedConstant(const std::string& text);

/// Why the leaf of `line` gives the table no truth value, as a clause ("2 is a number, neither 0 nor 1").
std::string NoValueReason(const ListedLine& line, const FoldedConstants& folded);

/// Context of the line checks.
struct LineContext {
  std::string_view typed;
  const FoldedConstants& folded;
  bool unpaired;   ///< the typed text has unpaired parentheses: their consequences are not repeated
  bool misclosed;  ///< a call is read up to a character after its ")": the ")" in a name is explained
  /// The lines are of a part the simplifier drops: what the table would read differently changes
  /// nothing, only what it cannot read at all is told.
  bool dropped = false;
};

/// One warning per line (in order) that the table ignores (numbers other than 0 and 1, other
/// operators and functions, empty operands) or takes for a variable although it hardly is one
/// (numbers beside a blank, indexed names, ":", names holding blanks, commas, parentheses, other
/// notations' logic signs or operator look-alikes).
std::vector<std::string> LineWarnings(const std::vector<ListedLine>& lines, const LineContext& context);

}  // namespace brevano

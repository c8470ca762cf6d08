// The text of a "don't care" expression read for a table, the same way for the window and the command line.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "tabulate/tabulation.h"

namespace brevano {

/// A don't-care expression as read: its table (none for a blank text), its warnings, or the error
/// that makes it unusable.
struct DontCareInput {
  std::optional<TruthTable> table;
  std::vector<std::string> warnings;
  std::string error;
  /// True when the text can be used (a blank text included).
  bool Usable() const { return error.empty(); }
};

/// Reads `text` as an expression is read (at most `maxLength` bytes, through the front end, on the
/// large stack) for the table whose columns are `columns`. A blank text means no don't-cares. Its
/// variables must be among `columns`: a variable the table lacks is an error that names it, since
/// the rows of the table would otherwise change under the user.
DontCareInput ReadDontCare(const std::string& text, const std::vector<std::string>& columns,
                           std::size_t maxLength);

}  // namespace brevano

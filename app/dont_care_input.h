// The "Don't care:" expression of a dialog read into a table, and checked against the table it qualifies.
#pragma once

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

/// Reads `text` as the expression box is read (at most `maxLength` characters, through the front
/// end, on the large stack); its variables must be among `columns`, the table's.
DontCareInput ReadDontCare(const std::string& text, const std::vector<std::string>& columns,
                           std::size_t maxLength);

}  // namespace brevano

// The Boolean function a listing computes, written back in the program's syntax.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "frontend/listed_lines.h"

namespace brevano {

/// What the table's evaluation of a listing amounts to.
struct StackReading {
  /// The Result column as an expression over the table's column names: only +, *, /, not(...),
  /// 0 and 1; constants folded as truth values, parentheses wherever the parser's grouping needs
  /// them, and a name that is a number led by a blank, so that it reads back as the same function.
  std::string evaluatedAs;
  /// The values left on the stack above the result, bottom first, in the same syntax.
  std::vector<std::string> unusedParts;
  /// How many values were left unused in all (unusedParts holds at most the first few).
  std::size_t unusedCount = 0;
};

/// Runs the listing of `lines` as the table does, on expressions instead of values. The listing
/// must be well formed (no operator without its operands).
StackReading ReadStack(const std::vector<ListedLine>& lines, std::size_t maxUnusedParts = 3);

}  // namespace brevano

// The plain tabulation, line by line on strings and a byte stack: the reference the fast paths
// are checked and measured against.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/listing.h"
#include "tabulate/tabulation.h"

namespace brevano::testing {

/// Walks the assignments of a listing in counting order and evaluates each the plain way: every
/// line normalised again in every pass, the stack slots kept from row to row.
class ReferenceTabulator {
 public:
  /// Collects and sorts the variables; every value starts at 0.
  explicit ReferenceTabulator(const Listing& listing);

  /// The sorted variables.
  const std::vector<std::string>& Variables() const { return variables_; }
  /// The current assignment, one value per variable.
  const std::vector<std::uint8_t>& Values() const { return values_; }
  /// The result of the current assignment; raises EngineError when a line takes a value from an
  /// empty stack.
  int Evaluate();
  /// Moves to the next assignment; false (and no change) when every value is 1.
  bool Advance();

 private:
  const Listing& listing_;
  std::vector<std::string> variables_;
  std::vector<std::uint8_t> values_;
  std::vector<std::uint8_t> slots_;
};

/// The captions and the cell texts of every row, computed by ReferenceTabulator.
struct ReferenceTable {
  std::vector<std::string> captions;
  std::vector<std::vector<std::string>> rows;
};

/// The whole table of `listing` in `mode`.
ReferenceTable TabulateByReference(const Listing& listing, DisplayMode mode);

}  // namespace brevano::testing

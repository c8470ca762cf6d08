// The rows of each kind of a function with don't-cares as decision diagrams in one order: what
// every engine that builds them hands on, whether from a table's programs or from cubes.
#pragma once

#include <memory>
#include <vector>

#include "diagram/diagram.h"

namespace brevano {

/// The rows of a function with don't-cares as diagrams in one order.
struct FunctionDiagrams {
  DiagramStatus status = DiagramStatus::kStopped;
  /// The table column of each level.
  std::vector<int> order;
  /// The rows where the function is 1 (outside the don't-cares).
  std::shared_ptr<const Diagram> ones;
  /// The rows where it is 0 outside the don't-cares, and the don't-care rows. Either may be null
  /// for a function without don't-cares, whose zeros are then those of `ones`.
  std::shared_ptr<const Diagram> zeros, dontCares;
};

}  // namespace brevano

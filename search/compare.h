// The comparison of two tables: the first row where they differ, or that they are equivalent.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sat/sat_search.h"

namespace brevano {

/// The comparison of two programs over the union of their variables.
struct TableComparison {
  /// kOutOfTime when neither the diagrams nor the solver answered within budget.
  SatStatus status = SatStatus::kAnswered;
  std::vector<std::string> variables;  ///< the union, in table order
  bool equivalent = false;
  /// When not equivalent: the first row, over `variables`, where the two differ, and the Result of
  /// each there.
  std::uint64_t row = 0;
  int firstResult = 0;
  int secondResult = 0;
  /// The solver, to go on with after kOutOfTime.
  std::shared_ptr<DifferenceSolver> solver;
};

}  // namespace brevano

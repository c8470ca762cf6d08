// The comparison of two tables that picks its way: the solver's miter and the decision diagrams at
// once, the first to answer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sat/sat_search.h"
#include "search/row_search.h"

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

/// Compares two programs: the solver on this thread, the diagrams built beside it; with `goOn`
/// (the solver of an earlier comparison of the same two that ran out of time), that solver alone
/// goes on. `progress` gets the milliseconds spent of the budget; false stops. Raises EngineError
/// when together they have more than 63 variables.
TableComparison CompareTables(const CompiledProgram& first, const CompiledProgram& second,
                              const SearchLimits& limits = {}, const ProgressCallback& progress = {},
                              std::shared_ptr<DifferenceSolver> goOn = {});

}  // namespace brevano

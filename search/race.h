// The solver and a decision diagram on one question at once: the first to answer settles it.
#pragma once

#include <chrono>
#include <functional>

#include "budget/budget.h"
#include "diagram/diagram.h"

namespace brevano::search_detail {

/// How a race ended.
struct RaceEnd {
  bool solverAnswered = false;
  DiagramStatus diagram = DiagramStatus::kStopped;  ///< kBuilt when the diagram has the answer
  bool stopped = false;                             ///< the caller stopped it
};

/// Runs `solve` on this thread and, when given, `build` on another once the solver has had a short
/// head start (most questions end within it, and the diagram is then never built). Each is handed
/// a budget to poll as its stop, which stops once the other has answered or the caller stopped;
/// the solver's has the time `solverTime`. `solve` returns true when it answered, `build` how the
/// diagram's work ended. The race ends when both have returned. `caller`'s progress, heard on this
/// thread only, gets the milliseconds spent of its time; false stops.
RaceEnd Race(const std::function<bool(const Budget&)>& solve,
             const std::function<DiagramStatus(const Budget&)>& build, std::chrono::milliseconds solverTime,
             const Budget& caller);

}  // namespace brevano::search_detail

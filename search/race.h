// The solver and a decision diagram on one question at once: the first to answer settles it.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>

#include "diagram/diagram.h"
#include "tabulate/bit_parallel.h"

namespace brevano {

/// A stop for the solver or a diagram job that hands the milliseconds spent of a budget to a
/// progress callback now and then (at most every 10 ms) and stops once the callback says so. Call
/// it from one thread; Stopped() from any.
class TimedProgress {
 public:
  TimedProgress(std::chrono::milliseconds budget, ProgressCallback progress);

  /// True once stopped.
  bool operator()();
  void Stop() { stopped_.store(true); }
  bool Stopped() const { return stopped_.load(); }

 private:
  using Clock = std::chrono::steady_clock;
  std::chrono::milliseconds budget_;
  ProgressCallback progress_;
  Clock::time_point start_, last_;
  std::atomic<bool> stopped_{false};
};

}  // namespace brevano

namespace brevano::search_detail {

/// How a race ended.
struct RaceEnd {
  bool solverAnswered = false;
  DiagramStatus diagram = DiagramStatus::kStopped;  ///< kBuilt when the diagram has the answer
  bool stopped = false;                             ///< the caller stopped it
};

/// A stop polled by the side it is given to: true once the other side answered or the caller
/// stopped.
using RaceStop = std::function<bool()>;

/// Runs `solve` on this thread and, when given, `build` on another once the solver has had a short
/// head start (most questions end within it, and the diagram is then never built). Each polls its
/// stop, which turns true once the other has answered or the caller stopped; `solve` returns true
/// when it answered, `build` how the diagram's work ended. The race ends when both have returned.
/// `progress`, called on this thread only, gets the milliseconds spent of `budget`; false stops.
RaceEnd Race(const std::function<bool(const RaceStop&)>& solve,
             const std::function<DiagramStatus(const RaceStop&)>& build, std::chrono::milliseconds budget,
             const ProgressCallback& progress);

}  // namespace brevano::search_detail

// The race of the solver on this thread against a diagram built beside it.
#include "search/race.h"

#include <atomic>
#include <future>
#include <thread>

namespace brevano::search_detail {

namespace {

using Clock = std::chrono::steady_clock;

// How long the solver works alone before the diagram is built beside it.
constexpr std::chrono::milliseconds kSolverHeadStart{50};
// The solver polls its stop very often; the caller hears of the time spent this often at most.
constexpr std::chrono::milliseconds kCallerPollInterval{10};

}  // namespace

RaceEnd Race(const std::function<bool(const Budget&)>& solve,
             const std::function<DiagramStatus(const Budget&)>& build, std::chrono::milliseconds solverTime,
             const Budget& caller) {
  RaceEnd end;
  if (caller.Stopped()) {  // stopped before it began: neither side starts
    end.stopped = true;
    return end;
  }
  // The solver's stop polls the caller (whose progress is heard on this thread); the diagram's
  // only reads whether the caller stopped.
  const Budget solverSide(solverTime, caller.Polling(kCallerPollInterval));
  if (!build) {
    end.solverAnswered = solve(solverSide);
    end.stopped = !end.solverAnswered && caller.Stopped();
    return end;
  }
  const Budget diagramSide(Budget::kNoLimit, {}, &caller);
  std::atomic<bool> solverDone{false};
  std::future<DiagramStatus> diagram = std::async(std::launch::async, [&] {
    // Most questions the solver settles within its head start; the diagram joins only after it.
    const auto joins = Clock::now() + kSolverHeadStart;
    while (Clock::now() < joins && !solverDone.load() && !diagramSide.Stopped())
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (diagramSide.Stopped()) return DiagramStatus::kStopped;
    const DiagramStatus status = build(diagramSide);
    if (status == DiagramStatus::kBuilt) solverSide.Stop();
    return status;
  });
  try {
    end.solverAnswered = solve(solverSide);
  } catch (...) {
    caller.Stop();
    diagram.wait();
    throw;
  }
  if (end.solverAnswered) diagramSide.Stop();
  solverDone.store(true);
  while (diagram.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) caller.Poll();
  end.diagram = diagram.get();
  end.stopped = caller.Stopped();
  return end;
}

}  // namespace brevano::search_detail

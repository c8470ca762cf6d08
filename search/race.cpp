// The race of the solver on this thread against a diagram built beside it.
#include "search/race.h"

#include <atomic>
#include <future>
#include <thread>

namespace brevano {

TimedProgress::TimedProgress(std::chrono::milliseconds budget, ProgressCallback progress)
    : budget_(budget), progress_(std::move(progress)), start_(Clock::now()), last_(start_) {}

bool TimedProgress::operator()() {
  if (stopped_.load() || !progress_) return stopped_.load();
  const auto now = Clock::now();
  if (now - last_ < std::chrono::milliseconds(10)) return false;
  last_ = now;
  const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(now - start_).count();
  const auto total = static_cast<std::uint64_t>(budget_.count());
  if (!progress_(std::min(static_cast<std::uint64_t>(spent), total), total)) stopped_.store(true);
  return stopped_.load();
}

}  // namespace brevano

namespace brevano::search_detail {

namespace {

using Clock = std::chrono::steady_clock;

// How long the solver works alone before the diagram is built beside it.
constexpr std::chrono::milliseconds kSolverHeadStart{50};

}  // namespace

RaceEnd Race(const std::function<bool(const RaceStop&)>& solve,
             const std::function<DiagramStatus(const RaceStop&)>& build, std::chrono::milliseconds budget,
             const ProgressCallback& progress) {
  TimedProgress caller(budget, progress);
  RaceEnd end;
  if (!build) {
    end.solverAnswered = solve([&caller] { return caller(); });
    end.stopped = !end.solverAnswered && caller.Stopped();
    return end;
  }
  std::atomic<bool> solverDone{false}, solverAnswered{false}, diagramBuilt{false};
  std::future<DiagramStatus> diagram = std::async(std::launch::async, [&] {
    // Most questions the solver settles within its head start; the diagram joins only after it.
    const auto joins = Clock::now() + kSolverHeadStart;
    while (Clock::now() < joins && !solverDone.load() && !caller.Stopped())
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (solverAnswered.load()) return DiagramStatus::kStopped;
    const DiagramStatus status = build([&] { return solverAnswered.load() || caller.Stopped(); });
    if (status == DiagramStatus::kBuilt) diagramBuilt.store(true);
    return status;
  });
  try {
    end.solverAnswered = solve([&] { return caller() || diagramBuilt.load(); });
  } catch (...) {
    caller.Stop();
    diagram.wait();
    throw;
  }
  solverAnswered.store(end.solverAnswered);
  solverDone.store(true);
  while (diagram.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) caller();
  end.diagram = diagram.get();
  end.stopped = caller.Stopped();
  return end;
}

}  // namespace brevano::search_detail

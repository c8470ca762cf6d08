// The race of the solver on this thread against a diagram built beside it.
#include "search/race.h"

#include <atomic>
#include <future>

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
  std::atomic<bool> solverAnswered{false}, diagramBuilt{false};
  std::future<DiagramStatus> diagram = std::async(std::launch::async, [&] {
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
  while (diagram.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) caller();
  end.diagram = diagram.get();
  end.stopped = caller.Stopped();
  return end;
}

}  // namespace brevano::search_detail

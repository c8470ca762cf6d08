// When a long search stops: the caller may stop it, and a time budget ends it early.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace brevano {

/// Called now and then with the work done and the work expected; returning false stops it.
using StepProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

/// Shared by the stages of one minimisation. Stopping (through the callback) is final and
/// leaves no result; running out of time only tells a search to settle for the best it has.
class SearchControl {
 public:
  using Clock = std::chrono::steady_clock;

  /// Starts the clock; `budget` is the time the whole minimisation may take.
  SearchControl(Clock::duration budget, StepProgress progress);

  /// Counts one step of a search; false once the search must stop (stopped or out of time).
  bool Tick();
  /// The same for a long step: reads the clock every time.
  bool LongTick();
  /// Reports progress of a stage with a measurable amount of work; false once stopped.
  bool Report(std::uint64_t done, std::uint64_t total);

  /// True once the callback asked to stop.
  bool Stopped() const { return stopped_; }
  /// True once the time budget is spent (checked in Tick and Report).
  bool TimeUp() const { return timeUp_; }

 private:
  void CheckClock(Clock::time_point now);

  Clock::time_point start_;
  Clock::time_point deadline_;
  Clock::time_point lastReport_;
  StepProgress progress_;
  std::uint64_t ticks_ = 0;
  bool stopped_ = false;
  bool timeUp_ = false;
};

}  // namespace brevano

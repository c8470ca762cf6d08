// How long a piece of work may run, who hears of its progress, and who may stop it.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>

namespace brevano {

/// Called now and then with the work done and the work expected; returning false stops the work.
using Progress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

/// The budget of one piece of work: the time it may take, a progress that hears of it and may stop
/// it, and optionally an outer budget whose stop it shares. Stopping (by the progress, by Stop or
/// by the outer budget) is final; running out of time only tells a search to settle for the best it
/// has, and engines with time limits of their own read Time() rather than the clock.
///
/// The progress is called on the thread that ticks, reports or polls; Stop and Stopped are safe
/// from any thread, so a budget whose outer one is polled elsewhere can stop a job on another
/// thread. Its bookkeeping changes as it is polled, which is why engines take it as const.
class Budget {
 public:
  using Clock = std::chrono::steady_clock;
  /// The time of a budget without a time limit.
  static constexpr Clock::duration kNoLimit = Clock::duration::max();

  /// No time limit and no progress: stops only when Stop is called.
  Budget() : Budget(kNoLimit) {}
  /// Starts the clock; `outer`, when given, must outlive this budget.
  explicit Budget(Clock::duration time, Progress progress = {}, const Budget* outer = nullptr);
  Budget(const Budget&) = delete;
  Budget& operator=(const Budget&) = delete;

  /// Counts one step of a search; false once the search must stop (stopped or out of time).
  bool Tick();
  /// The same for a long step: reads the clock every time.
  bool LongTick();
  /// Hands `done` of `total` to the progress; false once stopped.
  bool Report(std::uint64_t done, std::uint64_t total) const;
  /// The stop of a diagram or solver job: hands the time spent of this budget (in milliseconds) to
  /// the progress, and is true once stopped.
  bool Poll() const;
  /// Stops the work; from any thread.
  void Stop() const { stopped_.store(true, std::memory_order_relaxed); }

  /// True once stopped, here or in the outer budget; from any thread.
  bool Stopped() const;
  /// True once the time is spent (checked in Tick, LongTick and Report).
  bool TimeUp() const { return timeUp_.load(std::memory_order_relaxed); }

  /// The time the work may take.
  Clock::duration Time() const { return time_; }
  /// The time that is left (none once it is spent).
  Clock::duration Left() const;
  /// `Time()` after `start`, saturating: a budget without a limit never ends.
  Clock::time_point EndAfter(Clock::time_point start) const;

  /// Tags the stage under way, for a progress that tells the stages apart.
  void SetStage(int stage) const { stage_.store(stage, std::memory_order_relaxed); }
  /// The stage last tagged (0 until one is).
  int Stage() const { return stage_.load(std::memory_order_relaxed); }

  /// A progress that passes what it hears on to Report.
  Progress Reporting() const;
  /// A progress that polls this budget at most every `every` (the first time `every` after it is
  /// made), and only reads whether it stopped in between: for stops polled very often.
  Progress Polling(Clock::duration every) const;

 private:
  void CheckClock(Clock::time_point now) const;

  Clock::time_point start_;
  Clock::duration time_;
  Clock::time_point deadline_;
  Progress progress_;
  const Budget* outer_;
  Clock::time_point lastReport_;
  std::uint64_t ticks_ = 0;
  mutable std::atomic<bool> stopped_{false};
  mutable std::atomic<bool> timeUp_{false};
  mutable std::atomic<int> stage_{0};
};

}  // namespace brevano

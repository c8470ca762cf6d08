// The stop decisions of long searches: a stopping callback and a time budget.
#include "minimise/search_control.h"

#include <algorithm>

namespace brevano {

namespace {

// Steps between two looks at the clock, and time between two calls of the callback from Tick.
constexpr std::uint64_t kTicksPerClockCheck = 256;
constexpr auto kReportInterval = std::chrono::milliseconds(50);

}  // namespace

SearchControl::SearchControl(Clock::duration budget, StepProgress progress)
    : start_(Clock::now()), deadline_(start_ + budget), lastReport_(start_), progress_(std::move(progress)) {}

void SearchControl::CheckClock(Clock::time_point now) {
  if (now >= deadline_) timeUp_ = true;
}

bool SearchControl::Tick() {
  if (++ticks_ % kTicksPerClockCheck != 0) return !stopped_ && !timeUp_;
  const Clock::time_point now = Clock::now();
  CheckClock(now);
  if (progress_ && now - lastReport_ >= kReportInterval) {
    lastReport_ = now;
    using std::chrono::duration_cast;
    using std::chrono::milliseconds;
    const auto elapsed = static_cast<std::uint64_t>(duration_cast<milliseconds>(now - start_).count());
    const auto budget = static_cast<std::uint64_t>(duration_cast<milliseconds>(deadline_ - start_).count());
    if (!progress_(std::min(elapsed, budget), budget)) stopped_ = true;
  }
  return !stopped_ && !timeUp_;
}

bool SearchControl::LongTick() {
  CheckClock(Clock::now());
  return Tick();
}

bool SearchControl::Report(std::uint64_t done, std::uint64_t total) {
  CheckClock(Clock::now());
  if (progress_ && !progress_(done, total)) stopped_ = true;
  return !stopped_;
}

}  // namespace brevano

// The budget of long work: its clock, its progress and its stop.
#include "budget/budget.h"

#include <algorithm>

namespace brevano {

namespace {

// Steps between two looks at the clock, and time between two calls of the progress from Tick.
constexpr std::uint64_t kTicksPerClockCheck = 256;
constexpr auto kReportInterval = std::chrono::milliseconds(50);

std::uint64_t Milliseconds(Budget::Clock::duration duration) {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(duration).count());
}

}  // namespace

Budget::Budget(Clock::duration time, Progress progress, const Budget* outer)
    : start_(Clock::now()),
      time_(std::max(time, Clock::duration::zero())),
      deadline_(EndAfter(start_)),
      progress_(std::move(progress)),
      outer_(outer),
      lastReport_(start_) {}

void Budget::CheckClock(Clock::time_point now) const {
  if (now >= deadline_) timeUp_.store(true, std::memory_order_relaxed);
}

bool Budget::Stopped() const {
  return stopped_.load(std::memory_order_relaxed) || (outer_ != nullptr && outer_->Stopped());
}

bool Budget::Tick() {
  if (++ticks_ % kTicksPerClockCheck != 0) return !Stopped() && !TimeUp();
  const Clock::time_point now = Clock::now();
  CheckClock(now);
  if (now - lastReport_ >= kReportInterval) {
    lastReport_ = now;
    if (progress_ && !progress_(Milliseconds(std::min(now - start_, time_)), Milliseconds(time_))) Stop();
  }
  return !Stopped() && !TimeUp();
}

bool Budget::LongTick() {
  CheckClock(Clock::now());
  return Tick();
}

bool Budget::Report(std::uint64_t done, std::uint64_t total) const {
  CheckClock(Clock::now());
  if (progress_ && !progress_(done, total)) Stop();
  return !Stopped();
}

bool Budget::Poll() const {
  if (progress_ && !Stopped()) {
    const Clock::duration spent = std::min(Clock::now() - start_, time_);
    if (!progress_(Milliseconds(spent), Milliseconds(time_))) Stop();
  }
  return Stopped();
}

Budget::Clock::duration Budget::Left() const {
  const Clock::time_point now = Clock::now();
  return now >= deadline_ ? Clock::duration::zero() : deadline_ - now;
}

Budget::Clock::time_point Budget::EndAfter(Clock::time_point start) const {
  return time_ >= Clock::time_point::max() - start ? Clock::time_point::max() : start + time_;
}

Progress Budget::Reporting() const {
  return [this](std::uint64_t done, std::uint64_t total) { return Report(done, total); };
}

Progress Budget::Polling(Clock::duration every) const {
  return [this, every, last = Clock::now()](std::uint64_t, std::uint64_t) mutable {
    const Clock::time_point now = Clock::now();
    if (now - last < every) return !Stopped();
    last = now;
    return !Poll();
  };
}

}  // namespace brevano

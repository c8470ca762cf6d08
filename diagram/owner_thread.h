// The one thread that owns the decision-diagram manager, and the budgets of the jobs it runs.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>

#include "budget/budget.h"

namespace brevano::diagram_detail {

/// How a job on the owner thread ended.
enum class JobEnd {
  kDone,        ///< the work ran to its end
  kNodeBudget,  ///< the manager would have grown past the job's node budget (or memory ran out)
  kTimeBudget,  ///< the job's time was up
  kStopped,     ///< the caller stopped waiting
  kFailed,      ///< the manager reported an error of another kind
};

/// How long past its time budget a caller waits for a job.
inline constexpr std::chrono::milliseconds kJobGrace{250};

/// Runs `work` on the owner thread and waits for it. While waiting, polls `stop` about every
/// 10 ms on the calling thread; once it has stopped the job is cancelled and the call returns at
/// once, as it does a little after the time budget: `work` must own what it reads and writes
/// (the job may outlive the call). Budget failures and errors of the manager end the job through
/// an exception thrown inside the manager's calls, after which the manager is reset: `work` must
/// hold nodes only through Ref. Other exceptions of `work` reach the caller.
JobEnd RunOnOwner(const std::function<void()>& work, std::size_t maxNodes, std::chrono::milliseconds time,
                  const Budget& stop);

/// On the owner thread, inside a job: ends the job when it was cancelled or its time is up.
void CheckJob();

/// On the owner thread, inside a job: ends the job at once with `end` (not kDone).
[[noreturn]] void EndJob(JobEnd end);

/// On the owner thread, inside a job: raises the node limit and restarts the clock, for a later
/// stage with its own budget. The new limit must not be below the current one.
void RenewJobBudget(std::size_t maxNodes, std::chrono::milliseconds time);

/// A referenced node of the manager, released when destroyed. Owner thread only.
class Ref {
 public:
  Ref() = default;
  explicit Ref(int node);
  Ref(const Ref& other);
  Ref(Ref&& other) noexcept : node_(other.node_) { other.node_ = 0; }
  Ref& operator=(Ref other) noexcept;
  ~Ref();

  /// The node (0 is the constant 0, 1 the constant 1).
  int Get() const { return node_; }

 private:
  int node_ = 0;
};

}  // namespace brevano::diagram_detail

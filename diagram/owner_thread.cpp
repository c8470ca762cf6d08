// The owner thread of the decision-diagram manager: a job queue, the budget checks, the hooks.
#include "diagram/owner_thread.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <future>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

#include "diagram/buddy.h"

namespace brevano::diagram_detail {

namespace {

using Clock = std::chrono::steady_clock;

// The manager keeps every variable a table can have; unused ones cost two nodes each.
constexpr int kManagerVariables = 63;
constexpr int kInitialNodes = 1 << 14;
constexpr int kInitialCache = 1 << 13;
// The variables' own nodes and room to work: smaller budgets are raised to this.
constexpr std::size_t kMinimumNodes = 1000;
// A manager grown past this many nodes is reset after its job, which gives the memory back.
constexpr int kKeptNodes = 1 << 18;

struct Job {
  std::function<void()> work;
  std::size_t maxNodes = 0;
  std::chrono::milliseconds time{0};
  std::atomic<bool> cancelled{false};
  std::promise<JobEnd> end;
};

// Thrown inside the manager's calls to end a job at once; the manager is reset afterwards.
struct JobStopped {
  JobEnd end;
};

// State of the owner thread; touched by no other thread.
Job* currentJob = nullptr;
Clock::time_point deadline;
bool releasing = false;  // inside Ref's destructor, which must not throw

// The manager's defaults abort on an error and print at every collection. An error ends the job;
// while the stack unwinds (a Ref released after a failure) it is ignored.
void OnError(int code) {
  if (std::uncaught_exceptions() > 0 || currentJob == nullptr || releasing) return;
  throw JobStopped{code == BDD_NODENUM || code == BDD_MEMORY ? JobEnd::kNodeBudget : JobEnd::kFailed};
}

void OnCollection(int starting, bddGbcStat*) {
  if (starting && std::uncaught_exceptions() == 0) CheckJob();
}

void OnResize(int, int) {}

// A manager whose first node table fits well within `maxNodes`.
void StartManager(std::size_t maxNodes) {
  bdd_error_hook(OnError);
  const int initial = static_cast<int>(std::min<std::size_t>(kInitialNodes, maxNodes / 2));
  if (bdd_init(initial, kInitialCache) < 0) throw std::bad_alloc();
  bdd_error_hook(OnError);
  bdd_gbc_hook(OnCollection);
  bdd_resize_hook(OnResize);
  // The default growth step of 50,000 nodes makes large builds collect far too often.
  bdd_setmaxincrease(1 << 24);
  // A cache a quarter of the node table: smaller ones let some operations recompute the same
  // results for many seconds without creating a node (so without a collection to check the clock).
  bdd_setcacheratio(4);
  bdd_setvarnum(kManagerVariables);
}

void ResetManager(std::size_t maxNodes = kInitialNodes * 2) {
  bdd_done();
  StartManager(maxNodes);
}

// Runs one job; every failure leaves a fresh manager behind.
void RunJob(Job& job) {
  if (job.cancelled.load()) {
    job.end.set_value(JobEnd::kStopped);
    return;
  }
  if (static_cast<std::size_t>(bdd_getallocnum()) >= job.maxNodes) ResetManager(job.maxNodes);
  bdd_setmaxnodenum(static_cast<int>(job.maxNodes));
  deadline = Clock::now() + job.time;
  currentJob = &job;
  JobEnd end = JobEnd::kDone;
  std::exception_ptr error;
  try {
    job.work();
  } catch (const JobStopped& stopped) {
    end = stopped.end;
  } catch (const std::bad_alloc&) {
    end = JobEnd::kNodeBudget;
  } catch (...) {
    error = std::current_exception();
  }
  currentJob = nullptr;
  if (end != JobEnd::kDone || error || bdd_getallocnum() > kKeptNodes) ResetManager();
  if (error) {
    job.end.set_exception(error);
  } else {
    job.end.set_value(end);
  }
}

// The owner thread runs for the rest of the process: it is never joined, so that a job that a
// caller gave up on never holds up the process's exit.
class Owner {
 public:
  Owner() {
    std::thread([this] { Loop(); }).detach();
  }

  void Post(std::shared_ptr<Job> job) {
    {
      std::lock_guard lock(mutex_);
      queue_.push_back(std::move(job));
    }
    wake_.notify_one();
  }

 private:
  [[noreturn]] void Loop() {
    StartManager(kInitialNodes * 2);
    while (true) {
      std::shared_ptr<Job> job;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return !queue_.empty(); });
        job = std::move(queue_.front());
        queue_.pop_front();
      }
      RunJob(*job);
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::shared_ptr<Job>> queue_;
};

Owner& TheOwner() {
  static Owner* const owner = new Owner;
  return *owner;
}

}  // namespace

JobEnd RunOnOwner(const std::function<void()>& work, std::size_t maxNodes, std::chrono::milliseconds time,
                  const Budget& stop) {
  auto job = std::make_shared<Job>();
  job->work = work;
  job->maxNodes = std::max(maxNodes, kMinimumNodes);
  job->time = time;
  std::future<JobEnd> end = job->end.get_future();
  TheOwner().Post(job);
  // The manager checks the clock between operations and when it collects garbage; one operation
  // can run longer, so the caller stops waiting a little after the budget and the job ends at
  // its next check.
  const auto giveUp = Clock::now() + time + kJobGrace;
  while (end.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
    if (stop.Poll()) {
      job->cancelled.store(true);
      return JobEnd::kStopped;
    }
    if (Clock::now() > giveUp) {
      job->cancelled.store(true);
      return JobEnd::kTimeBudget;
    }
  }
  return end.get();
}

void CheckJob() {
  if (currentJob == nullptr) return;
  if (currentJob->cancelled.load(std::memory_order_relaxed)) throw JobStopped{JobEnd::kStopped};
  if (Clock::now() > deadline) throw JobStopped{JobEnd::kTimeBudget};
}

void EndJob(JobEnd end) { throw JobStopped{end}; }

void RenewJobBudget(std::size_t maxNodes, std::chrono::milliseconds time) {
  if (static_cast<std::size_t>(bdd_getallocnum()) < maxNodes) bdd_setmaxnodenum(static_cast<int>(maxNodes));
  deadline = Clock::now() + time;
}

Ref::Ref(int node) : node_(bdd_addref(node)) {}

Ref::Ref(const Ref& other) : node_(bdd_addref(other.node_)) {}

Ref& Ref::operator=(Ref other) noexcept {
  std::swap(node_, other.node_);
  return *this;
}

Ref::~Ref() {
  releasing = true;
  bdd_delref(node_);
  releasing = false;
}

}  // namespace brevano::diagram_detail

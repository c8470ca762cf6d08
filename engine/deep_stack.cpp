// Runs work on a thread with a large stack and rethrows what it threw in the caller.
#include "engine/deep_stack.h"

#include <pthread.h>

#include <exception>
#include <stdexcept>

#include "engine/engine_error.h"

namespace brevano {

namespace {

struct Job {
  const std::function<void()>* work;
  std::exception_ptr error;
};

void* RunJob(void* arg) {
  auto* job = static_cast<Job*>(arg);
  try {
    (*job->work)();
  } catch (...) {
    job->error = std::current_exception();
  }
  return nullptr;
}

}  // namespace

void RunWithLargeStack(const std::function<void()>& work) {
  Job job{&work, nullptr};
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, kDeepStackBytes);
  pthread_t thread;
  const int failed = pthread_create(&thread, &attr, RunJob, &job);
  pthread_attr_destroy(&attr);
  if (failed) throw EngineError("Not enough memory to start the calculation");
  pthread_join(thread, nullptr);
  if (job.error) std::rethrow_exception(job.error);
}

}  // namespace brevano

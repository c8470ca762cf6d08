// Long work off the window's thread: progress, stopping, the result back on the window's thread.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QProgressDialog;
class QWidget;

namespace brevano {

/// A job's progress dialog appears once the job has run this long.
inline constexpr std::chrono::milliseconds kProgressDialogDelay{300};

/// Shortest time between two progress notices a job posts to its owning thread.
inline constexpr std::chrono::milliseconds kProgressNoticeInterval{30};

/// What the work sees on its thread: where progress goes and whether it was asked to stop.
class JobControl {
 public:
  /// Records that `done` of `total` units of stage `stage` are done; false once a stop was asked for.
  bool Report(std::uint64_t done, std::uint64_t total, int stage = 0);
  /// True once a stop was asked for.
  bool StopRequested() const { return stop_.load(std::memory_order_relaxed); }

 private:
  friend class BackgroundJob;
  std::atomic<bool> stop_{false};
  std::atomic<int> stage_{0};
  std::atomic<std::uint64_t> done_{0};
  std::atomic<std::uint64_t> total_{0};
  // Progress notices: at most one waits in the owner's queue, and they come kProgressNoticeInterval
  // apart at the most often.
  std::function<void()> notify_;
  std::atomic<bool> noticePending_{false};
  std::chrono::steady_clock::time_point lastNotice_{};
};

/// How the work ended when it threw. The one policy for every job: std::bad_alloc means "not
/// enough memory", any other exception is shown with its own text.
struct JobFailure {
  bool outOfMemory = false;  ///< the work ran out of memory
  QString message;           ///< the exception's own text otherwise
  /// `outOfMemoryText` when the work ran out of memory, else the exception's text.
  QString Text(const QString& outOfMemoryText) const { return outOfMemory ? outOfMemoryText : message; }
};

/// One piece of work at a time on a worker thread, watched from the window's thread.
///
/// The work runs with a JobControl. Its progress reaches the owning thread as queued notices (signal
/// `progressed`), and so does its end: the thread is joined and the end handler called there,
/// exactly once per Start unless the job is cancelled. Notices of an earlier run are dropped.
/// Destroying the job cancels it. A progress dialog with Cancel can be asked for: it appears after
/// kProgressDialogDelay,
/// keeps the input away from the window it covers, and never blocks that window's close button:
/// closing that window cancels the job (or leaves it to the window).
///
/// Typical use, with the work's copy of its input captured by value:
///
///     StartJob<Saved>(*job_, [table](JobControl& control) { return Save(table, control); },
///                     [this](Saved saved) { ShowSaved(saved); },
///                     [this](const JobFailure& failure) { ShowError(failure.Text(kNoMemory)); });
///     job_->ShowProgressDialog(this, tr("Saving…"));
class BackgroundJob : public QObject {
  Q_OBJECT

 public:
  /// The work: runs on the worker thread.
  using Work = std::function<void(JobControl&)>;
  /// Called on the owning thread when the work has ended: no failure, or how it threw.
  using EndHandler = std::function<void(const std::optional<JobFailure>&)>;

  explicit BackgroundJob(QObject* parent = nullptr);
  ~BackgroundJob() override;

  /// Cancels any running work (without `cancelled`) and starts `work`. Waits up to `waitAtStart` for it, so
  /// that short work has ended (and `onEnd` been called) when Start returns.
  void Start(Work work, EndHandler onEnd, std::chrono::milliseconds waitAtStart = {});
  /// True from Start until the end handler ran or the job was cancelled.
  bool Running() const { return state_ != nullptr; }
  /// Asks the work to stop, waits for it and calls the end handler now.
  void Stop();
  /// Asks the work to stop, waits for it and drops it: no end handler; emits `cancelled`.
  void Cancel();
  /// Asks the work to stop and drops it without waiting for it: no end handler, no `cancelled`.
  /// The job deletes itself once the work has returned (at once when none runs).
  void DeleteWhenStopped();

  /// Shows `label`, a progress bar and Cancel over `window` once the job has run long; call
  /// after Start. Closing `window` cancels the job unless `closingCancels` is false (the window
  /// then decides in its own closeEvent).
  void ShowProgressDialog(QWidget* window, const QString& label, bool closingCancels = true);
  /// The dialog, while it is shown.
  QProgressDialog* ProgressDialog() const;

  /// The stage last reported.
  int Stage() const;
  /// Progress last reported, in thousandths (0 before any report).
  int Permille() const;

 signals:
  /// The running work reported progress.
  void progressed();
  /// The work was cancelled: dropped without its end handler.
  void cancelled();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct State;

  void Progressed(std::uint64_t run);
  void Finished(std::uint64_t run);
  void ShowDialog(std::uint64_t run);
  std::unique_ptr<State> Join();
  void End(std::unique_ptr<State> state);
  void CloseDialog();

  std::unique_ptr<State> state_;
  std::uint64_t runs_ = 0;  // counts Starts, so that Start sees whether its end handler began another
  QPointer<QWidget> window_;
  QString label_;
  bool closingCancels_ = true;
  bool dropped_ = false;  // DeleteWhenStopped was called
  QPointer<QProgressDialog> dialog_;
};

/// Runs `work` (returning a Result) on `job`; `onResult` gets its result on the owning thread,
/// `onFailure` how it threw.
template <class Result>
void StartJob(BackgroundJob& job, std::function<Result(JobControl&)> work,
              std::function<void(Result)> onResult, std::function<void(const JobFailure&)> onFailure,
              std::chrono::milliseconds waitAtStart = {}) {
  auto slot = std::make_shared<std::optional<Result>>();
  job.Start([slot, work = std::move(work)](JobControl& control) { slot->emplace(work(control)); },
            [slot, onResult = std::move(onResult),
             onFailure = std::move(onFailure)](const std::optional<JobFailure>& failure) {
              if (failure) {
                onFailure(*failure);
              } else {
                onResult(std::move(**slot));
              }
            },
            waitAtStart);
}

}  // namespace brevano

// Background jobs: a worker thread per run, its progress and end posted to the owning thread, and the
// progress dialog that does not block closing.
#include "app/background_job.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <new>
#include <thread>

namespace brevano {

namespace {

// Input that the progress dialog keeps away from the window it covers, as a modal dialog would.
bool IsInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::DragEnter:
    case QEvent::Drop: return true;
    default: return false;
  }
}

// The window an event's receiver belongs to: a widget's own window, an action's widget's window.
const QWidget* WindowOf(const QObject* object) {
  if (const auto* action = qobject_cast<const QAction*>(object)) object = action->parent();
  const auto* widget = qobject_cast<const QWidget*>(object);
  return widget ? widget->window() : nullptr;
}

}  // namespace

bool JobControl::Report(std::uint64_t done, std::uint64_t total, int stage) {
  stage_.store(stage, std::memory_order_relaxed);
  done_.store(done, std::memory_order_relaxed);
  total_.store(total, std::memory_order_relaxed);
  if (notify_ && !noticePending_.load(std::memory_order_relaxed)) {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastNotice_ >= kProgressNoticeInterval) {
      lastNotice_ = now;
      noticePending_.store(true, std::memory_order_relaxed);
      notify_();
    }
  }
  return !StopRequested();
}

// One run. The worker writes `failure` and then sets `finished` under the mutex; the owning thread
// reads them only after it has seen `finished` and joined the thread.
struct BackgroundJob::State {
  JobControl control;
  EndHandler onEnd;
  std::mutex mutex;
  std::condition_variable ended;
  bool finished = false;
  std::optional<JobFailure> failure;
  std::thread worker;
  QElapsedTimer clock;
};

BackgroundJob::BackgroundJob(QObject* parent) : QObject(parent) {}

BackgroundJob::~BackgroundJob() {
  const QSignalBlocker quiet(this);
  Cancel();
}

// The worker posts its notices to this object; they are dropped with it, and the destructor joins the
// worker first, so none outlives the job. A notice whose run is over is ignored.
void BackgroundJob::Start(Work work, EndHandler onEnd, std::chrono::milliseconds waitAtStart) {
  {
    const QSignalBlocker quiet(this);
    Cancel();
  }
  const std::uint64_t run = ++runs_;
  state_ = std::make_unique<State>();
  State* state = state_.get();
  state->onEnd = std::move(onEnd);
  state->clock.start();
  state->control.notify_ = [this, run] {
    QMetaObject::invokeMethod(
        this, [this, run] { Progressed(run); }, Qt::QueuedConnection);
  };
  state->worker = std::thread([this, run, state, work = std::move(work)] {
    std::optional<JobFailure> failure;
    try {
      work(state->control);
    } catch (const std::bad_alloc&) {
      failure = JobFailure{true, {}};
    } catch (const std::exception& error) {
      failure = JobFailure{false, QString::fromUtf8(error.what())};
    } catch (...) {
      failure = JobFailure{false, QObject::tr("An unexpected error stopped the work.")};
    }
    {
      std::lock_guard lock(state->mutex);
      state->failure = std::move(failure);
      state->finished = true;
    }
    state->ended.notify_all();
    QMetaObject::invokeMethod(
        this, [this, run] { Finished(run); }, Qt::QueuedConnection);
  });
  if (waitAtStart.count() > 0) {
    std::unique_lock lock(state->mutex);
    if (state->ended.wait_for(lock, waitAtStart, [state] { return state->finished; })) {
      lock.unlock();
      End(Join());
    }
  }
}

void BackgroundJob::Progressed(std::uint64_t run) {
  if (run != runs_ || !state_) return;
  state_->control.noticePending_.store(false, std::memory_order_relaxed);
  if (dialog_ && state_->control.total_.load(std::memory_order_relaxed) > 0) dialog_->setValue(Permille());
  emit progressed();
}

void BackgroundJob::Finished(std::uint64_t run) {
  if (run != runs_ || !state_) return;
  End(Join());
  if (dropped_) deleteLater();
}

void BackgroundJob::ShowDialog(std::uint64_t run) {
  if (run != runs_ || !state_ || !window_ || dialog_) return;
  dialog_ = new QProgressDialog(label_, tr("Cancel"), 0, 1000, window_);
  dialog_->setWindowTitle(QGuiApplication::applicationDisplayName());
  dialog_->setAutoClose(false);
  dialog_->setAutoReset(false);
  dialog_->setMinimumDuration(0);
  connect(dialog_, &QProgressDialog::canceled, this, &BackgroundJob::Cancel);
  qApp->installEventFilter(this);
  dialog_->show();
  if (state_->control.total_.load(std::memory_order_relaxed) > 0) dialog_->setValue(Permille());
}

std::unique_ptr<BackgroundJob::State> BackgroundJob::Join() {
  std::unique_ptr<State> state = std::move(state_);
  if (state->worker.joinable()) state->worker.join();
  CloseDialog();
  if (window_) window_->window()->removeEventFilter(this);
  window_.clear();
  return state;
}

void BackgroundJob::End(std::unique_ptr<State> state) {
  if (state->onEnd) state->onEnd(state->failure);
}

void BackgroundJob::Stop() {
  if (!state_) return;
  state_->control.stop_.store(true);
  End(Join());
}

void BackgroundJob::Cancel() {
  if (!state_) return;
  state_->control.stop_.store(true);
  Join();
  emit cancelled();
}

// The worker holds the job until it posts its end, so the job stays until that end has arrived.
void BackgroundJob::DeleteWhenStopped() {
  dropped_ = true;
  if (!state_) return deleteLater();
  state_->control.stop_.store(true);
  state_->onEnd = {};
}

void BackgroundJob::CloseDialog() {
  qApp->removeEventFilter(this);
  if (!dialog_) return;
  dialog_->disconnect(this);
  dialog_->hide();
  dialog_->deleteLater();
  dialog_.clear();
}

void BackgroundJob::ShowProgressDialog(QWidget* parent, const QString& label, bool closingCancels) {
  if (!state_ || !parent) return;
  window_ = parent;
  label_ = label;
  closingCancels_ = closingCancels;
  parent->window()->installEventFilter(this);
  const qint64 wait = std::max<qint64>(0, kProgressDialogDelay.count() - state_->clock.elapsed());
  QTimer::singleShot(std::chrono::milliseconds(wait), this, [this, run = runs_] { ShowDialog(run); });
}

QProgressDialog* BackgroundJob::ProgressDialog() const { return dialog_.data(); }

int BackgroundJob::Stage() const {
  return state_ ? state_->control.stage_.load(std::memory_order_relaxed) : 0;
}

int BackgroundJob::Permille() const {
  if (!state_) return 0;
  const std::uint64_t total = state_->control.total_.load(std::memory_order_relaxed);
  const std::uint64_t done = std::min(state_->control.done_.load(std::memory_order_relaxed), total);
  if (total == 0) return 0;
  return static_cast<int>(static_cast<unsigned __int128>(done) * 1000 / total);
}

// Closing the covered window cancels the job. While the dialog shows, the window takes no input;
// it may still become the active window, so that the window manager's close (Alt+F4) reaches it.
bool BackgroundJob::eventFilter(QObject* watched, QEvent* event) {
  if (!window_) return false;
  const QWidget* covered = window_->window();
  if (watched == covered && event->type() == QEvent::Close && closingCancels_) {
    Cancel();
    return false;
  }
  return dialog_ && IsInput(event->type()) && WindowOf(watched) == covered;
}

}  // namespace brevano

// Background jobs: a worker thread per run, a polling timer, and the progress dialog that does not block
// closing.
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

constexpr int kPollMs = 30;

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
  QTimer* timer = nullptr;
};

BackgroundJob::BackgroundJob(QObject* parent) : QObject(parent) {}

BackgroundJob::~BackgroundJob() {
  const QSignalBlocker quiet(this);
  Cancel();
}

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
  state->worker = std::thread([state, work = std::move(work)] {
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
  });
  if (waitAtStart.count() > 0) {
    std::unique_lock lock(state->mutex);
    state->ended.wait_for(lock, waitAtStart, [state] { return state->finished; });
  }
  state->timer = new QTimer(this);
  state->timer->setInterval(kPollMs);
  connect(state->timer, &QTimer::timeout, this, &BackgroundJob::Poll);
  Poll();
  if (runs_ == run && state_) state->timer->start();
}

void BackgroundJob::Poll() {
  if (!state_) return;
  bool finished;
  {
    std::lock_guard lock(state_->mutex);
    finished = state_->finished;
  }
  if (finished) return End(Join());
  if (window_ && !dialog_ && state_->clock.elapsed() >= kProgressDialogDelay.count()) {
    dialog_ = new QProgressDialog(label_, tr("Cancel"), 0, 1000, window_);
    dialog_->setWindowTitle(QGuiApplication::applicationDisplayName());
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumDuration(0);
    connect(dialog_, &QProgressDialog::canceled, this, &BackgroundJob::Cancel);
    qApp->installEventFilter(this);
    dialog_->show();
  }
  if (dialog_ && state_->control.total_.load(std::memory_order_relaxed) > 0) dialog_->setValue(Permille());
  emit progressed();
}

std::unique_ptr<BackgroundJob::State> BackgroundJob::Join() {
  std::unique_ptr<State> state = std::move(state_);
  if (state->timer) {
    state->timer->stop();
    state->timer->deleteLater();
  }
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

void BackgroundJob::CloseDialog() {
  qApp->removeEventFilter(this);
  if (!dialog_) return;
  dialog_->disconnect(this);
  dialog_->hide();
  dialog_->deleteLater();
  dialog_.clear();
}

void BackgroundJob::ShowProgressDialog(QWidget* parent, const QString& label) {
  if (!state_ || !parent) return;
  window_ = parent;
  label_ = label;
  parent->window()->installEventFilter(this);
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
  if (watched == covered && event->type() == QEvent::Close) {
    Cancel();
    return false;
  }
  return dialog_ && IsInput(event->type()) && WindowOf(watched) == covered;
}

}  // namespace brevano

// The main window's frame: its size on the screen, the status bar, the keys of the edit box, the dialogs
// beside it, help, and closing.
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QWindow>

#include "app/background_job.h"
#include "app/frm_boolean.h"
#include "app/help_dialog.h"
#include "app/truth_table_view.h"
#include "app/window_commands.h"
#include "tabulate/tabulation.h"

namespace brevano {

namespace {

QString Count(std::uint64_t n) { return QLocale().toString(static_cast<qulonglong>(n)); }

// The frame a window manager adds around a window it has not framed yet: a title bar and thin borders.
QMargins EstimatedFrame(const QWidget& window) {
  constexpr int kBorder = 4;
  const int title = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
  return QMargins(kBorder, title + kBorder, kBorder, kBorder);
}

// The frame the window manager has put around `window`; null before it has framed it, and on
// platforms without frames.
QMargins FrameOf(const QWidget& window) {
  return window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
}

// How often, and how long apart, the window looks for its frame after it is first shown.
constexpr int kFrameChecks = 10;
constexpr std::chrono::milliseconds kFrameCheckInterval{100};

// Most outputs whose counts the tooltip of the status bar's count lists.
constexpr int kMaxOutputsInTooltip = 24;

// Narrowest a dialog is made to open beside the window rather than over it.
constexpr int kMinBesideWidth = 420;

}  // namespace

void Tfrm_bool_alg::CreateStatusBar() {
  rowStatus_ = new QLabel(this);
  onesStatus_ = new QLabel(this);
  onesStatus_->setObjectName(QStringLiteral("onesStatus"));
  variablesStatus_ = new QLabel(this);
  rowStatus_->setContentsMargins(4, 0, 0, 0);
  statusBar()->addWidget(rowStatus_, 1);
  // Each figure in a panel of its own.
  for (QLabel* figure : {onesStatus_, variablesStatus_}) {
    figure->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    figure->setContentsMargins(4, 0, 4, 0);
    statusBar()->addPermanentWidget(figure);
  }
  statusBar()->setSizeGripEnabled(true);
  connect(LV, &TruthTableView::selectionChanged, this, &Tfrm_bool_alg::UpdateStatus);
  connect(LV, &TruthTableView::tableChanged, this, &Tfrm_bool_alg::UpdateStatus);
  connect(commands_, &WindowCommands::countChanged, this, &Tfrm_bool_alg::UpdateStatus);
  connect(commands_, &WindowCommands::saveFinished, this, [this] {
    if (closeAfterSave_) close();
  });
  CreateOutputBox();
  UpdateStatus();
}

// "3 of 8 rows are 1, 4 are 0, 1 don't-care" once the output's diagrams are built; `brief`, as
// the status bar has room for: "1: 3 · 0: 4 · -: 1".
QString Tfrm_bool_alg::FileCountsText(const FileTable& file, int output, bool brief) const {
  if (commands_->FileCountTooComplex(output)) return tr("too complex to count");
  const std::optional<CellCounts> counts = commands_->FileCounts(output);
  if (!counts) return {};
  if (brief)
    return tr("1: %1 \u00b7 0: %2 \u00b7 -: %3")
        .arg(Count(counts->ones), Count(counts->zeros), Count(counts->dontCares));
  return tr("%1 of %2 rows are 1, %3 are 0, %4 don't-care")
      .arg(Count(counts->ones), Count(file.RowCount()), Count(counts->zeros), Count(counts->dontCares));
}

QStringList Tfrm_bool_alg::StatusTexts() const {
  return {rowStatus_->text(), onesStatus_->text(), variablesStatus_->text()};
}

void Tfrm_bool_alg::UpdateStatus() {
  const TruthTable* table = LV->Table();
  const FileTable* file = LV->File();
  QString row, ones, variables, allCounts;
  if ((table || file) && LV->RowCount() > 0) {
    if (const std::optional<std::uint64_t> current = LV->CurrentRow())
      row = tr("Row %1").arg(Count(*current));
    const std::uint64_t selected = LV->Selection().Count();
    if (selected > 1)
      row += (row.isEmpty() ? QString() : QStringLiteral(" \u00b7 ")) +
             tr("%1 rows selected").arg(Count(selected));
    if (file) {
      // The chosen output's counts here, every output's in the tooltip.
      for (int o = 0; o < file->OutputCount(); ++o) {
        const QString counts = FileCountsText(*file, o, false);
        const QString name = QString::fromStdString(file->Outputs()[static_cast<std::size_t>(o)]);
        if (o == LV->ChosenOutput()) ones = FileCountsText(*file, o, true);  // the box beside it names it
        if (!counts.isEmpty() && o < kMaxOutputsInTooltip)
          allCounts += (allCounts.isEmpty() ? "" : "\n") + name + ": " + counts;
      }
      if (file->OutputCount() > kMaxOutputsInTooltip) allCounts += "\n\u2026";
    } else if (const std::optional<std::uint64_t> count = commands_->OnesCount()) {
      if (LV->RowCount() == 1) {
        ones = tr("The one row is %1").arg(*count);
      } else {
        ones = (*count == 1 ? tr("%1 of %2 rows is 1") : tr("%1 of %2 rows are 1"))
                   .arg(Count(*count), Count(LV->RowCount()));
      }
    } else if (commands_->CountTooComplex()) {
      ones = tr("Rows with Result 1: too complex to count");
    }
    if (file) {
      variables = (file->InputCount() == 1 ? tr("1 input") : tr("%1 inputs").arg(file->InputCount())) + ", " +
                  (file->OutputCount() == 1 ? tr("1 output") : tr("%1 outputs").arg(file->OutputCount()));
    } else {
      const std::size_t n = table->Variables().size();
      variables = n == 1 ? tr("1 variable") : tr("%1 variables").arg(n);
    }
  }
  rowStatus_->setText(row);
  onesStatus_->setText(ones);
  onesStatus_->setToolTip(allCounts);
  onesStatus_->setVisible(!ones.isEmpty());
  variablesStatus_->setText(variables);
  variablesStatus_->setVisible(!variables.isEmpty());
}

// The window opens at its first size, centred on the screen, as long as it fits the screen's available
// area with its frame; otherwise it takes what fits and the client area scrolls. Until the window
// manager has framed the window its frame is estimated; once the frame is known the window is fitted
// again if it reaches past the area.
void Tfrm_bool_alg::FitToScreen(const QMargins& frame) {
  if (!screen()) return;
  const QRect area = screen()->availableGeometry();
  const QSize room = area.size().shrunkBy(frame);
  QSize inner = openSize_.boundedTo(room);
  // Where the client area scrolls one way, the window is wider (or taller) by the scroll bar, so
  // that it does not have to scroll the other way as well.
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const int leastHeight = openSize_.height() - kClientSize.height() + client_->minimumHeight();
  if (inner.height() < leastHeight) inner.setWidth(std::min(room.width(), inner.width() + bar));
  if (inner.width() < openSize_.width()) inner.setHeight(std::min(room.height(), inner.height() + bar));
  QRect outer(QPoint(), inner.grownBy(frame));
  outer.moveCenter(area.center());
  outer.moveLeft(
      std::clamp(outer.left(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())));
  outer.moveTop(
      std::clamp(outer.top(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
  // The window's own rectangle, which the window manager frames where it stands (a move of the frame
  // would depend on what the toolkit knows of the frame at that moment).
  setGeometry(outer.marginsRemoved(frame));
}

void Tfrm_bool_alg::CheckFrame(int checksLeft) {
  const QMargins frame = FrameOf(*this);
  if (frame.isNull()) {
    if (checksLeft > 0)
      QTimer::singleShot(kFrameCheckInterval, this, [this, checksLeft] { CheckFrame(checksLeft - 1); });
    return;
  }
  const bool fits = screen() && screen()->availableGeometry().contains(geometry().marginsAdded(frame));
  if (!fits || frameEstimated_) FitToScreen(frame);
  frameEstimated_ = false;
}

void Tfrm_bool_alg::showEvent(QShowEvent* event) {
  if (!fitted_ && screen()) {
    fitted_ = true;
    // A window that fits is centred without a frame; one that does not is fitted with an estimated one.
    const QSize room = screen()->availableGeometry().size().shrunkBy(EstimatedFrame(*this));
    const bool fits = openSize_.width() <= room.width() && openSize_.height() <= room.height();
    frameEstimated_ = !fits;
    FitToScreen(fits ? QMargins() : EstimatedFrame(*this));
    CheckFrame(kFrameChecks);
  }
  QMainWindow::showEvent(event);
}

// Right of the window, else left of it; where neither side has room but the screen has room for both,
// the window moves aside to make it; else the dialog goes to the screen's right edge.
void Tfrm_bool_alg::ShowBeside(QWidget* dialog) {
  if (!screen()) return dialog->show();
  const QRect area = screen()->availableGeometry();
  const QMargins frame = FrameOf(*this).isNull() ? EstimatedFrame(*this) : FrameOf(*this);
  dialog->resize(dialog->size().boundedTo(area.size().shrunkBy(frame)));
  QRect outer(QPoint(), dialog->size().grownBy(frame));
  QRect window = geometry().marginsAdded(frame);
  // Too wide for either side, even with the window moved aside: narrowed to the wider side's room
  // where that leaves it a usable width (its controls scroll).
  const int roomRight = area.right() - window.right(), roomLeft = window.left() - area.left();
  const int room = std::max(roomRight, roomLeft);
  if (outer.width() > room && window.width() + outer.width() > area.width() && room >= kMinBesideWidth &&
      room - frame.left() - frame.right() >= dialog->minimumSizeHint().width()) {
    dialog->resize(room - frame.left() - frame.right(), dialog->height());
    outer.setWidth(room);
  }
  const bool right = window.right() + outer.width() <= area.right();
  const bool left = window.left() - outer.width() >= area.left();
  if (!right && !left && window.width() + outer.width() <= area.width() &&
      windowState() == Qt::WindowNoState) {
    window.moveLeft(area.right() + 1 - outer.width() - window.width());
    setGeometry(window.marginsRemoved(frame));
  }
  outer.moveTopLeft(
      QPoint(!right && left ? window.left() - outer.width() : window.right() + 1, window.top()));
  // Below a dialog already there where the screen has room, else a little lower and to the right.
  for (const QDialog* other : findChildren<QDialog*>()) {
    const QRect taken = other->frameGeometry();
    if (other == dialog || !other->isVisible() || !taken.intersects(outer)) continue;
    if (taken.bottom() + outer.height() <= area.bottom()) {
      outer.moveTop(taken.bottom() + 1);
    } else {
      outer.moveTopLeft(taken.topLeft() + QPoint(32, 32));
    }
  }
  outer.moveLeft(
      std::clamp(outer.left(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())));
  outer.moveTop(
      std::clamp(outer.top(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
  dialog->setGeometry(outer.marginsRemoved(frame));
  dialog->show();
  dialog->raise();
}

HelpDialog* Tfrm_bool_alg::ShowHelp(HelpTopic topic) {
  if (!help_) {
    help_ = new HelpDialog(this);
    connect(help_, &HelpDialog::exampleChosen, this, [this](const QString& text) {
      eIN->setText(text);
      history_.Restart();
      activateWindow();
      eIN->setFocus();
    });
    help_->ShowTopic(topic);
    ShowBeside(help_);
  }
  help_->ShowTopic(topic);
  help_->show();
  help_->raise();
  help_->activateWindow();
  return help_;
}

void Tfrm_bool_alg::ShowAbout() {
  QMessageBox::about(this, tr("About %1").arg(QString::fromLatin1(kApplicationTitle)), AboutText());
}

// Up and Down step through the expressions tabulated.
bool Tfrm_bool_alg::HistoryKey(int key) {
  const std::optional<std::string> text =
      key == Qt::Key_Up ? history_.Older(eIN->text().toStdString()) : history_.Newer();
  if (!text) return true;
  eIN->setText(QString::fromStdString(*text));
  return true;
}

namespace {

// The one local file a drag carries; empty for anything else.
QString DroppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().front().isLocalFile()) return {};
  return data->urls().front().toLocalFile();
}

}  // namespace

void Tfrm_bool_alg::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFile(event->mimeData()).isEmpty() && !OpeningFile()) event->acceptProposedAction();
}

void Tfrm_bool_alg::dropEvent(QDropEvent* event) {
  const QString path = DroppedFile(event->mimeData());
  if (path.isEmpty() || OpeningFile()) return;
  event->acceptProposedAction();
  activateWindow();
  // Out of the drop's handling: opening may ask which output to open.
  QMetaObject::invokeMethod(
      this, [this, path] { OpenFunctionFile(path); }, Qt::QueuedConnection);
}

// Enter anywhere in the window that no control takes for itself presses the default button.
void Tfrm_bool_alg::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && Button1->isEnabled()) {
    Button1->click();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

bool Tfrm_bool_alg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::Resize) {
    LayOutControls(client_->size());
  } else if (watched == eIN && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) && key->modifiers() == Qt::NoModifier)
      return HistoryKey(key->key());
    if (!eIN->hasSelectedText()) return commands_->RunFromEditBox(QKeySequence(key->keyCombination()));
  }
  return QMainWindow::eventFilter(watched, event);
}

std::optional<bool> Tfrm_bool_alg::AskWaitForSave() {
  QMessageBox box(QMessageBox::Question, QGuiApplication::applicationDisplayName(),
                  tr("The table is still being saved to \"%1\".").arg(commands_->SavePath()),
                  QMessageBox::Cancel, this);
  box.setInformativeText(
      tr("Wait for the save to end and then close, or discard it and close now (the file stays as it was)?"));
  QPushButton* wait = box.addButton(tr("Wait"), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(tr("Discard"), QMessageBox::DestructiveRole);
  box.setDefaultButton(wait);
  box.exec();
  if (box.clickedButton() == wait) return true;
  if (box.clickedButton() == discard) return false;
  return std::nullopt;
}

void Tfrm_bool_alg::closeEvent(QCloseEvent* event) {
  if (commands_->SaveRunning()) {
    const std::optional<bool> wait = closeAfterSave_ ? std::optional(true) : AskWaitForSave();
    if (!wait || *wait) {
      closeAfterSave_ = wait.has_value() && commands_->SaveRunning();
      event->ignore();
      if (wait && !commands_->SaveRunning()) QTimer::singleShot(0, this, &QWidget::close);
      return;
    }
    commands_->CancelSave();
  }
  closeAfterSave_ = false;
  for (QDialog* dialog : findChildren<QDialog*>()) dialog->close();
  for (BackgroundJob* job : findChildren<BackgroundJob*>()) job->Cancel();
  QMainWindow::closeEvent(event);
}

}  // namespace brevano

// The main window's frame: its size on the screen, the status bar, the keys of the edit box, the dialogs
// beside it, help, and closing.
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
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

// The frame a window manager adds around a window not yet shown: a title bar and thin borders.
QMargins EstimatedFrame(const QWidget& window) {
  constexpr int kBorder = 4;
  const int title = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
  return QMargins(kBorder, title + kBorder, kBorder, kBorder);
}

QMargins FrameOf(const QWidget& window) {
  const QRect outer = window.frameGeometry(), inner = window.geometry();
  const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                       outer.bottom() - inner.bottom());
  return frame.isNull() && !window.isVisible() ? EstimatedFrame(window) : frame;
}

}  // namespace

void Tfrm_bool_alg::CreateStatusBar() {
  rowStatus_ = new QLabel(this);
  onesStatus_ = new QLabel(this);
  variablesStatus_ = new QLabel(this);
  statusBar()->addWidget(rowStatus_, 1);
  statusBar()->addPermanentWidget(onesStatus_);
  statusBar()->addPermanentWidget(variablesStatus_);
  statusBar()->setSizeGripEnabled(true);
  connect(LV, &TruthTableView::selectionChanged, this, &Tfrm_bool_alg::UpdateStatus);
  connect(LV, &TruthTableView::tableChanged, this, &Tfrm_bool_alg::UpdateStatus);
  connect(commands_, &WindowCommands::countChanged, this, &Tfrm_bool_alg::UpdateStatus);
  connect(commands_, &WindowCommands::saveFinished, this, [this] {
    if (closeAfterSave_) close();
  });
}

QStringList Tfrm_bool_alg::StatusTexts() const {
  return {rowStatus_->text(), onesStatus_->text(), variablesStatus_->text()};
}

void Tfrm_bool_alg::UpdateStatus() {
  const TruthTable* table = LV->Table();
  QString row, ones, variables;
  if (table && LV->RowCount() > 0) {
    if (const std::optional<std::uint64_t> current = LV->CurrentRow())
      row = tr("Row %1").arg(Count(*current));
    const std::uint64_t selected = LV->Selection().Count();
    if (selected > 1)
      row += (row.isEmpty() ? QString() : QStringLiteral(" \u00b7 ")) +
             tr("%1 rows selected").arg(Count(selected));
    if (const std::optional<std::uint64_t> count = commands_->OnesCount()) {
      ones = (*count == 1 ? tr("%1 of %2 rows is 1") : tr("%1 of %2 rows are 1"))
                 .arg(Count(*count), Count(LV->RowCount()));
    } else if (commands_->CountTooComplex()) {
      ones = tr("Rows with Result 1: too complex to count");
    }
    const std::size_t n = table->Variables().size();
    variables = n == 1 ? tr("1 variable") : tr("%1 variables").arg(n);
  }
  rowStatus_->setText(row);
  onesStatus_->setText(ones);
  onesStatus_->setVisible(!ones.isEmpty());
  variablesStatus_->setText(variables);
  variablesStatus_->setVisible(!variables.isEmpty());
}

// The window fits the screen's available area, frame included: it opens at its first size where that
// fits and centred on the screen; the client area scrolls where it does not.
void Tfrm_bool_alg::FitToScreen() {
  if (!screen()) return;
  const QRect area = screen()->availableGeometry();
  const QMargins frame = FrameOf(*this);
  const QSize inner = size().boundedTo(area.size().shrunkBy(frame));
  if (inner != size()) resize(inner);
  QRect outer(QPoint(), inner.grownBy(frame));
  if (!fitted_) {
    outer.moveCenter(area.center());
  } else {
    outer.moveTopLeft(frameGeometry().topLeft());
  }
  outer.moveLeft(
      std::clamp(outer.left(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())));
  outer.moveTop(
      std::clamp(outer.top(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
  if (outer.topLeft() != frameGeometry().topLeft()) move(outer.topLeft());
  fitted_ = true;
}

// Before the window is shown its frame is estimated; once the window manager has framed it, the
// window is fitted again with the real frame.
void Tfrm_bool_alg::showEvent(QShowEvent* event) {
  if (!fitted_) {
    FitToScreen();
    QTimer::singleShot(100, this, &Tfrm_bool_alg::FitToScreen);
  }
  QMainWindow::showEvent(event);
}

void Tfrm_bool_alg::ShowBeside(QWidget* dialog) {
  const QRect area = screen() ? screen()->availableGeometry() : QRect();
  const QRect window = frameGeometry();
  const QMargins frame = FrameOf(*this);
  if (!area.isEmpty()) dialog->resize(dialog->size().boundedTo(area.size().shrunkBy(frame)));
  const QSize outer = dialog->size().grownBy(frame);
  QPoint at(window.right() + 1, window.top());  // right of the window, else left, else at the right edge
  if (!area.isEmpty() && at.x() + outer.width() > area.right() + 1) {
    at.setX(window.left() - outer.width() >= area.left() ? window.left() - outer.width()
                                                         : area.right() + 1 - outer.width());
  }
  // A second dialog on the same side goes a little lower, so that both can be seen.
  for (const QWidget* other : findChildren<QDialog*>()) {
    if (other != dialog && other->isVisible() && other->frameGeometry().topLeft() == at) at += QPoint(0, 32);
  }
  if (!area.isEmpty()) {
    at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())));
    at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
  }
  dialog->move(at);
  dialog->show();
  dialog->raise();
}

HelpDialog* Tfrm_bool_alg::ShowSyntaxHelp() {
  if (!help_) {
    help_ = new HelpDialog(this);
    connect(help_, &HelpDialog::exampleChosen, this, [this](const QString& text) {
      eIN->setText(text);
      history_.Restart();
      activateWindow();
      eIN->setFocus();
    });
    ShowBeside(help_);
  }
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

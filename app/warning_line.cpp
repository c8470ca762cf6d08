// The warning line: icon, first warning, tooltip and the details window.
#include "app/warning_line.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "app/focus_button.h"

namespace brevano {

namespace {

constexpr int kIconSize = 16;
constexpr int kSpacing = 4;

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

WarningLine::WarningLine(QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(kSpacing);
  icon_ = new QLabel(this);
  icon_->setFixedSize(kIconSize, kIconSize);
  text_ = new QLabel(this);
  text_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  details_ = new FocusButton(tr("Details\u2026"), this);
  details_->setAutoDefault(false);
  details_->setFixedHeight(20);
  details_->setFixedWidth(details_->fontMetrics().horizontalAdvance(details_->text()) + 16);
  layout->addWidget(icon_);
  layout->addWidget(text_, 1);
  layout->addWidget(details_);
  connect(details_, &QPushButton::clicked, this, [this] { ShowDetails(); });
  hide();
}

void WarningLine::SetDiagnosis(const Diagnosis& diagnosis, const QString& expression) {
  diagnosis_ = diagnosis;
  expression_ = expression;
  boxDiffers_ = false;
  Refresh();
  if (!popup_) return;
  popupText_->setPlainText(DetailsText());
  if (diagnosis_.warnings.empty()) popup_->hide();
}

void WarningLine::SetBoxText(const QString& text) {
  const bool differs = !expression_.isEmpty() && text != expression_;
  if (differs == boxDiffers_) return;
  boxDiffers_ = differs;
  Refresh();
}

void WarningLine::Refresh() {
  const bool warned = !diagnosis_.warnings.empty();
  const QStyle::StandardPixmap kind =
      warned ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxInformation;
  icon_->setPixmap(style()->standardIcon(kind).pixmap(kIconSize, kIconSize));
  QString tip = warned ? DetailsText() : QString();
  if (boxDiffers_)
    tip = tr("The table shown is of \"%1\".").arg(expression_) + (warned ? u'\n' + tip : QString());
  setToolTip(tip);
  setAccessibleDescription(tip);
  Elide();
  setVisible(warned || boxDiffers_);
}

// The table's expression first while the box holds another text: "Table of "a*b + 1": The number…".
QString WarningLine::FullLine() const {
  const QString first = diagnosis_.warnings.empty() ? QString() : Text(diagnosis_.warnings.front());
  if (!boxDiffers_) return first;
  const QString quoted =
      u'"' + QFontMetrics(font()).elidedText(expression_, Qt::ElideRight, width() / 3) + u'"';
  return first.isEmpty() ? tr("The table shown is of %1.").arg(quoted)
                         : tr("Table of %1: %2").arg(quoted, first);
}

QString WarningLine::LineText() const { return text_->text(); }

QString WarningLine::DetailsText() const { return Text(DiagnosisText(diagnosis_)); }

QDialog* WarningLine::ShowDetails() {
  if (!popup_) {
    popup_ = new QDialog(window());
    popup_->setWindowTitle(tr("What the table ignores"));
    auto* layout = new QVBoxLayout(popup_);
    popupText_ = new QPlainTextEdit(popup_);
    popupText_->setReadOnly(true);
    popupText_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    layout->addWidget(popupText_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, popup_);
    connect(buttons, &QDialogButtonBox::rejected, popup_, &QDialog::hide);
    layout->addWidget(buttons);
    popup_->resize(460, 240);
  }
  popupText_->setPlainText(DetailsText());
  popup_->show();
  popup_->raise();
  popup_->activateWindow();
  return popup_;
}

void WarningLine::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Elide();
}

void WarningLine::Elide() {
  const QString first = FullLine();
  // The room the layout leaves between the icon and the button, known before the layout runs.
  const int room = width() - kIconSize - details_->width() - 2 * kSpacing;
  text_->setText(text_->fontMetrics().elidedText(first, Qt::ElideRight, std::max(0, room)));
}

}  // namespace brevano

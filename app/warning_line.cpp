// The warning line: icon, first warning, tooltip and the details window.
#include "app/warning_line.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
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
constexpr int kLineHeight = 20;
// Most characters of the suggested reading on its button; the tooltip has it whole.
constexpr int kShownSuggestion = 32;

QString Text(const std::string& text) { return QString::fromStdString(text); }

int ButtonWidth(const QPushButton* button) {
  return button->fontMetrics().horizontalAdvance(button->text()) + 16;
}

}  // namespace

WarningLine::WarningLine(QWidget* parent) : QWidget(parent) {
  // The icon, the first warning and "Details…" on the first line; the offer of the reading most
  // likely meant below the warning, where it has room at any width.
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(kSpacing);
  icon_ = new QLabel(this);
  icon_->setFixedSize(kIconSize, kIconSize);
  text_ = new QLabel(this);
  text_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  text_->setWordWrap(true);
  suggestion_ = new FocusButton(QString(), this);
  suggestion_->setAutoDefault(false);
  suggestion_->setFixedHeight(kLineHeight);
  suggestion_->hide();
  details_ = new FocusButton(tr("Details\u2026"), this);
  details_->setAutoDefault(false);
  details_->setFixedHeight(kLineHeight);
  details_->setFixedWidth(ButtonWidth(details_));
  layout->addWidget(icon_, 0, 0, Qt::AlignTop);
  layout->addWidget(text_, 0, 1);
  layout->addWidget(details_, 0, 2, Qt::AlignTop);
  layout->addWidget(suggestion_, 1, 1, 1, 2, Qt::AlignLeft | Qt::AlignTop);
  layout->setColumnStretch(1, 1);
  connect(details_, &QPushButton::clicked, this, [this] { ShowDetails(); });
  connect(suggestion_, &QPushButton::clicked, this,
          [this] { emit suggestionChosen(Text(diagnosis_.suggestion)); });
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
  // The reading the user most likely meant, never tabulated without being asked for.
  const QString suggestion = Text(diagnosis_.suggestion);
  suggestion_->setVisible(!suggestion.isEmpty());
  suggestion_->setToolTip(tr("Tabulate %1, the reading that was most likely meant").arg(suggestion));
  ShowText();
  setVisible(warned || boxDiffers_);
  emit textChanged();
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
  ShowText();
}

// The room the layout leaves between the icon and the button, known before the layout runs.
int WarningLine::TextRoom(int width) const {
  return std::max(0, width - kIconSize - details_->width() - 2 * kSpacing);
}

int WarningLine::NeededHeight(int width) const {
  const int text = std::max(kLineHeight, text_->heightForWidth(TextRoom(width)));
  return suggestion_->isHidden() ? text : text + kSpacing + kLineHeight;
}

// The first warning whole, wrapped where it is wider than the line; a word wider than the line (a
// long name) is cut at its edge. The offer shows as much of the reading as fits.
void WarningLine::ShowText() {
  if (!suggestion_->isHidden()) {
    const QString frame = tr("Tabulate `%1` instead");
    const QFontMetrics metrics = suggestion_->fontMetrics();
    const int room = width() - kIconSize - kSpacing - 16 - metrics.horizontalAdvance(frame.arg(QString()));
    QString shown = Text(diagnosis_.suggestion);
    if (shown.size() > kShownSuggestion) shown = shown.left(kShownSuggestion - 1) + QChar(0x2026);
    suggestion_->setText(frame.arg(metrics.elidedText(shown, Qt::ElideRight, std::max(room, 0))));
    suggestion_->setFixedWidth(ButtonWidth(suggestion_));
  }
  const QString first = FullLine();
  if (first == text_->text()) return;
  text_->setText(first);
  emit textChanged();
}

}  // namespace brevano

// The "Don't care:" field: reads its expression through the front end and shows what that said.
#include "app/dont_care_field.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/frm_boolean.h"
#include "engine/engine_error.h"
#include "frontend/dont_care.h"

namespace brevano {

DontCareField::DontCareField(QWidget* parent) : QWidget(parent) {
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* label = new QLabel(tr("&Don't care:"), this);
  edit_ = new QLineEdit(this);
  edit_->setObjectName(QStringLiteral("dontCare"));
  edit_->setAccessibleName(tr("Don't care"));
  edit_->setMaxLength(kMaxExpressionLength + 1);
  edit_->setPlaceholderText(tr("an expression: the rows where it is 1 may take either value"));
  label->setBuddy(edit_);
  apply_ = new QPushButton(tr("Apply"), this);
  apply_->setAutoDefault(false);
  message_ = new QLabel(this);
  message_->setWordWrap(true);
  message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  message_->hide();
  layout->addWidget(label, 0, 0);
  layout->addWidget(edit_, 0, 1);
  layout->addWidget(apply_, 0, 2);
  layout->addWidget(message_, 1, 1, 1, 2);
  connect(edit_, &QLineEdit::returnPressed, this, &DontCareField::applyRequested);
  connect(apply_, &QPushButton::clicked, this, &DontCareField::applyRequested);
}

QString DontCareField::Text() const { return edit_->text(); }

void DontCareField::SetText(const QString& text) {
  edit_->setText(text);
  edit_->setCursorPosition(0);
}

std::optional<TableFunction> DontCareField::Read(const TruthTable& table) {
  DontCareInput input = ReadDontCare(edit_->text().toStdString(), table.Variables(), kMaxExpressionLength);
  std::optional<TableFunction> function;
  // The don't-cares' columns are the table's, so the two merge; were they ever refused, the field
  // would say why like any other error.
  try {
    if (input.Usable())
      function = input.table ? FunctionOfTables(table, &*input.table) : TableFunction{table, std::nullopt};
  } catch (const EngineError& error) {
    input.error = error.what();
  }
  if (!function) {
    ShowMessage(tr("Don't care not applied: %1").arg(ErrorMessageText(input.error)), true);
    return std::nullopt;
  }
  QStringList warnings;
  for (const std::string& warning : input.warnings)
    warnings << tr("Don't care: %1").arg(QString::fromStdString(warning));
  ShowMessage(warnings.join(u'\n'), false);
  return function;
}

QString DontCareField::MessageText() const { return message_->isHidden() ? QString() : message_->text(); }

void DontCareField::ShowMessage(const QString& text, bool error) {
  error_ = error && !text.isEmpty();
  message_->setText(text);
  message_->setStyleSheet(error_ ? QStringLiteral("color: #c00000; font-weight: bold") : QString());
  message_->setVisible(!text.isEmpty());
}

}  // namespace brevano

// The Steps page: the explanation made off the window's thread, shown as monospaced text.
#include "app/steps_page.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/background_job.h"
#include "app/check_steps_dialog.h"
#include "engine/deep_stack.h"
#include "explain/explanation.h"
#include "explain/law_expression.h"

namespace brevano {

StepsPage::StepsPage(TruthTable table, QWidget* parent)
    : QWidget(parent), table_(std::move(table)), job_(new BackgroundJob(this)) {
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  choice_ = new QComboBox(this);
  choice_->addItems(
      {tr("Least sum of products, by laws"), tr("Least product of sums, by laws"), tr("The tabular method")});
  auto* copy = new QPushButton(tr("Copy"), this);
  auto* check = new QPushButton(tr("Check steps\u2026"), this);
  row->addWidget(choice_, 1);
  row->addWidget(copy);
  row->addWidget(check);
  layout->addLayout(row);
  text_ = new QPlainTextEdit(this);
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  layout->addWidget(text_, 1);
  connect(choice_, &QComboBox::currentIndexChanged, this, [this] { Explain(); });
  connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(Text()); });
  connect(check, &QPushButton::clicked, this, [this] {
    // The derivation's expressions, one a line with their laws, as check-steps reads them.
    QStringList lines;
    for (const QString& line : Text().split(QLatin1Char('\n'))) {
      const QStringList parts = line.trimmed().split(QStringLiteral("  "), Qt::SkipEmptyParts);
      if (parts.size() < 2 || parts[0].toInt() <= 0) continue;
      const QString law = parts.size() >= 3 ? parts[2].trimmed() : QString();
      const bool named =
          !law.isEmpty() && law != QStringLiteral("given") && law != QStringLiteral("tabular method");
      lines << parts[1].trimmed() + (named ? QStringLiteral("  # ") + law : QString());
    }
    auto* dialog = new CheckStepsDialog(this, lines.join(QLatin1Char('\n')));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &CheckStepsDialog::rowRequested, this, &StepsPage::rowRequested);
    dialog->show();
  });
}

StepsPage::~StepsPage() = default;

QString StepsPage::Text() const { return text_->toPlainText(); }

bool StepsPage::Running() const { return job_->Running(); }

void StepsPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!started_) Explain();
}

void StepsPage::Explain() {
  started_ = true;
  ExplainOptions options;
  options.product = choice_->currentIndex() == 1;
  options.tabular = choice_->currentIndex() == 2;
  text_->setPlainText(tr("Explaining\u2026"));
  const TruthTable table = table_;
  StartJob<std::string>(
      *job_,
      [table, options](JobControl&) {
        std::string text;
        RunWithLargeStack([&] {
          const std::string given = ExprText(ExprOfProgram(table.Program()), table.Variables());
          text = ExplainTable(TableFunction{table, std::nullopt}, given, options);
        });
        return text;
      },
      [this](std::string text) {
        text_->setPlainText(QString::fromStdString(text));
        emit explained();
      },
      [this](const JobFailure& failure) {
        text_->setPlainText(failure.Text(tr("Not enough memory to explain this table.")));
        emit explained();
      });
}

}  // namespace brevano

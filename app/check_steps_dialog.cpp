// The Check steps dialog: the derivation checked off the window's thread, the first wrong line marked.
#include "app/check_steps_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QColor>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

#include "app/background_job.h"
#include "engine/deep_stack.h"
#include "explain/check_steps.h"
#include "tabulate/row_address.h"

namespace brevano {

namespace {

// The outcome of a check for the dialog: the verdict in words and the wrong line, if any.
struct Checked {
  std::string verdict;
  int wrongLine = 0;
  std::string assignment;  ///< where the wrong line differs from the one before
};

}  // namespace

CheckStepsDialog::CheckStepsDialog(QWidget* parent, const QString& derivation)
    : QDialog(parent), job_(new BackgroundJob(this)) {
  setWindowTitle(tr("Check steps"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("One expression a line; the law that gives it may follow \"#\"."), this));
  input_ = new QPlainTextEdit(derivation, this);
  layout->addWidget(input_, 1);
  verdict_ = new QLabel(this);
  verdict_->setWordWrap(true);
  verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(verdict_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  QPushButton* check = buttons->addButton(tr("Check"), QDialogButtonBox::ActionRole);
  QPushButton* copy = buttons->addButton(tr("Copy"), QDialogButtonBox::ActionRole);
  showRow_ = buttons->addButton(tr("Show the row"), QDialogButtonBox::ActionRole);
  showRow_->setToolTip(
      tr("Go to the row of the table on which the first wrong line differs from the one before"));
  showRow_->setEnabled(false);
  connect(showRow_, &QPushButton::clicked, this, [this] { emit rowRequested(assignment_); });
  layout->addWidget(buttons);
  connect(check, &QPushButton::clicked, this, [this] { Check(); });
  connect(copy, &QPushButton::clicked, this, [this] {
    QApplication::clipboard()->setText(input_->toPlainText() + QStringLiteral("\n\n") + Verdict());
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  resize(640, 400);
}

CheckStepsDialog::~CheckStepsDialog() = default;

QString CheckStepsDialog::Verdict() const { return verdict_->text(); }

void CheckStepsDialog::Check() {
  verdict_->setText(tr("Checking\u2026"));
  MarkLine(0);
  assignment_.clear();
  showRow_->setEnabled(false);
  const std::string text = input_->toPlainText().toStdString();
  StartJob<Checked>(
      *job_,
      [text](JobControl&) {
        Checked result;
        RunWithLargeStack([&] {
          const std::vector<DerivationLine> lines = SplitDerivation(text);
          if (lines.empty()) {
            result.verdict = "There is no expression to check.";
            return;
          }
          const StepsCheck check = CheckDerivation(lines);
          for (const std::string& note : check.notes) result.verdict += "warning: " + note + "\n";
          result.verdict += StepsCheckText(check);
          result.wrongLine = check.equal ? 0 : static_cast<int>(check.wrongLine);
          if (!check.equal) result.assignment = RowAssignmentText(check.variables, check.row);
        });
        return result;
      },
      [this](Checked result) {
        verdict_->setText(QString::fromStdString(result.verdict).trimmed());
        MarkLine(result.wrongLine);
        assignment_ = QString::fromStdString(result.assignment);
        showRow_->setEnabled(result.wrongLine > 0);
        emit checked();
      },
      [this](const JobFailure& failure) {
        verdict_->setText(failure.Text(tr("Not enough memory to check these steps.")));
        emit checked();
      });
}

void CheckStepsDialog::MarkLine(int line) {
  wrongLine_ = line;
  QList<QTextEdit::ExtraSelection> marks;
  if (line > 0) {
    QTextEdit::ExtraSelection mark;
    mark.format.setBackground(QColor(255, 205, 205));
    mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    mark.cursor = QTextCursor(input_->document()->findBlockByNumber(line - 1));
    marks << mark;
  }
  input_->setExtraSelections(marks);
}

}  // namespace brevano

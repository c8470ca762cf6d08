// The analysis dialog: fields for the six items, filled in by a background job.
#include "app/analysis_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QVBoxLayout>
#include <functional>

#include "analysis/analysis.h"
#include "analysis/function_forms.h"
#include "app/background_job.h"
#include "app/dialog_fit.h"
#include "app/dont_care_field.h"
#include "app/save_dialogs.h"
#include "app/steps_page.h"
#include "app/table_saver.h"

namespace brevano {

namespace {

// Why the other forms and properties are left out with don't-cares, said once above them.
QString DontCareNote() {
  return QCoreApplication::translate(
      "AnalysisDialog",
      "With don't-cares the Result is not given in every row: of the other forms and the properties, "
      "only the NAND and NOR forms of the least forms are shown.");
}

// The items whose values can be long get a multi-line field.
constexpr int kLongItemsFrom = 2;
constexpr int kLongFieldLines = 3;
// The long fields of the second page, which has many more.
constexpr int kShortFieldLines = 2;
const QString kDontCareRowsLabel = QString::fromStdString(ItemLabel(ItemKind::kDontCares));
// The row of the don't-care rows on the first page: after the maxterms.
constexpr int kDontCareRow = 4;
// The forms of the second page (the algebraic normal form to the canonical product) are long too.
constexpr int kLongFunctionItems = 5;
// The stage of the other forms and the properties, after those of AnalyseTable.
constexpr int kDescribeStage = static_cast<int>(AnalysisStage::kProductOfSums) + 1;

QString StageText(AnalysisStage stage) {
  switch (stage) {
    case AnalysisStage::kCounting: return QObject::tr("Counting the rows with Result 1\u2026");
    case AnalysisStage::kListing: return QObject::tr("Listing the minterms and maxterms\u2026");
    case AnalysisStage::kSumOfProducts: return QObject::tr("Minimising the sum of products\u2026");
    case AnalysisStage::kProductOfSums: break;
  }
  return QObject::tr("Minimising the product of sums\u2026");
}

QString VariablesNote(const TruthTable& table) {
  QStringList names;
  for (const std::string& name : table.Variables()) names << QString::fromStdString(name);
  if (names.isEmpty()) return QObject::tr("The table has no variables: one row, row 0.");
  return QObject::tr(
             "Variables in the table's order: %1. Rows are numbered from 0; the first variable "
             "is the most significant bit.")
      .arg(names.join(QStringLiteral(", ")));
}

void SetFieldText(QWidget* field, const QString& text) {
  if (auto* line = qobject_cast<QLineEdit*>(field)) {
    line->setText(text);
    line->setCursorPosition(0);
  } else if (auto* box = qobject_cast<QPlainTextEdit*>(field)) {
    box->setPlainText(text);
  }
}

QString Count(std::uint64_t n) { return QLocale().toString(static_cast<qulonglong>(n)); }

// A row list's "... (N more)" with N grouped as the window groups its numbers.
QString GroupedMore(const QString& value) {
  static const QRegularExpression kMore(QStringLiteral("\\((\\d+) more\\)$"));
  const QRegularExpressionMatch match = kMore.match(value);
  if (!match.hasMatch()) return value;
  QString grouped = value;
  return grouped.replace(match.capturedStart(1), match.capturedLength(1),
                         Count(match.captured(1).toULongLong()));
}

// True when a form found is not proven least.
bool FormUnproven(const MinimalForm& form) {
  const FormStanding standing = StandingOf(form);
  return HasForm(standing) && standing != FormStanding::kLeast;
}

QString UnprovenLabel(bool sum) {
  return sum ? QObject::tr("Sum of products (not proven minimal):")
             : QObject::tr("Product of sums (not proven minimal):");
}

QString Abbreviated(const QString& text) {
  constexpr int kTitleCharacters = 60;
  return text.size() <= kTitleCharacters ? text : text.left(kTitleCharacters) + QChar(0x2026);
}

QString FieldTextOf(const QWidget* field) {
  if (const auto* line = qobject_cast<const QLineEdit*>(field)) return line->text();
  if (const auto* box = qobject_cast<const QPlainTextEdit*>(field)) return box->toPlainText();
  return {};
}

}  // namespace

AnalysisDialog::AnalysisDialog(TruthTable table, QWidget* parent, const QString& expression,
                               const AnalysisOptions& options, const QString& dontCare)
    : QDialog(parent), table_(std::move(table)), options_(options), function_{table_, std::nullopt} {
  title_ = expression.isEmpty() ? tr("Analysis") : tr("Analysis of %1").arg(Abbreviated(expression));
  setWindowTitle(title_);
  BuildLayout(table_);
  job_ = new BackgroundJob(this);
  connect(job_, &BackgroundJob::progressed, this, &AnalysisDialog::ShowProgress);
  if (!dontCare.trimmed().isEmpty()) {
    dontCareField_->SetText(dontCare);
    if (std::optional<TableFunction> read = dontCareField_->Read(table_)) function_ = std::move(*read);
  }
  Start();
}

AnalysisDialog::~AnalysisDialog() { Stop(); }

// A page of `tabs` with a field per item: items from `longFrom` up to `longTo` (or to the end when 0)
// are multi-line, the others one line.
QFormLayout* AnalysisDialog::AddFields(QTabWidget* tabs, const QString& title,
                                       const std::vector<AnalysisItem>& items, int longFrom, int longTo) {
  auto* page = new QWidget(tabs);
  auto* form = new QFormLayout(page);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    const QString label = QString::fromStdString(ItemLabel(items[i].kind));
    QWidget* field;
    if (i < longFrom || (longTo > 0 && i >= longTo)) {
      auto* line = new QLineEdit(page);
      line->setReadOnly(true);
      field = line;
    } else {
      auto* box = new QPlainTextEdit(page);
      box->setReadOnly(true);
      const int lines = longTo > 0 ? kShortFieldLines : kLongFieldLines;
      box->setMinimumHeight(box->fontMetrics().lineSpacing() * lines + 2 * box->frameWidth() + 8);
      box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
      field = box;
    }
    field->setAccessibleName(label);
    field->setObjectName(label);
    labels_.push_back(label);
    fields_[label] = field;
    form->addRow(label, field);
  }
  tabs->addTab(page, title);
  return form;
}

// The Steps page, whose check of a derivation may ask the window's table for a row.
void AnalysisDialog::AddStepsPage(QTabWidget* tabs, const TruthTable& table) {
  auto* steps = new StepsPage(table, tabs);
  connect(steps, &StepsPage::rowRequested, this, [this](const QString& assignment) {
    if (!stale_) emit rowRequested(assignment);
  });
  tabs->addTab(steps, tr("Steps"));
}

void AnalysisDialog::BuildLayout(const TruthTable& table) {
  // Everything but the buttons scrolls where the screen is smaller than the fields need.
  const ScrolledLayout scrolled = MakeScrolledLayout(this);
  QVBoxLayout* layout = scrolled.content;
  staleNote_ =
      new QLabel(tr("The window now shows another table: this analysis is for the previous table."), this);
  staleNote_->setWordWrap(true);
  staleNote_->setStyleSheet(QStringLiteral("font-weight: bold"));
  staleNote_->hide();
  layout->addWidget(staleNote_);
  auto* note = new QLabel(VariablesNote(table), this);
  note->setWordWrap(true);
  note->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(note);
  dontCareField_ = new DontCareField(this);
  connect(dontCareField_, &DontCareField::applyRequested, this, &AnalysisDialog::ApplyDontCare);
  layout->addWidget(dontCareField_);

  auto* tabs = new QTabWidget(this);
  form_ = AddFields(tabs, tr("Counts and least forms"), AnalysisItems(Analysis{}), kLongItemsFrom, 0);
  auto* rows = new QPlainTextEdit(form_->parentWidget());
  rows->setReadOnly(true);
  rows->setMinimumHeight(rows->fontMetrics().lineSpacing() * kLongFieldLines + 2 * rows->frameWidth() + 8);
  rows->setAccessibleName(kDontCareRowsLabel);
  rows->setObjectName(kDontCareRowsLabel);
  fields_[kDontCareRowsLabel] = dontCareRows_ = rows;
  form_->insertRow(kDontCareRow, kDontCareRowsLabel, rows);
  form_->setRowVisible(kDontCareRow, false);
  otherForm_ = AddFields(tabs, tr("Other forms and properties"),
                         FunctionItems(Analysis{}, FunctionDescription{}), 0, kLongFunctionItems);
  otherNote_ = new QLabel(otherForm_->parentWidget());
  otherNote_->setWordWrap(true);
  otherForm_->insertRow(0, otherNote_);
  otherNote_->setText(QString());
  AddStepsPage(tabs, table);
  layout->addWidget(tabs, 1);

  stage_ = new QLabel(this);
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 1000);
  layout->addWidget(stage_);
  layout->addWidget(progress_);

  auto* buttons = new QDialogButtonBox(this);
  stop_ = buttons->addButton(tr("Stop"), QDialogButtonBox::RejectRole);
  copy_ = buttons->addButton(tr("Copy all"), QDialogButtonBox::ActionRole);
  save_ = buttons->addButton(tr("Save\u2026"), QDialogButtonBox::ActionRole);
  QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
  // Enter never closes the dialog: it stays open beside the window while the expression is edited.
  for (QPushButton* button : {stop_, copy_, save_, close}) button->setAutoDefault(false);
  copy_->setEnabled(false);
  save_->setEnabled(false);
  connect(stop_, &QPushButton::clicked, this, &AnalysisDialog::Stop);
  connect(copy_, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(ReportText()); });
  connect(save_, &QPushButton::clicked, this, &AnalysisDialog::SaveReport);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  scrolled.outer->addWidget(buttons);
  // The long fields at three lines; they grow with the dialog.
  resize(FitScreen(*this, QSize(560, UnscrolledSize(scrolled).height())));
}

bool AnalysisDialog::Running() const { return job_->Running(); }

bool AnalysisDialog::ApplyDontCare() {
  std::optional<TableFunction> read = dontCareField_->Read(table_);
  if (!read) return false;
  function_ = std::move(*read);
  Start();
  return true;
}

// Starts the analysis of the table with the don't-cares applied, the fields back at "…".
void AnalysisDialog::Start() {
  const std::uint64_t run = ++run_;
  ended_ = false;
  report_.clear();
  for (auto& [label, field] : fields_) SetFieldText(field, QStringLiteral("\u2026"));
  for (const QString& label : labels_) {
    if (auto* shown = qobject_cast<QLabel*>(form_->labelForField(fields_[label]))) shown->setText(label);
  }
  form_->setRowVisible(kDontCareRow, WithDontCares());
  stage_->setText(QString());
  progress_->setValue(0);
  stage_->show();
  progress_->show();
  stop_->setEnabled(true);
  copy_->setEnabled(false);
  save_->setEnabled(false);
  std::function<Described(JobControl&)> work = [this, run, options = options_,
                                                function = function_](JobControl& control) {
    // The analysis tags its stage on the budget before it reports.
    const Budget budget(Budget::kNoLimit, [&control, &budget](std::uint64_t done, std::uint64_t total) {
      return control.Report(done, total, budget.Stage());
    });
    // Counts and the sum are shown as soon as they are final. The dialog waits for the work before it
    // goes, and a call still posted then is dropped with it.
    const AnalysisPartial partial = [this, run](const Analysis& sofar) {
      QMetaObject::invokeMethod(
          this, [this, run, sofar] { ShowPartial(run, sofar); }, Qt::QueuedConnection);
    };
    Described described{AnalyseTable(function, options, budget, partial), {}};
    // Then the other forms and the properties, unless stopped or out of the diagram's reach; they are
    // of a function given in every row, so not with don't-cares.
    if (described.analysis.tooComplex) described.description.source = DescriptionSource::kTooComplex;
    if (described.analysis.complete && !described.analysis.tooComplex && !function.dontCare) {
      control.Report(0, 0, kDescribeStage);
      const Budget describing(Budget::kNoLimit,
                              [&control](std::uint64_t, std::uint64_t) { return !control.StopRequested(); });
      described.description = DescribeFunction(function.on, {}, describing);
    }
    return described;
  };
  StartJob<Described>(
      *job_, std::move(work),
      [this](const Described& described) { Finish(described.analysis, described.description); },
      [this](const JobFailure& failure) { Failed(failure.Text(tr("not enough memory"))); });
}

void AnalysisDialog::ShowProgress() {
  stage_->setText(job_->Stage() == kDescribeStage ? tr("Computing the other forms and the properties\u2026")
                                                  : StageText(static_cast<AnalysisStage>(job_->Stage())));
  progress_->setValue(job_->Permille());
}

void AnalysisDialog::ShowPartial(std::uint64_t run, const Analysis& sofar) {
  if (!ended_ && run == run_) ShowItems(sofar, false);
}

// Before the end only the items already final are shown; the others keep their "…".
void AnalysisDialog::ShowItems(const Analysis& analysis, bool final) {
  for (const AnalysisItem& item : AnalysisItems(analysis)) {
    const QString label = QString::fromStdString(ItemLabel(item.kind));
    const bool sum = item.kind == ItemKind::kSum, count = item.kind == ItemKind::kOnesCount;
    const MinimalForm* form = sum                               ? &analysis.sum
                              : item.kind == ItemKind::kProduct ? &analysis.product
                                                                : nullptr;
    // The solver's verdict and first and last rows come before any count.
    const bool known = form ? form->status != MinimiseStatus::kStopped
                            : analysis.rowsComplete || (analysis.endsComplete && !count);
    if (!final && !known) continue;
    QString value = QString::fromStdString(item.value);
    if (count && analysis.rowsComplete) {
      value = tr("%1 of %2").arg(Count(analysis.onesCount), Count(analysis.rowCount));
      if (analysis.hasDontCares) value = tr("%1, %2 don't-care").arg(value, Count(analysis.dontCareCount));
    }
    if (!form) value = GroupedMore(value);
    QWidget* field = fields_[label];
    SetFieldText(field, value);
    const bool unproven = form && FormUnproven(*form);
    if (auto* shown = qobject_cast<QLabel*>(form_->labelForField(field)))
      shown->setText(unproven ? UnprovenLabel(sum) : label);
  }
}

void AnalysisDialog::Finish(const Analysis& analysis, const FunctionDescription& description) {
  ended_ = true;
  for (const AnalysisItem& item : AnalysisItems(analysis))
    report_ += QString::fromStdString(ItemLabel(item.kind) + ' ' + item.value + '\n');
  for (const AnalysisItem& item : OtherItems(analysis, description)) {
    report_ += QString::fromStdString(ItemLabel(item.kind) + ' ' + item.value + '\n');
    QWidget* field = fields_[QString::fromStdString(ItemLabel(item.kind))];
    // With don't-cares the properties are not computed: the page says why once, not on every line.
    // (Rows are not hidden: hidden rows beside a spanning row overrun QFormLayout's arrays in Qt 6.4.)
    const bool shown = !analysis.hasDontCares || item.kind == ItemKind::kNand || item.kind == ItemKind::kNor;
    SetFieldText(field, shown ? GroupedMore(QString::fromStdString(item.value))
                              : tr("not computed: with don't-cares (see above)"));
  }
  otherNote_->setText(analysis.hasDontCares ? DontCareNote() : QString());
  ShowItems(analysis, true);
  Ended();
}

// The other forms and the properties; with don't-cares only the gate forms of the least forms,
// which are forms of the function as much as those.
std::vector<AnalysisItem> AnalysisDialog::OtherItems(const Analysis& analysis,
                                                     const FunctionDescription& description) const {
  std::vector<AnalysisItem> items = FunctionItems(analysis, description);
  if (!analysis.hasDontCares) return items;
  for (AnalysisItem& item : items) {
    if (item.kind != ItemKind::kNand && item.kind != ItemKind::kNor)
      item.value = "not computed: with don't-cares the Result is not given in every row";
  }
  return items;
}

QString AnalysisDialog::LabelText(int index) const {
  if (index < 0 || index >= static_cast<int>(labels_.size())) return {};
  QWidget* field = fields_.at(labels_[index]);
  const auto* form = qobject_cast<const QFormLayout*>(field->parentWidget()->layout());
  const auto* label = form ? qobject_cast<const QLabel*>(form->labelForField(field)) : nullptr;
  return label ? label->text() : QString();
}

void AnalysisDialog::MarkStale() {
  stale_ = true;
  setWindowTitle(tr("(Previous table) %1").arg(title_));  // in front, where a narrow title bar keeps it
  staleNote_->show();
}

void AnalysisDialog::Failed(const QString& reason) {
  ended_ = true;
  for (auto& [label, field] : fields_) SetFieldText(field, tr("not computed: %1").arg(reason));
  Ended();
}

void AnalysisDialog::Ended() {
  stage_->hide();
  progress_->hide();
  stop_->setEnabled(false);
  copy_->setEnabled(true);
  save_->setEnabled(true);
  emit analysisFinished();
}

void AnalysisDialog::Stop() { job_->Stop(); }

void AnalysisDialog::SaveReport() {
  const std::optional<QString> path = AskReportSavePath(this);
  if (!path) return;
  const SaveResult result = brevano::SaveReport(*path, ReportText());
  if (result.status != SaveStatus::kSaved) QMessageBox::warning(this, windowTitle(), result.message);
}

void AnalysisDialog::closeEvent(QCloseEvent* event) {
  Stop();
  QDialog::closeEvent(event);
}

void AnalysisDialog::done(int result) {
  Stop();
  QDialog::done(result);
}

QString AnalysisDialog::FieldText(const QString& label) const {
  const auto found = fields_.find(label);
  return found == fields_.end() ? QString() : FieldTextOf(found->second);
}

// Once the analysis has ended, the report is the command line's, numbers not grouped.
QString AnalysisDialog::ReportText() const {
  if (!report_.isEmpty()) return report_;
  QString text;
  for (const QString& label : labels_) {
    text += label + QLatin1Char(' ') + FieldText(label) + QLatin1Char('\n');
    if (label == QString::fromStdString(ItemLabel(ItemKind::kMaxterms)) && WithDontCares())
      text += kDontCareRowsLabel + QLatin1Char(' ') + FieldText(kDontCareRowsLabel) + QLatin1Char('\n');
  }
  return text;
}

}  // namespace brevano

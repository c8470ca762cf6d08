// The main window: the expression box, the choice of truth values, "Tabulation" and the truth-table list.
#include "app/frm_boolean.h"

#include <QApplication>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>
#include <exception>
#include <memory>
#include <new>
#include <optional>

#include "app/analysis_dialog.h"
#include "app/background_job.h"
#include "app/circuit_dialog.h"
#include "app/dont_care_field.h"
#include "app/focus_button.h"
#include "app/kmap_dialog.h"
#include "app/netlist_export.h"
#include "app/shown_model.h"
#include "app/truth_table_view.h"
#include "app/warning_line.h"
#include "app/window_commands.h"
#include "app/window_settings.h"
#include "diagram/diagram.h"
#include "engine/deep_stack.h"
#include "engine/engine_error.h"
#include "frontend/fix_it.h"
#include "frontend/tabulate_expression.h"
#include "search/ladder.h"
#include "tabulate/row_address.h"

namespace brevano {

namespace {

// The table's height at the first size, and the least it is given before the client area scrolls.
constexpr int kTableHeight = 409;
constexpr int kMinTableHeight = 120;

// Tallest line of the legend that lets its four lines fit the 65-pixel box.
constexpr int kLegendLineHeight = 15;

// A font by name at a pixel height; where the platform lacks the family, the closest one of the hint.
QFont PixelFont(const char* family, int pixels, QFont::StyleHint hint) {
  QFont font(QString::fromLatin1(family));
  font.setStyleHint(hint);
  font.setPixelSize(pixels);
  if (hint == QFont::TypeWriter) font.setFixedPitch(true);
  return font;
}

// The operator legend: read-only, fixed text in a box just large enough for its four lines.
void SetUpLegend(QTextEdit* legend) {
  legend->setFont(PixelFont("Courier", 13, QFont::TypeWriter));
  legend->setAcceptRichText(false);
  legend->setPlainText(QStringLiteral("+  or\n* and\n/ xor\n  not"));
  legend->setReadOnly(true);
  legend->setFocusPolicy(Qt::ClickFocus);
  legend->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  legend->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  legend->setLineWrapMode(QTextEdit::NoWrap);
  legend->document()->setDocumentMargin(1);
  // The substitute of Courier may space its lines more widely; the four lines must fit the box.
  QTextBlockFormat lines;
  lines.setLineHeight(std::min(QFontMetrics(legend->font()).lineSpacing(), kLegendLineHeight),
                      QTextBlockFormat::FixedHeight);
  QTextCursor text(legend->document());
  text.select(QTextCursor::Document);
  text.mergeBlockFormat(lines);
}

// `dialog` (a map or a circuit) takes each new function the tools take.
template <typename Dialog>
void FollowFunction(const ShownModel& model, Dialog* dialog) {
  QObject::connect(&model, &ShownModel::changed, dialog, [&model, dialog](unsigned parts) {
    const TruthTable* table = model.Shown().FunctionTable();
    if ((parts & kShownFunction) && table) dialog->SetTable(*table);
  });
}

// Longest expression quoted whole in a comparison's texts; a longer one is cut in the middle, keeping
// its start and its end, so that two long expressions that start alike still read apart.
constexpr int kQuotedExpressionLength = 60;

QString Quoted(const QString& expression) {
  if (expression.size() <= kQuotedExpressionLength) return expression;
  constexpr int kHead = (kQuotedExpressionLength - 1) / 2;
  return expression.left(kHead) + QChar(u'\u2026') + expression.right(kQuotedExpressionLength - 1 - kHead);
}

// The warnings of both sides of a comparison, each led by its expression: the verdict is then
// about the tables as read (their columns may be cut, merged or renamed). Empty without warnings.
QString ComparisonWarnings(const QString& first, const Diagnosis& a, const QString& second,
                           const Diagnosis& b) {
  QString lines;
  for (const auto& [name, diagnosis] : {std::pair{first, &a}, std::pair{second, &b}}) {
    for (const std::string& warning : diagnosis->warnings)
      lines += u'\n' + name + QStringLiteral(": ") + QString::fromStdString(warning);
  }
  if (lines.isEmpty()) return lines;
  return QStringLiteral("\n\n") + QObject::tr("This compares the tables as read, with these warnings:") +
         lines;
}

}  // namespace

QString ErrorMessageText(const std::string& message) {
  std::string text = message;
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
  return QString::fromStdString(text);
}

Tfrm_bool_alg::Tfrm_bool_alg(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frm_bool_alg"));
  setWindowTitle(QString::fromLatin1(kApplicationTitle));
  setFont(PixelFont("MS Sans Serif", 11, QFont::SansSerif));

  // The controls sit on the client area, which scrolls where the screen is smaller than it.
  scroll_ = new QScrollArea(this);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setFocusPolicy(Qt::NoFocus);
  scroll_->setWidgetResizable(true);
  client_ = new QWidget;
  client_->setObjectName(QStringLiteral("client"));
  // The table may be lower than at first, down to a few rows, before the client area scrolls.
  client_->setMinimumSize(kClientSize.width(), kClientSize.height() - kTableHeight + kMinTableHeight);
  client_->installEventFilter(this);
  scroll_->setWidget(client_);
  setCentralWidget(scroll_);
  shown_ = new ShownModel(this);
  CreateControls();

  commands_ = new WindowCommands(*this, LV, eIN);
  commands_->FillMenuBar(menuBar());
  CreateStatusBar();
  LayOutControls(kClientSize);
  setAcceptDrops(true);
  for (const std::string& entry : SavedHistory()) history_.Add(entry);
  openSize_ = QSize(kClientSize.width(),
                    kClientSize.height() + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
  resize(openSize_);
  FormCreate();
}

void Tfrm_bool_alg::CreateControls() {
  eIN = new QLineEdit(QStringLiteral("not(a+b)"), client_);
  eIN->setObjectName(QStringLiteral("eIN"));
  // One character more than accepted: a longer paste is cut to this length, and the click then
  // reports it instead of tabulating a silently shortened expression.
  eIN->setMaxLength(kMaxExpressionLength + 1);
  connect(eIN, &QLineEdit::textEdited, this, [this] { history_.Restart(); });
  connect(eIN, &QLineEdit::textChanged, this, [this](const QString& text) { Warn->SetBoxText(text); });

  LV = new TruthTableView(client_);
  LV->setObjectName(QStringLiteral("LV"));
  LV->Follow(*shown_);

  Button1 = new FocusButton(QStringLiteral("Tabulation"), client_);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &Tfrm_bool_alg::Button1Click);

  M = new QTextEdit(client_);
  M->setObjectName(QStringLiteral("M"));
  SetUpLegend(M);

  r1 = new QRadioButton(QStringLiteral("F \\ T"), client_);
  r1->setObjectName(QStringLiteral("r1"));
  r2 = new QRadioButton(QStringLiteral("0 \\ 1"), client_);
  r2->setObjectName(QStringLiteral("r2"));
  r2->setChecked(true);
  // The choice applies to the table shown at once, and to the next ones.
  connect(r1, &QRadioButton::toggled, this,
          [this](bool on) { shown_->SetDisplayMode(on ? DisplayMode::kFalseTrue : DisplayMode::kZeroOne); });

  // In the free band between the button row and the table, left of the legend.
  Warn = new WarningLine(client_);
  Warn->setObjectName(QStringLiteral("Warn"));
  connect(Warn, &WarningLine::textChanged, this, [this] { LayOutControls(client_->size()); });
  connect(Warn, &WarningLine::suggestionChosen, this, [this](const QString& text) { Tabulate(text); });

  // Up and Down step through the history; the commands' keys that the box takes for itself act
  // on the table when the box has nothing to act on.
  eIN->installEventFilter(this);

  setTabOrder(eIN, LV);
  setTabOrder(LV, Button1);
  setTabOrder(Button1, r1);
  setTabOrder(r1, r2);
  setTabOrder(r2, Warn->SuggestionButton());
  setTabOrder(Warn->SuggestionButton(), Warn->DetailsButton());
}

// The places of the first size; the extra width goes to the box, the warning line and the table,
// which also takes the extra height.
void Tfrm_bool_alg::LayOutControls(QSize client) {
  const int dw = std::max(0, client.width() - kClientSize.width());
  const int dh = std::max(kMinTableHeight - kTableHeight, client.height() - kClientSize.height());
  eIN->setGeometry(8, 8, 281 + dw, 21);
  Button1->setGeometry(8, 32, 75, 25);
  M->setGeometry(296 + dw, 8, 113, 65);
  r1->setGeometry(232 + dw, 32, 57, 17);
  r2->setGeometry(232 + dw, 48, 49, 17);
  // The warning line grows downwards to show its first warning whole; the table gives up the room.
  const int warn = Warn->isHidden() ? 20 : std::min(Warn->NeededHeight(281 + dw), 160);
  Warn->setGeometry(8, 66, 281 + dw, warn);
  LV->setGeometry(8, 68 + warn, 401 + dw, kTableHeight + dh - (warn - 20));
}

Tfrm_bool_alg::~Tfrm_bool_alg() = default;

void Tfrm_bool_alg::FormCreate() {
  QGuiApplication::setApplicationDisplayName(QString::fromLatin1(kApplicationTitle));
}

// The whole run happens on the large-stack thread and the table is shown only once it is built,
// so an error at any stage leaves the previous table exactly as it was.
std::optional<DiagnosedTable> Tfrm_bool_alg::TableOf(const QString& expression, DisplayMode mode,
                                                     QString* meant) {
  if (expression.size() > kMaxExpressionLength) {
    ShowError(ErrorMessageText("The expression is too long: at most " + std::to_string(kMaxExpressionLength) +
                               " characters are accepted"));
    return std::nullopt;
  }
  const std::string text = expression.toStdString();
  std::optional<DiagnosedTable> built;
  try {
    RunWithLargeStack([&] { built = TabulateExpression(text, defTV, mode, kWindowMaxVariables); });
  } catch (const EngineError& error) {
    std::optional<std::string> offer;
    if (meant) RunWithLargeStack([&] { offer = SuggestionAfterError(text, kWindowMaxVariables); });
    const QString message = ErrorMessageText(error.what());
    if (!offer)
      ShowError(message);
    else if (OfferMeantAfterError(message, QString::fromStdString(*offer)))
      *meant = QString::fromStdString(*offer);
  } catch (const std::bad_alloc&) {
    ShowError(ErrorMessageText("Not enough memory for this expression"));
  } catch (const std::exception& error) {
    ShowError(ErrorMessageText(error.what()));
  }
  return built;
}

AnalysisDialog* Tfrm_bool_alg::Analysis() const { return analysis_; }

QString Tfrm_bool_alg::ShownText() const { return QString::fromStdString(shown_->Shown().Text()); }

void Tfrm_bool_alg::Button1Click() { Tabulate(eIN->text()); }

bool Tfrm_bool_alg::Tabulate(const QString& text, const std::vector<std::string>& moreWarnings) {
  QString meant;
  std::optional<DiagnosedTable> built =
      TableOf(text, r1->isChecked() ? DisplayMode::kFalseTrue : DisplayMode::kZeroOne, &meant);
  if (!built) return !meant.isEmpty() && Tabulate(meant, moreWarnings);
  if (compare_) compare_->Cancel();
  if (eIN->text() != text) eIN->setText(text);
  // The view, the commands and the open dialogs follow the model.
  shown_->ShowTyped(text, std::move(built->table));
  std::vector<std::string>& warnings = built->diagnosis.warnings;
  warnings.insert(warnings.begin(), moreWarnings.begin(), moreWarnings.end());
  Warn->SetDiagnosis(built->diagnosis, text);
  history_.Add(text.toStdString());
  SaveHistory(history_.Entries());
  return true;
}

void Tfrm_bool_alg::AskCompare() {
  if (!LV->Table() || LV->RowCount() == 0) return;
  bool ok = false;
  const QString text = QInputDialog::getText(
      this, tr("Compare with"), tr("Compare the table of %1 with the expression:").arg(Quoted(ShownText())),
      QLineEdit::Normal, QString(), &ok);
  if (ok) CompareWith(text);
}

bool Tfrm_bool_alg::ComparisonRunning() const { return compare_ && compare_->Running(); }

void Tfrm_bool_alg::CompareWith(const QString& text) {
  const TruthTable* shown = LV->Table();
  if (!shown || LV->RowCount() == 0) return;
  const std::optional<DiagnosedTable> other = TableOf(text, DisplayMode::kZeroOne);
  if (!other) return;
  const QString first = Quoted(ShownText()), second = Quoted(text);
  meantFirst_ = QString::fromStdString(Warn->Shown().suggestion);
  meantSecond_ = QString::fromStdString(other->diagnosis.suggestion);
  if (!meantFirst_.isEmpty() && meantSecond_.isEmpty()) meantSecond_ = text;
  StartComparison(*shown, other->table, first, second,
                  ComparisonWarnings(first, Warn->Shown(), second, other->diagnosis), {});
}

// The solver with the diagrams beside it; `goOn`, when set, is the solver of the same comparison
// that ran out of time, which takes it up where it stopped.
void Tfrm_bool_alg::StartComparison(const TruthTable& a, const TruthTable& b, const QString& first,
                                    const QString& second, const QString& warnings,
                                    std::shared_ptr<DifferenceSolver> goOn) {
  if (!compare_) compare_ = new BackgroundJob(this);
  const SearchLimits limits = commands_->Limits();
  std::function<TableComparison(JobControl&)> work = [a, b, limits, goOn](JobControl& control) {
    const Budget budget(Budget::kNoLimit, [&control](std::uint64_t done, std::uint64_t total) {
      return control.Report(done, total);
    });
    return CompareTables(a.Program(), b.Program(), limits, budget, goOn);
  };
  const QString seconds = QLocale().toString(limits.solverTime.count() / 1000.0);
  StartJob<TableComparison>(
      *compare_, std::move(work),
      [this, a, b, first, second, warnings, seconds](const TableComparison& comparison) {
        if (comparison.status == SatStatus::kStopped) return;
        if (comparison.status == SatStatus::kOutOfTime) {
          const QString question =
              tr("No answer within %1 s: the two expressions are too complex for their decision diagrams, "
                 "and the solver has not settled the comparison yet. Go on for another %1 s?")
                  .arg(seconds);
          if (AskGoOn(question)) StartComparison(a, b, first, second, warnings, comparison.solver);
          return;
        }
        if (comparison.equivalent)
          return ShowComparison(tr("The two expressions are equivalent.") + warnings, std::nullopt);
        const QString row = QLocale().toString(static_cast<qulonglong>(comparison.row));
        const QString assignment =
            QString::fromStdString(RowAssignmentText(comparison.variables, comparison.row));
        ShowComparison(
            tr("Not equivalent: they first differ in row %1 (%2), where %3 gives %4 and %5 gives %6.")
                    .arg(row, assignment, first, QString::number(comparison.firstResult), second,
                         QString::number(comparison.secondResult)) +
                warnings,
            comparison.variables == a.Variables() ? std::optional(comparison.row) : std::nullopt);
      },
      [this](const JobFailure& failure) {
        ShowError(ErrorMessageText(failure.Text(tr("Not enough memory to compare")).toStdString()));
      },
      std::chrono::milliseconds(20));
  if (compare_->Running()) {
    compare_->ShowProgressDialog(
        this, tr("Comparing the two expressions\u2026") + u'\n' +
                  tr("The bar shows the time spent of %1 s; then you can go on.").arg(seconds));
  }
}

bool Tfrm_bool_alg::AskGoOn(const QString& question) {
  QMessageBox box(QMessageBox::Question, QGuiApplication::applicationDisplayName(), question,
                  QMessageBox::NoButton, this);
  QPushButton* goOn = box.addButton(tr("Go on"), QMessageBox::AcceptRole);
  box.addButton(tr("Stop"), QMessageBox::RejectRole);
  box.setDefaultButton(goOn);
  box.exec();
  return box.clickedButton() == goOn;
}

bool Tfrm_bool_alg::CompareAsMeant() {
  if (meantSecond_.isEmpty()) return false;
  const QString first = meantFirst_, second = meantSecond_;
  meantFirst_.clear();
  meantSecond_.clear();
  if (!first.isEmpty() && !Tabulate(first)) return false;
  CompareWith(second);
  return true;
}

void Tfrm_bool_alg::ShowComparison(const QString& text, std::optional<std::uint64_t> row) {
  QMessageBox box(QMessageBox::Information, QGuiApplication::applicationDisplayName(), text,
                  QMessageBox::Close, this);
  QPushButton* go =
      row ? box.addButton(tr("Go to row %1").arg(QLocale().toString(static_cast<qulonglong>(*row))),
                          QMessageBox::AcceptRole)
          : nullptr;
  // The sides as most likely meant, compared on request only.
  QPushButton* meant =
      meantSecond_.isEmpty()
          ? nullptr
          : box.addButton(
                meantFirst_.isEmpty()
                    ? tr("Compare with `%1` instead").arg(Quoted(meantSecond_))
                    : tr("Compare `%1` with `%2` instead").arg(Quoted(meantFirst_), Quoted(meantSecond_)),
                QMessageBox::ActionRole);
  box.exec();
  if (go && box.clickedButton() == go) LV->SelectRow(*row);
  if (meant && box.clickedButton() == meant) CompareAsMeant();
}

AnalysisDialog* Tfrm_bool_alg::OpenAnalysis(const QString& dontCare) {
  const TruthTable* table = FunctionTable();
  if (!table || LV->RowCount() == 0) return nullptr;
  // One analysis window at most: the new one takes the place of the one open.
  QRect place;
  if (AnalysisDialog* old = analysis_) {
    if (old->isVisible()) place = old->geometry();
    old->close();
    old->deleteLater();
    old->setParent(nullptr);  // no longer one of the window's dialogs, at once
  }
  // An opened file's output is analysed with the file's don't-cares unless others are given.
  const QString free = dontCare.isEmpty() ? QString::fromStdString(shown_->Shown().DontCare()) : dontCare;
  auto* dialog = new AnalysisDialog(*table, this, ShownText(), AnalysisOptions(), free);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  analysis_ = dialog;
  // A new table makes it the analysis of the table before.
  connect(shown_, &ShownModel::changed, dialog, [dialog](unsigned parts) {
    if (parts & kShownTable) dialog->MarkStale();
  });
  connect(dialog, &AnalysisDialog::rowRequested, this, [this](const QString& assignment) {
    if (const std::optional<QString> error = commands_->GoTo(assignment))
      statusBar()->showMessage(*error, 10000);
  });
  AddHelpKey(dialog, HelpTopic::kAnalysis);
  if (place.isValid()) {
    dialog->setGeometry(place);
    dialog->show();
    dialog->raise();
  } else {
    ShowBeside(dialog);
  }
  return dialog;
}

KmapDialog* Tfrm_bool_alg::OpenKmap() {
  const TruthTable* table = FunctionTable();
  if (!table || !KmapDialog::CanShow(*table)) return nullptr;
  auto* dialog = new KmapDialog(*table, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  // An opened file's output is drawn with the file's don't-cares, as its analysis is; a typed table
  // keeps those typed into the map, but not a file's once a typed table follows it.
  const auto fromFile = std::make_shared<bool>(false);
  const auto takeFileDontCares = [this, dialog, fromFile] {
    const bool file = shown_->Shown().File() != nullptr;
    if (file || *fromFile)
      dialog->DontCare()->SetText(file ? QString::fromStdString(shown_->Shown().DontCare()) : QString());
    *fromFile = file;
  };
  takeFileDontCares();
  if (*fromFile) dialog->ApplyDontCare();
  connect(shown_, &ShownModel::changed, dialog, [this, dialog, takeFileDontCares](unsigned parts) {
    const TruthTable* shown = FunctionTable();
    if (!(parts & kShownFunction) || !shown) return;
    takeFileDontCares();
    dialog->SetTable(*shown);
  });
  // In a file's table a cell is the first row with its values of the sum's variables.
  connect(dialog, &KmapDialog::rowClicked, LV, [this](quint64 row) {
    const TruthTable* shown = FunctionTable();
    if (!LV->File()) return LV->SelectRow(row);
    if (shown) commands_->GoTo(QString::fromStdString(RowAssignmentText(shown->Variables(), row)));
  });
  AddHelpKey(dialog, HelpTopic::kMap);
  ShowBeside(dialog);
  return dialog;
}

CircuitDialog* Tfrm_bool_alg::OpenCircuit() {
  const TruthTable* table = FunctionTable();
  if (!table || LV->RowCount() == 0) return nullptr;
  auto* dialog = new CircuitDialog(*table, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  FollowFunction(*shown_, dialog);
  AddHelpKey(dialog, HelpTopic::kCircuit);
  ShowBeside(dialog);
  return dialog;
}

void Tfrm_bool_alg::AskExport() {
  const TruthTable* table = FunctionTable();
  if (!table || LV->RowCount() == 0) return;
  if (!export_) export_ = new NetlistExport(this);
  const ShownFile* opened = shown_->Shown().File();
  if (!opened) return export_->Ask(*table, ShownText());
  // An opened file's exports: every output minimised together, as PLA or as a netlist, with the
  // file's names and named after the file.
  const QFileInfo info(QString::fromStdString(opened->name));
  const ExportedFile exported{opened->file, info.completeBaseName(), info.fileName()};
  export_->Ask(*table, ShownText(), &exported);
}

void Tfrm_bool_alg::ShowError(const QString& message) {
  QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), message, QMessageBox::Ok,
                  this);
  box.exec();
}

bool Tfrm_bool_alg::OfferMeantAfterError(const QString& message, const QString& meant) {
  QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), message, QMessageBox::Ok,
                  this);
  QPushButton* take = box.addButton(tr("&Tabulate `%1` instead").arg(Quoted(meant)), QMessageBox::AcceptRole);
  take->setToolTip(tr("Tabulate %1, the reading that was most likely meant").arg(meant));
  box.setDefaultButton(QMessageBox::Ok);
  box.exec();
  return box.clickedButton() == take;
}

Tfrm_bool_alg* ShowMainWindow() {
  auto* window = new Tfrm_bool_alg;
  window->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(window, &QObject::destroyed, qApp, &QCoreApplication::quit);
  window->show();
  return window;
}

}  // namespace brevano

// The main window: the expression box, the choice of truth values, "Tabulation" and the truth-table list.
#include "app/frm_boolean.h"

#include <QApplication>
#include <QCloseEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>
#include <exception>
#include <new>
#include <optional>

#include "app/analysis_dialog.h"
#include "app/background_job.h"
#include "app/focus_button.h"
#include "app/kmap_dialog.h"
#include "app/truth_table_view.h"
#include "app/warning_line.h"
#include "diagram/diagram.h"
#include "engine/deep_stack.h"
#include "engine/engine_error.h"
#include "frontend/tabulate_expression.h"
#include "tabulate/row_address.h"

namespace brevano {

namespace {

constexpr QSize kClientSize(414, 505);
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

// Longest expression quoted whole in a comparison's texts; a longer one ends in "…".
constexpr int kQuotedExpressionLength = 60;

QString Quoted(const QString& expression) {
  if (expression.size() <= kQuotedExpressionLength) return expression;
  return expression.left(kQuotedExpressionLength - 1) + QChar(u'\u2026');
}

}  // namespace

QString ErrorMessageText(const std::string& message) {
  std::string text = message;
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
  return QString::fromStdString(text);
}

Tfrm_bool_alg::Tfrm_bool_alg(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("frm_bool_alg"));
  setWindowTitle(QString::fromLatin1(kApplicationTitle));
  setFont(PixelFont("MS Sans Serif", 11, QFont::SansSerif));
  setFixedSize(kClientSize);

  eIN = new QLineEdit(QStringLiteral("not(a+b)"), this);
  eIN->setObjectName(QStringLiteral("eIN"));
  eIN->setGeometry(8, 8, 281, 21);
  // One character more than accepted: a longer paste is cut to this length, and the click then
  // reports it instead of tabulating a silently shortened expression.
  eIN->setMaxLength(kMaxExpressionLength + 1);

  LV = new TruthTableView(this);
  LV->setObjectName(QStringLiteral("LV"));
  LV->setGeometry(8, 88, 401, 409);
  connect(LV, &TruthTableView::analysisRequested, this, &Tfrm_bool_alg::OpenAnalysis);
  connect(LV, &TruthTableView::kmapRequested, this, &Tfrm_bool_alg::OpenKmap);
  connect(LV, &TruthTableView::compareRequested, this, &Tfrm_bool_alg::AskCompare);

  Button1 = new FocusButton(QStringLiteral("Tabulation"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(8, 32, 75, 25);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &Tfrm_bool_alg::Button1Click);

  M = new QTextEdit(this);
  M->setObjectName(QStringLiteral("M"));
  M->setGeometry(296, 8, 113, 65);
  SetUpLegend(M);

  r1 = new QRadioButton(QStringLiteral("F \\ T"), this);
  r1->setObjectName(QStringLiteral("r1"));
  r1->setGeometry(232, 32, 57, 17);
  r2 = new QRadioButton(QStringLiteral("0 \\ 1"), this);
  r2->setObjectName(QStringLiteral("r2"));
  r2->setGeometry(232, 48, 49, 17);
  r2->setChecked(true);

  // In the free band between the button row and the table, left of the legend.
  Warn = new WarningLine(this);
  Warn->setObjectName(QStringLiteral("Warn"));
  Warn->setGeometry(8, 66, 281, 20);

  // The table's commands also work while the expression is being edited.
  eIN->installEventFilter(this);

  setTabOrder(eIN, LV);
  setTabOrder(LV, Button1);
  setTabOrder(Button1, r1);
  setTabOrder(r1, r2);
  setTabOrder(r2, Warn->DetailsButton());

  setGeometry(
      QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, kClientSize, screen()->availableGeometry()));
  FormCreate();
}

Tfrm_bool_alg::~Tfrm_bool_alg() = default;

void Tfrm_bool_alg::FormCreate() {
  QGuiApplication::setApplicationDisplayName(QString::fromLatin1(kApplicationTitle));
}

// The whole run happens on the large-stack thread and the table is shown only once it is built,
// so an error at any stage leaves the previous table exactly as it was.
std::optional<DiagnosedTable> Tfrm_bool_alg::TableOf(const QString& expression, DisplayMode mode) {
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
    ShowError(ErrorMessageText(error.what()));
  } catch (const std::bad_alloc&) {
    ShowError(ErrorMessageText("Not enough memory for this expression"));
  } catch (const std::exception& error) {
    ShowError(ErrorMessageText(error.what()));
  }
  return built;
}

void Tfrm_bool_alg::Button1Click() {
  std::optional<DiagnosedTable> built =
      TableOf(eIN->text(), r1->isChecked() ? DisplayMode::kFalseTrue : DisplayMode::kZeroOne);
  if (!built) return;
  if (compare_) compare_->Cancel();
  LV->SetTable(std::move(built->table));
  Warn->SetDiagnosis(built->diagnosis);
  shownText_ = eIN->text();
  for (AnalysisDialog* dialog : findChildren<AnalysisDialog*>()) dialog->MarkStale();
  for (KmapDialog* map : findChildren<KmapDialog*>()) map->SetTable(*LV->Table());
}

void Tfrm_bool_alg::AskCompare() {
  if (!LV->Table() || LV->RowCount() == 0) return;
  bool ok = false;
  const QString text = QInputDialog::getText(
      this, tr("Compare with"), tr("Compare the table of %1 with the expression:").arg(Quoted(shownText_)),
      QLineEdit::Normal, QString(), &ok);
  if (ok) CompareWith(text);
}

bool Tfrm_bool_alg::ComparisonRunning() const { return compare_ && compare_->Running(); }

void Tfrm_bool_alg::CompareWith(const QString& text) {
  const TruthTable* shown = LV->Table();
  if (!shown || LV->RowCount() == 0) return;
  const std::optional<DiagnosedTable> other = TableOf(text, DisplayMode::kZeroOne);
  if (!other) return;
  if (!compare_) compare_ = new BackgroundJob(this);
  std::function<Comparison(JobControl&)> work = [a = *shown, b = other->table](JobControl& control) {
    return CompareFunctions(a.Program(), b.Program(), {}, [&control] { return control.StopRequested(); });
  };
  const QString first = Quoted(shownText_);
  const std::vector<std::string> columns = shown->Variables();
  StartJob<Comparison>(
      *compare_, std::move(work),
      [this, first, second = Quoted(text), columns](const Comparison& comparison) {
        if (comparison.status == DiagramStatus::kStopped) return;
        if (comparison.status == DiagramStatus::kTooComplex) {
          return ShowComparison(tr("The two expressions are too complex to compare."), std::nullopt);
        }
        if (comparison.equivalent)
          return ShowComparison(tr("The two expressions are equivalent."), std::nullopt);
        const QString row = QLocale().toString(static_cast<qulonglong>(comparison.row));
        const QString assignment =
            QString::fromStdString(RowAssignmentText(comparison.variables, comparison.row));
        ShowComparison(
            tr("Not equivalent: they first differ in row %1 (%2), where %3 gives %4 and %5 gives %6.")
                .arg(row, assignment, first, QString::number(comparison.firstResult), second,
                     QString::number(comparison.secondResult)),
            comparison.variables == columns ? std::optional(comparison.row) : std::nullopt);
      },
      [this](const JobFailure& failure) {
        ShowError(ErrorMessageText(failure.Text(tr("Not enough memory to compare")).toStdString()));
      },
      std::chrono::milliseconds(20));
  if (compare_->Running()) compare_->ShowProgressDialog(this, tr("Comparing the two expressions\u2026"));
}

void Tfrm_bool_alg::ShowComparison(const QString& text, std::optional<std::uint64_t> row) {
  QMessageBox box(QMessageBox::Information, QGuiApplication::applicationDisplayName(), text,
                  QMessageBox::Close, this);
  QPushButton* go =
      row ? box.addButton(tr("Go to row %1").arg(QLocale().toString(static_cast<qulonglong>(*row))),
                          QMessageBox::AcceptRole)
          : nullptr;
  box.exec();
  if (go && box.clickedButton() == go) LV->SelectRow(*row);
}

AnalysisDialog* Tfrm_bool_alg::OpenAnalysis() {
  const TruthTable* table = LV->Table();
  if (!table || LV->RowCount() == 0) return nullptr;
  auto* dialog = new AnalysisDialog(*table, this, shownText_);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->show();
  return dialog;
}

KmapDialog* Tfrm_bool_alg::OpenKmap() {
  const TruthTable* table = LV->Table();
  if (!table || !KmapDialog::CanShow(*table)) return nullptr;
  auto* dialog = new KmapDialog(*table, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &KmapDialog::rowClicked, LV, [this](quint64 row) { LV->SelectRow(row); });
  dialog->show();
  return dialog;
}

void Tfrm_bool_alg::ShowError(const QString& message) {
  QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), message, QMessageBox::Ok,
                  this);
  box.exec();
}

// Enter anywhere in the window that no control takes for itself presses the default button.
void Tfrm_bool_alg::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && Button1->isEnabled()) {
    Button1->click();
    return;
  }
  QWidget::keyPressEvent(event);
}

// The table's shortcuts that the edit box has no use for act on the table; Copy does when no text
// is selected in the box.
bool Tfrm_bool_alg::eventFilter(QObject* watched, QEvent* event) {
  if (watched != eIN || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const QKeySequence keys(key->keyCombination());
  static const QKeySequence kForwarded[] = {QKeySequence(Qt::Key_F3),
                                            QKeySequence(Qt::SHIFT | Qt::Key_F3),
                                            QKeySequence(Qt::Key_F4),
                                            QKeySequence(Qt::SHIFT | Qt::Key_F4),
                                            QKeySequence(Qt::CTRL | Qt::Key_G),
                                            QKeySequence(Qt::Key_F9),
                                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)};
  const bool copy = key->matches(QKeySequence::Copy) && !eIN->hasSelectedText();
  if (!copy && std::find(std::begin(kForwarded), std::end(kForwarded), keys) == std::end(kForwarded))
    return false;
  return LV->RunShortcut(copy ? QKeySequence(QKeySequence::Copy) : keys);
}

void Tfrm_bool_alg::closeEvent(QCloseEvent* event) {
  for (AnalysisDialog* dialog : findChildren<AnalysisDialog*>()) dialog->close();
  for (BackgroundJob* job : findChildren<BackgroundJob*>()) job->Cancel();
  QWidget::closeEvent(event);
}

Tfrm_bool_alg* ShowMainWindow() {
  auto* window = new Tfrm_bool_alg;
  window->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(window, &QObject::destroyed, qApp, &QCoreApplication::quit);
  window->show();
  return window;
}

}  // namespace brevano

// The circuit dialog: form and symbol choices, the view, the making of a form off the window's thread.
#include "app/circuit_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>
#include <functional>
#include <tuple>

#include "app/background_job.h"
#include "app/circuit_view.h"
#include "app/dialog_fit.h"
#include "app/picture_painter.h"
#include "app/printing.h"
#include "app/save_dialogs.h"
#include "engine/engine_error.h"

namespace brevano {

namespace {

// Around the picture: the choices, the title and the buttons.
constexpr int kChromeWidth = 60;
constexpr int kChromeHeight = 220;

QString NoteText(const TruthTable& table) {
  QStringList names;
  for (const std::string& name : table.Variables()) names << QString::fromStdString(name);
  if (names.isEmpty()) return QObject::tr("The table has no variables: the circuit is a constant.");
  return QObject::tr("Inputs at the left in the table's order: %1.").arg(names.join(QStringLiteral(", ")));
}

QString BusyText(CircuitForm form) {
  return form == CircuitForm::kProduct || form == CircuitForm::kNor
             ? QObject::tr("Minimising the product of sums\u2026")
             : QObject::tr("Minimising the sum of products\u2026");
}

}  // namespace

CircuitDialog::CircuitDialog(const TruthTable& table, QWidget* parent)
    : QDialog(parent), state_(std::make_unique<CircuitState>(table)) {
  setWindowTitle(tr("Circuit"));
  job_ = new BackgroundJob(this);
  BuildLayout();
  MakeCircuit();
  QSize size = view_->sizeHint() + QSize(kChromeWidth, kChromeHeight);
  size = size.expandedTo(QSize(520, 380));
  if (screen()) size = size.boundedTo(screen()->availableSize() * 9 / 10);
  resize(FitScreen(*this, size));
}

CircuitDialog::~CircuitDialog() { job_->Cancel(); }

void CircuitDialog::BuildLayout() {
  // Everything but the buttons scrolls where the screen is smaller than the choices need.
  const ScrolledLayout scrolled = MakeScrolledLayout(this);
  QVBoxLayout* layout = scrolled.content;
  note_ = new QLabel(this);
  note_->setWordWrap(true);
  layout->addWidget(note_);

  AddChoices(layout);
  AddTitleRow(layout);
  busy_ = new QLabel(this);
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 0);
  layout->addWidget(busy_);
  layout->addWidget(progress_);
  message_ = new QLabel(this);
  message_->setWordWrap(true);
  message_->setAlignment(Qt::AlignCenter);
  message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(message_, 1);
  scroll_ = new QScrollArea(this);
  scroll_->setWidgetResizable(true);
  view_ = new CircuitView(scroll_);
  view_->setAccessibleName(tr("Circuit"));
  scroll_->setWidget(view_);
  layout->addWidget(scroll_, 1);

  AddButtons(scrolled.outer);
  connect(forms_, &QButtonGroup::idClicked, this, [this](int id) { SetForm(static_cast<CircuitForm>(id)); });
  connect(styles_, &QButtonGroup::idClicked, this,
          [this](int id) { SetStyle(static_cast<SymbolStyle>(id)); });
}

// The form and symbol choices, the symbols under the form so that the dialog can be narrow.
void CircuitDialog::AddChoices(QVBoxLayout* layout) {
  auto* choices = new QVBoxLayout();
  auto* formBox = formBox_ = new QGroupBox(tr("Form"), this);
  // Three forms to a row, so that the dialog can be narrow.
  auto* formRow = new QGridLayout(formBox);
  forms_ = new QButtonGroup(this);
  const std::pair<CircuitForm, QString> forms[] = {{CircuitForm::kTyped, tr("As typed")},
                                                   {CircuitForm::kSum, tr("Least sum of products")},
                                                   {CircuitForm::kProduct, tr("Least product of sums")},
                                                   {CircuitForm::kNand, tr("NAND only")},
                                                   {CircuitForm::kNor, tr("NOR only")}};
  int place = 0;
  for (const auto& [form, text] : forms) {
    auto* button = new QRadioButton(text, formBox);
    forms_->addButton(button, static_cast<int>(form));
    formRow->addWidget(button, place / 3, place % 3);
    ++place;
  }
  auto* styleBox = new QGroupBox(tr("Symbols"), this);
  auto* styleRow = new QHBoxLayout(styleBox);
  styles_ = new QButtonGroup(this);
  auto* ansi = new QRadioButton(tr("Distinctive shapes (ANSI)"), styleBox);
  auto* iec = new QRadioButton(tr("Rectangles (IEC)"), styleBox);
  styles_->addButton(ansi, static_cast<int>(SymbolStyle::kAnsi));
  styles_->addButton(iec, static_cast<int>(SymbolStyle::kIec));
  styleRow->addWidget(ansi);
  styleRow->addWidget(iec);
  forms_->button(static_cast<int>(CircuitForm::kTyped))->setChecked(true);
  ansi->setChecked(true);
  choices->addWidget(formBox);
  choices->addWidget(styleBox);
  layout->addLayout(choices);
}

// The circuit's title with the zoom buttons beside it.
void CircuitDialog::AddTitleRow(QVBoxLayout* layout) {
  auto* titleRow = new QHBoxLayout();
  title_ = new QLabel(this);
  title_->setWordWrap(true);
  title_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  titleRow->addWidget(title_, 1);
  // Zoom: the picture fitted to the window at first, or at the scale chosen, scrolling.
  const std::tuple<QString, QKeySequence, std::function<void()>> zooms[] = {
      {tr("Zoom in"), QKeySequence(QKeySequence::ZoomIn), [this] { view_->ZoomBy(true); }},
      {tr("Zoom out"), QKeySequence(QKeySequence::ZoomOut), [this] { view_->ZoomBy(false); }},
      {tr("Fit"), QKeySequence(Qt::CTRL | Qt::Key_0), [this] { view_->SetZoom(std::nullopt); }}};
  for (const auto& [text, key, act] : zooms) {
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    button->setToolTip(QStringLiteral("%1 (%2)").arg(text, key.toString(QKeySequence::NativeText)));
    auto* shortcut = new QShortcut(key, this);
    connect(button, &QPushButton::clicked, this, act);
    connect(shortcut, &QShortcut::activated, this, act);
    titleRow->addWidget(button);
    pictureButtons_ << button;
  }
  layout->addLayout(titleRow);
}

// Saving, copying, printing and closing, under the scrolled part.
void CircuitDialog::AddButtons(QVBoxLayout* outer) {
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* svg = buttons->addButton(tr("Save as SVG\u2026"), QDialogButtonBox::ActionRole);
  QPushButton* png = buttons->addButton(tr("Save as PNG\u2026"), QDialogButtonBox::ActionRole);
  QPushButton* copy = buttons->addButton(tr("Copy image"), QDialogButtonBox::ActionRole);
  QPushButton* print = buttons->addButton(tr("Print\u2026"), QDialogButtonBox::ActionRole);
  QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
  // Enter never closes the dialog: it stays open beside the window while the expression is edited.
  for (QPushButton* button : {svg, png, copy, print, close}) button->setAutoDefault(false);
  pictureButtons_ << svg << png << copy << print;
  outer->addWidget(buttons);
  connect(print, &QPushButton::clicked, this, [this] {
    AskPrint(this, tr("Print the circuit"),
             [this](QPrinter& printer, QString& error) { return Print(printer, error); });
  });
  connect(svg, &QPushButton::clicked, this, [this] { AskSave(true); });
  connect(png, &QPushButton::clicked, this, [this] { AskSave(false); });
  connect(copy, &QPushButton::clicked, this, &CircuitDialog::CopyImage);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
}

// Makes the chosen form's circuit when it is not made yet: at once as typed, off the window's
// thread for the least forms.
void CircuitDialog::MakeCircuit() {
  job_->Cancel();
  if (!state_->Ready()) {
    const CircuitForm form = state_->Form();
    std::function<TableCircuit(JobControl&)> work = [table = state_->Table(), form](JobControl& control) {
      return CircuitOfTable(table, form, Budget(Budget::kNoLimit, [&control](std::uint64_t, std::uint64_t) {
                              return !control.StopRequested();
                            }));
    };
    StartJob<TableCircuit>(
        *job_, std::move(work),
        [this, form](TableCircuit circuit) {
          state_->Store(form, std::move(circuit));
          ShowState();
        },
        [this, form](const JobFailure& failure) {
          TableCircuit none;
          none.error = failure.Text(tr("Not enough memory for this circuit")).toStdString();
          state_->Store(form, std::move(none));
          ShowState();
        },
        std::chrono::milliseconds(50));
  }
  ShowState();
}

void CircuitDialog::ShowState() {
  if (shared_) {
    ShowShared();
    return;
  }
  formBox_->setVisible(true);
  note_->setText(NoteText(state_->Table()));
  const bool busy = !state_->Ready();
  busy_->setVisible(busy);
  progress_->setVisible(busy);
  busy_->setText(BusyText(state_->Form()));
  const QString message = QString::fromStdString(state_->Message());
  const bool drawn = !busy && message.isEmpty();
  title_->setText(QString::fromStdString(state_->Title()));
  message_->setText(message);
  message_->setVisible(!busy && !drawn);
  scroll_->setVisible(drawn);
  for (QWidget* button : pictureButtons_) button->setEnabled(drawn);
  view_->SetPicture(drawn ? state_->Picture(CircuitThemeForPalette(view_->palette())) : CircuitPicture{});
  if (!busy) emit circuitShown();
}

void CircuitDialog::ShowShared() {
  QStringList names;
  for (const std::string& name : shared_->network.inputs) names << QString::fromStdString(name);
  note_->setText(
      tr("Every output at the right, each product term one AND gate wired to the OR of every output it "
         "feeds. Inputs at the left in the file's order: %1.")
          .arg(names.isEmpty() ? tr("none") : names.join(QStringLiteral(", "))));
  formBox_->setVisible(false);
  busy_->setVisible(false);
  progress_->setVisible(false);
  const bool drawn = shared_->message.isEmpty();
  title_->setText(shared_->title);
  message_->setText(shared_->message);
  message_->setVisible(!drawn);
  scroll_->setVisible(drawn);
  for (QWidget* button : pictureButtons_) button->setEnabled(drawn);
  view_->SetPicture(ShownPicture(CircuitThemeForPalette(view_->palette())));
  emit circuitShown();
}

CircuitPicture CircuitDialog::ShownPicture(const CircuitTheme& theme) const {
  if (!shared_) return state_->Picture(theme);
  if (!shared_->message.isEmpty()) return {};
  return DrawSharedCircuit(shared_->network, shared_->layout, state_->Style(), theme);
}

void CircuitDialog::SetSharedCircuit(const BooleanFunction& function, const CubeCover& cover,
                                     const QString& title) {
  job_->Cancel();
  auto shown = std::make_unique<SharedShown>();
  shown->title = title;
  try {
    shown->network = SharedNetworkOf(function, cover);
    const std::string limit = SharedDrawingLimitMessage(shown->network);
    if (limit.empty())
      shown->layout = LayOutSharedCircuit(shown->network);
    else
      shown->message =
          QString::fromStdString(limit) + tr(" Export it as a netlist instead (File, Export\u2026).");
  } catch (const EngineError& error) {
    // A cover whose terms do not match the function's widths: said in place of the picture.
    shown->network = {};
    shown->message = QString::fromStdString(error.what());
  }
  shared_ = std::move(shown);
  ShowState();
}

void CircuitDialog::SetTable(const TruthTable& table) {
  const CircuitForm form = state_->Form();
  const SymbolStyle style = state_->Style();
  job_->Cancel();
  shared_.reset();
  state_ = std::make_unique<CircuitState>(table);
  state_->SetForm(form);
  state_->SetStyle(style);
  MakeCircuit();
}

void CircuitDialog::SetForm(CircuitForm form) {
  forms_->button(static_cast<int>(form))->setChecked(true);
  if (state_->SetForm(form) && !shared_) MakeCircuit();
}

void CircuitDialog::SetStyle(SymbolStyle style) {
  styles_->button(static_cast<int>(style))->setChecked(true);
  if (state_->SetStyle(style)) ShowState();
}

bool CircuitDialog::Busy() const { return !shared_ && !state_->Ready(); }

QString CircuitDialog::TitleText() const { return title_->text(); }

QString CircuitDialog::MessageText() const { return message_->text(); }

QImage CircuitDialog::Image(double scale) const {
  return PictureImage(ShownPicture(LightCircuitTheme()), scale);
}

bool CircuitDialog::SaveSvg(const QString& path, QString& error) const {
  return SavePictureSvg(ShownPicture(LightCircuitTheme()), tr("Circuit"), path, error);
}

bool CircuitDialog::SavePng(const QString& path, QString& error) const {
  return SavePicturePng(ShownPicture(LightCircuitTheme()), path, error);
}

void CircuitDialog::CopyImage() const { CopyPictureImage(ShownPicture(LightCircuitTheme())); }

bool CircuitDialog::Print(QPrinter& printer, QString& error) const {
  return PrintPicture(printer, ShownPicture(LightCircuitTheme()), error);
}

void CircuitDialog::AskSave(bool svg) {
  const std::optional<QString> path =
      AskPictureSavePath(this, tr("Save the circuit"), QStringLiteral("circuit"), svg);
  if (!path) return;
  QString error;
  if (!(svg ? SaveSvg(*path, error) : SavePng(*path, error)))
    QMessageBox::critical(this, windowTitle(), tr("Could not save \"%1\": %2").arg(*path, error));
}

// The colours follow the palette.
void CircuitDialog::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange && view_) ShowState();
  QDialog::changeEvent(event);
}

void CircuitDialog::done(int result) {
  job_->Cancel();
  QDialog::done(result);
}

}  // namespace brevano

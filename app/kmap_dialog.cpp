// The Karnaugh map dialog: the view, the toggle between the two covers, the term list and the exports.
#include "app/kmap_dialog.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/dialog_fit.h"
#include "app/dont_care_field.h"
#include "app/kmap_view.h"
#include "app/picture_painter.h"
#include "app/printing.h"
#include "app/save_dialogs.h"

namespace brevano {

namespace {

// Beside and around the map: the toggle and the term list, the note and the buttons.
constexpr int kSidePanelWidth = 340;
constexpr int kNoteAndButtonsHeight = 160;

QString NoteText(const KmapLayout& layout) {
  QStringList names;
  for (const std::string& name : layout.variables) names << QString::fromStdString(name);
  return QObject::tr("Variables in the table's order: %1. The small number in each cell is its table row.")
      .arg(names.join(QStringLiteral(", ")));
}

QIcon Swatch(Rgba colour) {
  QPixmap pixmap(14, 14);
  pixmap.fill(QColor(colour.r, colour.g, colour.b));
  return QIcon(pixmap);
}

}  // namespace

bool KmapDialog::CanShow(const TruthTable& table) {
  const std::size_t count = table.Variables().size();
  return count >= 1 && count <= static_cast<std::size_t>(kMaxKmapVariables);
}

KmapDialog::KmapDialog(const TruthTable& table, QWidget* parent)
    : QDialog(parent),
      state_(std::make_unique<KmapState>(MakeKmapLayout(table))),
      table_(table),
      function_{table, std::nullopt} {
  setWindowTitle(tr("Karnaugh map"));
  BuildLayout();
  ShowState();
  // Room for the map at its own size beside the term list, as far as the screen allows.
  const QSize map = view_->sizeHint();
  QSize size(map.width() + kSidePanelWidth, map.height() + kNoteAndButtonsHeight);
  if (screen()) size = size.boundedTo(screen()->availableSize() * 9 / 10);
  resize(FitScreen(*this, size));
}

KmapDialog::~KmapDialog() = default;

void KmapDialog::BuildLayout() {
  // Everything but the buttons scrolls where the screen is smaller than the map needs.
  const ScrolledLayout scrolled = MakeScrolledLayout(this);
  QVBoxLayout* layout = scrolled.content;
  note_ = new QLabel(this);
  note_->setWordWrap(true);
  layout->addWidget(note_);
  staleNote_ = new QLabel(tr("The table has changed and cannot be drawn as a map: this map shows the "
                             "previous table, and clicking a cell no longer selects a row."),
                          this);
  staleNote_->setWordWrap(true);
  staleNote_->setStyleSheet(QStringLiteral("font-weight: bold"));
  staleNote_->hide();
  layout->addWidget(staleNote_);
  dontCareField_ = new DontCareField(this);
  connect(dontCareField_, &DontCareField::applyRequested, this, &KmapDialog::ApplyDontCare);
  layout->addWidget(dontCareField_);

  auto* middle = new QHBoxLayout();
  view_ = new KmapView(state_.get(), this);
  view_->setAccessibleName(tr("Karnaugh map"));
  middle->addWidget(view_, 1);
  auto* side = new QVBoxLayout();
  sum_ = new QRadioButton(tr("Least sum of products (groups of 1s)"), this);
  product_ = new QRadioButton(tr("Least product of sums (groups of 0s)"), this);
  sum_->setChecked(true);
  title_ = new QLabel(this);
  title_->setWordWrap(true);
  title_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  terms_ = new QListWidget(this);
  terms_->setMouseTracking(true);
  terms_->setAccessibleName(tr("Terms"));
  side->addWidget(sum_);
  side->addWidget(product_);
  side->addWidget(title_);
  side->addWidget(terms_, 1);
  middle->addLayout(side);
  layout->addLayout(middle, 1);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* svg = buttons->addButton(tr("Save as SVG\u2026"), QDialogButtonBox::ActionRole);
  QPushButton* png = buttons->addButton(tr("Save as PNG\u2026"), QDialogButtonBox::ActionRole);
  QPushButton* copy = buttons->addButton(tr("Copy image"), QDialogButtonBox::ActionRole);
  QPushButton* print = buttons->addButton(tr("Print\u2026"), QDialogButtonBox::ActionRole);
  QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
  // Enter never closes the dialog: it stays open beside the window while the expression is edited.
  for (QPushButton* button : {svg, png, copy, print, close}) button->setAutoDefault(false);
  scrolled.outer->addWidget(buttons);
  connect(print, &QPushButton::clicked, this, [this] {
    AskPrint(this, tr("Print the map"),
             [this](QPrinter& printer, QString& error) { return Print(printer, error); });
  });
  ConnectControls();
  connect(svg, &QPushButton::clicked, this, [this] { AskSave(true); });
  connect(png, &QPushButton::clicked, this, [this] { AskSave(false); });
  connect(copy, &QPushButton::clicked, this, &KmapDialog::CopyImage);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
}

// Hovering and selecting terms on either side, the toggle, and clicks on cells.
void KmapDialog::ConnectControls() {
  connect(sum_, &QRadioButton::toggled, this, [this](bool on) {
    SetCoverKind(on ? KmapCoverKind::kSumOfProducts : KmapCoverKind::kProductOfSums);
  });
  connect(view_, &KmapView::termHovered, this, [this](int term) {
    if (state_->SetHovered(term)) Highlight();
  });
  connect(view_, &KmapView::termClicked, this, [this](int term) { terms_->setCurrentRow(term); });
  connect(view_, &KmapView::cellClicked, this, [this](quint64 row) {
    if (!stale_) emit rowClicked(row);
  });
  connect(terms_, &QListWidget::itemEntered, this, [this](QListWidgetItem* item) {
    if (state_->SetHovered(terms_->row(item))) Highlight();
  });
  connect(terms_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (state_->SetSelected(row)) Highlight();
  });
  terms_->viewport()->installEventFilter(this);
}

// Fills the note, the title and the term list from the state, and draws the map again.
void KmapDialog::ShowState() {
  note_->setText(NoteText(state_->Layout()));
  const KmapCover& cover = state_->Cover();
  title_->setText(QString::fromStdString(CoverTitle(cover) + ":\n" + cover.expression));
  const KmapTheme theme = ThemeForPalette(palette());
  const QSignalBlocker blocker(terms_);
  terms_->clear();
  for (std::size_t term = 0; term < cover.terms.size(); ++term) {
    terms_->addItem(new QListWidgetItem(Swatch(theme.groups[term % theme.groups.size()]),
                                        QString::fromStdString(cover.terms[term].text)));
  }
  Highlight();
}

void KmapDialog::Highlight() {
  for (int row = 0; row < terms_->count(); ++row) {
    QListWidgetItem* item = terms_->item(row);
    QFont font = item->font();
    font.setBold(row == state_->Highlighted());
    item->setFont(font);
  }
  view_->Refresh();
}

// A new table takes the don't-care expression again; when that does not fit it, the map is drawn
// without don't-cares and the field says why.
void KmapDialog::SetTable(const TruthTable& table) {
  if (!CanShow(table)) {
    stale_ = true;
    staleNote_->show();
    return;
  }
  table_ = table;
  std::optional<TableFunction> read = dontCareField_->Read(table_);
  function_ = read ? std::move(*read) : TableFunction{table_, std::nullopt};
  stale_ = false;
  staleNote_->hide();
  ShowFunction(function_);
}

bool KmapDialog::ApplyDontCare() {
  std::optional<TableFunction> read = dontCareField_->Read(table_);
  if (!read) return false;
  function_ = std::move(*read);
  ShowFunction(function_);
  return true;
}

void KmapDialog::ShowFunction(const TableFunction& function) {
  const KmapCoverKind kind = state_->Kind();
  // In place: the view holds a pointer to it.
  *state_ = KmapState(MakeKmapLayout(function));
  state_->SetKind(kind);
  ShowState();
}

void KmapDialog::SetCoverKind(KmapCoverKind kind) {
  if (!state_->SetKind(kind)) return;
  const QSignalBlocker sum(sum_), product(product_);
  sum_->setChecked(kind == KmapCoverKind::kSumOfProducts);
  product_->setChecked(kind == KmapCoverKind::kProductOfSums);
  ShowState();
}

bool KmapDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == terms_->viewport() && event->type() == QEvent::Leave && state_->SetHovered(-1)) Highlight();
  return QDialog::eventFilter(watched, event);
}

// The swatches follow the palette, as the map does.
void KmapDialog::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange && terms_) ShowState();
  QDialog::changeEvent(event);
}

QStringList KmapDialog::TermTexts() const {
  QStringList texts;
  for (int row = 0; row < terms_->count(); ++row) texts << terms_->item(row)->text();
  return texts;
}

KmapPicture KmapDialog::ExportPicture() const {
  return DrawKmap(state_->Layout(), state_->Cover(), KmapPictureOptions{});
}

QImage KmapDialog::Image(double scale) const { return PictureImage(ExportPicture(), scale); }

bool KmapDialog::SaveSvg(const QString& path, QString& error) const {
  return SavePictureSvg(ExportPicture(), tr("Karnaugh map"), path, error);
}

bool KmapDialog::SavePng(const QString& path, QString& error) const {
  return SavePicturePng(ExportPicture(), path, error);
}

void KmapDialog::CopyImage() const { CopyPictureImage(ExportPicture()); }

bool KmapDialog::Print(QPrinter& printer, QString& error) const {
  return PrintPicture(printer, ExportPicture(), error);
}

void KmapDialog::AskSave(bool svg) {
  const QString name = QStringLiteral("kmap%1_%2")
                           .arg(state_->Layout().variables.size())
                           .arg(state_->Kind() == KmapCoverKind::kSumOfProducts ? "sop" : "pos");
  const std::optional<QString> path = AskPictureSavePath(this, tr("Save the map"), name, svg);
  if (!path) return;
  QString error;
  if (!(svg ? SaveSvg(*path, error) : SavePng(*path, error))) {
    QMessageBox::critical(this, windowTitle(), tr("Could not save \"%1\": %2").arg(*path, error));
  }
}

}  // namespace brevano

// The truth-table list: a report-style view that paints only the visible rows of a table computed on demand;
// its commands are the window's (window_commands.h).
#include "app/truth_table_view.h"

#include <QHeaderView>
#include <QLocale>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyleOptionFocusRect>
#include <QStyleOptionHeader>
#include <algorithm>
#include <limits>
#include <string>

#include "app/shown_model.h"

namespace brevano {

namespace {

using Wide = unsigned __int128;

QString RowNumber(std::uint64_t row) { return QLocale().toString(static_cast<qulonglong>(row)); }

// Room between a right-aligned row number and the first value, which is left-aligned.
constexpr int kRowNumberGap = 8;

}  // namespace

TruthTableView::TruthTableView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

  headerModel_ = new QStandardItemModel(this);
  header_ = new QHeaderView(Qt::Horizontal, this);
  header_->setModel(headerModel_);
  header_->setSectionsClickable(false);
  header_->setSectionsMovable(false);
  header_->setStretchLastSection(false);
  header_->setMinimumSectionSize(8);
  header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header_->setSectionResizeMode(QHeaderView::Interactive);
  header_->setFocusPolicy(Qt::NoFocus);
  connect(header_, &QHeaderView::sectionResized, this, [this] {
    ElideCaptions();
    UpdateScrollBars();
    viewport()->update();
  });
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    header_->setOffset(value);
    viewport()->update();
  });
  connect(header_, &QHeaderView::sectionClicked, this, [this](int section) {
    if (!file_) return;
    const int output = section - (header_->count() - file_->OutputCount());
    if (output >= 0) emit outputClicked(output);
  });
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &TruthTableView::OnVerticalAction);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &TruthTableView::OnVerticalValue);

  UpdateMetrics();
}

TruthTableView::~TruthTableView() = default;

void TruthTableView::SelectionChanged() {
  viewport()->update();
  emit selectionChanged();
}

void TruthTableView::Follow(const ShownModel& model) {
  connect(&model, &ShownModel::changed, this, [this, &model](unsigned parts) {
    const ShownFunction& shown = model.Shown();
    if (parts & kShownTable) {
      if (const ShownFile* file = shown.File()) {
        SetFileTable(file->table, shown.Mode());
      } else if (shown.Table()) {
        SetTable(*shown.Table());
      }
    }
    if (parts & kShownOutput) SetChosenOutput(shown.ChosenOutput());
    if (parts & kShownMode) SetDisplayMode(shown.Mode());
  });
}

void TruthTableView::SetTable(TruthTable table) {
  file_.reset();
  table_ = std::move(table);
  Reset(table_->RowCount());
}

void TruthTableView::SetFileTable(std::shared_ptr<const FileTable> table, DisplayMode mode) {
  table_.reset();
  file_ = std::move(table);
  fileMode_ = mode;
  chosenOutput_ = 0;
  Reset(file_->RowCount());
}

void TruthTableView::Reset(std::uint64_t rows) {
  rows_ = rows;
  top_ = 0;
  cursor_.Reset(rows_);
  dragSelecting_ = false;
  wheelRemainder_ = 0;

  SetCaptions();
  horizontalScrollBar()->setValue(0);
  header_->setOffset(0);
  UpdateScrollBars();
  SelectionChanged();
  emit tableChanged();
}

void TruthTableView::SetDisplayMode(DisplayMode mode) {
  if (file_) {
    fileMode_ = mode;
    viewport()->update();
  }
  if (!table_ || table_->Mode() == mode) return;
  table_ = TruthTable::FromProgram(table_->Program(), mode);
  viewport()->update();
}

void TruthTableView::Clear() {
  table_.reset();
  file_.reset();
  rows_ = top_ = 0;
  cursor_.Reset(0);
  SetCaptions();
  UpdateScrollBars();
  SelectionChanged();
  emit tableChanged();
}

void TruthTableView::SetRowNumbersShown(bool shown) {
  if (shown == rowNumbers_) return;
  rowNumbers_ = shown;
  SetCaptions();
  UpdateScrollBars();
  viewport()->update();
}

// The header's sections: the row numbers when shown, wide enough for the last one, then the table's
// captions.
void TruthTableView::SetCaptions() {
  headerModel_->clear();
  captions_.clear();
  header_->setSectionsClickable(file_ != nullptr);
  if (!table_ && !file_) return;
  const bool numbers = rowNumbers_ && rows_ > 0;
  if (numbers) captions_ << tr("Row");
  for (const std::string& caption : TableCaptions()) captions_ << QString::fromStdString(caption);
  headerModel_->setHorizontalHeaderLabels(captions_);
  const int variables = file_ ? file_->InputCount() : static_cast<int>(table_->Variables().size());
  const int results = file_ ? file_->OutputCount() : 1;
  int column = 0;
  if (numbers) {
    const int digits = std::max(fontMetrics().horizontalAdvance(RowNumber(rows_ - 1)),
                                header_->fontMetrics().horizontalAdvance(captions_.front()));
    header_->resizeSection(column++, digits + 2 * cellPadding_ + kRowNumberGap);
  }
  for (int variable = 0; variable < variables + results; ++variable) {
    header_->resizeSection(column++, variable < variables ? kVariableColumnWidth : kResultColumnWidth);
  }
  ElideCaptions();
  MarkChosenOutput();
}

std::vector<std::string> TruthTableView::TableCaptions() const {
  if (file_) return file_->Captions();
  return table_ ? table_->Captions() : std::vector<std::string>{};
}

std::vector<std::string> TruthTableView::RowTexts(std::uint64_t row) const {
  if (file_) return file_->RowTexts(row, fileMode_);
  return table_ ? table_->RowTexts(row) : std::vector<std::string>{};
}

void TruthTableView::SetChosenOutput(int output) {
  if (!file_ || output < 0 || output >= file_->OutputCount() || output == chosenOutput_) return;
  chosenOutput_ = output;
  MarkChosenOutput();
  ShowResultColumn();
}

// The chosen output's caption is bold; the others are plain.
void TruthTableView::MarkChosenOutput() {
  if (!file_) return;
  const int first = captions_.size() - file_->OutputCount();
  for (int o = 0; o < file_->OutputCount(); ++o) {
    QFont font = header_->font();
    font.setBold(o == chosenOutput_);
    headerModel_->setHeaderData(first + o, Qt::Horizontal, font, Qt::FontRole);
  }
}

void TruthTableView::UpdateMetrics() {
  rowHeight_ = fontMetrics().height() + 4;
  cellPadding_ = header_->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header_);
  QStyleOptionHeader option;
  option.initFrom(header_);
  QFont bold = header_->font();
  bold.setBold(true);
  option.fontMetrics = QFontMetrics(bold);
  option.text = QStringLiteral("Result");
  headerHeight_ =
      header_->style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), header_).height();
  setViewportMargins(0, headerHeight_, 0, 0);
  UpdateGeometries();
  UpdateScrollBars();
}

void TruthTableView::UpdateGeometries() {
  const QRect area = viewport()->geometry();
  header_->setGeometry(area.left(), area.top() - headerHeight_, area.width(), headerHeight_);
}

int TruthTableView::VisibleRowCount() const { return std::max(1, viewport()->height() / rowHeight_); }

std::uint64_t TruthTableView::MaxTop() const {
  const auto visible = static_cast<std::uint64_t>(VisibleRowCount());
  return rows_ > visible ? rows_ - visible : 0;
}

bool TruthTableView::BarScaled() const {
  return MaxTop() > static_cast<std::uint64_t>(std::numeric_limits<int>::max());
}

int TruthTableView::BarForTop(std::uint64_t top) const {
  if (!BarScaled()) return static_cast<int>(top);
  return static_cast<int>(Wide{top} * kScaledBarRange / MaxTop());
}

std::uint64_t TruthTableView::TopForBar(int value) const {
  const auto position = static_cast<std::uint64_t>(std::max(value, 0));
  if (!BarScaled()) return position;
  const std::uint64_t maxTop = MaxTop();
  return static_cast<std::uint64_t>((Wide{position} * maxTop + kScaledBarRange - 1) / kScaledBarRange);
}

void TruthTableView::UpdateScrollBars() {
  syncingBar_ = true;
  top_ = std::min(top_, MaxTop());
  QScrollBar* vertical = verticalScrollBar();
  const int visible = VisibleRowCount();
  if (BarScaled()) {
    vertical->setRange(0, kScaledBarRange);
    vertical->setPageStep(static_cast<int>(
        std::max<Wide>(1, Wide{static_cast<std::uint64_t>(visible)} * kScaledBarRange / rows_)));
  } else {
    vertical->setRange(0, static_cast<int>(MaxTop()));
    vertical->setPageStep(visible);
  }
  vertical->setSingleStep(1);
  vertical->setValue(BarForTop(top_));

  QScrollBar* horizontal = horizontalScrollBar();
  const int width = viewport()->width();
  horizontal->setRange(0, std::max(0, header_->length() - width));
  horizontal->setPageStep(width);
  horizontal->setSingleStep(20);
  syncingBar_ = false;
}

void TruthTableView::OnVerticalValue(int value) {
  if (syncingBar_ || value == BarForTop(top_)) return;
  top_ = std::min(TopForBar(value), MaxTop());
  viewport()->update();
}

// The scrollbar's own steps become whole rows (and whole pages), whatever its scale.
void TruthTableView::OnVerticalAction(int action) {
  const std::uint64_t page = static_cast<std::uint64_t>(VisibleRowCount());
  std::uint64_t top = top_;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: top = top_ + 1; break;
    case QAbstractSlider::SliderSingleStepSub: top = top_ > 0 ? top_ - 1 : 0; break;
    case QAbstractSlider::SliderPageStepAdd: top = top_ + page; break;
    case QAbstractSlider::SliderPageStepSub: top = top_ > page ? top_ - page : 0; break;
    case QAbstractSlider::SliderToMinimum: top = 0; break;
    case QAbstractSlider::SliderToMaximum: top = MaxTop(); break;
    default: return;
  }
  top_ = std::min(top, MaxTop());
  verticalScrollBar()->setSliderPosition(BarForTop(top_));
  viewport()->update();
}

void TruthTableView::ScrollToTop(std::uint64_t row) {
  top_ = std::min(row, MaxTop());
  syncingBar_ = true;
  verticalScrollBar()->setValue(BarForTop(top_));
  syncingBar_ = false;
  viewport()->update();
}

void TruthTableView::EnsureVisible(std::uint64_t row) {
  const auto visible = static_cast<std::uint64_t>(VisibleRowCount());
  if (row < top_) {
    ScrollToTop(row);
  } else if (row - top_ >= visible) {
    ScrollToTop(row - visible + 1);
  }
}

void TruthTableView::CenterOn(std::uint64_t row) {
  const auto visible = static_cast<std::uint64_t>(VisibleRowCount());
  if (row >= top_ && row - top_ < visible) return;
  ScrollToTop(row > visible / 2 ? row - visible / 2 : 0);
}

std::optional<std::uint64_t> TruthTableView::RowAt(int y) const {
  if (y < 0 || rows_ == 0) return std::nullopt;
  const std::uint64_t row = top_ + static_cast<std::uint64_t>(y / rowHeight_);
  if (row >= rows_) return std::nullopt;
  return row;
}

std::uint64_t TruthTableView::RowAtClamped(int y) const {
  if (y < 0) return top_ > 0 ? top_ - 1 : 0;
  return std::min(top_ + static_cast<std::uint64_t>(y / rowHeight_), rows_ - 1);
}

void TruthTableView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateGeometries();
  UpdateScrollBars();
}

void TruthTableView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) UpdateMetrics();
}

void TruthTableView::paintEvent(QPaintEvent* event) {
  if ((!table_ && !file_) || rows_ == 0) return;
  QPainter painter(viewport());
  const QPalette::ColorGroup group = hasFocus() && isActiveWindow() ? QPalette::Active : QPalette::Inactive;
  const QFontMetrics metrics = fontMetrics();
  const int xOffset = horizontalScrollBar()->value();
  const int columns = header_->count();
  const int first = rowNumbers_ ? 1 : 0;  // the section of the table's first column
  const QRect area = event->rect();
  const int firstLine = std::max(0, area.top() / rowHeight_);
  const int lastLine = area.bottom() / rowHeight_;

  for (int line = firstLine; line <= lastLine; ++line) {
    const std::uint64_t row = top_ + static_cast<std::uint64_t>(line);
    if (row >= rows_) break;
    const QRect rowRect(-xOffset, line * rowHeight_, header_->length(), rowHeight_);
    const bool selected = cursor_.Selection().Contains(row);
    if (selected) painter.fillRect(rowRect, palette().brush(group, QPalette::Highlight));
    painter.setPen(palette().color(group, selected ? QPalette::HighlightedText : QPalette::Text));

    const std::vector<std::string> texts = RowTexts(row);
    for (int column = 0; column < columns && column - first < static_cast<int>(texts.size()); ++column) {
      const QRect cell(header_->sectionViewportPosition(column), rowRect.top(), header_->sectionSize(column),
                       rowHeight_);
      if (cell.right() < area.left() || cell.left() > area.right()) continue;
      const bool number = column < first;
      const QRect textRect = cell.adjusted(cellPadding_, 0, -cellPadding_ - (number ? kRowNumberGap : 0), 0);
      // The row numbers stand on the header's colour, apart from the table's values.
      if (number && !selected) {
        painter.fillRect(cell, palette().brush(group, QPalette::Button));
        painter.setPen(palette().color(group, QPalette::ButtonText));
      }
      const QString text = number ? RowNumber(row) : QString::fromStdString(texts[column - first]);
      painter.drawText(textRect, (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                       metrics.elidedText(text, Qt::ElideRight, textRect.width()));
      if (number && !selected) painter.setPen(palette().color(group, QPalette::Text));
    }

    if (cursor_.Current() == row && hasFocus()) {
      QStyleOptionFocusRect focus;
      focus.initFrom(this);
      focus.state |= QStyle::State_KeyboardFocusChange;
      focus.rect = rowRect.intersected(viewport()->rect());
      focus.backgroundColor = palette().color(group, selected ? QPalette::Highlight : QPalette::Base);
      style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
  }
}

// A caption too long for its column is cut in the middle, keeping both ends, which tell names such as
// DMPST0 … DMPST3 apart; where that still shows two captions alike, the end alone is kept, and failing
// that the part from where they differ. Its tooltip is the full name.
void TruthTableView::ElideCaptions() {
  const QFontMetrics metrics = header_->fontMetrics();
  const int columns = std::min<int>(captions_.size(), headerModel_->columnCount());
  const auto room = [this](int column) {
    return std::max(header_->sectionSize(column) - 2 * cellPadding_, 0);
  };
  QStringList shown;
  for (int column = 0; column < columns; ++column)
    shown << metrics.elidedText(captions_[column], Qt::ElideMiddle, room(column));
  const auto alike = [&shown](int column) { return shown.count(shown[column]) > 1; };
  std::vector<int> cut;
  for (int column = 0; column < columns; ++column) {
    if (shown[column] != captions_[column] && alike(column)) cut.push_back(column);
  }
  QStringList middle = shown;
  for (const int column : cut)
    shown[column] = metrics.elidedText(captions_[column], Qt::ElideLeft, room(column));
  for (const int column : cut) {
    if (!alike(column)) continue;
    // The part after the longest start it shares with a caption shown alike before.
    qsizetype common = 0;
    for (int other = 0; other < columns; ++other) {
      if (other == column || middle[other] != middle[column]) continue;
      qsizetype same = 0;
      while (same < captions_[column].size() && same < captions_[other].size() &&
             captions_[column][same] == captions_[other][same])
        ++same;
      common = std::max(common, same);
    }
    shown[column] =
        metrics.elidedText(QChar(0x2026) + captions_[column].mid(common), Qt::ElideRight, room(column));
  }
  for (int column = 0; column < columns; ++column) {
    if (headerModel_->headerData(column, Qt::Horizontal).toString() != shown[column])
      headerModel_->setHeaderData(column, Qt::Horizontal, shown[column]);
    headerModel_->setHeaderData(column, Qt::Horizontal, captions_[column], Qt::ToolTipRole);
  }
}

}  // namespace brevano

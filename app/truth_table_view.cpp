// The truth-table list: a report-style view that paints only the visible rows of a table computed on demand.
#include "app/truth_table_view.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QInputDialog>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QProgressDialog>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyleOptionFocusRect>
#include <QStyleOptionHeader>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <string>
#include <thread>

#include "app/analysis_dialog.h"
#include "tabulate/bit_parallel.h"

namespace brevano {

namespace {

// A search that has not ended after this long shows its progress dialog.
constexpr int kProgressDelayMs = 300;
// How long starting a search waits for it, so that short searches end without a round trip.
constexpr std::chrono::milliseconds kSearchWaitAtStart{20};
constexpr int kSearchPollMs = 30;

using Wide = unsigned __int128;

QString Count(std::uint64_t n) { return QLocale().toString(static_cast<qulonglong>(n)); }

// The notice for a search that found nothing.
QString NoRowMessage(bool forward, bool fromCurrent, int wanted) {
  if (!fromCurrent) return QObject::tr("No row has Result %1.").arg(wanted);
  return (forward ? QObject::tr("No row after the current row has Result %1.")
                  : QObject::tr("No row before the current row has Result %1."))
      .arg(wanted);
}

}  // namespace

void RowSelection::Clear() {
  ranges_.clear();
  count_ = 0;
}

void RowSelection::SelectOnly(std::uint64_t a, std::uint64_t b) {
  Clear();
  Add(a, b);
}

void RowSelection::Add(std::uint64_t a, std::uint64_t b) {
  std::uint64_t first = std::min(a, b);
  std::uint64_t last = std::max(a, b);
  // Absorb every range that overlaps [first, last] or touches it.
  auto it = ranges_.upper_bound(first);
  if (it != ranges_.begin()) {
    auto before = std::prev(it);
    if (before->second == std::numeric_limits<std::uint64_t>::max() || before->second + 1 >= first)
      it = before;
  }
  while (it != ranges_.end() &&
         (last == std::numeric_limits<std::uint64_t>::max() || it->first <= last + 1)) {
    first = std::min(first, it->first);
    last = std::max(last, it->second);
    count_ -= it->second - it->first + 1;
    it = ranges_.erase(it);
  }
  ranges_.emplace(first, last);
  count_ += last - first + 1;
}

void RowSelection::Remove(std::uint64_t row) {
  auto it = ranges_.upper_bound(row);
  if (it == ranges_.begin()) return;
  --it;
  const auto [first, last] = *it;
  if (row > last) return;
  ranges_.erase(it);
  --count_;
  if (first < row) ranges_.emplace(first, row - 1);
  if (row < last) ranges_.emplace(row + 1, last);
}

void RowSelection::Toggle(std::uint64_t row) {
  if (Contains(row)) {
    Remove(row);
  } else {
    Add(row, row);
  }
}

bool RowSelection::Contains(std::uint64_t row) const {
  auto it = ranges_.upper_bound(row);
  if (it == ranges_.begin()) return false;
  return row <= std::prev(it)->second;
}

// A search on its worker thread. The worker writes `outcome` and then sets `done` under the mutex;
// the view reads the outcome only after it has seen `done` and joined the thread.
struct TruthTableView::Search {
  TruthTable table;  // a copy: keeps the compiled program alive whatever the view shows meanwhile
  bool forward = true;
  bool fromCurrent = false;
  int wanted = 1;
  std::atomic<bool> cancel{false};
  std::atomic<std::uint64_t> examined{0};
  std::atomic<std::uint64_t> total{0};
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  bool failed = false;
  SearchOutcome outcome;
  std::thread worker;
  QElapsedTimer clock;
  QProgressDialog* dialog = nullptr;
};

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
    UpdateScrollBars();
    viewport()->update();
  });
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    header_->setOffset(value);
    viewport()->update();
  });
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &TruthTableView::OnVerticalAction);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &TruthTableView::OnVerticalValue);

  searchTimer_ = new QTimer(this);
  searchTimer_->setInterval(kSearchPollMs);
  connect(searchTimer_, &QTimer::timeout, this, &TruthTableView::OnSearchTick);

  CreateActions();
  UpdateMetrics();
  UpdateActions();
}

TruthTableView::~TruthTableView() { StopSearch(); }

void TruthTableView::CreateActions() {
  auto make = [this](const QString& text, const QList<QKeySequence>& keys, auto slot) {
    auto* action = new QAction(text, this);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action, &QAction::triggered, this, slot);
    addAction(action);
    return action;
  };
  copyAction_ = make(tr("Copy"), QKeySequence::keyBindings(QKeySequence::Copy), [this] { CopySelection(); });
  copyTableAction_ =
      make(tr("Copy table"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)}, [this] { CopyTable(); });
  selectAllAction_ =
      make(tr("Select all"), QKeySequence::keyBindings(QKeySequence::SelectAll), [this] { SelectAll(); });
  goToAction_ = make(tr("Go to row\u2026"), {QKeySequence(Qt::CTRL | Qt::Key_G)}, [this] { AskGoTo(); });
  findActions_[0] =
      make(tr("Next row where Result is 1"), {QKeySequence(Qt::Key_F3)}, [this] { FindResult(true, 1); });
  findActions_[1] =
      make(tr("Next row where Result is 0"), {QKeySequence(Qt::Key_F4)}, [this] { FindResult(true, 0); });
  findActions_[2] = make(tr("Previous row where Result is 1"), {QKeySequence(Qt::SHIFT | Qt::Key_F3)},
                         [this] { FindResult(false, 1); });
  findActions_[3] = make(tr("Previous row where Result is 0"), {QKeySequence(Qt::SHIFT | Qt::Key_F4)},
                         [this] { FindResult(false, 0); });
  analyseAction_ = make(tr("Analyse\u2026"), {}, [this] { OpenAnalysis(); });

  menu_ = new QMenu(this);
  menu_->addAction(copyAction_);
  menu_->addAction(copyTableAction_);
  menu_->addAction(selectAllAction_);
  menu_->addSeparator();
  menu_->addAction(goToAction_);
  menu_->addSeparator();
  for (QAction* action : findActions_) menu_->addAction(action);
  menu_->addSeparator();
  menu_->addAction(analyseAction_);
}

void TruthTableView::UpdateActions() {
  const bool rows = rows_ > 0;
  copyAction_->setEnabled(selection_.Count() > 0);
  copyTableAction_->setEnabled(rows);
  selectAllAction_->setEnabled(rows);
  goToAction_->setEnabled(rows);
  for (QAction* action : findActions_) action->setEnabled(rows);
  analyseAction_->setEnabled(rows);
}

AnalysisDialog* TruthTableView::OpenAnalysis() {
  if (!table_ || rows_ == 0) return nullptr;
  auto* dialog = new AnalysisDialog(*table_, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->show();
  return dialog;
}

void TruthTableView::SelectionChanged() {
  UpdateActions();
  viewport()->update();
}

void TruthTableView::SetTable(TruthTable table) {
  StopSearch();
  table_ = std::move(table);
  rows_ = table_->RowCount();
  top_ = 0;
  hasCurrent_ = false;
  current_ = anchor_ = 0;
  selection_.Clear();
  dragSelecting_ = false;
  wheelRemainder_ = 0;

  QStringList captions;
  for (const std::string& caption : table_->Captions()) captions << QString::fromStdString(caption);
  headerModel_->clear();
  headerModel_->setHorizontalHeaderLabels(captions);
  const std::vector<int> widths = table_->ColumnWidths();
  for (int column = 0; column < static_cast<int>(widths.size()); ++column) {
    header_->resizeSection(column, widths[column]);
  }
  horizontalScrollBar()->setValue(0);
  header_->setOffset(0);
  UpdateScrollBars();
  SelectionChanged();
}

void TruthTableView::Clear() {
  StopSearch();
  table_.reset();
  rows_ = top_ = current_ = anchor_ = 0;
  hasCurrent_ = false;
  selection_.Clear();
  headerModel_->clear();
  UpdateScrollBars();
  SelectionChanged();
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
  if (!table_ || rows_ == 0) return;
  QPainter painter(viewport());
  const QPalette::ColorGroup group = hasFocus() && isActiveWindow() ? QPalette::Active : QPalette::Inactive;
  const QFontMetrics metrics = fontMetrics();
  const int xOffset = horizontalScrollBar()->value();
  const int columns = header_->count();
  const QRect area = event->rect();
  const int firstLine = std::max(0, area.top() / rowHeight_);
  const int lastLine = area.bottom() / rowHeight_;

  for (int line = firstLine; line <= lastLine; ++line) {
    const std::uint64_t row = top_ + static_cast<std::uint64_t>(line);
    if (row >= rows_) break;
    const QRect rowRect(-xOffset, line * rowHeight_, header_->length(), rowHeight_);
    const bool selected = selection_.Contains(row);
    if (selected) painter.fillRect(rowRect, palette().brush(group, QPalette::Highlight));
    painter.setPen(palette().color(group, selected ? QPalette::HighlightedText : QPalette::Text));

    const std::vector<std::string> texts = table_->RowTexts(row);
    for (int column = 0; column < columns && column < static_cast<int>(texts.size()); ++column) {
      const QRect cell(header_->sectionViewportPosition(column), rowRect.top(), header_->sectionSize(column),
                       rowHeight_);
      if (cell.right() < area.left() || cell.left() > area.right()) continue;
      const QRect textRect = cell.adjusted(cellPadding_, 0, -cellPadding_, 0);
      painter.drawText(
          textRect, Qt::AlignLeft | Qt::AlignVCenter,
          metrics.elidedText(QString::fromStdString(texts[column]), Qt::ElideRight, textRect.width()));
    }

    if (hasCurrent_ && row == current_ && hasFocus()) {
      QStyleOptionFocusRect focus;
      focus.initFrom(this);
      focus.state |= QStyle::State_KeyboardFocusChange;
      focus.rect = rowRect.intersected(viewport()->rect());
      focus.backgroundColor = palette().color(group, selected ? QPalette::Highlight : QPalette::Base);
      style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
  }
}

std::optional<std::uint64_t> TruthTableView::CurrentRow() const {
  if (!hasCurrent_) return std::nullopt;
  return current_;
}

void TruthTableView::SelectRow(std::uint64_t row) {
  if (row >= rows_) return;
  hasCurrent_ = true;
  current_ = anchor_ = row;
  selection_.SelectOnly(row, row);
  CenterOn(row);
  SelectionChanged();
}

void TruthTableView::SelectAll() {
  if (rows_ == 0) return;
  selection_.SelectOnly(0, rows_ - 1);
  SelectionChanged();
}

// Keyboard moves: Shift extends the selection from the anchor, Ctrl moves the current row alone.
void TruthTableView::MoveCurrent(std::uint64_t row, Qt::KeyboardModifiers modifiers) {
  hasCurrent_ = true;
  current_ = row;
  if (modifiers & Qt::ShiftModifier) {
    selection_.SelectOnly(anchor_, row);
  } else if (!(modifiers & Qt::ControlModifier)) {
    selection_.SelectOnly(row, row);
    anchor_ = row;
  }
  EnsureVisible(row);
  SelectionChanged();
}

// Mouse clicks: Shift selects from the anchor (Ctrl+Shift adds that range), Ctrl toggles one row.
void TruthTableView::ClickRow(std::uint64_t row, Qt::KeyboardModifiers modifiers) {
  const bool shift = modifiers & Qt::ShiftModifier;
  const bool control = modifiers & Qt::ControlModifier;
  if (shift && control) {
    selection_.Add(anchor_, row);
  } else if (shift) {
    selection_.SelectOnly(anchor_, row);
  } else if (control) {
    selection_.Toggle(row);
    anchor_ = row;
  } else {
    selection_.SelectOnly(row, row);
    anchor_ = row;
  }
  hasCurrent_ = true;
  current_ = row;
  EnsureVisible(row);
  SelectionChanged();
}

void TruthTableView::keyPressEvent(QKeyEvent* event) {
  if (rows_ == 0) {
    event->ignore();
    return;
  }
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  const std::uint64_t last = rows_ - 1;
  const std::uint64_t current = hasCurrent_ ? current_ : top_;
  const auto visible = static_cast<std::uint64_t>(VisibleRowCount());
  const std::uint64_t page = std::max<std::uint64_t>(1, visible - 1);
  const std::uint64_t bottom = std::min(top_ + visible - 1, last);
  const bool onScreen = current >= top_ && current <= bottom;
  switch (event->key()) {
    case Qt::Key_Up: MoveCurrent(hasCurrent_ && current > 0 ? current - 1 : current, modifiers); break;
    case Qt::Key_Down: MoveCurrent(hasCurrent_ ? std::min(current + 1, last) : current, modifiers); break;
    case Qt::Key_PageUp:
      MoveCurrent(onScreen && current > top_ ? top_ : (current > page ? current - page : 0), modifiers);
      break;
    case Qt::Key_PageDown:
      MoveCurrent(onScreen && current < bottom ? bottom : std::min(current + page, last), modifiers);
      break;
    case Qt::Key_Home: MoveCurrent(0, modifiers); break;
    case Qt::Key_End: MoveCurrent(last, modifiers); break;
    case Qt::Key_Left: horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case Qt::Key_Right: horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    case Qt::Key_Space:
      if (modifiers & Qt::ControlModifier) {
        hasCurrent_ = true;
        current_ = current;
        selection_.Toggle(current);
        anchor_ = current;
        SelectionChanged();
      } else {
        MoveCurrent(current, modifiers);
      }
      break;
    default: event->ignore(); return;
  }
  event->accept();
}

void TruthTableView::mousePressEvent(QMouseEvent* event) {
  if (rows_ == 0) return;
  const std::optional<std::uint64_t> row = RowAt(event->position().toPoint().y());
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  if (event->button() == Qt::LeftButton) {
    if (!row) {
      if (!(modifiers & (Qt::ShiftModifier | Qt::ControlModifier))) {
        selection_.Clear();
        SelectionChanged();
      }
      return;
    }
    ClickRow(*row, modifiers);
    dragSelecting_ = !(modifiers & Qt::ControlModifier);
  } else if (event->button() == Qt::RightButton && row) {
    if (selection_.Contains(*row)) {
      hasCurrent_ = true;
      current_ = *row;
      SelectionChanged();
    } else {
      ClickRow(*row, Qt::NoModifier);
    }
  }
}

void TruthTableView::mouseMoveEvent(QMouseEvent* event) {
  if (!dragSelecting_ || !(event->buttons() & Qt::LeftButton) || rows_ == 0) return;
  const std::uint64_t row = RowAtClamped(event->position().toPoint().y());
  if (hasCurrent_ && row == current_) return;
  hasCurrent_ = true;
  current_ = row;
  selection_.SelectOnly(anchor_, row);
  EnsureVisible(row);
  SelectionChanged();
}

void TruthTableView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragSelecting_ = false;
}

void TruthTableView::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

// The wheel scrolls whole rows (Ctrl: whole pages) and leaves the current row where it is.
void TruthTableView::wheelEvent(QWheelEvent* event) {
  event->accept();
  const QPoint delta = event->angleDelta();
  const bool sideways = delta.x() != 0 || (event->modifiers() & Qt::ShiftModifier);
  if (sideways) {
    const int dx = delta.x() != 0 ? delta.x() : delta.y();
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setValue(horizontal->value() - dx * horizontal->singleStep() * 3 / 120);
    return;
  }
  if (rows_ == 0) return;
  wheelRemainder_ += delta.y();
  const int notches = wheelRemainder_ / 120;
  wheelRemainder_ -= notches * 120;
  if (notches == 0) return;
  const std::uint64_t perNotch =
      (event->modifiers() & Qt::ControlModifier)
          ? static_cast<std::uint64_t>(VisibleRowCount())
          : static_cast<std::uint64_t>(std::max(1, QApplication::wheelScrollLines()));
  const std::uint64_t distance = perNotch * static_cast<std::uint64_t>(notches > 0 ? notches : -notches);
  if (notches > 0) {
    ScrollToTop(top_ > distance ? top_ - distance : 0);
  } else {
    ScrollToTop(top_ + std::min(distance, MaxTop()));
  }
}

void TruthTableView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  if (!hasCurrent_ && rows_ > 0) {
    hasCurrent_ = true;
    current_ = anchor_ = top_;
  }
  viewport()->update();
}

void TruthTableView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  dragSelecting_ = false;
  viewport()->update();
}

void TruthTableView::contextMenuEvent(QContextMenuEvent* event) {
  UpdateActions();
  QPoint at = event->globalPos();
  if (event->reason() == QContextMenuEvent::Keyboard && hasCurrent_ && current_ >= top_) {
    const auto line = std::min<std::uint64_t>(current_ - top_, static_cast<std::uint64_t>(VisibleRowCount()));
    at = viewport()->mapToGlobal(QPoint(cellPadding_, static_cast<int>(line + 1) * rowHeight_));
  }
  menu_->exec(at);
}

QString TruthTableView::RangesText(const std::map<std::uint64_t, std::uint64_t>& ranges) const {
  std::string text;
  auto appendLine = [&text](const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (i) text += '\t';
      text += cells[i];
    }
    text += '\n';
  };
  appendLine(table_->Captions());
  for (const auto& [first, last] : ranges) {
    for (std::uint64_t row = first;; ++row) {
      appendLine(table_->RowTexts(row));
      if (row == last) break;
    }
  }
  return QString::fromStdString(text);
}

QString TruthTableView::SelectedRowsText() const {
  if (!table_ || selection_.Count() == 0 || selection_.Count() > kMaxCopyRows) return QString();
  return RangesText(selection_.Ranges());
}

void TruthTableView::CopySelection() {
  if (!table_ || selection_.Count() == 0) return;
  if (selection_.Count() > kMaxCopyRows) {
    Notify(tr("%1 rows are selected, too many for the clipboard: Copy takes at most %2 rows.")
               .arg(Count(selection_.Count()), Count(kMaxCopyRows)));
    return;
  }
  QApplication::clipboard()->setText(SelectedRowsText());
}

void TruthTableView::CopyTable() {
  if (!table_ || rows_ == 0) return;
  if (rows_ > kMaxCopyRows) {
    Notify(tr("The table has %1 rows, too many for the clipboard: Copy table takes at most %2 rows.")
               .arg(Count(rows_), Count(kMaxCopyRows)));
    return;
  }
  QApplication::clipboard()->setText(RangesText({{0, rows_ - 1}}));
}

void TruthTableView::Notify(const QString& text) {
  if (noticeHandler_) {
    noticeHandler_(text);
  } else {
    QMessageBox::information(this, QGuiApplication::applicationDisplayName(), text);
  }
}

std::optional<QString> TruthTableView::GoTo(const QString& text) {
  if (!table_ || rows_ == 0) return tr("There is no table.");
  const QString usage = tr("Type a row index from 0 to %1, or an assignment such as %2.");
  const std::vector<std::string>& variables = table_->Variables();
  const QString example =
      variables.size() >= 2
          ? QString::fromStdString(variables[0] + "=1 " + variables[1] + "=0")
          : (variables.empty() ? QStringLiteral("A=1") : QString::fromStdString(variables[0] + "=1"));
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return usage.arg(Count(rows_ - 1), example);

  const bool digits =
      std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
  if (digits) {
    bool ok = false;
    const qulonglong row = trimmed.toULongLong(&ok);
    if (!ok || row >= rows_)
      return tr("There is no row %1: the rows are numbered from 0 to %2.").arg(trimmed, Count(rows_ - 1));
    SelectRow(row);
    return std::nullopt;
  }
  if (!trimmed.contains(u'=')) return usage.arg(Count(rows_ - 1), example);

  // Assignments "NAME=VALUE", separated by blanks, commas or semicolons; a name may hold blanks
  // (an indexed name's column is "M @A"), so it runs up to its "=".
  const std::string input = trimmed.toStdString();
  auto separator = [](char c) { return c == ' ' || c == '\t' || c == ',' || c == ';'; };
  const int n = static_cast<int>(variables.size());
  std::uint64_t row = 0;
  std::size_t pos = 0;
  while (true) {
    while (pos < input.size() && separator(input[pos])) ++pos;
    if (pos == input.size()) break;
    const std::size_t equals = input.find('=', pos);
    if (equals == std::string::npos) {
      return tr("\"%1\" is not an assignment such as %2.")
          .arg(QString::fromStdString(input.substr(pos)), example);
    }
    std::string name = input.substr(pos, equals - pos);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();
    for (char& c : name) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    pos = equals + 1;
    while (pos < input.size() && (input[pos] == ' ' || input[pos] == '\t')) ++pos;
    const std::size_t valueStart = pos;
    while (pos < input.size() && !separator(input[pos])) ++pos;
    const std::string value = input.substr(valueStart, pos - valueStart);
    if (name.empty()) return tr("A variable name is missing before \"=\".");
    const auto found = std::find(variables.begin(), variables.end(), name);
    if (found == variables.end())
      return tr("The table has no variable %1.").arg(QString::fromStdString(name));
    int bit;
    if (value == "1" || value == "T" || value == "t") {
      bit = 1;
    } else if (value == "0" || value == "F" || value == "f") {
      bit = 0;
    } else {
      return tr("%1=%2: a variable is 0, 1, F or T.")
          .arg(QString::fromStdString(name), QString::fromStdString(value));
    }
    const int shift = n - 1 - static_cast<int>(found - variables.begin());
    const std::uint64_t mask = std::uint64_t{1} << shift;
    row = bit ? (row | mask) : (row & ~mask);
  }
  SelectRow(row);
  return std::nullopt;
}

void TruthTableView::AskGoTo() {
  if (!table_ || rows_ == 0) return;
  const std::vector<std::string>& variables = table_->Variables();
  QString label =
      tr("Row index, counted from 0 (the values read as a binary number): 0 to %1").arg(Count(rows_ - 1));
  if (!variables.empty()) {
    label += tr(",\nor an assignment such as %1=1 (variables not named are 0):")
                 .arg(QString::fromStdString(variables.front()));
  } else {
    label += u':';
  }
  bool ok = false;
  const QString text = QInputDialog::getText(this, tr("Go to row"), label, QLineEdit::Normal, QString(), &ok);
  if (!ok) return;
  if (const std::optional<QString> error = GoTo(text)) Notify(*error);
}

void TruthTableView::FindResult(bool forward, int wanted) {
  if (!table_ || rows_ == 0) return;
  StopSearch();
  std::uint64_t from;
  if (forward) {
    from = hasCurrent_ ? current_ + 1 : 0;
    if (from >= rows_) return Notify(NoRowMessage(forward, hasCurrent_, wanted));
  } else {
    if (hasCurrent_ && current_ == 0) return Notify(NoRowMessage(forward, hasCurrent_, wanted));
    from = hasCurrent_ ? current_ - 1 : rows_ - 1;
  }

  search_ = std::make_unique<Search>();
  Search* search = search_.get();
  search->table = *table_;
  search->forward = forward;
  search->fromCurrent = hasCurrent_;
  search->wanted = wanted;
  search->clock.start();
  search->worker = std::thread([search, from] {
    const ProgressCallback progress = [search](std::uint64_t done, std::uint64_t total) {
      search->examined.store(done, std::memory_order_relaxed);
      search->total.store(total, std::memory_order_relaxed);
      return !search->cancel.load(std::memory_order_relaxed);
    };
    SearchOutcome outcome;
    bool failed = false;
    try {
      const CompiledProgram& program = search->table.Program();
      outcome = search->forward ? FindNextRow(program, search->wanted, from, progress)
                                : FindPreviousRow(program, search->wanted, from, progress);
    } catch (...) {
      failed = true;
    }
    {
      std::lock_guard lock(search->mutex);
      search->outcome = outcome;
      search->failed = failed;
      search->done = true;
    }
    search->finished.notify_all();
  });
  {
    std::unique_lock lock(search->mutex);
    search->finished.wait_for(lock, kSearchWaitAtStart, [search] { return search->done; });
  }
  OnSearchTick();
  if (search_) searchTimer_->start();
}

void TruthTableView::OnSearchTick() {
  if (!search_) {
    searchTimer_->stop();
    return;
  }
  Search& search = *search_;
  bool done;
  {
    std::lock_guard lock(search.mutex);
    done = search.done;
  }
  if (!done) {
    if (!search.dialog && search.clock.elapsed() >= kProgressDelayMs) {
      const QString what = search.forward ? tr("Searching for the next row where Result is %1\u2026")
                                          : tr("Searching for the previous row where Result is %1\u2026");
      search.dialog = new QProgressDialog(what.arg(search.wanted), tr("Cancel"), 0, 1000, this);
      search.dialog->setWindowTitle(QGuiApplication::applicationDisplayName());
      search.dialog->setWindowModality(Qt::WindowModal);
      search.dialog->setAutoClose(false);
      search.dialog->setAutoReset(false);
      search.dialog->setMinimumDuration(0);
      connect(search.dialog, &QProgressDialog::canceled, this, &TruthTableView::CancelSearch);
      search.dialog->show();
    }
    if (search.dialog) {
      const std::uint64_t total = search.total.load(std::memory_order_relaxed);
      const std::uint64_t examined = search.examined.load(std::memory_order_relaxed);
      if (total > 0) search.dialog->setValue(static_cast<int>(Wide{examined} * 1000 / total));
    }
    return;
  }

  searchTimer_->stop();
  search.worker.join();
  const std::unique_ptr<Search> finished = std::move(search_);
  if (finished->dialog) {
    finished->dialog->disconnect(this);
    finished->dialog->hide();
    finished->dialog->deleteLater();
  }
  if (finished->outcome.row) {
    SelectRow(*finished->outcome.row);
  } else if (finished->failed) {
    Notify(tr("Not enough memory to search the table."));
  } else if (!finished->outcome.stopped) {
    Notify(NoRowMessage(finished->forward, finished->fromCurrent, finished->wanted));
  }
  emit searchFinished();
}

void TruthTableView::StopSearch() {
  searchTimer_->stop();
  if (!search_) return;
  search_->cancel.store(true);
  if (search_->worker.joinable()) search_->worker.join();
  if (search_->dialog) {
    search_->dialog->disconnect(this);
    search_->dialog->hide();
    search_->dialog->deleteLater();
  }
  search_.reset();
}

void TruthTableView::CancelSearch() {
  if (!search_) return;
  StopSearch();
  emit searchFinished();
}

}  // namespace brevano

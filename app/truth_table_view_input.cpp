// The truth-table list's input: the cursor and selection, driven by keys, mouse, wheel and focus, and the
// context menu asked for at the current row.
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>
#include <optional>

#include "app/truth_table_view.h"

namespace brevano {

namespace {

SelectKeys KeysOf(Qt::KeyboardModifiers modifiers) {
  return {(modifiers & Qt::ShiftModifier) != 0, (modifiers & Qt::ControlModifier) != 0};
}

}  // namespace

std::optional<std::uint64_t> TruthTableView::CurrentRow() const { return cursor_.Current(); }

void TruthTableView::SelectRow(std::uint64_t row) {
  if (row >= rows_) return;
  cursor_.SelectRow(row);
  CenterOn(row);
  ShowResultColumn();
  SelectionChanged();
}

// A row gone to is about its Result (a file's chosen output): where the columns are wider than the
// view, that column comes into view at the right edge.
void TruthTableView::ShowResultColumn() {
  const int last = header_->count() - 1 - (file_ ? file_->OutputCount() - 1 - chosenOutput_ : 0);
  if (last < 0) return;
  const int left = header_->sectionPosition(last), right = left + header_->sectionSize(last);
  QScrollBar* bar = horizontalScrollBar();
  if (left < bar->value() || right > bar->value() + viewport()->width())
    bar->setValue(std::max(0, right - viewport()->width()));
}

void TruthTableView::SelectAll() {
  if (rows_ == 0) return;
  cursor_.SelectAll();
  SelectionChanged();
}

// After a keyboard move or a click: the current row comes into view.
void TruthTableView::CursorMoved(std::uint64_t row) {
  EnsureVisible(row);
  SelectionChanged();
}

void TruthTableView::KeyMove(CursorKey key, Qt::KeyboardModifiers modifiers) {
  const std::uint64_t row = cursor_.KeyTarget(key, top_, static_cast<std::uint64_t>(VisibleRowCount()));
  cursor_.MoveTo(row, KeysOf(modifiers));
  CursorMoved(row);
}

void TruthTableView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(cellPadding_, 0),
                           viewport()->mapToGlobal(QPoint(cellPadding_, 0)));
    contextMenuEvent(&menu);
    return;
  }
  if (rows_ == 0) {
    event->ignore();
    return;
  }
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  switch (event->key()) {
    case Qt::Key_Up: KeyMove(CursorKey::kUp, modifiers); break;
    case Qt::Key_Down: KeyMove(CursorKey::kDown, modifiers); break;
    case Qt::Key_PageUp: KeyMove(CursorKey::kPageUp, modifiers); break;
    case Qt::Key_PageDown: KeyMove(CursorKey::kPageDown, modifiers); break;
    case Qt::Key_Home: KeyMove(CursorKey::kHome, modifiers); break;
    case Qt::Key_End: KeyMove(CursorKey::kEnd, modifiers); break;
    case Qt::Key_Left: horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case Qt::Key_Right: horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    case Qt::Key_Space:
      if (modifiers & Qt::ControlModifier) {
        cursor_.ToggleCurrent(top_);
        SelectionChanged();
      } else {
        const std::uint64_t row = cursor_.Current().value_or(top_);
        cursor_.MoveTo(row, KeysOf(modifiers));
        CursorMoved(row);
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
        cursor_.ClearSelection();
        SelectionChanged();
      }
      return;
    }
    cursor_.Click(*row, KeysOf(modifiers));
    CursorMoved(*row);
    dragSelecting_ = !(modifiers & Qt::ControlModifier);
  } else if (event->button() == Qt::RightButton && row) {
    const bool selected = cursor_.Selection().Contains(*row);
    cursor_.RightClick(*row);
    if (selected) {
      SelectionChanged();
    } else {
      CursorMoved(*row);
    }
  }
}

void TruthTableView::mouseMoveEvent(QMouseEvent* event) {
  if (!dragSelecting_ || !(event->buttons() & Qt::LeftButton) || rows_ == 0) return;
  const std::uint64_t row = RowAtClamped(event->position().toPoint().y());
  if (cursor_.DragTo(row)) CursorMoved(row);
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
  cursor_.Focus(top_);
  viewport()->update();
}

void TruthTableView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  dragSelecting_ = false;
  viewport()->update();
}

void TruthTableView::contextMenuEvent(QContextMenuEvent* event) {
  QPoint at = event->globalPos();
  const std::optional<std::uint64_t> current = cursor_.Current();
  if (event->reason() == QContextMenuEvent::Keyboard && current && *current >= top_) {
    const auto line = std::min<std::uint64_t>(*current - top_, static_cast<std::uint64_t>(VisibleRowCount()));
    at = viewport()->mapToGlobal(QPoint(cellPadding_, static_cast<int>(line + 1) * rowHeight_));
  }
  emit contextMenuRequested(at);
}

}  // namespace brevano

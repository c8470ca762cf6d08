// The truth-table list's row cursor: disjoint row ranges, current row and anchor.
#include "app/table_cursor.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace brevano {

namespace {

constexpr std::uint64_t kLastRow = std::numeric_limits<std::uint64_t>::max();

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
    if (before->second == kLastRow || before->second + 1 >= first) it = before;
  }
  while (it != ranges_.end() && (last == kLastRow || it->first <= last + 1)) {
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

void TableCursor::Reset(std::uint64_t rows) {
  rows_ = rows;
  hasCurrent_ = false;
  current_ = anchor_ = 0;
  selection_.Clear();
}

std::optional<std::uint64_t> TableCursor::Current() const {
  if (!hasCurrent_) return std::nullopt;
  return current_;
}

void TableCursor::SelectRow(std::uint64_t row) {
  hasCurrent_ = true;
  current_ = anchor_ = row;
  selection_.SelectOnly(row, row);
}

void TableCursor::SelectAll() {
  if (rows_ > 0) selection_.SelectOnly(0, rows_ - 1);
}

void TableCursor::MoveTo(std::uint64_t row, SelectKeys keys) {
  hasCurrent_ = true;
  current_ = row;
  if (keys.shift) {
    selection_.SelectOnly(anchor_, row);
  } else if (!keys.control) {
    selection_.SelectOnly(row, row);
    anchor_ = row;
  }
}

void TableCursor::Click(std::uint64_t row, SelectKeys keys) {
  if (keys.shift && keys.control) {
    selection_.Add(anchor_, row);
  } else if (keys.shift) {
    selection_.SelectOnly(anchor_, row);
  } else if (keys.control) {
    selection_.Toggle(row);
    anchor_ = row;
  } else {
    selection_.SelectOnly(row, row);
    anchor_ = row;
  }
  hasCurrent_ = true;
  current_ = row;
}

void TableCursor::ToggleCurrent(std::uint64_t top) {
  const std::uint64_t row = hasCurrent_ ? current_ : top;
  hasCurrent_ = true;
  current_ = anchor_ = row;
  selection_.Toggle(row);
}

void TableCursor::RightClick(std::uint64_t row) {
  if (selection_.Contains(row)) {
    hasCurrent_ = true;
    current_ = row;
  } else {
    Click(row, {});
  }
}

bool TableCursor::DragTo(std::uint64_t row) {
  if (hasCurrent_ && row == current_) return false;
  hasCurrent_ = true;
  current_ = row;
  selection_.SelectOnly(anchor_, row);
  return true;
}

void TableCursor::Focus(std::uint64_t top) {
  if (hasCurrent_ || rows_ == 0) return;
  hasCurrent_ = true;
  current_ = anchor_ = top;
}

// Page keys first go to the edge of the viewport, then a page (the viewport less one row) further.
std::uint64_t TableCursor::KeyTarget(CursorKey key, std::uint64_t top, std::uint64_t visible) const {
  const std::uint64_t last = rows_ - 1;
  const std::uint64_t current = hasCurrent_ ? current_ : top;
  const std::uint64_t page = std::max<std::uint64_t>(1, visible - 1);
  const std::uint64_t bottom = std::min(top + visible - 1, last);
  const bool onScreen = current >= top && current <= bottom;
  switch (key) {
    case CursorKey::kUp: return hasCurrent_ && current > 0 ? current - 1 : current;
    case CursorKey::kDown: return hasCurrent_ ? std::min(current + 1, last) : current;
    case CursorKey::kPageUp: return onScreen && current > top ? top : (current > page ? current - page : 0);
    case CursorKey::kPageDown: return onScreen && current < bottom ? bottom : std::min(current + page, last);
    case CursorKey::kHome: return 0;
    case CursorKey::kEnd: break;
  }
  return last;
}

}  // namespace brevano

// The current row, the selection anchor and the selected rows of the truth-table list, free of any widget.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

namespace brevano {

/// A set of rows kept as disjoint closed ranges, so that any selection of a 2^63-row table is small.
class RowSelection {
 public:
  /// Removes every row.
  void Clear();
  /// Makes the rows from `a` to `b` (either order) the whole selection.
  void SelectOnly(std::uint64_t a, std::uint64_t b);
  /// Adds the rows from `a` to `b` (either order).
  void Add(std::uint64_t a, std::uint64_t b);
  /// Adds `row` when it is not selected, removes it when it is.
  void Toggle(std::uint64_t row);
  /// True when `row` is selected.
  bool Contains(std::uint64_t row) const;
  /// Number of selected rows.
  std::uint64_t Count() const { return count_; }
  /// The ranges, first row to last row, in ascending order; adjacent ranges are merged.
  const std::map<std::uint64_t, std::uint64_t>& Ranges() const { return ranges_; }

 private:
  void Remove(std::uint64_t row);

  std::map<std::uint64_t, std::uint64_t> ranges_;
  std::uint64_t count_ = 0;
};

/// The modifier keys held during a move or a click.
struct SelectKeys {
  bool shift = false;
  bool control = false;
};

/// What the keyboard moves to: the key pressed, from the current row of a viewport.
enum class CursorKey { kUp, kDown, kPageUp, kPageDown, kHome, kEnd };

/// The current row, the anchor that Shift extends from, and the selection of a list of `rows` rows.
///
/// Without a current row the keyboard starts from the first visible row. The anchor moves with
/// plain moves and clicks and stays put under Shift; Ctrl moves the current row alone.
class TableCursor {
 public:
  /// Forgets everything and takes a list of `rows` rows.
  void Reset(std::uint64_t rows);
  /// Number of rows in the list.
  std::uint64_t Rows() const { return rows_; }
  /// The current row, if any.
  std::optional<std::uint64_t> Current() const;
  /// The selected rows.
  const RowSelection& Selection() const { return selection_; }

  /// Makes `row` current, the anchor and the only selected row.
  void SelectRow(std::uint64_t row);
  /// Selects every row; the current row stays.
  void SelectAll();
  /// Removes every row from the selection.
  void ClearSelection() { selection_.Clear(); }
  /// A keyboard move to `row`: Shift extends from the anchor, Ctrl moves the current row alone.
  void MoveTo(std::uint64_t row, SelectKeys keys);
  /// A click on `row`: Shift selects from the anchor (Ctrl+Shift adds that range), Ctrl toggles it.
  void Click(std::uint64_t row, SelectKeys keys);
  /// Ctrl+Space: toggles the current row (the first visible row `top` when there is none).
  void ToggleCurrent(std::uint64_t top);
  /// A right click: a selected row becomes current and the selection stays; any other is clicked.
  void RightClick(std::uint64_t row);
  /// Dragging with the button held onto `row`; false when the current row was already there.
  bool DragTo(std::uint64_t row);
  /// Gaining the focus: without a current row, the first visible row `top` becomes current.
  void Focus(std::uint64_t top);

  /// The row `key` moves to from the current row in a viewport whose first row is `top` and
  /// that shows `visible` rows; the list must have rows.
  std::uint64_t KeyTarget(CursorKey key, std::uint64_t top, std::uint64_t visible) const;

 private:
  std::uint64_t rows_ = 0;
  bool hasCurrent_ = false;
  std::uint64_t current_ = 0;
  std::uint64_t anchor_ = 0;
  RowSelection selection_;
};

}  // namespace brevano

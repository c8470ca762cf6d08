// The truth-table list: a report-style view that paints only the visible rows of a table computed on demand;
// its commands are the window's (window_commands.h).
#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/table_cursor.h"
#include "filetable/file_table.h"
#include "tabulate/tabulation.h"

class QHeaderView;
class QStandardItemModel;

namespace brevano {

class ShownModel;

/// Column widths in pixels: one per variable, then the "Result" column.
inline constexpr int kVariableColumnWidth = 35;
inline constexpr int kResultColumnWidth = 45;

/// The report list of a truth table: a header with one column per caption and rows painted on demand.
///
/// Row indexes, the current row and the selection anchor are 64-bit. The first visible row (top_)
/// is the view's own state; the vertical scrollbar follows it. When there are more scroll positions
/// than an int holds, the scrollbar runs over kScaledBarRange steps and a slider position stands
/// for the rows in proportion: BarForTop rounds down and TopForBar rounds up, so that a position
/// taken from a row maps back to that same row and keyboard, wheel and scrollbar arrows move by
/// exact rows.
class TruthTableView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  /// Range of the vertical scrollbar once the scroll positions exceed an int.
  static constexpr int kScaledBarRange = 1 << 30;

  explicit TruthTableView(QWidget* parent = nullptr);
  ~TruthTableView() override;

  /// Shows the window's function shown from now on: its table, its chosen output and its truth values.
  void Follow(const ShownModel& model);
  /// Shows `table`: no current row, no selection, scrolled to the top.
  void SetTable(TruthTable table);
  /// Shows the table of an opened file instead, its truth values written as `mode` says, its first
  /// output chosen; as SetTable otherwise.
  void SetFileTable(std::shared_ptr<const FileTable> table, DisplayMode mode);
  /// The opened file's table shown, or null when a typed expression's table (or none) is shown.
  const FileTable* File() const { return file_.get(); }
  const std::shared_ptr<const FileTable>& FileShared() const { return file_; }
  /// The output of the file's table that rows are gone to for, whose caption is bold.
  int ChosenOutput() const { return chosenOutput_; }
  /// Chooses output `output` of the file's table (ignored without one or out of range).
  void SetChosenOutput(int output);
  /// The cell texts of `row` of whichever table is shown.
  std::vector<std::string> RowTexts(std::uint64_t row) const;
  /// The captions of whichever table is shown.
  std::vector<std::string> TableCaptions() const;
  /// Writes the truth values of the table shown as `mode` says, keeping its rows, selection and place.
  void SetDisplayMode(DisplayMode mode);
  /// Removes the table, its columns and its rows.
  void Clear();
  /// The table shown, or null when there is none.
  const TruthTable* Table() const { return table_ ? &*table_ : nullptr; }
  /// Number of rows shown.
  std::uint64_t RowCount() const { return rows_; }

  /// The horizontal header holding the captions.
  QHeaderView* Header() const { return header_; }
  /// Height of one row in pixels.
  int RowHeight() const { return rowHeight_; }
  /// Number of rows that fit wholly in the viewport (at least 1).
  int VisibleRowCount() const;
  /// The first row in the viewport.
  std::uint64_t TopRow() const { return top_; }
  /// Scrolls so that `row` is the first row in the viewport, as far as the table allows.
  void ScrollToTop(std::uint64_t row);

  /// The row with the keyboard focus, if any.
  std::optional<std::uint64_t> CurrentRow() const;
  /// Makes `row` current and the only selected row, and scrolls it and its Result into view.
  void SelectRow(std::uint64_t row);
  /// The selected rows.
  const RowSelection& Selection() const { return cursor_.Selection(); }
  /// Selects every row.
  void SelectAll();

  /// Shows or hides the column of row numbers at the left.
  void SetRowNumbersShown(bool shown);
  bool RowNumbersShown() const { return rowNumbers_; }

 signals:
  /// A new table is shown, or none.
  void tableChanged();
  /// The selection or the current row changed.
  void selectionChanged();
  /// The context menu was asked for (right click, the menu key, Shift+F10), to show at `globalPos`.
  void contextMenuRequested(const QPoint& globalPos);
  /// The caption of output `output` of a file's table was clicked.
  void outputClicked(int output);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void UpdateMetrics();
  void UpdateGeometries();
  void UpdateScrollBars();
  void SetCaptions();
  void ElideCaptions();
  void OnVerticalAction(int action);
  void OnVerticalValue(int value);
  void KeyMove(CursorKey key, Qt::KeyboardModifiers modifiers);
  void SelectionChanged();

  std::uint64_t MaxTop() const;
  bool BarScaled() const;
  int BarForTop(std::uint64_t top) const;
  std::uint64_t TopForBar(int value) const;
  std::optional<std::uint64_t> RowAt(int y) const;
  std::uint64_t RowAtClamped(int y) const;
  void EnsureVisible(std::uint64_t row);
  void ShowResultColumn();
  void CenterOn(std::uint64_t row);
  void CursorMoved(std::uint64_t row);

  void Reset(std::uint64_t rows);
  void MarkChosenOutput();

  std::optional<TruthTable> table_;
  std::shared_ptr<const FileTable> file_;
  DisplayMode fileMode_ = DisplayMode::kZeroOne;
  int chosenOutput_ = 0;
  std::uint64_t rows_ = 0;
  std::uint64_t top_ = 0;
  TableCursor cursor_;
  bool dragSelecting_ = false;
  int wheelRemainder_ = 0;
  int rowHeight_ = 16;
  int headerHeight_ = 20;
  int cellPadding_ = 4;  // the header's text margin, so that cells line up with their captions
  bool syncingBar_ = false;

  QHeaderView* header_ = nullptr;
  QStandardItemModel* headerModel_ = nullptr;
  QStringList captions_;  // the captions in full; the header shows them elided to their columns
  bool rowNumbers_ = false;
};

}  // namespace brevano

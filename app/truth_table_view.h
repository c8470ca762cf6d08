// The truth-table list: a report-style view that paints only the visible rows of a table computed on demand.
#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "app/background_job.h"
#include "app/table_cursor.h"
#include "tabulate/table_format.h"
#include "tabulate/tabulation.h"

class QAction;
class QHeaderView;
class QKeySequence;
class QMenu;
class QStandardItemModel;

namespace brevano {

class Diagram;
struct RowSearch;

/// Column widths in pixels: one per variable, then the "Result" column.
inline constexpr int kVariableColumnWidth = 35;
inline constexpr int kResultColumnWidth = 45;

/// Most rows "Copy" and "Copy table" put on the clipboard.
inline constexpr std::uint64_t kMaxCopyRows = 1'000'000;

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

  /// Shows `table`: no current row, no selection, scrolled to the top.
  void SetTable(TruthTable table);
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
  /// Makes `row` current and the only selected row, and scrolls it into view.
  void SelectRow(std::uint64_t row);
  /// The selected rows.
  const RowSelection& Selection() const { return cursor_.Selection(); }
  /// Selects every row.
  void SelectAll();

  /// The selected rows with the caption line as tab-separated text; empty when more than
  /// kMaxCopyRows rows are selected.
  QString SelectedRowsText() const;
  /// Copies the selected rows to the clipboard; refuses with a notice beyond kMaxCopyRows.
  void CopySelection();
  /// Copies every row to the clipboard; refuses with a notice beyond kMaxCopyRows.
  void CopyTable();

  /// Goes to the row given by `text`: a 0-based row index, or an assignment such as "A=1 B=0"
  /// (variables not named are 0). Returns the error to show when the text names no row.
  std::optional<QString> GoTo(const QString& text);
  /// Asks for a row and goes to it.
  void AskGoTo();

  /// Starts the search for the next (forward) or previous row whose result is `wanted`, from the
  /// current row. It runs on a worker thread, from the table's decision diagram when that fits its
  /// budget (built at the first search that needs it), else row by row; once it runs long a
  /// progress dialog can cancel it.
  void FindResult(bool forward, int wanted);
  /// Starts the search for the n-th row (counted from 1) whose result is `wanted`, as FindResult.
  void FindNth(int wanted, std::uint64_t n);
  /// Asks for n and goes to the n-th row where Result is 1.
  void AskNth();
  /// True while a search runs.
  bool SearchRunning() const { return search_->Running(); }
  /// Stops a running search; the current row stays where it was.
  void CancelSearch();

  /// Asks for a file and a format, then saves the whole table there (SaveTable).
  void AskSaveTable();
  /// Saves the whole table to `path` in `format` on a worker thread; once it runs long a progress
  /// dialog can cancel it, and the file is then as it was. Refusals and errors are notices.
  void SaveTable(const QString& path, TableFormat format);
  /// True while a save runs.
  bool SaveRunning() const { return save_->Running(); }
  /// Cancels a running save; the file stays as it was.
  void CancelSave() { save_->Cancel(); }
  /// Runs the command whose shortcut is `keys` (Copy, Go to row, the searches, Analyse…), as if
  /// the view had the focus; false when none has it or the command is not available.
  bool RunShortcut(const QKeySequence& keys);

  /// Where notices go (refused copies, rows not found, bad row numbers); by default a message box.
  void SetNoticeHandler(std::function<void(const QString&)> handler) { noticeHandler_ = std::move(handler); }

 signals:
  /// A search ended: found, not found or cancelled.
  void searchFinished();
  /// "Analyse…" was chosen while the view shows rows.
  void analysisRequested();
  /// A save ended: saved, refused, failed or cancelled.
  void saveFinished();
  /// "Karnaugh map…" was chosen while the view shows a table of 1 to 6 variables.
  void kmapRequested();
  /// "Compare with…" was chosen while the view shows rows.
  void compareRequested();

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
  // The search that runs: what it looks for, from where.
  struct SearchGoal {
    bool forward = true;
    bool fromCurrent = false;
    int wanted = 1;
    std::uint64_t nth = 0;  ///< the n-th row (from 1) instead, when not 0
  };

  void CreateActions();
  void UpdateMetrics();
  void UpdateGeometries();
  void UpdateScrollBars();
  void UpdateActions();
  void ElideCaptions();
  void OnVerticalAction(int action);
  void OnVerticalValue(int value);
  void StartSearch(const SearchGoal& goal, std::uint64_t from);
  void SearchEnded(const SearchGoal& goal, const RowSearch& search);
  void StopSearch();
  void KeyMove(CursorKey key, Qt::KeyboardModifiers modifiers);
  void SelectionChanged();

  std::uint64_t MaxTop() const;
  bool BarScaled() const;
  int BarForTop(std::uint64_t top) const;
  std::uint64_t TopForBar(int value) const;
  std::optional<std::uint64_t> RowAt(int y) const;
  std::uint64_t RowAtClamped(int y) const;
  void EnsureVisible(std::uint64_t row);
  void CenterOn(std::uint64_t row);
  void CursorMoved(std::uint64_t row);
  QString RangesText(const std::map<std::uint64_t, std::uint64_t>& ranges) const;
  void Notify(const QString& text);

  std::optional<TruthTable> table_;
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
  QMenu* menu_ = nullptr;
  QAction* copyAction_ = nullptr;
  QAction* copyTableAction_ = nullptr;
  QAction* selectAllAction_ = nullptr;
  QAction* goToAction_ = nullptr;
  QAction* findActions_[4] = {};
  QAction* nthAction_ = nullptr;
  QAction* analyseAction_ = nullptr;
  QAction* saveAction_ = nullptr;
  QAction* kmapAction_ = nullptr;
  QAction* compareAction_ = nullptr;
  BackgroundJob* search_ = nullptr;
  BackgroundJob* save_ = nullptr;
  // What the searches learnt of the table's decision diagram: the diagram, or that it is too complex.
  std::shared_ptr<const Diagram> diagram_;
  bool diagramTooComplex_ = false;
  std::function<void(const QString&)> noticeHandler_;
};

}  // namespace brevano

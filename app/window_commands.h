// The window's commands: one list from which the menu bar, the table's context menu and the shortcuts are
// made, and the commands on the table shown (copying, saving, going to a row, searching).
#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "app/shown_model.h"
#include "diagram/diagram.h"
#include "filetable/file_table.h"
#include "search/ladder.h"
#include "tabulate/table_format.h"

class QAction;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPrinter;

namespace brevano {

class BackgroundJob;
class Tfrm_bool_alg;
class TruthTableView;

/// The time the solver has for one round of a search or a comparison before the window asks
/// whether to go on.
inline constexpr std::chrono::milliseconds kWindowSolverTime{5000};

/// Most rows "Copy" and "Copy table" put on the clipboard.
inline constexpr std::uint64_t kMaxCopyRows = 1'000'000;

/// `text` without its access key marks ("&Open…" is "Open…").
QString WithoutAccessKey(QString text);

/// The menus of the menu bar, in their order.
enum class CommandMenu { kFile, kEdit, kGo, kTools, kView, kHelp };

/// Where a command is offered besides its menu of the menu bar (bits).
enum CommandPlace : unsigned {
  kMenuBarOnly = 0,
  kContextMenu = 1,  ///< also in the table's context menu
  kEditBoxKeys =
      2,  ///< its shortcut, which the edit box takes for itself, acts here while no text is selected
};

/// One command of the window. A command with no text is a separator in its menus.
struct WindowCommand {
  CommandMenu menu = CommandMenu::kFile;
  QString text;
  QList<QKeySequence> keys;         ///< its shortcuts, which work wherever the focus is in the window
  std::function<bool()> enabled;    ///< null: always enabled
  std::function<void()> run;        ///< runs only while enabled
  unsigned places = kMenuBarOnly;   ///< CommandPlace bits
  std::function<bool()> checked;    ///< makes it a check mark showing this state
  std::function<QString()> whyNot;  ///< the tooltip of the command while disabled
};

/// The one owner of the window's commands: their list, one QAction each (used by the menu bar and
/// the context menu alike, so each shortcut exists once), their enabled states, and the commands
/// that work on the table shown. The table view only paints and takes input.
///
/// The searches and the count of rows with Result 1 share what is learnt of the table's decision
/// diagram, which the window's function shown (ShownModel) keeps: it is built off the window's thread
/// as soon as a table is shown.
class WindowCommands : public QObject {
  Q_OBJECT

 public:
  /// The commands of `window`, whose table is `view` and whose expression box is `box`.
  WindowCommands(Tfrm_bool_alg& window, TruthTableView* view, QLineEdit* box);
  ~WindowCommands() override;

  /// The commands, in the order of their menus.
  const std::vector<WindowCommand>& Commands() const { return commands_; }
  /// The action of the command whose text is `text` (access keys, "&", are not compared); null when
  /// there is none.
  QAction* Action(const QString& text) const;
  /// Adds one menu per CommandMenu to `bar`.
  void FillMenuBar(QMenuBar* bar);
  /// File > Open Recent: the files opened last, newest first.
  QMenu* RecentMenu() const { return recent_; }
  /// Lists the recent files in RecentMenu.
  void FillRecent();
  /// The table's context menu.
  QMenu* ContextMenu() const { return contextMenu_; }
  /// Sets every action's enabled and checked state from its command's rules.
  void UpdateStates();
  /// Runs the kEditBoxKeys command whose shortcut is `keys`, if enabled; false when none ran.
  bool RunFromEditBox(const QKeySequence& keys);

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
  /// Asks for a row and goes to it; a bad entry is asked for again.
  void AskGoTo();

  /// Starts the search for the next (forward) or previous row whose result is `wanted`, from the
  /// current row, on a worker thread: from the decision diagram when it is known, else by the SAT
  /// solver (with the diagram built beside it); once it runs long a progress dialog shows the time
  /// spent of its budget and can cancel it. When neither answers within the budget, the window
  /// asks whether to go on, and going on takes the search up where it stopped.
  void FindResult(bool forward, int wanted);
  /// Starts the search for the n-th row (counted from 1) whose result is `wanted`, as FindResult.
  void FindNth(int wanted, std::uint64_t n);
  /// Asks for n and goes to the n-th row where Result is 1.
  void AskNth();
  /// True while a search runs.
  bool SearchRunning() const;
  /// Stops a running search; the current row stays where it was.
  void CancelSearch();

  /// Prints the selected rows, or every row when at most one is selected, on `printer`; `error`
  /// says why nothing was printed (too many rows, no printer).
  bool PrintTable(QPrinter& printer, QString& error) const;
  /// Asks for a printer and prints the table (PrintTable).
  void AskPrintTable();

  /// Asks for a file and a format, then saves the whole table there (SaveTable).
  void AskSaveTable();
  /// Saves the whole table to `path` in `format` on a worker thread; once it runs long a progress
  /// dialog can cancel it, and the file is then as it was. Refusals and errors are notices.
  void SaveTable(const QString& path, TableFormat format);
  /// True while a save runs.
  bool SaveRunning() const;
  /// The file a running save writes.
  const QString& SavePath() const { return savePath_; }
  /// Cancels a running save; the file stays as it was.
  void CancelSave();

  /// The number of rows with Result 1 once the table's decision diagram is built; nullopt before,
  /// and for a function too complex for it.
  std::optional<std::uint64_t> OnesCount() const { return shown_.Shown().OnesCount(); }
  /// True once the diagram has proved too complex to build.
  bool CountTooComplex() const { return shown_.Shown().CountTooComplex(); }
  /// The counts of output `output` of the file's table shown, once its diagrams are built (they are
  /// built off the window's thread, output by output, as soon as the table is shown).
  std::optional<CellCounts> FileCounts(int output) const;
  /// True once the diagrams of that output have proved too complex to build.
  bool FileCountTooComplex(int output) const;

  /// Where notices go (refused copies, rows not found, bad row numbers); by default a message box.
  void SetNoticeHandler(std::function<void(const QString&)> handler) { noticeHandler_ = std::move(handler); }
  /// Who answers whether a search out of time goes on (true: go on); by default the window asks.
  void SetGoOnHandler(std::function<bool(const QString&)> handler) { goOnHandler_ = std::move(handler); }

  /// The budgets of the searches and comparisons: the solver's time for one round, the diagram's.
  const SearchLimits& Limits() const { return limits_; }
  void SetLimits(const SearchLimits& limits) { limits_ = limits; }

 signals:
  /// A search ended: found, not found or cancelled.
  void searchFinished();
  /// A save ended: saved, refused, failed or cancelled.
  void saveFinished();
  /// The count of rows with Result 1 became known, or proved out of reach.
  void countChanged();

 private:
  // The search that runs: what it looks for, from where.
  struct SearchGoal {
    bool forward = true;
    bool fromCurrent = false;
    int wanted = 1;
    std::uint64_t nth = 0;  ///< the n-th row (from 1) instead, when not 0
  };

  // The diagram the count is building, which a search started meanwhile waits for instead of
  // building it a second time.
  struct PendingDiagram {
    std::mutex mutex;
    std::condition_variable built;
    std::optional<DiagramOutcome> outcome;
    /// Sets the outcome and wakes the waiting searches.
    void Finish(DiagramOutcome result);
    /// The outcome once it is there; nullopt when `stop` says so first.
    std::optional<DiagramOutcome> Wait(const std::function<bool()>& stop);
  };

  /// Follows the function shown: a new table, another output, new counts.
  void ShownChanged(unsigned parts);
  void AddCommands();
  void AddFileAndEditCommands();
  void AddGoCommands();
  void AddToolsViewAndHelpCommands();
  /// Appends a command (a separator without text); the optional fields are set on the result.
  WindowCommand& Add(CommandMenu menu, QString text = {}, QList<QKeySequence> keys = {},
                     std::function<bool()> enabled = {}, std::function<void()> run = {},
                     unsigned places = kMenuBarOnly);
  QAction* MakeAction(std::size_t index);
  void FillMenu(QMenu* menu, CommandMenu which, unsigned place);
  bool HasRows() const;

  void TableChanged();
  void StartCount();
  void StartFileCount();
  void StartFileSearch(const SearchGoal& goal, std::uint64_t from);
  void FileSearchEnded(const SearchGoal& goal, const CellSearch& search);
  void StartSearch(const SearchGoal& goal, std::uint64_t from);
  void SearchEnded(const SearchGoal& goal, std::uint64_t from, const RowSearch& search);
  void StopSearch();
  /// The solver's time for one round, in seconds, as the window writes numbers.
  QString Seconds() const;
  bool AskGoOn(const QString& question);
  QString RangesText(const std::map<std::uint64_t, std::uint64_t>& ranges) const;
  std::vector<std::string> AddressVariables() const;
  void Notify(const QString& text);

  Tfrm_bool_alg& window_;
  ShownModel& shown_;
  TruthTableView* view_;
  QLineEdit* box_;
  std::vector<WindowCommand> commands_;
  std::vector<QAction*> actions_;  // one per command; null for separators
  QMenu* contextMenu_ = nullptr;
  QMenu* recent_ = nullptr;

  BackgroundJob* search_ = nullptr;
  BackgroundJob* save_ = nullptr;
  BackgroundJob* count_ = nullptr;
  QString savePath_;
  std::shared_ptr<PendingDiagram> pending_;
  SearchLimits limits_;
  std::function<void(const QString&)> noticeHandler_;
  std::function<bool(const QString&)> goOnHandler_;
};

}  // namespace brevano

// The main window: the expression box, the choice of truth values, "Tabulation" and the truth-table list,
// under a menu bar and above a status bar.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/expression_history.h"
#include "app/function_opening.h"
#include "app/help_dialog.h"
#include "engine/expr_tree.h"
#include "frontend/tabulate_expression.h"
#include "plafile/function_file.h"
#include "tabulate/tabulation.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTextEdit;

namespace brevano {

class AnalysisDialog;
class BackgroundJob;
class CircuitDialog;
class DifferenceSolver;
class FileTable;
class HelpDialog;
class KmapDialog;
class NetlistExport;
class ShownModel;
class TruthTableView;
class WarningLine;
class WindowCommands;

/// Most variables of a table the window shows: as many as a row index can count.
inline constexpr int kWindowMaxVariables = kMaxTableVariables;
/// Most characters the expression box takes.
inline constexpr int kMaxExpressionLength = 32'767;
/// The application title, the window's caption and the title of its message boxes.
inline constexpr const char* kApplicationTitle = "Brevano Boolean";
/// The size of the area that holds the controls, below the menu bar, when the window opens; the
/// window never makes it smaller (it scrolls instead where the screen is smaller).
inline constexpr QSize kClientSize(414, 505);

/// The text shown for an error message: `message` with "." appended when its last byte sorts after ".".
QString ErrorMessageText(const std::string& message);

/// The main window. The controls are private fields named as in the layout (tests reach them through
/// WindowTestAccess, in tests/gui/window_controls.h); they sit on the client area, at their places when
/// it has its first size; as the window grows, the table takes the room
/// and the expression box and the warning line the width, the legend and the radio buttons keeping
/// their distance from the right edge.
class Tfrm_bool_alg : public QMainWindow {
  Q_OBJECT

 public:
  explicit Tfrm_bool_alg(QWidget* parent = nullptr);
  ~Tfrm_bool_alg() override;

  /// Processes the expression and shows its truth table; an error keeps the previous table.
  void Button1Click();
  /// Sets the application title.
  void FormCreate();
  /// The function shown, which the table, the commands and the dialogs follow.
  ShownModel* Model() const { return shown_; }
  /// The window's commands, menus and shortcuts.
  WindowCommands* Commands() const { return commands_; }
  /// The analysis open beside the window; null when none is.
  AnalysisDialog* Analysis() const;
  /// The widget that holds the controls, below the menu bar.
  QWidget* ClientArea() const { return client_; }

  /// Opens the analysis of the table shown in a dialog of its own beside the window (deleted when
  /// closed), with the don't-cares of the expression `dontCare` when it is not blank; null without rows.
  AnalysisDialog* OpenAnalysis(const QString& dontCare = {});
  /// Asks for a PLA or table file, starting in the folder last used, and opens it (OpenFunctionFile).
  void AskOpen();
  /// Reads the PLA or table file at `path` off the window's thread and shows its table as the file
  /// has it (every input, one column per output), its first output chosen (ChooseFileOutput), and
  /// opens the analysis of that output. A file that cannot be read, or has more inputs than a table
  /// holds, is an error (ShowError, with its line number) and leaves the window as it was.
  void OpenFunctionFile(const QString& path);
  /// Chooses output `output` of the opened file's table: the searches go by its column, and its
  /// least sum of products (the expression box's text) with the file's don't-cares is made off the
  /// window's thread for the analysis, the map, the circuit and the exports; an open analysis is
  /// replaced by that output's.
  void ChooseFileOutput(int output);
  /// The function the analysis, the map, the circuit and the exports take: the table shown of a
  /// typed expression, or the least sum of the opened file's chosen output (null while it is made).
  const TruthTable* FunctionTable() const;
  /// The opened file's name while its table is shown; empty otherwise.
  QString OpenedFileName() const;
  /// The box of the opened file's outputs, in the status bar (hidden without a file).
  QComboBox* OutputBox() const { return outputBox_; }
  /// True while the chosen output's least sum is being made.
  bool MakingOutput() const;
  /// True while a file is being opened.
  bool OpeningFile() const;
  /// Opens the Karnaugh map of the table shown (1 to 6 variables; otherwise null) in a dialog of its
  /// own beside the window, deleted when closed. A click on a cell selects its row here; each new
  /// table is passed on.
  KmapDialog* OpenKmap();
  /// Opens the circuit of the table shown in a dialog of its own beside the window, deleted when
  /// closed; each new table is passed on. Null without rows.
  CircuitDialog* OpenCircuit();
  /// With a file's table shown: every output minimised together off the window's thread (progress
  /// and Cancel), then drawn as one circuit whose product terms each feed every output they serve.
  void OpenSharedCircuit();
  /// True while the outputs of the file shown are being minimised for one circuit.
  bool SharedCircuitRunning() const;
  /// Asks for a netlist format, a circuit form and a file, and writes the netlist of the table shown.
  void AskExport();
  /// What writes netlists of the table shown.
  NetlistExport* Exporter() const { return export_; }
  /// The text whose table is shown (empty before the first table).
  QString ShownText() const;
  /// Compares the table shown with the expression `text`, processed as Tabulation processes the
  /// expression box, over the union of their variables, off the window's thread; the outcome goes
  /// to ShowComparison, an error of `text` to ShowError.
  void CompareWith(const QString& text);
  /// Asks for the expression to compare the table with.
  void AskCompare();
  /// True while a comparison runs.
  bool ComparisonRunning() const;
  /// What the last comparison offers to compare instead, its sides as most likely meant: the first
  /// side's reading (empty when it stays) and the second's (empty when nothing is offered).
  std::pair<QString, QString> ComparisonOffer() const { return {meantFirst_, meantSecond_}; }
  /// Compares the sides ComparisonOffer gives, the first tabulated first; false when none.
  bool CompareAsMeant();
  /// Asks whether a search or a comparison that ran out of time goes on: true to go on.
  virtual bool AskGoOn(const QString& question);
  /// Opens the expression syntax reference (or raises it); a clicked example goes into the edit box.
  HelpDialog* ShowSyntaxHelp() { return ShowHelp(HelpTopic::kSyntax); }
  /// Opens the help window beside the window (or raises it) at the page of `topic`.
  HelpDialog* ShowHelp(HelpTopic topic);
  /// Shows the version, the licence and the libraries used.
  void ShowAbout();
  /// Places `dialog` beside the window where the screen has room, and shows it.
  void ShowBeside(QWidget* dialog);
  /// The texts of the status bar: the current row, the count of rows with Result 1, the variables.
  QStringList StatusTexts() const;
  /// The expressions tabulated in this run, for Up and Down in the edit box.
  const ExpressionHistory& History() const { return history_; }

 protected:
  /// Shows an error message (already ended by ErrorMessageText); every error of Button1Click ends here.
  virtual void ShowError(const QString& message);
  /// Shows an error message of a text that has a likely meant reading, `meant`, offered with a
  /// button; true when the user chose to tabulate it.
  virtual bool OfferMeantAfterError(const QString& message, const QString& meant);
  /// Shows the outcome of a comparison; `row`, when set, is the table's row where the two differ,
  /// offered to go to.
  virtual void ShowComparison(const QString& text, std::optional<std::uint64_t> row);
  /// Asked when the window is closed while a table is being saved: true to wait for the save (the
  /// window closes once it has ended), false to drop it; nullopt keeps the window open.
  virtual std::optional<bool> AskWaitForSave();

  void keyPressEvent(QKeyEvent* event) override;
  /// A local file dragged onto the window is opened when dropped (OpenFunctionFile).
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  /// Closing the window stops whatever runs in the background and closes its dialogs; while a
  /// table is being saved it asks first.
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend struct WindowTestAccess;

  QLineEdit* eIN = nullptr;        // the expression
  ExprTree defTV;                  // the expression store; never shown
  TruthTableView* LV = nullptr;    // the truth table
  QPushButton* Button1 = nullptr;  // "Tabulation", the window's default button
  QTextEdit* M = nullptr;          // the operator legend
  QRadioButton* r1 = nullptr;      // "F \ T"
  QRadioButton* r2 = nullptr;      // "0 \ 1"
  WarningLine* Warn = nullptr;     // what the table ignores of the text; hidden while nothing

  void CreateControls();
  void CreateStatusBar();
  void LayOutControls(QSize client);
  void UpdateStatus();
  void FitToScreen(const QMargins& frame);
  void CheckFrame(int checksLeft);
  bool HistoryKey(int key);
  /// Runs the pipeline on `text` into a table; an error is shown and gives nothing. With `meant`,
  /// an error of a text with a likely meant reading offers it, and `meant` is that reading when
  /// the user took the offer.
  std::optional<DiagnosedTable> TableOf(const QString& text, DisplayMode mode, QString* meant = nullptr);
  /// Shows the table of `text`, which goes into the expression box, its warnings after
  /// `moreWarnings`; false (the error shown) when there is none.
  bool Tabulate(const QString& text, const std::vector<std::string>& moreWarnings = {});
  void ShowFile(const std::shared_ptr<const FunctionFile>& file,
                const std::shared_ptr<const FileTable>& table, const QString& name);
  void StartFileOutput(int output, bool analyse);
  void FileOutputMade(int output, const std::optional<OpenedFunction>& made, bool analyse);
  void ShownChanged(unsigned parts);
  void CreateOutputBox();
  QString FileCountsText(const FileTable& file, int output, bool brief) const;
  void StartComparison(const TruthTable& a, const TruthTable& b, const QString& first, const QString& second,
                       const QString& warnings, std::shared_ptr<DifferenceSolver> goOn);

  ShownModel* shown_ = nullptr;
  QPointer<AnalysisDialog> analysis_;  // the one analysis open, if any
  BackgroundJob* output_ = nullptr;
  BackgroundJob* shared_ = nullptr;  // the outputs of the file shown minimised together for one circuit
  QComboBox* outputBox_ = nullptr;
  QLabel* outputLabel_ = nullptr;
  QString meantFirst_, meantSecond_;  // see ComparisonOffer
  BackgroundJob* compare_ = nullptr;
  BackgroundJob* open_ = nullptr;
  NetlistExport* export_ = nullptr;
  WindowCommands* commands_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QWidget* client_ = nullptr;
  QLabel* rowStatus_ = nullptr;
  QLabel* onesStatus_ = nullptr;
  QLabel* variablesStatus_ = nullptr;
  QPointer<HelpDialog> help_;
  ExpressionHistory history_;
  bool fitted_ = false;
  bool frameEstimated_ = false;  // fitted with an estimated frame, to be fitted again with the real one
  QSize openSize_;               // the size the window opens at where the screen allows
  bool closeAfterSave_ = false;
};

/// Makes and shows the program's one window; the application quits when it closes or is destroyed.
Tfrm_bool_alg* ShowMainWindow();

}  // namespace brevano

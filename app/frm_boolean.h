// The main window: the expression box, the choice of truth values, "Tabulation" and the truth-table list.
#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/expr_tree.h"
#include "frontend/tabulate_expression.h"
#include "tabulate/tabulation.h"

class QLineEdit;
class QPushButton;
class QRadioButton;
class QTextEdit;

namespace brevano {

class AnalysisDialog;
class BackgroundJob;
class KmapDialog;
class TruthTableView;
class WarningLine;

/// Most variables of a table the window shows: as many as a row index can count.
inline constexpr int kWindowMaxVariables = kMaxTableVariables;
/// Most characters the expression box takes.
inline constexpr int kMaxExpressionLength = 32'767;
/// The application title, the window's caption and the title of its message boxes.
inline constexpr const char* kApplicationTitle = "Brevano Boolean";

/// The text shown for an error message: `message` with "." appended when its last byte sorts after ".".
QString ErrorMessageText(const std::string& message);

/// The main window. The controls are public fields named as in the layout.
class Tfrm_bool_alg : public QWidget {
  Q_OBJECT

 public:
  explicit Tfrm_bool_alg(QWidget* parent = nullptr);
  ~Tfrm_bool_alg() override;

  QLineEdit* eIN = nullptr;        ///< the expression
  ExprTree defTV;                  ///< the expression store; never shown
  TruthTableView* LV = nullptr;    ///< the truth table
  QPushButton* Button1 = nullptr;  ///< "Tabulation", the window's default button
  QTextEdit* M = nullptr;          ///< the operator legend
  QRadioButton* r1 = nullptr;      ///< "F \ T"
  QRadioButton* r2 = nullptr;      ///< "0 \ 1"
  WarningLine* Warn = nullptr;     ///< what the table ignores of the text; hidden while nothing

  /// Processes the expression and shows its truth table; an error keeps the previous table.
  void Button1Click();
  /// Sets the application title.
  void FormCreate();
  /// Opens the analysis of the table shown in a dialog of its own (deleted when closed); null
  /// without rows.
  AnalysisDialog* OpenAnalysis();
  /// Opens the Karnaugh map of the table shown (1 to 6 variables; otherwise null) in a dialog of its
  /// own, deleted when closed. A click on a cell selects its row here; each new table is passed on.
  KmapDialog* OpenKmap();
  /// The text whose table is shown (empty before the first table).
  const QString& ShownText() const { return shownText_; }
  /// Compares the table shown with the expression `text`, processed as Tabulation processes the
  /// expression box, over the union of their variables, off the window's thread; the outcome goes
  /// to ShowComparison, an error of `text` to ShowError.
  void CompareWith(const QString& text);
  /// Asks for the expression to compare the table with.
  void AskCompare();
  /// True while a comparison runs.
  bool ComparisonRunning() const;

 protected:
  /// Shows an error message (already ended by ErrorMessageText); every error of Button1Click ends here.
  virtual void ShowError(const QString& message);
  /// Shows the outcome of a comparison; `row`, when set, is the table's row where the two differ,
  /// offered to go to.
  virtual void ShowComparison(const QString& text, std::optional<std::uint64_t> row);

  void keyPressEvent(QKeyEvent* event) override;
  /// Closing the window stops whatever runs in the background and closes its dialogs.
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  /// Runs the pipeline on `text` into a table; an error is shown and gives nothing.
  std::optional<DiagnosedTable> TableOf(const QString& text, DisplayMode mode);

  QString shownText_;
  BackgroundJob* compare_ = nullptr;
};

/// Makes and shows the program's one window; the application quits when it closes or is destroyed.
Tfrm_bool_alg* ShowMainWindow();

}  // namespace brevano

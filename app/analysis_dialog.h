// The "Analyse…" dialog: the analysis of a table's Result column, computed off the window's thread.
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/function_forms.h"
#include "tabulate/table_function.h"
#include "tabulate/tabulation.h"

class QFormLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QWidget;

namespace brevano {

class BackgroundJob;
class DontCareField;

/// Shows the items of the analysis of a table on two pages (the counts, rows and least forms; the
/// other forms and the properties), each in a read-only field that can be selected
/// and copied. The analysis starts on a worker thread when the dialog is made; while it runs a
/// progress bar and "Stop" are shown. Closing or destroying the dialog stops it. A "Don't care:"
/// expression, once applied, starts it again with those rows free to take either value.
class AnalysisDialog : public QDialog {
  Q_OBJECT

 public:
  /// Analyses `table`, made of `expression` (named in the title when given), within `options`, with
  /// the don't-cares of the expression `dontCare` when it is not blank.
  explicit AnalysisDialog(TruthTable table, QWidget* parent = nullptr, const QString& expression = QString(),
                          const AnalysisOptions& options = AnalysisOptions(),
                          const QString& dontCare = QString());
  ~AnalysisDialog() override;

  /// True while the analysis runs.
  bool Running() const;
  /// Stops a running analysis; what it had not computed then says so.
  void Stop();
  /// The text of the field labelled `label` ("Verdict:", ...).
  QString FieldText(const QString& label) const;
  /// The labelled lines, as the command-line tool prints them (numbers not grouped).
  QString ReportText() const;
  /// Asks for a text file and writes ReportText() to it, whole or not at all ("Save…").
  void SaveReport();
  /// The label shown beside the field of item `index` (0 to 5): a form not proven minimal says so.
  QString LabelText(int index) const;
  /// Says that the window now shows another table than the one analysed.
  void MarkStale();
  /// True once MarkStale was called.
  bool Stale() const { return stale_; }
  /// The "Don't care:" field.
  DontCareField* DontCare() const { return dontCareField_; }
  /// Reads the "Don't care:" field and, when it is usable, analyses the table again with it; an
  /// error is shown beside the field and the analysis shown stays. False on an error.
  bool ApplyDontCare();
  /// True while the analysis shown is with don't-cares.
  bool WithDontCares() const { return function_.dontCare.has_value(); }

 signals:
  /// The analysis ended, complete or stopped.
  void analysisFinished();
  /// The check of a derivation asks the table to go to the row of `assignment` ("A=1 B=0").
  void rowRequested(const QString& assignment);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void done(int result) override;

 private:
  void BuildLayout(const TruthTable& table);
  void AddStepsPage(QTabWidget* tabs, const TruthTable& table);
  void Start();
  void ShowProgress();
  void ShowPartial(std::uint64_t run, const Analysis& sofar);
  void ShowItems(const Analysis& analysis, bool final);
  void Finish(const Analysis& analysis, const FunctionDescription& description);
  std::vector<AnalysisItem> OtherItems(const Analysis& analysis,
                                       const FunctionDescription& description) const;
  QFormLayout* AddFields(QTabWidget* tabs, const QString& title, const std::vector<AnalysisItem>& items,
                         int longFrom, int longTo);

  // The job's result: the analysis, then the other forms and the properties.
  struct Described {
    Analysis analysis;
    FunctionDescription description;
  };
  void Failed(const QString& reason);
  void Ended();

  TruthTable table_;
  AnalysisOptions options_;
  TableFunction function_;  // the table with the don't-cares applied
  std::uint64_t run_ = 0;   // counts Starts, so that the partial results of an earlier one are dropped
  DontCareField* dontCareField_ = nullptr;
  QWidget* dontCareRows_ = nullptr;  // the field of the don't-care rows, shown with don't-cares
  std::map<QString, QWidget*> fields_;
  std::vector<QString> labels_;  // the items' own labels, in order
  QString title_;
  QString report_;  // the lines `brevano analyse` prints, once the analysis has ended
  QLabel* staleNote_ = nullptr;
  QFormLayout* form_ = nullptr;
  QFormLayout* otherForm_ = nullptr;  // the second page
  QLabel* otherNote_ = nullptr;       // why the second page shows only the gate forms
  bool stale_ = false;
  bool ended_ = false;
  QLabel* stage_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* stop_ = nullptr;
  QPushButton* copy_ = nullptr;
  QPushButton* save_ = nullptr;
  BackgroundJob* job_ = nullptr;
};

}  // namespace brevano

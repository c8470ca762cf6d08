// The "Analyse…" dialog: the analysis of a table's Result column, computed off the window's thread.
#pragma once

#include <QDialog>
#include <QString>
#include <map>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/function_forms.h"
#include "tabulate/tabulation.h"

class QFormLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QWidget;

namespace brevano {

class BackgroundJob;

/// Shows the items of the analysis of a table on two pages (the counts, rows and least forms; the
/// other forms and the properties), each in a read-only field that can be selected
/// and copied. The analysis starts on a worker thread when the dialog is made; while it runs a
/// progress bar and "Stop" are shown. Closing or destroying the dialog stops it.
class AnalysisDialog : public QDialog {
  Q_OBJECT

 public:
  /// Analyses `table`, made of `expression` (named in the title when given), within `options`.
  explicit AnalysisDialog(TruthTable table, QWidget* parent = nullptr, const QString& expression = QString(),
                          const AnalysisOptions& options = AnalysisOptions());
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

 signals:
  /// The analysis ended, complete or stopped.
  void analysisFinished();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void done(int result) override;

 private:
  void BuildLayout(const TruthTable& table);
  void Start(TruthTable table, const AnalysisOptions& options);
  void ShowProgress();
  void ShowPartial(const Analysis& sofar);
  void ShowItems(const Analysis& analysis, bool final);
  void Finish(const Analysis& analysis, const FunctionDescription& description);
  QFormLayout* AddFields(QTabWidget* tabs, const QString& title, const std::vector<AnalysisItem>& items,
                         int longFrom, int longTo);

  // The job's result: the analysis, then the other forms and the properties.
  struct Described {
    Analysis analysis;
    FunctionDescription description;
  };
  void Failed(const QString& reason);
  void Ended();

  std::map<QString, QWidget*> fields_;
  std::vector<QString> labels_;  // the items' own labels, in order
  QString title_;
  QString report_;  // the lines `brevano analyse` prints, once the analysis has ended
  QLabel* staleNote_ = nullptr;
  QFormLayout* form_ = nullptr;
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

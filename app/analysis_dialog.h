// The "Analyse…" dialog: the analysis of a table's Result column, computed off the window's thread.
#pragma once

#include <QDialog>
#include <QString>
#include <map>

#include "tabulate/tabulation.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace brevano {

class BackgroundJob;
struct Analysis;

/// Shows the six items of the analysis of a table, each in a read-only field that can be selected
/// and copied. The analysis starts on a worker thread when the dialog is made; while it runs a
/// progress bar and "Stop" are shown. Closing or destroying the dialog stops it.
class AnalysisDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AnalysisDialog(TruthTable table, QWidget* parent = nullptr);
  ~AnalysisDialog() override;

  /// True while the analysis runs.
  bool Running() const;
  /// Stops a running analysis; what it had not computed then says so.
  void Stop();
  /// The text of the field labelled `label` ("Verdict:", ...).
  QString FieldText(const QString& label) const;
  /// The six labelled lines, as the command-line tool prints them.
  QString ReportText() const;
  /// Asks for a text file and writes ReportText() to it, whole or not at all ("Save…").
  void SaveReport();

 signals:
  /// The analysis ended, complete or stopped.
  void analysisFinished();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void done(int result) override;

 private:
  void BuildLayout(const TruthTable& table);
  void Start(TruthTable table);
  void ShowProgress();
  void Finish(const Analysis& analysis);
  void Failed(const QString& reason);
  void Ended();

  std::map<QString, QWidget*> fields_;
  QLabel* stage_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* stop_ = nullptr;
  QPushButton* copy_ = nullptr;
  QPushButton* save_ = nullptr;
  BackgroundJob* job_ = nullptr;
};

}  // namespace brevano

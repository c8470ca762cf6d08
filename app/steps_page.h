// The "Steps" page of the analysis: the way to a least form by named laws, or the tabular method.
#pragma once

#include <QWidget>

#include "tabulate/tabulation.h"

class QComboBox;
class QPlainTextEdit;

namespace brevano {

class BackgroundJob;

/// Shows what `brevano explain` prints for a table: the derivation of its least sum or product
/// (each law on its line, each line checked) with the proof of minimality, or the tabular method's
/// tables. The explanation is made by a background job the first time the page is shown and each
/// time another one is chosen. "Copy" copies the text; "Check steps…" opens the check of a typed
/// derivation, starting from the one shown.
class StepsPage : public QWidget {
  Q_OBJECT

 public:
  /// The explanations of `table`, none made yet.
  explicit StepsPage(TruthTable table, QWidget* parent = nullptr);
  ~StepsPage() override;

  /// The text shown.
  QString Text() const;
  /// The choice: 0 least sum, 1 least product, 2 the tabular method.
  QComboBox* Choice() const { return choice_; }
  /// True while an explanation is being made.
  bool Running() const;
  /// Makes the explanation chosen now.
  void Explain();

 signals:
  /// The explanation chosen is shown (or its failure).
  void explained();
  /// The check of a derivation asks the table to go to the row of `assignment`.
  void rowRequested(const QString& assignment);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  TruthTable table_;
  QComboBox* choice_ = nullptr;
  QPlainTextEdit* text_ = nullptr;
  BackgroundJob* job_ = nullptr;
  bool started_ = false;
};

}  // namespace brevano

// The "Check steps" dialog: a derivation typed or pasted, checked line by line.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QPlainTextEdit;

namespace brevano {

class BackgroundJob;

/// Takes a derivation, one expression a line with the law after "#" if wanted, and checks that
/// each line is the same function as the one before (as `brevano check-steps` does): the first
/// wrong line is marked and the verdict names an assignment on which it differs. "Copy" copies the
/// derivation with the verdict.
class CheckStepsDialog : public QDialog {
  Q_OBJECT

 public:
  /// The dialog with `derivation` in its box.
  explicit CheckStepsDialog(QWidget* parent = nullptr, const QString& derivation = QString());
  ~CheckStepsDialog() override;

  /// The box of the derivation.
  QPlainTextEdit* Input() const { return input_; }
  /// The verdict shown.
  QString Verdict() const;
  /// The assignment on which the first wrong line differs from the line before ("A=1 B=0"), empty
  /// when none is marked.
  QString WrongAssignment() const { return assignment_; }
  /// The first wrong line (counted from 1 in the box), 0 when none is marked.
  int WrongLine() const { return wrongLine_; }
  /// Checks the derivation in the box.
  void Check();

 signals:
  /// A check has ended and its verdict is shown.
  void checked();
  /// "Show the row" was clicked: the table should go to the row of `assignment` ("A=1 B=0").
  void rowRequested(const QString& assignment);

 private:
  void MarkLine(int line);

  QPlainTextEdit* input_ = nullptr;
  QLabel* verdict_ = nullptr;
  QPushButton* showRow_ = nullptr;
  BackgroundJob* job_ = nullptr;
  int wrongLine_ = 0;
  QString assignment_;
};

}  // namespace brevano

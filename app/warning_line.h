// The warning line between the window's buttons and its table: what the table ignores of the text.
#pragma once

#include <QString>
#include <QWidget>

#include "frontend/diagnosis.h"

class QDialog;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace brevano {

/// A warning icon, the first warning of the diagnosis (elided to fit, in full as part of the
/// tooltip), and "Details…", which opens the whole diagnosis in a window of its own. Hidden while
/// the diagnosis has no warning.
class WarningLine : public QWidget {
  Q_OBJECT

 public:
  explicit WarningLine(QWidget* parent = nullptr);

  /// Shows `diagnosis`, replacing what was shown; an open details window follows.
  void SetDiagnosis(const Diagnosis& diagnosis);
  /// The diagnosis shown.
  const Diagnosis& Shown() const { return diagnosis_; }
  /// The text of the line as painted (the first warning, perhaps elided).
  QString LineText() const;
  /// The "Details…" button.
  QPushButton* DetailsButton() const { return details_; }
  /// Opens the details window (made on first use) or raises it; returns it.
  QDialog* ShowDetails();
  /// The text of the details window: every warning, then "Evaluated as: …".
  QString DetailsText() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Elide();

  Diagnosis diagnosis_;
  QLabel* icon_ = nullptr;
  QLabel* text_ = nullptr;
  QPushButton* details_ = nullptr;
  QDialog* popup_ = nullptr;
  QPlainTextEdit* popupText_ = nullptr;
};

}  // namespace brevano

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

/// A warning icon, the first warning of the diagnosis (wrapped to show it whole: NeededHeight says
/// how tall the line then is), a button that tabulates the reading the user most likely meant
/// ("Tabulate `not(a)*a` instead") when the diagnosis suggests one, and "Details…", which opens
/// the whole diagnosis in a window of its own. While the expression box holds another text than the
/// table's (after an error, or while editing), the line names the table's expression first, with
/// an information icon when there is no warning. Hidden while there is neither.
class WarningLine : public QWidget {
  Q_OBJECT

 public:
  explicit WarningLine(QWidget* parent = nullptr);

  /// Shows `diagnosis` of the table of `expression`, replacing what was shown; an open details
  /// window follows. The box is taken to hold `expression`.
  void SetDiagnosis(const Diagnosis& diagnosis, const QString& expression = {});
  /// The text in the expression box: when it is not the table's expression, the line names that.
  void SetBoxText(const QString& text);
  /// The diagnosis shown.
  const Diagnosis& Shown() const { return diagnosis_; }
  /// The text of the line as painted (the first warning, whole).
  QString LineText() const;
  /// The "Details…" button.
  QPushButton* DetailsButton() const { return details_; }
  /// The button offering the suggested reading; hidden when there is none.
  QPushButton* SuggestionButton() const { return suggestion_; }
  /// The height the line needs at `width` to show its text whole (one line of 20 pixels at least).
  int NeededHeight(int width) const;
  /// Opens the details window (made on first use) or raises it; returns it.
  QDialog* ShowDetails();
  /// The text of the details window: every warning, then "Evaluated as: …".
  QString DetailsText() const;

 signals:
  /// The suggested reading `text` was chosen, to be tabulated instead.
  void suggestionChosen(const QString& text);
  /// The text shown or the line's visibility changed, and with them perhaps the height it needs.
  void textChanged();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Refresh();
  void ShowText();
  int TextRoom(int width) const;
  QString FullLine() const;

  Diagnosis diagnosis_;
  QString expression_;
  bool boxDiffers_ = false;
  QLabel* icon_ = nullptr;
  QLabel* text_ = nullptr;
  QPushButton* suggestion_ = nullptr;
  QPushButton* details_ = nullptr;
  QDialog* popup_ = nullptr;
  QPlainTextEdit* popupText_ = nullptr;
};

}  // namespace brevano

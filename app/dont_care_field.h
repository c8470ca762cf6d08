// The "Don't care:" field of the analysis and map dialogs: an expression, "Apply", and what its reading said.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "tabulate/table_function.h"
#include "tabulate/tabulation.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace brevano {

/// An expression whose rows (where it is 1) may take either value. Enter or "Apply" asks for it to
/// be used; Read then tabulates it into the function the dialog takes, shows its warnings, or its
/// error in red.
class DontCareField : public QWidget {
  Q_OBJECT

 public:
  explicit DontCareField(QWidget* parent = nullptr);

  /// The text typed.
  QString Text() const;
  void SetText(const QString& text);
  /// The function of `table` with the don't-cares of the text, read for the table's columns:
  /// nullopt on an error (shown), else the function (without don't-cares for a blank text).
  std::optional<TableFunction> Read(const TruthTable& table);
  /// The message shown under the field: the warnings or the error; empty when none.
  QString MessageText() const;
  /// True while the message is an error.
  bool ShowsError() const { return error_; }
  QLineEdit* Edit() const { return edit_; }

 signals:
  /// Enter or "Apply".
  void applyRequested();

 private:
  void ShowMessage(const QString& text, bool error);

  QLineEdit* edit_ = nullptr;
  QPushButton* apply_ = nullptr;
  QLabel* message_ = nullptr;
  bool error_ = false;
};

}  // namespace brevano

// The expression syntax reference (Help > Expression syntax), its examples clickable into the edit box, and
// the About box.
#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace brevano {

/// The reference: operators and their levels, not(...), constants, names, diff(…;x), what the table
/// ignores, and examples that are links. Modeless; closing hides it.
class HelpDialog : public QDialog {
  Q_OBJECT

 public:
  explicit HelpDialog(QWidget* parent = nullptr);

  /// The browser showing the reference.
  QTextBrowser* Browser() const { return browser_; }
  /// The examples of the reference, in their order.
  static QStringList Examples();

 signals:
  /// An example was clicked: `text` is the expression.
  void exampleChosen(const QString& text);

 private:
  QTextBrowser* browser_ = nullptr;
};

/// The About box's text: version, licence, the libraries used.
QString AboutText();

}  // namespace brevano

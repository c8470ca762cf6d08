// The expression syntax reference (Help > Expression syntax), its examples clickable into the edit box, and
// the About box.
#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace brevano {

/// The pages of help: the expression syntax and one per window.
enum class HelpTopic { kSyntax, kAnalysis, kMap, kCircuit, kFiles };

/// The title of a help page.
QString HelpTitle(HelpTopic topic);
/// The text of a help page other than the syntax reference, as HTML.
QString HelpPageHtml(HelpTopic topic);

/// The reference: operators and their levels, not(...), constants, names, diff(…;x), what the table
/// ignores, and examples that are links. Modeless; closing hides it.
class HelpDialog : public QDialog {
  Q_OBJECT

 public:
  explicit HelpDialog(QWidget* parent = nullptr);

  /// Shows the page of `topic`.
  void ShowTopic(HelpTopic topic);
  /// The page shown.
  HelpTopic Topic() const { return topic_; }
  /// The browser showing the reference.
  QTextBrowser* Browser() const { return browser_; }
  /// The examples of the reference, in their order.
  static QStringList Examples();

 signals:
  /// An example was clicked: `text` is the expression.
  void exampleChosen(const QString& text);

 private:
  QTextBrowser* browser_ = nullptr;
  HelpTopic topic_ = HelpTopic::kSyntax;
};

/// F1 in `dialog` shows the help page of `topic`: in a help window of its own, which is a child of
/// `dialog` so that a modal dialog leaves it usable.
void AddHelpKey(QWidget* dialog, HelpTopic topic);

/// The About box's text: version, licence, the libraries used.
QString AboutText();

}  // namespace brevano

// The expression syntax reference with clickable examples, and the About box.
#include "app/help_dialog.h"

#include <QDialogButtonBox>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace brevano {

namespace {

constexpr const char* kExampleScheme = "example";

// An example as a link: its index in Examples() after the scheme, the text shown as code.
QString Example(int index) {
  const QString text = HelpDialog::Examples().at(index);
  return QStringLiteral("<a href=\"%1:%2\"><code>%3</code></a>")
      .arg(QLatin1String(kExampleScheme))
      .arg(index)
      .arg(text.toHtmlEscaped());
}

QString ReferenceHtml() {
  return QObject::tr(R"(<h2>Expressions</h2>
<p>Type an expression into the box and press <b>Tabulation</b> (or Enter). Click an example to put it into
the box; Up and Down in the box step through the expressions tabulated since the program started.</p>
<h3>Operators</h3>
<table border="1" cellspacing="0" cellpadding="3">
<tr><th>in the table</th><th>write</th><th>example</th></tr>
<tr><td>OR</td><td><code>+</code></td><td>%1</td></tr>
<tr><td>AND</td><td><code>*</code></td><td>%2</td></tr>
<tr><td>XOR</td><td><code>/</code></td><td>%3</td></tr>
<tr><td>NOT</td><td><code>not(...)</code></td><td>%4</td></tr>
</table>
<p>From the most weakly to the most tightly binding: <code>+</code>, then <code>*</code> and <code>/</code>
on one level. Operators of one level group to the left: %5 is read as <code>(a/b)*c</code>, where one
might expect <code>a/(b*c)</code>. Parentheses group as usual: %6.</p>
<p>Write <code>not(...)</code> without a space: <code>not (a)</code> is another function, which the table
ignores.</p>
<h3>Constants</h3>
<p><code>0</code> and <code>1</code>: %7. Constant parts are folded as numbers before the table is made:
<code>1+1</code> becomes 2, which is not a truth value, and <code>1/0</code> is an error (division by
zero).</p>
<h3>Names</h3>
<p>Every other name is a variable, one column of the table, in byte order. Letter case does not matter:
<code>a</code> and <code>A</code> are one column, captioned <code>A</code>. A name is cut to its first 23
characters. Spaces count as characters: <code>a b</code> is one name. A name followed by square brackets,
such as <code>m[1]</code>, is an indexed name, which the table reads as a variable of its own.</p>
<h3>Derivatives</h3>
<p><code>diff(expression;x)</code> is replaced by the derivative of the expression with respect to
<code>x</code>, worked out as arithmetic: %8 gives the table of <code>y+z</code>.</p>
<h3>What the table ignores</h3>
<p>The table evaluates only <code>+</code>, <code>*</code>, <code>/</code>, <code>not(...)</code>,
<code>0</code>, <code>1</code> and variables. It ignores other operators (<code>-</code>, <code>^</code>,
<code>:</code>, <code>=</code>, <code>&lt;</code>, <code>&gt;</code>, <code>==</code>, <code>!=</code>,
<code>&gt;=</code>, <code>&lt;=</code>), other functions, numbers other than 0 and 1, and every statement
after the first <code>;</code>. Whatever it ignores or reads differently from what was typed is said in
the warning line under the buttons, for example for %9 or %10; <b>Details…</b> shows every warning and
the function the table computes.</p>)")
      .arg(Example(0), Example(1), Example(2), Example(3), Example(4), Example(5), Example(6), Example(7),
           Example(8))
      .arg(Example(9));
}

}  // namespace

QStringList HelpDialog::Examples() {
  return {QStringLiteral("a+b"),      QStringLiteral("a*b"),           QStringLiteral("a/b/c"),
          QStringLiteral("not(a+b)"), QStringLiteral("a/b*c"),         QStringLiteral("(a+b)*not(a*b)"),
          QStringLiteral("a*1+0"),    QStringLiteral("diff(x*y;x)+z"), QStringLiteral("not (a)"),
          QStringLiteral("a-b")};
}

HelpDialog::HelpDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Expression syntax"));
  auto* layout = new QVBoxLayout(this);
  browser_ = new QTextBrowser(this);
  browser_->setOpenLinks(false);
  browser_->setHtml(ReferenceHtml());
  layout->addWidget(browser_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
  layout->addWidget(buttons);
  connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
    bool ok = false;
    const int index = url.path().toInt(&ok);
    if (url.scheme() == QLatin1String(kExampleScheme) && ok && index >= 0 && index < Examples().size())
      emit exampleChosen(Examples().at(index));
  });
  resize(520, 560);
}

void HelpDialog::ShowTopic(HelpTopic topic) {
  topic_ = topic;
  setWindowTitle(HelpTitle(topic));
  browser_->setHtml(topic == HelpTopic::kSyntax ? ReferenceHtml() : HelpPageHtml(topic));
}

void AddHelpKey(QWidget* dialog, HelpTopic topic) {
  auto* key = new QShortcut(QKeySequence::HelpContents, dialog);
  QObject::connect(key, &QShortcut::activated, dialog, [dialog, topic] {
    HelpDialog* help = dialog->findChild<HelpDialog*>(QString(), Qt::FindDirectChildrenOnly);
    if (!help) {
      help = new HelpDialog(dialog);
      help->ShowTopic(topic);
    }
    help->show();
    help->raise();
    help->activateWindow();
  });
}

QString AboutText() {
  return QObject::tr(
             "<h3>Brevano Boolean %1</h3>"
             "<p>Truth tables of Boolean expressions: analysis, minimal forms, Karnaugh maps.</p>"
             "<p>MIT licence. Copyright 2026 The Brevano Boolean developers.</p>"
             "<p>Libraries used:</p><ul>"
             "<li>Qt %2, under the GNU LGPL 3</li>"
             "<li>BuDDy 2.4, decision diagrams, copyright 1996-2002 Jorn Lind-Nielsen, under its "
             "MIT-like licence</li></ul>")
      .arg(QStringLiteral(BREVANO_VERSION), QString::fromLatin1(qVersion()));
}

}  // namespace brevano

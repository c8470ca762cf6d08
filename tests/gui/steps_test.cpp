// The Steps page of the analysis and the Check steps dialog, offscreen.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

#include "app/analysis_dialog.h"
#include "app/check_steps_dialog.h"
#include "app/frm_boolean.h"
#include "app/steps_page.h"
#include "app/truth_table_view.h"
#include "pipeline/pipeline.h"
#include "tests/gui/window_controls.h"

namespace brevano {
namespace {

TruthTable Table(const std::string& expression) {
  ExprTree tree;
  return TruthTable::Build(ProcessExpression(expression, tree), DisplayMode::kZeroOne);
}

class StepsTest : public QObject {
  Q_OBJECT

 private slots:
  // The page explains when first shown, and again for each choice: laws, product, tabular method.
  void PageShowsEachExplanation() {
    StepsPage page(Table("not(a+b)+a*not(b)"));
    QSignalSpy explained(&page, &StepsPage::explained);
    page.show();
    QVERIFY(explained.wait(10000));
    QVERIFY(page.Text().contains(QStringLiteral("2  not(A)*not(B)+A*not(B)  De Morgan")));
    QVERIFY(page.Text().contains(QStringLiteral("3  not(B)                  uniting")));
    page.Choice()->setCurrentIndex(1);
    QVERIFY(explained.wait(10000));
    QVERIFY(page.Text().contains(QStringLiteral("involution")));
    page.Choice()->setCurrentIndex(2);
    QVERIFY(explained.wait(10000));
    QVERIFY(page.Text().contains(QStringLiteral("Prime chart")));
  }

  void AnalysisDialogHasTheStepsPage() {
    AnalysisDialog dialog(Table("a*b+a*not(b)"));
    auto* tabs = dialog.findChild<QTabWidget*>();
    QVERIFY(tabs);
    QCOMPARE(tabs->tabText(tabs->count() - 1), QStringLiteral("Steps"));
    QVERIFY(qobject_cast<StepsPage*>(tabs->widget(tabs->count() - 1)));
    dialog.Stop();
  }

  // A wrong step is marked, with the row on which it differs; a right derivation is said so.
  void CheckMarksTheFirstWrongLine() {
    CheckStepsDialog dialog(
        nullptr, QStringLiteral("not(a*b)+c\nnot(a)+not(b)+c # De Morgan\nnot(a)*not(b)+c # De Morgan"));
    QSignalSpy checked(&dialog, &CheckStepsDialog::checked);
    dialog.Check();
    QVERIFY(checked.wait(10000));
    QCOMPARE(dialog.WrongLine(), 3);
    QVERIFY(dialog.Verdict().contains(QStringLiteral("A=0 B=1 C=0")));
    QCOMPARE(dialog.Input()->extraSelections().size(), 1);
    dialog.Input()->setPlainText(QStringLiteral("a*b+a*not(b) # uniting\na"));
    dialog.Check();
    QVERIFY(checked.wait(10000));
    QCOMPARE(dialog.WrongLine(), 0);
    QCOMPARE(dialog.Verdict(), QStringLiteral("All 2 lines are the same function."));
    QVERIFY(dialog.Input()->extraSelections().isEmpty());
  }

  // From the analysis of the table shown, the row where a wrong step differs is one click away.
  void ShowTheRowGoesToItInTheTable() {
    Tfrm_bool_alg window;
    Ui(window).eIN->setText(QStringLiteral("not(a*b)+c"));
    window.Button1Click();
    AnalysisDialog* analysis = window.OpenAnalysis();
    QVERIFY(analysis);
    auto* page = analysis->findChild<StepsPage*>();
    QVERIFY(page);
    for (QPushButton* button : page->findChildren<QPushButton*>()) {
      if (button->text().startsWith(QStringLiteral("Check steps"))) button->click();
    }
    auto* dialog = page->findChild<CheckStepsDialog*>();
    QVERIFY(dialog);
    dialog->Input()->setPlainText(QStringLiteral("not(a*b)+c\nnot(a)*not(b)+c # De Morgan"));
    QSignalSpy checked(dialog, &CheckStepsDialog::checked);
    dialog->Check();
    QVERIFY(checked.wait(10000));
    QCOMPARE(dialog->WrongAssignment(), QStringLiteral("A=0 B=1 C=0"));
    QPushButton* show = nullptr;
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
      if (button->text() == QStringLiteral("Show the row")) show = button;
    }
    QVERIFY(show && show->isEnabled());
    show->click();
    QCOMPARE(Ui(window).LV->CurrentRow(), std::optional<std::uint64_t>(2));
    analysis->Stop();
  }

  void CheckReportsAnUnreadableLine() {
    CheckStepsDialog dialog(nullptr, QStringLiteral("a\na+"));
    QSignalSpy checked(&dialog, &CheckStepsDialog::checked);
    dialog.Check();
    QVERIFY(checked.wait(10000));
    QVERIFY(dialog.Verdict().startsWith(QStringLiteral("line 2: ")));
  }
};

}  // namespace
}  // namespace brevano

QTEST_MAIN(brevano::StepsTest)
#include "steps_test.moc"

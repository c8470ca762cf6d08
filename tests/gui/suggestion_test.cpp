// The reading most likely meant, offered beside the first warning and after a comparison: shown
// whole, tabulated with one click, never instead of the typed text unasked.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/frm_boolean.h"
#include "app/truth_table_view.h"
#include "app/warning_line.h"
#include "tests/gui/window_controls.h"

namespace brevano {
namespace {

class RecordingWindow : public Tfrm_bool_alg {
 public:
  QStringList comparisons;
  QStringList offers;  ///< the readings offered after an error, each taken

 protected:
  void ShowError(const QString& message) override { QFAIL(qPrintable(message)); }
  void ShowComparison(const QString& text, std::optional<std::uint64_t>) override { comparisons << text; }
  bool OfferMeantAfterError(const QString& message, const QString& meant) override {
    offers << message + QStringLiteral(" | ") + meant;
    return true;
  }
};

void Tabulate(Tfrm_bool_alg& window, const QString& text) {
  Ui(window).eIN->setText(text);
  QTest::mouseClick(Ui(window).Button1, Qt::LeftButton);
}

}  // namespace

class SuggestionTest : public QObject {
  Q_OBJECT

 private slots:
  void theWarningLineOffersTheMeantReadingWithOneClick() {
    RecordingWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Tabulate(window, QStringLiteral("not(a) * a"));
    // As typed: the columns A and "A)", and the line says why, whole, with the offer beside it.
    QCOMPARE(Ui(window).LV->Table()->Variables(), (std::vector<std::string>{"A", "A)"}));
    const QString first = QString::fromStdString(Ui(window).Warn->Shown().warnings.front());
    QCOMPARE(Ui(window).Warn->LineText(), first);
    QPushButton* offer = Ui(window).Warn->SuggestionButton();
    QVERIFY(offer->isVisible());
    QCOMPARE(offer->text(), QStringLiteral("Tabulate `not(a)*a` instead"));
    QVERIFY2(Ui(window).Warn->height() >= Ui(window).Warn->NeededHeight(Ui(window).Warn->width()),
             qPrintable(QStringLiteral("%1 %2 %3")
                            .arg(Ui(window).Warn->height())
                            .arg(Ui(window).Warn->NeededHeight(Ui(window).Warn->width()))
                            .arg(Ui(window).Warn->width())));
    QCOMPARE(Ui(window).LV->geometry().top(), Ui(window).Warn->geometry().bottom() + 3);
    QVERIFY(Ui(window).Warn->DetailsText().contains(QStringLiteral("Suggested: not(a)*a\n")));
    window.grab().save(QStringLiteral(BREVANO_SCREENSHOT_DIR "/suggestion.png"));

    QTest::mouseClick(offer, Qt::LeftButton);
    QCOMPARE(window.ShownText(), QStringLiteral("not(a)*a"));
    QCOMPARE(Ui(window).eIN->text(), QStringLiteral("not(a)*a"));
    QCOMPARE(Ui(window).LV->Table()->Variables(), (std::vector<std::string>{"A"}));
    QCOMPARE(Ui(window).LV->Table()->Result(0) + Ui(window).LV->Table()->Result(1), 0);
    QVERIFY(!Ui(window).Warn->isVisible());
    QCOMPARE(Ui(window).LV->geometry().top(), 88);  // the table takes its room back
  }

  void anErrorOffersTheMeantReadingAndTakingItTabulatesIt() {
    RecordingWindow window;
    Tabulate(window, QStringLiteral("1.0*a+b"));
    QCOMPARE(window.offers.size(), 1);
    QVERIFY2(window.offers.front().endsWith(QStringLiteral("1.0 is a number not written as 0 or 1. | 1*a+b")),
             qPrintable(window.offers.front()));
    QCOMPARE(window.ShownText(), QStringLiteral("1*a+b"));
    QCOMPARE(Ui(window).eIN->text(), QStringLiteral("1*a+b"));
    QCOMPARE(Ui(window).LV->Table()->Variables(), (std::vector<std::string>{"A", "B"}));
  }

  void aComparisonOffersBothSidesAsMeant() {
    RecordingWindow window;
    Tabulate(window, QStringLiteral("not(a) * not(b)"));
    window.CompareWith(QStringLiteral("not (a + b)"));
    QTRY_VERIFY(!window.ComparisonRunning());
    QVERIFY2(window.comparisons.last().startsWith(QStringLiteral("Not equivalent")),
             qPrintable(window.comparisons.last()));
    QCOMPARE(window.ComparisonOffer(),
             std::pair(QStringLiteral("not(a)*not(b)"), QStringLiteral("not(a+b)")));
    QVERIFY(window.CompareAsMeant());
    QTRY_VERIFY(!window.ComparisonRunning());
    QCOMPARE(window.ShownText(), QStringLiteral("not(a)*not(b)"));
    QCOMPARE(window.comparisons.last(), QStringLiteral("The two expressions are equivalent."));
    QCOMPARE(window.ComparisonOffer(), std::pair(QString(), QString()));
    QVERIFY(!window.CompareAsMeant());
  }
};

}  // namespace brevano

QTEST_MAIN(brevano::SuggestionTest)
#include "suggestion_test.moc"

// The reading most likely meant, offered beside the first warning and after a comparison: shown
// whole, tabulated with one click, never instead of the typed text unasked.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/frm_boolean.h"
#include "app/truth_table_view.h"
#include "app/warning_line.h"

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
  window.eIN->setText(text);
  QTest::mouseClick(window.Button1, Qt::LeftButton);
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
    QCOMPARE(window.LV->Table()->Variables(), (std::vector<std::string>{"A", "A)"}));
    const QString first = QString::fromStdString(window.Warn->Shown().warnings.front());
    QCOMPARE(window.Warn->LineText(), first);
    QPushButton* offer = window.Warn->SuggestionButton();
    QVERIFY(offer->isVisible());
    QCOMPARE(offer->text(), QStringLiteral("Tabulate `not(a)*a` instead"));
    QVERIFY2(window.Warn->height() >= window.Warn->NeededHeight(window.Warn->width()),
             qPrintable(QStringLiteral("%1 %2 %3")
                            .arg(window.Warn->height())
                            .arg(window.Warn->NeededHeight(window.Warn->width()))
                            .arg(window.Warn->width())));
    QCOMPARE(window.LV->geometry().top(), window.Warn->geometry().bottom() + 3);
    QVERIFY(window.Warn->DetailsText().contains(QStringLiteral("Suggested: not(a)*a\n")));
    window.grab().save(QStringLiteral(BREVANO_SCREENSHOT_DIR "/suggestion.png"));

    QTest::mouseClick(offer, Qt::LeftButton);
    QCOMPARE(window.ShownText(), QStringLiteral("not(a)*a"));
    QCOMPARE(window.eIN->text(), QStringLiteral("not(a)*a"));
    QCOMPARE(window.LV->Table()->Variables(), (std::vector<std::string>{"A"}));
    QCOMPARE(window.LV->Table()->Result(0) + window.LV->Table()->Result(1), 0);
    QVERIFY(!window.Warn->isVisible());
    QCOMPARE(window.LV->geometry().top(), 88);  // the table takes its room back
  }

  void anErrorOffersTheMeantReadingAndTakingItTabulatesIt() {
    RecordingWindow window;
    Tabulate(window, QStringLiteral("1.0*a+b"));
    QCOMPARE(window.offers.size(), 1);
    QVERIFY2(window.offers.front().endsWith(QStringLiteral("1.0 is a number not written as 0 or 1. | 1*a+b")),
             qPrintable(window.offers.front()));
    QCOMPARE(window.ShownText(), QStringLiteral("1*a+b"));
    QCOMPARE(window.eIN->text(), QStringLiteral("1*a+b"));
    QCOMPARE(window.LV->Table()->Variables(), (std::vector<std::string>{"A", "B"}));
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

// The dialogs at a scale factor of 2 on a 1280 × 800 screen (640 × 400 logical pixels, as the test's
// screen is given): each fits the screen's free area with its buttons in reach, and a circuit wider than
// the screen is scaled to fit, with zoom in, out and back to fit.
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "app/analysis_dialog.h"
#include "app/circuit_dialog.h"
#include "app/circuit_view.h"
#include "app/frm_boolean.h"
#include "app/kmap_dialog.h"
#include "app/truth_table_view.h"
#include "tests/gui/window_controls.h"

namespace brevano {

class DialogFitTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0); }

  void eachDialogFitsTheScreen_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("expression");
    QTest::newRow("analysis") << 0 << "a*b+c*d+not(e)*f";
    QTest::newRow("map of 6") << 1 << "a*b+c*d+not(e)*f";
    QTest::newRow("circuit as typed") << 2 << "a*b+c*d+not(e)*f";
  }
  void eachDialogFitsTheScreen() {
    QFETCH(int, which);
    QFETCH(QString, expression);
    Tfrm_bool_alg window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Ui(window).eIN->setText(expression);
    window.Button1Click();
    QDialog* dialog = which == 0   ? static_cast<QDialog*>(window.OpenAnalysis())
                      : which == 1 ? static_cast<QDialog*>(window.OpenKmap())
                                   : static_cast<QDialog*>(window.OpenCircuit());
    QVERIFY(dialog && QTest::qWaitForWindowExposed(dialog));
    const QRect area = dialog->screen()->availableGeometry();
    QVERIFY2(area.contains(dialog->frameGeometry()), qPrintable(QStringLiteral("%1x%2 at %3,%4")
                                                                    .arg(dialog->width())
                                                                    .arg(dialog->height())
                                                                    .arg(dialog->x())
                                                                    .arg(dialog->y())));
    QVERIFY(dialog->minimumSizeHint().width() <= area.width());
    QVERIFY(dialog->minimumSizeHint().height() <= area.height());
    // Maximised, it keeps to the screen, and its buttons are in view.
    dialog->showMaximized();
    QTRY_VERIFY(dialog->height() <= area.height());
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    QVERIFY(buttons && buttons->isVisible());
    QVERIFY(dialog->rect().contains(QRect(buttons->mapTo(dialog, QPoint()), buttons->size())));
    // Its controls scroll to whatever does not fit.
    auto* scroll = dialog->findChild<QScrollArea*>();
    QVERIFY(scroll);
    if (scroll->widget()->minimumSizeHint().height() > scroll->viewport()->height())
      QVERIFY(scroll->verticalScrollBar()->maximum() > 0);
  }

  // A circuit wider than the screen is drawn smaller to fit; zoom in scrolls, Fit returns.
  void aWideCircuitScalesToFitAndZooms() {
    Tfrm_bool_alg window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStringList terms;
    for (int i = 0; i < 12; ++i) terms << QStringLiteral("x%1*not(y%1)").arg(i);
    Ui(window).eIN->setText(terms.join(QLatin1Char('+')));
    window.Button1Click();
    CircuitDialog* dialog = window.OpenCircuit();
    QVERIFY(dialog && QTest::qWaitForWindowExposed(dialog));
    QTRY_VERIFY(!dialog->Busy());
    CircuitView* view = dialog->View();
    QVERIFY(view->Picture().width > dialog->screen()->availableGeometry().width());
    QVERIFY(dialog->frameGeometry().width() <= dialog->screen()->availableGeometry().width());
    QVERIFY(!view->Zoom());
    QVERIFY(view->Scale() < 1);
    QVERIFY(view->Picture().width * view->Scale() <= view->width() + 1);
    const double fitted = view->Scale();
    view->ZoomBy(true);
    QVERIFY(view->Zoom() && *view->Zoom() > fitted);
    QTRY_VERIFY(view->width() >= view->Picture().width * *view->Zoom() - 1);
    view->ZoomBy(false);
    view->ZoomBy(false);
    QVERIFY(*view->Zoom() < fitted);
    view->SetZoom(std::nullopt);
    QTRY_COMPARE(view->Scale(), fitted);
  }
};

}  // namespace brevano

QTEST_MAIN(brevano::DialogFitTest)
#include "dialog_fit_test.moc"

// The window on a screen too small for its first size at a scale factor of 2: it fits, giving the table
// less height, and scrolls when made smaller still.
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "app/frm_boolean.h"
#include "app/truth_table_view.h"
#include "tests/gui/window_controls.h"

namespace brevano {

class WindowFitTest : public QObject {
  Q_OBJECT

 private slots:
  // At twice the scale a screen of 1280 × 1000 pixels has 640 × 500 logical ones: the window with its title
  // bar and edges lies within them, the table taking less height; made smaller than its controls' least
  // size, the client area scrolls to every control.
  void fitsAndScrolls() {
    QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
    Tfrm_bool_alg window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect area = window.screen()->availableGeometry();
    QVERIFY2(area.contains(window.frameGeometry()),
             qPrintable(QStringLiteral("frame %1,%2 %3x%4 outside the screen")
                            .arg(window.frameGeometry().x())
                            .arg(window.frameGeometry().y())
                            .arg(window.frameGeometry().width())
                            .arg(window.frameGeometry().height())));
    auto* scroll = qobject_cast<QScrollArea*>(window.centralWidget());
    QVERIFY(scroll);
    // Lower than the first size, the table gives up height: nothing scrolls, the table is whole.
    QVERIFY(window.ClientArea()->height() < kClientSize.height());
    QCOMPARE(scroll->verticalScrollBar()->maximum(), 0);
    QVERIFY(scroll->viewport()->rect().contains(
        QRect(Ui(window).LV->mapTo(scroll->viewport(), QPoint()), Ui(window).LV->size())));
    // Lower still, the client area keeps its least size and scrolls to every control.
    window.resize(300, 200);
    QTRY_VERIFY(window.ClientArea()->height() > scroll->viewport()->height());
    QVERIFY(scroll->verticalScrollBar()->maximum() > 0);
    scroll->ensureWidgetVisible(Ui(window).LV);
    QVERIFY(scroll->verticalScrollBar()->value() > 0);
  }
};

}  // namespace brevano

QTEST_MAIN(brevano::WindowFitTest)
#include "window_fit_test.moc"

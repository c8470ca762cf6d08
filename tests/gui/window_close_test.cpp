// The program's end: closing the window during a search, or destroying it, ends the event loop at once.
#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QtTest>
#include <functional>

#include "app/analysis_dialog.h"
#include "app/frm_boolean.h"
#include "app/truth_table_view.h"
#include "app/window_commands.h"
#include "tests/gui/window_controls.h"
#include "tests/support/random_listing.h"

namespace brevano {
namespace {

// Tabulates a01*not(a01)*(a sum of 150 random products over 44 variables): no row has Result 1 and
// in no order is its decision diagram small enough to build, so searches and analyses go through
// the rows and run long.
void TabulateHugeProduct(Tfrm_bool_alg& window) {
  const std::string tangled = testing::TangledProducts(44, 150);
  Ui(window).eIN->setText(QStringLiteral("a01*not(a01)*(%1)").arg(QString::fromStdString(tangled)));
  window.Button1Click();
}

// Runs the application's event loop, doing `end` once it runs; returns the loop's status, or -1
// when it was still running after ten seconds.
int RunUntilEnd(const std::function<void()>& end, qint64& endedAfterMs) {
  QElapsedTimer clock;
  QTimer::singleShot(0, [&] {
    clock.start();
    end();
  });
  QTimer::singleShot(10'000, [] { QCoreApplication::exit(-1); });
  const int status = QCoreApplication::exec();
  endedAfterMs = clock.elapsed();
  return status;
}

}  // namespace

class WindowCloseTest : public QObject {
  Q_OBJECT

 private slots:
  void closingDuringASearchEndsTheProgram() {
    QPointer<Tfrm_bool_alg> window = ShowMainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    TabulateHugeProduct(*window);
    Ui(*window).LV->SelectRow(0);
    window->Commands()->FindNth(1, 5);  // too complex for the diagram: row by row
    QVERIFY(window->Commands()->SearchRunning());
    QTRY_VERIFY(Ui(*window).LV->findChild<QProgressDialog*>() &&
                Ui(*window).LV->findChild<QProgressDialog*>()->isVisible());
    QVERIFY(!QGuiApplication::modalWindow());  // nothing keeps the close button from the window

    qint64 endedAfterMs = 0;
    QCOMPARE(RunUntilEnd([&] { window->close(); }, endedAfterMs), 0);
    QVERIFY2(endedAfterMs < 1000, qPrintable(QString::number(endedAfterMs)));
    QVERIFY(window.isNull());  // deleted on closing, and the search with it
  }

  void closingDuringAnAnalysisEndsTheProgram() {
    QPointer<Tfrm_bool_alg> window = ShowMainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    TabulateHugeProduct(*window);
    QPointer<AnalysisDialog> dialog = window->OpenAnalysis();
    QVERIFY(dialog && dialog->Running());

    qint64 endedAfterMs = 0;
    QCOMPARE(RunUntilEnd([&] { window->close(); }, endedAfterMs), 0);
    QVERIFY2(endedAfterMs < 1000, qPrintable(QString::number(endedAfterMs)));
    QVERIFY(window.isNull() && dialog.isNull());
  }

  void destroyingTheWindowEndsTheProgram() {
    QPointer<Tfrm_bool_alg> window = ShowMainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    qint64 endedAfterMs = 0;
    QCOMPARE(RunUntilEnd([&] { delete window.data(); }, endedAfterMs), 0);
    QVERIFY(endedAfterMs < 1000);
  }
};

}  // namespace brevano

QTEST_MAIN(brevano::WindowCloseTest)
#include "window_close_test.moc"

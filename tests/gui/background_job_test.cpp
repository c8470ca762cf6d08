// Background jobs: the one catch policy, Stop against Cancel, and the progress dialog's delay and Cancel.
#include "app/background_job.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <new>
#include <stdexcept>
#include <thread>

namespace brevano {
namespace {

// Work that reports progress until it is asked to stop; returns how often it reported.
int UntilStopped(JobControl& control) {
  int reports = 0;
  while (control.Report(1, 4)) {
    ++reports;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return reports;
}

}  // namespace

class BackgroundJobTest : public QObject {
  Q_OBJECT

 private slots:
  void failures_data() {
    QTest::addColumn<int>("thrown");
    QTest::addColumn<QString>("text");
    QTest::newRow("out of memory") << 0 << "Not enough memory.";
    QTest::newRow("any other exception") << 1 << "disk full";
    QTest::newRow("not an exception") << 2 << "An unexpected error stopped the work.";
  }
  void failures() {
    QFETCH(int, thrown);
    QFETCH(QString, text);
    BackgroundJob job;
    QString shown;
    StartJob<int>(
        job,
        [thrown](JobControl&) -> int {
          if (thrown == 0) throw std::bad_alloc();
          if (thrown == 1) throw std::runtime_error("disk full");
          throw 42;
        },
        [](int) { QFAIL("a result after a throw"); },
        [&shown](const JobFailure& failure) { shown = failure.Text(QStringLiteral("Not enough memory.")); });
    QTRY_VERIFY(!job.Running());
    QCOMPARE(shown, text);
  }

  void stopDeliversAndCancelDrops() {
    BackgroundJob job;
    QSignalSpy cancelled(&job, &BackgroundJob::cancelled);
    int ends = 0;
    int reports = -1;
    StartJob<int>(
        job, UntilStopped,
        [&](int result) {
          ++ends;
          reports = result;
        },
        [](const JobFailure&) {});
    QVERIFY(job.Running());
    QTRY_COMPARE(job.Permille(), 250);
    job.Stop();  // waits, then hands over what the work returned
    QVERIFY(!job.Running());
    QCOMPARE(ends, 1);
    QVERIFY(reports >= 0);
    QCOMPARE(cancelled.count(), 0);

    StartJob<int>(
        job, UntilStopped, [&](int) { ++ends; }, [](const JobFailure&) {});
    job.Cancel();
    QVERIFY(!job.Running());
    QCOMPARE(ends, 1);
    QCOMPARE(cancelled.count(), 1);
  }

  // A job dropped while its work runs neither waits for it nor reports its end, and goes once the
  // work has returned.
  void deleteWhenStoppedDoesNotWait() {
    QPointer<BackgroundJob> job = new BackgroundJob;
    QSignalSpy cancelled(job.data(), &BackgroundJob::cancelled);
    bool ended = false;
    StartJob<int>(
        *job,
        [](JobControl& control) {
          UntilStopped(control);
          std::this_thread::sleep_for(std::chrono::milliseconds(50));  // slow to stop
          return 0;
        },
        [&ended](int) { ended = true; }, [&ended](const JobFailure&) { ended = true; });
    QElapsedTimer clock;
    clock.start();
    job->DeleteWhenStopped();
    QVERIFY(clock.elapsed() < 40);
    QTRY_VERIFY(job.isNull());
    QVERIFY(!ended);
    QCOMPARE(cancelled.count(), 0);
  }

  void progressDialogWaitsThenCancels() {
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    BackgroundJob job;
    QSignalSpy cancelled(&job, &BackgroundJob::cancelled);
    QElapsedTimer clock;
    clock.start();
    StartJob<int>(
        job, UntilStopped, [](int) {}, [](const JobFailure&) {});
    job.ShowProgressDialog(&window, QStringLiteral("Working\u2026"));
    QTRY_VERIFY(job.ProgressDialog() && job.ProgressDialog()->isVisible());
    QVERIFY(clock.elapsed() >= kProgressDialogDelay.count());
    QVERIFY(!QGuiApplication::modalWindow());
    QTest::mouseClick(job.ProgressDialog()->findChild<QPushButton*>(), Qt::LeftButton);
    QVERIFY(!job.Running());
    QCOMPARE(cancelled.count(), 1);
    QVERIFY(!job.ProgressDialog());
  }
};

}  // namespace brevano

QTEST_MAIN(brevano::BackgroundJobTest)
#include "background_job_test.moc"

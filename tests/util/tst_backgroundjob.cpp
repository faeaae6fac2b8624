// The one way background work is done: results come back queued, only for
// the run that is current, and nothing outlives the job.

#include "util/BackgroundJob.h"

#include <QCoreApplication>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>

using namespace corvane;
using namespace Qt::Literals::StringLiterals;

class TestBackgroundJob : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void resultComesQueuedOnTheJobsThread();
    void onlyTheCurrentRunDelivers_data();
    void onlyTheCurrentRunDelivers();
    void stopStillDelivers();
    void goingAwayStopsAndWaits();
    void releaseLeavesAnEmptyValue();
};

void TestBackgroundJob::resultComesQueuedOnTheJobsThread()
{
    BackgroundJob job(u"TestJob"_s);
    QThread *workThread = nullptr;
    QThread *doneThread = nullptr;
    int result = 0;
    QSemaphore go;
    job.start(
        [&](const JobRun &) {
            go.acquire();
            workThread = QThread::currentThread();
            return 42;
        },
        [&](int value) {
            result = value;
            doneThread = QThread::currentThread();
        });
    QVERIFY(job.isRunning());
    go.release();
    QTRY_VERIFY(!job.isRunning());
    QCOMPARE(result, 42);
    QVERIFY(workThread && workThread != QThread::currentThread());
    QCOMPARE(doneThread, QThread::currentThread());
}

// A run abandoned or replaced by a new start is not heard of again: neither
// its reports nor its result.
void TestBackgroundJob::onlyTheCurrentRunDelivers_data()
{
    QTest::addColumn<bool>("restart");
    QTest::newRow("abandoned") << false;
    QTest::newRow("started again") << true;
}

void TestBackgroundJob::onlyTheCurrentRunDelivers()
{
    QFETCH(bool, restart);
    BackgroundJob job(u"TestJob"_s);
    QList<int> delivered;
    QList<int> reported;
    QSemaphore reportSent;
    std::atomic<bool> firstSawStop = false;
    job.start(
        [&](const JobRun &run) {
            run.report([&] { reported << 1; });
            reportSent.release();
            while (!run.stopRequested())
                QThread::msleep(1);
            firstSawStop = true;
            return 1;
        },
        [&](int value) { delivered << value; });
    reportSent.acquire();
    if (restart) {
        job.start(
            [](const JobRun &run) {
                run.report([] {});
                return 2;
            },
            [&](int value) { delivered << value; });
        QVERIFY(job.isRunning());
    } else {
        job.abandon();
        QCOMPARE(job.isRunning(), false); // at once, before the work has noticed
    }
    QTRY_VERIFY(firstSawStop.load());
    job.waitForAll();
    QCoreApplication::processEvents();
    QTest::qWait(20);
    QCOMPARE(reported, QList<int>{}); // queued before abandon, shown after: dropped
    QCOMPARE(delivered, restart ? QList<int>{2} : QList<int>{});
    QCOMPARE(job.isRunning(), false);
}

void TestBackgroundJob::stopStillDelivers()
{
    BackgroundJob job(u"TestJob"_s);
    bool stopped = false;
    QSemaphore started;
    job.start(
        [&](const JobRun &run) {
            started.release();
            while (!run.stopRequested())
                QThread::msleep(1);
            return true;
        },
        [&](bool sawStop) { stopped = sawStop; });
    started.acquire();
    job.stop();
    QVERIFY(job.isRunning()); // its result is still to come
    QTRY_VERIFY(stopped);
}

// The owner goes mid-run: the work is told to stop and is waited for, and
// its result is never delivered to what is gone.
void TestBackgroundJob::goingAwayStopsAndWaits()
{
    std::atomic<bool> ended = false;
    bool delivered = false;
    QSemaphore started;
    {
        BackgroundJob job(u"TestJob"_s);
        job.start(
            [&](const JobRun &run) {
                started.release();
                while (!run.stopRequested())
                    QThread::msleep(1);
                QThread::msleep(20);
                ended = true;
                return 0;
            },
            [&](int) { delivered = true; });
        started.acquire();
        job.abandon();
        job.start([](const JobRun &) { return 1; }, [&](int) { delivered = true; });
    }
    QVERIFY(ended.load()); // waited for, also the abandoned run
    QCoreApplication::processEvents();
    QCOMPARE(delivered, false);
}

void TestBackgroundJob::releaseLeavesAnEmptyValue()
{
    auto shared = std::make_shared<int>(7);
    std::weak_ptr<int> watch = shared;
    std::vector<std::shared_ptr<int>> values{shared, shared};
    shared.reset();
    releaseInBackground(values);
    QVERIFY(values.empty());
    QTRY_VERIFY(watch.expired()); // freed on the pool thread
}

QTEST_GUILESS_MAIN(TestBackgroundJob)
#include "tst_backgroundjob.moc"

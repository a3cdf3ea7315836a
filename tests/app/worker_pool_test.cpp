// The window's one worker registry: answers arrive on the main thread, and a stopped worker's
// reports and answer can never be taken for a fresh result.

#include "app/worker_pool.h"
#include "rules/ban_history.h"

#include <QSignalSpy>
#include <QTest>

namespace {

SearchJob job(SearchJob::Kind kind, int64_t timeMs = 0) {
    SearchJob j;
    j.kind = kind;
    j.moves.appendAndJudge(7, 7, 'B');
    j.timeMs = timeMs;
    return j;
}

} // namespace

class WorkerPoolTest : public QObject {
    Q_OBJECT

  private slots:
    void decisionAnswersOnceAndIsJoined();
    void stoppedWorkerDeliversNothingStale();
    void stopAllJoinsWithoutAnswers();
};

void WorkerPoolTest::decisionAnswersOnceAndIsJoined() {
    WorkerPool pool;
    QSignalSpy finished(&pool, &WorkerPool::finished);
    const quint64 serial = pool.start(job(SearchJob::Kind::Decision));
    QVERIFY(serial != 0);
    QCOMPARE(pool.running(SearchJob::Kind::Decision), 1);
    QVERIFY(finished.wait(20000));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished[0][0].toULongLong(), serial);
    const auto answer = finished[0][1].value<SearchReport>();
    QVERIFY(answer.bestMove >= 0 && answer.bestMove < kPoints && answer.bestMove != 7 + 15 * 7);
    QCOMPARE(pool.running(), 0);
}

// An analysis without a time limit runs until stopped; once stopped its later reports are
// dropped and its answer arrives empty, while another worker goes on reporting.
void WorkerPoolTest::stoppedWorkerDeliversNothingStale() {
    WorkerPool pool;
    QSignalSpy reports(&pool, &WorkerPool::report);
    QSignalSpy finished(&pool, &WorkerPool::finished);
    const quint64 stopped = pool.start(job(SearchJob::Kind::Analysis));
    const quint64 other = pool.start(job(SearchJob::Kind::Analysis));
    QVERIFY(stopped != 0 && other != 0 && stopped != other);
    QVERIFY(QTest::qWaitFor([&] { return reports.size() > 0; }, 20000));
    pool.stop(stopped);
    const qsizetype before = reports.size();
    QVERIFY(QTest::qWaitFor([&] { return finished.size() == 1; }, 20000));
    QCOMPARE(finished[0][0].toULongLong(), stopped);
    QCOMPARE(finished[0][1].value<SearchReport>().bestMove, int(kNoMove));
    QVERIFY(finished[0][1].value<SearchReport>().line.empty());
    for (qsizetype i = before; i < reports.size(); ++i)
        QCOMPARE(reports[i][0].toULongLong(), other);
    QCOMPARE(pool.running(SearchJob::Kind::Analysis), 1);
    pool.stop(4242); // unknown: ignored
    pool.stopAll();
}

void WorkerPoolTest::stopAllJoinsWithoutAnswers() {
    WorkerPool pool;
    QSignalSpy finished(&pool, &WorkerPool::finished);
    QSignalSpy reports(&pool, &WorkerPool::report);
    pool.start(job(SearchJob::Kind::Hint, 60000));
    pool.start(job(SearchJob::Kind::Analysis));
    pool.stopAll();
    QCOMPARE(pool.running(), 0);
    const qsizetype seen = reports.size();
    QTest::qWait(50); // let queued signals of the joined workers arrive
    QCOMPARE(finished.size(), 0);
    QCOMPARE(reports.size(), seen);
}

QTEST_MAIN(WorkerPoolTest)
#include "worker_pool_test.moc"

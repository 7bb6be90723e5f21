#include <QtTest>

#include <QSemaphore>

#include <atomic>
#include <memory>
#include <vector>

#include "analysis/job_runner.h"

using namespace strativex;

namespace {

constexpr int kWaitMs = 10000;

// A job that says it has started, then works until it is cancelled and delivers what it was
// given to deliver: the shape of the 3-D check, without its cost.
struct BlockingJob {
    std::shared_ptr<QSemaphore> started = std::make_shared<QSemaphore>();
    std::shared_ptr<std::atomic<bool>> ended = std::make_shared<std::atomic<bool>>(false);

    JobRunner::Work Work(std::vector<int>& delivered, int value) const {
        return [started = started, ended = ended, &delivered, value](const JobControl& control) {
            control.Deliver([&delivered, value] { delivered.push_back(-value); });
            started->release();
            while (!control.IsCancelled()) QThread::msleep(1);
            control.Deliver([&delivered, value] { delivered.push_back(value); });
            *ended = true;
        };
    }
    bool WaitStarted() const { return started->tryAcquire(1, kWaitMs); }
};

// What the runner's signals brought, and on which thread.
struct Heard {
    std::vector<std::pair<std::uint64_t, bool>> ends;
    std::vector<double> fractions;
    std::vector<QString> stages;
    bool elsewhere = false;

    explicit Heard(JobRunner& runner) {
        QObject::connect(&runner, &JobRunner::finished, &runner,
                         [this](std::uint64_t revision, bool cancelled) {
                             Note();
                             ends.emplace_back(revision, cancelled);
                         });
        QObject::connect(&runner, &JobRunner::progressed, &runner,
                         [this](double fraction, const QString& stage) {
                             Note();
                             fractions.push_back(fraction);
                             stages.push_back(stage);
                         });
    }
    void Note() { elsewhere = elsewhere || QThread::currentThread() != qApp->thread(); }
};

}  // namespace

class TestJobRunner : public QObject {
    Q_OBJECT

private slots:
    // Progress and results are handed to the interface thread, results in the order they were
    // found, and the end comes once, after them, tagged with the revision the job was for.
    void resultsArriveOnTheInterfaceThread() {
        JobRunner runner;
        Heard heard(runner);
        std::vector<int> delivered;
        bool deliveredElsewhere = false;
        runner.Start(7, [&](const JobControl& control) {
            for (int k = 1; k <= 3; ++k) {
                control.Progress(k / 3.0, QStringLiteral("step %1").arg(k));
                control.Deliver([&, k] {
                    deliveredElsewhere =
                        deliveredElsewhere || QThread::currentThread() != qApp->thread();
                    delivered.push_back(k);
                });
            }
        });
        QVERIFY(runner.IsRunning());
        QTRY_VERIFY_WITH_TIMEOUT(!runner.IsRunning(), kWaitMs);
        QCOMPARE(delivered, (std::vector{1, 2, 3}));
        QCOMPARE(heard.ends, (std::vector<std::pair<std::uint64_t, bool>>{{7, false}}));
        QVERIFY(!heard.fractions.empty() && heard.fractions.back() == 1.0);
        QVERIFY(std::is_sorted(heard.fractions.begin(), heard.fractions.end()));
        QCOMPARE(heard.stages.back(), QStringLiteral("step 3"));
        QVERIFY(!deliveredElsewhere && !heard.elsewhere);
        QTest::qWait(50);
        QCOMPARE(heard.ends.size(), std::size_t{1});
    }

    void cancelMidRun_data() {
        QTest::addColumn<bool>("waitForIt");
        QTest::newRow("cancel") << false;
        QTest::newRow("stop, as closing a window does") << true;
    }

    // A cancel ends the job; what it delivered still arrives, and its end says it was
    // cancelled. Stop hands all of it over before it returns.
    void cancelMidRun() {
        QFETCH(bool, waitForIt);
        JobRunner runner;
        Heard heard(runner);
        std::vector<int> delivered;
        const BlockingJob job;
        runner.Start(3, job.Work(delivered, 1));
        QVERIFY(job.WaitStarted());
        if (waitForIt) {
            runner.Stop();
            QVERIFY(*job.ended);
        } else {
            runner.Cancel();
            QVERIFY(runner.IsRunning());
            QTRY_VERIFY_WITH_TIMEOUT(!heard.ends.empty(), kWaitMs);
        }
        QVERIFY(!runner.IsRunning());
        QCOMPARE(delivered, (std::vector{-1, 1}));
        QCOMPARE(heard.ends, (std::vector<std::pair<std::uint64_t, bool>>{{3, true}}));
    }

    // A job started for a newer revision supersedes the running one: nothing the old job
    // delivers after that arrives, not even what it found before, and only the new one ends.
    void resultForAnOldRevisionDropped() {
        JobRunner runner;
        Heard heard(runner);
        std::vector<int> delivered;
        const BlockingJob old;
        runner.Start(1, old.Work(delivered, 1));
        QVERIFY(old.WaitStarted());
        runner.Start(2, [&](const JobControl& control) {
            control.Deliver([&] { delivered.push_back(2); });
        });
        QVERIFY(*old.ended);
        QCOMPARE(runner.Revision(), std::uint64_t{2});
        QTRY_VERIFY_WITH_TIMEOUT(!runner.IsRunning(), kWaitMs);
        QTest::qWait(50);
        QCOMPARE(delivered, std::vector{2});
        QCOMPARE(heard.ends, (std::vector<std::pair<std::uint64_t, bool>>{{2, false}}));
    }

    // Abandoned, or destroyed with its window, a running job is stopped and joined, and
    // nothing of it arrives.
    void abandonedJobDeliversNothing_data() {
        QTest::addColumn<bool>("destroy");
        QTest::newRow("abandoned") << false;
        QTest::newRow("destroyed") << true;
    }

    void abandonedJobDeliversNothing() {
        QFETCH(bool, destroy);
        auto runner = std::make_unique<JobRunner>();
        Heard heard(*runner);
        std::vector<int> delivered;
        const BlockingJob job;
        runner->Start(5, job.Work(delivered, 1));
        QVERIFY(job.WaitStarted());
        if (destroy) {
            runner.reset();
        } else {
            runner->Abandon();
            QVERIFY(!runner->IsRunning());
        }
        QVERIFY(*job.ended);
        QTest::qWait(50);
        QVERIFY(delivered.empty());
        QVERIFY(heard.ends.empty());
    }
};

QTEST_MAIN(TestJobRunner)
#include "test_job_runner.moc"

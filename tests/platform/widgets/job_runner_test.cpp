#include "platform/dispatch.h"
#include "platform/event_yield.h"
#include "platform/thread.h"
#include "platform/timer.h"
#include "platform/widgets/window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPointer>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace platform;

namespace {

/// Posts `fn` to the loop, as an event (a click, a close box) that arrives during the job.
template <typename F>
void Post(F fn) {
    QMetaObject::invokeMethod(qApp, fn, Qt::QueuedConnection);
}

class JobRunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallEventYield();
        job.SetRunningFlag(&threadRunning);
    }
    void TearDown() override {
        SetYieldHook({});
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(KillRequested());
        EXPECT_FALSE(JobRunning());
    }
    /// Logs the flag and the runner's state as the job sees them.
    void LogState(const std::string& where) {
        log.push_back(where + (threadRunning ? " flag" : " noflag") +
                      (job.IsRunning() ? " running" : ""));
    }

    ScopedManualTimers timers;  // every yield of the job processes events
    Thread job;
    bool threadRunning = false;
    std::vector<std::string> log;
};

class ClosingWindow : public Window {
public:
    explicit ClosingWindow(std::vector<std::string>& log)
        : m_log(log) {}

protected:
    void Event_Close() override { m_log.push_back("window.Close"); }

private:
    std::vector<std::string>& m_log;
};

}  // namespace

TEST_F(JobRunnerTest, RunStartsTheJobFromTheLoopWithTheFlagRaisedExactlyWhileItRuns) {
    job.RunEvent = [this] {
        LogState("job");
        job.Run();  // a second start while the job runs does nothing
        EXPECT_FALSE(job.IsPending());
    };
    job.Run();
    LogState("after Run");  // not yet: the job starts once the current event has ended
    EXPECT_TRUE(job.IsPending());
    job.Run();  // nor while it waits to start
    QCoreApplication::processEvents();
    LogState("after the loop");
    EXPECT_EQ(log, (std::vector<std::string>{"after Run noflag", "job flag running",
                                             "after the loop noflag"}));
}

TEST_F(JobRunnerTest, KillEndsTheJobAtItsNextYield) {
    job.RunEvent = [this] {
        for (int step = 0; step < 5; ++step) {
            LogState("step " + std::to_string(step));
            if (step == 1)
                Post([this] { job.Kill(); });  // the kill arrives from the loop
            Yield();
        }
        log.push_back("never reached");
    };
    job.Run();
    QCoreApplication::processEvents();
    // Step 1's yield ran the kill, then threw; the runner caught the end quietly.
    EXPECT_EQ(log, (std::vector<std::string>{"step 0 flag running", "step 1 flag running"}));
    EXPECT_FALSE(threadRunning);
    EXPECT_FALSE(job.IsRunning());

    // A killed job's runner starts the next job as usual.
    log.clear();
    job.RunEvent = [this] {
        Yield();
        LogState("next job");
    };
    job.Run();
    QCoreApplication::processEvents();
    EXPECT_EQ(log, (std::vector<std::string>{"next job flag running"}));
}

TEST_F(JobRunnerTest, KillBeforeTheStartCancelsItAndKillWithoutAJobDoesNothing) {
    job.Kill();
    EXPECT_FALSE(KillRequested());  // a stray kill must not end the next job at once
    job.RunEvent = [this] { LogState("job"); };
    job.Run();
    job.Kill();
    QCoreApplication::processEvents();
    EXPECT_TRUE(log.empty());
}

TEST_F(JobRunnerTest, AFailureThatLeavesTheJobIsReportedAndTheFlagStillFalls) {
    std::vector<std::string> reports;
    auto old = SetExceptionReport([&](const std::exception& e) { reports.push_back(e.what()); });
    job.RunEvent = [] { throw IOException(28, "disk full"); };
    job.Run();
    QCoreApplication::processEvents();
    SetExceptionReport(std::move(old));
    EXPECT_EQ(reports, (std::vector<std::string>{"disk full"}));
    EXPECT_FALSE(threadRunning);
    EXPECT_FALSE(job.IsRunning());
}

TEST_F(JobRunnerTest, AWindowClosedDuringTheJobClosesAfterTheJobEnded) {
    QPointer<ClosingWindow> w = new ClosingWindow(log);
    w->Build();
    w->SetOwnsJob(true);
    job.RunEvent = [this, w] {
        struct Ended {
            std::function<void()> log;
            ~Ended() { log(); }
        } ended{[this] { LogState("job ended"); }};
        Post([w] { w->close(); });  // the user's close box during the job
        for (int step = 0; step < 3; ++step) {
            Yield();
            LogState("after yield " + std::to_string(step));
        }
    };
    job.Run();
    QCoreApplication::processEvents();  // the job: its first yield takes the close
    EXPECT_FALSE(w->IsClosed());
    QCoreApplication::processEvents();  // the close, posted again
    EXPECT_TRUE(w->IsClosed());
    // The close neither ran inside the job nor let the job take another step.
    EXPECT_EQ(log, (std::vector<std::string>{"job ended flag running", "window.Close"}));
}

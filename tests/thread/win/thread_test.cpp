// Schedules are scaled down (a few hundred milliseconds rather than the clock's 1000 ms) to
// keep the program short. Timing checks only tell one schedule from another: each bound
// lies a whole pause or run away from the figure it expects, so a loaded machine does not
// fail them. The measured figures are printed.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "thread/task.h"
#include "thread/win/thread.h"

namespace s::thread::win {
namespace {

using Clock = std::chrono::steady_clock;

int64_t msSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

int64_t msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count();
}

// The test's clock and the thread's may round a millisecond apart.
constexpr int64_t kClockSlackMs = 2;

// Notes when each run starts and sleeps `workMs` in it.
class TimedTask : public ITask {
public:
    explicit TimedTask(int32_t workMs = 0) : workMs_(workMs) {}
    void run() override {
        int32_t n = started.fetch_add(1);
        if (n < kMaxRuns)
            starts[n] = Clock::now();
        lastThread = GetCurrentThreadId();
        if (workMs_ > 0)
            Sleep(workMs_);
        finished.fetch_add(1);
    }
    // Milliseconds from the start of run i to the start of run i + 1.
    int64_t gap(int i) const { return msBetween(starts[i], starts[i + 1]); }
    void printGaps(const char* what, int count) const {
        std::printf("[ figures  ] %s: gaps", what);
        for (int i = 0; i < count; ++i)
            std::printf(" %lld", static_cast<long long>(gap(i)));
        std::printf(" ms\n");
    }
    bool waitStarted(int count, int32_t timeoutMs = 5000) const {
        auto start = Clock::now();
        while (started.load() < count) {
            if (msSince(start) > timeoutMs)
                return false;
            Sleep(5);
        }
        return true;
    }

    static constexpr int kMaxRuns = 64;
    std::atomic<int> started{0};
    std::atomic<int> finished{0};
    std::atomic<DWORD> lastThread{0};
    Clock::time_point starts[kMaxRuns];

private:
    int32_t workMs_;
};

TEST(Thread, RunsTheScheduledNumberOfTimes) {
    struct Case {
        int mode;  // 0 run, 1 run count, 2 with pause, 3 at rate
        int32_t count;
        int expected;
    } cases[] = {{0, 1, 1}, {1, 4, 4}, {1, 0, 0}, {2, 3, 3}, {3, 3, 3}};
    Thread thread;
    for (const Case& c : cases) {
        TimedTask task;
        switch (c.mode) {
            case 0:
                ASSERT_TRUE(thread.run(&task));
                break;
            case 1:
                ASSERT_TRUE(thread.run(&task, c.count));
                break;
            case 2:
                ASSERT_TRUE(thread.runWithPause(&task, c.count, 10));
                break;
            default:
                ASSERT_TRUE(thread.runAtRate(&task, c.count, 10));
                break;
        }
        ASSERT_TRUE(thread.waitDone(5000));
        EXPECT_EQ(task.finished.load(), c.expected) << "mode " << c.mode;
        EXPECT_TRUE(thread.isDone());
    }
}

TEST(Thread, PausesAfterEveryRunButTheLast) {
    constexpr int32_t kWork = 20, kPause = 300;
    Thread thread;
    TimedTask task(kWork);
    ASSERT_TRUE(thread.runWithPause(&task, 3, kPause));
    thread.waitDone();
    auto doneAt = Clock::now();
    ASSERT_EQ(task.finished.load(), 3);
    int64_t afterLast = msBetween(task.starts[2], doneAt);
    task.printGaps("pause 300 ms after a 20 ms run", 2);
    std::printf("[ figures  ] done %lld ms after the last run started\n",
                static_cast<long long>(afterLast));
    for (int i = 0; i < 2; ++i) {
        EXPECT_GE(task.gap(i), kWork + kPause - kClockSlackMs) << i;
        EXPECT_LT(task.gap(i), kWork + 2 * kPause) << i;  // not two pauses
    }
    EXPECT_LT(afterLast, kWork + kPause);  // no pause after the last run
    EXPECT_TRUE(thread.isDone());
}

TEST(Thread, FixedRateKeepsThePeriodAndFollowsALongRunAtOnce) {
    Thread thread;
    // A run shorter than the period: runs start one period apart, not run + period.
    constexpr int32_t kShortWork = 150, kRate = 400;
    TimedTask shortTask(kShortWork);
    ASSERT_TRUE(thread.runForeverAtRate(&shortTask, kRate));
    ASSERT_TRUE(shortTask.waitStarted(4));
    thread.stopRunsAndWait();
    shortTask.printGaps("rate 400 ms, 150 ms runs", 3);
    for (int i = 0; i < 3; ++i) {
        // The thread takes the time just before the run, the task a little later, and the
        // two may be a time slice apart: the lower bound only tells the rate from no pause.
        EXPECT_GT(shortTask.gap(i), (kShortWork + kRate) / 2) << i;
        EXPECT_LT(shortTask.gap(i), kRate + kShortWork) << i;
    }

    // A run longer than the period is followed at once by the next.
    constexpr int32_t kLongWork = 400, kShortRate = 300;
    TimedTask longTask(kLongWork);
    ASSERT_TRUE(thread.runForeverAtRate(&longTask, kShortRate));
    ASSERT_TRUE(longTask.waitStarted(3));
    thread.stopRunsAndWait();
    longTask.printGaps("rate 300 ms, 400 ms runs", 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_GE(longTask.gap(i), kLongWork - kClockSlackMs) << i;
        EXPECT_LT(longTask.gap(i), kLongWork + kShortRate) << i;  // not a run and a pause
    }
}

// Runs until the test lets it go (or 10 s pass).
class GatedTask : public ITask {
public:
    void run() override {
        ++started;
        auto start = Clock::now();
        while (!released && msSince(start) < 10000)
            Sleep(5);
        ++finished;
    }
    bool waitStarted(int count) const {
        auto start = Clock::now();
        while (started.load() < count && msSince(start) < 5000)
            Sleep(5);
        return started.load() >= count;
    }
    std::atomic<bool> released{false};
    std::atomic<int> started{0};
    std::atomic<int> finished{0};
};

TEST(Thread, StopRunsLetsTheCurrentRunFinishAndStartsNoOther) {
    Thread thread;
    GatedTask task;
    ASSERT_TRUE(thread.runForever(&task));
    ASSERT_TRUE(task.waitStarted(1));
    thread.stopRuns();
    EXPECT_FALSE(thread.isDone());  // the run is still in progress
    EXPECT_EQ(task.finished.load(), 0);
    task.released = true;
    thread.waitDone();
    EXPECT_EQ(task.finished.load(), 1);
    Sleep(100);
    EXPECT_EQ(task.started.load(), 1);
    EXPECT_TRUE(thread.isDone());
}

TEST(Thread, StopRunsEndsAPauseEarly) {
    Thread thread;
    TimedTask task;
    ASSERT_TRUE(thread.runForeverWithPause(&task, 5000));
    ASSERT_TRUE(task.waitStarted(1));
    Sleep(50);
    auto start = Clock::now();
    thread.stopRunsAndWait();
    EXPECT_LT(msSince(start), 1000);
    EXPECT_EQ(task.started.load(), 1);
}

// A task may change its own thread's schedule: it runs outside the thread's lock.
class SelfStoppingTask : public ITask {
public:
    void run() override {
        if (++runs == 2)
            thread->stopRuns();
    }
    Thread* thread = nullptr;
    std::atomic<int> runs{0};
};

TEST(Thread, ATaskMayStopItsOwnThread) {
    Thread thread;
    SelfStoppingTask task;
    task.thread = &thread;
    ASSERT_TRUE(thread.runForever(&task));
    ASSERT_TRUE(thread.waitDone(5000));
    EXPECT_EQ(task.runs.load(), 2);
}

// Blocks until released (or 10 s pass).
class StuckTask : public ITask {
public:
    void run() override {
        entered = true;
        auto start = Clock::now();
        while (!released && msSince(start) < 10000)
            Sleep(10);
        ++finished;
    }
    std::atomic<bool> entered{false};
    std::atomic<bool> released{false};
    std::atomic<int> finished{0};
};

TEST(Thread, WaitDoneWithTimeoutReplacesAStuckThreadKeepingThePriority) {
    Thread thread;
    thread.setPriority(THREAD_PRIORITY_BELOW_NORMAL);
    StuckTask stuck;
    ASSERT_TRUE(thread.run(&stuck));
    while (!stuck.entered)
        Sleep(5);
    DWORD oldId = thread.threadId();
    HANDLE old = OpenThread(SYNCHRONIZE, FALSE, oldId);
    ASSERT_NE(old, nullptr);

    auto start = Clock::now();
    EXPECT_FALSE(thread.waitDone(500));
    int64_t waited = msSince(start);
    std::printf("[ figures  ] waitDone(500) on a stuck task returned after %lld ms\n",
                static_cast<long long>(waited));
    EXPECT_GE(waited, 500 - kClockSlackMs);
    EXPECT_LT(waited, 10000);  // long before the task would give up by itself

    // A new idle thread with the same priority, usable at once.
    EXPECT_TRUE(thread.isDone());
    EXPECT_NE(thread.threadId(), oldId);
    EXPECT_EQ(thread.priority(), THREAD_PRIORITY_BELOW_NORMAL);
    TimedTask task;
    ASSERT_TRUE(thread.run(&task));
    ASSERT_TRUE(thread.waitDone(5000));
    EXPECT_EQ(task.finished.load(), 1);
    EXPECT_EQ(task.lastThread.load(), thread.threadId());

    // The abandoned thread ends by itself once its task returns, without running again.
    stuck.released = true;
    EXPECT_EQ(WaitForSingleObject(old, 5000), WAIT_OBJECT_0);
    CloseHandle(old);
    EXPECT_EQ(stuck.finished.load(), 1);
}

TEST(Thread, ExitEndsAnIdleThreadAndALaterRunStartsAFreshOne) {
    Thread thread;
    TimedTask task;
    ASSERT_TRUE(thread.run(&task));
    thread.waitDone();
    thread.suspend();  // idle and suspended: exit must still get through
    DWORD oldId = thread.threadId();
    HANDLE old = OpenThread(SYNCHRONIZE, FALSE, oldId);
    ASSERT_NE(old, nullptr);
    auto start = Clock::now();
    thread.exit();
    std::printf("[ figures  ] exit() of an idle, suspended thread took %lld ms\n",
                static_cast<long long>(msSince(start)));
    EXPECT_EQ(WaitForSingleObject(old, 5000), WAIT_OBJECT_0);  // ended, not just abandoned
    CloseHandle(old);

    ASSERT_TRUE(thread.run(&task));
    ASSERT_TRUE(thread.waitDone(5000));
    EXPECT_EQ(task.finished.load(), 2);
    EXPECT_NE(thread.threadId(), oldId);
}

TEST(Thread, RequestExitEndsARunForeverAfterTheCurrentRun) {
    Thread thread;
    TimedTask task(50);
    ASSERT_TRUE(thread.runForever(&task));
    ASSERT_TRUE(task.waitStarted(2));
    thread.requestExit();
    thread.waitExit();
    int runs = task.finished.load();
    Sleep(100);
    EXPECT_EQ(task.started.load(), runs);
    EXPECT_TRUE(thread.isDone());
}

TEST(Thread, InitialDelayIsSleptBeforeTheNextRun) {
    constexpr int32_t kDelay = 300;
    Thread thread;
    TimedTask task;
    thread.setInitialDelay(kDelay);
    auto start = Clock::now();
    ASSERT_TRUE(thread.run(&task, 2));
    thread.waitDone();
    int64_t delay = msBetween(start, task.starts[0]);
    std::printf(
        "[ figures  ] initial delay 300 ms: first run after %lld ms, second %lld ms later\n",
        static_cast<long long>(delay), static_cast<long long>(task.gap(0)));
    EXPECT_GE(delay, kDelay - kClockSlackMs);
    EXPECT_LT(task.gap(0), kDelay);  // slept once only

    // Consumed: the next schedule starts at once.
    start = Clock::now();
    ASSERT_TRUE(thread.run(&task));
    thread.waitDone();
    EXPECT_LT(msBetween(start, task.starts[2]), kDelay);
}

TEST(Thread, ResumeUndoesEverySuspension) {
    Thread thread;
    thread.suspend();
    thread.suspend();
    TimedTask task;
    ASSERT_TRUE(thread.run(&task));
    ASSERT_TRUE(thread.waitDone(5000));
    EXPECT_EQ(task.finished.load(), 1);
}

TEST(Thread, SuspendHoldsFurtherRunsUntilResume) {
    Thread thread;
    TimedTask task;
    ASSERT_TRUE(thread.runForeverWithPause(&task, 30));
    ASSERT_TRUE(task.waitStarted(2));
    thread.suspend();
    int atSuspend = task.started.load();
    Sleep(250);
    EXPECT_LE(task.started.load(), atSuspend + 1);  // at most a run that was already due
    int held = task.started.load();
    thread.resume();
    EXPECT_TRUE(task.waitStarted(held + 2));
    thread.stopRunsAndWait();
}

class ThrowingTask : public ITask {
public:
    void run() override {
        ++runs;
        throw 42;
    }
    std::atomic<int> runs{0};
};

TEST(Thread, NothingEscapesTheThreadEntry) {
    Thread thread;
    ThrowingTask task;
    ASSERT_TRUE(thread.run(&task, 2));
    ASSERT_TRUE(thread.waitDone(5000));
    EXPECT_EQ(task.runs.load(), 2);
}

TEST(Thread, AsATaskItRunsItsTaskOnTheCallingThread) {
    Thread thread;
    TimedTask task;
    ASSERT_TRUE(thread.run(&task));
    thread.waitDone();
    thread.run();
    EXPECT_EQ(task.finished.load(), 2);
    EXPECT_EQ(task.lastThread.load(), GetCurrentThreadId());
}

TEST(ThreadPool, AReturnedThreadComesBackIdleWithDefaults) {
    Thread* thread = Thread::take();
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(std::u16string(thread->className()), u"s_thread_win_Thread");
    thread->setUserValue(7);
    thread->setPriority(THREAD_PRIORITY_ABOVE_NORMAL);
    TimedTask task(100);
    ASSERT_TRUE(thread->run(&task));
    ASSERT_TRUE(task.waitStarted(1));
    thread->release();  // still running: the pool lets the run finish first
    EXPECT_EQ(task.finished.load(), 1);

    Thread* again = Thread::take();
    EXPECT_EQ(again, thread);  // the pool hands back the last one returned
    EXPECT_EQ(again->userValue(), 0);
    EXPECT_EQ(again->priority(), 0);
    EXPECT_TRUE(again->isDone());
    ASSERT_TRUE(again->run(&task));  // suspended in the pool; a run wakes it
    ASSERT_TRUE(again->waitDone(5000));
    EXPECT_EQ(task.finished.load(), 2);
    again->release();
}

// Giving a thread back waits for its running task; the task meanwhile takes a thread from
// the same pool. It tries on a helper for a bounded time, so a pool that waits under its
// lock fails the test instead of hanging it.
TEST(ThreadPool, GivingABusyThreadBackWaitsForItsTaskOutsideThePoolLock) {
    class TakesAThread : public ITask {
    public:
        void run() override {
            started = true;
            Sleep(200);  // the owner gives the thread back meanwhile and waits for this run
            helper = std::thread([this] {
                Thread::take()->release();
                took = true;
            });
            auto start = Clock::now();
            while (!took && msSince(start) < 5000)
                Sleep(5);
            tookInTime = took.load();
        }
        std::atomic<bool> started{false};
        std::atomic<bool> took{false};
        bool tookInTime = false;
        std::thread helper;
    };
    TakesAThread task;
    Thread* thread = Thread::take();
    ASSERT_TRUE(thread->run(&task));
    while (!task.started)
        Sleep(1);
    thread->release();
    task.helper.join();
    EXPECT_TRUE(task.tookInTime);
}

}  // namespace
}  // namespace s::thread::win

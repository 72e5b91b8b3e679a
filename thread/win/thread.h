#pragma once

#include <cstdint>

#include "base/pool.h"
#include "thread/thread.h"

namespace s::thread::win {

// A pooled worker thread over a native thread. The native thread idles blocked (not
// spinning) while it has no runs left, so starting work costs one wake-up.
//
// The schedule and the flags live in a block shared with the native thread and freed by
// whichever of the two lets go last: a thread abandoned by waitDone(timeout) may still be
// inside its task and must find its own block intact when it returns.
class Thread final : public Pooled<Thread, IThread> {
public:
    Thread();
    // Ends the native thread (waits for a running task to return).
    ~Thread() override;
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    const char16_t* className() const override { return u"s_thread_win_Thread"; }
    Thread* newInstance() const override { return take(); }
    // Back to the pool (which runs it without its lock): stops and waits for outstanding
    // runs, normal priority, suspended, user value 0.
    void reset() override;

    void run() override;
    bool run(ITask* task) override;
    bool run(ITask* task, int32_t count) override;
    bool runWithPause(ITask* task, int32_t count, int32_t intervalMs) override;
    bool runAtRate(ITask* task, int32_t count, int32_t intervalMs) override;
    bool runForever(ITask* task) override;
    bool runForeverWithPause(ITask* task, int32_t intervalMs) override;
    bool runForeverAtRate(ITask* task, int32_t intervalMs) override;

    bool isDone() const override;
    void waitDone() override;
    bool waitDone(int32_t timeoutMs) override;
    void stopRuns() override;
    void stopRunsAndWait() override;
    void waitExit() override;
    void requestExit() override;
    void exit() override;
    void setInitialDelay(int32_t delayMs) override;
    void resume() override;
    void suspend() override;
    int32_t priority() const override;
    void setPriority(int32_t priority) override;
    int32_t userValue() const override { return userValue_; }
    void setUserValue(int32_t value) override { userValue_ = value; }

    // The native thread id (0 when there is none); changes when the thread is replaced.
    uint32_t threadId() const;

    // The block shared with the native thread (defined in thread.cpp).
    struct Shared;

private:
    bool schedule(ITask* task, int32_t runs, int32_t pauseMode, int32_t intervalMs);
    // A live native thread that has not been asked to end; false when none can be made.
    bool ensureThread();
    void dropThread();

    Shared* shared_ = nullptr;
    int32_t priority_ = 0;
    int32_t userValue_ = 0;
};

}  // namespace s::thread::win

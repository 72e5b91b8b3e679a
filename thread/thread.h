#pragma once

#include <cstdint>

#include "base/object.h"
#include "base/pool.h"
#include "thread/task.h"

namespace s::thread {

// A reusable worker thread that runs one task once, a number of times or forever, with an
// optional pause after each run or at a fixed rate. Tasks run outside the thread's lock, so
// a task may change its own thread's schedule (e.g. call stopRuns()).
//
// As an ITask itself, run() runs the scheduled task once on the calling thread.
class IThread : public base::IObject, public IPoolable, public ITask {
public:
    using ITask::run;

    // Each run... operation replaces the schedule and wakes the thread; false when no
    // operating-system thread could be created (then nothing runs and isDone() stays true).
    virtual bool run(ITask* task) = 0;
    virtual bool run(ITask* task, int32_t count) = 0;
    // Sleeps `intervalMs` after each run except the last.
    virtual bool runWithPause(ITask* task, int32_t count, int32_t intervalMs) = 0;
    // Starts a run every `intervalMs`; a run longer than that is followed at once.
    virtual bool runAtRate(ITask* task, int32_t count, int32_t intervalMs) = 0;
    virtual bool runForever(ITask* task) = 0;
    virtual bool runForeverWithPause(ITask* task, int32_t intervalMs) = 0;
    virtual bool runForeverAtRate(ITask* task, int32_t intervalMs) = 0;

    // No runs left; the thread is idle.
    virtual bool isDone() const = 0;
    // Polls isDone() every 20 ms, without a limit. The waits may run on any thread: on a
    // window's thread they serve the synchronous calls other threads make into it meanwhile
    // (a task waited for may be inside one).
    virtual void waitDone() = 0;
    // Polls for at most `timeoutMs`. When the thread is still busy then, it is abandoned and
    // replaced by a fresh idle thread with the same priority; returns false in that case.
    virtual bool waitDone(int32_t timeoutMs) = 0;
    // No further runs; a run in progress completes.
    virtual void stopRuns() = 0;
    virtual void stopRunsAndWait() = 0;
    // Waits until the thread procedure has ended (after requestExit()).
    virtual void waitExit() = 0;
    virtual void requestExit() = 0;
    virtual void exit() = 0;
    // Slept once before the next run (consumed by that run).
    virtual void setInitialDelay(int32_t delayMs) = 0;
    // A suspended thread starts no further step (run, pause, delay) until resumed; every
    // run... operation resumes it.
    virtual void resume() = 0;
    virtual void suspend() = 0;
    // Platform thread priority; 0 is normal.
    virtual int32_t priority() const = 0;
    virtual void setPriority(int32_t priority) = 0;
    virtual int32_t userValue() const = 0;
    virtual void setUserValue(int32_t value) = 0;
};

}  // namespace s::thread

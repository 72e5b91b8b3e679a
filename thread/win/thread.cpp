#include "thread/win/thread.h"

#include <windows.h>

#include <atomic>
#include <new>

#include "base/obj_locker.h"
#include "thread/win/handle.h"

namespace s::thread::win {

namespace {

constexpr int32_t kPollMs = 20;
constexpr DWORD kExitPollMs = 100;

enum PauseMode : int32_t { kNoPause = 0, kPauseAfterRun = 1, kFixedRate = 2 };

// Pauses and the fixed rate are measured on the performance counter: the tick count moves
// in steps of up to 16 ms, which would cut a pause short by as much.
uint64_t nowMs() {
    static const int64_t frequency = [] {
        LARGE_INTEGER f;
        return QueryPerformanceFrequency(&f) && f.QuadPart > 0 ? f.QuadPart : int64_t{0};
    }();
    if (frequency == 0)
        return GetTickCount64();
    // Never fails once the frequency is known.
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    auto ticks = static_cast<uint64_t>(now.QuadPart);
    auto perSecond = static_cast<uint64_t>(frequency);
    return ticks / perSecond * 1000 + ticks % perSecond * 1000 / perSecond;
}

// Waits one polling slice (or until `handle`, when given, is signalled). On a window's
// thread the messages other threads send meanwhile are served: the thread being waited
// for may be inside such a synchronous call, and would otherwise wait for its waiter.
// Posted messages stay queued for the thread's own loop.
void waitServingSentMessages(DWORD ms, HANDLE handle = nullptr) {
    MsgWaitForMultipleObjects(handle != nullptr ? 1 : 0, handle != nullptr ? &handle : nullptr,
                              FALSE, ms, QS_SENDMESSAGE);
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

}  // namespace

// Everything the native thread touches. The schedule fields are guarded by `lock`; the
// flags are also read without it by the polling waits.
struct Thread::Shared {
    ObjLocker lock;
    int32_t initialDelay = 0;
    ITask* task = nullptr;  // not owned
    int32_t runs = 0;       // 0 none left, -1 forever
    int32_t pauseMode = kNoPause;
    int32_t interval = 0;
    // Bumped by every new schedule, so that a pause of the old one ends early.
    uint32_t generation = 0;
    // suspend() calls not yet undone by resume(); the thread parks before its next step.
    int32_t suspendCount = 0;

    std::atomic<uint8_t> running{0};
    std::atomic<uint8_t> done{1};
    std::atomic<uint8_t> stop{0};
    std::atomic<uint8_t> exited{0};
    // Set when the owner gave up on this native thread; it ends at its next look.
    std::atomic<uint8_t> abandoned{0};

    Handle thread;
    DWORD threadId = 0;
    // Auto-reset; signalled by every resume. An idle or pausing thread waits on it.
    Handle wake;
    // The owner and the native thread each hold one reference.
    std::atomic<int32_t> refs{1};

    bool leaving() const { return stop.load() || abandoned.load(); }

    void unref() {
        if (refs.fetch_sub(1) == 1)
            delete this;
    }
};

namespace {

using Shared = Thread::Shared;

// A task's failure is the task's business: nothing may leave the thread entry.
void runGuarded(ITask* task) {
    try {
        task->run();
    } catch (...) {
    }
}

// Waits until `deadline`, ending early when the thread is to end, when a new schedule was
// set, or (for pauses between runs) when the runs were stopped. Spurious wake-ups (a resume
// that changed nothing) go back to waiting.
void pauseUntil(Shared& shared, uint64_t deadline, uint32_t generation, bool endOnStoppedRuns) {
    for (;;) {
        uint64_t now = nowMs();
        if (now >= deadline)
            return;
        WaitForSingleObject(shared.wake.get(), static_cast<DWORD>(deadline - now));
        Locked guard(shared.lock);
        if (shared.leaving() || shared.generation != generation)
            return;
        if (endOnStoppedRuns && shared.runs == 0)
            return;
    }
}

void procedure(Shared& shared) {
    shared.lock.lock();
    shared.running = 1;
    while (!shared.leaving()) {
        if (shared.suspendCount > 0) {
            shared.lock.unlock();
            WaitForSingleObject(shared.wake.get(), INFINITE);
            shared.lock.lock();
            shared.running = 1;
            continue;
        }
        if (shared.initialDelay != 0) {
            int32_t delay = shared.initialDelay;
            uint32_t generation = shared.generation;
            shared.initialDelay = 0;
            shared.lock.unlock();
            pauseUntil(shared, nowMs() + static_cast<uint64_t>(delay), generation, false);
        } else if (shared.runs != 0) {
            if (shared.runs != -1)
                --shared.runs;
            ITask* task = shared.task;
            int32_t left = shared.runs;
            int32_t mode = shared.pauseMode;
            int32_t interval = shared.interval;
            uint32_t generation = shared.generation;
            shared.lock.unlock();
            uint64_t start = nowMs();
            if (task)
                runGuarded(task);
            if (mode != kNoPause && left != 0 && interval > 0) {
                uint64_t from = mode == kFixedRate ? start : nowMs();
                pauseUntil(shared, from + static_cast<uint64_t>(interval), generation, true);
            }
        } else {
            shared.done = 1;
            shared.lock.unlock();
        }
        if (shared.done)
            WaitForSingleObject(shared.wake.get(), INFINITE);
        shared.lock.lock();
        shared.running = 1;
    }
    shared.lock.unlock();
}

DWORD WINAPI threadEntry(void* parameter) {
    auto* shared = static_cast<Shared*>(parameter);
    try {
        procedure(*shared);
    } catch (...) {
    }
    shared->exited = 1;
    shared->unref();
    return 0;
}

}  // namespace

Thread::Thread() {
    ensureThread();
}

Thread::~Thread() {
    if (shared_) {
        exit();
        dropThread();
    }
}

void Thread::reset() {
    if (!isDone())
        stopRunsAndWait();
    setPriority(0);
    suspend();
    if (shared_) {
        Locked guard(shared_->lock);
        shared_->task = nullptr;
        shared_->initialDelay = 0;
        shared_->done = 1;
    }
    userValue_ = 0;
}

bool Thread::ensureThread() {
    if (shared_ && shared_->stop) {
        // Asked to end earlier: let that thread finish before a new one starts, so one task
        // never runs on two threads at once.
        waitExit();
    }
    if (shared_ && !shared_->exited && !shared_->abandoned && shared_->thread)
        return true;
    dropThread();

    auto* shared = new (std::nothrow) Shared();
    if (!shared)
        return false;
    shared->wake = Handle(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!shared->wake) {
        delete shared;
        return false;
    }
    shared->refs = 2;
    DWORD id = 0;
    HANDLE handle = CreateThread(nullptr, 0, threadEntry, shared, CREATE_SUSPENDED, &id);
    if (!handle) {
        delete shared;
        return false;
    }
    shared->thread = Handle(handle);
    shared->threadId = id;
    SetThreadPriority(handle, priority_);
    shared_ = shared;
    return true;
}

void Thread::dropThread() {
    if (!shared_)
        return;
    shared_->thread.close();
    shared_->unref();
    shared_ = nullptr;
}

bool Thread::schedule(ITask* task, int32_t runs, int32_t pauseMode, int32_t intervalMs) {
    if (!ensureThread())
        return false;
    {
        Locked guard(shared_->lock);
        shared_->task = task;
        shared_->runs = runs < -1 ? 0 : runs;
        shared_->pauseMode = pauseMode;
        shared_->interval = intervalMs < 0 ? 0 : intervalMs;
        ++shared_->generation;
        shared_->running = 0;
        shared_->done = 0;
    }
    resume();
    return true;
}

void Thread::run() {
    ITask* task = nullptr;
    if (shared_) {
        Locked guard(shared_->lock);
        task = shared_->task;
    }
    if (task)
        runGuarded(task);
}

bool Thread::run(ITask* task) {
    return schedule(task, 1, kNoPause, 0);
}

bool Thread::run(ITask* task, int32_t count) {
    return schedule(task, count, kNoPause, 0);
}

bool Thread::runWithPause(ITask* task, int32_t count, int32_t intervalMs) {
    return schedule(task, count, kPauseAfterRun, intervalMs);
}

bool Thread::runAtRate(ITask* task, int32_t count, int32_t intervalMs) {
    return schedule(task, count, kFixedRate, intervalMs);
}

bool Thread::runForever(ITask* task) {
    return schedule(task, -1, kNoPause, 0);
}

bool Thread::runForeverWithPause(ITask* task, int32_t intervalMs) {
    return schedule(task, -1, kPauseAfterRun, intervalMs);
}

bool Thread::runForeverAtRate(ITask* task, int32_t intervalMs) {
    return schedule(task, -1, kFixedRate, intervalMs);
}

bool Thread::isDone() const {
    return !shared_ || shared_->done || shared_->exited;
}

void Thread::waitDone() {
    while (!isDone())
        waitServingSentMessages(kPollMs);
}

bool Thread::waitDone(int32_t timeoutMs) {
    uint64_t deadline = nowMs() + static_cast<uint64_t>(timeoutMs < 0 ? 0 : timeoutMs);
    while (!isDone()) {
        if (nowMs() >= deadline) {
            // Stuck: leave the old thread to end by itself when its task returns (it sees
            // `abandoned` and touches nothing but its own block) and start afresh.
            {
                Locked guard(shared_->lock);
                shared_->abandoned = 1;
            }
            SetEvent(shared_->wake.get());
            dropThread();
            ensureThread();
            return false;
        }
        waitServingSentMessages(kPollMs);
    }
    return true;
}

void Thread::stopRuns() {
    if (!shared_)
        return;
    {
        Locked guard(shared_->lock);
        shared_->runs = 0;
    }
    resume();
}

void Thread::stopRunsAndWait() {
    stopRuns();
    waitDone();
}

void Thread::waitExit() {
    if (!shared_ || !shared_->thread)
        return;
    while (!shared_->exited) {
        resume();
        waitServingSentMessages(kExitPollMs, shared_->thread.get());
    }
}

void Thread::requestExit() {
    if (!shared_)
        return;
    {
        Locked guard(shared_->lock);
        shared_->stop = 1;
    }
    resume();
}

void Thread::exit() {
    requestExit();
    waitExit();
}

void Thread::setInitialDelay(int32_t delayMs) {
    if (!shared_)
        return;
    Locked guard(shared_->lock);
    shared_->initialDelay = delayMs < 0 ? 0 : delayMs;
}

void Thread::resume() {
    if (!shared_ || !shared_->thread)
        return;
    {
        Locked guard(shared_->lock);
        shared_->suspendCount = 0;
    }
    // Starts the thread the first time (it is created suspended); later calls find it
    // running and change nothing.
    DWORD previous;
    do {
        previous = ResumeThread(shared_->thread.get());
    } while (previous != static_cast<DWORD>(-1) && previous > 1);
    SetEvent(shared_->wake.get());
}

void Thread::suspend() {
    // Cooperative: a thread frozen by the system at an arbitrary point could be holding
    // this thread's lock (or the heap's), and the next run... would wait for it forever.
    // The thread parks instead before its next step; a run in progress completes.
    if (!shared_ || !shared_->thread)
        return;
    Locked guard(shared_->lock);
    ++shared_->suspendCount;
}

int32_t Thread::priority() const {
    if (!shared_ || !shared_->thread)
        return priority_;
    int value = GetThreadPriority(shared_->thread.get());
    return value == THREAD_PRIORITY_ERROR_RETURN ? priority_ : value;
}

void Thread::setPriority(int32_t priority) {
    priority_ = priority;
    if (shared_ && shared_->thread)
        SetThreadPriority(shared_->thread.get(), priority);
}

uint32_t Thread::threadId() const {
    return shared_ ? shared_->threadId : 0;
}

}  // namespace s::thread::win

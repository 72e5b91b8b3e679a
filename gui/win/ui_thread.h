#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "thread/win/handle.h"

namespace s::gui::win {

// What a user-interface thread serves: the window that creates its native windows there.
class IUIThreadClient {
public:
    virtual ~IUIThreadClient() = default;
    // Creates the native windows (on the new thread). On failure `failure` names the message
    // to show; the thread reports the failure before it shows it and then ends.
    virtual bool createNativeWindows(const wchar_t*& failure) = 0;
};

// A window's own user-interface thread: initialises the common controls, OLE and COM
// security, creates the client's native windows, reports "creation finished" (with success
// or failure) and runs the message loop. start() and stop() are for the owner's thread.
class UIThread {
public:
    // Stop timeout: after it the thread is left to end with the process, never suspended or
    // terminated (it may hold the heap, loader or a pool lock).
    static constexpr int32_t kStopTimeoutMs = 5000;

    UIThread() = default;
    ~UIThread() = default;
    UIThread(const UIThread&) = delete;
    UIThread& operator=(const UIThread&) = delete;

    // Starts the thread and blocks until creation finished or the thread ended: never hangs
    // on a failed creation. True when the native windows exist.
    bool start(IUIThreadClient* client);
    // The message loop is running.
    bool isRunning() const { return running_.load(); }
    DWORD threadId() const { return threadId_; }
    bool isCurrent() const { return threadId_ != 0 && GetCurrentThreadId() == threadId_; }
    // Posts WM_QUIT (every 10 ms until a post succeeds) and waits for the end, both within
    // the timeout. True when the thread ended.
    bool stop(int32_t timeoutMs = kStopTimeoutMs);
    bool hasEnded() const;

private:
    static DWORD WINAPI threadMain(void* self);
    DWORD run();

    thread::win::Handle thread_;
    thread::win::Handle created_;
    DWORD threadId_ = 0;
    IUIThreadClient* client_ = nullptr;  // not owned
    std::atomic<bool> running_{false};
    std::atomic<bool> creationOk_{false};
};

}  // namespace s::gui::win

#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

#include "base/event_listener.h"
#include "base/object.h"
#include "gui/win/box.h"
#include "gui/win/window.h"

namespace s::gui::testing {

// Records (source, event id, thread) of every event, from whichever thread tells it.
class ThreadLog : public events::IEventListener {
public:
    void onEvent(base::IObject* source, int32_t eventId) override {
        std::lock_guard<std::mutex> hold(lock_);
        entries.push_back({source, eventId, GetCurrentThreadId()});
        if (hook)
            hook(eventId);
    }
    struct Entry {
        base::IObject* source;
        int32_t id;
        DWORD thread;
    };
    std::vector<int32_t> ids() {
        std::lock_guard<std::mutex> hold(lock_);
        std::vector<int32_t> out;
        for (const Entry& e : entries)
            out.push_back(e.id);
        return out;
    }
    std::vector<Entry> entries;
    std::function<void(int32_t)> hook;

private:
    std::mutex lock_;
};

// Runs on the window's thread once every message sent so far was handled.
inline void flush(win::Window& window) {
    window.onWindowThread([] {});
}

// Lets the window's thread paint and the X server show it.
inline void settle(win::Window& window) {
    window.onWindowThread([&] {
        if (window.hwnd())
            RedrawWindow(window.hwnd(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    });
    GdiFlush();
    Sleep(150);
    flush(window);
}

// Polls `done` until it is true or about two seconds passed (waits for the X server and
// Wine's own timers, never a timing assertion).
inline bool eventually(const std::function<bool()>& done) {
    for (int i = 0; i < 200; ++i) {
        if (done())
            return true;
        Sleep(10);
    }
    return done();
}

// A window for one test, released at the end.
struct TestWindow {
    TestWindow() : window(win::Window::take()) {}
    ~TestWindow() {
        if (window)
            window->release();
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    win::Window* operator->() const { return window; }
    win::Window& operator*() const { return *window; }
    win::Window* window;
};

}  // namespace s::gui::testing

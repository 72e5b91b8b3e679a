#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "app/frame/win/app_base.h"
#include "app/frame/win/app_window.h"
#include "base/event_listener.h"
#include "gui/i_menu_target.h"
#include "gui/win/window.h"
#include "tests/app/win/frame_support.h"

// The main window as the world clock sets it up, on a private product key: an application
// base with the skinner, the window state store "MainWindow" and a real toolkit window.
namespace s::tests::app {

// Records the event ids a window reports, from its own thread.
class EventLog : public gui::events::IEventListener {
public:
    void onEvent(base::IObject* /*source*/, int32_t eventId) override {
        std::lock_guard<std::mutex> hold(lock_);
        ids_.push_back(eventId);
    }
    int32_t count(int32_t eventId) {
        std::lock_guard<std::mutex> hold(lock_);
        int32_t n = 0;
        for (int32_t id : ids_)
            n += id == eventId ? 1 : 0;
        return n;
    }

private:
    std::mutex lock_;
    std::vector<int32_t> ids_;
};

// A tray menu that only counts how often it was opened.
class CountingMenu : public gui::IMenuTarget {
public:
    bool hasCommand(int32_t /*command*/) const override { return false; }
    void dispatchCommand(int32_t /*command*/) override {}
    void* nativeMenu() override { return nullptr; }
    void openAt(void* /*owner*/, int32_t /*x*/, int32_t /*y*/) override { ++opened; }
    int32_t opened = 0;
};

class MainWindowRig {
public:
    MainWindowRig();
    ~MainWindowRig();
    MainWindowRig(const MainWindowRig&) = delete;
    MainWindowRig& operator=(const MainWindowRig&) = delete;

    // A new store and window on the same settings, with the main window's settings sequence
    // applied: shown and activated, or for "-startup" shown quietly and iconized.
    void open(bool startup = false);
    // Releases the window and its store (the settings stay), as the end of a run does.
    void closeRun();

    gui::win::Window* window() const { return window_; }
    HWND hwnd() const { return window_ ? window_->hwnd() : nullptr; }
    ::s::app::win::AppWindow* store() const { return store_; }
    ::s::app::win::AppBase* base() const { return base_; }
    const PrivateProductKey& key() const { return key_; }
    std::u16string viewPath() const { return key_.settingsPath() + u"\\MainWindow\\View"; }

    // Writes a value straight into "View", as a REG_BINARY the store reads but never writes
    // itself: a later write by the store shows as a changed type.
    void plantInt(const char16_t* name, int32_t value);
    uint32_t typeOf(const char16_t* name);
    // Runs on the window's thread once everything sent so far was handled.
    void flush();

    EventLog events;
    CountingMenu trayMenu;

private:
    PrivateProductKey key_;
    ::s::app::win::AppBase* base_ = nullptr;
    ::s::app::win::AppWindow* store_ = nullptr;
    gui::win::Window* window_ = nullptr;
};

// Polls for up to about two seconds (for the X server and Wine's timers; not a timing check).
bool eventually(const std::function<bool()>& done);

// A plain visible top-level window of this thread, in front of the others; destroyed with
// the object.
class OtherWindow {
public:
    OtherWindow();
    ~OtherWindow();
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;
    HWND hwnd() const { return hwnd_; }
    // Brings it to the front, pumping its messages meanwhile.
    void bringForward();

private:
    HWND hwnd_ = nullptr;
};

// Pumps this thread's messages for a moment.
void pump(uint32_t ms);

}  // namespace s::tests::app

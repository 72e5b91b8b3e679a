#pragma once

#include <atomic>
#include <cstdint>

#include "base/obj_locker.h"
#include "base/str_buffer.h"

// What the clock-update task needs of the clock window besides its two lists: the line that
// shows the computer's own date and time, and whether the window sits in the notification
// area. The window implements both; the sinks below stand in for it where there is none.
namespace s::time::gui::dialogs::tellavo {

class ITimeLine {
public:
    virtual ~ITimeLine() = default;
    // Shows the text and repaints at once. Called from the update thread.
    virtual void showText(const char16_t* text) = 0;
};

class IIconizedState {
public:
    virtual ~IIconizedState() = default;
    // The window is iconized into the notification area. Called from the update thread.
    virtual bool isIconized() const = 0;
};

// Keeps the last text it was given, for whoever reads it later on another thread.
class TimeLineSink final : public ITimeLine {
public:
    void showText(const char16_t* text) override;
    // Copies the last text into `out`; returns how many texts were shown so far.
    int32_t lastText(str::StrBuffer& out);
    int32_t shownCount();

private:
    thread::ObjLocker lock_;
    str::StrBuffer text_;
    int32_t shown_ = 0;
};

// An iconized flag that its owner sets.
class IconizedFlag final : public IIconizedState {
public:
    bool isIconized() const override { return iconized_.load(std::memory_order_relaxed); }
    void setIconized(bool iconized) { iconized_.store(iconized, std::memory_order_relaxed); }

private:
    std::atomic<bool> iconized_{false};
};

}  // namespace s::time::gui::dialogs::tellavo

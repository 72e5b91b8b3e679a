#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/win/window_class.h"

namespace s::gui::win {

// The hidden owner of a top-level window: no taskbar button, and closing it destroys the
// window it owns. Created and destroyed on the window's thread.
class InvisibleWindow final : private IMessageTarget {
public:
    InvisibleWindow() = default;
    ~InvisibleWindow() override = default;
    InvisibleWindow(const InvisibleWindow&) = delete;
    InvisibleWindow& operator=(const InvisibleWindow&) = delete;

    // Hidden, tool-window style; false when the native window could not be made.
    bool create();
    HWND hwnd() const { return hwnd_; }

private:
    bool handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                       intptr_t lparam) override;
    void afterMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                      intptr_t lparam) override;

    HWND hwnd_ = nullptr;
};

}  // namespace s::gui::win

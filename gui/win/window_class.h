#pragma once

#include <windows.h>

#include <cstdint>

namespace s::gui::win {

// The toolkit's own object behind a native window of the toolkit's class: its handler runs
// before the reflecting procedure. Called on the thread that owns the native window.
class IMessageTarget {
public:
    virtual ~IMessageTarget() = default;
    // True when handled, with `result` the answer.
    virtual bool handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                               intptr_t lparam) = 0;
    // After the default processing of a message not handled.
    virtual void afterMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                              intptr_t lparam) = 0;
};

inline constexpr const wchar_t* kWindowClassName = L"VandelWindowClass";

// Registers the class once per process; any thread, thread-safe. A class already registered
// (by another module) counts as success. False, after the user was told, when it failed.
bool registerWindowClass();

// Creates a window of the toolkit's class whose messages go to `target` first (not owned;
// it must outlive the native window or be detached with setMessageTarget(hwnd, nullptr)).
HWND createToolkitWindow(DWORD exStyle, const wchar_t* title, DWORD style, int x, int y, int width,
                         int height, HWND parent, IMessageTarget* target);
void setMessageTarget(HWND hwnd, IMessageTarget* target);
IMessageTarget* messageTarget(HWND hwnd);

// The class procedure: the target's handler, then the notification reflection or the
// default processing, then the target's afterMessage.
LRESULT CALLBACK reflectingProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// Where the control reflections go, for the notification codes the toolkit knows; 0 when a
// code is not reflected.
uint32_t reflectedCommand(uint32_t notificationCode);
uint32_t reflectedNotify(int32_t notifyCode);

}  // namespace s::gui::win

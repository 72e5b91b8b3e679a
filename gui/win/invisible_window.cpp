#include "gui/win/invisible_window.h"

namespace s::gui::win {

bool InvisibleWindow::create() {
    hwnd_ = createToolkitWindow(0, L"", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, nullptr, this);
    if (!hwnd_)
        return false;
    ShowWindow(hwnd_, SW_HIDE);
    LONG_PTR ex = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, (ex & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);
    return true;
}

bool InvisibleWindow::handleMessage(intptr_t& /*result*/, uint32_t /*message*/,
                                    uintptr_t /*wparam*/, intptr_t /*lparam*/) {
    return false;
}

void InvisibleWindow::afterMessage(intptr_t& /*result*/, uint32_t message, uintptr_t /*wparam*/,
                                   intptr_t /*lparam*/) {
    if (message == WM_NCDESTROY)
        hwnd_ = nullptr;
}

}  // namespace s::gui::win

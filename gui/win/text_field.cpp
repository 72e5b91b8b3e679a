#include "gui/win/text_field.h"

#include <commctrl.h>

#include <new>

namespace s::gui::win {

TextField::~TextField() {
    resetControl();
}

void TextField::reset() {
    resetControl();
    changeListeners_.clear();
    returnListeners_.clear();
    focusListeners_.clear();
    editable_ = true;
    notifyChanges_ = true;
    quiet_ = false;
}

HWND TextField::createControl(HWND parent) {
    HWND made = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"Edit", L"",
        WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL | (visible_ ? WS_VISIBLE : 0), x_ + dx_, y_ + dy_,
        width_, height_, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!made)
        return nullptr;
    quiet_ = true;
    subclassControl(made, this);
    if (!editable_)
        SendMessageW(made, EM_SETREADONLY, TRUE, 0);
    return made;
}

const char16_t* TextField::text() {
    if (!hwnd())
        return text_.text();
    const int length = GetWindowTextLengthW(hwnd());
    auto* buffer = new (std::nothrow) wchar_t[length + 1];
    if (!buffer)
        return text_.text();
    const int got = GetWindowTextW(hwnd(), buffer, length + 1);
    text_.setText(reinterpret_cast<const char16_t*>(buffer), got < 0 ? 0 : got);
    delete[] buffer;
    return text_.text();
}

void TextField::setEditable(bool on) {
    editable_ = on;
    if (hwnd())
        SendMessageW(hwnd(), EM_SETREADONLY, on ? FALSE : TRUE, 0);
}

void TextField::selectAll() {
    if (hwnd())
        SendMessageW(hwnd(), kSelectAll, 0, 0);
}

void TextField::updateHints() {
    const int32_t h = font_->lineHeight() + 8;
    setMinimumSize(40, h);
    setMaximumSize(4000, h);
}

bool TextField::handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                              intptr_t lparam) {
    switch (message) {
        case msg::kReflectEditChange:
            if (notifyChanges_ && !quiet_)
                changeListeners_.fire(this, kTextChanged);
            result = 0;
            return true;
        case msg::kReflectCtlColor:
            result = fieldColours(reinterpret_cast<HDC>(wparam));
            return true;
        case msg::kReflectKillFocus:
            focusListeners_.fire(this, kFocusLost);
            result = 0;
            return true;
        case WM_KEYDOWN:
            if (wparam != VK_RETURN)
                return false;
            returnListeners_.fire(this, kReturnPressed);
            result = 0;
            return true;
        case WM_CHAR:
            if (wparam == '\r' || wparam == '\n') {
                result = 0;  // consumed with its key: no beep
                return true;
            }
            // Redrawn once after the character, not while the field reflows it.
            SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
            result = DefSubclassProc(hwnd(), message, wparam, lparam);
            SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
            InvalidateRect(hwnd(), nullptr, TRUE);
            return true;
        case kSelectAll:
            SetFocus(hwnd());
            SendMessageW(hwnd(), EM_SETSEL, 0, -1);
            SendMessageW(hwnd(), EM_SCROLLCARET, 0, 0);
            result = 0;
            return true;
        case WM_SETCURSOR:
            SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
            result = TRUE;
            return true;
        case WM_GETDLGCODE:
            result = DefSubclassProc(hwnd(), message, wparam, lparam) | DLGC_WANTALLKEYS;
            return true;
        default:
            return ControlOf::handleMessage(result, message, wparam, lparam);
    }
}

}  // namespace s::gui::win

#include "gui/win/check_box.h"

#include "gui/drawer/i_skin.h"
#include "gui/menu/menu_item.h"

namespace s::gui::win {

void CheckControl::resetCheck() {
    resetControl();
    enableListeners_.clear();
    disableListeners_.clear();
    checked_ = false;
    checkEvents_ = true;
    multiLine_ = false;
    shown_.freeStorage();
    drawer_ = nullptr;
}

HWND CheckControl::createControl(HWND parent) {
    DWORD style = WS_CHILD | WS_TABSTOP | BS_NOTIFY | buttonStyle_ |
                  (multiLine_ ? BS_MULTILINE : 0) | (visible_ ? WS_VISIBLE : 0);
    HWND made = CreateWindowExW(0, L"Button", L"", style, x_ + dx_, y_ + dy_, width_, height_,
                                parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId_)),
                                GetModuleHandleW(nullptr), nullptr);
    if (!made)
        return nullptr;
    subclassControl(made, this);
    SendMessageW(made, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
    return made;
}

const wchar_t* CheckControl::nativeCaption() {
    shown_.clear();
    menuitem::appendDoubledAmpersands(shown_, text_.text());
    return wideText(shown_.text());
}

void CheckControl::setChecked(bool on) {
    if (hwnd()) {
        SendMessageW(hwnd(), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        return;
    }
    if (on != checked_) {
        checked_ = on;
        if (checkEvents_)
            checkChanged(on);
    }
}

void CheckControl::updateHints() {
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return;
    HGDIOBJ before = SelectObject(dc, font_->handle());
    RECT r{0, 0, 0, 0};
    const char16_t* caption = text_.text();
    DrawTextW(dc, caption[0] ? wideText(caption) : L" ", -1, &r, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, before);
    DeleteDC(dc);
    // The mark's box and the gap before the caption.
    const int32_t mark = GetSystemMetrics(SM_CXMENUCHECK) + 6;
    int32_t h = r.bottom - r.top;
    h = h < mark - 4 ? mark - 4 : h;
    setMinimumSize(r.right - r.left + mark, h + 4);
    setMaximumSize(r.right - r.left + mark, h + 4);
}

void CheckControl::enabledChanged() {
    (enabled_ ? enableListeners_ : disableListeners_).fire(this, 0);
}

void CheckControl::skinChanged() {
    drawer::ISkin* current = skin();
    drawer_ = current ? drawerOf(*current) : nullptr;
}

bool CheckControl::handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                                 intptr_t lparam) {
    if (drawer_ && message == WM_PAINT) {
        paintBufferedWith(hwnd(), [this](HDC dc, int32_t w, int32_t h) {
            RECT all{0, 0, w, h};
            FillRect(dc, &all, brush_.get(backgroundColor()));
            drawer::PaintState state;
            state.checked = checked_;
            state.enabled = enabled_;
            state.focused = GetFocus() == hwnd();
            state.text = text_.text();
            state.font = font_->handle();
            drawer_->paint(dc, 0, 0, w, h, state);
        });
        result = 0;
        return true;
    }
    if (drawer_ && message == WM_ERASEBKGND) {
        result = 1;
        return true;
    }
    if (message == msg::kReflectCtlColor) {
        HDC dc = reinterpret_cast<HDC>(wparam);
        SetTextColor(dc, enabled_ ? captionColour(font_->attributes().textColour())
                                  : GetSysColor(COLOR_GRAYTEXT));
        Color colour = backgroundColor();
        SetBkColor(dc, colour);
        result = reinterpret_cast<intptr_t>(brush_.get(colour));
        return true;
    }
    return ControlOf::handleMessage(result, message, wparam, lparam);
}

void CheckControl::afterMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                                intptr_t lparam) {
    ControlOf::afterMessage(result, message, wparam, lparam);
    if (!hwnd())
        return;
    if (message == BM_SETCHECK) {
        bool now = SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (now != checked_) {
            checked_ = now;
            if (checkEvents_)
                checkChanged(now);
        }
    }
    if (!drawer_)
        return;
    // The platform control paints its state on these without a paint message: the skin's
    // painting goes over it at once.
    switch (message) {
        case BM_SETCHECK:
        case BM_SETSTATE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_SETTEXT:
        case WM_ENABLE:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if (hwnd()) {
                InvalidateRect(hwnd(), nullptr, FALSE);
                UpdateWindow(hwnd());
            }
            break;
        default:
            break;
    }
}

void CheckBox::reset() {
    resetCheck();
    checkListeners_.clear();
}

void CheckBox::checkChanged(bool on) {
    checkListeners_.fire(this, on ? kChecked : kUnchecked);
}

void RadioButton::reset() {
    resetCheck();
    checkedListeners_.clear();
    uncheckedListeners_.clear();
}

void RadioButton::checkChanged(bool on) {
    (on ? checkedListeners_ : uncheckedListeners_).fire(this, 0);
}

}  // namespace s::gui::win

// The main-window behaviours that place a Window and answer for its frame: staying on the
// screen, the custom frame's resize borders, easy drag, the sizing limits, the middle-click
// action and the hot keys.
#include "gui/win/window.h"

#include <versionhelpers.h>
#include <windowsx.h>

#include "base/str_buffer.h"
#include "gui/i_window_state.h"

namespace s::gui::win {
namespace {

// Resize borders of a custom frame, and how far along an edge a corner reaches.
constexpr int32_t kBorder = 5;
constexpr int32_t kCorner = 30;
// How much of a window must stay on the virtual screen for the person to reach it.
constexpr int32_t kReach = 10;

struct Screen {
    int32_t x, y, w, h;
};

Screen virtualScreen() {
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

constexpr const char16_t* kActions[3] = {u"DoNothing", u"Iconize", u"Close"};

}  // namespace

// --- staying on the screen ---

bool Window::isSufficientlyOnScreen() const {
    if (!checkOnScreen_)
        return true;
    const Screen s = virtualScreen();
    const int64_t x = x_, y = y_, w = width_, h = height_;
    return w > kReach && h > kReach && x <= s.x + s.w - kReach && x + w - s.x >= kReach &&
           y <= s.y + s.h - kReach && y + h - s.y >= kReach;
}

void Window::moveIntoScreen() {
    onWindowThread([this] {
        if (!hwnd_ || IsZoomed(hwnd_))
            return;
        const Screen s = virtualScreen();
        int32_t x = x_, y = y_;
        if (x + width_ - s.x >= s.w)
            x = s.x + s.w - width_;
        if (y + height_ - s.y >= s.h)
            y = s.y + s.h - height_;
        if (x < s.x)
            x = s.x;
        if (y < s.y)
            y = s.y;
        if (x != x_ || y != y_)
            move(x, y);
    });
}

void Window::confineToScreen(WINDOWPOS* pos) {
    if (!pos || (pos->flags & SWP_NOMOVE) || !hwnd_ || IsIconic(hwnd_) || IsZoomed(hwnd_))
        return;
    Screen s = virtualScreen();
    RECT work;
    if (GetSystemMetrics(SM_CMONITORS) <= 1 && SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
        s = {work.left, work.top, work.right - work.left, work.bottom - work.top};
    const int32_t w = (pos->flags & SWP_NOSIZE) ? width_ : pos->cx;
    const int32_t h = (pos->flags & SWP_NOSIZE) ? height_ : pos->cy;
    if (pos->x + w > s.x + s.w)
        pos->x = s.x + s.w - w;
    if (pos->y + h > s.y + s.h)
        pos->y = s.y + s.h - h;
    if (pos->x < s.x)
        pos->x = s.x;
    if (pos->y < s.y)
        pos->y = s.y;
}

// --- the frame ---

int32_t Window::frameHitTest(int32_t px, int32_t py, int32_t w, int32_t h) {
    if (px > w - kBorder)
        return py < kCorner ? HTTOPRIGHT : py > h - kCorner ? HTBOTTOMRIGHT : HTRIGHT;
    if (py > h - kBorder)
        return px < kCorner ? HTBOTTOMLEFT : px > w - kCorner ? HTBOTTOMRIGHT : HTBOTTOM;
    if (px < kBorder)
        return py < kCorner ? HTTOPLEFT : py > h - kCorner ? HTBOTTOMLEFT : HTLEFT;
    if (py < kBorder)
        return px < kCorner ? HTTOPLEFT : px > w - kCorner ? HTTOPRIGHT : HTTOP;
    return 0;
}

bool Window::onHitTest(intptr_t& result, uintptr_t wparam, intptr_t lparam) {
    if (!frameDrawer_ && !easyDrag_)
        return false;
    if (frameDrawer_ && resizable_) {
        RECT r;
        GetWindowRect(hwnd_, &r);
        // The system's own sizing loop and cursors follow these codes.
        int32_t edge = frameHitTest(GET_X_LPARAM(lparam) - r.left, GET_Y_LPARAM(lparam) - r.top,
                                    r.right - r.left, r.bottom - r.top);
        if (edge != 0) {
            result = edge;
            return true;
        }
    }
    result = DefWindowProcW(hwnd_, WM_NCHITTEST, wparam, lparam);
    // Right clicks still reach the client: only a left drag moves the window.
    if (easyDrag_ && result == HTCLIENT && GetAsyncKeyState(VK_RBUTTON) >= 0)
        result = HTCAPTION;
    return true;
}

void Window::limitSizing(uintptr_t edge) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&sizingRect_, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const LONG tallest = monitor.rcWork.bottom - monitor.rcWork.top;
    if (sizingRect_.bottom - sizingRect_.top <= tallest)
        return;
    if (edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT)
        sizingRect_.bottom = sizingRect_.top + tallest;
    else
        sizingRect_.top = sizingRect_.bottom - tallest;
}

// --- the middle click ---

void Window::setMiddleClickAction(const char16_t* action) {
    str::StrBuffer text(action ? action : u"");
    int32_t chosen = 0;
    for (int32_t i = 0; i < 3; ++i) {
        if (text.equalsIgnoreCase(kActions[i]))
            chosen = i;
    }
    middleClick_ = chosen;
    onWindowThread([&] {
        if (stateStore_)
            stateStore_->middleClickActionChanged(kActions[chosen]);
    });
}

const char16_t* Window::middleClickAction() const {
    return kActions[middleClick_ >= 0 && middleClick_ < 3 ? middleClick_ : 0];
}

void Window::onMiddleClick() {
    if (middleClick_ == 2)
        close();
    else if (middleClick_ == 1)
        iconize();
}

// --- hot keys ---

void Window::hotKeyFailureText(uint32_t errorCode, bool alt, bool ctrl, bool shift, bool win,
                               int32_t key, str::strbuffer::StrBuffer& out) {
    out.setText(u"(").appendUInt32(errorCode).appendText(u") HotKey ");
    if (alt)
        out.appendText(u"Alt+");
    if (ctrl)
        out.appendText(u"Ctrl+");
    if (shift)
        out.appendText(u"Shift+");
    if (win)
        out.appendText(u"WinKey+");
    out.appendInt(key).appendText(u" has been occupied by another application.");
}

bool Window::registerHotKey(bool alt, bool ctrl, bool shift, bool win, int32_t key,
                            const char16_t* name, bool report) {
    if (!hwnd_ || !name || !*name)
        return false;
    unregisterHotKey(name);
    const ATOM atom = GlobalAddAtomW(reinterpret_cast<const wchar_t*>(name));
    if (atom == 0)
        return false;
    int32_t modifiers = (alt ? MOD_ALT : 0) | (ctrl ? MOD_CONTROL : 0) | (shift ? MOD_SHIFT : 0) |
                        (win ? MOD_WIN : 0);
    if (IsWindows7OrGreater())
        modifiers |= MOD_NOREPEAT;
    int32_t record[3] = {atom, modifiers, key};
    DWORD error = 0;
    bool registered = false;
    onWindowThread([&] {
        registered =
            SendMessageW(hwnd_, msg::kRegisterHotKey, reinterpret_cast<WPARAM>(record), 0) != 0;
        error = registered ? 0 : GetLastError();
    });
    if (registered) {
        hotKeyNames_.addText(name);
        return true;
    }
    GlobalDeleteAtom(atom);
    if (report) {
        str::StrBuffer text;
        hotKeyFailureText(error, alt, ctrl, shift, win, key, text);
        showInformation(text.text());
    }
    return false;
}

void Window::unregisterHotKey(const char16_t* name) {
    int32_t index = -1;
    if (!hwnd_ || !name || !hotKeyNames_.indexOf(name, index))
        return;
    const ATOM atom = GlobalFindAtomW(reinterpret_cast<const wchar_t*>(name));
    SendMessageW(hwnd_, msg::kUnregisterHotKey, atom, 0);
    for (int32_t i = 0; i < hotKeys_.count(); ++i) {
        if (hotKeys_.get(i) == atom) {
            hotKeys_.removeRange(i, 1);
            break;
        }
    }
    hotKeyNames_.removeAt(index);
    if (atom)
        GlobalDeleteAtom(atom);
}

void Window::unregisterAllHotKeys() {
    if (hwnd_)
        SendMessageW(hwnd_, msg::kUnregisterAllHotKeys, 0, 0);
    for (int32_t i = 0; i < hotKeyNames_.count(); ++i) {
        if (ATOM atom = GlobalFindAtomW(reinterpret_cast<const wchar_t*>(hotKeyNames_.textAt(i))))
            GlobalDeleteAtom(atom);
    }
    hotKeyNames_.clear();
}

bool Window::isHotKey(const char16_t* name) const {
    if (!name || lastHotKey_ == 0)
        return false;
    return GlobalFindAtomW(reinterpret_cast<const wchar_t*>(name)) == lastHotKey_;
}

UINT Window::taskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

}  // namespace s::gui::win

// The main-window behaviours of a Window: visibility, the window states, styles, the tray
// icon and the flags that the application frame's behaviours build on.
#include "gui/win/window.h"

#include <shellapi.h>

#include <atomic>
#include <mutex>

#include "gui/drawer/i_drawer.h"
#include "gui/i_menu_target.h"
#include "gui/i_window_state.h"

namespace s::gui::win {
namespace {

constexpr UINT kTrayIconId = 0;
constexpr int kTrayAddAttempts = 3;
constexpr DWORD kTrayRetryMs = 100;

std::atomic<int32_t> failingTrayAdds{0};
std::atomic<int32_t> acceptedTrayAdds{0};

// Gives the memory of a window that was just hidden or shown back to the system; one
// trimming at a time for the whole process.
void trimWorkingSet() {
    static std::mutex lock;
    std::lock_guard<std::mutex> hold(lock);
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

}  // namespace

void Window::failTrayAddsForTesting(int32_t count) {
    failingTrayAdds.store(count);
}

int32_t Window::trayAddsForTesting() {
    return acceptedTrayAdds.load();
}

void Window::setVisible(bool show, bool activateIt) {
    onWindowThread([&] {
        if (!hwnd_)
            return;
        if (show) {
            if (visible_)
                return;
            // The store brings back "Maximized" or places the window; it runs before any
            // minimize, so nothing here can overwrite what it reads.
            if (stateStore_ && !IsZoomed(hwnd_))
                stateStore_->windowShowing(activateIt);
            if (activateIt)
                activate(true);
            // Shown without activation, the window never takes the focus from the person.
            ShowWindow(hwnd_, activateIt ? SW_SHOW : SW_SHOWNA);
            visible_ = true;
            redraw();
            if (trayWhileVisible_ && !trayShown_)
                showTrayIcon(true);
            trimWorkingSet();
            return;
        }
        if (!visible_)
            return;
        if (stateStore_)
            stateStore_->windowHiding();
        ShowWindow(hwnd_, SW_HIDE);
        visible_ = false;
        trimWorkingSet();
    });
}

void Window::activate(bool on) {
    onWindowThread([&] {
        if (!hwnd_)
            return;
        if (on) {
            SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            SetForegroundWindow(hwnd_);
            if (!keepOnTop_)
                SetWindowPos(hwnd_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            active_ = true;
            deactivatedAt_ = 0;
            return;
        }
        SendMessageW(hwnd_, WM_ACTIVATE, WA_INACTIVE, 0);
        if (active_) {
            deactivatedAt_ = GetTickCount64();
            active_ = false;
        }
    });
}

bool Window::isMinimized() const {
    return hwnd_ && IsIconic(hwnd_);
}

bool Window::isMaximized() const {
    return hwnd_ && IsZoomed(hwnd_);
}

void Window::minimize() {
    onWindowThread([this] {
        if (hwnd_)
            ShowWindow(hwnd_, SW_MINIMIZE);
    });
}

void Window::maximize() {
    onWindowThread([this] {
        if (hwnd_)
            ShowWindow(hwnd_, SW_MAXIMIZE);
    });
}

void Window::showNormal() {
    onWindowThread([this] {
        if (hwnd_)
            ShowWindow(hwnd_, SW_SHOWNORMAL);
    });
}

void Window::restore() {
    onWindowThread([this] {
        if (!hwnd_)
            return;
        const bool fromTray = iconized_;
        if (iconized_) {
            // Marked first: the size messages of coming back are not those of an iconize.
            iconized_ = false;
            setVisible(true, true);
            SetForegroundWindow(hwnd_);
            if (!trayWhileVisible_ && !trayAlways_)
                showTrayIcon(false);
        }
        // A window that came back maximized from the tray stays so.
        if (fromTray && IsZoomed(hwnd_))
            return;
        ShowWindow(hwnd_, SW_RESTORE);
    });
}

void Window::iconize() {
    onWindowThread([this] {
        if (!hwnd_ || iconized_)
            return;
        // Never hidden without an icon to bring it back: without one the taskbar keeps it.
        if (!trayShown_)
            showTrayIcon(true);
        if (!trayShown_) {
            ShowWindow(hwnd_, SW_MINIMIZE);
            return;
        }
        // Marked before minimizing, so that the store knows the minimize is an iconize and
        // keeps the stored "Maximized".
        iconized_ = true;
        ShowWindow(hwnd_, SW_MINIMIZE);
        setVisible(false, false);
    });
}

void Window::setStyleBits(DWORD bits, bool on, bool extended) {
    onWindowThread([&] {
        if (!hwnd_)
            return;
        int index = extended ? GWL_EXSTYLE : GWL_STYLE;
        LONG_PTR style = GetWindowLongPtrW(hwnd_, index);
        LONG_PTR changed = on ? (style | bits) : (style & ~static_cast<LONG_PTR>(bits));
        if (changed == style)
            return;
        SetWindowLongPtrW(hwnd_, index, changed);
        SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    });
}

void Window::setResizable(bool on) {
    resizable_ = on;
    setStyleBits(WS_THICKFRAME, on, false);
}

void Window::setCustomFrameStyle(bool on) {
    setStyleBits(WS_CAPTION | WS_THICKFRAME, !on, false);
}

void Window::setShowInTaskbar(bool on) {
    showInTaskbar_ = on;
    onWindowThread([&] {
        if (!hwnd_)
            return;
        bool wasVisible = IsWindowVisible(hwnd_) != FALSE;
        // The taskbar only notices the style while the window is hidden.
        if (wasVisible)
            ShowWindow(hwnd_, SW_HIDE);
        setStyleBits(WS_EX_APPWINDOW, on, true);
        if (wasVisible)
            ShowWindow(hwnd_, SW_SHOW);
    });
}

void Window::setKeepOnTop(bool on) {
    keepOnTop_ = on;
    onWindowThread([&] {
        if (!hwnd_)
            return;
        UINT flags = SWP_NOMOVE | SWP_NOSIZE | (visible_ ? SWP_SHOWWINDOW : 0);
        SetWindowPos(hwnd_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, flags);
        if (stateStore_)
            stateStore_->keepOnTopChanged(on);
    });
}

void Window::setKeepMinimumSize(int32_t width, int32_t height) {
    keepMinimumWidth_ = width > 0;
    keepMinimumHeight_ = height > 0;
    keepWidth_ = width;
    keepHeight_ = height;
}

void Window::setFrameDrawer(drawer::IWindowDrawer* drawer, bool owned) {
    onWindowThread([&] {
        if (frameDrawerOwned_ && frameDrawer_ && frameDrawer_ != drawer)
            frameDrawer_->release();
        frameDrawer_ = drawer;
        frameDrawerOwned_ = owned && drawer;
        if (drawer)
            setCustomFrameStyle(true);
        if (!hwnd_)
            return;
        // The non-client area is measured again: with a drawer there is none.
        SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        if (drawer)
            refreshFrame();
        else
            SetWindowRgn(hwnd_, nullptr, TRUE);
    });
}

void Window::setMenuBar(IMenuTarget* menu) {
    menuBar_ = menu;
    onWindowThread([&] {
        if (hwnd_)
            SetMenu(hwnd_, menu ? static_cast<HMENU>(menu->nativeMenu()) : nullptr);
    });
}

void Window::setSmallIcon(void* icon, bool owned) {
    if (smallIconOwned_ && smallIcon_ && smallIcon_ != icon)
        DestroyIcon(smallIcon_);
    smallIcon_ = static_cast<HICON>(icon);
    smallIconOwned_ = owned;
    for (HWND h : {hwnd_.load(), owner_.hwnd()}) {
        if (h)
            SendMessageW(h, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    }
    updateTrayIcon();
}

void Window::setLargeIcon(void* icon, bool owned) {
    if (largeIconOwned_ && largeIcon_ && largeIcon_ != icon)
        DestroyIcon(largeIcon_);
    largeIcon_ = static_cast<HICON>(icon);
    largeIconOwned_ = owned;
    for (HWND h : {hwnd_.load(), owner_.hwnd()}) {
        if (h)
            SendMessageW(h, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_));
    }
}

// --- the tray icon ---

bool Window::notifyTray(DWORD action, UINT flags) {
    if (!hwnd_)
        return false;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = hwnd_;
    data.uID = kTrayIconId;
    data.uFlags = flags;
    data.uCallbackMessage = msg::kTray;
    data.hIcon = reinterpret_cast<HICON>(SendMessageW(hwnd_, WM_GETICON, ICON_SMALL, 0));
    // The tip holds 128 characters: at most 127 of the title.
    const char16_t* t = title_.text();
    for (int i = 0; i < 127 && t[i]; ++i)
        data.szTip[i] = static_cast<wchar_t>(t[i]);
    if (action == NIM_ADD && failingTrayAdds.load() > 0) {
        failingTrayAdds.fetch_sub(1);
        return false;
    }
    const bool done = Shell_NotifyIconW(action, &data) != FALSE;
    if (done && action == NIM_ADD)
        acceptedTrayAdds.fetch_add(1);
    return done;
}

bool Window::addTrayIcon() {
    // The shell may still be starting (or busy) when the program comes up with the session.
    for (int attempt = 0; attempt < kTrayAddAttempts; ++attempt) {
        if (attempt > 0)
            Sleep(kTrayRetryMs);
        if (notifyTray(NIM_ADD, NIF_MESSAGE | NIF_ICON | NIF_TIP))
            return true;
        // An icon left from before takes the new record instead.
        if (notifyTray(NIM_MODIFY, NIF_MESSAGE | NIF_ICON | NIF_TIP))
            return true;
    }
    return false;
}

void Window::showTrayIcon(bool on) {
    if (on) {
        trayShown_ = addTrayIcon();
        return;
    }
    if (trayAlways_)
        return;
    notifyTray(NIM_DELETE, 0);
    trayShown_ = false;
}

void Window::removeTrayIconAlways() {
    if (!trayShown_)
        return;
    notifyTray(NIM_DELETE, 0);
    trayShown_ = false;
}

void Window::updateTrayIcon() {
    if (trayShown_)
        notifyTray(NIM_MODIFY, NIF_MESSAGE | NIF_ICON | NIF_TIP);
}

void Window::setTrayIconAlways(bool on) {
    trayAlways_ = on;
    if (on) {
        if (!trayShown_)
            showTrayIcon(true);
    } else if (!iconized_) {
        showTrayIcon(false);
    }
}

void Window::setTrayIconWhileVisible(bool on) {
    trayWhileVisible_ = on;
    if (on && !trayShown_)
        showTrayIcon(true);
    else if (!on && trayShown_ && !iconized_)
        showTrayIcon(false);
}

void Window::onTray(intptr_t mouseMessage) {
    switch (mouseMessage) {
        case WM_LBUTTONDOWN:
            if (trayClickToggles_) {
                // Clicking the icon deactivates the window before the click arrives.
                bool recentlyActive =
                    active_ || (deactivatedAt_ != 0 && GetTickCount64() - deactivatedAt_ <= 150);
                if (iconized_) {
                    restore();
                } else if (recentlyActive) {
                    iconize();
                } else {
                    activate(true);
                    if (isMinimized())
                        restore();
                }
            }
            fire(kTrayClick);
            break;
        case WM_RBUTTONDOWN:
            if (trayMenu_) {
                fire(kTrayRightClick);
                POINT p;
                GetCursorPos(&p);
                SetForegroundWindow(hwnd_);
                trayMenu_->openAt(hwnd_, p.x, p.y);
                SetForegroundWindow(hwnd_);
            }
            break;
        default:
            break;
    }
}

}  // namespace s::gui::win

#include "gui/win/window.h"

#include <shellapi.h>
#include <windowsx.h>

#include <atomic>

#include "gui/drawer/i_drawer.h"
#include "gui/drawer/skinner.h"
#include "gui/i_layout_manager.h"
#include "gui/i_menu_target.h"
#include "gui/i_window_state.h"
#include "gui/layout/layouts.h"
#include "gui/menu/command_routing.h"
#include "lang/localizer.h"

namespace s::gui::win {
namespace {

std::atomic<int32_t> failingCreations{0};

template <class F>
void onThread(Window& window, F&& operation) {
    window.onWindowThread(std::forward<F>(operation));
}

}  // namespace

void Window::failNativeCreationForTesting(int32_t count) {
    failingCreations.store(count);
}

Window::Window() {
    visible_ = false;
    closedEvent_ = thread::win::Handle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    thread_.start(this);
    if (hwnd_)
        syncBoundsFromNative();
}

Window::~Window() {
    shutdown();
    if (frameDrawerOwned_ && frameDrawer_)
        frameDrawer_->release();
}

bool Window::createNativeWindows(const wchar_t*& failure) {
    if (!registerWindowClass())
        return false;
    if (failingCreations.load() > 0) {
        failingCreations.fetch_sub(1);
        failure = nullptr;
        return false;
    }
    if (!owner_.create()) {
        failure = L"Window Creation Failed!";
        return false;
    }
    hwnd_ = createToolkitWindow(WS_EX_CLIENTEDGE, L"Window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 240, 120, owner_.hwnd(), this);
    if (!hwnd_) {
        DestroyWindow(owner_.hwnd());
        failure = L"Window Creation Failed!";
        return false;
    }
    title_.setText(u"Window");
    ShowWindow(hwnd_, SW_HIDE);
    ShowWindow(owner_.hwnd(), SW_HIDE);
    UpdateWindow(hwnd_);
    UpdateWindow(owner_.hwnd());
    return true;
}

void Window::runOnWindowThread(void (*operation)(void*), void* block) {
    if (!hwnd_ || isWindowThread() || thread_.hasEnded()) {
        operation(block);
        return;
    }
    SendMessageW(hwnd_, msg::kRunOnThread, reinterpret_cast<WPARAM>(operation),
                 reinterpret_cast<LPARAM>(block));
}

void Window::teardownOnThread(void* self) {
    auto* w = static_cast<Window*>(self);
    if (w->hwnd_)
        ShowWindow(w->hwnd_, SW_HIDE);
    w->visible_ = false;
    w->removeTrayIconAlways();
    if (w->clipboardViewer_)
        w->setClipboardViewer(false);
    while (w->children_.count() > 0)
        w->detachChild(static_cast<IComponent*>(w->children_.detach(w->children_.count() - 1)),
                       true);
}

void Window::shutdown() {
    if (released_)
        return;
    released_ = true;
    // One budget for the whole shut-down: a hung thread must not hang the release.
    const ULONGLONG start = GetTickCount64();
    auto left = [&]() -> UINT {
        ULONGLONG spent = GetTickCount64() - start;
        return spent >= UIThread::kStopTimeoutMs
                   ? 1
                   : static_cast<UINT>(UIThread::kStopTimeoutMs - spent);
    };
    if (hwnd_ && isWindowThread()) {
        teardownOnThread(this);
        SendMessageW(hwnd_, msg::kDestroy, 0, 0);
    } else if (hwnd_) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(hwnd_, msg::kRunOnThread,
                            reinterpret_cast<WPARAM>(&Window::teardownOnThread),
                            reinterpret_cast<LPARAM>(this), SMTO_NORMAL, left(), &answer);
        // The hidden owner closes and takes the window with it.
        if (hwnd_)
            SendMessageTimeoutW(hwnd_, msg::kDestroy, 0, 0, SMTO_NORMAL, left(), &answer);
    }
    for (auto& list : listeners_)
        list.clear();
    closeTriggers_.clear();
    if (localizer_)
        localizer_->removeListener(this);
    if (skinner_)
        skinner_->removeListener(this);
    localizer_ = nullptr;
    skinner_ = nullptr;
    if (!thread_.isCurrent())
        thread_.stop(static_cast<int32_t>(left()));
    if (smallIconOwned_ && smallIcon_)
        DestroyIcon(smallIcon_);
    if (largeIconOwned_ && largeIcon_)
        DestroyIcon(largeIcon_);
    smallIcon_ = largeIcon_ = nullptr;
}

void Window::reset() {
    shutdown();
}

void Window::release() {
    shutdown();
    // The thread may still be inside one of this window's handlers: keep the object for it.
    if (thread_.isCurrent() || !thread_.hasEnded())
        return;
    Pooled::release();
}

// --- geometry ---

void Window::syncBoundsFromNative() {
    RECT r;
    if (hwnd_ && GetWindowRect(hwnd_, &r)) {
        x_ = r.left;
        y_ = r.top;
        width_ = r.right - r.left;
        height_ = r.bottom - r.top;
    }
}

void Window::placeNative(uint32_t what) {
    if (!hwnd_)
        return;
    int32_t x = x_ + dx_, y = y_ + dy_, w = width_, h = height_;
    onThread(*this, [&] {
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (!(what & kPlaceMove))
            flags |= SWP_NOMOVE;
        if (!(what & kPlaceSize))
            flags |= SWP_NOSIZE;
        if (hwnd_)
            SetWindowPos(hwnd_, nullptr, x, y, w, h, flags);
    });
}

void Window::move(int32_t x, int32_t y) {
    onThread(*this, [&] { ComponentOf<IWindow>::move(x, y); });
}

void Window::resize(int32_t width, int32_t height) {
    onThread(*this, [&] { ComponentOf<IWindow>::resize(width, height); });
}

void Window::setBounds(int32_t x, int32_t y, int32_t width, int32_t height) {
    onThread(*this, [&] { ComponentOf<IWindow>::setBounds(x, y, width, height); });
}

int32_t Window::frameWidth() const {
    RECT w, c;
    if (!hwnd_ || !GetWindowRect(hwnd_, &w) || !GetClientRect(hwnd_, &c))
        return 0;
    return (w.right - w.left) - (c.right - c.left);
}

int32_t Window::frameHeight() const {
    RECT w, c;
    if (!hwnd_ || !GetWindowRect(hwnd_, &w) || !GetClientRect(hwnd_, &c))
        return 0;
    return (w.bottom - w.top) - (c.bottom - c.top);
}

int32_t Window::clientWidth() const {
    RECT c;
    if (hwnd_ && GetClientRect(hwnd_, &c))
        return c.right - c.left;
    return 0;
}

int32_t Window::clientHeight() const {
    RECT c;
    if (hwnd_ && GetClientRect(hwnd_, &c))
        return c.bottom - c.top;
    return 0;
}

int32_t Window::minimumWidth() const {
    return explicitMinWidth_ >= 0 ? explicitMinWidth_ : frameWidth();
}

int32_t Window::minimumHeight() const {
    return explicitMinHeight_ >= 0 ? explicitMinHeight_ : frameHeight();
}

int32_t Window::maximumWidth() const {
    return GetSystemMetrics(SM_CXVIRTUALSCREEN);
}

int32_t Window::maximumHeight() const {
    return GetSystemMetrics(SM_CYVIRTUALSCREEN);
}

void Window::centerOnScreen() {
    RECT work;
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
        return;
    int32_t x = work.left + ((work.right - work.left) - width_) / 2;
    int32_t y = work.top + ((work.bottom - work.top) - height_) / 2;
    move(x < work.left ? work.left : x, y < work.top ? work.top : y);
}

Color Window::systemFaceColor() const {
    return GetSysColor(COLOR_BTNFACE);
}

void Window::redrawRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!hwnd_)
        return;
    RECT r{x, y, x + w, y + h};
    RedrawWindow(hwnd_, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}

void Window::redraw() {
    if (hwnd_)
        RedrawWindow(hwnd_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME | RDW_ALLCHILDREN);
}

void Window::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (hwnd_)
        EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

void Window::setInputBlocked(bool blocked) {
    if (hwnd_)
        EnableWindow(hwnd_, blocked ? FALSE : TRUE);
}

void Window::setFocus() {
    onThread(*this, [this] {
        if (hwnd_)
            SetFocus(hwnd_);
    });
}

void Window::focusNext() {
    if (hwnd_)
        SendMessageW(hwnd_, WM_KEYDOWN, VK_TAB, 0);
}

// --- children and layout ---

IComponent* Window::childAt(int32_t index) const {
    if (index < 0 || index >= children_.count())
        return nullptr;
    return static_cast<IComponent*>(children_.get(index));
}

void Window::addChild(IComponent* child) {
    if (!child || child == this)
        return;
    // Stored, attached and laid out on the window's thread, where layout and painting read
    // the children; the child's native control is created there (message 0x8002).
    onThread(*this, [&] {
        children_.add(child);
        if (hwnd_)
            SendMessageW(hwnd_, msg::kAttach, reinterpret_cast<WPARAM>(child), 0);
        doLayout();
    });
}

void Window::detachChild(IComponent* child, bool recursive) {
    if (!child)
        return;
    if (recursive && child->isContainer())
        child->removeAllChildren(true);
    child->attach(nullptr);
    child->release();
}

void Window::removeChild(IComponent* child, bool recursive) {
    onThread(*this, [&] {
        int32_t at = 0;
        if (!child || !children_.indexOf(child, at))
            return;
        children_.detach(at);
        detachChild(child, recursive);
        doLayout();
    });
}

void Window::removeAllChildren(bool recursive) {
    onThread(*this, [&] {
        while (children_.count() > 0)
            detachChild(static_cast<IComponent*>(children_.detach(children_.count() - 1)),
                        recursive);
        doLayout();
    });
}

ILayoutManager* Window::layoutManager() const {
    return manager_ ? manager_ : &layout::sharedVertical();
}

void Window::doLayout() {
    onThread(*this, [this] {
        if (hwnd_ && children_.count() > 0)
            layoutManager()->doLayout(this);
    });
}

// --- listeners, localizer, skinner ---

void Window::addListener(int32_t eventId, events::IEventListener* listener) {
    if (eventId >= 1 && eventId < kEventSlots)
        listeners_[eventId].add(listener);
}

void Window::addCloseTrigger(IComponent* component) {
    if (!component)
        return;
    closeTriggers_.add(component);
    component->addActionListener(this);
}

void Window::onEvent(base::IObject* source, int32_t /*eventId*/) {
    if (!source)
        return;
    if (localizer_ && source == static_cast<base::IObject*>(localizer_)) {
        if (stateStore_) {
            if (lang::LangPack* current = localizer_->currentLanguage())
                stateStore_->storeLanguageName(current->engName().text());
        }
        applyTitle();
        fire(kLanguage);
        return;
    }
    if (skinner_ && source == static_cast<base::IObject*>(skinner_)) {
        redraw();
        return;
    }
    for (int32_t i = 0; i < closeTriggers_.count(); ++i) {
        if (static_cast<base::IObject*>(static_cast<IComponent*>(closeTriggers_.get(i))) ==
            source) {
            close();
            return;
        }
    }
}

void Window::setLocalizer(lang::Localizer* localizer) {
    if (localizer_ == localizer)
        return;
    if (localizer_)
        localizer_->removeListener(this);
    localizer_ = localizer;
    if (localizer_)
        localizer_->addListener(this);
    applyTitle();
}

void Window::setSkinner(drawer::Skinner* skinner) {
    if (skinner_ == skinner)
        return;
    if (skinner_)
        skinner_->removeListener(this);
    skinner_ = skinner;
    if (skinner_)
        skinner_->addListener(this);
    redraw();
}

void Window::setTitleIds(int32_t titleId, int32_t versionId) {
    titleId_ = titleId;
    versionId_ = versionId;
    applyTitle();
}

void Window::applyTitle() {
    if (!localizer_ || titleId_ < 0)
        return;
    str::strbuffer::StrBuffer text;
    text.setText(localizer_->text(titleId_));
    if (versionId_ >= 0) {
        text.append(u" v", 2);
        text.append(localizer_->text(versionId_), -1);
    }
    setTitle(text.text());
}

void Window::setTitle(const char16_t* text) {
    onThread(*this, [&] {
        title_.setText(text ? text : u"");
        if (!hwnd_)
            return;
        SetWindowTextW(hwnd_, reinterpret_cast<const wchar_t*>(title_.text()));
        if (trayShown_)
            notifyTray(NIM_MODIFY, NIF_TIP);
    });
}

void Window::setStateStore(IWindowStateStore* store, bool showVersion) {
    onThread(*this, [&] {
        if (stateStore_ && stateStore_ != store)
            stateStore_->windowAttached(nullptr, false);
        stateStore_ = store;
        showVersion_ = showVersion;
        if (stateStore_)
            stateStore_->windowAttached(this, showVersion);
    });
}

// --- closing ---

void Window::close() {
    if (closeIconizes_ && !iconized_)
        iconized_ = true;  // so that the close is not turned into an iconize
    if (hwnd_)
        SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void Window::waitUntilClosed() {
    // A window without native windows can never close: nothing to wait for.
    if (!hwnd_ || closed_.load())
        return;
    HANDLE closed = closedEvent_.get();
    if (!isWindowThread()) {
        WaitForSingleObject(closed, INFINITE);
        return;
    }
    // On the window's own thread the wait keeps its messages flowing.
    while (!closed_.load()) {
        DWORD r = MsgWaitForMultipleObjects(1, &closed, FALSE, INFINITE, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0)
            return;
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(m.wParam));
                return;
            }
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }
}

void Window::onClose() {
    if (closed_.load())
        return;
    closeCancelled_ = false;
    fire(kClose);
    if (closeCancelled_)
        return;
    setVisible(false, false);
    if (clipboardViewer_)
        setClipboardViewer(false);
    removeTrayIconAlways();
    // The waiting thread starts the teardown once the flag is set: save first.
    if (shuttingDown_ && stateStore_)
        stateStore_->saveApplicationSettings();
    closed_.store(true);
    SetEvent(closedEvent_.get());
}

void Window::onEndSession(uintptr_t wparam, intptr_t lparam) {
    if (!wparam || lparam != 0)
        return;
    shuttingDown_ = true;
    if (closed_.load())
        return;
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    // A vetoed close still saves: the session ends either way.
    if (!closed_.load() && stateStore_)
        stateStore_->saveApplicationSettings();
}

// --- messages ---

bool Window::onCommand(uintptr_t wparam, intptr_t lparam) {
    // Control notifications belong to the control (the class procedure reflects them).
    if (lparam != 0)
        return false;
    return menu::routeCommand(menuBar_, trayMenu_, contextMenu_, LOWORD(wparam)) != nullptr;
}

bool Window::onWheel(uintptr_t wparam, intptr_t lparam) {
    wheelBusy_ = true;
    const int32_t sx = GET_X_LPARAM(lparam), sy = GET_Y_LPARAM(lparam);
    bool consumed = false;
    for (int32_t i = 0; i < children_.count() && !consumed; ++i) {
        IComponent* child = childAt(i);
        auto* childHwnd = static_cast<HWND>(child->nativeHandle());
        if (!childHwnd || !child->isVisible() || !IsWindowVisible(childHwnd))
            continue;
        RECT r;
        GetWindowRect(childHwnd, &r);
        if (sx < r.left || sx >= r.right || sy < r.top || sy >= r.bottom)
            continue;
        consumed = SendMessageW(childHwnd, WM_MOUSEWHEEL, wparam, lparam) == 0;
    }
    if (!consumed && !listeners_[kWheel].isEmpty()) {
        UINT lines = 3;
        SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        // The signed delta: the raw wparam of a 64-bit process is never negative.
        wheelLines_ = GET_WHEEL_DELTA_WPARAM(wparam) > 0 ? static_cast<int32_t>(lines)
                                                         : -static_cast<int32_t>(lines);
        fire(kWheel);
        consumed = true;
    }
    wheelBusy_ = false;
    return consumed;
}

void Window::refreshFrame() {
    if (!frameDrawer_ || !hwnd_)
        return;
    RECT r;
    GetWindowRect(hwnd_, &r);
    // The window takes the region over; a failed region leaves the rectangle.
    if (HRGN region = frameDrawer_->createRegion(r.right - r.left, r.bottom - r.top))
        SetWindowRgn(hwnd_, region, TRUE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Window::paintFrame() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client;
    GetClientRect(hwnd_, &client);
    frameDrawer_->paint(dc, 0, 0, client.right, client.bottom, drawer::PaintState{});
    EndPaint(hwnd_, &ps);
}

void Window::eraseBackground(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    int saved = SaveDC(dc);
    for (int32_t i = 0; i < children_.count(); ++i) {
        auto* childHwnd = static_cast<HWND>(childAt(i)->nativeHandle());
        RECT r;
        if (!childHwnd || !IsWindowVisible(childHwnd) || !GetWindowRect(childHwnd, &r))
            continue;
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
    if (frameDrawer_) {
        frameDrawer_->paintBackground(dc, 0, 0, client.right, client.bottom);
    } else {
        HBRUSH brush = CreateSolidBrush(backgroundColor());
        FillRect(dc, &client, brush);
        DeleteObject(brush);
    }
    RestoreDC(dc, saved);
}

bool Window::handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam, intptr_t lparam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wparam) == WA_ACTIVE || LOWORD(wparam) == WA_CLICKACTIVE) {
                fire(kActivate);
                active_ = true;
                deactivatedAt_ = 0;
            } else {
                fire(kDeactivate);
                if (active_) {
                    deactivatedAt_ = GetTickCount64();
                    active_ = false;
                }
            }
            return false;
        case WM_CLOSE:
            onClose();
            result = 0;
            return true;
        case WM_ERASEBKGND:
            eraseBackground(reinterpret_cast<HDC>(wparam));
            result = 1;
            return true;
        case WM_NCCALCSIZE:
            // With a frame drawer the whole window is client area.
            if (!frameDrawer_)
                return false;
            result = 0;
            return true;
        case WM_NCACTIVATE:
        case 0xAE:  // the caption repaint of themed frames
            if (!frameDrawer_)
                return false;
            result = 1;
            return true;
        case WM_NCPAINT:
            if (!frameDrawer_)
                return false;
            result = 0;
            return true;
        case WM_PAINT:
            if (!frameDrawer_)
                return false;
            paintFrame();
            result = 0;
            return true;
        case WM_ENDSESSION:
            onEndSession(wparam, lparam);
            result = 0;
            return true;
        case WM_SETCURSOR:
            if (hideCursor_ && visible_) {
                SetCursor(nullptr);
                result = TRUE;
                return true;
            }
            return false;
        case WM_WINDOWPOSCHANGING:
            if (confineToScreen_)
                confineToScreen(reinterpret_cast<WINDOWPOS*>(lparam));
            fire(kPosChanging);
            return false;
        case WM_WINDOWPOSCHANGED: {
            auto* pos = reinterpret_cast<WINDOWPOS*>(lparam);
            if (!IsIconic(hwnd_)) {
                syncBoundsFromNative();
                if (!(pos->flags & SWP_NOSIZE)) {
                    refreshFrame();
                    doLayout();
                }
            }
            return false;
        }
        case WM_NCHITTEST:
            return onHitTest(result, wparam, lparam);
        case WM_GETDLGCODE:
            result = DefWindowProcW(hwnd_, message, wparam, lparam) | DLGC_WANTALLKEYS;
            return true;
        case WM_KEYDOWN:
            lastKey_ = static_cast<int32_t>(wparam);
            fire(kKey);
            if (wparam == VK_RETURN) {
                result = 0;
                return true;
            }
            return false;
        case WM_COMMAND:
            if (onCommand(wparam, lparam)) {
                result = 0;
                return true;
            }
            return false;
        case WM_SYSCOMMAND:
            if ((wparam & 0xFFF0) == SC_CLOSE && closeIconizes_ && !iconized_) {
                iconize();
                result = 0;
                return true;
            }
            return false;
        case WM_TIMER:
            if (wparam >= 10000) {
                lastTimer_ = static_cast<int32_t>(wparam - 10000);
                fire(kTimer);
                result = 0;
                return true;
            }
            return false;
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
            fire(kMouseMove);
            return false;
        case WM_LBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
            fire(kLeftDown);
            if (message == WM_LBUTTONDOWN)
                SetFocus(hwnd_);
            return false;
        case WM_LBUTTONUP:
        case WM_NCLBUTTONUP:
            fire(kLeftUp);
            return false;
        case WM_LBUTTONDBLCLK:
        case WM_NCLBUTTONDBLCLK:
            fire(kDoubleClick);
            if (!passDoubleClicks_) {
                result = 0;
                return true;
            }
            return false;
        case WM_RBUTTONDOWN:
            fire(kRightDown);
            if (contextMenu_) {
                fire(kContextMenu);
                POINT p;
                GetCursorPos(&p);
                contextMenu_->openAt(hwnd_, p.x, p.y);
            }
            return false;
        case WM_RBUTTONUP:
            fire(kRightUp);
            return false;
        case WM_MBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
            fire(kMiddleDown);
            onMiddleClick();
            return false;
        case WM_MOUSEWHEEL:
            // A child handing the turn back while it is being offered: not taken (1), so
            // that the offer goes on instead of the default processing answering 0.
            if (wheelBusy_) {
                result = 1;
                return true;
            }
            if (onWheel(wparam, lparam)) {
                result = 0;
                return true;
            }
            return false;
        case WM_SIZING: {
            auto* r = reinterpret_cast<RECT*>(lparam);
            static const int32_t kEdges[9] = {0, 1, 2, 3, 5, 6, 4, 7, 8};
            sizingEdge_ = wparam <= 8 ? kEdges[wparam] : 0;
            sizingRect_ = *r;
            limitSizing(wparam);
            fire(kSizing);
            if (keepMinimumWidth_ && sizingRect_.right - sizingRect_.left < keepWidth_) {
                if (wparam == WMSZ_LEFT || wparam == WMSZ_TOPLEFT || wparam == WMSZ_BOTTOMLEFT)
                    sizingRect_.left = sizingRect_.right - keepWidth_;
                else
                    sizingRect_.right = sizingRect_.left + keepWidth_;
            }
            if (keepMinimumHeight_ && sizingRect_.bottom - sizingRect_.top < keepHeight_) {
                if (wparam == WMSZ_TOP || wparam == WMSZ_TOPLEFT || wparam == WMSZ_TOPRIGHT)
                    sizingRect_.top = sizingRect_.bottom - keepHeight_;
                else
                    sizingRect_.bottom = sizingRect_.top + keepHeight_;
            }
            *r = sizingRect_;
            result = TRUE;
            return true;
        }
        case WM_CAPTURECHANGED:
            if (dragging_) {
                GetCursorPos(&dragEnd_);
                dragging_ = false;
                ReleaseCapture();
                fire(kDragEnd);
            }
            return false;
        case WM_POWERBROADCAST:
            if (wparam == PBT_APMSUSPEND)
                suspended_ = true;
            else if (wparam == PBT_APMRESUMESUSPEND || wparam == PBT_APMRESUMEAUTOMATIC)
                suspended_ = false;
            return false;
        case WM_HOTKEY:
            lastHotKey_ = wparam;
            fire(kHotKey);
            result = 0;
            return true;
        case WM_DRAWCLIPBOARD:
            fire(kClipboard);
            if (nextClipboardViewer_)
                SendMessageW(nextClipboardViewer_, message, wparam, lparam);
            result = 0;
            return true;
        case WM_CHANGECBCHAIN:
            if (reinterpret_cast<HWND>(wparam) == nextClipboardViewer_)
                nextClipboardViewer_ = reinterpret_cast<HWND>(lparam);
            else if (nextClipboardViewer_)
                SendMessageW(nextClipboardViewer_, message, wparam, lparam);
            result = 0;
            return true;

        // --- private messages ---
        case msg::kRect: {
            auto* record = reinterpret_cast<msg::RectRecord*>(wparam);
            if (record)
                rect_ = *record;
            // A posted record belongs to the message.
            if (lparam == 1)
                delete record;
            rectResult_ = 0;
            fire(kRectMessage);
            result = rectResult_;
            return true;
        }
        case msg::kTray:
            onTray(lparam);
            result = 0;
            return true;
        case msg::kBringBack:
            if (iconized_ || isMinimized())
                restore();
            activate(true);
            result = 0;
            return true;
        case msg::kInformation:
        case msg::kError:
        case msg::kYesNo: {
            UINT type = message == msg::kInformation ? MB_ICONINFORMATION | MB_OK
                        : message == msg::kError     ? MB_ICONERROR | MB_OK
                                                     : MB_ICONQUESTION | MB_YESNO;
            int answer = MessageBoxW(hwnd_, reinterpret_cast<const wchar_t*>(wparam),
                                     reinterpret_cast<const wchar_t*>(title_.text()), type);
            result = answer == IDYES ? 1 : 0;
            return true;
        }
        case msg::kWake:
            fire(kWake);
            result = 0;
            return true;
        case msg::kRegisterHotKey: {
            auto* hk = reinterpret_cast<const int32_t*>(wparam);  // id, modifiers, key
            result = hk && RegisterHotKey(hwnd_, hk[0], static_cast<UINT>(hk[1]),
                                          static_cast<UINT>(hk[2]));
            if (result)
                hotKeys_.add(hk[0]);
            return true;
        }
        case msg::kUnregisterHotKey:
            result = UnregisterHotKey(hwnd_, static_cast<int>(wparam));
            return true;
        case msg::kUnregisterAllHotKeys:
            for (int32_t i = 0; i < hotKeys_.count(); ++i)
                UnregisterHotKey(hwnd_, hotKeys_.get(i));
            hotKeys_.clear();
            result = 0;
            return true;
        case msg::kStartTimer: {
            auto* t = reinterpret_cast<const int32_t*>(wparam);
            result = t ? SetTimer(hwnd_, static_cast<UINT_PTR>(t[0]) + 10000,
                                  static_cast<UINT>(t[1]), nullptr) != 0
                       : 0;
            return true;
        }
        case msg::kStopTimer: {
            auto* t = reinterpret_cast<const int32_t*>(wparam);
            result = t ? KillTimer(hwnd_, static_cast<UINT_PTR>(t[0]) + 10000) : 0;
            return true;
        }
        case msg::kDestroy:
            if (owner_.hwnd())
                SendMessageW(owner_.hwnd(), msg::kDestroy, 0, 0);
            else
                DestroyWindow(hwnd_);
            result = 0;
            return true;
        case msg::kAttach:
            if (wparam)
                reinterpret_cast<IComponent*>(wparam)->attach(this);
            result = 0;
            return true;
        case msg::kRunOnThread:
            if (wparam)
                reinterpret_cast<void (*)(void*)>(wparam)(reinterpret_cast<void*>(lparam));
            result = 0;
            return true;
        default:
            // The shell restarted and forgot every icon: ours comes back.
            if (message == taskbarCreatedMessage() && message != 0) {
                if (trayShown_ || trayAlways_ || iconized_)
                    trayShown_ = addTrayIcon();
                return false;
            }
            return false;
    }
}

void Window::afterMessage(intptr_t& /*result*/, uint32_t message, uintptr_t wparam,
                          intptr_t lparam) {
    switch (message) {
        case WM_SIZE:
            if (wparam == SIZE_RESTORED)
                fire(kRestore);
            fire(kSize);
            if (stateStore_)
                stateStore_->windowSized(static_cast<int32_t>(wparam));
            break;
        case WM_WINDOWPOSCHANGED: {
            auto* pos = reinterpret_cast<WINDOWPOS*>(lparam);
            if (!(pos->flags & SWP_NOMOVE))
                fire(kMoved);
            bool neither = (pos->flags & SWP_NOSIZE) && (pos->flags & SWP_NOMOVE);
            if (!neither && !IsIconic(hwnd_) && !IsZoomed(hwnd_))
                GetWindowRect(hwnd_, &normal_);
            break;
        }
        case WM_NCDESTROY:
            hwnd_ = nullptr;
            break;
        default:
            break;
    }
}

// --- message 1025, timers, message boxes ---

intptr_t Window::sendRect(int32_t a, int32_t b, int32_t c, int32_t d) {
    if (!hwnd_)
        return 0;
    msg::RectRecord record{a, b, c, d};
    return SendMessageW(hwnd_, msg::kRect, reinterpret_cast<WPARAM>(&record), 0);
}

bool Window::postRect(int32_t a, int32_t b, int32_t c, int32_t d) {
    if (!hwnd_)
        return false;
    // Owned by the message: the handler frees it.
    auto* record = new (std::nothrow) msg::RectRecord{a, b, c, d};
    if (!record)
        return false;
    if (PostMessageW(hwnd_, msg::kRect, reinterpret_cast<WPARAM>(record), 1))
        return true;
    delete record;
    return false;
}

void Window::startTimer(int32_t id, int32_t milliseconds) {
    if (!hwnd_)
        return;
    int32_t t[2] = {id, milliseconds};
    SendMessageW(hwnd_, msg::kStartTimer, reinterpret_cast<WPARAM>(t), 0);
}

void Window::stopTimer(int32_t id) {
    if (!hwnd_)
        return;
    SendMessageW(hwnd_, msg::kStopTimer, reinterpret_cast<WPARAM>(&id), 0);
}

void Window::showInformation(const char16_t* text) {
    if (hwnd_ && text)
        SendMessageW(hwnd_, msg::kInformation, reinterpret_cast<WPARAM>(text), 0);
}

void Window::showError(const char16_t* text) {
    if (hwnd_ && text)
        SendMessageW(hwnd_, msg::kError, reinterpret_cast<WPARAM>(text), 0);
}

bool Window::askYesNo(const char16_t* text) {
    if (!hwnd_ || !text)
        return false;
    return SendMessageW(hwnd_, msg::kYesNo, reinterpret_cast<WPARAM>(text), 0) == 1;
}

void Window::beginDrag() {
    onThread(*this, [this] {
        if (!hwnd_)
            return;
        dragging_ = true;
        SetCapture(hwnd_);
    });
}

void Window::setClipboardViewer(bool on) {
    onThread(*this, [&] {
        if (!hwnd_ || on == clipboardViewer_)
            return;
        if (on) {
            nextClipboardViewer_ = SetClipboardViewer(hwnd_);
        } else {
            ChangeClipboardChain(hwnd_, nextClipboardViewer_);
            nextClipboardViewer_ = nullptr;
        }
        clipboardViewer_ = on;
    });
}

}  // namespace s::gui::win

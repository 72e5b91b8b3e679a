#include "gui/win/box.h"

#include <shellapi.h>
#include <windowsx.h>

#include "gui/drawer/skinner.h"
#include "gui/i_window.h"
#include "gui/win/messages.h"
#include "image/win/buffered_image.h"

namespace s::gui::win {

Box::~Box() {
    resetBox();
    if (backgroundImageOwned_ && backgroundImage_)
        backgroundImage_->release();
}

void Box::reset() {
    resetBox();
    trackingLeave_ = false;
    wheelBusy_ = false;
    setBackgroundImage(nullptr, false);
}

template <class F>
bool Box::handedOver(F&& operation) {
    if (!window_ || window_->isWindowThread() || !native_)
        return false;
    window_->onWindowThread(std::forward<F>(operation));
    return true;
}

void Box::move(int32_t x, int32_t y) {
    if (!handedOver([&] { BoxBase::move(x, y); }))
        BoxBase::move(x, y);
}

void Box::resize(int32_t width, int32_t height) {
    if (!handedOver([&] { BoxBase::resize(width, height); }))
        BoxBase::resize(width, height);
}

void Box::setBounds(int32_t x, int32_t y, int32_t width, int32_t height) {
    if (!handedOver([&] { BoxBase::setBounds(x, y, width, height); }))
        BoxBase::setBounds(x, y, width, height);
}

void Box::setOffset(int32_t dx, int32_t dy) {
    if (!handedOver([&] { BoxBase::setOffset(dx, dy); }))
        BoxBase::setOffset(dx, dy);
}

void Box::doLayout() {
    if (!handedOver([this] { BoxBase::doLayout(); }))
        BoxBase::doLayout();
}

void Box::onEvent(base::IObject* source, int32_t /*eventId*/) {
    if (window_ && source && source == static_cast<base::IObject*>(window_->skinner()))
        redraw();
}

void Box::addChild(IComponent* child) {
    if (!handedOver([&] { BoxBase::addChild(child); }))
        BoxBase::addChild(child);
}

void Box::removeChild(IComponent* child, bool recursive) {
    if (!handedOver([&] { BoxBase::removeChild(child, recursive); }))
        BoxBase::removeChild(child, recursive);
}

void Box::removeAllChildren(bool recursive) {
    if (!handedOver([&] { BoxBase::removeAllChildren(recursive); }))
        BoxBase::removeAllChildren(recursive);
}

void Box::setVisible(bool show, bool recursive) {
    if (!handedOver([&] { BoxBase::setVisible(show, recursive); }))
        BoxBase::setVisible(show, recursive);
}

void Box::redraw() {
    if (native_)
        RedrawWindow(hwnd(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Box::redrawRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!native_)
        return;
    RECT r{x, y, x + w, y + h};
    RedrawWindow(hwnd(), &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void Box::setAcceptFiles(bool on) {
    acceptFiles_ = on;
    if (native_)
        DragAcceptFiles(hwnd(), on ? TRUE : FALSE);
}

void Box::setBackgroundImage(image::win::BufferedImage* image, bool owned) {
    if (backgroundImageOwned_ && backgroundImage_ && backgroundImage_ != image)
        backgroundImage_->release();
    backgroundImage_ = image;
    backgroundImageOwned_ = owned && image;
    redraw();
}

void Box::createNative() {
    auto* parentHwnd = parent_ ? static_cast<HWND>(parent_->nativeHandle()) : nullptr;
    if (!parentHwnd || native_)
        return;
    native_ = createToolkitWindow(WS_EX_CONTROLPARENT, L"", WS_CHILD | WS_CLIPSIBLINGS, x_ + dx_,
                                  y_ + dy_, width_, height_, parentHwnd, this);
    if (!native_)
        return;
    // Children attach in order: a later one lies on the earlier ones (a pile's front).
    SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (acceptFiles_)
        DragAcceptFiles(hwnd(), TRUE);
}

void Box::destroyNative() {
    if (!native_)
        return;
    SendMessageW(hwnd(), msg::kDestroyControl, 0, 0);
    native_ = nullptr;
    hovered_ = false;
    trackingLeave_ = false;
}

void Box::placeNative(uint32_t what) {
    if (!native_)
        return;
    // A hidden box stays hidden wherever it is parked.
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (visible_ ? SWP_SHOWWINDOW : 0);
    if (!(what & kPlaceMove))
        flags |= SWP_NOMOVE;
    if (!(what & kPlaceSize))
        flags |= SWP_NOSIZE;
    SetWindowPos(hwnd(), nullptr, x_ + dx_, y_ + dy_, width_, height_, flags);
}

void Box::attachChildNow(IComponent* child) {
    // On the window's thread whoever asks: the box's native window lives there.
    if (native_)
        SendMessageW(hwnd(), msg::kAttach, reinterpret_cast<WPARAM>(child), 0);
}

void Box::showNative(bool show) {
    if (native_)
        ShowWindow(hwnd(), show ? SW_SHOW : SW_HIDE);
}

void Box::setHovered(bool on) {
    if (hovered_ == on)
        return;
    hovered_ = on;
    InvalidateRect(hwnd(), nullptr, TRUE);
    UpdateWindow(hwnd());
}

void Box::onMouseMove(intptr_t lparam, uintptr_t wparam) {
    const int32_t x = GET_X_LPARAM(lparam), y = GET_Y_LPARAM(lparam);
    bool inside = x >= 0 && x <= width_ && y >= 0 && y <= height_;
    if (!inside) {
        setHovered(false);
        return;
    }
    if (wparam & MK_LBUTTON)
        return;
    // Asked to be told when the mouse leaves, without taking the capture from the children.
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd(), 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    setHovered(true);
}

void Box::onMouseLeave() {
    trackingLeave_ = false;
    setHovered(false);
}

intptr_t Box::onWheel(uintptr_t wparam, intptr_t lparam) {
    constexpr intptr_t kNotTaken = 1;
    if (wheelBusy_)
        return kNotTaken;
    POINT p{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    RECT r;
    GetWindowRect(hwnd(), &r);
    if (!PtInRect(&r, p))
        return kNotTaken;
    wheelBusy_ = true;
    intptr_t answer = kNotTaken;
    for (int32_t i = 0; i < childCount() && answer != 0; ++i) {
        IComponent* child = childAt(i);
        auto* h = static_cast<HWND>(child->nativeHandle());
        RECT cr;
        if (!h || !child->isVisible() || !child->isContainer() || !GetWindowRect(h, &cr) ||
            !PtInRect(&cr, p))
            continue;
        if (SendMessageW(h, WM_MOUSEWHEEL, wparam, lparam) == 0)
            answer = 0;
    }
    if (answer != 0 && !wheelListeners_.isEmpty()) {
        UINT lines = 3;
        SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        // The signed delta: the raw wparam of a 64-bit process is never negative.
        wheelLines_ = GET_WHEEL_DELTA_WPARAM(wparam) > 0 ? static_cast<int32_t>(lines)
                                                         : -static_cast<int32_t>(lines);
        wheelListeners_.fire(this, kWheel);
        answer = 0;
    } else if (answer != 0 && window_ && window_->nativeHandle()) {
        answer =
            SendMessageW(static_cast<HWND>(window_->nativeHandle()), WM_MOUSEWHEEL, wparam, lparam);
    }
    wheelBusy_ = false;
    return answer;
}

void Box::onDropFiles(void* dropHandle) {
    auto* drop = static_cast<HDROP>(dropHandle);
    {
        thread::Locked locked(lock_);
        droppedFiles_.clear();
        UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        str::strbuffer::StrBuffer path;
        for (UINT i = 0; i < count; ++i) {
            // Asked for the length first: paths longer than MAX_PATH arrive whole.
            UINT length = DragQueryFileW(drop, i, nullptr, 0);
            auto* buffer = new (std::nothrow) wchar_t[length + 1];
            if (!buffer)
                continue;
            UINT got = DragQueryFileW(drop, i, buffer, length + 1);
            droppedFiles_.addText(reinterpret_cast<const char16_t*>(buffer),
                                  static_cast<int32_t>(got));
            delete[] buffer;
        }
    }
    fileDropListeners_.fire(this, kFilesDropped);
    DragFinish(drop);
}

void Box::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    paintDC_ = dc;
    skipDefaultPaint_ = false;
    paintListeners_.fire(this, kPainting);
    if (!skipDefaultPaint_) {
        int saved = SaveDC(dc);
        for (int32_t i = 0; i < childCount(); ++i) {
            auto* h = static_cast<HWND>(childAt(i)->nativeHandle());
            RECT r;
            if (!h || !IsWindowVisible(h) || !GetWindowRect(h, &r))
                continue;
            MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
            ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
        }
        RECT client;
        GetClientRect(hwnd(), &client);
        bool hover = hoverColorSet_ && hovered_;
        if (!hover && backgroundImage_ && backgroundImage_->hasPixels()) {
            backgroundImage_->copyTo(dc, 0, 0, client.right, client.bottom, true);
        } else {
            HBRUSH brush = CreateSolidBrush(hover ? hoverColor_ : backgroundColor());
            FillRect(dc, &client, brush);
            DeleteObject(brush);
        }
        RestoreDC(dc, saved);
    }
    paintDC_ = nullptr;
    EndPaint(hwnd(), &ps);
}

bool Box::handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam, intptr_t lparam) {
    switch (message) {
        case msg::kDestroyControl:
            DestroyWindow(hwnd());
            result = 0;
            return true;
        case msg::kLinkDropped:
            droppedUrl_.setText(wparam ? reinterpret_cast<const char16_t*>(wparam) : u"");
            urlDropListeners_.fire(this, kUrlDropped);
            result = 0;
            return true;
        case msg::kAttach:
            if (wparam)
                reinterpret_cast<IComponent*>(wparam)->attach(this);
            result = 0;
            return true;
        case WM_DROPFILES:
            onDropFiles(reinterpret_cast<void*>(wparam));
            result = 0;
            return true;
        case WM_MOUSEMOVE:
            if (!mouseTransparent_)
                onMouseMove(lparam, wparam);
            return false;
        case WM_MOUSELEAVE:
            onMouseLeave();
            result = 0;
            return true;
        case WM_LBUTTONDOWN:
            if (clickListeners_.isEmpty())
                return false;
            clickListeners_.fire(this, kClicked);
            result = 1;
            return true;
        case WM_MOUSEWHEEL:
            result = onWheel(wparam, lparam);
            return true;
        case WM_PAINT:
            paint();
            result = 0;
            return true;
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
            if (item && item->hwndItem)
                result = SendMessageW(item->hwndItem, message, wparam, lparam);
            return true;
        }
        case WM_MEASUREITEM: {
            HWND item = GetDlgItem(hwnd(), static_cast<int>(wparam));
            if (item)
                result = SendMessageW(item, message, wparam, lparam);
            return true;
        }
        case WM_NCHITTEST:
            // Enabled buttons inside are child windows: they are hit-tested before the box.
            result = DefWindowProcW(hwnd(), message, wparam, lparam);
            if (mouseTransparent_ && result == HTCLIENT)
                result = HTTRANSPARENT;
            return true;
        case WM_GETDLGCODE:
            result = DefWindowProcW(hwnd(), message, wparam, lparam) | DLGC_WANTALLKEYS;
            return true;
        case WM_KEYDOWN:
            if (parent_ && parent_->nativeHandle()) {
                result = SendMessageW(static_cast<HWND>(parent_->nativeHandle()), message, wparam,
                                      lparam);
                return true;
            }
            return false;
        default:
            return false;
    }
}

void Box::afterMessage(intptr_t& /*result*/, uint32_t message, uintptr_t /*wparam*/,
                       intptr_t /*lparam*/) {
    if (message == WM_NCDESTROY)
        native_ = nullptr;
}

}  // namespace s::gui::win

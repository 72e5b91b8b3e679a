#include "gui/win/button.h"

#include <commctrl.h>
#include <windowsx.h>

#include "gui/drawer/i_skin.h"

namespace s::gui::win {

Button::~Button() {
    resetControl();
    releaseOwnDrawer();
}

void Button::reset() {
    resetControl();
    releaseOwnDrawer();
    drawer_ = nullptr;
    drawerChosen_ = false;
    logic_.resetState();
    trackingLeave_ = false;
    isDefault_ = false;
    flag3_ = flag4_ = false;
    percentWidth_ = percentHeight_ = -1;
    exactWidth_ = exactHeight_ = -1;
    clickListeners_.clear();
    toggleListeners_.clear();
    pressListeners_.clear();
}

void Button::releaseOwnDrawer() {
    if (drawer_ && drawerOwned_)
        drawer_->release();
    drawerOwned_ = false;
}

int32_t Button::minimumWidth() const {
    return exactWidth_ >= 0 ? exactWidth_ : minWidth_;
}

int32_t Button::minimumHeight() const {
    return exactHeight_ >= 0 ? exactHeight_ : minHeight_;
}

int32_t Button::maximumWidth() const {
    if (exactWidth_ >= 0)
        return exactWidth_;
    if (percentWidth_ >= 0 && parent_)
        return parent_->clientWidth() * percentWidth_ / 100;
    return maxWidth_ > minWidth_ ? maxWidth_ : minWidth_;
}

int32_t Button::maximumHeight() const {
    if (exactHeight_ >= 0)
        return exactHeight_;
    if (percentHeight_ >= 0 && parent_)
        return parent_->clientHeight() * percentHeight_ / 100;
    return maxHeight_ > minHeight_ ? maxHeight_ : minHeight_;
}

void Button::setExactWidth(int32_t width) {
    exactWidth_ = width;
    hintsChanged();
}

void Button::setExactHeight(int32_t height) {
    exactHeight_ = height;
    hintsChanged();
}

void Button::setDrawer(drawer::IButton* drawer, bool owned) {
    releaseOwnDrawer();
    drawer_ = drawer;
    drawerOwned_ = drawer && owned;
    drawerChosen_ = drawer != nullptr;
    redraw();
}

void Button::skinChanged() {
    if (drawerChosen_)
        return;
    drawer::ISkin* current = skin();
    drawer_ = current ? current->button() : nullptr;
}

void Button::setToggle(bool toggleMode, bool canRelease, bool flag3, bool flag4) {
    logic_.setToggle(toggleMode, canRelease);
    flag3_ = flag3;
    flag4_ = flag4;
}

void Button::setDown(bool on) {
    logic_.setDown(on);
}

void Button::makeDefault() {
    isDefault_ = true;
    if (hwnd())
        SendMessageW(hwnd(), kMakeDefault, 0, 0);
}

void Button::clearDefault() {
    isDefault_ = false;
    if (hwnd())
        SendMessageW(hwnd(), kClearDefault, 0, 0);
}

void Button::setColorSwatch(uint32_t r, uint32_t g, uint32_t b) {
    str::strbuffer::StrBuffer caption(u"#Color-");
    caption.appendHexU08(static_cast<uint8_t>(r));
    caption.appendHexU08(static_cast<uint8_t>(g));
    caption.appendHexU08(static_cast<uint8_t>(b));
    setText(caption.text());
}

HWND Button::createControl(HWND parent) {
    HWND made = CreateWindowExW(0, L"Button", L"",
                                WS_CHILD | WS_TABSTOP | BS_NOTIFY | (visible_ ? WS_VISIBLE : 0),
                                x_ + dx_, y_ + dy_, width_, height_, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)),
                                GetModuleHandleW(nullptr), nullptr);
    if (made)
        subclassControl(made, this);
    if (made && isDefault_)
        SendMessageW(made, kMakeDefault, 0, 0);
    return made;
}

void Button::measureText(int32_t& width, int32_t& height) {
    // What the platform's ideal size would be: the caption plus the button's padding.
    HDC dc = CreateCompatibleDC(nullptr);
    width = height = 0;
    if (!dc)
        return;
    HGDIOBJ before = SelectObject(dc, font_->handle());
    RECT r{0, 0, 0, 0};
    const char16_t* caption = text_.text();
    if (caption[0])
        DrawTextW(dc, wideText(caption), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    else
        DrawTextW(dc, L"X", 1, &r, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, before);
    DeleteDC(dc);
    width = r.right - r.left + 16;
    height = r.bottom - r.top + 10;
}

void Button::updateHints() {
    if (drawer_ && exactWidth_ >= 0 && exactHeight_ >= 0) {
        setMinimumSize(exactWidth_, exactHeight_);
        setMaximumSize(exactWidth_, exactHeight_);
        return;
    }
    SIZE ideal{0, 0};
    bool measured = hwnd() && SendMessageW(hwnd(), BCM_GETIDEALSIZE, 0,
                                           reinterpret_cast<LPARAM>(&ideal)) != FALSE;
    // Without the newer common controls the message fails (or answers nothing): the button
    // measures its caption itself, so it never asks for 0 x 0.
    // An owner-drawn button's ideal size can be smaller than its caption (Wine answers the
    // bare frame), so the caption's own measure is the floor.
    int32_t w = 0, h = 0;
    measureText(w, h);
    if (!measured || ideal.cx < w)
        ideal.cx = w;
    if (!measured || ideal.cy <= 0)
        ideal.cy = h;
    setMinimumSize(ideal.cx, ideal.cy);
    setMaximumSize(ideal.cx, ideal.cy);
}

void Button::startTimer(uint32_t id, uint32_t milliseconds) {
    if (hwnd())
        SetTimer(hwnd(), id, milliseconds, nullptr);
}

void Button::stopTimer(uint32_t id) {
    if (hwnd())
        KillTimer(hwnd(), id);
}

void Button::redraw() {
    if (hwnd())
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void Button::fireEvent(int32_t eventId) {
    switch (eventId) {
        case kClicked:
            clickListeners_.fire(this, kClicked);
            break;
        case kToggled:
            toggleListeners_.fire(this, kToggled);
            break;
        case kPressed:
            pressListeners_.fire(this, kPressed);
            break;
        default:
            break;
    }
}

bool Button::cursorInside() const {
    POINT p;
    RECT r;
    return hwnd() && GetCursorPos(&p) && GetWindowRect(hwnd(), &r) && PtInRect(&r, p);
}

bool Button::isResizer() const {
    return text_.equals(u"#Resizer");
}

void Button::paint() {
    paintBufferedWith(hwnd(), [this](HDC dc, int32_t w, int32_t h) {
        drawer::PaintState state;
        state.state = logic_.isDown() ? controls::ButtonLogic::kPressed : logic_.state();
        state.enabled = enabled_;
        state.checked = logic_.isDown();
        state.focused = GetFocus() == hwnd();
        state.text = text_.text();
        state.font = font_->handle();
        // The parent's background under the face: a disabled face stands unfilled on it.
        RECT all{0, 0, w, h};
        FillRect(dc, &all, brush_.get(backgroundColor()));
        drawer_->paint(dc, 0, 0, w, h, state);
    });
}

bool Button::handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam, intptr_t lparam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            logic_.press();
            if (isResizer()) {
                GetCursorPos(&dragOrigin_);
                HWND top = GetAncestor(hwnd(), GA_ROOT);
                GetWindowRect(top, &windowAtDrag_);
            }
            return false;
        case WM_LBUTTONUP:
            if (logic_.isMouseDown())
                logic_.release();
            return false;
        case WM_MOUSEMOVE: {
            const int32_t x = GET_X_LPARAM(lparam), y = GET_Y_LPARAM(lparam);
            const bool inside = x >= 0 && y >= 0 && x < width_ && y < height_;
            if (!trackingLeave_ && inside) {
                TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd(), 0};
                trackingLeave_ = TrackMouseEvent(&track) != FALSE;
            }
            logic_.move(inside, (wparam & MK_LBUTTON) != 0);
            if (isResizer()) {
                SetCursor(LoadCursorW(nullptr,
                                      inside || logic_.isMouseDown() ? IDC_SIZENWSE : IDC_ARROW));
                if (logic_.isMouseDown()) {
                    POINT p;
                    GetCursorPos(&p);
                    HWND top = GetAncestor(hwnd(), GA_ROOT);
                    SetWindowPos(top, nullptr, 0, 0,
                                 windowAtDrag_.right - windowAtDrag_.left + p.x - dragOrigin_.x,
                                 windowAtDrag_.bottom - windowAtDrag_.top + p.y - dragOrigin_.y,
                                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                }
            }
            return false;
        }
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            logic_.move(false, false);
            return false;
        case WM_TIMER:
            if (wparam == controls::ButtonLogic::kFirstRepeatTimer ||
                wparam == controls::ButtonLogic::kRepeatTimer) {
                logic_.timer(static_cast<uint32_t>(wparam), cursorInside());
                result = 0;
                return true;
            }
            return false;
        case msg::kReflectClicked:
            logic_.clicked(enabled_);
            result = 0;
            return true;
        case msg::kReflectDoubleClicked:
            logic_.press();
            logic_.clicked(enabled_);
            result = 0;
            return true;
        case WM_KEYDOWN:
            if (parent_ && parent_->nativeHandle() &&
                SendMessageW(static_cast<HWND>(parent_->nativeHandle()), message, wparam, lparam) ==
                    0) {
                result = 0;
                return true;
            }
            return false;
        case WM_MOUSEWHEEL:
            if (!cursorInside() && window_ && window_->nativeHandle())
                SendMessageW(static_cast<HWND>(window_->nativeHandle()), message, wparam, lparam);
            result = 0;
            return true;
        case msg::kReflectCtlColor: {
            HDC dc = reinterpret_cast<HDC>(wparam);
            SetTextColor(dc, font_->attributes().textColour());
            if (backgroundInherited_ && !parent_) {
                SetBkMode(dc, TRANSPARENT);
                result = reinterpret_cast<intptr_t>(GetStockObject(NULL_BRUSH));
                return true;
            }
            Color colour = backgroundColor();
            SetBkColor(dc, colour);
            result = reinterpret_cast<intptr_t>(brush_.get(colour));
            return true;
        }
        case WM_GETDLGCODE:
            result = DefSubclassProc(hwnd(), message, wparam, lparam) | DLGC_WANTALLKEYS;
            return true;
        case WM_PAINT:
            if (!drawer_)
                return false;
            paint();
            result = 0;
            return true;
        case WM_ERASEBKGND:
            if (!drawer_)
                return false;
            result = 1;
            return true;
        case kMakeDefault:
        case kClearDefault: {
            LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
            style = message == kMakeDefault ? (style | BS_DEFPUSHBUTTON)
                                            : (style & ~static_cast<LONG_PTR>(BS_DEFPUSHBUTTON));
            SetWindowLongPtrW(hwnd(), GWL_STYLE, style);
            InvalidateRect(hwnd(), nullptr, TRUE);
            result = 0;
            return true;
        }
        default:
            return ControlOf::handleMessage(result, message, wparam, lparam);
    }
}

void Button::afterMessage(intptr_t& result, uint32_t message, uintptr_t wparam, intptr_t lparam) {
    ControlOf::afterMessage(result, message, wparam, lparam);
    if (!drawer_ || !hwnd())
        return;
    // The platform button paints its own state on these without a paint message: the
    // skin's painting goes over it at once.
    switch (message) {
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_CAPTURECHANGED:
        case BM_SETSTATE:
        case BM_SETCHECK:
        case BM_SETSTYLE:
            InvalidateRect(hwnd(), nullptr, FALSE);
            UpdateWindow(hwnd());
            break;
        default:
            break;
    }
}

}  // namespace s::gui::win

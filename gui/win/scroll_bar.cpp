#include "gui/win/scroll_bar.h"

#include <windowsx.h>

#include "gui/drawer/palette.h"
#include "image/i_image.h"

namespace s::gui::win {
namespace {

void fillRect(HDC dc, int32_t l, int32_t t, int32_t r, int32_t b, COLORREF colour) {
    RECT rect{l, t, r, b};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

}  // namespace

ScrollBar::~ScrollBar() {
    resetControl();
}

void ScrollBar::reset() {
    resetControl();
    info_ = controls::ScrollInfo();
    drawer_ = nullptr;
    vertical_ = true;
    dragging_ = false;
    grab_ = 0;
    listeners_.clear();
}

HWND ScrollBar::createControl(HWND parent) {
    return createToolkitWindow(0, L"", WS_CHILD | (visible_ ? WS_VISIBLE : 0), x_ + dx_, y_ + dy_,
                               width_, height_, parent, this);
}

void ScrollBar::skinChanged() {
    drawer::ISkin* current = skin();
    drawer_ = current ? current->scrollBar() : nullptr;
    hintsChanged();
}

void ScrollBar::setVertical(bool on) {
    vertical_ = on;
    hintsChanged();
}

void ScrollBar::updateHints() {
    const int32_t thickness =
        drawer_ && drawer_->width() > 0 ? drawer_->width() : drawer::kScrollBarWidth;
    if (vertical_) {
        setMinimumSize(thickness, 3 * controls::ScrollInfo::kMinimumThumb);
        setMaximumSize(thickness, 10000);
    } else {
        setMinimumSize(3 * controls::ScrollInfo::kMinimumThumb, thickness);
        setMaximumSize(10000, thickness);
    }
}

void ScrollBar::update() {
    if (hwnd())
        InvalidateRect(hwnd(), nullptr, FALSE);
}

void ScrollBar::moved(bool changed) {
    if (!changed)
        return;
    update();
    listeners_.fire(this, kScrolled);
}

void ScrollBar::paint(HDC dc, int32_t w, int32_t h) {
    if (drawer_) {
        drawer::PaintState state;
        state.vertical = vertical_;
        state.enabled = enabled_;
        state.state = dragging_ ? 2 : 0;
        state.minimum = info_.minimum();
        state.maximum = info_.maximum();
        state.page = info_.page();
        state.value = info_.position();
        drawer_->paintBackground(dc, 0, 0, w, h);
        drawer_->paint(dc, 0, 0, w, h, state);
        return;
    }
    fillRect(dc, 0, 0, w, h, GetSysColor(COLOR_SCROLLBAR));
    int32_t start = 0, size = 0;
    info_.thumb(vertical_ ? h : w, start, size);
    if (vertical_)
        fillRect(dc, 1, start, w - 1, start + size, GetSysColor(COLOR_BTNSHADOW));
    else
        fillRect(dc, start, 1, start + size, h - 1, GetSysColor(COLOR_BTNSHADOW));
}

bool ScrollBar::handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                              intptr_t lparam) {
    switch (message) {
        case WM_PAINT:
            paintBufferedWith(hwnd(), [this](HDC dc, int32_t w, int32_t h) { paint(dc, w, h); });
            result = 0;
            return true;
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_LBUTTONDOWN: {
            const int32_t at = vertical_ ? GET_Y_LPARAM(lparam) : GET_X_LPARAM(lparam);
            int32_t start = 0, size = 0;
            info_.thumb(trackLength(), start, size);
            if (at >= start && at < start + size) {
                dragging_ = true;
                grab_ = at - start;
                SetCapture(hwnd());
                update();
            } else {
                const int32_t step = info_.page() > 0 ? info_.page() : 1;
                moved(info_.scrollBy(at < start ? -step : step));
            }
            result = 0;
            return true;
        }
        case WM_MOUSEMOVE:
            if (dragging_) {
                const int32_t at = vertical_ ? GET_Y_LPARAM(lparam) : GET_X_LPARAM(lparam);
                moved(info_.setPosition(info_.positionAtThumb(at - grab_, trackLength())));
            }
            result = 0;
            return true;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (dragging_) {
                dragging_ = false;
                if (message == WM_LBUTTONUP && GetCapture() == hwnd())
                    ReleaseCapture();
                update();
            }
            result = 0;
            return true;
        default:
            return ControlOf::handleMessage(result, message, wparam, lparam);
    }
}

Image::~Image() {
    resetControl();
    dropPicture();
}

void Image::reset() {
    resetControl();
    dropPicture();
    scaled_ = false;
}

void Image::dropPicture() {
    if (picture_ && owned_)
        picture_->release();
    picture_ = nullptr;
    owned_ = false;
}

HWND Image::createControl(HWND parent) {
    return createToolkitWindow(0, L"", WS_CHILD | (visible_ ? WS_VISIBLE : 0), x_ + dx_, y_ + dy_,
                               width_, height_, parent, this);
}

void Image::setPicture(image::IImage* picture, bool owned) {
    if (picture != picture_)
        dropPicture();
    picture_ = picture;
    owned_ = picture && owned;
    hintsChanged();
    if (hwnd())
        InvalidateRect(hwnd(), nullptr, FALSE);
}

void Image::setScaled(bool on) {
    scaled_ = on;
    hintsChanged();
}

void Image::updateHints() {
    const int32_t w = picture_ ? picture_->width() : 0;
    const int32_t h = picture_ ? picture_->height() : 0;
    setMinimumSize(scaled_ ? 0 : w, scaled_ ? 0 : h);
    setMaximumSize(scaled_ ? 10000 : w, scaled_ ? 10000 : h);
}

bool Image::handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam, intptr_t lparam) {
    switch (message) {
        case WM_PAINT:
            paintBufferedWith(hwnd(), [this](HDC dc, int32_t w, int32_t h) {
                fillRect(dc, 0, 0, w, h, backgroundColor());
                if (picture_)
                    picture_->copyTo(dc, 0, 0, w, h, scaled_);
            });
            result = 0;
            return true;
        case WM_ERASEBKGND:
            result = 1;
            return true;
        default:
            return ControlOf::handleMessage(result, message, wparam, lparam);
    }
}

}  // namespace s::gui::win

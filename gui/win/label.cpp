#include "gui/win/label.h"

#include <shellapi.h>
#include <windowsx.h>

namespace s::gui::win {
namespace {

constexpr UINT kTextFormat = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;

}  // namespace

Label::~Label() {
    resetControl();
}

void Label::reset() {
    resetControl();
    cache_.clear();
    clickListeners_.clear();
    linkTarget_.freeStorage();
    link_ = false;
    pressed_ = false;
    alignment_ = 0;
    linksOpened_ = 0;
}

HWND Label::createControl(HWND parent) {
    return createToolkitWindow(0, L"", WS_CHILD | (visible_ ? WS_VISIBLE : 0), x_ + dx_, y_ + dy_,
                               width_, height_, parent, this);
}

void Label::setLink(bool on) {
    link_ = on;
    // A link shows underlined; its state fonts carry the first font flag.
    changeFont([on](Font& f) {
        f.setUnderline(on);
        f.setFlag1(on);
    });
}

void Label::setAlignment(int32_t alignment) {
    alignment_ = alignment < 0 || alignment > 2 ? 0 : alignment;
    if (hwnd())
        InvalidateRect(hwnd(), nullptr, FALSE);
}

void Label::measure(int32_t width, int32_t& outWidth, int32_t& outHeight) {
    outWidth = outHeight = 0;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return;
    HGDIOBJ before = SelectObject(dc, font_->handle());
    const char16_t* text = text_.text();
    RECT r{0, 0, width < 0 ? 0 : width, 0};
    UINT format = DT_CALCRECT | kTextFormat | (width < 0 ? DT_SINGLELINE : 0);
    if (text[0]) {
        DrawTextW(dc, wideText(text), -1, &r, format);
    } else {
        DrawTextW(dc, L" ", 1, &r, format | DT_SINGLELINE);
        r.right = 0;
    }
    SelectObject(dc, before);
    DeleteDC(dc);
    outWidth = r.right - r.left;
    outHeight = r.bottom - r.top;
}

void Label::updateHints() {
    cache_.clear();
    int32_t lineWidth = 0, lineHeight = 0;
    measure(-1, lineWidth, lineHeight);
    // The narrowest it can wrap to: its longest word.
    int32_t narrowWidth = 0, narrowHeight = 0;
    measure(1, narrowWidth, narrowHeight);
    if (narrowWidth > lineWidth)
        narrowWidth = lineWidth;
    setMinimumSize(narrowWidth, lineHeight);
    setMaximumSize(lineWidth, narrowHeight > lineHeight ? narrowHeight : lineHeight);
}

void Label::fontChanged() {
    cache_.clear();
    ControlOf::fontChanged();
}

void Label::resizeClamped(int32_t width, int32_t /*height*/) {
    width = clampToLimits(width, minimumWidth(), maximumWidth());
    int32_t w = 0, h = 0;
    if (!cache_.lookup(width, w, h)) {
        measure(width, w, h);
        cache_.store(width, w, h);
    }
    resize(w, h);
}

COLORREF Label::textColour() const {
    if (!enabled_)
        return GetSysColor(COLOR_GRAYTEXT);
    if (link_ && !font_->attributes().isSet(font::FontAttributes::kTextColour))
        return RGB(0, 102, 204);
    return captionColour(font_->attributes().textColour());
}

void Label::paint() {
    paintBufferedWith(hwnd(), [this](HDC dc, int32_t w, int32_t h) {
        RECT r{0, 0, w, h};
        HBRUSH brush = CreateSolidBrush(backgroundColor());
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        HGDIOBJ before = SelectObject(dc, font_->handle());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, textColour());
        UINT align = alignment_ == 1 ? DT_CENTER : alignment_ == 2 ? DT_RIGHT : DT_LEFT;
        DrawTextW(dc, wideText(text_.text()), -1, &r, kTextFormat | align);
        SelectObject(dc, before);
    });
}

bool Label::handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam, intptr_t lparam) {
    switch (message) {
        case WM_PAINT:
            paint();
            result = 0;
            return true;
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_SETTEXT:
            InvalidateRect(hwnd(), nullptr, FALSE);
            return false;
        case WM_LBUTTONDOWN:
            pressed_ = true;
            SetCapture(hwnd());
            result = 0;
            return true;
        case WM_LBUTTONUP: {
            const bool wasPressed = pressed_;
            pressed_ = false;
            if (GetCapture() == hwnd())
                ReleaseCapture();
            const int32_t x = GET_X_LPARAM(lparam), y = GET_Y_LPARAM(lparam);
            if (wasPressed && x >= 0 && y >= 0 && x < width_ && y < height_) {
                if (link_ && !linkTarget_.isEmpty()) {
                    SHELLEXECUTEINFOW info{};
                    info.cbSize = sizeof(info);
                    info.fMask = SEE_MASK_NOASYNC;
                    info.lpVerb = L"open";
                    info.lpFile = wideText(linkTarget_.text());
                    info.nShow = SW_SHOWNORMAL;
                    ShellExecuteExW(&info);
                    ++linksOpened_;
                }
                clickListeners_.fire(this, kClicked);
            }
            result = 0;
            return true;
        }
        case WM_SETCURSOR:
            if (!link_)
                return false;
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            result = TRUE;
            return true;
        default:
            return ControlOf::handleMessage(result, message, wparam, lparam);
    }
}

}  // namespace s::gui::win

#include "gui/win/range_controls.h"

#include <commctrl.h>

namespace s::gui::win {

Slider::~Slider() {
    resetControl();
}

void Slider::reset() {
    resetControl();
    minimum_ = 0;
    maximum_ = 100;
    position_ = 0;
    secondThumb_ = false;
    second_ = 1;
    listeners_.clear();
}

HWND Slider::createControl(HWND parent) {
    HWND made = CreateWindowExW(
        0, TRACKBAR_CLASSW, L"",
        WS_CHILD | WS_TABSTOP | TBS_HORZ | TBS_NOTICKS | (visible_ ? WS_VISIBLE : 0), x_ + dx_,
        y_ + dy_, width_, height_, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (made)
        subclassControl(made, this);
    return made;
}

void Slider::pushToNative() {
    if (!hwnd())
        return;
    SendMessageW(hwnd(), TBM_SETRANGEMIN, FALSE, minimum_);
    SendMessageW(hwnd(), TBM_SETRANGEMAX, FALSE, maximum_);
    SendMessageW(hwnd(), TBM_SETPOS, TRUE, position_);
    if (secondThumb_)
        SendMessageW(hwnd(), TBM_SETSEL, TRUE, MAKELPARAM(position_, second_));
}

void Slider::setRange(int32_t minimum, int32_t maximum) {
    minimum_ = minimum < maximum ? minimum : maximum;
    maximum_ = minimum < maximum ? maximum : minimum;
    setPosition(position_);
}

void Slider::setPosition(int32_t position) {
    position_ = position < minimum_ ? minimum_ : (position > maximum_ ? maximum_ : position);
    if (secondThumb_ && second_ < position_ + 1)
        second_ = position_ + 1;
    pushToNative();
}

void Slider::setSecondThumb(bool on) {
    secondThumb_ = on;
    setPosition(position_);
}

void Slider::setSecondPosition(int32_t position) {
    second_ = position < position_ + 1 ? position_ + 1 : position;
    pushToNative();
}

void Slider::updateHints() {
    setMinimumSize(60, 26);
    setMaximumSize(4000, 26);
}

bool Slider::handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam, intptr_t lparam) {
    if (message == WM_HSCROLL) {
        const int32_t now = static_cast<int32_t>(SendMessageW(hwnd(), TBM_GETPOS, 0, 0));
        if (now != position_) {
            position_ = now;
            if (secondThumb_ && second_ < position_ + 1)
                second_ = position_ + 1;
            listeners_.fire(this, kPositionChanged);
        }
        result = 0;
        return true;
    }
    return ControlOf::handleMessage(result, message, wparam, lparam);
}

ProgressBar::~ProgressBar() {
    resetControl();
}

void ProgressBar::reset() {
    resetControl();
    minimum_ = 0;
    maximum_ = 100;
    position_ = 0;
}

HWND ProgressBar::createControl(HWND parent) {
    HWND made = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | (visible_ ? WS_VISIBLE : 0),
                                x_ + dx_, y_ + dy_, width_, height_, parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (!made)
        return nullptr;
    subclassControl(made, this);
    SendMessageW(made, PBM_SETRANGE32, static_cast<WPARAM>(minimum_), maximum_);
    SendMessageW(made, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
    return made;
}

void ProgressBar::setRange(int32_t minimum, int32_t maximum) {
    minimum_ = minimum < maximum ? minimum : maximum;
    maximum_ = minimum < maximum ? maximum : minimum;
    if (hwnd())
        SendMessageW(hwnd(), PBM_SETRANGE32, static_cast<WPARAM>(minimum_), maximum_);
    setPosition(position_);
}

void ProgressBar::setPosition(int32_t position) {
    position_ = position < minimum_ ? minimum_ : (position > maximum_ ? maximum_ : position);
    if (hwnd())
        SendMessageW(hwnd(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void ProgressBar::updateHints() {
    setMinimumSize(40, 16);
    setMaximumSize(4000, 16);
}

}  // namespace s::gui::win

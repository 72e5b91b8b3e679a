#include "gui/win/native_container.h"

#include "gui/i_window.h"
#include "gui/win/control.h"
#include "gui/win/messages.h"

namespace s::gui::win {

NativeContainer::~NativeContainer() {
    if (font_)
        font_->release();
}

void NativeContainer::resetContainer() {
    resetBox();
    font_->reset();
}

drawer::ISkin* NativeContainer::skin() const {
    drawer::Skinner* skinner = window_ ? window_->skinner() : nullptr;
    return skinner ? skinner->currentSkin() : nullptr;
}

void NativeContainer::onEvent(base::IObject* source, int32_t /*eventId*/) {
    if (source && window_ && source == static_cast<base::IObject*>(window_->skinner())) {
        skinChanged();
        redraw();
    }
}

void NativeContainer::redraw() {
    if (hwnd())
        RedrawWindow(hwnd(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void NativeContainer::createNative() {
    auto* parentHwnd = parent_ ? static_cast<HWND>(parent_->nativeHandle()) : nullptr;
    if (!parentHwnd || native_)
        return;
    skinChanged();
    native_ = createToolkitWindow(WS_EX_CONTROLPARENT, L"",
                                  WS_CHILD | WS_CLIPSIBLINGS | (visible_ ? WS_VISIBLE : 0),
                                  x_ + dx_, y_ + dy_, width_, height_, parentHwnd, this);
    if (!native_)
        reportCreationFailure();
}

void NativeContainer::destroyNative() {
    if (!hwnd())
        return;
    SendMessageW(hwnd(), msg::kDestroyControl, 0, 0);
    native_ = nullptr;
}

void NativeContainer::placeNative(uint32_t what) {
    if (!hwnd())
        return;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (visible_ ? SWP_SHOWWINDOW : 0);
    if (!(what & kPlaceMove))
        flags |= SWP_NOMOVE;
    if (!(what & kPlaceSize))
        flags |= SWP_NOSIZE;
    SetWindowPos(hwnd(), nullptr, x_ + dx_, y_ + dy_, width_, height_, flags);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void NativeContainer::attachChildNow(IComponent* child) {
    if (hwnd())
        SendMessageW(hwnd(), msg::kAttach, reinterpret_cast<WPARAM>(child), 0);
}

void NativeContainer::showNative(bool show) {
    if (hwnd())
        ShowWindow(hwnd(), show ? SW_SHOWNA : SW_HIDE);
}

bool NativeContainer::handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                                    intptr_t lparam) {
    switch (message) {
        case msg::kDestroyControl:
            DestroyWindow(hwnd());
            result = 0;
            return true;
        case msg::kAttach:
            if (wparam)
                reinterpret_cast<IComponent*>(wparam)->attach(this);
            result = 0;
            return true;
        case WM_PAINT:
            paintBufferedWith(hwnd(),
                              [this](HDC dc, int32_t w, int32_t h) { paintContent(dc, w, h); });
            result = 0;
            return true;
        case WM_ERASEBKGND:
            result = 1;
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

void NativeContainer::afterMessage(intptr_t& /*result*/, uint32_t message, uintptr_t /*wparam*/,
                                   intptr_t /*lparam*/) {
    if (message == WM_NCDESTROY)
        native_ = nullptr;
}

}  // namespace s::gui::win

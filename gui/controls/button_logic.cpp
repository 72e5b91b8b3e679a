#include "gui/controls/button_logic.h"

namespace s::gui::controls {

void ButtonLogic::press() {
    mouseDown_ = true;
    state_ = kPressed;
    host_.fireEvent(kPress);
    if (autoRepeat_)
        host_.startTimer(kFirstRepeatTimer, kFirstRepeatMs);
}

void ButtonLogic::timer(uint32_t id, bool inside) {
    if (!mouseDown_ || !inside)
        return;
    if (id == kFirstRepeatTimer) {
        host_.stopTimer(kFirstRepeatTimer);
        host_.startTimer(kRepeatTimer, kRepeatMs);
        host_.fireEvent(kPress);
    } else if (id == kRepeatTimer) {
        host_.fireEvent(kPress);
    }
}

void ButtonLogic::release() {
    host_.stopTimer(kFirstRepeatTimer);
    host_.stopTimer(kRepeatTimer);
    state_ = kNormal;
    mouseDown_ = false;
    host_.redraw();
}

void ButtonLogic::move(bool inside, bool buttonHeld) {
    int32_t before = state_;
    if (mouseDown_)
        state_ = inside ? kPressed : kNormal;
    else
        state_ = inside && !buttonHeld ? kHovered : kNormal;
    if (state_ != before)
        host_.redraw();
}

void ButtonLogic::clicked(bool enabled) {
    host_.fireEvent(kClicked);
    if (toggleMode_ && enabled && !(down_ && !canRelease_)) {
        down_ = !down_;
        host_.redraw();
    }
    host_.fireEvent(kToggled);
}

bool ButtonLogic::setDown(bool on) {
    if (down_ == on)
        return false;
    down_ = on;
    host_.redraw();
    return true;
}

void ButtonLogic::resetState() {
    state_ = kNormal;
    mouseDown_ = false;
    autoRepeat_ = false;
    toggleMode_ = false;
    canRelease_ = true;
    down_ = false;
}

}  // namespace s::gui::controls

#pragma once

#include <cstdint>

namespace s::gui::controls {

// What a button's logic asks of its platform side.
class IButtonHost {
public:
    virtual ~IButtonHost() = default;
    virtual void startTimer(uint32_t id, uint32_t milliseconds) = 0;
    virtual void stopTimer(uint32_t id) = 0;
    virtual void redraw() = 0;
    // Event 1 clicked, 2 toggled (after the toggle state changed), 3 pressed.
    virtual void fireEvent(int32_t eventId) = 0;
};

// A button's state without a platform: hover and press states, toggling with or without
// release, and auto-repeat (press at once, again when the 500 ms timer ends, then at every
// 100 ms tick, while the cursor stays on the button). The button's window thread.
class ButtonLogic {
public:
    enum State : int32_t { kNormal = 0, kHovered = 1, kPressed = 2 };
    enum Event : int32_t { kClicked = 1, kToggled = 2, kPress = 3 };
    static constexpr uint32_t kFirstRepeatTimer = 20001;
    static constexpr uint32_t kRepeatTimer = 20002;
    static constexpr uint32_t kFirstRepeatMs = 500;
    static constexpr uint32_t kRepeatMs = 100;

    explicit ButtonLogic(IButtonHost& host) : host_(host) {}
    ButtonLogic(const ButtonLogic&) = delete;
    ButtonLogic& operator=(const ButtonLogic&) = delete;

    void press();
    // A timer of the button elapsed; the cursor is `inside` the button or not.
    void timer(uint32_t id, bool inside);
    void release();
    // Mouse moved; `buttonHeld` is the left button's state.
    void move(bool inside, bool buttonHeld);
    // The native click: event 1, the toggle (when enabled), event 2.
    void clicked(bool enabled);

    void setAutoRepeat(bool on) { autoRepeat_ = on; }
    bool autoRepeat() const { return autoRepeat_; }
    void setToggle(bool toggleMode, bool canRelease) {
        toggleMode_ = toggleMode;
        canRelease_ = canRelease;
    }
    bool toggleMode() const { return toggleMode_; }
    bool canRelease() const { return canRelease_; }
    bool isDown() const { return down_; }
    // True when the state changed (the platform redraws).
    bool setDown(bool on);
    int32_t state() const { return state_; }
    bool isMouseDown() const { return mouseDown_; }
    void resetState();

private:
    IButtonHost& host_;
    int32_t state_ = kNormal;
    bool mouseDown_ = false;
    bool autoRepeat_ = false;
    bool toggleMode_ = false;
    bool canRelease_ = true;
    bool down_ = false;
};

}  // namespace s::gui::controls

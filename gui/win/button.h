#pragma once

#include <windows.h>

#include <cstdint>

#include "base/pool.h"
#include "gui/controls/button_logic.h"
#include "gui/drawer/i_drawer.h"
#include "gui/listener_list.h"
#include "gui/win/control.h"

namespace s::gui::win {

// A push button painted by the skin's button drawer: captions starting with "#" are glyphs
// ("#Close", "#Color-..." swatches, "#Resizer" the grip that resizes its window), toggles
// with or without release, auto-repeat while held. Hover is followed with leave tracking,
// never by taking the mouse. The containing window's thread.
class Button final : public thread::Pooled<Button, ControlOf<IComponent>>,
                     private controls::IButtonHost {
public:
    static constexpr int32_t kPoolCapacity = 0;
    static constexpr int32_t kControlId = 1000;
    enum Event : int32_t { kClicked = 1, kToggled = 2, kPressed = 3 };
    static constexpr uint32_t kMakeDefault = 1025;
    static constexpr uint32_t kClearDefault = 1026;

    Button() = default;
    ~Button() override;

    const char16_t* className() const override { return u"s_gui_win_Button"; }
    Button* newInstance() const override { return take(); }
    void reset() override;

    int32_t minimumWidth() const override;
    int32_t minimumHeight() const override;
    int32_t maximumWidth() const override;
    int32_t maximumHeight() const override;
    void setPercentWidth(int32_t percent) { percentWidth_ = percent; }
    void setPercentHeight(int32_t percent) { percentHeight_ = percent; }
    void setExactWidth(int32_t width);
    void setExactHeight(int32_t height);
    void setFillParent() { percentWidth_ = percentHeight_ = 100; }

    void addClickListener(events::IEventListener* l) { clickListeners_.add(l); }
    void addToggleListener(events::IEventListener* l) { toggleListeners_.add(l); }
    void addPressListener(events::IEventListener* l) { pressListeners_.add(l); }
    void addActionListener(events::IEventListener* l) override { addClickListener(l); }
    void setAutoRepeat(bool on) { logic_.setAutoRepeat(on); }
    // Owned when `owned`; none: the skin's drawer (or native painting without a skin).
    void setDrawer(drawer::IButton* drawer, bool owned);
    drawer::IButton* drawer() const { return drawer_; }
    void setToggle(bool toggleMode, bool canRelease, bool flag3 = false, bool flag4 = false);
    bool canRelease() const { return logic_.canRelease(); }
    bool isDown() const { return logic_.isDown(); }
    void setDown(bool on);
    int32_t state() const { return logic_.state(); }
    void makeDefault();
    void clearDefault();
    bool isDefault() const { return isDefault_; }
    // The caption "#Color-RRGGBB" that the drawer paints as a swatch.
    void setColorSwatch(uint32_t r, uint32_t g, uint32_t b);

    bool handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                       intptr_t lparam) override;
    void afterMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                      intptr_t lparam) override;

protected:
    HWND createControl(HWND parent) override;
    void updateHints() override;
    void skinChanged() override;

private:
    void startTimer(uint32_t id, uint32_t milliseconds) override;
    void stopTimer(uint32_t id) override;
    void redraw() override;
    void fireEvent(int32_t eventId) override;
    bool cursorInside() const;
    bool isResizer() const;
    void paint();
    void releaseOwnDrawer();
    void measureText(int32_t& width, int32_t& height);

    controls::ButtonLogic logic_{*this};
    drawer::IButton* drawer_ = nullptr;
    bool drawerOwned_ = false;
    bool drawerChosen_ = false;  // set by setDrawer: the skin's changes leave it alone
    bool trackingLeave_ = false;
    bool isDefault_ = false;
    bool flag3_ = false, flag4_ = false;
    int32_t percentWidth_ = -1, percentHeight_ = -1;
    int32_t exactWidth_ = -1, exactHeight_ = -1;
    POINT dragOrigin_{0, 0};
    RECT windowAtDrag_{0, 0, 0, 0};
    ListenerList clickListeners_, toggleListeners_, pressListeners_;
    SolidBrush brush_;
};

}  // namespace s::gui::win

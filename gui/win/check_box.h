#pragma once

#include <windows.h>

#include <cstdint>

#include "base/pool.h"
#include "gui/listener_list.h"
#include "gui/win/control.h"

namespace s::gui::win {

// The platform's automatic check box or radio button. The caption shows every "&" as it is
// typed. Check events follow the native check state (every BM_SETCHECK that changes it,
// the user's clicks included) while check events are on (the default). The containing
// window's thread.
class CheckControl : public ControlOf<IComponent> {
public:
    bool isChecked() const { return checked_; }
    void setChecked(bool on);
    // Check events on or off.
    void setCheckEvents(bool on) { checkEvents_ = on; }
    void setMultiLine(bool on) { multiLine_ = on; }
    void addEnableListener(events::IEventListener* l) { enableListeners_.add(l); }
    void addDisableListener(events::IEventListener* l) { disableListeners_.add(l); }

    int32_t minimumWidth() const override { return minWidth_; }
    int32_t maximumWidth() const override { return maxWidth_; }

    bool handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                       intptr_t lparam) override;
    void afterMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                      intptr_t lparam) override;

protected:
    CheckControl(DWORD buttonStyle, int32_t controlId)
        : buttonStyle_(buttonStyle), controlId_(controlId) {}
    HWND createControl(HWND parent) override;
    void updateHints() override;
    void enabledChanged() override;
    const wchar_t* nativeCaption() override;
    void resetCheck();
    // The check state changed to `on`.
    virtual void checkChanged(bool on) = 0;
    // The skin's drawer of the control's kind.
    virtual drawer::IDrawer* drawerOf(drawer::ISkin& skin) const = 0;
    void skinChanged() override;

    ListenerList enableListeners_, disableListeners_;

private:
    DWORD buttonStyle_;
    int32_t controlId_;
    bool checked_ = false;
    bool checkEvents_ = true;
    bool multiLine_ = false;
    str::strbuffer::StrBuffer shown_;
    SolidBrush brush_;
    drawer::IDrawer* drawer_ = nullptr;  // the skin's; none: the platform paints
};

class CheckBox final : public thread::Pooled<CheckBox, CheckControl> {
public:
    static constexpr int32_t kPoolCapacity = 0;
    enum Event : int32_t { kChecked = 1, kUnchecked = 2 };

    CheckBox() : Pooled(BS_AUTOCHECKBOX, 0) {}
    ~CheckBox() override { resetCheck(); }
    const char16_t* className() const override { return u"s_gui_win_CheckBox"; }
    CheckBox* newInstance() const override { return take(); }
    void reset() override;
    // Both events go to these listeners.
    void addCheckListener(events::IEventListener* l) { checkListeners_.add(l); }
    void addActionListener(events::IEventListener* l) override { addCheckListener(l); }

protected:
    void checkChanged(bool on) override;
    drawer::IDrawer* drawerOf(drawer::ISkin& skin) const override { return skin.checkBox(); }

private:
    ListenerList checkListeners_;
};

class RadioButton final : public thread::Pooled<RadioButton, CheckControl> {
public:
    static constexpr int32_t kPoolCapacity = 0;
    static constexpr int32_t kControlId = 1003;

    RadioButton() : Pooled(BS_AUTORADIOBUTTON, kControlId) {}
    ~RadioButton() override { resetCheck(); }
    const char16_t* className() const override { return u"s_gui_win_RadioButton"; }
    RadioButton* newInstance() const override { return take(); }
    void reset() override;
    void addCheckedListener(events::IEventListener* l) { checkedListeners_.add(l); }
    void addUncheckedListener(events::IEventListener* l) { uncheckedListeners_.add(l); }
    void addActionListener(events::IEventListener* l) override { addCheckedListener(l); }

protected:
    void checkChanged(bool on) override;
    drawer::IDrawer* drawerOf(drawer::ISkin& skin) const override { return skin.radioButton(); }

private:
    ListenerList checkedListeners_, uncheckedListeners_;
};

}  // namespace s::gui::win

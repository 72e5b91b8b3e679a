#pragma once

#include <windows.h>

#include <cstdint>

#include "base/pool.h"
#include "gui/i_editable.h"
#include "gui/listener_list.h"
#include "gui/win/control.h"

namespace s::gui::win {

// The platform's single-line edit field. The containing window's thread.
class TextField final : public thread::Pooled<TextField, ControlOf<IComponent>>, public IEditable {
public:
    static constexpr int32_t kPoolCapacity = 0;
    enum Event : int32_t { kTextChanged = 1, kReturnPressed = 2, kFocusLost = 3 };
    static constexpr uint32_t kSelectAll = 1025;

    TextField() = default;
    ~TextField() override;

    const char16_t* className() const override { return u"s_gui_win_TextField"; }
    TextField* newInstance() const override { return take(); }
    void reset() override;

    // What the field holds now (the user's typing included).
    const char16_t* text();
    void setEditable(bool on) override;
    bool isEditable() const override { return editable_; }
    void setChangeNotification(bool on) { notifyChanges_ = on; }
    // Focus, everything selected, the caret scrolled into view.
    void selectAll();
    void addChangeListener(events::IEventListener* l) { changeListeners_.add(l); }
    void addReturnListener(events::IEventListener* l) { returnListeners_.add(l); }
    void addFocusLostListener(events::IEventListener* l) { focusListeners_.add(l); }
    void addActionListener(events::IEventListener* l) override { addReturnListener(l); }

    bool handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                       intptr_t lparam) override;

protected:
    HWND createControl(HWND parent) override;
    void updateHints() override;
    void afterCreate() override { quiet_ = false; }

private:
    ListenerList changeListeners_, returnListeners_, focusListeners_;
    bool editable_ = true;
    bool notifyChanges_ = true;
    bool quiet_ = false;  // the text set while the native field is made is no change
};

}  // namespace s::gui::win

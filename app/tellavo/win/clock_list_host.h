#pragma once

#include <windows.h>

#include <memory>

#include "base/pool.h"
#include "gui/component.h"

namespace s::gui::win {
class ListBox2;
class ListView;
}  // namespace s::gui::win

namespace s::time::gui::dialogs::tellavo {

// Places a clock list in a layout: a component whose native control is the list's platform
// view (the list view with its skinned header and scroll bar). It stretches in both
// directions and follows the window's skin. The containing window's thread.
class ClockListHost final : public thread::Pooled<ClockListHost, s::gui::Component> {
public:
    ClockListHost();
    ~ClockListHost() override;
    const char16_t* className() const override {
        return u"s_time_gui_dialogs_tellavo_ClockListHost";
    }
    ClockListHost* newInstance() const override { return take(); }
    void reset() override;

    // The list shown (not owned); set before the host is added to its parent.
    void setList(s::gui::win::ListBox2* list) { list_ = list; }
    s::gui::win::ListBox2* list() const { return list_; }
    s::gui::win::ListView* view() const { return view_.get(); }

    void onEvent(base::IObject* source, int32_t eventId) override;

private:
    void createNative() override;
    void destroyNative() override;
    void placeNative(uint32_t what) override;
    void applySkin();

    s::gui::win::ListBox2* list_ = nullptr;  // not owned
    std::unique_ptr<s::gui::win::ListView> view_;
};

}  // namespace s::time::gui::dialogs::tellavo

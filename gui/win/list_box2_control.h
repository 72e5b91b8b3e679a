#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "base/pool.h"
#include "gui/win/control.h"
#include "gui/win/list_box2.h"
#include "gui/win/list_view.h"

namespace s::gui::win {

// Places a ListBox2 in a window as a component: when attached to a parent with a native
// window it creates the list view (with every column and row the model has), takes the
// skin's list-box, header and scroll-bar drawers and follows skin changes; detached, the
// view goes and the model stays, so a later placement shows it again. The list itself is
// not owned. The containing window's thread, except what ListBox2 hands over itself.
class ListBox2Control final : public thread::Pooled<ListBox2Control, ControlOf<IComponent>> {
public:
    static constexpr int32_t kPoolCapacity = 0;
    // The smallest size a layout gives the list; it takes whatever more there is.
    static constexpr int32_t kMinimumWidth = 50;
    static constexpr int32_t kMinimumHeight = 25;
    static constexpr int32_t kUnbounded = 100000;

    ListBox2Control() = default;
    ~ListBox2Control() override;
    const char16_t* className() const override { return u"s_gui_win_ListBox2Control"; }
    ListBox2Control* newInstance() const override { return take(); }
    void reset() override;

    // Before the placement. The list outlives the control.
    void setList(ListBox2* list);
    ListBox2* list() const { return list_; }
    void setOptions(const ListView::Options& options) { options_ = options; }
    // Present once the control is placed.
    ListView* view() const { return view_.get(); }

protected:
    HWND createControl(HWND parent) override;
    void destroyNative() override;
    void skinChanged() override;
    void languageChanged() override;
    void updateHints() override;

private:
    ListBox2* list_ = nullptr;  // not owned
    std::unique_ptr<ListView> view_;
    ListView::Options options_;
};

}  // namespace s::gui::win

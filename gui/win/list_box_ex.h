#pragma once

#include <windows.h>

#include "base/pool.h"
#include "gui/win/native_container.h"

namespace s::gui::win {

class ScrollBar;

// Components shown as rows, one under the other at their minimum heights and the width
// beside the scroll bar, scrolled by the bar and the wheel. The containing window's thread.
class ListBoxEx final : public thread::Pooled<ListBoxEx, NativeContainer> {
public:
    static constexpr int32_t kPoolCapacity = 0;
    static constexpr int32_t kWheelStep = 48;

    ListBoxEx();
    ~ListBoxEx() override;
    const char16_t* className() const override { return u"s_gui_win_ListBoxEx"; }
    ListBoxEx* newInstance() const override { return take(); }
    void reset() override;

    // The rows are every child but the bar, in the order they were added.
    void addRow(IComponent* row) { addChild(row); }
    int32_t rowCount() const { return childCount() - 1; }
    ScrollBar* scrollBar() const { return bar_; }
    // Scrolls so that the row's top is at the top (clamped).
    void scrollTo(int32_t pixels);
    int32_t scrollPosition() const;

    void doLayout() override;
    void onEvent(base::IObject* source, int32_t eventId) override;
    bool handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                       intptr_t lparam) override;

protected:
    void paintContent(HDC dc, int32_t width, int32_t height) override;

private:
    void ensureBar();

    ScrollBar* bar_ = nullptr;  // one of the children
};

}  // namespace s::gui::win

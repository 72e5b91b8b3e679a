#pragma once

#include <windows.h>

#include "base/pool.h"
#include "gui/win/native_container.h"

namespace s::gui::win {

// The bar along the window's bottom edge: one content component laid out over it (its
// limits follow the content), painted by the skin's status-bar drawer with the size grip.
// The mouse falls through to the window below wherever the content does not take it.
// The containing window's thread.
class StatusBar final : public thread::Pooled<StatusBar, NativeContainer> {
public:
    static constexpr int32_t kPoolCapacity = 0;

    StatusBar();
    ~StatusBar() override;
    const char16_t* className() const override { return u"s_gui_win_StatusBar"; }
    StatusBar* newInstance() const override { return take(); }
    void reset() override;

    // Becomes the only child (the one before is removed and released).
    void setContent(IComponent* content);
    IComponent* content() const { return childAt(0); }

    bool handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                       intptr_t lparam) override;

protected:
    void paintContent(HDC dc, int32_t width, int32_t height) override;
    void skinChanged() override;

private:
    drawer::IStatusBar* drawer_ = nullptr;  // the skin's
};

// A frame with a caption around its children, painted by the skin's group-box drawer.
// The containing window's thread.
class GroupBox final : public thread::Pooled<GroupBox, NativeContainer> {
public:
    static constexpr int32_t kPoolCapacity = 0;

    GroupBox();
    ~GroupBox() override;
    const char16_t* className() const override { return u"s_gui_win_GroupBox"; }
    GroupBox* newInstance() const override { return take(); }
    void reset() override;

    void setText(const char16_t* text);
    void setTextId(int32_t id);
    const char16_t* text() const { return text_.text(); }
    void onEvent(base::IObject* source, int32_t eventId) override;

protected:
    void paintContent(HDC dc, int32_t width, int32_t height) override;
    void skinChanged() override;

private:
    void refreshText();
    void applyMargins();

    drawer::IGroupBox* drawer_ = nullptr;  // the skin's
    str::strbuffer::StrBuffer text_;
    int32_t textId_ = -1;
};

}  // namespace s::gui::win

#pragma once

#include <windows.h>

#include <cstdint>

#include "base/pool.h"
#include "base/str_buffer.h"
#include "gui/controls/label_size_cache.h"
#include "gui/listener_list.h"
#include "gui/win/control.h"

namespace s::gui::win {

// A text that takes the height it needs at the width a layout gives it; optionally a link
// that opens its target through the shell when clicked. setText() may come from any thread
// (the clock task sets the time line once a second): the native work and the relayout are
// handed to the window's thread. Everything else on that thread.
class Label final : public thread::Pooled<Label, ControlOf<IComponent>> {
public:
    static constexpr int32_t kPoolCapacity = 0;
    enum Event : int32_t { kClicked = 1 };

    Label() = default;
    ~Label() override;

    const char16_t* className() const override { return u"s_gui_win_Label"; }
    Label* newInstance() const override { return take(); }
    void reset() override;

    // Asks for the size of the text laid out within `width` (the height is ignored) and
    // takes it; answers are kept per width until the text or the font changes.
    void resizeClamped(int32_t width, int32_t height) override;
    void addClickListener(events::IEventListener* l) { clickListeners_.add(l); }
    void addActionListener(events::IEventListener* l) override { addClickListener(l); }
    void setLink(bool on);
    bool isLink() const { return link_; }
    void setLinkTarget(const char16_t* target) { linkTarget_.setText(target ? target : u""); }
    const char16_t* linkTarget() const { return linkTarget_.text(); }
    // Centre (1) or right (2) instead of left (0).
    void setAlignment(int32_t alignment);
    // Set by a click on a link with a target: the shell was asked to open it.
    int32_t linksOpened() const { return linksOpened_; }

    bool handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                       intptr_t lparam) override;

protected:
    HWND createControl(HWND parent) override;
    void updateHints() override;
    void fontChanged() override;

private:
    // Size of the text within `width` (-1: on one line).
    void measure(int32_t width, int32_t& outWidth, int32_t& outHeight);
    void paint();
    COLORREF textColour() const;

    controls::LabelSizeCache cache_;
    ListenerList clickListeners_;
    str::strbuffer::StrBuffer linkTarget_;
    bool link_ = false;
    bool pressed_ = false;
    int32_t alignment_ = 0;
    int32_t linksOpened_ = 0;
};

}  // namespace s::gui::win

#pragma once

#include <windows.h>

#include <cstdint>

#include "base/pool.h"
#include "gui/controls/scroll_info.h"
#include "gui/listener_list.h"
#include "gui/win/control.h"

namespace s::image {
class IImage;
}

namespace s::gui::win {

// A scroll bar painted by the skin's scroll-bar drawer: a click on the track moves by a
// page, the thumb is dragged. The containing window's thread.
class ScrollBar final : public thread::Pooled<ScrollBar, ControlOf<IComponent>> {
public:
    static constexpr int32_t kPoolCapacity = 0;
    enum Event : int32_t { kScrolled = 0 };

    ScrollBar() = default;
    ~ScrollBar() override;
    const char16_t* className() const override { return u"s_gui_win_ScrollBar"; }
    ScrollBar* newInstance() const override { return take(); }
    void reset() override;

    controls::ScrollInfo& info() { return info_; }
    const controls::ScrollInfo& info() const { return info_; }
    // Repaints after the state changed from outside.
    void update();
    void setVertical(bool on);
    bool isVertical() const { return vertical_; }
    void addScrollListener(events::IEventListener* l) { listeners_.add(l); }
    void addActionListener(events::IEventListener* l) override { addScrollListener(l); }

    bool handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                       intptr_t lparam) override;

protected:
    HWND createControl(HWND parent) override;
    void updateHints() override;
    void skinChanged() override;

private:
    int32_t trackLength() const { return vertical_ ? height_ : width_; }
    void moved(bool changed);
    void paint(HDC dc, int32_t w, int32_t h);

    controls::ScrollInfo info_;
    drawer::IScrollBar* drawer_ = nullptr;  // the skin's
    bool vertical_ = true;
    bool dragging_ = false;
    int32_t grab_ = 0;  // where in the thumb the drag took it
    ListenerList listeners_;
};

// A picture (not owned unless said so), at its own size or scaled to the control.
// The containing window's thread.
class Image final : public thread::Pooled<Image, ControlOf<IComponent>> {
public:
    static constexpr int32_t kPoolCapacity = 0;

    Image() = default;
    ~Image() override;
    const char16_t* className() const override { return u"s_gui_win_Image"; }
    Image* newInstance() const override { return take(); }
    void reset() override;

    void setPicture(image::IImage* picture, bool owned);
    image::IImage* picture() const { return picture_; }
    void setScaled(bool on);

    bool handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                       intptr_t lparam) override;

protected:
    HWND createControl(HWND parent) override;
    void updateHints() override;

private:
    void dropPicture();

    image::IImage* picture_ = nullptr;
    bool owned_ = false;
    bool scaled_ = false;
};

}  // namespace s::gui::win

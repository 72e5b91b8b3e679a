#pragma once

#include <windows.h>

#include <cstdint>

#include "base/obj_locker.h"
#include "base/pool.h"
#include "gui/box_base.h"
#include "gui/win/window_class.h"

namespace s::gui::win {

// The general-purpose container: a native child window of the toolkit's class that lays
// out its children and reports clicks, wheel turns, painting and drops.
// Threads: its native window, layout and messages live on the containing window's thread;
// geometry, layout and child changes asked from another thread are handed over there.
class Box final : public thread::Pooled<Box, BoxBase>, private IMessageTarget {
public:
    Box() = default;
    ~Box() override;
    Box(const Box&) = delete;
    Box& operator=(const Box&) = delete;

    const char16_t* className() const override { return u"s_gui_win_Box"; }
    Box* newInstance() const override { return take(); }
    // Shown (flag only), children removed and released, detached, every default back.
    void reset() override;

    HWND hwnd() const { return static_cast<HWND>(native_); }
    Color hoverColor() const { return hoverColor_; }

    void move(int32_t x, int32_t y) override;
    void resize(int32_t width, int32_t height) override;
    void setBounds(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void setOffset(int32_t dx, int32_t dy) override;
    void doLayout() override;
    // A change of the window's skin repaints the box.
    void onEvent(base::IObject* source, int32_t eventId) override;
    void addChild(IComponent* child) override;
    void removeChild(IComponent* child, bool recursive) override;
    void removeAllChildren(bool recursive) override;
    void setVisible(bool show, bool recursive) override;
    void redraw() override;
    void redrawRect(int32_t x, int32_t y, int32_t w, int32_t h) override;
    void setAcceptFiles(bool on) override;
    // Painted scaled to the client area; released with the box when owned.
    void setBackgroundImage(image::win::BufferedImage* image, bool owned) override;
    Color systemFaceColor() const override { return GetSysColor(COLOR_BTNFACE); }

    bool handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                       intptr_t lparam) override;
    void afterMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                      intptr_t lparam) override;

protected:
    void createNative() override;
    void destroyNative() override;
    void placeNative(uint32_t what) override;
    void attachChildNow(IComponent* child) override;
    void showNative(bool show) override;
    Color inactiveCaptionTextColor() const override {
        return GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    }

private:
    // True when the caller is not on the window's thread and the work was handed over.
    template <class F>
    bool handedOver(F&& operation);
    void onMouseMove(intptr_t lparam, uintptr_t wparam);
    void onMouseLeave();
    intptr_t onWheel(uintptr_t wparam, intptr_t lparam);
    void onDropFiles(void* dropHandle);
    void paint();
    void setHovered(bool on);

    thread::ObjLocker lock_;  // guards the dropped-file list
    bool trackingLeave_ = false;
    bool wheelBusy_ = false;
    image::win::BufferedImage* backgroundImage_ = nullptr;
    bool backgroundImageOwned_ = false;
};

}  // namespace s::gui::win

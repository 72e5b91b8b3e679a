#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/box_base.h"
#include "gui/drawer/skinner.h"
#include "gui/win/font.h"
#include "gui/win/window_class.h"

namespace s::gui::win {

// A container with a native window of the toolkit's class that paints itself through
// paintContent() (into an off-screen buffer); the base of the group box and the status
// bar. The containing window's thread.
class NativeContainer : public BoxBase, protected IMessageTarget {
public:
    HWND hwnd() const { return static_cast<HWND>(native_); }
    void redraw() override;
    Color systemFaceColor() const override { return GetSysColor(COLOR_BTNFACE); }
    Font& font() { return *font_; }

    bool handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                       intptr_t lparam) override;
    void afterMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                      intptr_t lparam) override;
    void onEvent(base::IObject* source, int32_t eventId) override;

protected:
    NativeContainer() : font_(Font::take()) {}
    ~NativeContainer() override;
    NativeContainer(const NativeContainer&) = delete;
    NativeContainer& operator=(const NativeContainer&) = delete;

    virtual void paintContent(HDC dc, int32_t width, int32_t height) = 0;
    virtual void skinChanged() {}
    drawer::ISkin* skin() const;
    void resetContainer();

    void createNative() override;
    void destroyNative() override;
    void placeNative(uint32_t what) override;
    void attachChildNow(IComponent* child) override;
    void showNative(bool show) override;

    Font* font_;  // owned
};

}  // namespace s::gui::win

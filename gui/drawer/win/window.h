#pragma once

#include "gui/drawer/win/drawer_base.h"

namespace s::gui::drawer::window::win {

// The window's background, its 1-pixel frame with rounded corners, and the matching window
// region. Colours: frame, background.
class Thin final : public drawer::win::DrawerBase<Thin, IWindowDrawer, DrawerKind::kWindow,
                                                  param::window::kCount> {
public:
    static constexpr uint32_t kDefaults[param::window::kCount] = {0x000000, 0xFFFFFF};

    const char16_t* className() const override { return u"s_gui_drawer_window_win_Thin"; }
    Thin* newInstance() const override { return take(); }
    void reset() override;

    void paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                         int32_t bottom) override;
    // The frame and its corners only.
    void paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const PaintState& state) override;

    void setCornerStyles(int32_t top, int32_t bottom) override;
    void setTransparent(bool transparent) override { transparent_ = transparent; }
    RegionHandle createRegion(int32_t width, int32_t height) override;
    uint32_t frameColour() const override { return colours_[param::window::kFrame]; }
    uint32_t backgroundColour() const override { return colours_[param::window::kBackground]; }
    int32_t topStyle() const { return topStyle_; }
    int32_t bottomStyle() const { return bottomStyle_; }

private:
    int32_t topStyle_ = 0;
    int32_t bottomStyle_ = 0;
    bool transparent_ = false;
};

}  // namespace s::gui::drawer::window::win

#pragma once

#include "gui/drawer/win/drawer_base.h"

namespace s::gui::drawer::image::win {

// Pictures: optionally framed in black, copied (scaled when asked) or alpha-blended into
// the target buffer when the picture is a buffer with alpha and blending is asked for.
class Basic final : public drawer::win::DrawerBase<Basic, drawer::IImage, DrawerKind::kWindow, 1> {
public:
    static constexpr uint32_t kDefaults[1] = {0x000000};
    const char16_t* className() const override { return u"s_gui_drawer_image_win_Basic"; }
    Basic* newInstance() const override { return take(); }
    void paintBackground(DeviceContext, int32_t, int32_t, int32_t, int32_t) override {}
    void paint(DeviceContext, int32_t, int32_t, int32_t, int32_t, const PaintState&) override {}
    void paintPicture(DeviceContext dc, ::s::image::IBufferedImage* target, int32_t left,
                      int32_t top, int32_t right, int32_t bottom, const ::s::image::IImage* picture,
                      bool scaled, bool framed, bool blend) override;
};

}  // namespace s::gui::drawer::image::win

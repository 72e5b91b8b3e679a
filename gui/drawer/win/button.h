#pragma once

#include "gui/drawer/win/drawer_base.h"

namespace s::gui::drawer::button::win {

// Buttons in three states (0 normal, 1 hot, 2 pressed) with text or glyph captions.
// Colours: base (frame), the normal, hot and pressed faces, and the fonts' colours: text on
// the normal face, disabled (frame and text, no face), text on the hot and pressed faces.
// An unset face leaves the caller's background and doubles the frame when hot or pressed.
class Thin final
    : public drawer::win::DrawerBase<Thin, IButton, DrawerKind::kButton, param::button::kCount> {
public:
    static constexpr uint32_t kNone = 0xFFFFFFFF;
    static constexpr uint32_t kDefaults[param::button::kCount] = {
        0x444444, kNone, kNone, kNone, 0x000000, 0x999999, 0xFFFFFF};

    const char16_t* className() const override { return u"s_gui_drawer_button_win_Thin"; }
    Thin* newInstance() const override { return take(); }

    void paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                         int32_t bottom) override;
    void paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const PaintState& state) override;
    bool paintGlyph(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                    const char16_t* caption, uint32_t colour) override;

    // The fill and text colours of a state.
    uint32_t fillOf(const PaintState& state) const;
    uint32_t textOf(const PaintState& state) const;
};

}  // namespace s::gui::drawer::button::win

#pragma once

#include "gui/drawer/win/drawer_base.h"

namespace s::gui::drawer::button::win {

// Buttons in three states (0 normal, 1 hot, 2 pressed) with text or glyph captions.
// Colours: base (frame), normal fill, hot fill, pressed fill, and the fonts' colours: text
// on the normal, the hot and the pressed face. An unset fill leaves the caller's background;
// disabled text is half way between the normal text and the face.
class Thin final
    : public drawer::win::DrawerBase<Thin, IButton, DrawerKind::kButton, param::button::kCount> {
public:
    static constexpr uint32_t kNone = 0xFFFFFFFF;
    static constexpr uint32_t kDefaults[param::button::kCount] = {
        0x444444, kNone, kNone, 0x444444, 0x000000, 0x000000, 0xFFFFFF};

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

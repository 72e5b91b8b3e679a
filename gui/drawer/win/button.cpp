#include "gui/drawer/win/button.h"

#include "gui/drawer/win/gdi.h"
#include "gui/drawer/win/glyphs.h"

namespace s::gui::drawer::button::win {

namespace p = param::button;

uint32_t Thin::fillOf(const PaintState& state) const {
    if (state.state == 2)
        return colours_[p::kFourth];
    if (state.state == 1)
        return colours_[p::kThird];
    return colours_[p::kSecond];
}

uint32_t Thin::textOf(const PaintState& state) const {
    if (!state.enabled)
        return colours_[p::kFont2];
    // Text on a filled hot or pressed face takes the third font.
    if (state.state != 0 && fillOf(state) != kNone)
        return colours_[p::kFont3];
    return colours_[p::kFont1];
}

void Thin::paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                           int32_t bottom) {
    const uint32_t face = colours_[p::kSecond];
    if (face != kNone)
        drawer::win::fill(dc, left, top, right, bottom, face);
}

void Thin::paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                 const PaintState& state) {
    if (!dc || right <= left || bottom <= top)
        return;
    // A disabled button stands unfilled, framed and lettered in the second font's colour.
    const uint32_t face = state.enabled ? fillOf(state) : kNone;
    const uint32_t line = state.enabled ? colours_[p::kBase] : colours_[p::kFont2];
    if (face != kNone)
        drawer::win::fill(dc, left, top, right, bottom, face);
    drawer::win::frame(dc, left, top, right, bottom, line);
    if (state.state != 0 && face == kNone)  // hot or pressed without a fill: a doubled frame
        drawer::win::frame(dc, left + 1, top + 1, right - 1, bottom - 1, line);
    const uint32_t ink = textOf(state);
    if (paintGlyph(dc, left, top, right, bottom, state.text, ink))
        return;
    HFONT font = state.font ? state.font : fonts_[0];
    drawer::win::drawLine(dc, left + 2, top, right - 2, bottom, state.text, font, ink, 1, true);
}

bool Thin::paintGlyph(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                      const char16_t* caption, uint32_t colour) {
    return drawer::win::paintGlyph(dc, left, top, right, bottom, caption, colour);
}

}  // namespace s::gui::drawer::button::win

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
    if (!state.enabled) {
        // Half way between the normal text and the face it stands on.
        const uint32_t face =
            colours_[p::kSecond] != kNone ? colours_[p::kSecond] : colours_[p::kBase];
        const uint32_t ink = colours_[p::kFont1];
        auto mid = [&](int shift) {
            return (((ink >> shift) & 0xFF) + ((face >> shift) & 0xFF)) / 2;
        };
        return mid(0) | (mid(8) << 8) | (mid(16) << 16);
    }
    // Text on a filled hot face takes the second font, on a filled pressed face the third.
    if (state.state == 1 && fillOf(state) != kNone)
        return colours_[p::kFont2];
    if (state.state == 2 && fillOf(state) != kNone)
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
    const uint32_t face = fillOf(state);
    if (face != kNone)
        drawer::win::fill(dc, left, top, right, bottom, face);
    drawer::win::frame(dc, left, top, right, bottom, colours_[p::kBase]);
    if (state.state == 1 && face == kNone)  // hot without a fill: a doubled frame
        drawer::win::frame(dc, left + 1, top + 1, right - 1, bottom - 1, colours_[p::kBase]);
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

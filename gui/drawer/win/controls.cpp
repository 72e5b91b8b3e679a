#include "gui/drawer/win/controls.h"

#include "gui/drawer/win/gdi.h"
#include "gui/drawer/win/glyphs.h"

namespace s::gui::drawer::win {
namespace {

// The value's position in 0..span, the value clamped to its range first.
int32_t positionOf(const PaintState& s, int32_t span) {
    if (span <= 0 || s.maximum <= s.minimum)
        return 0;
    const int64_t v = clampTo(s.value, s.minimum, s.maximum) - static_cast<int64_t>(s.minimum);
    return static_cast<int32_t>(v * span / (static_cast<int64_t>(s.maximum) - s.minimum));
}

// Text right of a 13-pixel mark, vertically centred.
void markText(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const PaintState& s,
              HFONT font, uint32_t colour) {
    drawLine(dc, left + 13 + 4, top, right, bottom, s.text, s.font ? s.font : font, colour, 0,
             true);
}

}  // namespace
}  // namespace s::gui::drawer::win

namespace s::gui::drawer::text::win {

using namespace drawer::win;
namespace p = param::text;

uint32_t Basic::fontColour(int32_t index) const {
    const int32_t slots[] = {p::kFont1, p::kFont2, p::kFont3, p::kFont4};
    return colours_[slots[index >= 0 && index < 4 ? index : 0]];
}

void Basic::paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                            int32_t bottom) {
    fill(dc, left, top, right, bottom, colours_[p::kFieldBackground]);
    frame(dc, left, top, right, bottom, colours_[p::kThirdColour]);
}

void Basic::paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                  const PaintState& state) {
    const int32_t slot = !state.enabled ? 1 : state.state == 1 ? 2 : state.state == 2 ? 3 : 0;
    paintText(dc, left, top, right, bottom, state.text, slot, 0);
}

void Basic::paintText(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                      const char16_t* text, int32_t fontIndex, int32_t alignment) {
    const int32_t slot = fontIndex >= 0 && fontIndex < 4 ? fontIndex : 0;
    drawLine(dc, left + 3, top, right - 3, bottom, text, fonts_[slot] ? fonts_[slot] : fonts_[0],
             fontColour(slot), alignment, true);
}

}  // namespace s::gui::drawer::text::win

namespace s::gui::drawer::scrollbar::win {

using namespace drawer::win;
namespace p = param::scrollbar;

void Thin::paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                           int32_t bottom) {
    frame(dc, left, top, right, bottom, colours_[p::kLine]);
}

Rect Thin::thumbOf(int32_t left, int32_t top, int32_t right, int32_t bottom, const PaintState& s) {
    const bool vertical = s.vertical;
    const int32_t start = (vertical ? top : left) + 2;
    const int32_t length = (vertical ? bottom - top : right - left) - 4;
    if (length <= 0)
        return Rect{};
    const int64_t range = s.maximum > s.minimum ? static_cast<int64_t>(s.maximum) - s.minimum : 0;
    const int64_t page = s.page > 0 ? s.page : 0;
    int32_t thumb =
        range + page > 0 ? static_cast<int32_t>(length * page / (range + page)) : length;
    thumb = clampTo(thumb < 8 ? 8 : thumb, 0, length);
    const int32_t at = start + positionOf(s, length - thumb);
    if (vertical)
        return Rect{left + 2, at, right - 2, at + thumb};
    return Rect{at, top + 2, at + thumb, bottom - 2};
}

void Thin::paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                 const PaintState& state) {
    paintBackground(dc, left, top, right, bottom);
    const Rect t = thumbOf(left, top, right, bottom, state);
    fill(dc, t.left, t.top, t.right, t.bottom, colours_[p::kFill]);
    frame(dc, t.left, t.top, t.right, t.bottom, colours_[p::kLine]);
}

}  // namespace s::gui::drawer::scrollbar::win

namespace s::gui::drawer::checkbox::win {

using namespace drawer::win;
namespace p = param::mark;

void Thin::paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                 const PaintState& state) {
    if (!dc || right <= left || bottom <= top)
        return;
    const uint32_t line = state.enabled ? colours_[p::kLine] : colours_[p::kDisabled];
    const uint32_t mark = state.enabled ? colours_[p::kMark] : colours_[p::kDisabled];
    const int32_t y = top + (bottom - top - kBox) / 2;
    frame(dc, left, y, left + kBox, y + kBox, line);
    if (state.checked)
        paintGlyph(dc, left + 1, y + 1, left + kBox - 1, y + kBox - 1, u"#Check", mark);
    markText(dc, left, top, right, bottom, state, fonts_[0], mark);
}

}  // namespace s::gui::drawer::checkbox::win

namespace s::gui::drawer::radiobutton::win {

using namespace drawer::win;
namespace p = param::mark;

void Thin::paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                 const PaintState& state) {
    if (!dc || right <= left || bottom <= top)
        return;
    const uint32_t line = state.enabled ? colours_[p::kLine] : colours_[p::kDisabled];
    const uint32_t mark = state.enabled ? colours_[p::kMark] : colours_[p::kDisabled];
    const int32_t y = top + (bottom - top - kBox) / 2;
    // A round mark from fills: each row's span, from the top row down to the middle.
    constexpr int32_t kInset[] = {4, 2, 1, 1, 0, 0, 0};
    for (int32_t row = 0; row < kBox; ++row) {
        const int32_t i = row < 7 ? row : kBox - 1 - row;
        const int32_t a = left + kInset[i], b = left + kBox - kInset[i];
        if (i == 0) {
            fill(dc, a, y + row, b, y + row + 1, line);
        } else {
            const int32_t prev = kInset[i - 1];
            const int32_t run = prev - kInset[i] > 1 ? prev - kInset[i] : 1;
            fill(dc, a, y + row, a + run, y + row + 1, line);
            fill(dc, b - run, y + row, b, y + row + 1, line);
        }
    }
    if (state.checked)
        fill(dc, left + 4, y + 4, left + kBox - 4, y + kBox - 4, mark);
    markText(dc, left, top, right, bottom, state, fonts_[0], mark);
}

}  // namespace s::gui::drawer::radiobutton::win

namespace s::gui::drawer::slider::win {

using namespace drawer::win;
namespace p = param::slider;

Rect Thin::thumbOf(int32_t left, int32_t top, int32_t right, int32_t bottom, const PaintState& s) {
    if (s.vertical) {
        const int32_t at = bottom - kThumb - positionOf(s, bottom - top - kThumb);
        return Rect{left + 2, at, right - 2, at + kThumb};
    }
    const int32_t at = left + positionOf(s, right - left - kThumb);
    return Rect{at, top + 2, at + kThumb, bottom - 2};
}

void Thin::paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                 const PaintState& state) {
    if (!dc || right - left < kThumb || bottom - top < kThumb)
        return;
    const uint32_t line = state.enabled ? colours_[p::kLine] : colours_[p::kDisabled];
    const uint32_t thumb = state.enabled ? colours_[p::kThumb] : colours_[p::kDisabled];
    if (state.vertical) {
        const int32_t x = left + (right - left) / 2 - 1;
        fill(dc, x, top + kThumb / 2, x + 2, bottom - kThumb / 2, line);
    } else {
        const int32_t y = top + (bottom - top) / 2 - 1;
        fill(dc, left + kThumb / 2, y, right - kThumb / 2, y + 2, line);
    }
    const Rect t = thumbOf(left, top, right, bottom, state);
    fill(dc, t.left, t.top, t.right, t.bottom, thumb);
    frame(dc, t.left, t.top, t.right, t.bottom, line);
}

}  // namespace s::gui::drawer::slider::win

namespace s::gui::drawer::counter::win {

using namespace drawer::win;
namespace p = param::counter;

int32_t Basic::filledCells(int32_t cells, const PaintState& state) {
    if (cells <= 0)
        return 0;
    return positionOf(state, cells);
}

void Basic::paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                  const PaintState& state) {
    if (!dc || right <= left || bottom <= top)
        return;
    const int32_t cells = (right - left + 1) / kCell;
    const int32_t filled = filledCells(cells, state);
    for (int32_t i = 0; i < cells; ++i) {
        const int32_t x = left + i * kCell;
        if (i < filled)
            fill(dc, x, top, x + kCell - 1, bottom,
                 i == filled - 1 ? colours_[p::kHighlight] : colours_[p::kColour]);
        else
            frame(dc, x, top, x + kCell - 1, bottom, colours_[p::kColour]);
    }
}

}  // namespace s::gui::drawer::counter::win

namespace s::gui::drawer::menu::win {

using namespace drawer::win;
namespace p = param::menu;

void Basic::paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                            int32_t bottom) {
    fill(dc, left, top, right, bottom, colours_[p::kBackground]);
    frame(dc, left, top, right, bottom, colours_[p::kLine]);
}

uint32_t Basic::itemTextColour(const PaintState& s) const {
    auto orElse = [](uint32_t c, uint32_t fallback) { return c == kUnset ? fallback : c; };
    if (!s.enabled)
        return orElse(colours_[p::kFont2], colours_[p::kText]);
    if (s.state == 1)  // on the highlight, which is filled in the line colour
        return colours_[p::kBackground];
    return orElse(colours_[p::kFont1], colours_[p::kText]);
}

void Basic::paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                  const PaintState& state) {
    if (!dc || right <= left || bottom <= top)
        return;
    if (state.separator) {
        const int32_t y = top + (bottom - top) / 2;
        fill(dc, left + 2, y, right - 2, y + 1, colours_[p::kLine]);
        return;
    }
    fill(dc, left, top, right, bottom,
         state.state == 1 ? colours_[p::kLine] : colours_[p::kBackground]);
    const uint32_t ink = itemTextColour(state);
    const int32_t box = bottom - top < 15 ? bottom - top : 15;
    const int32_t y = top + (bottom - top - box) / 2;
    if (state.checked)
        paintGlyph(dc, left + 3, y + 3, left + box - 1, y + box - 3, u"#Check", ink);
    drawLine(dc, left + box + 4, top, right - 4, bottom, state.text,
             state.font ? state.font : fonts_[0], ink, 0, true);
}

}  // namespace s::gui::drawer::menu::win

namespace s::gui::drawer::combo::win {

using namespace drawer::win;
namespace p = param::combo;

void Thin::paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                           int32_t bottom) {
    frame(dc, left, top, right, bottom, colours_[p::kLine]);
}

void Thin::paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                 const PaintState& state) {
    if (!dc || right <= left || bottom <= top)
        return;
    const uint32_t line = colours_[p::kLine];
    frame(dc, left, top, right, bottom, line);
    if (state.state != 0)
        frame(dc, left + 1, top + 1, right - 1, bottom - 1, line);
    const int32_t b = right - kButton;
    fill(dc, b, top + 1, b + 1, bottom - 1, line);
    paintGlyph(dc, b + 3, top + (bottom - top - 9) / 2, right - 2, top + (bottom - top - 9) / 2 + 9,
               u"#Down", line);
    drawLine(dc, left + 4, top, b - 2, bottom, state.text, state.font ? state.font : fonts_[0],
             state.enabled ? colours_[p::kFont] : line, 0, true);
}

}  // namespace s::gui::drawer::combo::win

namespace s::gui::drawer::groupbox::win {

using namespace drawer::win;
namespace p = param::groupbox;

void Basic::paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                  const PaintState& state) {
    if (!dc || right <= left || bottom <= top)
        return;
    HFONT font = state.font ? state.font : fonts_[0];
    const bool hasCaption = state.text && state.text[0];
    const SIZE caption = hasCaption ? measureText(dc, font, state.text) : SIZE{0, 0};
    const int32_t line = top + caption.cy / 2;
    const uint32_t c = colours_[p::kLine];
    fill(dc, left, line, left + 1, bottom, c);
    fill(dc, right - 1, line, right, bottom, c);
    fill(dc, left, bottom - 1, right, bottom, c);
    if (!hasCaption) {
        fill(dc, left, line, right, line + 1, c);
        return;
    }
    const int32_t textLeft = left + 8;
    const int32_t textRight = textLeft + caption.cx + 4 < right ? textLeft + caption.cx + 4 : right;
    fill(dc, left, line, textLeft, line + 1, c);
    fill(dc, textRight, line, right, line + 1, c);
    drawLine(dc, textLeft + 2, top, textRight, top + caption.cy, state.text, font,
             state.enabled ? colours_[p::kFont1] : colours_[p::kFont2], 0, true);
}

Thin::~Thin() {
    if (body_)
        body_->release();
}

}  // namespace s::gui::drawer::groupbox::win

namespace s::gui::drawer::tabbox::win {

using namespace drawer::win;
namespace p = param::tabbox;

void Thin::paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                           int32_t bottom) {
    frame(dc, left, top, right, bottom, colours_[p::kLine]);
}

void Thin::paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                 const PaintState& state) {
    if (!dc || right <= left || bottom <= top)
        return;
    const uint32_t c = colours_[p::kLine];
    uint32_t ink = colours_[p::kFont2];
    if (state.checked) {
        fill(dc, left, top, right, top + 1, c);
        fill(dc, left, top, left + 1, bottom, c);
        fill(dc, right - 1, top, right, bottom, c);
        ink = colours_[p::kFont1];
    } else {
        fill(dc, left, bottom - 1, right, bottom, c);
        if (state.state != 0)
            ink = colours_[p::kFont3];
    }
    drawLine(dc, left + 4, top, right - 4, bottom, state.text, state.font ? state.font : fonts_[0],
             ink, 1, true);
}

}  // namespace s::gui::drawer::tabbox::win

namespace s::gui::drawer::border::win {

using namespace drawer::win;

void Thin::paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                           int32_t bottom) {
    frame(dc, left, top, right, bottom, colours_[0]);
}

void Thin::paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                 const PaintState&) {
    frame(dc, left, top, right, bottom, colours_[0]);
}

}  // namespace s::gui::drawer::border::win

namespace s::gui::drawer::statusbar::win {

using namespace drawer::win;

void Thin::paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                           int32_t bottom) {
    fill(dc, left, top, right, top + 1, colours_[0]);
}

void Thin::paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                 const PaintState& state) {
    paintBackground(dc, left, top, right, bottom);
    drawLine(dc, left + 4, top + 1, right - 4, bottom, state.text,
             state.font ? state.font : fonts_[0], colours_[0], 0, true);
}

void Basic::paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                            int32_t bottom) {
    fill(dc, left, top, right, bottom, kFace);
}

void Basic::paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                  const PaintState& state) {
    paintBackground(dc, left, top, right, bottom);
    drawLine(dc, left + 4, top, right - 4, bottom, state.text, state.font ? state.font : fonts_[0],
             colours_[0], 0, true);
}

void BasicResizer::paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                         const PaintState&) {
    const int32_t w = right - left, h = bottom - top;
    const int32_t xs[] = {w - 3, w - 3, w - 3, w - 7, w - 7, w - 11};
    const int32_t ys[] = {h - 11, h - 7, h - 3, h - 7, h - 3, h - 3};
    for (int32_t i = 0; i < 6; ++i) {
        const int32_t x = left + xs[i], y = top + ys[i];
        fill(dc, x - 1, y - 1, x + 1, y + 1, kShadow);
    }
    for (int32_t i = 0; i < 6; ++i) {
        const int32_t x = left + xs[i], y = top + ys[i];
        fill(dc, x, y, x + 2, y + 2, kDot);
    }
}

}  // namespace s::gui::drawer::statusbar::win

#pragma once

#include <windows.h>

#include <cstdint>

// Small painting helpers shared by the drawers: solid fills through the context's own
// brush (no objects are created per fill) and scopes that restore what they select.
namespace s::gui::drawer::win {

// Fills [left, right) x [top, bottom) with a colour 0x00BBGGRR; nothing for an empty
// rectangle or a missing context.
void fill(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour);
// A 1-pixel frame along the rectangle's edges.
void frame(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour);

// The font a drawer uses when it was given none.
HFONT defaultFont();

// Selects a font (nullptr: the default font), a text colour and a transparent background;
// restores all three when it ends.
class TextScope {
public:
    TextScope(HDC dc, HFONT font, uint32_t colour);
    ~TextScope();
    TextScope(const TextScope&) = delete;
    TextScope& operator=(const TextScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ previousFont_;
    COLORREF previousColour_;
    int previousMode_;
};

// The size of a single-line text in a font.
SIZE measureText(HDC dc, HFONT font, const char16_t* text, int32_t length = -1);

// A single-line text, vertically centred, without prefix characters, aligned 0 left,
// 1 centre, 2 right within the rectangle, transparent. The text is never written to.
// Returns where it was drawn (clipped to the rectangle).
RECT drawLine(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
              const char16_t* text, HFONT font, uint32_t colour, int32_t alignment = 0,
              bool ellipsis = false, int32_t length = -1);

// Clamps v into [low, high] (low wins when the range is inverted).
inline int32_t clampTo(int32_t v, int32_t low, int32_t high) {
    if (v > high)
        v = high;
    if (v < low)
        v = low;
    return v;
}

}  // namespace s::gui::drawer::win

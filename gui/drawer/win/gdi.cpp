#include "gui/drawer/win/gdi.h"

namespace s::gui::drawer::win {

void fill(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour) {
    if (!dc || right <= left || bottom <= top)
        return;
    const COLORREF previous = SetDCBrushColor(dc, colour);
    RECT r = {left, top, right, bottom};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc, previous);
}

void frame(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour) {
    if (right <= left || bottom <= top)
        return;
    fill(dc, left, top, right, top + 1, colour);
    fill(dc, left, bottom - 1, right, bottom, colour);
    fill(dc, left, top + 1, left + 1, bottom - 1, colour);
    fill(dc, right - 1, top + 1, right, bottom - 1, colour);
}

HFONT defaultFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

TextScope::TextScope(HDC dc, HFONT font, uint32_t colour)
    : dc_(dc),
      previousFont_(SelectObject(dc, font ? font : defaultFont())),
      previousColour_(SetTextColor(dc, colour)),
      previousMode_(SetBkMode(dc, TRANSPARENT)) {}

TextScope::~TextScope() {
    SetBkMode(dc_, previousMode_);
    SetTextColor(dc_, previousColour_);
    SelectObject(dc_, previousFont_);
}

SIZE measureText(HDC dc, HFONT font, const char16_t* text, int32_t length) {
    SIZE size = {0, 0};
    if (!dc || !text)
        return size;
    HGDIOBJ previous = SelectObject(dc, font ? font : defaultFont());
    RECT r = {0, 0, 0, 0};
    DrawTextW(dc, reinterpret_cast<LPCWSTR>(text), length, &r,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, previous);
    size.cx = r.right - r.left;
    size.cy = r.bottom - r.top;
    return size;
}

RECT drawLine(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
              const char16_t* text, HFONT font, uint32_t colour, int32_t alignment, bool ellipsis,
              int32_t length) {
    RECT drawn = {left, top, left, top};
    if (!dc || !text || right <= left || bottom <= top)
        return drawn;
    const SIZE size = measureText(dc, font, text, length);
    const int32_t width = size.cx < right - left ? size.cx : right - left;
    int32_t x = left;
    if (alignment == 1)
        x = left + (right - left - width) / 2;
    else if (alignment == 2)
        x = right - width;
    // Placed where it was measured to go; a text that does not fit starts at the left.
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT;
    // Ellipsis only for display: DT_MODIFYSTRING would write into the caller's (often cached)
    // text, so it is never used.
    if (ellipsis)
        flags |= DT_END_ELLIPSIS;
    // A text that fits is not clipped: the last glyph may overhang its advance by a pixel.
    if (size.cx <= right - left)
        flags |= DT_NOCLIP;
    RECT r = {x, top, right, bottom};
    TextScope scope(dc, font, colour);
    DrawTextW(dc, reinterpret_cast<LPCWSTR>(text), length, &r, flags);
    const int32_t height = size.cy < bottom - top ? size.cy : bottom - top;
    drawn.left = x;
    drawn.right = x + width;
    drawn.top = top + (bottom - top - height) / 2;
    drawn.bottom = drawn.top + height;
    return drawn;
}

}  // namespace s::gui::drawer::win

#pragma once

#include <windows.h>

#include <cstdint>

namespace s::gui::drawer::win {

// Paints the glyph a caption names ("#X", "#_", "#Check", "#TreeOpen", ...) inside the
// rectangle with a 1-pixel margin, in one colour, with fills only. False, painting nothing,
// for a caption that does not start with "#" or names no glyph.
bool paintGlyph(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                const char16_t* caption, uint32_t colour);

// Whether a caption names a glyph (without painting).
bool isGlyph(const char16_t* caption);

}  // namespace s::gui::drawer::win

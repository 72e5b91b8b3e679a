#pragma once

#include <cstdint>

// The list view's geometry rules that do not need a window: column widths, the wheel's
// scroll amount and the scroll bars' range. The platform side applies them.
namespace s::gui::listbox2 {

// Columns are never narrower than this, whatever a drag or a caller asks for.
constexpr int32_t kMinColumnWidth = 10;
// Pixels per wheel line.
constexpr int32_t kWheelLinePixels = 15;
// The system's "one page per notch" wheel setting.
constexpr uint32_t kWheelPageScroll = 0xFFFFFFFFu;

// A width asked of a column: 0 keeps meaning "size to the content" when `autoAllowed`;
// anything below the minimum (negative included) becomes the minimum.
int32_t clampColumnWidth(int32_t width, bool autoAllowed);

// The vertical scroll in pixels for one wheel message: positive scrolls down (the wheel
// turned toward the user, `wheelDelta` negative), negative up. `lines` is the system's
// wheel-lines setting: lines x 15 pixels, a downward amount below 1.4 row heights raised to
// that; the page setting scrolls one page (`pageHeight`, the rows' visible height) instead
// of multiplying into an overflow; 0 lines or no delta scroll nothing.
int32_t wheelScrollAmount(int32_t wheelDelta, uint32_t lines, int32_t rowHeight,
                          int32_t pageHeight);

// A scroll position moved by `amount` pixels and kept inside 0..content - page, so that a
// large amount (the window asks for 2000 to show a new last row) ends with the last row at
// the bottom edge, fully visible. Sums that would overflow saturate first.
int32_t scrolledPosition(int32_t position, int32_t amount, int32_t content, int32_t page);

// The largest scroll position: content - page, not below 0.
int32_t maxScrollPosition(int32_t content, int32_t page);

}  // namespace s::gui::listbox2

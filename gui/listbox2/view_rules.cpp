#include "gui/listbox2/view_rules.h"

#include <cstdint>

namespace s::gui::listbox2 {

namespace {

int32_t saturated(int64_t value) {
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

}  // namespace

int32_t clampColumnWidth(int32_t width, bool autoAllowed) {
    if (width == 0 && autoAllowed)
        return 0;
    return width < kMinColumnWidth ? kMinColumnWidth : width;
}

int32_t wheelScrollAmount(int32_t wheelDelta, uint32_t lines, int32_t rowHeight,
                          int32_t pageHeight) {
    if (wheelDelta == 0 || lines == 0)
        return 0;
    bool down = wheelDelta < 0;
    int64_t size;
    // Settings beyond a page's worth of lines mean a page too (a setting is a count the
    // user typed; no count of lines scrolls further than a page at once).
    if (lines == kWheelPageScroll || lines > 0x7FFF) {
        size = pageHeight > 0 ? pageHeight : (rowHeight > 0 ? rowHeight : kWheelLinePixels);
    } else {
        size = static_cast<int64_t>(lines) * kWheelLinePixels;
        if (down && rowHeight > 0) {
            // 1.4 row heights, rounded: (14 x h + 5) / 10.
            int64_t least = (static_cast<int64_t>(rowHeight) * 14 + 5) / 10;
            if (size < least)
                size = least;
        }
    }
    return saturated(down ? size : -size);
}

int32_t maxScrollPosition(int32_t content, int32_t page) {
    int64_t most = static_cast<int64_t>(content) - page;
    return most > 0 ? saturated(most) : 0;
}

int32_t scrolledPosition(int32_t position, int32_t amount, int32_t content, int32_t page) {
    int64_t target = static_cast<int64_t>(position) + amount;
    int32_t most = maxScrollPosition(content, page);
    if (target > most)
        return most;
    return target < 0 ? 0 : static_cast<int32_t>(target);
}

}  // namespace s::gui::listbox2

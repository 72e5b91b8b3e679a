#pragma once

#include <cstdint>

#include "base/array.h"

namespace s::gui::controls {

// A label's answers "this text laid out within width w needs width x height", kept by w.
// The caches grow to w + 1 entries (new entries -1, not yet measured). A negative width is
// looked up as 0; widths above kMaxCachedWidth are never cached (measured each time), so a
// huge width is neither an out-of-range read nor a huge allocation. The label's thread.
class LabelSizeCache {
public:
    static constexpr int32_t kMaxCachedWidth = 8192;

    // False when the width has no answer yet.
    bool lookup(int32_t width, int32_t& outWidth, int32_t& outHeight) const;
    void store(int32_t width, int32_t measuredWidth, int32_t measuredHeight);
    // After a change of the text or the font.
    void clear();
    int32_t capacity() const { return widths_.count(); }
    // The width a lookup or store uses for `width`; -1 when it is not cached.
    static int32_t slotOf(int32_t width);

private:
    col::_array::ArrayS32 widths_;
    col::_array::ArrayS32 heights_;
};

}  // namespace s::gui::controls

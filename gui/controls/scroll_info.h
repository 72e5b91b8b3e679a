#pragma once

#include <cstdint>

namespace s::gui::controls {

// The state of a scroll bar: a range, the visible page and the position, with the thumb's
// place along a track of some length. The position runs from the minimum to the last one
// that still shows a whole page (maximum - page + 1). Plain value; the bar's thread.
class ScrollInfo {
public:
    static constexpr int32_t kMinimumThumb = 8;

    // A reversed range is put in order; the page and the position are clamped again.
    void setRange(int32_t minimum, int32_t maximum);
    void setPage(int32_t page);
    // Clamped; true when the position changed.
    bool setPosition(int32_t position);
    bool scrollBy(int32_t delta) { return setPosition(position_ + delta); }

    int32_t minimum() const { return minimum_; }
    int32_t maximum() const { return maximum_; }
    int32_t page() const { return page_; }
    int32_t position() const { return position_; }
    int32_t lastPosition() const;

    // The thumb along a track of `length` pixels: its start and size (the whole track when
    // everything is visible).
    void thumb(int32_t length, int32_t& start, int32_t& size) const;
    // The position whose thumb starts at `offset` pixels.
    int32_t positionAtThumb(int32_t offset, int32_t length) const;

private:
    int32_t minimum_ = 0;
    int32_t maximum_ = 100;
    int32_t page_ = 10;
    int32_t position_ = 0;
};

}  // namespace s::gui::controls

#include "gui/controls/scroll_info.h"

namespace s::gui::controls {

void ScrollInfo::setRange(int32_t minimum, int32_t maximum) {
    minimum_ = minimum < maximum ? minimum : maximum;
    maximum_ = minimum < maximum ? maximum : minimum;
    setPage(page_);
}

void ScrollInfo::setPage(int32_t page) {
    const int64_t span = static_cast<int64_t>(maximum_) - minimum_ + 1;
    page_ = page < 0 ? 0 : (page > span ? static_cast<int32_t>(span) : page);
    setPosition(position_);
}

int32_t ScrollInfo::lastPosition() const {
    const int64_t last = static_cast<int64_t>(maximum_) - (page_ > 0 ? page_ - 1 : 0);
    return last < minimum_ ? minimum_ : static_cast<int32_t>(last);
}

bool ScrollInfo::setPosition(int32_t position) {
    const int32_t last = lastPosition();
    const int32_t clamped = position < minimum_ ? minimum_ : (position > last ? last : position);
    if (clamped == position_)
        return false;
    position_ = clamped;
    return true;
}

void ScrollInfo::thumb(int32_t length, int32_t& start, int32_t& size) const {
    length = length < 0 ? 0 : length;
    const int64_t span = static_cast<int64_t>(maximum_) - minimum_ + 1;
    const int64_t travel = static_cast<int64_t>(lastPosition()) - minimum_;
    if (travel <= 0 || span <= 0) {
        start = 0;
        size = length;
        return;
    }
    int64_t s = static_cast<int64_t>(length) * page_ / span;
    if (s < kMinimumThumb)
        s = kMinimumThumb < length ? kMinimumThumb : length;
    size = static_cast<int32_t>(s);
    start =
        static_cast<int32_t>((static_cast<int64_t>(position_) - minimum_) * (length - s) / travel);
}

int32_t ScrollInfo::positionAtThumb(int32_t offset, int32_t length) const {
    int32_t start = 0, size = 0;
    thumb(length, start, size);
    const int64_t room = static_cast<int64_t>(length) - size;
    const int64_t travel = static_cast<int64_t>(lastPosition()) - minimum_;
    if (room <= 0 || travel <= 0)
        return minimum_;
    int64_t at = offset < 0 ? 0 : (offset > room ? room : offset);
    return static_cast<int32_t>(minimum_ + (at * travel + room / 2) / room);
}

}  // namespace s::gui::controls

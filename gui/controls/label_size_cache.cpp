#include "gui/controls/label_size_cache.h"

namespace s::gui::controls {

int32_t LabelSizeCache::slotOf(int32_t width) {
    if (width < 0)
        return 0;
    return width > kMaxCachedWidth ? -1 : width;
}

bool LabelSizeCache::lookup(int32_t width, int32_t& outWidth, int32_t& outHeight) const {
    int32_t slot = slotOf(width);
    if (slot < 0 || slot >= widths_.count() || widths_.get(slot) < 0)
        return false;
    outWidth = widths_.get(slot);
    outHeight = heights_.get(slot);
    return true;
}

void LabelSizeCache::store(int32_t width, int32_t measuredWidth, int32_t measuredHeight) {
    int32_t slot = slotOf(width);
    if (slot < 0)
        return;
    while (widths_.count() <= slot) {
        int32_t before = widths_.count();
        widths_.add(-1);
        heights_.add(-1);
        if (widths_.count() == before)
            return;  // out of memory: stay uncached
    }
    widths_.set(slot, measuredWidth < 0 ? 0 : measuredWidth);
    heights_.set(slot, measuredHeight < 0 ? 0 : measuredHeight);
}

void LabelSizeCache::clear() {
    widths_.clear();
    heights_.clear();
}

}  // namespace s::gui::controls

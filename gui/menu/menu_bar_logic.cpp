#include "gui/menu/menu_bar_logic.h"

namespace s::gui::menu {

void MenuBarLogic::layout(const int32_t* textWidths, const int32_t* textHeights,
                          const uint8_t* isDropDown, int32_t count, int32_t marginX,
                          int32_t marginY, int32_t barWidth, bool lastAtRight) {
    rects_.clear();
    dropDown_.clear();
    if (count < 0 || !textWidths || !textHeights)
        count = 0;
    marginX = marginX < 0 ? 0 : marginX;
    marginY = marginY < 0 ? 0 : marginY;
    int32_t tallest = 0;
    for (int32_t i = 0; i < count; ++i)
        tallest = textHeights[i] > tallest ? textHeights[i] : tallest;
    int32_t height = count > 0 ? tallest + 2 * marginY : 0;
    int32_t left = 0;
    for (int32_t i = 0; i < count; ++i) {
        int32_t width = (textWidths[i] < 0 ? 0 : textWidths[i]) + 2 * marginX;
        rects_.add(left);
        rects_.add(0);
        rects_.add(left + width);
        rects_.add(height);
        dropDown_.add(isDropDown && isDropDown[i] ? 1 : 0);
        left += width;
    }
    contentWidth_ = left;
    contentHeight_ = height;
    if (lastAtRight && count > 0) {
        int32_t last = (count - 1) * 4;
        int32_t width = rects_[last + 2] - rects_[last];
        int32_t right = barWidth > contentWidth_ ? barWidth : contentWidth_;
        rects_[last] = right - width;
        rects_[last + 2] = right;
    }
    resetState();
}

bool MenuBarLogic::isDropDownEntry(int32_t entry) const {
    return entry >= 0 && entry < entryCount() && dropDown_.get(entry) != 0;
}

bool MenuBarLogic::entryRect(int32_t entry, int32_t& left, int32_t& top, int32_t& right,
                             int32_t& bottom) const {
    if (entry < 0 || entry >= entryCount())
        return false;
    left = rects_[entry * 4];
    top = rects_[entry * 4 + 1];
    right = rects_[entry * 4 + 2];
    bottom = rects_[entry * 4 + 3];
    return true;
}

int32_t MenuBarLogic::entryAt(int32_t x, int32_t y) const {
    for (int32_t i = 0; i < entryCount(); ++i) {
        const int32_t* r = rects_.data() + i * 4;
        if (x >= r[0] && x < r[2] && y >= r[1] && y < r[3])
            return i;
    }
    return -1;
}

void MenuBarLogic::setHot(int32_t entry) {
    if (entry == hot_)
        return;
    hot_ = entry;
    host_.repaint();
}

void MenuBarLogic::open(int32_t entry) {
    if (!isDropDownEntry(entry))
        return;
    open_ = true;
    openEntry_ = entry;
    host_.openDropDown(entry);
}

void MenuBarLogic::mouseMove(int32_t x, int32_t y) {
    int32_t entry = entryAt(x, y);
    if (entry >= 0) {
        if (entry == hot_)
            return;
        if (open_ && openEntry_ == hot_ && !switching_) {
            switching_ = true;
            host_.closeDropDown();
        }
        setHot(entry);
        if ((open_ || hoverOpens_) && !switching_)
            open(entry);
        return;
    }
    if (!pressed_ && !open_)
        host_.captureMouse(false);
    if (!open_)
        setHot(-1);
}

void MenuBarLogic::buttonDown(int32_t x, int32_t y, uint32_t now) {
    int32_t entry = entryAt(x, y);
    if (entry < 0) {
        if (open_)
            host_.closeDropDown();
        return;
    }
    pressed_ = true;
    host_.captureMouse(true);
    hot_ = entry;
    host_.repaint();
    if (open_) {
        // A second click on the open title closes it.
        switching_ = false;
        host_.closeDropDown();
        return;
    }
    if (hasClosed_ && withinReopenGuard(closedAt_, now))
        return;
    open(entry);
}

void MenuBarLogic::buttonUp(int32_t x, int32_t y) {
    int32_t entry = entryAt(x, y);
    if (pressed_ && entry >= 0) {
        setHot(entry);
        if (!isDropDownEntry(entry)) {
            open_ = false;
            pressed_ = false;
            host_.captureMouse(false);
            host_.commandEntryChosen(entry);
            setHot(-1);
        }
    }
    pressed_ = false;
}

void MenuBarLogic::trackingEnded(uint32_t now) {
    if (switching_ && isDropDownEntry(hot_)) {
        switching_ = false;
        host_.captureMouse(true);
        open(hot_);
        return;
    }
    switching_ = false;
    closedAt_ = now;
    hasClosed_ = true;
    open_ = false;
    openEntry_ = -1;
    pressed_ = false;
    host_.captureMouse(false);
    hot_ = -1;
    host_.repaint();
}

void MenuBarLogic::resetState() {
    hot_ = -1;
    openEntry_ = -1;
    pressed_ = false;
    open_ = false;
    switching_ = false;
}

}  // namespace s::gui::menu

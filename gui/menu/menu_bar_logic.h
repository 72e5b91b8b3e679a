#pragma once

#include <cstdint>

#include "base/array.h"

namespace s::gui::menu {

// What the menu bar's logic asks of its platform side.
class IMenuBarHost {
public:
    virtual ~IMenuBarHost() = default;
    // Shows the drop-down of an entry below it. On the platform this blocks while the
    // drop-down tracks and reports the end with MenuBarLogic::trackingEnded().
    virtual void openDropDown(int32_t entry) = 0;
    // Ends the open drop-down (only the bar's own, never another program's).
    virtual void closeDropDown() = 0;
    virtual void captureMouse(bool on) = 0;
    virtual void repaint() = 0;
    // A command entry was released over: its command goes to the bar's listeners.
    virtual void commandEntryChosen(int32_t entry) = 0;
};

// The skinned menu bar without a platform: entry rectangles, hit-testing, the hot entry and
// the idle -> hot -> pressed -> open -> switching states with the reopening guard. Times are
// the platform's millisecond tick, which wraps. Used on the bar's window thread.
class MenuBarLogic {
public:
    // A click within this many milliseconds after a drop-down closed does not reopen it
    // (it is the click that closed it).
    static constexpr uint32_t kReopenGuardMs = 500;

    explicit MenuBarLogic(IMenuBarHost& host) : host_(host) {}
    MenuBarLogic(const MenuBarLogic&) = delete;
    MenuBarLogic& operator=(const MenuBarLogic&) = delete;

    // The tick difference taken as unsigned, so that it stays right across the wrap.
    static bool withinReopenGuard(uint32_t closedAt, uint32_t now) {
        return now - closedAt <= kReopenGuardMs;
    }

    // Entries follow each other from the left edge without gaps: each is its text width
    // plus twice the horizontal margin wide, all as tall as the tallest text plus twice the
    // vertical margin. With lastAtRight the last entry ends at barWidth. Negative sizes
    // count as 0.
    void layout(const int32_t* textWidths, const int32_t* textHeights, const uint8_t* isDropDown,
                int32_t count, int32_t marginX, int32_t marginY, int32_t barWidth,
                bool lastAtRight);
    int32_t entryCount() const { return static_cast<int32_t>(dropDown_.count()); }
    bool isDropDownEntry(int32_t entry) const;
    int32_t contentWidth() const { return contentWidth_; }
    int32_t contentHeight() const { return contentHeight_; }
    // False for an index out of range.
    bool entryRect(int32_t entry, int32_t& left, int32_t& top, int32_t& right,
                   int32_t& bottom) const;
    // The entry under a client point, -1 for none (the bar is transparent to hit-testing
    // there).
    int32_t entryAt(int32_t x, int32_t y) const;

    void setHoverOpens(bool on) { hoverOpens_ = on; }
    bool hoverOpens() const { return hoverOpens_; }

    // Mouse input in client coordinates (the platform also sends a move every 10 ms while
    // a drop-down tracks). leave() is a move over no entry.
    void mouseMove(int32_t x, int32_t y);
    void leave() { mouseMove(-1, -1); }
    void buttonDown(int32_t x, int32_t y, uint32_t now);
    void buttonUp(int32_t x, int32_t y);
    // The drop-down stopped tracking: open the next one when switching, else back to idle.
    void trackingEnded(uint32_t now);
    // Forgets every state (entries changed or the bar was detached).
    void resetState();

    int32_t hot() const { return hot_; }
    bool isPressed() const { return pressed_; }
    bool isOpen() const { return open_; }
    bool isSwitching() const { return switching_; }
    int32_t openEntry() const { return openEntry_; }

private:
    void open(int32_t entry);
    void setHot(int32_t entry);

    IMenuBarHost& host_;
    col::_array::ArrayS32 rects_;  // left, top, right, bottom per entry
    col::_array::ArrayU08 dropDown_;
    int32_t contentWidth_ = 0;
    int32_t contentHeight_ = 0;
    int32_t hot_ = -1;
    int32_t openEntry_ = -1;
    bool pressed_ = false;
    bool open_ = false;
    bool switching_ = false;
    bool hasClosed_ = false;
    uint32_t closedAt_ = 0;
    bool hoverOpens_ = false;
};

}  // namespace s::gui::menu

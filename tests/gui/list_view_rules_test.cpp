// Geometry rules of the list view that need no window: column widths, wheel amounts and
// the scroll range.
#include <gtest/gtest.h>

#include <cstdint>

#include "gui/listbox2/view_rules.h"

namespace s::gui::listbox2 {
namespace {

TEST(ListViewRules, ColumnWidthsStopAtTenAndZeroStaysAutomaticWhereAllowed) {
    struct Case {
        int32_t width;
        bool autoAllowed;
        int32_t expected;
    } cases[] = {
        {0, true, 0},     {0, false, 10},   {9, false, 10}, {9, true, 10},
        {10, false, 10},  {11, false, 11},  {-5, true, 10}, {INT32_MIN, false, 10},
        {250, true, 250},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(clampColumnWidth(c.width, c.autoAllowed), c.expected)
            << c.width << " auto " << c.autoAllowed;
    }
}

TEST(ListViewRules, WheelAmounts) {
    struct Case {
        int32_t delta;
        uint32_t lines;
        int32_t rowHeight;
        int32_t page;
        int32_t expected;
    } cases[] = {
        {-120, 1, 20, 400, 28},   // toward the user: raised to 1.4 rows
        {120, 1, 20, 400, -15},   // away: never raised
        {-120, 3, 20, 400, 45},   // already above 1.4 rows
        {-120, 1, 16, 400, 22},   // 22.4 rounds down
        {-120, 1, 15, 400, 21},   // 21.0
        {-120, 1, 25, 400, 35},   // 35.0
        {-120, 0, 20, 400, 0},    // wheel scrolling switched off
        {0, 3, 20, 400, 0},       // no turn
        {-120, kWheelPageScroll, 20, 400, 400},  // one page, not 0xFFFFFFFF x 15
        {120, kWheelPageScroll, 20, 400, -400},
        {-120, kWheelPageScroll, 20, 0, 20},     // no page known: one row
        {-120, 0x7FFFFFFF, 20, 300, 300},         // absurd line counts read as a page
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wheelScrollAmount(c.delta, c.lines, c.rowHeight, c.page), c.expected)
            << c.delta << " " << c.lines << " " << c.rowHeight;
    }
}

TEST(ListViewRules, ScrollingStaysInRangeAndALargeStepShowsTheLastRow) {
    // 40 rows of 20 pixels in a page of 300: the last row is fully visible at 500.
    EXPECT_EQ(maxScrollPosition(800, 300), 500);
    EXPECT_EQ(scrolledPosition(0, 2000, 800, 300), 500);
    EXPECT_EQ(scrolledPosition(120, 28, 800, 300), 148);
    EXPECT_EQ(scrolledPosition(10, -15, 800, 300), 0);
    EXPECT_EQ(scrolledPosition(INT32_MAX, INT32_MAX, 800, 300), 500);
    EXPECT_EQ(scrolledPosition(0, INT32_MIN, 800, 300), 0);
    // Content that fits the page never scrolls.
    EXPECT_EQ(maxScrollPosition(200, 300), 0);
    EXPECT_EQ(scrolledPosition(0, 2000, 200, 300), 0);
}

}  // namespace
}  // namespace s::gui::listbox2

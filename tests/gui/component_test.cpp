#include <cstdint>

#include <gtest/gtest.h>

#include "gui/component.h"
#include "tests/gui/layout_fakes.h"

namespace s::gui {
namespace {

using testing::FakeBox;
using testing::FakeLeaf;

TEST(Component, ClampToLimitsLetsTheMinimumWinOverTheMaximum) {
    struct Case {
        int32_t value, minimum, maximum, expected;
    };
    const Case cases[] = {
        {5, 0, 10, 5}, {-3, 0, 10, 0}, {30, 0, 10, 10}, {5, 20, 10, 20}, {50, 20, 10, 20},
    };
    for (const Case& c : cases)
        EXPECT_EQ(clampToLimits(c.value, c.minimum, c.maximum), c.expected)
            << c.value << " in " << c.minimum << ".." << c.maximum;
}

TEST(Component, PaleBackgroundIsHalfwayToWhite) {
    EXPECT_EQ(paleFrom(rgb(0, 0, 0)), rgb(128, 128, 128));
    EXPECT_EQ(paleFrom(rgb(255, 255, 255)), rgb(255, 255, 255));
    EXPECT_EQ(paleFrom(rgb(0x20, 0x40, 0x80)), rgb(144, 160, 192));
}

TEST(Component, ScreenPointsCountTheEdgesOfVisibleComponentsOnly) {
    FakeBox parent(false);
    parent.move(100, 50);
    FakeLeaf leaf(0, 100, 0, 100);
    leaf.attach(&parent);
    leaf.setOffset(2, 3);
    leaf.setBounds(10, 20, 30, 40);
    EXPECT_EQ(leaf.screenX(), 112);
    EXPECT_EQ(leaf.screenY(), 73);
    EXPECT_TRUE(leaf.containsScreenPoint(112, 73));
    EXPECT_TRUE(leaf.containsScreenPoint(142, 113));
    EXPECT_FALSE(leaf.containsScreenPoint(143, 113));
    EXPECT_FALSE(leaf.containsScreenPoint(111, 80));
    leaf.setVisible(false, false);
    EXPECT_FALSE(leaf.containsScreenPoint(120, 80));
    leaf.attach(nullptr);
}

TEST(Component, CentringInTheParentNeverGoesBelowZero) {
    FakeBox parent(false);
    parent.resize(100, 60);
    FakeLeaf leaf(0, 500, 0, 500);
    leaf.attach(&parent);
    leaf.resize(40, 20);
    leaf.centerHorizontally();
    EXPECT_EQ(leaf.x(), 30);
    leaf.centerVertically();
    EXPECT_EQ(leaf.y(), 20);
    leaf.resize(300, 300);
    leaf.centerOnScreen();
    EXPECT_EQ(leaf.x(), 0);
    EXPECT_EQ(leaf.y(), 0);
    leaf.attach(nullptr);
}

TEST(Component, BackgroundFollowsTheParentUntilSetAndAfterInheritingAgain) {
    FakeBox parent(false);
    parent.setBackgroundRgb(1, 2, 3, false);
    FakeLeaf leaf(0, 1, 0, 1);
    leaf.attach(&parent);
    EXPECT_TRUE(leaf.isBackgroundInherited());
    EXPECT_EQ(leaf.backgroundColor(), rgb(1, 2, 3));
    leaf.setBackgroundBlack(false);
    EXPECT_FALSE(leaf.isBackgroundInherited());
    EXPECT_EQ(leaf.backgroundColor(), rgb(0, 0, 0));
    leaf.setBackgroundWhite(true);
    EXPECT_EQ(leaf.backgroundColor(), rgb(255, 255, 255));
    EXPECT_EQ(leaf.redraws, 1);
    leaf.inheritBackground(false);
    EXPECT_EQ(leaf.backgroundColor(), rgb(1, 2, 3));
    leaf.attach(nullptr);
}

TEST(Component, SuspendedGeometryIsAppliedOnceOnResume) {
    FakeLeaf leaf(0, 100, 0, 100);
    leaf.suspendPositioning();
    leaf.move(1, 2);
    leaf.resize(3, 4);
    leaf.setOffset(5, 6);
    EXPECT_EQ(leaf.placements, 0);
    EXPECT_TRUE(leaf.isBoundsPending());
    leaf.resumePositioning();
    EXPECT_EQ(leaf.placements, 1);
    EXPECT_FALSE(leaf.isBoundsPending());
    leaf.resumePositioning();
    EXPECT_EQ(leaf.placements, 1);
    EXPECT_EQ(leaf.x(), 1);
    EXPECT_EQ(leaf.height(), 4);
}

}  // namespace
}  // namespace s::gui

#include <cstdint>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "gui/box_base.h"
#include "gui/layout/layouts.h"
#include "tests/gui/layout_fakes.h"
#include "tests/gui/test_support.h"

namespace s::gui {
namespace {

using testing::FakeBox;
using testing::FakeLeaf;

struct Limits {
    int32_t minW, maxW, minH, maxH;
    bool visible = true;
};

struct Placed {
    int32_t x, y, w, h;
};

// A container of the given client size with one leaf per limit, laid out by `style`.
struct Scene {
    Scene(int32_t clientW, int32_t clientH, const std::vector<Limits>& limits) {
        box.resize(clientW, clientH);
        for (const Limits& l : limits) {
            leaves.push_back(std::make_unique<FakeLeaf>(l.minW, l.maxW, l.minH, l.maxH));
            leaves.back()->setVisible(l.visible, false);
            box.addChild(leaves.back().get());
        }
    }
    std::vector<Placed> placed() const {
        std::vector<Placed> out;
        for (const auto& leaf : leaves)
            out.push_back({leaf->x(), leaf->y(), leaf->width(), leaf->height()});
        return out;
    }
    FakeBox box{false};
    std::vector<std::unique_ptr<FakeLeaf>> leaves;
};

void expectPlaced(const std::vector<Placed>& got, const std::vector<Placed>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].x, want[i].x) << "child " << i;
        EXPECT_EQ(got[i].y, want[i].y) << "child " << i;
        EXPECT_EQ(got[i].w, want[i].w) << "child " << i;
        EXPECT_EQ(got[i].h, want[i].h) << "child " << i;
    }
}

enum Algo { kV, kH, kF, kP };

struct LayoutCase {
    const char* name;
    Algo algo;
    int32_t clientW, clientH;
    int32_t hAlign, vAlign, spacing, vSpacing;
    std::vector<Limits> children;
    std::vector<Placed> expected;
    layout::ContentSizes content;
};

void run(Scene& scene, const LayoutCase& c, layout::ContentSizes* out) {
    switch (c.algo) {
        case kV:
            layout::layoutVertical(scene.box, c.hAlign, c.vAlign, c.spacing, out);
            break;
        case kH:
            layout::layoutHorizontal(scene.box, c.hAlign, c.vAlign, c.spacing, out);
            break;
        case kF:
            layout::layoutFlowH(scene.box, c.hAlign, c.vAlign, c.spacing, c.vSpacing, out);
            break;
        case kP:
            layout::layoutPile(scene.box, c.hAlign, c.vAlign, out);
            break;
    }
}

class LayoutTable : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTable, PlacesChildrenAndReportsContentLimits) {
    const LayoutCase& c = GetParam();
    Scene scene(c.clientW, c.clientH, c.children);
    layout::ContentSizes out{-1, -1, -1, -1};
    run(scene, c, &out);
    expectPlaced(scene.placed(), c.expected);
    EXPECT_EQ(out.minWidth, c.content.minWidth);
    EXPECT_EQ(out.minHeight, c.content.minHeight);
    EXPECT_EQ(out.maxWidth, c.content.maxWidth);
    EXPECT_EQ(out.maxHeight, c.content.maxHeight);
}

const LayoutCase kCases[] = {
    // Vertical: the factor 0.5 shares 15 pixels as 10 and 5.
    {"VerticalSharesExtraByFactor",
     kV,
     50,
     35,
     0,
     0,
     0,
     0,
     {{0, 50, 10, 30}, {0, 50, 10, 20}},
     {{0, 0, 50, 20}, {0, 20, 50, 15}},
     {0, 20, 50, 50}},
    // 5/30 in single precision gives 1 each; the second pass gives the first child 2 more.
    {"VerticalSecondPassFillsRemainder",
     kV,
     10,
     5,
     0,
     0,
     0,
     0,
     {{0, 10, 0, 10}, {0, 10, 0, 10}, {0, 10, 0, 10}},
     {{0, 0, 10, 3}, {0, 3, 10, 1}, {0, 4, 10, 1}},
     {0, 0, 10, 30}},
    // Everything fits at maximum: the rest is alignment room (middle: 50 / 2).
    {"VerticalAllAtMaximumMiddle",
     kV,
     50,
     100,
     0,
     1,
     0,
     0,
     {{0, 50, 10, 30}, {0, 50, 10, 20}},
     {{0, 25, 50, 30}, {0, 55, 50, 20}},
     {0, 20, 50, 50}},
    {"VerticalBottomAndRight",
     kV,
     50,
     40,
     2,
     2,
     0,
     0,
     {{10, 20, 10, 10}, {5, 5, 10, 10}},
     {{30, 20, 20, 10}, {45, 30, 5, 10}},
     {10, 20, 20, 20}},
    {"VerticalCentreColumn",
     kV,
     50,
     10,
     1,
     0,
     0,
     0,
     {{10, 21, 10, 10}},
     {{14, 0, 21, 10}},
     {10, 10, 21, 10}},
    // Spacing rule: sizes 10, 0, 5 with spacing 3 total 18, children at 0, 13, 13.
    {"VerticalSpacingSkipsEmptyChild",
     kV,
     10,
     0,
     0,
     0,
     3,
     0,
     {{0, 10, 10, 10}, {0, 10, 0, 0}, {0, 10, 5, 5}},
     {{0, 0, 10, 10}, {0, 13, 10, 0}, {0, 13, 10, 5}},
     {0, 18, 10, 18}},
    // A gap before trailing empty children is not counted in the totals.
    {"VerticalTrailingEmptyChildAddsNoGap",
     kV,
     10,
     0,
     0,
     0,
     3,
     0,
     {{0, 10, 10, 10}, {0, 10, 0, 0}},
     {{0, 0, 10, 10}, {0, 13, 10, 0}},
     {0, 10, 10, 10}},
    // Minimum above maximum: the minimum wins and the child never grows.
    {"VerticalMinimumAboveMaximum",
     kV,
     10,
     100,
     0,
     0,
     0,
     0,
     {{0, 10, 20, 10}, {0, 10, 0, 10}},
     {{0, 0, 10, 20}, {0, 20, 10, 10}},
     {0, 20, 10, 30}},
    {"VerticalNarrowContainerTakesWidestMinimum",
     kV,
     5,
     0,
     0,
     0,
     0,
     0,
     {{30, 40, 1, 1}, {10, 100, 1, 1}},
     {{0, 0, 30, 1}, {0, 1, 30, 1}},
     {30, 2, 100, 2}},
    {"VerticalNoChildren", kV, 50, 50, 0, 0, 4, 0, {}, {}, {0, 0, 0, 0}},

    // Horizontal: the same negotiation on widths.
    {"HorizontalSharesExtraByFactor",
     kH,
     35,
     10,
     0,
     0,
     0,
     0,
     {{10, 30, 0, 10}, {10, 20, 0, 10}},
     {{0, 0, 20, 10}, {20, 0, 15, 10}},
     {20, 0, 50, 10}},
    {"HorizontalSecondPass",
     kH,
     5,
     10,
     0,
     0,
     0,
     0,
     {{0, 10, 0, 10}, {0, 10, 0, 10}, {0, 10, 0, 10}},
     {{0, 0, 3, 10}, {3, 0, 1, 10}, {4, 0, 1, 10}},
     {0, 0, 30, 10}},
    {"HorizontalAllAtMaximumRightBottom",
     kH,
     100,
     30,
     2,
     2,
     5,
     0,
     {{10, 20, 0, 10}, {10, 30, 20, 20}},
     {{45, 20, 20, 10}, {70, 10, 30, 20}},
     {25, 20, 55, 20}},
    {"HorizontalNoRoomKeepsMinimum",
     kH,
     10,
     10,
     0,
     1,
     2,
     0,
     {{8, 20, 0, 4}, {8, 20, 0, 10}},
     {{0, 3, 8, 4}, {10, 0, 8, 10}},
     {18, 0, 42, 10}},
    {"HorizontalSpacingSkipsEmptyChild",
     kH,
     0,
     1,
     0,
     0,
     3,
     0,
     {{10, 10, 1, 1}, {0, 0, 1, 1}, {5, 5, 1, 1}},
     {{0, 0, 10, 1}, {13, 0, 0, 1}, {13, 0, 5, 1}},
     {18, 1, 18, 1}},
    {"HorizontalMinimumAboveMaximum",
     kH,
     100,
     5,
     0,
     0,
     0,
     0,
     {{20, 10, 5, 5}, {0, 10, 5, 5}},
     {{0, 0, 20, 5}, {20, 0, 10, 5}},
     {20, 5, 30, 5}},
    {"HorizontalNoChildren", kH, 50, 50, 1, 1, 4, 0, {}, {}, {0, 0, 0, 0}},

    // FlowH: rows [60] and [40, 30] of a 100-wide row with spacing 5; right alignment puts
    // the second row at 25..100.
    {"FlowWrapsAndAlignsRight",
     kF,
     100,
     0,
     2,
     0,
     5,
     4,
     {{60, 60, 10, 10}, {40, 40, 8, 8}, {30, 30, 12, 12}},
     {{40, 0, 60, 10}, {25, 14, 40, 8}, {70, 14, 30, 12}},
     {60, 26, 140, 26}},
    {"FlowCentreAndBottom",
     kF,
     100,
     40,
     1,
     2,
     0,
     0,
     {{30, 30, 10, 10}, {30, 30, 10, 10}},
     {{20, 30, 30, 10}, {50, 30, 30, 10}},
     {30, 10, 60, 10}},
    // Room below is shared by the factor; each row counts its tallest member's growth.
    {"FlowGrowsRows",
     kF,
     50,
     30,
     0,
     0,
     0,
     0,
     {{50, 50, 10, 30}, {50, 50, 10, 20}},
     {{0, 0, 50, 16}, {0, 16, 50, 13}},
     {50, 20, 100, 50}},
    // An invisible child keeps its width in the row but takes no gap.
    {"FlowInvisibleChildTakesNoGap",
     kF,
     100,
     0,
     0,
     0,
     5,
     0,
     {{10, 10, 1, 1}, {10, 10, 1, 1, false}, {10, 10, 1, 1}},
     {{0, 0, 10, 1}, {10, 0, 10, 1}, {25, 0, 10, 1}},
     {10, 1, 35, 1}},
    {"FlowNoChildren", kF, 50, 50, 0, 0, 4, 4, {}, {}, {0, 0, 0, 0}},

    // Pile: a child 20 high at the bottom of a pile 50 high sits at y 30.
    {"PileBottomRight",
     kP,
     40,
     50,
     2,
     2,
     0,
     0,
     {{10, 20, 20, 20}, {0, 100, 0, 50}},
     {{20, 30, 20, 20}, {0, 0, 40, 50}},
     {10, 20, 100, 50}},
    {"PileCentreMiddle",
     kP,
     40,
     50,
     1,
     1,
     0,
     0,
     {{10, 10, 10, 10}},
     {{15, 20, 10, 10}},
     {10, 10, 10, 10}},
    // Invisible children are neither resized nor moved and do not count.
    {"PileSkipsInvisible",
     kP,
     10,
     10,
     0,
     0,
     0,
     0,
     {{99, 99, 99, 99, false}, {0, 10, 0, 10}},
     {{0, 0, 0, 0}, {0, 0, 10, 10}},
     {0, 0, 10, 10}},
    {"PileNoChildren", kP, 50, 50, 1, 1, 0, 0, {}, {}, {0, 0, 0, 0}},
};

INSTANTIATE_TEST_SUITE_P(Cases, LayoutTable, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<LayoutCase>& param) {
                             return std::string(param.param.name);
                         });

TEST(LayoutFrame, EachChildIsPlacedOnceAndRedrawnOnce) {
    Scene scene(100, 100, {{0, 100, 0, 100}, {0, 100, 0, 100}, {0, 100, 0, 100}});
    layout::layoutVertical(scene.box, 1, 1, 2, nullptr);
    for (const auto& leaf : scene.leaves) {
        EXPECT_EQ(leaf->placements, 1);
        EXPECT_EQ(leaf->redraws, 1);
        EXPECT_FALSE(leaf->isPositioningSuspended());
    }
}

TEST(LayoutFrame, ASuspendedContainerLeavesItsChildrenSuspended) {
    Scene scene(100, 100, {{0, 100, 0, 100}});
    scene.box.suspendPositioning();
    layout::layoutHorizontal(scene.box, 0, 0, 0, nullptr);
    EXPECT_EQ(scene.leaves[0]->placements, 0);
    EXPECT_TRUE(scene.leaves[0]->isBoundsPending());
    scene.box.resumePositioning();
    EXPECT_EQ(scene.leaves[0]->placements, 1);
    EXPECT_EQ(scene.leaves[0]->width(), 100);
}

TEST(SpacingRule, GapsFollowOnlySizedChildrenWithASizedSuccessor) {
    const int32_t a[] = {10, 0, 5};
    const int32_t b[] = {10, 0};
    const int32_t c[] = {0, 0, 7};
    const int32_t d[] = {4, 4, 4};
    EXPECT_EQ(layout::spacedTotal(a, 3, 3), 18);
    EXPECT_EQ(layout::spacedTotal(b, 2, 3), 10);
    EXPECT_EQ(layout::spacedTotal(c, 3, 3), 7);
    EXPECT_EQ(layout::spacedTotal(d, 3, 2), 16);
    EXPECT_EQ(layout::spacedTotal(nullptr, 0, 2), 0);
}

TEST(Managers, DoLayoutUsesLeftTopAndNoSpacing) {
    Scene scene(100, 40, {{10, 10, 10, 10}, {10, 10, 10, 10}});
    scene.box.alignRight();
    scene.box.setVerticalSpacing(7);
    layout::Vertical().doLayout(&scene.box);
    expectPlaced(scene.placed(), {{0, 0, 10, 10}, {0, 10, 10, 10}});
    layout::Horizontal().doLayout(&scene.box);
    expectPlaced(scene.placed(), {{0, 0, 10, 10}, {10, 0, 10, 10}});
    EXPECT_EQ(&layout::sharedVertical(), &layout::sharedVertical());
    EXPECT_STREQ(reinterpret_cast<const char*>(layout::sharedFlowH().className()),
                 reinterpret_cast<const char*>(u"s_gui_layout_FlowH"));
}

// --- box limits ---

TEST(PercentOf, RoundsHalfAwayFromZero) {
    EXPECT_EQ(percentOf(101, 50), 51);
    EXPECT_EQ(percentOf(99, 50), 50);
    EXPECT_EQ(percentOf(100, 33), 33);
    EXPECT_EQ(percentOf(-101, 50), -51);
    EXPECT_EQ(percentOf(0, 100), 0);
    EXPECT_EQ(percentOf(2000000000, 100), 2000000000);
}

struct LimitCase {
    const char* name;
    BoxAxis axis;
    int32_t parentClient;
    int32_t minimum, maximum;
};

class BoxLimits : public ::testing::TestWithParam<LimitCase> {};

TEST_P(BoxLimits, FollowSettingsAndContent) {
    const LimitCase& c = GetParam();
    EXPECT_EQ(boxMinimum(c.axis), c.minimum);
    EXPECT_EQ(boxMaximum(c.axis, c.parentClient, true), c.maximum);
}

const LimitCase kLimitCases[] = {
    {"Empty", {}, 100, 0, 0},
    {"MarginsOnly", {-1, -1, 7, 0, 0, false, -1}, 100, 7, 7},
    {"ContentAndMargins", {-1, -1, 4, 10, 30, false, -1}, 100, 14, 34},
    {"ContentMinimumAboveMaximum", {-1, -1, 0, 30, 10, false, -1}, 100, 30, 30},
    {"Exact", {25, -1, 4, 10, 30, false, -1}, 100, 25, 25},
    {"PercentRoundsUp", {-1, 50, 4, 10, 30, false, -1}, 101, 14, 51},
    {"IgnoreMinimum", {-1, -1, 4, 10, 30, true, -1}, 100, 0, 34},
    {"Floor", {-1, -1, 0, 10, 30, false, 40}, 100, 40, 30},
    {"FloorBelowContent", {-1, -1, 0, 10, 30, false, 5}, 100, 10, 30},
};

INSTANTIATE_TEST_SUITE_P(Cases, BoxLimits, ::testing::ValuesIn(kLimitCases),
                         [](const ::testing::TestParamInfo<LimitCase>& param) {
                             return std::string(param.param.name);
                         });

TEST(Box, PercentWidthOfParentClientWidth) {
    FakeBox parent;
    parent.resize(101, 60);
    FakeBox child;
    parent.addChild(&child);
    child.attach(&parent);
    child.setPercentWidth(50, false);
    EXPECT_EQ(child.maximumWidth(), 51);
    child.setExactWidth(20, false);
    EXPECT_EQ(child.maximumWidth(), 20);
    EXPECT_EQ(child.minimumWidth(), 20);
    child.setPercentHeight(100, false);
    EXPECT_EQ(child.maximumHeight(), 60);
    parent.removeChild(&child, false);
    EXPECT_EQ(child.released, 1);
    EXPECT_EQ(child.parent(), nullptr);
}

TEST(Box, WithoutChildrenItsLimitsAreItsMargins) {
    FakeBox box;
    box.setMargin(3);
    box.setLeftMargin(5);
    box.doLayout();
    EXPECT_EQ(box.minimumWidth(), 8);
    EXPECT_EQ(box.maximumWidth(), 8);
    EXPECT_EQ(box.minimumHeight(), 6);
    EXPECT_EQ(box.maximumHeight(), 6);
    box.resize(20, 10);
    EXPECT_EQ(box.clientWidth(), 12);
    EXPECT_EQ(box.clientHeight(), 4);
    box.resize(5, 5);
    EXPECT_EQ(box.clientWidth(), 0);
}

TEST(Box, ContentLimitsComeFromItsLastLayout) {
    FakeBox box;
    FakeLeaf a(10, 40, 5, 5), b(20, 30, 5, 15);
    box.setHorizontalStyle();
    box.setHorizontalSpacing(2);
    box.setMargin(1);
    box.addChild(&a);
    box.addChild(&b);
    box.resize(100, 30);
    box.doLayout();
    EXPECT_EQ(box.minimumWidth(), 2 + 10 + 2 + 20);
    EXPECT_EQ(box.maximumWidth(), 2 + 40 + 2 + 30);
    EXPECT_EQ(box.minimumHeight(), 2 + 5);
    EXPECT_EQ(box.maximumHeight(), 2 + 15);
    // The margins arrive as the children's offset.
    EXPECT_EQ(a.offsetX(), 1);
    EXPECT_EQ(b.offsetY(), 1);
    box.children()->clear();
}

// A listener that lays its box out again from inside the layout.
class Relayouter : public events::IEventListener {
public:
    explicit Relayouter(FakeBox& box) : box_(box) {}
    void onEvent(base::IObject*, int32_t eventId) override {
        ++calls;
        maxDepth = box_.layoutDepth() > maxDepth ? box_.layoutDepth() : maxDepth;
        if (eventId == IBox::kLaidOut && calls < 10)
            box_.doLayout();
    }
    int32_t calls = 0;
    int32_t maxDepth = 0;

private:
    FakeBox& box_;
};

TEST(Box, AThirdNestedLayoutDoesNothing) {
    FakeBox box;
    Relayouter relayouter(box);
    box.addLayoutListener(&relayouter);
    box.doLayout();
    EXPECT_EQ(relayouter.calls, 2);
    EXPECT_EQ(relayouter.maxDepth, 2);
    EXPECT_EQ(box.layoutDepth(), 0);
}

TEST(Box, HidingParksTheBoxAndHidesItsChildren) {
    FakeBox parent;
    FakeBox box;
    FakeLeaf leaf(0, 10, 0, 10);
    parent.addChild(&box);
    box.addChild(&leaf);
    box.setVisible(false, false);
    EXPECT_FALSE(box.isVisible());
    EXPECT_FALSE(leaf.isVisible());
    EXPECT_EQ(box.x(), -10000);
    EXPECT_EQ(box.y(), 10000);
    EXPECT_EQ(box.hides, 1);
    box.setVisible(false, false);
    EXPECT_EQ(box.hides, 1);
    box.setVisibilityLocked(true);
    box.setVisible(true, true);
    EXPECT_FALSE(box.isVisible());
    box.setVisibilityLocked(false);
    box.setVisible(true, true);
    EXPECT_TRUE(leaf.isVisible());
    box.children()->clear();
    parent.children()->clear();
}

TEST(Box, SwitchToChildParksAndLocksTheOthers) {
    FakeBox box;
    FakeBox first, second;
    FakeLeaf leaf(0, 10, 0, 10);
    box.addChild(&first);
    box.addChild(&second);
    box.addChild(&leaf);
    box.switchToChild(1);
    EXPECT_FALSE(first.isVisible());
    EXPECT_EQ(first.offsetY(), 3000);
    EXPECT_TRUE(first.isVisibilityLocked());
    EXPECT_TRUE(second.isVisible());
    EXPECT_EQ(second.offsetY(), 0);
    EXPECT_FALSE(second.isVisibilityLocked());
    EXPECT_FALSE(leaf.isVisible());
    EXPECT_EQ(leaf.offsetY(), 3000);
    // A locked box ignores showOnlyChild until switched to again.
    box.showOnlyChild(0);
    EXPECT_FALSE(first.isVisible());
    box.switchToChild(0);
    EXPECT_TRUE(first.isVisible());
    EXPECT_FALSE(second.isVisible());
    // An invalid index only hides.
    box.switchToChild(7);
    EXPECT_FALSE(first.isVisible());
    box.children()->clear();
}

TEST(Box, RemoveAllChildrenReleasesEveryChildDepthFirst) {
    FakeBox box;
    FakeBox inner;
    FakeLeaf a(0, 1, 0, 1), b(0, 1, 0, 1);
    box.addChild(&inner);
    inner.addChild(&a);
    box.addChild(&b);
    box.removeAllChildren(true);
    EXPECT_EQ(box.childCount(), 0);
    EXPECT_EQ(inner.childCount(), 0);
    EXPECT_EQ(inner.released, 1);
    EXPECT_EQ(a.released, 1);
    EXPECT_EQ(b.released, 1);
}

TEST(Box, LayoutManagerDefaultsToTheSharedFlow) {
    FakeBox box;
    EXPECT_EQ(box.layoutManager(), &layout::sharedFlowH());
    layout::Pile pile;
    box.setLayoutManager(&pile);
    EXPECT_EQ(box.layoutManager(), &pile);
}

TEST(Box, GeometryAndClickListeners) {
    FakeBox box;
    testing::EventLog log;
    box.addGeometryListener(&log);
    box.move(1, 2);
    box.resize(3, 4);
    box.setBounds(1, 2, 3, 4);
    EXPECT_EQ(log.ids, (std::vector<int32_t>{4, 4, 4}));
    EXPECT_TRUE(box.isMouseTransparent());
    box.addClickListener(&log);
    EXPECT_FALSE(box.isMouseTransparent());
}

}  // namespace
}  // namespace s::gui

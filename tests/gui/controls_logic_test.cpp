#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "gui/component.h"
#include "gui/controls/button_logic.h"
#include "gui/controls/label_size_cache.h"
#include "gui/controls/scroll_info.h"
#include "gui/controls/spacer.h"
#include "gui/events/enablers.h"
#include "gui/i_editable.h"

namespace s::gui {
namespace {

using controls::ButtonLogic;

class ButtonHostLog : public controls::IButtonHost {
public:
    void startTimer(uint32_t id, uint32_t ms) override {
        log += " start" + std::to_string(id) + "@" + std::to_string(ms);
    }
    void stopTimer(uint32_t id) override { log += " stop" + std::to_string(id); }
    void redraw() override {}
    void fireEvent(int32_t id) override { log += " e" + std::to_string(id); }
    std::string take() {
        std::string out = log;
        log.clear();
        return out;
    }
    std::string log;
};

TEST(ButtonLogic, ToggleWithoutReleaseStaysDownAndStillSendsBothEvents) {
    struct Case {
        bool canRelease;
        bool enabled;
        std::vector<bool> downAfterClicks;
    } cases[] = {
        {true, true, {true, false, true}},
        {false, true, {true, true, true}},
        {true, false, {false, false, false}},
    };
    for (const Case& c : cases) {
        ButtonHostLog host;
        ButtonLogic logic(host);
        logic.setToggle(true, c.canRelease);
        for (bool down : c.downAfterClicks) {
            logic.clicked(c.enabled);
            EXPECT_EQ(logic.isDown(), down) << c.canRelease << c.enabled;
            EXPECT_EQ(host.take(), " e1 e2");
        }
    }
}

TEST(ButtonLogic, AutoRepeatPressesAtOnceThenAfter500ThenEvery100) {
    ButtonHostLog host;
    ButtonLogic logic(host);
    logic.setAutoRepeat(true);
    logic.press();
    EXPECT_EQ(host.take(), " e3 start20001@500");
    logic.timer(20001, true);
    EXPECT_EQ(host.take(), " stop20001 start20002@100 e3");
    logic.timer(20002, true);
    logic.timer(20002, true);
    EXPECT_EQ(host.take(), " e3 e3");
    logic.timer(20002, false);  // cursor off the button: nothing
    EXPECT_EQ(host.take(), "");
    logic.release();
    EXPECT_EQ(host.take(), " stop20001 stop20002");
    logic.timer(20002, true);  // a late tick after release
    EXPECT_EQ(host.take(), "");

    ButtonLogic plain(host);
    plain.press();
    EXPECT_EQ(host.take(), " e3");
}

TEST(ButtonLogic, StateFollowsTheMouse) {
    ButtonHostLog host;
    ButtonLogic logic(host);
    logic.move(true, false);
    EXPECT_EQ(logic.state(), ButtonLogic::kHovered);
    logic.move(true, true);
    EXPECT_EQ(logic.state(), ButtonLogic::kNormal);
    logic.press();
    logic.move(false, true);
    EXPECT_EQ(logic.state(), ButtonLogic::kNormal);
    logic.move(true, true);
    EXPECT_EQ(logic.state(), ButtonLogic::kPressed);
    logic.release();
    EXPECT_EQ(logic.state(), ButtonLogic::kNormal);
    EXPECT_TRUE(logic.setDown(true));
    EXPECT_FALSE(logic.setDown(true));
}

TEST(LabelSizeCache, ClampsNegativeAndHugeWidths) {
    controls::LabelSizeCache cache;
    int32_t w = 0, h = 0;
    EXPECT_FALSE(cache.lookup(50, w, h));
    cache.store(50, 48, 30);
    EXPECT_EQ(cache.capacity(), 51);
    ASSERT_TRUE(cache.lookup(50, w, h));
    EXPECT_EQ(w, 48);
    EXPECT_EQ(h, 30);
    EXPECT_FALSE(cache.lookup(49, w, h));  // grown entries are "not measured"
    cache.store(-5, 10, 60);               // looked up as width 0
    ASSERT_TRUE(cache.lookup(INT_MIN, w, h));
    EXPECT_EQ(h, 60);
    for (int32_t huge : {INT_MAX, 1 << 30, controls::LabelSizeCache::kMaxCachedWidth + 1}) {
        cache.store(huge, 1, 1);
        EXPECT_FALSE(cache.lookup(huge, w, h)) << huge;
    }
    EXPECT_EQ(cache.capacity(), 51);
    cache.clear();
    EXPECT_FALSE(cache.lookup(50, w, h));
}

// A component that only keeps its enabled and editable states.
class Switchable final : public Component, public IEditable {
public:
    const char16_t* className() const override { return u"Switchable"; }
    base::IObject* newInstance() const override { return nullptr; }
    void release() override {}
    void reset() override {}
    void setEditable(bool on) override { editable = on; }
    bool isEditable() const override { return editable; }
    bool editable = true;
};

TEST(Enablers, ReactOnlyToTheirOwnSourceWhateverTheEventId) {
    Switchable sourceA, sourceB, t1, t2;
    events::Enabler enabler(&sourceA);
    events::Disabler disabler(&sourceB);
    enabler.addTarget(&t1);
    enabler.addTarget(&t2);
    enabler.addTarget(nullptr);
    disabler.addTarget(&t1);
    disabler.addTarget(&t2);
    EXPECT_EQ(enabler.targetCount(), 2);

    // The enabler is registered on both sources; only A's events switch the targets on.
    disabler.onEvent(&sourceB, 0);
    enabler.onEvent(&sourceB, 0);
    EXPECT_FALSE(t1.isEnabled());
    EXPECT_FALSE(t2.isEnabled());
    enabler.onEvent(&sourceA, 77);
    EXPECT_TRUE(t1.isEnabled());
    EXPECT_TRUE(t2.isEnabled());
    enabler.onEvent(nullptr, 0);
    disabler.onEvent(&sourceA, 1);
    EXPECT_TRUE(t1.isEnabled());

    events::UnEditabler lock(&sourceA);
    events::Editabler unlock(&sourceB);
    lock.addTarget(&t1);
    unlock.addTarget(&t1);
    lock.onEvent(&sourceA, 0);
    EXPECT_FALSE(t1.editable);
    lock.onEvent(&sourceB, 0);
    unlock.onEvent(&sourceA, 0);
    EXPECT_FALSE(t1.editable);
    unlock.onEvent(&sourceB, 0);
    EXPECT_TRUE(t1.editable);
}

}  // namespace
}  // namespace s::gui

namespace s::gui {
namespace {

TEST(ScrollInfo, PositionStaysWithinAWholePageAndTheThumbFollows) {
    controls::ScrollInfo info;
    info.setRange(0, 99);
    info.setPage(10);
    struct Case {
        int32_t asked, position;
        int32_t thumbStart;  // along a 200-pixel track
    } cases[] = {{-5, 0, 0}, {0, 0, 0}, {45, 45, 90}, {90, 90, 180}, {500, 90, 180}};
    for (const Case& c : cases) {
        info.setPosition(c.asked);
        EXPECT_EQ(info.position(), c.position) << c.asked;
        int32_t start = 0, size = 0;
        info.thumb(200, start, size);
        EXPECT_EQ(size, 20);
        EXPECT_EQ(start, c.thumbStart) << c.asked;
        EXPECT_EQ(info.positionAtThumb(start, 200), c.position) << c.asked;
    }
    EXPECT_FALSE(info.setPosition(90));
    info.setRange(50, 10);  // put in order
    EXPECT_EQ(info.minimum(), 10);
    EXPECT_EQ(info.position(), 41);  // the last whole page of the new range
    info.setPage(1000);              // everything visible: one thumb over the whole track
    int32_t start = -1, size = -1;
    info.thumb(120, start, size);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(size, 120);
    EXPECT_EQ(info.positionAtThumb(60, 120), 10);
    info.setRange(INT32_MIN, INT32_MAX);
    info.setPage(0);
    info.setPosition(INT32_MAX);
    info.thumb(100, start, size);
    EXPECT_GE(start, 0);
    EXPECT_LE(start + size, 100);
}

}  // namespace
}  // namespace s::gui

namespace s::gui {
namespace {

TEST(Spacer, SizesFollowExactThenTheLargerHintAndExchangeWithTheOrientation) {
    controls::Spacer* gap = controls::Spacer::take();
    gap->setMinimum(4, 10);
    gap->setMaximum(2, 30);
    EXPECT_EQ(gap->minimumWidth(), 4);
    EXPECT_EQ(gap->maximumWidth(), 4);  // the larger of the two
    EXPECT_EQ(gap->maximumHeight(), 30);
    gap->setExactHeight(12);
    EXPECT_EQ(gap->minimumHeight(), 12);
    EXPECT_EQ(gap->maximumHeight(), 12);
    gap->setPercentHeight(50);  // clears the exact height; no parent: the hints
    EXPECT_EQ(gap->minimumHeight(), 10);
    gap->setVertical();  // width and height settings change places
    EXPECT_EQ(gap->minimumWidth(), 10);
    EXPECT_EQ(gap->minimumHeight(), 4);
    gap->setVertical();  // already vertical: nothing moves
    EXPECT_EQ(gap->minimumWidth(), 10);
    gap->release();
}

}  // namespace
}  // namespace s::gui

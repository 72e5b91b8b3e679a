#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "gui/component.h"
#include "gui/controls/button_logic.h"
#include "gui/controls/label_size_cache.h"
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

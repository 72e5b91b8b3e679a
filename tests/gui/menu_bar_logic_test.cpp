#include <gtest/gtest.h>

#include <string>

#include "gui/menu/menu_bar_logic.h"

namespace s::gui::menu {
namespace {

// Writes every request of the logic into one line, e.g. "cap+ open0 close".
class HostLog : public IMenuBarHost {
public:
    void openDropDown(int32_t entry) override { log += " open" + std::to_string(entry); }
    void closeDropDown() override { log += " close"; }
    void captureMouse(bool on) override { log += on ? " cap+" : " cap-"; }
    void repaint() override {}
    void commandEntryChosen(int32_t entry) override { log += " cmd" + std::to_string(entry); }
    std::string take() {
        std::string out = log;
        log.clear();
        return out;
    }
    std::string log;
};

// Three entries 40 + 2 * 6 wide, 12 + 2 * 3 high: "File" and "View" drop down, "Help" is a
// command entry.
class MenuBarLogicTest : public ::testing::Test {
protected:
    void SetUp() override {
        const int32_t widths[] = {40, 40, 40};
        const int32_t heights[] = {12, 10, 12};
        const uint8_t dropDown[] = {1, 1, 0};
        logic.layout(widths, heights, dropDown, 3, 6, 3, 150, false);
    }
    HostLog host;
    MenuBarLogic logic{host};
};

TEST_F(MenuBarLogicTest, EntriesFollowEachOtherAndAreTransparentBeside) {
    EXPECT_EQ(logic.contentWidth(), 156);
    EXPECT_EQ(logic.contentHeight(), 18);
    int32_t l, t, r, b;
    ASSERT_TRUE(logic.entryRect(1, l, t, r, b));
    EXPECT_EQ(l, 52);
    EXPECT_EQ(r, 104);
    EXPECT_EQ(t, 0);
    EXPECT_EQ(b, 18);
    EXPECT_FALSE(logic.entryRect(3, l, t, r, b));
    struct Case {
        int32_t x, y, entry;
    } cases[] = {{0, 0, 0},    {51, 17, 0},  {52, 5, 1},  {155, 5, 2},
                 {156, 5, -1}, {10, 18, -1}, {-1, 5, -1}, {300, 300, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(logic.entryAt(c.x, c.y), c.entry) << c.x << "," << c.y;
}

TEST(MenuBarLogicLayout, LastEntryMovesToTheRightEdge) {
    HostLog host;
    MenuBarLogic logic(host);
    const int32_t widths[] = {20, 30};
    const int32_t heights[] = {10, 10};
    logic.layout(widths, heights, nullptr, 2, 5, 2, 200, true);
    int32_t l, t, r, b;
    ASSERT_TRUE(logic.entryRect(1, l, t, r, b));
    EXPECT_EQ(r, 200);
    EXPECT_EQ(l, 160);
    EXPECT_EQ(logic.entryAt(100, 5), -1);
    EXPECT_EQ(logic.entryAt(170, 5), 1);
}

TEST_F(MenuBarLogicTest, SecondClickClosesAndAClickWithin500MsDoesNotReopen) {
    logic.buttonDown(10, 5, 1000);
    EXPECT_EQ(host.take(), " cap+ open0");
    EXPECT_TRUE(logic.isOpen());
    logic.buttonDown(10, 5, 1100);  // on the open title
    EXPECT_EQ(host.take(), " cap+ close");
    logic.trackingEnded(1110);
    EXPECT_FALSE(logic.isOpen());
    EXPECT_EQ(logic.hot(), -1);
    host.take();
    struct Case {
        uint32_t at;
        const char* log;
    } cases[] = {{1110 + 200, " cap+"}, {1110 + 500, " cap+"}, {1110 + 501, " cap+ open0"}};
    for (const Case& c : cases) {
        logic.buttonDown(10, 5, c.at);
        EXPECT_EQ(host.take(), c.log) << c.at;
        logic.buttonUp(10, 5);
    }
}

TEST_F(MenuBarLogicTest, ReopenGuardSurvivesTheTickWrap) {
    struct Case {
        uint32_t closedAt, now;
        bool guarded;
    } cases[] = {
        {0xFFFFFF00u, 0x000000A0u, true},   // 416 ms later, across the wrap
        {0xFFFFFF00u, 0x00000200u, false},  // 768 ms later
        {0xFFFFFFFFu, 0xFFFFFFFFu, true},  {100, 600, true}, {100, 601, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MenuBarLogic::withinReopenGuard(c.closedAt, c.now), c.guarded) << c.now;

    logic.buttonDown(10, 5, 0xFFFFFF00u);
    logic.trackingEnded(0xFFFFFF00u);
    host.take();
    logic.buttonDown(10, 5, 0x000000A0u);
    EXPECT_EQ(host.take(), " cap+");
    logic.buttonUp(10, 5);
    logic.buttonDown(10, 5, 0x00000200u);
    EXPECT_EQ(host.take(), " cap+ open0");
}

TEST_F(MenuBarLogicTest, MovingAlongTheBarWhileOpenSwitchesTheDropDown) {
    logic.buttonDown(10, 5, 5000);
    host.take();
    logic.mouseMove(20, 5);  // same entry: nothing
    EXPECT_EQ(host.take(), "");
    logic.mouseMove(60, 5);
    EXPECT_EQ(host.take(), " close");
    EXPECT_TRUE(logic.isSwitching());
    EXPECT_EQ(logic.hot(), 1);
    logic.trackingEnded(5050);
    EXPECT_EQ(host.take(), " cap+ open1");
    EXPECT_TRUE(logic.isOpen());
    EXPECT_EQ(logic.openEntry(), 1);
    // Onto the command entry: the drop-down closes and nothing else opens.
    logic.mouseMove(120, 5);
    logic.trackingEnded(5100);
    EXPECT_EQ(host.take(), " close cap-");
    EXPECT_FALSE(logic.isOpen());
}

TEST_F(MenuBarLogicTest, CommandEntryFiresOnReleaseAndNeverOpens) {
    logic.buttonDown(120, 5, 9000);
    EXPECT_EQ(host.take(), " cap+");
    EXPECT_FALSE(logic.isOpen());
    logic.buttonUp(120, 5);
    EXPECT_EQ(host.take(), " cap- cmd2");
    EXPECT_EQ(logic.hot(), -1);
    // Released beside the entries: no command.
    logic.buttonDown(120, 5, 9100);
    logic.buttonUp(400, 5);
    EXPECT_EQ(host.take(), " cap+");
}

TEST_F(MenuBarLogicTest, HoverOpensAndLeavingClearsTheHotEntry) {
    logic.mouseMove(10, 5);
    EXPECT_EQ(logic.hot(), 0);
    EXPECT_EQ(host.take(), "");
    logic.leave();
    EXPECT_EQ(logic.hot(), -1);
    EXPECT_EQ(host.take(), " cap-");
    logic.setHoverOpens(true);
    logic.mouseMove(60, 5);
    EXPECT_EQ(host.take(), " open1");
}

}  // namespace
}  // namespace s::gui::menu

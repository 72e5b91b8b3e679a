#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/drawer/colour.h"
#include "gui/drawer/palette.h"
#include "gui/drawer/schemes.h"

namespace s::gui::drawer {
namespace {

// The two families written out apart from the code's tables: name, then "#RRGGBB" colours.
// clang-format off
const char* const kThinWindowRows[] = {
    "| White | #FFFFFF | #444444 | #CCCCCC | #444444 | #444444 | #000000 | #EEEEEE | #777777 | #777777 | #FFFFFF | #FFFFFF | #000000 | #EEEEEE | #777777 | #FFA500 |",
    "| Ivory | #F2F0E6 | #000000 | #AAAAAA | #000000 | #000000 | #000000 | #EEEEEE | #B0B0B0 | #B0B0B0 | #F0EEE4 | #FFFFFF | #000000 | #EEEEEE | #B0B0B0 | #FFA500 |",
    "| Black | #333333 | #555555 | #555555 | #B0B0B0 | #B0B0B0 | #FFFFFF | #333333 | #999999 | #CCCCCC | #000000 | #FFFFFF | #000000 | #EEEEEE | #D5EB6B | #FFA500 |",
    "| Black II | #333333 | #555555 | #555555 | #B0B0B0 | #B0B0B0 | #DDDDDD | #333333 | #999999 | #CCCCCC | #000000 | #FFFFFF | #000000 | #EEEEEE | #D5EB6B | #FFA500 |",
    "| Black Black | #000000 | #333333 | #333333 | #B0B0B0 | #B0B0B0 | #FFFFFF | #333333 | #999999 | #CCCCCC | #000000 | #FFFFFF | #000000 | #EEEEEE | #D5EB6B | #FFA500 |",
    "| Black Black II | #000000 | #333333 | #333333 | #B0B0B0 | #B0B0B0 | #DDDDDD | #333333 | #999999 | #CCCCCC | #000000 | #FFFFFF | #000000 | #EEEEEE | #D5EB6B | #FFA500 |",
    "| Classic LG | #747474 | #111111 | #565656 | #111111 | #111111 | #FFFFFF | #333333 | #747474 | #191919 | #FFFFFF | #313131 | #BFBFBF | #383838 | #C3EA00 | #191919 |",
    "| Beige | #ECE9D8 | #000000 | #AAAAAA | #000000 | #000000 | #000000 | #EEEEEE | #A8A280 | #A8A280 | #ECE9D8 | #FFFFFF | #000000 | #EEEEEE | #A8A280 | #FFA500 |",
    "| Sky Blue | #C2DFFF | #5785FF | #5785FF | #5785FF | #5785FF | #000000 | #EEEEEE | #5785FF | #5785FF | #FFFFFF | #FFFFFF | #000000 | #EEEEEE | #5785FF | #FFA500 |",
    "| Pink | #FFC2E6 | #FF5DA2 | #FF5DA2 | #FF5DA2 | #FF5DA2 | #000000 | #EEEEEE | #FF5DA2 | #FF5DA2 | #FFFFFF | #FFFFFF | #000000 | #EEEEEE | #FF305C | #FFA500 |",
    "| Salmon Red | #FF305C | #FFBDCB | #FFBDCB | #FFBDCB | #FFBDCB | #FFFFFF | #333333 | #FFBDCB | #FFBDCB | #FF305C | #FFFFFF | #000000 | #EEEEEE | #FFC2E6 | #FFA500 |",
    "| Yellow | #FCFF5B | #E0CE00 | #E0CE00 | #E0CE00 | #E0CE00 | #000000 | #EEEEEE | #E0CE00 | #E0CE00 | #FFFFFF | #FFFFFF | #000000 | #EEEEEE | #A8FF53 | #FFA500 |",
    "| Green | #B8FF3D | #81A007 | #81A007 | #81A007 | #81A007 | #000000 | #EEEEEE | #8FAF11 | #8FAF11 | #FFFFFF | #FFFFFF | #000000 | #EEEEEE | #8FAF11 | #FFA500 |",
    "| Orange | #FFCF3D | #DD8702 | #DD8702 | #DD8702 | #DD8702 | #000000 | #EEEEEE | #DD8702 | #DD8702 | #FFFFFF | #FFFFFF | #000000 | #EEEEEE | #FFFFFF | #FFA500 |",
    "| Khaki | #3E5C00 | #92B941 | #92B941 | #92B941 | #92B941 | #FFFFFF | #333333 | #DD8702 | #DD8702 | #3E5C00 | #FFFFFF | #000000 | #EEEEEE | #D5EB6B | #FFA500 |",
    "| Indigo | #310082 | #C07DFF | #C07DFF | #C07DFF | #C07DFF | #FFFFFF | #333333 | #C39EFF | #C39EFF | #310082 | #FFFFFF | #000000 | #EEEEEE | #C07DFF | #FFA500 |",
};
const char* const kThinRows[] = {
    "| White | #FFFFFF | #444444 | #000000 | #777777 | #B0B0B0 | #FFA500 |",
    "| Light Gray | #F0EEE4 | #000000 | #000000 | #B0B0B0 | #B0B0B0 | #FFA500 |",
    "| Black | #333333 | #B0B0B0 | #FFFFFF | #B0B0B0 | #D5EB6B | #FFA500 |",
    "| Ivory | #ECE9D8 | #000000 | #000000 | #A8A280 | #A8A280 | #FFA500 |",
    "| Sky Blue | #FFFFFF | #5785FF | #000000 | #5785FF | #5785FF | #FFA500 |",
    "| Pink | #FFFFFF | #FF5DA2 | #000000 | #FF5DA2 | #FF5DA2 | #FFA500 |",
    "| Green | #FFFFFF | #8FAF11 | #003300 | #8FAF11 | #8FAF11 | #FFA500 |",
    "| Green2 | #D5EB6B | #000000 | #000000 | #000000 | #000000 | #FFA500 |",
    "| Yellow | #FFFFFF | #E0CE00 | #000000 | #E0CE00 | #E0CE00 | #FFA500 |",
    "| Orange | #FFFFFF | #DD8702 | #000000 | #DD8702 | #DD8702 | #FFA500 |",
    "| Khaki | #3E5C00 | #92B941 | #FFFFFF | #DD8702 | #DD8702 | #FFA500 |",
    "| Indigo | #4B0082 | #C07DFF | #FFFFFF | #C07DFF | #C07DFF | #FFA500 |",
    "| Salmon Red | #FF305C | #FFBDCB | #FFFFFF | #FFBDCB | #FFBDCB | #FFA500 |",
};
// clang-format on

struct Row {
    std::u16string name;
    std::vector<std::string> colours;
};

Row parseRow(const char* text) {
    Row row;
    std::string s(text);
    std::vector<std::string> cells;
    size_t at = 0;
    while ((at = s.find('|', at)) != std::string::npos) {
        const size_t next = s.find('|', at + 1);
        if (next == std::string::npos)
            break;
        std::string cell = s.substr(at + 1, next - at - 1);
        cell.erase(0, cell.find_first_not_of(' '));
        cell.erase(cell.find_last_not_of(' ') + 1);
        cells.push_back(cell);
        at = next;
    }
    row.name.assign(cells[0].begin(), cells[0].end());
    row.colours.assign(cells.begin() + 1, cells.end());
    return row;
}

uint32_t colourOf(const std::string& text) {
    uint32_t out = 0xDEADBEEF;
    EXPECT_TRUE(parseHexColour(text.c_str(), out)) << text;
    return out;
}

TEST(Colour, HexTextBecomesPlatformOrder) {
    struct Case {
        const char* text;
        bool ok;
        uint32_t value;
    } cases[] = {
        {"#FFA500", true, 0x0000A5FFu},
        {"#ffa500", true, 0x0000A5FFu},
        {"#123456", true, 0x00563412u},
        {"#000000", true, 0u},
        {"#FFFFFF", true, 0x00FFFFFFu},
        {"FFA500", false, 0},
        {"#FFA50", false, 0},
        {"#FFA5000", false, 0},
        {"#GG0000", false, 0},
        {"", false, 0},
        {"#", false, 0},
        {nullptr, false, 0},
    };
    for (const Case& c : cases) {
        uint32_t out = 0xDEADBEEF;
        EXPECT_EQ(parseHexColour(c.text, out), c.ok) << (c.text ? c.text : "(null)");
        EXPECT_EQ(out, c.ok ? c.value : 0xDEADBEEF) << (c.text ? c.text : "(null)");
    }
    EXPECT_EQ(rgb(0x12, 0x34, 0x56), 0x00563412u);
    EXPECT_EQ(redOf(0x00563412u), 0x12);
    EXPECT_EQ(greenOf(0x00563412u), 0x34);
    EXPECT_EQ(blueOf(0x00563412u), 0x56);
}

TEST(Schemes, ThinWindowHasEverySchemeAndColourInMenuOrder) {
    auto schemes = thinWindowSchemes();
    ASSERT_EQ(schemes.size(), std::size(kThinWindowRows));
    ASSERT_EQ(schemes.size(), 16u);
    for (size_t i = 0; i < schemes.size(); ++i) {
        const Row row = parseRow(kThinWindowRows[i]);
        EXPECT_EQ(std::u16string(schemes[i].name), row.name) << i;
        ASSERT_EQ(row.colours.size(), 15u);
        for (int n = 1; n <= 15; ++n)
            EXPECT_EQ(schemes[i].colour(n), colourOf(row.colours[n - 1])) << i << " colour " << n;
    }
}

TEST(Schemes, ThinHasEverySchemeAndColourInMenuOrder) {
    auto schemes = thinSchemes();
    ASSERT_EQ(schemes.size(), std::size(kThinRows));
    ASSERT_EQ(schemes.size(), 13u);
    for (size_t i = 0; i < schemes.size(); ++i) {
        const Row row = parseRow(kThinRows[i]);
        const ThinScheme& s = schemes[i];
        EXPECT_EQ(std::u16string(s.name), row.name) << i;
        ASSERT_EQ(row.colours.size(), 6u);
        const uint32_t got[] = {s.background, s.accent,  s.text,
                                s.slider,     s.counter, s.counterHighlight};
        for (int n = 0; n < 6; ++n)
            EXPECT_EQ(got[n], colourOf(row.colours[n])) << i << " colour " << n;
    }
}

// The mapping tables: for each drawer, the source of each parameter in order. For
// "ThinWindow" a column number; for "Thin" a letter (B, A, T, S, N, H, F for #F3F3F3, '-'
// for a parameter the skin leaves to the drawer).
struct Mapping {
    DrawerKind kind;
    std::vector<int> thinWindow;
    const char* thin;
};
const Mapping kMappings[] = {
    {DrawerKind::kWindow, {2, 1}, "AB"},
    {DrawerKind::kButton, {4, 3, 4, 9, 6, 3, 10}, "A---TT-"},
    {DrawerKind::kText, {6, 1, 7, 3, 6, 4}, "T--T--"},
    {DrawerKind::kScrollBar, {4, 8}, "AB"},
    {DrawerKind::kCheckBox, {4, 6, 3}, "ATT"},
    {DrawerKind::kRadioButton, {4, 6, 3}, "ATT"},
    {DrawerKind::kSlider, {4, 8, 3}, "AS-"},
    {DrawerKind::kCounter, {14, 15}, "NH"},
    {DrawerKind::kListHeader, {4, 9, 10}, "ABT"},
    {DrawerKind::kListBox, {11, 12, 9, 10, 13}, "BTABF"},
    {DrawerKind::kStatusBar, {4}, "A"},
    {DrawerKind::kMenu, {6, 4, 1, 6, 4, 6}, "TAB---"},
    {DrawerKind::kCombo, {6, 4, 6}, "TAT"},
    {DrawerKind::kGroupBox, {5, 6, 6}, "ATT"},
    {DrawerKind::kTabBox, {4, 6, 6, 6}, "A---"},
};

TEST(Palette, ThinWindowHandsEachDrawerItsColoursInOrder) {
    ASSERT_EQ(std::size(kMappings), static_cast<size_t>(kDrawerKindCount));
    for (const ThinWindowScheme& scheme : thinWindowSchemes()) {
        const Palette p = paletteOf(scheme);
        for (const Mapping& m : kMappings) {
            const DrawerColours& d = p.of(m.kind);
            ASSERT_EQ(d.count, static_cast<int32_t>(m.thinWindow.size()));
            for (int32_t i = 0; i < d.count; ++i) {
                EXPECT_TRUE(d.isSet(i));
                EXPECT_EQ(d.colour(i), scheme.colour(m.thinWindow[i]))
                    << "kind " << static_cast<int>(m.kind) << " param " << i;
            }
            EXPECT_EQ(d.width, m.kind == DrawerKind::kScrollBar ? 15 : 0);
        }
    }
}

TEST(Palette, ThinHandsEachDrawerItsColoursInOrderAndLeavesTheRest) {
    for (const ThinScheme& s : thinSchemes()) {
        const Palette p = paletteOf(s);
        for (const Mapping& m : kMappings) {
            const DrawerColours& d = p.of(m.kind);
            const std::string letters = m.thin;
            ASSERT_EQ(d.count, static_cast<int32_t>(letters.size()));
            for (int32_t i = 0; i < d.count; ++i) {
                const char l = letters[static_cast<size_t>(i)];
                if (l == '-') {
                    EXPECT_FALSE(d.isSet(i));
                    continue;
                }
                const uint32_t want = l == 'B'   ? s.background
                                      : l == 'A' ? s.accent
                                      : l == 'T' ? s.text
                                      : l == 'S' ? s.slider
                                      : l == 'N' ? s.counter
                                      : l == 'H' ? s.counterHighlight
                                                 : colourOf("#F3F3F3");
                EXPECT_TRUE(d.isSet(i));
                EXPECT_EQ(d.colour(i), want) << "kind " << static_cast<int>(m.kind) << " " << i;
            }
        }
    }
}

TEST(Palette, BlackIIDiffersFromBlackOnlyInTheTextColour) {
    const auto schemes = thinWindowSchemes();
    const Palette black = paletteOf(schemes[2]);
    const Palette black2 = paletteOf(schemes[3]);
    int changed = 0;
    for (int32_t k = 0; k < kDrawerKindCount; ++k) {
        for (int32_t i = 0; i < black.drawers[k].count; ++i) {
            const uint32_t a = black.drawers[k].colour(i);
            const uint32_t b = black2.drawers[k].colour(i);
            if (a == b)
                continue;
            ++changed;
            EXPECT_EQ(a, colourOf("#FFFFFF"));
            EXPECT_EQ(b, colourOf("#DDDDDD"));
        }
    }
    EXPECT_GT(changed, 0);
}

TEST(Palette, ClassicLGListIsLightOnDarkAndItsCounterHighlightIsTheOnlyOther) {
    int others = 0;
    for (const ThinWindowScheme& s : thinWindowSchemes()) {
        const Palette p = paletteOf(s);
        const DrawerColours& list = p.of(DrawerKind::kListBox);
        const uint32_t highlight = p.of(DrawerKind::kCounter).colour(param::counter::kHighlight);
        if (std::u16string(s.name) == u"Classic LG") {
            EXPECT_EQ(list.colour(param::listbox::kText), colourOf("#BFBFBF"));
            EXPECT_EQ(list.colour(param::listbox::kBackground), colourOf("#313131"));
            EXPECT_EQ(list.colour(param::listbox::kAlternate), colourOf("#383838"));
            EXPECT_EQ(highlight, colourOf("#191919"));
        } else {
            EXPECT_EQ(highlight, colourOf("#FFA500"));
            ++others;
        }
    }
    EXPECT_EQ(others, 15);
}

}  // namespace
}  // namespace s::gui::drawer

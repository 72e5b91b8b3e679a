#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "gui/drawer/colour.h"
#include "gui/drawer/skinner.h"
#include "gui/drawer/win/button.h"
#include "gui/drawer/win/controls.h"
#include "gui/drawer/win/glyphs.h"
#include "gui/drawer/win/list.h"
#include "gui/drawer/win/picture.h"
#include "gui/drawer/win/window.h"
#include "image/jpg/win/jpeg.h"
#include "tests/drawer/jpeg_encode.h"
#include "tests/drawer/win/canvas.h"
#include "tests/drawer/win/gdi_count.h"

namespace s::gui::drawer {
namespace {

using test::Canvas;
constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0x0000FF, kInk = 0x00FF00;

template <class T>
struct Taken {
    T* d = T::take();
    ~Taken() { d->release(); }
    T* operator->() const { return d; }
};

DrawerColours coloursOf(std::initializer_list<uint32_t> values) {
    DrawerColours c;
    for (uint32_t v : values)
        c.params[c.count++] = ColourParam{v, true};
    return c;
}

// --- glyphs ---

TEST(Glyphs, MinimiseIsOneBarAtEightyPercentOfTheInnerHeight) {
    Canvas c(15, 15);
    ASSERT_TRUE(win::paintGlyph(c.dc(), 0, 0, 15, 15, u"#_", kInk));
    EXPECT_EQ(c.count(kInk, 0, 0, 15, 15), 13 * 2);
    EXPECT_EQ(c.count(kInk, 1, 11, 14, 13), 13 * 2);  // rows 11 and 12, 13 pixels wide
    EXPECT_EQ(c.at(0, 11), kBlack);
    EXPECT_EQ(c.at(14, 11), kBlack);
}

TEST(Glyphs, CloseIsTwoDiagonalsOfTwoByTwoSquares) {
    Canvas c(15, 15);
    ASSERT_TRUE(win::paintGlyph(c.dc(), 0, 0, 15, 15, u"#X", kInk));
    // Inner 13 x 13; the even square is 12 x 12 at (1, 1).
    for (int k = 1; k <= 13; ++k)
        EXPECT_EQ(c.at(k, k), kInk) << k;  // first diagonal, down to the inner corner
    for (int k = 0; k <= 10; ++k) {
        EXPECT_EQ(c.at(12 - k, 1 + k), kInk) << k;  // second diagonal from the top right
        EXPECT_EQ(c.at(11 - k, 1 + k), kInk) << k;
    }
    EXPECT_EQ(c.at(13, 1), kBlack);
    EXPECT_EQ(c.at(0, 0), kBlack);
    EXPECT_EQ(c.at(7, 1), kBlack);
    EXPECT_EQ(c.count(kInk, 0, 0, 15, 1), 0);  // the margin stays clear
    EXPECT_EQ(c.count(kInk, 0, 0, 1, 15), 0);
    EXPECT_EQ(c.count(kInk, 14, 0, 15, 15), 0);
    // A wide button: the square is centred horizontally.
    Canvas wide(25, 15);
    win::paintGlyph(wide.dc(), 0, 0, 25, 15, u"#X", kInk);
    EXPECT_EQ(wide.at(6, 1), kInk);  // (23 - 12) / 2 = 5 past the inner left edge
    EXPECT_EQ(wide.at(5, 1), kBlack);
}

TEST(Glyphs, CaptionsThatNameNoGlyphPaintNothing) {
    for (const char16_t* caption : {u"X", u"_", u"", u"#", u"#Nope", u"#x", u"#Color-12",
                                    u"#Color-GGGGGG", static_cast<const char16_t*>(nullptr)}) {
        Canvas c(15, 15);
        EXPECT_FALSE(win::paintGlyph(c.dc(), 0, 0, 15, 15, caption, kInk));
        EXPECT_FALSE(win::isGlyph(caption));
        EXPECT_EQ(c.count(kInk, 0, 0, 15, 15), 0);
    }
}

TEST(Glyphs, EveryNamedGlyphPaintsInsideItsMargin) {
    const char16_t* names[] = {u"#X",
                               u"#_",
                               u"#Transform",
                               u"#Play",
                               u"#Pause",
                               u"#Stop",
                               u"#Speaker",
                               u"#Mute",
                               u"#Right",
                               u"#RightRight",
                               u"#Left",
                               u"#LeftLeft",
                               u"#Up",
                               u"#Down",
                               u"#ThumbLineV",
                               u"#ThumbLineH",
                               u"#Minus",
                               u"#Plus",
                               u"#PlusMinus",
                               u"#Check",
                               u"#Next",
                               u"#Prev",
                               u"#TreeClosed",
                               u"#TreeOpen",
                               u"#TurnRight",
                               u"#TurnLeft",
                               u"#OnTop",
                               u"#FitWindow",
                               u"#FitToWindow",
                               u"#Palm",
                               u"#KeepRatio",
                               u"#Resizer",
                               u"#Color-#FF0000",
                               u"#Color-00FF00",
                               u"#\u25A1",
                               u"#\u2199"};
    for (const char16_t* name : names) {
        Canvas c(17, 17);
        ASSERT_TRUE(win::paintGlyph(c.dc(), 0, 0, 17, 17, name, kWhite))
            << std::string(name, name + std::char_traits<char16_t>::length(name));
        EXPECT_GT(c.countNot(kBlack, 1, 1, 16, 16), 0);
        EXPECT_EQ(c.countNot(kBlack, 0, 0, 17, 1) + c.countNot(kBlack, 0, 16, 17, 17) +
                      c.countNot(kBlack, 0, 0, 1, 17) + c.countNot(kBlack, 16, 0, 17, 17),
                  0);
    }
    // The up and down arrows point where they say.
    Canvas up(15, 15), down(15, 15);
    win::paintGlyph(up.dc(), 0, 0, 15, 15, u"#Up", kInk);
    win::paintGlyph(down.dc(), 0, 0, 15, 15, u"#Down", kInk);
    EXPECT_LT(up.count(kInk, 0, 0, 15, 7), up.count(kInk, 0, 8, 15, 15));
    EXPECT_GT(down.count(kInk, 0, 0, 15, 7), down.count(kInk, 0, 8, 15, 15));
    // The caption buttons' maximize box is framed with a bar on top; the restore arrow
    // ends in the bottom left corner and leaves the top left one empty.
    Canvas box(18, 18), arrow(18, 18);
    win::paintGlyph(box.dc(), 0, 0, 18, 18, u"#\u25A1", kInk);
    win::paintGlyph(arrow.dc(), 0, 0, 18, 18, u"#\u2199", kInk);
    EXPECT_EQ(box.count(kInk, 1, 1, 17, 3), 16 * 2);
    EXPECT_EQ(box.count(kInk, 3, 3, 15, 15), 0);
    EXPECT_EQ(box.count(kInk, 1, 15, 17, 17), 16 * 1 + 2);
    EXPECT_GT(arrow.count(kInk, 1, 12, 6, 17), 0);
    EXPECT_EQ(arrow.count(kInk, 1, 1, 6, 6), 0);
}

TEST(Glyphs, CheckAndTreeNodesReadAsWhatTheyAre) {
    // The check mark in a 9 x 9 box: its lowest point left of the middle, rising to the
    // top right, the top left corner empty.
    Canvas check(9, 9);
    ASSERT_TRUE(win::paintGlyph(check.dc(), 0, 0, 9, 9, u"#Check", kInk));
    int lowest = -1, lowestX = -1;
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            if (check.at(x, y) == kInk && y >= lowest) {
                lowest = y;
                lowestX = x;
            }
        }
    }
    EXPECT_GE(lowest, 6);
    EXPECT_LT(lowestX, 5);
    EXPECT_GT(check.count(kInk, 6, 1, 8, 4), 0);
    EXPECT_EQ(check.count(kInk, 1, 1, 3, 3), 0);
    // Tree nodes in 13 x 13: a framed box with a minus (open) or a plus (closed).
    Canvas open(13, 13), closed(13, 13);
    ASSERT_TRUE(win::paintGlyph(open.dc(), 0, 0, 13, 13, u"#TreeOpen", kInk));
    ASSERT_TRUE(win::paintGlyph(closed.dc(), 0, 0, 13, 13, u"#TreeClosed", kInk));
    for (Canvas* c : {&open, &closed}) {
        EXPECT_EQ(c->count(kInk, 1, 1, 12, 2), 11);  // the box's top
        EXPECT_EQ(c->count(kInk, 1, 11, 12, 12), 11);
        EXPECT_EQ(c->at(6, 6), kInk);  // the minus
        EXPECT_EQ(c->at(4, 6), kInk);
        EXPECT_EQ(c->at(6, 8), c == &closed ? kInk : kBlack);  // the plus's stroke
        EXPECT_EQ(c->at(6, 4), c == &closed ? kInk : kBlack);
    }
}

TEST(ButtonDrawer, StatesTakeTheirFacesAndGlyphCaptionsTheirTextColour) {
    Taken<button::win::Thin> b;
    const uint32_t base = 0x0000AA, normal = 0x111111, hot = 0x222222, pressed = 0x333333,
                   ink1 = 0x444444, ink2 = 0x555555, ink3 = 0x666666;
    b->setColours(coloursOf({base, normal, hot, pressed, ink1, ink2, ink3}));
    struct Case {
        int32_t state;
        bool enabled;
        uint32_t face, ink;
    } cases[] = {{0, true, normal, ink1},
                 {1, true, hot, ink3},
                 {2, true, pressed, ink3},
                 {0, false, kBlack, ink2}};  // disabled: no face, frame and text in font 2
    for (const Case& k : cases) {
        Canvas c(15, 15);
        PaintState s;
        s.state = k.state;
        s.enabled = k.enabled;
        s.text = u"#_";
        b->paint(c.dc(), 0, 0, 15, 15, s);
        EXPECT_EQ(c.at(0, 0), k.enabled ? base : ink2) << k.state;
        EXPECT_EQ(c.at(14, 7), k.enabled ? base : ink2);
        EXPECT_EQ(c.at(7, 5), k.face) << k.state;
        EXPECT_EQ(c.at(7, 11), k.ink) << k.state;  // the glyph's bar
    }
    Canvas c(15, 15);
    EXPECT_FALSE(b->paintGlyph(c.dc(), 0, 0, 15, 15, u"X", kInk));
    EXPECT_TRUE(b->paintGlyph(c.dc(), 0, 0, 15, 15, u"#X", kInk));
}

// --- list cells ---

struct ListFixture : ::testing::Test {
    static constexpr uint32_t kBack = 0xEEEEEE, kText = 0x202020, kSel = 0xC08040,
                              kSelText = 0xFAFAFA, kAlt = 0xDDDDDD;
    Taken<listbox::win::Thin> list;
    void SetUp() override { list->setColours(coloursOf({kBack, kText, kSel, kSelText, kAlt})); }
    Rect paint(Canvas& c, const CellPaint& cell, int32_t left = 0, int32_t right = 200) {
        return list->paintCell(c.dc(), left, 0, right, 18, cell);
    }
};

TEST_F(ListFixture, CheckBoxMovesRightWithTheTreeLevel) {
    struct Case {
        bool tree;
        int32_t level;
        int32_t boxLeft;
    } cases[] = {{false, 0, 4}, {true, 0, 19}, {true, 1, 34}, {true, 3, 64}};
    for (const Case& k : cases) {
        Canvas c(200, 18);
        CellPaint cell;
        cell.hasTree = k.tree;
        cell.treeLevel = k.level;
        cell.hasCheckBox = true;
        cell.checkState = 1;
        cell.text = u"Row";
        paint(c, cell);
        EXPECT_EQ(c.at(k.boxLeft, 1), kText) << k.boxLeft;  // the box in the font colour
        EXPECT_EQ(c.at(k.boxLeft + 14, 15), kText);
        EXPECT_EQ(c.at(k.boxLeft - 1, 1), kBack);
        EXPECT_EQ(c.at(k.boxLeft + 15, 8), kBack);
        EXPECT_EQ(c.at(k.boxLeft + 2, 3), kBack);  // unchecked: hollow 2 pixels in
        EXPECT_EQ(c.at(k.boxLeft + 1, 2), kText);
        EXPECT_EQ(c.at(k.boxLeft, 0), kBack);
        EXPECT_EQ(c.at(k.boxLeft, 16), kBack);
        // The hit test matches one pixel right of the drawn box with a tree.
        const int32_t hit = k.tree ? 20 + 15 * k.level : 4;
        EXPECT_TRUE(list->hitCheckBox(hit, 1, k.tree, k.level));
        EXPECT_TRUE(list->hitCheckBox(hit + 14, 15, k.tree, k.level));
        EXPECT_FALSE(list->hitCheckBox(hit - 1, 8, k.tree, k.level));
        EXPECT_FALSE(list->hitCheckBox(hit + 15, 8, k.tree, k.level));
        EXPECT_FALSE(list->hitCheckBox(hit, 0, k.tree, k.level));
        EXPECT_FALSE(list->hitCheckBox(hit, 16, k.tree, k.level));
    }
    for (int32_t level : {0, 2}) {
        const int32_t edge = 4 + 15 * level;
        EXPECT_TRUE(list->hitTreeControl(edge, 1, level));
        EXPECT_TRUE(list->hitTreeControl(edge + 12, 15, level));
        EXPECT_FALSE(list->hitTreeControl(edge + 13, 8, level));
        EXPECT_FALSE(list->hitTreeControl(edge - 1, 8, level));
    }
}

TEST_F(ListFixture, CheckStatesFillOrMarkTheBox) {
    struct Case {
        int32_t state;
        uint32_t centre;  // pixel (4 + 7, 1 + 7)
        uint32_t inner;   // 3 pixels in: (7, 4)
    } cases[] = {{1, kBack, kBack}, {2, kText, kBack}, {3, kText, kBack}, {0, kBack, kBack}};
    for (const Case& k : cases) {
        Canvas c(200, 18);
        CellPaint cell;
        cell.hasCheckBox = true;
        cell.checkState = k.state;
        cell.text = u"Row";
        paint(c, cell);
        EXPECT_EQ(c.at(4, 1), k.state == 0 ? kBack : kText) << k.state;
        if (k.state == 3) {
            EXPECT_EQ(c.count(kText, 8, 5, 15, 12), 7 * 7);  // filled 4 pixels in
        }
        if (k.state == 2) {
            EXPECT_GT(c.count(kText, 7, 4, 16, 13), 8);  // the check mark
        }
        EXPECT_EQ(c.at(7, 4), k.inner) << k.state;
    }
    // Selected: the hollow takes the selection colour, the box the selected text colour.
    Canvas c(200, 18);
    CellPaint cell;
    cell.hasCheckBox = true;
    cell.checkState = 1;
    cell.selected = true;
    cell.text = u"Row";
    paint(c, cell);
    EXPECT_EQ(c.at(4, 1), kSelText);
    EXPECT_EQ(c.at(8, 8), kSel);
}

TEST_F(ListFixture, SelectionBandAndAlternateRows) {
    CellPaint cell;
    cell.text = u"Abc";
    {
        Canvas c(200, 18);
        cell.selected = true;
        const Rect r = paint(c, cell);
        ASSERT_FALSE(r.isEmpty());
        EXPECT_EQ(r.left, 4);
        EXPECT_EQ(c.at(r.left, 0), kSel);
        EXPECT_EQ(c.at(r.right + 3, 17), kSel);  // text plus 4 pixels
        EXPECT_EQ(c.at(r.right + 4, 8), kBack);
        EXPECT_EQ(c.at(r.left - 1, 8), kBack);
        EXPECT_EQ(c.at(199, 8), kBack);
    }
    {
        Canvas c(200, 18);
        cell.fullRow = true;
        paint(c, cell);
        EXPECT_EQ(c.count(kSel, 0, 0, 4, 18), 4 * 18);
        EXPECT_EQ(c.at(199, 17), kSel);
    }
    struct Row {
        bool odd;
        uint32_t fill;
    } rows[] = {{false, kBack}, {true, kAlt}};
    for (const Row& row : rows) {
        Canvas c(200, 18);
        CellPaint plain;
        plain.text = u"Abc";
        plain.oddRow = row.odd;
        paint(c, plain);
        EXPECT_EQ(c.at(0, 0), row.fill);
        EXPECT_EQ(c.at(199, 17), row.fill);
        EXPECT_EQ(c.at(150, 8), row.fill);
    }
    // A centred text sits in the middle of the text area; the band follows it.
    Canvas c(200, 18);
    CellPaint centred;
    centred.text = u"Abc";
    centred.alignment = 1;
    centred.selected = true;
    const Rect r = paint(c, centred);
    EXPECT_NEAR((r.left + r.right) / 2, (4 + 196) / 2, 1);
    EXPECT_EQ(c.at(4, 8), kBack);
    EXPECT_EQ(c.at(r.left, 8), kSel);
}

TEST_F(ListFixture, DropMarkersRunAlongTheTopOrBottom) {
    struct Case {
        int32_t mode;
        bool atEnd;
        bool tree;
        int32_t rows[2];  // rows in the selection colour (-1: none)
        int32_t from;
    } cases[] = {{0, false, false, {0, -1}, 0},
                 {1, false, false, {17, -1}, 0},
                 {1, true, false, {16, 17}, 0},
                 {0, false, true, {0, -1}, 19 + 15}};
    for (const Case& k : cases) {
        Canvas c(200, 18);
        CellPaint cell;
        cell.dropMarker = k.mode;
        cell.dropAtEnd = k.atEnd;
        cell.hasTree = k.tree;
        cell.treeLevel = 1;
        paint(c, cell);
        for (int32_t row : k.rows) {
            if (row < 0)
                continue;
            EXPECT_EQ(c.count(kSel, k.from, row, 200, row + 1), 200 - k.from) << row;
            if (k.from > 0) {
                EXPECT_NE(c.at(k.from - 1, row), kSel);
            }
        }
        EXPECT_EQ(c.at(100, 8), kBack);
    }
}

TEST_F(ListFixture, ProgressBarsAreClampedToTheirCell) {
    const uint32_t grey = hex("#AAAAAA"), red = hex("#FF0000"), green = hex("#86C440");
    struct Case {
        int32_t code;
        uint32_t colour;
        int32_t width;  // of the bar in a 200-pixel cell: v x 196 / 1000
    } cases[] = {
        {4500, red, 98},    {5000, red, 196},   {4000, red, 0},     {2500, grey, 98},
        {2000, grey, 0},    {3000, grey, 196},  {500, green, 98},   {1000, green, 196},
        {1500, green, 196}, {9000, green, 196}, {3500, green, 196}, {999999, green, 196},
    };
    for (const Case& k : cases) {
        // The cell sits inside a wider buffer: nothing may land outside it.
        Canvas c(400, 18, 0x123456);
        CellPaint cell;
        cell.text = u"50%";
        cell.progress = k.code;
        list->paintCell(c.dc(), 100, 0, 300, 18, cell);
        EXPECT_EQ(c.count(k.colour, 100, 5, 300, 6), k.width)
            << k.code;  // one row of the bar, text aside: rows 3..14 hold the bar
        if (k.width > 0) {
            EXPECT_EQ(c.at(102, 14), k.colour) << k.code;
            EXPECT_EQ(c.at(102 + k.width - 1, 14), k.colour) << k.code;
        }
        EXPECT_EQ(c.at(99, 8), 0x123456u);
        EXPECT_EQ(c.at(300, 8), 0x123456u) << k.code;
        EXPECT_EQ(c.at(101, 8), hex("#F0F0F0"));
        EXPECT_EQ(c.at(298, 2), hex("#F0F0F0"));
        if (k.width < 196) {
            EXPECT_EQ(c.at(297, 14), kWhite) << k.code;
        }
    }
    uint32_t colour = 0;
    int32_t value = 0;
    listbox::win::Basic::progressOf(-300, colour, value);
    EXPECT_EQ(value, 0);
}

TEST_F(ListFixture, TextTakesTheColourOfTheFontInUse) {
    struct Case {
        bool selected;
        bool special;  // a grey or emphasis font's own colour, passed by the list
        uint32_t ink;
    } cases[] = {{false, false, kText}, {true, false, kSelText}, {false, true, 0x808080}};
    for (const Case& k : cases) {
        Canvas c(200, 18);
        CellPaint cell;
        cell.text = u"HHHH";
        cell.selected = k.selected;
        cell.useTextColour = k.special;
        cell.textColour = 0x808080;
        const Rect r = paint(c, cell);
        EXPECT_GT(c.count(k.ink, r.left, r.top, r.right, r.bottom), 10) << k.ink;
        EXPECT_EQ(c.count(k.ink, r.right + 5, 0, 200, 18), 0);
    }
}

TEST_F(ListFixture, EllipsisNeverWritesIntoTheCellText) {
    char16_t text[64] = u"A rather long place name that cannot fit";
    char16_t copy[64];
    std::memcpy(copy, text, sizeof text);
    Canvas c(60, 18);
    CellPaint cell;
    cell.text = text;
    cell.ellipsis = true;
    const Rect r = list->paintCell(c.dc(), 0, 0, 60, 18, cell);
    EXPECT_EQ(std::memcmp(text, copy, sizeof text), 0);
    EXPECT_LE(r.right, 56);
    EXPECT_GE(r.left, 4);
    EXPECT_EQ(c.at(57, 8), kBack);  // nothing drawn in the 4 pixels before the edge
}

TEST_F(ListFixture, LinksAreBlueAndEmptyCellsDrawNoText) {
    Canvas c(200, 18);
    CellPaint cell;
    cell.text = u"WWW link";
    cell.link = true;
    cell.hotLink = true;
    const Rect r = paint(c, cell);
    int bluish = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            const uint32_t p = c.at(x, y);
            bluish += blueOf(p) > redOf(p) + 80 && blueOf(p) > greenOf(p) + 80 ? 1 : 0;
        }
    }
    EXPECT_GT(bluish, 5);
    Canvas e(200, 18);
    CellPaint empty;
    EXPECT_TRUE(paint(e, empty).isEmpty());
    EXPECT_EQ(e.count(kBack, 0, 0, 200, 18), 200 * 18);
    EXPECT_TRUE(list->paintCell(e.dc(), 10, 0, 10, 18, empty).isEmpty());
}

// --- header, window, status bar ---

TEST(ListHeader, IsTwentyTwoHighWithItsResetColoursUntilSkinned) {
    Taken<listheader::win::Thin> header;
    EXPECT_EQ(header->headerHeight(), 22);
    Canvas c(120, 22);
    header->paintBackground(c.dc(), 0, 0, 120, 22);
    EXPECT_EQ(c.at(60, 10), hex("#333333"));
    PaintState item;
    item.text = u"Place";
    header->paint(c.dc(), 0, 0, 60, 22, item);
    EXPECT_EQ(c.at(0, 0), hex("#787878"));
    EXPECT_EQ(c.at(59, 21), hex("#787878"));
    EXPECT_EQ(c.at(2, 2), hex("#333333"));
    item.state = 2;  // pressed: on the line colour
    header->paint(c.dc(), 60, 0, 120, 22, item);
    EXPECT_EQ(c.at(62, 2), hex("#787878"));
    header->paintBackgroundIn(c.dc(), 0, 0, 120, 22, kRed);
    EXPECT_EQ(c.at(60, 10), kRed);
    header->setColours(coloursOf({kWhite, kBlack, kWhite}));
    header->paint(c.dc(), 0, 0, 60, 22, PaintState{});
    EXPECT_EQ(c.at(0, 0), kWhite);
    EXPECT_EQ(c.at(2, 2), kBlack);
}

TEST(WindowDrawer, FrameAndCornerStairs) {
    Taken<window::win::Thin> w;
    w->setColours(coloursOf({kRed, kWhite}));
    EXPECT_EQ(w->frameColour(), kRed);
    EXPECT_EQ(w->backgroundColour(), kWhite);
    const int W = 40, H = 30;
    struct Case {
        int32_t top, bottom;
        // Frame pixels at the left end of rows 1..5 below the top (mirrored on the right).
        int32_t topRun[5];
        int32_t bottomRun[5];
    } cases[] = {
        {0, 0, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}}, {1, 0, {2, 1, 1, 1, 1}, {1, 1, 1, 1, 1}},
        {2, 0, {5, 3, 2, 2, 1}, {1, 1, 1, 1, 1}}, {0, 2, {1, 1, 1, 1, 1}, {5, 3, 2, 2, 1}},
        {2, 1, {5, 3, 2, 2, 1}, {2, 1, 1, 1, 1}},
    };
    for (const Case& k : cases) {
        Canvas c(W, H, 0x00AA00);
        w->setCornerStyles(k.top, k.bottom);
        w->paintBackground(c.dc(), 0, 0, W, H);
        EXPECT_EQ(c.count(kRed, 0, 0, W, 1), W);
        EXPECT_EQ(c.count(kRed, 0, H - 1, W, H), W);
        for (int i = 0; i < 5; ++i) {
            const int yt = 1 + i, yb = H - 2 - i;
            EXPECT_EQ(c.count(kRed, 0, yt, 8, yt + 1), k.topRun[i]) << k.top << " row " << yt;
            EXPECT_EQ(c.count(kRed, W - 8, yt, W, yt + 1), k.topRun[i]) << k.top;
            EXPECT_EQ(c.at(k.topRun[i], yt), kWhite);
            EXPECT_EQ(c.count(kRed, 0, yb, 8, yb + 1), k.bottomRun[i]) << k.bottom << " " << yb;
            EXPECT_EQ(c.count(kRed, W - 8, yb, W, yb + 1), k.bottomRun[i]) << k.bottom;
        }
        EXPECT_EQ(c.at(W / 2, H / 2), kWhite);
    }
    // A transparent window keeps what is under it and still gets its frame.
    Canvas c(W, H, 0x00AA00);
    w->setTransparent(true);
    w->setCornerStyles(0, 0);
    w->paintBackground(c.dc(), 0, 0, W, H);
    EXPECT_EQ(c.at(W / 2, H / 2), 0x00AA00u);
    EXPECT_EQ(c.at(0, H / 2), kRed);
}

TEST(WindowDrawer, RegionMatchesTheCornersAndLeavesNoTemporaryRegions) {
    Taken<window::win::Thin> w;
    const int W = 60, H = 40;
    struct Probe {
        int x, y;
        bool inside;
    };
    struct Case {
        int32_t top, bottom;
        std::vector<Probe> probes;
    } cases[] = {
        {0, 0, {{0, 0, true}, {W - 1, H - 1, true}, {0, H - 1, true}}},
        {1, 1, {{0, 0, false}, {2, 2, true}, {W - 1, H - 1, false}, {W / 2, 0, true}}},
        {2, 2, {{0, 0, false}, {1, 1, false}, {0, 2, false}, {5, 5, true}, {W - 1, 0, false}}},
        {2, 0, {{0, 0, false}, {0, H - 1, true}, {W - 1, H - 1, true}, {0, 6, true}}},
        {0, 2, {{0, 0, true}, {W - 1, 0, true}, {0, H - 1, false}, {W - 1, H - 1, false}}},
        {0, 1, {{0, 0, true}, {0, H - 1, false}, {0, H - 5, true}}},
    };
    for (const Case& k : cases) {
        w->setCornerStyles(k.top, k.bottom);
        HRGN region = w->createRegion(W, H);
        ASSERT_NE(region, nullptr);
        for (const Probe& p : k.probes) {
            EXPECT_EQ(PtInRegion(region, p.x, p.y) != FALSE, p.inside)
                << k.top << "/" << k.bottom << " at " << p.x << "," << p.y;
        }
        EXPECT_EQ(PtInRegion(region, W / 2, H / 2) != FALSE, true);
        DeleteObject(region);
    }
    EXPECT_EQ(w->createRegion(0, 10), nullptr);
    // Only the handed-out region remains: the joined rectangles are deleted.
    w->setCornerStyles(2, 0);
    const int32_t before = test::gdiCount().live;
    for (int i = 0; i < 1000; ++i) {
        HRGN r = w->createRegion(W + i % 7, H);
        ASSERT_NE(r, nullptr);
        DeleteObject(r);
    }
    EXPECT_EQ(test::gdiCount().live, before);
}

TEST(StatusBar, SizeGripDotsWithTheirShadows) {
    Taken<statusbar::win::BasicResizer> grip;
    const int W = 20, H = 20;
    Canvas c(W, H);
    grip->paint(c.dc(), 0, 0, W, H, PaintState{});
    const uint32_t shadow = hex("#B8B5A1");
    const int xs[] = {W - 3, W - 3, W - 3, W - 7, W - 7, W - 11};
    const int ys[] = {H - 11, H - 7, H - 3, H - 7, H - 3, H - 3};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(c.count(kWhite, xs[i], ys[i], xs[i] + 2, ys[i] + 2), 4) << i;
        EXPECT_EQ(c.at(xs[i] - 1, ys[i] - 1), shadow) << i;
        EXPECT_EQ(c.at(xs[i], ys[i] - 1), shadow) << i;
        EXPECT_EQ(c.at(xs[i] - 1, ys[i]), shadow) << i;
    }
    EXPECT_EQ(c.count(kWhite, 0, 0, W, H), 24);
    EXPECT_EQ(c.count(shadow, 0, 0, W, H), 18);
    EXPECT_EQ(c.at(W - 1, H - 1), kBlack);
    // Placed from the bottom-right corner of wherever the grip sits.
    Canvas at(40, 30);
    grip->paint(at.dc(), 10, 5, 30, 25, PaintState{});
    EXPECT_EQ(at.count(kWhite, 27, 22, 29, 24), 4);
    EXPECT_EQ(at.count(kWhite, 0, 0, 40, 30), 24);
    Taken<statusbar::win::Basic> basic;
    EXPECT_EQ(basic->barHeight(), 23);
}

TEST(PictureDrawer, FramedPictureFillsTheInnerRectangle) {
    std::vector<uint8_t> samples(16 * 16 * 3);
    for (size_t i = 0; i < samples.size(); i += 3)
        samples[i] = 255;  // red
    const std::vector<uint8_t> bytes = test::encodeJpeg(samples, 16, 16, 3);
    ::s::image::jpg::win::Jpeg* picture = ::s::image::jpg::win::Jpeg::take();
    ASSERT_TRUE(picture->decode(bytes.data(), bytes.size()));
    Taken<image::win::Basic> drawer;
    Canvas c(20, 20, kWhite);
    drawer->paintPicture(c.dc(), c.image(), 0, 0, 10, 10, picture, false, true, false);
    EXPECT_EQ(c.count(kBlack, 0, 0, 10, 1), 10);
    EXPECT_EQ(c.count(kBlack, 0, 9, 10, 10), 10);
    EXPECT_EQ(c.count(kBlack, 0, 0, 1, 10), 10);
    int reddish = 0;
    for (int y = 1; y < 9; ++y) {
        for (int x = 1; x < 9; ++x)
            reddish += redOf(c.at(x, y)) > 240 && greenOf(c.at(x, y)) < 16 ? 1 : 0;
    }
    EXPECT_EQ(reddish, 64);
    EXPECT_EQ(c.count(kWhite, 10, 0, 20, 20), 200);
    EXPECT_EQ(c.count(kWhite, 0, 10, 10, 20), 100);
    // Nothing for an empty rectangle or an empty picture.
    Canvas d(20, 20, kWhite);
    drawer->paintPicture(d.dc(), d.image(), 5, 5, 5, 15, picture, false, true, false);
    ::s::image::jpg::win::Jpeg* empty = ::s::image::jpg::win::Jpeg::take();
    drawer->paintPicture(d.dc(), d.image(), 0, 0, 10, 10, empty, false, true, false);
    drawer->paintPicture(d.dc(), d.image(), 0, 0, 10, 10, nullptr, false, true, false);
    EXPECT_EQ(d.count(kWhite, 0, 0, 20, 20), 400);
    empty->release();
    picture->release();
    // A buffer with alpha is blended over the target.
    ::s::image::win::BufferedImage* overlay = ::s::image::win::BufferedImage::make(4, 4);
    ASSERT_NE(overlay, nullptr);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x)
            overlay->rowAt(y)[x] = 0x80FF0000;  // red at half alpha (blue, green, red, alpha)
    }
    overlay->setHasAlpha(true);
    Canvas e(8, 8, kWhite);
    drawer->paintPicture(e.dc(), e.image(), 2, 2, 6, 6, overlay, false, false, true);
    EXPECT_EQ(e.at(3, 3), rgb(255, 127, 127));
    EXPECT_EQ(e.at(1, 1), kWhite);
    overlay->release();
}

// --- skins ---

TEST(SkinDrawers, EverySkinHasEveryDrawerFromTheStart) {
    Skinner* skinner = Skinner::create(u"ThinWindow");
    ISkin* skin = skinner->currentSkin();
    ASSERT_NE(skin, nullptr);
    ASSERT_NE(skin->listBox(), nullptr);  // before any selection
    for (int32_t i = 0; i < skinner->count(); ++i) {
        for (int32_t k = 0; k < kDrawerKindCount; ++k) {
            IDrawer* d = skinner->skinAt(i)->drawerOf(static_cast<DrawerKind>(k));
            ASSERT_NE(d, nullptr) << i << " " << k;
            EXPECT_EQ(static_cast<int32_t>(d->kind()), k);
        }
    }
    EXPECT_EQ(std::u16string(skin->listBox()->className()), u"s_gui_drawer_listbox_win_Thin");
    EXPECT_EQ(skin->listBox()->backgroundColour(), hex("#FFFFFF"));
    skinner->selectByName(u"Classic LG");
    IListBox* list = skinner->currentSkin()->listBox();
    EXPECT_EQ(list->backgroundColour(), hex("#313131"));
    EXPECT_EQ(list->normalTextColour(), hex("#BFBFBF"));
    EXPECT_EQ(list->alternateColour(), hex("#383838"));
    EXPECT_EQ(skinner->currentSkin()->scrollBar()->width(), 15);
    skinner->release();
    // A "Thin" skin leaves the button's fills to the drawer.
    Skinner* thin = Skinner::create(u"Thin");
    auto* button = static_cast<button::win::Thin*>(thin->currentSkin()->button());
    EXPECT_EQ(button->colourAt(param::button::kSecond), button::win::Thin::kNone);
    EXPECT_EQ(button->colourAt(param::button::kBase), hex("#444444"));
    thin->release();
}

// What one drawer paints at one point, and which palette colour that must be.
struct Probe {
    const char* what;
    DrawerKind kind;
    int32_t param;
    int32_t x, y;  // in a 100 x 24 canvas
};

void paintProbe(ISkin* skin, DrawerKind kind, Canvas& c) {
    IDrawer* d = skin->drawerOf(kind);
    PaintState s;
    s.value = 50;
    switch (kind) {
        case DrawerKind::kListBox: {
            CellPaint cell;
            cell.oddRow = true;
            cell.text = u"";
            skin->listBox()->paintCell(c.dc(), 0, 0, 50, 24, cell);
            cell.oddRow = false;
            cell.selected = true;
            cell.fullRow = true;
            skin->listBox()->paintCell(c.dc(), 50, 0, 100, 24, cell);
            return;
        }
        case DrawerKind::kMenu:
            d->paintBackground(c.dc(), 0, 0, 50, 24);
            s.state = 1;
            d->paint(c.dc(), 50, 0, 100, 24, s);
            return;
        case DrawerKind::kCounter:
            s.value = 100;
            d->paint(c.dc(), 0, 0, 100, 24, s);
            return;
        case DrawerKind::kCheckBox:
        case DrawerKind::kRadioButton:
            s.checked = true;
            d->paint(c.dc(), 0, 0, 100, 24, s);
            return;
        default:
            d->paintBackground(c.dc(), 0, 0, 100, 24);
            d->paint(c.dc(), 0, 0, 100, 24, s);
            return;
    }
}

TEST(SkinDrawers, EachDrawerPaintsItsSchemesColoursInContrastingSchemes) {
    namespace pm = param;
    const Probe probes[] = {
        {"window background", DrawerKind::kWindow, pm::window::kBackground, 50, 12},
        {"window frame", DrawerKind::kWindow, pm::window::kFrame, 0, 12},
        {"button frame", DrawerKind::kButton, pm::button::kBase, 0, 0},
        {"button face", DrawerKind::kButton, pm::button::kSecond, 2, 2},
        {"text field", DrawerKind::kText, pm::text::kFieldBackground, 90, 12},
        {"text frame", DrawerKind::kText, pm::text::kThirdColour, 0, 0},
        {"scroll track frame", DrawerKind::kScrollBar, pm::scrollbar::kLine, 0, 0},
        {"scroll thumb", DrawerKind::kScrollBar, pm::scrollbar::kFill, 50, 12},
        {"check box", DrawerKind::kCheckBox, pm::mark::kLine, 0, 5},
        {"radio button", DrawerKind::kRadioButton, pm::mark::kLine, 0, 11},
        {"radio dot", DrawerKind::kRadioButton, pm::mark::kMark, 6, 11},
        {"slider track", DrawerKind::kSlider, pm::slider::kLine, 10, 11},
        {"slider thumb", DrawerKind::kSlider, pm::slider::kThumb, 50, 12},
        {"counter", DrawerKind::kCounter, pm::counter::kColour, 1, 12},
        {"counter highlight", DrawerKind::kCounter, pm::counter::kHighlight, 96, 12},
        {"header background", DrawerKind::kListHeader, pm::listheader::kBackground, 50, 12},
        {"header line", DrawerKind::kListHeader, pm::listheader::kLine, 0, 0},
        {"list alternate row", DrawerKind::kListBox, pm::listbox::kAlternate, 25, 12},
        {"list selection", DrawerKind::kListBox, pm::listbox::kSelection, 75, 12},
        {"status line", DrawerKind::kStatusBar, pm::statusbar::kLine, 50, 0},
        {"menu background", DrawerKind::kMenu, pm::menu::kBackground, 25, 12},
        {"menu frame", DrawerKind::kMenu, pm::menu::kLine, 0, 12},
        {"menu highlight", DrawerKind::kMenu, pm::menu::kLine, 75, 2},
        {"combo frame", DrawerKind::kCombo, pm::combo::kLine, 0, 12},
        {"group box line", DrawerKind::kGroupBox, pm::groupbox::kLine, 0, 20},
        {"tab line", DrawerKind::kTabBox, pm::tabbox::kLine, 50, 23},
    };
    Skinner* skinner = Skinner::create(u"ThinWindow");
    int differing = 0;
    for (const Probe& p : probes) {
        uint32_t seen[2] = {};
        const char16_t* schemes[] = {u"White", u"Black"};
        for (int s = 0; s < 2; ++s) {
            skinner->selectByName(schemes[s]);
            ISkin* skin = skinner->currentSkin();
            Canvas c(100, 24, 0x010203);
            paintProbe(skin, p.kind, c);
            seen[s] = c.at(p.x, p.y);
            EXPECT_EQ(seen[s], skin->palette().of(p.kind).colour(p.param))
                << p.what << " in " << (s == 0 ? "White" : "Black");
        }
        differing += seen[0] != seen[1] ? 1 : 0;
    }
    EXPECT_GE(differing, 22);  // the two schemes look different nearly everywhere
    skinner->release();
}

TEST(SkinDrawers, TenThousandPaintsOfEveryDrawerLeaveGdiObjectsFlat) {
    Skinner* skinner = Skinner::create(u"ThinWindow");
    skinner->selectByName(u"Black");
    ISkin* skin = skinner->currentSkin();
    Taken<statusbar::win::BasicResizer> grip;
    Taken<image::win::Basic> pictures;
    ::s::image::jpg::win::Jpeg* picture = ::s::image::jpg::win::loadEmbeddedPicture(132);
    Canvas c(160, 48);
    const test::GdiCount before = test::gdiCount();
    PaintState s;
    s.text = u"Text";
    CellPaint cell;
    cell.text = u"Place";
    cell.hasCheckBox = true;
    cell.checkState = 2;
    cell.hasTree = true;
    cell.link = true;
    cell.hotLink = true;
    cell.ellipsis = true;
    cell.progress = 4500;
    for (int i = 0; i < 10000; ++i) {
        s.value = i % 120;
        s.state = i % 3;
        s.checked = i % 2 == 0;
        for (int32_t k = 0; k < kDrawerKindCount; ++k) {
            IDrawer* d = skin->drawerOf(static_cast<DrawerKind>(k));
            d->paintBackground(c.dc(), 0, 0, 160, 24);
            d->paint(c.dc(), 0, 0, 160, 24, s);
        }
        cell.selected = i % 2 == 0;
        skin->listBox()->paintCell(c.dc(), 0, 24, 160, 42, cell);
        skin->button()->paintGlyph(c.dc(), 0, 0, 15, 15, i % 2 ? u"#X" : u"#_", kWhite);
        HRGN r = skin->window()->createRegion(160, 48);
        DeleteObject(r);
        grip->paint(c.dc(), 140, 28, 160, 48, s);
        pictures->paintPicture(c.dc(), c.image(), 0, 0, 80, 24, picture, i % 2 == 0, true, false);
    }
    const test::GdiCount after = test::gdiCount();
    std::printf(
        "[ figures  ] 10000 paints of every drawer: GDI objects reported %lu -> %lu, "
        "in the handle table %d -> %d\n",
        before.reported, after.reported, before.live, after.live);
    EXPECT_LE(after.live, before.live);
    picture->release();
    skinner->release();
}

}  // namespace
}  // namespace s::gui::drawer

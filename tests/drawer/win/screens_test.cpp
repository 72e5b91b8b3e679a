#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "gui/drawer/skinner.h"
#include "gui/drawer/win/controls.h"
#include "tests/drawer/win/canvas.h"

// One sheet per "ThinWindow" scheme with every drawer's output side by side. The sheets are
// always painted; with TELLAVO_SCREENS_DIR set they are written there as drawers-<scheme>.bmp
// (make screens turns them into PNG files).
namespace s::gui::drawer {
namespace {

constexpr int32_t kWidth = 720, kHeight = 300;

void paintSheet(ISkin* skin, test::Canvas& c) {
    HDC dc = c.dc();
    IWindowDrawer* window = skin->window();
    window->setCornerStyles(2, 1);
    window->paintBackground(dc, 0, 0, kWidth, kHeight);
    PaintState s;

    // Buttons: normal, hot, pressed, disabled, and the caption glyphs.
    const char16_t* captions[] = {u"Normal", u"Hot", u"Pressed", u"Disabled"};
    for (int i = 0; i < 4; ++i) {
        s = PaintState{};
        s.text = captions[i];
        s.state = i < 3 ? i : 0;
        s.enabled = i < 3;
        skin->button()->paint(dc, 12 + i * 72, 12, 12 + i * 72 + 66, 34, s);
    }
    const char16_t* glyphs[] = {u"#_", u"#X", u"#Up", u"#Down", u"#Check", u"#Plus", u"#Play"};
    for (int i = 0; i < 7; ++i) {
        s = PaintState{};
        s.text = glyphs[i];
        skin->button()->paint(dc, 306 + i * 19, 16, 306 + i * 19 + 15, 31, s);
    }
    // Text field and label.
    skin->text()->paintBackground(dc, 450, 12, 590, 34);
    s = PaintState{};
    s.text = u"Text field";
    skin->text()->paint(dc, 450, 12, 590, 34, s);
    skin->text()->paintText(dc, 600, 12, 710, 34, u"Disabled label", 1, 0);

    // Check boxes, radio buttons.
    const char16_t* marks[] = {u"Checked", u"Unchecked", u"Disabled"};
    for (int i = 0; i < 3; ++i) {
        s = PaintState{};
        s.text = marks[i];
        s.checked = i != 1;
        s.enabled = i != 2;
        skin->checkBox()->paint(dc, 12 + i * 100, 44, 12 + i * 100 + 96, 62, s);
        skin->radioButton()->paint(dc, 12 + i * 100, 66, 12 + i * 100 + 96, 84, s);
    }
    // Slider, counter, scroll bars, combo box.
    s = PaintState{};
    s.value = 30;
    skin->slider()->paint(dc, 320, 44, 470, 62, s);
    s.value = 60;
    skin->counter()->paint(dc, 320, 68, 470, 80, s);
    s = PaintState{};
    s.value = 30;
    s.page = 20;
    skin->scrollBar()->paint(dc, 480, 44, 680, 44 + skin->scrollBar()->width(), s);
    s.vertical = true;
    skin->scrollBar()->paint(dc, 690, 44, 690 + skin->scrollBar()->width(), 200, s);
    s = PaintState{};
    s.text = u"Combo box";
    skin->combo()->paintBackground(dc, 480, 66, 600, 86);
    skin->combo()->paint(dc, 480, 66, 600, 86, s);
    s.state = 1;
    s.text = u"Hot";
    skin->combo()->paint(dc, 606, 66, 680, 86, s);

    // The list: header and rows.
    const char16_t* heads[] = {u"Location", u"Local Time", u"Gap"};
    skin->listHeader()->paintBackground(dc, 12, 96, 392, 96 + 22);
    for (int i = 0; i < 3; ++i) {
        s = PaintState{};
        s.text = heads[i];
        s.state = i;
        skin->listHeader()->paint(dc, 12 + i * 120, 96, i == 2 ? 392 : 12 + i * 120 + 120, 118, s);
    }
    IListBox* list = skin->listBox();
    list->paintBackground(dc, 12, 118, 392, 236);
    const char16_t* rows[] = {u"Tokyo",  u"New York", u"Berlin (selected)",
                              u"Sydney", u"50 %",     u"Link cell"};
    for (int r = 0; r < 6; ++r) {
        CellPaint cell;
        cell.text = rows[r];
        cell.oddRow = r % 2 == 1;
        cell.hasCheckBox = r < 4;
        cell.checkState = r < 4 ? (r == 0 ? 2 : r == 3 ? 3 : 1) : 0;
        cell.selected = r == 2;
        cell.fullRow = r == 2;
        cell.hasTree = r == 3;
        cell.treeLevel = 1;
        cell.treeState = 1;
        if (r == 4)
            cell.progress = 4500;
        cell.link = r == 5;
        cell.hotLink = r == 5;
        list->paintCell(dc, 12, 118 + r * 18, 252, 136 + r * 18, cell);
        CellPaint time;
        time.text = u"12:00:00";
        time.oddRow = cell.oddRow;
        time.selected = cell.selected;
        time.fullRow = true;
        time.alignment = 2;
        list->paintCell(dc, 252, 118 + r * 18, 392, 136 + r * 18, time);
    }

    // Group box around a tab box.
    s = PaintState{};
    s.text = u"Group box";
    skin->groupBox()->paint(dc, 404, 96, 680, 200, s);
    skin->tabBox()->paintBackground(dc, 414, 140, 670, 190);
    const char16_t* tabs[] = {u"Selected", u"Other", u"Hot"};
    for (int i = 0; i < 3; ++i) {
        s = PaintState{};
        s.text = tabs[i];
        s.checked = i == 0;
        s.state = i == 2 ? 1 : 0;
        skin->tabBox()->paint(dc, 414 + i * 80, 118, 414 + i * 80 + 80, 141, s);
    }

    // Menu.
    skin->menu()->paintBackground(dc, 404, 206, 560, 290);
    const char16_t* items[] = {u"Item", u"Highlighted", u"Checked", nullptr, u"Disabled"};
    for (int i = 0; i < 5; ++i) {
        s = PaintState{};
        s.text = items[i];
        s.separator = items[i] == nullptr;
        s.state = i == 1 ? 1 : 0;
        s.checked = i == 2;
        s.enabled = i != 4;
        const int y = 208 + (i < 4 ? i * 18 : 3 * 18 + 8);
        skin->menu()->paint(dc, 406, y, 558, i == 3 ? y + 8 : y + 18, s);
    }

    // Status bar with the size grip.
    s = PaintState{};
    s.text = u"Status bar";
    skin->statusBar()->paint(dc, 12, kHeight - 24, 392, kHeight - 1, s);
    statusbar::win::BasicResizer* grip = statusbar::win::BasicResizer::take();
    grip->paint(dc, 372, kHeight - 24, 392, kHeight - 4, s);
    grip->release();
    window->paint(dc, 0, 0, kWidth, kHeight, PaintState{});
}

TEST(DrawerScreens, OneSheetPerThinWindowScheme) {
    const char* dir = std::getenv("TELLAVO_SCREENS_DIR");
    Skinner* skinner = Skinner::create(u"ThinWindow");
    ASSERT_EQ(skinner->count(), 16);
    for (int32_t i = 0; i < skinner->count(); ++i) {
        skinner->selectByIndex(i);
        test::Canvas c(kWidth, kHeight);
        paintSheet(skinner->currentSkin(), c);
        // The window's own background shows between the controls.
        EXPECT_EQ(c.at(kWidth - 8, kHeight / 2),
                  skinner->currentSkin()->window()->backgroundColour());
        if (!dir || !*dir)
            continue;
        std::wstring path;
        for (const char* p = dir; *p; ++p)
            path += static_cast<wchar_t>(*p);
        path += L"\\drawers-";
        for (const char16_t* n = skinner->nameAt(i); *n; ++n)
            path += *n == u' ' ? L'-' : static_cast<wchar_t>(*n);
        path += L".bmp";
        EXPECT_TRUE(c.saveBmp(path.c_str()));
    }
    skinner->release();
}

}  // namespace
}  // namespace s::gui::drawer

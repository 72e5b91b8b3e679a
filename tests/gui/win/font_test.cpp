#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "gui/win/font.h"
#include "tests/drawer/win/gdi_count.h"

namespace s::gui::win {
namespace {

LOGFONTW logical(HFONT font) {
    LOGFONTW lf{};
    GetObjectW(font, sizeof(lf), &lf);
    return lf;
}

TEST(FontWin, SizeCodesGivePointHeightsAndWeights) {
    const int dpi = [] {
        HDC screen = GetDC(nullptr);
        int v = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return v;
    }();
    struct Case {
        int32_t code;
        int32_t points;  // 0: unchanged
        int32_t weight;
    } cases[] = {{2, 12, 400}, {102, 16, 700}, {100001, 8, 400}, {5000, 0, 400}, {-3, 7, 400}};
    for (const Case& c : cases) {
        Font* font = Font::take();
        const LONG before = logical(font->handle()).lfHeight;
        font->setSizeCode(c.code);
        font->deleteRetired();
        LOGFONTW lf = logical(font->handle());
        if (c.points) {
            EXPECT_EQ(lf.lfHeight, -MulDiv(c.points, dpi, 72)) << c.code;
        } else {
            EXPECT_EQ(lf.lfHeight, before) << c.code;
        }
        EXPECT_EQ(lf.lfWeight, c.weight) << c.code;
        EXPECT_EQ(font->attributes().sizeCode(), c.code);
        font->release();
    }
}

TEST(FontWin, ExplicitHeightStaysWhenTheSizeCodeChanges) {
    Font* font = Font::take();
    font->setHeight(-30);
    font->setSizeCode(102);
    LOGFONTW lf = logical(font->handle());
    EXPECT_EQ(lf.lfHeight, -30);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_GT(font->lineHeight(), 20);
    font->release();
}

TEST(FontWin, InheritFromTakesOnlyWhatWasNotSetHere) {
    Font* skin = Font::take();
    skin->setFace(u"Tahoma");
    skin->setHeight(-15);
    skin->setItalic(true);
    Font* mine = Font::take();
    mine->setWeight(700);
    mine->setItalic(false);
    mine->handle();
    mine->inheritFrom(*skin);
    mine->deleteRetired();
    LOGFONTW lf = logical(mine->handle());
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"Tahoma");
    EXPECT_EQ(lf.lfHeight, -15);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_FALSE(lf.lfItalic);
    mine->release();
    skin->release();
}

TEST(FontWin, ThousandFontChangesOnAControlLeaveGdiCountsFlat) {
    HWND button = CreateWindowExW(0, L"Button", L"Font", WS_POPUP, 0, 0, 80, 24, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(button, nullptr);
    Font* font = Font::take();
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font->handle()), FALSE);
    const test::GdiCount before = test::gdiCount();
    const int32_t liveBefore = Font::liveCount();
    for (int i = 0; i < 1000; ++i) {
        // New font first, then the control gets it, then the old one goes.
        font->setHeight(-10 - i % 7);
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font->handle()), FALSE);
        font->deleteRetired();
        auto shown = reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0));
        ASSERT_EQ(GetObjectType(shown), static_cast<DWORD>(OBJ_FONT)) << i;
    }
    const test::GdiCount after = test::gdiCount();
    std::printf(
        "[ figures  ] 1000 font changes: fonts alive %d -> %d, GDI handles %d -> %d, "
        "reported %lu -> %lu\n",
        liveBefore, Font::liveCount(), before.live, after.live, before.reported, after.reported);
    EXPECT_EQ(Font::liveCount(), liveBefore);
    EXPECT_EQ(after.live, before.live);
    EXPECT_EQ(after.reported, before.reported);
    DestroyWindow(button);
    font->release();
}

}  // namespace
}  // namespace s::gui::win

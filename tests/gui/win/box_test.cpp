#include <windows.h>

#include <shlobj.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/str_array.h"
#include "gui/win/box.h"
#include "gui/win/window.h"
#include "image/win/buffered_image.h"
#include "tests/gui/win/screenshot.h"
#include "tests/gui/win/win_test_support.h"

namespace s::gui::win {
namespace {

using testing::Capture;
using testing::eventually;
using testing::flush;
using testing::settle;
using testing::TestWindow;
using testing::ThreadLog;

Box* coloured(uint32_t r, uint32_t g, uint32_t b) {
    Box* box = Box::take();
    box->setBackgroundRgb(r, g, b, false);
    return box;
}

Box* leaf(int32_t w, int32_t h, uint32_t r, uint32_t g, uint32_t b) {
    Box* box = coloured(r, g, b);
    box->setExactWidth(w, false);
    box->setExactHeight(h, false);
    return box;
}

// Where a box's client area is inside the window's outer rectangle (capture coordinates).
POINT inCapture(HWND window, const Box* box, int32_t dx, int32_t dy) {
    RECT outer, inner;
    GetWindowRect(window, &outer);
    GetWindowRect(box->hwnd(), &inner);
    return POINT{inner.left - outer.left + dx, inner.top - outer.top + dy};
}

uint32_t pixelAt(const Capture& cap, POINT p) {
    return cap.at(p.x, p.y);
}

constexpr Color kRoot = rgb(40, 40, 40);
constexpr Color kRow = rgb(200, 60, 60);
constexpr Color kFlow = rgb(60, 160, 60);
constexpr Color kPile = rgb(60, 60, 200);
constexpr Color kColumn = rgb(200, 200, 60);

// The four layouts nested in one window, each box in its own colour.
struct Scene {
    explicit Scene(Window& w) {
        w.setBounds(40, 40, 480, 400);
        root = coloured(40, 40, 40);
        root->setFillParent();
        root->setMargin(8);
        root->setVerticalSpacing(6);

        row = coloured(200, 60, 60);
        row->setHorizontalStyle();
        row->setPercentWidth(100, false);
        row->setMargin(4);
        row->setHorizontalSpacing(5);
        row->alignMiddle();
        rowLeaves[0] = leaf(40, 40, 255, 160, 160);
        rowLeaves[1] = leaf(60, 20, 255, 255, 255);
        rowLeaves[2] = leaf(80, 30, 120, 0, 0);
        for (Box* b : rowLeaves)
            row->addChild(b);

        flow = coloured(60, 160, 60);
        flow->setFlowStyle();
        flow->setPercentWidth(100, false);
        flow->setMargin(4);
        flow->setHorizontalSpacing(4);
        flow->setVerticalSpacing(4);
        for (int i = 0; i < 9; ++i)
            flow->addChild(leaf(70, 18, 150 + i * 10, 255, 150 + i * 10));

        pile = coloured(60, 60, 200);
        pile->setPileStyle();
        pile->setPercentWidth(100, false);
        pile->setExactHeight(70, false);
        pile->alignCenter();
        pile->alignMiddle();
        pileBack = leaf(160, 50, 160, 160, 255);
        pileFront = leaf(60, 20, 0, 0, 120);
        pile->addChild(pileBack);
        pile->addChild(pileFront);

        column = coloured(200, 200, 60);
        column->setPercentWidth(100, false);
        column->setMargin(4);
        column->setVerticalSpacing(3);
        column->alignRight();
        columnLeaves[0] = leaf(200, 12, 255, 255, 180);
        columnLeaves[1] = leaf(120, 12, 120, 120, 0);
        columnLeaves[2] = leaf(40, 12, 255, 255, 255);
        for (Box* b : columnLeaves)
            column->addChild(b);

        root->addChild(row);
        root->addChild(flow);
        root->addChild(pile);
        root->addChild(column);
        w.addChild(root);
        w.setVisible(true, false);
        w.relayout();
    }
    Box *root, *row, *flow, *pile, *column;
    Box* rowLeaves[3];
    Box *pileBack, *pileFront;
    Box* columnLeaves[3];
};

TEST(Box, FourLayoutsNestedInOneWindow) {
    TestWindow w;
    Scene scene(*w);
    settle(*w);
    Capture cap = testing::saveScreenshot(w->hwnd(), "boxes_four_layouts");
    ASSERT_GT(cap.width, 0);
    HWND hwnd = w->hwnd();

    // Each box shows its own colour just inside its margin.
    EXPECT_EQ(pixelAt(cap, inCapture(hwnd, scene.root, 2, 2)), kRoot);
    EXPECT_EQ(pixelAt(cap, inCapture(hwnd, scene.row, 1, 1)), kRow);
    EXPECT_EQ(pixelAt(cap, inCapture(hwnd, scene.flow, 1, 1)), kFlow);
    EXPECT_EQ(pixelAt(cap, inCapture(hwnd, scene.pile, 1, 1)), kPile);
    EXPECT_EQ(pixelAt(cap, inCapture(hwnd, scene.column, 1, 1)), kColumn);

    // Margins arrive as offsets; the row is centred vertically on its tallest child.
    EXPECT_EQ(scene.row->offsetX(), 8);
    EXPECT_EQ(scene.rowLeaves[0]->offsetX(), 4);
    EXPECT_EQ(scene.rowLeaves[0]->x(), 0);
    EXPECT_EQ(scene.rowLeaves[1]->x(), 45);
    EXPECT_EQ(scene.rowLeaves[2]->x(), 110);
    EXPECT_EQ(scene.rowLeaves[1]->y(), 10);
    EXPECT_EQ(scene.row->height(), 48);
    // The gap of the spacing shows the row's colour.
    EXPECT_EQ(pixelAt(cap, inCapture(hwnd, scene.rowLeaves[0], 42, 20)), kRow);

    // The flow wraps its 70-pixel children to the row width.
    int32_t perRow = (scene.flow->clientWidth() + 4) / 74;
    ASSERT_GT(perRow, 1);
    Box* wrapped = static_cast<Box*>(scene.flow->childAt(perRow));
    EXPECT_EQ(wrapped->x(), 0);
    EXPECT_EQ(wrapped->y(), 22);
    int32_t rows = (9 + perRow - 1) / perRow;
    EXPECT_EQ(scene.flow->height(), 8 + rows * 18 + (rows - 1) * 4);

    // The pile centres both children on each other: the front one lies on the back one.
    EXPECT_EQ(scene.pileFront->x(), (scene.pile->clientWidth() - 60) / 2);
    EXPECT_EQ(scene.pileFront->y(), 25);
    EXPECT_EQ(pixelAt(cap, inCapture(hwnd, scene.pileFront, 30, 10)), rgb(0, 0, 120));
    EXPECT_EQ(pixelAt(cap, inCapture(hwnd, scene.pileBack, 5, 5)), rgb(160, 160, 255));

    // The column aligns its children right.
    int32_t cw = scene.column->clientWidth();
    EXPECT_EQ(scene.columnLeaves[2]->x(), cw - 40);
    EXPECT_EQ(scene.columnLeaves[1]->y(), 15);
    EXPECT_EQ(pixelAt(cap, inCapture(hwnd, scene.columnLeaves[2], 39, 11)), rgb(255, 255, 255));
    EXPECT_EQ(pixelAt(cap, inCapture(hwnd, scene.columnLeaves[2], -2, 5)), kColumn);
}

TEST(Box, HoverFollowsTheMouseWithoutTakingTheCapture) {
    TestWindow w;
    w->setBounds(60, 60, 200, 160);
    Box* box = coloured(90, 90, 90);
    box->setFillParent();
    box->setMouseTransparent(false);
    box->setHoverColor(250, 120, 0);
    w->addChild(box);
    w->setVisible(true, false);
    settle(*w);
    RECT r;
    GetWindowRect(box->hwnd(), &r);
    SetCursorPos(r.left + 20, r.top + 20);
    SendMessageW(box->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    EXPECT_TRUE(box->isHovered());
    HWND capture = reinterpret_cast<HWND>(1);
    w->onWindowThread([&] { capture = GetCapture(); });
    EXPECT_EQ(capture, nullptr);
    settle(*w);
    Capture hovered = testing::captureWindow(box->hwnd());
    EXPECT_EQ(hovered.at(30, 30), rgb(250, 120, 0));
    // Leaving is reported by the mouse tracking.
    SetCursorPos(r.right + 100, r.bottom + 100);
    EXPECT_TRUE(eventually([&] { return !box->isHovered(); }));
    settle(*w);
    EXPECT_EQ(testing::captureWindow(box->hwnd()).at(30, 30), rgb(90, 90, 90));
}

TEST(Box, ClicksAndHitTests) {
    TestWindow w;
    Box* box = coloured(10, 10, 10);
    box->setFillParent();
    w->addChild(box);
    w->setVisible(true, false);
    RECT r;
    GetWindowRect(box->hwnd(), &r);
    LPARAM at = MAKELPARAM(r.left + 5, r.top + 5);
    EXPECT_EQ(SendMessageW(box->hwnd(), WM_NCHITTEST, 0, at), HTTRANSPARENT);
    EXPECT_EQ(SendMessageW(box->hwnd(), WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5)), 0);
    ThreadLog log;
    box->addClickListener(&log);
    EXPECT_EQ(SendMessageW(box->hwnd(), WM_NCHITTEST, 0, at), HTCLIENT);
    EXPECT_EQ(SendMessageW(box->hwnd(), WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5)), 1);
    EXPECT_EQ(log.ids(), std::vector<int32_t>{6});
    EXPECT_EQ(log.entries[0].source, static_cast<base::IObject*>(box));
}

TEST(Box, WheelTurnsGoToListenersElseToTheWindow) {
    TestWindow w;
    w->setBounds(60, 60, 200, 160);
    Box* outer = coloured(10, 10, 10);
    outer->setFillParent();
    Box* inner = leaf(50, 50, 20, 20, 20);
    outer->addChild(inner);
    w->addChild(outer);
    w->setVisible(true, false);
    ThreadLog boxLog, windowLog;
    inner->addWheelListener(&boxLog);
    w->addWheelListener(&windowLog);
    RECT ir, orc;
    GetWindowRect(inner->hwnd(), &ir);
    GetWindowRect(outer->hwnd(), &orc);
    UINT lines = 0;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    WPARAM down = MAKEWPARAM(0, static_cast<WORD>(-120));
    // Over the inner box: offered by the outer box to its child, which takes it.
    EXPECT_EQ(SendMessageW(outer->hwnd(), WM_MOUSEWHEEL, down, MAKELPARAM(ir.left + 5, ir.top + 5)),
              0);
    EXPECT_EQ(boxLog.ids(), std::vector<int32_t>{2});
    EXPECT_EQ(inner->wheelLines(), -static_cast<int32_t>(lines));
    // Outside the inner box, the outer box has no listener: the window gets it.
    EXPECT_EQ(
        SendMessageW(outer->hwnd(), WM_MOUSEWHEEL, down, MAKELPARAM(orc.right - 5, orc.bottom - 5)),
        0);
    EXPECT_EQ(windowLog.ids(), std::vector<int32_t>{14});
    EXPECT_EQ(boxLog.ids().size(), 1u);
    // Not over the box at all: not taken.
    EXPECT_NE(
        SendMessageW(inner->hwnd(), WM_MOUSEWHEEL, down, MAKELPARAM(orc.right - 5, orc.bottom - 5)),
        0);
}

TEST(Box, AWheelTurnOverABoxWithoutListenersReachesTheWindowListeners) {
    TestWindow w;
    w->setBounds(60, 60, 200, 160);
    Box* root = coloured(10, 10, 10);
    root->setFillParent();
    w->addChild(root);
    w->setVisible(true, false);
    ThreadLog log;
    w->addWheelListener(&log);
    RECT r;
    GetWindowRect(root->hwnd(), &r);
    LPARAM at = MAKELPARAM(r.left + 10, r.top + 10);
    WPARAM up = MAKEWPARAM(0, 120);
    // Offered by the window to the box, which hands it back: the window's event.
    EXPECT_EQ(SendMessageW(w->hwnd(), WM_MOUSEWHEEL, up, at), 0);
    EXPECT_EQ(log.ids(), std::vector<int32_t>{14});
    // Arriving at the box first: sent on to the window, which reports it once.
    EXPECT_EQ(SendMessageW(root->hwnd(), WM_MOUSEWHEEL, up, at), 0);
    EXPECT_EQ(log.ids(), (std::vector<int32_t>{14, 14}));
    EXPECT_GT(w->wheelLines(), 0);
}

TEST(Box, PaintListenersSeeTheDeviceContextAndMaySkipTheBackground) {
    TestWindow w;
    w->setBounds(60, 60, 200, 160);
    Box* box = coloured(0, 200, 0);
    box->setFillParent();
    w->addChild(box);
    ThreadLog log;
    bool hadDC = false;
    log.hook = [&](int32_t) {
        hadDC = box->paintDC() != nullptr;
        RECT r{0, 0, 10, 10};
        HBRUSH red = CreateSolidBrush(rgb(255, 0, 0));
        FillRect(static_cast<HDC>(box->paintDC()), &r, red);
        DeleteObject(red);
        box->skipDefaultPaint();
    };
    box->addPaintListener(&log);
    w->setVisible(true, false);
    settle(*w);
    EXPECT_FALSE(log.entries.empty());
    EXPECT_TRUE(hadDC);
    EXPECT_EQ(box->paintDC(), nullptr);
    Capture cap = testing::captureWindow(box->hwnd());
    EXPECT_EQ(cap.at(5, 5), rgb(255, 0, 0));
    EXPECT_NE(cap.at(50, 50), rgb(0, 200, 0));
}

TEST(Box, AnOwnedBackgroundImageIsPaintedScaledToTheBox) {
    TestWindow w;
    w->setBounds(60, 60, 200, 160);
    Box* box = coloured(0, 0, 0);
    box->setFillParent();
    w->addChild(box);
    image::win::BufferedImage* picture = image::win::BufferedImage::make(2, 2);
    ASSERT_NE(picture, nullptr);
    for (int32_t r = 0; r < 2; ++r) {
        uint32_t* row = picture->rowAt(r);
        row[0] = row[1] = 0x00FF8000;  // blue, green, red bytes: orange
    }
    box->setBackgroundImage(picture, true);
    w->setVisible(true, false);
    settle(*w);
    Capture cap = testing::captureWindow(box->hwnd());
    EXPECT_EQ(cap.at(cap.width / 2, cap.height / 2), rgb(255, 128, 0));
    EXPECT_EQ(cap.at(cap.width - 2, cap.height - 2), rgb(255, 128, 0));
}

// A shell drop of the given paths, as the shell builds it.
HGLOBAL dropOf(const std::vector<std::wstring>& paths) {
    size_t chars = 1;
    for (const auto& p : paths)
        chars += p.size() + 1;
    HGLOBAL mem = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(mem));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(drop + 1);
    for (const auto& p : paths) {
        std::memcpy(out, p.c_str(), (p.size() + 1) * sizeof(wchar_t));
        out += p.size() + 1;
    }
    *out = 0;
    GlobalUnlock(mem);
    return mem;
}

TEST(Box, DroppedFileNamesArriveWhole) {
    TestWindow w;
    Box* box = coloured(0, 0, 0);
    box->setFillParent();
    box->setAcceptFiles(true);
    w->addChild(box);
    ThreadLog log;
    box->addFileDropListener(&log);
    std::wstring longPath = L"C:\\" + std::wstring(300, L'x') + L".txt";
    std::wstring shortPath = L"C:\\a.txt";
    EXPECT_EQ(SendMessageW(box->hwnd(), WM_DROPFILES,
                           reinterpret_cast<WPARAM>(dropOf({longPath, shortPath})), 0),
              0);
    EXPECT_EQ(log.ids(), std::vector<int32_t>{1});
    ASSERT_EQ(box->droppedFiles().count(), 2);
    EXPECT_EQ(box->droppedFiles().at(0)->length(), static_cast<int32_t>(longPath.size()));
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(box->droppedFiles().textAt(1))),
              shortPath);
}

TEST(Box, HiddenBoxesAreParkedAndStayHidden) {
    TestWindow w;
    Box* holder = coloured(0, 0, 0);
    holder->setFillParent();
    Box* a = leaf(20, 20, 1, 1, 1);
    Box* b = leaf(20, 20, 2, 2, 2);
    holder->addChild(a);
    holder->addChild(b);
    w->addChild(holder);
    w->setVisible(true, false);
    holder->switchToChild(1);
    flush(*w);
    EXPECT_FALSE(IsWindowVisible(a->hwnd()));
    EXPECT_TRUE(IsWindowVisible(b->hwnd()));
    RECT ar;
    GetWindowRect(a->hwnd(), &ar);
    MapWindowPoints(nullptr, holder->hwnd(), reinterpret_cast<POINT*>(&ar), 2);
    EXPECT_EQ(ar.top, 10000 + 3000);
    EXPECT_EQ(ar.left, -10000);
    // Layout moves do not show a hidden box again.
    holder->relayout();
    a->move(1, 1);
    EXPECT_FALSE(IsWindowVisible(a->hwnd()));
    holder->switchToChild(0);
    EXPECT_TRUE(IsWindowVisible(a->hwnd()));
    EXPECT_FALSE(IsWindowVisible(b->hwnd()));
    EXPECT_EQ(a->offsetY(), 0);
}

TEST(Box, ReleasedWithItsWindowAndBackFromThePoolClean) {
    Box* box = nullptr;
    {
        TestWindow w;
        box = Box::take();
        box->setMargin(3);
        box->setFlowStyle();
        box->addChild(Box::take());
        w->addChild(box);
        ASSERT_NE(box->hwnd(), nullptr);
    }
    // The window released the box into its pool: the next one is clean.
    Box* again = Box::take();
    EXPECT_EQ(again->childCount(), 0);
    EXPECT_EQ(again->layoutStyle(), IBox::kVertical);
    EXPECT_EQ(again->leftMargin(), 0);
    EXPECT_EQ(again->hwnd(), nullptr);
    EXPECT_EQ(again->parent(), nullptr);
    EXPECT_TRUE(again->isVisible());
    again->release();
}

}  // namespace
}  // namespace s::gui::win

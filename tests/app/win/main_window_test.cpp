// The main window's behaviours on a real toolkit window under Wine, with its state in the
// real registry: first start, what iconizing and restarting keep, the tray icon and its
// callback, the close button, the middle click, easy drag, keep on top and the screen.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>

#include "gui/drawer/i_skin.h"
#include "gui/drawer/skinner.h"
#include "gui/i_window.h"
#include "gui/win/window.h"
#include "persist/reg/reg_types.h"
#include "tests/app/win/main_window_rig.h"

namespace s::tests::app {

namespace {

using gui::IWindow;
using gui::win::Window;

constexpr UINT kTrayMessage = 1026;

RECT windowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

RECT workArea() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

bool isTopmost(HWND hwnd) {
    return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void expectCentredAt700x550(HWND hwnd) {
    const RECT r = windowRect(hwnd);
    const RECT work = workArea();
    EXPECT_EQ(r.right - r.left, 700);
    EXPECT_EQ(r.bottom - r.top, 550);
    EXPECT_EQ(r.left, work.left + ((work.right - work.left) - 700) / 2);
    EXPECT_EQ(r.top, work.top + ((work.bottom - work.top) - 550) / 2);
}

void trayClick(MainWindowRig& rig, LPARAM mouse) {
    SendMessageW(rig.hwnd(), kTrayMessage, 0, mouse);
    rig.flush();
}

TEST(MainWindow, FirstStartIsCentredWithTheDefaultOptionsAndATrayIcon) {
    MainWindowRig rig;
    rig.open();
    Window& w = *rig.window();
    expectCentredAt700x550(rig.hwnd());
    EXPECT_TRUE(IsWindowVisible(rig.hwnd()));
    EXPECT_TRUE(w.isEasyDrag());
    EXPECT_FALSE(w.isKeepOnTop());
    EXPECT_FALSE(isTopmost(rig.hwnd()));
    EXPECT_EQ(std::u16string(w.middleClickAction()), u"Iconize");
    EXPECT_TRUE(w.isTrayIconShown());
    EXPECT_EQ(std::u16string(w.title()), u"Kivo Tellavo");
    EXPECT_NE(w.smallIcon(), nullptr);
    // Showing wrote nothing: the first start has no stored geometry yet.
    EXPECT_FALSE(rig.store()->hasStoredPosition());
}

TEST(MainWindow, GeometryNoScreenCanShowIsCentredWithTheDefaultSize) {
    MainWindowRig rig;
    rig.plantInt(u"X", 5000);
    rig.plantInt(u"Y", 40);
    rig.plantInt(u"Width", 100000);
    rig.plantInt(u"Height", -5);
    rig.open();
    expectCentredAt700x550(rig.hwnd());
}

TEST(MainWindow, MovingWritesNothingUntilHiddenThenOnlyWhatChanged) {
    MainWindowRig rig;
    rig.plantInt(u"X", 100);
    rig.plantInt(u"Y", 120);
    rig.plantInt(u"Width", 700);
    rig.plantInt(u"Height", 550);
    rig.open();
    EXPECT_EQ(windowRect(rig.hwnd()).left, 100);
    rig.window()->move(260, 120);
    rig.flush();
    EXPECT_EQ(rig.store()->x(), 100);
    rig.window()->iconize();
    rig.flush();
    EXPECT_TRUE(rig.window()->isIconized());
    EXPECT_FALSE(IsWindowVisible(rig.hwnd()));
    EXPECT_EQ(rig.store()->x(), 260);
    EXPECT_EQ(rig.typeOf(u"X"), reg::kTypeDword);
    EXPECT_EQ(rig.typeOf(u"Y"), reg::kTypeBinary);
    EXPECT_EQ(rig.typeOf(u"Width"), reg::kTypeBinary);
    EXPECT_EQ(rig.typeOf(u"Height"), reg::kTypeBinary);
}

TEST(MainWindow, MaximizedSurvivesTheTrayAndARestart) {
    MainWindowRig rig;
    rig.open();
    rig.window()->maximize();
    rig.flush();
    ASSERT_TRUE(IsZoomed(rig.hwnd()));
    EXPECT_TRUE(rig.store()->maximized());
    rig.window()->iconize();
    rig.flush();
    EXPECT_TRUE(rig.store()->maximized());

    rig.open();
    EXPECT_TRUE(IsZoomed(rig.hwnd()));
    EXPECT_TRUE(IsWindowVisible(rig.hwnd()));
    // From the tray it comes back maximized too.
    rig.window()->iconize();
    rig.window()->restore();
    rig.flush();
    EXPECT_TRUE(IsZoomed(rig.hwnd()));
    // A plain minimize of a maximized window is not a maximized window any more.
    rig.window()->minimize();
    rig.flush();
    EXPECT_FALSE(rig.store()->maximized());
}

TEST(MainWindow, StartedForTheTrayStaysQuietAndKeepsMaximized) {
    MainWindowRig rig;
    rig.store();
    rig.open();
    rig.window()->maximize();
    rig.window()->iconize();
    rig.flush();
    OtherWindow other;
    rig.open(true);
    EXPECT_TRUE(rig.window()->isIconized());
    EXPECT_FALSE(IsWindowVisible(rig.hwnd()));
    EXPECT_TRUE(rig.window()->isTrayIconShown());
    EXPECT_TRUE(rig.store()->maximized());
    EXPECT_NE(GetForegroundWindow(), rig.hwnd());
}

TEST(MainWindow, ShowingWithoutActivationLeavesTheFocusAlone) {
    MainWindowRig rig;
    rig.open(true);
    rig.window()->restore();
    rig.window()->setVisible(false, false);
    rig.flush();
    OtherWindow other;
    ASSERT_EQ(GetForegroundWindow(), other.hwnd());
    rig.window()->setVisible(true, false);
    rig.flush();
    pump(50);
    EXPECT_TRUE(IsWindowVisible(rig.hwnd()));
    EXPECT_EQ(GetForegroundWindow(), other.hwnd());
}

TEST(MainWindow, TrayClicksIconizeRestoreAndBringForward) {
    MainWindowRig rig;
    rig.open();
    rig.window()->activate(true);
    rig.flush();
    trayClick(rig, WM_LBUTTONDOWN);
    EXPECT_TRUE(rig.window()->isIconized());
    EXPECT_FALSE(IsWindowVisible(rig.hwnd()));
    trayClick(rig, WM_LBUTTONDOWN);
    EXPECT_FALSE(rig.window()->isIconized());
    EXPECT_TRUE(IsWindowVisible(rig.hwnd()));
    EXPECT_TRUE(eventually([&] { return GetForegroundWindow() == rig.hwnd(); }));
    EXPECT_EQ(rig.events.count(IWindow::kTrayClick), 2);

    OtherWindow other;
    ASSERT_EQ(GetForegroundWindow(), other.hwnd());
    Sleep(200);  // longer ago than a click on the icon itself deactivates the window
    trayClick(rig, WM_LBUTTONDOWN);
    EXPECT_FALSE(rig.window()->isIconized());
    EXPECT_TRUE(eventually([&] { return GetForegroundWindow() == rig.hwnd(); }));

    trayClick(rig, WM_RBUTTONDOWN);
    EXPECT_EQ(rig.events.count(IWindow::kTrayRightClick), 1);
    EXPECT_EQ(rig.trayMenu.opened, 1);
}

TEST(MainWindow, CloseButtonIconizesWhileCloseReallyCloses) {
    MainWindowRig rig;
    rig.open();
    SendMessageW(rig.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    rig.flush();
    EXPECT_TRUE(rig.window()->isIconized());
    EXPECT_FALSE(rig.window()->isClosed());
    EXPECT_TRUE(rig.window()->isTrayIconShown());
    rig.window()->restore();
    rig.window()->close();
    EXPECT_TRUE(rig.window()->isClosed());
    EXPECT_FALSE(rig.window()->isTrayIconShown());
}

struct MiddleCase {
    const char16_t* action;
    bool iconizes;
    bool closes;
};

class MiddleClick : public testing::TestWithParam<MiddleCase> {};

TEST_P(MiddleClick, DoesTheChosenAction) {
    const MiddleCase& c = GetParam();
    MainWindowRig rig;
    rig.open();
    rig.window()->setMiddleClickAction(c.action);
    EXPECT_EQ(std::u16string(rig.store()->middleClickAction()), c.action);
    SendMessageW(rig.hwnd(), WM_MBUTTONDOWN, 0, MAKELPARAM(20, 20));
    rig.flush();
    EXPECT_EQ(rig.events.count(IWindow::kMiddleDown), 1);
    EXPECT_EQ(rig.window()->isClosed(), c.closes);
    // A real close is marked iconized first, so that the close button does not take it.
    if (!c.closes) {
        EXPECT_EQ(rig.window()->isIconized(), c.iconizes);
    }
}

INSTANTIATE_TEST_SUITE_P(Actions, MiddleClick,
                         testing::Values(MiddleCase{u"Iconize", true, false},
                                         MiddleCase{u"Close", false, true},
                                         MiddleCase{u"DoNothing", false, false}));

TEST(MainWindow, EasyDragAnswersCaptionInTheClientArea) {
    MainWindowRig rig;
    rig.open();
    const RECT r = windowRect(rig.hwnd());
    const LPARAM inside = MAKELPARAM(r.left + 300, r.top + 300);
    EXPECT_EQ(SendMessageW(rig.hwnd(), WM_NCHITTEST, 0, inside), HTCAPTION);
    // While the right button is down the client keeps its clicks.
    SetCursorPos(r.left + 300, r.top + 300);
    mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
    pump(30);
    EXPECT_EQ(SendMessageW(rig.hwnd(), WM_NCHITTEST, 0, inside), HTCLIENT);
    mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
    pump(30);
    EXPECT_EQ(SendMessageW(rig.hwnd(), WM_NCHITTEST, 0, inside), HTCAPTION);
    rig.window()->setEasyDrag(false);
    EXPECT_EQ(SendMessageW(rig.hwnd(), WM_NCHITTEST, 0, inside), HTCLIENT);
}

TEST(MainWindow, ACustomFrameIsResizedByItsBorder) {
    MainWindowRig rig;
    rig.open();
    ASSERT_NE(rig.base()->skinner()->currentSkin(), nullptr);
    rig.window()->setFrameDrawer(rig.base()->skinner()->currentSkin()->window(), false);
    rig.window()->activate(true);
    rig.flush();
    const RECT before = windowRect(rig.hwnd());
    const int x = before.right - 2, y = (before.top + before.bottom) / 2;
    EXPECT_EQ(SendMessageW(rig.hwnd(), WM_NCHITTEST, 0, MAKELPARAM(x, y)), HTRIGHT);
    EXPECT_EQ(
        SendMessageW(rig.hwnd(), WM_NCHITTEST, 0, MAKELPARAM(before.left + 1, before.top + 1)),
        HTTOPLEFT);
    SetCursorPos(x, y);
    pump(50);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    pump(50);
    for (int step = 1; step <= 8; ++step) {
        SetCursorPos(x + step * 5, y);
        mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
        pump(20);
    }
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    EXPECT_TRUE(eventually([&] {
        const RECT r = windowRect(rig.hwnd());
        return r.right - r.left == (before.right - before.left) + 40;
    })) << "width "
        << windowRect(rig.hwnd()).right - windowRect(rig.hwnd()).left;
    EXPECT_EQ(windowRect(rig.hwnd()).left, before.left);
}

TEST(MainWindow, TheMouseDragsTheWindowByItsSurface) {
    MainWindowRig rig;
    rig.open();
    rig.window()->activate(true);
    rig.flush();
    const RECT before = windowRect(rig.hwnd());
    const int x = before.left + 300, y = before.top + 300;
    SetCursorPos(x, y);
    pump(50);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    pump(50);
    for (int step = 1; step <= 8; ++step) {
        SetCursorPos(x + step * 10, y + step * 5);
        mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
        pump(20);
    }
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    EXPECT_TRUE(eventually([&] { return windowRect(rig.hwnd()).left == before.left + 80; }))
        << "left edge at " << windowRect(rig.hwnd()).left << ", began at " << before.left;
    EXPECT_EQ(windowRect(rig.hwnd()).top, before.top + 40);
}

struct HitCase {
    int32_t px, py;
    int32_t code;
};

class FrameHitTest : public testing::TestWithParam<HitCase> {};

TEST_P(FrameHitTest, BordersAndCornersOfACustomFrame) {
    const HitCase& c = GetParam();
    EXPECT_EQ(Window::frameHitTest(c.px, c.py, 200, 100), c.code) << "at " << c.px << "," << c.py;
}

INSTANTIATE_TEST_SUITE_P(Points, FrameHitTest,
                         testing::Values(HitCase{196, 10, HTTOPRIGHT}, HitCase{196, 50, HTRIGHT},
                                         HitCase{196, 71, HTBOTTOMRIGHT}, HitCase{195, 50, 0},
                                         HitCase{10, 96, HTBOTTOMLEFT}, HitCase{100, 96, HTBOTTOM},
                                         HitCase{171, 96, HTBOTTOMRIGHT}, HitCase{2, 10, HTTOPLEFT},
                                         HitCase{2, 50, HTLEFT}, HitCase{2, 80, HTBOTTOMLEFT},
                                         HitCase{20, 2, HTTOPLEFT}, HitCase{100, 2, HTTOP},
                                         HitCase{180, 2, HTTOPRIGHT}, HitCase{5, 5, 0},
                                         HitCase{100, 50, 0}, HitCase{29, 4, HTTOPLEFT},
                                         HitCase{30, 4, HTTOP}));

TEST(MainWindow, KeepOnTopIsStoredWhileActivationLeavesItAlone) {
    MainWindowRig rig;
    rig.plantInt(u"KeepOnTop", 0);
    rig.open();
    rig.window()->activate(true);
    rig.window()->activate(false);
    rig.window()->activate(true);
    rig.flush();
    EXPECT_FALSE(isTopmost(rig.hwnd()));
    EXPECT_EQ(rig.typeOf(u"KeepOnTop"), reg::kTypeBinary);  // never written

    rig.window()->setKeepOnTop(true);
    rig.flush();
    EXPECT_TRUE(isTopmost(rig.hwnd()));
    EXPECT_TRUE(rig.store()->keepOnTop());
    rig.window()->activate(true);
    rig.flush();
    EXPECT_TRUE(isTopmost(rig.hwnd()));
    rig.open();
    EXPECT_TRUE(rig.window()->isKeepOnTop());
    EXPECT_TRUE(isTopmost(rig.hwnd()));
}

TEST(MainWindow, ARefusedTrayIconIsTriedAgain) {
    MainWindowRig rig;
    Window::failTrayAddsForTesting(1);
    rig.open();
    Window::failTrayAddsForTesting(0);
    EXPECT_TRUE(rig.window()->isTrayIconShown());
}

TEST(MainWindow, WithoutATrayIconIconizeMinimizesToTheTaskbar) {
    MainWindowRig rig;
    Window::failTrayAddsForTesting(1000);
    rig.open();
    EXPECT_FALSE(rig.window()->isTrayIconShown());
    rig.window()->iconize();
    rig.flush();
    Window::failTrayAddsForTesting(0);
    EXPECT_FALSE(rig.window()->isIconized());
    EXPECT_TRUE(IsWindowVisible(rig.hwnd()));
    EXPECT_TRUE(IsIconic(rig.hwnd()));
}

TEST(MainWindow, TheIconComesBackWhenTheShellRestarts) {
    MainWindowRig rig;
    rig.open();
    // A restarted shell has forgotten every icon.
    NOTIFYICONDATAW forgotten{};
    forgotten.cbSize = sizeof forgotten;
    forgotten.hWnd = rig.hwnd();
    forgotten.uID = 0;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &forgotten));
    const int32_t before = Window::trayAddsForTesting();
    SendMessageW(rig.hwnd(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    rig.flush();
    EXPECT_EQ(Window::trayAddsForTesting(), before + 1);
    EXPECT_TRUE(rig.window()->isTrayIconShown());
}

TEST(MainWindow, SizingIsLimitedToTheWorkAreaHeight) {
    MainWindowRig rig;
    rig.open();
    const RECT work = workArea();
    const LONG tallest = work.bottom - work.top;
    for (WPARAM edge : {WPARAM{WMSZ_BOTTOM}, WPARAM{WMSZ_TOP}}) {
        RECT proposed{100, 10, 500, 10 + tallest + 300};
        SendMessageW(rig.hwnd(), WM_SIZING, edge, reinterpret_cast<LPARAM>(&proposed));
        EXPECT_EQ(proposed.bottom - proposed.top, tallest);
        if (edge == WMSZ_BOTTOM) {
            EXPECT_EQ(proposed.top, 10);
        } else {
            EXPECT_EQ(proposed.bottom, 10 + tallest + 300);
        }
    }
}

TEST(MainWindow, ConfinedToTheScreenAMoveStaysInside) {
    MainWindowRig rig;
    rig.open();
    rig.window()->setConfineToScreen(true);
    rig.window()->move(-300, -200);
    rig.flush();
    const RECT r = windowRect(rig.hwnd());
    EXPECT_EQ(r.left, workArea().left);
    EXPECT_EQ(r.top, workArea().top);
    rig.window()->setConfineToScreen(false);
    rig.window()->move(5000, 40);
    rig.window()->moveIntoScreen();
    rig.flush();
    EXPECT_EQ(windowRect(rig.hwnd()).right,
              GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN));
}

TEST(MainWindow, UserTimersAndHotKeysReportTheirEvents) {
    MainWindowRig rig;
    rig.open();
    rig.window()->startTimer(5, 20);
    EXPECT_TRUE(eventually([&] { return rig.events.count(IWindow::kTimer) > 0; }));
    rig.window()->stopTimer(5);
    EXPECT_EQ(rig.window()->lastTimer(), 5);

    ASSERT_TRUE(rig.window()->registerHotKey(true, true, true, false, VK_F11, u"TestKey", false));
    const ATOM atom = GlobalFindAtomW(L"TestKey");
    ASSERT_NE(atom, 0);
    SendMessageW(rig.hwnd(), WM_HOTKEY, atom, 0);
    rig.flush();
    EXPECT_EQ(rig.events.count(IWindow::kHotKey), 1);
    EXPECT_TRUE(rig.window()->isHotKey(u"TestKey"));
    EXPECT_FALSE(rig.window()->isHotKey(u"OtherKey"));
    // Another window cannot take the same keys while they are held; the silent request only
    // answers false.
    Window* other = Window::take();
    EXPECT_FALSE(other->registerHotKey(true, true, true, false, VK_F11, u"OtherKey", false));
    rig.window()->unregisterHotKey(u"TestKey");
    EXPECT_TRUE(other->registerHotKey(true, true, true, false, VK_F11, u"OtherKey", false));
    other->unregisterAllHotKeys();
    other->release();
    rig.window()->unregisterAllHotKeys();

    str::StrBuffer text;
    Window::hotKeyFailureText(1409, true, true, false, true, 65, text);
    EXPECT_EQ(std::u16string(text.text()),
              u"(1409) HotKey Alt+Ctrl+WinKey+65 has been occupied by another application.");
}

}  // namespace

}  // namespace s::tests::app

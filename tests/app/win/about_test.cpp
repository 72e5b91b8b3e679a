// The About window on real windows: it disables the window that opened it until it closes,
// stays above it, is built afresh at every showing, keeps its own "Classic LG" colours and
// opens its links.
#include <windows.h>

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "app/frame/win/about_host.h"
#include "app/frame/win/app_window.h"
#include "gui/dialogs/about3.h"
#include "gui/drawer/i_skin.h"
#include "gui/drawer/skinner.h"
#include "gui/win/box.h"
#include "gui/win/button.h"
#include "gui/win/label.h"
#include "gui/win/window.h"
#include "tests/app/win/main_window_rig.h"
#include "tests/gui/win/screenshot.h"

namespace s::tests::app {
namespace {

using ::s::app::win::AboutHost;
using ::s::gui::dialogs::About3;

// Runs xdotool on the test's X display; callers poll for the effect.
void xdo(const std::string& commands) {
    std::wstring line = L"Z:\\usr\\bin\\xdotool " + std::wstring(commands.begin(), commands.end());
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &si, &pi));
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

void clickCentreOf(HWND hwnd) {
    RECT r;
    ASSERT_TRUE(GetWindowRect(hwnd, &r));
    xdo("mousemove " + std::to_string((r.left + r.right) / 2) + " " +
        std::to_string((r.top + r.bottom) / 2) + " click 1");
}

// The addresses the About window asked to open.
std::mutex openedLock;
std::vector<std::u16string> opened;
bool recordOpen(const char16_t* address) {
    std::lock_guard<std::mutex> hold(openedLock);
    opened.emplace_back(address);
    return true;
}
std::vector<std::u16string> openedSoFar() {
    std::lock_guard<std::mutex> hold(openedLock);
    return opened;
}

std::wstring titleOf(HWND hwnd) {
    wchar_t text[128] = {};
    GetWindowTextW(hwnd, text, 128);
    return text;
}

// The visible top-level windows of this process with the About window's title.
int32_t visibleAboutWindows() {
    struct Search {
        int32_t found = 0;
    } search;
    EnumWindows(
        [](HWND hwnd, LPARAM p) -> BOOL {
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd) &&
                titleOf(hwnd) == L"Version Information")
                ++reinterpret_cast<Search*>(p)->found;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Whether `upper` comes before `lower` in the z-order of the top-level windows.
bool isAbove(HWND upper, HWND lower) {
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (h == upper)
            return true;
        if (h == lower)
            return false;
    }
    return false;
}

uint32_t windowColourOf(const char16_t* skinName) {
    gui::drawer::Skinner* skinner = gui::drawer::Skinner::create(u"ThinWindow");
    skinner->selectByName(skinName);
    const uint32_t colour = skinner->currentSkin()->window()->backgroundColour();
    skinner->release();
    return colour;
}

// The clock window's stand-in, painted in `skinName` of the application's skinner, and the
// About window it opens.
class AboutTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig.open();
        ASSERT_NE(rig.window(), nullptr);
        host.setLinkOpener(&recordOpen);
    }
    void TearDown() override { host.release(); }

    void paintParentIn(const char16_t* skinName) {
        gui::drawer::Skinner* skinner = rig.base()->skinner();
        skinner->selectByName(skinName);
        const uint32_t c = skinner->currentSkin()->window()->backgroundColour();
        rig.window()->setSkinner(skinner);
        rig.window()->setBackgroundRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF, true);
        rig.flush();
    }
    // From the test's thread, or as the clock window's menu does, from the opener's own.
    void showAbout(bool onOpenersThread = false) {
        if (onOpenersThread)
            rig.window()->onWindowThread([this] { host.show(*rig.base(), rig.window()); });
        else
            host.show(*rig.base(), rig.window());
        ASSERT_NE(about(), nullptr);
        ASSERT_NE(about()->window(), nullptr);
        aboutWindow()->onWindowThread([] {});
    }
    About3* about() const { return host.about(); }
    gui::win::Window* aboutWindow() const { return about()->window(); }
    HWND aboutHwnd() const { return aboutWindow()->hwnd(); }
    // Lets the About window paint and the X server show it.
    void settle() {
        gui::win::Window* w = aboutWindow();
        w->onWindowThread([w] {
            RedrawWindow(w->hwnd(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        });
        GdiFlush();
        Sleep(200);
        w->onWindowThread([] {});
    }

    MainWindowRig rig;
    AboutHost host;
};

TEST_F(AboutTest, ShowingDisablesTheOwnerAndEveryWayOfClosingEnablesItAgain) {
    enum Way { kCloseButton, kClosePicture, kCloseMessage, kMiddleClick };
    for (Way way : {kCloseButton, kClosePicture, kCloseMessage, kMiddleClick}) {
        SCOPED_TRACE(static_cast<int>(way));
        showAbout();
        HWND shown = aboutHwnd();
        EXPECT_TRUE(IsWindowVisible(shown));
        EXPECT_FALSE(IsWindowEnabled(rig.hwnd()));
        EXPECT_FALSE(rig.window()->isEnabled());
        EXPECT_EQ(GetWindow(shown, GW_OWNER), rig.hwnd());
        EXPECT_EQ(titleOf(shown), L"Version Information");
        // Whatever the fonts make of the texts, both close buttons lie inside the window.
        RECT outer;
        GetWindowRect(shown, &outer);
        for (gui::win::Button* b : {about()->closeButton(), about()->closePictureButton()}) {
            RECT r;
            GetWindowRect(b->hwnd(), &r);
            EXPECT_TRUE(r.left >= outer.left && r.right <= outer.right && r.top >= outer.top &&
                        r.bottom <= outer.bottom);
        }
        settle();
        switch (way) {
            case kCloseButton:
                clickCentreOf(about()->closeButton()->hwnd());
                break;
            case kClosePicture:
                clickCentreOf(about()->closePictureButton()->hwnd());
                break;
            case kCloseMessage:
                PostMessageW(shown, WM_CLOSE, 0, 0);
                break;
            case kMiddleClick:
                PostMessageW(shown, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(3, 3));
                break;
        }
        EXPECT_TRUE(eventually([&] { return IsWindowEnabled(rig.hwnd()) != FALSE; }));
        EXPECT_TRUE(rig.window()->isEnabled());
        EXPECT_TRUE(eventually([&] { return aboutWindow()->isClosed(); }));
        EXPECT_TRUE(eventually([&] { return IsWindowVisible(shown) == FALSE; }));
    }
}

TEST_F(AboutTest, OpeningTwiceShowsOneFreshlyBuiltWindow) {
    showAbout();
    HWND first = aboutHwnd();
    showAbout(true);
    HWND second = aboutHwnd();
    EXPECT_NE(second, first);
    EXPECT_NE(about()->closeButton(), nullptr);
    EXPECT_TRUE(eventually([&] { return IsWindow(first) == FALSE; }));
    EXPECT_EQ(visibleAboutWindows(), 1);
    EXPECT_FALSE(IsWindowEnabled(rig.hwnd()));
    EXPECT_EQ(GetWindow(second, GW_OWNER), rig.hwnd());

    PostMessageW(second, WM_CLOSE, 0, 0);
    EXPECT_TRUE(eventually([&] { return IsWindowEnabled(rig.hwnd()) != FALSE; }));
    EXPECT_EQ(visibleAboutWindows(), 0);
    // Reused for the next showing: the same About3, store and skinner.
    About3* same = about();
    ::s::app::win::AppWindow* store = host.applicationWindow();
    showAbout(true);
    EXPECT_EQ(about(), same);
    EXPECT_EQ(host.applicationWindow(), store);
    EXPECT_EQ(visibleAboutWindows(), 1);
}

TEST_F(AboutTest, TheDisabledOwnerNeverCoversIt) {
    // Kept on top, then raised and activated as a click on its tray icon does: the opener
    // stays below the window it owns, in either band.
    for (bool onTop : {false, true}) {
        SCOPED_TRACE(onTop);
        rig.window()->setKeepOnTop(onTop);
        showAbout();
        EXPECT_EQ(GetWindow(aboutHwnd(), GW_OWNER), rig.hwnd());
        rig.window()->onWindowThread([this] {
            SetWindowPos(rig.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        });
        rig.window()->activate(true);
        EXPECT_TRUE(eventually([&] { return isAbove(aboutHwnd(), rig.hwnd()); }));
    }
    // After closing, it is its hidden owner's again: releasing it takes the native window.
    HWND shown = aboutHwnd();
    PostMessageW(shown, WM_CLOSE, 0, 0);
    EXPECT_TRUE(eventually([&] { return IsWindowEnabled(rig.hwnd()) != FALSE; }));
    host.release();
    EXPECT_TRUE(eventually([&] { return IsWindow(shown) == FALSE; }));
}

TEST_F(AboutTest, KeepsClassicLgColoursWhateverTheOwnersSkin) {
    const uint32_t classic = windowColourOf(u"Classic LG");
    for (const char16_t* parentSkin : {u"Sky Blue", u"Black", u"Classic LG"}) {
        SCOPED_TRACE(std::string(parentSkin, parentSkin + std::char_traits<char16_t>::length(
                                                              parentSkin)));
        paintParentIn(parentSkin);
        showAbout();
        EXPECT_EQ(std::u16string(host.skinner()->currentName()), u"Classic LG");
        settle();
        const gui::testing::Capture shot =
            std::u16string(parentSkin) == u"Sky Blue"
                ? gui::testing::saveScreenshot(aboutHwnd(), "about")
                : gui::testing::captureWindow(aboutHwnd());
        ASSERT_GT(shot.width, 0);
        // The window's own background, in the root box's margin.
        EXPECT_EQ(shot.at(1, shot.height - 1), classic);
        EXPECT_EQ(shot.at(shot.width / 2, 1), classic);
        // The support box: its frame, then its fill inside the frame.
        RECT window, box;
        GetWindowRect(aboutHwnd(), &window);
        GetWindowRect(about()->supportBox()->hwnd(), &box);
        const int32_t x = box.left - window.left, y = (box.top + box.bottom) / 2 - window.top;
        EXPECT_EQ(shot.at(x, y), About3::kSupportFrameColour);
        EXPECT_EQ(shot.at(x + 1, y), About3::kSupportFrameColour);
        EXPECT_EQ(shot.at(x + 2, y), About3::kSupportFillColour);
        EXPECT_EQ(shot.at(box.right - window.left - 1, y), About3::kSupportFrameColour);
        PostMessageW(aboutHwnd(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(eventually([&] { return IsWindowEnabled(rig.hwnd()) != FALSE; }));
    }
}

TEST_F(AboutTest, LinksOpenTheAddressAndTheSupportPage) {
    showAbout();
    settle();
    EXPECT_EQ(std::u16string(about()->addressLink()->text()), u"https://www.kivo.example/");
    const size_t before = openedSoFar().size();
    clickCentreOf(about()->addressLink()->hwnd());
    ASSERT_TRUE(eventually([&] { return openedSoFar().size() == before + 1; }));
    clickCentreOf(about()->supportLink()->hwnd());
    ASSERT_TRUE(eventually([&] { return openedSoFar().size() == before + 2; }));
    const std::vector<std::u16string> all = openedSoFar();
    EXPECT_EQ(all[before], u"https://www.kivo.example/");
    EXPECT_EQ(all[before + 1], u"https://www.kivo.example/donate");
    // The window stays open; only the links were followed.
    EXPECT_TRUE(IsWindowVisible(aboutHwnd()));
    EXPECT_FALSE(IsWindowEnabled(rig.hwnd()));
}

}  // namespace
}  // namespace s::tests::app

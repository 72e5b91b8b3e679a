#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "gui/drawer/win/window.h"
#include "gui/i_menu_target.h"
#include "gui/i_window_state.h"
#include "gui/win/box.h"
#include "gui/win/messages.h"
#include "gui/win/window.h"
#include "gui/win/window_class.h"
#include "lang/lang_pack.h"
#include "lang/localizer.h"
#include "tests/gui/win/screenshot.h"
#include "tests/gui/win/win_test_support.h"

namespace s::gui::win {
namespace {

using testing::flush;
using testing::TestWindow;
using testing::ThreadLog;

DWORD threadOf(HWND hwnd) {
    return GetWindowThreadProcessId(hwnd, nullptr);
}

TEST(Window, CreatesItsNativeWindowsOnItsOwnThread) {
    TestWindow w;
    ASSERT_TRUE(w->isValid());
    HWND hwnd = w->hwnd();
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    EXPECT_STREQ(name, L"VandelWindowClass");
    wchar_t title[64] = {};
    GetWindowTextW(hwnd, title, 64);
    EXPECT_STREQ(title, L"Window");
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_EQ(w->width(), 240);
    EXPECT_EQ(w->height(), 120);
    EXPECT_NE(threadOf(hwnd), GetCurrentThreadId());
    EXPECT_EQ(threadOf(hwnd), w->threadId());
    // The hidden owner: same thread, hidden, no taskbar button.
    HWND owner = GetWindow(hwnd, GW_OWNER);
    ASSERT_EQ(owner, w->ownerHwnd());
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_TRUE(GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(threadOf(owner), w->threadId());
}

TEST(WindowClass, IsRegisteredOnceWithDoubleClicksFromManyThreads) {
    std::vector<std::thread> threads;
    std::atomic<int> ok{0};
    for (int i = 0; i < 4; ++i)
        threads.emplace_back([&] { ok += registerWindowClass() ? 1 : 0; });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(ok.load(), 4);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), kWindowClassName, &wc));
    EXPECT_TRUE(wc.style & CS_DBLCLKS);
    EXPECT_TRUE(wc.style & CS_GLOBALCLASS);
}

TEST(Window, WindowsMadeAtOnceOnSeveralThreadsAllExist) {
    std::vector<std::thread> threads;
    std::atomic<int> valid{0};
    for (int i = 0; i < 3; ++i) {
        threads.emplace_back([&] {
            Window* w = Window::take();
            valid += w->isValid() ? 1 : 0;
            w->release();
        });
    }
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(valid.load(), 3);
}

TEST(Window, FailedCreationReturnsAndLeavesAnInertWindow) {
    Window::failNativeCreationForTesting(1);
    Window* w = Window::take();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->isValid());
    // Operations that need a native window do nothing, and nothing waits forever.
    w->setTitle(u"nothing");
    w->move(10, 10);
    w->setVisible(true, true);
    EXPECT_EQ(w->sendRect(1, 2, 3, 4), 0);
    EXPECT_FALSE(w->postRect(1, 2, 3, 4));
    EXPECT_FALSE(w->askYesNo(u"?"));
    w->close();
    w->waitUntilClosed();
    Box* box = Box::take();
    w->addChild(box);
    EXPECT_EQ(box->hwnd(), nullptr);
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, w->threadId());
    w->release();
    if (thread) {
        EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
        CloseHandle(thread);
    }
}

TEST(Window, ReleaseEndsTheThreadAndDestroysBothWindows) {
    Window* w = Window::take();
    ASSERT_TRUE(w->isValid());
    HWND hwnd = w->hwnd(), owner = w->ownerHwnd();
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, w->threadId());
    ASSERT_NE(thread, nullptr);
    w->release();
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(IsWindow(owner));
    CloseHandle(thread);
}

// The thread is busy in a listener past the stop timeout: release gives up after it, and
// the thread, never suspended, ends on its own once the listener returns.
TEST(Window, AStuckThreadIsLeftToEndNotSuspended) {
    Window* w = Window::take();
    ASSERT_TRUE(w->isValid());
    HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE inside = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ThreadLog log;
    log.hook = [&](int32_t) {
        SetEvent(inside);
        WaitForSingleObject(go, 20000);
    };
    w->addWakeListener(&log);
    PostMessageW(w->hwnd(), msg::kWake, 0, 0);
    ASSERT_EQ(WaitForSingleObject(inside, 5000), WAIT_OBJECT_0);
    HANDLE thread = OpenThread(SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE, w->threadId());
    ASSERT_NE(thread, nullptr);
    w->release();  // about 5 s
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);
    SetEvent(go);
    EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
    CloseHandle(thread);
    CloseHandle(go);
    CloseHandle(inside);
}

TEST(Window, AChildAddedWhileVisibleIsAttachedOnTheWindowThreadAndLaidOut) {
    TestWindow w;
    w->setBounds(50, 50, 300, 200);
    w->setVisible(true, false);
    Box* box = Box::take();
    box->setFillParent();
    w->addChild(box);
    ASSERT_NE(box->hwnd(), nullptr);
    EXPECT_EQ(threadOf(box->hwnd()), w->threadId());
    EXPECT_EQ(GetParent(box->hwnd()), w->hwnd());
    EXPECT_EQ(box->width(), w->clientWidth());
    EXPECT_EQ(box->height(), w->clientHeight());
    EXPECT_EQ(box->window(), w.window);
}

TEST(Window, ARelayoutAskedFromAWorkerRunsOnTheWindowThread) {
    TestWindow w;
    w->setVisible(true, false);
    Box* box = Box::take();
    box->setFillParent();
    w->addChild(box);
    ThreadLog log;
    box->addLayoutListener(&log);
    std::thread worker([&] {
        box->relayout();
        w->relayout();
        box->resize(30, 30);
    });
    worker.join();
    ASSERT_GE(log.entries.size(), 2u);
    for (const auto& e : log.entries)
        EXPECT_EQ(e.thread, w->threadId());
}

TEST(Window, ACloseListenerCanVetoTheClose) {
    TestWindow w;
    w->setVisible(true, false);
    ThreadLog log;
    log.hook = [&](int32_t id) {
        if (id == IWindow::kClose)
            w->cancelClose();
    };
    w->addCloseListener(&log);
    w->close();
    EXPECT_EQ(log.ids(), std::vector<int32_t>{1});
    EXPECT_FALSE(w->isClosed());
    EXPECT_TRUE(IsWindowVisible(w->hwnd()));
}

TEST(Window, CloseHidesMarksClosedAndRemovesAnAlwaysTrayIcon) {
    TestWindow w;
    w->setVisible(true, false);
    w->setTrayIconAlways(true);
    EXPECT_TRUE(w->isTrayIconShown());
    w->showTrayIcon(false);  // "always" keeps it
    EXPECT_TRUE(w->isTrayIconShown());
    ThreadLog log;
    w->addCloseListener(&log);
    SendMessageW(w->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(log.ids(), std::vector<int32_t>{1});
    EXPECT_TRUE(w->isClosed());
    EXPECT_FALSE(IsWindowVisible(w->hwnd()));
    EXPECT_FALSE(w->isTrayIconShown());
    EXPECT_TRUE(IsWindow(w->hwnd()));  // destroyed only with the Window
    // A second close does nothing.
    SendMessageW(w->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(log.ids().size(), 1u);
}

TEST(Window, WaitUntilClosedWakesWhenTheWindowCloses) {
    TestWindow w;
    w->setVisible(true, false);
    std::atomic<bool> returned{false};
    std::thread waiter([&] {
        w->waitUntilClosed();
        returned = true;
    });
    Sleep(50);
    EXPECT_FALSE(returned.load());
    w->close();
    waiter.join();
    EXPECT_TRUE(returned.load());
    EXPECT_TRUE(w->isClosed());
}

TEST(Window, ReturnIsHandledOtherKeysPassOnAfterTheKeyEvent) {
    TestWindow w;
    ThreadLog log;
    w->addKeyListener(&log);
    struct Case {
        WPARAM key;
        bool handled;
    };
    for (Case c : {Case{VK_RETURN, true}, Case{'A', false}, Case{VK_ESCAPE, false}}) {
        bool handled = false;
        w->onWindowThread([&] {
            intptr_t result = -1;
            handled = w->handleMessage(result, WM_KEYDOWN, c.key, 0);
        });
        EXPECT_EQ(handled, c.handled) << c.key;
        EXPECT_EQ(w->lastKey(), static_cast<int32_t>(c.key));
    }
    EXPECT_EQ(log.ids(), (std::vector<int32_t>{12, 12, 12}));
}

// A native list view as a child component.
class ListChild final : public Component {
public:
    const char16_t* className() const override { return u"s_gui_testing_ListChild"; }
    ListChild* newInstance() const override { return nullptr; }
    void reset() override {}
    void release() override { delete this; }

protected:
    void createNative() override {
        native_ = CreateWindowExW(0, L"SysListView32", L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0,
                                  0, 10, 10, static_cast<HWND>(parent_->nativeHandle()), nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    }
    void destroyNative() override {
        if (native_)
            DestroyWindow(static_cast<HWND>(native_));
        native_ = nullptr;
    }
    void placeNative(uint32_t) override {
        if (native_)
            SetWindowPos(static_cast<HWND>(native_), nullptr, x_ + dx_, y_ + dy_, width_, height_,
                         SWP_NOZORDER | SWP_NOACTIVATE);
    }
};

TEST(Window, TheWheelOverAChildListIsTheListsOverEmptySpaceAnEvent) {
    TestWindow w;
    w->setBounds(100, 100, 300, 300);
    w->setVisible(true, false);
    auto* list = new ListChild;
    list->setMinimumSize(100, 100);
    list->setMaximumSize(100, 100);
    w->addChild(list);
    ThreadLog log;
    w->addWheelListener(&log);
    RECT lr;
    GetWindowRect(static_cast<HWND>(list->nativeHandle()), &lr);
    RECT wr;
    GetClientRect(w->hwnd(), &wr);
    MapWindowPoints(w->hwnd(), nullptr, reinterpret_cast<POINT*>(&wr), 2);
    UINT lines = 0;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    struct Case {
        POINT at;
        short delta;
        bool event;
        int32_t lines;
    };
    const Case cases[] = {
        {{lr.left + 50, lr.top + 50}, 120, false, 0},
        {{wr.right - 10, wr.bottom - 10}, 120, true, static_cast<int32_t>(lines)},
        // A negative delta: the raw 64-bit wparam is positive, the wheel goes down.
        {{wr.right - 10, wr.bottom - 10}, -120, true, -static_cast<int32_t>(lines)},
    };
    size_t events = 0;
    for (const Case& c : cases) {
        WPARAM wp = MAKEWPARAM(0, static_cast<WORD>(c.delta));
        ASSERT_GT(wp, 0u);
        LRESULT r = SendMessageW(w->hwnd(), WM_MOUSEWHEEL, wp, MAKELPARAM(c.at.x, c.at.y));
        EXPECT_EQ(r, 0);
        if (c.event) {
            ++events;
            EXPECT_EQ(w->wheelLines(), c.lines);
        }
        EXPECT_EQ(log.entries.size(), events);
    }
}

TEST(Window, Message1031TellsOnlyWakeListeners) {
    TestWindow w;
    ThreadLog rects;
    w->addRectMessageListener(&rects);
    w->addRectMessageListener(&rects);
    SendMessageW(w->hwnd(), msg::kWake, 0, 0);
    EXPECT_TRUE(rects.entries.empty());
    ThreadLog wake;
    w->addWakeListener(&wake);
    SendMessageW(w->hwnd(), msg::kWake, 0, 0);
    EXPECT_EQ(wake.ids(), std::vector<int32_t>{15});
    EXPECT_TRUE(rects.entries.empty());
}

class FakeStore : public IWindowStateStore {
public:
    explicit FakeStore(Window& w) : window_(w) {}
    void saveApplicationSettings() override {
        ++saves;
        closedWhenSaved = window_.isClosed();
    }
    void storeLanguageName(const char16_t*) override {}
    int saves = 0;
    bool closedWhenSaved = true;

private:
    Window& window_;
};

TEST(Window, EndSessionRunsCloseListenersAndSavesBeforeTheClosedFlag) {
    TestWindow w;
    w->setVisible(true, false);
    FakeStore store(*w);
    w->setStateStore(&store, false);
    ThreadLog log;
    w->addCloseListener(&log);
    std::atomic<int> savesSeenByWaiter{-1};
    std::thread waiter([&] {
        w->waitUntilClosed();
        savesSeenByWaiter = store.saves;
    });
    SendMessageW(w->hwnd(), WM_ENDSESSION, TRUE, 0);
    waiter.join();
    EXPECT_EQ(log.ids(), std::vector<int32_t>{1});
    EXPECT_EQ(store.saves, 1);
    EXPECT_FALSE(store.closedWhenSaved);
    EXPECT_EQ(savesSeenByWaiter.load(), 1);
    EXPECT_TRUE(w->isShuttingDown());
    EXPECT_TRUE(w->isClosed());
}

TEST(Window, EndSessionOfALogOffOnlyOrAVetoedCloseStillEndsRight) {
    TestWindow w;
    FakeStore store(*w);
    w->setStateStore(&store, false);
    SendMessageW(w->hwnd(), WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(w->isShuttingDown());
    EXPECT_EQ(store.saves, 0);
    ThreadLog veto;
    veto.hook = [&](int32_t) { w->cancelClose(); };
    w->addCloseListener(&veto);
    SendMessageW(w->hwnd(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(w->isClosed());
    EXPECT_EQ(store.saves, 1);
}

TEST(Window, ListenersRunInOrderAndRestoreComesBeforeSize) {
    TestWindow w;
    ThreadLog first, second;
    std::vector<std::pair<int, int32_t>> order;
    first.hook = [&](int32_t id) { order.push_back({1, id}); };
    second.hook = [&](int32_t id) { order.push_back({2, id}); };
    w->addSizeListener(&first);
    w->addRestoreListener(&first);
    w->addSizeListener(&second);
    SendMessageW(w->hwnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(100, 100));
    const std::vector<std::pair<int, int32_t>> want = {{1, 21}, {1, 4}, {2, 4}};
    EXPECT_EQ(order, want);
    order.clear();
    SendMessageW(w->hwnd(), WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(100, 100));
    EXPECT_EQ(order, (std::vector<std::pair<int, int32_t>>{{1, 4}, {2, 4}}));
}

TEST(Window, LastNormalBoundsAreNotTakenWhileMinimizedOrMaximized) {
    TestWindow w;
    w->setVisible(true, false);
    w->setBounds(120, 110, 320, 210);
    flush(*w);
    EXPECT_EQ(w->normalX(), 120);
    EXPECT_EQ(w->normalY(), 110);
    EXPECT_EQ(w->normalWidth(), 320);
    EXPECT_EQ(w->normalHeight(), 210);
    w->maximize();
    flush(*w);
    EXPECT_TRUE(w->isMaximized());
    EXPECT_EQ(w->normalWidth(), 320);
    w->restore();
    w->minimize();
    flush(*w);
    EXPECT_TRUE(w->isMinimized());
    EXPECT_EQ(w->normalX(), 120);
    EXPECT_EQ(w->normalHeight(), 210);
}

TEST(Window, PostedRectsCarryTheirOwnIntegers) {
    TestWindow w;
    std::vector<std::vector<int32_t>> seen;
    ThreadLog log;
    log.hook = [&](int32_t) { seen.push_back({w->rectA(), w->rectB(), w->rectC(), w->rectD()}); };
    w->addRectMessageListener(&log);
    std::thread poster([&] {
        for (int32_t i = 0; i < 3; ++i) {
            int32_t local[4] = {i, i + 1, i + 2, i + 3};
            ASSERT_TRUE(w->postRect(local[0], local[1], local[2], local[3]));
        }
    });
    poster.join();
    flush(*w);
    ASSERT_TRUE(testing::eventually([&] { return seen.size() == 3; }));
    for (int32_t i = 0; i < 3; ++i)
        EXPECT_EQ(seen[static_cast<size_t>(i)], (std::vector<int32_t>{i, i + 1, i + 2, i + 3}));
    log.hook = [&](int32_t) { w->setRectResult(w->rectA() * 2); };
    EXPECT_EQ(w->sendRect(21, 0, 0, 0), 42);
}

class FakeMenu : public IMenuTarget {
public:
    explicit FakeMenu(int32_t owned) : owned_(owned) {}
    bool hasCommand(int32_t command) const override { return command == owned_; }
    void dispatchCommand(int32_t command) override { dispatched.push_back(command); }
    void* nativeMenu() override { return nullptr; }
    void openAt(void*, int32_t, int32_t) override { ++opened; }
    std::vector<int32_t> dispatched;
    int opened = 0;

private:
    int32_t owned_;
};

// Notes the reflected notifications a control receives.
class Reflected : private IMessageTarget {
public:
    explicit Reflected(HWND parent) {
        hwnd = createToolkitWindow(0, L"", WS_CHILD, 0, 0, 10, 10, parent, this);
    }
    ~Reflected() override { setMessageTarget(hwnd, nullptr); }
    bool handleMessage(intptr_t& result, uint32_t message, uintptr_t, intptr_t) override {
        if (message >= 0x8003 && message <= 0x8015) {
            received.push_back(message);
            result = 0;
            return true;
        }
        return false;
    }
    void afterMessage(intptr_t&, uint32_t, uintptr_t, intptr_t) override {}
    HWND hwnd = nullptr;
    std::vector<uint32_t> received;
};

TEST(Window, CommandsGoToTheMenuThatOwnsThemNotificationsToTheirControl) {
    TestWindow w;
    FakeMenu bar(42), tray(43);
    w->setMenuBar(&bar);
    w->setTrayMenu(&tray);
    Reflected* control = nullptr;
    w->onWindowThread([&] { control = new Reflected(w->hwnd()); });
    ASSERT_NE(control->hwnd, nullptr);
    SendMessageW(w->hwnd(), WM_COMMAND, 42, 0);
    SendMessageW(w->hwnd(), WM_COMMAND, 43, 0);
    // A control notification whose id equals a menu command still belongs to the control.
    SendMessageW(w->hwnd(), WM_COMMAND, MAKEWPARAM(42, BN_CLICKED),
                 reinterpret_cast<LPARAM>(control->hwnd));
    SendMessageW(w->hwnd(), WM_COMMAND, MAKEWPARAM(42, EN_CHANGE),
                 reinterpret_cast<LPARAM>(control->hwnd));
    // Nobody owns 99; there is no context menu.
    SendMessageW(w->hwnd(), WM_COMMAND, 99, 0);
    SendMessageW(w->hwnd(), WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(bar.dispatched, std::vector<int32_t>{42});
    EXPECT_EQ(tray.dispatched, std::vector<int32_t>{43});
    EXPECT_EQ(control->received, (std::vector<uint32_t>{0x8004, 0x800C}));
    FakeMenu context(7);
    ThreadLog log;
    w->addContextMenuListener(&log);
    w->addRightDownListener(&log);
    w->setContextMenu(&context, false);
    SendMessageW(w->hwnd(), WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(context.opened, 1);
    EXPECT_EQ(log.ids(), (std::vector<int32_t>{3, 19}));
    w->onWindowThread([&] { delete control; });
}

TEST(Window, ADragEndsWhenTheCaptureGoesAtTheCursor) {
    TestWindow w;
    w->setBounds(100, 100, 200, 150);
    w->setVisible(true, false);
    ThreadLog log;
    w->addDragEndListener(&log);
    SetCursorPos(150, 140);
    w->beginDrag();
    w->onWindowThread([] { ReleaseCapture(); });
    EXPECT_EQ(log.ids(), std::vector<int32_t>{17});
    EXPECT_EQ(w->dragEndX(), 150);
    EXPECT_EQ(w->dragEndY(), 140);
    // Without a drag, losing the capture reports nothing.
    w->onWindowThread([&] {
        SetCapture(w->hwnd());
        ReleaseCapture();
    });
    EXPECT_EQ(log.ids().size(), 1u);
}

TEST(Window, AFrameDrawerMakesTheWholeWindowClientAreaAndPaintsIt) {
    TestWindow w;
    w->setBounds(80, 80, 220, 140);
    auto* frame = drawer::window::win::Thin::take();
    ASSERT_NE(frame, nullptr);
    w->setFrameDrawer(frame, true);
    w->setVisible(true, false);
    testing::settle(*w);
    RECT client;
    GetClientRect(w->hwnd(), &client);
    EXPECT_EQ(client.right, 220);
    EXPECT_EQ(client.bottom, 140);
    EXPECT_FALSE(GetWindowLongPtrW(w->hwnd(), GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(w->frameWidth(), 0);
    testing::Capture cap = testing::saveScreenshot(w->hwnd(), "window_custom_frame");
    EXPECT_EQ(cap.at(0, 70), frame->frameColour());
    EXPECT_EQ(cap.at(219, 70), frame->frameColour());
    EXPECT_EQ(cap.at(110, 70), frame->backgroundColour());
    // A new size keeps the whole window as client area.
    w->resize(260, 160);
    GetClientRect(w->hwnd(), &client);
    EXPECT_EQ(client.right, 260);
}

TEST(Window, UserTimersAndTheTitle) {
    TestWindow w;
    ThreadLog log;
    w->addTimerListener(&log);
    w->startTimer(5, 10);
    ASSERT_TRUE(testing::eventually([&] { return !log.entries.empty(); }));
    w->stopTimer(5);
    EXPECT_EQ(w->lastTimer(), 5);
    w->setTitle(u"Clock");
    wchar_t title[32] = {};
    GetWindowTextW(w->hwnd(), title, 32);
    EXPECT_STREQ(title, L"Clock");
}

class LanguageStore : public IWindowStateStore {
public:
    void saveApplicationSettings() override {}
    void storeLanguageName(const char16_t* name) override { stored = name; }
    std::u16string stored;
};

lang::LangPack* pack(const char16_t* name, const char16_t* title, const char16_t* version) {
    lang::LangPack* p = lang::LangPack::take();
    p->setNames(u"xx", name, name);
    p->addText(500000, title);
    p->addText(500010, version);
    return p;
}

TEST(Window, ALanguageChangeStoresTheLanguageRetitlesThenTellsListeners) {
    TestWindow w;
    lang::Localizer* localizer = lang::Localizer::take();
    localizer->addLanguage(pack(u"English", u"World Clock", u"1.18"));
    localizer->addLanguage(pack(u"German", u"Weltzeituhr", u"1,18"));
    localizer->selectLanguage(u"English");
    LanguageStore store;
    w->setStateStore(&store, true);
    w->setLocalizer(localizer);
    w->setTitleIds(500000, 500010);
    EXPECT_EQ(std::u16string(w->title()), u"World Clock v1.18");
    std::u16string titleWhenTold;
    ThreadLog log;
    log.hook = [&](int32_t) { titleWhenTold = w->title(); };
    w->addLanguageListener(&log);
    w->onWindowThread([&] { localizer->selectLanguage(u"German"); });
    EXPECT_EQ(log.ids(), std::vector<int32_t>{20});
    EXPECT_EQ(store.stored, u"German");
    EXPECT_EQ(titleWhenTold, u"Weltzeituhr v1,18");
    wchar_t native[64] = {};
    GetWindowTextW(w->hwnd(), native, 64);
    EXPECT_STREQ(native, L"Weltzeituhr v1,18");
    w->release();
    w.window = nullptr;
    localizer->release();
}

}  // namespace
}  // namespace s::gui::win

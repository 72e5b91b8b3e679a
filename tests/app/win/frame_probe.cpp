// A stand-in program for the single-instance tests: it starts like the world clock (an
// application base on a private settings key, the running-copy check) and, when it is the
// first copy, shows a main window of the toolkit's class with its empty-titled hidden
// owner, counting the messages a later copy sends.
//   frame_probe serve <product key>       first copy: serve until WM_CLOSE (exit 0);
//                                          a later copy: notify and exit 2
//   frame_probe serve-busy <product key>  as serve, but the window's thread never answers
//   frame_probe serve-desktop <key>        as serve, finding the copy on this desktop
//   frame_probe path <product key> <file>  writes the executable's path (UTF-8) and exits
//   frame_probe tray <product key> <event> a later copy notifies and exits 2; the first
//                                          starts as "-startup" does (the real main window,
//                                          iconized), sets the named event and runs until
//                                          the window is closed
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/frame/i_app_base.h"
#include "app/frame/win/app_base.h"
#include "app/frame/win/app_window.h"
#include "app/frame/win/win_app.h"
#include "base/array.h"
#include "gui/drawer/skinner.h"
#include "gui/win/window.h"
#include "lang/localizer.h"
#include "tests/app/win/frame_probe.h"

namespace {

using s::app::win::AppBase;

LONG ownerShows = 0;
LONG mainShows = 0;

LRESULT CALLBACK probeProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    const bool isOwner = GetWindowTextLengthW(window) == 0;
    switch (message) {
        case s::app::IAppBase::kShowRunningCopyMessage:
            InterlockedIncrement(isOwner ? &ownerShows : &mainShows);
            return 0;
        case s::tests::app::kProbeCountMessage:
            return mainShows + 1000 * ownerShows;
        case WM_TIMER:  // a probe never outlives its test
        case WM_CLOSE:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

int serve(AppBase& base, bool busy, bool desktop) {
    if (desktop ? base.notifyRunningCopyOnDesktop(true, false, true)
                : base.notifyRunningCopy(true, false, true))
        return s::tests::app::kProbeToldCopy;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_GLOBALCLASS;
    windowClass.lpfnWndProc = probeProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VandelWindowClass";
    RegisterClassExW(&windowClass);
    HWND owner = CreateWindowExW(0, L"VandelWindowClass", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, windowClass.hInstance, nullptr);
    const wchar_t* title =
        reinterpret_cast<const wchar_t*>(base.localizer()->text(base.productTextBase()));
    HWND main = CreateWindowExW(0, L"VandelWindowClass", title, WS_OVERLAPPEDWINDOW, 10, 10, 200,
                                100, owner, nullptr, windowClass.hInstance, nullptr);
    if (!owner || !main)
        return 3;
    ShowWindow(main, SW_SHOWNA);
    SetTimer(main, 1, 60000, nullptr);
    if (busy)
        Sleep(30000);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DestroyWindow(main);
    DestroyWindow(owner);
    return 0;
}

int runInTray(AppBase& base, const wchar_t* readyEvent) {
    if (base.notifyRunningCopy(true, false, true))
        return s::tests::app::kProbeToldCopy;
    auto* store = s::app::win::AppWindow::create(base.editionWord(), &base, u"MainWindow", 700, 550,
                                                 false, u"Iconize", base.skinner(), nullptr);
    s::gui::win::Window* window = s::gui::win::Window::take();
    window->setResizable(true);
    window->setClientEdge(false);
    window->setStateStore(store, false);
    window->setShowInTaskbar(true);
    window->setCloseIconizes(true);
    window->setTrayIconAlways(true);
    window->moveIntoScreen();
    window->doLayout();
    window->setVisible(true, false);
    window->iconize();
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, readyEvent);
    if (ready) {
        SetEvent(ready);
        CloseHandle(ready);
    }
    window->waitUntilClosed();
    window->release();
    store->release();
    return 0;
}

int writePath(AppBase& base, const wchar_t* outputFile) {
    std::u16string path = base.executablePath();
    int bytes = WideCharToMultiByte(CP_UTF8, 0, reinterpret_cast<const wchar_t*>(path.c_str()),
                                    static_cast<int>(path.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, reinterpret_cast<const wchar_t*>(path.c_str()),
                        static_cast<int>(path.size()), utf8.data(), bytes, nullptr, nullptr);
    FILE* file = _wfopen(outputFile, L"wb");
    if (!file)
        return 3;
    fwrite(utf8.data(), 1, utf8.size(), file);
    fclose(file);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3)
        return 4;
    const std::wstring mode = argv[1];
    s::app::win::WinApp application;
    application.attach(GetModuleHandleW(nullptr), L"", SW_SHOWNORMAL);
    AppBase::Options options;
    options.productKey = reinterpret_cast<const char16_t*>(argv[2]);
    AppBase* base = AppBase::create(
        application, mode == L"tray" ? s::gui::drawer::Skinner::create(u"ThinWindow") : nullptr,
        options);
    int result = 4;
    if (mode == L"serve" || mode == L"serve-busy" || mode == L"serve-desktop")
        result = serve(*base, mode == L"serve-busy", mode == L"serve-desktop");
    else if (mode == L"tray" && argc > 3)
        result = runInTray(*base, argv[3]);
    else if (mode == L"path" && argc > 3)
        result = writePath(*base, argv[3]);
    base->release();
    return result;
}

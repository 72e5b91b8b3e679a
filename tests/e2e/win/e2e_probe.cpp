// A small helper for the end-to-end tests: looks at the program's main window from another
// process, sends it what a user's menu choice or tray click would, and reads the clipboard,
// the shell's start-up folder and shell links. Everything it prints is UTF-8, one item per
// line.
#include "tests/support/win/probe_support.h"

#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

namespace {

using s::tests::probe::ComPtr;
using s::tests::probe::ComScope;
using s::tests::probe::fail;
using s::tests::probe::print;
using s::tests::probe::readLink;

const wchar_t kWindowClass[] = L"VandelWindowClass";
// The notification-area icon's callback message; its lparam is the mouse message.
const UINT kTrayMessage = 0x402;

// The program's main windows: top-level windows of its class with a title whose owner, if
// any, is the untitled hidden owner (a titled owner means a window the clock window opened).
std::vector<HWND> mainWindows() {
    std::vector<HWND> found;
    for (HWND w = FindWindowExW(nullptr, nullptr, kWindowClass, nullptr); w;
         w = FindWindowExW(nullptr, w, kWindowClass, nullptr)) {
        HWND owner = GetWindow(w, GW_OWNER);
        if (GetWindowTextLengthW(w) > 0 && (!owner || GetWindowTextLengthW(owner) == 0))
            found.push_back(w);
    }
    return found;
}

HWND mainWindow() {
    auto windows = mainWindows();
    return windows.empty() ? nullptr : windows.front();
}

// window: "count=N x=.. y=.. w=.. h=.. visible=0|1 enabled=0|1 topmost=0|1 iconic=0|1
// foreground=0|1 zoomed=0|1", then the title on a line of its own.
int describeWindow() {
    auto windows = mainWindows();
    if (windows.empty()) {
        print(L"count=0");
        return 1;
    }
    HWND w = windows.front();
    RECT r{};
    GetWindowRect(w, &r);
    const LONG_PTR ex = GetWindowLongPtrW(w, GWL_EXSTYLE);
    wchar_t line[256];
    swprintf(line, 256,
             L"count=%u x=%ld y=%ld w=%ld h=%ld visible=%d enabled=%d topmost=%d iconic=%d "
             L"foreground=%d zoomed=%d",
             static_cast<unsigned>(windows.size()), r.left, r.top, r.right - r.left,
             r.bottom - r.top, IsWindowVisible(w) ? 1 : 0, IsWindowEnabled(w) ? 1 : 0,
             (ex & WS_EX_TOPMOST) ? 1 : 0, IsIconic(w) ? 1 : 0, GetForegroundWindow() == w ? 1 : 0,
             IsZoomed(w) ? 1 : 0);
    print(line);
    wchar_t title[256] = {};
    GetWindowTextW(w, title, 256);
    print(title);
    return 0;
}

// screen: the primary screen's size, "W H".
int describeScreen() {
    wchar_t line[64];
    swprintf(line, 64, L"%d %d", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    print(line);
    return 0;
}

// move X Y: moves the main window as a drag by its surface would.
int moveWindow(int x, int y) {
    HWND w = mainWindow();
    if (!w)
        return fail(L"no window");
    return SetWindowPos(w, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) ? 0 : 1;
}

// size W H: resizes it as a drag of its border would.
int sizeWindow(int width, int height) {
    HWND w = mainWindow();
    if (!w)
        return fail(L"no window");
    return SetWindowPos(w, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)
               ? 0
               : 1;
}

// command ID: a command of the window's own menus (the notification-area menu); lparam 0
// marks a menu command.
int postCommand(int id) {
    HWND w = mainWindow();
    if (!w)
        return fail(L"no window");
    return PostMessageW(w, WM_COMMAND, MAKEWPARAM(id, 0), 0) ? 0 : 1;
}

BOOL CALLBACK postToChild(HWND child, LPARAM id) {
    wchar_t name[64] = {};
    GetClassNameW(child, name, 64);
    if (!wcscmp(name, kWindowClass))
        PostMessageW(child, WM_COMMAND, MAKEWPARAM(static_cast<int>(id), 0), 0);
    return TRUE;
}

// menu ID: a command of the menu bar ("View", "About"), whose popups report to the bar's own
// child window; the other child windows of the class leave menu commands alone.
int postMenuCommand(int id) {
    HWND w = mainWindow();
    if (!w)
        return fail(L"no window");
    EnumChildWindows(w, postToChild, id);
    return 0;
}

// tray [left|right]: what a click on the notification-area icon sends.
int trayClick(const wchar_t* button) {
    HWND w = mainWindow();
    if (!w)
        return fail(L"no window");
    const LPARAM mouse = !wcscmp(button, L"left") ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
    return PostMessageW(w, kTrayMessage, 0, mouse) ? 0 : 1;
}

// popup: the number of open popup menus, then "x y w h" of each.
int countPopups() {
    std::vector<RECT> open;
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
         w = FindWindowExW(nullptr, w, L"#32768", nullptr)) {
        RECT r{};
        if (IsWindowVisible(w) && GetWindowRect(w, &r))
            open.push_back(r);
    }
    print(std::to_wstring(open.size()));
    for (const RECT& r : open) {
        wchar_t line[96];
        swprintf(line, 96, L"%ld %ld %ld %ld", r.left, r.top, r.right - r.left, r.bottom - r.top);
        print(line);
    }
    return 0;
}

// menukeys KEY...: keys pressed in the open popup menu (down, up, right, left, return,
// escape).
int menuKeys(int count, wchar_t** keys) {
    HWND menu = nullptr;
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
         w = FindWindowExW(nullptr, w, L"#32768", nullptr))
        if (IsWindowVisible(w))
            menu = w;
    if (!menu)
        return fail(L"no open menu");
    for (int i = 0; i < count; ++i) {
        const wchar_t* k = keys[i];
        WPARAM vk = !wcscmp(k, L"down")     ? VK_DOWN
                    : !wcscmp(k, L"up")     ? VK_UP
                    : !wcscmp(k, L"right")  ? VK_RIGHT
                    : !wcscmp(k, L"left")   ? VK_LEFT
                    : !wcscmp(k, L"return") ? VK_RETURN
                                            : VK_ESCAPE;
        PostMessageW(menu, WM_KEYDOWN, vk, 1);
        PostMessageW(menu, WM_KEYUP, vk, 0xC0000001);
        Sleep(50);
    }
    return 0;
}

// clip: the clipboard's Unicode text with CR and LF written as <CR> and <LF>, on one line;
// exit 1 without text. clipclear: empties the clipboard.
int readClipboard() {
    if (!OpenClipboard(nullptr))
        return fail(L"cannot open the clipboard");
    std::wstring text;
    bool found = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
            found = true;
            for (; *p; ++p) {
                if (*p == L'\r')
                    text += L"<CR>";
                else if (*p == L'\n')
                    text += L"<LF>";
                else
                    text += *p;
            }
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    if (!found)
        return 1;
    print(text);
    return 0;
}

int clearClipboard() {
    if (!OpenClipboard(nullptr))
        return fail(L"cannot open the clipboard");
    EmptyClipboard();
    CloseClipboard();
    return 0;
}

// startup: the current user's start-up folder.
int startupFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_STARTUP | CSIDL_FLAG_CREATE, nullptr, 0, path)))
        return fail(L"no start-up folder");
    print(path);
    return 0;
}

// at X Y: the chain of windows under a screen point, innermost first ("class rect" each).
int windowsAt(int x, int y) {
    for (HWND w = WindowFromPoint(POINT{x, y}); w; w = GetParent(w)) {
        wchar_t name[64] = {};
        GetClassNameW(w, name, 64);
        RECT r{};
        GetWindowRect(w, &r);
        wchar_t line[160];
        swprintf(line, 160, L"%ls %ld %ld %ld %ld", name, r.left, r.top, r.right, r.bottom);
        print(line);
    }
    return 0;
}

// postclick X Y: a left click posted straight to the window under a screen point.
int postClick(int x, int y) {
    POINT at{x, y};
    HWND w = WindowFromPoint(at);
    if (!w)
        return fail(L"no window there");
    ScreenToClient(w, &at);
    PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    return 0;
}

BOOL CALLBACK printList(HWND child, LPARAM) {
    wchar_t name[64] = {};
    GetClassNameW(child, name, 64);
    if (wcscmp(name, L"SysListView32"))
        return TRUE;
    // LVM_GETITEMCOUNT carries no pointer, so it crosses processes.
    const LRESULT rows = SendMessageW(child, 0x1004, 0, 0);
    wchar_t line[64];
    swprintf(line, 64, L"visible=%d rows=%ld", IsWindowVisible(child) ? 1 : 0,
             static_cast<long>(rows));
    print(line);
    return TRUE;
}

// lists: each platform list view in the main window, "visible=0|1 rows=N".
int describeLists() {
    HWND w = mainWindow();
    if (!w)
        return fail(L"no window");
    EnumChildWindows(w, printList, 0);
    return 0;
}

int number(const wchar_t* text) {
    return static_cast<int>(wcstol(text, nullptr, 10));
}

// owned [close]: the visible titled windows the main window owns (the About window), "N" on
// one line; with "close" each is sent WM_CLOSE, as its frame's close would.
int ownedWindows(bool close) {
    HWND main = mainWindow();
    if (!main)
        return fail(L"no window");
    int count = 0;
    for (HWND w = FindWindowExW(nullptr, nullptr, kWindowClass, nullptr); w;
         w = FindWindowExW(nullptr, w, kWindowClass, nullptr)) {
        if (GetWindow(w, GW_OWNER) != main || !IsWindowVisible(w) || GetWindowTextLengthW(w) == 0)
            continue;
        ++count;
        if (close)
            PostMessageW(w, WM_CLOSE, 0, 0);
    }
    print(std::to_wstring(count));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"window" && argc == 2)
        return describeWindow();
    if (command == L"screen" && argc == 2)
        return describeScreen();
    if (command == L"move" && argc == 4)
        return moveWindow(number(argv[2]), number(argv[3]));
    if (command == L"size" && argc == 4)
        return sizeWindow(number(argv[2]), number(argv[3]));
    if (command == L"command" && argc == 3)
        return postCommand(number(argv[2]));
    if (command == L"menu" && argc == 3)
        return postMenuCommand(number(argv[2]));
    if (command == L"tray" && argc <= 3)
        return trayClick(argc == 3 ? argv[2] : L"right");
    if (command == L"owned" && argc <= 3)
        return ownedWindows(argc == 3 && !wcscmp(argv[2], L"close"));
    if (command == L"popup" && argc == 2)
        return countPopups();
    if (command == L"menukeys" && argc >= 3)
        return menuKeys(argc - 2, argv + 2);
    if (command == L"clip" && argc == 2)
        return readClipboard();
    if (command == L"clipclear" && argc == 2)
        return clearClipboard();
    if (command == L"startup" && argc == 2)
        return startupFolder();
    if (command == L"lnk" && argc == 3)
        return readLink(argv[2]);
    if (command == L"postclick" && argc == 4)
        return postClick(number(argv[2]), number(argv[3]));
    if (command == L"lists" && argc == 2)
        return describeLists();
    if (command == L"at" && argc == 4)
        return windowsAt(number(argv[2]), number(argv[3]));
    fprintf(stderr,
            "usage: e2e_probe window | screen | move X Y | size W H | command ID | menu ID | "
            "tray [left|right] | popup | menukeys KEY... | clip | clipclear | startup | lnk "
            "PATH\n");
    return 2;
}

// A small helper for the package tests: reads and writes shell links, names the shell's
// folders, reads version resources, closes the program's windows and plays a running copy.
// Everything it prints is UTF-8, one item per line.
#include "tests/support/win/probe_support.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

using s::tests::probe::ComPtr;
using s::tests::probe::ComScope;
using s::tests::probe::fail;
using s::tests::probe::print;
using s::tests::probe::readLink;

const wchar_t kWindowClass[] = L"VandelWindowClass";
// Ends a stubborn stand-in (see stub).
const UINT kEndMessage = WM_APP + 1;

struct HandleCloser {
    void operator()(HANDLE h) const {
        if (h && h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// mklnk PATH TARGET ARGS: what "Start on System Boot" writes.
int writeLink(const wchar_t* path, const wchar_t* target, const wchar_t* args) {
    ComScope com;
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link.p))) ||
        FAILED(link.p->SetPath(target)) || FAILED(link.p->SetArguments(args)) ||
        FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p))) ||
        FAILED(file.p->Save(path, TRUE)))
        return fail(L"cannot write the link");
    return 0;
}

// folder startup|programs|localappdata: the current user's shell folder.
int folder(const wchar_t* which) {
    int id = 0;
    if (!wcscmp(which, L"startup"))
        id = CSIDL_STARTUP;
    else if (!wcscmp(which, L"programs"))
        id = CSIDL_PROGRAMS;
    else if (!wcscmp(which, L"localappdata"))
        id = CSIDL_LOCAL_APPDATA;
    else
        return fail(L"unknown folder");
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, id | CSIDL_FLAG_CREATE, nullptr, 0, path)))
        return fail(L"no such folder");
    print(path);
    return 0;
}

// version FILE: "FileVersion", "ProductVersion", "ProductName" of the first string table,
// the fixed file version, and the number of icons.
int version(const wchar_t* path) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    if (!size)
        return fail(L"no version resource");
    std::vector<unsigned char> data(size);
    if (!GetFileVersionInfoW(path, 0, size, data.data()))
        return fail(L"no version resource");
    struct Translation {
        WORD language, codePage;
    }* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length) ||
        length < sizeof *translation)
        return fail(L"no translation table");
    wchar_t block[64];
    swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", translation->language,
             translation->codePage);
    for (const wchar_t* name : {L"FileVersion", L"ProductVersion", L"ProductName"}) {
        wchar_t* value = nullptr;
        std::wstring query = std::wstring(block) + name;
        if (!VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
            value = const_cast<wchar_t*>(L"");
        print(std::wstring(name) + L"=" + value);
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
        wchar_t text[64];
        swprintf(text, 64, L"Fixed=%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS),
                 LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                 LOWORD(fixed->dwFileVersionLS));
        print(text);
    }
    UINT icons = ExtractIconExW(path, -1, nullptr, nullptr, 0);
    print(L"Icons=" + std::to_wstring(icons));
    return 0;
}

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using Key = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

// A key of the current user, written as reg.exe writes it ("HKCU\\Software\\...").
Key openUserKey(const wchar_t* path) {
    std::wstring rest = path;
    const std::wstring prefix = L"HKCU\\";
    if (rest.compare(0, prefix.size(), prefix) != 0)
        return Key();
    rest.erase(0, prefix.size());
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, rest.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return Key();
    return Key(key);
}

// regkey KEY: exit 0 when the key exists. regvalue KEY NAME: "REG_SZ text" or
// "REG_DWORD 0x1" as reg.exe shows them, but in UTF-8 whatever the letters.
int regKey(const wchar_t* path) {
    return openUserKey(path) ? 0 : 1;
}

int regValue(const wchar_t* path, const wchar_t* name) {
    Key key = openUserKey(path);
    if (!key)
        return 1;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return 1;
    std::vector<unsigned char> data(size + sizeof(wchar_t));
    if (RegQueryValueExW(key.get(), name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return 1;
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD value = 0;
        memcpy(&value, data.data(), sizeof value);
        wchar_t text[32];
        swprintf(text, 32, L"REG_DWORD 0x%lx", static_cast<unsigned long>(value));
        print(text);
    } else if (type == REG_SZ || type == REG_EXPAND_SZ) {
        print(std::wstring(type == REG_SZ ? L"REG_SZ " : L"REG_EXPAND_SZ ") +
              reinterpret_cast<const wchar_t*>(data.data()));
    } else {
        print(L"REG_OTHER " + std::to_wstring(type));
    }
    return 0;
}

// run COMMAND-LINE: starts a program with exactly that command line (an installer's /D= must
// stand unquoted at its end) and waits for it; its exit code is ours.
int runCommand(const wchar_t* commandLine) {
    std::wstring line = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return fail(L"cannot start " + line);
    Handle thread(process.hThread);
    Handle child(process.hProcess);
    WaitForSingleObject(child.get(), INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(child.get(), &code);
    return static_cast<int>(code);
}

// The program's main windows: top-level windows of its class that carry a title (the
// hidden owner has none).
std::vector<HWND> programWindows() {
    std::vector<HWND> found;
    for (HWND w = FindWindowExW(nullptr, nullptr, kWindowClass, nullptr); w;
         w = FindWindowExW(nullptr, w, kWindowClass, nullptr))
        if (GetWindowTextLengthW(w) > 0)
            found.push_back(w);
    return found;
}

// windows: how many main windows of the program exist.
int countWindows() {
    print(std::to_wstring(programWindows().size()));
    return 0;
}

// close: asks every main window of the program to close, as a user's close would.
int closeWindows() {
    auto windows = programWindows();
    for (HWND w : windows)
        PostMessageW(w, WM_CLOSE, 0, 0);
    print(std::to_wstring(windows.size()));
    return 0;
}

// end: ends a stubborn stand-in.
int endWindows() {
    for (HWND w : programWindows())
        PostMessageW(w, kEndMessage, 0, 0);
    return 0;
}

// stub MARKER [stubborn]: a running copy of the program as the installer sees it (a hidden
// owner and a titled main window of the program's class). Writes "ready" into MARKER once the
// window exists and "closed" when asked to close, then ends; a stubborn one writes "refused"
// and goes on until the end command's message.
std::wstring g_marker;
bool g_stubborn = false;

void writeMarker(const char* text) {
    Handle file(CreateFileW(g_marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file.get(), text, static_cast<DWORD>(strlen(text)), &written, nullptr);
}

LRESULT CALLBACK stubProc(HWND w, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_CLOSE && g_stubborn) {
        writeMarker("refused");
        return 0;
    }
    if ((message == WM_CLOSE || message == kEndMessage) && GetWindowTextLengthW(w) > 0) {
        writeMarker("closed");
        DestroyWindow(w);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(w, message, wp, lp);
}

int stub(const wchar_t* marker, bool stubborn) {
    g_marker = marker;
    g_stubborn = stubborn;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = stubProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&wc))
        return fail(L"cannot register the class");
    HWND owner =
        CreateWindowExW(0, kWindowClass, L"", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, nullptr, nullptr, wc.hInstance, nullptr);
    HWND main = CreateWindowExW(0, kWindowClass, L"Kivo Tellavo", WS_OVERLAPPEDWINDOW, 0, 0, 240,
                                120, owner, nullptr, wc.hInstance, nullptr);
    if (!owner || !main)
        return fail(L"cannot create the windows");
    writeMarker("ready");
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DestroyWindow(owner);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"lnk" && argc == 3)
        return readLink(argv[2]);
    if (command == L"mklnk" && argc == 5)
        return writeLink(argv[2], argv[3], argv[4]);
    if (command == L"folder" && argc == 3)
        return folder(argv[2]);
    if (command == L"version" && argc == 3)
        return version(argv[2]);
    if (command == L"regkey" && argc == 3)
        return regKey(argv[2]);
    if (command == L"regvalue" && argc == 4)
        return regValue(argv[2], argv[3]);
    if (command == L"run" && argc == 3)
        return runCommand(argv[2]);
    if (command == L"windows" && argc == 2)
        return countWindows();
    if (command == L"close" && argc == 2)
        return closeWindows();
    if (command == L"stub" && argc == 3)
        return stub(argv[2], false);
    if (command == L"stub" && argc == 4 && !wcscmp(argv[3], L"stubborn"))
        return stub(argv[2], true);
    if (command == L"end" && argc == 2)
        return endWindows();
    fprintf(stderr,
            "usage: dist_probe lnk PATH | mklnk PATH TARGET ARGS | folder NAME | version FILE | "
            "regkey KEY | regvalue KEY NAME | run COMMAND-LINE | windows | close | end | stub "
            "MARKER [stubborn]\n");
    return 2;
}

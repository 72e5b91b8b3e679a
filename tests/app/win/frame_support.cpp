#include "tests/app/win/frame_support.h"

#include <atomic>

#include "persist/reg/reg_types.h"
#include "persist/win/reg_dir.h"

namespace s::tests::app {

namespace {

constexpr const char16_t* kTestsRoot = u"Software\\Kivo\\TellavoAppTests";

std::u16string units(const std::string& ascii) {
    return {ascii.begin(), ascii.end()};
}

std::wstring quoted(const std::wstring& argument) {
    return L"\"" + argument + L"\"";
}

}  // namespace

PrivateProductKey::PrivateProductKey() {
    static std::atomic<int32_t> serial{0};
    path_ = std::u16string(kTestsRoot) + u"\\frame-" +
            units(std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64()) +
                  "-" + std::to_string(++serial));
}

PrivateProductKey::~PrivateProductKey() {
    reg::win::RegDir* key = reg::win::RegDir::takeOpen(reg::kCurrentUser, path_.c_str());
    if (key->isOpen())
        key->deleteTree(true);
    key->release();
    // Refused while another test program's key is still there.
    RegDeleteKeyW(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t*>(kTestsRoot));
}

::s::app::win::AppBase* createAppBase(const PrivateProductKey& key, const wchar_t* arguments,
                                      ::s::app::win::AppBase::WebPageOpener opener,
                                      gui::drawer::Skinner* skinner) {
    ::s::app::win::WinApp application;
    application.attach(GetModuleHandleW(nullptr), arguments, SW_SHOWNORMAL);
    ::s::app::win::AppBase::Options options;
    options.productKey = key.path();
    options.openWebPage = opener;
    return ::s::app::win::AppBase::create(application, skinner, options);
}

std::u16string readKeyText(const std::u16string& path, const std::u16string& fallback) {
    reg::win::RegDir* key = reg::win::RegDir::takeOpen(reg::kCurrentUser, path.c_str());
    std::u16string text = fallback;
    if (key->isOpen())
        text = key->getText(u"", fallback.c_str());
    key->release();
    return text;
}

ChildProcess::~ChildProcess() {
    if (info_.hProcess) {
        if (running())
            TerminateProcess(info_.hProcess, 99);
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

bool ChildProcess::start(const std::wstring& program, const std::vector<std::wstring>& arguments) {
    std::wstring line = quoted(program);
    for (const std::wstring& argument : arguments)
        line += L" " + quoted(argument);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &info_) != FALSE;
}

int ChildProcess::wait(uint32_t timeoutMs) {
    if (!info_.hProcess || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<int>(code);
}

bool ChildProcess::running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

std::wstring probePath() {
    wchar_t own[MAX_PATH * 4] = {};
    GetModuleFileNameW(nullptr, own, MAX_PATH * 4);
    std::wstring path = own;
    path.resize(path.find_last_of(L'\\') + 1);
    return path + L"frame_probe.exe";
}

std::vector<HWND> titledToolkitWindows(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (owner == s->processId && std::wstring(name) == L"VandelWindowClass" &&
                GetWindowTextLengthW(window) > 0) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForTitledWindow(DWORD processId, uint32_t timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        std::vector<HWND> windows = titledToolkitWindows(processId);
        if (!windows.empty())
            return windows.front();
        if (GetTickCount64() >= deadline)
            return nullptr;
        Sleep(20);
    }
}

}  // namespace s::tests::app

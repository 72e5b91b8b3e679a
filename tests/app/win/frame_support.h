#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/frame/win/app_base.h"
#include "app/frame/win/win_app.h"

// Shared pieces of the application-frame tests: a private product key in the registry, an
// application base over it, and the stand-in program started as a child process.
namespace s::tests::app {

// A fresh key HKEY_CURRENT_USER\Software\Kivo\TellavoAppTests\frame-<unique>, removed with
// everything below it when the object goes.
class PrivateProductKey {
public:
    PrivateProductKey();
    ~PrivateProductKey();
    PrivateProductKey(const PrivateProductKey&) = delete;
    PrivateProductKey& operator=(const PrivateProductKey&) = delete;

    const char16_t* path() const { return path_.c_str(); }
    // The settings key below it, as the application base names it.
    std::u16string settingsPath() const { return path_ + u"\\SaveData"; }

private:
    std::u16string path_;
};

// An application base on the private key, started with `arguments` as its command line,
// owning `skinner` when one is given. The caller releases it.
::s::app::win::AppBase* createAppBase(const PrivateProductKey& key, const wchar_t* arguments = L"",
                                      ::s::app::win::AppBase::WebPageOpener opener = nullptr,
                                      gui::drawer::Skinner* skinner = nullptr);

// The unnamed text of a key below HKEY_CURRENT_USER; `fallback` when missing.
std::u16string readKeyText(const std::u16string& path, const std::u16string& fallback);

// A child process of this test (the stand-in program unless another path is given); ended
// by pid when still running at the end.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool start(const std::wstring& program, const std::vector<std::wstring>& arguments);
    // The exit code, or -1 when it has not ended within `timeoutMs`.
    int wait(uint32_t timeoutMs);
    DWORD id() const { return info_.dwProcessId; }
    bool running() const;

private:
    PROCESS_INFORMATION info_{};
};

// The stand-in program beside the test program.
std::wstring probePath();

// The toolkit-class windows of a process that have a caption.
std::vector<HWND> titledToolkitWindows(DWORD processId);
// Polls until the process shows such a window; nullptr after `timeoutMs`.
HWND waitForTitledWindow(DWORD processId, uint32_t timeoutMs);

}  // namespace s::tests::app

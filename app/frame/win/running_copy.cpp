#include "app/frame/win/running_copy.h"

#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

#include <mutex>
#include <vector>

#include "base/digest.h"
#include "thread/win/handle.h"

namespace s::app::win {

namespace {

using thread::win::Handle;

const wchar_t* wide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}
const char16_t* units(const wchar_t* text) {
    return reinterpret_cast<const char16_t*>(text);
}

// Snapshots report failure with INVALID_HANDLE_VALUE, not null.
Handle snapshot(DWORD flags, DWORD processId) {
    HANDLE handle = CreateToolhelp32Snapshot(flags, processId);
    return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

bool sameExecutable(DWORD processId, const char16_t* executablePath) {
    str::StrBuffer path;
    return processImagePath(processId, path) && path.equalsIgnoreCase(executablePath);
}

struct WindowSearch {
    const CopyWindowQuery* query;
    DWORD ownProcess;
    HWND found = nullptr;
};

bool captionMatches(const str::StrBuffer& caption, const str::StrArray* titles) {
    if (caption.isEmpty())
        return false;
    if (!titles)
        return true;
    for (int32_t i = 0; i < titles->count(); ++i) {
        str::StrBuffer title(titles->textAt(i));
        if (title.startsWithIgnoreCase(caption.text(), caption.length()))
            return true;
    }
    return false;
}

BOOL CALLBACK visitWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    wchar_t className[64] = {};
    if (GetClassNameW(window, className, 64) == 0 ||
        !str::StrBuffer(units(className)).equals(kToolkitWindowClass)) {
        return TRUE;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == 0 || processId == search->ownProcess)
        return TRUE;
    // The caption is read from the window's own record, without a message that a busy
    // process could leave unanswered.
    int length = GetWindowTextLengthW(window);
    str::StrBuffer caption;
    if (length > 0) {
        std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
        int got = GetWindowTextW(window, text.data(), length + 1);
        caption.setText(units(text.data()), got);
    }
    if (!captionMatches(caption, search->query->titles))
        return TRUE;
    if (!sameExecutable(processId, search->query->executablePath))
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

bool modulePath(HMODULE module, str::StrBuffer& out, uint32_t firstCapacity) {
    // A path that does not fit comes back cut, filling the whole buffer.
    uint32_t capacity = firstCapacity < 2 ? 2 : firstCapacity;
    for (;;) {
        std::vector<wchar_t> buffer(capacity);
        DWORD got = GetModuleFileNameW(module, buffer.data(), capacity);
        if (got == 0)
            return false;
        if (got < capacity) {
            out.setText(units(buffer.data()), static_cast<int32_t>(got));
            return true;
        }
        if (capacity >= 0x10000u)  // the longest path the platform knows
            return false;
        capacity *= 2;
    }
}

void instanceMutexName(const char16_t* executablePath, str::StrBuffer& out) {
    str::StrBuffer key;
    wchar_t user[257] = {};
    DWORD userLength = 257;
    if (GetUserNameW(user, &userLength))
        key.appendText(units(user));
    key.appendUnit(u'|').appendText(executablePath).toLowerCase();
    digest::Md5 md5;
    md5.update(key.rawChars(), key.length() * 2);
    uint8_t sum[16];
    md5.finish(sum);
    out.setText(u"Local\\s_app_instance_").appendHexBytes(sum, 16);
}

InstanceClaim claimInstance(const char16_t* executablePath) {
    static std::once_flag once;
    static InstanceClaim claim = InstanceClaim::kUnknown;
    // Held until the process ends: the platform releases it with the process.
    static Handle mutex;
    std::call_once(once, [executablePath] {
        str::StrBuffer name;
        instanceMutexName(executablePath, name);
        SetLastError(0);
        HANDLE handle = CreateMutexW(nullptr, FALSE, wide(name.text()));
        DWORD error = GetLastError();
        if (handle == nullptr) {
            claim = error == ERROR_ACCESS_DENIED ? InstanceClaim::kOther : InstanceClaim::kUnknown;
            return;
        }
        mutex = Handle(handle);
        claim = error == ERROR_ALREADY_EXISTS ? InstanceClaim::kOther : InstanceClaim::kFirst;
    });
    return claim;
}

bool processImagePath(DWORD processId, str::StrBuffer& out) {
    Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (process) {
        for (DWORD capacity = MAX_PATH; capacity <= 0x10000u; capacity *= 2) {
            std::vector<wchar_t> buffer(capacity);
            DWORD size = capacity;
            if (QueryFullProcessImageNameW(process.get(), 0, buffer.data(), &size)) {
                out.setText(units(buffer.data()), static_cast<int32_t>(size));
                return true;
            }
            if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
                break;
        }
    }
    // The first module of the process is its executable.
    Handle modules = snapshot(TH32CS_SNAPMODULE, processId);
    if (!modules)
        return false;
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    if (!Module32FirstW(modules.get(), &module))
        return false;
    out.setText(units(module.szExePath));
    return true;
}

DWORD findProcessRunning(const char16_t* executablePath) {
    Handle processes = snapshot(TH32CS_SNAPPROCESS, 0);
    if (!processes)
        return 0;
    const DWORD own = GetCurrentProcessId();
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(processes.get(), &entry); more;
         more = Process32NextW(processes.get(), &entry)) {
        if (entry.th32ProcessID == 0 || entry.th32ProcessID == own)
            continue;
        if (sameExecutable(entry.th32ProcessID, executablePath))
            return entry.th32ProcessID;
    }
    return 0;
}

HWND findCopyWindow(const CopyWindowQuery& query) {
    WindowSearch search{&query, GetCurrentProcessId()};
    if (query.desktopOnly) {
        EnumDesktopWindows(GetThreadDesktop(GetCurrentThreadId()), visitWindow,
                           reinterpret_cast<LPARAM>(&search));
    } else {
        EnumWindows(visitWindow, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

bool notifyCopyWindow(const CopyWindowQuery& query, uint32_t message, uint32_t secondMessage,
                      uint32_t timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    HWND window = findCopyWindow(query);
    // A copy started a moment earlier may still be building its window.
    while (!window && GetTickCount64() < deadline) {
        Sleep(50);
        window = findCopyWindow(query);
    }
    if (!window)
        return false;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    Handle process(OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, processId));
    if (process)
        WaitForInputIdle(process.get(), 1000);
    // A real limit on each send: without SMTO_NOTIMEOUTIFNOTHUNG a busy copy cannot keep us.
    constexpr UINT kFlags = SMTO_BLOCK | SMTO_ABORTIFHUNG;
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, message, 0, 0, kFlags, 3000, &answer);
    if (secondMessage != 0)
        SendMessageTimeoutW(window, secondMessage, 0, 0, kFlags, 3000, &answer);
    return true;
}

}  // namespace s::app::win

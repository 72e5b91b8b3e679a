#include "gui/win/ui_thread.h"

#include <commctrl.h>
#include <objbase.h>
#include <ole2.h>

namespace s::gui::win {

bool UIThread::start(IUIThreadClient* client) {
    if (thread_ || !client)
        return false;
    client_ = client;
    created_ = thread::win::Handle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!created_)
        return false;
    thread_ =
        thread::win::Handle(CreateThread(nullptr, 0, &UIThread::threadMain, this, 0, &threadId_));
    if (!thread_)
        return false;
    // Either the report or the thread's end: a thread that dies early cannot hang us.
    HANDLE waits[2] = {created_.get(), thread_.get()};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    return creationOk_.load();
}

bool UIThread::hasEnded() const {
    return !thread_ || WaitForSingleObject(thread_.get(), 0) == WAIT_OBJECT_0;
}

bool UIThread::stop(int32_t timeoutMs) {
    if (!thread_)
        return true;
    const ULONGLONG start = GetTickCount64();
    auto elapsed = [&] { return static_cast<int64_t>(GetTickCount64() - start); };
    while (!hasEnded() && !PostThreadMessageW(threadId_, WM_QUIT, 0, 0) && elapsed() < timeoutMs)
        Sleep(10);
    int64_t left = timeoutMs - elapsed();
    DWORD wait = WaitForSingleObject(thread_.get(), left > 0 ? static_cast<DWORD>(left) : 0);
    if (wait != WAIT_OBJECT_0)
        return false;
    thread_.close();
    return true;
}

DWORD WINAPI UIThread::threadMain(void* self) {
    return static_cast<UIThread*>(self)->run();
}

DWORD UIThread::run() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);
    HRESULT ole = OleInitialize(nullptr);
    // Process-wide; later threads get RPC_E_TOO_LATE, which is fine.
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT,
                         RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    // The queue exists before anyone may post to this thread.
    MSG message;
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);

    const wchar_t* failure = nullptr;
    bool ok = client_->createNativeWindows(failure);
    creationOk_.store(ok);
    running_.store(ok);
    SetEvent(created_.get());
    DWORD code = 0;
    if (!ok) {
        if (failure)
            MessageBoxW(nullptr, failure, L"Error!", MB_ICONWARNING | MB_OK);
    } else {
        BOOL got;
        while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0 && got != -1) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (got == 0)
            code = static_cast<DWORD>(message.wParam);
    }
    running_.store(false);
    if (SUCCEEDED(ole))
        OleUninitialize();
    return code;
}

}  // namespace s::gui::win

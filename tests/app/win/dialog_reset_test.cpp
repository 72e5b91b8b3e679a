// The controller's reset on the window's own thread, while the update task is inside a
// synchronous call into that thread: the wait for the task must serve the call.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>

#include "gui/win/list_box2.h"
#include "gui/win/list_box2_platform.h"
#include "persist/xml/mapped_data.h"
#include "tests/app/support/clock_rig.h"
#include "thread/win/thread.h"

namespace s::tests::app {
namespace {

namespace listbox2 = gui::listbox2;

constexpr UINT kHandOver = WM_APP + 1;
constexpr UINT kResetWhenCalled = WM_APP + 2;
constexpr UINT kHandOverTimeoutMs = 3000;

// The window's thread of the pick-up list: a message-only window whose procedure runs the
// operations other threads hand over with a synchronous message. A hand-over not served
// within a few seconds is given up and counted, so a deadlock fails the test.
class WindowThread final : public gui::win::IListBox2Platform {
public:
    explicit WindowThread(ClockRig& rig) : rig_(rig) {
        ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        calling_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = CreateThread(nullptr, 0, &WindowThread::entry, this, 0, &threadId_);
        WaitForSingleObject(ready_, 10000);
    }
    ~WindowThread() override {
        if (window_ != nullptr)
            PostMessageW(window_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_, 20000);
        CloseHandle(thread_);
        CloseHandle(calling_);
        CloseHandle(ready_);
    }
    WindowThread(const WindowThread&) = delete;
    WindowThread& operator=(const WindowThread&) = delete;

    // On the window's thread: waits until the task makes its next call into the thread,
    // then resets the controller there with that call pending.
    void resetDuringTheNextCall() { PostMessageW(window_, kResetWhenCalled, 0, 0); }
    bool waitReset(DWORD ms) {
        for (DWORD waited = 0; !resetDone && waited < ms; waited += 10)
            Sleep(10);
        return resetDone;
    }

    bool onGuiThread() const override { return GetCurrentThreadId() == threadId_; }
    bool runOnGuiThread(void (*operation)(void*), void* block) override {
        if (armed.exchange(false))
            SetEvent(calling_);
        struct Call {
            void (*operation)(void*);
            void* block;
        } call{operation, block};
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(window_, kHandOver, 0, reinterpret_cast<LPARAM>(&call),
                                 SMTO_NORMAL, kHandOverTimeoutMs, &result)) {
            ++givenUp;
            return false;
        }
        return true;
    }
    void columnAdded(int32_t) override {}
    void columnOrderChanged() override {}
    void rowInserted(listbox2::Record*) override {}
    void rowRemoved(listbox2::Record*, int32_t) override {}
    void rowsReordered() override {}
    void setRowSelected(listbox2::Record*, bool) override {}
    bool isRowSelected(listbox2::Record*) override { return false; }
    void ensureVisible(listbox2::Record*) override {}
    void setRedraw(bool) override {}
    void repaintCell(listbox2::Record*, int32_t) override {}
    void repaintRow(listbox2::Record*) override {}
    void repaintColumn(int32_t) override {}
    void repaintAll() override {}

    std::atomic<bool> armed{false};
    std::atomic<int32_t> givenUp{0};
    std::atomic<bool> resetDone{false};

private:
    static DWORD WINAPI entry(void* self) {
        static_cast<WindowThread*>(self)->loop();
        return 0;
    }
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
        auto* self = reinterpret_cast<WindowThread*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr && message == kHandOver) {
            struct Call {
                void (*operation)(void*);
                void* block;
            };
            auto* call = reinterpret_cast<Call*>(l);
            call->operation(call->block);
            return 1;
        }
        if (self != nullptr && message == kResetWhenCalled) {
            // Calls that began before the arming are served here; the armed one stays
            // pending (its event comes before its message) when the reset starts.
            self->armed = true;
            while (MsgWaitForMultipleObjects(1, &self->calling_, FALSE, 10000, QS_SENDMESSAGE) ==
                   WAIT_OBJECT_0 + 1) {
                MSG pending;
                PeekMessageW(&pending, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            }
            self->rig_.dialog.reset();
            self->resetDone = true;
            return 0;
        }
        return DefWindowProcW(window, message, w, l);
    }
    void loop() {
        WNDCLASSW type{};
        type.lpfnWndProc = &WindowThread::procedure;
        type.hInstance = GetModuleHandleW(nullptr);
        type.lpszClassName = L"TellavoResetTestWindow";
        RegisterClassW(&type);
        window_ = CreateWindowExW(0, type.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  type.hInstance, nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        rig_.pickUp.attachPlatform(this);
        SetEvent(ready_);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0)
            DispatchMessageW(&message);
        rig_.pickUp.detachPlatform();
        DestroyWindow(window_);
    }

    ClockRig& rig_;
    HANDLE ready_ = nullptr;
    HANDLE calling_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    HWND window_ = nullptr;
};

TEST(DialogReset, OnTheWindowsThreadWhileTheTaskCallsIntoItEndsTheTask) {
    map::IMappedData* store = xml::MappedData::take();
    {
        ClockRig rig(store);
        rig.dialog.copyTimeTexts();
        rig.dialog.loadPickUpList();
        rig.dialog.buildAllZonesList();
        WindowThread window(rig);
        ASSERT_TRUE(rig.dialog.startUpdateTask(thread::win::Thread::take()));
        window.resetDuringTheNextCall();
        EXPECT_TRUE(window.waitReset(30000));
        EXPECT_FALSE(rig.dialog.taskRunning());
        EXPECT_EQ(window.givenUp.load(), 0);
        EXPECT_EQ(rig.pickUp.recordCount(), 0);
    }
    store->release();
}

}  // namespace
}  // namespace s::tests::app

#pragma once

#include <windows.h>

#include <cstdint>

#include "base/str_array.h"
#include "base/str_buffer.h"

// The single-instance check of the application base: a named mutex per user and executable
// decides which copy runs, and a later copy finds the running one's main window and tells it
// to show itself. Called on the main thread at start-up; every wait here is bounded.
namespace s::app::win {

// The full path of a module (nullptr: the executable), at any length: the buffer grows from
// `firstCapacity` units until the path fits. False when the platform gives no path.
bool modulePath(HMODULE module, str::StrBuffer& out, uint32_t firstCapacity = MAX_PATH);

// The name of the instance mutex for this user and executable: the path is compared
// ignoring case, as the process list compares it.
void instanceMutexName(const char16_t* executablePath, str::StrBuffer& out);

enum class InstanceClaim { kFirst, kOther, kUnknown };
// Claims the instance mutex for the executable, once per process: the first call creates it
// and keeps it until the process ends (so two copies started together get exactly one
// kFirst); later calls give the first call's answer. kUnknown when no mutex could be made.
InstanceClaim claimInstance(const char16_t* executablePath);

// The full image path of another process, at any length; false when it cannot be read.
bool processImagePath(DWORD processId, str::StrBuffer& out);
// The first other process (by the process snapshot) that runs the executable, compared
// ignoring case; 0 when none.
DWORD findProcessRunning(const char16_t* executablePath);

// What a running copy's main window must look like: the toolkit's window class, a caption
// that is not empty (the hidden owner's is) and, when `titles` is given, a caption that is a
// prefix of one of them, ignoring case.
struct CopyWindowQuery {
    const char16_t* executablePath = nullptr;
    const str::StrArray* titles = nullptr;  // not owned; nullptr: any caption
    bool desktopOnly = false;               // the windows of this thread's desktop only
};
inline constexpr const char16_t* kToolkitWindowClass = u"VandelWindowClass";

// The first top-level window of another process running the executable that matches the
// query; nullptr when there is none yet.
HWND findCopyWindow(const CopyWindowQuery& query);
// Waits (polling, at most `timeoutMs`) until such a window exists, then waits for its
// process to be idle for input (bounded too) and sends `message` once, and `secondMessage`
// after it when that is not 0. Each send gives up after 3 s. False when no window appeared.
bool notifyCopyWindow(const CopyWindowQuery& query, uint32_t message, uint32_t secondMessage,
                      uint32_t timeoutMs);

}  // namespace s::app::win

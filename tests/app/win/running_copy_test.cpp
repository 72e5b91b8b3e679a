// One copy per user and executable: later copies tell the running one to show itself and
// end, without waiting for ever, and a copy of the program elsewhere runs on its own.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/frame/win/running_copy.h"
#include "base/str_buffer.h"
#include "tests/app/win/frame_probe.h"
#include "tests/app/win/frame_support.h"

namespace s::tests::app {

namespace {

constexpr uint32_t kStartMs = 20000;  // generous: a cold Wine start is slow

LRESULT countShows(HWND window) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, kProbeCountMessage, 0, 0, SMTO_ABORTIFHUNG, 3000, &answer);
    return static_cast<LRESULT>(answer);
}

void closeProbe(ChildProcess& probe, HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(probe.wait(kStartMs), 0);
}

std::wstring tempFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + name + L"-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

TEST(RunningCopy, MutexNameIsPerExecutableIgnoringCase) {
    str::StrBuffer a, b, c;
    ::s::app::win::instanceMutexName(u"C:\\Apps\\Tellavo.exe", a);
    ::s::app::win::instanceMutexName(u"c:\\apps\\TELLAVO.EXE", b);
    ::s::app::win::instanceMutexName(u"D:\\Copy\\Tellavo.exe", c);
    EXPECT_TRUE(a.equals(b));
    EXPECT_FALSE(a.equals(c));
    EXPECT_TRUE(a.startsWith(u"Local\\"));
    int32_t slash = 0;
    EXPECT_FALSE(a.indexOf(u'\\', slash, 6));  // only the namespace has a backslash
}

TEST(RunningCopy, SecondStartShowsTheFirstCopyOnceAndEnds) {
    PrivateProductKey key;
    ChildProcess first;
    ASSERT_TRUE(first.start(probePath(), {L"serve", reinterpret_cast<const wchar_t*>(key.path())}));
    HWND window = waitForTitledWindow(first.id(), kStartMs);
    ASSERT_NE(window, nullptr);

    ChildProcess second;
    ASSERT_TRUE(
        second.start(probePath(), {L"serve", reinterpret_cast<const wchar_t*>(key.path())}));
    EXPECT_EQ(second.wait(kStartMs), kProbeToldCopy);
    // The titled main window got message 1027 once; the empty-titled hidden owner never.
    EXPECT_EQ(countShows(window), 1);

    // Found among the windows of this desktop, the same.
    ChildProcess third;
    ASSERT_TRUE(
        third.start(probePath(), {L"serve-desktop", reinterpret_cast<const wchar_t*>(key.path())}));
    EXPECT_EQ(third.wait(kStartMs), kProbeToldCopy);
    EXPECT_EQ(countShows(window), 2);
    closeProbe(first, window);
}

TEST(RunningCopy, TwoCopiesStartedTogetherGiveExactlyOneWindow) {
    PrivateProductKey key;
    ChildProcess a, b;
    const std::vector<std::wstring> arguments = {L"serve",
                                                 reinterpret_cast<const wchar_t*>(key.path())};
    ASSERT_TRUE(a.start(probePath(), arguments));
    ASSERT_TRUE(b.start(probePath(), arguments));

    // Exactly one of them ends having told the other.
    ChildProcess* ended = nullptr;
    ChildProcess* serving = nullptr;
    const ULONGLONG deadline = GetTickCount64() + kStartMs;
    while (!ended && GetTickCount64() < deadline) {
        if (!a.running())
            ended = &a, serving = &b;
        else if (!b.running())
            ended = &b, serving = &a;
        else
            Sleep(20);
    }
    ASSERT_NE(ended, nullptr);
    EXPECT_EQ(ended->wait(0), kProbeToldCopy);
    HWND window = waitForTitledWindow(serving->id(), kStartMs);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(titledToolkitWindows(serving->id()).size(), 1u);
    EXPECT_TRUE(serving->running());
    EXPECT_EQ(countShows(window), 1);
    closeProbe(*serving, window);
}

TEST(RunningCopy, ACopyOfTheProgramElsewhereIsNotTheRunningCopy) {
    PrivateProductKey key;
    const std::wstring folder = tempFolder(L"tellavo-copy");
    const std::wstring copy = folder + L"\\frame_probe.exe";
    ASSERT_TRUE(CopyFileW(probePath().c_str(), copy.c_str(), FALSE));
    {
        ChildProcess original, other;
        const std::vector<std::wstring> arguments = {L"serve",
                                                     reinterpret_cast<const wchar_t*>(key.path())};
        ASSERT_TRUE(original.start(probePath(), arguments));
        HWND first = waitForTitledWindow(original.id(), kStartMs);
        ASSERT_NE(first, nullptr);
        ASSERT_TRUE(other.start(copy, arguments));
        HWND second = waitForTitledWindow(other.id(), kStartMs);
        ASSERT_NE(second, nullptr);
        EXPECT_EQ(countShows(first), 0);
        EXPECT_EQ(countShows(second), 0);
        closeProbe(original, first);
        closeProbe(other, second);
    }
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(RunningCopy, SecondStartRestoresTheFirstCopyFromTheTray) {
    PrivateProductKey key;
    const std::wstring readyName = L"Local\\tellavo-tray-ready-" +
                                   std::to_wstring(GetCurrentProcessId()) + L"-" +
                                   std::to_wstring(GetTickCount64());
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, readyName.c_str());
    ASSERT_NE(ready, nullptr);
    ChildProcess first;
    ASSERT_TRUE(first.start(probePath(),
                            {L"tray", reinterpret_cast<const wchar_t*>(key.path()), readyName}));
    const bool started = WaitForSingleObject(ready, kStartMs) == WAIT_OBJECT_0;
    CloseHandle(ready);
    ASSERT_TRUE(started);
    HWND window = waitForTitledWindow(first.id(), kStartMs);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));

    ChildProcess second;
    ASSERT_TRUE(
        second.start(probePath(), {L"serve", reinterpret_cast<const wchar_t*>(key.path())}));
    EXPECT_EQ(second.wait(kStartMs), kProbeToldCopy);
    const ULONGLONG deadline = GetTickCount64() + 5000;
    while (!IsWindowVisible(window) && GetTickCount64() < deadline)
        Sleep(20);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsIconic(window));
    EXPECT_EQ(titledToolkitWindows(first.id()).size(), 1u);
    closeProbe(first, window);
}

TEST(RunningCopy, ABusyFirstCopyDoesNotHoldTheSecondStart) {
    PrivateProductKey key;
    ChildProcess first;
    ASSERT_TRUE(
        first.start(probePath(), {L"serve-busy", reinterpret_cast<const wchar_t*>(key.path())}));
    ASSERT_NE(waitForTitledWindow(first.id(), kStartMs), nullptr);

    ChildProcess second;
    const ULONGLONG started = GetTickCount64();
    ASSERT_TRUE(
        second.start(probePath(), {L"serve", reinterpret_cast<const wchar_t*>(key.path())}));
    // Each wait of the notification is bounded; the first copy answers nothing for 30 s.
    EXPECT_EQ(second.wait(25000), kProbeToldCopy);
    std::printf("[ figures  ] a later start beside a busy copy ended after %llu ms\n",
                static_cast<unsigned long long>(GetTickCount64() - started));
}

TEST(RunningCopy, ExecutablePathBeyondTheOldLimitIsReadWhole) {
    PrivateProductKey key;
    // A folder chain whose executable path is well beyond 260 units.
    std::wstring folder = tempFolder(L"tellavo-long");
    std::vector<std::wstring> created = {folder};
    while (folder.size() < 300) {
        folder += L"\\a-rather-long-folder-name-for-the-path-test";
        if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            GTEST_SKIP() << "the file system refuses long paths here";
        }
        created.push_back(folder);
    }
    const std::wstring copy = folder + L"\\frame_probe.exe";
    const std::wstring output = created.front() + L"\\path.txt";
    ASSERT_TRUE(CopyFileW(probePath().c_str(), copy.c_str(), FALSE));
    ChildProcess probe;
    const std::vector<std::wstring> arguments = {
        L"path", reinterpret_cast<const wchar_t*>(key.path()), output};
    const bool started = probe.start(copy, arguments);
    if (started) {
        EXPECT_EQ(probe.wait(kStartMs), 0);
        FILE* file = _wfopen(output.c_str(), L"rb");
        ASSERT_NE(file, nullptr);
        char bytes[4096] = {};
        size_t count = fread(bytes, 1, sizeof bytes - 1, file);
        fclose(file);
        std::string expected(copy.begin(), copy.end());
        EXPECT_GT(expected.size(), 260u);
        EXPECT_EQ(std::string(bytes, count), expected);
    }
    DeleteFileW(output.c_str());
    DeleteFileW(copy.c_str());
    for (auto it = created.rbegin(); it != created.rend(); ++it)
        RemoveDirectoryW(it->c_str());
    // Wine starts no program from such a path; the small-buffer case of the application
    // base's tests covers the growth there.
    if (!started)
        GTEST_SKIP() << "this platform starts no program from a path of " << copy.size()
                     << " units";
}

}  // namespace

}  // namespace s::tests::app

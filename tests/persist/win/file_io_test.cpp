// The Win32 whole-file reads: what a failed read gives, and which other handles they share
// a file with.
#include "persist/win/file_io_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "base/array.h"
#include "persist/file/file_io.h"

namespace s::io::win {
namespace {

class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~OwnedHandle() { close(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    HANDLE get() const { return handle_; }
    HANDLE* out() { return &handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    void close() {
        if (valid())
            CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

std::string textOf(const col::ArrayU08& bytes) {
    return std::string(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<size_t>(bytes.count()));
}

// A pipe whose writer wrote `sent` and went away: reading past it fails (a broken pipe),
// as a disk read can fail part-way through a file.
TEST(FileIoWin, AReadThatFailsPartWayIsAFailureNotAShorterFile) {
    struct Case {
        const char* sent;
        int64_t expected;
        bool ok;
    };
    const Case cases[] = {
        {"0123456789", 20, false},
        {"0123456789", 10, true},
        {"", 4, false},
    };
    for (const Case& c : cases) {
        OwnedHandle reader;
        OwnedHandle writer;
        ASSERT_TRUE(CreatePipe(reader.out(), writer.out(), nullptr, 0));
        DWORD written = 0;
        DWORD length = static_cast<DWORD>(std::string(c.sent).size());
        if (length > 0) {
            ASSERT_TRUE(WriteFile(writer.get(), c.sent, length, &written, nullptr));
        }
        writer.close();
        col::ArrayU08 out;
        out.add(0x55);  // replaced in every case
        EXPECT_EQ(readFromHandle(reader.get(), c.expected, out), c.ok) << c.sent;
        EXPECT_EQ(textOf(out), c.ok ? std::string(c.sent) : std::string()) << c.sent;
    }
}

// Another program about to replace the file holds it open with delete access; a reader
// that does not share deletion would be refused.
TEST(FileIoWin, AFileHeldOpenForReplacementElsewhereStillReads) {
    wchar_t folder[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
    std::wstring path =
        std::wstring(folder) + L"tellavo-share-" + std::to_wstring(GetCurrentProcessId()) + L".xml";
    const auto* path16 = reinterpret_cast<const char16_t*>(path.c_str());
    const char content[] = "<savedata></savedata>";
    ASSERT_TRUE(writeFileAtomically(path16, reinterpret_cast<const uint8_t*>(content),
                                    static_cast<int32_t>(sizeof content - 1)));
    {
        OwnedHandle other(CreateFileW(path.c_str(), GENERIC_READ | DELETE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(other.valid());
        col::ArrayU08 bytes;
        EXPECT_TRUE(readWholeFile(path16, bytes));
        EXPECT_EQ(textOf(bytes), content);
    }
    DeleteFileW(path.c_str());
}

}  // namespace
}  // namespace s::io::win

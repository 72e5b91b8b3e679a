// The Win32 side of file_io.h: wide paths, and MoveFileExW to put a written file in place.
#include <windows.h>

#include "persist/file/file_io.h"

#include "base/str_buffer.h"
#include "persist/win/file_io_win.h"

namespace s::io {

namespace {

const wchar_t* wide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close() {
        if (!valid())
            return true;
        bool ok = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE handle_;
};

bool isFolder(const char16_t* path) {
    DWORD attributes = GetFileAttributesW(wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool readWholeFile(const char16_t* path, col::ArrayU08& out) {
    out.clear();
    if (path == nullptr || *path == 0)
        return false;
    // Sharing deletion too: a reader must never make another program's replace of the file
    // fail, nor be refused because that program holds the file for its replace.
    FileHandle file(CreateFileW(wide(path), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxReadBytes)
        return false;
    return win::readFromHandle(file.get(), size.QuadPart, out);
}

namespace win {

bool readFromHandle(void* handle, int64_t size, col::ArrayU08& out) {
    out.clear();
    if (size < 0 || size > kMaxReadBytes)
        return false;
    out.resize(static_cast<int32_t>(size));
    int32_t done = 0;
    while (done < out.count()) {
        DWORD n = 0;
        if (!ReadFile(handle, out.data() + done, static_cast<DWORD>(out.count() - done), &n,
                      nullptr)) {
            // Never a shorter document: the caller would take it for the whole file and
            // write it back over the good one.
            out.clear();
            return false;
        }
        if (n == 0)
            break;  // the file shrank: keep what was there
        done += static_cast<int32_t>(n);
    }
    out.resize(done);
    return true;
}

}  // namespace win

bool fileExists(const char16_t* path) {
    if (path == nullptr || *path == 0)
        return false;
    DWORD attributes = GetFileAttributesW(wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool createFolders(const char16_t* folder) {
    if (folder == nullptr || *folder == 0)
        return false;
    str::StrBuffer path(folder);
    while (path.length() > 1 &&
           (path.charAt(path.length() - 1) == u'\\' || path.charAt(path.length() - 1) == u'/')) {
        path.setLength(path.length() - 1);
    }
    if (isFolder(path.text()))
        return true;
    // Each missing level from the top down ("C:" and "\\server\share" exist or fail).
    str::StrBuffer level;
    for (int32_t i = 1; i <= path.length(); ++i) {
        if (i < path.length() && path.charAt(i) != u'\\' && path.charAt(i) != u'/')
            continue;
        level.setText(path.rawChars(), i);
        if (isFolder(level.text()))
            continue;
        if (!CreateDirectoryW(wide(level.text()), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            if (i == path.length())
                return false;
        }
    }
    return isFolder(path.text());
}

bool writeFileAtomically(const char16_t* path, const uint8_t* bytes, int32_t count) {
    if (path == nullptr || *path == 0 || count < 0 || (bytes == nullptr && count > 0))
        return false;
    str::StrBuffer folder;
    if (folderOf(path, folder) && !createFolders(folder.text()))
        return false;
    str::StrBuffer temporary(path);
    temporary.appendText(u".tmp");
    bool ok = false;
    {
        FileHandle file(CreateFileW(wide(temporary.text()), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid())
            return false;
        ok = true;
        int32_t done = 0;
        while (ok && done < count) {
            DWORD n = 0;
            ok = WriteFile(file.get(), bytes + done, static_cast<DWORD>(count - done), &n,
                           nullptr) &&
                 n > 0;
            done += static_cast<int32_t>(n);
        }
        ok = ok && FlushFileBuffers(file.get());
        ok = file.close() && ok;
    }
    ok = ok && MoveFileExW(wide(temporary.text()), wide(path),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        DeleteFileW(wide(temporary.text()));
    return ok;
}

}  // namespace s::io

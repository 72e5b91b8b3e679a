// The POSIX side of file_io.h: paths become UTF-8 with "/" for every separator.
#include "persist/file/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "base/str_buffer.h"

namespace s::io {

namespace {

std::string nativePath(const char16_t* path) {
    if (path == nullptr)
        return {};
    str::StrBuffer text(path);
    for (int32_t i = 0; i < text.length(); ++i) {
        if (text.charAt(i) == u'\\')
            *text.unitPointer(i) = u'/';
    }
    col::ArrayU08 bytes;
    text.toUtf8(&bytes);
    return std::string(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<size_t>(bytes.count()));
}

bool isFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool writeAll(int fd, const uint8_t* bytes, int32_t count) {
    int32_t done = 0;
    while (done < count) {
        ssize_t n = ::write(fd, bytes + done, static_cast<size_t>(count - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<int32_t>(n);
    }
    return true;
}

void syncFolderOf(const std::string& path) {
    size_t cut = path.rfind('/');
    std::string folder = cut == std::string::npos ? "." : cut == 0 ? "/" : path.substr(0, cut);
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    ::close(fd);
}

}  // namespace

bool readWholeFile(const char16_t* path, col::ArrayU08& out) {
    out.clear();
    std::string name = nativePath(path);
    if (name.empty())
        return false;
    int fd = ::open(name.c_str(), O_RDONLY);
    if (fd < 0)
        return false;
    struct stat info;
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kMaxReadBytes;
    if (ok) {
        out.resize(static_cast<int32_t>(info.st_size));
        int32_t done = 0;
        while (done < out.count()) {
            ssize_t n = ::read(fd, out.data() + done, static_cast<size_t>(out.count() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                ok = false;  // never a shorter document that looks like the whole file
                break;
            }
            if (n == 0)
                break;  // the file shrank: keep what was there
            done += static_cast<int32_t>(n);
        }
        out.resize(done);
    }
    ::close(fd);
    if (!ok)
        out.clear();
    return ok;
}

bool fileExists(const char16_t* path) {
    std::string name = nativePath(path);
    struct stat info;
    return !name.empty() && stat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool createFolders(const char16_t* folder) {
    std::string path = nativePath(folder);
    if (path.empty())
        return false;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (isFolder(path))
        return true;
    // Each missing level from the top down; a level that exists as a file stops it.
    for (size_t cut = path.find('/', 1);; cut = path.find('/', cut + 1)) {
        std::string level = path.substr(0, cut);
        if (!isFolder(level) && mkdir(level.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
        if (cut == std::string::npos)
            break;
    }
    return isFolder(path);
}

bool writeFileAtomically(const char16_t* path, const uint8_t* bytes, int32_t count) {
    if (count < 0 || (bytes == nullptr && count > 0))
        return false;
    std::string name = nativePath(path);
    if (name.empty())
        return false;
    str::StrBuffer folder;
    if (folderOf(path, folder) && !createFolders(folder.text()))
        return false;
    std::string temporary = name + ".tmp";
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    bool ok = writeAll(fd, bytes, count) && fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), name.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename lives in the folder: until the folder reaches the disk, a crash may bring
    // back the old file, or neither.
    syncFolderOf(name);
    return true;
}

}  // namespace s::io

#include "persist/file/file_io.h"

#include "base/str_buffer.h"

namespace s::io {

bool folderOf(const char16_t* path, str::StrBuffer& out) {
    out.clear();
    if (path == nullptr)
        return false;
    int32_t last = -1;
    for (int32_t i = 0; path[i] != 0; ++i) {
        if (path[i] == u'\\' || path[i] == u'/')
            last = i;
    }
    if (last <= 0)
        return false;  // no folder, or the file system's root
    out.append(path, last);
    return true;
}

}  // namespace s::io

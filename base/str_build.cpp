#include "base/str_build.h"

namespace s::str {

StrBuffer* strOf(const char16_t* text) {
    return StrBuffer::takeText(text);
}

StrBuffer* strJoin(const char16_t* a, const char16_t* b) {
    StrBuffer* result = StrBuffer::takeText(a);
    if (result)
        result->appendText(b);
    return result;
}

StrBuffer* strKey(const char16_t* path, int32_t n) {
    StrBuffer* result = StrBuffer::takeText(path);
    if (result)
        result->appendUnit(u'\\').appendInt(n);
    return result;
}

StrBuffer* strShortcutName(const char16_t* folder, const char16_t* name, int32_t n) {
    StrBuffer* result = StrBuffer::takeText(folder);
    if (result)
        result->appendText(name).appendInt(n).appendText(u".lnk");
    return result;
}

}  // namespace s::str

#include "base/str_buffer.h"

#include "base/str_array.h"
#include "base/str_units.h"

namespace s::str::strbuffer {

namespace {

bool isWordSeparator(char16_t u) {
    if (u <= 36)
        return true;
    if (u >= 38 && u <= 42)
        return true;
    if (u == 44 || u == 46 || u == 47)
        return true;
    if (u >= 58 && u <= 64)
        return true;
    if (u >= 91 && u <= 96)
        return true;
    if (u >= 123 && u <= 255)
        return true;
    switch (u) {
        case 0x3000:
        case 0x3001:
        case 0x3002:
        case 0x300C:
        case 0x300D:
        case 0x3010:
        case 0x3011:
        case 0xFF08:
        case 0xFF09:
            return true;
        default:
            return false;
    }
}

bool isCommonWord(const char16_t* units, uint32_t length) {
    static const char16_t* const kCommon[] = {u"the", u"of", u"and"};
    for (const char16_t* word : kCommon) {
        uint32_t n = static_cast<uint32_t>(unitLength(word));
        if (n != length)
            continue;
        uint32_t i = 0;
        while (i < n && lowerAscii(units[i]) == word[i])
            ++i;
        if (i == n)
            return true;
    }
    return false;
}

}  // namespace

strarray::StrArray* StrBuffer::split(char16_t separator) const {
    strarray::StrArray* pieces = strarray::StrArray::take();
    if (!pieces)
        return nullptr;
    uint32_t start = 0;
    for (uint32_t i = 0; i <= length_; ++i) {
        if (i < length_ && chars_[i] != separator)
            continue;
        if (i > start)
            pieces->addText(chars_ + start, static_cast<int32_t>(i - start));
        start = i + 1;
    }
    return pieces;
}

strarray::StrArray* StrBuffer::words(bool skipCommon) const {
    strarray::StrArray* found = strarray::StrArray::take();
    if (!found)
        return nullptr;
    uint32_t i = 0;
    while (i < length_) {
        while (i < length_ && isWordSeparator(chars_[i]))
            ++i;
        const uint32_t start = i;
        while (i < length_ && !isWordSeparator(chars_[i]))
            ++i;
        const uint32_t n = i - start;
        if (n == 0)
            continue;
        if (skipCommon && isCommonWord(chars_ + start, n))
            continue;
        bool seen = false;
        for (int32_t k = 0; k < found->count() && !seen; ++k) {
            seen = found->at(k)->equalsIgnoreCase(chars_ + start, static_cast<int32_t>(n));
        }
        if (!seen)
            found->addText(chars_ + start, static_cast<int32_t>(n));
    }
    return found;
}

}  // namespace s::str::strbuffer

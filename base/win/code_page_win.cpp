#include "base/code_page.h"

#include <windows.h>

#include "base/array.h"
#include "base/growth.h"
#include "base/str_buffer.h"

namespace s::str::platform {

bool encode(CodePage codePage, const char16_t* units, int32_t count, col::_array::ArrayU08& out) {
    if (!units || count <= 0)
        return false;
    const auto* wide = reinterpret_cast<const wchar_t*>(units);
    int size = WideCharToMultiByte(codePage, 0, wide, count, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return false;
    // The array's count is signed 32-bit: refuse rather than let it wrap.
    if (int64_t{out.count()} + size + 2 > col::kMaxCount)
        return false;
    const int32_t start = out.count();
    out.resize(start + size);
    if (out.count() != start + size)
        return false;
    int written =
        WideCharToMultiByte(codePage, 0, wide, count, reinterpret_cast<char*>(out.data() + start),
                            size, nullptr, nullptr);
    out.resize(start + (written > 0 ? written : 0));
    return written > 0;
}

bool decode(CodePage codePage, const uint8_t* bytes, int32_t count, strbuffer::StrBuffer& out) {
    if (!bytes || count <= 0)
        return false;
    const auto* narrow = reinterpret_cast<const char*>(bytes);
    int size = MultiByteToWideChar(codePage, 0, narrow, count, nullptr, 0);
    if (size <= 0)
        return false;
    // A wrapped sum would pass the room check below and the conversion would write past the
    // buffer.
    if (int64_t{out.length()} + size + 1 > col::kMaxCount)
        return false;
    const int32_t start = out.length();
    out.reserve(start + size);
    if (out.capacity() < start + size)
        return false;
    int written = MultiByteToWideChar(codePage, 0, narrow, count,
                                      reinterpret_cast<wchar_t*>(out.rawChars() + start), size);
    if (written <= 0)
        return false;
    out.setLength(start + written);
    return true;
}

}  // namespace s::str::platform

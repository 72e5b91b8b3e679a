#pragma once

#include <cstdint>

// Small helpers on UTF-16 code units and zero-terminated texts. Case folding is ASCII only.
namespace s::str {

inline char16_t lowerAscii(char16_t u) {
    return (u >= u'A' && u <= u'Z') ? static_cast<char16_t>(u + 32) : u;
}

inline char16_t upperAscii(char16_t u) {
    return (u >= u'a' && u <= u'z') ? static_cast<char16_t>(u - 32) : u;
}

// Units before the terminator; 0 for nullptr.
inline int32_t unitLength(const char16_t* text) {
    if (!text)
        return 0;
    const char16_t* p = text;
    while (*p)
        ++p;
    return static_cast<int32_t>(p - text);
}

// Resolves a count of -1 (or any negative count) to the text's length.
inline int32_t resolveCount(const char16_t* text, int32_t count) {
    if (!text)
        return 0;
    return count < 0 ? unitLength(text) : count;
}

}  // namespace s::str

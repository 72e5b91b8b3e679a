#pragma once

#include <memory>
#include <string>

#include "base/pool.h"

namespace s::test {

// Gives a pooled object back when the test is done with it.
struct Released {
    void operator()(thread::IPoolable* p) const {
        if (p != nullptr)
            p->release();
    }
};
template <class T>
using Owned = std::unique_ptr<T, Released>;

inline std::u16string u16(const char16_t* text) {
    return text != nullptr ? text : u"(null)";
}

// For failure messages: ASCII as it is, other units as '?'.
inline std::string narrow(const char16_t* text) {
    std::string out;
    for (; text != nullptr && *text != 0; ++text)
        out += *text < 128 ? static_cast<char>(*text) : '?';
    return out;
}
inline std::string narrow(const std::u16string& text) {
    return narrow(text.c_str());
}

}  // namespace s::test

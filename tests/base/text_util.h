#pragma once

#include <string>

#include "base/str_buffer.h"

namespace s::test {

inline std::u16string textOf(const s::str::StrBuffer& buffer) {
    return buffer.text();
}

inline std::u16string textOf(const s::str::StrBuffer* buffer) {
    return buffer ? buffer->text() : u"<null>";
}

}  // namespace s::test

#include "base/code_page.h"

// Without a platform only UTF-8 and UTF-16 exist; other code pages add nothing.
namespace s::str::platform {

bool encode(CodePage, const char16_t*, int32_t, col::_array::ArrayU08&) {
    return false;
}

bool decode(CodePage, const uint8_t*, int32_t, strbuffer::StrBuffer&) {
    return false;
}

}  // namespace s::str::platform

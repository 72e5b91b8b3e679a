#pragma once

#include <cstdint>

namespace s::col::_array {
class ArrayU08;
}
namespace s::str::strbuffer {
class StrBuffer;
}

// Code pages by their Windows numbers. UTF-8 and UTF-16 work everywhere; every other code
// page (and the OEM code page) goes through the platform and adds nothing where there is
// none.
namespace s::str {

using CodePage = uint32_t;
inline constexpr CodePage kCodePageOem = 1;  // the system's OEM code page
inline constexpr CodePage kCodePageUtf16Le = 1200;
inline constexpr CodePage kCodePageUtf16Be = 1201;
inline constexpr CodePage kCodePageUtf8 = 65001;

namespace platform {
// Appends `count` units converted to the code page; false when the platform cannot.
bool encode(CodePage codePage, const char16_t* units, int32_t count, col::_array::ArrayU08& out);
// Appends the decoded text of `count` bytes; false when the platform cannot.
bool decode(CodePage codePage, const uint8_t* bytes, int32_t count, strbuffer::StrBuffer& out);
}  // namespace platform

}  // namespace s::str

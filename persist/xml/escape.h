#pragma once

#include <cstdint>

#include "base/str_buffer.h"

// The entity conventions of this XML dialect. Counts are in units; -1: to the terminator.
namespace s::xml {

// Attribute escaping: LF "&#10;", CR "&#13;", '"' "&quot;", '&' "&amp;", '<' "&lt;".
void escapeAttribute(const char16_t* text, int32_t count, str::StrBuffer& out);
// Text escaping: LF "&#10;", CR "&#13;", '&' "&amp;", '<' "&lt;", '>' "&gt;", space "&#160;".
void escapeText(const char16_t* text, int32_t count, str::StrBuffer& out);

// Replaces "&amp;", "&lt;", "&quot;", "&#13;" and "&#10;"; any other '&' stays as written.
void decodeAttribute(const char16_t* value, int32_t count, str::StrBuffer& out);
// Skips leading blanks, replaces "&amp;", "&lt;", "&gt;", "&#160;" (a plain space), "&#13;"
// and "&#10;", then trims trailing blanks but never what those entities produced.
void decodeText(const char16_t* value, int32_t count, str::StrBuffer& out);

}  // namespace s::xml

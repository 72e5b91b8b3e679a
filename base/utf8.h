#pragma once

#include <cstdint>

namespace s::str {

// Decodes UTF-8 strictly within [bytes, bytes + count) into `out`, which has room for
// `count` units (a byte never yields more than one unit; four bytes yield two). Every
// ill-formed or truncated sequence (its maximal valid prefix) becomes one U+FFFD, and an
// ASCII byte always yields its own unit, so a slice cut at ASCII bytes decodes as the same
// units as in the whole. Returns the units written.
uint32_t decodeUtf8(const uint8_t* bytes, uint32_t count, char16_t* out);

}  // namespace s::str

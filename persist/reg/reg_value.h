#pragma once

#include <cstdint>

#include "base/str_array.h"
#include "base/str_buffer.h"

// Decoding of raw registry value bytes as the platform returned them. Nothing here trusts
// the data: odd byte counts, missing terminators and embedded zeros are all handled.
namespace s::reg {

// The text of REG_SZ / REG_EXPAND_SZ bytes into `out` (replacing): the whole UTF-16 units
// up to the first 0 unit or the end; an odd last byte is dropped.
void textOfValue(const uint8_t* bytes, uint32_t size, str::StrBuffer& out);

// The texts of REG_MULTI_SZ bytes appended to `out`: pieces ended by a 0 unit up to the
// first empty piece; a last piece without its terminator is kept.
void textsOfMultiValue(const uint8_t* bytes, uint32_t size, str::StrArray& out);

// The bytes of a REG_MULTI_SZ value for `texts`, appended to `out`.
void multiValueOfTexts(const str::StrArray& texts, col::ArrayU08& out);

// Units of a zero-terminated text, for writers that store the terminator too.
uint32_t textUnits(const char16_t* text);

}  // namespace s::reg

#pragma once

#include <cstdint>

// Numbers read from attribute texts. None of them reads past the terminator, and values
// out of range wrap (signed decimals) rather than being undefined.
namespace s::xml {

// Leading blanks and a sign accepted, digits up to the first other unit, 0 when none.
int64_t parseSignedDecimal(const char16_t* text);
// Digits up to the first other unit, 0 when none.
uint64_t parseUnsignedDecimal(const char16_t* text);
// Decimal floating point (leading blanks, sign, digits, '.', exponent); 0 when none.
double parseDecimalDouble(const char16_t* text);

}  // namespace s::xml

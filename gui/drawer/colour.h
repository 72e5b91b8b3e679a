#pragma once

#include <cstdint>

// Colours are 32-bit words 0x00BBGGRR, the platform's own order.
namespace s::gui::drawer {

constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
constexpr uint8_t redOf(uint32_t c) {
    return static_cast<uint8_t>(c & 0xFF);
}
constexpr uint8_t greenOf(uint32_t c) {
    return static_cast<uint8_t>((c >> 8) & 0xFF);
}
constexpr uint8_t blueOf(uint32_t c) {
    return static_cast<uint8_t>((c >> 16) & 0xFF);
}

// "#RRGGBB" (hex digits in either case) to 0x00BBGGRR. Anything else gives false and leaves
// `out` untouched.
constexpr bool parseHexColour(const char* text, uint32_t& out) {
    if (!text || text[0] != '#')
        return false;
    uint32_t value = 0;
    for (int i = 1; i <= 6; ++i) {
        const char c = text[i];
        uint32_t digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<uint32_t>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<uint32_t>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<uint32_t>(c - 'A' + 10);
        else
            return false;  // also stops at an early terminator
        value = (value << 4) | digit;
    }
    if (text[7] != '\0')
        return false;
    out = rgb(value >> 16, value >> 8, value);
    return true;
}

// For tables written in "#RRGGBB": a malformed entry fails to compile.
consteval uint32_t hex(const char* text) {
    uint32_t out = 0;
    if (!parseHexColour(text, out))
        throw "colour must be written #RRGGBB";
    return out;
}

}  // namespace s::gui::drawer

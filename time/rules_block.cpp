#include "time/rules_block.h"

#include <cstring>

namespace s::time {

namespace {

int32_t readInt32(const uint8_t* p) {
    uint32_t v = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                 static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    return static_cast<int32_t>(v);
}

DateRecord readDate(const uint8_t* p) {
    uint16_t f[8];
    for (int i = 0; i < 8; ++i) {
        f[i] = static_cast<uint16_t>(p[2 * i] | p[2 * i + 1] << 8);
    }
    return DateRecord{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7]};
}

}  // namespace

bool hasDaylightRules(const RulesBlock& rules) {
    return (rules.StandardBias != 0 || rules.DaylightBias != 0) && rules.StandardDate.wMonth != 0 &&
           rules.DaylightDate.wMonth != 0;
}

bool readTzi(const uint8_t* bytes, int32_t size, RulesBlock& rules) {
    if (bytes == nullptr || size < kTziSize)
        return false;
    rules.Bias = readInt32(bytes);
    rules.StandardBias = readInt32(bytes + 4);
    rules.DaylightBias = readInt32(bytes + 8);
    rules.StandardDate = readDate(bytes + 12);
    rules.DaylightDate = readDate(bytes + 28);
    return true;
}

void setRulesName(char16_t (&field)[RulesBlock::kNameUnits], const char16_t* text, int32_t count) {
    std::memset(field, 0, sizeof field);
    if (text == nullptr)
        return;
    constexpr int32_t kMax = RulesBlock::kNameUnits - 1;
    for (int32_t i = 0; i < kMax && (count < 0 ? text[i] != 0 : i < count); ++i) {
        field[i] = text[i];
    }
}

int32_t rulesNameLength(const char16_t (&field)[RulesBlock::kNameUnits]) {
    int32_t n = 0;
    while (n < RulesBlock::kNameUnits && field[n] != 0)
        ++n;
    return n;
}

}  // namespace s::time

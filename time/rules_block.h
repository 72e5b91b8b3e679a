#pragma once

#include <cstddef>
#include <cstdint>

// A zone's rules in the platform's TIME_ZONE_INFORMATION layout (172 bytes, little-endian),
// kept portable so that the daylight rule can be computed and tested without the platform.
namespace s::time {

// A transition date in the platform's SYSTEMTIME layout. wMonth 0 means "no transition";
// with wYear 0 the date is relative and yearly (wDay 1-5 = which wDayOfWeek of the month,
// 5 = the last), otherwise it is the absolute date wYear-wMonth-wDay.
struct DateRecord {
    uint16_t wYear;
    uint16_t wMonth;
    uint16_t wDayOfWeek;
    uint16_t wDay;
    uint16_t wHour;
    uint16_t wMinute;
    uint16_t wSecond;
    uint16_t wMilliseconds;
};

struct RulesBlock {
    static constexpr int32_t kNameUnits = 32;

    int32_t Bias;  // minutes; UTC = local standard time + Bias
    char16_t StandardName[kNameUnits];
    DateRecord StandardDate;  // daylight -> standard
    int32_t StandardBias;
    char16_t DaylightName[kNameUnits];
    DateRecord DaylightDate;  // standard -> daylight
    int32_t DaylightBias;
};

static_assert(sizeof(DateRecord) == 16);
static_assert(sizeof(RulesBlock) == 172);
static_assert(offsetof(RulesBlock, StandardName) == 4);
static_assert(offsetof(RulesBlock, StandardDate) == 68);
static_assert(offsetof(RulesBlock, StandardBias) == 84);
static_assert(offsetof(RulesBlock, DaylightName) == 88);
static_assert(offsetof(RulesBlock, DaylightDate) == 152);
static_assert(offsetof(RulesBlock, DaylightBias) == 168);

// Size of the database's "TZI" value: Bias, StandardBias, DaylightBias, StandardDate,
// DaylightDate.
constexpr int32_t kTziSize = 44;

// The rules contain a daylight-saving period: a non-zero bias and both transitions set.
bool hasDaylightRules(const RulesBlock& rules);

// Takes the five fields of a "TZI" value into `rules`. Bytes past the 44th are ignored;
// a value shorter than 44 bytes (or none) leaves `rules` untouched and returns false.
bool readTzi(const uint8_t* bytes, int32_t size, RulesBlock& rules);

// Copies at most 31 units of `text` (count -1: to the terminator; nullptr: empty) into a
// name field, zero-filling the rest so the field is always terminated.
void setRulesName(char16_t (&field)[RulesBlock::kNameUnits], const char16_t* text,
                  int32_t count = -1);

// The units of a name field before its terminator (all 32 when the field has none).
int32_t rulesNameLength(const char16_t (&field)[RulesBlock::kNameUnits]);

}  // namespace s::time

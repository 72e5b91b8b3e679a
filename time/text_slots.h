#pragma once

#include <cstdint>

// The three process-wide texts of the time formats: the morning and afternoon markers of
// the 12-hour forms ("AM", "PM") and the suffix after seconds ("s"). Set once at start,
// before any thread formats a time; read afterwards without locking.
namespace s::time {

constexpr int32_t kTextSlotUnits = 127;

// Longer texts are cut to 127 units; nullptr stores the empty text (count -1: to the
// terminator).
void setMorningMarker(const char16_t* text, int32_t count = -1);
void setAfternoonMarker(const char16_t* text, int32_t count = -1);
void setSecondsSuffix(const char16_t* text, int32_t count = -1);

const char16_t* morningMarker();
const char16_t* afternoonMarker();
const char16_t* secondsSuffix();

}  // namespace s::time

#pragma once

#include <cstdint>

namespace s::str::strbuffer {
class StrBuffer;
}

// How a clock row treats daylight saving time.
namespace s::time::gui::dialogs::tellavo {

// The zone has no daylight-saving rules.
constexpr int32_t kDstNotAvailable = 1;
// Daylight saving is applied.
constexpr int32_t kDstOn = 2;
// Daylight saving is not applied.
constexpr int32_t kDstOff = 3;

// Only the "on" mode converts with the zone's daylight rules.
constexpr bool appliesDaylight(int32_t mode) {
    return mode == kDstOn;
}

// The word stored under "DST": "NotAvailable", "On" or "Off" (any unknown mode is stored
// as "NotAvailable").
const char16_t* dstModeWord(int32_t mode);

// Reads a stored word: "On" and "Off" ignoring case, anything else (also "NotAvailable",
// the empty text or none) is the mode without daylight rules.
int32_t dstModeFromWord(const char16_t* word);

// Language-pack id of the mode's text in the daylight-saving cell; 0 for the mode without
// rules, whose cell stays empty.
int32_t dstModeTextId(int32_t mode);

}  // namespace s::time::gui::dialogs::tellavo

#pragma once

#include <cstdint>

#include "base/str_buffer.h"

// The command line of tellavo-clocks:
//   tellavo-clocks [--list pickup|all] [--at YYYY-MM-DDTHH:MM:SSZ] [--ampm | --24h]
//                  [--lang ENGLISH-NAME] [--settings FILE.xml]
namespace s::tools::clocks {

enum class ListChoice { kPickUp, kAllZones };

// The hour form asked for; kStored keeps the stored "ShowInAmPm".
enum class HourForm { kStored, kTwelve, kTwentyFour };

struct ClockArgs {
    ListChoice list = ListChoice::kPickUp;
    bool hasMoment = false;
    int64_t momentSeconds = 0;  // UTC seconds since 1970, when hasMoment
    HourForm hourForm = HourForm::kStored;
    str::StrBuffer language;      // empty: the stored or the user's language
    str::StrBuffer settingsFile;  // empty: the registry store
};

// The one-line usage text, without a line end.
const char* clockArgsUsage();

// Parses the arguments after the program name. False for an unknown option, a missing or
// bad value, or both hour forms; `args` is then unspecified.
bool parseClockArgs(int32_t count, const char16_t* const* arguments, ClockArgs& args);

// Reads "YYYY-MM-DDTHH:MM:SSZ" (exactly that form, a real calendar date, years 1601-9999)
// as UTC seconds since 1970.
bool parseUtcMoment(const char16_t* text, int64_t& seconds);

}  // namespace s::tools::clocks

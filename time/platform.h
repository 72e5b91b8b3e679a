#pragma once

#include <cstdint>

namespace s::str::strbuffer {
class StrBuffer;
}

// What the time layer asks of the platform beyond the clock (time/clock.h). Each platform
// defines these once: time/win/ with the registry and the locale, time/platform_default.cpp
// elsewhere.
namespace s::time {

class IZoneRecordSource;

// The operating system's zone database (a process-wide, stateless source).
IZoneRecordSource& platformZoneRecords();

// Writes year-month-day in the user's date form into `text` (emptied first). False when
// the platform cannot show that date; `text` is then left empty.
bool platformDateText(uint32_t year, uint32_t month, uint32_t day, str::strbuffer::StrBuffer& text);

}  // namespace s::time

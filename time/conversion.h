#pragma once

#include <cstdint>

// A moment in a zone's local time, and the gap to the computer's own clock. Stateless; any
// thread. zoneLocalSeconds makes no platform call and allocates nothing.
namespace s::time {

class TimeZone;

// The local wall-clock seconds of the UTC moment `utcSeconds` in `zone`. Without
// applyDaylight: the moment plus the zone's standard offset (`bias`), no daylight shift.
// With it: the daylight-saving rule of the zone's rules block (invalid rules read as
// standard time). nullptr: the computer's own zone record (systemZone()).
int64_t zoneLocalSeconds(const TimeZone* zone, int64_t utcSeconds, bool applyDaylight);

// The computer's local wall-clock seconds of the moment, with the UTC offset in force at
// the present moment applied to every date.
int64_t systemLocalSeconds(int64_t utcSeconds);

// zoneLocalSeconds of nowSeconds() minus systemLocalSeconds of the same moment.
int64_t timeGapSeconds(const TimeZone* zone, bool applyDaylight);

}  // namespace s::time

#pragma once

#include <cstdint>

#include "time/rules_block.h"

// The daylight-saving rule of a rules block, computed without the platform. It agrees with
// the platform's SystemTimeToTzSpecificLocalTime for the database's rules, except that both
// transitions are resolved in the calendar year of the standard clock: resolving each in the
// year of its own clock would read the old year's start and the new year's end in the last
// hour of a year and wrongly count that hour as daylight time.
namespace s::time {

enum class ZoneClock {
    kNoDaylight,  // no daylight period: local = UTC - Bias
    kStandard,
    kDaylight,
    kInvalid,  // a transition cannot be resolved
};

// Which clock of `rules` the UTC moment falls on. Rules with an absolute transition (wYear
// not 0) give daylight time only between their two dates when the start comes first, and
// only inside the transitions' own year when the start comes after the end in that year.
ZoneClock zoneClockAt(const RulesBlock& rules, int64_t utcSeconds);

// The local wall-clock seconds of the UTC moment under `rules`. Invalid rules read as
// standard time (UTC - (Bias + StandardBias)); results saturate instead of overflowing.
int64_t rulesLocalSeconds(const RulesBlock& rules, int64_t utcSeconds);

// The local wall-clock seconds (on the zone's own clocks) at which a transition falls in
// `year`. A relative transition (wYear 0) takes the wDay-th wDayOfWeek of the month, the
// last one for wDay 5; an absolute one falls on its own date, in its own year only. A
// month outside 1-12 resolves to 0.
int64_t transitionSeconds(const DateRecord& transition, int64_t year);

}  // namespace s::time

#include "time/conversion.h"

#include "time/clock.h"
#include "time/daylight_rule.h"
#include "time/time_zone.h"
#include "time/zone_database.h"

namespace s::time {

namespace {

int64_t plusSeconds(int64_t seconds, int64_t delta) {
    int64_t result = 0;
    if (__builtin_add_overflow(seconds, delta, &result)) {
        return delta > 0 ? INT64_MAX : INT64_MIN;
    }
    return result;
}

}  // namespace

int64_t zoneLocalSeconds(const TimeZone* zone, int64_t utcSeconds, bool applyDaylight) {
    if (zone == nullptr)
        zone = systemZone();
    if (!applyDaylight)
        return plusSeconds(utcSeconds, int64_t{zone->bias} * 60);
    return rulesLocalSeconds(zone->rules, utcSeconds);
}

int64_t systemLocalSeconds(int64_t utcSeconds) {
    return plusSeconds(utcSeconds, activeClock().presentOffsetSeconds());
}

int64_t timeGapSeconds(const TimeZone* zone, bool applyDaylight) {
    const int64_t now = nowSeconds();
    return zoneLocalSeconds(zone, now, applyDaylight) - systemLocalSeconds(now);
}

}  // namespace s::time

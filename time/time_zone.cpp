#include "time/time_zone.h"

namespace s::time {

void TimeZone::reset() {
    bias = 0;
    displayName.freeStorage();
    standardName.freeStorage();
    daylightName.freeStorage();
    hasDaylight = false;
    daylightInUse = false;
    rules = RulesBlock{};
}

}  // namespace s::time

#include "time/clock.h"

#include <atomic>

#include "time/daylight_rule.h"
#include "time/file_time.h"

namespace s::time {

namespace {

std::atomic<IClock*> installedClock{nullptr};
std::atomic<IClock*> overrideClock{nullptr};

uint32_t zoneIdOf(ZoneClock clock) {
    switch (clock) {
        case ZoneClock::kNoDaylight:
            return kZoneIdUnknown;
        case ZoneClock::kStandard:
            return kZoneIdStandard;
        case ZoneClock::kDaylight:
            return kZoneIdDaylight;
        case ZoneClock::kInvalid:
            break;
    }
    return kZoneIdInvalid;
}

}  // namespace

FixedClock::FixedClock(int64_t utcSeconds, const RulesBlock& computerRules)
    : moment_(utcSeconds), rules_(computerRules) {}

uint64_t FixedClock::nowFileTime() {
    return secondsToFileTime(moment_);
}

uint32_t FixedClock::computerZone(RulesBlock& rules) {
    rules = rules_;
    return zoneIdOf(zoneClockAt(rules_, moment_));
}

int64_t FixedClock::presentOffsetSeconds() {
    return rulesLocalSeconds(rules_, moment_) - moment_;
}

IClock& activeClock() {
    if (IClock* clock = installedClock.load(std::memory_order_acquire))
        return *clock;
    if (IClock* clock = overrideClock.load(std::memory_order_acquire))
        return *clock;
    return platformClock();
}

void setClock(IClock* clock) {
    installedClock.store(clock, std::memory_order_release);
}

void setClockOverride(int64_t utcSeconds) {
    static FixedClock slot(0, RulesBlock{});
    RulesBlock rules{};
    platformClock().computerZone(rules);
    overrideClock.store(nullptr, std::memory_order_release);
    slot = FixedClock(utcSeconds, rules);
    overrideClock.store(&slot, std::memory_order_release);
}

void clearClockOverride() {
    overrideClock.store(nullptr, std::memory_order_release);
}

int64_t nowMillis() {
    return fileTimeToMillis(activeClock().nowFileTime());
}

int64_t nowSeconds() {
    return nowMillis() / 1000;
}

}  // namespace s::time

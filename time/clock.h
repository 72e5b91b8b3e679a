#pragma once

#include <cstdint>

#include "time/rules_block.h"

// The one seam through which the system learns the present: the clock, the computer's own
// zone and the UTC offset in force now. The platform answers by default; a test or a tool
// can say "the computer's clock reads moment M" (setClockOverride) before anything reads
// the clock, and everything built on the seam (nowSeconds, systemLocalSeconds, the zone
// database's daylight flag) follows.
namespace s::time {

// Result codes of the platform's GetTimeZoneInformation.
constexpr uint32_t kZoneIdUnknown = 0;  // the zone has no daylight rules in force
constexpr uint32_t kZoneIdStandard = 1;
constexpr uint32_t kZoneIdDaylight = 2;
constexpr uint32_t kZoneIdInvalid = 0xFFFFFFFFu;

class IClock {
public:
    virtual ~IClock() = default;
    // The present UTC moment as a file-time.
    virtual uint64_t nowFileTime() = 0;
    // The computer's zone: fills its rules block and returns a kZoneId code.
    virtual uint32_t computerZone(RulesBlock& rules) = 0;
    // Local minus UTC whole seconds in force at the present moment.
    virtual int64_t presentOffsetSeconds() = 0;
};

// A clock that reads a fixed moment on a computer whose zone has the given rules: the
// present offset and the result code are what those rules give at that moment.
class FixedClock final : public IClock {
public:
    FixedClock(int64_t utcSeconds, const RulesBlock& computerRules);

    uint64_t nowFileTime() override;
    uint32_t computerZone(RulesBlock& rules) override;
    int64_t presentOffsetSeconds() override;

private:
    int64_t moment_;
    RulesBlock rules_;
};

// The platform's clock (defined once per platform).
IClock& platformClock();

// The clock everything reads: the one set with setClock, else the override, else the
// platform's. Set these before other threads read the clock.
IClock& activeClock();
// Installs a clock of the caller's (not owned; it must outlive its use); nullptr removes it.
void setClock(IClock* clock);
// The computer's clock reads `utcSeconds` from now on; its zone stays the platform's.
void setClockOverride(int64_t utcSeconds);
void clearClockOverride();

// Milliseconds and whole seconds since 1970-01-01 00:00:00 UTC of the present moment.
int64_t nowMillis();
int64_t nowSeconds();

}  // namespace s::time

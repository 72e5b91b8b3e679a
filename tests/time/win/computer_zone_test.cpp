#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "../rules_fixtures.h"
#include "platform_conversion.h"
#include "time/clock.h"
#include "time/conversion.h"
#include "time/daylight_rule.h"
#include "time/platform.h"
#include "time/time_zone.h"
#include "time/zone_database.h"

// The computer's own zone, run once per TZ the program is registered with.
namespace s::time {
namespace {

using testing::at;

struct ComputerZone {
    const char* tz;
    const char16_t* standardName;
    int64_t summer;  // a moment of the zone's summer (daylight season where it has one)
    int64_t winter;
    int64_t summerOffset;  // local minus UTC seconds then
    int64_t winterOffset;
};

const ComputerZone kZones[] = {
    {"Asia/Tokyo", u"Tokyo Standard Time", at(2025, 7, 15, 12), at(2025, 1, 15, 12), 9 * 3600,
     9 * 3600},
    {"America/New_York", u"Eastern Standard Time", at(2025, 7, 15, 12), at(2025, 1, 15, 12),
     -4 * 3600, -5 * 3600},
    {"Australia/Sydney", u"AUS Eastern Standard Time", at(2025, 1, 15, 12), at(2025, 7, 15, 12),
     11 * 3600, 10 * 3600},
};

const ComputerZone* computerZoneOfThisRun() {
    const char* tz = std::getenv("TZ");
    if (tz == nullptr)
        return nullptr;
    for (const ComputerZone& z : kZones) {
        if (std::strcmp(tz, z.tz) == 0)
            return &z;
    }
    return nullptr;
}

#define SKIP_UNLESS_KNOWN_ZONE(z)                    \
    const ComputerZone* z = computerZoneOfThisRun(); \
    if (z == nullptr)                                \
    GTEST_SKIP() << "TZ names no zone these checks know"

uint32_t platformZone(RulesBlock& rules) {
    TIME_ZONE_INFORMATION info;
    const DWORD code = GetTimeZoneInformation(&info);
    std::memcpy(&rules, &info, sizeof rules);
    return code;
}

// Restores the platform's clock when a test ends.
struct OverrideScope {
    ~OverrideScope() { clearClockOverride(); }
};

TEST(ComputerZone, TheDatabaseMatchesTheComputersZone) {
    SKIP_UNLESS_KNOWN_ZONE(zone);
    const int32_t index = systemZoneIndex();
    ASSERT_LT(index, allZones().count());
    const TimeZone* matched = allZones().getAs<TimeZone>(index);
    EXPECT_TRUE(matched->standardName.equals(zone->standardName));
    const TimeZone* system = systemZone();
    EXPECT_TRUE(system->standardName.equals(zone->standardName));
    EXPECT_TRUE(system->displayName.equals(matched->displayName));
    EXPECT_EQ(system->bias, matched->bias);
}

TEST(ComputerZone, DaylightFlagFollowsTheClockAtLoadTime) {
    SKIP_UNLESS_KNOWN_ZONE(zone);
    RulesBlock platform{};
    const uint32_t code = platformZone(platform);
    // The process's database loaded with the platform's clock: the flag follows today's date.
    EXPECT_EQ(systemAdjustsDaylight(), code == kZoneIdDaylight);
    const TimeZone* system = systemZone();
    EXPECT_EQ(system->hasDaylight, hasDaylightRules(platform));
    EXPECT_EQ(system->daylightInUse, systemAdjustsDaylight());
    EXPECT_EQ(system->rules.DaylightDate.wMonth,
              systemAdjustsDaylight() ? platform.DaylightDate.wMonth : 0);
    EXPECT_EQ(system->rules.StandardDate.wMonth,
              systemAdjustsDaylight() ? platform.StandardDate.wMonth : 0);
}

// A database loaded after the seam says the clock reads a summer or a winter moment, the way
// a tool sets it before the database loads.
TEST(ComputerZone, DatabaseLoadedUnderTheSeam) {
    SKIP_UNLESS_KNOWN_ZONE(zone);
    OverrideScope scope;
    RulesBlock platform{};
    platformZone(platform);
    const bool zoneHasDaylight = hasDaylightRules(platform);
    for (bool summer : {true, false}) {
        SCOPED_TRACE(summer ? "summer" : "winter");
        setClockOverride(summer ? zone->summer : zone->winter);
        ZoneDatabase db;
        db.load(platformZoneRecords(), activeClock());
        ASSERT_LT(db.systemZoneIndex(), db.count());
        EXPECT_TRUE(db.zoneAt(db.systemZoneIndex())->standardName.equals(zone->standardName));
        const bool adjusts = summer && zoneHasDaylight;
        EXPECT_EQ(db.systemAdjustsDaylight(), adjusts);
        EXPECT_EQ(db.systemZone()->daylightInUse, adjusts);
        EXPECT_EQ(db.systemZone()->rules.DaylightDate.wMonth,
                  adjusts ? platform.DaylightDate.wMonth : 0);
        EXPECT_EQ(db.systemZone()->rules.StandardDate.wMonth,
                  adjusts ? platform.StandardDate.wMonth : 0);
        // Converting with the system zone gives the seam moment's own offset; a moment of the
        // other season reads standard time: from the kept rules in summer, and in winter
        // because the transitions are gone (which a summer moment shows).
        const TimeZone* system = db.systemZone();
        EXPECT_TRUE(system->standardName.equals(zone->standardName));
        const int64_t here = summer ? zone->summer : zone->winter;
        const int64_t there = summer ? zone->winter : zone->summer;
        EXPECT_EQ(zoneLocalSeconds(system, here, true) - here,
                  summer ? zone->summerOffset : zone->winterOffset);
        EXPECT_EQ(zoneLocalSeconds(system, there, true) - there, zone->winterOffset);
    }
}

TEST(ComputerZone, SystemLocalSecondsUnderTheSeam) {
    SKIP_UNLESS_KNOWN_ZONE(zone);
    OverrideScope scope;
    const int64_t other = at(2026, 3, 1, 3);  // any date: the present offset applies to it
    setClockOverride(zone->summer);
    EXPECT_EQ(nowSeconds(), zone->summer);
    EXPECT_EQ(systemLocalSeconds(zone->summer), zone->summer + zone->summerOffset);
    EXPECT_EQ(systemLocalSeconds(other), other + zone->summerOffset);
    setClockOverride(zone->winter);
    EXPECT_EQ(systemLocalSeconds(zone->winter), zone->winter + zone->winterOffset);
    EXPECT_EQ(systemLocalSeconds(other), other + zone->winterOffset);
    TimeZone utc;
    EXPECT_EQ(timeGapSeconds(&utc, true), -zone->winterOffset);
}

TEST(ComputerZone, PlatformClockAppliesTheOffsetInForceNow) {
    const int64_t now = nowSeconds();
    const FILETIME utc = testing::fileTimeOf(secondsToFileTime(now));
    FILETIME local;
    ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
    const int64_t offset = fileTimeToSeconds(testing::valueOf(local)) - now;
    EXPECT_EQ(systemLocalSeconds(now), now + offset);
    EXPECT_EQ(systemLocalSeconds(at(2025, 1, 1)), at(2025, 1, 1) + offset);
    FILETIME platformNow;
    GetSystemTimeAsFileTime(&platformNow);
    EXPECT_NEAR(static_cast<double>(fileTimeToSeconds(testing::valueOf(platformNow))),
                static_cast<double>(now), 5.0);
}

}  // namespace
}  // namespace s::time

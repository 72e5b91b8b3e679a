#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "rules_fixtures.h"
#include "time/conversion.h"
#include "time/daylight_rule.h"
#include "time/time_zone.h"

namespace s::time {
namespace {

using testing::absoluteDate;
using testing::at;
using testing::makeRules;
using testing::relativeDate;

struct Case {
    const char* what;
    RulesBlock rules;
    int64_t utc;
    int64_t local;
};

TEST(DaylightRule, LocalTimes) {
    const RulesBlock ny = testing::newYorkRules();
    const RulesBlock azores = testing::azoresRules();
    const RulesBlock sydney = testing::sydneyRules();
    const RulesBlock southernAbsolute =
        makeRules(0, 0, -60, absoluteDate(2025, 4, 6, 3), absoluteDate(2025, 10, 5, 2));
    const RulesBlock acrossNewYear =
        makeRules(0, 0, -60, absoluteDate(2026, 4, 5, 3), absoluteDate(2025, 10, 5, 2));
    const Case cases[] = {
        {"UTC+9 without transitions", testing::tokyoRules(), at(2013, 8, 12), at(2013, 8, 12, 9)},
        {"New York in July", ny, at(2013, 7, 1, 12), at(2013, 7, 1, 8)},
        {"New York in December", ny, at(2013, 12, 1, 12), at(2013, 12, 1, 7)},
        // 2025: daylight from 9 March 02:00 EST (07:00 UTC) to 2 November 02:00 EDT (06:00 UTC).
        {"second before the start", ny, at(2025, 3, 9, 6, 59, 59), at(2025, 3, 9, 1, 59, 59)},
        {"at the start", ny, at(2025, 3, 9, 7), at(2025, 3, 9, 3)},
        {"second before the end", ny, at(2025, 11, 2, 5, 59, 59), at(2025, 11, 2, 1, 59, 59)},
        {"at the end", ny, at(2025, 11, 2, 6), at(2025, 11, 2, 1)},
        // The last hour of the year: the standard clock is still in the old year, the daylight
        // clock already in the new one. Both transitions belong to the standard clock's year.
        {"Azores at New Year", azores, at(2025, 1, 1), at(2024, 12, 31, 23)},
        {"Azores just before", azores, at(2024, 12, 31, 23, 59, 59), at(2024, 12, 31, 22, 59, 59)},
        {"Azores after New Year", azores, at(2025, 1, 1, 1), at(2025, 1, 1)},
        {"Azores in summer", azores, at(2025, 7, 1), at(2025, 7, 1)},
        {"New York at New Year", ny, at(2025, 1, 1, 4, 30), at(2024, 12, 31, 23, 30)},
        // Southern order: daylight from the first Sunday of October to the first of April.
        {"Sydney in January", sydney, at(2025, 1, 15), at(2025, 1, 15, 11)},
        {"Sydney in July", sydney, at(2025, 7, 15), at(2025, 7, 15, 10)},
        {"Sydney at New Year", sydney, at(2024, 12, 31, 13, 30), at(2025, 1, 1, 0, 30)},
        {"Sydney before the start", sydney, at(2025, 10, 4, 15, 59, 59),
         at(2025, 10, 5, 1, 59, 59)},
        {"Sydney at the start", sydney, at(2025, 10, 4, 16), at(2025, 10, 5, 3)},
        {"Sydney before the end", sydney, at(2025, 4, 5, 15, 59, 59), at(2025, 4, 6, 2, 59, 59)},
        {"Sydney at the end", sydney, at(2025, 4, 5, 16), at(2025, 4, 6, 2)},
        {"half-hour daylight shift", testing::lordHoweRules(), at(2025, 1, 1), at(2025, 1, 1, 11)},
        {"no daylight period: StandardBias is not applied", makeRules(-330, 15), at(2025, 7, 1),
         at(2025, 7, 1, 5, 30)},
        {"StandardBias applies in standard time",
         makeRules(300, -30, -60, ny.StandardDate, ny.DaylightDate), at(2025, 1, 10, 12),
         at(2025, 1, 10, 7, 30)},
        // Invalid rules read as standard time, StandardBias included.
        {"daylight start without an end", makeRules(300, -30, -60, {}, ny.DaylightDate),
         at(2025, 7, 1, 12), at(2025, 7, 1, 7, 30)},
        {"week number 6", makeRules(300, 0, -60, relativeDate(11, 0, 6, 2), ny.DaylightDate),
         at(2025, 7, 1, 12), at(2025, 7, 1, 7)},
        {"week number 0", makeRules(300, 0, -60, ny.StandardDate, relativeDate(3, 0, 0, 2)),
         at(2025, 7, 1, 12), at(2025, 7, 1, 7)},
        {"month 13", makeRules(300, 0, -60, relativeDate(13, 0, 1, 2), ny.DaylightDate),
         at(2025, 7, 1, 12), at(2025, 7, 1, 7)},
        // Absolute dates fall in their own year only.
        {"absolute period, its year",
         makeRules(0, 0, -60, absoluteDate(2025, 10, 20, 3), absoluteDate(2025, 3, 15, 2)),
         at(2025, 6, 1), at(2025, 6, 1, 1)},
        {"absolute period, a later year",
         makeRules(0, 0, -60, absoluteDate(2025, 10, 20, 3), absoluteDate(2025, 3, 15, 2)),
         at(2026, 6, 1), at(2026, 6, 1)},
        // Southern order inside one year: daylight at both ends of that year, none in others.
        {"absolute southern period, its January", southernAbsolute, at(2025, 1, 15),
         at(2025, 1, 15, 1)},
        {"absolute southern period, its July", southernAbsolute, at(2025, 7, 1), at(2025, 7, 1)},
        {"absolute southern period, its November", southernAbsolute, at(2025, 11, 1),
         at(2025, 11, 1, 1)},
        {"absolute southern period, a later January", southernAbsolute, at(2026, 1, 15),
         at(2026, 1, 15)},
        {"absolute southern period, an earlier November", southernAbsolute, at(2024, 11, 1),
         at(2024, 11, 1)},
        // One absolute period from October to the next April: only between those two dates.
        {"absolute period across New Year, inside", acrossNewYear, at(2026, 1, 15),
         at(2026, 1, 15, 1)},
        {"absolute period across New Year, the July before", acrossNewYear, at(2025, 7, 1),
         at(2025, 7, 1)},
        {"absolute period across New Year, the July after", acrossNewYear, at(2026, 7, 1),
         at(2026, 7, 1)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rulesLocalSeconds(c.rules, c.utc), c.local) << c.what;
    }
}

TEST(DaylightRule, ClockInForce) {
    EXPECT_EQ(zoneClockAt(testing::tokyoRules(), at(2025, 7, 1)), ZoneClock::kNoDaylight);
    EXPECT_EQ(zoneClockAt(testing::newYorkRules(), at(2025, 7, 1)), ZoneClock::kDaylight);
    EXPECT_EQ(zoneClockAt(testing::newYorkRules(), at(2025, 1, 1)), ZoneClock::kStandard);
    RulesBlock broken = testing::newYorkRules();
    broken.StandardDate.wMonth = 0;
    EXPECT_EQ(zoneClockAt(broken, at(2025, 7, 1)), ZoneClock::kInvalid);
}

TEST(DaylightRule, ResolvesWeekdaysOfTheMonth) {
    struct Resolution {
        DateRecord date;
        int64_t year;
        int64_t expected;
    };
    const Resolution cases[] = {
        {relativeDate(3, 0, 2, 2), 2025, at(2025, 3, 9, 2)},    // second Sunday
        {relativeDate(3, 0, 5, 0), 2025, at(2025, 3, 30)},      // March 2025 has five Sundays
        {relativeDate(2, 0, 5, 2), 2025, at(2025, 2, 23, 2)},   // February only four: the fourth
        {relativeDate(2, 6, 5, 0), 2024, at(2024, 2, 24)},      // last Saturday of a leap February
        {relativeDate(2, 4, 5, 0), 2024, at(2024, 2, 29)},      // ... and its fifth Thursday
        {relativeDate(9, 6, 1, 22), 2025, at(2025, 9, 6, 22)},  // first Saturday
        {relativeDate(4, 0, 1, 3, 45), 2025, at(2025, 4, 6, 3, 45)},
        {DateRecord{0, 11, 7, 1, 2, 0, 30, 0}, 2025,
         at(2025, 11, 2, 2, 0, 30)},                               // weekday 7 = Sunday
        {absoluteDate(2030, 5, 17, 4), 2025, at(2030, 5, 17, 4)},  // absolute: its own year
    };
    for (const Resolution& c : cases) {
        EXPECT_EQ(transitionSeconds(c.date, c.year), c.expected)
            << c.date.wMonth << "/" << c.date.wDay;
    }
}

TEST(DaylightRule, ExtremeMomentsNeitherOverflowNorCrash) {
    const int64_t kMin = std::numeric_limits<int64_t>::min();
    const int64_t kMax = std::numeric_limits<int64_t>::max();
    RulesBlock wild =
        makeRules(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min(),
                  std::numeric_limits<int32_t>::max(), relativeDate(12, 65535, 5, 65535, 65535),
                  relativeDate(1, 9, 1, 99));
    for (const RulesBlock& r : {testing::newYorkRules(), testing::sydneyRules(), wild}) {
        for (int64_t u :
             {kMin, kMin + 1, int64_t{-1} << 50, int64_t{0}, int64_t{1} << 50, kMax - 1, kMax}) {
            (void)rulesLocalSeconds(r, u);  // the sanitizers watch the arithmetic
        }
    }
    EXPECT_EQ(rulesLocalSeconds(testing::newYorkRules(), kMax), kMax - 300 * 60);
    EXPECT_EQ(rulesLocalSeconds(testing::tokyoRules(), kMax), kMax);
}

TEST(ZoneLocalSeconds, WithoutDaylightAddsOnlyTheStandardOffset) {
    TimeZone india;
    india.bias = 330;
    india.rules = makeRules(-330, 0, -60, testing::newYorkRules().StandardDate,
                            testing::newYorkRules().DaylightDate);
    india.hasDaylight = india.daylightInUse = true;
    for (int64_t day : {at(2025, 1, 10), at(2025, 7, 10)}) {
        EXPECT_EQ(zoneLocalSeconds(&india, day, false), day + 5 * 3600 + 30 * 60);
    }
    EXPECT_EQ(zoneLocalSeconds(&india, at(2025, 7, 10), true), at(2025, 7, 10, 6, 30));
}

}  // namespace
}  // namespace s::time

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "rules_fixtures.h"
#include "time/clock.h"
#include "time/conversion.h"
#include "time/daylight_rule.h"
#include "time/file_time.h"
#include "time/time_zone.h"
#include "time/zone_database.h"
#include "time/zone_source.h"

namespace s::time {
namespace {

using testing::at;

// Installs a clock for one test and takes it away again.
class ClockScope {
public:
    explicit ClockScope(IClock& clock) { setClock(&clock); }
    ~ClockScope() { setClock(nullptr); }
};

TEST(Clock, FixedClockReadsItsMomentAndItsZonesOffset) {
    FixedClock summer(at(2025, 7, 15, 12), testing::newYorkRules());
    RulesBlock rules{};
    EXPECT_EQ(summer.computerZone(rules), kZoneIdDaylight);
    EXPECT_EQ(std::u16string(rules.StandardName), u"Eastern Standard Time");
    EXPECT_EQ(summer.presentOffsetSeconds(), -4 * 3600);
    EXPECT_EQ(summer.nowFileTime(), secondsToFileTime(at(2025, 7, 15, 12)));

    FixedClock winter(at(2025, 1, 15), testing::newYorkRules());
    EXPECT_EQ(winter.computerZone(rules), kZoneIdStandard);
    EXPECT_EQ(winter.presentOffsetSeconds(), -5 * 3600);

    FixedClock tokyo(at(2025, 1, 15), testing::tokyoRules());
    EXPECT_EQ(tokyo.computerZone(rules), kZoneIdUnknown);
    EXPECT_EQ(tokyo.presentOffsetSeconds(), 9 * 3600);

    RulesBlock broken = testing::newYorkRules();
    broken.StandardDate.wMonth = 0;
    EXPECT_EQ(FixedClock(0, broken).computerZone(rules), kZoneIdInvalid);
}

TEST(Clock, EverythingReadsTheInstalledClock) {
    FixedClock summer(at(2025, 7, 15, 12, 0, 30), testing::newYorkRules());
    ClockScope scope(summer);
    EXPECT_EQ(nowSeconds(), at(2025, 7, 15, 12, 0, 30));
    EXPECT_EQ(nowMillis(), at(2025, 7, 15, 12, 0, 30) * 1000);
    // The offset in force now applies to any date, winter ones too.
    EXPECT_EQ(systemLocalSeconds(at(2025, 1, 1)), at(2024, 12, 31, 20));

    TimeZone tokyo;
    tokyo.bias = 540;
    tokyo.rules = testing::tokyoRules();
    EXPECT_EQ(timeGapSeconds(&tokyo, true), 13 * 3600);
    TimeZone sydney;
    sydney.bias = 600;
    sydney.rules = testing::sydneyRules();
    EXPECT_EQ(timeGapSeconds(&sydney, true), 14 * 3600);
    EXPECT_EQ(timeGapSeconds(&sydney, false), 14 * 3600);
    sydney.rules = testing::lordHoweRules();  // with daylight applied the rules decide, not `bias`
    EXPECT_EQ(timeGapSeconds(&sydney, true), 14 * 3600 + 30 * 60);
}

TEST(Clock, OverrideKeepsThePlatformsZone) {
    RulesBlock platform{};
    platformClock().computerZone(platform);
    for (int64_t moment : {at(2025, 1, 15, 12), at(2025, 7, 15, 12)}) {
        setClockOverride(moment);
        EXPECT_EQ(nowSeconds(), moment);
        EXPECT_EQ(systemLocalSeconds(moment), rulesLocalSeconds(platform, moment));
        RulesBlock seen{};
        activeClock().computerZone(seen);
        EXPECT_EQ(std::u16string(seen.StandardName), std::u16string(platform.StandardName));
    }
    clearClockOverride();
    EXPECT_EQ(&activeClock(), &platformClock());
    const int64_t now = nowSeconds();
    EXPECT_GT(now, at(2024, 1, 1));
    EXPECT_LT(now, at(2200, 1, 1));
}

// Counts its reads and takes its time, so that concurrent first callers overlap.
class SlowSource final : public IZoneRecordSource {
public:
    explicit SlowSource(std::vector<ZoneRecord> records) : records_(std::move(records)) {}
    void readAll(IZoneRecordSink& sink) override {
        reads.fetch_add(1);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        for (const ZoneRecord& r : records_)
            sink.add(r);
    }
    std::atomic<int> reads{0};

private:
    std::vector<ZoneRecord> records_;
};

// The one test of this program that touches the process's database: it loads once.
TEST(ProcessDatabase, LoadsOnceFromTheInstalledSourceAndClock) {
    const std::vector<uint8_t> ny = testing::tziOf(testing::newYorkRules());
    const std::vector<uint8_t> tokyo = testing::tziOf(testing::tokyoRules());
    SlowSource source({
        {u"(UTC+09:00) Tokyo", u"Tokyo Standard Time", u"Tokyo Daylight Time", tokyo.data(), 44},
        {u"(UTC-05:00) Eastern", u"Eastern Standard Time", u"Eastern Daylight Time", ny.data(), 44},
    });
    FixedClock summer(at(2025, 7, 15, 12), testing::newYorkRules());
    ClockScope scope(summer);
    ASSERT_TRUE(setZoneRecordSource(&source));

    std::atomic<int> counts{0};
    std::vector<std::thread> callers;
    for (int i = 0; i < 4; ++i) {
        callers.emplace_back([&counts, i] {
            if (i % 2 == 0) {
                counts.fetch_add(allZones().count());
            } else {
                counts.fetch_add(systemZone()->bias == -300 ? 2 : 0);
            }
        });
    }
    for (std::thread& t : callers)
        t.join();
    EXPECT_EQ(source.reads.load(), 1);
    EXPECT_EQ(counts.load(), 8);

    EXPECT_FALSE(setZoneRecordSource(nullptr));
    EXPECT_EQ(systemZoneIndex(), 0);
    EXPECT_TRUE(systemAdjustsDaylight());
    EXPECT_EQ(findByStandardName(u"tokyo standard time")->bias, 540);
    EXPECT_EQ(findByStandardName(u"Tokyo"), nullptr);
    EXPECT_EQ(systemZone()->displayName.equals(u"(UTC-05:00) Eastern"), true);
    // No zone given: the computer's own zone, daylight rules kept while daylight is in force.
    EXPECT_EQ(zoneLocalSeconds(nullptr, at(2025, 7, 1), true), at(2025, 6, 30, 20));
    EXPECT_EQ(zoneLocalSeconds(nullptr, at(2025, 1, 1, 12), true), at(2025, 1, 1, 7));
    EXPECT_EQ(zoneLocalSeconds(nullptr, at(2025, 7, 1), false), at(2025, 6, 30, 19));
}

}  // namespace
}  // namespace s::time

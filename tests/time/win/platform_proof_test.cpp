#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "../rules_fixtures.h"
#include "platform_conversion.h"
#include "time/conversion.h"
#include "time/daylight_rule.h"
#include "time/time_zone.h"
#include "time/zone_database.h"

namespace s::time {
namespace {

using testing::at;

// The moments of the proof for one zone: every 6 hours across 2025-2027, and the second
// before, at and after each of the zone's transitions in those years.
std::vector<int64_t> proofMoments(const RulesBlock& r) {
    std::vector<int64_t> moments;
    for (int64_t u = at(2025, 1, 1); u < at(2028, 1, 1); u += 6 * 3600)
        moments.push_back(u);
    if (zoneClockAt(r, 0) == ZoneClock::kNoDaylight)
        return moments;
    for (int64_t year = 2025; year <= 2027; ++year) {
        // The start is read on the standard clock, the end on the daylight clock.
        const int64_t start =
            transitionSeconds(r.DaylightDate, year) + (int64_t{r.Bias} + r.StandardBias) * 60;
        const int64_t end =
            transitionSeconds(r.StandardDate, year) + (int64_t{r.Bias} + r.DaylightBias) * 60;
        for (int64_t edge : {start, end}) {
            for (int64_t delta : {-1, 0, 1})
                moments.push_back(edge + delta);
        }
    }
    return moments;
}

std::string narrow(const str::StrBuffer& text) {
    std::string out;
    for (int32_t i = 0; i < text.length(); ++i)
        out.push_back(static_cast<char>(text.charAt(i) < 128 ? text.charAt(i) : '?'));
    return out;
}

TEST(PlatformProof, EveryZoneAgreesWithThePlatformsConversion) {
    const col::ArrayP& zones = allZones();
    ASSERT_GT(zones.count(), 0);
    int64_t agreeing = 0;
    int64_t total = 0;
    int reported = 0;
    for (int32_t i = 0; i < zones.count(); ++i) {
        const TimeZone* zone = zones.getAs<TimeZone>(i);
        const TIME_ZONE_INFORMATION info = testing::platformBlockOf(zone->rules);
        for (int64_t u : proofMoments(zone->rules)) {
            ++total;
            int64_t platform = 0;
            const bool converted = testing::platformLocalSeconds(info, u, platform);
            const int64_t ours = zoneLocalSeconds(zone, u, true);
            if (converted && platform == ours) {
                ++agreeing;
            } else if (reported++ < 10) {
                ADD_FAILURE() << narrow(zone->standardName) << " at " << u << ": ours " << ours
                              << ", platform "
                              << (converted ? std::to_string(platform) : std::string("refused"));
            }
        }
    }
    std::printf("zone conversions agreeing with the platform: %lld of %lld\n",
                static_cast<long long>(agreeing), static_cast<long long>(total));
    std::fflush(stdout);
    EXPECT_EQ(agreeing, total);
}

}  // namespace
}  // namespace s::time

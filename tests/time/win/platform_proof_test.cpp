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

constexpr int64_t kGridStep = 6 * 3600;

// The instants (UTC) at which a zone's daylight period starts and ends in `year`: the start
// is read on the standard clock, the end on the daylight clock.
void addTransitions(const RulesBlock& r, int64_t year, std::vector<int64_t>& edges) {
    edges.push_back(transitionSeconds(r.DaylightDate, year) +
                    (int64_t{r.Bias} + r.StandardBias) * 60);
    edges.push_back(transitionSeconds(r.StandardDate, year) +
                    (int64_t{r.Bias} + r.DaylightBias) * 60);
}

// The moments of the proof, the same for every zone: every 6 hours across 2025-2027, and the
// second before, at and after each transition of every zone in those years.
struct ProofGrid {
    std::vector<int64_t> moments;
    int64_t steps = 0;
    int64_t transitions = 0;
    int64_t unseen = 0;  // transitions at which our own rule does not change clocks
};

ProofGrid proofGrid(const std::vector<const RulesBlock*>& allRules) {
    ProofGrid grid;
    for (int64_t u = at(2025, 1, 1); u < at(2028, 1, 1); u += kGridStep) {
        grid.moments.push_back(u);
        ++grid.steps;
    }
    for (const RulesBlock* rules : allRules) {
        const RulesBlock& r = *rules;
        if (!hasDaylightRules(r))
            continue;
        std::vector<int64_t> edges;
        for (int64_t year = 2025; year <= 2027; ++year)
            addTransitions(r, year, edges);
        for (int64_t edge : edges) {
            ++grid.transitions;
            if (zoneClockAt(r, edge - 1) == zoneClockAt(r, edge))
                ++grid.unseen;
            for (int64_t delta : {-1, 0, 1})
                grid.moments.push_back(edge + delta);
        }
    }
    return grid;
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
    std::vector<const RulesBlock*> allRules;
    for (int32_t i = 0; i < zones.count(); ++i)
        allRules.push_back(&zones.getAs<TimeZone>(i)->rules);
    const ProofGrid grid = proofGrid(allRules);
    // Three years of 6-hour steps, and every resolved transition a real change of clocks.
    EXPECT_EQ(grid.steps, (365 + 365 + 365) * 4);
    EXPECT_GT(grid.transitions, 0);
    EXPECT_EQ(grid.unseen, 0);
    int64_t agreeing = 0;
    int64_t total = 0;
    int reported = 0;
    for (int32_t i = 0; i < zones.count(); ++i) {
        const TimeZone* zone = zones.getAs<TimeZone>(i);
        const TIME_ZONE_INFORMATION info = testing::platformBlockOf(zone->rules);
        for (int64_t u : grid.moments) {
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

// The hour in which a zone west of Greenwich has already reached the new year on its daylight
// clock but not on its standard clock: still standard time, on the database's own rules.
TEST(PlatformProof, NewYearHourIsStandardTime) {
    struct NewYear {
        const char16_t* zone;
        int64_t utc;
        int64_t local;
    };
    const NewYear cases[] = {
        {u"Azores Standard Time", at(2025, 1, 1), at(2024, 12, 31, 23)},
        {u"Azores Standard Time", at(2025, 1, 1, 0, 59, 59), at(2024, 12, 31, 23, 59, 59)},
        {u"Azores Standard Time", at(2026, 1, 1, 0, 30), at(2025, 12, 31, 23, 30)},
        {u"Mountain Standard Time", at(2025, 1, 1, 6), at(2024, 12, 31, 23)},
        {u"Mountain Standard Time", at(2027, 1, 1, 6, 30), at(2026, 12, 31, 23, 30)},
    };
    for (const NewYear& c : cases) {
        const TimeZone* zone = findByStandardName(c.zone);
        ASSERT_NE(zone, nullptr);
        ASSERT_TRUE(zone->hasDaylight);
        int64_t platform = 0;
        ASSERT_TRUE(
            testing::platformLocalSeconds(testing::platformBlockOf(zone->rules), c.utc, platform));
        EXPECT_EQ(platform, c.local) << narrow(zone->standardName) << " at " << c.utc;
        EXPECT_EQ(zoneLocalSeconds(zone, c.utc, true), c.local)
            << narrow(zone->standardName) << " at " << c.utc;
    }
}

// Rules the database does not hold but a rules block can: a standard bias, a half-hour
// southern period, transitions late on the last Saturday. The platform's conversion is the
// reference here too, every 6 hours and around each resolved transition. (Absolute dates
// are left out: they fall in their own year only here, while Wine repeats them yearly.
// Invalid rules too: the platform refuses them.)
TEST(PlatformProof, SyntheticRulesAgreeWithThePlatform) {
    using testing::makeRules;
    using testing::relativeDate;
    struct Synthetic {
        const char* what;
        RulesBlock rules;
    };
    const Synthetic cases[] = {
        {"standard bias",
         makeRules(300, -30, -90, relativeDate(11, 0, 1, 2), relativeDate(3, 0, 2, 2))},
        {"half-hour southern",
         makeRules(-630, 0, -30, relativeDate(4, 0, 1, 2), relativeDate(10, 0, 1, 2))},
        {"last Saturday at 23:59", makeRules(120, 0, -60, DateRecord{0, 9, 6, 5, 23, 59, 0, 0},
                                             DateRecord{0, 3, 6, 5, 23, 59, 0, 0})},
    };
    for (const Synthetic& c : cases) {
        const ProofGrid grid = proofGrid({&c.rules});
        EXPECT_EQ(grid.unseen, 0) << c.what;
        const TIME_ZONE_INFORMATION info = testing::platformBlockOf(c.rules);
        int disagreeing = 0;
        for (int64_t u : grid.moments) {
            int64_t platform = 0;
            const bool converted = testing::platformLocalSeconds(info, u, platform);
            const int64_t ours = rulesLocalSeconds(c.rules, u);
            if (!converted || platform != ours) {
                if (disagreeing++ < 3)
                    ADD_FAILURE() << c.what << " at " << u << ": ours " << ours << ", platform "
                                  << (converted ? std::to_string(platform) : "refused");
            }
        }
        EXPECT_EQ(disagreeing, 0) << c.what;
    }
}

}  // namespace
}  // namespace s::time

#include <gtest/gtest.h>

#include <string>

#include "app/tellavo/clock_rows.h"
#include "app/tellavo/dst_mode.h"
#include "app/tellavo/time_record.h"
#include "gui/listbox2/record.h"
#include "persist/xml/mapped_data.h"
#include "tests/app/support/clock_rig.h"
#include "tests/app/support/test_zones.h"
#include "time/time_zone.h"
#include "time/zone_database.h"

namespace s::tests::app {
namespace {

namespace tellavo = time::gui::dialogs::tellavo;
using tellavo::TimeRecord;

class AllZonesTest : public testing::Test {
protected:
    AllZonesTest() : store(xml::MappedData::take()), rig(store) { rig.dialog.buildAllZonesList(); }
    ~AllZonesTest() override { store->release(); }

    // Display position of the row of a zone in a mode; -1 when there is none.
    int32_t rowOf(const char16_t* standardName, int32_t mode) {
        for (int32_t i = 0; i < rig.allZones.recordCount(); ++i) {
            auto* record = static_cast<TimeRecord*>(rig.allZones.recordAt(i)->userData());
            if (record->zone->standardName.equals(standardName) && record->dstMode == mode)
                return i;
        }
        return -1;
    }

    xml::MappedData* store;
    ClockRig rig;
};

TEST_F(AllZonesTest, ADaylightZoneGivesAnOffRowThenAnOnRow) {
    const col::ArrayP& zones = time::allZones();
    int32_t row = 0;
    for (int32_t i = 0; i < zones.count(); ++i) {
        const time::TimeZone& zone = *zones.getAs<time::TimeZone>(i);
        std::u16string display = zone.displayName.text();
        std::u16string name = zone.standardName.text();
        if (!zone.hasDaylight) {
            EXPECT_EQ(rig.allZonesText(row, 0), display);
            EXPECT_EQ(rig.allZonesText(row, 3), std::u16string());
            EXPECT_EQ(rig.allZonesText(row, 4), name);
            ++row;
            continue;
        }
        EXPECT_EQ(rig.allZonesText(row, 0), display);
        EXPECT_EQ(rig.allZonesText(row, 3), std::u16string(u"OFF"));
        EXPECT_EQ(rig.allZonesText(row, 4), name);
        EXPECT_EQ(rig.allZonesText(row + 1, 0), display + u" (DST Auto-Adjust)");
        EXPECT_EQ(rig.allZonesText(row + 1, 3), std::u16string(u"ON"));
        EXPECT_EQ(rig.allZonesText(row + 1, 4), name + u" (DST Auto-Adjust)");
        row += 2;
    }
    EXPECT_EQ(rig.allZones.recordCount(), row);
    EXPECT_EQ(rig.dialog.allZoneRecords().count(), row);
}

TEST_F(AllZonesTest, TimesAndGapsAreThoseOfTheMomentInEachZone) {
    // 2026-07-01 12:00 UTC; the computer's clock reads 08:00 in New York, 21:00 in Tokyo.
    struct Case {
        const char16_t* zone;
        int32_t mode;
        const char16_t* localTime;
        const char16_t* gapFromNewYork;
        const char16_t* gapFromTokyo;
    };
    const Case cases[] = {
        {u"Tokyo Standard Time", tellavo::kDstNotAvailable, u"  1   21:00   00s", u"(+13:00)",
         u"(+00:00)"},
        {u"Eastern Standard Time", tellavo::kDstOn, u"  1   08:00   00s", u"(+00:00)", u"(-13:00)"},
        // Daylight saving not applied: the row keeps to standard time.
        {u"Eastern Standard Time", tellavo::kDstOff, u"  1   07:00   00s", u"(-01:00)",
         u"(-14:00)"},
        {u"Hawaiian Standard Time", tellavo::kDstNotAvailable, u"  1   02:00   00s", u"(-06:00)",
         u"(-19:00)"},
        {u"India Standard Time", tellavo::kDstNotAvailable, u"  1   17:30   00s", u"(+09:30)",
         u"(-03:30)"},
        // Southern winter: standard time.
        {u"AUS Eastern Standard Time", tellavo::kDstOn, u"  1   22:00   00s", u"(+14:00)",
         u"(+01:00)"},
        {u"New Zealand Standard Time", tellavo::kDstOn, u"  2   00:00   00s", u"(+16:00)",
         u"(+03:00)"},
    };
    bool tokyo = testComputer() == TestComputer::kTokyo;
    for (const Case& c : cases) {
        int32_t row = rowOf(c.zone, c.mode);
        ASSERT_GE(row, 0) << utf8(c.zone);
        EXPECT_EQ(std::u16string(rig.allZonesText(row, 1)), c.localTime) << utf8(c.zone);
        EXPECT_EQ(std::u16string(rig.allZonesText(row, 2)),
                  tokyo ? c.gapFromTokyo : c.gapFromNewYork)
            << utf8(c.zone);
    }
}

}  // namespace
}  // namespace s::tests::app

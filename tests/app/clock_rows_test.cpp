#include <gtest/gtest.h>

#include <string>

#include "app/tellavo/clock_rows.h"
#include "app/tellavo/dst_mode.h"
#include "app/tellavo/time_record.h"
#include "gui/listbox2/record.h"
#include "gui/listbox2/sub_record.h"
#include "persist/xml/mapped_data.h"
#include "tests/app/support/clock_rig.h"
#include "tests/app/support/test_zones.h"
#include "time/time_zone.h"
#include "time/zone_database.h"

namespace s::tests::app {
namespace {

namespace tellavo = time::gui::dialogs::tellavo;
using tellavo::TimeRecord;

// All five cells carry the same mark; -1 when they disagree.
int32_t emphasisOf(const TimeRecord& record) {
    gui::listbox2::Record* row = record.row();
    bool first = row->cell(0)->emphasis();
    for (int32_t i = 1; i < tellavo::kCellCount; ++i) {
        if (row->cell(i)->emphasis() != first)
            return -1;
    }
    return first ? 1 : 0;
}

// The row a computer in New York (summer) or Tokyo would show with the emphasis font.
bool expectedEmphasis(const TimeRecord& record) {
    if (testComputer() == TestComputer::kTokyo) {
        return record.zone->standardName.equals(u"Tokyo Standard Time");
    }
    return record.zone->standardName.equals(u"Eastern Standard Time") &&
           record.dstMode == tellavo::kDstOn;
}

class ClockRowsTest : public testing::Test {
protected:
    ClockRowsTest() : store(xml::MappedData::take()), rig(store) {}
    ~ClockRowsTest() override { store->release(); }

    xml::MappedData* store;
    ClockRig rig;
};

TEST_F(ClockRowsTest, OnlyRowsMatchingTheComputersClockAreEmphasised) {
    rig.dialog.loadPickUpList();
    rig.dialog.buildAllZonesList();
    int32_t marked = 0;
    for (const col::ArrayP* records : {&rig.dialog.pickUpRecords(), &rig.dialog.allZoneRecords()}) {
        for (int32_t i = 0; i < records->count(); ++i) {
            const TimeRecord& record = *records->getAs<TimeRecord>(i);
            bool expected = expectedEmphasis(record);
            EXPECT_EQ(emphasisOf(record), expected ? 1 : 0)
                << utf8(record.name.text()) << " mode " << record.dstMode;
            marked += expected ? 1 : 0;
        }
    }
    // The preset's row and the all-zones row of the computer's zone.
    EXPECT_EQ(marked, 2);
}

TEST_F(ClockRowsTest, RefreshRewritesTheCellsKeepsTheCheckAndRetestsTheEmphasis) {
    store->setBool(u"MainWindow\\View\\PickUp", u"PresetCreated", true);
    store->setInt32(u"MainWindow\\View\\PickUp", u"NumOfEntries", 1);
    store->setString(u"MainWindow\\View\\PickUp\\0", u"Name", u"Somewhere");
    store->setString(u"MainWindow\\View\\PickUp\\0", u"StandardTimeName",
                     u"Hawaiian Standard Time");
    store->setBool(u"MainWindow\\View\\PickUp\\0", u"Checked", true);
    rig.dialog.loadPickUpList();
    TimeRecord& record = *rig.dialog.pickUpRecords().getAs<TimeRecord>(0);
    EXPECT_EQ(emphasisOf(record), 0);

    // The system zone record (the edit panel's "Current System Time Zone") also counts as
    // the computer's zone.
    const time::TimeZone* system = time::systemZone();
    int32_t mode = system->hasDaylight ? tellavo::kDstOn : tellavo::kDstNotAvailable;
    ASSERT_TRUE(
        tellavo::refreshPickUpRow(rig.pickUp, record, system, u"Home", mode, testLocalizer()));
    EXPECT_EQ(record.zone, system);
    EXPECT_EQ(record.dstMode, mode);
    EXPECT_EQ(emphasisOf(record), 1);
    std::u16string zoneText = system->displayName.text();
    if (mode == tellavo::kDstOn)
        zoneText += u" (DST Auto-Adjust)";
    EXPECT_EQ(std::u16string(rig.pickUpText(0, tellavo::kCellLocation)), u"Home");
    EXPECT_EQ(std::u16string(rig.pickUpText(0, tellavo::kCellZoneDetail)), zoneText);
    EXPECT_EQ(std::u16string(rig.pickUpText(0, tellavo::kCellDst)),
              mode == tellavo::kDstOn ? u"ON" : u"");
    EXPECT_EQ(std::u16string(rig.pickUpText(0, tellavo::kCellTimeGap)), u"(+00:00)");
    gui::listbox2::Record* row = rig.pickUp.recordAt(0);
    EXPECT_EQ(rig.pickUp.checkState(row, row->serial(), 0), gui::listbox2::SubRecord::kChecked);

    if (system->hasDaylight) {
        // Daylight time in force on the computer: the row without it no longer matches.
        tellavo::refreshPickUpRow(rig.pickUp, record, system, u"Home", tellavo::kDstOff,
                                  testLocalizer());
        EXPECT_EQ(emphasisOf(record), 0);
        EXPECT_EQ(std::u16string(rig.pickUpText(0, tellavo::kCellDst)), u"OFF");
    }
    tellavo::refreshPickUpRow(rig.pickUp, record, time::findByStandardName(u"India Standard Time"),
                              u"Delhi", tellavo::kDstNotAvailable, testLocalizer());
    EXPECT_EQ(emphasisOf(record), 0);
    EXPECT_EQ(std::u16string(rig.pickUpText(0, tellavo::kCellLocalTime)), u"  1   17:30   00s");
}

TEST(TimeRecordTest, ReleasingARecordTakesItsRowOutOfTheList) {
    gui::win::ListBox2 list;
    const time::TimeZone* zone = time::findByStandardName(u"Tokyo Standard Time");
    TimeRecord* record = tellavo::newTimeRecord(u"Tokyo", zone, tellavo::kDstNotAvailable);
    ASSERT_NE(record, nullptr);
    gui::listbox2::Record* row = tellavo::buildPickUpRow(*record, nullptr);
    ASSERT_NE(row, nullptr);
    ASSERT_TRUE(list.appendRecord(row));
    EXPECT_EQ(row->userData(), record);
    record->release();
    EXPECT_EQ(list.recordCount(), 0);

    TimeRecord* next = TimeRecord::take();
    EXPECT_TRUE(next->name.isEmpty());
    EXPECT_EQ(next->zone, nullptr);
    EXPECT_EQ(next->dstMode, tellavo::kDstNotAvailable);
    EXPECT_FALSE(next->checked);
    EXPECT_EQ(next->row(), nullptr);
    next->release();
}

}  // namespace
}  // namespace s::tests::app

#include <gtest/gtest.h>

#include <string>

#include "persist/xml/mapped_data.h"
#include "tests/app/support/clock_rig.h"
#include "tests/app/support/test_zones.h"
#include "tools/clocks/clock_table.h"

namespace s::tests::app {
namespace {

TEST(ClockTableTest, OneLinePerRowWithTheCheckMarkAndTheFiveCells) {
    xml::MappedData* store = xml::MappedData::take();
    store->setBool(u"MainWindow\\View\\PickUp", u"PresetCreated", true);
    store->setInt32(u"MainWindow\\View\\PickUp", u"NumOfEntries", 2);
    store->setString(u"MainWindow\\View\\PickUp\\0", u"Name", u"Home");
    store->setString(u"MainWindow\\View\\PickUp\\0", u"StandardTimeName", u"Tokyo Standard Time");
    store->setBool(u"MainWindow\\View\\PickUp\\0", u"Checked", true);
    store->setString(u"MainWindow\\View\\PickUp\\1", u"Name", u"Office");
    store->setString(u"MainWindow\\View\\PickUp\\1", u"StandardTimeName", u"Eastern Standard Time");
    store->setString(u"MainWindow\\View\\PickUp\\1", u"DST", u"On");
    {
        ClockRig rig(store);
        rig.dialog.loadPickUpList();
        str::StrBuffer out;
        tools::clocks::appendClockTable(rig.pickUp, true, out);
        bool tokyo = testComputer() == TestComputer::kTokyo;
        std::u16string expected =
            std::u16string(u"[x] Home\t  1   21:00   00s\t") + (tokyo ? u"(+00:00)" : u"(+13:00)") +
            u"\t\t(UTC+09:00) Osaka, Sapporo, Tokyo\n" + u"[ ] Office\t  1   08:00   00s\t" +
            (tokyo ? u"(-13:00)" : u"(+00:00)") +
            u"\tON\t(UTC-05:00) Eastern Time (US & Canada) (DST Auto-Adjust)\n";
        EXPECT_EQ(std::u16string(out.text()), expected);

        rig.dialog.buildAllZonesList();
        out.clear();
        tools::clocks::appendClockTable(rig.allZones, false, out);
        std::u16string all = out.text();
        size_t lines = 0;
        for (char16_t unit : all)
            lines += unit == u'\n' ? 1 : 0;
        EXPECT_EQ(static_cast<int32_t>(lines), rig.allZones.recordCount());
        EXPECT_NE(all.find(u"(UTC+09:00) Osaka, Sapporo, Tokyo\t  1   21:00   00s\t"),
                  std::u16string::npos);
        EXPECT_EQ(all.find(u"[ ]"), std::u16string::npos);
    }
    store->release();
}

}  // namespace
}  // namespace s::tests::app

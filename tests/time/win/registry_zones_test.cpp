#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "../rules_fixtures.h"
#include "base/array.h"
#include "base/str_buffer.h"
#include "persist/reg/reg_types.h"
#include "persist/win/reg_dir.h"
#include "time/clock.h"
#include "time/rules_block.h"
#include "time/time_zone.h"
#include "time/win/registry_zone_source.h"
#include "time/zone_database.h"

namespace s::time {
namespace {

// The process's database against a direct reading of the registry.
TEST(RegistryZones, EveryDirectSubkeyBecomesOneSortedZone) {
    reg::win::RegDir* key = reg::win::RegDir::takeOpen(
        reg::kLocalMachine, u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones");
    ASSERT_TRUE(key->isOpen());
    col::ArrayP* subkeys = key->subkeys();
    const col::ArrayP& zones = allZones();
    ASSERT_EQ(zones.count(), subkeys->count());

    for (int32_t i = 1; i < zones.count(); ++i) {
        EXPECT_LE(zones.getAs<TimeZone>(i - 1)->bias, zones.getAs<TimeZone>(i)->bias) << i;
    }
    for (int32_t i = 0; i < subkeys->count(); ++i) {
        reg::win::RegDir& entry = *subkeys->getAs<reg::win::RegDir>(i);
        str::StrBuffer standard(entry.getText(u"Std", u"UnKnown"));
        str::StrBuffer display(entry.getText(u"Display", u"UnKnown"));
        col::ArrayU08 tzi;
        ASSERT_NE(entry.getBinary(u"TZI", &tzi), nullptr);
        RulesBlock expected{};
        ASSERT_TRUE(readTzi(tzi.data(), tzi.count(), expected));

        const TimeZone* zone = findByStandardName(standard.text());
        ASSERT_NE(zone, nullptr) << i;
        EXPECT_TRUE(zone->displayName.equals(display));
        EXPECT_EQ(zone->bias, -expected.Bias);
        EXPECT_EQ(zone->hasDaylight, hasDaylightRules(expected));
        EXPECT_EQ(zone->daylightInUse, zone->hasDaylight);
        EXPECT_EQ(std::memcmp(&zone->rules.StandardDate, &expected.StandardDate,
                              sizeof expected.StandardDate),
                  0);
        EXPECT_EQ(std::memcmp(&zone->rules.DaylightDate, &expected.DaylightDate,
                              sizeof expected.DaylightDate),
                  0);
        EXPECT_EQ(zone->rules.DaylightBias, expected.DaylightBias);
        const int32_t cut = standard.length() < 31 ? standard.length() : 31;
        EXPECT_TRUE(standard.startsWith(zone->rules.StandardName) &&
                    rulesNameLength(zone->rules.StandardName) == cut);
    }
    subkeys->release();
    key->release();

    const TimeZone* tokyo = findByStandardName(u"Tokyo Standard Time");
    ASSERT_NE(tokyo, nullptr);
    EXPECT_EQ(tokyo->bias, 540);
    EXPECT_FALSE(tokyo->hasDaylight);
    const TimeZone* eastern = findByStandardName(u"eastern standard time");
    ASSERT_NE(eastern, nullptr);
    EXPECT_EQ(eastern->bias, -300);
    EXPECT_TRUE(eastern->hasDaylight);
    EXPECT_TRUE(eastern->daylightName.equals(u"Eastern Daylight Time"));
}

constexpr const char16_t* kPrivateZones = u"Software\\TellavoTests\\TimeZones";

// A private key laid out like the time-zone key, removed again when the test ends.
class PrivateZoneKey {
public:
    PrivateZoneKey() { remove(); }
    ~PrivateZoneKey() { remove(); }
    reg::win::RegDir* entry(const char16_t* name) {
        str::StrBuffer path(kPrivateZones);
        path.appendText(u"\\").appendText(name);
        reg::win::RegDir* key = reg::win::RegDir::takeOpen(reg::kCurrentUser, path.text());
        EXPECT_TRUE(key->create());
        return key;
    }

private:
    static void remove() {
        reg::win::RegDir* key = reg::win::RegDir::takeOpen(reg::kCurrentUser, kPrivateZones);
        if (key->exists())
            key->deleteTree(true);
        key->release();
    }
};

void setTzi(reg::win::RegDir& key, const std::vector<uint8_t>& bytes) {
    key.setBinary(u"TZI", bytes.data(), static_cast<int32_t>(bytes.size()));
}

TEST(RegistryZones, ValuesReadLikeTheDatabaseReadsThem) {
    PrivateZoneKey zones;
    SetEnvironmentVariableW(L"TELLAVO_TEST_PLACE", L"Expanded");
    reg::win::RegDir* alpha = zones.entry(u"Alpha");
    alpha->setExpandableText(u"Display", u"%TELLAVO_TEST_PLACE% Place");
    alpha->setText(u"Std", u"Alpha Standard Time");
    alpha->setText(u"Dlt", u"");
    setTzi(*alpha, testing::tziOf(testing::newYorkRules(), 48));
    alpha->release();
    reg::win::RegDir* beta = zones.entry(u"Beta");
    beta->setDword(u"Display", 7);
    beta->setText(u"Dlt", u"Beta Daylight Time");
    setTzi(*beta, testing::tziOf(testing::newYorkRules(), 43));
    beta->release();
    reg::win::RegDir* gamma = zones.entry(u"Gamma");
    gamma->setText(u"Display", u"Gamma Place");
    gamma->setText(u"Std", u"Gamma Standard Time");
    gamma->setText(u"Dlt", u"Gamma Daylight Time");
    setTzi(*gamma, testing::tziOf(testing::tokyoRules()));
    gamma->release();

    win::RegistryZoneSource source(reg::kCurrentUser, kPrivateZones);
    FixedClock clock(testing::at(2025, 7, 15), testing::newYorkRules());
    ZoneDatabase db;
    db.load(source, clock);
    ASSERT_EQ(db.count(), 3);

    const TimeZone* first = db.zoneAt(0);
    EXPECT_TRUE(first->displayName.equals(u"Expanded Place"));
    EXPECT_TRUE(first->standardName.equals(u"Alpha Standard Time"));
    EXPECT_TRUE(first->daylightName.isEmpty());
    EXPECT_EQ(first->bias, -300);
    EXPECT_TRUE(first->hasDaylight);

    const TimeZone* second = db.zoneAt(1);
    EXPECT_TRUE(second->displayName.equals(u"UnKnown"));
    EXPECT_TRUE(second->standardName.equals(u"UnKnown"));
    EXPECT_TRUE(second->daylightName.equals(u"Beta Daylight Time"));
    EXPECT_EQ(second->bias, 0);
    EXPECT_FALSE(second->hasDaylight);

    EXPECT_TRUE(db.zoneAt(2)->displayName.equals(u"Gamma Place"));
    EXPECT_EQ(db.zoneAt(2)->bias, 540);

    ZoneDatabase none;
    win::RegistryZoneSource missing(reg::kCurrentUser, u"Software\\TellavoTests\\NoSuchKey");
    none.load(missing, clock);
    EXPECT_EQ(none.count(), 0);
}

}  // namespace
}  // namespace s::time

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "rules_fixtures.h"
#include "time/clock.h"
#include "time/zone_database.h"
#include "time/zone_source.h"

namespace s::time {
namespace {

using testing::at;
using testing::tziOf;

std::u16string textOf(const str::StrBuffer& b) {
    return std::u16string(b.text(), b.length());
}

// A database entry that owns its texts and "TZI" bytes; nullopt is a missing value.
struct Entry {
    std::optional<std::u16string> display;
    std::optional<std::u16string> standard;
    std::optional<std::u16string> daylight;
    std::optional<std::vector<uint8_t>> tzi;
};

const char16_t* textOrNull(const std::optional<std::u16string>& t) {
    return t ? t->c_str() : nullptr;
}

class TestDatabase {
public:
    TestDatabase(std::vector<Entry> entries, IClock& clock) : entries_(std::move(entries)) {
        for (const Entry& e : entries_) {
            records_.push_back(ZoneRecord{textOrNull(e.display), textOrNull(e.standard),
                                          textOrNull(e.daylight), e.tzi ? e.tzi->data() : nullptr,
                                          e.tzi ? static_cast<int32_t>(e.tzi->size()) : 0});
        }
        TableZoneSource source(records_.data(), static_cast<int32_t>(records_.size()));
        db.load(source, clock);
    }
    ZoneDatabase db;

private:
    std::vector<Entry> entries_;
    std::vector<ZoneRecord> records_;
};

Entry entryOf(const char16_t* display, const RulesBlock& r) {
    return Entry{display, r.StandardName, r.DaylightName, tziOf(r)};
}

std::vector<Entry> worldEntries() {
    return {
        entryOf(u"(UTC+09:00) Osaka, Sapporo, Tokyo", testing::tokyoRules()),
        entryOf(u"(UTC-05:00) Eastern Time (US & Canada)", testing::newYorkRules()),
        entryOf(u"(UTC+10:00) Canberra, Melbourne, Sydney", testing::sydneyRules()),
        entryOf(u"(UTC-01:00) Azores", testing::azoresRules()),
    };
}

TEST(ZoneDatabase, SortsByOffsetKeepingTheOrderOfEqualOffsets) {
    RulesBlock plus1 = testing::makeRules(-60);
    std::vector<Entry> entries = {
        Entry{u"B1", u"B1 Standard Time", u"", tziOf(plus1)},
        entryOf(u"east", testing::tokyoRules()),
        Entry{u"B2", u"B2 Standard Time", u"", tziOf(plus1)},
        entryOf(u"west", testing::newYorkRules()),
        Entry{u"B3", u"B3 Standard Time", u"", tziOf(plus1)},
        Entry{u"B4", u"B4 Standard Time", u"", tziOf(plus1)},
        Entry{u"B5", u"B5 Standard Time", u"", tziOf(plus1)},
        Entry{u"B6", u"B6 Standard Time", u"", tziOf(plus1)},
        Entry{u"B7", u"B7 Standard Time", u"", tziOf(plus1)},
    };
    FixedClock clock(at(2025, 1, 1), testing::tokyoRules());
    TestDatabase t(entries, clock);
    std::vector<std::u16string> order;
    for (int32_t i = 0; i < t.db.count(); ++i)
        order.push_back(textOf(t.db.zoneAt(i)->displayName));
    EXPECT_EQ(order, (std::vector<std::u16string>{u"west", u"B1", u"B2", u"B3", u"B4", u"B5", u"B6",
                                                  u"B7", u"east"}));
    EXPECT_EQ(t.db.zoneAt(0)->bias, -300);
    EXPECT_EQ(t.db.zoneAt(8)->bias, 540);
}

TEST(ZoneDatabase, ReadsEntriesLikeTheRegistryHoldsThem) {
    const RulesBlock ny = testing::newYorkRules();
    RulesBlock noStart = ny;
    noStart.StandardDate.wMonth = 0;
    const char16_t* longName = u"A Very Long Standard Time Name Of Forty!";  // 40 units
    std::vector<Entry> entries = {
        Entry{u"short", u"Short TZI", u"Short DT", tziOf(ny, 43)},
        Entry{u"long", u"Long TZI", u"Long DT", tziOf(ny, 48)},
        Entry{u"no start", u"No Start", u"No Start DT", tziOf(noStart)},
        Entry{u"named", longName, u"", tziOf(testing::tokyoRules())},
        Entry{},
    };
    FixedClock clock(at(2025, 1, 1), testing::tokyoRules());
    TestDatabase t(entries, clock);
    ASSERT_EQ(t.db.count(), 5);

    const TimeZone* shortTzi = t.db.findByStandardName(u"Short TZI");
    ASSERT_NE(shortTzi, nullptr);
    EXPECT_EQ(shortTzi->bias, 0);
    EXPECT_FALSE(shortTzi->hasDaylight);
    EXPECT_EQ(shortTzi->rules.Bias, 0);
    EXPECT_EQ(shortTzi->rules.DaylightDate.wMonth, 0);
    EXPECT_EQ(std::u16string(shortTzi->rules.StandardName), u"Short TZI");
    EXPECT_EQ(std::u16string(shortTzi->rules.DaylightName), u"Short DT");

    const TimeZone* longTzi = t.db.findByStandardName(u"Long TZI");
    ASSERT_NE(longTzi, nullptr);
    EXPECT_EQ(longTzi->bias, -300);
    EXPECT_TRUE(longTzi->hasDaylight);
    EXPECT_TRUE(longTzi->daylightInUse);
    EXPECT_EQ(longTzi->rules.Bias, 300);
    EXPECT_EQ(longTzi->rules.DaylightBias, -60);
    EXPECT_EQ(longTzi->rules.StandardDate.wMonth, 11);
    EXPECT_EQ(longTzi->rules.DaylightDate.wDay, 2);

    const TimeZone* noStartZone = t.db.findByStandardName(u"No Start");
    ASSERT_NE(noStartZone, nullptr);
    EXPECT_EQ(noStartZone->rules.DaylightBias, -60);
    EXPECT_FALSE(noStartZone->hasDaylight);
    EXPECT_FALSE(noStartZone->daylightInUse);

    const TimeZone* named = t.db.findByStandardName(longName);
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(named->standardName.length(), 40);
    EXPECT_EQ(std::u16string(named->rules.StandardName), std::u16string(longName, 31));
    EXPECT_EQ(named->rules.StandardName[31], 0);

    const TimeZone* unknown = t.db.findByStandardName(u"UnKnown");
    ASSERT_NE(unknown, nullptr);
    EXPECT_EQ(textOf(unknown->displayName), u"UnKnown");
    EXPECT_EQ(textOf(unknown->daylightName), u"UnKnown");
    EXPECT_EQ(std::u16string(unknown->rules.StandardName), u"UnKnown");
    EXPECT_EQ(unknown->bias, 0);
}

TEST(ZoneDatabase, FindsStandardNamesIgnoringAsciiCaseOnly) {
    FixedClock clock(at(2025, 1, 1), testing::tokyoRules());
    TestDatabase t(worldEntries(), clock);
    const TimeZone* zone = t.db.findByStandardName(u"eastern STANDARD time");
    ASSERT_NE(zone, nullptr);
    EXPECT_EQ(zone->bias, -300);
    EXPECT_EQ(t.db.findByStandardName(u"Eastern Standard"), nullptr);
    EXPECT_EQ(t.db.findByStandardName(u"Eastern Standard Time "), nullptr);
    EXPECT_EQ(t.db.findByStandardName(u""), nullptr);
    EXPECT_EQ(t.db.findByStandardName(nullptr), nullptr);
    EXPECT_EQ(t.db.findByStandardName(u"Tokyo Standard Time!", 19),
              t.db.findByStandardName(u"Tokyo Standard Time"));
}

// The computer's zone: which entry matches, whether its clock runs on daylight time now, and
// its own record.
struct ComputerCase {
    const char* what;
    RulesBlock computer;
    int64_t moment;
    const char16_t* matchedDisplay;  // nullptr: no entry matches
    bool adjusts;
};

TEST(ZoneDatabase, ComputerZone) {
    // UTC+1 with New York's dates: unlike the westernmost entry (UTC-5).
    const RulesBlock custom = testing::makeRules(-60, 0, -60, testing::newYorkRules().StandardDate,
                                                 testing::newYorkRules().DaylightDate,
                                                 u"Custom Standard Time", u"Custom Daylight Time");
    RulesBlock shouting = testing::newYorkRules();
    setRulesName(shouting.StandardName, u"EASTERN STANDARD TIME");
    const ComputerCase cases[] = {
        {"Tokyo has no daylight rules", testing::tokyoRules(), at(2025, 7, 1),
         u"(UTC+09:00) Osaka, Sapporo, Tokyo", false},
        {"New York in winter", testing::newYorkRules(), at(2025, 1, 15),
         u"(UTC-05:00) Eastern Time (US & Canada)", false},
        {"New York in summer", testing::newYorkRules(), at(2025, 7, 15),
         u"(UTC-05:00) Eastern Time (US & Canada)", true},
        {"the name ignores case", shouting, at(2025, 7, 15),
         u"(UTC-05:00) Eastern Time (US & Canada)", true},
        {"Sydney in January", testing::sydneyRules(), at(2025, 1, 15),
         u"(UTC+10:00) Canberra, Melbourne, Sydney", true},
        {"Sydney in July", testing::sydneyRules(), at(2025, 7, 15),
         u"(UTC+10:00) Canberra, Melbourne, Sydney", false},
        // No entry matches: index 0, the westernmost entry lends its display text, and the
        // flag compares the present offset with the computer's own standard offset.
        {"unknown zone in winter", custom, at(2025, 1, 15), nullptr, false},
        {"unknown zone in summer", custom, at(2025, 7, 15), nullptr, true},
    };
    for (const ComputerCase& c : cases) {
        SCOPED_TRACE(c.what);
        FixedClock clock(c.moment, c.computer);
        TestDatabase t(worldEntries(), clock);
        const int32_t index = t.db.systemZoneIndex();
        ASSERT_LT(index, t.db.count());
        if (c.matchedDisplay != nullptr) {
            EXPECT_EQ(textOf(t.db.zoneAt(index)->displayName), c.matchedDisplay);
        } else {
            EXPECT_EQ(index, 0);
        }
        EXPECT_EQ(t.db.systemAdjustsDaylight(), c.adjusts);

        const TimeZone* system = t.db.systemZone();
        EXPECT_EQ(textOf(system->displayName), textOf(t.db.zoneAt(index)->displayName));
        EXPECT_EQ(textOf(system->standardName), std::u16string(c.computer.StandardName));
        EXPECT_EQ(textOf(system->daylightName), std::u16string(c.computer.DaylightName));
        EXPECT_EQ(system->bias, -c.computer.Bias);
        EXPECT_EQ(system->hasDaylight, hasDaylightRules(c.computer));
        EXPECT_EQ(system->daylightInUse, c.adjusts);
        const uint16_t expectedStart = c.adjusts ? c.computer.DaylightDate.wMonth : 0;
        const uint16_t expectedEnd = c.adjusts ? c.computer.StandardDate.wMonth : 0;
        EXPECT_EQ(system->rules.DaylightDate.wMonth, expectedStart);
        EXPECT_EQ(system->rules.StandardDate.wMonth, expectedEnd);
        EXPECT_EQ(system->rules.DaylightBias, c.computer.DaylightBias);
    }
}

TEST(ZoneDatabase, EmptySourceKeepsThePlatformsZone) {
    FixedClock clock(at(2025, 7, 15), testing::newYorkRules());
    TestDatabase t({}, clock);
    EXPECT_EQ(t.db.count(), 0);
    EXPECT_EQ(t.db.systemZoneIndex(), 0);
    EXPECT_FALSE(t.db.systemAdjustsDaylight());
    const TimeZone* system = t.db.systemZone();
    EXPECT_TRUE(system->displayName.isEmpty());
    EXPECT_EQ(textOf(system->standardName), u"Eastern Standard Time");
    EXPECT_EQ(system->bias, -300);
    EXPECT_TRUE(system->hasDaylight);
    EXPECT_FALSE(system->daylightInUse);
    EXPECT_EQ(system->rules.DaylightDate.wMonth, 0);
}

TEST(ZoneDatabase, LoadsOnlyOnce) {
    FixedClock clock(at(2025, 1, 1), testing::tokyoRules());
    TestDatabase t(worldEntries(), clock);
    EXPECT_TRUE(t.db.loaded());
    TableZoneSource other(nullptr, 0);
    t.db.load(other, clock);
    EXPECT_EQ(t.db.count(), 4);
}

}  // namespace
}  // namespace s::time

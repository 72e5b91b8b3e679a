#include "tests/app/support/test_zones.h"

#include <cstdlib>
#include <cstring>

#include "time/calendar.h"
#include "time/clock.h"
#include "time/zone_database.h"
#include "time/zone_source.h"

namespace s::tests::app {

namespace {

struct Transition {
    uint16_t month, dayOfWeek, week, hour;
};

struct ZoneFixture {
    const char16_t* display;
    const char16_t* standard;
    const char16_t* daylight;
    int32_t bias;  // the rules' Bias: minutes west of UTC
    Transition toStandard;
    Transition toDaylight;
};

constexpr Transition kNone{0, 0, 0, 0};
constexpr Transition kUsEnd{11, 0, 1, 2};
constexpr Transition kUsStart{3, 0, 2, 2};
constexpr Transition kEuEnd{10, 0, 5, 3};
constexpr Transition kEuStart{3, 0, 5, 2};

// Registry order is not offset order: the database sorts them.
constexpr ZoneFixture kZones[] = {
    {u"(UTC+09:00) Osaka, Sapporo, Tokyo", u"Tokyo Standard Time", u"Tokyo Daylight Time", -540,
     kNone, kNone},
    {u"(UTC-10:00) Hawaii", u"Hawaiian Standard Time", u"Hawaiian Daylight Time", 600, kNone,
     kNone},
    {u"(UTC-08:00) Pacific Time (US & Canada)", u"Pacific Standard Time", u"Pacific Daylight Time",
     480, kUsEnd, kUsStart},
    {u"(UTC-07:00) Mountain Time (US & Canada)", u"Mountain Standard Time",
     u"Mountain Daylight Time", 420, kUsEnd, kUsStart},
    {u"(UTC-06:00) Guadalajara, Mexico City, Monterrey",
     u"Central Standard Time (Mexico)",
     u"Central Daylight Time (Mexico)",
     360,
     {10, 0, 5, 2},
     {4, 0, 1, 2}},
    {u"(UTC-06:00) Central Time (US & Canada)", u"Central Standard Time", u"Central Daylight Time",
     360, kUsEnd, kUsStart},
    {u"(UTC-05:00) Eastern Time (US & Canada)", u"Eastern Standard Time", u"Eastern Daylight Time",
     300, kUsEnd, kUsStart},
    {u"(UTC-04:00) Cuiaba",
     u"Central Brazilian Standard Time",
     u"Central Brazilian Daylight Time",
     240,
     {2, 0, 3, 0},
     {11, 0, 1, 0}},
    {u"(UTC-03:00) City of Buenos Aires", u"Argentina Standard Time", u"Argentina Daylight Time",
     180, kNone, kNone},
    {u"(UTC-03:00) Brasilia",
     u"E. South America Standard Time",
     u"E. South America Daylight Time",
     180,
     {2, 0, 3, 0},
     {11, 0, 1, 0}},
    {u"(UTC+00:00) Dublin, Edinburgh, Lisbon, London",
     u"GMT Standard Time",
     u"GMT Daylight Time",
     0,
     {10, 0, 5, 2},
     {3, 0, 5, 1}},
    {u"(UTC) Coordinated Universal Time", u"Coordinated Universal Time",
     u"Coordinated Universal Time", 0, kNone, kNone},
    {u"(UTC+01:00) Brussels, Copenhagen, Madrid, Paris", u"Romance Standard Time",
     u"Romance Daylight Time", -60, kEuEnd, kEuStart},
    {u"(UTC+01:00) West Central Africa", u"W. Central Africa Standard Time",
     u"W. Central Africa Daylight Time", -60, kNone, kNone},
    {u"(UTC+01:00) Amsterdam, Berlin, Bern, Rome, Stockholm, Vienna", u"W. Europe Standard Time",
     u"W. Europe Daylight Time", -60, kEuEnd, kEuStart},
    {u"(UTC+02:00) Harare, Pretoria", u"South Africa Standard Time", u"South Africa Daylight Time",
     -120, kNone, kNone},
    {u"(UTC+02:00) Chisinau", u"E. Europe Standard Time", u"E. Europe Daylight Time", -120, kEuEnd,
     kEuStart},
    {u"(UTC+02:00) Jerusalem",
     u"Jerusalem Standard Time",
     u"Jerusalem Daylight Time",
     -120,
     {10, 0, 5, 2},
     {3, 5, 5, 2}},
    {u"(UTC+03:00) Nairobi", u"E. Africa Standard Time", u"E. Africa Daylight Time", -180, kNone,
     kNone},
    {u"(UTC+03:00) Baghdad", u"Arabic Standard Time", u"Arabic Daylight Time", -180, kNone, kNone},
    {u"(UTC+03:00) Moscow, St. Petersburg", u"Russian Standard Time", u"Russian Daylight Time",
     -180, kNone, kNone},
    {u"(UTC+03:30) Tehran", u"Iran Standard Time", u"Iran Daylight Time", -210, kNone, kNone},
    {u"(UTC+04:30) Kabul", u"Afghanistan Standard Time", u"Afghanistan Daylight Time", -270, kNone,
     kNone},
    {u"(UTC+05:30) Chennai, Kolkata, Mumbai, New Delhi", u"India Standard Time",
     u"India Daylight Time", -330, kNone, kNone},
    {u"(UTC+07:00) Bangkok, Hanoi, Jakarta", u"SE Asia Standard Time", u"SE Asia Daylight Time",
     -420, kNone, kNone},
    {u"(UTC+08:00) Kuala Lumpur, Singapore", u"Malay Peninsula Standard Time",
     u"Malay Peninsula Daylight Time", -480, kNone, kNone},
    {u"(UTC+08:00) Beijing, Chongqing, Hong Kong, Urumqi", u"China Standard Time",
     u"China Daylight Time", -480, kNone, kNone},
    {u"(UTC+08:00) Taipei", u"Taipei Standard Time", u"Taipei Daylight Time", -480, kNone, kNone},
    {u"(UTC+08:00) Perth", u"W. Australia Standard Time", u"W. Australia Daylight Time", -480,
     kNone, kNone},
    {u"(UTC+09:00) Seoul", u"Korea Standard Time", u"Korea Daylight Time", -540, kNone, kNone},
    {u"(UTC+10:00) Canberra, Melbourne, Sydney",
     u"AUS Eastern Standard Time",
     u"AUS Eastern Daylight Time",
     -600,
     {4, 0, 1, 3},
     {10, 0, 1, 2}},
    {u"(UTC+12:00) Auckland, Wellington",
     u"New Zealand Standard Time",
     u"New Zealand Daylight Time",
     -720,
     {4, 0, 1, 3},
     {9, 0, 5, 2}},
};
constexpr int32_t kZoneCount = sizeof(kZones) / sizeof(kZones[0]);

time::DateRecord dateOf(const Transition& t) {
    return time::DateRecord{0, t.month, t.dayOfWeek, t.week, t.hour, 0, 0, 0};
}

time::RulesBlock rulesOf(const ZoneFixture& zone) {
    time::RulesBlock rules{};
    rules.Bias = zone.bias;
    time::setRulesName(rules.StandardName, zone.standard);
    time::setRulesName(rules.DaylightName, zone.daylight);
    rules.StandardDate = dateOf(zone.toStandard);
    rules.DaylightDate = dateOf(zone.toDaylight);
    rules.DaylightBias = zone.toDaylight.month != 0 ? -60 : 0;
    return rules;
}

void putTzi(const time::RulesBlock& rules, uint8_t (&tzi)[time::kTziSize]) {
    std::memcpy(tzi, &rules.Bias, 4);
    std::memcpy(tzi + 4, &rules.StandardBias, 4);
    std::memcpy(tzi + 8, &rules.DaylightBias, 4);
    std::memcpy(tzi + 12, &rules.StandardDate, 16);
    std::memcpy(tzi + 28, &rules.DaylightDate, 16);
}

bool sameName(const char16_t* a, const char16_t* b) {
    while (*a != 0 && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

}  // namespace

int64_t summerMoment() {
    return time::calendar::daysFromCivil(2026, 7, 1) * time::calendar::kSecondsPerDay + 12 * 3600;
}

time::RulesBlock tableRules(const char16_t* standardName) {
    for (const ZoneFixture& zone : kZones) {
        if (sameName(zone.standard, standardName))
            return rulesOf(zone);
    }
    return time::RulesBlock{};
}

TestComputer testComputer() {
    const char* name = std::getenv("TELLAVO_TEST_COMPUTER");
    if (name != nullptr && std::strcmp(name, "tokyo") == 0)
        return TestComputer::kTokyo;
    return TestComputer::kNewYork;
}

void installTableZones() {
    static uint8_t tzi[kZoneCount][time::kTziSize];
    static time::ZoneRecord records[kZoneCount];
    for (int32_t i = 0; i < kZoneCount; ++i) {
        putTzi(rulesOf(kZones[i]), tzi[i]);
        records[i] = time::ZoneRecord{kZones[i].display, kZones[i].standard, kZones[i].daylight,
                                      tzi[i], time::kTziSize};
    }
    static time::TableZoneSource source(records, kZoneCount);
    time::setZoneRecordSource(&source);
    const char16_t* computer =
        testComputer() == TestComputer::kTokyo ? u"Tokyo Standard Time" : u"Eastern Standard Time";
    static time::FixedClock clock(summerMoment(), tableRules(computer));
    time::setClock(&clock);
}

}  // namespace s::tests::app

#pragma once

#include <cstdint>
#include <vector>

#include "time/calendar.h"
#include "time/rules_block.h"

// Small builders for rules blocks, "TZI" values and UTC moments used across the tests.
namespace s::time::testing {

// The `week`-th `weekday` (0 = Sunday) of `month` at hour:minute, yearly (wYear 0).
inline DateRecord relativeDate(uint16_t month, uint16_t weekday, uint16_t week, uint16_t hour,
                               uint16_t minute = 0) {
    return DateRecord{0, month, weekday, week, hour, minute, 0, 0};
}

inline DateRecord absoluteDate(uint16_t year, uint16_t month, uint16_t day, uint16_t hour) {
    return DateRecord{year, month, 0, day, hour, 0, 0, 0};
}

inline RulesBlock makeRules(int32_t bias, int32_t standardBias = 0, int32_t daylightBias = 0,
                            DateRecord standardDate = {}, DateRecord daylightDate = {},
                            const char16_t* standardName = u"",
                            const char16_t* daylightName = u"") {
    RulesBlock r{};
    r.Bias = bias;
    r.StandardBias = standardBias;
    r.DaylightBias = daylightBias;
    r.StandardDate = standardDate;
    r.DaylightDate = daylightDate;
    setRulesName(r.StandardName, standardName);
    setRulesName(r.DaylightName, daylightName);
    return r;
}

// Real zones, as the database holds them.
inline RulesBlock tokyoRules() {
    return makeRules(-540, 0, 0, {}, {}, u"Tokyo Standard Time", u"Tokyo Daylight Time");
}
inline RulesBlock newYorkRules() {
    return makeRules(300, 0, -60, relativeDate(11, 0, 1, 2), relativeDate(3, 0, 2, 2),
                     u"Eastern Standard Time", u"Eastern Daylight Time");
}
inline RulesBlock azoresRules() {
    return makeRules(60, 0, -60, relativeDate(10, 0, 5, 1), relativeDate(3, 0, 5, 0),
                     u"Azores Standard Time", u"Azores Daylight Time");
}
inline RulesBlock sydneyRules() {
    return makeRules(-600, 0, -60, relativeDate(4, 0, 1, 3), relativeDate(10, 0, 1, 2),
                     u"AUS Eastern Standard Time", u"AUS Eastern Daylight Time");
}
inline RulesBlock lordHoweRules() {
    return makeRules(-630, 0, -30, relativeDate(4, 0, 1, 2), relativeDate(10, 0, 1, 2),
                     u"Lord Howe Standard Time", u"Lord Howe Daylight Time");
}

// The 44 bytes of a "TZI" value for `r`, padded or cut to `size`.
inline std::vector<uint8_t> tziOf(const RulesBlock& r, int32_t size = kTziSize) {
    std::vector<uint8_t> bytes;
    auto put32 = [&](int32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
    };
    auto putDate = [&](const DateRecord& d) {
        const uint16_t f[8] = {d.wYear, d.wMonth,  d.wDayOfWeek, d.wDay,
                               d.wHour, d.wMinute, d.wSecond,    d.wMilliseconds};
        for (uint16_t v : f) {
            bytes.push_back(static_cast<uint8_t>(v));
            bytes.push_back(static_cast<uint8_t>(v >> 8));
        }
    };
    put32(r.Bias);
    put32(r.StandardBias);
    put32(r.DaylightBias);
    putDate(r.StandardDate);
    putDate(r.DaylightDate);
    bytes.resize(static_cast<size_t>(size), 0xEE);
    return bytes;
}

// Seconds value of a calendar reading (UTC for a moment, wall clock for a local time).
inline int64_t at(int64_t year, uint32_t month, uint32_t day, int64_t hour = 0, int64_t minute = 0,
                  int64_t second = 0) {
    return calendar::daysFromCivil(year, month, day) * calendar::kSecondsPerDay + hour * 3600 +
           minute * 60 + second;
}

}  // namespace s::time::testing

#pragma once

#include <cstdint>

// Proleptic-Gregorian calendar arithmetic on day numbers (days since 1970-01-01), valid for
// any day number whose year fits in 32 bits. Pure integer code: no tables of the platform.
namespace s::time::calendar {

constexpr int64_t kSecondsPerDay = 86400;

struct CivilDate {
    int64_t year;
    uint32_t month;  // 1-12
    uint32_t day;    // 1-31
};

constexpr bool isLeapYear(int64_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

constexpr uint32_t daysInMonth(int64_t year, uint32_t month) {
    constexpr uint8_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[(month - 1) % 12];
}

// Day number of year-month-day (month 1-12, day 1-31).
constexpr int64_t daysFromCivil(int64_t year, uint32_t month, uint32_t day) {
    const int64_t y = year - (month <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t mp = month > 2 ? month - 3 : month + 9;
    const int64_t doy = (153 * mp + 2) / 5 + day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

constexpr CivilDate civilFromDays(int64_t days) {
    const int64_t z = days + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const uint32_t day = static_cast<uint32_t>(doy - (153 * mp + 2) / 5 + 1);
    const uint32_t month = static_cast<uint32_t>(mp < 10 ? mp + 3 : mp - 9);
    return CivilDate{yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// The year that contains a day number, with the day number of its 1 January and whether it
// is a leap year: what resolving a yearly date needs, in one pass of the arithmetic of
// civilFromDays (which counts years from 1 March, putting the leap day last).
struct YearOfDay {
    int64_t year;
    int64_t jan1;
    bool leap;
};

constexpr YearOfDay yearOfDay(int64_t days) {
    const int64_t z = days + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t dayFromMarch = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t march1 = days - dayFromMarch;
    const int64_t marchYear = yoe + era * 400;
    constexpr int64_t kMarchToJanuary = 306;  // 1 March to 1 January of the next year
    if (dayFromMarch >= kMarchToJanuary) {
        return YearOfDay{marchYear + 1, march1 + kMarchToJanuary, isLeapYear(marchYear + 1)};
    }
    const bool leap = isLeapYear(marchYear);
    return YearOfDay{marchYear, march1 - 59 - (leap ? 1 : 0), leap};
}

// 0 = Sunday ... 6 = Saturday (1970-01-01 was a Thursday).
constexpr uint32_t weekdayFromDays(int64_t days) {
    const int64_t r = (days + 4) % 7;
    return static_cast<uint32_t>(r < 0 ? r + 7 : r);
}

// Day number of a seconds value (floor division, also before 1970).
constexpr int64_t dayOf(int64_t seconds) {
    return seconds / kSecondsPerDay - (seconds % kSecondsPerDay < 0 ? 1 : 0);
}

}  // namespace s::time::calendar

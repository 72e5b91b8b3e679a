#include "time/daylight_rule.h"

#include <limits>

#include "time/calendar.h"

namespace s::time {

namespace {

// Moments this far from 1970 (about 35 million years) skip the calendar, so that no step of
// it can overflow; they read as standard time.
constexpr int64_t kCalendarLimit = int64_t{1} << 50;

int64_t minusMinutes(int64_t seconds, int64_t minutes) {
    int64_t result = 0;
    if (__builtin_sub_overflow(seconds, minutes * 60, &result)) {
        return minutes > 0 ? std::numeric_limits<int64_t>::min()
                           : std::numeric_limits<int64_t>::max();
    }
    return result;
}

bool resolvable(const DateRecord& t) {
    return t.wMonth >= 1 && t.wMonth <= 12 && (t.wYear != 0 || (t.wDay >= 1 && t.wDay <= 5));
}

int64_t standardClock(const RulesBlock& r, int64_t u) {
    return minusMinutes(u, int64_t{r.Bias} + r.StandardBias);
}

int64_t daylightClock(const RulesBlock& r, int64_t u) {
    return minusMinutes(u, int64_t{r.Bias} + r.DaylightBias);
}

[[gnu::always_inline]] inline int64_t resolve(const DateRecord& t, const calendar::YearOfDay& y) {
    if (t.wYear != 0) {
        const int64_t day = calendar::daysFromCivil(t.wYear, t.wMonth, 1) + t.wDay - 1;
        return day * calendar::kSecondsPerDay + t.wHour * 3600 + t.wMinute * 60 + t.wSecond;
    }
    static constexpr uint16_t kDaysBefore[12] = {0,   31,  59,  90,  120, 151,
                                                 181, 212, 243, 273, 304, 334};
    static constexpr uint8_t kDaysIn[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const uint32_t m = t.wMonth - 1u;
    const uint32_t leapDay = y.leap && m >= 2 ? 1 : 0;
    const int64_t first = y.jan1 + kDaysBefore[m] + leapDay;
    const uint32_t monthLength = kDaysIn[m] + (y.leap && m == 1 ? 1 : 0);
    const uint32_t toWeekday = (t.wDayOfWeek % 7 + 7 - calendar::weekdayFromDays(first)) % 7;
    uint32_t dayOfMonth = 1 + toWeekday + 7 * (t.wDay - 1u);
    if (dayOfMonth > monthLength)
        dayOfMonth -= 7;
    return (first + dayOfMonth - 1) * calendar::kSecondsPerDay + t.wHour * 3600 + t.wMinute * 60 +
           t.wSecond;
}

// A relative transition happens every year, an absolute one in its own year only.
bool inItsYear(const DateRecord& t, int64_t year) {
    return t.wYear == 0 || t.wYear == year;
}

// The clock in force, with the local time it reads.
ZoneClock evaluate(const RulesBlock& r, int64_t u, int64_t& local) {
    if (r.DaylightDate.wMonth == 0) {
        local = minusMinutes(u, r.Bias);
        return ZoneClock::kNoDaylight;
    }
    const int64_t s = standardClock(r, u);
    local = s;
    if (r.StandardDate.wMonth == 0 || !resolvable(r.StandardDate) || !resolvable(r.DaylightDate)) {
        return ZoneClock::kInvalid;
    }
    if (u <= -kCalendarLimit || u >= kCalendarLimit)
        return ZoneClock::kStandard;

    const int64_t d = daylightClock(r, u);
    const calendar::YearOfDay year = calendar::yearOfDay(calendar::dayOf(s));
    const int64_t start = resolve(r.DaylightDate, year);
    const int64_t end = resolve(r.StandardDate, year);
    const bool begun = s >= start;
    const bool notEnded = d < end;
    bool daylight;
    if (r.DaylightDate.wYear == 0 && r.StandardDate.wYear == 0) {
        const bool northern = r.DaylightDate.wMonth < r.StandardDate.wMonth;
        daylight = northern ? begun && notEnded : begun || notEnded;
    } else if (start <= end) {
        // An absolute date is one instant, so the period between the two is all there is.
        daylight = begun && notEnded;
    } else {
        // Southern order inside a year: daylight at both ends of that year and of no other.
        daylight = (begun || notEnded) && inItsYear(r.DaylightDate, year.year) &&
                   inItsYear(r.StandardDate, year.year);
    }
    if (daylight) {
        local = d;
        return ZoneClock::kDaylight;
    }
    return ZoneClock::kStandard;
}

}  // namespace

int64_t transitionSeconds(const DateRecord& t, int64_t year) {
    if (t.wMonth < 1 || t.wMonth > 12)
        return 0;
    const int64_t jan1 = calendar::daysFromCivil(year, 1, 1);
    return resolve(t, calendar::YearOfDay{year, jan1, calendar::isLeapYear(year)});
}

ZoneClock zoneClockAt(const RulesBlock& r, int64_t u) {
    int64_t local = 0;
    return evaluate(r, u, local);
}

int64_t rulesLocalSeconds(const RulesBlock& r, int64_t u) {
    int64_t local = 0;
    evaluate(r, u, local);
    return local;
}

}  // namespace s::time

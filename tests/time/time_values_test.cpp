#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "base/str_buffer.h"
#include "time/calendar.h"
#include "time/file_time.h"
#include "time/time_value.h"

namespace s::time {
namespace {

using calendar::civilFromDays;
using calendar::daysFromCivil;

// Walks the calendar day by day from 1600-01-01 to 2400-12-31 and checks the day numbers,
// their inverse, the weekday and the year facts against a counter that knows nothing but
// month lengths.
TEST(Calendar, AgreesWithADayByDayWalk) {
    int64_t days = daysFromCivil(1600, 1, 1);
    uint32_t weekday = calendar::weekdayFromDays(days);
    EXPECT_EQ(weekday, 6u);  // 1600-01-01 was a Saturday
    for (int64_t y = 1600; y <= 2400; ++y) {
        for (uint32_t m = 1; m <= 12; ++m) {
            for (uint32_t d = 1; d <= calendar::daysInMonth(y, m); ++d) {
                ASSERT_EQ(daysFromCivil(y, m, d), days) << y << "-" << m << "-" << d;
                const calendar::CivilDate c = civilFromDays(days);
                ASSERT_TRUE(c.year == y && c.month == m && c.day == d) << days;
                ASSERT_EQ(calendar::weekdayFromDays(days), weekday) << days;
                const calendar::YearOfDay year = calendar::yearOfDay(days);
                ASSERT_TRUE(year.year == y && year.jan1 == daysFromCivil(y, 1, 1) &&
                            year.leap == calendar::isLeapYear(y))
                    << days;
                ++days;
                weekday = (weekday + 1) % 7;
            }
        }
    }
}

TEST(Calendar, DayOfRoundsDownBefore1970) {
    EXPECT_EQ(calendar::dayOf(0), 0);
    EXPECT_EQ(calendar::dayOf(86399), 0);
    EXPECT_EQ(calendar::dayOf(-1), -1);
    EXPECT_EQ(calendar::dayOf(-86400), -1);
    EXPECT_EQ(calendar::dayOf(-86401), -2);
}

TEST(FileTime, Conversions) {
    EXPECT_EQ(kEpochFileTime, 116444736000000000ull);
    EXPECT_EQ(secondsToFileTime(0), kEpochFileTime);
    EXPECT_EQ(secondsToFileTime(1376265600), 130207392000000000ull);  // 2013-08-12
    EXPECT_EQ(fileTimeToSeconds(130207392000000000ull), 1376265600);
    EXPECT_EQ(fileTimeToMillis(kEpochFileTime + 12345678), 1234);
    // Divisions truncate toward zero before 1970.
    EXPECT_EQ(fileTimeToSeconds(kEpochFileTime - 15000000), -1);
    EXPECT_EQ(fileTimeToMillis(kEpochFileTime - 15000), -1);
    EXPECT_EQ(fileTimeToSeconds(0), -11644473600);
    EXPECT_EQ(secondsToFileTime(-11644473600), 0u);
}

struct Breakdown {
    uint64_t fileTime;
    uint16_t year;
    uint8_t month, dayOfWeek, day, hour, minute, second;
    uint16_t millisecond;
};

TEST(TimeValue, CalendarFieldsOfTheMoment) {
    const Breakdown cases[] = {
        {0, 1601, 1, 1, 1, 0, 0, 0, 0},               // a Monday
        {kEpochFileTime, 1970, 1, 4, 1, 0, 0, 0, 0},  // a Thursday
        {secondsToFileTime(1376265600) + 37230123 * 10000ull, 2013, 8, 1, 12, 10, 20, 30, 123},
        {secondsToFileTime(951782400), 2000, 2, 2, 29, 0, 0, 0, 0},  // leap day
        {secondsToFileTime(4102444799), 2099, 12, 4, 31, 23, 59, 59, 0},
        {0x7FFFFFFFFFFFFFFFull, 30828, 9, 4, 14, 2, 48, 5, 477},  // the platform's last
    };
    for (const Breakdown& c : cases) {
        Time t;
        t.setMoment(c.fileTime);
        EXPECT_EQ(t.moment, c.fileTime);
        EXPECT_EQ(t.year, c.year) << c.fileTime;
        EXPECT_EQ(t.month, c.month) << c.fileTime;
        EXPECT_EQ(t.dayOfWeek, c.dayOfWeek) << c.fileTime;
        EXPECT_EQ(t.day, c.day) << c.fileTime;
        EXPECT_EQ(t.hour, c.hour) << c.fileTime;
        EXPECT_EQ(t.minute, c.minute) << c.fileTime;
        EXPECT_EQ(t.second, c.second) << c.fileTime;
        EXPECT_EQ(t.millisecond, c.millisecond) << c.fileTime;
    }
    // Every 64-bit value has fields; the largest lies in the year 60056.
    Time last;
    last.setMoment(std::numeric_limits<uint64_t>::max());
    EXPECT_EQ(last.year, 60056);
}

TEST(TimeValue, PooledInstancesComeBackReset) {
    Time* t = Time::fromSeconds(1376265600);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->year, 2013);
    EXPECT_TRUE(std::u16string(t->className()) == u"s_time_Time");
    t->release();
    Time* again = Time::take();  // the same instance back from the pool, reset to the epoch
    EXPECT_EQ(again->moment, kEpochFileTime);
    EXPECT_EQ(again->year, 1970);
    EXPECT_EQ(again->dayOfWeek, 4);
    again->release();
}

TEST(TimeValue, DateTextOutsideTheShowableRangeIsInvalid) {
    str::StrBuffer text(u"old");
    Time t(secondsToFileTime(253402300800));  // 10000-01-01
    EXPECT_EQ(t.dateText(&text), &text);
    EXPECT_TRUE(text.equals(u"Invalid DateTime"));
    Time early(0);  // 1601 shows fine
    EXPECT_FALSE(early.dateText(&text)->equals(u"Invalid DateTime"));
    str::StrBuffer* fresh = Time(kEpochFileTime).dateText();
    ASSERT_NE(fresh, nullptr);
    EXPECT_FALSE(fresh->isEmpty());
    fresh->release();
}

}  // namespace
}  // namespace s::time

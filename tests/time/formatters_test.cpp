#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "base/str_buffer.h"
#include "rules_fixtures.h"
#include "time/file_time.h"
#include "time/formatters.h"
#include "time/text_slots.h"
#include "time/time_value.h"

namespace s::time {
namespace {

using testing::at;

std::u16string textOf(const str::StrBuffer& b) {
    return std::u16string(b.text(), b.length());
}

std::u16string dateOf(int64_t seconds) {
    str::StrBuffer date;
    Time(secondsToFileTime(seconds)).dateText(&date);
    return textOf(date);
}

class Formatters : public ::testing::Test {
protected:
    void SetUp() override {
        setMorningMarker(u"AM");
        setAfternoonMarker(u"PM");
        setSecondsSuffix(u"s");
    }
    void TearDown() override { SetUp(); }
    str::StrBuffer text{u"left over"};
};

using Format = str::StrBuffer& (*)(int64_t, str::StrBuffer&);

struct Row {
    Format format;
    int64_t seconds;
    std::u16string expected;  // after the date text for the date formats
};

TEST_F(Formatters, ClockCells) {
    const Row rows[] = {
        {formatClockCell24, at(2013, 8, 5, 8, 3, 7), u"  5   08:03   07s"},
        {formatClockCell24, at(2013, 8, 12, 23, 59, 59), u"12   23:59   59s"},
        {formatClockCell24, at(2013, 8, 31), u"31   00:00   00s"},
        {formatClockCell12, at(2013, 8, 5, 0, 7, 9), u"  5   12:07  AM   09s"},
        {formatClockCell12, at(2013, 8, 5, 9, 3, 7), u"  5     9:03  AM   07s"},
        {formatClockCell12, at(2013, 8, 5, 10, 3, 7), u"  5   10:03  AM   07s"},
        {formatClockCell12, at(2013, 8, 5, 12, 0, 0), u"  5   12:00  PM   00s"},
        {formatClockCell12, at(2013, 8, 5, 13, 3, 7), u"  5     1:03  PM   07s"},
        {formatClockCell12, at(2013, 8, 25, 23, 59, 59), u"25   11:59  PM   59s"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(textOf(r.format(r.seconds, text)), r.expected) << r.seconds;
    }
}

TEST_F(Formatters, DateAndTime) {
    const int64_t morning = at(2013, 8, 12, 8, 3, 7);
    const int64_t evening = at(2013, 8, 12, 20, 3, 7);
    const int64_t midnight = at(2013, 8, 12, 0, 0, 5);
    const Row rows[] = {
        {formatDateTime24, morning, u"  08:03  07s"},
        {formatDateTime24, evening, u"  20:03  07s"},
        {formatDateTime12, morning, u"    8:03 AM  07s"},
        {formatDateTime12, evening, u"    8:03 PM  07s"},
        {formatDateTime12, midnight, u"  12:00 AM  05s"},
        {formatDateTimeShort24, morning, u" 08:03"},
        {formatDateTimeShort24, evening, u" 20:03"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(textOf(r.format(r.seconds, text)), dateOf(r.seconds) + r.expected) << r.seconds;
    }
    EXPECT_EQ(textOf(formatDateTimeShort12(morning, text)), dateOf(morning) + u"   8:03 AM");
    EXPECT_EQ(textOf(formatDateTimeShort12(evening, text)), dateOf(evening) + u"   8:03 PM");
    EXPECT_EQ(textOf(formatDateTimeShort12(at(2013, 8, 12, 11, 30), text)),
              dateOf(morning) + u" 11:30 AM");
    EXPECT_EQ(textOf(formatDateTimeShort12(0, text)), dateOf(0) + u" 12:00 AM");
}

TEST_F(Formatters, ShortTwelveHourTextOfNoValueIsEmpty) {
    EXPECT_TRUE(formatDateTimeShort12(-1, text).isEmpty());
    text.setText(u"left over");
    EXPECT_TRUE(formatDateTimeShort12(std::nullopt, text).isEmpty());
}

TEST_F(Formatters, Gaps) {
    const Row rows[] = {
        {formatGap, 19800, u"(+05:30)"},
        {formatGap, -9000, u"(-02:30)"},
        {formatGap, 0, u"(+00:00)"},
        {formatGap, -59, u"(-00:00)"},
        {formatGap, 59, u"(+00:00)"},
        {formatGap, 360000, u"(+100:00)"},
        {formatGap, -46800, u"(-13:00)"},
        {formatGap, 35999, u"(+09:59)"},
        {formatGap, std::numeric_limits<int64_t>::min(), u"(-2562047788015215:30)"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(textOf(r.format(r.seconds, text)), r.expected) << r.seconds;
    }
}

TEST_F(Formatters, MarkersAndSuffixComeFromTheTextSlots) {
    setMorningMarker(u"午前");
    setAfternoonMarker(u"午後");
    setSecondsSuffix(u"秒");
    EXPECT_EQ(textOf(formatClockCell12(at(2013, 8, 5, 13, 3, 7), text)),
              u"  5     1:03  午後   07秒");
    EXPECT_EQ(textOf(formatClockCell24(at(2013, 8, 5, 8, 3, 7), text)), u"  5   08:03   07秒");
    const int64_t evening = at(2013, 8, 12, 20, 3, 7);
    EXPECT_EQ(textOf(formatDateTime12(evening, text)), dateOf(evening) + u"    8:03 午後  07秒");
    EXPECT_EQ(textOf(formatDateTime24(evening, text)), dateOf(evening) + u"  20:03  07秒");
    EXPECT_EQ(textOf(formatDateTimeShort12(at(2013, 8, 12, 11, 3), text)),
              dateOf(evening) + u" 11:03 午前");
    setSecondsSuffix(nullptr);
    EXPECT_EQ(textOf(formatClockCell24(at(2013, 8, 5, 8, 3, 7), text)), u"  5   08:03   07");

    const std::u16string longText(200, u'x');
    setMorningMarker(longText.c_str());
    EXPECT_EQ(std::u16string(morningMarker()), longText.substr(0, kTextSlotUnits));
    setAfternoonMarker(u"PMxyz", 2);
    EXPECT_EQ(std::u16string(afternoonMarker()), u"PM");

    // Slots filled to the limit still reach the clock cells whole.
    const std::u16string fullSlot(kTextSlotUnits, u'y');
    setMorningMarker(fullSlot.c_str());
    setSecondsSuffix(fullSlot.c_str());
    EXPECT_EQ(textOf(formatClockCell12(at(2013, 8, 5, 9, 3, 7), text)),
              u"  5     9:03  " + fullSlot + u"   07" + fullSlot);
    EXPECT_EQ(textOf(formatClockCell24(at(2013, 8, 5, 9, 3, 7), text)),
              u"  5   09:03   07" + fullSlot);
}

}  // namespace
}  // namespace s::time

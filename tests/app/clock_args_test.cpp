#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "tests/app/support/test_zones.h"
#include "tools/clocks/clock_args.h"

namespace s::tools::clocks {
namespace {

bool parse(std::initializer_list<const char16_t*> arguments, ClockArgs& args) {
    std::vector<const char16_t*> list(arguments);
    return parseClockArgs(static_cast<int32_t>(list.size()), list.data(), args);
}

TEST(ClockArgsTest, ReadsEveryOption) {
    ClockArgs args;
    ASSERT_TRUE(parse({u"--list", u"all", u"--at", u"2026-07-01T12:00:00Z", u"--24h", u"--lang",
                       u"Japanese", u"--settings", u"C:\\s.xml"},
                      args));
    EXPECT_EQ(args.list, ListChoice::kAllZones);
    EXPECT_TRUE(args.hasMoment);
    EXPECT_EQ(args.momentSeconds, tests::app::summerMoment());
    EXPECT_EQ(args.hourForm, HourForm::kTwentyFour);
    EXPECT_EQ(std::u16string(args.language.text()), u"Japanese");
    EXPECT_EQ(std::u16string(args.settingsFile.text()), u"C:\\s.xml");
}

TEST(ClockArgsTest, DefaultsWithoutOptions) {
    ClockArgs args;
    ASSERT_TRUE(parse({}, args));
    EXPECT_EQ(args.list, ListChoice::kPickUp);
    EXPECT_FALSE(args.hasMoment);
    EXPECT_EQ(args.hourForm, HourForm::kStored);
    EXPECT_TRUE(args.language.isEmpty());
    EXPECT_TRUE(args.settingsFile.isEmpty());

    ClockArgs twelve;
    ASSERT_TRUE(parse({u"--ampm", u"--list", u"pickup", u"--ampm"}, twelve));
    EXPECT_EQ(twelve.hourForm, HourForm::kTwelve);
}

TEST(ClockArgsTest, RefusesBadArguments) {
    const std::vector<std::vector<const char16_t*>> bad = {
        {u"--list"},
        {u"--list", u"some"},
        {u"--list", u"ALL"},
        {u"--at"},
        {u"--at", u"2026-07-01"},
        {u"--ampm", u"--24h"},
        {u"--lang"},
        {u"--lang", u""},
        {u"--settings"},
        {u"--verbose"},
        {u"pickup"},
        {u"-list", u"all"},
    };
    for (const auto& arguments : bad) {
        ClockArgs args;
        EXPECT_FALSE(parseClockArgs(static_cast<int32_t>(arguments.size()), arguments.data(), args))
            << arguments.size() << " arguments, first " << static_cast<int>(arguments[0][1]);
    }
}

TEST(ClockArgsTest, MomentsAreRealUtcDates) {
    struct Case {
        const char16_t* text;
        bool valid;
        int64_t seconds;
    };
    const Case cases[] = {
        {u"1970-01-01T00:00:00Z", true, 0},
        {u"2026-07-01T12:00:00Z", true, tests::app::summerMoment()},
        {u"2024-02-29T23:59:59Z", true, 1709251199},
        {u"1601-01-01T00:00:00Z", true, -11644473600},
        {u"1600-12-31T23:59:59Z", false, 0},
        {u"2023-02-29T00:00:00Z", false, 0},
        {u"2026-13-01T00:00:00Z", false, 0},
        {u"2026-04-31T00:00:00Z", false, 0},
        {u"2026-07-01T24:00:00Z", false, 0},
        {u"2026-07-01T12:60:00Z", false, 0},
        {u"2026-07-01T12:00:60Z", false, 0},
        {u"2026-07-01 12:00:00Z", false, 0},
        {u"2026-07-01T12:00:00", false, 0},
        {u"2026-07-01T12:00:00ZZ", false, 0},
        {u"2026-7-01T12:00:00Z", false, 0},
        {u"+026-07-01T12:00:00Z", false, 0},
        {u"", false, 0},
    };
    for (const Case& c : cases) {
        int64_t seconds = -1;
        EXPECT_EQ(parseUtcMoment(c.text, seconds), c.valid) << static_cast<int>(c.text[0]);
        if (c.valid) {
            EXPECT_EQ(seconds, c.seconds);
        }
    }
    int64_t untouched = 5;
    EXPECT_FALSE(parseUtcMoment(nullptr, untouched));
}

}  // namespace
}  // namespace s::tools::clocks

#include <gtest/gtest.h>

#include "base/str_buffer.h"
#include "time/file_time.h"
#include "time/time_value.h"

// The native build's own answers where the Windows build asks the platform.
namespace s::time {
namespace {

TEST(NativeDateText, IsIsoWithinTheShowableYears) {
    str::StrBuffer text;
    EXPECT_TRUE(Time(secondsToFileTime(1376265600)).dateText(&text)->equals(u"2013-08-12"));
    EXPECT_TRUE(Time(0).dateText(&text)->equals(u"1601-01-01"));
    EXPECT_TRUE(Time(secondsToFileTime(253402214400)).dateText(&text)->equals(u"9999-12-31"));
    EXPECT_TRUE(Time(secondsToFileTime(253402300800)).dateText(&text)->equals(u"Invalid DateTime"));
}

}  // namespace
}  // namespace s::time

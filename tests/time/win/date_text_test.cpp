#include <gtest/gtest.h>

#include <windows.h>

#include <oleauto.h>  // after windows.h, which it needs

#include <string>

#include "base/str_buffer.h"
#include "time/file_time.h"
#include "time/time_value.h"

namespace s::time {
namespace {

std::u16string platformDate(WORD year, WORD month, WORD day) {
    SYSTEMTIME st{};
    st.wYear = year;
    st.wMonth = month;
    st.wDay = day;
    DATE date = 0;
    BSTR text = nullptr;
    if (!SystemTimeToVariantTime(&st, &date))
        return u"";
    if (FAILED(VarBstrFromDate(date, LOCALE_USER_DEFAULT, VAR_DATEVALUEONLY, &text)))
        return u"";
    std::u16string result(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
    SysFreeString(text);
    return result;
}

TEST(DateText, IsTheLocalesDateForm) {
    str::StrBuffer text;
    Time t(secondsToFileTime(1376265600 + 37230));  // 2013-08-12 10:20:30, time part not shown
    t.dateText(&text);
    const std::u16string expected = platformDate(2013, 8, 12);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(std::u16string(text.text(), text.length()), expected);
    EXPECT_NE(expected.find(u"2013"), std::u16string::npos);
    EXPECT_EQ(expected.find(u":"), std::u16string::npos);
}

TEST(DateText, DatesBeyondTheFormAreInvalid) {
    str::StrBuffer text;
    EXPECT_TRUE(Time(secondsToFileTime(253402300800))
                    .dateText(&text)
                    ->equals(u"Invalid DateTime"));  // 10000-01-01
    EXPECT_TRUE(Time(0x7FFFFFFFFFFFFFFFull).dateText(&text)->equals(u"Invalid DateTime"));
    EXPECT_FALSE(Time(secondsToFileTime(253402214400))
                     .dateText(&text)
                     ->equals(u"Invalid DateTime"));  // 9999-12-31
}

}  // namespace
}  // namespace s::time

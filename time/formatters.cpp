#include "time/formatters.h"

#include "base/str_buffer.h"
#include "time/file_time.h"
#include "time/text_slots.h"
#include "time/time_value.h"

namespace s::time {

namespace {

void appendDigits(StrBuffer& text, uint32_t v) {
    if (v >= 10)
        appendDigits(text, v / 10);
    text.appendUnit(static_cast<char16_t>(u'0' + v % 10));
}

void appendPad0(StrBuffer& text, uint32_t v) {
    if (v < 10)
        text.appendUnit(u'0');
    appendDigits(text, v);
}

void appendPad2(StrBuffer& text, uint32_t v) {
    if (v < 10)
        text.appendText(u"  ");
    appendDigits(text, v);
}

uint32_t hour12(const Time& t) {
    return t.hour % 12 == 0 ? 12 : t.hour % 12;
}

const char16_t* marker(const Time& t) {
    return t.hour < 12 ? morningMarker() : afternoonMarker();
}

// The calendar fields come from a plain local Time, so formatting allocates nothing.

}  // namespace

StrBuffer& formatClockCell24(int64_t seconds, StrBuffer& text) {
    const Time t(secondsToFileTime(seconds));
    text.clear();
    appendPad2(text, t.day);
    text.appendText(u"   ");
    appendPad0(text, t.hour);
    text.appendUnit(u':');
    appendPad0(text, t.minute);
    text.appendText(u"   ");
    appendPad0(text, t.second);
    return text.appendText(secondsSuffix());
}

StrBuffer& formatClockCell12(int64_t seconds, StrBuffer& text) {
    const Time t(secondsToFileTime(seconds));
    text.clear();
    appendPad2(text, t.day);
    text.appendText(u"   ");
    appendPad2(text, hour12(t));
    text.appendUnit(u':');
    appendPad0(text, t.minute);
    text.appendText(u"  ").appendText(marker(t)).appendText(u"   ");
    appendPad0(text, t.second);
    return text.appendText(secondsSuffix());
}

StrBuffer& formatDateTime24(int64_t seconds, StrBuffer& text) {
    const Time t(secondsToFileTime(seconds));
    t.dateText(&text);
    text.appendText(u"  ");
    appendPad0(text, t.hour);
    text.appendUnit(u':');
    appendPad0(text, t.minute);
    text.appendText(u"  ");
    appendPad0(text, t.second);
    return text.appendText(secondsSuffix());
}

StrBuffer& formatDateTime12(int64_t seconds, StrBuffer& text) {
    const Time t(secondsToFileTime(seconds));
    t.dateText(&text);
    text.appendText(u"  ");
    appendPad2(text, hour12(t));
    text.appendUnit(u':');
    appendPad0(text, t.minute);
    text.appendUnit(u' ').appendText(marker(t)).appendText(u"  ");
    appendPad0(text, t.second);
    return text.appendText(secondsSuffix());
}

StrBuffer& formatDateTimeShort24(int64_t seconds, StrBuffer& text) {
    const Time t(secondsToFileTime(seconds));
    t.dateText(&text);
    text.appendUnit(u' ');
    appendPad0(text, t.hour);
    text.appendUnit(u':');
    appendPad0(text, t.minute);
    return text;
}

StrBuffer& formatDateTimeShort12(std::optional<int64_t> seconds, StrBuffer& text) {
    text.clear();
    if (!seconds || *seconds < 0)
        return text;
    const Time t(secondsToFileTime(*seconds));
    t.dateText(&text);
    text.appendUnit(u' ');
    appendPad2(text, hour12(t));
    text.appendUnit(u':');
    appendPad0(text, t.minute);
    return text.appendUnit(u' ').appendText(marker(t));
}

StrBuffer& formatGap(int64_t seconds, StrBuffer& text) {
    text.clear().appendText(seconds < 0 ? u"(-" : u"(+");
    const uint64_t v =
        seconds < 0 ? 0 - static_cast<uint64_t>(seconds) : static_cast<uint64_t>(seconds);
    const uint64_t hours = v / 3600;
    if (hours < 10)
        text.appendUnit(u'0');
    text.appendUInt64(hours);
    text.appendUnit(u':');
    appendPad0(text, static_cast<uint32_t>(v / 60 % 60));
    return text.appendUnit(u')');
}

}  // namespace s::time

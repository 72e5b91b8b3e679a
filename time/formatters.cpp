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

// A clock cell is rewritten for every row at every tick: it is composed here and written into
// its buffer in one step, instead of a call into the buffer for each piece.
class CellText {
public:
    CellText& unit(char16_t u) {
        if (length_ < kCapacity)
            units_[length_++] = u;
        return *this;
    }
    CellText& text(const char16_t* t) {
        while (*t != 0 && length_ < kCapacity)
            units_[length_++] = *t++;
        return *this;
    }
    CellText& digits(uint32_t v) {
        char16_t reversed[10];
        int n = 0;
        do {
            reversed[n++] = static_cast<char16_t>(u'0' + v % 10);
            v /= 10;
        } while (v != 0);
        while (n > 0)
            unit(reversed[--n]);
        return *this;
    }
    CellText& pad0(uint32_t v) { return v < 10 ? unit(u'0').digits(v) : digits(v); }
    CellText& pad2(uint32_t v) { return v < 10 ? text(u"  ").digits(v) : digits(v); }
    StrBuffer& into(StrBuffer& out) const { return out.setText(units_, length_); }

private:
    // The fixed pieces with a marker and the suffix, each at most a text slot long.
    static constexpr int32_t kCapacity = 32 + 2 * kTextSlotUnits;
    char16_t units_[kCapacity];
    int32_t length_ = 0;
};

}  // namespace

StrBuffer& formatClockCell24(int64_t seconds, StrBuffer& text) {
    const Time t(secondsToFileTime(seconds));
    CellText cell;
    cell.pad2(t.day).text(u"   ").pad0(t.hour).unit(u':').pad0(t.minute);
    cell.text(u"   ").pad0(t.second).text(secondsSuffix());
    return cell.into(text);
}

StrBuffer& formatClockCell12(int64_t seconds, StrBuffer& text) {
    const Time t(secondsToFileTime(seconds));
    CellText cell;
    cell.pad2(t.day).text(u"   ").pad2(hour12(t)).unit(u':').pad0(t.minute);
    cell.text(u"  ").text(marker(t)).text(u"   ").pad0(t.second).text(secondsSuffix());
    return cell.into(text);
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

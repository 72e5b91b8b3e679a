#pragma once

#include <cstdint>

#include "base/object.h"
#include "base/pool.h"

namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::time {

// A moment (or a local wall-clock reading) as a file-time with its calendar breakdown: the
// proleptic-Gregorian fields of `moment` with no zone applied. Pooled; plain instances
// (e.g. on the stack) are fine where ownership is plain.
class Time : public base::IObject, public thread::Pooled<Time> {
public:
    Time() { reset(); }
    explicit Time(uint64_t fileTime) { setMoment(fileTime); }
    Time(const Time&) = delete;
    Time& operator=(const Time&) = delete;

    const char16_t* className() const override { return u"s_time_Time"; }
    Time* newInstance() const override { return take(); }
    // Back to 1970-01-01 00:00:00.000, a Thursday.
    void reset() override;

    // Stores `fileTime` and refills the calendar fields. Every 64-bit value has a breakdown
    // (years up to 60056).
    void setMoment(uint64_t fileTime);
    // A pooled Time set to the seconds value; the caller releases it. nullptr only when
    // allocation fails.
    static Time* fromSeconds(int64_t seconds);

    // The date part in the user's date form, e.g. 2013/08/12 or 8/12/2013, written into
    // `text` after emptying it; "Invalid DateTime" when the date cannot be shown. With no
    // buffer given, a new pooled one that the caller releases.
    str::strbuffer::StrBuffer* dateText(str::strbuffer::StrBuffer* text = nullptr) const;

    uint64_t moment;
    uint16_t year;
    uint8_t month;      // 1-12
    uint8_t dayOfWeek;  // 0 = Sunday
    uint8_t day;        // 1-31
    uint8_t hour;
    uint8_t minute;
    uint8_t second;
    uint16_t millisecond;
};

}  // namespace s::time

#include "time/time_value.h"

#include "base/str_buffer.h"
#include "time/calendar.h"
#include "time/file_time.h"
#include "time/platform.h"

namespace s::time {

namespace {

constexpr uint64_t kTicksPerDay = uint64_t{calendar::kSecondsPerDay} * kTicksPerSecond;
// Days from 1601-01-01 to 1970-01-01.
constexpr int64_t kDays1601To1970 = 134774;

}  // namespace

void Time::reset() {
    setMoment(kEpochFileTime);
}

void Time::setMoment(uint64_t fileTime) {
    moment = fileTime;
    const int64_t days = static_cast<int64_t>(fileTime / kTicksPerDay) - kDays1601To1970;
    const uint64_t ticks = fileTime % kTicksPerDay;
    const calendar::CivilDate date = calendar::civilFromDays(days);
    year = static_cast<uint16_t>(date.year);
    month = static_cast<uint8_t>(date.month);
    day = static_cast<uint8_t>(date.day);
    dayOfWeek = static_cast<uint8_t>(calendar::weekdayFromDays(days));
    const uint64_t seconds = ticks / kTicksPerSecond;
    hour = static_cast<uint8_t>(seconds / 3600);
    minute = static_cast<uint8_t>(seconds / 60 % 60);
    second = static_cast<uint8_t>(seconds % 60);
    millisecond = static_cast<uint16_t>(ticks % kTicksPerSecond / kTicksPerMilli);
}

Time* Time::fromSeconds(int64_t seconds) {
    Time* time = take();
    if (time != nullptr)
        time->setMoment(secondsToFileTime(seconds));
    return time;
}

str::StrBuffer* Time::dateText(str::StrBuffer* text) const {
    if (text == nullptr)
        text = str::StrBuffer::take();
    if (text == nullptr)
        return nullptr;
    text->clear();
    if (!platformDateText(year, month, day, *text))
        text->setText(u"Invalid DateTime");
    return text;
}

}  // namespace s::time

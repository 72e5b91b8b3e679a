#include "tools/clocks/clock_args.h"

#include "time/calendar.h"

namespace s::tools::clocks {

namespace {

bool sameText(const char16_t* a, const char16_t* b) {
    while (*a != 0 && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// `count` decimal digits at `text`, nothing else.
bool readDigits(const char16_t* text, int32_t count, int32_t& value) {
    value = 0;
    for (int32_t i = 0; i < count; ++i) {
        char16_t unit = text[i];
        if (unit < u'0' || unit > u'9')
            return false;
        value = value * 10 + (unit - u'0');
    }
    return true;
}

}  // namespace

const char* clockArgsUsage() {
    return "usage: tellavo-clocks [--list pickup|all] [--at YYYY-MM-DDTHH:MM:SSZ] "
           "[--ampm | --24h] [--lang ENGLISH-NAME] [--settings FILE.xml]";
}

bool parseUtcMoment(const char16_t* text, int64_t& seconds) {
    // Positions of the separators in "YYYY-MM-DDTHH:MM:SSZ".
    constexpr int32_t kLength = 20;
    if (text == nullptr)
        return false;
    for (int32_t i = 0; i < kLength; ++i) {
        if (text[i] == 0)
            return false;
    }
    if (text[kLength] != 0)
        return false;
    if (text[4] != u'-' || text[7] != u'-' || text[10] != u'T' || text[13] != u':' ||
        text[16] != u':' || text[19] != u'Z') {
        return false;
    }
    int32_t year, month, day, hour, minute, second;
    if (!readDigits(text, 4, year) || !readDigits(text + 5, 2, month) ||
        !readDigits(text + 8, 2, day) || !readDigits(text + 11, 2, hour) ||
        !readDigits(text + 14, 2, minute) || !readDigits(text + 17, 2, second)) {
        return false;
    }
    // A file-time cannot reach before 1601.
    if (year < 1601 || month < 1 || month > 12 || day < 1 ||
        static_cast<uint32_t>(day) > time::calendar::daysInMonth(year, month) || hour > 23 ||
        minute > 59 || second > 59) {
        return false;
    }
    int64_t days = time::calendar::daysFromCivil(year, static_cast<uint32_t>(month),
                                                 static_cast<uint32_t>(day));
    seconds = days * time::calendar::kSecondsPerDay + hour * 3600 + minute * 60 + second;
    return true;
}

bool parseClockArgs(int32_t count, const char16_t* const* arguments, ClockArgs& args) {
    bool twelve = false;
    bool twentyFour = false;
    for (int32_t i = 0; i < count; ++i) {
        const char16_t* option = arguments[i];
        if (option == nullptr)
            return false;
        bool takesValue = sameText(option, u"--list") || sameText(option, u"--at") ||
                          sameText(option, u"--lang") || sameText(option, u"--settings");
        if (takesValue) {
            if (i + 1 >= count || arguments[i + 1] == nullptr)
                return false;
            const char16_t* value = arguments[++i];
            if (sameText(option, u"--list")) {
                if (sameText(value, u"pickup")) {
                    args.list = ListChoice::kPickUp;
                } else if (sameText(value, u"all")) {
                    args.list = ListChoice::kAllZones;
                } else {
                    return false;
                }
            } else if (sameText(option, u"--at")) {
                if (!parseUtcMoment(value, args.momentSeconds))
                    return false;
                args.hasMoment = true;
            } else if (sameText(option, u"--lang")) {
                if (*value == 0)
                    return false;
                args.language.setText(value);
            } else {
                if (*value == 0)
                    return false;
                args.settingsFile.setText(value);
            }
        } else if (sameText(option, u"--ampm")) {
            twelve = true;
        } else if (sameText(option, u"--24h")) {
            twentyFour = true;
        } else {
            return false;
        }
    }
    if (twelve && twentyFour)
        return false;
    args.hourForm =
        twelve ? HourForm::kTwelve : (twentyFour ? HourForm::kTwentyFour : HourForm::kStored);
    return true;
}

}  // namespace s::tools::clocks

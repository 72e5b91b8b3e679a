// The platform answers on systems without the Windows time services (the native build):
// the standard library's clock, a computer running on UTC, no zone database of its own
// (tests and tools install a source), and dates written as ISO 8601.
#include <chrono>

#include "base/str_buffer.h"
#include "time/clock.h"
#include "time/file_time.h"
#include "time/platform.h"
#include "time/zone_source.h"

namespace s::time {

namespace {

class StandardClock final : public IClock {
public:
    uint64_t nowFileTime() override {
        const auto since1970 = std::chrono::system_clock::now().time_since_epoch();
        const auto ticks = std::chrono::duration_cast<
            std::chrono::duration<int64_t, std::ratio<1, kTicksPerSecond>>>(since1970);
        return kEpochFileTime + static_cast<uint64_t>(ticks.count());
    }

    uint32_t computerZone(RulesBlock& rules) override {
        rules = RulesBlock{};
        setRulesName(rules.StandardName, u"Coordinated Universal Time");
        setRulesName(rules.DaylightName, u"Coordinated Universal Time");
        return kZoneIdUnknown;
    }

    int64_t presentOffsetSeconds() override { return 0; }
};

class NoZones final : public IZoneRecordSource {
public:
    void readAll(IZoneRecordSink&) override {}
};

void appendFixed(str::StrBuffer& text, uint32_t v, int digits) {
    char16_t units[4];
    for (int i = digits - 1; i >= 0; --i) {
        units[i] = static_cast<char16_t>(u'0' + v % 10);
        v /= 10;
    }
    text.append(units, digits);
}

}  // namespace

IClock& platformClock() {
    static StandardClock clock;
    return clock;
}

IZoneRecordSource& platformZoneRecords() {
    static NoZones none;
    return none;
}

bool platformDateText(uint32_t year, uint32_t month, uint32_t day, str::StrBuffer& text) {
    text.clear();
    // The range the Windows date form accepts, so both builds refuse the same dates.
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31)
        return false;
    appendFixed(text, year, 4);
    text.appendUnit(u'-');
    appendFixed(text, month, 2);
    text.appendUnit(u'-');
    appendFixed(text, day, 2);
    return true;
}

}  // namespace s::time

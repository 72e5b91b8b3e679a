#include <windows.h>

#include <cstring>

#include "time/clock.h"
#include "time/file_time.h"

namespace s::time {

namespace win {
namespace {

static_assert(sizeof(TIME_ZONE_INFORMATION) == sizeof(RulesBlock));

uint64_t fileTimeValue(const FILETIME& ft) {
    return static_cast<uint64_t>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime;
}

FILETIME fileTimeOf(uint64_t value) {
    return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

class PlatformClock final : public IClock {
public:
    uint64_t nowFileTime() override {
        FILETIME ft;
        GetSystemTimeAsFileTime(&ft);
        return fileTimeValue(ft);
    }

    uint32_t computerZone(RulesBlock& rules) override {
        TIME_ZONE_INFORMATION info;
        std::memset(&info, 0, sizeof info);
        const DWORD code = GetTimeZoneInformation(&info);
        std::memcpy(&rules, &info, sizeof rules);
        return code;
    }

    // FileTimeToLocalFileTime applies the offset in force now, whatever the date it converts.
    int64_t presentOffsetSeconds() override {
        const int64_t now = fileTimeToSeconds(nowFileTime());
        const FILETIME utc = fileTimeOf(secondsToFileTime(now));
        FILETIME local;
        if (!FileTimeToLocalFileTime(&utc, &local))
            return 0;
        return fileTimeToSeconds(fileTimeValue(local)) - now;
    }
};

}  // namespace

}  // namespace win

IClock& platformClock() {
    static win::PlatformClock clock;
    return clock;
}

}  // namespace s::time

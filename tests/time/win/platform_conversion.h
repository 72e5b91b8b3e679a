#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>

#include "time/file_time.h"
#include "time/rules_block.h"

// The platform's own conversion of a UTC moment with a rules block, as the tests compare it.
namespace s::time::testing {

inline FILETIME fileTimeOf(uint64_t value) {
    return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

inline uint64_t valueOf(const FILETIME& ft) {
    return static_cast<uint64_t>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime;
}

inline TIME_ZONE_INFORMATION platformBlockOf(const RulesBlock& rules) {
    static_assert(sizeof(TIME_ZONE_INFORMATION) == sizeof(RulesBlock));
    TIME_ZONE_INFORMATION info;
    std::memcpy(&info, &rules, sizeof info);
    return info;
}

// SystemTimeToTzSpecificLocalTime of the moment; false when the platform refuses.
inline bool platformLocalSeconds(const TIME_ZONE_INFORMATION& info, int64_t utcSeconds,
                                 int64_t& local) {
    const FILETIME utcFile = fileTimeOf(secondsToFileTime(utcSeconds));
    SYSTEMTIME utc;
    SYSTEMTIME wall;
    FILETIME wallFile;
    if (!FileTimeToSystemTime(&utcFile, &utc))
        return false;
    if (!SystemTimeToTzSpecificLocalTime(&info, &utc, &wall))
        return false;
    if (!SystemTimeToFileTime(&wall, &wallFile))
        return false;
    local = fileTimeToSeconds(valueOf(wallFile));
    return true;
}

}  // namespace s::time::testing

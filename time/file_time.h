#pragma once

#include <cstdint>

// The two time encodings of the system: a file-time counts 100 ns units since
// 1601-01-01 00:00:00 UTC; a seconds value counts whole seconds since 1970-01-01 00:00:00
// (UTC for a moment, the wall-clock reading for a local time).
namespace s::time {

// File-time of 1970-01-01 00:00:00 UTC.
constexpr uint64_t kEpochFileTime = 116444736ull * 1000000000ull;
constexpr int64_t kTicksPerSecond = 10000000;
constexpr int64_t kTicksPerMilli = 10000;

// Differences are taken modulo 2^64 and read as signed, so no input can overflow; results
// are exact wherever the value fits, and divisions truncate toward zero.
constexpr int64_t fileTimeToMillis(uint64_t fileTime) {
    return static_cast<int64_t>(fileTime - kEpochFileTime) / kTicksPerMilli;
}

constexpr int64_t fileTimeToSeconds(uint64_t fileTime) {
    return static_cast<int64_t>(fileTime - kEpochFileTime) / kTicksPerSecond;
}

constexpr uint64_t secondsToFileTime(int64_t seconds) {
    return static_cast<uint64_t>(seconds) * static_cast<uint64_t>(kTicksPerSecond) + kEpochFileTime;
}

}  // namespace s::time

// The clock core against the platform: one zone conversion ours vs. the platform's, and one
// whole tick of the clock lists. Counters report heap allocations per conversion or tick.
#include <benchmark/benchmark.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "alloc_counter.h"
#include "base/str_buffer.h"
#include "time/calendar.h"
#include "time/conversion.h"
#include "time/file_time.h"
#include "time/formatters.h"
#include "time/time_zone.h"
#include "time/zone_database.h"

namespace {

using s::time::TimeZone;

constexpr size_t kPairs = 4096;  // a power of two: the loops pick pairs with a mask

struct Pair {
    const TimeZone* zone;
    TIME_ZONE_INFORMATION info;
    int64_t moment;
};

// Every zone of the database against moments spread over 2025-2027 (a fixed LCG, so both
// benchmarks convert the same pairs).
const std::vector<Pair>& pairs() {
    static const std::vector<Pair> list = [] {
        std::vector<Pair> out;
        const s::col::ArrayP& zones = s::time::allZones();
        const int64_t start = s::time::calendar::daysFromCivil(2025, 1, 1) * 86400;
        const int64_t span = 3 * 365 * 86400;
        uint64_t state = 12345;
        for (size_t i = 0; i < kPairs && zones.count() > 0; ++i) {
            state = state * 6364136223846793005ull + 1442695040888963407ull;
            Pair p;
            p.zone =
                zones.getAs<TimeZone>(static_cast<int32_t>(i % static_cast<size_t>(zones.count())));
            std::memcpy(&p.info, &p.zone->rules, sizeof p.info);
            p.moment = start + static_cast<int64_t>((state >> 33) % static_cast<uint64_t>(span));
            out.push_back(p);
        }
        return out;
    }();
    return list;
}

void reportAllocations(benchmark::State& state, uint64_t before, const char* name) {
    state.counters[name] =
        benchmark::Counter(static_cast<double>(s::bench::allocationCount() - before),
                           benchmark::Counter::kAvgIterations);
}

void BM_zoneLocalSeconds(benchmark::State& state) {
    const std::vector<Pair>& list = pairs();
    if (list.empty()) {
        state.SkipWithError("no zones");
        return;
    }
    size_t i = 0;
    const uint64_t before = s::bench::allocationCount();
    for (auto _ : state) {
        const Pair& p = list[i++ & (kPairs - 1)];
        benchmark::DoNotOptimize(s::time::zoneLocalSeconds(p.zone, p.moment, true));
    }
    reportAllocations(state, before, "allocs_per_conversion");
}
BENCHMARK(BM_zoneLocalSeconds);

void BM_platformConversion(benchmark::State& state) {
    const std::vector<Pair>& list = pairs();
    if (list.empty()) {
        state.SkipWithError("no zones");
        return;
    }
    size_t i = 0;
    const uint64_t before = s::bench::allocationCount();
    for (auto _ : state) {
        const Pair& p = list[i++ & (kPairs - 1)];
        const uint64_t ft = s::time::secondsToFileTime(p.moment);
        const FILETIME utcFile{static_cast<DWORD>(ft), static_cast<DWORD>(ft >> 32)};
        SYSTEMTIME utc;
        SYSTEMTIME local;
        FILETIME localFile;
        FileTimeToSystemTime(&utcFile, &utc);
        SystemTimeToTzSpecificLocalTime(&p.info, &utc, &local);
        SystemTimeToFileTime(&local, &localFile);
        benchmark::DoNotOptimize(localFile);
    }
    reportAllocations(state, before, "allocs_per_conversion");
}
BENCHMARK(BM_platformConversion);

struct Row {
    const TimeZone* zone;
    bool applyDaylight;
    std::unique_ptr<s::str::StrBuffer> text;
};

Row rowOf(const TimeZone* zone, bool applyDaylight) {
    return Row{zone, applyDaylight, std::make_unique<s::str::StrBuffer>()};
}

// The rows both clock lists hold: the 31 preset places (those the database has) and every
// zone, twice for a zone with daylight rules (daylight on and off).
std::vector<Row>& tickRows() {
    static std::vector<Row> rows = [] {
        static const struct {
            const char16_t* standardName;
            bool daylight;
        } kPreset[] = {
            {u"Hawaiian Standard Time", false},
            {u"Pacific Standard Time", true},
            {u"Mountain Standard Time", true},
            {u"Central Standard Time (Mexico)", true},
            {u"Central Standard Time", true},
            {u"Eastern Standard Time", true},
            {u"Central Brazilian Standard Time", true},
            {u"Argentina Standard Time", true},
            {u"E. South America Standard Time", true},
            {u"GMT Standard Time", true},
            {u"Romance Standard Time", true},
            {u"W. Central Africa Standard Time", false},
            {u"W. Europe Standard Time", true},
            {u"South Africa Standard Time", false},
            {u"E. Europe Standard Time", true},
            {u"Jerusalem Standard Time", true},
            {u"E. Africa Standard Time", false},
            {u"Arabic Standard Time", false},
            {u"Russian Standard Time", true},
            {u"Iran Standard Time", false},
            {u"Afghanistan Standard Time", false},
            {u"India Standard Time", false},
            {u"SE Asia Standard Time", false},
            {u"Malay Peninsula Standard Time", false},
            {u"China Standard Time", false},
            {u"Taipei Standard Time", false},
            {u"W. Australia Standard Time", true},
            {u"Korea Standard Time", false},
            {u"Tokyo Standard Time", false},
            {u"AUS Eastern Standard Time", true},
            {u"New Zealand Standard Time", true},
        };
        std::vector<Row> out;
        const s::col::ArrayP& zones = s::time::allZones();
        out.reserve(31 + 2 * static_cast<size_t>(zones.count()));
        for (const auto& p : kPreset) {
            if (const TimeZone* zone = s::time::findByStandardName(p.standardName)) {
                out.push_back(rowOf(zone, p.daylight && zone->hasDaylight));
            }
        }
        for (int32_t i = 0; i < zones.count(); ++i) {
            const TimeZone* zone = zones.getAs<TimeZone>(i);
            out.push_back(rowOf(zone, zone->hasDaylight));
            if (zone->hasDaylight)
                out.push_back(rowOf(zone, false));
        }
        return out;
    }();
    return rows;
}

void BM_tick(benchmark::State& state) {
    std::vector<Row>& rows = tickRows();
    int64_t now = s::time::calendar::daysFromCivil(2025, 6, 1) * 86400;
    // One warm-up tick gives every row's buffer its storage, as the running clock has it.
    for (Row& row : rows)
        s::time::formatClockCell24(s::time::zoneLocalSeconds(row.zone, now, true), *row.text);
    const uint64_t before = s::bench::allocationCount();
    for (auto _ : state) {
        ++now;
        for (Row& row : rows) {
            s::time::formatClockCell24(s::time::zoneLocalSeconds(row.zone, now, row.applyDaylight),
                                       *row.text);
        }
        benchmark::ClobberMemory();
    }
    reportAllocations(state, before, "allocs_per_tick");
    state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_tick);

}  // namespace

BENCHMARK_MAIN();

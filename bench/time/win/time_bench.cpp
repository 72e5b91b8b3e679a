// The clock core against the platform: one zone conversion ours vs. the platform's, and one
// whole tick of the clock lists. Counters report heap allocations per conversion or tick; the
// console ends with the ratio of the two conversions.
#include <benchmark/benchmark.h>

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "base/str_buffer.h"
#include "bench/time/alloc_counter.h"
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

// The counter sees the allocations it is meant to see (malloc, and operator new through it);
// without that every figure below would read 0 for the wrong reason.
bool allocationsAreCounted() {
    const uint64_t before = s::bench::allocationCount();
    void* block = std::malloc(24);
    benchmark::DoNotOptimize(block);
    std::free(block);
    void* object = ::operator new(24);
    benchmark::DoNotOptimize(object);
    ::operator delete(object);
    return s::bench::allocationCount() - before == 2;
}

// Heap allocations of one untimed pass of `step` over `count` items, per item: counted
// outside the timed loop, so that nothing the benchmark library does between iterations is
// charged to the code under test.
template <typename Step>
double allocationsPerItem(size_t count, Step step) {
    const uint64_t before = s::bench::allocationCount();
    for (size_t i = 0; i < count; ++i)
        step(i);
    return static_cast<double>(s::bench::allocationCount() - before) / static_cast<double>(count);
}

int64_t zoneConversion(const Pair& p) {
    return s::time::zoneLocalSeconds(p.zone, p.moment, true);
}

FILETIME platformConversion(const Pair& p) {
    const uint64_t ft = s::time::secondsToFileTime(p.moment);
    const FILETIME utcFile{static_cast<DWORD>(ft), static_cast<DWORD>(ft >> 32)};
    SYSTEMTIME utc;
    SYSTEMTIME local;
    FILETIME localFile{};
    FileTimeToSystemTime(&utcFile, &utc);
    SystemTimeToTzSpecificLocalTime(&p.info, &utc, &local);
    SystemTimeToFileTime(&local, &localFile);
    return localFile;
}

bool ready(benchmark::State& state, const std::vector<Pair>& list) {
    if (list.empty()) {
        state.SkipWithError("no zones");
        return false;
    }
    if (!allocationsAreCounted()) {
        state.SkipWithError("the allocation counter is not linked in");
        return false;
    }
    return true;
}

void BM_zoneLocalSeconds(benchmark::State& state) {
    const std::vector<Pair>& list = pairs();
    if (!ready(state, list))
        return;
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(zoneConversion(list[i++ & (kPairs - 1)]));
    }
    state.counters["allocs_per_conversion"] = allocationsPerItem(
        kPairs, [&](size_t k) { benchmark::DoNotOptimize(zoneConversion(list[k])); });
}
BENCHMARK(BM_zoneLocalSeconds);

// The platform's heap is not malloc's, so its own allocations (if any) are not counted here.
void BM_platformConversion(benchmark::State& state) {
    const std::vector<Pair>& list = pairs();
    if (!ready(state, list))
        return;
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(platformConversion(list[i++ & (kPairs - 1)]));
    }
    state.counters["allocs_per_conversion"] = allocationsPerItem(
        kPairs, [&](size_t k) { benchmark::DoNotOptimize(platformConversion(list[k])); });
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

// The rows both clock lists hold: the 31 preset places with their fixed daylight modes (those
// the database has; the pick-up list skips the others too) and every zone, twice for a zone
// with daylight rules (daylight on and off).
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
                out.push_back(rowOf(zone, p.daylight));
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

void tick(std::vector<Row>& rows, int64_t now) {
    for (Row& row : rows) {
        s::time::formatClockCell24(s::time::zoneLocalSeconds(row.zone, now, row.applyDaylight),
                                   *row.text);
    }
}

void BM_tick(benchmark::State& state) {
    std::vector<Row>& rows = tickRows();
    if (rows.empty() || !allocationsAreCounted()) {
        state.SkipWithError(rows.empty() ? "no zones" : "the allocation counter is not linked in");
        return;
    }
    int64_t now = s::time::calendar::daysFromCivil(2025, 6, 1) * 86400;
    // One warm-up tick gives every row's buffer its storage, as the running clock has it.
    tick(rows, now);
    for (auto _ : state) {
        tick(rows, ++now);
        benchmark::ClobberMemory();
    }
    state.counters["allocs_per_tick"] = allocationsPerItem(16, [&](size_t) { tick(rows, ++now); });
    state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_tick);

// The console report, followed by how many times faster our conversion is than the
// platform's (mean of the runs of each, wall-clock and CPU time per conversion).
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration)
                continue;
            Mean& mean = means_[run.run_name.function_name];
            mean.real += run.GetAdjustedRealTime();
            mean.cpu += run.GetAdjustedCPUTime();
            ++mean.runs;
        }
    }

    void printRatio() const {
        const auto ours = means_.find("BM_zoneLocalSeconds");
        const auto platform = means_.find("BM_platformConversion");
        if (ours == means_.end() || platform == means_.end())
            return;
        const Mean a = ours->second.average();
        const Mean b = platform->second.average();
        if (a.real <= 0 || a.cpu <= 0)
            return;
        std::printf(
            "per conversion: ours %.1f ns, the platform's %.1f ns (wall clock): %.1f times "
            "faster; CPU time %.1f ns and %.1f ns: %.1f times faster\n",
            a.real, b.real, b.real / a.real, a.cpu, b.cpu, b.cpu / a.cpu);
        std::fflush(stdout);
    }

private:
    struct Mean {
        double real = 0;
        double cpu = 0;
        int runs = 0;
        Mean average() const { return runs == 0 ? Mean{} : Mean{real / runs, cpu / runs, 1}; }
    };
    std::map<std::string, Mean> means_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio();
    benchmark::Shutdown();
    return 0;
}

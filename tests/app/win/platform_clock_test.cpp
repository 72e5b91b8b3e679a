// The clock rows against the platform's zone database, and the update task on a real
// worker thread.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/tellavo/clock_rows.h"
#include "app/tellavo/clock_window_seams.h"
#include "app/tellavo/dst_mode.h"
#include "app/tellavo/time_record.h"
#include "base/obj_locker.h"
#include "gui/listbox2/record.h"
#include "gui/listbox2/sub_record.h"
#include "persist/xml/mapped_data.h"
#include "tests/app/support/clock_rig.h"
#include "tests/app/win/win_environment.h"
#include "thread/win/thread.h"
#include "time/clock.h"
#include "time/formatters.h"
#include "time/time_zone.h"
#include "time/zone_database.h"

namespace s::tests::app {
namespace {

namespace tellavo = time::gui::dialogs::tellavo;
using tellavo::TimeRecord;
using Moment = std::chrono::steady_clock::time_point;

int64_t millisBetween(Moment from, Moment to) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count();
}

// The five cells carry one mark; -1 when they disagree.
int32_t emphasisOf(const TimeRecord& record) {
    gui::listbox2::Record* row = record.row();
    bool first = row->cell(0)->emphasis();
    for (int32_t i = 1; i < tellavo::kCellCount; ++i) {
        if (row->cell(i)->emphasis() != first)
            return -1;
    }
    return first ? 1 : 0;
}

struct Marked {
    std::u16string name;
    int32_t mode;
    bool operator==(const Marked& other) const { return name == other.name && mode == other.mode; }
};

std::vector<Marked> markedRecords(const col::ArrayP& records) {
    std::vector<Marked> marked;
    for (int32_t i = 0; i < records.count(); ++i) {
        const TimeRecord& record = *records.getAs<TimeRecord>(i);
        EXPECT_NE(emphasisOf(record), -1) << utf8(record.name.text());
        if (emphasisOf(record) == 1)
            marked.push_back({record.name.text(), record.dstMode});
    }
    return marked;
}

// The runs of this program are the computers their TZ names; otherwise the checks by
// computer below would quietly fall back to the generic ones.
TEST(PlatformComputerTest, TheRunsTzNamesTheComputersZone) {
    wchar_t tz[64] = {};
    DWORD length = GetEnvironmentVariableW(L"TZ", tz, 64);
    std::u16string name(reinterpret_cast<const char16_t*>(tz), length < 64 ? length : 0);
    if (name == u"Asia/Tokyo") {
        EXPECT_EQ(winComputer(), WinComputer::kTokyo);
    } else if (name == u"America/New_York") {
        EXPECT_EQ(winComputer(), WinComputer::kNewYork);
    } else {
        EXPECT_EQ(winComputer(), WinComputer::kOther) << utf8(name.c_str());
    }
}

class PlatformClockRowsTest : public testing::Test {
protected:
    PlatformClockRowsTest() : store(xml::MappedData::take()), rig(store) {
        rig.dialog.loadPickUpList();
        rig.dialog.buildAllZonesList();
    }
    ~PlatformClockRowsTest() override { store->release(); }

    // The all-zones record of a zone in a mode; nullptr when there is none.
    const TimeRecord* allZonesRecord(const char16_t* standardName, int32_t mode) {
        const col::ArrayP& records = rig.dialog.allZoneRecords();
        for (int32_t i = 0; i < records.count(); ++i) {
            const TimeRecord* record = records.getAs<TimeRecord>(i);
            if (record->zone->standardName.equals(standardName) && record->dstMode == mode) {
                return record;
            }
        }
        return nullptr;
    }

    const char16_t* shownText(const TimeRecord& record, int32_t column) {
        gui::listbox2::Record* row = record.row();
        const char16_t* text = rig.allZones.cellText(row, row->serial(), column);
        return text != nullptr ? text : u"";
    }

    xml::MappedData* store;
    ClockRig rig;
};

TEST_F(PlatformClockRowsTest, OnlyTheRowsOfTheComputersClockAreEmphasised) {
    std::vector<Marked> pickUp = markedRecords(rig.dialog.pickUpRecords());
    std::vector<Marked> allZones = markedRecords(rig.dialog.allZoneRecords());
    switch (winComputer()) {
        case WinComputer::kTokyo:
            EXPECT_FALSE(time::systemAdjustsDaylight());
            EXPECT_EQ(pickUp, (std::vector<Marked>{{u"Japan", tellavo::kDstNotAvailable}}));
            EXPECT_EQ(allZones,
                      (std::vector<Marked>{{u"Tokyo Standard Time", tellavo::kDstNotAvailable}}));
            break;
        case WinComputer::kNewYork:
            // July: the computer's clock runs on daylight time, so only the "ON" rows match.
            EXPECT_TRUE(time::systemAdjustsDaylight());
            EXPECT_EQ(pickUp,
                      (std::vector<Marked>{{u"Eastern Time (US & Canada)", tellavo::kDstOn}}));
            EXPECT_EQ(allZones, (std::vector<Marked>{{u"Eastern Standard Time (DST Auto-Adjust)",
                                                      tellavo::kDstOn}}));
            break;
        case WinComputer::kOther: {
            // Whatever the zone, exactly one of its all-zones rows matches the clock.
            ASSERT_EQ(allZones.size(), 1u);
            const time::TimeZone* computer = time::zoneDatabase().zoneAt(time::systemZoneIndex());
            EXPECT_EQ(allZones[0].name.rfind(computer->standardName.text(), 0), 0u);
            break;
        }
    }
}

TEST_F(PlatformClockRowsTest, AllZonesRowsShowTheMomentInEachZoneOfTheDatabase) {
    // 2026-07-01 12:00 UTC: 08:00 on a computer in New York (daylight time), 21:00 in Tokyo.
    struct Case {
        const char16_t* zone;
        int32_t mode;
        const char16_t* localTime;
        const char16_t* gapFromNewYork;
        const char16_t* gapFromTokyo;
    };
    const Case cases[] = {
        {u"Tokyo Standard Time", tellavo::kDstNotAvailable, u"  1   21:00   00s", u"(+13:00)",
         u"(+00:00)"},
        {u"Eastern Standard Time", tellavo::kDstOn, u"  1   08:00   00s", u"(+00:00)", u"(-13:00)"},
        {u"Eastern Standard Time", tellavo::kDstOff, u"  1   07:00   00s", u"(-01:00)",
         u"(-14:00)"},
        {u"GMT Standard Time", tellavo::kDstOn, u"  1   13:00   00s", u"(+05:00)", u"(-08:00)"},
        {u"GMT Standard Time", tellavo::kDstOff, u"  1   12:00   00s", u"(+04:00)", u"(-09:00)"},
        {u"Hawaiian Standard Time", tellavo::kDstNotAvailable, u"  1   02:00   00s", u"(-06:00)",
         u"(-19:00)"},
        {u"India Standard Time", tellavo::kDstNotAvailable, u"  1   17:30   00s", u"(+09:30)",
         u"(-03:30)"},
        // Southern winter: standard time although daylight saving applies.
        {u"AUS Eastern Standard Time", tellavo::kDstOn, u"  1   22:00   00s", u"(+14:00)",
         u"(+01:00)"},
        {u"New Zealand Standard Time", tellavo::kDstOn, u"  2   00:00   00s", u"(+16:00)",
         u"(+03:00)"},
    };
    WinComputer computer = winComputer();
    for (const Case& c : cases) {
        const TimeRecord* record = allZonesRecord(c.zone, c.mode);
        ASSERT_NE(record, nullptr) << utf8(c.zone) << " mode " << c.mode;
        EXPECT_EQ(std::u16string(shownText(*record, 1)), c.localTime) << utf8(c.zone);
        if (computer == WinComputer::kOther)
            continue;
        EXPECT_EQ(std::u16string(shownText(*record, 2)),
                  computer == WinComputer::kTokyo ? c.gapFromTokyo : c.gapFromNewYork)
            << utf8(c.zone);
    }

    int32_t rows = 0;
    const col::ArrayP& zones = time::allZones();
    for (int32_t i = 0; i < zones.count(); ++i)
        rows += zones.getAs<time::TimeZone>(i)->hasDaylight ? 2 : 1;
    EXPECT_EQ(rig.allZones.recordCount(), rows);
}

// Keeps every text the task showed and when it came; read from the test thread.
class TimedLine final : public tellavo::ITimeLine {
public:
    void showText(const char16_t* text) override {
        thread::Locked guard(lock_);
        texts_.emplace_back(text);
        times_.push_back(std::chrono::steady_clock::now());
    }

    size_t count() {
        thread::Locked guard(lock_);
        return texts_.size();
    }
    std::u16string textAt(size_t i) {
        thread::Locked guard(lock_);
        return texts_.at(i);
    }
    Moment timeAt(size_t i) {
        thread::Locked guard(lock_);
        return times_.at(i);
    }
    // Waits until at least `count` texts were shown; false after `timeoutMs`.
    bool waitForCount(size_t wanted, int32_t timeoutMs) {
        for (int32_t waited = 0; count() < wanted; waited += 5) {
            if (waited >= timeoutMs)
                return false;
            Sleep(5);
        }
        return true;
    }

private:
    thread::ObjLocker lock_;
    std::vector<std::u16string> texts_;
    std::vector<Moment> times_;
};

// The summer noon, moving on with the platform's clock from the moment it is made.
class MovingClock final : public time::IClock {
public:
    MovingClock() : base_(time::activeClock()), start_(time::platformClock().nowFileTime()) {}
    uint64_t nowFileTime() override {
        return base_.nowFileTime() + (time::platformClock().nowFileTime() - start_);
    }
    uint32_t computerZone(time::RulesBlock& rules) override { return base_.computerZone(rules); }
    int64_t presentOffsetSeconds() override { return base_.presentOffsetSeconds(); }

private:
    time::IClock& base_;
    uint64_t start_;
};

bool isTwelveHourLabel(const std::u16string& text) {
    return text.find(u" AM  ") != std::u16string::npos ||
           text.find(u" PM  ") != std::u16string::npos;
}

// Every local-time cell of a list shows its value in the given form.
void expectLocalTimeForm(gui::win::ListBox2& list, bool twelveHour) {
    str::StrBuffer expected;
    for (int32_t i = 0; i < list.recordCount(); ++i) {
        gui::listbox2::Record* row = list.recordAt(i);
        const auto* value = static_cast<const int64_t*>(list.cellValue(row, row->serial(), 1));
        ASSERT_NE(value, nullptr);
        if (twelveHour) {
            time::formatClockCell12(*value, expected);
        } else {
            time::formatClockCell24(*value, expected);
        }
        const char16_t* shown = list.cellText(row, row->serial(), 1);
        ASSERT_EQ(std::u16string(shown != nullptr ? shown : u""), expected.text()) << "row " << i;
    }
}

std::vector<void*> localTimeBlocks(const ClockRig& rig) {
    std::vector<void*> blocks;
    for (const col::ArrayP* records : {&rig.dialog.pickUpRecords(), &rig.dialog.allZoneRecords()}) {
        for (int32_t i = 0; i < records->count(); ++i) {
            blocks.push_back(records->getAs<TimeRecord>(i)->row()->cell(1)->value());
        }
    }
    return blocks;
}

// Installs a clock for one test.
class ClockInstalled {
public:
    explicit ClockInstalled(time::IClock& clock) { time::setClock(&clock); }
    ~ClockInstalled() { time::setClock(nullptr); }
    ClockInstalled(const ClockInstalled&) = delete;
    ClockInstalled& operator=(const ClockInstalled&) = delete;
};

class PlatformUpdateTaskTest : public testing::Test {
protected:
    PlatformUpdateTaskTest() : store(xml::MappedData::take()) {}
    ~PlatformUpdateTaskTest() override { store->release(); }

    // Declared before the rig: the rig's teardown stops the task before these go.
    TimedLine line;
    tellavo::IconizedFlag iconized;
    xml::MappedData* store;
};

TEST_F(PlatformUpdateTaskTest, RunsOnAWorkerThreadSwitchesTheFormAndStopsWithinASlice) {
    MovingClock moving;
    ClockInstalled installed(moving);
    {
        ClockRig rig(store);
        rig.dialog.copyTimeTexts();
        rig.dialog.loadPickUpList();
        rig.dialog.buildAllZonesList();
        rig.dialog.setShowInAmPm(false);
        rig.dialog.setTimeLine(&line);
        rig.dialog.setIconizedState(&iconized);
        std::vector<void*> blocksBefore = localTimeBlocks(rig);

        auto* worker = thread::win::Thread::take();
        ASSERT_NE(worker, nullptr);
        ASSERT_TRUE(rig.dialog.startUpdateTask(worker));  // the controller owns it now
        ASSERT_TRUE(line.waitForCount(3, 10000));
        EXPECT_TRUE(rig.dialog.taskRunning());
        int64_t period = millisBetween(line.timeAt(1), line.timeAt(2));
        // The clock moves on between cycles.
        EXPECT_NE(line.textAt(1), line.textAt(2));
        EXPECT_FALSE(isTwelveHourLabel(line.textAt(2)));

        // The option is read once per cycle: the next cycle shows the 12-hour form.
        Moment asked = std::chrono::steady_clock::now();
        rig.dialog.setShowInAmPm(true);
        size_t before = line.count();
        ASSERT_TRUE(line.waitForCount(before + 1, 10000));
        int64_t switched = millisBetween(asked, line.timeAt(before));
        EXPECT_TRUE(isTwelveHourLabel(line.textAt(before))) << utf8(line.textAt(before).c_str());

        // From the next wait on the period is three seconds; stop in the middle of it.
        iconized.setIconized(true);
        ASSERT_TRUE(line.waitForCount(before + 2, 10000));
        Sleep(300);
        Moment stop = std::chrono::steady_clock::now();
        rig.dialog.requestStop();
        int32_t polls = 0;
        while (!worker->isDone() && polls++ < 1000)
            Sleep(1);
        int64_t stopped = millisBetween(stop, std::chrono::steady_clock::now());
        EXPECT_TRUE(worker->isDone());
        EXPECT_FALSE(rig.dialog.taskRunning());
        // One wait slice is 200 ms; a wait that ignored the stop would take 2700 ms more.
        EXPECT_LT(stopped, 1500);
        std::printf(
            "[ figures  ] update task: period %lld ms, format switch seen after %lld ms, "
            "ended %lld ms after the stop\n",
            static_cast<long long>(period), static_cast<long long>(switched),
            static_cast<long long>(stopped));

        expectLocalTimeForm(rig.pickUp, true);
        expectLocalTimeForm(rig.allZones, true);
        // The local times were written into the cells' own blocks.
        EXPECT_EQ(localTimeBlocks(rig), blocksBefore);
        size_t shown = line.count();
        Sleep(400);
        EXPECT_EQ(line.count(), shown);
    }
}

TEST_F(PlatformUpdateTaskTest, TeardownWaitsForTheSleepingTask) {
    int64_t took = 0;
    {
        ClockRig rig(store);
        rig.dialog.copyTimeTexts();
        rig.dialog.loadPickUpList();
        rig.dialog.setTimeLine(&line);
        auto* worker = thread::win::Thread::take();
        ASSERT_TRUE(rig.dialog.startUpdateTask(worker));
        ASSERT_TRUE(line.waitForCount(1, 10000));
        Sleep(100);
        Moment asked = std::chrono::steady_clock::now();
        rig.dialog.reset();
        took = millisBetween(asked, std::chrono::steady_clock::now());
        EXPECT_FALSE(rig.dialog.taskRunning());
        EXPECT_FALSE(rig.dialog.stopRequested());
        EXPECT_EQ(rig.dialog.pickUpRecords().count(), 0);
        EXPECT_EQ(rig.pickUp.recordCount(), 0);
    }
    size_t shown = line.count();
    Sleep(300);
    EXPECT_EQ(line.count(), shown);
    EXPECT_LT(took, 1500);
    std::printf("[ figures  ] controller reset with the task asleep: %lld ms\n",
                static_cast<long long>(took));
}

}  // namespace
}  // namespace s::tests::app

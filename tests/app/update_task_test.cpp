#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "app/tellavo/clock_rows.h"
#include "app/tellavo/clock_window_seams.h"
#include "app/tellavo/time_record.h"
#include "gui/listbox2/record.h"
#include "gui/listbox2/sub_record.h"
#include "persist/xml/mapped_data.h"
#include "tests/app/support/clock_rig.h"
#include "time/clock.h"
#include "time/conversion.h"
#include "time/file_time.h"
#include "time/formatters.h"
#include "time/time_zone.h"

// Counts the allocations made while `countingAllocations` is set (on every thread; the
// tests that count run the task on their own thread and nothing else runs meanwhile).
namespace {
std::atomic<bool> countingAllocations{false};
std::atomic<int64_t> allocations{0};

void* allocate(std::size_t size) {
    if (countingAllocations.load(std::memory_order_relaxed))
        ++allocations;
    void* block = std::malloc(size != 0 ? size : 1);
    if (block == nullptr)
        std::abort();
    return block;
}

void* tryAllocate(std::size_t size) noexcept {
    if (countingAllocations.load(std::memory_order_relaxed))
        ++allocations;
    return std::malloc(size != 0 ? size : 1);
}
}  // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return tryAllocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return tryAllocate(size);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}

namespace s::tests::app {
namespace {

namespace tellavo = time::gui::dialogs::tellavo;
using tellavo::TimeRecord;

// Runs the update task's waits without time: every slice calls `onSlice`.
class ScriptedSleeper final : public tellavo::ISleeper {
public:
    void sleep(int32_t milliseconds) override {
        EXPECT_EQ(milliseconds, 200);
        if (onSlice)
            onSlice();
    }
    std::function<void()> onSlice;
};

// Keeps every text the task showed.
class RecordingTimeLine final : public tellavo::ITimeLine {
public:
    void showText(const char16_t* text) override { texts.emplace_back(text); }
    std::vector<std::u16string> texts;
};

// A clock whose every reading is one second after the one before.
class TickingClock final : public time::IClock {
public:
    explicit TickingClock(time::IClock& base) : base_(base) {}
    uint64_t nowFileTime() override {
        return base_.nowFileTime() + static_cast<uint64_t>(ticks_++) * time::kTicksPerSecond;
    }
    uint32_t computerZone(time::RulesBlock& rules) override { return base_.computerZone(rules); }
    int64_t presentOffsetSeconds() override { return base_.presentOffsetSeconds(); }

private:
    time::IClock& base_;
    std::atomic<int64_t> ticks_{0};
};

class UpdateTaskTest : public testing::Test {
protected:
    UpdateTaskTest() : store(xml::MappedData::take()), rig(store) {
        rig.dialog.copyTimeTexts();
        rig.dialog.loadPickUpList();
        rig.dialog.buildAllZonesList();
        rig.dialog.setSleeper(&sleeper);
    }
    ~UpdateTaskTest() override { store->release(); }

    // Display position of the Japan row of the preset.
    int32_t japanRow() {
        for (int32_t i = 0; i < rig.pickUp.recordCount(); ++i) {
            if (std::u16string(rig.pickUpText(i, 0)) == u"Japan")
                return i;
        }
        return -1;
    }

    xml::MappedData* store;
    ClockRig rig;
    ScriptedSleeper sleeper;
};

TEST_F(UpdateTaskTest, WaitsFiveSlicesAndFifteenWhileIconized) {
    tellavo::TimeLineSink line;
    tellavo::IconizedFlag iconized;
    rig.dialog.setTimeLine(&line);
    rig.dialog.setIconizedState(&iconized);
    int32_t slices[6] = {};
    sleeper.onSlice = [&] {
        int32_t cycle = line.shownCount();
        ASSERT_LT(cycle, 6);
        ++slices[cycle];
        EXPECT_TRUE(rig.dialog.taskRunning());
        // The period is chosen when a cycle's work is done, so a change shows from the next
        // cycle on.
        if (cycle == 2 && slices[cycle] == 1)
            iconized.setIconized(true);
        if (cycle == 3 && slices[cycle] == 1)
            iconized.setIconized(false);
        if (cycle == 4 && slices[cycle] == 3)
            rig.dialog.requestStop();
    };
    rig.dialog.run();
    EXPECT_EQ(slices[1], 5);
    EXPECT_EQ(slices[2], 5);
    EXPECT_EQ(slices[3], 15);
    EXPECT_EQ(slices[4], 3);
    EXPECT_EQ(line.shownCount(), 4);
    EXPECT_FALSE(rig.dialog.taskRunning());
}

TEST_F(UpdateTaskTest, TheHourFormSwitchesAtTheNextCycle) {
    RecordingTimeLine line;
    rig.dialog.setTimeLine(&line);
    rig.dialog.setShowInAmPm(false);
    int32_t japan = japanRow();
    ASSERT_GE(japan, 0);
    int64_t now = time::nowSeconds();
    int64_t tokyo = time::zoneLocalSeconds(
        rig.dialog.pickUpRecords().getAs<TimeRecord>(japan)->zone, now, false);
    str::StrBuffer expected24, expected12;
    time::formatClockCell24(tokyo, expected24);
    time::formatClockCell12(tokyo, expected12);
    int32_t slice = 0;
    sleeper.onSlice = [&] {
        ++slice;
        if (slice == 1) {
            EXPECT_EQ(std::u16string(rig.pickUpText(japan, 1)), expected24.text());
            rig.dialog.setShowInAmPm(true);
        } else if (slice == 6) {
            rig.dialog.requestStop();
        }
    };
    rig.dialog.run();

    EXPECT_EQ(std::u16string(rig.pickUpText(japan, 1)), expected12.text());
    for (int32_t i = 0; i < rig.allZones.recordCount(); ++i) {
        auto* record = static_cast<TimeRecord*>(rig.allZones.recordAt(i)->userData());
        str::StrBuffer text;
        time::formatClockCell12(time::zoneLocalSeconds(record->zone, now, record->dstMode == 2),
                                text);
        ASSERT_EQ(std::u16string(rig.allZonesText(i, 1)), text.text()) << i;
    }
    ASSERT_EQ(line.texts.size(), 2u);
    str::StrBuffer label24, label12;
    time::formatDateTime24(time::systemLocalSeconds(now), label24);
    time::formatDateTime12(time::systemLocalSeconds(now), label12);
    EXPECT_EQ(line.texts[0], label24.text());
    EXPECT_EQ(line.texts[1], label12.text());
    EXPECT_TRUE(line.texts[1].find(u" AM  ") != std::u16string::npos ||
                line.texts[1].find(u" PM  ") != std::u16string::npos);
    // "Show in AM / PM" is stored as it changes.
    EXPECT_TRUE(store->getBool(u"MainWindow\\View", u"ShowInAmPm", false));
}

TEST_F(UpdateTaskTest, LocalTimesAreRewrittenInPlaceWithoutAllocating) {
    time::IClock& fixed = time::activeClock();
    TickingClock ticking(fixed);
    time::setClock(&ticking);

    struct Cell {
        gui::listbox2::SubRecord* cell;
        void* value;
        const str::StrBuffer* text;
        const char16_t* units;
        std::u16string before;
    };
    std::vector<Cell> cells;
    for (const col::ArrayP* records : {&rig.dialog.pickUpRecords(), &rig.dialog.allZoneRecords()}) {
        for (int32_t i = 0; i < records->count(); ++i) {
            cells.push_back(
                {records->getAs<TimeRecord>(i)->row()->cell(1), nullptr, nullptr, nullptr, {}});
        }
    }
    tellavo::TimeLineSink line;
    rig.dialog.setTimeLine(&line);
    int32_t slice = 0;
    sleeper.onSlice = [&] {
        ++slice;
        if (slice == 1) {
            // After the first cycle: every text exists; from now on nothing may be taken.
            for (Cell& c : cells) {
                c.value = c.cell->value();
                c.text = c.cell->text();
                c.units = c.text->rawChars();
                c.before = c.text->text();
            }
            thread::poolOf<str::StrBuffer>().drain();
            allocations = 0;
            countingAllocations = true;
        } else if (slice == 16) {
            countingAllocations = false;
            rig.dialog.requestStop();
        }
    };
    rig.dialog.run();
    time::setClock(&fixed);

    EXPECT_EQ(allocations.load(), 0);
    EXPECT_EQ(thread::poolOf<str::StrBuffer>().idleCount(), 1);  // the task's own buffer
    for (const Cell& c : cells) {
        EXPECT_EQ(c.cell->value(), c.value);
        EXPECT_EQ(c.cell->text(), c.text);
        EXPECT_EQ(c.text->rawChars(), c.units);
        // The clock moved on, and so did the text.
        EXPECT_NE(std::u16string(c.text->text()), c.before);
    }
}

// The list gives its rows back while the records still hold handles to them; the row pool
// keeps 1000 and destroys the rest. Neither the task's cycle nor the records' release may
// then read a row through its handle (ASan watches the native run).
TEST_F(UpdateTaskTest, RowsTheListGaveBackAreNeverReadThroughStaleHandles) {
    constexpr int32_t kRows = 1500;
    col::ArrayP copies;
    const col::ArrayP& zones = rig.dialog.allZoneRecords();
    ASSERT_GT(zones.count(), 0);
    for (int32_t i = 0; copies.count() < kRows; ++i)
        copies.add(zones.get(i % zones.count()));
    rig.dialog.addToPickUp(copies);
    copies.clear();
    ASSERT_GE(rig.pickUp.recordCount(), kRows);

    auto& rows = thread::poolOf<gui::listbox2::Record>();
    rig.pickUp.clear();
    EXPECT_EQ(rows.idleCount(), rows.capacity());  // the rest were destroyed
    for (int32_t i = 0; i < rig.dialog.pickUpRecords().count(); ++i) {
        const TimeRecord& record = *rig.dialog.pickUpRecords().getAs<TimeRecord>(i);
        ASSERT_FALSE(gui::listbox2::Record::isLive(record.row(), record.rowSerial())) << i;
    }

    sleeper.onSlice = [&] { rig.dialog.requestStop(); };
    rig.dialog.run();
    rig.dialog.reset();  // every record gives its handle back
    EXPECT_EQ(rig.dialog.pickUpRecords().count(), 0);
}

TEST_F(UpdateTaskTest, AStopEndsTheWaitWithinASlice) {
    rig.dialog.setSleeper(nullptr);
    tellavo::TimeLineSink line;
    tellavo::IconizedFlag iconized;
    iconized.setIconized(true);  // a three-second period
    rig.dialog.setTimeLine(&line);
    rig.dialog.setIconizedState(&iconized);
    std::thread task([&] { rig.dialog.run(); });
    for (int32_t i = 0; i < 1000 && line.shownCount() == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_EQ(line.shownCount(), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    auto asked = std::chrono::steady_clock::now();
    rig.dialog.requestStop();
    task.join();
    auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - asked);
    // One slice is 200 ms; the period would have been 3000 ms.
    EXPECT_LT(took.count(), 1000);
    std::printf("[ figures  ] update task ended %lld ms after the stop\n",
                static_cast<long long>(took.count()));
    EXPECT_EQ(line.shownCount(), 1);
    EXPECT_FALSE(rig.dialog.taskRunning());
}

}  // namespace
}  // namespace s::tests::app

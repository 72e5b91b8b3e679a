// The control's hand-over to its GUI thread when that fails, selection re-reads, label
// edits, and cell values a worker thread writes in place while the GUI thread sorts.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

#include "base/cleaners.h"
#include "base/str_buffer.h"
#include "gui/listbox2/cell_functions.h"
#include "gui/listbox2/data_type.h"
#include "gui/listbox2/record.h"
#include "gui/listbox2/sub_record.h"
#include "gui/win/list_box2.h"
#include "tests/gui/fake_platform.h"
#include "tests/gui/test_support.h"

namespace s::gui::win {
namespace {

using listbox2::Record;
using testing::EventLog;
using testing::FakePlatform;

class ListBox2HandOverTest : public ::testing::Test {
protected:
    void SetUp() override {
        box.addColumnLiteral(u"Location", 120, 0, true, listbox2::compareText, true, false,
                             false, false, false);
        box.addColumnLiteral(u"Local Time", 120, 0, true, listbox2::compareInt64, true, false,
                             false, false, false);
        platform = std::make_unique<FakePlatform>(box);
    }
    void TearDown() override {
        platform->refuseHandOvers = false;
        platform->onGui([&] { box.clear(); });
        platform.reset();
    }
    Record* append(const char16_t* name, int64_t number) {
        Record* row = testing::textAndNumberRow(name, number);
        EXPECT_TRUE(box.appendRecord(row));
        return row;
    }

    ListBox2 box;
    std::unique_ptr<FakePlatform> platform;
};

TEST_F(ListBox2HandOverTest, AFailedHandOverReportsFailureAndRunsNothing) {
    Record* a = append(u"a", 1);
    uint32_t s = a->serial();
    platform->refuseHandOvers = true;  // the window is gone
    Record* late = testing::textAndNumberRow(u"late", 5);
    auto* column = listbox2::DataType::createLiteral(u"Gap", {});
    // Every result is the failure value, never what a block happened to hold.
    EXPECT_EQ(box.recordCount(), 0);
    EXPECT_EQ(box.recordAt(0), nullptr);
    EXPECT_EQ(box.firstRecord(), nullptr);
    EXPECT_EQ(box.nextRecord(a, s, true), nullptr);
    EXPECT_FALSE(box.appendRecord(late));
    EXPECT_FALSE(box.removeRecord(a, s));
    EXPECT_FALSE(box.setCellValue(a, s, 1, nullptr));
    EXPECT_EQ(box.cellText(a, s, 0), nullptr);
    EXPECT_FALSE(box.selectRecord(a, s));
    EXPECT_FALSE(box.isSelected(a, s));
    EXPECT_EQ(box.addColumnObject(column), -1);  // the column is released, not leaked
    int32_t order[] = {1, 0};
    EXPECT_FALSE(box.setColumnOrder(order, 2));
    box.removeAllRecords();
    box.sort();
    // Nothing ran: the list is as it was.
    platform->refuseHandOvers = false;
    EXPECT_EQ(box.recordCount(), 1);
    EXPECT_EQ(box.columnCount(), 2);
    EXPECT_EQ(box.columnOrderAt(0), 0);
    EXPECT_EQ(std::u16string(box.cellText(a, s, 1)), u"1");
    late->release();
}

TEST_F(ListBox2HandOverTest, AChangeReportedForAllItemsReadsTheSelectionAgain) {
    box.setMultiSelect(true);
    Record* a = append(u"a", 1);
    Record* b = append(u"b", 2);
    Record* c = append(u"c", 3);
    EventLog log;
    platform->onGui([&] {
        box.addListener(IListBox2::kRowSelected, &log);
        box.addListener(IListBox2::kRowDeselected, &log);
        box.addListener(IListBox2::kSingleSelection, &log);
        box.addListener(IListBox2::kSelectionEmpty, &log);
    });
    ASSERT_TRUE(box.selectRecord(a, a->serial()));
    platform->onGui([&] {
        log.clear();
        // The platform selected b and c and dropped a, and said so once for all items.
        platform->selectedItems = {b, c};
        box.resyncSelection();
        EXPECT_EQ(box.selectedCount(), 2);
        EXPECT_EQ(box.selectedAt(0), b);
        EXPECT_EQ(box.selectedAt(1), c);
        EXPECT_EQ(log.ids, (std::vector<int32_t>{IListBox2::kRowDeselected,
                                                 IListBox2::kSelectionEmpty,
                                                 IListBox2::kSingleSelection,
                                                 IListBox2::kRowSelected,
                                                 IListBox2::kRowSelected}));
        log.clear();
        platform->selectedItems.clear();
        box.resyncSelection();
        EXPECT_EQ(box.selectedCount(), 0);
        EXPECT_EQ(log.ids, (std::vector<int32_t>{IListBox2::kRowDeselected,
                                                 IListBox2::kRowDeselected,
                                                 IListBox2::kSelectionEmpty}));
        box.resyncSelection();  // nothing changed: nothing raised
        EXPECT_EQ(log.ids.size(), 3u);
        box.removeListener(IListBox2::kRowSelected, &log);
        box.removeListener(IListBox2::kRowDeselected, &log);
        box.removeListener(IListBox2::kSingleSelection, &log);
        box.removeListener(IListBox2::kSelectionEmpty, &log);
    });
}

TEST_F(ListBox2HandOverTest, ACancelledLabelEditChangesNothing) {
    append(u"a", 1);
    Record* b = append(u"b", 2);
    EventLog log;
    platform->onGui([&] {
        box.addListener(IListBox2::kLabelEdited, &log);
        box.labelEdited(b, nullptr);
        EXPECT_TRUE(log.ids.empty());
        EXPECT_EQ(box.editedPosition(), -1);
        box.labelEdited(b, u"Bern");
        box.labelEdited(b, nullptr);
        EXPECT_EQ(log.ids, (std::vector<int32_t>{IListBox2::kLabelEdited}));
        EXPECT_EQ(box.editedPosition(), 1);
        EXPECT_EQ(std::u16string(box.editedText()), u"Bern");
        box.removeListener(IListBox2::kLabelEdited, &log);
    });
    // The edit is the application's to apply: the cell keeps its text.
    EXPECT_EQ(std::u16string(box.cellText(b, b->serial(), 0)), u"b");
}

// Both halves of every number the worker writes are equal, so a half-written value shows.
int64_t paired(uint32_t n) {
    return static_cast<int64_t>((static_cast<uint64_t>(n) << 32) | n);
}

std::atomic<int32_t> tornReads{0};

void checkedText(const void* value, str::StrBuffer& out) {
    int64_t v = listbox2::loadInt64Value(value);
    if (static_cast<uint32_t>(static_cast<uint64_t>(v) >> 32) != static_cast<uint32_t>(v))
        ++tornReads;
    out.appendInt64(v & 0xFFFFFFFF);
}

TEST_F(ListBox2HandOverTest, WorkerWritesInPlaceWhileTheGuiThreadSortsAndTheWindowComesAndGoes) {
    constexpr int32_t kRows = 20;
    constexpr int32_t kRounds = 500;
    std::vector<Record*> rows;
    for (int32_t i = 0; i < kRows; ++i) {
        Record* row = testing::textAndNumberRow(u"x", paired(i));
        row->cell(1)->setTextFunction(checkedText);
        ASSERT_TRUE(box.appendRecord(row));
        rows.push_back(row);
    }
    std::atomic<bool> stop{false};
    std::atomic<int32_t> guiRounds{0};
    // The GUI thread re-sorts by the written column and rebuilds its texts meanwhile.
    std::thread sorter([&] {
        while (!stop) {
            platform->onGui([&] {
                box.requestSort(1);
                box.sort();
                box.refreshColumn(1);
            });
            ++guiRounds;
        }
    });
    for (int32_t round = 0; round < kRounds; ++round) {
        // The clock task's cycle: freeze, values in place, re-render, thaw.
        box.suspendRedraw(true);
        for (Record* row : rows) {
            listbox2::storeInt64Value(box.cellValue(row, row->serial(), 1),
                                      paired(static_cast<uint32_t>(round * kRows) + 7));
        }
        box.refreshColumn(1);
        box.suspendRedraw(false);
        // Now and then the window goes away for a moment: the calls fail, nothing hangs.
        if (round % 100 == 0) {
            platform->refuseHandOvers = true;
            EXPECT_EQ(box.cellValue(rows[0], rows[0]->serial(), 1), nullptr);
            box.refreshColumn(1);
            platform->refuseHandOvers = false;
        }
    }
    stop = true;
    sorter.join();
    EXPECT_EQ(tornReads.load(), 0);
    EXPECT_GT(guiRounds.load(), 0);
    EXPECT_EQ(box.recordCount(), kRows);
    std::printf("[ figures ] worker rounds %d, GUI sort rounds meanwhile %d\n", kRounds,
                guiRounds.load());
}

}  // namespace
}  // namespace s::gui::win

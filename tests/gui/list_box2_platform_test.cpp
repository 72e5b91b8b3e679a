// The control with a platform side attached: calls from other threads are handed to the
// GUI thread, the platform items follow the model, and only what changed is repainted.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "base/str_buffer.h"
#include "gui/listbox2/cell_functions.h"
#include "gui/listbox2/record.h"
#include "gui/listbox2/sub_record.h"
#include "gui/win/list_box2.h"
#include "tests/gui/fake_platform.h"
#include "tests/gui/test_support.h"

namespace s::gui::win {
namespace {

using listbox2::Record;
using listbox2::SubRecord;
using testing::EventLog;
using testing::FakePlatform;

std::atomic<std::thread::id> textBuiltOn;

void notedText(const void* value, str::StrBuffer& out) {
    textBuiltOn = std::this_thread::get_id();
    listbox2::textOfInt64(value, out);
}

class ListBox2PlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The columns come before the platform, the rows after: both paths are covered.
        box.addColumnLiteral(u"Location", 120, 0, true, listbox2::compareText, true, false, true,
                             false, true);
        box.addColumnLiteral(u"Local Time", 120, 0, true, listbox2::compareInt64, true, false,
                             false, false, false);
        platform = std::make_unique<FakePlatform>(box);
    }
    void TearDown() override {
        platform->onGui([&] { box.clear(); });
        platform.reset();
        EXPECT_EQ(callsOffGuiThread, 0);
    }
    Record* append(const char16_t* name, int64_t number) {
        Record* row = testing::textAndNumberRow(name, number);
        row->cell(0)->setCheckState(SubRecord::kUnchecked);
        EXPECT_TRUE(box.appendRecord(row));
        return row;
    }
    std::vector<std::string> takeLog() {
        std::vector<std::string> log;
        platform->onGui([&] { log.swap(platform->log); });
        return log;
    }
    void expectItemsFollowTheModel() {
        std::vector<Record*> items;
        platform->onGui([&] { items = platform->items; });
        EXPECT_EQ(items, platform->modelRows());
    }

    ListBox2 box;
    std::unique_ptr<FakePlatform> platform;
    int32_t callsOffGuiThread = 0;
};

TEST_F(ListBox2PlatformTest, PlatformItemsFollowEveryChangeMadeFromAnotherThread) {
    box.addColumnLiteral(u"Gap", 80, 2, true, listbox2::compareInt64, true, false, false, false,
                         false);
    Record* a = append(u"a", 3);
    Record* b = append(u"b", 1);
    Record* c = append(u"c", 2);
    expectItemsFollowTheModel();

    // An expanded tree row brings its child; collapsing takes it away again.
    Record* parent = testing::textAndNumberRow(u"parent", 0);
    parent->cell(0)->setTreeState(SubRecord::kExpanded);
    parent->setTreeCell(0);
    Record* child = testing::textAndNumberRow(u"child", 5);
    parent->addChild(0, child);
    ASSERT_TRUE(box.insertRecord(1, parent));
    ASSERT_EQ(box.recordCount(), 5);
    expectItemsFollowTheModel();
    ASSERT_TRUE(box.toggleExpand(parent, parent->serial()));
    expectItemsFollowTheModel();
    ASSERT_TRUE(box.toggleExpand(parent, parent->serial()));
    expectItemsFollowTheModel();

    box.requestSort(1);
    box.sort();
    expectItemsFollowTheModel();
    ASSERT_TRUE(box.removeRecord(b, b->serial()));
    expectItemsFollowTheModel();
    ASSERT_TRUE(box.removeAndRelease(parent, parent->serial()));
    expectItemsFollowTheModel();
    uint32_t serial = c->serial();
    c->release();  // released by its holder while listed
    EXPECT_FALSE(box.removeRecord(c, serial));
    expectItemsFollowTheModel();
    EXPECT_EQ(platform->modelRows(), std::vector<Record*>{a});
    b->release();

    platform->onGui([&] {
        EXPECT_EQ(platform->columns, std::vector<int32_t>{2});
        EXPECT_GT(platform->handOvers, 0);
        callsOffGuiThread = platform->callsOffGuiThread;
    });
}

TEST_F(ListBox2PlatformTest, TextsAreBuiltOnTheGuiThread) {
    Record* a = append(u"a", 42);
    ASSERT_TRUE(box.setCellTextFunction(a, a->serial(), 1, notedText));
    EXPECT_EQ(std::u16string(box.cellText(a, a->serial(), 1)), u"42");
    std::thread::id gui;
    platform->onGui([&] { gui = std::this_thread::get_id(); });
    EXPECT_EQ(textBuiltOn.load(), gui);
    EXPECT_NE(gui, std::this_thread::get_id());
}

TEST_F(ListBox2PlatformTest, OnlyWhatChangedIsRepaintedAndNothingWhileSuspended) {
    append(u"a", 1);
    Record* b = append(u"b", 2);
    takeLog();
    uint32_t s = b->serial();
    struct Step {
        std::function<void()> call;
        std::vector<std::string> repaints;
    } steps[] = {
        {[&] { box.setCellValue(b, s, 1, listbox2::newInt64Value(7)); }, {"cell 1 1"}},
        {[&] { box.refreshCell(b, s, 1); }, {"cell 1 1"}},
        {[&] { box.refreshColumn(1); }, {"column 1"}},
        {[&] { box.setCheckState(b, s, 0, SubRecord::kChecked, false); }, {"row 1"}},
        {[&] { box.setRecordAlternate(b, s, true); }, {"row 1"}},
        {[&] { box.ensureVisible(b, s); }, {"visible 1"}},
        {[&] { box.suspendRedraw(true); }, {"redraw off"}},
        {[&] { box.setCellValue(b, s, 1, listbox2::newInt64Value(8)); }, {}},
        {[&] { box.refreshColumn(1); }, {}},
        {[&] { box.sort(); }, {"reordered"}},
        {[&] { box.suspendRedraw(false); }, {"redraw on", "all"}},
        {[&] { box.sort(); }, {"reordered", "all"}},
        {[&] { box.refreshCell(b, s + 1, 1); }, {}},  // stale handle
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        steps[i].call();
        EXPECT_EQ(takeLog(), steps[i].repaints) << "step " << i;
    }
    EXPECT_EQ(std::u16string(box.cellText(b, s, 1)), u"8");
    platform->onGui([&] { callsOffGuiThread = platform->callsOffGuiThread; });
}

// Calls from a listener run on the GUI thread already; handing them over again would wait
// for the thread that is waiting.
class ReadsTheListWhenSorted : public events::IEventListener {
public:
    explicit ReadsTheListWhenSorted(ListBox2& box) : box_(box) {}
    void onEvent(base::IObject*, int32_t) override {
        count = box_.recordCount();
        first = box_.firstRecord();
    }
    int32_t count = -1;
    Record* first = nullptr;

private:
    ListBox2& box_;
};

TEST_F(ListBox2PlatformTest, AListenerMayCallTheListOnTheGuiThread) {
    append(u"b", 2);
    Record* a = append(u"a", 1);
    ReadsTheListWhenSorted listener(box);
    platform->onGui([&] { box.addListener(IListBox2::kSorted, &listener); });
    box.requestSort(0);
    box.requestSort(0);
    box.sort();
    EXPECT_EQ(listener.count, 2);
    EXPECT_EQ(listener.first, a);
    platform->onGui([&] { callsOffGuiThread = platform->callsOffGuiThread; });
}

TEST_F(ListBox2PlatformTest, ACellUpdateFromAWorkerWaitsForThePaintInProgress) {
    Record* a = append(u"a", 1);
    uint32_t serial = a->serial();
    takeLog();
    std::atomic<bool> painting{false};
    std::atomic<bool> workerCalling{false};
    std::vector<std::string> seen;  // GUI thread only
    platform->post([&] {
        painting = true;
        // Paint until the worker is inside its call; it cannot get through meanwhile.
        while (!workerCalling)
            std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        auto* value = static_cast<int64_t*>(box.cellValue(a, serial, 1));
        seen.push_back("painted " + std::to_string(*value));
    });
    std::thread worker([&] {
        while (!painting)
            std::this_thread::yield();
        workerCalling = true;
        box.setCellValue(a, serial, 1, listbox2::newInt64Value(99));
    });
    worker.join();
    platform->onGui([&] {
        seen.insert(seen.end(), platform->log.begin(), platform->log.end());
        platform->log.clear();
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"painted 1", "cell 0 1"}));
    EXPECT_EQ(std::u16string(box.cellText(a, serial, 1)), u"99");
    platform->onGui([&] { callsOffGuiThread = platform->callsOffGuiThread; });
}

TEST_F(ListBox2PlatformTest, SelectionFollowsThePlatformReports) {
    Record* a = append(u"a", 1);
    Record* b = append(u"b", 2);
    EventLog log;
    platform->onGui([&] {
        for (int32_t id : {IListBox2::kRowSelected, IListBox2::kRowDeselected,
                           IListBox2::kSingleSelection, IListBox2::kSelectionEmpty}) {
            box.addListener(id, &log);
        }
    });
    ASSERT_TRUE(box.selectRecord(a, a->serial()));
    ASSERT_TRUE(box.selectRecord(b, b->serial()));  // single selection: a goes
    EXPECT_EQ(box.selectedCount(), 1);
    EXPECT_EQ(box.selectedAt(0), b);
    box.deselectAll();
    EXPECT_EQ(box.selectedCount(), 0);
    EXPECT_FALSE(box.selectRecord(a, a->serial() + 1));
    platform->onGui([&] {
        EXPECT_EQ(log.ids, (std::vector<int32_t>{
                               IListBox2::kSingleSelection, IListBox2::kRowSelected,   // a
                               IListBox2::kRowDeselected, IListBox2::kSelectionEmpty,  // a
                               IListBox2::kSingleSelection, IListBox2::kRowSelected,   // b
                               IListBox2::kRowDeselected, IListBox2::kSelectionEmpty,  // b
                           }));
        box.removeListener(IListBox2::kRowSelected, &log);
        box.removeListener(IListBox2::kRowDeselected, &log);
        box.removeListener(IListBox2::kSingleSelection, &log);
        box.removeListener(IListBox2::kSelectionEmpty, &log);
        callsOffGuiThread = platform->callsOffGuiThread;
    });
}

}  // namespace
}  // namespace s::gui::win

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cleaners.h"
#include "base/str_buffer.h"
#include "gui/listbox2/cell_functions.h"
#include "gui/listbox2/data_type.h"
#include "gui/listbox2/record.h"
#include "gui/listbox2/sub_record.h"
#include "gui/win/list_box2.h"
#include "tests/gui/test_support.h"

namespace s::gui::win {
namespace {

using listbox2::Record;
using listbox2::SubRecord;
using testing::EventLog;

class ListBox2Test : public ::testing::Test {
protected:
    void SetUp() override {
        box.addColumnLiteral(u"Location", 120, 0, true, listbox2::compareText, true, false, true,
                             false, false);
        box.addColumnLiteral(u"Local Time", 120, 0, true, listbox2::compareInt64, true, false,
                             false, false, false);
        for (int32_t id : {IListBox2::kRowSelected, IListBox2::kRowDeselected,
                           IListBox2::kSingleSelection, IListBox2::kSelectionEmpty,
                           IListBox2::kRowChecked, IListBox2::kRowUnchecked, IListBox2::kSorted}) {
            box.addListener(id, &log);
        }
    }
    Record* append(const char16_t* name, int64_t number) {
        Record* row = testing::textAndNumberRow(name, number);
        row->cell(0)->setCheckState(SubRecord::kUnchecked);
        EXPECT_TRUE(box.appendRecord(row));
        return row;
    }
    std::vector<Record*> selection() {
        std::vector<Record*> rows;
        for (int32_t i = 0; i < box.selectedCount(); ++i)
            rows.push_back(box.selectedAt(i));
        return rows;
    }

    ListBox2 box;
    EventLog log;
};

TEST_F(ListBox2Test, SelectionKeepsRowsWithSerialsAndReportsChanges) {
    box.setMultiSelect(true);
    Record* a = append(u"a", 1);
    Record* b = append(u"b", 2);
    Record* c = append(u"c", 3);

    ASSERT_TRUE(box.selectRecord(c, c->serial()));
    ASSERT_TRUE(box.selectRecord(a, a->serial()));
    EXPECT_EQ(log.ids, (std::vector<int32_t>{IListBox2::kSingleSelection, IListBox2::kRowSelected,
                                             IListBox2::kRowSelected}));
    EXPECT_EQ(log.sources.front(), static_cast<base::IObject*>(&box));
    uint32_t serial = 0;
    EXPECT_EQ(box.selectedAt(0, &serial), c);
    EXPECT_EQ(serial, c->serial());
    EXPECT_EQ(box.selectedAt(2), nullptr);
    EXPECT_TRUE(box.isSelected(a, a->serial()));
    EXPECT_FALSE(box.isSelected(b, b->serial()));

    box.sortSelection();
    EXPECT_EQ(selection(), (std::vector<Record*>{a, c}));
    EXPECT_EQ(box.selectedAt(1, &serial), c);
    EXPECT_EQ(serial, c->serial());

    log.clear();
    box.deselectAll();
    EXPECT_EQ(log.ids, (std::vector<int32_t>{IListBox2::kRowDeselected, IListBox2::kRowDeselected,
                                             IListBox2::kSelectionEmpty}));
    EXPECT_EQ(box.selectedCount(), 0);
    EXPECT_FALSE(box.selectRecord(b, b->serial() + 1));
}

TEST_F(ListBox2Test, SingleSelectionReplacesTheSelectedRow) {
    Record* a = append(u"a", 1);
    Record* b = append(u"b", 2);
    box.selectRecord(a, a->serial());
    log.clear();
    box.selectRecord(b, b->serial());
    EXPECT_EQ(selection(), std::vector<Record*>{b});
    EXPECT_EQ(log.ids,
              (std::vector<int32_t>{IListBox2::kRowDeselected, IListBox2::kSelectionEmpty,
                                    IListBox2::kSingleSelection, IListBox2::kRowSelected}));
}

TEST_F(ListBox2Test, RemovedRowsLeaveTheSelection) {
    box.setMultiSelect(true);
    Record* a = append(u"a", 1);
    Record* b = append(u"b", 2);
    Record* c = append(u"c", 3);
    for (Record* row : {a, b, c})
        box.selectRecord(row, row->serial());

    ASSERT_TRUE(box.removeRecord(b, b->serial()));
    EXPECT_EQ(selection(), (std::vector<Record*>{a, c}));
    b->release();

    // Released by its holder while listed and selected: it leaves both.
    uint32_t serial = c->serial();
    c->release();
    EXPECT_EQ(selection(), std::vector<Record*>{a});
    EXPECT_EQ(box.recordCount(), 1);
    EXPECT_FALSE(box.removeRecord(c, serial));

    box.removeSelected();
    EXPECT_EQ(box.recordCount(), 0);
    EXPECT_EQ(box.selectedCount(), 0);
    a->release();
}

TEST_F(ListBox2Test, ColumnOrderMustNameEveryColumnOnce) {
    box.addColumnLiteral(u"Gap", 80, 2, true, listbox2::compareInt64, true, false, false, false,
                         false);
    ASSERT_EQ(box.columnOrderCount(), 3);
    EXPECT_EQ(box.columnOrderAt(2), 2);

    struct Case {
        std::vector<int32_t> order;
        bool accepted;
    } cases[] = {
        {{2, 0}, false},    {{2, 0, 1, 3}, false}, {{0, 0, 1}, false},
        {{0, 3, 1}, false}, {{-1, 0, 1}, false},   {{2, 1, 0}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(box.setColumnOrder(c.order.data(), static_cast<int32_t>(c.order.size())),
                  c.accepted);
    }
    EXPECT_EQ(box.columnOrderAt(0), 2);
    EXPECT_EQ(box.columnOrderAt(1), 1);
    EXPECT_EQ(box.columnOrderAt(2), 0);
    EXPECT_EQ(box.columnOrderAt(3), -1);
}

TEST_F(ListBox2Test, CheckStateChangesReportTheRow) {
    Record* a = append(u"a", 1);
    uint32_t serial = a->serial();
    ASSERT_TRUE(box.setCheckState(a, serial, 0, SubRecord::kChecked, true));
    EXPECT_EQ(box.checkState(a, serial, 0), SubRecord::kChecked);
    uint32_t reported = 0;
    EXPECT_EQ(box.checkedRecord(&reported), a);
    EXPECT_EQ(reported, serial);

    EXPECT_FALSE(box.setCheckState(a, serial, 0, SubRecord::kChecked, true));  // unchanged
    EXPECT_FALSE(box.setCheckState(a, serial, 1, SubRecord::kChecked, true));  // no check box
    EXPECT_FALSE(box.setCheckState(a, serial, 0, 9, true));                    // no such state
    EXPECT_TRUE(box.setCheckState(a, serial, 0, SubRecord::kPartial, true));   // no event
    EXPECT_TRUE(box.setCheckState(a, serial, 0, SubRecord::kUnchecked, true));
    EXPECT_EQ(box.uncheckedRecord(), a);
    EXPECT_TRUE(box.setCheckState(a, serial, 0, SubRecord::kChecked, false));  // silent
    EXPECT_EQ(log.ids, (std::vector<int32_t>{IListBox2::kRowChecked, IListBox2::kRowUnchecked}));
}

void hoursText(const void* value, str::StrBuffer& out) {
    out.appendInt64(*static_cast<const int64_t*>(value) / 3600).appendText(u" h");
}

TEST_F(ListBox2Test, InPlaceValuesShowAfterRefreshAndTextFunctionsSwitch) {
    Record* a = append(u"a", 7200);
    Record* b = append(u"b", 3600);
    EXPECT_EQ(std::u16string(box.cellText(a, a->serial(), 1)), u"7200");

    // The clock task writes the number in place, then asks for the column again.
    auto* value = static_cast<int64_t*>(box.cellValue(a, a->serial(), 1));
    ASSERT_NE(value, nullptr);
    *value = 10800;
    const char16_t* cached = box.cellText(a, a->serial(), 1);
    EXPECT_EQ(std::u16string(cached), u"7200");
    box.refreshColumn(1);
    EXPECT_EQ(std::u16string(box.cellText(a, a->serial(), 1)), u"10800");
    // The cell kept its text buffer: a refresh takes nothing from the pool.
    EXPECT_EQ(box.cellText(a, a->serial(), 1), cached);

    for (Record* row : {a, b}) {
        ASSERT_TRUE(box.setCellTextFunction(row, row->serial(), 1, hoursText));
    }
    EXPECT_EQ(std::u16string(box.cellText(b, b->serial(), 1)), u"1 h");
    box.refreshColumn(1);
    EXPECT_EQ(std::u16string(box.cellText(a, a->serial(), 1)), u"3 h");

    ASSERT_TRUE(box.setCellValue(b, b->serial(), 1, listbox2::newInt64Value(18000)));
    EXPECT_EQ(std::u16string(box.cellText(b, b->serial(), 1)), u"5 h");
    *static_cast<int64_t*>(box.cellValue(b, b->serial(), 1)) = 0;
    ASSERT_TRUE(box.refreshCell(b, b->serial(), 1));
    EXPECT_EQ(std::u16string(box.cellText(b, b->serial(), 1)), u"0 h");
}

TEST_F(ListBox2Test, StaleHandlesChangeNothing) {
    Record* a = append(u"a", 1);
    uint32_t serial = a->serial();
    ASSERT_TRUE(box.removeAndRelease(a, serial));
    Record* b = append(u"b", 2);  // most likely the same block, in a new life
    int64_t number = 3;
    EXPECT_FALSE(box.removeRecord(a, serial));
    EXPECT_FALSE(box.removeAndRelease(a, serial));
    EXPECT_FALSE(box.setCellValue(a, serial, 1, &number));
    EXPECT_EQ(box.cellValue(a, serial, 1), nullptr);
    EXPECT_EQ(box.cellText(a, serial, 1), nullptr);
    EXPECT_FALSE(box.setCellTextFunction(a, serial, 1, hoursText));
    EXPECT_FALSE(box.refreshCell(a, serial, 1));
    EXPECT_EQ(box.checkState(a, serial, 0), 0);
    EXPECT_FALSE(box.setCheckState(a, serial, 0, SubRecord::kChecked, true));
    EXPECT_FALSE(box.setRecordAlternate(a, serial, true));
    EXPECT_FALSE(box.toggleExpand(a, serial));
    EXPECT_FALSE(box.ensureVisible(a, serial));
    EXPECT_FALSE(box.selectRecord(a, serial));
    EXPECT_EQ(box.nextRecord(a, serial, false), nullptr);
    EXPECT_EQ(box.nextRecord(a, serial, true), b);
    EXPECT_EQ(box.recordCount(), 1);
    EXPECT_EQ(std::u16string(box.cellText(b, b->serial(), 1)), u"2");
    EXPECT_TRUE(log.ids.empty());
}

TEST_F(ListBox2Test, SortReportsAndSortAfterAppendKeepsTheOrder) {
    box.requestSort(1);
    box.requestSort(1);
    append(u"c", 3);
    append(u"a", 1);
    box.sort();
    EXPECT_EQ(log.ids, std::vector<int32_t>{IListBox2::kSorted});
    EXPECT_EQ(std::u16string(box.cellText(box.firstRecord(), box.firstRecord()->serial(), 0)),
              u"a");

    box.setSortAfterAppend(true);
    append(u"b", 2);
    std::u16string order;
    for (int32_t i = 0; i < box.recordCount(); ++i) {
        order += box.cellText(box.recordAt(i), box.recordAt(i)->serial(), 0);
    }
    EXPECT_EQ(order, u"abc");
}

TEST_F(ListBox2Test, RemoveAndReleaseGiveRowsBackAndClearTheSelection) {
    box.setMultiSelect(true);
    auto& rows = thread::poolOf<Record>();
    for (int i = 0; i < 3; ++i)
        append(u"x", i);
    box.selectRecord(box.recordAt(1), box.recordAt(1)->serial());
    int32_t idle = rows.idleCount();
    box.removeAllAndRelease();
    EXPECT_EQ(rows.idleCount(), idle + 3);
    EXPECT_EQ(box.recordCount(), 0);
    EXPECT_EQ(box.selectedCount(), 0);
}

TEST_F(ListBox2Test, AlternateMarkAndRedrawSuspension) {
    Record* a = append(u"a", 1);
    ASSERT_TRUE(box.setRecordAlternate(a, a->serial(), true));
    EXPECT_TRUE(a->alternate());
    box.suspendRedraw(true);
    EXPECT_TRUE(box.redrawSuspended());
    box.suspendRedraw(false);
    EXPECT_FALSE(box.redrawSuspended());
}

std::u16string namesInOrder(ListBox2& box) {
    std::u16string names;
    for (int32_t i = 0; i < box.recordCount(); ++i)
        names += box.cellText(box.recordAt(i), box.recordAt(i)->serial(), 0);
    return names;
}

TEST_F(ListBox2Test, HeaderClicksSortByTheClickedColumnAndReport) {
    box.addColumnLiteral(u"Zone", 80, 0, false, listbox2::compareInt64, true, false, false, false,
                         false);
    for (int32_t id : {IListBox2::kHeaderClicking, IListBox2::kColumnClicked})
        box.addListener(id, &log);
    EXPECT_EQ(box.clickedColumn(), -1);
    // Names b, c, a with numbers 1, 3, 2; the third cell (not sortable) orders them c, a, b.
    int64_t numbers[] = {1, 3, 2};
    int64_t zones[] = {3, 1, 2};
    const char16_t* names[] = {u"b", u"c", u"a"};
    for (int i = 0; i < 3; ++i) {
        Record* row = append(names[i], numbers[i]);
        row->addCell(listbox2::newInt64Value(zones[i]), &cleaner::CleanerRaw::instance(),
                     listbox2::textOfInt64);
    }
    using E = std::vector<int32_t>;
    const E sorted{IListBox2::kHeaderClicking, IListBox2::kSorted, IListBox2::kColumnClicked};
    const E unsorted{IListBox2::kHeaderClicking, IListBox2::kColumnClicked};
    struct Click {
        int32_t column;  // -1: right of the last column
        std::u16string order;
        E events;
        int32_t clicked;
    } clicks[] = {
        {0, u"cba", sorted, 0},     // the first request flips the ascending column
        {0, u"abc", sorted, 0},     // a second click reverses
        {2, u"abc", unsorted, 2},   // not sortable: events, no reordering
        {1, u"cab", sorted, 1},     // by number, descending
        {-1, u"cab", unsorted, 2},  // the last column in display order is column 2
    };
    for (const Click& c : clicks) {
        log.clear();
        if (c.column < 0)
            box.headerClickedBeyondLast();
        else
            box.headerClicked(c.column);
        EXPECT_EQ(namesInOrder(box), c.order) << c.column;
        EXPECT_EQ(log.ids, c.events) << c.column;
        EXPECT_EQ(box.clickedColumn(), c.clicked) << c.column;
    }

    // With the columns shown in another order, the area right of the last one stands for the
    // last in display order, not in creation order.
    int32_t order[] = {2, 1, 0};
    ASSERT_TRUE(box.setColumnOrder(order, 3));
    log.clear();
    box.headerClickedBeyondLast();
    EXPECT_EQ(box.clickedColumn(), 0);
    EXPECT_EQ(namesInOrder(box), u"cba");
    EXPECT_EQ(log.ids, sorted);

    log.clear();
    box.headerClicked(7);  // no such column
    EXPECT_TRUE(log.ids.empty());
}

TEST(ListBox2, ClearReleasesColumnsAndRows) {
    auto& columns = thread::poolOf<listbox2::DataType>();
    auto& rows = thread::poolOf<Record>();
    ListBox2* box = ListBox2::take();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(std::u16string(box->className()), u"s_gui_win_ListBox2");
    box->addColumnLiteral(u"A", 0, 0, true, listbox2::compareText, true, false, false, false,
                          false);
    box->appendRecord(testing::textAndNumberRow(u"x", 1));
    int32_t idleColumns = columns.idleCount();
    int32_t idleRows = rows.idleCount();
    box->release();  // destroyed (its pool keeps none), which clears the model
    EXPECT_EQ(columns.idleCount(), idleColumns + 1);
    EXPECT_EQ(rows.idleCount(), idleRows + 1);
}

}  // namespace
}  // namespace s::gui::win

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <vector>

#include "base/cleaners.h"
#include "base/str_buffer.h"
#include "gui/listbox2/cell_functions.h"
#include "gui/listbox2/data_type.h"
#include "gui/listbox2/list.h"
#include "gui/listbox2/record.h"
#include "gui/listbox2/sub_record.h"
#include "lang/lang_pack.h"
#include "lang/localizer.h"
#include "tests/gui/test_support.h"

namespace s::gui::listbox2 {
namespace {

using testing::numberRow;
using testing::textAndNumberRow;
using testing::textValue;

DataType* sortableColumn(ValueComparator comparator, bool sortable = true) {
    DataType::Options options;
    options.sortable = sortable;
    options.comparator = comparator;
    return DataType::createLiteral(u"column", options);
}

std::vector<void*> userDataInOrder(List& list) {
    std::vector<void*> order;
    for (int32_t i = 0; i < list.recordCount(); ++i) {
        EXPECT_EQ(list.recordAt(i)->index(), static_cast<uint32_t>(i));
        order.push_back(list.recordAt(i)->userData());
    }
    return order;
}

void* tag(intptr_t n) {
    return reinterpret_cast<void*>(n);
}

TEST(TextComparator, FoldsCaseOverTheCommonPrefixThenShorterFirst) {
    struct Case {
        const char16_t* a;
        const char16_t* b;
        int32_t sign;
    } cases[] = {
        {u"abc", u"ABCD", -1}, {u"abc", u"ABC", 0}, {u"ABCD", u"abc", 1},
        {u"b", u"A", 1},       {u"", u"a", -1},     {u"Zurich", u"zurich", 0},
    };
    for (const Case& c : cases) {
        str::StrBuffer a, b;
        a.setText(c.a);
        b.setText(c.b);
        int32_t r = compareText(&a, &b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign);
    }
    str::StrBuffer some;
    EXPECT_LT(compareText(nullptr, &some), 0);
    EXPECT_EQ(compareText(nullptr, nullptr), 0);
}

TEST(Int64Comparator, SignedOrder) {
    int64_t values[] = {-9000000000LL, -1, 0, 1, 9000000000LL};
    for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 5; ++j) {
            EXPECT_EQ(compareInt64(&values[i], &values[j]), (i > j) - (i < j));
        }
    }
}

TEST(SubRecord, TextIsBuiltOnceAndDiscardedOnValueChange) {
    static int calls;
    calls = 0;
    auto countingText = [](const void* value, str::StrBuffer& out) {
        ++calls;
        textOfInt64(value, out);
    };
    testing::CountingDisposer disposer;
    int64_t first = 5, second = 7;
    SubRecord* cell = SubRecord::create(&first, &disposer, countingText);
    EXPECT_FALSE(cell->hasCachedText());
    EXPECT_TRUE(cell->text()->equals(u"5"));
    EXPECT_TRUE(cell->text()->equals(u"5"));
    EXPECT_EQ(calls, 1);

    cell->setValue(&second);
    EXPECT_FALSE(cell->hasCachedText());
    EXPECT_EQ(disposer.disposed, std::vector<void*>{&first});
    EXPECT_TRUE(cell->text()->equals(u"7"));
    EXPECT_EQ(calls, 2);

    // Storing the block the cell holds (edited in place) must not dispose it.
    second = 8;
    cell->setValue(&second);
    EXPECT_EQ(disposer.disposed.size(), 1u);
    EXPECT_TRUE(cell->text()->equals(u"8"));

    cell->release();
    EXPECT_EQ(disposer.disposed, (std::vector<void*>{&first, &second}));
}

TEST(SubRecord, WithoutTextFunctionHasNoText) {
    SubRecord* cell = SubRecord::create(nullptr, nullptr, nullptr, SubRecord::kChecked);
    EXPECT_EQ(cell->text(), nullptr);
    EXPECT_STREQ(reinterpret_cast<const char*>(cell->displayText()), "");
    EXPECT_EQ(cell->checkState(), SubRecord::kChecked);
    cell->release();
}

class ListTest : public ::testing::Test {
protected:
    void SetUp() override {
        list.addColumn(sortableColumn(compareText));
        list.addColumn(sortableColumn(compareInt64));
    }
    Record* append(const char16_t* text, int64_t number, intptr_t id) {
        Record* row = textAndNumberRow(text, number, tag(id));
        EXPECT_TRUE(list.appendRecord(row));
        return row;
    }
    List list;
};

TEST_F(ListTest, StaleHandlesAreRejectedByEveryOperation) {
    Record* kept = append(u"kept", 1, 1);
    Record* removed = append(u"removed", 2, 2);
    uint32_t removedSerial = removed->serial();
    Record* reused = append(u"reused", 3, 3);
    uint32_t reusedSerial = reused->serial();

    ASSERT_TRUE(list.removeRecord(removed, removedSerial));
    EXPECT_TRUE(removed->removed());
    EXPECT_EQ(removed->owner(), nullptr);

    // Released and taken again: the pool hands the same block back for a new row.
    ASSERT_TRUE(list.removeRecord(reused, reusedSerial));
    reused->release();
    Record* again = textAndNumberRow(u"again", 4, tag(4));
    ASSERT_EQ(again, reused);
    ASSERT_TRUE(list.appendRecord(again));
    EXPECT_NE(again->serial(), reusedSerial);

    struct Stale {
        Record* row;
        uint32_t serial;
    } stale[] = {{removed, removedSerial},
                 {again, reusedSerial},
                 {nullptr, 0},
                 {kept, kept->serial() + 1000}};
    for (const Stale& h : stale) {
        EXPECT_FALSE(list.isValid(h.row, h.serial));
        EXPECT_FALSE(list.removeRecord(h.row, h.serial));
        EXPECT_FALSE(list.setCellValue(h.row, h.serial, 0, nullptr));
        EXPECT_EQ(list.nextRecord(h.row, h.serial, false), nullptr);
        EXPECT_EQ(list.previousRecord(h.row, h.serial, false), nullptr);
        EXPECT_FALSE(list.toggleExpand(h.row, h.serial));
    }
    EXPECT_EQ(list.recordCount(), 2);
    EXPECT_TRUE(list.isValid(kept, kept->serial()));
    removed->release();
}

// Rows cleared out of a list beyond what the row pool keeps are destroyed; their handles
// must be refused without reading the rows (ASan watches the native run).
TEST_F(ListTest, HandlesOfRowsThePoolDestroyedAreRefusedWithoutReadingThem) {
    auto& rows = thread::poolOf<Record>();
    const int32_t count = rows.capacity() + 200;
    std::vector<std::pair<Record*, uint32_t>> handles;
    for (int32_t i = 0; i < count; ++i) {
        Record* row = append(u"r", i, i);
        handles.emplace_back(row, row->serial());
    }
    list.clear();
    EXPECT_EQ(rows.idleCount(), rows.capacity());
    for (const auto& [row, serial] : handles) {
        EXPECT_FALSE(Record::isLive(row, serial));
        EXPECT_FALSE(list.isValid(row, serial));
        EXPECT_FALSE(list.removeRecord(row, serial));
        EXPECT_FALSE(Record::releaseHandle(row, serial));
    }
    EXPECT_EQ(rows.idleCount(), rows.capacity());
}

TEST_F(ListTest, InsertAtCountAppendsAndAtZeroRenumbers) {
    append(u"a", 1, 1);
    append(u"b", 2, 2);
    ASSERT_TRUE(list.insertRecord(2, textAndNumberRow(u"c", 3, tag(3))));
    EXPECT_EQ(userDataInOrder(list), (std::vector<void*>{tag(1), tag(2), tag(3)}));
    ASSERT_TRUE(list.insertRecord(0, textAndNumberRow(u"z", 0, tag(0))));
    EXPECT_EQ(userDataInOrder(list), (std::vector<void*>{tag(0), tag(1), tag(2), tag(3)}));
    // Out-of-range positions are clamped rather than written past the end.
    ASSERT_TRUE(list.insertRecord(99, textAndNumberRow(u"e", 4, tag(4))));
    ASSERT_TRUE(list.insertRecord(-5, textAndNumberRow(u"f", 5, tag(5))));
    EXPECT_EQ(userDataInOrder(list),
              (std::vector<void*>{tag(5), tag(0), tag(1), tag(2), tag(3), tag(4)}));
}

TEST_F(ListTest, ARowIsListedOnlyOnce) {
    Record* row = append(u"a", 1, 1);
    EXPECT_FALSE(list.appendRecord(row));
    List other;
    EXPECT_FALSE(other.appendRecord(row));
    EXPECT_FALSE(list.appendRecord(nullptr));
    EXPECT_EQ(list.recordCount(), 1);
}

TEST_F(ListTest, NextAndPreviousWithAndWithoutWrap) {
    EXPECT_EQ(list.nextRecord(nullptr, 0, true), nullptr);
    EXPECT_EQ(list.nextRecord(nullptr, 0, false), nullptr);
    EXPECT_EQ(list.previousRecord(nullptr, 0, true), nullptr);
    EXPECT_EQ(list.firstRecord(), nullptr);

    Record* a = append(u"a", 1, 1);
    Record* b = append(u"b", 2, 2);
    Record* c = append(u"c", 3, 3);
    struct Case {
        bool next;
        Record* from;
        bool wrap;
        Record* expected;
    } cases[] = {
        {true, a, false, b},      {true, c, false, nullptr},  {true, c, true, a},
        {false, b, false, a},     {false, a, false, nullptr}, {false, a, true, c},
        {true, nullptr, true, a}, {false, nullptr, true, c},  {true, nullptr, false, nullptr},
    };
    for (const Case& k : cases) {
        uint32_t serial = k.from ? k.from->serial() : 0;
        Record* got = k.next ? list.nextRecord(k.from, serial, k.wrap)
                             : list.previousRecord(k.from, serial, k.wrap);
        EXPECT_EQ(got, k.expected);
    }
}

TEST_F(ListTest, RequestSortTwiceKeepsTheDirectionAndPutsTheColumnFirst) {
    list.addColumn(sortableColumn(compareInt64));
    list.requestSort(2);
    EXPECT_FALSE(list.columnAt(2)->ascending());
    list.requestSort(2);
    EXPECT_TRUE(list.columnAt(2)->ascending());
    ASSERT_EQ(list.sortKeyCount(), 3);
    EXPECT_EQ(list.sortKeyAt(0), 2u);
    EXPECT_EQ(list.sortKeyAt(1), 0u);
    EXPECT_EQ(list.sortKeyAt(2), 1u);
    list.requestSort(7);  // no such column: nothing changes
    EXPECT_EQ(list.sortKeyAt(0), 2u);
}

TEST(ListSortKeys, WorldClockSetUpLeavesGapThenPlaceThenTheRestAllAscending) {
    List list;
    for (int i = 0; i < 5; ++i)
        list.addColumn(sortableColumn(compareText));
    for (int column : {0, 0, 2, 2})
        list.requestSort(column);
    std::vector<uint32_t> keys;
    for (int32_t i = 0; i < list.sortKeyCount(); ++i)
        keys.push_back(list.sortKeyAt(i));
    EXPECT_EQ(keys, (std::vector<uint32_t>{2, 0, 1, 3, 4}));
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(list.columnAt(i)->ascending()) << i;
}

TEST_F(ListTest, SortOrdersByTheLastRequestedKeyFirst) {
    // Ten rows: beyond the insertion-sort range, so the merge path runs.
    const char16_t* names[] = {u"e", u"b", u"d", u"a", u"c", u"E", u"B", u"D", u"A", u"C"};
    for (int i = 0; i < 10; ++i)
        append(names[i], i % 2, i);

    list.requestSort(0);  // the first request flips to descending,
    list.requestSort(0);  // the second back to ascending
    list.sort();
    // By name (case folded), then by number.
    EXPECT_EQ(userDataInOrder(list), (std::vector<void*>{tag(8), tag(3), tag(6), tag(1), tag(4),
                                                         tag(9), tag(2), tag(7), tag(0), tag(5)}));

    // Clicking "number" next: by number descending, and by name within a number.
    list.requestSort(1);
    list.sort();
    EXPECT_EQ(userDataInOrder(list), (std::vector<void*>{tag(3), tag(1), tag(9), tag(7), tag(5),
                                                         tag(8), tag(6), tag(4), tag(2), tag(0)}));
}

TEST(ListSort, RowsThatCompareEqualKeepTheirOrder) {
    List list;
    list.addColumn(sortableColumn(compareText));
    // Twelve rows alternating between two names: each name's rows keep their order.
    for (int i = 0; i < 12; ++i)
        list.appendRecord(textAndNumberRow(i % 2 ? u"y" : u"X", 0, tag(i)));
    list.sort();
    EXPECT_EQ(userDataInOrder(list),
              (std::vector<void*>{tag(0), tag(2), tag(4), tag(6), tag(8), tag(10), tag(1), tag(3),
                                  tag(5), tag(7), tag(9), tag(11)}));
    list.sort();  // sorted input: nothing moves
    EXPECT_EQ(list.recordAt(6)->userData(), tag(1));
}

TEST(ListSort, NonSortableColumnIsSkippedEvenWithAComparator) {
    List list;
    list.addColumn(sortableColumn(compareInt64, /*sortable=*/false));
    list.addColumn(sortableColumn(compareInt64));
    list.addColumn(sortableColumn(nullptr));  // sortable without comparator: equal
    list.requestSort(0);
    list.requestSort(0);
    // Column 0 would order 3, 2, 1; column 1 orders 1, 2, 3.
    int64_t column0[] = {3, 2, 1};
    int64_t column1[] = {30, 10, 20};
    for (int i = 0; i < 3; ++i) {
        Record* row = Record::create(3, tag(i));
        row->addCell(newInt64Value(column0[i]), &cleaner::CleanerRaw::instance(), textOfInt64);
        row->addCell(newInt64Value(column1[i]), &cleaner::CleanerRaw::instance(), textOfInt64);
        row->addCell(nullptr, nullptr, nullptr);
        list.appendRecord(row);
    }
    list.sort();
    EXPECT_EQ(userDataInOrder(list), (std::vector<void*>{tag(1), tag(2), tag(0)}));
    list.clear();
}

TEST_F(ListTest, SetCellValueDisposesTheOldValueAndDropsTheText) {
    Record* row = append(u"a", 1, 1);
    EXPECT_TRUE(list.cellText(row, 1)->equals(u"1"));
    auto* oldValue = row->cell(1)->value();
    testing::CountingDisposer disposer;
    row->cell(1)->setValue(oldValue, &disposer);
    int64_t fresh = 99;
    ASSERT_TRUE(list.setCellValue(row, row->serial(), 1, &fresh));
    EXPECT_EQ(disposer.disposed, std::vector<void*>{oldValue});
    EXPECT_FALSE(row->cell(1)->hasCachedText());
    EXPECT_TRUE(list.cellText(row, 1)->equals(u"99"));
    EXPECT_FALSE(list.setCellValue(row, row->serial(), 5, &fresh));  // no such cell
    std::free(oldValue);
    row->cell(1)->setValue(newInt64Value(0), &cleaner::CleanerRaw::instance());
}

TEST(ListClear, ReleasesRowsCellsColumnsAndValuesBackToTheirPools) {
    auto& rows = thread::poolOf<Record>();
    auto& cells = thread::poolOf<SubRecord>();
    auto& columns = thread::poolOf<DataType>();
    auto& texts = thread::poolOf<str::StrBuffer>();
    {
        List list;
        list.addColumn(sortableColumn(compareText));
        list.addColumn(sortableColumn(compareInt64));
        for (int i = 0; i < 4; ++i)
            list.appendRecord(textAndNumberRow(u"x", i));
        for (int i = 0; i < 4; ++i)
            list.cellText(list.recordAt(i), 0);  // cache some texts
        int32_t idleRows = rows.idleCount();
        int32_t idleCells = cells.idleCount();
        int32_t idleColumns = columns.idleCount();
        int32_t idleTexts = texts.idleCount();
        list.clear();
        EXPECT_EQ(rows.idleCount(), idleRows + 4);
        EXPECT_EQ(cells.idleCount(), idleCells + 8);
        EXPECT_EQ(columns.idleCount(), idleColumns + 2);
        // Four text values and four cached texts.
        EXPECT_EQ(texts.idleCount(), idleTexts + 8);
        EXPECT_EQ(list.recordCount(), 0);
        EXPECT_EQ(list.columnCount(), 0);
        EXPECT_EQ(list.sortKeyCount(), 0);
    }
}

TEST_F(ListTest, ReleasingAListedRowTakesItOutFirst) {
    Record* a = append(u"a", 1, 1);
    Record* b = append(u"b", 2, 2);
    uint32_t serial = b->serial();
    b->release();
    EXPECT_EQ(list.recordCount(), 1);
    EXPECT_FALSE(list.isValid(b, serial));
    EXPECT_EQ(a->index(), 0u);
    // A second release of a row already in its pool does nothing, and releaseHandle only
    // acts on the life it names.
    int32_t idle = thread::poolOf<Record>().idleCount();
    b->release();
    EXPECT_FALSE(Record::releaseHandle(b, serial));
    EXPECT_EQ(thread::poolOf<Record>().idleCount(), idle);
    EXPECT_TRUE(Record::releaseHandle(a, a->serial()));
    EXPECT_EQ(list.recordCount(), 0);
}

// Builds parent(expanded) -> [child0(expanded) -> [grandchild], child1].
struct Tree {
    Tree() {
        parent = treeRow(u"parent", SubRecord::kExpanded);
        child0 = treeRow(u"child0", SubRecord::kExpanded);
        child1 = treeRow(u"child1", SubRecord::kNoTree);
        grandchild = treeRow(u"grandchild", SubRecord::kNoTree);
        parent->addChild(0, child1);
        parent->addChild(0, child0);
        child0->addChild(5, grandchild);
    }
    static Record* treeRow(const char16_t* name, int32_t treeState) {
        Record* row = Record::create(1, const_cast<char16_t*>(name));
        row->addCell(textValue(name), &thread::poolOf<str::StrBuffer>(), textOfString)
            ->setTreeState(treeState);
        row->setTreeCell(0);
        return row;
    }
    Record* parent;
    Record* child0;
    Record* child1;
    Record* grandchild;
};

std::vector<Record*> rowsOf(List& list) {
    std::vector<Record*> rows;
    for (int32_t i = 0; i < list.recordCount(); ++i)
        rows.push_back(list.recordAt(i));
    return rows;
}

TEST_F(ListTest, ExpandedTreeRowBringsItsChildrenInTheirOrder) {
    Record* before = append(u"before", 0, 0);
    Record* after = append(u"after", 0, 0);
    Tree tree;
    ASSERT_TRUE(list.insertTree(1, tree.parent));
    EXPECT_EQ(rowsOf(list), (std::vector<Record*>{before, tree.parent, tree.child0, tree.grandchild,
                                                  tree.child1, after}));
    EXPECT_EQ(tree.grandchild->treeLevel(), 2);
    EXPECT_TRUE(tree.grandchild->isAncestor(tree.parent));
    EXPECT_FALSE(tree.parent->isAncestor(tree.grandchild));

    ASSERT_TRUE(list.toggleExpand(tree.parent, tree.parent->serial()));
    EXPECT_EQ(list.expandState(tree.parent), SubRecord::kCollapsed);
    EXPECT_EQ(rowsOf(list), (std::vector<Record*>{before, tree.parent, after}));

    ASSERT_TRUE(list.toggleExpand(tree.parent, tree.parent->serial()));
    EXPECT_EQ(rowsOf(list), (std::vector<Record*>{before, tree.parent, tree.child0, tree.grandchild,
                                                  tree.child1, after}));
    EXPECT_FALSE(list.toggleExpand(before, before->serial()));  // no tree cell

    // A sort scatters the children; the tree layout puts them back under their parent.
    list.requestSort(0);
    list.sort();
    list.relayoutTree();
    std::vector<Record*> rows = rowsOf(list);
    auto at = std::find(rows.begin(), rows.end(), tree.parent);
    ASSERT_LE(at + 4, rows.end());
    EXPECT_EQ((std::vector<Record*>(at, at + 4)),
              (std::vector<Record*>{tree.parent, tree.child0, tree.grandchild, tree.child1}));

    ASSERT_TRUE(list.removeTree(tree.parent, tree.parent->serial()));
    EXPECT_EQ(list.recordCount(), 2);
    tree.parent->release();  // releases the children with it
}

TEST(ListClear, ChildRowsStandingBeforeTheirParentGoBackOnce) {
    // A model sort without relayoutTree() can put children before their parent: releasing
    // the parent then takes them out of the list while clear() is still counting rows.
    auto& rows = thread::poolOf<Record>();
    int32_t idle = 0;
    {
        List list;
        list.addColumn(sortableColumn(compareText));
        Tree tree;
        Record* other = Tree::treeRow(u"other", SubRecord::kNoTree);
        ASSERT_TRUE(list.appendRecord(tree.grandchild));
        ASSERT_TRUE(list.appendRecord(tree.child1));
        ASSERT_TRUE(list.appendRecord(other));
        ASSERT_TRUE(list.appendRecord(tree.parent));
        ASSERT_TRUE(list.appendRecord(tree.child0));
        idle = rows.idleCount();
        list.clear();
        EXPECT_EQ(list.recordCount(), 0);
        EXPECT_FALSE(list.isValid(other, other->serial()));
    }
    EXPECT_EQ(rows.idleCount(), idle + 5);
}

TEST(RecordTree, CyclesAndSecondParentsAreRefused) {
    Tree tree;
    EXPECT_FALSE(tree.grandchild->addChild(0, tree.parent));
    EXPECT_FALSE(tree.parent->addChild(0, tree.parent));
    EXPECT_FALSE(tree.child1->addChild(0, tree.grandchild));  // has a parent already
    EXPECT_EQ(tree.child1->childCount(), 0);
    // A child released on its own leaves its parent.
    tree.child1->release();
    EXPECT_EQ(tree.parent->childCount(), 1);
    tree.parent->release();
}

TEST(DataType, LocalisedTitleFollowsItsLocalizerAndUnregistersOnRelease) {
    lang::Localizer localizer;
    for (auto [tag, name, text] : {std::tuple{u"eng", u"English", u"Local Time"},
                                   std::tuple{u"deu", u"German", u"Ortszeit"}}) {
        lang::LangPack* pack = lang::LangPack::take();
        pack->setNames(tag, name, name);
        pack->addText(1002000, text);
        localizer.addLanguage(pack);
    }
    localizer.selectLanguage(u"English");
    DataType* column = DataType::create(1002000, &localizer, DataType::Options{});
    EXPECT_TRUE(column->title().equals(u"Local Time"));
    DataType* literal = DataType::createLiteral(u"Fixed", DataType::Options{});
    EXPECT_EQ(literal->titleId(), -1);

    localizer.selectLanguage(u"German");
    EXPECT_TRUE(column->title().equals(u"Ortszeit"));
    EXPECT_TRUE(literal->title().equals(u"Fixed"));

    // An event from another source leaves the title alone.
    lang::Localizer other;
    column->onEvent(&other, lang::Localizer::kLanguageChanged);
    EXPECT_TRUE(column->title().equals(u"Ortszeit"));

    EXPECT_EQ(localizer.listenerCount(), 1);
    column->release();
    literal->release();
    EXPECT_EQ(localizer.listenerCount(), 0);
}

TEST(DataType, OutOfRangeGeometryGetsDefaults) {
    DataType::Options options;
    options.width = -20;
    options.alignment = 7;
    DataType* column = DataType::createLiteral(u"x", options);
    EXPECT_EQ(column->width(), 0);
    EXPECT_EQ(column->alignment(), DataType::kLeft);
    column->release();
}

}  // namespace
}  // namespace s::gui::listbox2

// The list view on real windows under Wine: painting through the skin's drawers, the header's
// rules, selection and check events, wheel and scroll bar, the middle click, label edits and
// calls from a worker thread while the window sorts and closes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "base/cleaners.h"
#include "base/str_buffer.h"
#include "gui/drawer/i_skin.h"
#include "gui/drawer/skinner.h"
#include "gui/listbox2/cell_functions.h"
#include "gui/listbox2/record.h"
#include "gui/listbox2/sub_record.h"
#include "gui/win/list_box2.h"
#include "gui/win/list_box2_control.h"
#include "gui/win/list_view.h"
#include "tests/drawer/win/gdi_count.h"
#include "tests/gui/test_support.h"
#include "tests/gui/win/screenshot.h"
#include "tests/gui/win/win_test_support.h"

namespace s::gui::win {
namespace {

using listbox2::Record;
using listbox2::SubRecord;
using testing::EventLog;

constexpr int32_t kRowHeight = 20;

// The host window: records the middle clicks that reach it.
std::atomic<int32_t> hostMiddleClicks{0};

LRESULT CALLBACK hostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MBUTTONDOWN)
        ++hostMiddleClicks;
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND makeHost(int32_t width, int32_t height) {
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = hostProcedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = L"ListViewTestHost";
        return RegisterClassW(&wc);
    }();
    if (!atom)
        return nullptr;
    HWND host =
        CreateWindowExW(0, L"ListViewTestHost", L"list", WS_POPUP | WS_VISIBLE, 10, 10, width,
                        height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(host);
    return host;
}

void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Pumps for about `ms` milliseconds (lets the X server and Wine catch up).
void pumpFor(int32_t ms) {
    DWORD end = GetTickCount() + ms;
    while (static_cast<int32_t>(end - GetTickCount()) > 0) {
        pump();
        Sleep(5);
    }
    pump();
}

Record* clockRow(const char16_t* place, int64_t seconds, const char16_t* zone, int32_t check) {
    Record* row = Record::create(3, nullptr);
    row->addCell(testing::textValue(place), &thread::poolOf<str::StrBuffer>(),
                 listbox2::textOfString, check);
    row->addCell(listbox2::newInt64Value(seconds), &cleaner::CleanerRaw::instance(),
                 listbox2::textOfInt64);
    row->addCell(testing::textValue(zone), &thread::poolOf<str::StrBuffer>(),
                 listbox2::textOfString);
    return row;
}

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        skinner = drawer::Skinner::create(drawer::kThinWindowFamily);
        ASSERT_NE(skinner, nullptr);
        skinner->selectByIndex(0);
        host = makeHost(420, 320);
        ASSERT_NE(host, nullptr);
        box.setMultiSelect(true);
        box.addColumnLiteral(u"Place", 120, 0, true, listbox2::compareText, true, false, true, true,
                             false);
        box.addColumnLiteral(u"Time", 90, 2, true, listbox2::compareInt64, true, false, false,
                             false, false);
        box.addColumnLiteral(u"Zone", 120, 0, false, listbox2::compareText, true, false, false,
                             false, false);
    }
    void TearDown() override {
        view.reset();
        box.clear();
        if (host)
            DestroyWindow(host);
        pump();
        if (skinner)
            skinner->release();
    }
    // Rows before the window (shown at creation) and after.
    void build(int32_t before, int32_t after, ListView::Options options = {}) {
        for (int32_t i = 0; i < before; ++i)
            addRow(i);
        view = std::make_unique<ListView>(box);
        options.rowHeight = kRowHeight;
        options.fullRowSelect = true;
        options.alternateRows = true;
        drawer::ISkin* skin = skinner->currentSkin();
        view->setListBoxDrawer(skin->listBox(), skin->listHeader(), skin->scrollBar());
        ASSERT_TRUE(view->create(host, options, 0, 0, 400, 300));
        for (int32_t i = before; i < before + after; ++i)
            addRow(i);
        pumpFor(50);
    }
    Record* addRow(int32_t i) {
        char16_t name[32];
        std::u16string text = u"Place " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                              std::u16string(1, static_cast<char16_t>(u'a' + (i / 26) % 26));
        std::copy(text.begin(), text.end(), name);
        name[text.size()] = 0;
        Record* row = clockRow(name, 1000 + (i * 7919) % 997, u"Zone", SubRecord::kUnchecked);
        EXPECT_TRUE(box.appendRecord(row));
        return row;
    }
    HWND headerWindow() { return view->header().handle(); }
    RECT headerItem(int32_t column) {
        RECT r{};
        SendMessageW(headerWindow(), HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    void clickHeaderAt(int32_t x) {
        LPARAM at = MAKELPARAM(x, 8);
        SendMessageW(headerWindow(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(headerWindow(), WM_LBUTTONUP, 0, at);
        pump();
    }
    void clickHeader(int32_t column) {
        RECT r = headerItem(column);
        clickHeaderAt((r.left + r.right) / 2);
    }
    std::vector<std::u16string> column(int32_t c) {
        std::vector<std::u16string> texts;
        for (int32_t i = 0; i < box.recordCount(); ++i) {
            Record* row = box.recordAt(i);
            texts.emplace_back(box.cellText(row, row->serial(), c));
        }
        return texts;
    }
    POINT cellPoint(Record* row, int32_t c, int32_t dx, int32_t dy) {
        RECT r{};
        EXPECT_TRUE(view->cellRect(row, c, r));
        return POINT{r.left + dx, r.top + dy};
    }
    void click(POINT at, WPARAM keys = 0) {
        LPARAM where = MAKELPARAM(at.x, at.y);
        SendMessageW(view->list(), WM_LBUTTONDOWN, MK_LBUTTON | keys, where);
        SendMessageW(view->list(), WM_LBUTTONUP, keys, where);
        pump();
    }

    drawer::Skinner* skinner = nullptr;
    HWND host = nullptr;
    ListBox2 box;
    std::unique_ptr<ListView> view;
};

TEST_F(ListViewTest, HeaderClicksSortReverseAndNonSortableHeadersOnlyReport) {
    build(3, 3);
    EventLog log;
    box.addListener(IListBox2::kHeaderClicking, &log);
    box.addListener(IListBox2::kColumnClicked, &log);
    box.addListener(IListBox2::kSorted, &log);
    // Each click turns the column's direction (it starts ascending, so the first click
    // sorts down), the second click reverses it.
    clickHeader(1);
    std::vector<std::u16string> descending = column(1);
    EXPECT_TRUE(std::is_sorted(descending.rbegin(), descending.rend()));
    clickHeader(1);
    std::vector<std::u16string> ascending = column(1);
    EXPECT_TRUE(std::is_sorted(ascending.begin(), ascending.end()));
    EXPECT_NE(ascending, descending);
    EXPECT_EQ(log.ids, (std::vector<int32_t>{IListBox2::kHeaderClicking, IListBox2::kSorted,
                                             IListBox2::kColumnClicked, IListBox2::kHeaderClicking,
                                             IListBox2::kSorted, IListBox2::kColumnClicked}));
    // Not sortable: 32 then 6, the order stays.
    log.clear();
    clickHeader(2);
    EXPECT_EQ(log.ids,
              (std::vector<int32_t>{IListBox2::kHeaderClicking, IListBox2::kColumnClicked}));
    EXPECT_EQ(column(1), ascending);
    EXPECT_EQ(box.clickedColumn(), 2);
    // The platform items follow the model's order.
    for (int32_t i = 0; i < box.recordCount(); ++i) {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = i;
        SendMessageW(view->list(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(reinterpret_cast<Record*>(item.lParam), box.recordAt(i)) << i;
    }
}

TEST_F(ListViewTest, ClickRightOfTheLastColumnSortsByTheLastInDisplayOrder) {
    build(4, 0);
    // Time last in display order, though it was created second.
    int32_t order[] = {0, 2, 1};
    ASSERT_TRUE(box.setColumnOrder(order, 3));
    pump();
    EXPECT_EQ(view->header().order(), (std::vector<int32_t>{0, 2, 1}));
    int32_t right = 0;
    for (int32_t c = 0; c < 3; ++c)
        right = std::max<int32_t>(right, headerItem(c).right);
    ASSERT_LT(right + 20, 400);
    EventLog log;
    box.addListener(IListBox2::kColumnClicked, &log);
    clickHeaderAt(right + 20);
    EXPECT_EQ(log.ids, (std::vector<int32_t>{IListBox2::kColumnClicked}));
    EXPECT_EQ(box.clickedColumn(), 1);
    std::vector<std::u16string> times = column(1);
    EXPECT_TRUE(std::is_sorted(times.rbegin(), times.rend()));
}

TEST_F(ListViewTest, ColumnOrderAndWidthRules) {
    build(2, 0);
    int32_t shortOrder[] = {1, 0};
    int32_t longOrder[] = {2, 1, 0, 0};
    EXPECT_FALSE(box.setColumnOrder(shortOrder, 2));
    EXPECT_FALSE(box.setColumnOrder(longOrder, 4));
    EXPECT_EQ(view->header().order(), (std::vector<int32_t>{0, 1, 2}));
    int32_t order[] = {2, 0, 1};
    ASSERT_TRUE(box.setColumnOrder(order, 3));
    std::vector<int32_t> platform(3, -1);
    SendMessageW(view->list(), LVM_GETCOLUMNORDERARRAY, 3,
                 reinterpret_cast<LPARAM>(platform.data()));
    EXPECT_EQ(platform, (std::vector<int32_t>{2, 0, 1}));
    EXPECT_EQ(view->header().order(), platform);

    // A divider dragged far to the left stops at 10 pixels.
    RECT place = headerItem(2);  // first in display order
    SendMessageW(headerWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(place.right - 1, 8));
    SendMessageW(headerWindow(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(place.right - 60, 8));
    SendMessageW(headerWindow(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(place.left + 2, 8));
    SendMessageW(headerWindow(), WM_LBUTTONUP, 0, MAKELPARAM(place.left + 2, 8));
    pump();
    EXPECT_EQ(SendMessageW(view->list(), LVM_GETCOLUMNWIDTH, 2, 0), 10);
    // A width asked below the minimum is clamped too.
    SendMessageW(view->list(), LVM_SETCOLUMNWIDTH, 0, 4);
    EXPECT_EQ(SendMessageW(view->list(), LVM_GETCOLUMNWIDTH, 0, 0), 10);
    // The last column in display order keeps its width.
    LRESULT before = SendMessageW(view->list(), LVM_GETCOLUMNWIDTH, 1, 0);
    SendMessageW(view->list(), LVM_SETCOLUMNWIDTH, 1, before + 40);
    EXPECT_EQ(SendMessageW(view->list(), LVM_GETCOLUMNWIDTH, 1, 0), before);
    // A drag of the header items reorders; the list reads the order back on release.
    int32_t dragged[] = {1, 2, 0};
    SendMessageW(headerWindow(), HDM_SETORDERARRAY, 3, reinterpret_cast<LPARAM>(dragged));
    SendMessageW(headerWindow(), WM_LBUTTONUP, 0, MAKELPARAM(1, 30));
    EXPECT_EQ(box.columnOrderAt(0), 1);
    EXPECT_EQ(box.columnOrderAt(2), 0);
    EXPECT_EQ(view->header().order(), (std::vector<int32_t>{1, 2, 0}));
}

TEST_F(ListViewTest, SelectionChecksAndTheirEventsInOrder) {
    build(3, 2);
    EventLog log;
    for (int32_t id :
         {IListBox2::kRowSelected, IListBox2::kRowDeselected, IListBox2::kSingleSelection,
          IListBox2::kSelectionEmpty, IListBox2::kRowChecked, IListBox2::kRowUnchecked,
          IListBox2::kRowDoubleClicked, IListBox2::kKeyDown}) {
        box.addListener(id, &log);
    }
    Record* a = box.recordAt(0);
    Record* b = box.recordAt(1);
    click(cellPoint(a, 1, 20, 8));
    EXPECT_EQ(log.ids,
              (std::vector<int32_t>{IListBox2::kSingleSelection, IListBox2::kRowSelected}));
    log.clear();
    click(cellPoint(b, 1, 20, 8), MK_CONTROL);
    EXPECT_EQ(box.selectedCount(), 2);
    EXPECT_EQ(log.ids, (std::vector<int32_t>{IListBox2::kRowSelected}));
    // A click below the rows clears the selection.
    log.clear();
    click(POINT{50, 280});
    EXPECT_EQ(box.selectedCount(), 0);
    EXPECT_EQ(log.ids, (std::vector<int32_t>{IListBox2::kRowDeselected, IListBox2::kRowDeselected,
                                             IListBox2::kSelectionEmpty}));
    // Check boxes: 1 -> 2 (23); a partial check 3 -> 1 (24); the selection is left alone.
    log.clear();
    click(cellPoint(a, 0, 4 + 7, 8));
    EXPECT_EQ(box.checkState(a, a->serial(), 0), SubRecord::kChecked);
    ASSERT_TRUE(box.setCheckState(b, b->serial(), 0, SubRecord::kPartial, false));
    click(cellPoint(b, 0, 4 + 7, 8));
    EXPECT_EQ(box.checkState(b, b->serial(), 0), SubRecord::kUnchecked);
    EXPECT_EQ(log.ids, (std::vector<int32_t>{IListBox2::kRowChecked, IListBox2::kRowUnchecked}));
    EXPECT_EQ(box.uncheckedRecord(), b);
    EXPECT_EQ(box.selectedCount(), 0);
    // Keyboard: the key is reported, then the platform moves the selection.
    log.clear();
    SetFocus(view->list());
    click(cellPoint(a, 2, 5, 8));
    SendMessageW(view->list(), WM_KEYDOWN, VK_DOWN, 0);
    pump();
    EXPECT_EQ(box.lastKey(), VK_DOWN);
    EXPECT_TRUE(box.isSelected(b, b->serial()));
    EXPECT_FALSE(box.isSelected(a, a->serial()));
    // A double click reports the row.
    log.clear();
    SendMessageW(view->list(), WM_LBUTTONDBLCLK, MK_LBUTTON,
                 MAKELPARAM(cellPoint(a, 2, 5, 8).x, cellPoint(a, 2, 5, 8).y));
    pump();
    EXPECT_EQ(box.doubleClickedRecord(), a);
    // A change reported for all items is read back from the platform, not indexed by -1.
    NMLISTVIEW all{};
    all.hdr.hwndFrom = view->list();
    all.hdr.idFrom = 1009;
    all.hdr.code = LVN_ITEMCHANGED;
    all.iItem = -1;
    all.uChanged = LVIF_STATE;
    SendMessageW(view->frame(), WM_NOTIFY, 1009, reinterpret_cast<LPARAM>(&all));
    int32_t selected = 0;
    for (int32_t i = 0; i < box.recordCount(); ++i) {
        selected += (SendMessageW(view->list(), LVM_GETITEMSTATE, i, LVIS_SELECTED) & LVIS_SELECTED)
                        ? 1
                        : 0;
    }
    EXPECT_EQ(box.selectedCount(), selected);
}

TEST_F(ListViewTest, AContextMenuRequestOverASelectionAsksForThePopup) {
    build(3, 0);
    EventLog log;
    box.addListener(IListBox2::kPopupMenu, &log);
    // The platform list reports a finished right click (or the menu key) this way.
    SendMessageW(view->list(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view->list()), -1);
    EXPECT_TRUE(log.ids.empty());
    Record* a = box.recordAt(0);
    click(cellPoint(a, 1, 20, 8));
    SendMessageW(view->list(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view->list()), -1);
    EXPECT_EQ(log.ids, (std::vector<int32_t>{IListBox2::kPopupMenu}));
}

TEST_F(ListViewTest, WheelAmountsScrollBarAndTheLastRowBroughtIntoView) {
    build(10, 30);
    UINT saved = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &saved, 0);
    SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, 1, nullptr, 0);
    EXPECT_TRUE(view->verticalShown());
    EXPECT_EQ(view->verticalPosition(), 0);
    SendMessageW(view->list(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                 MAKELPARAM(50, 50));
    EXPECT_EQ(view->verticalPosition(), 28);
    SendMessageW(view->list(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(50, 50));
    EXPECT_EQ(view->verticalPosition(), 13);
    // A page per notch scrolls a page, not lines x 15 overflowed.
    SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, WHEEL_PAGESCROLL, nullptr, 0);
    int32_t before = view->verticalPosition();
    SendMessageW(view->list(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                 MAKELPARAM(50, 50));
    int32_t after = view->verticalPosition();
    EXPECT_GT(after, before);
    EXPECT_LE(after - before, 300);
    SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, saved, nullptr, 0);
    // The window asks for 2000 to show a new last row: it ends fully visible.
    view->scrollVertical(2000);
    pump();
    Record* last = box.recordAt(box.recordCount() - 1);
    RECT r{};
    ASSERT_TRUE(view->cellRect(last, 0, r));
    RECT client{};
    GetClientRect(view->list(), &client);
    EXPECT_LE(r.bottom, client.bottom);
    EXPECT_GE(r.top, 0);
    view->scrollVertical(-100000);
    EXPECT_EQ(view->verticalPosition(), 0);
}

TEST_F(ListViewTest, AMiddleClickOverTheListReachesTheWindowBehind) {
    build(5, 0);
    pumpFor(100);
    hostMiddleClicks = 0;
    RECT r{};
    GetWindowRect(view->list(), &r);
    SetCursorPos(r.left + 60, r.top + 50);
    pumpFor(50);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_MIDDLEDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_MIDDLEUP;
    SendInput(2, input, sizeof(INPUT));
    for (int i = 0; i < 100 && hostMiddleClicks == 0; ++i)
        pumpFor(10);
    EXPECT_GE(hostMiddleClicks.load(), 1);
    // Other buttons stay with the list.
    EXPECT_EQ(SendMessageW(view->list(), WM_NCHITTEST, 0, MAKELPARAM(r.left + 60, r.top + 50)),
              HTCLIENT);
}

TEST_F(ListViewTest, LabelEditsReportTheTextAndCancelledEditsNothing) {
    build(3, 0);
    EventLog log;
    box.addListener(IListBox2::kLabelEdited, &log);
    SetFocus(view->list());
    auto edit = reinterpret_cast<HWND>(SendMessageW(view->list(), LVM_EDITLABELW, 1, 0));
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"Bern");
    SetFocus(host);  // the edit ends with its text
    pump();
    EXPECT_EQ(log.ids, (std::vector<int32_t>{IListBox2::kLabelEdited}));
    EXPECT_EQ(box.editedPosition(), 1);
    EXPECT_EQ(std::u16string(box.editedText()), u"Bern");
    // A cancelled edit arrives without a text: nothing changes.
    NMLVDISPINFOW cancelled{};
    cancelled.hdr.hwndFrom = view->list();
    cancelled.hdr.idFrom = 1009;
    cancelled.hdr.code = LVN_ENDLABELEDITW;
    cancelled.item.iItem = 2;
    cancelled.item.pszText = nullptr;
    SendMessageW(view->frame(), WM_NOTIFY, 1009, reinterpret_cast<LPARAM>(&cancelled));
    pump();
    EXPECT_EQ(log.ids.size(), 1u);
    EXPECT_EQ(box.editedPosition(), 1);
}

// One clock tick: every local time moves on.
void tick(ListBox2& box, int64_t add) {
    box.suspendRedraw(true);
    for (int32_t i = 0; i < box.recordCount(); ++i) {
        Record* row = box.recordAt(i);
        auto* value = box.cellValue(row, row->serial(), 1);
        listbox2::storeInt64Value(value, listbox2::loadInt64Value(value) + add);
    }
    box.refreshColumn(1);
    box.suspendRedraw(false);
}

TEST_F(ListViewTest, ATickRepaintsOnlyTheChangedCellsAndNothingWhenHiddenOrIconized) {
    build(0, 40);
    pumpFor(100);
    UpdateWindow(host);
    int32_t shown = static_cast<int32_t>(SendMessageW(view->list(), LVM_GETCOUNTPERPAGE, 0, 0));
    view->resetCounts();
    tick(box, 1);
    EXPECT_GE(view->counts().cells, shown);
    EXPECT_LE(view->counts().cells, shown + 1);
    EXPECT_EQ(view->counts().fullPaints, 0);
    EXPECT_EQ(view->counts().rows, 0);
    // Nothing changed: nothing drawn.
    view->resetCounts();
    box.suspendRedraw(true);
    box.refreshColumn(1);
    box.suspendRedraw(false);
    EXPECT_EQ(view->counts().cells, 0);
    // A single cell from a worker thread: exactly that cell, drawn on the GUI thread.
    view->resetCounts();
    Record* row = box.recordAt(0);
    uint32_t serial = row->serial();
    std::atomic<bool> done{false};
    std::thread worker([&] {
        box.setCellValue(row, serial, 1, listbox2::newInt64Value(5));
        done = true;
    });
    while (!done)
        pumpFor(5);
    worker.join();
    EXPECT_EQ(view->counts().cells, 1);
    EXPECT_EQ(view->counts().directCells, 1);
    // Hidden and iconized: nothing.
    ShowWindow(view->frame(), SW_HIDE);
    view->resetCounts();
    tick(box, 1);
    EXPECT_EQ(view->counts().cells, 0);
    ShowWindow(view->frame(), SW_SHOW);
    pumpFor(50);
    ShowWindow(host, SW_MINIMIZE);
    pumpFor(50);
    view->resetCounts();
    tick(box, 1);
    EXPECT_EQ(view->counts().cells, 0);
    ShowWindow(host, SW_RESTORE);
    pumpFor(50);
}

TEST_F(ListViewTest, WorkerChangesCellsWhileTheWindowSortsAndThenCloses) {
    build(0, 30);
    std::vector<Record*> rows;
    std::vector<uint32_t> serials;
    for (int32_t i = 0; i < box.recordCount(); ++i) {
        rows.push_back(box.recordAt(i));
        serials.push_back(rows.back()->serial());
    }
    std::atomic<bool> stop{false};
    std::atomic<int32_t> rounds{0};
    std::atomic<int32_t> failed{0};
    std::thread worker([&] {
        for (int32_t round = 0; round < 2000 && !stop; ++round) {
            size_t k = static_cast<size_t>(round) % rows.size();
            if (!box.setCellValue(rows[k], serials[k], 1, listbox2::newInt64Value(round)))
                ++failed;  // after the window closed (the value is not taken)
            if (round % 50 == 0)
                box.refreshColumn(1);
            ++rounds;
        }
    });
    int32_t sorts = 0;
    GdiFlush();
    for (int32_t loop = 0; rounds < 2000 && loop < 1000000; ++loop) {
        pump();
        if (loop % 8 == 0) {
            box.requestSort(1);
            box.sort();
            ++sorts;
        }
        if (rounds > 1000 && view->isLive())
            view->destroy();  // the window closes under the worker
    }
    stop = true;
    while (rounds < 2000) {
        pump();
        Sleep(1);
    }
    worker.join();
    EXPECT_FALSE(view->isLive());
    EXPECT_GT(sorts, 0);
    EXPECT_GT(failed.load(), 0);
    // Every text reads whole.
    for (int32_t i = 0; i < box.recordCount(); ++i) {
        const char16_t* text = box.cellText(box.recordAt(i), box.recordAt(i)->serial(), 1);
        ASSERT_NE(text, nullptr);
        EXPECT_GT(std::u16string(text).size(), 0u);
    }
    std::printf("[ figures ] worker calls %d (failed after closing %d), GUI sorts %d\n",
                rounds.load(), failed.load(), sorts);
}

TEST_F(ListViewTest, ScreenshotsOfTwoHundredRowsInTwoSchemes) {
    build(200, 0);
    for (int32_t i = 0; i < 200; i += 3) {
        Record* row = box.recordAt(i);
        box.setCheckState(row, row->serial(), 0, i % 2 ? SubRecord::kChecked : SubRecord::kPartial,
                          false);
    }
    box.requestSort(1);
    box.requestSort(1);  // ascending by time
    box.sort();
    for (int32_t i : {1, 2, 4}) {
        Record* row = box.recordAt(i);
        box.selectRecord(row, row->serial());
    }
    Record* emphasised = box.recordAt(6);
    box.setRecordAlternate(emphasised, emphasised->serial(), true);
    const char* names[] = {"list-first-scheme", "list-second-scheme"};
    for (int32_t s = 0; s < 2; ++s) {
        skinner->selectByIndex(s * 5);
        drawer::ISkin* skin = skinner->currentSkin();
        view->setListBoxDrawer(skin->listBox(), skin->listHeader(), skin->scrollBar());
        RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        pumpFor(200);
        testing::Capture shot = testing::saveScreenshot(host, names[s]);
        ASSERT_GT(shot.width, 0);
        // The selected rows show the selection colour behind their cells.
        RECT cell{};
        ASSERT_TRUE(view->cellRect(box.recordAt(1), 2, cell));
        RECT frame{};
        GetWindowRect(view->list(), &frame);
        RECT hostRect{};
        GetWindowRect(host, &hostRect);
        uint32_t selection = skin->listBox()->selectionColour();
        EXPECT_EQ(shot.at(frame.left - hostRect.left + cell.right - 3,
                          frame.top - hostRect.top + cell.top + 2),
                  selection)
            << names[s];
    }
}

TEST_F(ListViewTest, ThousandTicksLeaveTheGdiObjectsAsTheFirst) {
    build(0, 31);
    pumpFor(50);
    tick(box, 1);
    test::GdiCount first = test::gdiCount();
    for (int32_t i = 0; i < 1000; ++i) {
        tick(box, 1);
        if (i % 100 == 0)
            pump();
    }
    test::GdiCount later = test::gdiCount();
    EXPECT_EQ(later.live, first.live);
}

}  // namespace
}  // namespace s::gui::win

namespace s::gui::win {
namespace {

// The list as a component of a toolkit window: created on the window's thread when placed,
// calls from this (another) thread handed over, and shown again after a new placement.
TEST(ListBox2Control, PlacedInAWindowShownAgainAfterANewPlacement) {
    testing::TestWindow w;
    drawer::Skinner* skinner = drawer::Skinner::create(drawer::kThinWindowFamily);
    ASSERT_NE(skinner, nullptr);
    w->setSkinner(skinner);
    w->setBounds(30, 30, 420, 320);
    ListBox2 box;
    box.addColumnLiteral(u"Place", 150, 0, true, listbox2::compareText, true, false, true, false,
                         false);
    box.addColumnLiteral(u"Time", 100, 2, true, listbox2::compareInt64, true, false, false, false,
                         false);
    for (int32_t i = 0; i < 12; ++i)
        box.appendRecord(clockRow(u"Place", 100 + i, u"Zone", SubRecord::kUnchecked));
    ListBox2Control* control = ListBox2Control::take();
    ASSERT_NE(control, nullptr);
    control->setList(&box);
    control->setBounds(0, 0, 400, 300);
    w->addChild(control);
    w->setVisible(true, false);
    testing::settle(*w);
    ASSERT_NE(control->view(), nullptr);
    ASSERT_TRUE(control->view()->isLive());
    EXPECT_EQ(SendMessageW(control->view()->list(), LVM_GETITEMCOUNT, 0, 0), 12);
    EXPECT_GE(control->minimumWidth(), ListBox2Control::kMinimumWidth);
    // From this thread: handed to the window's thread.
    Record* row = box.recordAt(3);
    EXPECT_TRUE(box.setCellValue(row, row->serial(), 1, listbox2::newInt64Value(7)));
    EXPECT_EQ(std::u16string(box.cellText(row, row->serial(), 1)), u"7");
    // Taken out of the window (which releases it): the model stays and acts at once.
    w->removeChild(control, false);
    testing::flush(*w);
    EXPECT_EQ(box.recordCount(), 12);
    // Placed again in a new control: every row is shown again.
    ListBox2Control* again = ListBox2Control::take();
    ASSERT_NE(again, nullptr);
    again->setList(&box);
    again->setBounds(0, 0, 400, 300);
    w->addChild(again);
    testing::settle(*w);
    ASSERT_NE(again->view(), nullptr);
    ASSERT_TRUE(again->view()->isLive());
    EXPECT_EQ(SendMessageW(again->view()->list(), LVM_GETITEMCOUNT, 0, 0), 12);
    EXPECT_EQ(box.recordCount(), 12);
    w->removeChild(again, false);
    testing::flush(*w);
    box.clear();
    w->close();
    w->waitUntilClosed();
    skinner->release();
}

}  // namespace
}  // namespace s::gui::win

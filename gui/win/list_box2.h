#pragma once

#include <atomic>
#include <cstdint>
#include <type_traits>

#include "base/array.h"
#include "base/pool.h"
#include "base/str_buffer.h"
#include "gui/i_list_box2.h"
#include "gui/listbox2/list.h"
#include "gui/win/list_box2_platform.h"

namespace s::gui::win {

// The list control, its model-level side. Without a platform side (no window yet) every
// operation acts on the List at once on the calling thread. Once a window attaches its
// IListBox2Platform, operations called from other threads are handed to the GUI thread
// and wait there, and the platform is told of every change it must show.
class ListBox2 final : public IListBox2,
                       public thread::Pooled<ListBox2>,
                       private listbox2::IListOwner {
public:
    // Instances hold a platform window once placed: they are not kept for reuse.
    static constexpr int32_t kPoolCapacity = 0;

    ListBox2();
    ~ListBox2() override;
    ListBox2(const ListBox2&) = delete;
    ListBox2& operator=(const ListBox2&) = delete;

    const char16_t* className() const override { return u"s_gui_win_ListBox2"; }
    ListBox2* newInstance() const override { return take(); }
    // clear(), no listeners, default configuration.
    void reset() override;

    void addListener(int32_t eventId, events::IEventListener* listener) override;
    void removeListener(int32_t eventId, events::IEventListener* listener) override;

    void setMultiSelect(bool on) override { multiSelect_ = on; }
    bool multiSelect() const override { return multiSelect_; }
    void setSortAfterAppend(bool on) override { sortAfterAppend_ = on; }

    listbox2::List& list() override { return list_; }
    int32_t columnCount() const override { return list_.columnCount(); }
    listbox2::DataType* columnAt(int32_t index) const override { return list_.columnAt(index); }
    int32_t addColumn(lang::Localizer* localizer, int32_t titleId, int32_t width, int32_t alignment,
                      bool sortable, listbox2::ValueComparator comparator, bool ascending,
                      bool iconColumn, bool checkBoxColumn, bool editable,
                      bool treeColumn) override;
    int32_t addColumnLiteral(const char16_t* title, int32_t width, int32_t alignment, bool sortable,
                             listbox2::ValueComparator comparator, bool ascending, bool iconColumn,
                             bool checkBoxColumn, bool editable, bool treeColumn) override;
    int32_t addColumnObject(listbox2::DataType* column) override;
    bool setColumnOrder(const int32_t* order, int32_t count) override;
    int32_t columnOrderCount() const override { return columnOrder_.count(); }
    int32_t columnOrderAt(int32_t position) const override;

    int32_t recordCount() override;
    listbox2::Record* recordAt(int32_t index) override;
    listbox2::Record* firstRecord() override;
    listbox2::Record* nextRecord(listbox2::Record* row, uint32_t serial, bool wrap) override;
    listbox2::Record* previousRecord(listbox2::Record* row, uint32_t serial, bool wrap) override;
    bool appendRecord(listbox2::Record* row) override;
    bool insertRecord(int32_t position, listbox2::Record* row) override;
    bool removeRecord(listbox2::Record* row, uint32_t serial) override;
    void removeAllRecords() override;
    void removeSelected() override;
    bool removeAndRelease(listbox2::Record* row, uint32_t serial) override;
    void removeAllAndRelease() override;
    void clear() override;

    bool setCellValue(listbox2::Record* row, uint32_t serial, int32_t column, void* value) override;
    void* cellValue(listbox2::Record* row, uint32_t serial, int32_t column) override;
    bool setCellTextFunction(listbox2::Record* row, uint32_t serial, int32_t column,
                             listbox2::TextFunction textFunction) override;
    const char16_t* cellText(listbox2::Record* row, uint32_t serial, int32_t column) override;
    bool refreshCell(listbox2::Record* row, uint32_t serial, int32_t column) override;
    void refreshColumn(int32_t column) override;
    int32_t checkState(listbox2::Record* row, uint32_t serial, int32_t column) override;
    bool setCheckState(listbox2::Record* row, uint32_t serial, int32_t column, int32_t state,
                       bool notify) override;
    bool setRecordAlternate(listbox2::Record* row, uint32_t serial, bool on) override;
    bool toggleExpand(listbox2::Record* row, uint32_t serial) override;
    void suspendRedraw(bool suspend) override;
    bool redrawSuspended() const override { return redrawSuspended_; }

    void requestSort(int32_t column) override;
    void sort() override;

    bool selectRecord(listbox2::Record* row, uint32_t serial) override;
    void deselectAll() override;
    int32_t selectedCount() override;
    listbox2::Record* selectedAt(int32_t index, uint32_t* serial = nullptr) override;
    bool isSelected(listbox2::Record* row, uint32_t serial) override;
    void sortSelection() override;

    listbox2::Record* checkedRecord(uint32_t* serial = nullptr) const override;
    listbox2::Record* uncheckedRecord(uint32_t* serial = nullptr) const override;
    bool ensureVisible(listbox2::Record* row, uint32_t serial) override;
    int32_t clickedColumn() const override { return clickedColumn_; }

    // --- the platform side (on the GUI thread) ---
    // Attached when the window is created, which then shows the existing columns and rows
    // itself; detached before the window goes. Not owned.
    void attachPlatform(IListBox2Platform* platform) { platform_.store(platform); }
    void detachPlatform() { platform_.store(nullptr); }
    bool hasPlatform(const IListBox2Platform* platform) const { return platform_.load() == platform; }
    IListBox2Platform* platform() const { return redrawSuspended_ ? nullptr : platform_.load(); }
    // The platform item of the row became selected or not.
    void rowSelectionChanged(listbox2::Record* row, bool selected);
    // A click on the header of `column` (a column index): event kHeaderClicking, then the
    // sort when the column is sortable, then kColumnClicked.
    void headerClicked(int32_t column);
    // A click on the empty header area right of the last column counts as a click on the
    // last column in display order.
    void headerClickedBeyondLast();
    // The platform reported a state change for all items at once: the selection is read
    // again from the platform items, raising the events of every row that came or went.
    void resyncSelection();
    // The in-place edit of a first-column label ended; a null text (the edit was
    // cancelled) changes nothing, else the text and the row's position are kept and
    // kLabelEdited is raised.
    void labelEdited(listbox2::Record* row, const char16_t* text);
    // Data of kLabelEdited: the row's position (-1 before the first edit) and the text.
    int32_t editedPosition() const { return editedPosition_; }
    const char16_t* editedText() const;
    // A header drag accepted a new left-to-right order (column indices).
    void columnOrderDragged(const int32_t* order, int32_t count);
    // A click on the check box of a cell: 1 becomes 2 (kRowChecked), 2 or 3 becomes 1
    // (kRowUnchecked); the row is repainted. False when the cell has no check box.
    bool checkBoxClicked(listbox2::Record* row, int32_t column);
    // A double click on a row that hit neither its tree control nor a check box:
    // an expandable row is toggled, then kRowDoubleClicked.
    void rowDoubleClicked(listbox2::Record* row);
    listbox2::Record* doubleClickedRecord(uint32_t* serial = nullptr) const;
    // A key went down: kKeyDown with the key readable; true when a listener consumed it
    // (the platform then skips its own handling).
    bool keyPressed(int32_t virtualKey);
    int32_t lastKey() const { return lastKey_; }
    // Called by a kKeyDown listener: the key gets no default handling.
    void consumeKey() { keyConsumed_ = true; }
    // The right button went up over the list: kPopupMenu when rows are selected; true when
    // it was raised (the popup menu opens then).
    bool rightButtonReleased();

private:
    // Runs `operation` where the model may be touched and returns its result: here and now
    // without a platform side or on the GUI thread, else handed to the GUI thread by the
    // platform's synchronous hand-over (so the operation may use the caller's stack).
    // When the hand-over fails (the window is gone) the operation has not run and the
    // result is the failure value (`Result{}`: false, nullptr, 0, or the one given): a
    // caller never reads a result nobody wrote.
    template <class F>
    auto dispatch(F&& operation) -> std::invoke_result_t<F&> {
        using Result = std::invoke_result_t<F&>;
        if constexpr (std::is_void_v<Result>) {
            runOnModelThread(&invoke<std::remove_reference_t<F>>, &operation);
        } else {
            return dispatchOr(operation, Result{});
        }
    }
    template <class F, class Result = std::invoke_result_t<F&>>
    Result dispatchOr(F&& operation, Result failure) {
        Result result = failure;
        auto store = [&] { result = operation(); };
        runOnModelThread(&invoke<decltype(store)>, &store);
        return result;
    }
    template <class F>
    static void invoke(void* operation) {
        (*static_cast<F*>(operation))();
    }
    // False when the operation did not run (a failed hand-over).
    bool runOnModelThread(void (*operation)(void*), void* block);

    // Nothing is painted without a window or while drawing is suspended.
    IListBox2Platform* painter() const { return redrawSuspended_ ? nullptr : platform_.load(); }
    void repaintCell(listbox2::Record* row, int32_t column);
    void repaintRow(listbox2::Record* row);
    void repaintColumn(int32_t column);
    void repaintAll();

    void raise(int32_t eventId);
    // Selection bookkeeping, as the platform's item-state changes report it.
    void noteSelected(listbox2::Record* row);
    void noteDeselected(listbox2::Record* row);
    int32_t selectionIndexOf(const listbox2::Record* row) const;
    // Drops selection entries whose rows are no longer listed (after removals).
    void pruneSelection();
    bool removeNow(listbox2::Record* row, uint32_t serial);

    void removeReleasedRecord(listbox2::Record* row) override;
    void recordAttached(listbox2::Record* row) override;
    void recordDropped(listbox2::Record* row, int32_t position) override;

    listbox2::List list_;
    col::_array::ArrayS32 columnOrder_;
    col::_array::ArrayP selected_;  // Record*, not owned
    col::_array::ArrayU32 selectedSerials_;
    col::_array::ArrayP listeners_[kEventSlots];  // IEventListener*, not owned
    listbox2::Record* checkedRecord_ = nullptr;
    uint32_t checkedSerial_ = 0;
    listbox2::Record* uncheckedRecord_ = nullptr;
    uint32_t uncheckedSerial_ = 0;
    int32_t clickedColumn_ = -1;
    int32_t editedPosition_ = -1;
    listbox2::Record* doubleClicked_ = nullptr;
    uint32_t doubleClickedSerial_ = 0;
    int32_t lastKey_ = 0;
    bool keyConsumed_ = false;
    str::StrBuffer* editedText_ = nullptr;  // owned
    // Read by every caller's thread to choose between running here and handing over.
    std::atomic<IListBox2Platform*> platform_{nullptr};  // not owned
    bool multiSelect_ = false;
    bool sortAfterAppend_ = false;
    bool redrawSuspended_ = false;
};

}  // namespace s::gui::win

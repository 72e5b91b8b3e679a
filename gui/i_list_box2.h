#pragma once

#include <cstdint>

#include "base/event_listener.h"
#include "base/object.h"
#include "gui/listbox2/cell_functions.h"

namespace s::lang {
class Localizer;
}
namespace s::gui::listbox2 {
class DataType;
class List;
class Record;
}  // namespace s::gui::listbox2

namespace s::gui {

// The multi-column list control. Rows are named by (row, serial) handles; an operation on
// a handle that no longer names a row of this list does nothing and reports false/null.
// Every operation may be called from any thread: the control runs it where its model lives.
class IListBox2 : public base::IObject {
public:
    // Event ids; the data of an event is read back from the list.
    enum Event : int32_t {
        kRowSelected = 1,
        kRowDeselected = 2,
        kFilesDropped = 3,
        kDroppedOnTarget = 4,
        kLabelEdited = 5,
        kColumnClicked = 6,
        kPopupMenu = 7,
        kKeyDown = 8,
        kSingleSelection = 20,
        kSelectionEmpty = 21,
        kRowDoubleClicked = 22,
        kRowChecked = 23,
        kRowUnchecked = 24,
        kRowsReordered = 25,
        kSorted = 26,
        kDragStarted = 27,
        kDragMoved = 28,
        kDragEnded = 29,
        kObjectDropped = 30,
        kLinkClicked = 31,
        kHeaderClicking = 32,
    };
    static constexpr int32_t kEventSlots = 33;

    virtual void addListener(int32_t eventId, events::IEventListener* listener) = 0;
    virtual void removeListener(int32_t eventId, events::IEventListener* listener) = 0;

    virtual void setMultiSelect(bool on) = 0;
    virtual bool multiSelect() const = 0;
    virtual void setSortAfterAppend(bool on) = 0;

    // --- columns ---
    virtual listbox2::List& list() = 0;
    virtual int32_t columnCount() const = 0;
    virtual listbox2::DataType* columnAt(int32_t index) const = 0;
    // Creates a column titled by the localizer's text for `titleId`; returns its index.
    virtual int32_t addColumn(lang::Localizer* localizer, int32_t titleId, int32_t width,
                              int32_t alignment, bool sortable,
                              listbox2::ValueComparator comparator, bool ascending, bool iconColumn,
                              bool checkBoxColumn, bool editable, bool treeColumn) = 0;
    virtual int32_t addColumnLiteral(const char16_t* title, int32_t width, int32_t alignment,
                                     bool sortable, listbox2::ValueComparator comparator,
                                     bool ascending, bool iconColumn, bool checkBoxColumn,
                                     bool editable, bool treeColumn) = 0;
    // Takes ownership; -1 for null.
    virtual int32_t addColumnObject(listbox2::DataType* column) = 0;
    // Column indices left to right. Ignored (false) unless it holds every column exactly
    // once.
    virtual bool setColumnOrder(const int32_t* order, int32_t count) = 0;
    virtual int32_t columnOrderCount() const = 0;
    virtual int32_t columnOrderAt(int32_t position) const = 0;

    // --- rows ---
    virtual int32_t recordCount() = 0;
    virtual listbox2::Record* recordAt(int32_t index) = 0;
    virtual listbox2::Record* firstRecord() = 0;
    virtual listbox2::Record* nextRecord(listbox2::Record* row, uint32_t serial, bool wrap) = 0;
    virtual listbox2::Record* previousRecord(listbox2::Record* row, uint32_t serial, bool wrap) = 0;
    // The row is not owned while listed; an expanded tree row brings its children along.
    virtual bool appendRecord(listbox2::Record* row) = 0;
    virtual bool insertRecord(int32_t position, listbox2::Record* row) = 0;
    // Takes the row (and its listed descendants) out of the list and the selection; the
    // caller keeps the row.
    virtual bool removeRecord(listbox2::Record* row, uint32_t serial) = 0;
    virtual void removeAllRecords() = 0;
    virtual void removeSelected() = 0;
    // removeRecord, then the row goes back to its pool unless it is a child row.
    virtual bool removeAndRelease(listbox2::Record* row, uint32_t serial) = 0;
    virtual void removeAllAndRelease() = 0;
    // Releases every row and column (the control's destruction does this).
    virtual void clear() = 0;

    // --- cells ---
    // Stores the value (disposing the old one), rebuilds the cell's text and repaints it.
    virtual bool setCellValue(listbox2::Record* row, uint32_t serial, int32_t column,
                              void* value) = 0;
    // The cell's value, for callers that update it in place (then refreshCell/Column).
    virtual void* cellValue(listbox2::Record* row, uint32_t serial, int32_t column) = 0;
    virtual bool setCellTextFunction(listbox2::Record* row, uint32_t serial, int32_t column,
                                     listbox2::TextFunction textFunction) = 0;
    // The cell's text (built when missing); the empty text for a cell without a text
    // function; nullptr for an invalid handle or column.
    virtual const char16_t* cellText(listbox2::Record* row, uint32_t serial, int32_t column) = 0;
    virtual bool refreshCell(listbox2::Record* row, uint32_t serial, int32_t column) = 0;
    // Rebuilds the column's text in every row and repaints the column.
    virtual void refreshColumn(int32_t column) = 0;
    // 0 for an invalid handle or a cell without a check box.
    virtual int32_t checkState(listbox2::Record* row, uint32_t serial, int32_t column) = 0;
    // Only for a cell with a check box and a different state (1-3). With notify, state 2
    // raises kRowChecked and state 1 kRowUnchecked.
    virtual bool setCheckState(listbox2::Record* row, uint32_t serial, int32_t column,
                               int32_t state, bool notify) = 0;
    virtual bool setRecordAlternate(listbox2::Record* row, uint32_t serial, bool on) = 0;
    virtual bool toggleExpand(listbox2::Record* row, uint32_t serial) = 0;
    // true: stop painting (bulk changes); false: paint again, the whole control once.
    virtual void suspendRedraw(bool suspend) = 0;
    virtual bool redrawSuspended() const = 0;

    // --- order ---
    virtual void requestSort(int32_t column) = 0;
    // Sorts the rows, then raises kSorted.
    virtual void sort() = 0;

    // --- selection (in the order the rows were selected) ---
    virtual bool selectRecord(listbox2::Record* row, uint32_t serial) = 0;
    virtual void deselectAll() = 0;
    virtual int32_t selectedCount() = 0;
    // nullptr outside 0..selectedCount()-1; `serial` (may be null) receives the row's serial.
    virtual listbox2::Record* selectedAt(int32_t index, uint32_t* serial = nullptr) = 0;
    virtual bool isSelected(listbox2::Record* row, uint32_t serial) = 0;
    // Orders the selection by display position.
    virtual void sortSelection() = 0;

    // Scrolls the row into view; false for an invalid handle.
    virtual bool ensureVisible(listbox2::Record* row, uint32_t serial) = 0;
    // Data of kColumnClicked: the column index; -1 before the first click.
    virtual int32_t clickedColumn() const = 0;

    // Data of kRowChecked and kRowUnchecked; `serial` may be null.
    virtual listbox2::Record* checkedRecord(uint32_t* serial = nullptr) const = 0;
    virtual listbox2::Record* uncheckedRecord(uint32_t* serial = nullptr) const = 0;
};

}  // namespace s::gui

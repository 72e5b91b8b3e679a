#pragma once

#include <cstdint>

#include "base/array.h"
#include "base/map.h"
#include "base/object.h"
#include "base/pool.h"

namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::gui::listbox2 {

class DataType;
class Record;

// The view over a list. It is told when a holder releases a row that is still in the list,
// before the row goes back to its pool (the owner must take the row out of the list, and a
// view also drops its selection entry), and after every row that enters or leaves the list,
// so that the platform control's items can follow.
class IListOwner {
public:
    virtual ~IListOwner() = default;
    virtual void removeReleasedRecord(Record* row) = 0;
    // The row is now at row->index().
    virtual void recordAttached(Record* row) { (void)row; }
    // The row was at `position`; the later rows have moved up by one.
    virtual void recordDropped(Record* row, int32_t position) {
        (void)row;
        (void)position;
    }
};

// The model of one list control: columns, rows in display order, the sort-key priority and
// the set of rows used to check handles. No lock of its own: one thread at a time (the
// view's GUI thread once it has a window, the building thread before).
class List final : public base::IObject, public thread::Pooled<List> {
public:
    List();
    ~List() override;
    List(const List&) = delete;
    List& operator=(const List&) = delete;

    const char16_t* className() const override { return u"s_gui_listbox2_List"; }
    List* newInstance() const override { return take(); }
    // clear(), and no owner.
    void reset() override;

    void setOwner(IListOwner* owner) { owner_ = owner; }
    IListOwner* owner() const { return owner_; }

    // --- columns ---
    // Takes ownership and returns the column's index; -1 for null.
    int32_t addColumn(DataType* column);
    int32_t columnCount() const { return columns_.count(); }
    DataType* columnAt(int32_t index) const;

    // --- rows ---
    int32_t recordCount() const { return records_.count(); }
    Record* recordAt(int32_t index) const;
    Record* firstRecord() const { return recordAt(0); }
    // The handle names a row of this list in its current life (checked without reading a
    // row that may be gone).
    bool isValid(const Record* row, uint32_t serial);

    // Refused (false) for null and for a row that is already in a list. The row is not
    // owned: removing it hands it back to the caller.
    bool appendRecord(Record* row);
    // Inserts at `position` (clamped to 0..recordCount()); later rows are renumbered.
    bool insertRecord(int32_t position, Record* row);
    bool removeRecord(Record* row, uint32_t serial);

    // Stores the value (disposing the old one) and drops the cached text. On failure the
    // caller keeps the value.
    bool setCellValue(Record* row, uint32_t serial, int32_t column, void* value);
    // The cell's text, built when missing; nullptr without a cell or text function.
    const str::strbuffer::StrBuffer* cellText(Record* row, int32_t column);

    // --- order ---
    // Flips the column's direction and makes it the first key; the rows stay where they are.
    void requestSort(int32_t column);
    // Stable sort of the rows by the keys; every index is renumbered.
    void sort();
    // The key comparator: sortable columns in key order, each in its direction.
    int32_t compareRecords(const Record* a, const Record* b) const;
    int32_t sortKeyCount() const { return sortKeys_.count(); }
    uint32_t sortKeyAt(int32_t i) const { return sortKeys_.get(i); }

    // The row after (before) the given one. Past the end: the first (last) row with wrap,
    // else null. An invalid handle gives the first (last) row with wrap, else null.
    Record* nextRecord(Record* row, uint32_t serial, bool wrap);
    Record* previousRecord(Record* row, uint32_t serial, bool wrap);

    // --- tree rows ---
    int32_t expandState(const Record* row) const;
    bool isExpandable(const Record* row) const;
    // Inserts the row and, while it is expanded, its children below it (recursively).
    bool insertTree(int32_t position, Record* row);
    // Removes the row and every descendant of it that is in the list.
    bool removeTree(Record* row, uint32_t serial);
    // Expanded (1) becomes collapsed (2), removing the descendants from the list; anything
    // else becomes expanded, inserting the children again. False without a tree cell or
    // for an invalid handle.
    bool toggleExpand(Record* row, uint32_t serial);
    // After a sort: every row that has its parent in the list is moved back under it, in
    // the parent's child order.
    void relayoutTree();

    // Removes every row (last to first) and releases the top-level ones with their cells
    // and children; then drops the columns and the sort keys.
    void clear();

private:
    friend class Record;

    // Record::release() of a row that is still here.
    void leaveReleased(Record* row);
    void attach(Record* row, int32_t position);
    void drop(Record* row);
    void renumberFrom(int32_t position);
    void insertChildren(Record* row);
    void removeDescendants(Record* row);
    void layOut(Record* row, col::_array::ArrayP& into);

    col::_array::ArrayP columns_;  // DataType*, owned through their pool
    col::_array::ArrayP records_;  // Record*, not owned
    col::_array::ArrayU32 sortKeys_;
    map::Map recordSet_;
    IListOwner* owner_ = nullptr;  // not owned
};

}  // namespace s::gui::listbox2

#pragma once

#include <cstdint>

#include "base/array.h"
#include "base/obj_locker.h"
#include "base/object.h"
#include "base/pool.h"
#include "gui/listbox2/cell_functions.h"

namespace s::gui::listbox2 {

class List;
class SubRecord;

// One row: its cells in column order, the application's object, its place in a list, and
// its creation serial. Rows are pooled and reused, so holders name a row by the pair
// (row, serial()); a list accepts the pair only while it names this life of the row.
class Record final : public base::IObject, public thread::Pooled<Record> {
public:
    Record();
    ~Record() override;
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;

    // A row from the pool with room for `cellCapacity` cells (normally the column count).
    // `userData` is not owned.
    static Record* create(int32_t cellCapacity, void* userData = nullptr);
    // A clean row from the pool (as Pooled::take(), marking it in use).
    static Record* take();
    // Releases the row when (row, serial) still names this life of it: a holder whose row
    // was already given back (a list's clear(), say) then does no harm. False otherwise.
    static bool releaseHandle(Record* row, uint32_t serial);
    // (row, serial) names a row taken with take() or create() in its present life. Checked
    // in a process-wide table of live rows, never through `row`, which its pool may have
    // destroyed since. Any thread.
    static bool isLive(const Record* row, uint32_t serial);
    // Runs use(*row) when the handle is live, with the row kept in this life until `use`
    // returns (a row leaves its life under the same lock): for a thread other than the
    // list's. `use` must not block nor take other locks. False when the handle is stale.
    template <class F>
    static bool withLive(Record* row, uint32_t serial, F&& use) {
        thread::Locked guard(liveLock());
        if (!isLiveLocked(row, serial))
            return false;
        use(*row);
        return true;
    }

    const char16_t* className() const override { return u"s_gui_listbox2_Record"; }
    Record* newInstance() const override { return take(); }
    // Rows are keys of their list's row set by identity.
    uint32_t hashCode() const override;
    uint32_t hashCodeIgnoreCase() const override { return hashCode(); }
    // A row still in a list leaves it first (through the list's owner, so a view can drop
    // it too); a child row leaves its parent. Releasing a row already back in its pool does
    // nothing.
    void release() override;
    // Releases the cells and the child rows; a fresh serial for the next life.
    void reset() override;

    List* owner() const { return owner_; }
    uint32_t index() const { return index_; }
    uint32_t serial() const { return serial_; }
    bool removed() const { return removed_; }
    void* userData() const { return userData_; }
    void setUserData(void* userData) { userData_ = userData; }

    int32_t cellCapacity() const { return cellCapacity_; }
    int32_t cellCount() const { return cells_.count(); }
    // nullptr outside 0..cellCount()-1.
    SubRecord* cell(int32_t column) const;
    // Appends a cell (owned) at cellCount(); false for null.
    bool addCell(SubRecord* cell);
    // Creates and appends a cell; nullptr when memory is short.
    SubRecord* addCell(void* value, base::IDestructor* disposer, TextFunction textFunction,
                       int32_t checkState = 0);

    bool greyed() const { return greyed_; }
    void setGreyed(bool on) { greyed_ = on; }
    bool mark() const { return mark_; }
    void setMark(bool on) { mark_ = on; }
    // Drawn with the alternate font pair.
    bool alternate() const { return alternate_; }
    void setAlternate(bool on) { alternate_ = on; }

    // Tree rows. The parent owns its children: they are released with it.
    int32_t treeCell() const { return treeCell_; }
    void setTreeCell(int32_t column) { treeCell_ = column; }
    // treeState of the tree cell; 0 without one.
    int32_t expandState() const;
    bool isExpandable() const;
    Record* parent() const { return parent_; }
    int32_t childCount() const { return children_ ? children_->count() : 0; }
    Record* childAt(int32_t i) const;
    // Inserts `child` at `position` (clamped to 0..childCount()). Refused for null, for a
    // row that already has a parent, and for this row or one of its ancestors (a cycle).
    bool addChild(int32_t position, Record* child);
    // True when `other` is reached by following parent links from this row.
    bool isAncestor(const Record* other) const;
    // Number of ancestors.
    int32_t treeLevel() const;

    // The next serial a row will get (the counter starts at 0 in each process).
    static uint32_t peekNextSerial();

private:
    friend class List;

    static thread::ObjLocker& liveLock();
    static bool isLiveLocked(const Record* row, uint32_t serial);
    void removeChild(Record* child);

    List* owner_ = nullptr;  // not owned
    uint32_t index_ = 0;
    void* userData_ = nullptr;  // not owned
    int32_t cellCapacity_ = 0;
    col::_array::ArrayP cells_;  // SubRecord*, owned through their pool
    uint32_t serial_ = 0;
    bool removed_ = false;
    bool greyed_ = false;
    bool mark_ = false;
    bool alternate_ = false;
    bool idle_ = false;  // back in the pool
    int32_t treeCell_ = -1;
    col::_array::ArrayP* children_ = nullptr;  // Record*, owned; created on first use
    Record* parent_ = nullptr;                 // not owned
};

}  // namespace s::gui::listbox2

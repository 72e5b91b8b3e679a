#include "gui/listbox2/record.h"

#include <atomic>
#include <unordered_map>

#include "gui/listbox2/list.h"
#include "gui/listbox2/sub_record.h"

namespace s::gui::listbox2 {

namespace {

// Rows may be created on any thread (the clock update task builds none, but nothing stops
// a worker from doing so), hence atomic.
std::atomic<uint32_t> nextSerial{0};

uint32_t takeSerial() {
    return nextSerial.fetch_add(1, std::memory_order_relaxed);
}

// The rows in their present life, by serial. Handles are checked here rather than through
// the row: a row given back by its list may be destroyed by its pool (beyond its capacity,
// and at exit) while holders still keep handles to it. Never destroyed, so that rows
// released during static destruction still find it.
struct LiveRows {
    thread::ObjLocker lock;
    std::unordered_map<uint32_t, const Record*> rows;
};

LiveRows& liveRows() {
    static LiveRows* const table = new LiveRows;
    return *table;
}

void beginLife(uint32_t serial, const Record* row) {
    LiveRows& live = liveRows();
    thread::Locked guard(live.lock);
    live.rows[serial] = row;
}

void endLife(uint32_t serial, const Record* row) {
    LiveRows& live = liveRows();
    thread::Locked guard(live.lock);
    auto found = live.rows.find(serial);
    if (found != live.rows.end() && found->second == row)
        live.rows.erase(found);
}

}  // namespace

thread::ObjLocker& Record::liveLock() {
    return liveRows().lock;
}

bool Record::isLiveLocked(const Record* row, uint32_t serial) {
    if (!row)
        return false;
    const LiveRows& live = liveRows();
    auto found = live.rows.find(serial);
    return found != live.rows.end() && found->second == row;
}

bool Record::isLive(const Record* row, uint32_t serial) {
    thread::Locked guard(liveLock());
    return isLiveLocked(row, serial);
}

Record::Record() : serial_(takeSerial()) {
    cells_.setDisposer(&thread::poolOf<SubRecord>());
}

Record::~Record() {
    reset();
}

uint32_t Record::peekNextSerial() {
    return nextSerial.load(std::memory_order_relaxed);
}

Record* Record::take() {
    Record* row = static_cast<Record*>(thread::poolOf<Record>().get());
    if (row) {
        row->idle_ = false;
        beginLife(row->serial_, row);
    }
    return row;
}

Record* Record::create(int32_t cellCapacity, void* userData) {
    Record* row = take();
    if (!row)
        return nullptr;
    row->cellCapacity_ = cellCapacity < 0 ? 0 : cellCapacity;
    row->cells_.reserveExact(row->cellCapacity_);
    row->userData_ = userData;
    return row;
}

bool Record::releaseHandle(Record* row, uint32_t serial) {
    // Two steps, not one: a holder and the row's list must not end the row at the same time
    // (the list's model is touched by one thread at a time).
    if (!isLive(row, serial))
        return false;
    row->release();
    return true;
}

uint32_t Record::hashCode() const {
    auto address = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(this));
    // Heap blocks are aligned: drop the low bits that never vary.
    return static_cast<uint32_t>((address >> 4) ^ (address >> 36));
}

void Record::release() {
    if (idle_)
        return;
    if (owner_)
        owner_->leaveReleased(this);
    // A child released on its own must not stay in its parent's children.
    if (parent_)
        parent_->removeChild(this);
    Pooled<Record>::release();
}

void Record::removeChild(Record* child) {
    int32_t at = 0;
    if (children_ && children_->indexOf(child, at))
        children_->detach(at);
    child->parent_ = nullptr;
}

void Record::reset() {
    // First: a holder inside withLive() finishes with the cells before they go.
    endLife(serial_, this);
    cells_.freeStorage();
    if (children_) {
        for (int32_t i = 0; i < children_->count(); ++i) {
            Record* child = children_->getAs<Record>(i);
            child->parent_ = nullptr;
            child->release();
        }
        children_->release();
        children_ = nullptr;
    }
    owner_ = nullptr;
    index_ = 0;
    userData_ = nullptr;
    cellCapacity_ = 0;
    // The next life gets a new serial at once, so handles to this one stop matching even
    // while the row waits in its pool.
    serial_ = takeSerial();
    removed_ = false;
    greyed_ = false;
    mark_ = false;
    alternate_ = false;
    idle_ = true;
    treeCell_ = -1;
    parent_ = nullptr;
}

SubRecord* Record::cell(int32_t column) const {
    if (column < 0 || column >= cells_.count())
        return nullptr;
    return cells_.getAs<SubRecord>(column);
}

bool Record::addCell(SubRecord* cell) {
    if (!cell)
        return false;
    cells_.add(cell);
    return true;
}

SubRecord* Record::addCell(void* value, base::IDestructor* disposer, TextFunction textFunction,
                           int32_t checkState) {
    SubRecord* cell = SubRecord::create(value, disposer, textFunction, checkState);
    if (cell)
        cells_.add(cell);
    return cell;
}

int32_t Record::expandState() const {
    SubRecord* tree = cell(treeCell_);
    return tree ? tree->treeState() : SubRecord::kNoTree;
}

bool Record::isExpandable() const {
    return treeCell_ != -1 && expandState() != SubRecord::kNoTree;
}

Record* Record::childAt(int32_t i) const {
    if (!children_ || i < 0 || i >= children_->count())
        return nullptr;
    return children_->getAs<Record>(i);
}

bool Record::addChild(int32_t position, Record* child) {
    if (!child || child->parent_ || child == this || isAncestor(child))
        return false;
    if (!children_) {
        children_ = col::_array::ArrayP::take();
        if (!children_)
            return false;
    }
    int32_t count = children_->count();
    if (position < 0)
        position = 0;
    if (position > count)
        position = count;
    void* element = child;
    children_->insert(position, &element, 1);
    child->parent_ = this;
    return true;
}

bool Record::isAncestor(const Record* other) const {
    if (!other)
        return false;
    for (const Record* up = parent_; up; up = up->parent_) {
        if (up == other)
            return true;
    }
    return false;
}

int32_t Record::treeLevel() const {
    int32_t level = 0;
    for (const Record* up = parent_; up; up = up->parent_)
        ++level;
    return level;
}

}  // namespace s::gui::listbox2

#include "gui/listbox2/list.h"

#include "base/str_buffer.h"
#include "gui/listbox2/data_type.h"
#include "gui/listbox2/record.h"
#include "gui/listbox2/sub_record.h"

namespace s::gui::listbox2 {

namespace {

int32_t compareForSort(const void* a, const void* b, void* context) {
    return static_cast<const List*>(context)->compareRecords(static_cast<const Record*>(a),
                                                             static_cast<const Record*>(b));
}

const void* valueOf(const Record* row, int32_t column) {
    SubRecord* cell = row->cell(column);
    return cell ? cell->value() : nullptr;
}

}  // namespace

List::List() {
    columns_.setDisposer(&thread::poolOf<DataType>());
}

List::~List() {
    clear();
}

void List::reset() {
    clear();
    owner_ = nullptr;
}

int32_t List::addColumn(DataType* column) {
    if (!column)
        return -1;
    int32_t index = columns_.count();
    columns_.add(column);
    sortKeys_.add(static_cast<uint32_t>(index));
    return index;
}

DataType* List::columnAt(int32_t index) const {
    if (index < 0 || index >= columns_.count())
        return nullptr;
    return columns_.getAs<DataType>(index);
}

Record* List::recordAt(int32_t index) const {
    if (index < 0 || index >= records_.count())
        return nullptr;
    return records_.getAs<Record>(index);
}

bool List::isValid(const Record* row, uint32_t serial) {
    // The live check first: the row set hashes through the row, which may be gone.
    return Record::isLive(row, serial) && recordSet_.contains(row) && row->serial_ == serial;
}

void List::renumberFrom(int32_t position) {
    for (int32_t i = position; i < records_.count(); ++i) {
        records_.getAs<Record>(i)->index_ = static_cast<uint32_t>(i);
    }
}

void List::attach(Record* row, int32_t position) {
    void* element = row;
    records_.insert(position, &element, 1);
    recordSet_.add(row);
    row->owner_ = this;
    row->removed_ = false;
    renumberFrom(position);
    if (owner_)
        owner_->recordAttached(row);
}

void List::drop(Record* row) {
    int32_t position = static_cast<int32_t>(row->index_);
    records_.removeRange(position, 1);
    recordSet_.remove(row);
    row->owner_ = nullptr;
    row->removed_ = true;
    renumberFrom(position);
    if (owner_)
        owner_->recordDropped(row, position);
}

bool List::appendRecord(Record* row) {
    return insertRecord(records_.count(), row);
}

bool List::insertRecord(int32_t position, Record* row) {
    // A row in a list already (this one or another) would be listed twice.
    if (!row || row->owner_ || row->idle_)
        return false;
    if (position < 0)
        position = 0;
    if (position > records_.count())
        position = records_.count();
    attach(row, position);
    return true;
}

bool List::removeRecord(Record* row, uint32_t serial) {
    if (!isValid(row, serial))
        return false;
    drop(row);
    return true;
}

void List::leaveReleased(Record* row) {
    if (owner_) {
        owner_->removeReleasedRecord(row);
    }
    // Whatever the owner did, the row must not stay listed once it is back in its pool.
    if (row->owner_ == this)
        removeTree(row, row->serial_);
}

bool List::setCellValue(Record* row, uint32_t serial, int32_t column, void* value) {
    if (!isValid(row, serial))
        return false;
    SubRecord* cell = row->cell(column);
    if (!cell)
        return false;
    cell->setValue(value);
    return true;
}

const str::StrBuffer* List::cellText(Record* row, int32_t column) {
    if (!row)
        return nullptr;
    SubRecord* cell = row->cell(column);
    return cell ? cell->text() : nullptr;
}

void List::requestSort(int32_t column) {
    DataType* type = columnAt(column);
    if (!type)
        return;
    type->setAscending(!type->ascending());
    int32_t at = 0;
    if (!sortKeys_.indexOf(static_cast<uint32_t>(column), at))
        return;
    for (int32_t i = at; i > 0; --i)
        sortKeys_.set(i, sortKeys_.get(i - 1));
    sortKeys_.set(0, static_cast<uint32_t>(column));
}

int32_t List::compareRecords(const Record* a, const Record* b) const {
    for (int32_t k = 0; k < sortKeys_.count(); ++k) {
        auto column = static_cast<int32_t>(sortKeys_.get(k));
        DataType* type = columnAt(column);
        if (!type || !type->sortable() || !type->comparator())
            continue;
        int32_t r = type->comparator()(valueOf(a, column), valueOf(b, column));
        if (r != 0) {
            // Written out rather than negated: a comparator may return INT32_MIN.
            if (type->ascending())
                return r < 0 ? -1 : 1;
            return r < 0 ? 1 : -1;
        }
    }
    return 0;
}

void List::sort() {
    records_.sort(compareForSort, this);
    renumberFrom(0);
}

Record* List::nextRecord(Record* row, uint32_t serial, bool wrap) {
    if (!isValid(row, serial))
        return wrap ? firstRecord() : nullptr;
    Record* next = recordAt(static_cast<int32_t>(row->index_) + 1);
    if (next)
        return next;
    return wrap ? firstRecord() : nullptr;
}

Record* List::previousRecord(Record* row, uint32_t serial, bool wrap) {
    Record* last = recordAt(records_.count() - 1);
    if (!isValid(row, serial))
        return wrap ? last : nullptr;
    if (row->index_ > 0)
        return recordAt(static_cast<int32_t>(row->index_) - 1);
    return wrap ? last : nullptr;
}

int32_t List::expandState(const Record* row) const {
    return row ? row->expandState() : 0;
}

bool List::isExpandable(const Record* row) const {
    return row && row->isExpandable();
}

void List::insertChildren(Record* row) {
    // Last child first, each right below the parent, so that they end in their own order.
    for (int32_t i = row->childCount() - 1; i >= 0; --i) {
        Record* child = row->childAt(i);
        if (child->owner_)
            continue;
        attach(child, static_cast<int32_t>(row->index_) + 1);
        if (child->expandState() == SubRecord::kExpanded)
            insertChildren(child);
    }
}

void List::removeDescendants(Record* row) {
    for (int32_t i = 0; i < row->childCount(); ++i) {
        Record* child = row->childAt(i);
        removeDescendants(child);
        if (child->owner_ == this)
            drop(child);
    }
}

bool List::insertTree(int32_t position, Record* row) {
    if (!insertRecord(position, row))
        return false;
    if (row->expandState() == SubRecord::kExpanded)
        insertChildren(row);
    return true;
}

bool List::removeTree(Record* row, uint32_t serial) {
    if (!isValid(row, serial))
        return false;
    removeDescendants(row);
    drop(row);
    return true;
}

bool List::toggleExpand(Record* row, uint32_t serial) {
    if (!isValid(row, serial))
        return false;
    SubRecord* tree = row->cell(row->treeCell());
    if (!tree)
        return false;
    if (tree->treeState() == SubRecord::kExpanded) {
        tree->setTreeState(SubRecord::kCollapsed);
        removeDescendants(row);
    } else {
        tree->setTreeState(SubRecord::kExpanded);
        insertChildren(row);
    }
    return true;
}

void List::layOut(Record* row, col::_array::ArrayP& into) {
    into.add(row);
    for (int32_t i = 0; i < row->childCount(); ++i) {
        Record* child = row->childAt(i);
        if (child->owner_ == this)
            layOut(child, into);
    }
}

void List::relayoutTree() {
    bool anyChild = false;
    for (int32_t i = 0; i < records_.count() && !anyChild; ++i) {
        Record* row = records_.getAs<Record>(i);
        anyChild = row->parent_ && row->parent_->owner_ == this;
    }
    if (!anyChild)
        return;
    col::_array::ArrayP order;
    for (int32_t i = 0; i < records_.count(); ++i) {
        Record* row = records_.getAs<Record>(i);
        if (!row->parent_ || row->parent_->owner_ != this)
            layOut(row, order);
    }
    records_.clear();
    records_.append(order.data(), order.count());
    renumberFrom(0);
}

void List::clear() {
    // Releasing a parent takes its listed children out of the list as well, wherever they
    // stand (a sort without relayoutTree() may have put them before it): always take the
    // current last row rather than counting down a position that may be gone.
    while (records_.count() > 0) {
        Record* row = records_.getAs<Record>(records_.count() - 1);
        drop(row);
        // Child rows belong to their parent and go back with it.
        if (!row->parent_)
            row->release();
    }
    recordSet_.clear();
    columns_.clear();
    sortKeys_.clear();
}

}  // namespace s::gui::listbox2

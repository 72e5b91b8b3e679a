#include "gui/win/list_box2.h"

#include "base/str_buffer.h"
#include "gui/listbox2/data_type.h"
#include "gui/listbox2/record.h"
#include "gui/listbox2/sub_record.h"

namespace s::gui::win {

using listbox2::DataType;
using listbox2::Record;
using listbox2::SubRecord;

namespace {

DataType::Options columnOptions(int32_t width, int32_t alignment, bool sortable,
                                listbox2::ValueComparator comparator, bool ascending,
                                bool iconColumn, bool checkBoxColumn, bool editable,
                                bool treeColumn) {
    DataType::Options options;
    options.width = width;
    options.alignment = alignment;
    options.sortable = sortable;
    options.comparator = comparator;
    options.ascending = ascending;
    options.iconColumn = iconColumn;
    options.checkBoxColumn = checkBoxColumn;
    options.editable = editable;
    options.treeColumn = treeColumn;
    return options;
}

}  // namespace

ListBox2::ListBox2() {
    list_.setOwner(this);
}

ListBox2::~ListBox2() {
    clear();
    if (editedText_)
        editedText_->release();
}

void ListBox2::reset() {
    clear();
    for (auto& listeners : listeners_)
        listeners.freeStorage();
    multiSelect_ = false;
    sortAfterAppend_ = false;
    redrawSuspended_ = false;
    editedPosition_ = -1;
    if (editedText_)
        editedText_->clear();
}

void ListBox2::addListener(int32_t eventId, events::IEventListener* listener) {
    if (eventId < 0 || eventId >= kEventSlots || !listener)
        return;
    int32_t at = 0;
    if (listeners_[eventId].indexOf(listener, at))
        return;
    listeners_[eventId].add(listener);
}

void ListBox2::removeListener(int32_t eventId, events::IEventListener* listener) {
    if (eventId < 0 || eventId >= kEventSlots)
        return;
    int32_t at = 0;
    if (listeners_[eventId].indexOf(listener, at))
        listeners_[eventId].detach(at);
}

bool ListBox2::runOnModelThread(void (*operation)(void*), void* block) {
    // Calls made on the GUI thread already (from an operation or a listener) run directly:
    // handing them over would wait for the thread that is waiting.
    IListBox2Platform* platform = platform_.load();
    if (platform && !platform->onGuiThread())
        return platform->runOnGuiThread(operation, block);
    operation(block);
    return true;
}

void ListBox2::repaintCell(Record* row, int32_t column) {
    if (IListBox2Platform* to = painter())
        to->repaintCell(row, column);
}

void ListBox2::repaintRow(Record* row) {
    if (IListBox2Platform* to = painter())
        to->repaintRow(row);
}

void ListBox2::repaintColumn(int32_t column) {
    if (IListBox2Platform* to = painter())
        to->repaintColumn(column);
}

void ListBox2::repaintAll() {
    if (IListBox2Platform* to = painter())
        to->repaintAll();
}

void ListBox2::recordAttached(Record* row) {
    if (IListBox2Platform* platform = platform_.load())
        platform->rowInserted(row);
}

void ListBox2::recordDropped(Record* row, int32_t position) {
    if (IListBox2Platform* platform = platform_.load())
        platform->rowRemoved(row, position);
}

void ListBox2::raise(int32_t eventId) {
    auto& listeners = listeners_[eventId];
    // By index: a listener may remove itself while being told.
    for (int32_t i = 0; i < listeners.count(); ++i) {
        listeners.getAs<events::IEventListener>(i)->onEvent(this, eventId);
    }
}

// --- columns ---

int32_t ListBox2::addColumn(lang::Localizer* localizer, int32_t titleId, int32_t width,
                            int32_t alignment, bool sortable, listbox2::ValueComparator comparator,
                            bool ascending, bool iconColumn, bool checkBoxColumn, bool editable,
                            bool treeColumn) {
    return addColumnObject(
        DataType::create(titleId, localizer,
                         columnOptions(width, alignment, sortable, comparator, ascending,
                                       iconColumn, checkBoxColumn, editable, treeColumn)));
}

int32_t ListBox2::addColumnLiteral(const char16_t* title, int32_t width, int32_t alignment,
                                   bool sortable, listbox2::ValueComparator comparator,
                                   bool ascending, bool iconColumn, bool checkBoxColumn,
                                   bool editable, bool treeColumn) {
    return addColumnObject(DataType::createLiteral(
        title, columnOptions(width, alignment, sortable, comparator, ascending, iconColumn,
                             checkBoxColumn, editable, treeColumn)));
}

int32_t ListBox2::addColumnObject(DataType* column) {
    if (!column)
        return -1;
    bool taken = false;
    int32_t index = dispatchOr(
        [&] {
            taken = true;
            int32_t added = list_.addColumn(column);
            columnOrder_.add(added);
            if (IListBox2Platform* platform = platform_.load())
                platform->columnAdded(added);
            return added;
        },
        -1);
    // Ownership passes only when the column went in.
    if (!taken)
        column->release();
    return index;
}

bool ListBox2::setColumnOrder(const int32_t* order, int32_t count) {
    return dispatch([&] {
        // Orders come from the settings: anything but a permutation of the columns is
        // ignored.
        int32_t columns = list_.columnCount();
        if (!order || count != columns)
            return false;
        col::_array::ArrayU08 seen;
        seen.resize(columns);
        for (int32_t i = 0; i < count; ++i) {
            if (order[i] < 0 || order[i] >= columns || seen[order[i]])
                return false;
            seen[order[i]] = 1;
        }
        columnOrder_.clear();
        columnOrder_.append(order, count);
        if (IListBox2Platform* platform = platform_.load())
            platform->columnOrderChanged();
        return true;
    });
}

int32_t ListBox2::columnOrderAt(int32_t position) const {
    if (position < 0 || position >= columnOrder_.count())
        return -1;
    return columnOrder_.get(position);
}

// --- rows ---

int32_t ListBox2::recordCount() {
    return dispatch([&] { return list_.recordCount(); });
}

Record* ListBox2::recordAt(int32_t index) {
    return dispatch([&] { return list_.recordAt(index); });
}

Record* ListBox2::firstRecord() {
    return dispatch([&] { return list_.firstRecord(); });
}

Record* ListBox2::nextRecord(Record* row, uint32_t serial, bool wrap) {
    return dispatch([&] { return list_.nextRecord(row, serial, wrap); });
}

Record* ListBox2::previousRecord(Record* row, uint32_t serial, bool wrap) {
    return dispatch([&] { return list_.previousRecord(row, serial, wrap); });
}

bool ListBox2::appendRecord(Record* row) {
    return dispatch([&] {
        if (!list_.insertTree(list_.recordCount(), row))
            return false;
        if (sortAfterAppend_)
            sort();
        return true;
    });
}

bool ListBox2::insertRecord(int32_t position, Record* row) {
    return dispatch([&] { return list_.insertTree(position, row); });
}

bool ListBox2::removeNow(Record* row, uint32_t serial) {
    if (!list_.removeTree(row, serial))
        return false;
    pruneSelection();
    return true;
}

bool ListBox2::removeRecord(Record* row, uint32_t serial) {
    return dispatch([&] { return removeNow(row, serial); });
}

void ListBox2::removeAllRecords() {
    dispatch([&] {
        for (int32_t i = list_.recordCount() - 1; i >= 0; --i) {
            // A tree row may have taken later rows with it.
            if (i >= list_.recordCount())
                continue;
            Record* row = list_.recordAt(i);
            removeNow(row, row->serial());
        }
    });
}

void ListBox2::removeSelected() {
    dispatch([&] {
        for (int32_t i = 0; i < selected_.count(); ++i) {
            list_.removeTree(selected_.getAs<Record>(i), selectedSerials_.get(i));
        }
        selected_.clear();
        selectedSerials_.clear();
        pruneSelection();
    });
}

bool ListBox2::removeAndRelease(Record* row, uint32_t serial) {
    return dispatch([&] {
        if (!removeNow(row, serial))
            return false;
        // Child rows belong to their parent.
        if (!row->parent())
            row->release();
        return true;
    });
}

void ListBox2::removeAllAndRelease() {
    dispatch([&] {
        for (int32_t i = list_.recordCount() - 1; i >= 0; --i) {
            if (i >= list_.recordCount())
                continue;
            Record* row = list_.recordAt(i);
            removeNow(row, row->serial());
            if (!row->parent())
                row->release();
        }
    });
}

void ListBox2::clear() {
    dispatch([&] {
        selected_.clear();
        selectedSerials_.clear();
        checkedRecord_ = nullptr;
        uncheckedRecord_ = nullptr;
        clickedColumn_ = -1;
        list_.clear();
        columnOrder_.clear();
    });
}

void ListBox2::removeReleasedRecord(Record* row) {
    removeRecord(row, row->serial());
}

// --- cells ---

bool ListBox2::setCellValue(Record* row, uint32_t serial, int32_t column, void* value) {
    return dispatch([&] {
        if (!list_.setCellValue(row, serial, column, value))
            return false;
        row->cell(column)->rebuildText();
        repaintCell(row, column);
        return true;
    });
}

void* ListBox2::cellValue(Record* row, uint32_t serial, int32_t column) {
    return dispatch([&]() -> void* {
        if (!list_.isValid(row, serial))
            return nullptr;
        SubRecord* cell = row->cell(column);
        return cell ? cell->value() : nullptr;
    });
}

bool ListBox2::setCellTextFunction(Record* row, uint32_t serial, int32_t column,
                                   listbox2::TextFunction textFunction) {
    return dispatch([&] {
        if (!list_.isValid(row, serial))
            return false;
        SubRecord* cell = row->cell(column);
        if (!cell)
            return false;
        cell->setTextFunction(textFunction);
        return true;
    });
}

const char16_t* ListBox2::cellText(Record* row, uint32_t serial, int32_t column) {
    return dispatch([&]() -> const char16_t* {
        if (!list_.isValid(row, serial))
            return nullptr;
        SubRecord* cell = row->cell(column);
        return cell ? cell->displayText() : nullptr;
    });
}

bool ListBox2::refreshCell(Record* row, uint32_t serial, int32_t column) {
    return dispatch([&] {
        if (!list_.isValid(row, serial))
            return false;
        SubRecord* cell = row->cell(column);
        if (!cell)
            return false;
        cell->rebuildText();
        repaintCell(row, column);
        return true;
    });
}

void ListBox2::refreshColumn(int32_t column) {
    dispatch([&] {
        for (int32_t i = 0; i < list_.recordCount(); ++i) {
            SubRecord* cell = list_.recordAt(i)->cell(column);
            if (cell)
                cell->rebuildText();
        }
        repaintColumn(column);
    });
}

int32_t ListBox2::checkState(Record* row, uint32_t serial, int32_t column) {
    return dispatch([&] {
        if (!list_.isValid(row, serial))
            return 0;
        SubRecord* cell = row->cell(column);
        return cell ? cell->checkState() : 0;
    });
}

bool ListBox2::setCheckState(Record* row, uint32_t serial, int32_t column, int32_t state,
                             bool notify) {
    return dispatch([&] {
        if (!list_.isValid(row, serial))
            return false;
        SubRecord* cell = row->cell(column);
        if (!cell || cell->checkState() == SubRecord::kNoCheckBox)
            return false;
        if (state < SubRecord::kUnchecked || state > SubRecord::kPartial)
            return false;
        if (cell->checkState() == state)
            return false;
        cell->setCheckState(state);
        if (notify && state == SubRecord::kChecked) {
            checkedRecord_ = row;
            checkedSerial_ = serial;
            raise(kRowChecked);
        } else if (notify && state == SubRecord::kUnchecked) {
            uncheckedRecord_ = row;
            uncheckedSerial_ = serial;
            raise(kRowUnchecked);
        }
        repaintRow(row);
        return true;
    });
}

bool ListBox2::setRecordAlternate(Record* row, uint32_t serial, bool on) {
    return dispatch([&] {
        if (!list_.isValid(row, serial))
            return false;
        row->setAlternate(on);
        repaintRow(row);
        return true;
    });
}

bool ListBox2::toggleExpand(Record* row, uint32_t serial) {
    return dispatch([&] {
        if (!list_.toggleExpand(row, serial))
            return false;
        pruneSelection();
        repaintRow(row);
        return true;
    });
}

void ListBox2::suspendRedraw(bool suspend) {
    dispatch([&] {
        redrawSuspended_ = suspend;
        if (IListBox2Platform* platform = platform_.load())
            platform->setRedraw(!suspend);
        if (!suspend)
            repaintAll();
    });
}

// --- order ---

void ListBox2::requestSort(int32_t column) {
    dispatch([&] { list_.requestSort(column); });
}

void ListBox2::sort() {
    dispatch([&] {
        list_.sort();
        list_.relayoutTree();
        if (IListBox2Platform* platform = platform_.load())
            platform->rowsReordered();
        repaintAll();
        raise(kSorted);
    });
}

// --- selection ---

int32_t ListBox2::selectionIndexOf(const Record* row) const {
    for (int32_t i = 0; i < selected_.count(); ++i) {
        if (selected_.get(i) == row)
            return i;
    }
    return -1;
}

void ListBox2::noteSelected(Record* row) {
    if (selectionIndexOf(row) < 0) {
        selected_.add(row);
        selectedSerials_.add(row->serial());
    }
    if (selected_.count() == 1)
        raise(kSingleSelection);
    raise(kRowSelected);
}

void ListBox2::noteDeselected(Record* row) {
    int32_t at = selectionIndexOf(row);
    if (at < 0)
        return;
    selected_.detach(at);
    selectedSerials_.removeRange(at, 1);
    raise(kRowDeselected);
    if (selected_.count() == 0)
        raise(kSelectionEmpty);
}

void ListBox2::pruneSelection() {
    for (int32_t i = selected_.count() - 1; i >= 0; --i) {
        if (!list_.isValid(selected_.getAs<Record>(i), selectedSerials_.get(i))) {
            selected_.detach(i);
            selectedSerials_.removeRange(i, 1);
        }
    }
}

void ListBox2::rowSelectionChanged(Record* row, bool selected) {
    if (selected)
        noteSelected(row);
    else
        noteDeselected(row);
}

bool ListBox2::selectRecord(Record* row, uint32_t serial) {
    return dispatch([&] {
        if (!list_.isValid(row, serial))
            return false;
        if (IListBox2Platform* platform = platform_.load()) {
            // The platform reports the new state (and, with single selection, the row it
            // deselected) back through rowSelectionChanged().
            platform->setRowSelected(row, true);
            return true;
        }
        if (!multiSelect_) {
            // Single selection: the platform deselects the other row first.
            for (int32_t i = selected_.count() - 1; i >= 0; --i) {
                Record* other = selected_.getAs<Record>(i);
                if (other != row)
                    noteDeselected(other);
            }
        }
        noteSelected(row);
        return true;
    });
}

void ListBox2::deselectAll() {
    dispatch([&] {
        while (selected_.count() > 0) {
            int32_t before = selected_.count();
            Record* row = selected_.getAs<Record>(before - 1);
            if (IListBox2Platform* platform = platform_.load())
                platform->setRowSelected(row, false);
            // A platform that reported nothing must not leave this loop spinning.
            if (selected_.count() == before)
                noteDeselected(row);
        }
    });
}

int32_t ListBox2::selectedCount() {
    return dispatch([&] { return selected_.count(); });
}

Record* ListBox2::selectedAt(int32_t index, uint32_t* serial) {
    return dispatch([&]() -> Record* {
        if (index < 0 || index >= selected_.count())
            return nullptr;
        if (serial)
            *serial = selectedSerials_.get(index);
        return selected_.getAs<Record>(index);
    });
}

bool ListBox2::isSelected(Record* row, uint32_t serial) {
    return dispatch([&] {
        int32_t at = selectionIndexOf(row);
        return at >= 0 && selectedSerials_.get(at) == serial;
    });
}

void ListBox2::sortSelection() {
    dispatch([&] {
        int32_t count = selected_.count();
        if (count < 2)
            return;
        // The serials travel with their rows: sort the rows, then look the serials up again.
        col::_array::ArrayP rows;
        col::_array::ArrayU32 serials;
        rows.append(selected_.data(), count);
        serials.append(selectedSerials_.data(), count);
        selected_.sortAs<Record>(listbox2::compareDisplayPosition);
        for (int32_t i = 0; i < count; ++i) {
            int32_t at = 0;
            rows.indexOf(selected_.get(i), at);
            selectedSerials_.set(i, serials.get(at));
        }
    });
}

bool ListBox2::ensureVisible(Record* row, uint32_t serial) {
    return dispatch([&] {
        if (!list_.isValid(row, serial))
            return false;
        if (IListBox2Platform* platform = platform_.load())
            platform->ensureVisible(row);
        return true;
    });
}

void ListBox2::headerClicked(int32_t column) {
    DataType* type = list_.columnAt(column);
    if (!type)
        return;
    raise(kHeaderClicking);
    clickedColumn_ = column;
    if (type->sortable()) {
        list_.requestSort(column);
        sort();
    }
    raise(kColumnClicked);
}

void ListBox2::headerClickedBeyondLast() {
    if (columnOrder_.count() > 0)
        headerClicked(columnOrder_.last());
}

void ListBox2::resyncSelection() {
    IListBox2Platform* platform = platform_.load();
    if (!platform)
        return;
    // Rows that left first (latest selected first), then the newcomers in display order,
    // so that the events read as if the platform had reported each item.
    for (int32_t i = selected_.count() - 1; i >= 0; --i) {
        if (i >= selected_.count())
            continue;
        auto* row = selected_.getAs<Record>(i);
        if (!list_.isValid(row, selectedSerials_.get(i)) || !platform->isRowSelected(row))
            noteDeselected(row);
    }
    for (int32_t i = 0; i < list_.recordCount(); ++i) {
        Record* row = list_.recordAt(i);
        if (selectionIndexOf(row) < 0 && platform->isRowSelected(row))
            noteSelected(row);
    }
}

void ListBox2::labelEdited(Record* row, const char16_t* text) {
    if (!text || !row || !list_.isValid(row, row->serial()))
        return;
    if (!editedText_)
        editedText_ = str::StrBuffer::take();
    if (!editedText_)
        return;
    editedText_->setText(text);
    editedPosition_ = static_cast<int32_t>(row->index());
    raise(kLabelEdited);
}

const char16_t* ListBox2::editedText() const {
    return editedText_ ? editedText_->text() : u"";
}

void ListBox2::columnOrderDragged(const int32_t* order, int32_t count) {
    // The same check as a stored order: the platform's read-back must name every column.
    int32_t columns = list_.columnCount();
    if (!order || count != columns)
        return;
    col::_array::ArrayU08 seen;
    seen.resize(columns);
    for (int32_t i = 0; i < count; ++i) {
        if (order[i] < 0 || order[i] >= columns || seen[order[i]])
            return;
        seen[order[i]] = 1;
    }
    columnOrder_.clear();
    columnOrder_.append(order, count);
}

bool ListBox2::checkBoxClicked(Record* row, int32_t column) {
    if (!row || !list_.isValid(row, row->serial()))
        return false;
    SubRecord* cell = row->cell(column);
    if (!cell || cell->checkState() == SubRecord::kNoCheckBox)
        return false;
    // A partial check reads as checked: a click clears it.
    int32_t next = cell->checkState() == SubRecord::kUnchecked ? SubRecord::kChecked
                                                               : SubRecord::kUnchecked;
    return setCheckState(row, row->serial(), column, next, true);
}

void ListBox2::rowDoubleClicked(Record* row) {
    if (!row || !list_.isValid(row, row->serial()))
        return;
    if (list_.isExpandable(row))
        toggleExpand(row, row->serial());
    doubleClicked_ = row;
    doubleClickedSerial_ = row->serial();
    raise(kRowDoubleClicked);
}

Record* ListBox2::doubleClickedRecord(uint32_t* serial) const {
    if (serial)
        *serial = doubleClickedSerial_;
    return doubleClicked_;
}

bool ListBox2::keyPressed(int32_t virtualKey) {
    lastKey_ = virtualKey;
    keyConsumed_ = false;
    raise(kKeyDown);
    bool consumed = keyConsumed_;
    keyConsumed_ = false;
    return consumed;
}

bool ListBox2::rightButtonReleased() {
    if (selected_.count() == 0)
        return false;
    raise(kPopupMenu);
    return true;
}

Record* ListBox2::checkedRecord(uint32_t* serial) const {
    if (serial)
        *serial = checkedSerial_;
    return checkedRecord_;
}

Record* ListBox2::uncheckedRecord(uint32_t* serial) const {
    if (serial)
        *serial = uncheckedSerial_;
    return uncheckedRecord_;
}

}  // namespace s::gui::win

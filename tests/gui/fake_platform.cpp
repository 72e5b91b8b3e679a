#include "tests/gui/fake_platform.h"

#include <algorithm>
#include <future>
#include <utility>

#include "gui/listbox2/record.h"

namespace s::gui::testing {

FakePlatform::FakePlatform(win::ListBox2& box) : box_(box), gui_([this] { serve(); }) {
    onGui([this] { box_.attachPlatform(this); });
}

FakePlatform::~FakePlatform() {
    onGui([this] { box_.detachPlatform(); });
    {
        std::lock_guard<std::mutex> guard(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    gui_.join();
}

void FakePlatform::serve() {
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock<std::mutex> guard(mutex_);
            wake_.wait(guard, [this] { return quit_ || !queue_.empty(); });
            if (queue_.empty())
                return;
            job = std::move(queue_.front());
            queue_.pop_front();
        }
        job();
    }
}

void FakePlatform::post(std::function<void()> job) {
    {
        std::lock_guard<std::mutex> guard(mutex_);
        queue_.push_back(std::move(job));
    }
    wake_.notify_all();
}

void FakePlatform::onGui(const std::function<void()>& job) {
    if (onGuiThread()) {
        job();
        return;
    }
    std::promise<void> ran;
    post([&] {
        job();
        ran.set_value();
    });
    ran.get_future().wait();
}

bool FakePlatform::onGuiThread() const {
    return std::this_thread::get_id() == gui_.get_id();
}

bool FakePlatform::runOnGuiThread(void (*operation)(void*), void* block) {
    // From the GUI thread this would wait for itself: the control must not do it.
    if (onGuiThread())
        ++callsOffGuiThread;
    if (refuseHandOvers)
        return false;
    onGui([&] {
        ++handOvers;
        operation(block);
    });
    return true;
}

void FakePlatform::checkThread() {
    if (!onGuiThread())
        ++callsOffGuiThread;
}

void FakePlatform::note(std::string entry) {
    checkThread();
    log.push_back(std::move(entry));
}

int32_t FakePlatform::positionOf(const listbox2::Record* row) const {
    auto at = std::find(items.begin(), items.end(), row);
    return at == items.end() ? -1 : static_cast<int32_t>(at - items.begin());
}

void FakePlatform::columnAdded(int32_t column) {
    checkThread();
    columns.push_back(column);
}

void FakePlatform::columnOrderChanged() {
    note("column order");
}

void FakePlatform::rowInserted(listbox2::Record* row) {
    checkThread();
    auto at = static_cast<int32_t>(row->index());
    if (at > static_cast<int32_t>(items.size()))
        at = static_cast<int32_t>(items.size());
    items.insert(items.begin() + at, row);
}

void FakePlatform::rowRemoved(listbox2::Record* row, int32_t position) {
    checkThread();
    // A wrong position shows up as a mirror that differs from the model.
    if (position >= 0 && position < static_cast<int32_t>(items.size()) && items[position] == row)
        items.erase(items.begin() + position);
}

void FakePlatform::rowsReordered() {
    note("reordered");
    // Like the platform list, which sorts its items by the rows' positions.
    std::stable_sort(items.begin(), items.end(),
                     [](const listbox2::Record* a, const listbox2::Record* b) {
                         return a->index() < b->index();
                     });
}

void FakePlatform::setRowSelected(listbox2::Record* row, bool selected) {
    checkThread();
    // A single-selection platform list deselects the other row first and reports it.
    if (selected && !box_.multiSelect()) {
        for (int32_t i = box_.selectedCount() - 1; i >= 0; --i) {
            listbox2::Record* other = box_.selectedAt(i);
            if (other != row) {
                selectedItems.erase(other);
                box_.rowSelectionChanged(other, false);
            }
        }
    }
    if (selected)
        selectedItems.insert(row);
    else
        selectedItems.erase(row);
    box_.rowSelectionChanged(row, selected);
}

bool FakePlatform::isRowSelected(listbox2::Record* row) {
    checkThread();
    return selectedItems.count(row) != 0;
}

void FakePlatform::ensureVisible(listbox2::Record* row) {
    note("visible " + std::to_string(positionOf(row)));
}

void FakePlatform::setRedraw(bool on) {
    note(on ? "redraw on" : "redraw off");
}

void FakePlatform::repaintCell(listbox2::Record* row, int32_t column) {
    note("cell " + std::to_string(positionOf(row)) + " " + std::to_string(column));
}

void FakePlatform::repaintRow(listbox2::Record* row) {
    note("row " + std::to_string(positionOf(row)));
}

void FakePlatform::repaintColumn(int32_t column) {
    note("column " + std::to_string(column));
}

void FakePlatform::repaintAll() {
    note("all");
}

std::vector<listbox2::Record*> FakePlatform::modelRows() {
    std::vector<listbox2::Record*> rows;
    onGui([&] {
        for (int32_t i = 0; i < box_.list().recordCount(); ++i)
            rows.push_back(box_.list().recordAt(i));
    });
    return rows;
}

}  // namespace s::gui::testing

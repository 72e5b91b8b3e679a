#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "gui/win/list_box2.h"

namespace s::gui::testing {

// Plays the window of a ListBox2: a GUI thread that serves handed-over operations one at a
// time (as a window serves synchronous messages), the platform items mirrored from the
// row notifications, and a log of redraw and repaint requests. Attaches itself on its GUI
// thread and detaches when destroyed.
class FakePlatform : public win::IListBox2Platform {
public:
    explicit FakePlatform(win::ListBox2& box);
    ~FakePlatform() override;
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    // Runs `job` on the GUI thread and waits for it.
    void onGui(const std::function<void()>& job);
    // Queues `job` for the GUI thread without waiting.
    void post(std::function<void()> job);

    bool onGuiThread() const override;
    bool runOnGuiThread(void (*operation)(void*), void* block) override;
    void columnAdded(int32_t column) override;
    void columnOrderChanged() override;
    void rowInserted(listbox2::Record* row) override;
    void rowRemoved(listbox2::Record* row, int32_t position) override;
    void rowsReordered() override;
    void setRowSelected(listbox2::Record* row, bool selected) override;
    bool isRowSelected(listbox2::Record* row) override;
    void ensureVisible(listbox2::Record* row) override;
    void setRedraw(bool on) override;
    void repaintCell(listbox2::Record* row, int32_t column) override;
    void repaintRow(listbox2::Record* row) override;
    void repaintColumn(int32_t column) override;
    void repaintAll() override;

    // The model's row order, read on the GUI thread.
    std::vector<listbox2::Record*> modelRows();

    // Touched on the GUI thread only; read by the test after onGui() or once idle.
    std::vector<listbox2::Record*> items;
    std::vector<int32_t> columns;
    std::vector<std::string> log;  // "cell R C", "row R", "column C", "all", "redraw on/off"
    std::set<listbox2::Record*> selectedItems;  // the platform items' selected state
    int32_t handOvers = 0;
    // Plays a window that is gone: hand-overs fail without running anything.
    std::atomic<bool> refuseHandOvers{false};
    int32_t callsOffGuiThread = 0;  // hooks called on another thread: must stay 0

private:
    void serve();
    void note(std::string entry);
    void checkThread();
    int32_t positionOf(const listbox2::Record* row) const;

    win::ListBox2& box_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> queue_;
    bool quit_ = false;
    std::thread gui_;
};

}  // namespace s::gui::testing

// Records given back on a worker thread while the list that shows their rows has a window:
// the row leaves the list through a synchronous hand-over to the window's thread, which
// may meanwhile take a record from the same pool.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "app/tellavo/time_record.h"
#include "gui/listbox2/record.h"
#include "gui/win/list_box2.h"
#include "gui/win/list_box2_platform.h"

namespace s::tests::app {
namespace {

namespace tellavo = time::gui::dialogs::tellavo;
namespace listbox2 = gui::listbox2;
using namespace std::chrono_literals;

// The window's thread of one list: serves handed-over calls one at a time, as a window
// serves synchronous messages. A hand-over it cannot start within a few seconds is given
// up and counted (as a sender with a time-out would), so a deadlock fails the test instead
// of hanging it. Painting hooks do nothing.
class GuiThread final : public gui::win::IListBox2Platform {
public:
    explicit GuiThread(gui::win::ListBox2& box) : box_(box), thread_([this] { serve(); }) {
        onGui([this] { box_.attachPlatform(this); });
    }
    ~GuiThread() override {
        onGui([this] { box_.detachPlatform(); });
        {
            std::lock_guard<std::mutex> guard(mutex_);
            quit_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    GuiThread(const GuiThread&) = delete;
    GuiThread& operator=(const GuiThread&) = delete;

    void post(std::function<void()> job) {
        {
            std::lock_guard<std::mutex> guard(mutex_);
            queue_.push_back(std::move(job));
        }
        wake_.notify_all();
    }
    void onGui(const std::function<void()>& job) {
        std::atomic<bool> ran{false};
        post([&] {
            job();
            ran = true;
        });
        while (!ran)
            std::this_thread::sleep_for(1ms);
    }
    // Jobs waiting for the thread (not the one running).
    size_t waiting() {
        std::lock_guard<std::mutex> guard(mutex_);
        return queue_.size();
    }

    bool onGuiThread() const override { return std::this_thread::get_id() == thread_.get_id(); }
    bool runOnGuiThread(void (*operation)(void*), void* block) override {
        struct Call {
            std::mutex mutex;
            std::condition_variable changed;
            bool started = false;
            bool finished = false;
            bool cancelled = false;
        };
        auto call = std::make_shared<Call>();
        post([call, operation, block] {
            {
                std::lock_guard<std::mutex> guard(call->mutex);
                if (call->cancelled)
                    return;
                call->started = true;
            }
            operation(block);
            std::lock_guard<std::mutex> guard(call->mutex);
            call->finished = true;
            call->changed.notify_all();
        });
        std::unique_lock<std::mutex> guard(call->mutex);
        if (!call->changed.wait_for(guard, 5s, [&] { return call->started; })) {
            call->cancelled = true;
            ++givenUp;
            return false;
        }
        call->changed.wait(guard, [&] { return call->finished; });
        return true;
    }
    void columnAdded(int32_t) override {}
    void columnOrderChanged() override {}
    void rowInserted(listbox2::Record*) override {}
    void rowRemoved(listbox2::Record*, int32_t) override {}
    void rowsReordered() override {}
    void setRowSelected(listbox2::Record*, bool) override {}
    bool isRowSelected(listbox2::Record*) override { return false; }
    void ensureVisible(listbox2::Record*) override {}
    void setRedraw(bool) override {}
    void repaintCell(listbox2::Record*, int32_t) override {}
    void repaintRow(listbox2::Record*) override {}
    void repaintColumn(int32_t) override {}
    void repaintAll() override {}

    std::atomic<int32_t> givenUp{0};

private:
    void serve() {
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

    gui::win::ListBox2& box_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> queue_;
    bool quit_ = false;
    std::thread thread_;
};

TEST(GuiThreadRelease, ARecordGivenBackOffTheWindowsThreadNeverWaitsUnderItsPoolLock) {
    gui::win::ListBox2 list;
    listbox2::Record* row = listbox2::Record::create(1);
    ASSERT_TRUE(list.appendRecord(row));
    tellavo::TimeRecord* record = tellavo::newTimeRecord(u"Somewhere", nullptr, 1);
    record->setRow(row);

    GuiThread gui(list);
    // The window's thread, busy with its own work when the hand-over comes: it takes a
    // record from the pool the worker is giving one back to.
    std::atomic<bool> tookOne{false};
    gui.post([&] {
        auto deadline = std::chrono::steady_clock::now() + 5s;
        while (gui.waiting() == 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(1ms);
        tellavo::TimeRecord* other = tellavo::TimeRecord::take();
        other->release();
        tookOne = true;
    });
    std::thread worker([&] { record->release(); });
    worker.join();
    gui.onGui([] {});

    EXPECT_TRUE(tookOne);
    EXPECT_EQ(gui.givenUp.load(), 0);
    EXPECT_EQ(list.recordCount(), 0);
}

}  // namespace
}  // namespace s::tests::app

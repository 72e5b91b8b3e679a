#pragma once

#include <atomic>
#include <cstdint>

#include "app/tellavo/section_settings.h"
#include "base/array.h"
#include "base/event_listener.h"
#include "base/obj_locker.h"
#include "base/object.h"
#include "base/pool.h"
#include "base/str_buffer.h"
#include "thread/task.h"

namespace s::gui {
class IListBox2;
}
namespace s::lang {
class Localizer;
}
namespace s::map {
class IMappedData;
}
namespace s::thread {
class IThread;
}

namespace s::time::gui::dialogs::tellavo {

class IIconizedState;
class ITimeLine;
class TimeRecord;

// How the update task waits one slice; tests replace it to drive the loop without time.
class ISleeper {
public:
    virtual ~ISleeper() = default;
    virtual void sleep(int32_t milliseconds) = 0;
};

// The world-clock controller: the pick-up list and the all-zones list as data, their
// settings, and the update task that moves the clocks. The window binds its lists, its
// time line and its iconized state; none of them is owned.
//
// Threads: the GUI thread builds, loads, saves and changes the lists; the update thread
// runs run(). The controller lock guards pickUpRecords and the pick-up rows' time values;
// list calls (which a windowed list hands to its GUI thread) are never made under it from
// the update thread.
class Dialog final : public s::gui::events::IEventListener,
                     public base::IObject,
                     public thread::Pooled<Dialog>,
                     public thread::ITask {
public:
    static constexpr int32_t kPoolCapacity = 1000;
    // A stored entry count above this is not believed (it reads as none).
    static constexpr int32_t kMaxStoredEntries = 10000;
    static constexpr int32_t kPeriodMs = 1000;
    static constexpr int32_t kIconizedPeriodMs = 3000;
    static constexpr int32_t kWaitSliceMs = 200;

    Dialog();
    ~Dialog() override;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    const char16_t* className() const override { return u"s_time_gui_dialogs_tellavo_Dialog"; }
    Dialog* newInstance() const override { return take(); }
    // Teardown: stops and waits for the update task, gives every record back (their rows
    // leave the lists), forgets what was bound; "Show in AM / PM" returns to on.
    // Any thread but the update thread may call it, with no lock held: the main thread at
    // the end of the run, or the lists' window thread, whose wait for the task serves the
    // calls the task makes into that thread meanwhile (IThread::waitDone). From another
    // thread the lists' window thread must still be serving its messages.
    void reset() override;

    // Pick-up list events: a check box changed or the rows were sorted → save.
    void onEvent(base::IObject* source, int32_t eventId) override;

    // --- binding (none of it owned) ---
    // The localizer for every text; the store whose "MainWindow" section holds the settings.
    void bind(lang::Localizer* localizer, map::IMappedData* store);
    SectionSettings& settings() { return settings_; }
    lang::Localizer* localizer() const { return localizer_; }
    // The two lists, with their columns set up. The lists must outlive the teardown.
    void attachLists(s::gui::IListBox2* pickUpList, s::gui::IListBox2* allZonesList);
    s::gui::IListBox2* pickUpList() const { return pickUpList_; }
    s::gui::IListBox2* allZonesList() const { return allZonesList_; }
    void setTimeLine(ITimeLine* timeLine) { timeLine_ = timeLine; }
    void setIconizedState(IIconizedState* iconized) { iconized_ = iconized; }
    // nullptr: real sleeping.
    void setSleeper(ISleeper* sleeper) { sleeper_ = sleeper; }

    // --- the view option ---
    // Reads "ShowInAmPm" under "View" (default on).
    void readViewSettings();
    bool showInAmPm() const { return showInAmPm_.load(std::memory_order_relaxed); }
    // Changes the option and stores it; the update task switches the rows at its next cycle.
    void setShowInAmPm(bool on);
    // Copies the current language's morning and afternoon markers and seconds suffix into
    // the process's time-text slots (before the update task starts).
    void copyTimeTexts();

    // --- the two lists ---
    // Every zone of the database, twice for a zone with daylight rules (OFF, then ON).
    void buildAllZonesList();
    // The stored pick-up list, or the preset when none was stored; writes nothing.
    void loadPickUpList();
    // Writes the pick-up list in the order the list shows it.
    void savePickUpList();
    // Appends unchecked copies of the records (TimeRecord*, not owned) to the pick-up list,
    // then saves.
    void addToPickUp(const col::ArrayP& records);
    // Takes the records (TimeRecord*) out of the pick-up list, gives them back (their rows
    // leave the list), then saves. Records that are not in the pick-up list are ignored.
    void removePickUpRecords(const col::ArrayP& records);
    // addToPickUp of the rows selected in the all-zones list, in selection order.
    void addSelectedZonesToPickUp();
    // A text that is a preset place name of another language becomes the current
    // language's name of that place; any other text stays.
    void translatePresetName(str::StrBuffer& text);
    // After the interface language changed: preset names follow it, the daylight-saving
    // cells are rewritten in it, and the list is saved.
    void applyLanguageChange();
    // Sets the local-time text function of every row of both lists (12-hour or 24-hour).
    void switchTimeFormat(bool twelveHour);

    // TimeRecord* elements, owned by the controller. The pick-up array is guarded by lock().
    const col::ArrayP& pickUpRecords() const { return pickUpRecords_; }
    const col::ArrayP& allZoneRecords() const { return allZoneRecords_; }
    thread::ObjLocker& lock() { return lock_; }

    // --- the update task ---
    // Hands the task to `thread` (owned from now on; released at teardown).
    bool startUpdateTask(thread::IThread* thread);
    // Stops the task, waits until it has ended and gives its thread back. The same threads
    // as reset() may call it; afterwards nothing writes the lists or the time line.
    void stopUpdateTask();
    // Asks the task to end; it does within one cycle's work and one wait slice.
    void requestStop() { stopRequested_.store(true, std::memory_order_relaxed); }
    bool stopRequested() const { return stopRequested_.load(std::memory_order_relaxed); }
    bool taskRunning() const { return taskRunning_.load(std::memory_order_acquire); }
    // The task: once a period, fresh local times into both lists and the time line, until
    // a stop is requested.
    void run() override;

private:
    bool isPickUpRecord(const TimeRecord* record) const;
    void appendPickUp(TimeRecord* record, bool twelveHour);
    void loadPreset();
    void loadStoredEntries(int32_t count);
    void refillFromDisplayOrder();
    void releaseRecords();
    // One cycle of the task, steps 1 to 8.
    void runCycle(bool& formatInUse, str::StrBuffer& text);
    void updateValues(const col::ArrayP& records);
    int32_t periodMs() const;
    void waitPeriod();

    thread::ObjLocker lock_;
    col::_array::ArrayP pickUpRecords_;   // TimeRecord*, owned
    col::_array::ArrayP allZoneRecords_;  // TimeRecord*, owned
    // Row handles gathered under the lock for a format switch (list calls come after it).
    col::_array::ArrayP switchRows_;
    col::_array::ArrayU32 switchSerials_;
    std::atomic<bool> showInAmPm_{true};
    std::atomic<bool> taskRunning_{false};
    std::atomic<bool> stopRequested_{false};
    thread::IThread* updateThread_ = nullptr;  // owned
    s::gui::IListBox2* pickUpList_ = nullptr;
    s::gui::IListBox2* allZonesList_ = nullptr;
    lang::Localizer* localizer_ = nullptr;
    SectionSettings settings_;
    ITimeLine* timeLine_ = nullptr;
    IIconizedState* iconized_ = nullptr;
    ISleeper* sleeper_ = nullptr;
};

}  // namespace s::time::gui::dialogs::tellavo

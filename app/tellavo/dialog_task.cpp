#include "app/tellavo/dialog.h"

#include <chrono>
#include <thread>

#include "app/tellavo/clock_rows.h"
#include "app/tellavo/clock_window_seams.h"
#include "app/tellavo/dst_mode.h"
#include "app/tellavo/time_record.h"
#include "gui/i_list_box2.h"
#include "gui/listbox2/cell_functions.h"
#include "gui/listbox2/record.h"
#include "gui/listbox2/sub_record.h"
#include "time/clock.h"
#include "time/conversion.h"
#include "time/formatters.h"

namespace s::time::gui::dialogs::tellavo {

namespace listbox2 = s::gui::listbox2;

namespace {

class RealSleeper final : public ISleeper {
public:
    void sleep(int32_t milliseconds) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
};

ISleeper& realSleeper() {
    static RealSleeper sleeper;
    return sleeper;
}

// Writes the local-time cell of a record's row while that row is still the one the record
// built. The row is checked by its handle, never read first: its list may have given it
// back and its pool destroyed it.
void writeLocalTime(const TimeRecord& record, int64_t seconds) {
    listbox2::Record* row = record.row();
    if (row == nullptr)
        return;
    listbox2::Record::withLive(row, record.rowSerial(), [&](listbox2::Record& live) {
        listbox2::SubRecord* cell = live.cell(kCellLocalTime);
        // Whole-number store: the GUI thread may be building this cell's text meanwhile.
        if (void* block = cell != nullptr ? cell->value() : nullptr)
            listbox2::storeInt64Value(block, seconds);
    });
}

// Sets the text function of the rows gathered in `rows`: through the list when there is
// one (it runs the change where its model lives), else on the cells themselves.
void applyTextFunction(s::gui::IListBox2* list, const col::ArrayP& rows,
                       const col::ArrayU32& serials, listbox2::TextFunction function) {
    for (int32_t i = 0; i < rows.count(); ++i) {
        auto* row = rows.getAs<listbox2::Record>(i);
        if (list != nullptr) {
            list->setCellTextFunction(row, serials.get(i), kCellLocalTime, function);
        } else {
            listbox2::Record::withLive(row, serials.get(i), [&](listbox2::Record& live) {
                if (listbox2::SubRecord* cell = live.cell(kCellLocalTime))
                    cell->setTextFunction(function);
            });
        }
    }
}

}  // namespace

void Dialog::run() {
    taskRunning_.store(true, std::memory_order_release);
    str::StrBuffer* pooled = str::StrBuffer::take();
    str::StrBuffer fallback;
    str::StrBuffer& text = pooled != nullptr ? *pooled : fallback;
    bool formatInUse = false;
    while (!stopRequested()) {
        runCycle(formatInUse, text);
        waitPeriod();
    }
    if (pooled != nullptr)
        pooled->release();
    taskRunning_.store(false, std::memory_order_release);
}

void Dialog::runCycle(bool& formatInUse, str::StrBuffer& text) {
    bool twelveHour = showInAmPm();
    if (twelveHour != formatInUse) {
        formatInUse = twelveHour;
        switchTimeFormat(formatInUse);
    }

    if (pickUpList_ != nullptr)
        pickUpList_->suspendRedraw(true);
    if (allZonesList_ != nullptr)
        allZonesList_->suspendRedraw(true);
    {
        thread::Locked guard(lock_);
        updateValues(pickUpRecords_);
    }
    // The list calls come after the lock: a windowed list waits for its GUI thread, which
    // may itself be waiting for the lock.
    if (pickUpList_ != nullptr)
        pickUpList_->refreshColumn(kCellLocalTime);
    // The all-zones list never changes after the build.
    updateValues(allZoneRecords_);
    if (allZonesList_ != nullptr)
        allZonesList_->refreshColumn(kCellLocalTime);
    if (pickUpList_ != nullptr)
        pickUpList_->suspendRedraw(false);
    if (allZonesList_ != nullptr)
        allZonesList_->suspendRedraw(false);

    if (timeLine_ != nullptr) {
        int64_t local = systemLocalSeconds(nowSeconds());
        if (formatInUse) {
            formatDateTime12(local, text);
        } else {
            formatDateTime24(local, text);
        }
        timeLine_->showText(text.text());
    }
}

void Dialog::updateValues(const col::ArrayP& records) {
    for (int32_t i = 0; i < records.count(); ++i) {
        const TimeRecord& record = *records.getAs<TimeRecord>(i);
        if (record.row() == nullptr)
            continue;
        writeLocalTime(
            record, zoneLocalSeconds(record.zone, nowSeconds(), appliesDaylight(record.dstMode)));
    }
}

void Dialog::switchTimeFormat(bool twelveHour) {
    listbox2::TextFunction function = localTimeTextFunction(twelveHour);
    auto gather = [&](const col::ArrayP& records) {
        switchRows_.clear();
        switchSerials_.clear();
        for (int32_t i = 0; i < records.count(); ++i) {
            const TimeRecord& record = *records.getAs<TimeRecord>(i);
            if (record.row() == nullptr)
                continue;
            switchRows_.add(record.row());
            switchSerials_.add(record.rowSerial());
        }
    };
    {
        thread::Locked guard(lock_);
        gather(pickUpRecords_);
    }
    applyTextFunction(pickUpList_, switchRows_, switchSerials_, function);
    gather(allZoneRecords_);
    applyTextFunction(allZonesList_, switchRows_, switchSerials_, function);
    switchRows_.clear();
    switchSerials_.clear();
}

int32_t Dialog::periodMs() const {
    return iconized_ != nullptr && iconized_->isIconized() ? kIconizedPeriodMs : kPeriodMs;
}

void Dialog::waitPeriod() {
    ISleeper& sleeper = sleeper_ != nullptr ? *sleeper_ : realSleeper();
    int32_t remaining = periodMs();
    while (remaining > 0 && !stopRequested()) {
        sleeper.sleep(kWaitSliceMs);
        remaining -= kWaitSliceMs;
    }
}

}  // namespace s::time::gui::dialogs::tellavo

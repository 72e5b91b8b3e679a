#include "app/tellavo/time_record.h"

#include "app/tellavo/dst_mode.h"
#include "gui/listbox2/record.h"

namespace s::time::gui::dialogs::tellavo {

TimeRecord::~TimeRecord() {
    releaseRow();
}

void TimeRecord::reset() {
    name.clear();
    zone = nullptr;
    dstMode = kDstNotAvailable;
    checked = false;
    releaseRow();
}

void TimeRecord::setRow(s::gui::listbox2::Record* row) {
    releaseRow();
    row_ = row;
    rowSerial_ = row != nullptr ? row->serial() : 0;
}

void TimeRecord::releaseRow() {
    if (row_ == nullptr)
        return;
    s::gui::listbox2::Record::releaseHandle(row_, rowSerial_);
    row_ = nullptr;
    rowSerial_ = 0;
}

TimeRecord* newTimeRecord(const char16_t* name, const TimeZone* zone, int32_t dstMode) {
    TimeRecord* record = TimeRecord::take();
    if (record == nullptr)
        return nullptr;
    record->name.setText(name != nullptr ? name : u"");
    record->zone = zone;
    record->dstMode = dstMode;
    return record;
}

}  // namespace s::time::gui::dialogs::tellavo

#pragma once

#include <cstdint>

#include "base/object.h"
#include "base/pool.h"
#include "base/str_buffer.h"

namespace s::gui::listbox2 {
class Record;
}
namespace s::time {
class TimeZone;
}

namespace s::time::gui::dialogs::tellavo {

// One clock row: a place name bound to a zone and a daylight-saving mode, and the list row
// that shows it. Taken from its pool; releasing it also releases its row, which leaves its
// list first.
class TimeRecord final : public base::IObject, public thread::Pooled<TimeRecord> {
public:
    static constexpr int32_t kPoolCapacity = 1000;

    TimeRecord() = default;
    ~TimeRecord() override;
    TimeRecord(const TimeRecord&) = delete;
    TimeRecord& operator=(const TimeRecord&) = delete;

    const char16_t* className() const override { return u"s_time_gui_dialogs_tellavo_TimeRecord"; }
    TimeRecord* newInstance() const override { return take(); }
    // Empty name, no zone, mode 1, unchecked; the row is given back.
    void reset() override;

    // Owned; replaces (and releases) the row of an earlier build. The row's handle is
    // remembered so that a row the list already gave back is not released twice.
    void setRow(s::gui::listbox2::Record* row);
    s::gui::listbox2::Record* row() const { return row_; }
    uint32_t rowSerial() const { return rowSerial_; }
    void releaseRow();

    str::StrBuffer name;
    const TimeZone* zone = nullptr;  // not owned: a database zone or the system zone record
    int32_t dstMode = 1;
    bool checked = false;

private:
    s::gui::listbox2::Record* row_ = nullptr;
    uint32_t rowSerial_ = 0;
};

// A record from the pool with a copy of `name` (nullptr: empty), the zone and the mode;
// unchecked and without a row. nullptr only when memory is short.
TimeRecord* newTimeRecord(const char16_t* name, const TimeZone* zone, int32_t dstMode);

}  // namespace s::time::gui::dialogs::tellavo

#pragma once

#include <cstdint>

#include "base/str_buffer.h"
#include "gui/listbox2/cell_functions.h"

namespace s::gui {
class IListBox2;
}
namespace s::gui::listbox2 {
class Record;
}
namespace s::lang {
class Localizer;
}
namespace s::time {
class TimeZone;
}

// The five cells of the two kinds of clock row. Texts come from the localizer's current
// language (nullptr: every text is empty).
namespace s::time::gui::dialogs::tellavo {

class TimeRecord;

// Cell indexes of a pick-up row; an all-zones row has the zone text first and the name
// last.
enum PickUpCell : int32_t {
    kCellLocation = 0,
    kCellLocalTime = 1,
    kCellTimeGap = 2,
    kCellDst = 3,
    kCellZoneDetail = 4,
};
constexpr int32_t kCellCount = 5;
constexpr int32_t kAllZonesCellZoneDetail = 0;
constexpr int32_t kAllZonesCellZoneName = 4;

// Text functions of the local-time cells (a heap block holding a seconds value) and of the
// gap cell.
void localTimeText24(const void* value, str::StrBuffer& out);
void localTimeText12(const void* value, str::StrBuffer& out);
void gapText(const void* value, str::StrBuffer& out);

inline s::gui::listbox2::TextFunction localTimeTextFunction(bool twelveHour) {
    return twelveHour ? &localTimeText12 : &localTimeText24;
}

// The zone's display text, followed for the daylight-on mode by " (DST Auto-Adjust)".
void appendZoneText(str::StrBuffer& out, const TimeZone& zone, int32_t dstMode,
                    lang::Localizer* localizer);
// The text of the daylight-saving cell: empty, "ON" or "OFF".
const char16_t* dstCellText(int32_t dstMode, lang::Localizer* localizer);

// The row matches the computer's own clock: its zone is the database zone of the computer
// (or, with `systemZoneCounts`, the system zone record) and the mode agrees with whether
// the computer's clock applies daylight saving (a zone without rules always agrees).
bool matchesComputerClock(const TimeZone* zone, int32_t dstMode, bool systemZoneCounts);

// Build the row of a record (five cells, emphasis applied), store it in the record and
// return it; the caller appends it to its list. The local-time cell uses the 24-hour text
// function. nullptr when the record has no zone or memory is short.
s::gui::listbox2::Record* buildPickUpRow(TimeRecord& record, lang::Localizer* localizer);
s::gui::listbox2::Record* buildAllZonesRow(TimeRecord& record, lang::Localizer* localizer);

// Rebinds a listed pick-up record and rewrites its five cell values through the list; the
// check state stays. The caller holds the controller lock (the update task writes cell 1).
bool refreshPickUpRow(s::gui::IListBox2& list, TimeRecord& record, const TimeZone* zone,
                      const char16_t* name, int32_t dstMode, lang::Localizer* localizer);

}  // namespace s::time::gui::dialogs::tellavo

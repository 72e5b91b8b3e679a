#include "app/tellavo/clock_rows.h"

#include <cstdlib>

#include "app/tellavo/clock_texts.h"
#include "app/tellavo/dst_mode.h"
#include "app/tellavo/time_record.h"
#include "base/cleaners.h"
#include "gui/i_list_box2.h"
#include "gui/listbox2/record.h"
#include "gui/listbox2/sub_record.h"
#include "lang/localizer.h"
#include "time/clock.h"
#include "time/conversion.h"
#include "time/formatters.h"
#include "time/time_zone.h"
#include "time/zone_database.h"

namespace s::time::gui::dialogs::tellavo {

namespace listbox2 = s::gui::listbox2;

namespace {

const char16_t* textOf(lang::Localizer* localizer, int32_t id) {
    return localizer != nullptr && id != 0 ? localizer->text(id) : u"";
}

base::IDestructor* textDisposer() {
    return &thread::poolOf<str::StrBuffer>();
}
base::IDestructor* numberDisposer() {
    return &cleaner::CleanerRaw::instance();
}

// Cell values: a pooled text or a heap block holding one number; nullptr when memory is
// short.
str::StrBuffer* textValue(const char16_t* text) {
    return str::StrBuffer::takeText(text);
}

str::StrBuffer* zoneTextValue(const TimeZone& zone, int32_t dstMode, lang::Localizer* localizer) {
    str::StrBuffer* value = str::StrBuffer::take();
    if (value != nullptr)
        appendZoneText(*value, zone, dstMode, localizer);
    return value;
}

int64_t* localTimeValue(const TimeZone& zone, int32_t dstMode) {
    return listbox2::newInt64Value(zoneLocalSeconds(&zone, nowSeconds(), appliesDaylight(dstMode)));
}

int64_t* gapValue(const TimeZone& zone, int32_t dstMode) {
    return listbox2::newInt64Value(timeGapSeconds(&zone, appliesDaylight(dstMode)));
}

bool addTextCell(listbox2::Record& row, str::StrBuffer* value, int32_t checkState = 0) {
    if (value == nullptr)
        return false;
    if (row.addCell(value, textDisposer(), &listbox2::textOfString, checkState) == nullptr) {
        value->release();
        return false;
    }
    return true;
}

bool addNumberCell(listbox2::Record& row, int64_t* value, listbox2::TextFunction function) {
    if (value == nullptr)
        return false;
    if (row.addCell(value, numberDisposer(), function) == nullptr) {
        std::free(value);
        return false;
    }
    return true;
}

void applyEmphasis(listbox2::Record& row, bool on) {
    for (int32_t i = 0; i < row.cellCount(); ++i)
        row.cell(i)->setEmphasis(on);
}

// The row goes to the record (which owns it from now on) only when all five cells exist.
listbox2::Record* finishRow(TimeRecord& record, listbox2::Record* row, bool complete) {
    if (!complete) {
        row->release();
        return nullptr;
    }
    applyEmphasis(*row, matchesComputerClock(record.zone, record.dstMode, false));
    record.setRow(row);
    return row;
}

}  // namespace

void localTimeText24(const void* value, str::StrBuffer& out) {
    if (value != nullptr)
        formatClockCell24(listbox2::loadInt64Value(value), out);
}

void localTimeText12(const void* value, str::StrBuffer& out) {
    if (value != nullptr)
        formatClockCell12(listbox2::loadInt64Value(value), out);
}

void gapText(const void* value, str::StrBuffer& out) {
    if (value != nullptr)
        formatGap(*static_cast<const int64_t*>(value), out);
}

void appendZoneText(str::StrBuffer& out, const TimeZone& zone, int32_t dstMode,
                    lang::Localizer* localizer) {
    out.appendStr(zone.displayName);
    if (dstMode == kDstOn) {
        out.appendText(u" (").appendText(textOf(localizer, kTextDstAutoAdjust)).appendText(u")");
    }
}

const char16_t* dstCellText(int32_t dstMode, lang::Localizer* localizer) {
    return textOf(localizer, dstModeTextId(dstMode));
}

bool matchesComputerClock(const TimeZone* zone, int32_t dstMode, bool systemZoneCounts) {
    if (zone == nullptr)
        return false;
    const ZoneDatabase& database = zoneDatabase();
    int32_t index = systemZoneIndex();
    bool computers = index >= 0 && index < database.count() && zone == database.zoneAt(index);
    if (!computers && systemZoneCounts)
        computers = zone == systemZone();
    if (!computers)
        return false;
    if (!zone->hasDaylight)
        return true;
    return systemAdjustsDaylight() ? dstMode == kDstOn : dstMode == kDstOff;
}

listbox2::Record* buildPickUpRow(TimeRecord& record, lang::Localizer* localizer) {
    if (record.zone == nullptr)
        return nullptr;
    const TimeZone& zone = *record.zone;
    listbox2::Record* row = listbox2::Record::create(kCellCount, &record);
    if (row == nullptr)
        return nullptr;
    int32_t check =
        record.checked ? listbox2::SubRecord::kChecked : listbox2::SubRecord::kUnchecked;
    bool complete = addTextCell(*row, textValue(record.name.text()), check) &&
                    addNumberCell(*row, localTimeValue(zone, record.dstMode), &localTimeText24) &&
                    addNumberCell(*row, gapValue(zone, record.dstMode), &gapText) &&
                    addTextCell(*row, textValue(dstCellText(record.dstMode, localizer))) &&
                    addTextCell(*row, zoneTextValue(zone, record.dstMode, localizer));
    return finishRow(record, row, complete);
}

listbox2::Record* buildAllZonesRow(TimeRecord& record, lang::Localizer* localizer) {
    if (record.zone == nullptr)
        return nullptr;
    const TimeZone& zone = *record.zone;
    listbox2::Record* row = listbox2::Record::create(kCellCount, &record);
    if (row == nullptr)
        return nullptr;
    bool complete = addTextCell(*row, zoneTextValue(zone, record.dstMode, localizer)) &&
                    addNumberCell(*row, localTimeValue(zone, record.dstMode), &localTimeText24) &&
                    addNumberCell(*row, gapValue(zone, record.dstMode), &gapText) &&
                    addTextCell(*row, textValue(dstCellText(record.dstMode, localizer))) &&
                    addTextCell(*row, textValue(record.name.text()));
    return finishRow(record, row, complete);
}

bool refreshPickUpRow(s::gui::IListBox2& list, TimeRecord& record, const TimeZone* zone,
                      const char16_t* name, int32_t dstMode, lang::Localizer* localizer) {
    listbox2::Record* row = record.row();
    if (row == nullptr || zone == nullptr)
        return false;
    uint32_t serial = record.rowSerial();
    if (name != record.name.text())
        record.name.setText(name != nullptr ? name : u"");
    record.zone = zone;
    record.dstMode = dstMode;

    applyEmphasis(*row, matchesComputerClock(zone, dstMode, true));
    // A value the list refuses (stale row) stays ours to give back.
    auto setText = [&](int32_t column, str::StrBuffer* value) {
        if (value != nullptr && !list.setCellValue(row, serial, column, value))
            value->release();
    };
    auto setNumber = [&](int32_t column, int64_t* value) {
        if (value != nullptr && !list.setCellValue(row, serial, column, value))
            std::free(value);
    };
    setText(kCellLocation, textValue(record.name.text()));
    setNumber(kCellLocalTime, localTimeValue(*zone, dstMode));
    setNumber(kCellTimeGap, gapValue(*zone, dstMode));
    setText(kCellDst, textValue(dstCellText(dstMode, localizer)));
    setText(kCellZoneDetail, zoneTextValue(*zone, dstMode, localizer));
    return true;
}

}  // namespace s::time::gui::dialogs::tellavo

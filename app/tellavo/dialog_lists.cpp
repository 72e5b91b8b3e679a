#include "app/tellavo/dialog.h"

#include "app/tellavo/clock_rows.h"
#include "app/tellavo/clock_texts.h"
#include "app/tellavo/dst_mode.h"
#include "app/tellavo/preset.h"
#include "app/tellavo/time_record.h"
#include "gui/i_list_box2.h"
#include "gui/listbox2/record.h"
#include "gui/listbox2/sub_record.h"
#include "lang/lang_pack.h"
#include "lang/localizer.h"
#include "time/time_zone.h"
#include "time/zone_database.h"

namespace s::time::gui::dialogs::tellavo {

namespace listbox2 = s::gui::listbox2;

namespace {

constexpr const char16_t* kPickUpKey = u"View\\PickUp";
constexpr const char16_t* kPresetCreated = u"PresetCreated";
constexpr const char16_t* kNumOfEntries = u"NumOfEntries";
constexpr const char16_t* kName = u"Name";
constexpr const char16_t* kStandardTimeName = u"StandardTimeName";
constexpr const char16_t* kDst = u"DST";
constexpr const char16_t* kChecked = u"Checked";

// "View\PickUp\<index>".
void entryPath(str::StrBuffer& path, int32_t index) {
    path.setText(kPickUpKey).appendUnit(u'\\').appendInt(index);
}

const char16_t* textOf(lang::Localizer* localizer, int32_t id) {
    return localizer != nullptr ? localizer->text(id) : u"";
}

// The database zone whose standard name equals the text ignoring case; none for an empty
// text.
const TimeZone* zoneNamed(const char16_t* standardName) {
    if (standardName == nullptr || *standardName == 0)
        return nullptr;
    return findByStandardName(standardName);
}

}  // namespace

bool Dialog::isPickUpRecord(const TimeRecord* record) const {
    int32_t at;
    return record != nullptr && pickUpRecords_.indexOf(const_cast<TimeRecord*>(record), at);
}

void Dialog::appendPickUp(TimeRecord* record, bool twelveHour) {
    pickUpRecords_.add(record);
    listbox2::Record* row = buildPickUpRow(*record, localizer_);
    if (row == nullptr)
        return;
    if (twelveHour)
        row->cell(kCellLocalTime)->setTextFunction(&localTimeText12);
    if (pickUpList_ != nullptr)
        pickUpList_->appendRecord(row);
}

void Dialog::buildAllZonesList() {
    const col::ArrayP& zones = allZones();
    for (int32_t i = 0; i < zones.count(); ++i) {
        const TimeZone* zone = zones.getAs<TimeZone>(i);
        TimeRecord* records[2] = {nullptr, nullptr};
        if (zone->hasDaylight) {
            str::StrBuffer name;
            name.setStr(zone->standardName)
                .appendText(u" (")
                .appendText(textOf(localizer_, kTextDstAutoAdjust))
                .appendText(u")");
            records[0] = newTimeRecord(zone->standardName.text(), zone, kDstOff);
            records[1] = newTimeRecord(name.text(), zone, kDstOn);
        } else {
            records[0] = newTimeRecord(zone->standardName.text(), zone, kDstNotAvailable);
        }
        for (TimeRecord* record : records) {
            if (record == nullptr)
                continue;
            allZoneRecords_.add(record);
            listbox2::Record* row = buildAllZonesRow(*record, localizer_);
            if (row != nullptr && allZonesList_ != nullptr)
                allZonesList_->appendRecord(row);
        }
    }
}

void Dialog::loadPickUpList() {
    {
        thread::Locked guard(lock_);
        for (int32_t i = 0; i < pickUpRecords_.count(); ++i) {
            pickUpRecords_.getAs<TimeRecord>(i)->release();
        }
        pickUpRecords_.clear();
    }
    if (!settings_.getBool(kPickUpKey, kPresetCreated, false)) {
        loadPreset();
        return;
    }
    int32_t count = settings_.getInt32(kPickUpKey, kNumOfEntries, 0);
    // A damaged count must not make start-up walk millions of missing entries.
    if (count < 0 || count > kMaxStoredEntries)
        count = 0;
    loadStoredEntries(count);
}

void Dialog::loadPreset() {
    for (const PresetPlace& place : kPresetPlaces) {
        const TimeZone* zone = zoneNamed(place.standardName);
        if (zone == nullptr)
            continue;
        TimeRecord* record = newTimeRecord(textOf(localizer_, place.nameId), zone, place.dstMode);
        if (record == nullptr)
            continue;
        thread::Locked guard(lock_);
        appendPickUp(record, false);
    }
}

void Dialog::loadStoredEntries(int32_t count) {
    str::StrBuffer path;
    str::StrBuffer name;
    for (int32_t i = 0; i < count; ++i) {
        entryPath(path, i);
        // Each text is valid only until the store's next getString.
        name.setText(settings_.getString(path.text(), kName, u""));
        const TimeZone* zone = zoneNamed(settings_.getString(path.text(), kStandardTimeName, u""));
        if (zone == nullptr)
            continue;
        int32_t mode = dstModeFromWord(settings_.getString(path.text(), kDst, u""));
        if (name.isEmpty())
            appendZoneText(name, *zone, mode, localizer_);
        TimeRecord* record = newTimeRecord(name.text(), zone, mode);
        if (record == nullptr)
            continue;
        record->checked = settings_.getBool(path.text(), kChecked, false);
        thread::Locked guard(lock_);
        appendPickUp(record, false);
    }
}

void Dialog::refillFromDisplayOrder() {
    // Rows are taken in display order; a record whose row is not listed (it could not be
    // built) keeps its place after them, so nothing is lost.
    col::_array::ArrayP ordered;
    ordered.reserve(pickUpRecords_.count());
    int32_t rows = pickUpList_->recordCount();
    for (int32_t i = 0; i < rows; ++i) {
        listbox2::Record* row = pickUpList_->recordAt(i);
        auto* record = row != nullptr ? static_cast<TimeRecord*>(row->userData()) : nullptr;
        int32_t at;
        if (record != nullptr && pickUpRecords_.indexOf(record, at)) {
            ordered.add(record);
            pickUpRecords_.set(at, nullptr);
        }
    }
    for (int32_t i = 0; i < pickUpRecords_.count(); ++i) {
        if (pickUpRecords_.get(i) != nullptr)
            ordered.add(pickUpRecords_.get(i));
    }
    pickUpRecords_.clear();
    pickUpRecords_.addAll(ordered.data(), ordered.count());
    ordered.clear();
}

void Dialog::savePickUpList() {
    thread::Locked guard(lock_);
    settings_.setBool(kPickUpKey, kPresetCreated, false);
    if (pickUpList_ != nullptr)
        refillFromDisplayOrder();
    settings_.setInt32(kPickUpKey, kNumOfEntries, pickUpRecords_.count());
    str::StrBuffer path;
    for (int32_t i = 0; i < pickUpRecords_.count(); ++i) {
        const TimeRecord* record = pickUpRecords_.getAs<TimeRecord>(i);
        entryPath(path, i);
        settings_.setString(path.text(), kName, record->name.text());
        settings_.setString(path.text(), kStandardTimeName,
                            record->zone != nullptr ? record->zone->standardName.text() : u"");
        settings_.setString(path.text(), kDst, dstModeWord(record->dstMode));
        settings_.setBool(path.text(), kChecked, record->checked);
    }
    settings_.setBool(kPickUpKey, kPresetCreated, true);
}

void Dialog::addToPickUp(const col::ArrayP& records) {
    if (records.isEmpty())
        return;
    {
        thread::Locked guard(lock_);
        bool twelveHour = showInAmPm();
        for (int32_t i = 0; i < records.count(); ++i) {
            const TimeRecord* source = records.getAs<TimeRecord>(i);
            if (source == nullptr || source->zone == nullptr)
                continue;
            TimeRecord* record = newTimeRecord(source->name.text(), source->zone, source->dstMode);
            if (record != nullptr)
                appendPickUp(record, twelveHour);
        }
    }
    savePickUpList();
}

void Dialog::removePickUpRecords(const col::ArrayP& records) {
    col::_array::ArrayP removed;
    {
        thread::Locked guard(lock_);
        for (int32_t i = 0; i < records.count(); ++i) {
            int32_t at;
            if (records.get(i) != nullptr && pickUpRecords_.indexOf(records.get(i), at)) {
                pickUpRecords_.detach(at);
                removed.add(records.get(i));
            }
        }
    }
    for (int32_t i = 0; i < removed.count(); ++i)
        removed.getAs<TimeRecord>(i)->release();
    removed.clear();
    savePickUpList();
}

void Dialog::addSelectedZonesToPickUp() {
    if (allZonesList_ == nullptr)
        return;
    col::_array::ArrayP selected;
    int32_t count = allZonesList_->selectedCount();
    for (int32_t i = 0; i < count; ++i) {
        listbox2::Record* row = allZonesList_->selectedAt(i);
        if (row != nullptr && row->userData() != nullptr)
            selected.add(row->userData());
    }
    addToPickUp(selected);
    selected.clear();
}

void Dialog::translatePresetName(str::StrBuffer& text) {
    if (localizer_ == nullptr)
        return;
    lang::LangPack* current = localizer_->currentLanguage();
    for (int32_t i = 0; i < localizer_->languageCount(); ++i) {
        lang::LangPack* language = localizer_->languageAt(i);
        if (language == nullptr || language == current)
            continue;
        for (int32_t id : kPresetNameIds) {
            const char16_t* name = language->text(id);
            if (*name != 0 && text.equalsIgnoreCase(name)) {
                text.setText(localizer_->text(id));
                return;
            }
        }
    }
}

void Dialog::applyLanguageChange() {
    if (pickUpList_ != nullptr) {
        str::StrBuffer name;
        int32_t rows = pickUpList_->recordCount();
        for (int32_t i = 0; i < rows; ++i) {
            listbox2::Record* row = pickUpList_->recordAt(i);
            auto* record = row != nullptr ? static_cast<TimeRecord*>(row->userData()) : nullptr;
            if (record == nullptr)
                continue;
            const char16_t* shown = pickUpList_->cellText(row, row->serial(), kCellLocation);
            name.setText(shown != nullptr ? shown : record->name.text());
            translatePresetName(name);
            record->name.setStr(name);
            str::StrBuffer* value = str::StrBuffer::takeText(name.text());
            if (value != nullptr &&
                !pickUpList_->setCellValue(row, row->serial(), kCellLocation, value)) {
                value->release();
            }
            value = str::StrBuffer::takeText(dstCellText(record->dstMode, localizer_));
            if (value != nullptr &&
                !pickUpList_->setCellValue(row, row->serial(), kCellDst, value)) {
                value->release();
            }
        }
    }
    if (allZonesList_ != nullptr) {
        int32_t rows = allZonesList_->recordCount();
        for (int32_t i = 0; i < rows; ++i) {
            listbox2::Record* row = allZonesList_->recordAt(i);
            auto* record = row != nullptr ? static_cast<TimeRecord*>(row->userData()) : nullptr;
            if (record == nullptr)
                continue;
            str::StrBuffer* value =
                str::StrBuffer::takeText(dstCellText(record->dstMode, localizer_));
            if (value != nullptr &&
                !allZonesList_->setCellValue(row, row->serial(), kCellDst, value)) {
                value->release();
            }
        }
    }
    savePickUpList();
}

}  // namespace s::time::gui::dialogs::tellavo

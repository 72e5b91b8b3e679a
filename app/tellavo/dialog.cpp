#include "app/tellavo/dialog.h"

#include "app/tellavo/clock_texts.h"
#include "app/tellavo/time_record.h"
#include "gui/i_list_box2.h"
#include "gui/listbox2/record.h"
#include "lang/localizer.h"
#include "thread/thread.h"
#include "time/text_slots.h"

namespace s::time::gui::dialogs::tellavo {

namespace {

constexpr const char16_t* kViewKey = u"View";
constexpr const char16_t* kShowInAmPm = u"ShowInAmPm";

}  // namespace

Dialog::Dialog() = default;

Dialog::~Dialog() {
    reset();
}

void Dialog::reset() {
    stopUpdateTask();
    releaseRecords();
    switchRows_.freeStorage();
    switchSerials_.freeStorage();
    pickUpList_ = nullptr;
    allZonesList_ = nullptr;
    localizer_ = nullptr;
    settings_.bind(nullptr);
    settings_.setReadOnly(false);
    timeLine_ = nullptr;
    iconized_ = nullptr;
    sleeper_ = nullptr;
    showInAmPm_.store(true, std::memory_order_relaxed);
    stopRequested_.store(false, std::memory_order_relaxed);
}

void Dialog::stopUpdateTask() {
    if (updateThread_ == nullptr)
        return;
    requestStop();
    updateThread_->waitDone();
    stopRequested_.store(false, std::memory_order_relaxed);
    updateThread_->release();
    updateThread_ = nullptr;
}

void Dialog::releaseRecords() {
    for (int32_t i = 0; i < allZoneRecords_.count(); ++i) {
        allZoneRecords_.getAs<TimeRecord>(i)->release();
    }
    allZoneRecords_.freeStorage();
    thread::Locked guard(lock_);
    for (int32_t i = 0; i < pickUpRecords_.count(); ++i) {
        pickUpRecords_.getAs<TimeRecord>(i)->release();
    }
    pickUpRecords_.freeStorage();
}

void Dialog::bind(lang::Localizer* localizer, map::IMappedData* store) {
    localizer_ = localizer;
    settings_.bind(store);
}

void Dialog::attachLists(s::gui::IListBox2* pickUpList, s::gui::IListBox2* allZonesList) {
    pickUpList_ = pickUpList;
    allZonesList_ = allZonesList;
}

void Dialog::onEvent(base::IObject* source, int32_t eventId) {
    if (pickUpList_ == nullptr || source != static_cast<base::IObject*>(pickUpList_))
        return;
    switch (eventId) {
        case s::gui::IListBox2::kRowChecked:
        case s::gui::IListBox2::kRowUnchecked: {
            bool checked = eventId == s::gui::IListBox2::kRowChecked;
            s::gui::listbox2::Record* row =
                checked ? pickUpList_->checkedRecord() : pickUpList_->uncheckedRecord();
            auto* record = row != nullptr ? static_cast<TimeRecord*>(row->userData()) : nullptr;
            if (record == nullptr || !isPickUpRecord(record))
                return;
            record->checked = checked;
            savePickUpList();
            return;
        }
        case s::gui::IListBox2::kSorted:
            savePickUpList();
            return;
        default:
            return;
    }
}

void Dialog::readViewSettings() {
    showInAmPm_.store(settings_.getBool(kViewKey, kShowInAmPm, true), std::memory_order_relaxed);
}

void Dialog::setShowInAmPm(bool on) {
    showInAmPm_.store(on, std::memory_order_relaxed);
    settings_.setBool(kViewKey, kShowInAmPm, on);
}

void Dialog::copyTimeTexts() {
    auto textOf = [&](int32_t id) { return localizer_ != nullptr ? localizer_->text(id) : u""; };
    setMorningMarker(textOf(kTextMorningMarker));
    setAfternoonMarker(textOf(kTextAfternoonMarker));
    setSecondsSuffix(textOf(kTextSecondsSuffix));
}

bool Dialog::startUpdateTask(thread::IThread* thread) {
    if (thread == nullptr)
        return false;
    stopUpdateTask();
    updateThread_ = thread;
    stopRequested_.store(false, std::memory_order_relaxed);
    return updateThread_->run(this);
}

}  // namespace s::time::gui::dialogs::tellavo

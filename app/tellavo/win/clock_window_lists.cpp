#include <windows.h>

#include "app/tellavo/clock_columns.h"
#include "app/tellavo/dialog.h"
#include "app/tellavo/time_record.h"
#include "app/tellavo/win/clipboard_text.h"
#include "app/tellavo/win/clock_window.h"
#include "base/array.h"
#include "gui/listbox2/record.h"
#include "gui/menu/menu_item.h"
#include "gui/win/box.h"
#include "gui/win/button.h"
#include "gui/win/list_box2.h"
#include "gui/win/list_box2_control.h"
#include "gui/win/popup_menu.h"
#include "gui/win/window.h"
#include "lang/localizer.h"
#include "time/clock.h"
#include "time/conversion.h"
#include "time/formatters.h"

namespace s::time::gui::dialogs::tellavo {

namespace {

using s::gui::IListBox2;
using s::gui::menuitem::MenuItem;
using s::gui::win::Box;
using s::gui::win::Button;
using s::gui::win::ListBox2;
using s::gui::win::PopupMenu;

constexpr const char16_t* kPickUpOrder = u"View\\PickUpColumnOrder";
constexpr const char16_t* kAllOrder = u"View\\AllColumnOrder";
constexpr int32_t kCopyToClipboard = 300;
constexpr int32_t kDeleteOrAdd = 800;
constexpr int32_t kTextCopy = 6000020;
constexpr int32_t kTextDeleteEntry = 6001001;
constexpr int32_t kTextAddToPickUp = 6002001;
constexpr int32_t kTextAddToPickUpButton = 6002002;
constexpr int32_t kColumns = 5;

// Full-row selection and alternate rows, clicks for the list itself.
s::gui::win::ListBox2Control* placeList(ListBox2* list, Box& page) {
    s::gui::win::ListBox2Control* control = s::gui::win::ListBox2Control::take();
    s::gui::win::ListView::Options options;
    options.fullRowSelect = true;
    options.alternateRows = true;
    control->setOptions(options);
    control->setList(list);
    page.addChild(control);
    return control;
}

ListBox2* newClockList() {
    ListBox2* list = ListBox2::take();
    list->setMultiSelect(true);
    return list;
}

}  // namespace

void ClockWindow::buildPickUpPage() {
    lang::Localizer* localizer = dialog_->localizer();
    pickUpList_ = newClockList();
    setUpPickUpColumns(*pickUpList_, localizer);
    for (int32_t id : {IListBox2::kRowSelected, IListBox2::kRowDeselected, IListBox2::kRowChecked,
                       IListBox2::kRowUnchecked, IListBox2::kSorted, IListBox2::kPopupMenu})
        pickUpList_->addListener(id, this);

    pickUpPopup_ = PopupMenu::take();
    pickUpPopup_->setTitle(u"Listbox Popup Menu");
    pickUpPopup_->setLocalizer(localizer);
    pickUpPopup_->addItem(MenuItem::localizedItem(kTextCopy, localizer, kCopyToClipboard, false));
    pickUpPopup_->addItem(MenuItem::separatorItem());
    pickUpPopup_->addItem(
        MenuItem::localizedItem(kTextDeleteEntry, localizer, kDeleteOrAdd, false));
    pickUpPopup_->addListener(this);

    pickUpHost_ = placeList(pickUpList_, *pickUpPage_);
}

void ClockWindow::buildAllZonesPage() {
    lang::Localizer* localizer = dialog_->localizer();
    allZonesList_ = newClockList();
    setUpAllZonesColumns(*allZonesList_, localizer);
    for (int32_t id :
         {IListBox2::kSingleSelection, IListBox2::kSelectionEmpty, IListBox2::kPopupMenu})
        allZonesList_->addListener(id, this);

    allZonesPopup_ = PopupMenu::take();
    allZonesPopup_->setTitle(u"Listbox Popup Menu");
    allZonesPopup_->setLocalizer(localizer);
    allZonesPopup_->addItem(
        MenuItem::localizedItem(kTextAddToPickUp, localizer, kDeleteOrAdd, false));
    allZonesPopup_->addListener(this);

    allZonesHost_ = placeList(allZonesList_, *allZonesPage_);

    addToPickUpButton_ = Button::take();
    addToPickUpButton_->setTextId(kTextAddToPickUpButton);
    addToPickUpButton_->setExactHeight(20);
    addToPickUpButton_->setEnabled(false);
    addToPickUpButton_->addClickListener(this);
    allZonesPage_->addChild(addToPickUpButton_);
}

void ClockWindow::readColumnOrder(ListBox2& list, const char16_t* path) {
    SectionSettings& settings = dialog_->settings();
    if (settings.getInt32(path, u"length", 0) != kColumns)
        return;
    int32_t order[kColumns];
    str::StrBuffer name;
    for (int32_t i = 0; i < kColumns; ++i) {
        name.setText(u"_");
        name.appendInt(i);
        order[i] = settings.getInt32(path, name.text(), i);
    }
    list.setColumnOrder(order, kColumns);
}

void ClockWindow::storeColumnOrder(ListBox2& list, const char16_t* path) {
    SectionSettings& settings = dialog_->settings();
    const int32_t count = list.columnOrderCount();
    settings.setInt32(path, u"length", count);
    str::StrBuffer name;
    for (int32_t i = 0; i < count; ++i) {
        name.setText(u"_");
        name.appendInt(i);
        settings.setInt32(path, name.text(), list.columnOrderAt(i));
    }
}

bool ClockWindow::listEvent(base::IObject* source, int32_t eventId) {
    POINT cursor{};
    if (pickUpList_ != nullptr && source == static_cast<base::IObject*>(pickUpList_)) {
        if (eventId == IListBox2::kPopupMenu) {
            GetCursorPos(&cursor);
            pickUpPopup_->chooseAt(cursor.x, cursor.y, window_->hwnd());
        } else if (eventId == IListBox2::kRowSelected) {
            showSelectedRecord();
        } else if (eventId == IListBox2::kRowDeselected) {
            clearPanel();
        } else {
            dialog_->onEvent(source, eventId);
        }
        return true;
    }
    if (allZonesList_ != nullptr && source == static_cast<base::IObject*>(allZonesList_)) {
        if (eventId == IListBox2::kPopupMenu) {
            GetCursorPos(&cursor);
            allZonesPopup_->chooseAt(cursor.x, cursor.y, window_->hwnd());
        } else if (eventId == IListBox2::kSingleSelection) {
            addToPickUpButton_->setEnabled(true);
        } else if (eventId == IListBox2::kSelectionEmpty) {
            addToPickUpButton_->setEnabled(false);
        }
        return true;
    }
    if (pickUpPopup_ != nullptr && source == static_cast<base::IObject*>(pickUpPopup_)) {
        if (pickUpPopup_->lastCommand() == kCopyToClipboard)
            copySelection();
        else if (pickUpPopup_->lastCommand() == kDeleteOrAdd)
            deleteSelection();
        return true;
    }
    if ((allZonesPopup_ != nullptr && source == static_cast<base::IObject*>(allZonesPopup_)) ||
        (addToPickUpButton_ != nullptr &&
         source == static_cast<base::IObject*>(addToPickUpButton_))) {
        dialog_->addSelectedZonesToPickUp();
        return true;
    }
    return false;
}

void ClockWindow::copySelection() {
    col::_array::ArrayP records;
    for (int32_t i = 0; i < pickUpList_->selectedCount(); ++i) {
        s::gui::listbox2::Record* row = pickUpList_->selectedAt(i);
        if (row != nullptr && row->userData() != nullptr)
            records.add(row->userData());
    }
    str::StrBuffer text;
    str::StrBuffer when;
    {
        thread::Locked guard(dialog_->lock());
        const int64_t now = nowSeconds();
        for (int32_t i = 0; i < records.count(); ++i) {
            const TimeRecord* record = records.getAs<TimeRecord>(i);
            if (record->zone == nullptr)
                continue;
            if (text.length() > 0)
                text.append(u"\r\n", -1);
            text.append(record->name.text(), -1);
            text.append(u" ", -1);
            const int64_t local = zoneLocalSeconds(record->zone, now, record->dstMode == 2);
            if (dialog_->showInAmPm())
                formatDateTimeShort12(local, when);
            else
                formatDateTimeShort24(local, when);
            text.append(when.text(), -1);
        }
    }
    collapseTripleSpaces(text);
    putClipboardText(window_->hwnd(), text.text());
}

void ClockWindow::deleteSelection() {
    col::_array::ArrayP records;
    for (int32_t i = 0; i < pickUpList_->selectedCount(); ++i) {
        s::gui::listbox2::Record* row = pickUpList_->selectedAt(i);
        if (row != nullptr && row->userData() != nullptr)
            records.add(row->userData());
    }
    if (records.count() > 0)
        dialog_->removePickUpRecords(records);
    clearPanel();
}

}  // namespace s::time::gui::dialogs::tellavo

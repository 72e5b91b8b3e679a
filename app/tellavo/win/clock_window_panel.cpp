#include <windows.h>

#include "app/tellavo/clock_rows.h"
#include "app/tellavo/clock_texts.h"
#include "app/tellavo/dialog.h"
#include "app/tellavo/time_record.h"
#include "app/tellavo/win/clock_window.h"
#include "app/tellavo/win/window_pieces.h"
#include "base/array.h"
#include "gui/controls/spacer.h"
#include "gui/listbox2/record.h"
#include "gui/win/box.h"
#include "gui/win/button.h"
#include "gui/win/check_box.h"
#include "gui/win/combo_box.h"
#include "gui/win/label.h"
#include "gui/win/list_box2.h"
#include "gui/win/text_field.h"
#include "gui/win/window.h"
#include "lang/localizer.h"
#include "time/time_zone.h"
#include "time/zone_database.h"

// The entry-editing panel under the pick-up list.
namespace s::time::gui::dialogs::tellavo {

namespace {

using s::gui::controls::Spacer;
using s::gui::win::Box;
using s::gui::win::Button;
using s::gui::win::CheckBox;
using s::gui::win::ComboBox;
using s::gui::win::Label;
using s::gui::win::TextField;

constexpr int32_t kTextAddEditEntries = 6000000;
constexpr int32_t kTextHint = 6000010;
constexpr int32_t kTextDeleteEntry = 6001000;
constexpr int32_t kTextAddAsNew = 6002000;
constexpr int32_t kTextApply = 6003000;
constexpr int32_t kTextClear = 6004000;
constexpr int32_t kTextLocation = 1001000;
constexpr int32_t kTextTimeZone = 1005002;
constexpr int32_t kTextCurrentSystemZone = 5001100;
constexpr int32_t kSystemZoneDatum = -1;
// No zone index can be this: it marks the line of hyphens.
constexpr int32_t kSeparatorDatum = -2;
constexpr int32_t kLabelColumn = 70;
constexpr int32_t kButtonHeight = 20;
constexpr int32_t kArrowSize = 14;

// A row across the panel's whole width.
Box* panelRow(int32_t spacing) {
    Box* box = rowBox(spacing);
    box->setPercentWidth(100, false);
    return box;
}

// A label in a column of its own width, so that the fields after it line up.
Box* labelColumn(int32_t textId) {
    Box* column = Box::take();
    column->setExactWidth(kLabelColumn, false);
    column->alignMiddle();
    Label* label = Label::take();
    label->setTextId(textId);
    column->addChild(label);
    return column;
}

Button* panelButton(int32_t textId) {
    Button* button = Button::take();
    button->setTextId(textId);
    button->setExactHeight(kButtonHeight);
    button->setEnabled(false);
    return button;
}

}  // namespace

void ClockWindow::buildPanel() {
    lang::Localizer* localizer = dialog_->localizer();

    Box* toggleRow = panelRow(4);
    panelArrow_ = Button::take();
    panelArrow_->setText(u"#Up");
    panelArrow_->setExactWidth(kArrowSize);
    panelArrow_->setExactHeight(kArrowSize);
    panelButton_ = Button::take();
    panelButton_->setTextId(kTextAddEditEntries);
    panelButton_->setExactHeight(kButtonHeight);
    Label* hint = Label::take();
    hint->setTextId(kTextHint);
    toggleRow->addChild(panelArrow_);
    toggleRow->addChild(panelButton_);
    toggleRow->addChild(hint);
    pickUpPage_->addChild(toggleRow);

    panelBox_ = Box::take();
    panelBox_->setVerticalStyle();
    panelBox_->setVerticalSpacing(3);
    panelBox_->setPercentWidth(100, false);

    Box* nameRow = panelRow(0);
    Box* location = labelColumn(kTextLocation);
    Label* colon = Label::take();
    colon->setText(u": ");
    nameField_ = TextField::take();
    nameField_->setChangeNotification(true);
    nameRow->addChild(location);
    nameRow->addChild(colon);
    nameRow->addChild(nameField_);
    panelBox_->addChild(nameRow);

    Box* zoneRow = panelRow(0);
    Box* zone = labelColumn(kTextTimeZone);
    Label* colon2 = Label::take();
    colon2->setText(u": ");
    zoneChoice_ = ComboBox::take();
    zoneChoice_->setPercentWidth(100);
    str::StrBuffer item;
    const TimeZone* system = systemZone();
    item.setText(localizer ? localizer->text(kTextCurrentSystemZone) : u"");
    item.append(u" - ", -1);
    if (system != nullptr)
        item.append(system->displayName.text(), -1);
    zoneChoice_->addItem(item.text(), kSystemZoneDatum);
    zoneChoice_->addItem(u"--------------------------------------", kSeparatorDatum);
    const col::ArrayP& zones = allZones();
    for (int32_t i = 0; i < zones.count(); ++i)
        zoneChoice_->addItem(zones.getAs<TimeZone>(i)->displayName.text(), i);
    // Item 0 from the start: a name typed before any choice gets the computer's zone.
    zoneChoice_->setSelection(0, false);
    zoneRow->addChild(zone);
    zoneRow->addChild(colon2);
    zoneRow->addChild(zoneChoice_);
    panelBox_->addChild(zoneRow);

    checkRow_ = panelRow(0);
    dstCheck_ = CheckBox::take();
    dstCheck_->setTextId(kTextDstAutoAdjust);
    checkRow_->addChild(gapOf(kLabelColumn + 8));
    checkRow_->addChild(dstCheck_);
    panelBox_->addChild(checkRow_);
    showCheckRowFor(systemZoneDatum());

    Box* buttons = panelRow(0);
    deleteButton_ = panelButton(kTextDeleteEntry);
    addButton_ = panelButton(kTextAddAsNew);
    applyButton_ = panelButton(kTextApply);
    clearButton_ = panelButton(kTextClear);
    Spacer* stretch = Spacer::take();
    stretch->setHorizontal();
    stretch->setPercentWidth(100);
    buttons->addChild(deleteButton_);
    buttons->addChild(gapOf(5));
    buttons->addChild(addButton_);
    buttons->addChild(stretch);
    buttons->addChild(applyButton_);
    buttons->addChild(gapOf(5));
    buttons->addChild(clearButton_);
    buttons->addChild(gapOf(10));
    panelBox_->addChild(buttons);
    panelBox_->setExactHeight(0, false);
    pickUpPage_->addChild(panelBox_);

    for (Button* b :
         {panelArrow_, panelButton_, deleteButton_, addButton_, applyButton_, clearButton_})
        b->addClickListener(this);
    nameField_->addChangeListener(this);
    zoneChoice_->addSelectionListener(this);
    dstCheck_->addCheckListener(this);
}

int32_t ClockWindow::systemZoneDatum() const {
    return kSystemZoneDatum;
}

void ClockWindow::showCheckRowFor(int32_t datum) {
    const TimeZone* zone = datum == kSystemZoneDatum ? systemZone() : nullptr;
    if (datum >= 0 && datum < allZones().count())
        zone = allZones().getAs<TimeZone>(datum);
    const bool rules = zone != nullptr && zone->hasDaylight;
    checkRow_->setVisible(rules, true);
    checkRow_->setExactHeight(rules ? -1 : 0, false);
}

void ClockWindow::togglePanel() {
    panelOpen_ = !panelOpen_;
    panelArrow_->setText(panelOpen_ ? u"#Down" : u"#Up");
    panelBox_->setExactHeight(panelOpen_ ? -1 : 0, false);
    window_->doLayout();
}

void ClockWindow::clearPanel() {
    nameField_->setText(u"");
    editedRecord_ = nullptr;
    for (Button* b : {addButton_, applyButton_, clearButton_, deleteButton_})
        b->setEnabled(false);
}

void ClockWindow::showSelectedRecord() {
    editedRecord_ = nullptr;
    s::gui::listbox2::Record* row =
        pickUpList_->selectedCount() > 0 ? pickUpList_->selectedAt(0) : nullptr;
    TimeRecord* record = row ? static_cast<TimeRecord*>(row->userData()) : nullptr;
    if (record == nullptr)
        return;
    editedRecord_ = record;
    nameField_->setText(record->name.text());
    int32_t datum = kSystemZoneDatum;
    if (record->zone != systemZone()) {
        const col::ArrayP& zones = allZones();
        for (int32_t i = 0; i < zones.count(); ++i) {
            if (zones.getAs<TimeZone>(i) == record->zone)
                datum = i;
        }
    }
    for (int32_t i = 0; i < zoneChoice_->itemCount(); ++i) {
        if (zoneChoice_->itemDatum(i) == datum) {
            zoneChoice_->setSelection(i, false);
            break;
        }
    }
    dstCheck_->setChecked(record->dstMode == 2);
    showCheckRowFor(datum);
    addButton_->setEnabled(true);
    applyButton_->setEnabled(false);
    clearButton_->setEnabled(true);
    deleteButton_->setEnabled(true);
    window_->doLayout();
}

int32_t ClockWindow::chosenDatum() const {
    const int32_t index = zoneChoice_->selection();
    return index >= 0 ? zoneChoice_->itemDatum(index) : kSystemZoneDatum;
}

void ClockWindow::panelZoneAndMode(const TimeZone*& zone, int32_t& mode) const {
    const int32_t datum = chosenDatum();
    zone =
        datum >= 0 && datum < allZones().count() ? allZones().getAs<TimeZone>(datum) : systemZone();
    if (zone == nullptr || !zone->hasDaylight)
        mode = 1;
    else
        mode = dstCheck_->isChecked() ? 2 : 3;
}

void ClockWindow::zoneChosen() {
    int32_t datum = chosenDatum();
    if (datum == kSeparatorDatum) {
        for (int32_t i = 0; i < zoneChoice_->itemCount(); ++i) {
            if (zoneChoice_->itemDatum(i) == 0) {
                zoneChoice_->setSelection(i, false);
                break;
            }
        }
        datum = chosenDatum();
    }
    if (datum == kSystemZoneDatum) {
        const TimeZone* system = systemZone();
        dstCheck_->setChecked(system != nullptr && system->daylightInUse);
    } else if (datum >= 0 && datum < allZones().count()) {
        dstCheck_->setChecked(allZones().getAs<TimeZone>(datum)->hasDaylight);
    }
    showCheckRowFor(datum);
    window_->doLayout();
    panelChanged();
}

void ClockWindow::panelChanged() {
    if (editedRecord_ != nullptr && nameField_->text()[0] != 0)
        applyButton_->setEnabled(true);
}

void ClockWindow::nameChanged() {
    const bool named = nameField_->text()[0] != 0;
    addButton_->setEnabled(named);
    applyButton_->setEnabled(named && editedRecord_ != nullptr);
    if (named)
        clearButton_->setEnabled(true);
}

void ClockWindow::addAsNew() {
    const char16_t* name = nameField_->text();
    if (name[0] == 0)
        return;
    const TimeZone* zone = nullptr;
    int32_t mode = 1;
    panelZoneAndMode(zone, mode);
    TimeRecord* draft = newTimeRecord(name, zone, mode);
    if (draft == nullptr)
        return;
    col::_array::ArrayP one;
    one.add(draft);
    dialog_->addToPickUp(one);
    draft->release();
    // The copy is the last record; select it and bring it into view.
    TimeRecord* added = nullptr;
    {
        thread::Locked guard(dialog_->lock());
        const col::ArrayP& records = dialog_->pickUpRecords();
        if (records.count() > 0)
            added = records.getAs<TimeRecord>(records.count() - 1);
    }
    pickUpList_->deselectAll();
    if (added != nullptr && added->row() != nullptr) {
        pickUpList_->selectRecord(added->row(), added->rowSerial());
        pickUpList_->ensureVisible(added->row(), added->rowSerial());
    }
    editedRecord_ = added;
}

void ClockWindow::applyChanges() {
    if (editedRecord_ == nullptr)
        return;
    const char16_t* name = nameField_->text();
    if (name[0] != 0) {
        const TimeZone* zone = nullptr;
        int32_t mode = 1;
        panelZoneAndMode(zone, mode);
        thread::Locked guard(dialog_->lock());
        refreshPickUpRow(*pickUpList_, *editedRecord_, zone, name, mode, dialog_->localizer());
    }
    applyButton_->setEnabled(false);
    dialog_->savePickUpList();
}

void ClockWindow::deleteEdited() {
    if (editedRecord_ == nullptr)
        return;
    s::gui::listbox2::Record* next = nullptr;
    if (editedRecord_->row() != nullptr)
        next = pickUpList_->nextRecord(editedRecord_->row(), editedRecord_->rowSerial(), false);
    TimeRecord* following = next ? static_cast<TimeRecord*>(next->userData()) : nullptr;
    col::_array::ArrayP one;
    one.add(editedRecord_);
    editedRecord_ = nullptr;
    dialog_->removePickUpRecords(one);
    clearPanel();
    if (following != nullptr && following->row() != nullptr)
        pickUpList_->selectRecord(following->row(), following->rowSerial());
}

bool ClockWindow::panelEvent(base::IObject* source, int32_t /*eventId*/) {
    if (panelArrow_ == nullptr)
        return false;
    auto is = [source](const auto* component) {
        return component != nullptr && source == static_cast<const base::IObject*>(component);
    };
    if (is(panelArrow_) || is(panelButton_))
        togglePanel();
    else if (is(zoneChoice_))
        zoneChosen();
    else if (is(dstCheck_))
        panelChanged();
    else if (is(nameField_))
        nameChanged();
    else if (is(addButton_))
        addAsNew();
    else if (is(applyButton_))
        applyChanges();
    else if (is(clearButton_)) {
        pickUpList_->deselectAll();
        clearPanel();
    } else if (is(deleteButton_))
        deleteEdited();
    else
        return false;
    return true;
}

}  // namespace s::time::gui::dialogs::tellavo

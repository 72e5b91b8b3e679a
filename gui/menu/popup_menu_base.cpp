#include "gui/menu/popup_menu_base.h"

#include "gui/menu/menu_item.h"
#include "lang/localizer.h"

namespace s::gui::menu {

using menuitem::MenuItem;

PopupMenuBase::PopupMenuBase() = default;

PopupMenuBase::~PopupMenuBase() {
    // The final class has already cleared (its native hooks are gone by now).
}

void PopupMenuBase::resetMenu() {
    clear();
    setLocalizer(nullptr);
    title_.freeStorage();
    titleId_ = -1;
    listeners_.clear();
    lastCommand_ = -1;
}

void PopupMenuBase::onEvent(base::IObject* source, int32_t /*eventId*/) {
    if (source && localizer_ && source == static_cast<base::IObject*>(localizer_))
        retranslate();
}

MenuItem* PopupMenuBase::itemAt(int32_t position) const {
    if (position < 0 || position >= entries_.count() || isSubmenuEntry(position))
        return nullptr;
    return entries_.getAs<MenuItem>(position);
}

PopupMenuBase* PopupMenuBase::submenuAt(int32_t position) const {
    if (position < 0 || position >= entries_.count() || !isSubmenuEntry(position))
        return nullptr;
    return entries_.getAs<PopupMenuBase>(position);
}

bool PopupMenuBase::isSubmenuEntry(int32_t position) const {
    return entryIsSubmenu_.get(position) != 0;
}

void PopupMenuBase::insertEntry(int32_t position, void* entry, bool isSubmenu) {
    if (position < 0 || position > entries_.count())
        position = entries_.count();
    entries_.insert(position, &entry, 1);
    uint8_t flag = isSubmenu ? 1 : 0;
    entryIsSubmenu_.insert(position, &flag, 1);
    if (isSubmenu) {
        auto* submenu = static_cast<PopupMenuBase*>(entry);
        submenus_.add(submenu);
        nativeInsertSubmenu(position, *submenu);
    } else {
        auto* item = static_cast<MenuItem*>(entry);
        items_.add(item);
        nativeInsertItem(position, *item);
        if (item->isRadioChecked())
            nativeCheckRadio(position, position, position);
    }
}

void PopupMenuBase::releaseEntry(void* entry, bool isSubmenu) {
    col::_array::ArrayP& owner = isSubmenu ? submenus_ : items_;
    int32_t at = 0;
    if (owner.indexOf(entry, at))
        owner.detach(at);
    if (isSubmenu)
        static_cast<PopupMenuBase*>(entry)->release();
    else
        static_cast<MenuItem*>(entry)->release();
}

void PopupMenuBase::addItem(MenuItem* item) {
    insertItem(entries_.count(), item);
}

void PopupMenuBase::insertItem(int32_t position, MenuItem* item) {
    if (!item)
        return;
    if (item->textId() != -1 && !item->localizer() && localizer_) {
        item->setLocalizer(localizer_);
        item->refreshText();
    }
    insertEntry(position, item, false);
}

void PopupMenuBase::clear() {
    // From the last entry to the first, so that native positions stay valid.
    for (int32_t i = entries_.count() - 1; i >= 0; --i)
        removeAt(i);
}

bool PopupMenuBase::removeAt(int32_t position) {
    if (position < 0 || position >= entries_.count())
        return false;
    void* entry = entries_.get(position);
    bool isSubmenu = isSubmenuEntry(position);
    // Out of the native menu first: a submenu's own native menu is detached, not destroyed,
    // so that it is destroyed exactly once, by the submenu itself.
    nativeRemove(position);
    entries_.detach(position);
    entryIsSubmenu_.removeRange(position, 1);
    releaseEntry(entry, isSubmenu);
    return true;
}

bool PopupMenuBase::removeByCommand(int32_t command) {
    return removeAt(indexOfCommand(command));
}

bool PopupMenuBase::removeByData(int32_t data) {
    return removeAt(indexOfData(data));
}

MenuItem* PopupMenuBase::itemByCommand(int32_t command) const {
    return itemAt(indexOfCommand(command));
}

bool PopupMenuBase::hasCommand(int32_t command) const {
    if (indexOfCommand(command) >= 0)
        return true;
    for (int32_t i = 0; i < submenus_.count(); ++i) {
        if (submenus_.getAs<PopupMenuBase>(i)->hasCommand(command))
            return true;
    }
    return false;
}

int32_t PopupMenuBase::indexOfCommand(int32_t command) const {
    for (int32_t i = 0; i < entries_.count(); ++i) {
        const MenuItem* item = itemAt(i);
        if (item && !item->isSeparator() && item->command() == command)
            return i;
    }
    return -1;
}

int32_t PopupMenuBase::indexOfData(int32_t data) const {
    for (int32_t i = 0; i < entries_.count(); ++i) {
        const MenuItem* item = itemAt(i);
        if (item && item->data() == data)
            return i;
    }
    return -1;
}

int32_t PopupMenuBase::positionOfItem(const MenuItem* item) const {
    for (int32_t i = 0; i < entries_.count(); ++i) {
        if (!isSubmenuEntry(i) && entries_.get(i) == item)
            return i;
    }
    return -1;
}

int32_t PopupMenuBase::positionOfSubmenu(const PopupMenuBase* submenu) const {
    for (int32_t i = 0; i < entries_.count(); ++i) {
        if (isSubmenuEntry(i) && entries_.get(i) == submenu)
            return i;
    }
    return -1;
}

void PopupMenuBase::insertSubmenu(PopupMenuBase* submenu, int32_t position) {
    if (!submenu || submenu == this || positionOfSubmenu(submenu) >= 0)
        return;
    if (!submenu->localizer_ && localizer_)
        submenu->setLocalizer(localizer_);
    insertEntry(position, submenu, true);
}

void PopupMenuBase::addSubmenu(PopupMenuBase* submenu) {
    insertSubmenu(submenu, entries_.count());
}

bool PopupMenuBase::setEnabled(int32_t command, bool on) {
    int32_t at = indexOfCommand(command);
    if (at >= 0) {
        nativeEnable(at, on);
        return true;
    }
    for (int32_t i = 0; i < submenus_.count(); ++i) {
        if (submenus_.getAs<PopupMenuBase>(i)->setEnabled(command, on))
            return true;
    }
    return false;
}

void PopupMenuBase::setLocalizer(lang::Localizer* localizer) {
    if (localizer == localizer_)
        return;
    if (localizer_)
        localizer_->removeListener(this);
    localizer_ = localizer;
    if (!localizer_)
        return;
    localizer_->addListener(this);
    for (int32_t i = 0; i < submenus_.count(); ++i) {
        auto* submenu = submenus_.getAs<PopupMenuBase>(i);
        if (!submenu->localizer_)
            submenu->setLocalizer(localizer_);
    }
}

bool PopupMenuBase::isChecked(int32_t command) const {
    if (const MenuItem* item = itemByCommand(command))
        return item->isChecked();
    for (int32_t i = 0; i < submenus_.count(); ++i) {
        auto* submenu = submenus_.getAs<PopupMenuBase>(i);
        if (submenu->hasCommand(command))
            return submenu->isChecked(command);
    }
    return false;
}

bool PopupMenuBase::setCheckedHere(int32_t command, bool on) {
    int32_t at = indexOfCommand(command);
    if (at < 0)
        return false;
    MenuItem* item = itemAt(at);
    if (item->isChecked() != on) {
        item->setChecked(on);
        nativeCheck(at, on);
    }
    return true;
}

bool PopupMenuBase::setChecked(int32_t command, bool on) {
    if (setCheckedHere(command, on))
        return true;
    for (int32_t i = 0; i < submenus_.count(); ++i) {
        if (submenus_.getAs<PopupMenuBase>(i)->setChecked(command, on))
            return true;
    }
    return false;
}

void PopupMenuBase::applyText(int32_t position, const MenuItem& item) {
    str::strbuffer::StrBuffer shown;
    item.nativeText(shown);
    nativeSetText(position, shown.text());
}

bool PopupMenuBase::setItemText(int32_t command, const char16_t* text) {
    int32_t at = indexOfCommand(command);
    if (at >= 0) {
        MenuItem* item = itemAt(at);
        item->setText(text);
        applyText(at, *item);
        return true;
    }
    for (int32_t i = 0; i < submenus_.count(); ++i) {
        if (submenus_.getAs<PopupMenuBase>(i)->setItemText(command, text))
            return true;
    }
    return false;
}

bool PopupMenuBase::setItemTextId(int32_t command, int32_t textId) {
    int32_t at = indexOfCommand(command);
    if (at >= 0) {
        MenuItem* item = itemAt(at);
        if (!item->localizer())
            item->setLocalizer(localizer_);
        item->setTextId(textId);
        applyText(at, *item);
        return true;
    }
    for (int32_t i = 0; i < submenus_.count(); ++i) {
        if (submenus_.getAs<PopupMenuBase>(i)->setItemTextId(command, textId))
            return true;
    }
    return false;
}

void PopupMenuBase::retranslate() {
    for (int32_t i = 0; i < entries_.count(); ++i) {
        if (PopupMenuBase* submenu = submenuAt(i)) {
            str::strbuffer::StrBuffer shown;
            submenu->nativeTitle(shown);
            nativeSetText(i, shown.text());
            continue;
        }
        MenuItem* item = itemAt(i);
        if (item->isSeparator() || !item->refreshText())
            continue;
        applyText(i, *item);
        // Marks are put back explicitly: a platform that rebuilds the entry would lose them.
        nativeCheck(i, item->isChecked());
        if (item->isRadioChecked())
            nativeCheckRadio(i, i, i);
    }
}

const char16_t* PopupMenuBase::title() {
    if (titleId_ != -1 && localizer_) {
        title_.clear();
        title_.appendText(localizer_->text(titleId_));
    }
    return title_.text();
}

void PopupMenuBase::nativeTitle(str::strbuffer::StrBuffer& out) {
    out.clear();
    const char16_t* text = title();
    if (titleId_ == -1)
        menuitem::appendDoubledAmpersands(out, text);
    else
        out.appendText(text);
}

void PopupMenuBase::setTitleId(int32_t id) {
    titleId_ = id;
    title();
}

void PopupMenuBase::setTitle(const char16_t* text) {
    titleId_ = -1;
    title_.clear();
    if (text)
        title_.appendText(text);
}

void PopupMenuBase::checkRadio(int32_t checkPos, int32_t firstPos, int32_t lastPos) {
    if (firstPos < 0)
        firstPos = 0;
    if (lastPos >= entries_.count())
        lastPos = entries_.count() - 1;
    if (firstPos > lastPos)
        return;
    for (int32_t i = firstPos; i <= lastPos; ++i) {
        if (MenuItem* item = itemAt(i))
            item->setRadioChecked(i == checkPos);
    }
    nativeCheckRadio(checkPos, firstPos, lastPos);
}

void PopupMenuBase::checkRadioAt(int32_t position) {
    int32_t count = entries_.count();
    if (count == 0)
        return;
    const MenuItem* chosen = itemAt(position);
    bool any = chosen && !chosen->isSeparator();
    for (int32_t i = 0; i < count; ++i) {
        if (MenuItem* item = itemAt(i))
            item->setRadioChecked(any && !item->isSeparator() &&
                                  item->command() == chosen->command());
    }
    nativeCheckRadio(any ? position : -1, 0, count - 1);
}

bool PopupMenuBase::checkRadioByCommand(int32_t command) {
    int32_t at = indexOfCommand(command);
    if (at < 0)
        return false;
    checkRadioAt(at);
    return true;
}

bool PopupMenuBase::checkRadioByData(int32_t data) {
    int32_t at = indexOfData(data);
    if (at < 0)
        return false;
    checkRadioAt(at);
    return true;
}

void PopupMenuBase::dispatchCommand(int32_t command) {
    lastCommand_ = command;
    listeners_.fire(this, 0);
}

}  // namespace s::gui::menu

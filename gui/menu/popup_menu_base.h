#pragma once

#include <cstdint>

#include "base/array.h"
#include "base/event_listener.h"
#include "base/object.h"
#include "base/pool.h"
#include "base/str_buffer.h"
#include "gui/i_menu_target.h"
#include "gui/listener_list.h"

namespace s::lang {
class Localizer;
}

namespace s::gui::menuitem {
class MenuItem;
}

namespace s::gui::menu {

// The platform-free half of a popup menu: its entries (items and submenus in menu order),
// marks, titles, retranslation and command dispatch. The platform class fills in the native
// hooks, each of which addresses an entry by its position in this menu. Positions count
// every entry, items and submenus alike (0 .. entryCount() - 1). Built before the menu is
// given to its window, then used on that window's thread.
class PopupMenuBase : public base::IObject,
                      public thread::IPoolable,
                      public IMenuTarget,
                      public events::IEventListener {
public:
    using MenuItem = menuitem::MenuItem;

    PopupMenuBase(const PopupMenuBase&) = delete;
    PopupMenuBase& operator=(const PopupMenuBase&) = delete;

    // The localizer's event retranslates the menu; other sources are ignored.
    void onEvent(base::IObject* source, int32_t eventId) override;

    // The menu owns the item from now on (released when removed, cleared or released).
    // Null is ignored. An item with a text id but no localizer takes the menu's.
    void addItem(MenuItem* item);
    // Out-of-range positions append.
    void insertItem(int32_t position, MenuItem* item);
    // Removes every entry and releases the items and submenus.
    void clear();
    // False when nothing is there. A submenu at the position is released too.
    bool removeAt(int32_t position);
    bool removeByCommand(int32_t command);
    bool removeByData(int32_t data);
    // This menu's own items only; none when absent.
    MenuItem* itemByCommand(int32_t command) const;
    // In this menu's items or, recursively, in a submenu.
    bool hasCommand(int32_t command) const override;
    // Entry position of this menu's first matching item; -1 when absent.
    int32_t indexOfCommand(int32_t command) const;
    int32_t indexOfData(int32_t data) const;
    // The menu owns the submenu from now on; its entry shows the submenu's title. Null and
    // the menu itself are ignored.
    void insertSubmenu(PopupMenuBase* submenu, int32_t position);
    void addSubmenu(PopupMenuBase* submenu);
    // Recursive; false for an unknown command.
    bool setEnabled(int32_t command, bool on);
    // Not owned; the menu becomes its listener (and leaves the previous one). Submenus
    // without a localizer of their own take it too.
    void setLocalizer(lang::Localizer* localizer);
    lang::Localizer* localizer() const { return localizer_; }
    // Search the items, then the submenus recursively.
    bool isChecked(int32_t command) const;
    bool setChecked(int32_t command, bool on);
    bool setItemText(int32_t command, const char16_t* text);
    bool setItemTextId(int32_t command, int32_t textId);
    // Every item with a text id takes its text again, marks stay, submenus are retitled.
    void retranslate();
    // With a title id it is first refreshed from the localizer.
    const char16_t* title();
    int32_t itemCount() const { return items_.count(); }
    void setTitleId(int32_t id);
    void setTitle(const char16_t* text);
    int32_t titleId() const { return titleId_; }
    // The native radio mark on checkPos within [firstPos, lastPos]; the radio flags of the
    // items in that range follow.
    void checkRadio(int32_t checkPos, int32_t firstPos, int32_t lastPos);
    // The radio mark at one position among all entries; every item's flag becomes whether
    // its command is the command at that position. Negative (or past the end): no mark.
    void checkRadioAt(int32_t position);
    bool checkRadioByCommand(int32_t command);
    bool checkRadioByData(int32_t data);
    int32_t lastCommand() const { return lastCommand_; }
    // Command listeners, not owned.
    void addListener(events::IEventListener* listener) { listeners_.add(listener); }
    // Remembers the command, then onEvent(menu, 0) to every listener.
    void dispatchCommand(int32_t command) override;
    int32_t entryCount() const { return entries_.count(); }

    // Entry at a position: an item (submenuAt() none) or a submenu (itemAt() none).
    MenuItem* itemAt(int32_t position) const;
    PopupMenuBase* submenuAt(int32_t position) const;
    int32_t submenuCount() const { return submenus_.count(); }
    // The title as the native entry of a submenu shows it (literal titles with "&" doubled).
    void nativeTitle(str::strbuffer::StrBuffer& out);

protected:
    PopupMenuBase();
    ~PopupMenuBase() override;
    // Back to the constructed state: entries released, localizer left (the final class's
    // reset() calls it before its native menu goes).
    void resetMenu();

    // Native hooks. An entry is inserted at `position` (== the count before: appended);
    // removing it from the native menu must not destroy a submenu's own native menu.
    virtual void nativeInsertItem(int32_t position, const MenuItem& item) = 0;
    virtual void nativeInsertSubmenu(int32_t position, PopupMenuBase& submenu) = 0;
    virtual void nativeRemove(int32_t position) = 0;
    // Only the text changes; marks and the enabled state stay.
    virtual void nativeSetText(int32_t position, const char16_t* nativeText) = 0;
    virtual void nativeCheck(int32_t position, bool on) = 0;
    // checkPos outside [firstPos, lastPos]: the radio marks in the range go.
    virtual void nativeCheckRadio(int32_t checkPos, int32_t firstPos, int32_t lastPos) = 0;
    virtual void nativeEnable(int32_t position, bool on) = 0;

private:
    void insertEntry(int32_t position, void* entry, bool isSubmenu);
    void releaseEntry(void* entry, bool isSubmenu);
    bool isSubmenuEntry(int32_t position) const;
    int32_t positionOfItem(const MenuItem* item) const;
    int32_t positionOfSubmenu(const PopupMenuBase* submenu) const;
    bool setCheckedHere(int32_t command, bool on);
    void applyText(int32_t position, const MenuItem& item);

    lang::Localizer* localizer_ = nullptr;  // not owned
    str::strbuffer::StrBuffer title_;
    int32_t titleId_ = -1;
    col::_array::ArrayP entries_;  // MenuItem* or PopupMenuBase*, in menu order, not disposed here
    col::_array::ArrayU08 entryIsSubmenu_;
    col::_array::ArrayP items_;     // MenuItem*, owned (released by this class)
    col::_array::ArrayP submenus_;  // PopupMenuBase*, owned (released by this class)
    ListenerList listeners_;
    int32_t lastCommand_ = -1;
};

}  // namespace s::gui::menu

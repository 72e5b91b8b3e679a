#include "gui/win/popup_menu.h"

#include <atomic>

#include "base/str_buffer.h"
#include "gui/menu/menu_item.h"

namespace s::gui::win {
namespace {

std::atomic<int32_t> liveMenus{0};

const wchar_t* wide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text ? text : u"");
}

}  // namespace

MenuHandle& MenuHandle::operator=(MenuHandle&& other) noexcept {
    if (this != &other) {
        destroy();
        menu_ = other.menu_;
        other.menu_ = nullptr;
    }
    return *this;
}

HMENU MenuHandle::ensurePopup() {
    if (!menu_) {
        menu_ = CreatePopupMenu();
        if (menu_)
            ++liveMenus;
    }
    return menu_;
}

void MenuHandle::destroy() {
    if (!menu_)
        return;
    DestroyMenu(menu_);
    menu_ = nullptr;
    --liveMenus;
}

int32_t MenuHandle::liveCount() {
    return liveMenus.load();
}

PopupMenu::~PopupMenu() {
    reset();
}

void PopupMenu::reset() {
    // Entries first: each submenu is taken out of this native menu (not destroyed with it)
    // and then destroys its own handle when released.
    resetMenu();
    handle_.destroy();
}

void PopupMenu::openAt(void* ownerWindow, int32_t screenX, int32_t screenY) {
    trackAtTop(screenX, screenY, static_cast<HWND>(ownerWindow));
}

void PopupMenu::trackAtBottom(int32_t x, int32_t y, HWND owner) {
    if (HMENU menu = hmenu())
        TrackPopupMenu(menu, kTrackAtBottom, x, y, 0, owner, nullptr);
}

void PopupMenu::trackAtTop(int32_t x, int32_t y, HWND owner) {
    if (HMENU menu = hmenu())
        TrackPopupMenu(menu, kTrackAtTop, x, y, 0, owner, nullptr);
}

void PopupMenu::chooseAt(int32_t x, int32_t y, HWND owner) {
    HMENU menu = hmenu();
    if (!menu)
        return;
    const int32_t command = static_cast<int32_t>(
        TrackPopupMenu(menu, kTrackAtTop | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, owner, nullptr));
    if (command > 0)
        dispatchCommand(command);
}

void PopupMenu::nativeInsertItem(int32_t position, const MenuItem& item) {
    HMENU menu = hmenu();
    if (!menu)
        return;
    if (item.isSeparator()) {
        InsertMenuW(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
        return;
    }
    str::strbuffer::StrBuffer shown;
    item.nativeText(shown);
    UINT flags = MF_BYPOSITION | MF_STRING | (item.isChecked() ? MF_CHECKED : MF_UNCHECKED);
    InsertMenuW(menu, static_cast<UINT>(position), flags, static_cast<UINT_PTR>(item.command()),
                wide(shown.text()));
}

void PopupMenu::nativeInsertSubmenu(int32_t position, PopupMenuBase& submenu) {
    HMENU menu = hmenu();
    HMENU child = static_cast<HMENU>(submenu.nativeMenu());
    if (!menu || !child)
        return;
    str::strbuffer::StrBuffer shown;
    submenu.nativeTitle(shown);
    InsertMenuW(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_POPUP | MF_STRING,
                reinterpret_cast<UINT_PTR>(child), wide(shown.text()));
}

void PopupMenu::nativeRemove(int32_t position) {
    // RemoveMenu, not DeleteMenu: a submenu's handle stays alive for its owner to destroy.
    if (HMENU menu = handle_.get())
        RemoveMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
}

void PopupMenu::nativeSetText(int32_t position, const char16_t* text) {
    HMENU menu = handle_.get();
    if (!menu)
        return;
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(wide(text));
    SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
}

void PopupMenu::nativeCheck(int32_t position, bool on) {
    if (HMENU menu = handle_.get())
        CheckMenuItem(menu, static_cast<UINT>(position),
                      MF_BYPOSITION | (on ? MF_CHECKED : MF_UNCHECKED));
}

void PopupMenu::nativeCheckRadio(int32_t checkPos, int32_t firstPos, int32_t lastPos) {
    HMENU menu = handle_.get();
    if (!menu || firstPos > lastPos)
        return;
    if (checkPos >= firstPos && checkPos <= lastPos) {
        CheckMenuRadioItem(menu, static_cast<UINT>(firstPos), static_cast<UINT>(lastPos),
                           static_cast<UINT>(checkPos), MF_BYPOSITION);
        return;
    }
    // No position to mark: every mark in the range goes.
    for (int32_t i = firstPos; i <= lastPos; ++i)
        CheckMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | MF_UNCHECKED);
}

void PopupMenu::nativeEnable(int32_t position, bool on) {
    if (HMENU menu = handle_.get())
        EnableMenuItem(menu, static_cast<UINT>(position),
                       MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
}

}  // namespace s::gui::win

#pragma once

#include <windows.h>

#include <cstdint>

#include "base/pool.h"
#include "gui/menu/popup_menu_base.h"

namespace s::gui::win {

// Owns one native menu handle: destroyed exactly once, by its owner.
class MenuHandle {
public:
    MenuHandle() = default;
    ~MenuHandle() { destroy(); }
    MenuHandle(const MenuHandle&) = delete;
    MenuHandle& operator=(const MenuHandle&) = delete;
    MenuHandle(MenuHandle&& other) noexcept : menu_(other.menu_) { other.menu_ = nullptr; }
    MenuHandle& operator=(MenuHandle&& other) noexcept;

    HMENU get() const { return menu_; }
    // A new popup menu when there is none yet; nullptr when the system refuses.
    HMENU ensurePopup();
    void destroy();
    // Native menus alive in this process that a MenuHandle made (a leak shows here).
    static int32_t liveCount();

private:
    HMENU menu_ = nullptr;
};

// A native popup menu with items and submenus: the tray menu, a window's context menu and
// the drop-down of a menu bar. Each menu owns its own native handle; a submenu's handle is
// detached from its parent before either is destroyed, so no handle is destroyed twice.
// Built before it is given to its window, then used on that window's thread.
class PopupMenu final : public thread::Pooled<PopupMenu, menu::PopupMenuBase> {
public:
    // Holds a native handle: a released menu is deleted, not kept.
    static constexpr int32_t kPoolCapacity = 0;
    static constexpr UINT kTrackAtBottom = TPM_NOANIMATION | TPM_BOTTOMALIGN | TPM_RIGHTBUTTON;
    static constexpr UINT kTrackAtTop = TPM_NOANIMATION | TPM_RIGHTBUTTON;

    PopupMenu() = default;
    ~PopupMenu() override;

    const char16_t* className() const override { return u"s_gui_win_PopupMenu"; }
    PopupMenu* newInstance() const override { return take(); }
    // Entries released (submenus detached first), localizer left, native menu destroyed.
    void reset() override;

    HMENU hmenu() { return handle_.ensurePopup(); }
    void* nativeMenu() override { return hmenu(); }
    void openAt(void* ownerWindow, int32_t screenX, int32_t screenY) override;
    // Shows the menu with its bottom (or top) edge at y; returns when it closed. The chosen
    // command reaches the owner as WM_COMMAND.
    void trackAtBottom(int32_t x, int32_t y, HWND owner);
    void trackAtTop(int32_t x, int32_t y, HWND owner);
    // Opens the menu at a screen point and dispatches the chosen command to this menu's
    // listeners itself, for a menu that none of the owner window's menu slots holds (a
    // list's popup). The owner window's thread.
    void chooseAt(int32_t x, int32_t y, HWND owner);

protected:
    void nativeInsertItem(int32_t position, const MenuItem& item) override;
    void nativeInsertSubmenu(int32_t position, PopupMenuBase& submenu) override;
    void nativeRemove(int32_t position) override;
    void nativeSetText(int32_t position, const char16_t* text) override;
    void nativeCheck(int32_t position, bool on) override;
    void nativeCheckRadio(int32_t checkPos, int32_t firstPos, int32_t lastPos) override;
    void nativeEnable(int32_t position, bool on) override;

private:
    MenuHandle handle_;
};

}  // namespace s::gui::win

#pragma once

#include <cstdint>

namespace s::gui {

// What a window needs of a menu to route commands and open it: the menus implement it.
// Called on the window's thread.
class IMenuTarget {
public:
    virtual ~IMenuTarget() = default;
    // The command is one of this menu's items (or of a submenu).
    virtual bool hasCommand(int32_t command) const = 0;
    // Reports the chosen command to the menu's listeners.
    virtual void dispatchCommand(int32_t command) = 0;
    // The platform menu (an HMENU on Windows); none before it exists.
    virtual void* nativeMenu() = 0;
    // Opens the menu as a popup at the screen point, owned by the platform window.
    virtual void openAt(void* ownerWindow, int32_t screenX, int32_t screenY) = 0;
};

}  // namespace s::gui

#pragma once

#include <cstdint>

namespace s::gui {
class IMenuTarget;
}

namespace s::gui::menu {

// Hands a native menu command to the first of the window's menus that has it: the menu
// bar, then the tray menu, then the context menu (any may be none). Returns the menu that
// dispatched it; none when no menu has the command (the window then does nothing).
IMenuTarget* routeCommand(IMenuTarget* menuBar, IMenuTarget* trayMenu, IMenuTarget* contextMenu,
                          int32_t command);

}  // namespace s::gui::menu

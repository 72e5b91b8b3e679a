#include "gui/menu/command_routing.h"

#include <initializer_list>

#include "gui/i_menu_target.h"

namespace s::gui::menu {

IMenuTarget* routeCommand(IMenuTarget* menuBar, IMenuTarget* trayMenu, IMenuTarget* contextMenu,
                          int32_t command) {
    for (IMenuTarget* menu : {menuBar, trayMenu, contextMenu}) {
        if (menu && menu->hasCommand(command)) {
            menu->dispatchCommand(command);
            return menu;
        }
    }
    return nullptr;
}

}  // namespace s::gui::menu

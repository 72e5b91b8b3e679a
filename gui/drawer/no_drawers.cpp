#include "gui/drawer/skins.h"

namespace s::gui::drawer {

// Builds without a platform painter keep the skins' drawer slots empty.
IDrawer* makeDrawer(DrawerKind, const DrawerColours&) {
    return nullptr;
}

}  // namespace s::gui::drawer

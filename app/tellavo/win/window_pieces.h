#pragma once

#include <cstdint>

namespace s::gui::controls {
class Spacer;
}
namespace s::gui::win {
class Box;
class PopupMenu;
}  // namespace s::gui::win
namespace s::lang {
class Localizer;
}

// Small building pieces the clock window's parts share. Built on the start-up thread before
// the window is shown, or on the window's thread.
namespace s::time::gui::dialogs::tellavo {

// A horizontal box with its children centred vertically and `spacing` between them.
s::gui::win::Box* rowBox(int32_t spacing);
// A fixed horizontal gap.
s::gui::controls::Spacer* gapOf(int32_t width);
// The "About" menu of the menu bar and of the tray menu (Version Information, the web pages).
s::gui::win::PopupMenu* newAboutMenu(lang::Localizer* localizer);

}  // namespace s::time::gui::dialogs::tellavo

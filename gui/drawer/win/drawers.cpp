#include "gui/drawer/skins.h"
#include "gui/drawer/win/button.h"
#include "gui/drawer/win/controls.h"
#include "gui/drawer/win/list.h"
#include "gui/drawer/win/window.h"

namespace s::gui::drawer {
namespace {

template <class T>
IDrawer* made(const DrawerColours& colours) {
    T* d = T::take();
    if (d)
        d->setColours(colours);
    return d;
}

}  // namespace

IDrawer* makeDrawer(DrawerKind kind, const DrawerColours& colours) {
    switch (kind) {
        case DrawerKind::kWindow:
            return made<window::win::Thin>(colours);
        case DrawerKind::kButton:
            return made<button::win::Thin>(colours);
        case DrawerKind::kText:
            return made<text::win::Basic>(colours);
        case DrawerKind::kScrollBar:
            return made<scrollbar::win::Thin>(colours);
        case DrawerKind::kCheckBox:
            return made<checkbox::win::Thin>(colours);
        case DrawerKind::kRadioButton:
            return made<radiobutton::win::Thin>(colours);
        case DrawerKind::kSlider:
            return made<slider::win::Thin>(colours);
        case DrawerKind::kCounter:
            return made<counter::win::Basic>(colours);
        case DrawerKind::kListHeader:
            return made<listheader::win::Thin>(colours);
        case DrawerKind::kListBox:
            return made<listbox::win::Thin>(colours);
        case DrawerKind::kStatusBar:
            return made<statusbar::win::Thin>(colours);
        case DrawerKind::kMenu:
            return made<menu::win::Basic>(colours);
        case DrawerKind::kCombo:
            return made<combo::win::Thin>(colours);
        case DrawerKind::kGroupBox:
            return made<groupbox::win::Thin>(colours);
        case DrawerKind::kTabBox:
            return made<tabbox::win::Thin>(colours);
    }
    return nullptr;
}

}  // namespace s::gui::drawer

#include "app/tellavo/win/window_pieces.h"

#include "app/tellavo/win/clock_window.h"
#include "gui/controls/spacer.h"
#include "gui/menu/menu_item.h"
#include "gui/win/box.h"
#include "gui/win/popup_menu.h"

namespace s::time::gui::dialogs::tellavo {

namespace {

constexpr int32_t kTextAbout = 701000;
constexpr int32_t kTextVersionInformation = 701100;
constexpr int32_t kTextSoftwarePage = 701200;
constexpr int32_t kTextTellDevelopers = 701300;
constexpr int32_t kTextMoreSoftware = 107000;
constexpr int32_t kTextWorkplace = 108100;

}  // namespace

s::gui::win::Box* rowBox(int32_t spacing) {
    s::gui::win::Box* box = s::gui::win::Box::take();
    box->setHorizontalStyle();
    box->setHorizontalSpacing(spacing);
    box->alignMiddle();
    return box;
}

s::gui::controls::Spacer* gapOf(int32_t width) {
    s::gui::controls::Spacer* spacer = s::gui::controls::Spacer::take();
    spacer->setHorizontal();
    spacer->setExactWidth(width);
    return spacer;
}

s::gui::win::PopupMenu* newAboutMenu(lang::Localizer* localizer) {
    using s::gui::menuitem::MenuItem;
    s::gui::win::PopupMenu* about = s::gui::win::PopupMenu::take();
    about->setLocalizer(localizer);
    about->setTitleId(kTextAbout);
    auto item = [localizer](int32_t textId, int32_t command) {
        return MenuItem::localizedItem(textId, localizer, command, false);
    };
    about->addItem(item(kTextVersionInformation, ClockWindow::kVersionInformation));
    about->addItem(MenuItem::separatorItem());
    about->addItem(item(kTextSoftwarePage, ClockWindow::kSoftwarePage));
    about->addItem(item(kTextTellDevelopers, ClockWindow::kTellDevelopers));
    about->addItem(MenuItem::separatorItem());
    about->addItem(item(kTextMoreSoftware, ClockWindow::kMoreSoftware));
    about->addItem(MenuItem::separatorItem());
    about->addItem(item(kTextWorkplace, ClockWindow::kWorkplace));
    return about;
}

}  // namespace s::time::gui::dialogs::tellavo

#include "app/tellavo/win/clock_window.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "app/frame/win/app_base.h"
#include "app/frame/win/app_window.h"
#include "app/tellavo/clock_texts.h"
#include "app/tellavo/dialog.h"
#include "app/tellavo/time_record.h"
#include "app/tellavo/win/clipboard_text.h"
#include "app/tellavo/win/start_up_shortcut.h"
#include "app/tellavo/win/window_pieces.h"
#include "gui/controls/spacer.h"
#include "gui/drawer/i_skin.h"
#include "gui/drawer/skinner.h"
#include "gui/menu/menu_item.h"
#include "gui/win/box.h"
#include "gui/win/button.h"
#include "gui/win/label.h"
#include "gui/win/list_box2.h"
#include "gui/win/menu_ex.h"
#include "gui/win/popup_menu.h"
#include "gui/win/status_bar.h"
#include "gui/win/window.h"
#include "lang/lang_pack.h"
#include "lang/localizer.h"
#include "thread/win/thread.h"
#include "time/clock.h"
#include "time/conversion.h"
#include "time/formatters.h"
#include "time/time_zone.h"
#include "time/zone_database.h"

namespace s::time::gui::dialogs::tellavo {

namespace {

using s::gui::controls::Spacer;
using s::gui::menuitem::MenuItem;
using s::gui::win::Box;
using s::gui::win::Button;
using s::gui::win::Label;
using s::gui::win::MenuEx;
using s::gui::win::PopupMenu;
using s::gui::win::StatusBar;
using s::gui::win::Window;

constexpr int32_t kTextView = 609000;
constexpr int32_t kTextSkin = 609900;
constexpr int32_t kTextLanguage = 700000;
constexpr int32_t kTextTranslate = 700001;
constexpr int32_t kTextKeepOnTop = 609100;
constexpr int32_t kTextMiddleClick = 609200;
constexpr int32_t kTextStartOnBoot = 609500;
constexpr int32_t kTextShowInAmPm = 730000;
constexpr int32_t kTextExit = 751000;
constexpr int32_t kTextOpenWindow = 750000;
constexpr int32_t kTextPickUpTab = 740000;
constexpr int32_t kTextAllZonesTab = 740100;
constexpr int32_t kTextCurrentSystemZone = 5001100;
constexpr int32_t kPageTranslators = 108500;
constexpr int32_t kPageMoreSoftware = 108000;
constexpr int32_t kPageWorkplace = 108200;
constexpr int32_t kFontSmall = 100001;
constexpr int32_t kFontTitle = -104;
constexpr int32_t kCaptionButtonSize = 18;
constexpr int32_t kTabHeight = 17;
constexpr int32_t kIconSize = 16;

Button* pictureButton(const char16_t* glyph, int32_t size) {
    Button* button = Button::take();
    button->setText(glyph);
    button->setExactWidth(size);
    button->setExactHeight(size);
    return button;
}

// The window takes its scheme's background; the children inherit it.
void applySkinBackground(Window& window, s::gui::drawer::Skinner* skinner) {
    s::gui::drawer::ISkin* skin = skinner ? skinner->currentSkin() : nullptr;
    if (skin == nullptr || skin->window() == nullptr)
        return;
    const uint32_t c = skin->window()->backgroundColour();
    window.setBackgroundRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF, true);
    // The scheme's window drawer paints the frame too (not owned: the skin keeps it).
    window.setFrameDrawer(skin->window(), false);
}

}  // namespace

ClockWindow::ClockWindow() = default;

ClockWindow::~ClockWindow() {
    release();
}

const char16_t* ClockWindow::text(int32_t id) {
    lang::Localizer* localizer = dialog_ ? dialog_->localizer() : nullptr;
    return localizer ? localizer->text(id) : u"";
}

bool ClockWindow::build(Dialog& dialog, app::win::AppBase& base, app::win::AppWindow& mainWindow,
                        bool startup) {
    dialog_ = &dialog;
    base_ = &base;
    mainWindow_ = &mainWindow;
    window_ = Window::take();
    if (window_ == nullptr || !window_->isValid())
        return false;
    Window& w = *window_;
    s::gui::drawer::Skinner* skinner = mainWindow.skinner();
    w.setResizable(true);
    w.setClientEdge(false);
    w.setLocalizer(base.localizer());
    w.setSkinner(skinner);
    applySkinBackground(w, skinner);
    if (skinner != nullptr)
        skinner->addListener(this);
    w.setSmallIcon(base.smallIconHandle(), false);
    w.setLargeIcon(base.largeIconHandle(), false);
    w.setTitleIds(base.productTextBase(), -1);
    w.setStateStore(&mainWindow, false);

    trayMenu_ = buildTrayMenu();
    w.setTrayMenu(trayMenu_);

    dialog.readViewSettings();
    dialog.copyTimeTexts();

    Box* root = Box::take();
    root->setFillParent();
    root->setMargin(4);
    root->setVerticalSpacing(2);
    buildMenus();
    buildCaptionRow(*root);
    buildTabRow(*root);

    Box* pages = Box::take();
    pages->setPileStyle();
    pages->setPercentWidth(100, false);
    pages->setPercentHeight(100, false);
    pickUpPage_ = Box::take();
    pickUpPage_->setFillParent();
    allZonesPage_ = Box::take();
    allZonesPage_->setFillParent();
    pages->addChild(pickUpPage_);
    pages->addChild(allZonesPage_);
    root->addChild(pages);

    // Both lists exist before the controller fills them: it skips a list it does not have.
    buildPickUpPage();
    buildPanel();
    buildAllZonesPage();
    dialog.attachLists(pickUpList_, allZonesList_);
    dialog.loadPickUpList();
    readColumnOrder(*pickUpList_, u"View\\PickUpColumnOrder");
    dialog.buildAllZonesList();
    readColumnOrder(*allZonesList_, u"View\\AllColumnOrder");
    buildStatusBar(*root);
    w.addChild(root);

    for (int32_t id : {s::gui::IWindow::kClose, s::gui::IWindow::kTrayRightClick,
                       s::gui::IWindow::kLanguage, s::gui::IWindow::kSize})
        w.addListener(id, this);
    w.setShowInTaskbar(true);
    w.setCloseIconizes(true);
    w.setTrayIconAlways(true);
    w.moveIntoScreen();
    selectPage(true);

    dialog.setTimeLine(this);
    dialog.setIconizedState(this);
    dialog.startUpdateTask(thread::win::Thread::take());

    w.doLayout();
    if (startup) {
        w.setVisible(true, false);
        w.iconize();
    } else {
        w.setVisible(true, true);
    }
    // Texts taken from the localizer at attach time change the natural sizes.
    w.doLayout();
    return true;
}

void ClockWindow::buildMenus() {
    lang::Localizer* localizer = dialog_->localizer();
    s::gui::drawer::Skinner* skinner = mainWindow_->skinner();

    skinMenu_ = PopupMenu::take();
    skinMenu_->setLocalizer(localizer);
    skinMenu_->setTitleId(kTextSkin);
    if (skinner != nullptr) {
        for (int32_t i = 0; i < skinner->count(); ++i)
            skinMenu_->addItem(MenuItem::textItem(skinner->nameAt(i), kSkinBase + i));
        skinMenu_->checkRadioByCommand(kSkinBase + skinner->currentIndex());
    }

    languageMenu_ = PopupMenu::take();
    languageMenu_->setLocalizer(localizer);
    languageMenu_->setTitleId(kTextLanguage);
    const int32_t packs = localizer ? localizer->languageCount() : 0;
    for (int32_t i = 0; i < packs; ++i)
        languageMenu_->addItem(MenuItem::textItem(localizer->languageAt(i)->trueName().text(), i));
    languageMenu_->addItem(MenuItem::separatorItem());
    languageMenu_->addItem(MenuItem::localizedItem(kTextTranslate, localizer, packs, false));
    if (localizer != nullptr)
        languageMenu_->checkRadioByCommand(localizer->indexOf(localizer->currentLanguage()));

    str::StrBuffer shortcut;
    const bool onBoot = startOnBootShortcut(shortcut) && startupShortcutExists(shortcut.text());
    viewMenu_ = PopupMenu::take();
    viewMenu_->setLocalizer(localizer);
    viewMenu_->setTitleId(kTextView);
    viewMenu_->addItem(
        MenuItem::localizedItem(kTextShowInAmPm, localizer, kShowInAmPm, dialog_->showInAmPm()));
    viewMenu_->addItem(MenuItem::separatorItem());
    viewMenu_->addItem(
        MenuItem::localizedItem(kTextKeepOnTop, localizer, kKeepOnTop, mainWindow_->keepOnTop()));
    viewMenu_->addItem(MenuItem::localizedItem(kTextMiddleClick, localizer, kMiddleClick,
                                               mainWindow_->middleClickIconizes()));
    viewMenu_->addItem(MenuItem::localizedItem(kTextStartOnBoot, localizer, kStartOnBoot, onBoot));
    viewMenu_->addItem(MenuItem::separatorItem());
    viewMenu_->addSubmenu(skinMenu_);
    viewMenu_->addSubmenu(languageMenu_);
    viewMenu_->addItem(MenuItem::separatorItem());
    viewMenu_->addItem(MenuItem::localizedItem(kTextExit, localizer, kExit, false));

    PopupMenu* about = newAboutMenu(localizer);

    menuBar_ = MenuEx::standard();
    // As wide as its entries in the current language, not the bar's fixed default.
    menuBar_->setExactWidth(-1);
    menuBar_->addMenuEntry(viewMenu_);
    menuBar_->addMenuEntry(about);
    menuBar_->addListener(this);
}

void ClockWindow::buildCaptionRow(Box& root) {
    Box* caption = rowBox(0);
    caption->setPercentWidth(100, false);
    caption->addChild(menuBar_);

    Box* title = rowBox(3);
    title->setPercentWidth(100, false);
    title->setLeftMargin(8);
    // The program's icon, painted by this window into its box.
    iconBox_ = Box::take();
    iconBox_->setExactWidth(kIconSize, false);
    iconBox_->setExactHeight(kIconSize, false);
    iconBox_->addPaintListener(this);
    title->addChild(iconBox_);
    Label* titleLabel = Label::take();
    titleLabel->setTextId(base_->productTextBase());
    titleLabel->setFontSizeCode(kFontTitle);
    title->addChild(titleLabel);
    caption->addChild(title);
    caption->addChild(gapOf(92));

    minimizeButton_ = pictureButton(u"#_", kCaptionButtonSize);
    maximizeButton_ = pictureButton(u"#\u25A1", kCaptionButtonSize);
    closeButton_ = pictureButton(u"#X", kCaptionButtonSize);
    caption->addChild(minimizeButton_);
    caption->addChild(gapOf(2));
    caption->addChild(maximizeButton_);
    caption->addChild(gapOf(2));
    caption->addChild(closeButton_);
    for (Button* b : {minimizeButton_, maximizeButton_, closeButton_})
        b->addClickListener(this);
    root.addChild(caption);
}

void ClockWindow::buildTabRow(Box& root) {
    Box* tabs = rowBox(2);
    tabs->setPercentWidth(100, false);
    pickUpTab_ = Button::take();
    allZonesTab_ = Button::take();
    retitleTabs();
    for (Button* tab : {pickUpTab_, allZonesTab_}) {
        tab->setToggle(true, false);
        tab->setExactHeight(kTabHeight);
        tab->addClickListener(this);
        tabs->addChild(tab);
    }
    root.addChild(tabs);
}

// The tabs measure their captions as texts, so a language change sets them again.
void ClockWindow::retitleTabs() {
    pickUpTab_->setText(text(kTextPickUpTab));
    allZonesTab_->setText(text(kTextAllZonesTab));
}

void ClockWindow::zoneLineText(str::StrBuffer& out) {
    out.clear();
    const TimeZone* zone = systemZone();
    if (zone == nullptr)
        return;
    out.append(zone->standardName.text(), -1);
    out.append(u": ", -1);
    if (systemAdjustsDaylight()) {
        out.append(u" (", -1);
        out.append(text(kTextDstAutoAdjust), -1);
        out.append(u") ", -1);
    }
    out.append(zone->displayName.text(), -1);
}

void ClockWindow::buildStatusBar(Box& root) {
    StatusBar* statusBar = StatusBar::take();
    statusBar->setPercentWidth(100, false);
    Box* line = rowBox(0);
    line->setPercentWidth(100, false);
    line->alignRight();
    line->setMargin(2);
    zoneLine_ = Label::take();
    zoneLineText(work_);
    zoneLine_->setText(work_.text());
    zoneLine_->setFontSizeCode(kFontSmall);
    timeLine_ = Label::take();
    const int64_t local = systemLocalSeconds(nowSeconds());
    if (dialog_->showInAmPm())
        formatDateTime12(local, work_);
    else
        formatDateTime24(local, work_);
    timeLine_->setText(work_.text());
    timeLine_->setFontSizeCode(kFontSmall);
    line->addChild(zoneLine_);
    line->addChild(gapOf(10));
    line->addChild(timeLine_);
    line->addChild(gapOf(7));
    statusBar->setContent(line);
    root.addChild(statusBar);
}

PopupMenu* ClockWindow::buildTrayMenu() {
    lang::Localizer* localizer = dialog_->localizer();
    PopupMenu* menu = PopupMenu::take();
    menu->setTitle(u"Iconized Popup Menu");
    menu->setLocalizer(localizer);
    bool anyPlace = false;
    {
        thread::Locked guard(dialog_->lock());
        const col::ArrayP& records = dialog_->pickUpRecords();
        const int64_t now = nowSeconds();
        for (int32_t k = 0; k < records.count(); ++k) {
            const TimeRecord* record = records.getAs<TimeRecord>(k);
            if (record == nullptr || !record->checked || record->zone == nullptr)
                continue;
            work_.setText(record->name.text());
            work_.append(u"\t", -1);
            str::StrBuffer when;
            const int64_t local = zoneLocalSeconds(record->zone, now, record->dstMode == 2);
            if (dialog_->showInAmPm())
                formatDateTimeShort12(local, when);
            else
                formatDateTimeShort24(local, when);
            work_.append(when.text(), -1);
            menu->addItem(MenuItem::textItem(work_.text(), kPlaceBase + k));
            anyPlace = true;
        }
    }
    if (anyPlace)
        menu->addItem(MenuItem::separatorItem());
    menu->addItem(MenuItem::localizedItem(kTextOpenWindow, localizer, kOpenWindow, false));
    menu->addItem(MenuItem::separatorItem());
    PopupMenu* about = newAboutMenu(localizer);
    menu->addSubmenu(about);
    menu->addItem(MenuItem::separatorItem());
    menu->addItem(MenuItem::localizedItem(kTextExit, localizer, kTrayExit, false));
    menu->addListener(this);
    return menu;
}

void ClockWindow::paintIcon() {
    HDC dc = static_cast<HDC>(iconBox_->paintDC());
    if (dc == nullptr)
        return;
    RECT client;
    GetClientRect(iconBox_->hwnd(), &client);
    HBRUSH brush = CreateSolidBrush(iconBox_->backgroundColor());
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    if (HICON icon = static_cast<HICON>(base_->smallIconHandle()))
        DrawIconEx(dc, 0, (client.bottom - kIconSize) / 2, icon, kIconSize, kIconSize, 0, nullptr,
                   DI_NORMAL);
    iconBox_->skipDefaultPaint();
}

void ClockWindow::waitUntilClosed() {
    if (window_ != nullptr)
        window_->waitUntilClosed();
}

void ClockWindow::release() {
    if (dialog_ != nullptr) {
        // The task writes the lists and the time line: it ends before they go.
        dialog_->stopUpdateTask();
        dialog_->setTimeLine(nullptr);
        dialog_->setIconizedState(nullptr);
    }
    if (mainWindow_ != nullptr && mainWindow_->skinner() != nullptr)
        mainWindow_->skinner()->removeListener(this);
    about_.release();
    if (window_ != nullptr) {
        window_->setTrayMenu(nullptr);
        window_->release();
        window_ = nullptr;
    }
    if (dialog_ != nullptr)
        dialog_->attachLists(nullptr, nullptr);
    for (s::gui::win::PopupMenu** menu : {&trayMenu_, &pickUpPopup_, &allZonesPopup_}) {
        if (*menu != nullptr)
            (*menu)->release();
        *menu = nullptr;
    }
    for (s::gui::win::ListBox2** list : {&pickUpList_, &allZonesList_}) {
        if (*list != nullptr)
            (*list)->release();
        *list = nullptr;
    }
    pickUpHost_ = allZonesHost_ = nullptr;
    panelArrow_ = panelButton_ = deleteButton_ = addButton_ = applyButton_ = clearButton_ = nullptr;
    panelBox_ = checkRow_ = nullptr;
    nameField_ = nullptr;
    zoneChoice_ = nullptr;
    dstCheck_ = nullptr;
    editedRecord_ = nullptr;
    panelOpen_ = false;
    addToPickUpButton_ = nullptr;
    menuBar_ = nullptr;
    viewMenu_ = skinMenu_ = languageMenu_ = nullptr;
    closeButton_ = maximizeButton_ = minimizeButton_ = nullptr;
    pickUpTab_ = allZonesTab_ = nullptr;
    pickUpPage_ = allZonesPage_ = nullptr;
    zoneLine_ = timeLine_ = nullptr;
    iconBox_ = nullptr;
    dialog_ = nullptr;
}

void ClockWindow::showText(const char16_t* text) {
    if (timeLine_ != nullptr)
        timeLine_->setText(text);
}

bool ClockWindow::isIconized() const {
    return window_ != nullptr && window_->isIconized();
}

void ClockWindow::selectPage(bool pickUp) {
    pickUpTab_->setDown(pickUp);
    allZonesTab_->setDown(!pickUp);
    pickUpPage_->setVisible(pickUp, true);
    allZonesPage_->setVisible(!pickUp, true);
}

void ClockWindow::onEvent(base::IObject* source, int32_t eventId) {
    if (window_ == nullptr)
        return;
    Window& w = *window_;
    if (source == static_cast<base::IObject*>(&w)) {
        switch (eventId) {
            case s::gui::IWindow::kClose:
                dialog_->requestStop();
                storeColumnOrder(*pickUpList_, u"View\\PickUpColumnOrder");
                storeColumnOrder(*allZonesList_, u"View\\AllColumnOrder");
                return;
            case s::gui::IWindow::kTrayRightClick: {
                PopupMenu* previous = trayMenu_;
                trayMenu_ = buildTrayMenu();
                w.setTrayMenu(trayMenu_);
                if (previous != nullptr)
                    previous->release();
                return;
            }
            case s::gui::IWindow::kLanguage:
                dialog_->applyLanguageChange();
                zoneLineText(work_);
                zoneLine_->setText(work_.text());
                retitleTabs();
                // The window hears the language first: the bar takes its new texts (and
                // widths) before the caption row is laid out again.
                menuBar_->retranslate();
                w.doLayout();
                return;
            case s::gui::IWindow::kSize:
                if (w.isMaximized()) {
                    maximizeButton_->setText(u"#\u2199");
                    maximizedGlyph_ = true;
                } else if (maximizedGlyph_) {
                    maximizeButton_->setText(u"#\u25A1");
                    maximizedGlyph_ = false;
                }
                return;
            default:
                return;
        }
    }
    s::gui::drawer::Skinner* skinner = mainWindow_ ? mainWindow_->skinner() : nullptr;
    if (skinner != nullptr && source == static_cast<base::IObject*>(skinner)) {
        applySkinBackground(w, skinner);
        return;
    }
    if (listEvent(source, eventId) || panelEvent(source, eventId))
        return;
    if (iconBox_ != nullptr && source == static_cast<base::IObject*>(iconBox_)) {
        paintIcon();
        return;
    }
    if (source == static_cast<base::IObject*>(closeButton_)) {
        w.iconize();
    } else if (source == static_cast<base::IObject*>(maximizeButton_)) {
        if (w.isMaximized())
            w.restore();
        else
            w.maximize();
    } else if (source == static_cast<base::IObject*>(minimizeButton_)) {
        w.minimize();
    } else if (source == static_cast<base::IObject*>(pickUpTab_)) {
        selectPage(true);
    } else if (source == static_cast<base::IObject*>(allZonesTab_)) {
        selectPage(false);
    } else if (source == static_cast<base::IObject*>(menuBar_)) {
        command(menuBar_->lastCommand());
    } else if (source == static_cast<base::IObject*>(trayMenu_)) {
        trayCommand(trayMenu_->lastCommand());
    }
}

void ClockWindow::command(int32_t id) {
    Window& w = *window_;
    lang::Localizer* localizer = dialog_->localizer();
    const int32_t packs = localizer ? localizer->languageCount() : 0;
    s::gui::drawer::Skinner* skinner = mainWindow_->skinner();
    if (id >= 0 && id < packs) {
        localizer->selectLanguageAt(id);
        languageMenu_->checkRadioByCommand(id);
        return;
    }
    if (id == packs) {
        openWebPage(kPageTranslators);
        return;
    }
    if (skinner != nullptr && id >= kSkinBase && id < kSkinBase + skinner->count()) {
        skinner->selectByIndex(id - kSkinBase);
        skinMenu_->checkRadioByCommand(id);
        w.redraw();
        return;
    }
    switch (id) {
        case kKeepOnTop: {
            const bool on = !viewMenu_->isChecked(kKeepOnTop);
            viewMenu_->setChecked(kKeepOnTop, on);
            w.setKeepOnTop(on);
            return;
        }
        case kMiddleClick: {
            const bool on = !viewMenu_->isChecked(kMiddleClick);
            viewMenu_->setChecked(kMiddleClick, on);
            w.setMiddleClickAction(on ? app::IAppWindow::kIconize : app::IAppWindow::kDoNothing);
            return;
        }
        case kStartOnBoot:
            toggleStartOnBoot();
            return;
        case kShowInAmPm: {
            const bool on = !viewMenu_->isChecked(kShowInAmPm);
            viewMenu_->setChecked(kShowInAmPm, on);
            dialog_->setShowInAmPm(on);
            return;
        }
        case kExit:
            w.close();
            return;
        default:
            trayCommand(id);
            return;
    }
}

void ClockWindow::trayCommand(int32_t id) {
    Window& w = *window_;
    const int32_t base = base_->productTextBase();
    switch (id) {
        case kOpenWindow:
            if (w.isIconized()) {
                w.restore();
                w.activate(true);
            } else {
                w.iconize();
            }
            return;
        case kTrayExit:
            w.close();
            return;
        case kVersionInformation:
            about_.show(*base_, window_);
            return;
        case kSoftwarePage:
            openWebPage(base + 3);
            return;
        case kTellDevelopers:
            openWebPage(base + 4);
            return;
        case kMoreSoftware:
            openWebPage(kPageMoreSoftware);
            return;
        case kWorkplace:
            openWebPage(kPageWorkplace);
            return;
        default:
            if (id >= kPlaceBase && id < kPlaceBase + 1000)
                copyTrayLine(id);
            return;
    }
}

void ClockWindow::copyTrayLine(int32_t id) {
    MenuItem* item = trayMenu_ ? trayMenu_->itemByCommand(id) : nullptr;
    if (item == nullptr)
        return;
    work_.clear();
    for (const char16_t* p = item->text(); *p; ++p) {
        const char16_t unit = *p == u'\t' ? u' ' : *p;
        work_.append(&unit, 1);
    }
    collapseTripleSpaces(work_);
    putClipboardText(window_->hwnd(), work_.text());
}

void ClockWindow::openWebPage(int32_t textId) {
    const char16_t* url = text(textId);
    if (url == nullptr || *url == 0)
        return;
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC;
    info.lpVerb = L"open";
    info.lpFile = reinterpret_cast<const wchar_t*>(url);
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&info);
}

bool ClockWindow::startOnBootShortcut(str::StrBuffer& path) {
    lang::Localizer* localizer = dialog_->localizer();
    if (localizer == nullptr)
        return false;
    const int32_t base = base_->productTextBase();
    return startupShortcutPath(localizer->englishText(base), localizer->text(base + 10), path);
}

void ClockWindow::toggleStartOnBoot() {
    const bool on = !viewMenu_->isChecked(kStartOnBoot);
    str::StrBuffer path;
    if (startOnBootShortcut(path)) {
        if (on)
            createStartupShortcut(path.text(), base_->executablePath(), u"-startup");
        else
            DeleteFileW(reinterpret_cast<const wchar_t*>(path.text()));
    }
    // The mark shows what is true now, not what was asked for.
    viewMenu_->setChecked(kStartOnBoot, startupShortcutExists(path.text()));
}

}  // namespace s::time::gui::dialogs::tellavo

#pragma once

#include <cstdint>

#include "app/frame/win/about_host.h"
#include "app/tellavo/clock_window_seams.h"
#include "base/event_listener.h"
#include "base/str_buffer.h"

namespace s::app::win {
class AppBase;
class AppWindow;
}  // namespace s::app::win
namespace s::gui::controls {
class Spacer;
}
namespace s::gui::win {
class Box;
class Button;
class CheckBox;
class ComboBox;
class TextField;
class Label;
class ListBox2;
class ListBox2Control;
class MenuEx;
class PopupMenu;
class StatusBar;
class Window;
}  // namespace s::gui::win

namespace s::time {
class TimeZone;
}

namespace s::time::gui::dialogs::tellavo {

class Dialog;
class TimeRecord;

// The clock window: the caption row with its menus and picture buttons, the two tabs, the
// page box and the status bar with the zone line and the time line. It is the listener of
// its components and turns their events into the controller's commands.
//
// Threads: built and released on the start-up thread; events arrive on the window's
// thread; showText() and isIconized() are called by the update task on its own thread.
class ClockWindow final : public s::gui::events::IEventListener,
                          public ITimeLine,
                          public IIconizedState {
public:
    // Menu command ids.
    static constexpr int32_t kKeepOnTop = 100;
    static constexpr int32_t kMiddleClick = 110;
    static constexpr int32_t kStartOnBoot = 140;
    static constexpr int32_t kSkinBase = 200;
    static constexpr int32_t kShowInAmPm = 700;
    static constexpr int32_t kOpenWindow = 900;
    static constexpr int32_t kTrayExit = 990;
    static constexpr int32_t kExit = 999;
    static constexpr int32_t kVersionInformation = 10000;
    static constexpr int32_t kSoftwarePage = 10100;
    static constexpr int32_t kTellDevelopers = 10200;
    static constexpr int32_t kMoreSoftware = 10900;
    static constexpr int32_t kWorkplace = 10950;
    static constexpr int32_t kPlaceBase = 2000;

    ClockWindow();
    ~ClockWindow() override;
    ClockWindow(const ClockWindow&) = delete;
    ClockWindow& operator=(const ClockWindow&) = delete;

    // Builds the window inside the main window's state store, starts the update task and
    // shows the window (with `startup`: shown without activation and iconized at once).
    // False when the window could not be made.
    bool build(Dialog& dialog, app::win::AppBase& base, app::win::AppWindow& mainWindow,
               bool startup);
    // Blocks until the window has been closed ("Exit"), pumping nothing of its own: the
    // window has its own thread.
    void waitUntilClosed();
    // Stops the update task and releases the window and every component.
    void release();

    s::gui::win::Window* window() const { return window_; }

    void onEvent(base::IObject* source, int32_t eventId) override;
    void showText(const char16_t* text) override;
    bool isIconized() const override;

private:
    void buildCaptionRow(s::gui::win::Box& root);
    void buildTabRow(s::gui::win::Box& root);
    void buildStatusBar(s::gui::win::Box& root);
    // The two lists, their pages and popups (clock_window_lists.cpp).
    void buildPickUpPage();
    void buildAllZonesPage();
    void readColumnOrder(s::gui::win::ListBox2& list, const char16_t* path);
    void storeColumnOrder(s::gui::win::ListBox2& list, const char16_t* path);
    bool listEvent(base::IObject* source, int32_t eventId);
    void copySelection();
    void deleteSelection();
    // The entry-editing panel (clock_window_panel.cpp).
    void buildPanel();
    bool panelEvent(base::IObject* source, int32_t eventId);
    int32_t systemZoneDatum() const;
    void showCheckRowFor(int32_t datum);
    void togglePanel();
    void clearPanel();
    void showSelectedRecord();
    int32_t chosenDatum() const;
    void panelZoneAndMode(const TimeZone*& zone, int32_t& mode) const;
    void zoneChosen();
    void panelChanged();
    void nameChanged();
    void addAsNew();
    void applyChanges();
    void deleteEdited();
    void buildMenus();
    s::gui::win::PopupMenu* buildTrayMenu();
    void retitleTabs();
    void paintIcon();
    void zoneLineText(str::StrBuffer& out);
    void command(int32_t id);
    void trayCommand(int32_t id);
    void selectPage(bool pickUp);
    void openWebPage(int32_t textId);
    void copyTrayLine(int32_t id);
    void toggleStartOnBoot();
    bool startOnBootShortcut(str::StrBuffer& path);
    const char16_t* text(int32_t id);

    Dialog* dialog_ = nullptr;                    // not owned
    app::win::AppBase* base_ = nullptr;           // not owned
    app::win::AppWindow* mainWindow_ = nullptr;   // not owned
    s::gui::win::Window* window_ = nullptr;       // owned
    s::gui::win::MenuEx* menuBar_ = nullptr;      // owned by the window's children
    s::gui::win::PopupMenu* viewMenu_ = nullptr;  // owned by the menu bar
    s::gui::win::PopupMenu* skinMenu_ = nullptr;
    s::gui::win::PopupMenu* languageMenu_ = nullptr;
    s::gui::win::PopupMenu* trayMenu_ = nullptr;  // owned
    s::gui::win::Button* closeButton_ = nullptr;
    s::gui::win::Button* maximizeButton_ = nullptr;
    s::gui::win::Button* minimizeButton_ = nullptr;
    s::gui::win::Button* pickUpTab_ = nullptr;
    s::gui::win::Button* allZonesTab_ = nullptr;
    s::gui::win::Box* pickUpPage_ = nullptr;
    s::gui::win::Box* allZonesPage_ = nullptr;
    s::gui::win::ListBox2* pickUpList_ = nullptr;         // owned
    s::gui::win::ListBox2* allZonesList_ = nullptr;       // owned
    s::gui::win::ListBox2Control* pickUpHost_ = nullptr;  // owned by its page
    s::gui::win::ListBox2Control* allZonesHost_ = nullptr;
    s::gui::win::PopupMenu* pickUpPopup_ = nullptr;    // owned
    s::gui::win::PopupMenu* allZonesPopup_ = nullptr;  // owned
    s::gui::win::Button* addToPickUpButton_ = nullptr;
    s::gui::win::Button* panelArrow_ = nullptr;
    s::gui::win::Button* panelButton_ = nullptr;
    s::gui::win::Box* panelBox_ = nullptr;
    s::gui::win::Box* checkRow_ = nullptr;
    s::gui::win::TextField* nameField_ = nullptr;
    s::gui::win::ComboBox* zoneChoice_ = nullptr;
    s::gui::win::CheckBox* dstCheck_ = nullptr;
    s::gui::win::Button* deleteButton_ = nullptr;
    s::gui::win::Button* addButton_ = nullptr;
    s::gui::win::Button* applyButton_ = nullptr;
    s::gui::win::Button* clearButton_ = nullptr;
    TimeRecord* editedRecord_ = nullptr;  // not owned: a pick-up record
    bool panelOpen_ = false;
    s::gui::win::Box* iconBox_ = nullptr;
    s::gui::win::Label* zoneLine_ = nullptr;
    s::gui::win::Label* timeLine_ = nullptr;
    app::win::AboutHost about_;  // its window lives until release(), before the clock window's
    bool maximizedGlyph_ = false;
    str::StrBuffer work_;
};

}  // namespace s::time::gui::dialogs::tellavo

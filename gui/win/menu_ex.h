#pragma once

#include <windows.h>

#include <cstdint>

#include "base/array.h"
#include "base/pool.h"
#include "gui/component.h"
#include "gui/i_menu_target.h"
#include "gui/listener_list.h"
#include "gui/menu/menu_bar_logic.h"
#include "gui/win/font.h"
#include "gui/win/window_class.h"

namespace s::gui::menuitem {
class MenuItem;
}

namespace s::gui::win {

class PopupMenu;

// The skinned menu bar: a row of titles, each a command entry or a popup that drops down
// below it; the open drop-down follows the mouse along the bar. Beside the entries the bar
// is transparent to the mouse. The containing window's thread.
class MenuEx final : public thread::Pooled<MenuEx, ComponentOf<IComponent>>,
                     public IMenuTarget,
                     private menu::IMenuBarHost,
                     private IMessageTarget {
public:
    static constexpr int32_t kPoolCapacity = 0;
    enum Event : int32_t { kCommand = 0, kOpening = 1 };
    static constexpr UINT_PTR kFollowTimer = 1;
    static constexpr UINT kFollowMs = 10;

    MenuEx();
    ~MenuEx() override;
    const char16_t* className() const override { return u"s_gui_win_MenuEx"; }
    MenuEx* newInstance() const override { return take(); }
    void reset() override;
    // A bar 150 pixels wide with inner margins 6 and 3.
    static MenuEx* standard();

    HWND hwnd() const { return static_cast<HWND>(native_); }
    // Owned from now on.
    void addCommandEntry(menuitem::MenuItem* item);
    void addMenuEntry(PopupMenu* popup);
    int32_t entryCount() const { return entries_.count(); }
    // The entry's rectangle in the bar (false out of range).
    bool entryRect(int32_t entry, RECT& out) const;
    bool hasCommand(int32_t command) const override;
    bool isChecked(int32_t command) const;
    bool setChecked(int32_t command, bool on);
    int32_t lastCommand() const { return lastCommand_; }
    void addListener(events::IEventListener* l) { listeners_.add(l); }
    void addActionListener(events::IEventListener* l) override { addListener(l); }
    // Told (event 1) before a drop-down opens.
    void addOpenListener(events::IEventListener* l) { openListeners_.add(l); }
    void dispatchCommand(int32_t command) override;
    void* nativeMenu() override { return nullptr; }
    void openAt(void*, int32_t, int32_t) override {}
    void retranslate();

    void setInnerMargins(int32_t horizontal, int32_t vertical);
    Font& font() { return *font_; }
    void setFontSizeCode(int32_t code);
    void setPercentWidth(int32_t percent) { percentWidth_ = percent; }
    void setPercentHeight(int32_t percent) { percentHeight_ = percent; }
    void setExactWidth(int32_t width) { exactWidth_ = width; }
    void setExactHeight(int32_t height) { exactHeight_ = height; }
    void setIgnoreMinimumWidth(bool on) { ignoreMinimumWidth_ = on; }
    void setWholeBarIsOneEntry(bool on) { wholeBar_ = on; }
    void setHoverOpens(bool on) { logic_.setHoverOpens(on); }
    void setLastEntryAtRight(bool on);
    const menu::MenuBarLogic& logic() const { return logic_; }

    int32_t minimumWidth() const override;
    int32_t minimumHeight() const override;
    int32_t maximumWidth() const override;
    int32_t maximumHeight() const override;
    void redraw() override;
    void onEvent(base::IObject* source, int32_t eventId) override;

    bool handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                       intptr_t lparam) override;
    void afterMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                      intptr_t lparam) override;

protected:
    void createNative() override;
    void destroyNative() override;
    void placeNative(uint32_t what) override;
    void geometryChanged() override;

private:
    // IMenuBarHost
    void openDropDown(int32_t entry) override;
    void closeDropDown() override;
    void captureMouse(bool on) override;
    void repaint() override { redraw(); }
    void commandEntryChosen(int32_t entry) override;

    void relayoutEntries();
    void paint(HDC dc, int32_t width, int32_t height);
    PopupMenu* popupAt(int32_t entry) const;
    menuitem::MenuItem* itemAt(int32_t entry) const;
    const char16_t* entryText(int32_t entry) const;
    void followCursor();

    menu::MenuBarLogic logic_{*this};
    col::_array::ArrayP entries_;  // MenuItem* or PopupMenu*, owned
    col::_array::ArrayU08 isPopup_;
    Font* font_;  // owned
    ListenerList listeners_, openListeners_;
    int32_t lastCommand_ = -1;
    int32_t marginX_ = 6, marginY_ = 3;
    int32_t percentWidth_ = -1, percentHeight_ = -1, exactWidth_ = -1, exactHeight_ = -1;
    bool ignoreMinimumWidth_ = false, wholeBar_ = false, lastAtRight_ = false;
    bool tracking_ = false, reopen_ = false;
};

}  // namespace s::gui::win

#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "base/array.h"
#include "base/pool.h"
#include "base/str_array.h"
#include "base/str_buffer.h"
#include "gui/component.h"
#include "gui/i_window.h"
#include "gui/listener_list.h"
#include "gui/win/invisible_window.h"
#include "gui/win/messages.h"
#include "gui/win/ui_thread.h"
#include "gui/win/window_class.h"
#include "thread/win/handle.h"

namespace s::gui::win {

// A top-level window with its hidden owner and its own user-interface thread.
// Threads: taken from its pool and released on the application's thread (never on its own
// thread); every other operation may be called from any thread: native work and layout are
// handed to the window's thread (runOnWindowThread), where all messages, events and
// listeners run.
class Window final : public thread::Pooled<Window, ComponentOf<IWindow>>,
                     public IUIThreadClient,
                     private IMessageTarget {
public:
    // Holds a native window and a thread: never kept for reuse.
    static constexpr int32_t kPoolCapacity = 0;

    // Starts the thread and waits until it reports "creation finished" (success or not).
    Window();
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    const char16_t* className() const override { return u"s_gui_win_Window"; }
    Window* newInstance() const override { return take(); }
    // Hides, clears the lists and children, destroys the native windows, ends the thread.
    void reset() override;
    // As reset(); a window whose thread did not end within the stop timeout (or that is
    // released on its own thread) is left alive for that thread instead of being freed.
    void release() override;

    // The native windows exist (creation succeeded and they were not destroyed yet).
    bool isValid() const { return hwnd_ != nullptr; }
    HWND hwnd() const { return hwnd_.load(); }
    HWND ownerHwnd() const { return owner_.hwnd(); }
    DWORD threadId() const { return thread_.threadId(); }
    // The user-interface thread has ended (after release, or after a failed creation).
    bool threadEnded() const { return thread_.hasEnded(); }
    // The next `count` windows fail their native creation (tests of the failure path).
    static void failNativeCreationForTesting(int32_t count);

    // --- hand-over ---
    bool isWindowThread() const override { return thread_.isCurrent(); }
    void runOnWindowThread(void (*operation)(void*), void* block) override;

    // --- IComponent ---
    void onEvent(base::IObject* source, int32_t eventId) override;
    int32_t screenX() const override { return x_; }
    int32_t screenY() const override { return y_; }
    int32_t clientWidth() const override;
    int32_t clientHeight() const override;
    void setVisible(bool show, bool activate) override;
    bool isVisible() const override { return visible_; }
    void setEnabled(bool enabled) override;
    void centerOnScreen() override;
    int32_t minimumWidth() const override;
    int32_t minimumHeight() const override;
    int32_t maximumWidth() const override;
    int32_t maximumHeight() const override;
    IWindow* window() const override { return const_cast<Window*>(this); }
    void* nativeHandle() const override { return hwnd_.load(); }
    void attach(IComponent* /*parent*/) override {}
    void addChild(IComponent* child) override;
    void removeChild(IComponent* child, bool recursive) override;
    void removeAllChildren(bool recursive) override;
    bool isContainer() const override { return true; }
    void redrawRect(int32_t x, int32_t y, int32_t w, int32_t h) override;
    void redraw() override;
    void resizeClamped(int32_t /*w*/, int32_t /*h*/) override {}
    void relayout() override { doLayout(); }
    int32_t childCount() const override { return children_.count(); }
    IComponent* childAt(int32_t index) const override;
    col::_array::ArrayP* children() override { return &children_; }
    void move(int32_t x, int32_t y) override;
    void resize(int32_t width, int32_t height) override;
    void setBounds(int32_t x, int32_t y, int32_t width, int32_t height) override;

    // --- IContainer ---
    void doLayout() override;
    ILayoutManager* layoutManager() const override;
    void setLayoutManager(ILayoutManager* manager) override { manager_ = manager; }

    // --- IWindow ---
    void setScreenX(int32_t x) override { setX(x); }
    void setScreenY(int32_t y) override { setY(y); }
    bool isClosed() const override { return closed_.load(); }
    void close() override;
    void cancelClose() override { closeCancelled_ = true; }
    void waitUntilClosed() override;

    void activate(bool on) override;
    bool isMinimized() const override;
    void minimize() override;
    bool isMaximized() const override;
    void maximize() override;
    void restore() override;
    void showNormal() override;
    void iconize() override;
    bool isIconized() const override { return iconized_; }

    void setEasyDrag(bool on) override { easyDrag_ = on; }
    void setMaximizeBox(bool on) override { setStyleBits(WS_MAXIMIZEBOX, on, false); }
    void setMinimizeBox(bool on) override { setStyleBits(WS_MINIMIZEBOX, on, false); }
    void setSystemMenu(bool on) override { setStyleBits(WS_SYSMENU, on, false); }
    void setCaption(bool on) override { setStyleBits(WS_CAPTION, on, false); }
    void setToolWindow(bool on) override { setStyleBits(WS_EX_TOOLWINDOW, on, true); }
    void setCustomFrameStyle(bool on) override;
    void setClientEdge(bool on) override { setStyleBits(WS_EX_CLIENTEDGE, on, true); }
    void setShowInTaskbar(bool on) override;

    void showTrayIcon(bool on) override;
    void updateTrayIcon() override;
    void setTrayIconAlways(bool on) override;
    bool isTrayIconShown() const override { return trayShown_; }
    bool isTrayIconAlways() const { return trayAlways_; }
    bool isResizable() const override { return resizable_; }
    void setResizable(bool on) override;
    void setTrayIconWhileVisible(bool on) override;
    void setCloseIconizes(bool on) override { closeIconizes_ = on; }
    void setInputBlocked(bool blocked) override;
    void setKeepOnTop(bool on) override;
    bool isKeepOnTop() const override { return keepOnTop_; }

    const char16_t* title() const override { return title_.text(); }
    void setTitle(const char16_t* text) override;
    void setTitleIds(int32_t titleId, int32_t versionId) override;
    void* smallIcon() const override { return smallIcon_; }
    void setSmallIcon(void* icon, bool owned) override;
    void* largeIcon() const override { return largeIcon_; }
    void setLargeIcon(void* icon, bool owned) override;
    bool hasLocalizer() const override { return localizer_ != nullptr; }
    lang::Localizer* localizer() const override { return localizer_; }
    void setLocalizer(lang::Localizer* localizer) override;
    bool hasSkinner() const override { return skinner_ != nullptr; }
    drawer::Skinner* skinner() const override { return skinner_; }
    void setSkinner(drawer::Skinner* skinner) override;
    void addCloseTrigger(IComponent* component) override;

    void addCloseListener(events::IEventListener* l) override { addListener(kClose, l); }
    void addRightDownListener(events::IEventListener* l) override { addListener(kRightDown, l); }
    void addLeftDownListener(events::IEventListener* l) override { addListener(kLeftDown, l); }
    void addRightUpListener(events::IEventListener* l) override { addListener(kRightUp, l); }
    void addLeftUpListener(events::IEventListener* l) override { addListener(kLeftUp, l); }
    void addTrayClickListener(events::IEventListener* l) override { addListener(kTrayClick, l); }
    void addDoubleClickListener(events::IEventListener* l) override {
        addListener(kDoubleClick, l);
    }
    void addMiddleDownListener(events::IEventListener* l) override { addListener(kMiddleDown, l); }
    void addSizeListener(events::IEventListener* l) override { addListener(kSize, l); }
    void addActivateListener(events::IEventListener* l) override { addListener(kActivate, l); }
    void addDeactivateListener(events::IEventListener* l) override { addListener(kDeactivate, l); }
    void addPosChangingListener(events::IEventListener* l) override {
        addListener(kPosChanging, l);
    }
    void addMovedListener(events::IEventListener* l) override { addListener(kMoved, l); }
    void addKeyListener(events::IEventListener* l) override { addListener(kKey, l); }
    void addTrayRightClickListener(events::IEventListener* l) override {
        addListener(kTrayRightClick, l);
    }
    void addContextMenuListener(events::IEventListener* l) override {
        addListener(kContextMenu, l);
    }
    void addRestoreListener(events::IEventListener* l) override { addListener(kRestore, l); }
    void addListener(int32_t eventId, events::IEventListener* listener) override;

    void setMenuBar(IMenuTarget* menu) override;
    void setTrayMenu(IMenuTarget* popup) override { trayMenu_ = popup; }

    intptr_t sendRect(int32_t a, int32_t b, int32_t c, int32_t d) override;
    bool postRect(int32_t a, int32_t b, int32_t c, int32_t d) override;
    int32_t rectA() const override { return rect_.a; }
    int32_t rectB() const override { return rect_.b; }
    int32_t rectC() const override { return rect_.c; }
    int32_t rectD() const override { return rect_.d; }
    void setRectResult(intptr_t result) override { rectResult_ = result; }
    void addRectMessageListener(events::IEventListener* l) override {
        addListener(kRectMessage, l);
    }

    void setFocus() override;
    void setContextMenu(IMenuTarget* popup, bool /*flag*/) override { contextMenu_ = popup; }

    int32_t sizingEdge() const override { return sizingEdge_; }
    bool isSizingLeft() const override { return sizingEdge_ == 1; }
    bool isSizingRight() const override { return sizingEdge_ == 2; }
    bool isSizingTop() const override { return sizingEdge_ == 3; }
    bool isSizingBottom() const override { return sizingEdge_ == 4; }
    bool isSizingTopLeft() const override { return sizingEdge_ == 5; }
    bool isSizingTopRight() const override { return sizingEdge_ == 6; }
    bool isSizingBottomLeft() const override { return sizingEdge_ == 7; }
    bool isSizingBottomRight() const override { return sizingEdge_ == 8; }
    int32_t sizingLeft() const override { return sizingRect_.left; }
    void setSizingLeft(int32_t v) override { sizingRect_.left = v; }
    int32_t sizingRight() const override { return sizingRect_.right; }
    void setSizingRight(int32_t v) override { sizingRect_.right = v; }
    int32_t sizingTop() const override { return sizingRect_.top; }
    void setSizingTop(int32_t v) override { sizingRect_.top = v; }
    int32_t sizingBottom() const override { return sizingRect_.bottom; }
    void setSizingBottom(int32_t v) override { sizingRect_.bottom = v; }
    void addSizingListener(events::IEventListener* l) override { addListener(kSizing, l); }

    void setFrameDrawer(drawer::IWindowDrawer* drawer, bool owned) override;
    void setKeepMinimumSize(bool on) override { keepMinimumWidth_ = keepMinimumHeight_ = on; }
    void setKeepMinimumSize(int32_t width, int32_t height) override;

    int32_t lastKey() const override { return lastKey_; }
    void addMouseMoveListener(events::IEventListener* l) override { addListener(kMouseMove, l); }
    void addWheelListener(events::IEventListener* l) override { addListener(kWheel, l); }
    int32_t wheelLines() const override { return wheelLines_; }
    int32_t frameWidth() const override;
    int32_t frameHeight() const override;
    void setMinimumWidth(int32_t width) override { explicitMinWidth_ = width < 0 ? -1 : width; }
    void setMinimumHeight(int32_t height) override {
        explicitMinHeight_ = height < 0 ? -1 : height;
    }
    void focusNext() override;

    void showInformation(const char16_t* text) override;
    void showError(const char16_t* text) override;
    bool askYesNo(const char16_t* text) override;

    void setStateStore(IWindowStateStore* store, bool showVersion) override;
    IWindowStateStore* stateStore() const override { return stateStore_; }
    void addWakeListener(events::IEventListener* l) override { addListener(kWake, l); }
    void setCheckOnScreen(bool on) override { checkOnScreen_ = on; }
    void setConfineToScreen(bool on) override { confineToScreen_ = on; }
    void setPassDoubleClicks(bool on) override { passDoubleClicks_ = on; }
    void setTrayClickToggles(bool on) override { trayClickToggles_ = on; }
    void beginDrag() override;
    int32_t dragEndX() const override { return dragEnd_.x; }
    int32_t dragEndY() const override { return dragEnd_.y; }
    void addDragEndListener(events::IEventListener* l) override { addListener(kDragEnd, l); }
    void addLanguageListener(events::IEventListener* l) override { addListener(kLanguage, l); }
    bool isSuspended() const override { return suspended_; }
    bool isShuttingDown() const override { return shuttingDown_; }
    void addHotKeyListener(events::IEventListener* l) override { addListener(kHotKey, l); }
    void startTimer(int32_t id, int32_t milliseconds) override;
    void stopTimer(int32_t id) override;
    void addTimerListener(events::IEventListener* l) override { addListener(kTimer, l); }
    int32_t lastTimer() const override { return lastTimer_; }
    void setClipboardViewer(bool on) override;
    void addClipboardListener(events::IEventListener* l) override { addListener(kClipboard, l); }

    int32_t normalX() const override { return normal_.left; }
    int32_t normalY() const override { return normal_.top; }
    int32_t normalWidth() const override { return normal_.right - normal_.left; }
    int32_t normalHeight() const override { return normal_.bottom - normal_.top; }

    bool handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                       intptr_t lparam) override;
    void afterMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                      intptr_t lparam) override;

    // --- main-window behaviours ---
    // Middle click: "DoNothing", "Iconize" or "Close" (ignoring case; any other text does
    // nothing). The state store is told of a change.
    void setMiddleClickAction(const char16_t* action) override;
    const char16_t* middleClickAction() const;
    // Far enough on the virtual screen to be reached: more than 10 pixels wide and high and
    // at least 10 pixels inside on each axis. Always true without the check-on-screen flag.
    bool isSufficientlyOnScreen() const override;
    // Moves a window that reaches beyond the virtual screen back inside (not when maximized).
    void moveIntoScreen() override;
    bool isCheckOnScreen() const { return checkOnScreen_; }
    bool isConfineToScreen() const { return confineToScreen_; }
    // The hit-test code of a custom frame's resize borders at (px, py) of a w x h window
    // (the outer 5 pixels; 30 pixels from a corner count as that corner); 0 inside.
    static int32_t frameHitTest(int32_t px, int32_t py, int32_t w, int32_t h);

    // Hot keys by name (any thread). A failed registration shows the reason when `report`.
    bool registerHotKey(bool alt, bool ctrl, bool shift, bool win, int32_t key,
                        const char16_t* name, bool report);
    void unregisterHotKey(const char16_t* name);
    void unregisterAllHotKeys();
    // Whether the last hot key pressed had this name.
    bool isHotKey(const char16_t* name) const;
    // "(code) HotKey Alt+Ctrl+Shift+WinKey+key has been occupied by another application."
    static void hotKeyFailureText(uint32_t errorCode, bool alt, bool ctrl, bool shift, bool win,
                                  int32_t key, str::strbuffer::StrBuffer& out);

    // The next `count` additions of a tray icon fail (tests of the retry and the fallback);
    // the number of additions the shell accepted so far.
    static void failTrayAddsForTesting(int32_t count);
    static int32_t trayAddsForTesting();

    // --- flags of the window behaviours ---
    bool isEasyDrag() const { return easyDrag_; }
    bool closeIconizes() const { return closeIconizes_; }
    bool isActive() const { return active_; }
    uint64_t deactivationTime() const { return deactivatedAt_; }
    Color systemFaceColor() const override;

private:
    bool createNativeWindows(const wchar_t*& failure) override;
    // The native work of shutting down; idempotent.
    void shutdown();
    // Hides the window and detaches the children (on the window's thread).
    static void teardownOnThread(void* self);
    void fire(int32_t eventId) { listeners_[eventId].fire(this, eventId); }
    void placeNative(uint32_t what) override;
    void setStyleBits(DWORD bits, bool on, bool extended);
    void applyTitle();
    void onClose();
    void onEndSession(uintptr_t wparam, intptr_t lparam);
    bool onCommand(uintptr_t wparam, intptr_t lparam);
    bool onWheel(uintptr_t wparam, intptr_t lparam);
    void onTray(intptr_t mouseMessage);
    void eraseBackground(HDC dc);
    // The custom frame: the drawer's region for the current size, and its painting.
    void refreshFrame();
    void paintFrame();
    void removeTrayIconAlways();
    // The shell's answer.
    bool notifyTray(DWORD action, UINT flags);
    // NIM_ADD, tried again when the shell refuses it; false when no icon could be added.
    bool addTrayIcon();
    void onMiddleClick();
    bool onHitTest(intptr_t& result, uintptr_t wparam, intptr_t lparam);
    void limitSizing(uintptr_t edge);
    void confineToScreen(WINDOWPOS* pos);
    // The shell's "TaskbarCreated" message (0 when it cannot be registered).
    static UINT taskbarCreatedMessage();
    void syncBoundsFromNative();
    void detachChild(IComponent* child, bool recursive);

    UIThread thread_;
    InvisibleWindow owner_;
    std::atomic<HWND> hwnd_{nullptr};       // cleared on the window's thread at destruction
    col::_array::ArrayP children_;          // IComponent*, owned: released when removed
    ILayoutManager* manager_ = nullptr;     // not owned; none: the shared Vertical
    lang::Localizer* localizer_ = nullptr;  // not owned
    int32_t titleId_ = -1, versionId_ = -1;
    str::strbuffer::StrBuffer title_;
    drawer::Skinner* skinner_ = nullptr;  // not owned
    drawer::IWindowDrawer* frameDrawer_ = nullptr;
    bool frameDrawerOwned_ = false;
    col::_array::ArrayP closeTriggers_;  // IComponent*, not owned
    ListenerList listeners_[kEventSlots];
    IWindowStateStore* stateStore_ = nullptr;  // not owned
    IMenuTarget* menuBar_ = nullptr;           // not owned
    IMenuTarget* trayMenu_ = nullptr;          // not owned
    IMenuTarget* contextMenu_ = nullptr;       // not owned
    bool showVersion_ = false;

    // Window behaviours.
    bool iconized_ = false, trayShown_ = false, trayAlways_ = false, trayWhileVisible_ = false;
    bool keepOnTop_ = false, easyDrag_ = false, closeIconizes_ = false, showInTaskbar_ = true;
    bool resizable_ = true, confineToScreen_ = false, checkOnScreen_ = true;
    bool trayClickToggles_ = true, passDoubleClicks_ = true, hideCursor_ = false;
    bool keepMinimumWidth_ = false, keepMinimumHeight_ = false;
    int32_t keepWidth_ = 0, keepHeight_ = 0;
    int32_t explicitMinWidth_ = -1, explicitMinHeight_ = -1;
    RECT normal_{0, 0, 0, 0};
    uint64_t deactivatedAt_ = 0;
    bool active_ = false;
    std::atomic<bool> closed_{false};
    bool closeCancelled_ = false;
    bool shuttingDown_ = false;
    bool suspended_ = false;
    bool clipboardViewer_ = false;
    HWND nextClipboardViewer_ = nullptr;
    bool wheelBusy_ = false;
    bool dragging_ = false;
    POINT dragEnd_{0, 0};
    bool released_ = false;
    HICON smallIcon_ = nullptr, largeIcon_ = nullptr;
    bool smallIconOwned_ = false, largeIconOwned_ = false;

    // Event data.
    msg::RectRecord rect_{0, 0, 0, 0};
    intptr_t rectResult_ = 0;
    int32_t sizingEdge_ = 0;
    RECT sizingRect_{0, 0, 0, 0};
    int32_t lastKey_ = 0;
    int32_t wheelLines_ = 0;
    int32_t lastTimer_ = -1;
    uintptr_t lastHotKey_ = 0;
    col::_array::ArrayS32 hotKeys_;
    str::StrArray hotKeyNames_;  // registered names, by name
    int32_t middleClick_ = 0;    // 0 nothing, 1 iconize, 2 close

    thread::win::Handle closedEvent_;
};

}  // namespace s::gui::win

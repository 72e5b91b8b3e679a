#pragma once

#include <cstdint>
#include <type_traits>

#include "gui/i_container.h"

namespace s::lang {
class Localizer;
}
namespace s::gui::drawer {
class Skinner;
class IWindowDrawer;
}  // namespace s::gui::drawer

namespace s::gui {

class IMenuTarget;
class IWindowStateStore;

// A top-level window with its own user-interface thread. Operations marked "any thread"
// hand their native work to the window's thread and wait for it; the others belong to the
// window's thread (or to set-up before the window is shown).
class IWindow : public IContainer {
public:
    // Event ids sent to the window's listeners (source = the window).
    enum Event : int32_t {
        kClose = 1,
        kRectMessage = 2,
        kRightDown = 3,
        kSize = 4,
        kLeftDown = 5,
        kActivate = 6,
        kDeactivate = 7,
        kSizing = 8,
        kMiddleDown = 9,
        kPosChanging = 10,
        kMoved = 11,
        kKey = 12,
        kMouseMove = 13,
        kWheel = 14,
        kWake = 15,
        kDoubleClick = 16,
        kDragEnd = 17,
        kTrayRightClick = 18,
        kContextMenu = 19,
        kLanguage = 20,
        kRestore = 21,
        kTrayClick = 22,
        kHotKey = 23,
        kRightUp = 24,
        kLeftUp = 25,
        kTimer = 26,
        kClipboard = 27,
    };
    static constexpr int32_t kEventSlots = 28;

    // The one hand-over to the window's thread: runs `operation` (block) there and waits for
    // it; at once when called on that thread or when the window has no native window.
    // Any thread; the caller must hold no lock the window's thread may wait for.
    virtual bool isWindowThread() const = 0;
    virtual void runOnWindowThread(void (*operation)(void*), void* block) = 0;
    template <class F>
    void onWindowThread(F&& operation) {
        runOnWindowThread([](void* f) { (*static_cast<std::remove_reference_t<F>*>(f))(); },
                          &operation);
    }

    virtual void setScreenX(int32_t x) = 0;
    virtual void setScreenY(int32_t y) = 0;

    // Closing protocol. close() and waitUntilClosed() may be called from any thread.
    virtual bool isClosed() const = 0;
    virtual void close() = 0;
    // From a close listener: the close does not happen.
    virtual void cancelClose() = 0;
    // Blocks until the window is closed (wakes on the closed state, no polling).
    virtual void waitUntilClosed() = 0;

    virtual void activate(bool on) = 0;
    virtual bool isMinimized() const = 0;
    virtual void minimize() = 0;
    virtual bool isMaximized() const = 0;
    virtual void maximize() = 0;
    virtual void restore() = 0;
    virtual void showNormal() = 0;
    virtual void iconize() = 0;
    virtual bool isIconized() const = 0;

    virtual void setEasyDrag(bool on) = 0;
    virtual void setMaximizeBox(bool on) = 0;
    virtual void setMinimizeBox(bool on) = 0;
    virtual void setSystemMenu(bool on) = 0;
    virtual void setCaption(bool on) = 0;
    virtual void setToolWindow(bool on) = 0;
    virtual void setCustomFrameStyle(bool on) = 0;
    virtual void setClientEdge(bool on) = 0;
    virtual void setShowInTaskbar(bool on) = 0;

    virtual void showTrayIcon(bool on) = 0;
    virtual void updateTrayIcon() = 0;
    virtual void setTrayIconAlways(bool on) = 0;
    virtual bool isTrayIconShown() const = 0;
    virtual bool isResizable() const = 0;
    virtual void setResizable(bool on) = 0;
    virtual void setTrayIconWhileVisible(bool on) = 0;
    virtual void setCloseIconizes(bool on) = 0;
    virtual void setInputBlocked(bool blocked) = 0;
    virtual void setKeepOnTop(bool on) = 0;
    virtual bool isKeepOnTop() const = 0;

    virtual const char16_t* title() const = 0;
    virtual void setTitle(const char16_t* text) = 0;
    virtual void setTitleIds(int32_t titleId, int32_t versionId) = 0;
    // Icons are native icon handles; owned ones are destroyed with the window.
    virtual void* smallIcon() const = 0;
    virtual void setSmallIcon(void* icon, bool owned) = 0;
    virtual void* largeIcon() const = 0;
    virtual void setLargeIcon(void* icon, bool owned) = 0;
    virtual bool hasLocalizer() const = 0;
    virtual lang::Localizer* localizer() const = 0;
    // Not owned; the window becomes its listener.
    virtual void setLocalizer(lang::Localizer* localizer) = 0;
    virtual bool hasSkinner() const = 0;
    virtual drawer::Skinner* skinner() const = 0;
    // Not owned.
    virtual void setSkinner(drawer::Skinner* skinner) = 0;
    // Any event of the component closes the window.
    virtual void addCloseTrigger(IComponent* component) = 0;

    // Listener lists; listeners are not owned and are called in the order they were added.
    virtual void addCloseListener(events::IEventListener* listener) = 0;
    virtual void addRightDownListener(events::IEventListener* listener) = 0;
    virtual void addLeftDownListener(events::IEventListener* listener) = 0;
    virtual void addRightUpListener(events::IEventListener* listener) = 0;
    virtual void addLeftUpListener(events::IEventListener* listener) = 0;
    virtual void addTrayClickListener(events::IEventListener* listener) = 0;
    virtual void addDoubleClickListener(events::IEventListener* listener) = 0;
    virtual void addMiddleDownListener(events::IEventListener* listener) = 0;
    virtual void addSizeListener(events::IEventListener* listener) = 0;
    virtual void addActivateListener(events::IEventListener* listener) = 0;
    virtual void addDeactivateListener(events::IEventListener* listener) = 0;
    virtual void addPosChangingListener(events::IEventListener* listener) = 0;
    virtual void addMovedListener(events::IEventListener* listener) = 0;
    virtual void addKeyListener(events::IEventListener* listener) = 0;
    virtual void addTrayRightClickListener(events::IEventListener* listener) = 0;
    virtual void addContextMenuListener(events::IEventListener* listener) = 0;
    virtual void addRestoreListener(events::IEventListener* listener) = 0;
    // Any list by its event id (1..27); other ids are ignored.
    virtual void addListener(int32_t eventId, events::IEventListener* listener) = 0;

    // Not owned.
    virtual void setMenuBar(IMenuTarget* menu) = 0;
    virtual void setTrayMenu(IMenuTarget* popup) = 0;

    // Message 1025 with four integers: send waits for the answer (any thread); post returns
    // at once and the integers travel in storage the message owns.
    virtual intptr_t sendRect(int32_t a, int32_t b, int32_t c, int32_t d) = 0;
    virtual bool postRect(int32_t a, int32_t b, int32_t c, int32_t d) = 0;
    virtual int32_t rectA() const = 0;
    virtual int32_t rectB() const = 0;
    virtual int32_t rectC() const = 0;
    virtual int32_t rectD() const = 0;
    virtual void setRectResult(intptr_t result) = 0;
    virtual void addRectMessageListener(events::IEventListener* listener) = 0;

    virtual void setFocus() = 0;
    // Not owned; opened at the cursor on a right-button press.
    virtual void setContextMenu(IMenuTarget* popup, bool flag) = 0;

    // The edge dragged during WM_SIZING (1 left ... 8 bottom-right) and the proposed rectangle.
    virtual int32_t sizingEdge() const = 0;
    virtual bool isSizingLeft() const = 0;
    virtual bool isSizingRight() const = 0;
    virtual bool isSizingTop() const = 0;
    virtual bool isSizingBottom() const = 0;
    virtual bool isSizingTopLeft() const = 0;
    virtual bool isSizingTopRight() const = 0;
    virtual bool isSizingBottomLeft() const = 0;
    virtual bool isSizingBottomRight() const = 0;
    virtual int32_t sizingLeft() const = 0;
    virtual void setSizingLeft(int32_t v) = 0;
    virtual int32_t sizingRight() const = 0;
    virtual void setSizingRight(int32_t v) = 0;
    virtual int32_t sizingTop() const = 0;
    virtual void setSizingTop(int32_t v) = 0;
    virtual int32_t sizingBottom() const = 0;
    virtual void setSizingBottom(int32_t v) = 0;
    virtual void addSizingListener(events::IEventListener* listener) = 0;

    // Owned when `owned`; switches to the custom frame style.
    virtual void setFrameDrawer(drawer::IWindowDrawer* drawer, bool owned) = 0;
    virtual void setKeepMinimumSize(bool on) = 0;
    virtual void setKeepMinimumSize(int32_t width, int32_t height) = 0;

    virtual int32_t lastKey() const = 0;
    virtual void addMouseMoveListener(events::IEventListener* listener) = 0;
    virtual void addWheelListener(events::IEventListener* listener) = 0;
    // Signed line count of the last wheel turn not taken by a child.
    virtual int32_t wheelLines() const = 0;
    virtual int32_t frameWidth() const = 0;
    virtual int32_t frameHeight() const = 0;
    // -1 = computed from the children.
    virtual void setMinimumWidth(int32_t width) = 0;
    virtual void setMinimumHeight(int32_t height) = 0;
    virtual void focusNext() = 0;

    // Message boxes shown by the window's thread (any thread); askYesNo answers yes.
    virtual void showInformation(const char16_t* text) = 0;
    virtual void showError(const char16_t* text) = 0;
    virtual bool askYesNo(const char16_t* text) = 0;

    // Not owned.
    virtual void setStateStore(IWindowStateStore* store, bool showVersion) = 0;
    virtual IWindowStateStore* stateStore() const = 0;
    virtual void addWakeListener(events::IEventListener* listener) = 0;
    virtual void setCheckOnScreen(bool on) = 0;
    virtual void setConfineToScreen(bool on) = 0;
    // Main-window behaviours the window state store applies.
    virtual void setMiddleClickAction(const char16_t* action) = 0;
    virtual bool isSufficientlyOnScreen() const = 0;
    virtual void moveIntoScreen() = 0;

    virtual void setPassDoubleClicks(bool on) = 0;
    virtual void setTrayClickToggles(bool on) = 0;
    // Takes the mouse capture; when the capture goes, the cursor position is the drag's end
    // and event 17 follows.
    virtual void beginDrag() = 0;
    virtual int32_t dragEndX() const = 0;
    virtual int32_t dragEndY() const = 0;
    virtual void addDragEndListener(events::IEventListener* listener) = 0;
    virtual void addLanguageListener(events::IEventListener* listener) = 0;
    virtual bool isSuspended() const = 0;
    virtual bool isShuttingDown() const = 0;
    virtual void addHotKeyListener(events::IEventListener* listener) = 0;

    // User timers (any thread): native timer id = id + 10000.
    virtual void startTimer(int32_t id, int32_t milliseconds) = 0;
    virtual void stopTimer(int32_t id) = 0;
    virtual void addTimerListener(events::IEventListener* listener) = 0;
    virtual int32_t lastTimer() const = 0;
    virtual void setClipboardViewer(bool on) = 0;
    virtual void addClipboardListener(events::IEventListener* listener) = 0;

    // The last normal bounds: taken while neither minimized nor maximized.
    virtual int32_t normalX() const = 0;
    virtual int32_t normalY() const = 0;
    virtual int32_t normalWidth() const = 0;
    virtual int32_t normalHeight() const = 0;

    // The message handler (window's thread): true when it handled the message, with
    // `result` its answer; otherwise default processing runs, then afterMessage().
    virtual bool handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                               intptr_t lparam) = 0;
    virtual void afterMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                              intptr_t lparam) = 0;
};

}  // namespace s::gui

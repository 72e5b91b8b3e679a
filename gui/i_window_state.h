#pragma once

#include <cstdint>

namespace s::gui {

class IWindow;

// What a window asks of its window state store (the application frame's store implements
// it and adds the stored geometry and options). Called on the window's thread.
class IWindowStateStore {
public:
    virtual ~IWindowStateStore() = default;
    // Writes the application's settings out now (the system is shutting down).
    virtual void saveApplicationSettings() = 0;
    // Remembers the language the next start-up selects.
    virtual void storeLanguageName(const char16_t* englishName) = 0;
    // The window is hiding, was resized or moved: the store keeps what it needs.
    virtual void windowHiding() {}
    virtual void windowSized(int32_t /*sizeType*/) {}
    // The store was attached to `window` (nullptr: detached); it applies what it keeps:
    // icons, title, skin, options and the stored bounds.
    virtual void windowAttached(IWindow* /*window*/, bool /*showVersion*/) {}
    // The window is about to be shown and is not maximized: the store may maximize it or
    // place it on the screen.
    virtual void windowShowing(bool /*activate*/) {}
    // The window's options changed: the store writes them.
    virtual void keepOnTopChanged(bool /*on*/) {}
    virtual void middleClickActionChanged(const char16_t* /*action*/) {}
};

}  // namespace s::gui

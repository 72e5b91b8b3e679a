#pragma once

#include <cstdint>

namespace s::gui {

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
};

}  // namespace s::gui

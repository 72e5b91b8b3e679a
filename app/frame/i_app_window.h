#pragma once

#include <cstdint>

#include "base/object.h"
#include "base/pool.h"
#include "gui/i_window_state.h"

namespace s::gui::drawer {
class Skinner;
}
namespace s::lang {
class Localizer;
}

namespace s::app {

class IAppBase;

// The window state store of one window: its key in the application's settings (named after
// the window) with the stored geometry and options under "View", its skin and localizer.
// Used on the window's thread; writes go through the application's store at once.
class IAppWindow : public base::IObject, public thread::IPoolable, public gui::IWindowStateStore {
public:
    // The three middle-click actions, as stored.
    static constexpr const char16_t* kDoNothing = u"DoNothing";
    static constexpr const char16_t* kIconize = u"Iconize";
    static constexpr const char16_t* kClose = u"Close";
    // Any stored size must be at least this.
    static constexpr int32_t kMinimumStoredSize = 10;

    // Not owned.
    virtual IAppBase* application() const = 0;
    virtual const char16_t* windowName() const = 0;
    // The window name, "\" and the key; valid until the next call.
    virtual const char16_t* keyPath(const char16_t* key) = 0;
    virtual int32_t productTextBase() const = 0;
    // The window's own localizer, else the application's.
    virtual lang::Localizer* localizer() const = 0;
    virtual bool hasOwnSkin() const = 0;
    virtual gui::drawer::Skinner* skinner() const = 0;
    virtual const char16_t* skinName() = 0;
    virtual void setSkinName(const char16_t* name) = 0;

    // Both "X" and "Y" are stored.
    virtual bool hasStoredPosition() = 0;
    // Each value is written only when it is missing or differs from the stored one.
    virtual void saveBounds(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    virtual void saveSize(int32_t width, int32_t height) = 0;
    // Deletes "X", "Y", "Width" and "Height".
    virtual void forgetGeometry() = 0;

    virtual bool hasX() = 0;
    virtual int32_t x() = 0;
    virtual void setX(int32_t x) = 0;
    virtual bool hasY() = 0;
    virtual int32_t y() = 0;
    virtual void setY(int32_t y) = 0;
    // At least 10 and at most the virtual screen's width (height).
    virtual bool isWidthAcceptable(int32_t width) const = 0;
    virtual bool hasWidth() = 0;
    // The stored value when it is acceptable, else the default.
    virtual int32_t width() = 0;
    virtual void setWidth(int32_t width) = 0;
    virtual bool isHeightAcceptable(int32_t height) const = 0;
    virtual bool hasHeight() = 0;
    virtual int32_t height() = 0;
    virtual void setHeight(int32_t height) = 0;

    virtual bool easyDrag() = 0;
    virtual void setEasyDrag(bool on) = 0;
    virtual bool maximized() = 0;
    virtual void setMaximized(bool on) = 0;
    virtual bool keepOnTop() = 0;
    virtual void setKeepOnTop(bool on) = 0;
    virtual bool middleClickCloses() = 0;
    virtual bool middleClickIconizes() = 0;
    // One of the three actions; a stored text that is none of them reads as "DoNothing".
    virtual const char16_t* middleClickAction() = 0;
    // Writes only when the action changes.
    virtual void setMiddleClickAction(const char16_t* action) = 0;
};

}  // namespace s::app

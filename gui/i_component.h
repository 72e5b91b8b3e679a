#pragma once

#include <cstdint>

#include "base/event_listener.h"
#include "base/object.h"
#include "base/pool.h"

namespace s::col::_array {
class ArrayP;
}
namespace s::image::win {
class BufferedImage;
}

namespace s::gui {

class IBox;
class IWindow;

// Colours are 0x00BBGGRR words.
using Color = uint32_t;

constexpr Color rgb(uint32_t r, uint32_t g, uint32_t b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

// One visible element: geometry, size limits, visibility, colours, children and events.
// Called on the thread of the window that contains it, unless an operation says otherwise.
class IComponent : public events::IEventListener, public base::IObject, public thread::IPoolable {
public:
    // Position relative to the parent's client area (a window: on the screen).
    virtual int32_t x() const = 0;
    virtual void setX(int32_t x) = 0;
    virtual int32_t y() const = 0;
    virtual void setY(int32_t y) = 0;
    virtual int32_t screenX() const = 0;
    virtual int32_t screenY() const = 0;
    // Visible and the screen point lies inside, edges included.
    virtual bool containsScreenPoint(int32_t x, int32_t y) const = 0;

    // Outer size.
    virtual int32_t width() const = 0;
    virtual void setWidth(int32_t width) = 0;
    virtual int32_t height() const = 0;
    virtual void setHeight(int32_t height) = 0;
    // Inner size; setting it adjusts the outer size by the frame difference.
    virtual int32_t clientWidth() const = 0;
    virtual void setClientWidth(int32_t width) = 0;
    virtual int32_t clientHeight() const = 0;
    virtual void setClientHeight(int32_t height) = 0;

    // While positioning is suspended these only record the values.
    virtual void move(int32_t x, int32_t y) = 0;
    virtual void resize(int32_t width, int32_t height) = 0;
    virtual void setBounds(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    // Extra offset added to the position (a parent's margins arrive here).
    virtual void setOffset(int32_t dx, int32_t dy) = 0;
    virtual void addOffset(int32_t dx, int32_t dy) = 0;

    // Size limits the layouts negotiate with.
    virtual int32_t minimumWidth() const = 0;
    virtual int32_t minimumHeight() const = 0;
    virtual int32_t minimumClientWidth() const = 0;
    virtual int32_t minimumClientHeight() const = 0;
    virtual int32_t maximumWidth() const = 0;
    virtual int32_t maximumHeight() const = 0;
    virtual int32_t maximumClientWidth() const = 0;
    virtual int32_t maximumClientHeight() const = 0;

    virtual bool isVisible() const = 0;
    // A window reads the second argument as "activate", a box as "recursive".
    virtual void setVisible(bool show, bool second) = 0;
    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;

    // A window centres on the work area; a component in its parent.
    virtual void centerOnScreen() = 0;
    virtual void centerHorizontally() = 0;
    virtual void centerVertically() = 0;

    virtual Color backgroundColor() const = 0;
    virtual bool isBackgroundInherited() const = 0;
    virtual void inheritBackground(bool redraw) = 0;
    // Each stops inheriting the parent's background.
    virtual void setBackgroundWhite(bool redraw) = 0;
    virtual void setBackgroundSystem(bool redraw) = 0;
    virtual void setBackgroundBlack(bool redraw) = 0;
    virtual void setBackgroundPale(bool redraw) = 0;
    virtual void setBackgroundRgb(uint32_t r, uint32_t g, uint32_t b, bool redraw) = 0;

    // The window that contains the component (a window answers itself); none while detached.
    virtual IWindow* window() const = 0;
    // None for a window.
    virtual IComponent* parent() const = 0;
    // With a parent: create the native control under the parent's native window. With none:
    // destroy it and forget the parent. Runs on the window's thread.
    virtual void attach(IComponent* parent) = 0;

    // Containers only; plain components ignore them.
    virtual void addChild(IComponent* child) = 0;
    virtual void removeChild(IComponent* child, bool recursive) = 0;
    virtual void removeAllChildren(bool recursive) = 0;
    virtual bool isContainer() const = 0;

    virtual void redrawRect(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    virtual void redraw() = 0;
    // Resizes with each dimension clamped into [minimum, maximum] (the minimum wins when it
    // is above the maximum); a box then lays its own children out. Windows ignore it.
    virtual void resizeClamped(int32_t width, int32_t height) = 0;
    // Containers: lay the children out again.
    virtual void relayout() = 0;
    virtual int32_t childCount() const = 0;
    // None outside 0..childCount()-1.
    virtual IComponent* childAt(int32_t index) const = 0;
    // IComponent* elements, owned by the container; none for plain components.
    virtual col::_array::ArrayP* children() = 0;
    // The buffered image the background is painted into; none until painted.
    virtual image::win::BufferedImage* backgroundImage() const = 0;

    virtual bool isPositioningSuspended() const = 0;
    // Containers pass both on to every child; resuming applies the last recorded bounds once.
    virtual void suspendPositioning() = 0;
    virtual void resumePositioning() = 0;

    // The platform window of the component (an HWND on Windows); none before it is attached.
    virtual void* nativeHandle() const = 0;
    // The listener of the component's main event (a button's press, a box's click); a
    // window's close triggers register this way. Components without one ignore it.
    virtual void addActionListener(events::IEventListener* /*listener*/) {}
    // The component as a box; none for every other kind.
    virtual IBox* asBox() { return nullptr; }
};

}  // namespace s::gui

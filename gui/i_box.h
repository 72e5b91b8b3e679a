#pragma once

#include <cstdint>

#include "gui/i_container.h"

namespace s::str::strarray {
class StrArray;
}
namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::gui {

// The general-purpose container carrying the layout settings. Same thread as IComponent.
class IBox : public IContainer {
public:
    // Event ids sent by a box (source = the box).
    enum Event : int32_t {
        kFilesDropped = 1,
        kWheel = 2,
        kLaidOut = 3,
        kGeometryChanged = 4,
        kPainting = 5,
        kClicked = 6,
        kUrlDropped = 7,
    };
    // Built-in layout styles.
    enum Style : int32_t { kHorizontal = 0, kVertical = 1, kFlow = 2, kPile = 3 };

    virtual void setHorizontalSpacing(int32_t n) = 0;
    virtual void setVerticalSpacing(int32_t n) = 0;
    virtual void setLeftMargin(int32_t n) = 0;
    virtual void setRightMargin(int32_t n) = 0;
    virtual void setTopMargin(int32_t n) = 0;
    virtual void setBottomMargin(int32_t n) = 0;
    virtual void setHorizontalMargin(int32_t n) = 0;
    virtual void setVerticalMargin(int32_t n) = 0;
    virtual void setMargin(int32_t n) = 0;
    virtual void alignTop() = 0;
    virtual void alignMiddle() = 0;
    virtual void alignBottom() = 0;
    virtual void alignLeft() = 0;
    virtual void alignCenter() = 0;
    virtual void alignRight() = 0;
    virtual int32_t layoutStyle() const = 0;
    virtual void setHorizontalStyle() = 0;
    virtual void setVerticalStyle() = 0;
    virtual void setFlowStyle() = 0;
    virtual void setPileStyle() = 0;
    // Percentages 100 on both axes.
    virtual void setFillParent() = 0;
    // Each clears the other kind of fixed size on its axis.
    virtual void setPercentWidth(int32_t percent, bool propagate) = 0;
    virtual void setPercentHeight(int32_t percent, bool propagate) = 0;
    virtual void setExactWidth(int32_t width, bool propagate) = 0;
    virtual void setExactHeight(int32_t height, bool propagate) = 0;
    // A floor under the minimum width; -1 for none.
    virtual void setMinimumWidth(int32_t width) = 0;
    virtual void setAcceptFiles(bool on) = 0;
    virtual void addFileDropListener(events::IEventListener* listener) = 0;
    virtual str::strarray::StrArray& droppedFiles() = 0;
    virtual void setAcceptUrls(bool on) = 0;
    virtual void addUrlDropListener(events::IEventListener* listener) = 0;
    virtual const str::strbuffer::StrBuffer& droppedUrl() const = 0;
    virtual void addWheelListener(events::IEventListener* listener) = 0;
    // Signed line count of the last wheel turn.
    virtual int32_t wheelLines() const = 0;
    virtual void setIgnoreMinimumWidth(bool on) = 0;
    virtual void setIgnoreMinimumHeight(bool on) = 0;
    // The box owns the image when `owned`.
    virtual void setBackgroundImage(image::win::BufferedImage* image, bool owned) = 0;
    virtual void addLayoutListener(events::IEventListener* listener) = 0;
    virtual void showOnlyChild(int32_t index) = 0;
    virtual void switchToChild(int32_t index) = 0;
    virtual void addGeometryListener(events::IEventListener* listener) = 0;
    virtual void addPaintListener(events::IEventListener* listener) = 0;
    // The device context being painted (an HDC on Windows) while the paint listeners run.
    virtual void* paintDC() const = 0;
    virtual void skipDefaultPaint() = 0;
    virtual void setMouseTransparent(bool on) = 0;
    virtual void setHoverColor(uint32_t r, uint32_t g, uint32_t b) = 0;
    virtual void setVisibilityLocked(bool on) = 0;
    virtual void releaseBackgroundBuffer() = 0;
    // Also makes the box take hit tests (no longer mouse-transparent).
    virtual void addClickListener(events::IEventListener* listener) = 0;
};

}  // namespace s::gui

#pragma once

#include <cstdint>

#include "gui/i_component.h"

namespace s::gui {

// Helpers shared by every component.
// The value clamped into [minimum, maximum]; the minimum when it is above the maximum.
int32_t clampToLimits(int32_t value, int32_t minimum, int32_t maximum);
// The pale background derived from the inactive caption text colour.
Color paleFrom(Color inactiveCaptionText);
// Registers with (or leaves) the window's localizer and skinner, when it has them.
void listenToWindowSources(IWindow* window, events::IEventListener* listener, bool on);

// The state every component keeps (geometry, limits, flags, colours, parent) and the
// behaviour that needs no platform: positioning suspension, clamped resizing, centring.
// `Interface` is IComponent or an interface derived from it; platform classes fill in the
// hooks. Used on the thread of the containing window.
template <class Interface>
class ComponentOf : public Interface {
public:
    // What a geometry call changed, for placeNative().
    enum Placement : uint32_t { kPlaceMove = 1, kPlaceSize = 2 };

    int32_t x() const override { return x_; }
    void setX(int32_t x) override { move(x, y_); }
    int32_t y() const override { return y_; }
    void setY(int32_t y) override { move(x_, y); }
    int32_t screenX() const override;
    int32_t screenY() const override;
    bool containsScreenPoint(int32_t x, int32_t y) const override;

    int32_t width() const override { return width_; }
    void setWidth(int32_t width) override { resize(width, height_); }
    int32_t height() const override { return height_; }
    void setHeight(int32_t height) override { resize(width_, height); }
    int32_t clientWidth() const override;
    void setClientWidth(int32_t width) override;
    int32_t clientHeight() const override;
    void setClientHeight(int32_t height) override;

    void move(int32_t x, int32_t y) override;
    void resize(int32_t width, int32_t height) override;
    void setBounds(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void setOffset(int32_t dx, int32_t dy) override;
    void addOffset(int32_t dx, int32_t dy) override { setOffset(dx_ + dx, dy_ + dy); }
    int32_t offsetX() const { return dx_; }
    int32_t offsetY() const { return dy_; }

    int32_t minimumWidth() const override { return minWidth_; }
    int32_t minimumHeight() const override { return minHeight_; }
    int32_t minimumClientWidth() const override;
    int32_t minimumClientHeight() const override;
    int32_t maximumWidth() const override { return maxWidth_; }
    int32_t maximumHeight() const override { return maxHeight_; }
    int32_t maximumClientWidth() const override;
    int32_t maximumClientHeight() const override;
    // The limits a plain component reports (controls set them from their content).
    void setMinimumSize(int32_t width, int32_t height);
    void setMaximumSize(int32_t width, int32_t height);

    bool isVisible() const override { return visible_; }
    void setVisible(bool show, bool second) override;
    bool isEnabled() const override { return enabled_; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }

    void centerOnScreen() override;
    void centerHorizontally() override;
    void centerVertically() override;

    Color backgroundColor() const override;
    bool isBackgroundInherited() const override { return backgroundInherited_; }
    void inheritBackground(bool redraw) override;
    void setBackgroundWhite(bool redraw) override;
    void setBackgroundSystem(bool redraw) override;
    void setBackgroundBlack(bool redraw) override;
    void setBackgroundPale(bool redraw) override;
    void setBackgroundRgb(uint32_t r, uint32_t g, uint32_t b, bool redraw) override;

    IWindow* window() const override { return window_; }
    IComponent* parent() const override { return parent_; }
    void attach(IComponent* parent) override;

    void addChild(IComponent* /*child*/) override {}
    void removeChild(IComponent* /*child*/, bool /*recursive*/) override {}
    void removeAllChildren(bool /*recursive*/) override {}
    bool isContainer() const override { return false; }

    void redrawRect(int32_t /*x*/, int32_t /*y*/, int32_t /*w*/, int32_t /*h*/) override {}
    void redraw() override {}
    void resizeClamped(int32_t width, int32_t height) override;
    void relayout() override {}
    int32_t childCount() const override { return 0; }
    IComponent* childAt(int32_t /*index*/) const override { return nullptr; }
    col::_array::ArrayP* children() override { return nullptr; }
    image::win::BufferedImage* backgroundImage() const override { return nullptr; }

    bool isPositioningSuspended() const override { return suspended_; }
    void suspendPositioning() override;
    void resumePositioning() override;
    bool isBoundsPending() const { return boundsPending_; }

    void* nativeHandle() const override { return native_; }

    void onEvent(base::IObject* /*source*/, int32_t /*eventId*/) override {}

protected:
    ComponentOf() = default;
    // Back to the constructed state (the final class's reset() calls it).
    void resetComponent();

    // Places the native window after a geometry change (not called while suspended).
    virtual void placeNative(uint32_t /*what*/) {}
    // After every move, resize and setBounds (also while suspended).
    virtual void geometryChanged() {}
    // Outer minus inner size.
    virtual int32_t frameWidth() const { return 0; }
    virtual int32_t frameHeight() const { return 0; }
    // Creates the native control under the parent's native window (parent_ is set).
    virtual void createNative() {}
    // Destroys the native control (parent_ is still set).
    virtual void destroyNative() {}
    // The system's face colour and inactive caption text colour.
    virtual Color systemFaceColor() const { return rgb(240, 240, 240); }
    virtual Color inactiveCaptionTextColor() const { return 0; }
    virtual void backgroundChanged(bool redraw);

    int32_t x_ = 0, y_ = 0, dx_ = 0, dy_ = 0;
    int32_t width_ = 0, height_ = 0;
    int32_t minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    bool backgroundInherited_ = true;
    bool backgroundSystem_ = true;  // follows the system face colour
    Color background_ = rgb(240, 240, 240);
    IComponent* parent_ = nullptr;  // not owned
    IWindow* window_ = nullptr;     // not owned
    bool suspended_ = false;
    bool boundsPending_ = false;
    void* native_ = nullptr;
};

template <class Interface>
inline int32_t ComponentOf<Interface>::screenX() const {
    return parent_ ? parent_->screenX() + x_ + dx_ : x_ + dx_;
}

template <class Interface>
inline int32_t ComponentOf<Interface>::screenY() const {
    return parent_ ? parent_->screenY() + y_ + dy_ : y_ + dy_;
}

template <class Interface>
inline bool ComponentOf<Interface>::containsScreenPoint(int32_t x, int32_t y) const {
    if (!isVisible())
        return false;
    int32_t left = screenX();
    int32_t top = screenY();
    return x >= left && x <= left + width() && y >= top && y <= top + height();
}

template <class Interface>
inline int32_t ComponentOf<Interface>::clientWidth() const {
    int32_t w = width() - frameWidth();
    return w < 0 ? 0 : w;
}

template <class Interface>
inline int32_t ComponentOf<Interface>::clientHeight() const {
    int32_t h = height() - frameHeight();
    return h < 0 ? 0 : h;
}

template <class Interface>
inline void ComponentOf<Interface>::setClientWidth(int32_t width) {
    int32_t w = width + frameWidth();
    resize(w < 0 ? 0 : w, height());
}

template <class Interface>
inline void ComponentOf<Interface>::setClientHeight(int32_t height) {
    int32_t h = height + frameHeight();
    resize(width(), h < 0 ? 0 : h);
}

template <class Interface>
inline void ComponentOf<Interface>::move(int32_t x, int32_t y) {
    x_ = x;
    y_ = y;
    if (suspended_)
        boundsPending_ = true;
    else
        placeNative(kPlaceMove);
    geometryChanged();
}

template <class Interface>
inline void ComponentOf<Interface>::resize(int32_t width, int32_t height) {
    width_ = width < 0 ? 0 : width;
    height_ = height < 0 ? 0 : height;
    if (suspended_)
        boundsPending_ = true;
    else
        placeNative(kPlaceSize);
    geometryChanged();
}

template <class Interface>
inline void ComponentOf<Interface>::setBounds(int32_t x, int32_t y, int32_t width, int32_t height) {
    x_ = x;
    y_ = y;
    width_ = width < 0 ? 0 : width;
    height_ = height < 0 ? 0 : height;
    if (suspended_)
        boundsPending_ = true;
    else
        placeNative(kPlaceMove | kPlaceSize);
    geometryChanged();
}

template <class Interface>
inline void ComponentOf<Interface>::setOffset(int32_t dx, int32_t dy) {
    dx_ = dx;
    dy_ = dy;
    if (suspended_)
        boundsPending_ = true;
    else
        placeNative(kPlaceMove);
}

template <class Interface>
inline int32_t ComponentOf<Interface>::minimumClientWidth() const {
    int32_t w = minimumWidth() - frameWidth();
    return w < 0 ? 0 : w;
}

template <class Interface>
inline int32_t ComponentOf<Interface>::minimumClientHeight() const {
    int32_t h = minimumHeight() - frameHeight();
    return h < 0 ? 0 : h;
}

template <class Interface>
inline int32_t ComponentOf<Interface>::maximumClientWidth() const {
    int32_t w = maximumWidth() - frameWidth();
    return w < 0 ? 0 : w;
}

template <class Interface>
inline int32_t ComponentOf<Interface>::maximumClientHeight() const {
    int32_t h = maximumHeight() - frameHeight();
    return h < 0 ? 0 : h;
}

template <class Interface>
inline void ComponentOf<Interface>::setMinimumSize(int32_t width, int32_t height) {
    minWidth_ = width < 0 ? 0 : width;
    minHeight_ = height < 0 ? 0 : height;
}

template <class Interface>
inline void ComponentOf<Interface>::setMaximumSize(int32_t width, int32_t height) {
    maxWidth_ = width < 0 ? 0 : width;
    maxHeight_ = height < 0 ? 0 : height;
}

template <class Interface>
inline void ComponentOf<Interface>::setVisible(bool show, bool /*second*/) {
    visible_ = show;
}

template <class Interface>
inline void ComponentOf<Interface>::centerOnScreen() {
    if (!parent_)
        return;
    int32_t x = (parent_->clientWidth() - width()) / 2;
    int32_t y = (parent_->clientHeight() - height()) / 2;
    move(x < 0 ? 0 : x, y < 0 ? 0 : y);
}

template <class Interface>
inline void ComponentOf<Interface>::centerHorizontally() {
    if (!parent_)
        return;
    int32_t x = (parent_->clientWidth() - width()) / 2;
    move(x < 0 ? 0 : x, y_);
}

template <class Interface>
inline void ComponentOf<Interface>::centerVertically() {
    if (!parent_)
        return;
    int32_t y = (parent_->clientHeight() - height()) / 2;
    move(x_, y < 0 ? 0 : y);
}

template <class Interface>
inline Color ComponentOf<Interface>::backgroundColor() const {
    if (backgroundInherited_ && parent_)
        return parent_->backgroundColor();
    return backgroundSystem_ ? systemFaceColor() : background_;
}

template <class Interface>
inline void ComponentOf<Interface>::inheritBackground(bool redraw) {
    backgroundInherited_ = true;
    backgroundChanged(redraw);
}

template <class Interface>
inline void ComponentOf<Interface>::setBackgroundWhite(bool redraw) {
    setBackgroundRgb(255, 255, 255, redraw);
}

template <class Interface>
inline void ComponentOf<Interface>::setBackgroundSystem(bool redraw) {
    backgroundInherited_ = false;
    backgroundSystem_ = true;
    backgroundChanged(redraw);
}

template <class Interface>
inline void ComponentOf<Interface>::setBackgroundBlack(bool redraw) {
    setBackgroundRgb(0, 0, 0, redraw);
}

template <class Interface>
inline void ComponentOf<Interface>::setBackgroundPale(bool redraw) {
    Color pale = paleFrom(inactiveCaptionTextColor());
    setBackgroundRgb(pale & 0xFF, (pale >> 8) & 0xFF, (pale >> 16) & 0xFF, redraw);
}

template <class Interface>
inline void ComponentOf<Interface>::setBackgroundRgb(uint32_t r, uint32_t g, uint32_t b,
                                                     bool redraw) {
    backgroundInherited_ = false;
    backgroundSystem_ = false;
    background_ = rgb(r, g, b);
    backgroundChanged(redraw);
}

template <class Interface>
inline void ComponentOf<Interface>::backgroundChanged(bool redraw) {
    if (redraw)
        this->redraw();
}

template <class Interface>
inline void ComponentOf<Interface>::resizeClamped(int32_t width, int32_t height) {
    resize(clampToLimits(width, minimumWidth(), maximumWidth()),
           clampToLimits(height, minimumHeight(), maximumHeight()));
}

template <class Interface>
inline void ComponentOf<Interface>::suspendPositioning() {
    suspended_ = true;
    for (int32_t i = 0; i < childCount(); ++i) {
        if (IComponent* child = this->childAt(i))
            child->suspendPositioning();
    }
}

template <class Interface>
inline void ComponentOf<Interface>::resumePositioning() {
    suspended_ = false;
    if (boundsPending_) {
        boundsPending_ = false;
        setBounds(x_, y_, width_, height_);
    }
    for (int32_t i = 0; i < childCount(); ++i) {
        if (IComponent* child = this->childAt(i))
            child->resumePositioning();
    }
}

template <class Interface>
inline void ComponentOf<Interface>::resetComponent() {
    x_ = y_ = dx_ = dy_ = 0;
    width_ = height_ = 0;
    minWidth_ = minHeight_ = maxWidth_ = maxHeight_ = 0;
    visible_ = true;
    enabled_ = true;
    backgroundInherited_ = true;
    backgroundSystem_ = true;
    background_ = rgb(240, 240, 240);
    parent_ = nullptr;
    window_ = nullptr;
    suspended_ = false;
    boundsPending_ = false;
    native_ = nullptr;
}

template <class Interface>
inline void ComponentOf<Interface>::attach(IComponent* parent) {
    if (parent) {
        parent_ = parent;
        window_ = parent->window();
        listenToWindowSources(window_, this, true);
        createNative();
        return;
    }
    if (!parent_)
        return;
    destroyNative();
    listenToWindowSources(window_, this, false);
    parent_ = nullptr;
    window_ = nullptr;
}

// A plain component.
using Component = ComponentOf<IComponent>;

}  // namespace s::gui

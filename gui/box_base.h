#pragma once

#include <cstdint>

#include "base/array.h"
#include "base/str_array.h"
#include "base/str_buffer.h"
#include "gui/component.h"
#include "gui/i_box.h"
#include "gui/layout/layouts.h"
#include "gui/listener_list.h"

namespace s::gui {

// The limits of a box along one axis, from its settings and its last layout.
struct BoxAxis {
    int32_t exact = -1;    // >= 0: minimum and maximum
    int32_t percent = -1;  // >= 0: maximum = percentage of the parent's client size
    int32_t margins = 0;   // both margins of the axis
    int32_t contentMin = 0;
    int32_t contentMax = 0;
    bool ignoreMinimum = false;
    int32_t minimumFloor = -1;  // >= 0: the minimum is at least this
};
int32_t boxMinimum(const BoxAxis& axis);
int32_t boxMaximum(const BoxAxis& axis, int32_t parentClient, bool hasParent);
// value × percent / 100, rounded half away from zero.
int32_t percentOf(int32_t value, int32_t percent);

// Everything of a box that needs no platform: the layout fields, size limits, children,
// layout with its nesting cap, margins, visibility and child switching, and the listener
// lists. The platform box adds the native window and its messages through the hooks.
// Used on the thread of the containing window; addChild() may come from another thread
// when attachChildNow() hands the attach over.
class BoxBase : public ComponentOf<IBox> {
public:
    ~BoxBase() override;

    // --- limits and client size ---
    int32_t minimumWidth() const override;
    int32_t minimumHeight() const override;
    int32_t maximumWidth() const override;
    int32_t maximumHeight() const override;

    // --- children ---
    bool isContainer() const override { return true; }
    void addChild(IComponent* child) override;
    void removeChild(IComponent* child, bool recursive) override;
    void removeAllChildren(bool recursive) override;
    int32_t childCount() const override { return children_.count(); }
    IComponent* childAt(int32_t index) const override;
    col::_array::ArrayP* children() override { return &children_; }
    void resizeClamped(int32_t width, int32_t height) override;
    void relayout() override;
    void attach(IComponent* parent) override;
    void setVisible(bool show, bool recursive) override;
    IBox* asBox() override { return this; }

    // --- layout ---
    void doLayout() override;
    ILayoutManager* layoutManager() const override;
    void setLayoutManager(ILayoutManager* manager) override { manager_ = manager; }
    const layout::ContentSizes& contentSizes() const { return content_; }
    int32_t layoutDepth() const { return layoutDepth_; }

    void setHorizontalSpacing(int32_t n) override { horizontalSpacing_ = n; }
    void setVerticalSpacing(int32_t n) override { verticalSpacing_ = n; }
    void setLeftMargin(int32_t n) override;
    void setRightMargin(int32_t n) override;
    void setTopMargin(int32_t n) override;
    void setBottomMargin(int32_t n) override;
    void setHorizontalMargin(int32_t n) override;
    void setVerticalMargin(int32_t n) override;
    void setMargin(int32_t n) override;
    void alignTop() override { verticalAlignment_ = layout::kStart; }
    void alignMiddle() override { verticalAlignment_ = layout::kCenter; }
    void alignBottom() override { verticalAlignment_ = layout::kEnd; }
    void alignLeft() override { horizontalAlignment_ = layout::kStart; }
    void alignCenter() override { horizontalAlignment_ = layout::kCenter; }
    void alignRight() override { horizontalAlignment_ = layout::kEnd; }
    int32_t layoutStyle() const override { return layoutStyle_; }
    void setHorizontalStyle() override { layoutStyle_ = kHorizontal; }
    void setVerticalStyle() override { layoutStyle_ = kVertical; }
    void setFlowStyle() override { layoutStyle_ = kFlow; }
    void setPileStyle() override { layoutStyle_ = kPile; }
    void setFillParent() override;
    void setPercentWidth(int32_t percent, bool propagate) override;
    void setPercentHeight(int32_t percent, bool propagate) override;
    void setExactWidth(int32_t width, bool propagate) override;
    void setExactHeight(int32_t height, bool propagate) override;
    void setMinimumWidth(int32_t width) override { minimumWidthFloor_ = width < 0 ? -1 : width; }
    void setIgnoreMinimumWidth(bool on) override { ignoreMinimumWidth_ = on; }
    void setIgnoreMinimumHeight(bool on) override { ignoreMinimumHeight_ = on; }

    // --- child switching ---
    void showOnlyChild(int32_t index) override;
    void switchToChild(int32_t index) override;
    void setVisibilityLocked(bool on) override { visibilityLocked_ = on; }
    bool isVisibilityLocked() const { return visibilityLocked_; }

    // --- listeners and event data ---
    void addFileDropListener(events::IEventListener* l) override { fileDropListeners_.add(l); }
    str::strarray::StrArray& droppedFiles() override { return droppedFiles_; }
    void addUrlDropListener(events::IEventListener* l) override { urlDropListeners_.add(l); }
    const str::strbuffer::StrBuffer& droppedUrl() const override { return droppedUrl_; }
    void addWheelListener(events::IEventListener* l) override { wheelListeners_.add(l); }
    int32_t wheelLines() const override { return wheelLines_; }
    void addLayoutListener(events::IEventListener* l) override { layoutListeners_.add(l); }
    void addGeometryListener(events::IEventListener* l) override { geometryListeners_.add(l); }
    void addPaintListener(events::IEventListener* l) override { paintListeners_.add(l); }
    void* paintDC() const override { return paintDC_; }
    void skipDefaultPaint() override { skipDefaultPaint_ = true; }
    void setMouseTransparent(bool on) override { mouseTransparent_ = on; }
    bool isMouseTransparent() const { return mouseTransparent_; }
    void setHoverColor(uint32_t r, uint32_t g, uint32_t b) override;
    // The platform box registers the drop targets and owns the images.
    void setAcceptFiles(bool on) override { acceptFiles_ = on; }
    void setAcceptUrls(bool on) override { acceptUrls_ = on; }
    void setBackgroundImage(image::win::BufferedImage* /*image*/, bool /*owned*/) override {}
    void releaseBackgroundBuffer() override {}
    bool isHovered() const { return hovered_; }
    void addClickListener(events::IEventListener* l) override;
    void addActionListener(events::IEventListener* l) override { addClickListener(l); }

    int32_t leftMargin() const { return leftMargin_; }
    int32_t topMargin() const { return topMargin_; }
    int32_t rightMargin() const { return rightMargin_; }
    int32_t bottomMargin() const { return bottomMargin_; }

protected:
    BoxBase() = default;
    // Back to the created state: children removed and released, listeners cleared.
    void resetBox();

    int32_t frameWidth() const override { return leftMargin_ + rightMargin_; }
    int32_t frameHeight() const override { return topMargin_ + bottomMargin_; }
    void geometryChanged() override;

    // The native window exists.
    virtual bool hasNativeWindow() const { return this->native_ != nullptr; }
    // Attaches the child on the window's thread (the platform hands it over).
    virtual void attachChildNow(IComponent* child) { child->attach(this); }
    virtual void showNative(bool /*show*/) {}

    // Relayout after a change: this box, then (when asked) its parent, twice for a flow.
    void relayoutPropagating(bool propagate);
    // Gives every child the offset of the left and top margins (skipped while both are 0).
    void applyMargins();
    void applyMarginTo(IComponent* child);
    BoxAxis horizontalAxis() const;
    BoxAxis verticalAxis() const;

    col::_array::ArrayP children_;       // IComponent*, owned: released when removed
    ILayoutManager* manager_ = nullptr;  // not owned
    layout::ContentSizes content_;
    int32_t percentWidth_ = -1, percentHeight_ = -1;
    int32_t exactWidth_ = -1, exactHeight_ = -1;
    int32_t minimumWidthFloor_ = -1;
    bool ignoreMinimumWidth_ = false, ignoreMinimumHeight_ = false;
    int32_t layoutStyle_ = kVertical;
    int32_t horizontalAlignment_ = layout::kStart;
    int32_t verticalAlignment_ = layout::kStart;
    int32_t horizontalSpacing_ = 0, verticalSpacing_ = 0;
    int32_t leftMargin_ = 0, rightMargin_ = 0, topMargin_ = 0, bottomMargin_ = 0;
    bool attachingChildren_ = false;
    int32_t layoutDepth_ = 0;
    bool visibilityLocked_ = false;
    bool mouseTransparent_ = true;
    bool hoverColorSet_ = false;
    Color hoverColor_ = 0xFFFFFFFFu;
    bool hovered_ = false;
    bool acceptFiles_ = false, acceptUrls_ = false;
    int32_t wheelLines_ = 0;
    void* paintDC_ = nullptr;
    bool skipDefaultPaint_ = false;
    str::strarray::StrArray droppedFiles_;
    str::strbuffer::StrBuffer droppedUrl_;
    ListenerList fileDropListeners_, wheelListeners_, layoutListeners_, geometryListeners_,
        paintListeners_, clickListeners_, urlDropListeners_;
};

}  // namespace s::gui

#include "gui/box_base.h"

#include <cstdint>

#include "gui/layout/layouts.h"

namespace s::gui {

int32_t percentOf(int32_t value, int32_t percent) {
    int64_t v = static_cast<int64_t>(value) * percent;
    int64_t r = v >= 0 ? (v + 50) / 100 : -((-v + 50) / 100);
    return static_cast<int32_t>(r);
}

int32_t boxMinimum(const BoxAxis& a) {
    if (a.ignoreMinimum)
        return 0;
    if (a.exact >= 0)
        return a.exact;
    int32_t m = a.margins + a.contentMin;
    if (a.minimumFloor >= 0 && m < a.minimumFloor)
        m = a.minimumFloor;
    return m;
}

int32_t boxMaximum(const BoxAxis& a, int32_t parentClient, bool hasParent) {
    if (a.exact >= 0)
        return a.exact;
    if (a.percent >= 0 && hasParent)
        return percentOf(parentClient, a.percent);
    return a.margins + (a.contentMax > a.contentMin ? a.contentMax : a.contentMin);
}

BoxBase::~BoxBase() = default;

BoxAxis BoxBase::horizontalAxis() const {
    BoxAxis a;
    a.exact = exactWidth_;
    a.percent = percentWidth_;
    a.margins = leftMargin_ + rightMargin_;
    a.contentMin = content_.minWidth;
    a.contentMax = content_.maxWidth;
    a.ignoreMinimum = ignoreMinimumWidth_;
    a.minimumFloor = minimumWidthFloor_;
    return a;
}

BoxAxis BoxBase::verticalAxis() const {
    BoxAxis a;
    a.exact = exactHeight_;
    a.percent = percentHeight_;
    a.margins = topMargin_ + bottomMargin_;
    a.contentMin = content_.minHeight;
    a.contentMax = content_.maxHeight;
    a.ignoreMinimum = ignoreMinimumHeight_;
    return a;
}

int32_t BoxBase::minimumWidth() const {
    return boxMinimum(horizontalAxis());
}

int32_t BoxBase::minimumHeight() const {
    return boxMinimum(verticalAxis());
}

int32_t BoxBase::maximumWidth() const {
    return boxMaximum(horizontalAxis(), parent_ ? parent_->clientWidth() : 0, parent_ != nullptr);
}

int32_t BoxBase::maximumHeight() const {
    return boxMaximum(verticalAxis(), parent_ ? parent_->clientHeight() : 0, parent_ != nullptr);
}

IComponent* BoxBase::childAt(int32_t index) const {
    if (index < 0 || index >= children_.count())
        return nullptr;
    return static_cast<IComponent*>(children_.get(index));
}

void BoxBase::addChild(IComponent* child) {
    if (!child || child == this)
        return;
    children_.add(child);
    if (!hasNativeWindow())
        return;
    attachChildNow(child);
    applyMarginTo(child);
    relayoutPropagating(true);
}

void BoxBase::removeChild(IComponent* child, bool recursive) {
    int32_t at = 0;
    if (!child || !children_.indexOf(child, at))
        return;
    children_.detach(at);
    if (recursive && child->isContainer())
        child->removeAllChildren(true);
    child->attach(nullptr);
    child->release();
    relayoutPropagating(true);
}

void BoxBase::removeAllChildren(bool recursive) {
    while (children_.count() > 0) {
        for (int32_t i = children_.count() - 1; i >= 0; --i) {
            auto* child = static_cast<IComponent*>(children_.detach(i));
            if (!child)
                continue;
            if (recursive && child->isContainer())
                child->removeAllChildren(true);
            child->attach(nullptr);
            child->release();
        }
    }
    relayoutPropagating(true);
}

void BoxBase::resizeClamped(int32_t width, int32_t height) {
    ComponentOf<IBox>::resizeClamped(width, height);
    doLayout();
}

void BoxBase::relayout() {
    if (hasNativeWindow())
        doLayout();
}

void BoxBase::relayoutPropagating(bool propagate) {
    if (!hasNativeWindow())
        return;
    doLayout();
    if (!propagate || !parent_)
        return;
    parent_->relayout();
    // A flow's height depends on the width the parent gives it.
    if (layoutStyle_ == kFlow)
        parent_->relayout();
}

void BoxBase::doLayout() {
    if (attachingChildren_ || layoutDepth_ >= 2)
        return;
    ++layoutDepth_;
    content_ = layout::ContentSizes{};
    if (children_.count() > 0) {
        if (manager_) {
            manager_->doLayout(this);
        } else {
            switch (layoutStyle_) {
                case kHorizontal:
                    layout::layoutHorizontal(*this, horizontalAlignment_, verticalAlignment_,
                                             horizontalSpacing_, &content_);
                    break;
                case kFlow:
                    layout::layoutFlowH(*this, horizontalAlignment_, verticalAlignment_,
                                        horizontalSpacing_, verticalSpacing_, &content_);
                    break;
                case kPile:
                    layout::layoutPile(*this, horizontalAlignment_, verticalAlignment_, &content_);
                    break;
                default:
                    layout::layoutVertical(*this, horizontalAlignment_, verticalAlignment_,
                                           verticalSpacing_, &content_);
                    break;
            }
        }
    }
    layoutListeners_.fire(this, kLaidOut);
    --layoutDepth_;
}

ILayoutManager* BoxBase::layoutManager() const {
    return manager_ ? manager_ : &layout::sharedFlowH();
}

void BoxBase::applyMarginTo(IComponent* child) {
    if (!hasNativeWindow() || (leftMargin_ == 0 && topMargin_ == 0))
        return;
    child->setOffset(leftMargin_, topMargin_);
}

void BoxBase::applyMargins() {
    for (int32_t i = 0; i < children_.count(); ++i)
        applyMarginTo(childAt(i));
}

void BoxBase::setLeftMargin(int32_t n) {
    leftMargin_ = n;
    applyMargins();
}
void BoxBase::setRightMargin(int32_t n) {
    rightMargin_ = n;
    applyMargins();
}
void BoxBase::setTopMargin(int32_t n) {
    topMargin_ = n;
    applyMargins();
}
void BoxBase::setBottomMargin(int32_t n) {
    bottomMargin_ = n;
    applyMargins();
}
void BoxBase::setHorizontalMargin(int32_t n) {
    leftMargin_ = rightMargin_ = n;
    applyMargins();
}
void BoxBase::setVerticalMargin(int32_t n) {
    topMargin_ = bottomMargin_ = n;
    applyMargins();
}
void BoxBase::setMargin(int32_t n) {
    leftMargin_ = rightMargin_ = topMargin_ = bottomMargin_ = n;
    applyMargins();
}

void BoxBase::setFillParent() {
    percentWidth_ = 100;
    percentHeight_ = 100;
}

void BoxBase::setPercentWidth(int32_t percent, bool propagate) {
    exactWidth_ = -1;
    percentWidth_ = percent;
    relayoutPropagating(propagate);
}

void BoxBase::setPercentHeight(int32_t percent, bool propagate) {
    exactHeight_ = -1;
    percentHeight_ = percent;
    relayoutPropagating(propagate);
}

void BoxBase::setExactWidth(int32_t width, bool propagate) {
    percentWidth_ = -1;
    exactWidth_ = width;
    relayoutPropagating(propagate);
}

void BoxBase::setExactHeight(int32_t height, bool propagate) {
    percentHeight_ = -1;
    exactHeight_ = height;
    relayoutPropagating(propagate);
}

void BoxBase::attach(IComponent* parent) {
    if (!parent) {
        // Children first, so that none keeps a native handle its parent's destruction frees.
        for (int32_t i = 0; i < children_.count(); ++i)
            childAt(i)->attach(nullptr);
        ComponentOf<IBox>::attach(nullptr);
        return;
    }
    ComponentOf<IBox>::attach(parent);
    if (!hasNativeWindow())
        return;
    attachingChildren_ = true;
    for (int32_t i = 0; i < children_.count(); ++i) {
        attachChildNow(childAt(i));
        applyMarginTo(childAt(i));
    }
    attachingChildren_ = false;
    relayoutPropagating(true);
    if (visible_)
        showNative(true);
}

void BoxBase::setVisible(bool show, bool recursive) {
    if (visibilityLocked_)
        return;
    if (show) {
        if (visible_)
            return;
        visible_ = true;
        showNative(true);
        if (recursive) {
            for (int32_t i = 0; i < children_.count(); ++i)
                childAt(i)->setVisible(true, true);
        }
        if (hasNativeWindow() && parent_) {
            parent_->relayout();
            parent_->relayout();
        }
        return;
    }
    if (!visible_)
        return;
    visible_ = false;
    if (hasNativeWindow()) {
        showNative(false);
        move(-10000, 10000);
    }
    for (int32_t i = 0; i < children_.count(); ++i)
        childAt(i)->setVisible(false, true);
    releaseBackgroundBuffer();
}

void BoxBase::showOnlyChild(int32_t index) {
    for (int32_t i = 0; i < children_.count(); ++i) {
        if (i != index)
            childAt(i)->setVisible(false, true);
    }
    if (IComponent* child = childAt(index))
        child->setVisible(true, true);
}

void BoxBase::switchToChild(int32_t index) {
    for (int32_t i = 0; i < children_.count(); ++i) {
        if (i == index)
            continue;
        IComponent* child = childAt(i);
        child->setVisible(false, true);
        child->setOffset(0, 3000);
        if (IBox* box = child->asBox())
            box->setVisibilityLocked(true);
    }
    IComponent* chosen = childAt(index);
    if (!chosen)
        return;
    if (IBox* box = chosen->asBox())
        box->setVisibilityLocked(false);
    chosen->setOffset(0, 0);
    chosen->setVisible(true, true);
}

void BoxBase::setHoverColor(uint32_t r, uint32_t g, uint32_t b) {
    hoverColorSet_ = true;
    hoverColor_ = rgb(r, g, b);
}

void BoxBase::addClickListener(events::IEventListener* listener) {
    clickListeners_.add(listener);
    mouseTransparent_ = false;
}

void BoxBase::geometryChanged() {
    geometryListeners_.fire(this, kGeometryChanged);
}

void BoxBase::resetBox() {
    visible_ = true;
    visibilityLocked_ = false;
    removeAllChildren(true);
    attach(nullptr);
    children_.freeStorage();
    manager_ = nullptr;
    content_ = layout::ContentSizes{};
    percentWidth_ = percentHeight_ = -1;
    exactWidth_ = exactHeight_ = -1;
    minimumWidthFloor_ = -1;
    ignoreMinimumWidth_ = ignoreMinimumHeight_ = false;
    layoutStyle_ = kVertical;
    horizontalAlignment_ = verticalAlignment_ = layout::kStart;
    horizontalSpacing_ = verticalSpacing_ = 0;
    leftMargin_ = rightMargin_ = topMargin_ = bottomMargin_ = 0;
    attachingChildren_ = false;
    layoutDepth_ = 0;
    mouseTransparent_ = true;
    hoverColorSet_ = false;
    hoverColor_ = 0xFFFFFFFFu;
    hovered_ = false;
    acceptFiles_ = acceptUrls_ = false;
    wheelLines_ = 0;
    paintDC_ = nullptr;
    skipDefaultPaint_ = false;
    droppedFiles_.reset();
    droppedUrl_.reset();
    fileDropListeners_.clear();
    wheelListeners_.clear();
    layoutListeners_.clear();
    geometryListeners_.clear();
    paintListeners_.clear();
    clickListeners_.clear();
    urlDropListeners_.clear();
    resetComponent();
}

}  // namespace s::gui

#include "gui/controls/spacer.h"

#include <utility>

#include "gui/i_box.h"

namespace s::gui::controls {

void Spacer::reset() {
    resetComponent();
    orientation_ = kHorizontal;
    minW_ = minH_ = maxW_ = maxH_ = 0;
    percentWidth_ = percentHeight_ = -1;
    exactWidth_ = exactHeight_ = -1;
}

void Spacer::exchangeAxes() {
    std::swap(minW_, minH_);
    std::swap(maxW_, maxH_);
    std::swap(percentWidth_, percentHeight_);
    std::swap(exactWidth_, exactHeight_);
}

void Spacer::setHorizontal() {
    if (orientation_ != kHorizontal)
        exchangeAxes();
    orientation_ = kHorizontal;
}

void Spacer::setVertical() {
    if (orientation_ != kVertical)
        exchangeAxes();
    orientation_ = kVertical;
}

void Spacer::setMinimum(int32_t width, int32_t height) {
    minW_ = width < 0 ? 0 : width;
    minH_ = height < 0 ? 0 : height;
}

void Spacer::setMaximum(int32_t width, int32_t height) {
    maxW_ = width < 0 ? 0 : width;
    maxH_ = height < 0 ? 0 : height;
}

void Spacer::setPercentWidth(int32_t percent) {
    percentWidth_ = percent;
    exactWidth_ = -1;
}

void Spacer::setPercentHeight(int32_t percent) {
    percentHeight_ = percent;
    exactHeight_ = -1;
}

bool Spacer::insideHorizontalBox() const {
    IBox* box = parent_ ? parent_->asBox() : nullptr;
    return box && box->layoutStyle() == IBox::kHorizontal;
}

int32_t Spacer::minimumWidth() const {
    if (orientation_ == kVertical && insideHorizontalBox())
        return 0;
    return exactWidth_ >= 0 ? exactWidth_ : minW_;
}

int32_t Spacer::minimumHeight() const {
    if (orientation_ == kHorizontal && insideHorizontalBox())
        return 0;
    return exactHeight_ >= 0 ? exactHeight_ : minH_;
}

int32_t Spacer::maximumWidth() const {
    if (orientation_ == kVertical && insideHorizontalBox())
        return 0;
    if (exactWidth_ >= 0)
        return exactWidth_;
    if (percentWidth_ >= 0 && parent_)
        return parent_->clientWidth() * percentWidth_ / 100;
    return maxW_ > minW_ ? maxW_ : minW_;
}

int32_t Spacer::maximumHeight() const {
    if (orientation_ == kHorizontal && insideHorizontalBox())
        return 0;
    if (exactHeight_ >= 0)
        return exactHeight_;
    if (percentHeight_ >= 0 && parent_)
        return parent_->clientHeight() * percentHeight_ / 100;
    return maxH_ > minH_ ? maxH_ : minH_;
}

}  // namespace s::gui::controls

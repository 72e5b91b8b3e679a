#pragma once

#include <cstdint>

#include "base/pool.h"
#include "gui/component.h"

namespace s::gui::controls {

// A gap for the layouts, with an orientation and its own size settings; it has no native
// window (nothing to paint). Inside a horizontal box a vertical spacer takes no width, and
// a horizontal one no height, otherwise its exact size, else the percentage of the
// parent's client size (for the maximum), else the larger of its minimum and maximum.
// The containing window's thread.
class Spacer final : public thread::Pooled<Spacer, Component> {
public:
    enum Orientation : int32_t { kHorizontal = 0, kVertical = 1 };

    Spacer() = default;
    const char16_t* className() const override { return u"s_gui_controls_Spacer"; }
    Spacer* newInstance() const override { return take(); }
    void reset() override;

    int32_t orientation() const { return orientation_; }
    // Both exchange the width and height settings when the orientation changes.
    void setHorizontal();
    void setVertical();
    void setMinimum(int32_t width, int32_t height);
    void setMaximum(int32_t width, int32_t height);
    // Clear the exact size of that axis.
    void setPercentWidth(int32_t percent);
    void setPercentHeight(int32_t percent);
    void setExactWidth(int32_t width) { exactWidth_ = width; }
    void setExactHeight(int32_t height) { exactHeight_ = height; }
    void setFillParent() {
        setPercentWidth(100);
        setPercentHeight(100);
    }

    int32_t minimumWidth() const override;
    int32_t minimumHeight() const override;
    int32_t maximumWidth() const override;
    int32_t maximumHeight() const override;

private:
    bool insideHorizontalBox() const;
    void exchangeAxes();

    int32_t orientation_ = kHorizontal;
    int32_t minW_ = 0, minH_ = 0, maxW_ = 0, maxH_ = 0;
    int32_t percentWidth_ = -1, percentHeight_ = -1;
    int32_t exactWidth_ = -1, exactHeight_ = -1;
};

}  // namespace s::gui::controls

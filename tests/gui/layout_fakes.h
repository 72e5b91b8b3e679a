#pragma once

#include <cstdint>

#include "gui/box_base.h"
#include "gui/component.h"

namespace s::gui::testing {

// A leaf with given limits that counts its native placements. Owned by the test: release()
// only notes the call.
class FakeLeaf final : public Component {
public:
    FakeLeaf(int32_t minW, int32_t maxW, int32_t minH, int32_t maxH) {
        setMinimumSize(minW, minH);
        setMaximumSize(maxW, maxH);
    }
    const char16_t* className() const override { return u"s_gui_testing_FakeLeaf"; }
    FakeLeaf* newInstance() const override { return nullptr; }
    void reset() override {}
    void release() override { ++released; }
    void redraw() override { ++redraws; }

    int32_t placements = 0;
    int32_t redraws = 0;
    int32_t released = 0;

protected:
    void placeNative(uint32_t /*what*/) override { ++placements; }
};

// A box whose "native window" is a flag, so the relayout rules that need one can run.
class FakeBox final : public BoxBase {
public:
    explicit FakeBox(bool native = true) : native(native) {}
    ~FakeBox() override { children_.clear(); }
    const char16_t* className() const override { return u"s_gui_testing_FakeBox"; }
    FakeBox* newInstance() const override { return nullptr; }
    void reset() override { resetBox(); }
    void release() override { ++released; }
    void setVisibleFlag(bool on) { visible_ = on; }

    bool native;
    int32_t released = 0;
    int32_t shows = 0, hides = 0;

protected:
    bool hasNativeWindow() const override { return native; }
    void showNative(bool show) override { ++(show ? shows : hides); }
};

}  // namespace s::gui::testing

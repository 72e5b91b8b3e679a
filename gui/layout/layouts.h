#pragma once

#include <cstdint>

#include "base/pool.h"
#include "gui/i_layout_manager.h"

namespace s::gui {
class IComponent;
}

namespace s::gui::layout {

// Alignments: horizontal 0 left, 1 centre, 2 right; vertical 0 top, 1 middle, 2 bottom.
enum Align : int32_t { kStart = 0, kCenter = 1, kEnd = 2 };

// What a layout learnt about its children: the container's content limits.
struct ContentSizes {
    int32_t minWidth = 0;
    int32_t minHeight = 0;
    int32_t maxWidth = 0;
    int32_t maxHeight = 0;
};

// The four algorithms. They only use the IComponent operations of the container and its
// children (client size, limits, resizeClamped, move, positioning suspension, redraw), so
// they run on the container's window thread. `out` may be null.
void layoutVertical(IComponent& container, int32_t hAlign, int32_t vAlign, int32_t spacing,
                    ContentSizes* out);
void layoutHorizontal(IComponent& container, int32_t hAlign, int32_t vAlign, int32_t spacing,
                      ContentSizes* out);
void layoutFlowH(IComponent& container, int32_t hAlign, int32_t vAlign, int32_t hSpacing,
                 int32_t vSpacing, ContentSizes* out);
void layoutPile(IComponent& container, int32_t hAlign, int32_t vAlign, ContentSizes* out);

// Sum of sizes along an axis with the spacing rule: a gap follows every size of at least 1
// that has a later size of at least 1 (sizes of 0 take no gap).
int64_t spacedTotal(const int32_t* sizes, int32_t count, int32_t spacing);

// The managers: left/top alignment, no spacing. Stateless and pooled.
class Vertical final : public thread::Pooled<Vertical, ILayoutManager> {
public:
    const char16_t* className() const override { return u"s_gui_layout_Vertical"; }
    Vertical* newInstance() const override { return take(); }
    void reset() override {}
    void doLayout(IContainer* container) override;
};

class Horizontal final : public thread::Pooled<Horizontal, ILayoutManager> {
public:
    const char16_t* className() const override { return u"s_gui_layout_Horizontal"; }
    Horizontal* newInstance() const override { return take(); }
    void reset() override {}
    void doLayout(IContainer* container) override;
};

class FlowH final : public thread::Pooled<FlowH, ILayoutManager> {
public:
    const char16_t* className() const override { return u"s_gui_layout_FlowH"; }
    FlowH* newInstance() const override { return take(); }
    void reset() override {}
    void doLayout(IContainer* container) override;
};

class Pile final : public thread::Pooled<Pile, ILayoutManager> {
public:
    const char16_t* className() const override { return u"s_gui_layout_Pile"; }
    Pile* newInstance() const override { return take(); }
    void reset() override {}
    void doLayout(IContainer* container) override;
};

// The shared instances, made on first use (thread-safely) and kept for the program's life.
Vertical& sharedVertical();
FlowH& sharedFlowH();

}  // namespace s::gui::layout

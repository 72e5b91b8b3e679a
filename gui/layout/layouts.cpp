#include "gui/layout/layouts.h"

#include <cstdint>
#include <limits>

#include "gui/i_container.h"

namespace s::gui::layout {
namespace {

int32_t saturate(int64_t v) {
    if (v > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

int32_t maxOf(int32_t a, int32_t b) {
    return a > b ? a : b;
}

// A minimum above the maximum wins.
int32_t effectiveMaxWidth(const IComponent& c) {
    return maxOf(c.maximumWidth(), c.minimumWidth());
}
int32_t effectiveMaxHeight(const IComponent& c) {
    return maxOf(c.maximumHeight(), c.minimumHeight());
}

// Sums sizes with the spacing rule, one value at a time.
class SpacedSum {
public:
    explicit SpacedSum(int32_t spacing) : spacing_(spacing) {}
    void add(int32_t size) {
        if (size >= 1) {
            if (sized_)
                total_ += spacing_;
            sized_ = true;
        }
        total_ += size;
    }
    int64_t total() const { return total_; }

private:
    int64_t total_ = 0;
    int32_t spacing_;
    bool sized_ = false;
};

// Suspends every child's positioning for the layout unless the container itself is
// suspended (then its own resume applies everything once), and resumes and redraws after.
class PositioningScope {
public:
    explicit PositioningScope(IComponent& container)
        : container_(container), active_(!container.isPositioningSuspended()) {
        if (!active_)
            return;
        for (int32_t i = 0; i < container_.childCount(); ++i) {
            if (IComponent* child = container_.childAt(i))
                child->suspendPositioning();
        }
    }
    ~PositioningScope() {
        if (!active_)
            return;
        for (int32_t i = 0; i < container_.childCount(); ++i) {
            if (IComponent* child = container_.childAt(i)) {
                child->resumePositioning();
                child->redraw();
            }
        }
    }
    PositioningScope(const PositioningScope&) = delete;
    PositioningScope& operator=(const PositioningScope&) = delete;

private:
    IComponent& container_;
    bool active_;
};

// Offset of a size inside a span for an alignment; 0 when it does not fit.
int32_t alignedOffset(int32_t align, int32_t span, int32_t size) {
    if (size >= span)
        return 0;
    if (align == kCenter)
        return (span - size) / 2;
    if (align == kEnd)
        return span - size;
    return 0;
}

int32_t startOffset(int32_t align, int64_t extra) {
    if (extra < 1)
        return 0;
    if (align == kCenter)
        return saturate(extra / 2);
    if (align == kEnd)
        return saturate(extra);
    return 0;
}

void writeOut(ContentSizes* out, int64_t minW, int64_t minH, int64_t maxW, int64_t maxH) {
    if (!out)
        return;
    out->minWidth = saturate(minW);
    out->minHeight = saturate(minH);
    out->maxWidth = saturate(maxW);
    out->maxHeight = saturate(maxH);
}

// Growth of one child by the factor, truncated toward zero, computed in single precision.
int32_t grown(int32_t size, int32_t maximum, float factor) {
    float gain = static_cast<float>(maximum - size) * factor;
    return size + static_cast<int32_t>(gain);
}

}  // namespace

int64_t spacedTotal(const int32_t* sizes, int32_t count, int32_t spacing) {
    SpacedSum sum(spacing);
    for (int32_t i = 0; i < count; ++i)
        sum.add(sizes[i]);
    return sum.total();
}

void layoutVertical(IComponent& container, int32_t hAlign, int32_t vAlign, int32_t spacing,
                    ContentSizes* out) {
    const int32_t n = container.childCount();
    int32_t minWidthMax = 0;
    int32_t maxWidthMax = 0;
    int64_t minTotal = 0;
    int64_t maxTotal = 0;
    {
        PositioningScope scope(container);
        for (int32_t i = 0; i < n; ++i) {
            IComponent* c = container.childAt(i);
            minWidthMax = maxOf(minWidthMax, c->minimumWidth());
            maxWidthMax = maxOf(maxWidthMax, effectiveMaxWidth(*c));
        }
        const int32_t wc = maxOf(container.clientWidth(), minWidthMax);
        SpacedSum mins(spacing), maxs(spacing);
        for (int32_t i = 0; i < n; ++i) {
            IComponent* c = container.childAt(i);
            c->resizeClamped(wc, 0);
            mins.add(c->height());
            maxs.add(maxOf(c->maximumHeight(), c->height()));
        }
        minTotal = mins.total();
        maxTotal = maxs.total();
        const int64_t hc =
            container.clientHeight() > minTotal ? container.clientHeight() : minTotal;
        int64_t extra = hc - minTotal;
        if (extra >= 1 && minTotal < maxTotal) {
            if (hc < maxTotal) {
                const float factor =
                    static_cast<float>(extra) / static_cast<float>(maxTotal - minTotal);
                for (int32_t i = 0; i < n; ++i) {
                    IComponent* c = container.childAt(i);
                    int32_t h = c->height();
                    if (h < c->maximumHeight()) {
                        c->resizeClamped(wc, grown(h, c->maximumHeight(), factor));
                        extra -= c->height() - h;
                    }
                }
                for (int32_t i = 0; i < n && extra != 0; ++i) {
                    IComponent* c = container.childAt(i);
                    int32_t h = c->height();
                    if (h < c->maximumHeight()) {
                        int64_t target = h + extra;
                        if (target > c->maximumHeight())
                            target = c->maximumHeight();
                        c->resizeClamped(wc, saturate(target));
                        extra -= c->height() - h;
                    }
                }
            } else {
                for (int32_t i = 0; i < n; ++i) {
                    IComponent* c = container.childAt(i);
                    c->resizeClamped(wc, c->maximumHeight());
                }
                extra = hc - maxTotal;
            }
        }
        int64_t y = vAlign == kStart ? 0 : startOffset(vAlign, extra);
        for (int32_t i = 0; i < n; ++i) {
            IComponent* c = container.childAt(i);
            int32_t x = alignedOffset(hAlign, wc, c->width());
            c->move(x, saturate(y));
            y += c->height();
            if (c->height() >= 1 && i + 1 < n)
                y += spacing;
        }
    }
    writeOut(out, minWidthMax, minTotal, maxWidthMax, maxTotal);
}

void layoutHorizontal(IComponent& container, int32_t hAlign, int32_t vAlign, int32_t spacing,
                      ContentSizes* out) {
    const int32_t n = container.childCount();
    int64_t minTotal = 0;
    int64_t maxTotal = 0;
    int32_t minHeightMax = 0;
    int32_t maxHeightMax = 0;
    {
        PositioningScope scope(container);
        SpacedSum mins(spacing), maxs(spacing);
        for (int32_t i = 0; i < n; ++i) {
            IComponent* c = container.childAt(i);
            mins.add(c->minimumWidth());
            maxs.add(effectiveMaxWidth(*c));
        }
        minTotal = mins.total();
        maxTotal = maxs.total();
        const int64_t wr = container.clientWidth() > minTotal ? container.clientWidth() : minTotal;
        int64_t extra = wr - minTotal;
        if (extra >= 1 && minTotal < maxTotal) {
            if (wr < maxTotal) {
                const float factor =
                    static_cast<float>(extra) / static_cast<float>(maxTotal - minTotal);
                for (int32_t i = 0; i < n; ++i) {
                    IComponent* c = container.childAt(i);
                    int32_t minW = c->minimumWidth();
                    if (minW < c->maximumWidth())
                        c->resizeClamped(grown(minW, c->maximumWidth(), factor), 0);
                    else
                        c->resizeClamped(minW, 0);
                    extra -= c->width() - minW;
                }
                for (int32_t i = 0; i < n && extra != 0; ++i) {
                    IComponent* c = container.childAt(i);
                    int32_t w = c->width();
                    if (w < c->maximumWidth()) {
                        int64_t target = w + extra;
                        if (target > c->maximumWidth())
                            target = c->maximumWidth();
                        c->resizeClamped(saturate(target), 0);
                        extra -= c->width() - w;
                    }
                }
            } else {
                for (int32_t i = 0; i < n; ++i) {
                    IComponent* c = container.childAt(i);
                    c->resizeClamped(effectiveMaxWidth(*c), 0);
                }
                extra = wr - maxTotal;
            }
        } else {
            for (int32_t i = 0; i < n; ++i) {
                IComponent* c = container.childAt(i);
                c->resizeClamped(c->minimumWidth(), 0);
            }
        }
        for (int32_t i = 0; i < n; ++i) {
            IComponent* c = container.childAt(i);
            minHeightMax = maxOf(minHeightMax, c->minimumHeight());
            maxHeightMax = maxOf(maxHeightMax, effectiveMaxHeight(*c));
        }
        const int32_t hr = maxOf(container.clientHeight(), minHeightMax);
        for (int32_t i = 0; i < n; ++i) {
            IComponent* c = container.childAt(i);
            c->resizeClamped(c->width(), maxOf(hr, c->minimumHeight()));
        }
        int64_t x = startOffset(hAlign, extra);
        for (int32_t i = 0; i < n; ++i) {
            IComponent* c = container.childAt(i);
            c->move(saturate(x), alignedOffset(vAlign, hr, c->height()));
            x += c->width();
            if (c->width() >= 1 && i + 1 < n)
                x += spacing;
        }
    }
    writeOut(out, minTotal, minHeightMax, maxTotal, maxHeightMax);
}

namespace {

bool countsForGap(const IComponent& c) {
    return c.isVisible() && c.width() > 0;
}

// One row of a flow: children [begin, end), the width it leaves free and its heights.
struct FlowRow {
    int32_t begin = 0;
    int32_t end = 0;
    int64_t remaining = 0;
};

// The row that starts at `begin`, broken by the children's current widths.
FlowRow nextFlowRow(IComponent& container, int32_t begin, int32_t rowWidth, int32_t spacing) {
    const int32_t n = container.childCount();
    FlowRow row;
    row.begin = begin;
    row.remaining = rowWidth;
    bool counted = false;
    int32_t i = begin;
    for (; i < n; ++i) {
        IComponent* c = container.childAt(i);
        bool counts = countsForGap(*c);
        int32_t gap = counts && counted ? spacing : 0;
        if (i > begin && row.remaining - gap - c->width() < 0)
            break;
        row.remaining -= gap + c->width();
        counted = counted || counts;
    }
    row.end = i;
    return row;
}

}  // namespace

void layoutFlowH(IComponent& container, int32_t hAlign, int32_t vAlign, int32_t hSpacing,
                 int32_t vSpacing, ContentSizes* out) {
    const int32_t n = container.childCount();
    int32_t minWidthMax = 0;
    int64_t maxRow = 0;
    int64_t minTotal = 0;
    int64_t maxTotal = 0;
    {
        PositioningScope scope(container);
        bool earlierSized = false;
        for (int32_t i = 0; i < n; ++i) {
            IComponent* c = container.childAt(i);
            minWidthMax = maxOf(minWidthMax, c->minimumWidth());
            bool sized = c->isVisible() && c->minimumWidth() > 0;
            if (sized && earlierSized)
                maxRow += hSpacing;
            earlierSized = earlierSized || sized;
            maxRow += effectiveMaxWidth(*c);
        }
        const int32_t wf = maxOf(container.clientWidth(), minWidthMax);
        for (int32_t i = 0; i < n; ++i)
            container.childAt(i)->resizeClamped(wf, 0);
        for (int32_t begin = 0; begin < n;) {
            FlowRow row = nextFlowRow(container, begin, wf, hSpacing);
            int32_t rowMin = 0;
            int32_t rowMax = 0;
            for (int32_t i = row.begin; i < row.end; ++i) {
                IComponent* c = container.childAt(i);
                rowMin = maxOf(rowMin, c->height());
                rowMax = maxOf(rowMax, maxOf(c->maximumHeight(), c->height()));
            }
            if (minTotal > 0) {
                minTotal += vSpacing;
                maxTotal += vSpacing;
            }
            minTotal += rowMin;
            maxTotal += rowMax;
            begin = row.end;
        }
        const int64_t hf =
            container.clientHeight() > minTotal ? container.clientHeight() : minTotal;
        int64_t extra = hf - minTotal;
        if (extra > 0 && minTotal < maxTotal) {
            const float factor =
                static_cast<float>(extra) / static_cast<float>(maxTotal - minTotal);
            for (int32_t begin = 0; begin < n;) {
                FlowRow row = nextFlowRow(container, begin, wf, hSpacing);
                int32_t before = 0;
                int32_t after = 0;
                for (int32_t i = row.begin; i < row.end; ++i) {
                    IComponent* c = container.childAt(i);
                    int32_t h = c->height();
                    before = maxOf(before, h);
                    if (h < c->maximumHeight())
                        c->resizeClamped(wf, grown(h, c->maximumHeight(), factor));
                    after = maxOf(after, c->height());
                }
                extra -= after - before;
                begin = row.end;
            }
        }
        int64_t y = startOffset(vAlign, extra);
        for (int32_t begin = 0; begin < n;) {
            FlowRow row = nextFlowRow(container, begin, wf, hSpacing);
            int64_t x = row.remaining > 0 ? startOffset(hAlign, row.remaining) : 0;
            int32_t tallest = 0;
            bool counted = false;
            for (int32_t i = row.begin; i < row.end; ++i) {
                IComponent* c = container.childAt(i);
                bool counts = countsForGap(*c);
                if (counts && counted)
                    x += hSpacing;
                counted = counted || counts;
                c->move(saturate(x), saturate(y));
                x += c->width();
                tallest = maxOf(tallest, c->height());
            }
            y += vSpacing + tallest;
            begin = row.end;
        }
    }
    writeOut(out, minWidthMax, minTotal, maxRow, maxTotal);
}

void layoutPile(IComponent& container, int32_t hAlign, int32_t vAlign, ContentSizes* out) {
    const int32_t n = container.childCount();
    int32_t minW = 0, minH = 0, maxW = 0, maxH = 0;
    {
        PositioningScope scope(container);
        for (int32_t i = 0; i < n; ++i) {
            IComponent* c = container.childAt(i);
            if (!c->isVisible())
                continue;
            minW = maxOf(minW, c->minimumWidth());
            minH = maxOf(minH, c->minimumHeight());
            maxW = maxOf(maxW, effectiveMaxWidth(*c));
            maxH = maxOf(maxH, effectiveMaxHeight(*c));
        }
        const int32_t wp = maxOf(container.clientWidth(), minW);
        const int32_t hp = maxOf(container.clientHeight(), minH);
        for (int32_t i = 0; i < n; ++i) {
            IComponent* c = container.childAt(i);
            if (!c->isVisible())
                continue;
            c->resizeClamped(wp, 0);
            if (c->height() < c->maximumHeight())
                c->resizeClamped(c->width(), maxOf(hp, c->maximumHeight()));
            c->move(alignedOffset(hAlign, wp, c->width()), alignedOffset(vAlign, hp, c->height()));
        }
    }
    writeOut(out, minW, minH, maxW, maxH);
}

void Vertical::doLayout(IContainer* container) {
    if (container)
        layoutVertical(*container, kStart, kStart, 0, nullptr);
}

void Horizontal::doLayout(IContainer* container) {
    if (container)
        layoutHorizontal(*container, kStart, kStart, 0, nullptr);
}

void FlowH::doLayout(IContainer* container) {
    if (container)
        layoutFlowH(*container, kStart, kStart, 0, 0, nullptr);
}

void Pile::doLayout(IContainer* container) {
    if (container)
        layoutPile(*container, kStart, kStart, nullptr);
}

Vertical& sharedVertical() {
    static Vertical* const instance = Vertical::take();
    return *instance;
}

FlowH& sharedFlowH() {
    static FlowH* const instance = FlowH::take();
    return *instance;
}

}  // namespace s::gui::layout

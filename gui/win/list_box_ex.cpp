#include "gui/win/list_box_ex.h"

#include "gui/win/scroll_bar.h"

namespace s::gui::win {

ListBoxEx::ListBoxEx() {
    ensureBar();
}

ListBoxEx::~ListBoxEx() {
    resetContainer();
}

void ListBoxEx::reset() {
    resetContainer();
    bar_ = nullptr;
    ensureBar();
}

void ListBoxEx::ensureBar() {
    if (bar_)
        return;
    bar_ = ScrollBar::take();
    if (!bar_)
        return;
    bar_->addScrollListener(this);
    addChild(bar_);
}

int32_t ListBoxEx::scrollPosition() const {
    return bar_ ? bar_->info().position() : 0;
}

void ListBoxEx::scrollTo(int32_t pixels) {
    if (bar_ && bar_->info().setPosition(pixels)) {
        bar_->update();
        doLayout();
    }
}

void ListBoxEx::doLayout() {
    if (!bar_)
        return;
    const int32_t w = clientWidth(), h = clientHeight();
    const int32_t barWidth = bar_->minimumWidth();
    int32_t total = 0;
    for (int32_t i = 0; i < childCount(); ++i) {
        IComponent* row = childAt(i);
        if (row != bar_ && row->isVisible())
            total += row->minimumHeight();
    }
    controls::ScrollInfo& info = bar_->info();
    info.setRange(0, total > 0 ? total - 1 : 0);
    info.setPage(h);
    int32_t y = -info.position();
    for (int32_t i = 0; i < childCount(); ++i) {
        IComponent* row = childAt(i);
        if (row == bar_ || !row->isVisible())
            continue;
        const int32_t rowHeight = row->minimumHeight();
        row->setBounds(0, y, w - barWidth > 0 ? w - barWidth : 0, rowHeight);
        y += rowHeight;
    }
    bar_->setBounds(w - barWidth, 0, barWidth, h);
    bar_->update();
    redraw();
}

void ListBoxEx::onEvent(base::IObject* source, int32_t eventId) {
    if (source && source == static_cast<base::IObject*>(static_cast<IComponent*>(bar_))) {
        doLayout();
        return;
    }
    NativeContainer::onEvent(source, eventId);
}

void ListBoxEx::paintContent(HDC dc, int32_t width, int32_t height) {
    RECT r{0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(backgroundColor());
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

bool ListBoxEx::handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                              intptr_t lparam) {
    if (message == WM_MOUSEWHEEL) {
        const int32_t delta = GET_WHEEL_DELTA_WPARAM(wparam);
        scrollTo(scrollPosition() + (delta > 0 ? -kWheelStep : kWheelStep));
        result = 0;  // taken
        return true;
    }
    return NativeContainer::handleMessage(result, message, wparam, lparam);
}

}  // namespace s::gui::win

#include "gui/win/status_bar.h"

#include "gui/drawer/i_skin.h"
#include "gui/i_window.h"
#include "gui/layout/layouts.h"
#include "gui/win/control.h"
#include "lang/localizer.h"

namespace s::gui::win {
namespace {

void fillRect(HDC dc, int32_t l, int32_t t, int32_t r, int32_t b, COLORREF colour) {
    RECT rect{l, t, r, b};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

}  // namespace

StatusBar::StatusBar() {
    setPileStyle();
    setTopMargin(1);  // the content starts under the bar's top line
}

StatusBar::~StatusBar() {
    resetContainer();
}

void StatusBar::reset() {
    resetContainer();
    setPileStyle();
    setTopMargin(1);
    drawer_ = nullptr;
}

void StatusBar::setContent(IComponent* content) {
    removeAllChildren(true);
    if (content)
        addChild(content);
    doLayout();
    if (parent_)
        parent_->relayout();
}

void StatusBar::skinChanged() {
    drawer::ISkin* current = skin();
    drawer_ = current ? current->statusBar() : nullptr;
}

void StatusBar::paintContent(HDC dc, int32_t width, int32_t height) {
    fillRect(dc, 0, 0, width, height, backgroundColor());
    drawer::ISkin* current = skin();
    if (drawer_ && current && current->button()) {
        drawer::PaintState state;
        drawer_->paint(dc, 0, 0, width, height, state);
        const drawer::DrawerColours& c = current->palette().of(drawer::DrawerKind::kStatusBar);
        const uint32_t ink = c.isSet(drawer::param::statusbar::kLine)
                                 ? c.colour(drawer::param::statusbar::kLine)
                                 : GetSysColor(COLOR_BTNSHADOW);
        current->button()->paintGlyph(dc, width - 14, height - 14, width - 1, height - 1,
                                      u"#Resizer", ink);
        return;
    }
    fillRect(dc, 0, 0, width, 1, GetSysColor(COLOR_BTNSHADOW));
    // The size grip: three diagonal dot rows in the corner.
    for (int32_t row = 0; row < 3; ++row) {
        for (int32_t i = 0; i <= row; ++i) {
            const int32_t x = width - 4 - 4 * (row - i) - 2, y = height - 4 - 4 * i - 2;
            fillRect(dc, x, y, x + 2, y + 2, GetSysColor(COLOR_BTNSHADOW));
        }
    }
}

bool StatusBar::handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                              intptr_t lparam) {
    if (message == WM_NCHITTEST) {
        result = DefWindowProcW(hwnd(), message, wparam, lparam);
        if (result == HTCLIENT)
            result = HTTRANSPARENT;
        return true;
    }
    return NativeContainer::handleMessage(result, message, wparam, lparam);
}

GroupBox::GroupBox() {
    applyMargins();
}

GroupBox::~GroupBox() {
    resetContainer();
}

void GroupBox::reset() {
    resetContainer();
    drawer_ = nullptr;
    text_.freeStorage();
    textId_ = -1;
    applyMargins();
}

void GroupBox::applyMargins() {
    // Room for the caption on the frame's top edge and a little inside the frame.
    const int32_t caption = font_->lineHeight();
    setLeftMargin(8);
    setRightMargin(8);
    setBottomMargin(8);
    setTopMargin(caption + 6);
}

void GroupBox::setText(const char16_t* text) {
    textId_ = -1;
    text_.setText(text ? text : u"");
    redraw();
}

void GroupBox::setTextId(int32_t id) {
    textId_ = id;
    refreshText();
}

void GroupBox::refreshText() {
    if (textId_ == -1 || !window_ || !window_->localizer())
        return;
    text_.setText(window_->localizer()->text(textId_));
    redraw();
}

void GroupBox::onEvent(base::IObject* source, int32_t eventId) {
    if (source && window_ && source == static_cast<base::IObject*>(window_->localizer())) {
        refreshText();
        return;
    }
    NativeContainer::onEvent(source, eventId);
}

void GroupBox::skinChanged() {
    drawer::ISkin* current = skin();
    drawer_ = current ? current->groupBox() : nullptr;
    refreshText();
}

void GroupBox::paintContent(HDC dc, int32_t width, int32_t height) {
    fillRect(dc, 0, 0, width, height, backgroundColor());
    if (drawer_) {
        drawer::PaintState state;
        state.text = text_.text();
        state.font = font_->handle();
        state.enabled = enabled_;
        drawer_->paint(dc, 0, 0, width, height, state);
        return;
    }
    const int32_t line = font_->lineHeight() / 2;
    RECT frame{0, line, width, height};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    HGDIOBJ before = SelectObject(dc, font_->handle());
    SetBkColor(dc, backgroundColor());
    SetTextColor(dc, font_->attributes().textColour());
    RECT caption{8, 0, width - 8, line * 2 + 2};
    DrawTextW(dc, wideText(text_.text()), -1, &caption, DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, before);
}

}  // namespace s::gui::win

#include "gui/win/menu_ex.h"

#include <windowsx.h>

#include "gui/drawer/i_skin.h"
#include "gui/drawer/skinner.h"
#include "gui/i_window.h"
#include "gui/menu/menu_item.h"
#include "gui/win/control.h"
#include "gui/win/messages.h"
#include "gui/win/popup_menu.h"

namespace s::gui::win {
namespace {

void fillRect(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

}  // namespace

MenuEx::MenuEx() : font_(Font::take()) {}

MenuEx::~MenuEx() {
    reset();
    if (font_)
        font_->release();
}

MenuEx* MenuEx::standard() {
    MenuEx* bar = take();
    if (bar) {
        bar->setExactWidth(150);
        bar->setInnerMargins(6, 3);
    }
    return bar;
}

void MenuEx::reset() {
    attach(nullptr);
    for (int32_t i = entries_.count() - 1; i >= 0; --i) {
        if (isPopup_.get(i))
            entries_.getAs<PopupMenu>(i)->release();
        else
            entries_.getAs<menuitem::MenuItem>(i)->release();
    }
    entries_.clear();
    isPopup_.clear();
    logic_.layout(nullptr, nullptr, nullptr, 0, 0, 0, 0, false);
    resetComponent();
    font_->reset();
    listeners_.clear();
    openListeners_.clear();
    lastCommand_ = -1;
    marginX_ = 6;
    marginY_ = 3;
    percentWidth_ = percentHeight_ = exactWidth_ = exactHeight_ = -1;
    ignoreMinimumWidth_ = wholeBar_ = lastAtRight_ = false;
    tracking_ = reopen_ = false;
}

PopupMenu* MenuEx::popupAt(int32_t entry) const {
    if (entry < 0 || entry >= entries_.count() || !isPopup_.get(entry))
        return nullptr;
    return entries_.getAs<PopupMenu>(entry);
}

menuitem::MenuItem* MenuEx::itemAt(int32_t entry) const {
    if (entry < 0 || entry >= entries_.count() || isPopup_.get(entry))
        return nullptr;
    return entries_.getAs<menuitem::MenuItem>(entry);
}

const char16_t* MenuEx::entryText(int32_t entry) const {
    if (PopupMenu* popup = popupAt(entry))
        return popup->title();
    if (menuitem::MenuItem* item = itemAt(entry))
        return item->text();
    return u"";
}

void MenuEx::addCommandEntry(menuitem::MenuItem* item) {
    if (!item)
        return;
    entries_.add(item);
    isPopup_.add(0);
    relayoutEntries();
}

void MenuEx::addMenuEntry(PopupMenu* popup) {
    if (!popup)
        return;
    entries_.add(popup);
    isPopup_.add(1);
    if (window_ && window_->localizer() && !popup->localizer())
        popup->setLocalizer(window_->localizer());
    relayoutEntries();
}

bool MenuEx::entryRect(int32_t entry, RECT& out) const {
    int32_t l, t, r, b;
    if (!logic_.entryRect(entry, l, t, r, b))
        return false;
    out = RECT{l, t, r, b};
    return true;
}

bool MenuEx::hasCommand(int32_t command) const {
    for (int32_t i = 0; i < entries_.count(); ++i) {
        if (PopupMenu* popup = popupAt(i)) {
            if (popup->hasCommand(command))
                return true;
        } else if (itemAt(i)->command() == command) {
            return true;
        }
    }
    return false;
}

bool MenuEx::isChecked(int32_t command) const {
    for (int32_t i = 0; i < entries_.count(); ++i) {
        PopupMenu* popup = popupAt(i);
        if (popup && popup->hasCommand(command))
            return popup->isChecked(command);
    }
    return false;
}

bool MenuEx::setChecked(int32_t command, bool on) {
    for (int32_t i = 0; i < entries_.count(); ++i) {
        PopupMenu* popup = popupAt(i);
        if (popup && popup->setChecked(command, on))
            return true;
    }
    return false;
}

void MenuEx::dispatchCommand(int32_t command) {
    lastCommand_ = command;
    listeners_.fire(this, kCommand);
}

void MenuEx::retranslate() {
    for (int32_t i = 0; i < entries_.count(); ++i) {
        if (PopupMenu* popup = popupAt(i))
            popup->retranslate();
        else
            itemAt(i)->refreshText();
    }
    relayoutEntries();
}

void MenuEx::onEvent(base::IObject* source, int32_t /*eventId*/) {
    if (!source || !window_)
        return;
    if (source == static_cast<base::IObject*>(window_->localizer())) {
        for (int32_t i = 0; i < entries_.count(); ++i) {
            if (menuitem::MenuItem* item = itemAt(i))
                item->refreshText();
        }
        relayoutEntries();
    } else if (source == static_cast<base::IObject*>(window_->skinner())) {
        redraw();
    }
}

void MenuEx::setInnerMargins(int32_t horizontal, int32_t vertical) {
    marginX_ = horizontal < 0 ? 0 : horizontal;
    marginY_ = vertical < 0 ? 0 : vertical;
    relayoutEntries();
}

void MenuEx::setFontSizeCode(int32_t code) {
    font_->setSizeCode(code);
    font_->deleteRetired();
    relayoutEntries();
}

void MenuEx::setLastEntryAtRight(bool on) {
    lastAtRight_ = on;
    relayoutEntries();
}

void MenuEx::relayoutEntries() {
    const int32_t count = entries_.count();
    col::_array::ArrayS32 widths, heights;
    col::_array::ArrayU08 popups;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ before = dc ? SelectObject(dc, font_->handle()) : nullptr;
    for (int32_t i = 0; i < count; ++i) {
        RECT r{0, 0, 0, 0};
        if (dc)
            DrawTextW(dc, wideText(entryText(i)), -1, &r, DT_CALCRECT | DT_SINGLELINE);
        widths.add(r.right - r.left);
        heights.add(r.bottom - r.top);
        popups.add(isPopup_.get(i));
    }
    if (dc) {
        SelectObject(dc, before);
        DeleteDC(dc);
    }
    logic_.layout(widths.data(), heights.data(), popups.data(), count, marginX_, marginY_, width_,
                  lastAtRight_);
    if (parent_)
        parent_->relayout();
    redraw();
}

void MenuEx::geometryChanged() {
    // The right-aligned last entry follows the bar's width.
    if (lastAtRight_ && !logic_.isOpen()) {
        int32_t l, t, r, b;
        if (logic_.entryRect(logic_.entryCount() - 1, l, t, r, b) && r != width_)
            relayoutEntries();
    }
}

int32_t MenuEx::minimumWidth() const {
    if (exactWidth_ >= 0)
        return exactWidth_;
    return ignoreMinimumWidth_ ? 0 : logic_.contentWidth();
}

int32_t MenuEx::minimumHeight() const {
    return exactHeight_ >= 0 ? exactHeight_ : logic_.contentHeight();
}

int32_t MenuEx::maximumWidth() const {
    if (exactWidth_ >= 0)
        return exactWidth_;
    if (percentWidth_ >= 0 && parent_)
        return parent_->clientWidth() * percentWidth_ / 100;
    return logic_.contentWidth();
}

int32_t MenuEx::maximumHeight() const {
    if (exactHeight_ >= 0)
        return exactHeight_;
    if (percentHeight_ >= 0 && parent_)
        return parent_->clientHeight() * percentHeight_ / 100;
    return logic_.contentHeight();
}

void MenuEx::createNative() {
    auto* parentHwnd = parent_ ? static_cast<HWND>(parent_->nativeHandle()) : nullptr;
    if (!parentHwnd || native_)
        return;
    native_ = createToolkitWindow(0, L"", WS_CHILD | (visible_ ? WS_VISIBLE : 0), x_ + dx_,
                                  y_ + dy_, width_, height_, parentHwnd, this);
    if (!native_) {
        reportCreationFailure();
        return;
    }
    for (int32_t i = 0; i < entries_.count(); ++i) {
        PopupMenu* popup = popupAt(i);
        if (popup && window_ && window_->localizer() && !popup->localizer())
            popup->setLocalizer(window_->localizer());
    }
    relayoutEntries();
}

void MenuEx::destroyNative() {
    if (!hwnd())
        return;
    SendMessageW(hwnd(), msg::kDestroyControl, 0, 0);
    native_ = nullptr;
}

void MenuEx::placeNative(uint32_t what) {
    if (!hwnd())
        return;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (visible_ ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    if (!(what & kPlaceMove))
        flags |= SWP_NOMOVE;
    if (!(what & kPlaceSize))
        flags |= SWP_NOSIZE;
    SetWindowPos(hwnd(), nullptr, x_ + dx_, y_ + dy_, width_, height_, flags);
}

void MenuEx::redraw() {
    if (hwnd())
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void MenuEx::paint(HDC dc, int32_t width, int32_t height) {
    drawer::Skinner* skinner = window_ ? window_->skinner() : nullptr;
    drawer::ISkin* skin = skinner ? skinner->currentSkin() : nullptr;
    COLORREF text = GetSysColor(COLOR_MENUTEXT);
    COLORREF hot = GetSysColor(COLOR_HIGHLIGHT);
    COLORREF hotText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    if (skin) {
        const drawer::DrawerColours& c = skin->palette().of(drawer::DrawerKind::kMenu);
        namespace p = drawer::param::menu;
        if (c.isSet(p::kText))
            text = c.colour(p::kText);
        if (c.isSet(p::kLine))
            hot = c.colour(p::kLine);
        if (c.isSet(p::kBackground))
            hotText = c.colour(p::kBackground);
    }
    fillRect(dc, RECT{0, 0, width, height}, backgroundColor());
    HGDIOBJ before = SelectObject(dc, font_->handle());
    SetBkMode(dc, TRANSPARENT);
    for (int32_t i = 0; i < logic_.entryCount(); ++i) {
        RECT r;
        entryRect(i, r);
        const bool isHot = i == logic_.hot();
        const bool pressed = isHot && (logic_.isOpen() || logic_.isPressed());
        if (isHot) {
            fillRect(dc, r, hot);
            if (pressed) {
                RECT inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
                FrameRect(dc, &inner, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            }
        }
        SetTextColor(dc, isHot ? hotText : text);
        DrawTextW(dc, wideText(entryText(i)), -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
    SelectObject(dc, before);
}

void MenuEx::openDropDown(int32_t entry) {
    if (tracking_) {
        reopen_ = true;
        return;
    }
    tracking_ = true;
    for (;;) {
        reopen_ = false;
        PopupMenu* popup = popupAt(entry);
        RECT r;
        if (!popup || !hwnd() || !entryRect(entry, r))
            break;
        POINT at{r.left, r.bottom};
        ClientToScreen(hwnd(), &at);
        // WM_INITMENUPOPUP of the drop-down comes to the bar through its menu data.
        MENUINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = MIM_MENUDATA;
        info.dwMenuData = reinterpret_cast<ULONG_PTR>(hwnd());
        SetMenuInfo(popup->hmenu(), &info);
        openListeners_.fire(this, kOpening);
        popup->trackAtTop(at.x, at.y, hwnd());
        KillTimer(hwnd(), kFollowTimer);
        logic_.trackingEnded(GetTickCount());
        if (!reopen_)
            break;
        entry = logic_.openEntry();
    }
    tracking_ = false;
}

void MenuEx::closeDropDown() {
    if (!hwnd())
        return;
    KillTimer(hwnd(), kFollowTimer);
    // Ends the menu this thread tracks: never a search of the desktop that could reach
    // another program's menu.
    EndMenu();
}

void MenuEx::captureMouse(bool on) {
    if (!hwnd())
        return;
    if (on)
        SetCapture(hwnd());
    else if (GetCapture() == hwnd())
        ReleaseCapture();
}

void MenuEx::commandEntryChosen(int32_t entry) {
    if (menuitem::MenuItem* item = itemAt(entry))
        dispatchCommand(item->command());
}

void MenuEx::followCursor() {
    POINT p;
    if (!GetCursorPos(&p))
        return;
    ScreenToClient(hwnd(), &p);
    logic_.mouseMove(p.x, p.y);
}

bool MenuEx::handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam, intptr_t lparam) {
    switch (message) {
        case msg::kDestroyControl:
            DestroyWindow(hwnd());
            result = 0;
            return true;
        case WM_PAINT:
            paintBufferedWith(hwnd(), [this](HDC dc, int32_t w, int32_t h) { paint(dc, w, h); });
            result = 0;
            return true;
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_NCHITTEST: {
            POINT p{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            ScreenToClient(hwnd(), &p);
            const bool onEntry =
                wholeBar_ ? logic_.entryCount() > 0 : logic_.entryAt(p.x, p.y) >= 0;
            // Beside the entries the window below takes the mouse (easy drag keeps working).
            result = onEntry || GetCapture() == hwnd() ? HTCLIENT : HTTRANSPARENT;
            return true;
        }
        case WM_MOUSEMOVE: {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd(), 0};
            TrackMouseEvent(&track);
            logic_.mouseMove(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
            result = 0;
            return true;
        }
        case WM_MOUSELEAVE:
            if (!logic_.isOpen() && GetCapture() != hwnd())
                logic_.leave();
            result = 0;
            return true;
        case WM_LBUTTONDOWN:
            logic_.buttonDown(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam), GetTickCount());
            result = 0;
            return true;
        case WM_LBUTTONUP:
            logic_.buttonUp(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
            result = 0;
            return true;
        case WM_TIMER:
            if (wparam != kFollowTimer)
                return false;
            followCursor();
            result = 0;
            return true;
        case WM_INITMENUPOPUP:
            SetTimer(hwnd(), kFollowTimer, kFollowMs, nullptr);
            result = 0;
            return true;
        case WM_COMMAND:
            if (lparam == 0 && HIWORD(wparam) == 0 && hasCommand(LOWORD(wparam))) {
                dispatchCommand(LOWORD(wparam));
                result = 0;
                return true;
            }
            return false;
        default:
            return false;
    }
}

void MenuEx::afterMessage(intptr_t& /*result*/, uint32_t message, uintptr_t /*wparam*/,
                          intptr_t /*lparam*/) {
    if (message == WM_NCDESTROY)
        native_ = nullptr;
}

}  // namespace s::gui::win

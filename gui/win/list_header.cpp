#include "gui/win/list_header.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "gui/win/list_view.h"
#include "image/win/buffered_image.h"

namespace s::gui::win {

namespace {

constexpr UINT_PTR kHeaderSubclass = 2;

void fillRect(HDC dc, const RECT& rect, uint32_t colour) {
    COLORREF previous = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

}  // namespace

void ListHeader::attach(HWND header) {
    detach();
    if (!header)
        return;
    header_ = header;
    SetWindowSubclass(header_, &procedure, kHeaderSubclass, reinterpret_cast<DWORD_PTR>(this));
    readBack();
}

void ListHeader::detach() {
    if (header_)
        RemoveWindowSubclass(header_, &procedure, kHeaderSubclass);
    header_ = nullptr;
    hot_ = -1;
    pressed_ = pressedBeyond_ = tracking_ = false;
}

void ListHeader::setDrawer(drawer::IListHeader* drawer) {
    drawer_ = drawer;
    relayout();
}

void ListHeader::setHeight(int32_t pixels) {
    explicitHeight_ = pixels > 0 ? pixels : 0;
    relayout();
}

void ListHeader::relayout() {
    if (!header_)
        return;
    // The list view lays its header out again on a resize of itself.
    HWND list = GetParent(header_);
    RECT place{};
    GetWindowRect(list, &place);
    SetWindowPos(list, nullptr, 0, 0, place.right - place.left, place.bottom - place.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    InvalidateRect(header_, nullptr, FALSE);
}

int32_t ListHeader::height() const {
    if (explicitHeight_ > 0)
        return explicitHeight_;
    if (drawer_ && drawer_->headerHeight() > 0)
        return drawer_->headerHeight();
    if (!header_)
        return 0;
    RECT place{};
    GetWindowRect(header_, &place);
    return place.bottom - place.top;
}

void ListHeader::setFont(HFONT font) {
    font_ = font;
    if (header_)
        InvalidateRect(header_, nullptr, FALSE);
}

void ListHeader::setOrder(const int32_t* order, int32_t count) {
    order_.assign(order, order + std::max(count, 0));
}

void ListHeader::readBack() {
    if (!header_)
        return;
    auto count = static_cast<int32_t>(SendMessageW(header_, HDM_GETITEMCOUNT, 0, 0));
    if (count < 0)
        count = 0;
    widths_.assign(count, 0);
    for (int32_t i = 0; i < count; ++i) {
        RECT place{};
        if (SendMessageW(header_, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&place)))
            widths_[i] = place.right - place.left;
    }
    std::vector<int32_t> order(count, 0);
    if (count > 0 &&
        SendMessageW(header_, HDM_GETORDERARRAY, count, reinterpret_cast<LPARAM>(order.data())))
        order_ = order;
}

int32_t ListHeader::lastRight() const {
    int32_t right = 0;
    auto count = static_cast<int32_t>(SendMessageW(header_, HDM_GETITEMCOUNT, 0, 0));
    for (int32_t i = 0; i < count; ++i) {
        RECT place{};
        if (SendMessageW(header_, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&place)))
            right = std::max<int32_t>(right, place.right);
    }
    return right;
}

bool ListHeader::beyondLast(int32_t x) const {
    return header_ && x >= lastRight();
}

int32_t ListHeader::itemAt(int32_t x) const {
    auto count = static_cast<int32_t>(SendMessageW(header_, HDM_GETITEMCOUNT, 0, 0));
    for (int32_t i = 0; i < count; ++i) {
        RECT place{};
        if (SendMessageW(header_, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&place)) &&
            x >= place.left && x < place.right)
            return i;
    }
    return -1;
}

void ListHeader::setHot(int32_t item, bool pressed) {
    if (item == hot_ && pressed == pressed_)
        return;
    hot_ = item;
    pressed_ = pressed;
    InvalidateRect(header_, nullptr, FALSE);
}

void ListHeader::paint(HDC target) {
    RECT client{};
    GetClientRect(header_, &client);
    int32_t width = client.right;
    int32_t height = client.bottom;
    if (width <= 0 || height <= 0)
        return;
    image::win::BufferedImage* buffer = image::win::BufferedImage::make(width, height);
    image::win::DrawingContext context;
    // The buffer goes back to its pool with the context on every path.
    if (!context.open(header_, buffer, true))
        return;
    HDC dc = context.dc();
    if (drawer_)
        drawer_->paintBackground(dc, 0, 0, width, height);
    else
        fillRect(dc, client, GetSysColor(COLOR_BTNFACE));
    auto count = static_cast<int32_t>(SendMessageW(header_, HDM_GETITEMCOUNT, 0, 0));
    widths_.assign(std::max(count, 0), 0);
    int32_t last = order_.empty() ? count - 1 : order_.back();
    for (int32_t i = 0; i < count; ++i) {
        RECT place{};
        if (!SendMessageW(header_, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&place)))
            continue;
        widths_[i] = place.right - place.left;
        if (i == last && place.right < width)
            place.right = width;
        wchar_t text[260] = {};
        HDITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = 260;
        SendMessageW(header_, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        drawer::PaintState state;
        state.state = hot_ == i ? (pressed_ ? 2 : 1) : 0;
        state.text = reinterpret_cast<const char16_t*>(text);
        state.font = font_;
        if (drawer_) {
            drawer_->paint(dc, place.left, place.top, place.right, place.bottom, state);
        } else {
            fillRect(dc, place, GetSysColor(state.state == 2 ? COLOR_BTNSHADOW : COLOR_BTNFACE));
            RECT edge = place;
            DrawEdge(dc, &edge, EDGE_ETCHED, BF_RIGHT | BF_BOTTOM);
            HGDIOBJ previous = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            RECT inner{place.left + 4, place.top, place.right - 4, place.bottom};
            DrawTextW(dc, text, -1, &inner,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
            SelectObject(dc, previous);
        }
    }
    BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
}

LRESULT CALLBACK ListHeader::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR data) {
    auto* header = reinterpret_cast<ListHeader*>(data);
    if (!header || header->header_ != window)
        return DefSubclassProc(window, message, wParam, lParam);
    return header->handle(message, wParam, lParam);
}

LRESULT ListHeader::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND header = header_;
    switch (message) {
    case HDM_LAYOUT: {
        LRESULT result = DefSubclassProc(header, message, wParam, lParam);
        int32_t fixed = explicitHeight_ > 0 ? explicitHeight_
                                            : (drawer_ ? drawer_->headerHeight() : 0);
        auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
        if (fixed > 0 && layout && layout->pwpos && layout->prc) {
            layout->pwpos->cy = fixed;
            layout->prc->top = layout->pwpos->y + fixed;
        }
        return result;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(header, &ps);
        if (dc)
            paint(dc);
        EndPaint(header, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR: {
        POINT at{};
        GetCursorPos(&at);
        ScreenToClient(header, &at);
        // No resize cursor right of the last item: the last column keeps its width.
        if (beyondLast(at.x)) {
            SetCursor(LoadCursorW(nullptr, IDC_ARROW));
            return TRUE;
        }
        break;
    }
    case WM_MOUSEMOVE: {
        if (!tracking_) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, header, 0};
            tracking_ = TrackMouseEvent(&track) != FALSE;
        }
        int32_t x = GET_X_LPARAM(lParam);
        setHot(beyondLast(x) ? -1 : itemAt(x), (wParam & MK_LBUTTON) != 0);
        break;
    }
    case WM_MOUSELEAVE:
        tracking_ = false;
        setHot(-1, false);
        break;
    case WM_LBUTTONDOWN:
        if (beyondLast(GET_X_LPARAM(lParam))) {
            pressedBeyond_ = true;
            SetCapture(header);
            return 0;
        }
        setHot(itemAt(GET_X_LPARAM(lParam)), true);
        break;
    case WM_LBUTTONDBLCLK:
        if (beyondLast(GET_X_LPARAM(lParam)))
            return 0;
        break;
    case WM_LBUTTONUP: {
        if (pressedBeyond_) {
            pressedBeyond_ = false;
            ReleaseCapture();
            if (beyondLast(GET_X_LPARAM(lParam)))
                view_.headerClickedBeyondLast();
            return 0;
        }
        LRESULT result = DefSubclassProc(header, message, wParam, lParam);
        setHot(itemAt(GET_X_LPARAM(lParam)), false);
        // The capture is released now: a drag has put the columns in their new order.
        view_.headerOrderDragged();
        readBack();
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(header, &procedure, kHeaderSubclass);
        header_ = nullptr;
        break;
    default:
        break;
    }
    return DefSubclassProc(header, message, wParam, lParam);
}

}  // namespace s::gui::win

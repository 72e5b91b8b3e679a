#include "gui/win/combo_box.h"

namespace s::gui::win {

ComboBox::~ComboBox() {
    resetControl();
}

void ComboBox::reset() {
    resetControl();
    texts_.clear();
    data_.clear();
    selection_ = previous_ = -1;
    exactWidth_ = percentWidth_ = -1;
    fontPreview_ = false;
    previewDrawn_ = 0;
    listeners_.clear();
}

HWND ComboBox::createControl(HWND parent) {
    HWND made = CreateWindowExW(0, L"COMBOBOX", L"",
                                WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                                    (fontPreview_ ? CBS_OWNERDRAWFIXED | CBS_HASSTRINGS : 0) |
                                    (visible_ ? WS_VISIBLE : 0),
                                x_ + dx_, y_ + dy_, width_, height_ + kListHeight, parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (!made)
        return nullptr;
    subclassControl(made, this);
    if (fontPreview_) {
        const LRESULT itemHeight = font_->lineHeight() + 4;
        SendMessageW(made, CB_SETITEMHEIGHT, 0, itemHeight);
        SendMessageW(made, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
    }
    for (int32_t i = 0; i < texts_.count(); ++i)
        SendMessageW(made, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideText(texts_.textAt(i))));
    if (selection_ >= 0)
        SendMessageW(made, CB_SETCURSEL, static_cast<WPARAM>(selection_), 0);
    return made;
}

void ComboBox::placeNative(uint32_t what) {
    if (!hwnd())
        return;
    // The native height includes the dropped list.
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (visible_ ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    if (!(what & kPlaceMove))
        flags |= SWP_NOMOVE;
    if (!(what & kPlaceSize))
        flags |= SWP_NOSIZE;
    SetWindowPos(hwnd(), nullptr, x_ + dx_, y_ + dy_, width_, height_ + kListHeight, flags);
}

void ComboBox::addItem(const char16_t* text, int32_t datum) {
    texts_.addText(text ? text : u"");
    data_.add(datum);
    if (hwnd())
        SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideText(text)));
    hintsChanged();
}

void ComboBox::clearItems() {
    texts_.clear();
    data_.clear();
    selection_ = previous_ = -1;
    if (hwnd())
        SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0);
}

int32_t ComboBox::itemDatum(int32_t index) const {
    return index >= 0 && index < data_.count() ? data_.get(index) : 0;
}

void ComboBox::setSelection(int32_t index, bool notify) {
    if (index < 0 || index >= texts_.count())
        index = 0;
    previous_ = selection_;
    selection_ = index;
    if (hwnd())
        SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (notify && index != previous_)
        listeners_.fire(this, kSelectionChanged);
}

int32_t ComboBox::minimumWidth() const {
    return exactWidth_ >= 0 ? exactWidth_ : minWidth_;
}

int32_t ComboBox::maximumWidth() const {
    if (exactWidth_ >= 0)
        return exactWidth_;
    if (percentWidth_ >= 0 && parent_)
        return parent_->clientWidth() * percentWidth_ / 100;
    return maxWidth_ > minWidth_ ? maxWidth_ : minWidth_;
}

void ComboBox::updateHints() {
    HDC dc = CreateCompatibleDC(nullptr);
    int32_t widest = 40;
    if (dc) {
        HGDIOBJ before = SelectObject(dc, font_->handle());
        for (int32_t i = 0; i < texts_.count(); ++i) {
            RECT r{0, 0, 0, 0};
            DrawTextW(dc, wideText(texts_.textAt(i)), -1, &r, DT_CALCRECT | DT_SINGLELINE);
            if (r.right - r.left > widest)
                widest = r.right - r.left;
        }
        SelectObject(dc, before);
        DeleteDC(dc);
    }
    const int32_t h = font_->lineHeight() + 10;
    const int32_t w = widest + GetSystemMetrics(SM_CXVSCROLL) + 12;
    setMinimumSize(w, h);
    setMaximumSize(w, h);
}

void ComboBox::drawPreviewItem(const DRAWITEMSTRUCT& item) {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    HBRUSH brush = GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    FillRect(item.hDC, &item.rcItem, brush);
    if (static_cast<int32_t>(item.itemID) < 0 ||
        static_cast<int32_t>(item.itemID) >= texts_.count())
        return;
    const char16_t* face = texts_.textAt(static_cast<int32_t>(item.itemID));
    // A font in the item's own face, made for this drawing only and deleted after it.
    Font* preview = Font::take();
    HGDIOBJ before = nullptr;
    if (preview) {
        preview->setFace(face);
        preview->setHeight(font_->attributes().height());
        before = SelectObject(item.hDC, preview->handle());
    }
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text = item.rcItem;
    text.left += 3;
    DrawTextW(item.hDC, wideText(face), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (preview) {
        SelectObject(item.hDC, before);
        preview->release();
    }
    ++previewDrawn_;
}

bool ComboBox::handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                             intptr_t lparam) {
    if (message == WM_DRAWITEM && fontPreview_ && lparam) {
        drawPreviewItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
        result = TRUE;
        return true;
    }
    if (message == msg::kReflectCtlColor) {
        result = fieldColours(reinterpret_cast<HDC>(wparam));
        return true;
    }
    if (message == msg::kReflectSelChange) {
        const int32_t picked = static_cast<int32_t>(SendMessageW(hwnd(), CB_GETCURSEL, 0, 0));
        if (picked >= 0 && picked != selection_) {
            previous_ = selection_;
            selection_ = picked;
            listeners_.fire(this, kSelectionChanged);
        }
        result = 0;
        return true;
    }
    return ControlOf::handleMessage(result, message, wparam, lparam);
}

}  // namespace s::gui::win

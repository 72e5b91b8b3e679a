#pragma once

#include <windows.h>

#include <cstdint>
#include <type_traits>
#include <utility>

#include "base/str_buffer.h"
#include "gui/component.h"
#include "gui/drawer/i_skin.h"
#include "gui/drawer/skinner.h"
#include "gui/i_window.h"
#include "gui/win/font.h"
#include "gui/win/messages.h"
#include "gui/win/window_class.h"
#include "lang/localizer.h"

namespace s::gui::win {

// Sends the messages of a platform control ("Button", "Edit", ...) to its object first:
// the target's handler, else the control's own procedure, then afterMessage. The control's
// thread.
bool subclassControl(HWND hwnd, IMessageTarget* target);
void unsubclassControl(HWND hwnd);
// The message box every control shows when its native window cannot be made.
void reportCreationFailure();
// Paints a control through an off-screen buffer of its client size: `paint` (dc, width,
// height) draws into the buffer, which is then copied to the screen in one piece.
void paintBuffered(HWND hwnd, void (*paint)(void* context, HDC dc, int32_t w, int32_t h),
                   void* context);
template <class F>
void paintBufferedWith(HWND hwnd, F&& paint) {
    paintBuffered(
        hwnd,
        [](void* f, HDC dc, int32_t w, int32_t h) {
            (*static_cast<std::remove_reference_t<F>*>(f))(dc, w, h);
        },
        &paint);
}
// A solid brush kept for one colour at a time (for the control-colour answers).
class SolidBrush {
public:
    SolidBrush() = default;
    ~SolidBrush() {
        if (brush_)
            DeleteObject(brush_);
    }
    SolidBrush(const SolidBrush&) = delete;
    SolidBrush& operator=(const SolidBrush&) = delete;
    HBRUSH get(COLORREF colour) {
        if (brush_ && colour == colour_)
            return brush_;
        HBRUSH next = CreateSolidBrush(colour);
        if (brush_)
            DeleteObject(brush_);
        brush_ = next;
        colour_ = colour;
        return brush_;
    }

private:
    HBRUSH brush_ = nullptr;
    COLORREF colour_ = 0;
};
// The text of a control as the platform wants it.
inline const wchar_t* wideText(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text ? text : u"");
}

// What every standard control shares: the native window made when attached, its geometry,
// visibility and enabled state, the caption with its language-pack id, the font, and the
// skin's drawer of its kind. Threads: the native work runs on the containing window's
// thread; setText() and the geometry calls coming from another thread are handed over
// there (and wait for it).
template <class Interface>
class ControlOf : public ComponentOf<Interface>, protected IMessageTarget {
    using Base = ComponentOf<Interface>;

public:
    ~ControlOf() override {
        if (font_)
            font_->release();
    }

    HWND hwnd() const { return static_cast<HWND>(this->native_); }

    // A literal caption.
    void setText(const char16_t* text) {
        if (handedOver([&] { setText(text); }))
            return;
        textId_ = -1;
        text_.setText(text ? text : u"");
        textChanged();
    }
    // A language-pack id: the caption comes from the window's localizer now and at every
    // language change; without a localizer the caption stays as it is.
    void setTextId(int32_t id) {
        textId_ = id;
        if (refreshText())
            textChanged();
    }
    const char16_t* text() const { return text_.text(); }
    int32_t textId() const { return textId_; }

    // Font settings: each changes the font, gives the control the new one and updates the
    // size hints.
    Font& font() { return *font_; }
    void setFontFace(const char16_t* face) {
        changeFont([&](Font& f) { f.setFace(face); });
    }
    void setFontSizeCode(int32_t code) {
        changeFont([&](Font& f) { f.setSizeCode(code); });
    }
    void setFontHeight(int32_t h) {
        changeFont([&](Font& f) { f.setHeight(h); });
    }
    void setFontWidth(int32_t w) {
        changeFont([&](Font& f) { f.setWidth(w); });
    }
    void setFontWeight(int32_t w) {
        changeFont([&](Font& f) { f.setWeight(w); });
    }
    void setFontBold(bool on) {
        changeFont([&](Font& f) { f.setBold(on); });
    }
    void setFontItalic(bool on) {
        changeFont([&](Font& f) { f.setItalic(on); });
    }
    void setFontUnderline(bool on) {
        changeFont([&](Font& f) { f.setUnderline(on); });
    }
    void setFontStrikeOut(bool on) {
        changeFont([&](Font& f) { f.setStrikeOut(on); });
    }
    void setFontQuality(uint8_t q) {
        changeFont([&](Font& f) { f.setQuality(q); });
    }
    void setFontColour(uint32_t r, uint32_t g, uint32_t b) {
        changeFont([&](Font& f) { f.setTextColour(r, g, b); });
    }
    int32_t fontSizeCode() const { return font_->attributes().sizeCode(); }
    int32_t fontHeight() const { return font_->attributes().height(); }
    bool isFontBold() const { return font_->attributes().isBold(); }

    void setVisible(bool show, bool second) override {
        if (handedOver([&] { setVisible(show, second); }))
            return;
        Base::setVisible(show, second);
        if (hwnd())
            ShowWindow(hwnd(), show ? SW_SHOWNA : SW_HIDE);
    }
    void setEnabled(bool enabled) override {
        if (handedOver([&] { setEnabled(enabled); }))
            return;
        bool changed = enabled != this->enabled_;
        Base::setEnabled(enabled);
        if (hwnd())
            EnableWindow(hwnd(), enabled ? TRUE : FALSE);
        if (changed)
            enabledChanged();
    }
    void move(int32_t x, int32_t y) override {
        if (!handedOver([&] { Base::move(x, y); }))
            Base::move(x, y);
    }
    void resize(int32_t w, int32_t h) override {
        if (!handedOver([&] { Base::resize(w, h); }))
            Base::resize(w, h);
    }
    void setBounds(int32_t x, int32_t y, int32_t w, int32_t h) override {
        if (!handedOver([&] { Base::setBounds(x, y, w, h); }))
            Base::setBounds(x, y, w, h);
    }
    void redraw() override {
        if (hwnd())
            RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    void redrawRect(int32_t x, int32_t y, int32_t w, int32_t h) override {
        if (!hwnd())
            return;
        RECT r{x, y, x + w, y + h};
        RedrawWindow(hwnd(), &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    Color systemFaceColor() const override { return GetSysColor(COLOR_BTNFACE); }

    // The localizer's event retitles the control; the skinner's gives it the new drawer.
    void onEvent(base::IObject* source, int32_t /*eventId*/) override {
        if (!source || !this->window_)
            return;
        if (source == static_cast<base::IObject*>(this->window_->localizer())) {
            if (refreshText())
                textChanged();
            languageChanged();
        } else if (source == static_cast<base::IObject*>(this->window_->skinner())) {
            skinChanged();
            if (hwnd())
                InvalidateRect(hwnd(), nullptr, TRUE);
        }
    }

    bool handleMessage(intptr_t& result, uint32_t message, uintptr_t wparamOf,
                       intptr_t /*lparam*/) override {
        if (message == msg::kDestroyControl) {
            DestroyWindow(hwnd());
            result = 0;
            return true;
        }
        if (message == msg::kReflectCtlColor) {
            // The control paints over its parent's background in the skin's text colour.
            HDC dc = reinterpret_cast<HDC>(wparamOf);
            SetTextColor(dc, captionColour(font_->attributes().textColour()));
            SetBkColor(dc, this->backgroundColor());
            result = reinterpret_cast<intptr_t>(backgroundBrush_.get(this->backgroundColor()));
            return true;
        }
        return false;
    }
    void afterMessage(intptr_t& /*result*/, uint32_t message, uintptr_t /*wparam*/,
                      intptr_t /*lparam*/) override {
        if (message == WM_NCDESTROY)
            this->native_ = nullptr;
    }

protected:
    ControlOf() : font_(Font::take()) {}
    ControlOf(const ControlOf&) = delete;
    ControlOf& operator=(const ControlOf&) = delete;

    // Makes the native window under the parent's; nullptr when that failed.
    virtual HWND createControl(HWND parent) = 0;
    // After the text or the font changed (and at creation): the size hints.
    virtual void updateHints() {}
    virtual void skinChanged() {}
    // After the caption followed a language change: other texts of the control follow.
    virtual void languageChanged() {}
    virtual void enabledChanged() {}
    // The caption changed: the native text, the hints, the parent's layout.
    // The parent lays out again only when the new text moved the size limits: a clock's
    // text changes every second at the same width.
    virtual void textChanged() {
        if (hwnd())
            SetWindowTextW(hwnd(), nativeCaption());
        const int32_t limits[] = {this->minimumWidth(), this->minimumHeight(), this->maximumWidth(),
                                  this->maximumHeight()};
        updateHints();
        const bool moved = limits[0] != this->minimumWidth() ||
                           limits[1] != this->minimumHeight() ||
                           limits[2] != this->maximumWidth() || limits[3] != this->maximumHeight();
        if (moved && this->parent_)
            this->parent_->relayout();
    }
    // The caption as the native control gets it.
    virtual const wchar_t* nativeCaption() { return wideText(text_.text()); }

    // Runs `operation` on the window's thread when called from another one (true then).
    template <class F>
    bool handedOver(F&& operation) {
        if (!this->window_ || !this->native_ || this->window_->isWindowThread())
            return false;
        this->window_->onWindowThread(std::forward<F>(operation));
        return true;
    }

    bool refreshText() {
        if (textId_ == -1 || !this->window_ || !this->window_->localizer())
            return false;
        text_.setText(this->window_->localizer()->text(textId_));
        return true;
    }
    void hintsChanged() {
        updateHints();
        if (this->parent_)
            this->parent_->relayout();
    }
    template <class F>
    void changeFont(F&& change) {
        change(*font_);
        fontChanged();
    }
    // New font first, then the control gets it, then the old one goes.
    virtual void fontChanged() {
        if (hwnd()) {
            SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_->handle()), TRUE);
            font_->deleteRetired();
        }
        hintsChanged();
    }

    // The caption colour: the font's when it was set on the control, else the skin's text
    // colour, else `fallback`.
    COLORREF captionColour(COLORREF fallback) const {
        if (font_->attributes().isSet(font::FontAttributes::kTextColour))
            return font_->attributes().textColour();
        if (drawer::ISkin* current = skin()) {
            const drawer::DrawerColours& c = current->palette().of(drawer::DrawerKind::kText);
            if (c.isSet(drawer::param::text::kFont1))
                return c.colour(drawer::param::text::kFont1);
        }
        return fallback;
    }
    // Answers the control-colour message for an input field: the skin's field background
    // (white without one) with a text colour that reads on it.
    intptr_t fieldColours(HDC dc) {
        COLORREF field = GetSysColor(COLOR_WINDOW);
        if (drawer::ISkin* current = skin()) {
            const drawer::DrawerColours& c = current->palette().of(drawer::DrawerKind::kText);
            if (c.isSet(drawer::param::text::kFieldBackground))
                field = c.colour(drawer::param::text::kFieldBackground);
        }
        const uint32_t light =
            (field & 0xFF) * 3 + ((field >> 8) & 0xFF) * 6 + ((field >> 16) & 0xFF);
        SetTextColor(dc, light >= 1280 ? RGB(0, 0, 0) : RGB(255, 255, 255));
        SetBkColor(dc, field);
        return reinterpret_cast<intptr_t>(backgroundBrush_.get(field));
    }
    drawer::ISkin* skin() const {
        drawer::Skinner* skinner = this->window_ ? this->window_->skinner() : nullptr;
        return skinner ? skinner->currentSkin() : nullptr;
    }

    void createNative() override {
        auto* parentHwnd =
            this->parent_ ? static_cast<HWND>(this->parent_->nativeHandle()) : nullptr;
        if (!parentHwnd || this->native_)
            return;
        refreshText();
        skinChanged();
        HWND made = createControl(parentHwnd);
        if (!made) {
            reportCreationFailure();
            return;
        }
        this->native_ = made;
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font_->handle()), FALSE);
        font_->deleteRetired();
        SetWindowTextW(made, nativeCaption());
        if (!this->enabled_)
            EnableWindow(made, FALSE);
        placeNative(Base::kPlaceMove | Base::kPlaceSize);
        afterCreate();
        hintsChanged();
    }
    // The native window exists (fonts and text are set): control-specific set-up.
    virtual void afterCreate() {}
    void destroyNative() override {
        if (!hwnd())
            return;
        SendMessageW(hwnd(), msg::kDestroyControl, 0, 0);
        this->native_ = nullptr;
    }
    void placeNative(uint32_t what) override {
        if (!hwnd())
            return;
        UINT flags =
            SWP_NOZORDER | SWP_NOACTIVATE | (this->visible_ ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
        if (!(what & Base::kPlaceMove))
            flags |= SWP_NOMOVE;
        if (!(what & Base::kPlaceSize))
            flags |= SWP_NOSIZE;
        SetWindowPos(hwnd(), nullptr, this->x_ + this->dx_, this->y_ + this->dy_, this->width_,
                     this->height_, flags);
    }
    // Back to the created state (the final class's reset() calls it).
    void resetControl() {
        this->attach(nullptr);
        this->resetComponent();
        text_.freeStorage();
        textId_ = -1;
        font_->reset();
    }

    str::strbuffer::StrBuffer text_;
    int32_t textId_ = -1;
    Font* font_;  // owned
    SolidBrush backgroundBrush_;
};

}  // namespace s::gui::win

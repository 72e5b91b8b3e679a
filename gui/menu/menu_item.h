#pragma once

#include <cstdint>

#include "base/object.h"
#include "base/pool.h"
#include "base/str_buffer.h"

namespace s::lang {
class Localizer;
}

namespace s::gui::menuitem {

// One entry of a menu: a text (literal, or refreshed from a language-pack id), a command id,
// the check and radio marks, the separator flag and a value of the caller's. Built before
// the menu is given to its window; then used on that window's thread.
class MenuItem final : public base::IObject, public thread::Pooled<MenuItem> {
public:
    MenuItem() = default;
    ~MenuItem() override = default;
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    // The text is looked up at once; without a localizer it stays empty until one is set.
    static MenuItem* localizedItem(int32_t textId, lang::Localizer* localizer, int32_t command,
                                   bool checked);
    static MenuItem* textItem(const char16_t* text, int32_t command);
    static MenuItem* separatorItem();

    const char16_t* className() const override { return u"s_gui_menuitem_MenuItem"; }
    MenuItem* newInstance() const override { return take(); }
    void reset() override;

    lang::Localizer* localizer() const { return localizer_; }
    void setLocalizer(lang::Localizer* localizer) { localizer_ = localizer; }
    const char16_t* text() const { return text_.text(); }
    // A literal text: the text id becomes -1.
    void setText(const char16_t* text);
    int32_t textId() const { return textId_; }
    // Looks the text up when a localizer is set; otherwise the text stays as it was.
    void setTextId(int32_t id);
    // Takes the text again from the localizer (items with a text id only). True when the
    // item has a text id and a localizer.
    bool refreshText();
    // The text as the native menu gets it: a literal text has every "&" doubled so that it
    // shows instead of underlining the next letter; a language-pack text is used as it is
    // (its "&" marks the access key on purpose).
    void nativeText(str::strbuffer::StrBuffer& out) const;

    int32_t command() const { return command_; }
    void setCommand(int32_t command) { command_ = command; }
    bool isChecked() const { return checked_ != 0; }
    void setChecked(bool on) { checked_ = on ? 1 : 0; }
    bool isRadioChecked() const { return radioChecked_ != 0; }
    void setRadioChecked(bool on) { radioChecked_ = on ? 1 : 0; }
    bool isSeparator() const { return separator_ != 0; }
    int32_t data() const { return data_; }
    void setData(int32_t data) { data_ = data; }

private:
    lang::Localizer* localizer_ = nullptr;  // not owned
    str::strbuffer::StrBuffer text_;
    int32_t textId_ = -1;
    int32_t command_ = -1;
    uint8_t checked_ = 0;
    uint8_t radioChecked_ = 0;
    uint8_t separator_ = 0;
    int32_t data_ = 0;
};

// Appends `text` with every "&" doubled.
void appendDoubledAmpersands(str::strbuffer::StrBuffer& out, const char16_t* text);

}  // namespace s::gui::menuitem

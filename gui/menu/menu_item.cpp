#include "gui/menu/menu_item.h"

#include "lang/localizer.h"

namespace s::gui::menuitem {

MenuItem* MenuItem::localizedItem(int32_t textId, lang::Localizer* localizer, int32_t command,
                                  bool checked) {
    MenuItem* item = take();
    if (!item)
        return nullptr;
    item->localizer_ = localizer;
    item->command_ = command;
    item->checked_ = checked ? 1 : 0;
    item->setTextId(textId);
    return item;
}

MenuItem* MenuItem::textItem(const char16_t* text, int32_t command) {
    MenuItem* item = take();
    if (!item)
        return nullptr;
    item->setText(text);
    item->command_ = command;
    return item;
}

MenuItem* MenuItem::separatorItem() {
    MenuItem* item = take();
    if (item)
        item->separator_ = 1;
    return item;
}

void MenuItem::reset() {
    localizer_ = nullptr;
    text_.freeStorage();
    textId_ = -1;
    command_ = -1;
    checked_ = 0;
    radioChecked_ = 0;
    separator_ = 0;
    data_ = 0;
}

void MenuItem::setText(const char16_t* text) {
    text_.clear();
    if (text)
        text_.appendText(text);
    textId_ = -1;
}

void MenuItem::setTextId(int32_t id) {
    textId_ = id;
    refreshText();
}

bool MenuItem::refreshText() {
    if (textId_ == -1 || !localizer_)
        return false;
    text_.clear();
    text_.appendText(localizer_->text(textId_));
    return true;
}

void MenuItem::nativeText(str::strbuffer::StrBuffer& out) const {
    out.clear();
    if (textId_ == -1)
        appendDoubledAmpersands(out, text_.text());
    else
        out.appendText(text_.text());
}

void appendDoubledAmpersands(str::strbuffer::StrBuffer& out, const char16_t* text) {
    if (!text)
        return;
    for (const char16_t* p = text; *p; ++p) {
        out.appendUnit(*p);
        if (*p == u'&')
            out.appendUnit(u'&');
    }
}

}  // namespace s::gui::menuitem

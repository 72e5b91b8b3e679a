#include "lang/lang_pack.h"

namespace s::lang {

LangPack::LangPack() = default;

LangPack::~LangPack() = default;

void LangPack::reset() {
    keyMap_.reset();
    tag_.freeStorage();
    engName_.freeStorage();
    trueName_.freeStorage();
    ids_.reset();
    texts_.reset();
    keys_.reset();
    keyTexts_.reset();
}

void LangPack::setNames(const char16_t* tag, const char16_t* engName, const char16_t* trueName) {
    tag_.setText(tag ? tag : u"");
    engName_.setText(engName ? engName : u"");
    trueName_.setText(trueName ? trueName : u"");
}

void LangPack::addText(int32_t id, const char16_t* text, int32_t count) {
    ids_.add(id);
    texts_.addText(text ? text : u"", text ? count : -1);
}

void LangPack::addKeyText(const char16_t* key, const char16_t* text, int32_t count) {
    str::StrBuffer* keyBuffer = keys_.addText(key ? key : u"");
    str::StrBuffer* textBuffer = keyTexts_.addText(text ? text : u"", text ? count : -1);
    // A repeated key stays in keys_ (as the order of reading had it) but the map keeps the
    // first text, as numeric ids do.
    keyMap_.put(static_cast<base::IObject*>(keyBuffer), textBuffer);
}

bool LangPack::hasId(int32_t id) const {
    int32_t at = 0;
    return ids_.indexOf(id, at);
}

const char16_t* LangPack::findText(int32_t id) const {
    int32_t at = 0;
    return ids_.indexOf(id, at) ? texts_.textAt(at) : nullptr;
}

const char16_t* LangPack::findKeyText(const char16_t* key) const {
    str::StrBuffer probe(key ? key : u"");
    auto* found = static_cast<str::StrBuffer*>(keyMap_.get(static_cast<base::IObject*>(&probe)));
    return found ? found->text() : nullptr;
}

const char16_t* LangPack::text(int32_t id) const {
    const char16_t* found = findText(id);
    return found ? found : u"";
}

const char16_t* LangPack::keyText(const char16_t* key) const {
    const char16_t* found = findKeyText(key);
    return found ? found : u"";
}

}  // namespace s::lang

#pragma once

#include <cstdint>

#include "base/array.h"
#include "base/map.h"
#include "base/object.h"
#include "base/pool.h"
#include "base/str_array.h"
#include "base/str_buffer.h"

namespace s::lang {

// One language of the language pack: its names and its texts, by numeric id and by key.
class LangPack : public base::IObject, public thread::Pooled<LangPack> {
public:
    LangPack();
    ~LangPack() override;
    LangPack(const LangPack&) = delete;
    LangPack& operator=(const LangPack&) = delete;

    const char16_t* className() const override { return u"s_lang_LangPack"; }
    LangPack* newInstance() const override { return take(); }
    // Back to a nameless language without texts.
    void reset() override;

    // The short tag naming this language's elements in the pack.
    const str::StrBuffer& tag() const { return tag_; }
    // The English name: the language's identity in settings and for the default match.
    const str::StrBuffer& engName() const { return engName_; }
    // The name in the language itself, as shown in the Language menu.
    const str::StrBuffer& trueName() const { return trueName_; }
    void setNames(const char16_t* tag, const char16_t* engName, const char16_t* trueName);

    // Appends `count` units of text for a numeric id (count -1: to the terminator).
    void addText(int32_t id, const char16_t* text, int32_t count = -1);
    // Appends the text for a text key; a key already present keeps its first text.
    void addKeyText(const char16_t* key, const char16_t* text, int32_t count = -1);

    bool hasId(int32_t id) const;
    bool hasKey(const char16_t* key) const { return findKeyText(key) != nullptr; }
    // The first text added for the id (duplicates resolve to the first), or nullptr.
    const char16_t* findText(int32_t id) const;
    const char16_t* findKeyText(const char16_t* key) const;
    // As the find functions, with the empty text for a missing id or key.
    const char16_t* text(int32_t id) const;
    const char16_t* keyText(const char16_t* key) const;

    // Numeric ids and their texts, in the order added.
    int32_t idCount() const { return ids_.count(); }
    int32_t idAt(int32_t i) const { return ids_.get(i); }
    const char16_t* textAt(int32_t i) const { return texts_.textAt(i); }
    // Text keys and their texts, in the order added (a repeated key appears again here).
    int32_t keyCount() const { return keys_.count(); }
    const char16_t* keyAt(int32_t i) const { return keys_.textAt(i); }
    const char16_t* keyTextAt(int32_t i) const { return keyTexts_.textAt(i); }

private:
    str::StrBuffer tag_;
    str::StrBuffer engName_;
    str::StrBuffer trueName_;
    col::_array::ArrayS32 ids_;
    str::StrArray texts_;  // texts_[i] belongs to ids_[i]
    str::StrArray keys_;
    str::StrArray keyTexts_;  // keyTexts_[i] belongs to keys_[i]
    // First buffer of keys_ for each key → its buffer of keyTexts_; the map owns neither.
    // Mutable: lookups take the map's lock.
    mutable map::MapTable keyMap_;
};

}  // namespace s::lang

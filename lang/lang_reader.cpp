#include "lang/lang_reader.h"

#include <unordered_set>

#include "base/array.h"
#include "base/map.h"
#include "base/str_buffer.h"
#include "lang/lang_pack.h"
#include "persist/xml/node.h"

namespace s::lang {
namespace {

// Limits far above the real pack (34 languages x 119 entries, about 190 KB) that keep a
// hostile pack from exhausting memory: every language gets every id, so languages x
// entries texts are stored, and each may copy a long fallback text.
constexpr int64_t kMaxTexts = 1000000;
constexpr int64_t kMaxUnits = 32 * 1024 * 1024;

class Reader {
public:
    Reader(Localizer& localizer, int32_t osMajorVersion)
        : localizer_(localizer), adjustVenetian_(osMajorVersion < kVenetianNativeMajorVersion) {
        tags_.setIgnoreCase(true);
    }

    void read(const xml::Node& document) {
        firstNew_ = localizer_.languageCount();
        if (const xml::Node* languages = document.childNamed(u"languages"))
            readLanguages(*languages);
        indexTags();
        named_.resize(localizer_.languageCount());
        if (const xml::Node* entries = document.childNamed(u"entries"))
            readEntries(*entries);
    }

private:
    void readLanguages(const xml::Node& languages) {
        str::StrBuffer tag;
        str::StrBuffer engName;
        str::StrBuffer trueName;
        for (int32_t i = 0; i < languages.childCount(); ++i) {
            const xml::Node* child = languages.child(i);
            if (!child->nameEquals(u"entry"))
                continue;
            LangPack* language = LangPack::take();
            if (!language)
                return;
            child->getText(&tag, u"tagName", u"", false);
            child->getText(&engName, u"engName", u"", false);
            child->getText(&trueName, u"trueName", u"", false);
            language->setNames(tag.text(), engName.text(), trueName.text());
            localizer_.addLanguage(language);
        }
    }

    // Tag (ignoring case) -> position + 1 of the first language in pack order with that tag.
    void indexTags() {
        for (int32_t i = 0; i < localizer_.languageCount(); ++i) {
            const base::IObject* tag = &localizer_.languageAt(i)->tag();
            tags_.put(const_cast<base::IObject*>(tag), reinterpret_cast<void*>(intptr_t{i} + 1));
        }
    }

    void readEntries(const xml::Node& entries) {
        str::StrBuffer id;
        for (int32_t i = 0; i < entries.childCount() && !exhausted(); ++i) {
            const xml::Node* entry = entries.child(i);
            if (!entry->nameEquals(u"entry"))
                continue;
            entry->getText(&id, u"id", u"", false);
            const bool numeric = id.length() > 0 && id.charAt(0) >= u'0' && id.charAt(0) <= u'9';
            // The leading digits; anything after them is ignored.
            readEntry(*entry, numeric, numeric ? id.toInt() : 0, id);
        }
    }

    void readEntry(const xml::Node& entry, bool numeric, int32_t number,
                   const str::StrBuffer& key) {
        const int32_t count = localizer_.languageCount();
        for (int32_t i = 0; i < count; ++i)
            named_[i] = 0;
        str::StrBuffer text;
        str::StrBuffer fallback;
        str::StrBuffer elementName;
        for (int32_t c = 0; c < entry.childCount(); ++c) {
            const xml::Node* element = entry.child(c);
            element->getText(&text, u"", u"", false);
            if (c == 0)
                fallback.setStr(text);
            elementName.setText(element->name());
            const auto position = reinterpret_cast<intptr_t>(tags_.get(&elementName));
            if (position == 0)
                continue;
            const auto at = static_cast<int32_t>(position - 1);
            named_[at] = 1;
            store(*localizer_.languageAt(at), numeric, number, key, text);
        }
        // Every language ends up with every id: the ones without an element of their own get
        // the entry's first text.
        const bool seenBefore = numeric && !seen_.insert(number).second;
        for (int32_t i = 0; i < count; ++i) {
            if (named_[i])
                continue;
            LangPack& language = *localizer_.languageAt(i);
            bool has = false;
            if (!numeric) {
                has = language.hasKey(key.text());
            } else if (i < firstNew_) {
                has = language.hasId(number);  // read before: no record of what it holds
            } else {
                has = seenBefore;
            }
            if (!has)
                store(language, numeric, number, key, fallback);
        }
    }

    void store(LangPack& language, bool numeric, int32_t number, const str::StrBuffer& key,
               const str::StrBuffer& text) {
        if (exhausted())
            return;
        ++texts_;
        units_ += text.length();
        const str::StrBuffer* stored = &text;
        str::StrBuffer adjusted;
        if (adjustVenetian_ && language.tag().equals(u"vec")) {
            adjusted.setStr(text).replaceAll(u"\u019A", u"\u0142");
            stored = &adjusted;
        }
        if (numeric) {
            language.addText(number, stored->text(), stored->length());
        } else {
            language.addKeyText(key.text(), stored->text(), stored->length());
        }
    }

    bool exhausted() const { return texts_ >= kMaxTexts || units_ >= kMaxUnits; }

    Localizer& localizer_;
    const bool adjustVenetian_;
    int32_t firstNew_ = 0;
    map::MapTable tags_;
    col::_array::ArrayU08 named_;  // per language: has an element in the current entry
    std::unordered_set<int32_t> seen_;
    int64_t texts_ = 0;
    int64_t units_ = 0;
};

}  // namespace

void readLanguagePack(Localizer& localizer, const xml::Node& document, int32_t osMajorVersion) {
    Reader(localizer, osMajorVersion).read(document);
}

Localizer* loadLanguagePack(const uint8_t* bytes, int32_t count, int32_t osMajorVersion) {
    Localizer* localizer = Localizer::take();
    if (!localizer)
        return nullptr;
    if (bytes && count > 0) {
        if (xml::Node* document = xml::Node::take()) {
            document->parseBytes(bytes, count);
            readLanguagePack(*localizer, *document, osMajorVersion);
            document->release();
        }
    }
    localizer->currentLanguage();
    return localizer;
}

}  // namespace s::lang

#include "lang/localizer.h"

#include "lang/ui_language.h"

namespace s::lang {
namespace {

bool startsWithIgnoreCase(const char16_t* text, const char16_t* prefix) {
    for (; *prefix; ++text, ++prefix) {
        char16_t a = *text;
        char16_t b = *prefix;
        if (a >= u'A' && a <= u'Z')
            a = static_cast<char16_t>(a - u'A' + u'a');
        if (b >= u'A' && b <= u'Z')
            b = static_cast<char16_t>(b - u'A' + u'a');
        if (a != b)
            return false;  // also stops at the end of `text`
    }
    return true;
}

struct Family {
    const char16_t* word;
    const char16_t* first;
    const char16_t* second;
};

// Names of a family without an exact match fall back to its preferred member.
constexpr Family kFamilies[] = {
    {u"Chinese", u"CHINESE_SIMPLIFIED", u"CHINESE_TRADITIONAL"},
    {u"Portuguese", u"PORTUGUESE_BRAZILIAN", u"PORTUGUESE_PORTUGAL"},
    {u"Serbian", u"SERBIAN_CYRILLIC", u"SERBIAN_LATIN"},
};

}  // namespace

Localizer::Localizer() {
    languages_.setDisposer(&thread::poolOf<LangPack>());
}

Localizer::~Localizer() = default;

void Localizer::reset() {
    languages_.reset();  // gives the languages back to their pool, then forgets the disposer
    languages_.setDisposer(&thread::poolOf<LangPack>());
    current_ = nullptr;
    listeners_.reset();
}

void Localizer::addLanguage(LangPack* language) {
    if (language)
        languages_.add(language);
}

LangPack* Localizer::languageAt(int32_t index) const {
    if (index < 0 || index >= languages_.count())
        return nullptr;
    return languages_.getAs<LangPack>(index);
}

int32_t Localizer::indexOf(const LangPack* language) const {
    for (int32_t i = 0; i < languages_.count(); ++i) {
        if (languages_.get(i) == language)
            return i;
    }
    return -1;
}

const char16_t* Localizer::text(int32_t id) {
    LangPack* language = currentLanguage();
    return language ? language->text(id) : u"";
}

const char16_t* Localizer::keyText(const char16_t* key) {
    LangPack* language = currentLanguage();
    return language ? language->keyText(key) : u"";
}

const char16_t* Localizer::englishText(int32_t id) {
    LangPack* language = currentLanguage();
    if (!language)
        return u"";
    if (!language->engName().equalsIgnoreCase(u"English")) {
        language = findLanguage(u"English");
        if (!language)
            language = languageAt(0);
    }
    return language->text(id);
}

LangPack* Localizer::currentLanguage() {
    if (!current_) {
        current_ = findLanguage(userLanguageName());
        if (!current_)
            current_ = languageAt(0);
    }
    return current_;
}

LangPack* Localizer::findByName(const char16_t* engName) const {
    for (int32_t i = 0; i < languages_.count(); ++i) {
        auto* language = languages_.getAs<LangPack>(i);
        if (language->engName().equalsIgnoreCase(engName))
            return language;
    }
    return nullptr;
}

LangPack* Localizer::findLanguage(const char16_t* engName) const {
    if (!engName)
        engName = u"";
    if (LangPack* exact = findByName(engName))
        return exact;
    for (const Family& family : kFamilies) {
        if (!startsWithIgnoreCase(engName, family.word))
            continue;
        if (LangPack* member = findByName(family.first))
            return member;
        if (LangPack* member = findByName(family.second))
            return member;
    }
    return nullptr;
}

void Localizer::selectLanguage(const char16_t* engName) {
    LangPack* current = currentLanguage();
    if (!current)
        return;
    if (!engName)
        engName = u"";
    if (current->engName().equalsIgnoreCase(engName))
        return;
    LangPack* target = findLanguage(engName);
    if (!target)
        target = findLanguage(u"English");
    if (!target)
        target = languageAt(0);
    makeCurrent(target);
}

void Localizer::selectLanguageAt(int32_t index) {
    LangPack* target = languageAt(index);
    if (!target)
        return;
    // The first-use choice is made silently, so that choosing it again is no change.
    currentLanguage();
    makeCurrent(target);
}

void Localizer::makeCurrent(LangPack* language) {
    if (language == current_)
        return;
    current_ = language;
    // A listener may add or remove listeners while it is told: walk a snapshot and skip any
    // that left in the meantime.
    col::_array::ArrayP snapshot;
    snapshot.append(listeners_.data(), listeners_.count());
    for (int32_t i = 0; i < snapshot.count(); ++i) {
        auto* listener = snapshot.getAs<gui::events::IEventListener>(i);
        if (isListening(listener))
            listener->onEvent(this, kLanguageChanged);
    }
}

void Localizer::addListener(gui::events::IEventListener* listener) {
    if (listener && !isListening(listener))
        listeners_.add(listener);
}

void Localizer::removeListener(gui::events::IEventListener* listener) {
    for (int32_t i = 0; i < listeners_.count(); ++i) {
        if (listeners_.get(i) == listener) {
            listeners_.removeRange(i, 1);
            return;
        }
    }
}

bool Localizer::isListening(gui::events::IEventListener* listener) const {
    for (int32_t i = 0; i < listeners_.count(); ++i) {
        if (listeners_.get(i) == listener)
            return true;
    }
    return false;
}

const char16_t* Localizer::userLanguageName() {
    return lang::userLanguageName();
}

}  // namespace s::lang

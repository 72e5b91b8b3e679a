#pragma once

#include <cstdint>

#include "base/array.h"
#include "base/event_listener.h"
#include "base/object.h"
#include "base/pool.h"
#include "lang/lang_pack.h"

namespace s::lang {

// The languages of the language pack, the current one, and the listeners told when it
// changes. Used on the GUI thread only. Operations that need the current language choose
// it on first use: the user's default user-interface language, else the first language
// (listeners are not told of that first choice).
class Localizer : public base::IObject, public thread::Pooled<Localizer> {
public:
    // Event id sent to the listeners when the current language has changed.
    static constexpr int32_t kLanguageChanged = 0;

    Localizer();
    ~Localizer() override;
    Localizer(const Localizer&) = delete;
    Localizer& operator=(const Localizer&) = delete;

    const char16_t* className() const override { return u"s_lang_Localizer"; }
    Localizer* newInstance() const override { return take(); }
    // Drops the languages and the listeners; no current language.
    void reset() override;

    // Appends a language; the localizer owns it (it goes back to its pool with the localizer).
    void addLanguage(LangPack* language);
    int32_t languageCount() const { return languages_.count(); }
    // nullptr for an index out of range.
    LangPack* languageAt(int32_t index) const;
    int32_t indexOf(const LangPack* language) const;

    // The current language's text for the id; the empty text when it has none (or there are
    // no languages). Valid until the localizer is changed or released.
    const char16_t* text(int32_t id);
    // The text for a non-numeric key of the pack; the empty text when missing.
    const char16_t* keyText(const char16_t* key);
    // The English text for the id, whatever language is current (the first language's when
    // the pack has no English).
    const char16_t* englishText(int32_t id);

    // nullptr only when there are no languages.
    LangPack* currentLanguage();
    // The language whose engName equals the name ignoring case, else the family fallbacks
    // for names starting with Chinese, Portuguese or Serbian; nullptr when none matches.
    LangPack* findLanguage(const char16_t* engName) const;
    // Makes the named language current: a name matching none selects English, else the first
    // language. Listeners are told only when the current language changes.
    void selectLanguage(const char16_t* engName);
    // Out-of-range indexes are ignored.
    void selectLanguageAt(int32_t index);

    // Listeners are not owned; one registered twice is told once.
    void addListener(gui::events::IEventListener* listener);
    void removeListener(gui::events::IEventListener* listener);
    int32_t listenerCount() const { return listeners_.count(); }

    // The normalised name of the user's default user-interface language (cached).
    static const char16_t* userLanguageName();

private:
    LangPack* findByName(const char16_t* engName) const;
    void makeCurrent(LangPack* language);
    bool isListening(gui::events::IEventListener* listener) const;

    col::_array::ArrayP languages_;  // LangPack*, owned through their pool
    LangPack* current_ = nullptr;
    col::_array::ArrayP listeners_;  // IEventListener*, not owned
};

}  // namespace s::lang

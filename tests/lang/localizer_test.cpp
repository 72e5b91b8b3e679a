#include "lang/localizer.h"

#include <gtest/gtest.h>

#include <vector>

#include "lang/ui_language.h"
#include "tests/lang/pack_table.h"
#include "tests/lang/test_support.h"

namespace s::lang::test {
namespace {

// Records the events it receives.
class Recorder : public gui::events::IEventListener {
public:
    void onEvent(base::IObject* source, int32_t eventId) override {
        sources.push_back(source);
        ids.push_back(eventId);
    }
    std::vector<base::IObject*> sources;
    std::vector<int32_t> ids;
};

// A localizer with the engNames of the program's pack, in its order.
Localizer* packLanguages() {
    Localizer* localizer = Localizer::take();
    for (const LanguageRow& row : kPackLanguages) {
        LangPack* language = LangPack::take();
        language->setNames(row.tag, row.engName, row.trueName);
        localizer->addLanguage(language);
    }
    return localizer;
}

TEST(UserLanguage, NamesOfLanguageIds) {
    struct Case {
        uint16_t id;
        const char16_t* name;
    };
    const Case cases[] = {
        {0x0416, u"PORTUGUESE_BRAZILIAN"},
        {0x0816, u"PORTUGUESE_PORTUGAL"},
        {0x0C04, u"CHINESE_TRADITIONAL"},
        {0x0004, u"CHINESE_SIMPLIFIED"},
        {0x2004, u"CHINESE"},
        {0x0C1A, u"SERBIAN_CYRILLIC"},
        {0x041A, u"CROATIAN"},
        {0x141A, u"SERBIAN"},
        {0x201A, u"BOSNIAN"},
        {0x042E, u"UPPER_SORBIAN"},
        {0x0409, u"ENGLISH"},
        {0x0809, u"ENGLISH"},
        {0x0411, u"JAPANESE"},
        {0x048C, u"DARI"},
        {0x0488, u"WOLOF"},
        {0x0000, u"Unknown"},
        {0x0455, u"Unknown"},
        {0x048D, u"Unknown"},
        {0x04FF, u"Unknown"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(str(languageNameOfId(c.id)), c.name);
    }
}

TEST(UserLanguage, NameIsNormalisedAndCached) {
    {
        ScopedLanguageId chinese(0x0804);
        EXPECT_EQ(str(Localizer::userLanguageName()), u"Chinese_simplified");
    }
    {
        ScopedLanguageId unknown(0x0000);
        EXPECT_EQ(str(userLanguageName()), u"Unknown");
        const char16_t* first = userLanguageName();
        EXPECT_EQ(userLanguageName(), first);
    }
}

TEST(Localizer, FirstUseFollowsTheUserLanguage) {
    struct Case {
        uint16_t id;
        const char16_t* engName;
    };
    const Case cases[] = {
        {0x0416, u"Portuguese_Brazilian"},
        {0x0816, u"Portuguese_Brazilian"},  // no Portugal: the family's first member
        {0x0C04, u"Chinese_Traditional"},
        {0x2004, u"Chinese_Simplified"},  // plain Chinese
        {0x0C1A, u"Serbian_Cyrillic"},
        {0x041A, u"Croatian"},
        {0x141A, u"Serbian_Cyrillic"},  // Bosnian Latin is Serbian by its primary language
        {0x0409, u"English"},
        {0x0809, u"English"},
        {0x0413, u"Dutch"},
        {0x0414, u"English"},  // Norwegian matches nothing: the first language
        {0x0411, u"Japanese"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        ScopedLanguageId user(c.id);
        LocalizerHolder localizer(packLanguages());
        Recorder recorder;
        localizer->addListener(&recorder);
        ASSERT_NE(localizer->currentLanguage(), nullptr);
        EXPECT_EQ(str(localizer->currentLanguage()->engName().text()), c.engName);
        EXPECT_TRUE(recorder.ids.empty());  // the first choice is no change
    }
}

TEST(Localizer, FindLanguageFallsBackWithinAFamily) {
    struct Case {
        std::initializer_list<const char16_t*> languages;
        const char16_t* name;
        const char16_t* found;  // nullptr: none
    };
    const Case cases[] = {
        {{u"English", u"Chinese_Traditional"}, u"Chinese", u"Chinese_Traditional"},
        {{u"Chinese_Traditional", u"Chinese_Simplified"}, u"chinese_other", u"Chinese_Simplified"},
        {{u"English", u"Portuguese_Portugal"}, u"Portuguese_Brazilian", u"Portuguese_Portugal"},
        {{u"Serbian_Latin", u"Serbian_Cyrillic"}, u"SERBIAN", u"Serbian_Cyrillic"},
        {{u"English", u"Serbian_Latin"}, u"Serbian", u"Serbian_Latin"},
        {{u"English", u"German"}, u"gERMAN", u"German"},
        {{u"English", u"Chinese_Simplified"}, u"Chin", nullptr},
        {{u"English", u"German"}, u"Germany", nullptr},
        {{u"English"}, u"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        LocalizerHolder localizer(localizerWith(c.languages));
        LangPack* found = localizer->findLanguage(c.name);
        if (!c.found) {
            EXPECT_EQ(found, nullptr);
        } else {
            ASSERT_NE(found, nullptr);
            EXPECT_EQ(str(found->engName().text()), c.found);
        }
    }
}

TEST(Localizer, SelectLanguageNotifiesOnlyOnAChange) {
    ScopedLanguageId user(0x0407);
    LocalizerHolder localizer(localizerWith({u"English", u"German", u"French"}));
    Recorder recorder;
    localizer->addListener(&recorder);
    localizer->addListener(&recorder);  // once is enough
    EXPECT_EQ(localizer->listenerCount(), 1);

    localizer->selectLanguage(u"gErMaN");  // the current one, in another case
    EXPECT_TRUE(recorder.ids.empty());
    EXPECT_EQ(str(localizer->currentLanguage()->engName().text()), u"German");

    localizer->selectLanguage(u"FRENCH");
    ASSERT_EQ(recorder.ids.size(), 1u);
    EXPECT_EQ(recorder.ids[0], Localizer::kLanguageChanged);
    EXPECT_EQ(recorder.sources[0], static_cast<base::IObject*>(localizer.get()));
    EXPECT_EQ(str(localizer->currentLanguage()->engName().text()), u"French");

    localizer->selectLanguageAt(2);  // already current
    localizer->selectLanguageAt(7);  // no such position
    localizer->selectLanguageAt(-1);
    EXPECT_EQ(recorder.ids.size(), 1u);

    localizer->selectLanguageAt(0);
    EXPECT_EQ(recorder.ids.size(), 2u);
    EXPECT_EQ(str(localizer->currentLanguage()->engName().text()), u"English");

    localizer->removeListener(&recorder);
    localizer->selectLanguage(u"German");
    EXPECT_EQ(recorder.ids.size(), 2u);
}

TEST(Localizer, UnknownNameSelectsEnglishElseTheFirstLanguage) {
    ScopedLanguageId user(0x0407);
    LocalizerHolder withEnglish(localizerWith({u"German", u"English"}));
    withEnglish->selectLanguage(u"Klingon");
    EXPECT_EQ(str(withEnglish->currentLanguage()->engName().text()), u"English");

    LocalizerHolder withoutEnglish(localizerWith({u"French", u"German"}));
    EXPECT_EQ(str(withoutEnglish->currentLanguage()->engName().text()), u"German");
    withoutEnglish->selectLanguage(nullptr);
    EXPECT_EQ(str(withoutEnglish->currentLanguage()->engName().text()), u"French");
}

TEST(Localizer, WithoutLanguagesEverythingIsEmpty) {
    LocalizerHolder localizer(Localizer::take());
    Recorder recorder;
    localizer->addListener(&recorder);
    localizer->selectLanguage(u"English");
    localizer->selectLanguageAt(0);
    EXPECT_EQ(localizer->currentLanguage(), nullptr);
    EXPECT_EQ(localizer->languageAt(0), nullptr);
    EXPECT_EQ(str(localizer->text(1)), u"");
    EXPECT_EQ(str(localizer->englishText(1)), u"");
    EXPECT_TRUE(recorder.ids.empty());
}

TEST(Localizer, TextsOfTheCurrentAndTheEnglishLanguage) {
    ScopedLanguageId user(0x0407);
    LocalizerHolder localizer(loadPackText(
        "<lang><languages>"
        "<entry tagName=\"deu\" engName=\"German\"/><entry tagName=\"eng\" engName=\"english\"/>"
        "</languages><entries>"
        "<entry id=\"751000\"><eng>Exit</eng><deu>Beenden</deu></entry>"
        "</entries></lang>"));
    EXPECT_EQ(str(localizer->text(751000)), u"Beenden");
    EXPECT_EQ(str(localizer->englishText(751000)), u"Exit");
    EXPECT_EQ(str(localizer->text(42)), u"");  // in no language of the pack
    EXPECT_EQ(str(localizer->englishText(42)), u"");
    localizer->selectLanguage(u"English");
    EXPECT_EQ(str(localizer->text(751000)), u"Exit");
    EXPECT_EQ(str(localizer->englishText(751000)), u"Exit");

    // Without English the first language stands in.
    LocalizerHolder noEnglish(loadPackText(
        "<lang><languages><entry tagName=\"fra\" engName=\"French\"/>"
        "<entry tagName=\"deu\" engName=\"German\"/></languages>"
        "<entries><entry id=\"1\"><fra>Quitter</fra><deu>Beenden</deu></entry></entries></lang>"));
    EXPECT_EQ(str(noEnglish->text(1)), u"Beenden");
    EXPECT_EQ(str(noEnglish->englishText(1)), u"Quitter");
}

// Removes itself, and another listener, when told.
class Leaver : public gui::events::IEventListener {
public:
    Leaver(Localizer& localizer, gui::events::IEventListener* other)
        : localizer_(localizer), other_(other) {}
    void onEvent(base::IObject*, int32_t) override {
        ++count;
        localizer_.removeListener(this);
        localizer_.removeListener(other_);
    }
    int count = 0;

private:
    Localizer& localizer_;
    gui::events::IEventListener* other_;
};

TEST(Localizer, ListenersMayLeaveWhileBeingTold) {
    ScopedLanguageId user(0x0409);
    LocalizerHolder localizer(localizerWith({u"English", u"German"}));
    Recorder first;
    Recorder removed;
    Leaver leaver(*localizer, &removed);
    localizer->addListener(&first);
    localizer->addListener(&leaver);
    localizer->addListener(&removed);
    localizer->selectLanguage(u"German");
    EXPECT_EQ(first.ids.size(), 1u);
    EXPECT_EQ(leaver.count, 1);
    EXPECT_TRUE(removed.ids.empty());  // left before its turn
    EXPECT_EQ(localizer->listenerCount(), 1);
}

TEST(Localizer, ReleasedLocalizerComesBackEmpty) {
    Localizer* localizer = localizerWith({u"English"});
    Recorder recorder;
    localizer->addListener(&recorder);
    localizer->release();
    LocalizerHolder again(Localizer::take());
    EXPECT_EQ(again->languageCount(), 0);
    EXPECT_EQ(again->listenerCount(), 0);
    EXPECT_EQ(again->currentLanguage(), nullptr);
    EXPECT_EQ(str(again->className()), u"s_lang_Localizer");
}

}  // namespace
}  // namespace s::lang::test

#include "lang/lang_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/lang/test_support.h"

namespace s::lang::test {
namespace {

// Three languages; the fourth tag "xxx" of an element belongs to none.
constexpr std::string_view kLanguages =
    "<languages>"
    "<entry tagName=\"eng\" engName=\"English\" trueName=\"English\"/>"
    "<entry tagName=\"deu\" engName=\"German\" trueName=\"Deutsch\"/>"
    "<other tagName=\"zzz\" engName=\"Skipped\" trueName=\"Skipped\"/>"
    "<entry tagName=\"vec\" engName=\"Venetian\" trueName=\"V&#232;neto\"/>"
    "</languages>";

std::string pack(std::string_view entries) {
    return "<lang>" + std::string(kLanguages) + "<entries>" + std::string(entries) +
           "</entries></lang>";
}

std::string cutBefore(const std::string& text, std::string_view marker) {
    return text.substr(0, text.find(marker));
}

// The text of `id` in the language at `index`.
std::u16string textIn(Localizer& localizer, int32_t index, int32_t id) {
    return str(localizer.languageAt(index)->text(id));
}

TEST(LangReader, ReadsLanguagesInOrderAndSkipsOtherElements) {
    LocalizerHolder localizer(loadPackText(pack("")));
    ASSERT_EQ(localizer->languageCount(), 3);
    EXPECT_EQ(str(localizer->languageAt(0)->tag().text()), u"eng");
    EXPECT_EQ(str(localizer->languageAt(1)->engName().text()), u"German");
    EXPECT_EQ(str(localizer->languageAt(1)->trueName().text()), u"Deutsch");
    EXPECT_EQ(str(localizer->languageAt(2)->tag().text()), u"vec");
}

TEST(LangReader, EveryLanguageGetsEveryIdWithTheRightText) {
    struct Case {
        const char* name;
        const char* entry;
        int32_t id;
        const char16_t* eng;
        const char16_t* deu;
        const char16_t* vec;
    };
    const Case cases[] = {
        {"all present", "<entry id=\"1\"><eng>One</eng><deu>Eins</deu><vec>Un</vec></entry>", 1,
         u"One", u"Eins", u"Un"},
        {"missing element falls back to the first element",
         "<entry id=\"2\"><eng>Two</eng></entry>", 2, u"Two", u"Two", u"Two"},
        {"fallback is the first element, whatever its language",
         "<entry id=\"3\"><deu>Drei</deu><eng>Three</eng></entry>", 3, u"Three", u"Drei", u"Drei"},
        {"empty element is empty, not the fallback",
         "<entry id=\"4\"><eng>Four</eng><deu></deu><vec/></entry>", 4, u"Four", u"", u""},
        {"duplicate element: the first one wins",
         "<entry id=\"5\"><eng>Five</eng><deu>Fuenf</deu><deu>Later</deu></entry>", 5, u"Five",
         u"Fuenf", u"Five"},
        {"tags match ignoring case", "<entry id=\"6\"><eng>Six</eng><DEU>Sechs</DEU></entry>", 6,
         u"Six", u"Sechs", u"Six"},
        {"an element of no language only gives the fallback",
         "<entry id=\"7\"><xxx>Sieben?</xxx><eng>Seven</eng></entry>", 7, u"Seven", u"Sieben?",
         u"Sieben?"},
        {"digits followed by letters: the leading number",
         "<entry id=\"8th\"><eng>Eight</eng><deu>Acht</deu></entry>", 8, u"Eight", u"Acht",
         u"Eight"},
        {"entry comment and character references",
         "<entry id=\"9\">note for translators<eng>A &amp; B</eng><deu>&#160;C&#160;</deu></entry>",
         9, u"A & B", u" C ", u"A & B"},
        {"no elements: the empty text everywhere", "<entry id=\"10\"/>", 10, u"", u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LocalizerHolder localizer(loadPackText(pack(c.entry)));
        ASSERT_EQ(localizer->languageCount(), 3);
        for (int32_t i = 0; i < 3; ++i)
            EXPECT_TRUE(localizer->languageAt(i)->hasId(c.id));
        EXPECT_EQ(textIn(*localizer, 0, c.id), c.eng);
        EXPECT_EQ(textIn(*localizer, 1, c.id), c.deu);
        EXPECT_EQ(textIn(*localizer, 2, c.id), c.vec);
    }
}

TEST(LangReader, RepeatedEntryIdKeepsTheFirstTextsAndAddsNoFallbacks) {
    LocalizerHolder localizer(
        loadPackText(pack("<entry id=\"1\"><eng>First</eng><deu>Erste</deu></entry>"
                          "<entry id=\"1\"><eng>Second</eng><vec>Secondo</vec></entry>")));
    EXPECT_EQ(textIn(*localizer, 0, 1), u"First");
    EXPECT_EQ(textIn(*localizer, 1, 1), u"Erste");
    EXPECT_EQ(textIn(*localizer, 2, 1), u"First");
    EXPECT_EQ(localizer->languageAt(1)->idCount(), 1);  // German got no second fallback
    EXPECT_EQ(localizer->languageAt(2)->idCount(), 2);  // its own element was still appended
}

TEST(LangReader, NonNumericIdsAreTextKeys) {
    LocalizerHolder localizer(
        loadPackText(pack("<entry id=\"-5\"><eng>Minus</eng><deu>Minus DE</deu></entry>"
                          "<entry id=\"name\"><eng>Name</eng></entry>"
                          "<entry><eng>No id</eng></entry>")));
    LangPack& german = *localizer->languageAt(1);
    EXPECT_EQ(german.idCount(), 0);
    EXPECT_EQ(str(german.keyText(u"-5")), u"Minus DE");
    EXPECT_EQ(str(german.keyText(u"name")), u"Name");
    EXPECT_EQ(str(german.keyText(u"")), u"No id");
    EXPECT_EQ(str(german.keyText(u"NAME")), u"");  // keys are exact
    EXPECT_FALSE(german.hasId(-5));
    localizer->selectLanguage(u"German");
    EXPECT_EQ(str(localizer->keyText(u"-5")), u"Minus DE");
}

TEST(LangReader, VenetianLettersAreAdjustedOnlyBeforeVista) {
    const std::string text = pack(
        "<entry id=\"1\"><eng>\xC6\x9A eng</eng><vec>\xC6\x9A"
        "a</vec></entry>"
        "<entry id=\"2\"><eng>fallback \xC6\x9A</eng></entry>"
        "<entry id=\"k\"><eng>key \xC6\x9A</eng></entry>");
    struct Case {
        int32_t major;
        const char16_t* own;
        const char16_t* fallback;
        const char16_t* key;
    };
    const Case cases[] = {
        {5, u"\u0142a", u"fallback \u0142", u"key \u0142"},
        {6, u"\u019Aa", u"fallback \u019A", u"key \u019A"},
        {10, u"\u019Aa", u"fallback \u019A", u"key \u019A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.major);
        LocalizerHolder localizer(loadPackText(text, c.major));
        LangPack& venetian = *localizer->languageAt(2);
        EXPECT_EQ(str(venetian.text(1)), c.own);
        EXPECT_EQ(str(venetian.text(2)), c.fallback);
        EXPECT_EQ(str(venetian.keyText(u"k")), c.key);
        EXPECT_EQ(textIn(*localizer, 0, 1), u"\u019A eng");  // other languages never change
    }
}

TEST(LangReader, LanguageWithoutAttributesHasEmptyNamesAndIsSelectableByPosition) {
    LocalizerHolder localizer(loadPackText(
        "<lang><languages><entry tagName=\"eng\" engName=\"English\"/><entry/></languages>"
        "<entries><entry id=\"1\"><eng>One</eng></entry></entries></lang>"));
    ASSERT_EQ(localizer->languageCount(), 2);
    LangPack& nameless = *localizer->languageAt(1);
    EXPECT_EQ(str(nameless.tag().text()), u"");
    EXPECT_EQ(str(nameless.engName().text()), u"");
    EXPECT_EQ(str(localizer->languageAt(0)->trueName().text()), u"");
    localizer->selectLanguageAt(1);
    EXPECT_EQ(localizer->currentLanguage(), &nameless);
    EXPECT_EQ(str(localizer->text(1)), u"One");
}

TEST(LangReader, BrokenPacksGiveWhatCanBeRead) {
    struct Case {
        const char* name;
        std::string text;
        int32_t languages;
        int32_t idsOfFirst;
    };
    const Case cases[] = {
        {"empty", "", 0, 0},
        {"no markup", "just some words", 0, 0},
        {"no languages", "<lang><entries><entry id=\"1\"><eng>x</eng></entry></entries></lang>", 0,
         0},
        {"no entries", "<lang>" + std::string(kLanguages) + "</lang>", 3, 0},
        {"any document name",
         "<pack>" + std::string(kLanguages) +
             "<entries><entry id=\"1\"><eng>x</eng></entry></entries></pack>",
         3, 1},
        {"other children of entries are skipped",
         pack("<item id=\"1\"><eng>x</eng></item><!-- c --><entry id=\"2\"><eng>y</eng></entry>"),
         3, 1},
        {"cut off inside an element",
         cutBefore(pack("<entry id=\"1\"><eng>One</eng></entry>"), "</eng>"), 3, 1},
        {"garbage bytes", std::string("\xFF\xFE<\x80\x81\"=/<<>\0\xC0>", 14), 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LocalizerHolder localizer(loadPackText(c.text));
        ASSERT_NE(localizer.get(), nullptr);
        EXPECT_EQ(localizer->languageCount(), c.languages);
        if (c.languages > 0) {
            EXPECT_EQ(localizer->languageAt(0)->idCount(), c.idsOfFirst);
        }
        EXPECT_NE(localizer->text(1), nullptr);
    }
}

TEST(LangReader, NoBytesGiveALocalizerWithoutLanguages) {
    LocalizerHolder localizer(loadLanguagePack(nullptr, 0, 10));
    ASSERT_NE(localizer.get(), nullptr);
    EXPECT_EQ(localizer->languageCount(), 0);
    EXPECT_EQ(localizer->currentLanguage(), nullptr);
    EXPECT_EQ(str(localizer->text(500000)), u"");
    EXPECT_EQ(str(localizer->englishText(500000)), u"");
}

TEST(LangReader, TruncatedRealPackKeepsEveryLanguageComplete) {
    const std::string bytes = readPackFile();
    ASSERT_FALSE(bytes.empty());
    // Cuts through the languages, an entry's attributes, an element and a multi-byte letter.
    for (std::size_t cut : {std::size_t{1}, std::size_t{500}, std::size_t{2411}, bytes.size() / 3,
                            bytes.size() / 2 + 1, bytes.size() - 9}) {
        SCOPED_TRACE(cut);
        LocalizerHolder localizer(loadPackText(std::string_view(bytes).substr(0, cut)));
        for (int32_t i = 0; i < localizer->languageCount(); ++i) {
            EXPECT_EQ(localizer->languageAt(i)->idCount(), localizer->languageAt(0)->idCount());
        }
    }
}

}  // namespace
}  // namespace s::lang::test

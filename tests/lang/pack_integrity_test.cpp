// Checks the program's real language pack, read with the program's own reader.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "lang/lang_reader.h"
#include "persist/xml/node.h"
#include "tests/lang/pack_table.h"
#include "tests/lang/test_support.h"

namespace s::lang::test {
namespace {

class PackIntegrity : public ::testing::Test {
protected:
    void SetUp() override {
        bytes_ = readPackFile();
        ASSERT_FALSE(bytes_.empty()) << "cannot read " << TELLAVO_LANG_PACK_PATH;
        document_ = xml::Node::take();
        document_->parseBytes(reinterpret_cast<const uint8_t*>(bytes_.data()),
                              static_cast<int32_t>(bytes_.size()));
        localizer_ = Localizer::take();
        readLanguagePack(*localizer_, *document_, 10);
    }
    void TearDown() override {
        if (localizer_)
            localizer_->release();
        if (document_)
            document_->release();
    }

    const xml::Node* entries() const { return document_->childNamed(u"entries"); }

    std::string bytes_;
    xml::Node* document_ = nullptr;
    Localizer* localizer_ = nullptr;
};

TEST_F(PackIntegrity, IsPlainUtf8WithoutByteOrderMarkOrDeclaration) {
    ASSERT_GE(bytes_.size(), 6u);
    EXPECT_EQ(bytes_.substr(0, 6), "<lang>");
}

TEST_F(PackIntegrity, OffersTheLanguagesInOrder) {
    ASSERT_EQ(localizer_->languageCount(), static_cast<int32_t>(std::size(kPackLanguages)));
    for (int32_t i = 0; i < localizer_->languageCount(); ++i) {
        SCOPED_TRACE(i);
        const LangPack& language = *localizer_->languageAt(i);
        EXPECT_EQ(str(language.tag().text()), kPackLanguages[i].tag);
        EXPECT_EQ(str(language.engName().text()), kPackLanguages[i].engName);
        EXPECT_EQ(str(language.trueName().text()), kPackLanguages[i].trueName);
    }
}

TEST_F(PackIntegrity, EveryEntryHasOneElementPerLanguageEnglishFirst) {
    const xml::Node* list = entries();
    ASSERT_NE(list, nullptr);
    std::set<std::u16string> ids;
    int32_t count = 0;
    for (int32_t i = 0; i < list->childCount(); ++i) {
        const xml::Node* entry = list->child(i);
        ASSERT_TRUE(entry->nameEquals(u"entry", 5));
        ++count;
        const std::u16string id = str(entry->rawValue(u"id", u""));
        SCOPED_TRACE(std::string(id.begin(), id.end()));
        EXPECT_TRUE(ids.insert(id).second) << "duplicate id";
        ASSERT_EQ(entry->childCount(), static_cast<int32_t>(std::size(kPackLanguages)));
        for (int32_t l = 0; l < entry->childCount(); ++l) {
            // Same order as the languages, and the exact tag (the reader would forgive the case).
            EXPECT_EQ(str(entry->child(l)->name()), kPackLanguages[l].tag);
        }
    }
    EXPECT_EQ(count, static_cast<int32_t>(std::size(kEnglishTexts)));
}

TEST_F(PackIntegrity, EnglishTextsAreTheProgramsTexts) {
    ASSERT_TRUE(localizer_->languageCount() > 0);
    const LangPack& english = *localizer_->languageAt(0);
    ASSERT_EQ(english.idCount(), static_cast<int32_t>(std::size(kEnglishTexts)));
    for (const EnglishRow& row : kEnglishTexts) {
        SCOPED_TRACE(row.id);
        const char16_t* text = english.findText(row.id);
        ASSERT_NE(text, nullptr);
        const std::u16string value = str(text);
        switch (row.expect) {
            case Expect::kText:
                EXPECT_EQ(value, row.text);
                break;
            case Expect::kWebLink:
                EXPECT_EQ(value.rfind(u"https://", 0), 0u)
                    << std::string(value.begin(), value.end());
                EXPECT_EQ(value.find(u' '), std::u16string::npos);
                break;
            case Expect::kAnyText:
                EXPECT_FALSE(value.empty());
                break;
            case Expect::kEmpty:
                EXPECT_TRUE(value.empty());
                break;
        }
    }
}

TEST_F(PackIntegrity, EveryTextIsPresentAndOnlyTheAdvertEntriesAreEmpty) {
    for (int32_t i = 0; i < localizer_->languageCount(); ++i) {
        const LangPack& language = *localizer_->languageAt(i);
        SCOPED_TRACE(std::string(language.engName().text(),
                                 language.engName().text() + language.engName().length()));
        ASSERT_EQ(language.idCount(), static_cast<int32_t>(std::size(kEnglishTexts)));
        for (const EnglishRow& row : kEnglishTexts) {
            SCOPED_TRACE(row.id);
            const std::u16string value = str(language.text(row.id));
            if (row.expect == Expect::kEmpty) {
                EXPECT_TRUE(value.empty());
            } else {
                EXPECT_FALSE(value.empty());
            }
        }
    }
}

}  // namespace
}  // namespace s::lang::test

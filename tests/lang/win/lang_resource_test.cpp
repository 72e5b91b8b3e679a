// The language pack and the other resources built into this test program (the same
// resources as Tellavo.exe's).
#include "lang/win/lang_resource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "lang/ui_language.h"
#include "lang/win/system_language.h"

namespace s::lang::win {
namespace {

std::u16string str(const char16_t* text) {
    return text ? std::u16string(text) : u"<null>";
}

class Holder {
public:
    explicit Holder(Localizer* localizer) : localizer_(localizer) {}
    ~Holder() {
        if (localizer_)
            localizer_->release();
    }
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;
    Localizer* operator->() const { return localizer_; }
    Localizer* get() const { return localizer_; }

private:
    Localizer* localizer_;
};

// The language Wine gives the process for the LC_ALL of the run.
const char16_t* expectedFirstLanguage() {
    const char* locale = std::getenv("LC_ALL");
    if (locale && std::strncmp(locale, "ja_JP", 5) == 0)
        return u"Japanese";
    if (locale && std::strncmp(locale, "pt_BR", 5) == 0)
        return u"Portuguese_Brazilian";
    if (locale && std::strncmp(locale, "de_DE", 5) == 0)
        return u"German";
    return nullptr;
}

TEST(LangResource, FirstUseChoiceFollowsTheSystemLanguage) {
    Holder localizer(loadLanguagePack());
    ASSERT_EQ(localizer->languageCount(), 34);
    const LangPack* current = localizer->currentLanguage();
    ASSERT_NE(current, nullptr);
    if (const char16_t* expected = expectedFirstLanguage()) {
        EXPECT_EQ(str(current->engName().text()), expected);
    } else {
        // Whatever Wine's default is, the choice is the one its LANGID names (or the first).
        const LangPack* named = localizer->findLanguage(userLanguageName());
        EXPECT_EQ(current, named ? named : localizer->languageAt(0));
    }
    const std::u16string name = str(userLanguageName());
    const char* locale = std::getenv("LC_ALL");
    if (locale && std::strncmp(locale, "ja_JP", 5) == 0) {
        EXPECT_EQ(systemLanguageId(), 0x0411);
        EXPECT_EQ(name, u"Japanese");
    }
    if (locale && std::strncmp(locale, "pt_BR", 5) == 0) {
        EXPECT_EQ(systemLanguageId(), 0x0416);
        EXPECT_EQ(name, u"Portuguese_brazilian");
    }
}

TEST(LangResource, TextsInSeveralLanguages) {
    Holder localizer(loadLanguagePack());
    struct Case {
        const char16_t* language;
        int32_t id;
        const char16_t* text;
    };
    const Case cases[] = {
        {u"English", 751000, u"Exit"},          {u"German", 751000, u"Beenden"},
        {u"Japanese", 700000, u"言語"},         {u"Portuguese_Brazilian", 609000, u"Exibir"},
        {u"Japanese", 500000, u"Kivo Tellavo"}, {u"German", 6001000, u"  Eintrag l\u00f6schen  "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        localizer->selectLanguage(c.language);
        ASSERT_EQ(str(localizer->currentLanguage()->engName().text()), c.language);
        EXPECT_EQ(str(localizer->text(c.id)), c.text);
        EXPECT_EQ(str(localizer->englishText(751000)), u"Exit");
    }
}

TEST(LangResource, VenetianTextsKeepTheirLettersOnThisSystem) {
    ASSERT_GE(osMajorVersion(), 6);  // Wine reports a current Windows
    Holder localizer(loadLanguagePack());
    localizer->selectLanguage(u"Venetian");
    const LangPack* venetian = localizer->currentLanguage();
    ASSERT_EQ(str(venetian->tag().text()), u"vec");
    int32_t withLetter = 0;
    for (int32_t i = 0; i < venetian->idCount(); ++i) {
        const std::u16string text = str(venetian->textAt(i));
        if (text.find(u'\u019A') != std::u16string::npos)
            ++withLetter;
        EXPECT_EQ(text.find(u'\u0142'), std::u16string::npos);
    }
    EXPECT_GT(withLetter, 0);
}

TEST(LangResource, MissingResourceGivesNoLanguages) {
    Holder localizer(loadLanguagePack(nullptr, kPackResourceType, 999));
    ASSERT_NE(localizer.get(), nullptr);
    EXPECT_EQ(localizer->languageCount(), 0);
    EXPECT_EQ(str(localizer->text(500000)), u"");
    Holder wrongType(loadLanguagePack(nullptr, u"IDR_JPG", kPackResourceId));
    EXPECT_EQ(wrongType->languageCount(), 0);
}

TEST(ProgramResources, PicturesAreJpegs) {
    for (int32_t id : {131, 132}) {
        SCOPED_TRACE(id);
        const uint8_t* bytes = nullptr;
        uint32_t size = 0;
        ASSERT_TRUE(resourceBytes(nullptr, u"IDR_JPG", id, bytes, size));
        ASSERT_GT(size, 100u);
        EXPECT_EQ(bytes[0], 0xFF);
        EXPECT_EQ(bytes[1], 0xD8);
        EXPECT_EQ(bytes[size - 2], 0xFF);
        EXPECT_EQ(bytes[size - 1], 0xD9);
    }
}

TEST(ProgramResources, IconGroupHasThreeSizesOf32Bits) {
    HRSRC group = FindResourceW(nullptr, MAKEINTRESOURCEW(128), MAKEINTRESOURCEW(14));
    ASSERT_NE(group, nullptr);
    const auto* dir = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, group)));
    ASSERT_NE(dir, nullptr);
    // GRPICONDIR: reserved, type 1, count; then 14-byte entries.
    uint16_t count = 0;
    std::memcpy(&count, dir + 4, 2);
    ASSERT_EQ(count, 3);
    int sizes = 0;
    for (int i = 0; i < count; ++i) {
        const uint8_t* entry = dir + 6 + 14 * i;
        uint16_t bits = 0;
        std::memcpy(&bits, entry + 6, 2);
        EXPECT_EQ(bits, 32);
        sizes |= entry[0] == 16 ? 1 : entry[0] == 32 ? 2 : entry[0] == 64 ? 4 : 8;
    }
    EXPECT_EQ(sizes, 7);
    HICON small = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128), IMAGE_ICON, 16, 16, 0));
    EXPECT_NE(small, nullptr);
    if (small)
        DestroyIcon(small);
}

TEST(ProgramResources, VersionAndManifestArePresent) {
    const uint8_t* bytes = nullptr;
    uint32_t size = 0;
    ASSERT_TRUE(
        resourceBytes(nullptr, reinterpret_cast<const char16_t*>(RT_MANIFEST), 1, bytes, size));
    const std::string manifest(reinterpret_cast<const char*>(bytes), size);
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
    ASSERT_TRUE(
        resourceBytes(nullptr, reinterpret_cast<const char16_t*>(RT_VERSION), 1, bytes, size));
    // The fixed part starts after the "VS_VERSION_INFO" key, aligned to 4 bytes.
    const std::u16string key = u"VS_VERSION_INFO";
    ASSERT_GT(size, 92u);
    EXPECT_EQ(std::memcmp(bytes + 6, key.data(), key.size() * 2), 0);
    uint32_t signature = 0, fileMs = 0;
    std::memcpy(&signature, bytes + 40, 4);
    std::memcpy(&fileMs, bytes + 48, 4);
    EXPECT_EQ(signature, 0xFEEF04BDu);
    EXPECT_EQ(fileMs, (1u << 16) | 18u);
}

}  // namespace
}  // namespace s::lang::win

// The application base against the real registry, on a private product key: the identity
// stamp, the stored language, write-through, the executable's path, the resources and the
// installer's first-start flag.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/frame/i_command_line.h"
#include "app/frame/win/app_base.h"
#include "app/frame/win/running_copy.h"
#include "gui/drawer/skinner.h"
#include "lang/lang_pack.h"
#include "lang/localizer.h"
#include "persist/map/i_mapped_data.h"
#include "persist/reg/reg_types.h"
#include "persist/win/reg_dir.h"
#include "persist/xml/mapped_data.h"
#include "tests/app/win/frame_support.h"

namespace s::tests::app {

namespace {

using ::s::app::win::AppBase;

std::u16string text(const char16_t* t) {
    return t ? std::u16string(t) : std::u16string();
}

std::vector<std::u16string> openedPages;
bool recordPage(const char16_t* url) {
    openedPages.push_back(url);
    return true;
}

SIZE iconSize(HICON icon) {
    ICONINFO info{};
    SIZE size{0, 0};
    if (icon && GetIconInfo(icon, &info)) {
        BITMAP bitmap{};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        size = {bitmap.bmWidth, bitmap.bmHeight};
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    return size;
}

TEST(AppBase, FirstStartStampsTheIdentityAndTheChosenLanguage) {
    PrivateProductKey key;
    AppBase* base = createAppBase(key);
    const std::u16string settings = key.settingsPath();
    EXPECT_EQ(readKeyText(settings + u"\\SoftwareType", u"-"), u"Freeware");
    EXPECT_EQ(readKeyText(settings + u"\\SoftwareID", u"-"), u"Kivo Tellavo");
    EXPECT_EQ(readKeyText(settings + u"\\Version", u"-"), u"1.18");
    ASSERT_NE(base->localizer()->currentLanguage(), nullptr);
    EXPECT_EQ(readKeyText(settings + u"\\Language", u"-"),
              text(base->localizer()->currentLanguage()->engName().text()));
    // No skin is stored until one is chosen, and none reads as the default.
    EXPECT_EQ(readKeyText(settings + u"\\Skin", u"-"), u"-");
    EXPECT_EQ(text(base->skinName()), u"Black");
    EXPECT_EQ(text(base->editionWord()), u"Freeware");
    EXPECT_EQ(base->productTextBase(), 500000);
    // Initialisation writes without saving each time; afterwards every write is saved.
    EXPECT_TRUE(base->settings()->autoSave());
    EXPECT_FALSE(base->hasSkinner());
    base->release();
}

struct LanguageCase {
    const char16_t* stored;
    const char16_t* current;  // engName selected
    const char16_t* after;    // stored "Language" afterwards
};

class StoredLanguage : public testing::TestWithParam<LanguageCase> {};

TEST_P(StoredLanguage, SelectsItOrFallsBackToEnglish) {
    const LanguageCase& c = GetParam();
    PrivateProductKey key;
    reg::win::RegDir* language =
        reg::win::RegDir::takeOpen(reg::kCurrentUser, (key.settingsPath() + u"\\Language").c_str());
    const std::u16string stored = c.stored;
    ASSERT_TRUE(language->setRaw(u"", reg::kTypeSz, stored.c_str(),
                                 static_cast<uint32_t>((stored.size() + 1) * 2)));
    language->release();

    AppBase* base = createAppBase(key);
    EXPECT_EQ(text(base->localizer()->currentLanguage()->engName().text()), c.current);
    EXPECT_EQ(readKeyText(key.settingsPath() + u"\\Language", u"-"), c.after);
    base->release();
}

INSTANTIATE_TEST_SUITE_P(Names, StoredLanguage,
                         testing::Values(LanguageCase{u"German", u"German", u"German"},
                                         LanguageCase{u"german", u"German", u"german"},
                                         LanguageCase{u"JAPANESE", u"Japanese", u"JAPANESE"},
                                         LanguageCase{u"Klingon", u"English", u"English"},
                                         LanguageCase{u"", u"English", u"English"}));

TEST(AppBase, LanguageAndSkinWritesReachTheRegistryAtOnce) {
    PrivateProductKey key;
    AppBase* base = createAppBase(key);
    base->setLanguageName(u"French");
    base->setSkinName(u"Blue");
    EXPECT_EQ(readKeyText(key.settingsPath() + u"\\Language", u"-"), u"French");
    EXPECT_EQ(readKeyText(key.settingsPath() + u"\\Skin", u"-"), u"Blue");
    EXPECT_EQ(text(base->languageName()), u"French");
    base->release();
}

TEST(AppBase, ReadsTheExecutablePathAtFullLength) {
    PrivateProductKey key;
    AppBase* base = createAppBase(key);
    wchar_t expected[4096] = {};
    GetModuleFileNameW(nullptr, expected, 4096);
    EXPECT_EQ(text(base->executablePath()), text(reinterpret_cast<const char16_t*>(expected)));
    const std::u16string path = base->executablePath();
    EXPECT_EQ(text(base->executableFolder()), path.substr(0, path.find_last_of(u'\\')));
    base->release();

    // However small the first buffer, the path comes back whole, never cut.
    for (uint32_t first : {1u, 2u, 5u, 16u}) {
        str::StrBuffer got;
        ASSERT_TRUE(::s::app::win::modulePath(nullptr, got, first));
        EXPECT_EQ(text(got.text()), path) << "first capacity " << first;
    }
}

TEST(AppBase, CommandLineComesFromThePlatformApplication) {
    PrivateProductKey key;
    AppBase* base = createAppBase(key, L"/STARTUP \"two words\"");
    ASSERT_EQ(base->commandLine()->argumentCount(), 2);
    EXPECT_EQ(text(base->commandLine()->argumentAt(0)), u"-STARTUP");
    EXPECT_EQ(text(base->commandLine()->argumentAt(1)), u"two words");
    EXPECT_EQ(base->commandLine()->findArgument(u"-startup"), 0);
    base->release();
}

TEST(AppBase, IconsAndPicturesComeFromTheExecutable) {
    PrivateProductKey key;
    AppBase* base = createAppBase(key);
    ASSERT_NE(base->iconGroup(), nullptr);
    EXPECT_TRUE(base->iconGroup()->exists());
    SIZE small = iconSize(base->smallIcon());
    SIZE large = iconSize(base->largeIcon());
    SIZE huge = iconSize(base->hugeIcon());
    EXPECT_EQ(small.cx, 16);
    EXPECT_EQ(large.cx, 32);
    EXPECT_EQ(huge.cx, 64);
    ::s::app::win::IconGroup* missing = base->iconGroupById(4242);
    EXPECT_FALSE(missing->exists());
    EXPECT_EQ(missing->smallIcon(), nullptr);
    missing->release();
    // Both pictures decode from the executable's JPEG resources, once.
    for (const image::IImage* picture : {static_cast<const image::IImage*>(base->pictureA()),
                                         static_cast<const image::IImage*>(base->pictureB())}) {
        ASSERT_NE(picture, nullptr);
        EXPECT_GT(picture->width(), 0);
        EXPECT_GT(picture->height(), 0);
    }
    EXPECT_EQ(base->pictureA(), base->pictureAHolder());
    EXPECT_NE(base->pictureA(), base->pictureB());
    base->release();
}

TEST(AppBase, FileSettingsLiveBesideTheExecutable) {
    PrivateProductKey key;
    AppBase* base = createAppBase(key);
    auto* file = static_cast<xml::MappedData*>(base->createFileSettings());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(text(file->filePath()), text(base->executableFolder()) + u"\\savedata\\SaveData.xml");
    file->release();
    base->release();
}

void storeSkin(const PrivateProductKey& key, const std::u16string& name) {
    reg::win::RegDir* skin =
        reg::win::RegDir::takeOpen(reg::kCurrentUser, (key.settingsPath() + u"\\Skin").c_str());
    ASSERT_TRUE(skin->setRaw(u"", reg::kTypeSz, name.c_str(),
                             static_cast<uint32_t>((name.size() + 1) * 2)));
    skin->release();
}

AppBase* createSkinned(const PrivateProductKey& key) {
    return createAppBase(key, L"", nullptr, gui::drawer::Skinner::create(u"ThinWindow"));
}

TEST(AppBase, SkinThePersonPicksIsStoredAndComesBackAtTheNextStart) {
    PrivateProductKey key;
    AppBase* base = createSkinned(key);
    ASSERT_TRUE(base->hasSkinner());
    // A first start shows the default skin and stores nothing.
    EXPECT_EQ(text(base->skinner()->currentName()), u"Black");
    EXPECT_EQ(readKeyText(key.settingsPath() + u"\\Skin", u"-"), u"-");
    base->skinner()->selectByName(u"sky blue");
    EXPECT_EQ(readKeyText(key.settingsPath() + u"\\Skin", u"-"), u"Sky Blue");
    base->release();

    AppBase* next = createSkinned(key);
    EXPECT_EQ(text(next->skinner()->currentName()), u"Sky Blue");
    EXPECT_EQ(text(next->skinName()), u"Sky Blue");
    next->release();
}

struct SkinCase {
    const char16_t* stored;
    const char16_t* current;
};

class StoredSkin : public testing::TestWithParam<SkinCase> {};

TEST_P(StoredSkin, NamesNoSchemeGivesTheDefaultAndTheStoredValueStays) {
    const SkinCase& c = GetParam();
    PrivateProductKey key;
    storeSkin(key, c.stored);
    AppBase* base = createSkinned(key);
    EXPECT_EQ(text(base->skinner()->currentName()), c.current);
    EXPECT_EQ(readKeyText(key.settingsPath() + u"\\Skin", u"-"), c.stored);
    base->release();
}

INSTANTIATE_TEST_SUITE_P(Names, StoredSkin,
                         testing::Values(SkinCase{u"Indigo", u"Indigo"},
                                         SkinCase{u"classic lg", u"Classic LG"},
                                         SkinCase{u"Plaid", u"Black"}, SkinCase{u"", u"Black"}));

// The installer's first-start flag: only a DWORD of exactly 1 counts, and it counts once.
struct SilentCase {
    const char* name;
    uint32_t type;
    std::vector<uint8_t> bytes;  // empty with type 0: no value at all
    bool opens;
};

class SilentFlag : public testing::TestWithParam<SilentCase> {};

TEST_P(SilentFlag, OpensTheWebPageOnlyForADwordOfOne) {
    const SilentCase& c = GetParam();
    PrivateProductKey key;
    if (c.type != 0) {
        reg::win::RegDir* product = reg::win::RegDir::takeOpen(reg::kCurrentUser, key.path());
        ASSERT_TRUE(product->setRaw(u"Silent", c.type, c.bytes.data(),
                                    static_cast<uint32_t>(c.bytes.size())));
        product->release();
    }
    openedPages.clear();
    AppBase* base = createAppBase(key, L"", &recordPage);
    base->handleSilentFlag();
    base->handleSilentFlag();
    ASSERT_EQ(openedPages.size(), c.opens ? 1u : 0u);
    if (c.opens) {
        EXPECT_EQ(openedPages[0], text(base->localizer()->text(500003)));
        EXPECT_FALSE(openedPages[0].empty());
    }

    reg::win::RegDir* product = reg::win::RegDir::takeOpen(reg::kCurrentUser, key.path());
    uint32_t type = 0;
    uint32_t size = 0;
    const bool present = product->readRaw(u"Silent", &type, &size);
    EXPECT_EQ(present, c.type != 0);
    if (present) {
        std::vector<uint8_t> after(product->data().data(), product->data().data() + size);
        // A flag that opened the page is cleared; any other value is left as it was.
        std::vector<uint8_t> expected = c.opens ? std::vector<uint8_t>{0, 0, 0, 0} : c.bytes;
        EXPECT_EQ(after, expected);
        EXPECT_EQ(type, c.type);
    }
    product->release();
    base->release();
}

INSTANTIATE_TEST_SUITE_P(
    Values, SilentFlag,
    testing::Values(SilentCase{"DwordOne", reg::kTypeDword, {1, 0, 0, 0}, true},
                    SilentCase{"DwordZero", reg::kTypeDword, {0, 0, 0, 0}, false},
                    SilentCase{"DwordTwo", reg::kTypeDword, {2, 0, 0, 0}, false},
                    SilentCase{"DwordAllOnes", reg::kTypeDword, {0xFF, 0xFF, 0xFF, 0xFF}, false},
                    SilentCase{"TextOne", reg::kTypeSz, {'1', 0, 0, 0}, false},
                    SilentCase{"BinaryOne", reg::kTypeBinary, {1, 0, 0, 0}, false},
                    SilentCase{"QwordOne", 11, {1, 0, 0, 0, 0, 0, 0, 0}, false},
                    SilentCase{"ShortDword", reg::kTypeDword, {1, 0}, false},
                    SilentCase{"Missing", 0, {}, false}),
    [](const testing::TestParamInfo<SilentCase>& p) { return std::string(p.param.name); });

}  // namespace

}  // namespace s::tests::app

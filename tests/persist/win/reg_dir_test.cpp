#include "persist/win/reg_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "base/array.h"
#include "base/str_buffer.h"
#include "persist/reg/reg_types.h"
#include "persist/win/nt_api.h"
#include "tests/persist/test_util.h"

namespace s::reg::win {
namespace {

constexpr const char16_t* kTimeZones =
    u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";

using test::narrow;
using test::Owned;
std::u16string str(const char16_t* text) {
    return test::u16(text);
}

TEST(RegDirRead, OpensTimeZonesAndListsZonesWithTheirValues) {
    Owned<RegDir> zones(RegDir::takeOpen(kLocalMachine, kTimeZones));
    ASSERT_TRUE(zones->isOpen());
    EXPECT_EQ(str(zones->pathText()), kTimeZones);
    EXPECT_EQ(str(zones->fullPathText()), std::u16string(u"HKEY_LOCAL_MACHINE\\") + kTimeZones);
    EXPECT_EQ(str(zones->nativePathText()), std::u16string(u"\\Registry\\Machine\\") + kTimeZones);

    Owned<col::ArrayP> keys(zones->subkeys());
    ASSERT_GT(keys->count(), 100);
    bool sawTokyo = false;
    for (int32_t i = 0; i < keys->count(); ++i) {
        RegDir* zone = keys->getAs<RegDir>(i);
        Owned<str::StrBuffer> name(zone->name());
        EXPECT_FALSE(name->isEmpty());
        EXPECT_FALSE(str(zone->getText(u"Std", u"")).empty()) << narrow(name->text());
        Owned<col::ArrayU08> tzi(zone->getBinary(u"TZI"));
        ASSERT_NE(tzi, nullptr) << narrow(name->text());
        EXPECT_EQ(tzi->count(), 44);
        if (name->equals(u"Tokyo Standard Time")) {
            sawTokyo = true;
            EXPECT_EQ(str(zone->getText(u"Std", u"")), u"Tokyo Standard Time");
            int32_t bias = 0;
            std::memcpy(&bias, tzi->data(), 4);
            EXPECT_EQ(bias, -540);
        }
    }
    EXPECT_TRUE(sawTokyo);
}

TEST(RegDirRead, MissingKeysAndValuesGiveTheDefault) {
    Owned<RegDir> missing(RegDir::takeOpen(kLocalMachine, u"SOFTWARE\\NoSuchKeyForTellavo"));
    EXPECT_FALSE(missing->isOpen());
    EXPECT_FALSE(missing->exists());
    EXPECT_EQ(str(missing->getText(u"Std", u"dflt")), u"dflt");
    EXPECT_EQ(missing->getBinary(u"TZI"), nullptr);
    EXPECT_EQ(missing->getDword(u"X", 77u), 77u);
    Owned<col::ArrayP> none(missing->subkeys());
    EXPECT_EQ(none->count(), 0);

    Owned<RegDir> zones(RegDir::takeOpen(kLocalMachine, kTimeZones));
    EXPECT_EQ(str(zones->getText(u"NoSuchValue", u"dflt")), u"dflt");
}

TEST(RegDirRead, BinaryValueReadAsTextGivesTheDefault) {
    Owned<RegDir> tokyo(RegDir::takeOpen(
        kLocalMachine, (std::u16string(kTimeZones) + u"\\Tokyo Standard Time").c_str()));
    ASSERT_TRUE(tokyo->isOpen());
    EXPECT_EQ(str(tokyo->getText(u"TZI", u"dflt")), u"dflt");
    bool expandable = true;
    EXPECT_EQ(str(tokyo->getText(u"Std", u"", &expandable)), u"Tokyo Standard Time");
    EXPECT_FALSE(expandable);
}

TEST(RegDirRead, OpenTextParsesTheRootNameIgnoringCase) {
    struct Case {
        const char16_t* text;
        uint32_t root;
        const char16_t* path;
    };
    const Case cases[] = {
        {u"hkey_local_machine\\SOFTWARE\\Microsoft", kLocalMachine, u"SOFTWARE\\Microsoft"},
        {u"HKEY_CURRENT_USER\\Software", kCurrentUser, u"Software"},
        {u"HKEY_USERS", kUsers, u""},
        {u"HKEY_CLASSES_ROOT\\.txt", kClassesRoot, u".txt"},
        {u"HKEY_CURRENT_CONFIG\\System", kCurrentConfig, u"System"},
        {u"HKLM\\SOFTWARE", kCurrentUser, u"InvalidKey"},
        // A root's name counts only as a whole name, followed by the end or a separator.
        {u"HKEY_USERSfoo", kCurrentUser, u"InvalidKey"},
        {u"HKEY_CURRENT_USER_Old\\Software", kCurrentUser, u"InvalidKey"},
        {u"HKEY_LOCAL_MACHINE2\\SOFTWARE", kCurrentUser, u"InvalidKey"},
        {u"HKEY_CURRENT_USER\\", kCurrentUser, u""},
    };
    for (const Case& c : cases) {
        Owned<RegDir> dir(RegDir::take());
        dir->openText(c.text);
        EXPECT_EQ(dir->root(), c.root) << narrow(c.text);
        EXPECT_EQ(str(dir->pathText()), c.path) << narrow(c.text);
    }
    Owned<RegDir> machine(RegDir::take());
    EXPECT_TRUE(machine->openText(u"HKEY_LOCAL_MACHINE\\SOFTWARE"));
}

TEST(RegDirRead, ParentAndNameWalkThePath) {
    Owned<RegDir> zones(RegDir::takeOpen(kLocalMachine, u"\\SOFTWARE\\Microsoft\\"));
    EXPECT_EQ(str(zones->pathText()), u"SOFTWARE\\Microsoft");
    Owned<str::StrBuffer> name(zones->name());
    EXPECT_EQ(str(name->text()), u"Microsoft");
    Owned<RegDir> up(zones->parent());
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(str(up->pathText()), u"SOFTWARE");
    EXPECT_TRUE(up->exists());
    Owned<RegDir> top(up->parent());
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(str(top->pathText()), u"");
    EXPECT_EQ(top->parent(), nullptr);
}

TEST(RegDirRead, CurrentUserIsNamedByTheTokenSid) {
    Owned<RegDir> user(RegDir::takeOpen(kCurrentUser, u"Software"));
    std::u16string prefix = str(user->nativeRootPrefix());
    EXPECT_EQ(prefix.rfind(u"\\Registry\\User\\S-1-", 0), 0u) << narrow(prefix);
    EXPECT_TRUE(user->isOpen());
}

std::wstring lastTitle;
std::wstring lastText;
int reports = 0;

void captureReport(const wchar_t* title, const wchar_t* text) {
    lastTitle = title;
    lastText = text;
    ++reports;
}

TEST(NtApi, AMissingEntryPointIsReportedByName) {
    const char* const names[] = {"NtOpenKey", "NtNoSuchCallForTellavo"};
    FARPROC procs[2] = {};
    reports = 0;
    int resolved =
        resolveEntryPoints(GetModuleHandleW(L"ntdll.dll"), names, procs, 2, true, captureReport);
    EXPECT_EQ(resolved, 1);
    EXPECT_NE(procs[0], nullptr);
    EXPECT_EQ(procs[1], nullptr);
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(lastTitle, L"CNtRegistry: Message...");
    EXPECT_EQ(lastText, L"Could not find NtNoSuchCallForTellavo entry point in NTDLL.DLL");
    const NtApi& api = ntApi();
    EXPECT_NE(api.openKey, nullptr);
    EXPECT_NE(api.deleteValueKey, nullptr);
}

}  // namespace
}  // namespace s::reg::win

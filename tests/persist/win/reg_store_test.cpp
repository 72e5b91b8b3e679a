#include "persist/win/reg_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/array.h"
#include "base/str_array.h"
#include "base/str_buffer.h"
#include "persist/reg/reg_types.h"
#include "persist/win/reg_dir.h"
#include "tests/persist/test_util.h"

namespace s::reg::win {
namespace {

using test::Owned;
using test::u16;

constexpr const char16_t* kTestsRoot = u"Software\\Kivo\\TellavoTests";

// A store on a private key HKEY_CURRENT_USER\Software\Kivo\TellavoTests\<unique>, removed
// afterwards together with TellavoTests when nothing else is left there.
class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = kTestsRoot;
        path_ += u"\\";
        std::string unique =
            std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64());
        path_.append(unique.begin(), unique.end());
        store_.reset(openRegistryStore(kCurrentUser, path_.c_str()));
        ASSERT_NE(store_, nullptr);
    }

    void TearDown() override {
        store_.reset();
        Owned<RegDir> mine(RegDir::takeOpen(kCurrentUser, path_.c_str()));
        if (mine->isOpen()) {
            EXPECT_TRUE(mine->deleteTree(true));
        }
        EXPECT_FALSE(mine->exists());
        Owned<RegDir> tests(RegDir::takeOpen(kCurrentUser, kTestsRoot));
        Owned<col::ArrayP> left(tests->subkeys());
        if (tests->isOpen() && left->count() == 0)
            tests->deleteTree(true);
    }

    // A key handle below the private key (the caller releases it).
    RegDir* key(const char16_t* relative) {
        std::u16string full = path_;
        if (*relative != 0)
            full += std::u16string(u"\\") + relative;
        return RegDir::takeOpen(kCurrentUser, full.c_str());
    }

    void writeRaw(const char16_t* relative, const char16_t* name, uint32_t type, const void* bytes,
                  uint32_t size) {
        Owned<RegDir> dir(key(relative));
        ASSERT_TRUE(dir->setRaw(name, type, bytes, size));
    }

    // Type and size of a stored value as the registry holds it.
    std::pair<uint32_t, uint32_t> rawShape(const char16_t* relative, const char16_t* name) {
        Owned<RegDir> dir(key(relative));
        uint32_t type = 0;
        uint32_t size = 0;
        if (!dir->readRaw(name, &type, &size))
            return {0xFFFFFFFFu, 0};
        return {type, size};
    }

    std::u16string path_;
    Owned<MappedData> store_;
};

TEST_F(RegistryStoreTest, EveryTypedSetterReadsBackWithItsGetterAndItsRegistryType) {
    MappedData& s = *store_;
    const char16_t* k = u"Typed";
    ASSERT_TRUE(s.setUInt8(k, u"u8", 200));
    ASSERT_TRUE(s.setUInt16(k, u"u16", 65000));
    ASSERT_TRUE(s.setUInt32(k, u"u32", 4000000000u));
    ASSERT_TRUE(s.setUInt64(k, u"u64", 0x123456789ABCDEF0ull));
    ASSERT_TRUE(s.setInt8(k, u"i8", -100));
    ASSERT_TRUE(s.setInt16(k, u"i16", -30000));
    ASSERT_TRUE(s.setInt32(k, u"i32", -2000000000));
    ASSERT_TRUE(s.setInt64(k, u"i64", -5000000000ll));
    ASSERT_TRUE(s.setFloat(k, u"f", 1.25f));
    ASSERT_TRUE(s.setDouble(k, u"d", 0.1));
    ASSERT_TRUE(s.setBool(k, u"b", true));
    ASSERT_TRUE(s.setString(k, u"s", u"Light Gray \u65e5\u672c"));
    ASSERT_TRUE(s.setExpandableString(k, u"e", u"plain"));
    const uint8_t bytes[] = {0, 1, 0xFE, 0xFF, 7};
    ASSERT_TRUE(s.setBytes(k, u"bytes", bytes, 5));

    EXPECT_EQ(s.getUInt8(k, u"u8", 0), 200);
    EXPECT_EQ(s.getUInt16(k, u"u16", 0), 65000);
    EXPECT_EQ(s.getUInt32(k, u"u32", 0), 4000000000u);
    EXPECT_EQ(s.getUInt64(k, u"u64", 0), 0x123456789ABCDEF0ull);
    EXPECT_EQ(s.getInt8(k, u"i8", 0), -100);
    EXPECT_EQ(s.getInt16(k, u"i16", 0), -30000);
    EXPECT_EQ(s.getInt32(k, u"i32", 0), -2000000000);
    EXPECT_EQ(s.getInt64(k, u"i64", 0), -5000000000ll);
    EXPECT_EQ(s.getFloat(k, u"f", 0), 1.25f);
    EXPECT_EQ(s.getDouble(k, u"d", 0), 0.1);
    EXPECT_TRUE(s.getBool(k, u"b", false));
    EXPECT_EQ(u16(s.getString(k, u"s", u"")), u"Light Gray \u65e5\u672c");
    bool expandable = false;
    EXPECT_EQ(u16(s.getString(k, u"e", u"", &expandable)), u"plain");
    EXPECT_TRUE(expandable);
    Owned<col::ArrayU08> back(s.getBytes(k, u"bytes"));
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->count(), 5);
    EXPECT_EQ(std::memcmp(back->data(), bytes, 5), 0);

    struct Shape {
        const char16_t* name;
        uint32_t type;
        uint32_t size;
    };
    const Shape shapes[] = {
        {u"u8", kTypeDword, 4},    {u"u16", kTypeDword, 4},    {u"u32", kTypeDword, 4},
        {u"u64", kTypeBinary, 8},  {u"i8", kTypeDword, 4},     {u"i16", kTypeDword, 4},
        {u"i32", kTypeDword, 4},   {u"i64", kTypeBinary, 8},   {u"f", kTypeBinary, 4},
        {u"d", kTypeBinary, 8},    {u"b", kTypeDword, 4},      {u"s", kTypeSz, 2 * 14},
        {u"e", kTypeExpandSz, 12}, {u"bytes", kTypeBinary, 5},
    };
    for (const Shape& shape : shapes) {
        auto [type, size] = rawShape(k, shape.name);
        EXPECT_EQ(type, shape.type) << test::narrow(shape.name);
        EXPECT_EQ(size, shape.size) << test::narrow(shape.name);
    }
}

TEST_F(RegistryStoreTest, BooleansAndNarrowSignedValuesHaveTheirDwordForms) {
    MappedData& s = *store_;
    ASSERT_TRUE(s.setBool(u"", u"on", true));
    ASSERT_TRUE(s.setInt8(u"", u"minus", -1));
    Owned<RegDir> top(key(u""));
    EXPECT_EQ(top->getDword(u"on", 0), 1u);
    EXPECT_EQ(top->getDword(u"minus", 0), 0xFFFFFFFFu);
    EXPECT_EQ(s.getInt8(u"", u"minus", 0), -1);

    const uint32_t seven = 7;
    writeRaw(u"", u"seven", kTypeDword, &seven, 4);
    EXPECT_TRUE(s.getBool(u"", u"seven", false));
    const char16_t one[] = u"1";
    writeRaw(u"", u"textOne", kTypeSz, one, sizeof(one));
    EXPECT_FALSE(s.getBool(u"", u"textOne", false));
    EXPECT_TRUE(s.getBool(u"", u"textOne", true));
    EXPECT_EQ(u16(s.getString(u"", u"seven", u"dflt")), u"dflt");
}

TEST_F(RegistryStoreTest, DoubleIsEightBytesOfBinaryAndReadsBackExactly) {
    const double value = 3.141592653589793;
    ASSERT_TRUE(store_->setDouble(u"D", u"pi", value));
    Owned<RegDir> dir(key(u"D"));
    Owned<col::ArrayU08> raw(dir->getBinary(u"pi"));
    ASSERT_NE(raw, nullptr);
    ASSERT_EQ(raw->count(), 8);
    double stored = 0;
    std::memcpy(&stored, raw->data(), 8);
    EXPECT_EQ(stored, value);
    EXPECT_EQ(store_->getDouble(u"D", u"pi", 0), value);
}

TEST_F(RegistryStoreTest, ExpandableTextsAreExpandedOnRequest) {
    ASSERT_TRUE(store_->setExpandableString(u"", u"where", u"%SystemRoot%\\fonts"));
    wchar_t expected[600];
    DWORD n = ExpandEnvironmentStringsW(L"%SystemRoot%\\fonts", expected, 600);
    ASSERT_GT(n, 0u);
    bool expandable = false;
    std::u16string got = u16(store_->getString(u"", u"where", u"", &expandable, true));
    EXPECT_TRUE(expandable);
    EXPECT_EQ(got, reinterpret_cast<const char16_t*>(expected));
    EXPECT_EQ(got.find(u'%'), std::u16string::npos);
    EXPECT_EQ(u16(store_->getString(u"", u"where", u"", &expandable, false)),
              u"%SystemRoot%\\fonts");
}

TEST_F(RegistryStoreTest, ValuesLargerThanTheSharedReadBufferReadBackWhole) {
    std::vector<uint8_t> bytes(100000);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * 7 + i / 251);
    ASSERT_TRUE(store_->setBytes(u"Big", u"bin", bytes.data(), static_cast<int32_t>(bytes.size())));
    std::u16string text(20000, u'x');
    text += u"\u65e5end";
    ASSERT_TRUE(store_->setString(u"Big", u"text", text.c_str()));

    Owned<col::ArrayU08> back(store_->getBytes(u"Big", u"bin"));
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->count(), static_cast<int32_t>(bytes.size()));
    EXPECT_EQ(std::memcmp(back->data(), bytes.data(), bytes.size()), 0);
    EXPECT_EQ(u16(store_->getString(u"Big", u"text", u"")), text);
    EXPECT_EQ(store_->getUInt32(u"Big", u"bin", 42u), 42u);
}

TEST_F(RegistryStoreTest, ExpansionsLongerThanTheFirstRoomAreNotCut) {
    std::u16string stored;
    for (int i = 0; i < 100; ++i)
        stored += u"%SystemRoot%;";
    ASSERT_TRUE(store_->setExpandableString(u"", u"long", stored.c_str()));
    std::vector<wchar_t> expected(8192);
    DWORD n = ExpandEnvironmentStringsW(reinterpret_cast<const wchar_t*>(stored.c_str()),
                                        expected.data(), static_cast<DWORD>(expected.size()));
    ASSERT_GT(n, 600u);  // beyond the 520 units first offered
    ASSERT_LE(n, expected.size());
    EXPECT_EQ(u16(store_->getString(u"", u"long", u"", nullptr, true)),
              reinterpret_cast<const char16_t*>(expected.data()));
}

TEST_F(RegistryStoreTest, ValuesOfTheWrongSizeOrTypeReadAsTheDefault) {
    MappedData& s = *store_;
    const uint8_t three[3] = {1, 2, 3};
    const uint64_t eight = 5;
    const uint32_t four = 9;
    writeRaw(u"", u"three", kTypeBinary, three, 3);
    writeRaw(u"", u"eight", kTypeBinary, &eight, 8);
    writeRaw(u"", u"four", kTypeDword, &four, 4);
    writeRaw(u"", u"empty", kTypeBinary, nullptr, 0);
    EXPECT_EQ(s.getUInt32(u"", u"three", 42u), 42u);
    EXPECT_EQ(s.getUInt32(u"", u"eight", 42u), 42u);
    EXPECT_EQ(s.getUInt8(u"", u"eight", 42), 42);
    EXPECT_EQ(s.getUInt64(u"", u"four", 42u), 42u);
    EXPECT_EQ(s.getDouble(u"", u"four", 2.5), 2.5);
    EXPECT_EQ(s.getFloat(u"", u"eight", 2.5f), 2.5f);
    EXPECT_FALSE(s.getBool(u"", u"three", false));
    EXPECT_EQ(u16(s.getString(u"", u"empty", u"dflt")), u"");
    EXPECT_EQ(u16(s.getString(u"", u"missing", u"dflt")), u"dflt");
    EXPECT_EQ(s.getBytes(u"", u"missing"), nullptr);
    EXPECT_EQ(s.getUInt32(u"NoSuchKey", u"four", 42u), 42u);
}

TEST_F(RegistryStoreTest, TextsWithOddSizesOrNoTerminatorAreCutToWholeUnits) {
    // "abc" without terminator plus one stray byte; "xy" with a terminator and more text after.
    const uint8_t odd[] = {'a', 0, 'b', 0, 'c', 0, 'Z'};
    const uint8_t embedded[] = {'x', 0, 'y', 0, 0, 0, 'q', 0};
    writeRaw(u"", u"odd", kTypeSz, odd, sizeof(odd));
    writeRaw(u"", u"embedded", kTypeSz, embedded, sizeof(embedded));
    writeRaw(u"", u"one", kTypeSz, odd, 1);
    EXPECT_EQ(u16(store_->getString(u"", u"odd", u"")), u"abc");
    EXPECT_EQ(u16(store_->getString(u"", u"embedded", u"")), u"xy");
    EXPECT_EQ(u16(store_->getString(u"", u"one", u"dflt")), u"");

    const uint8_t multi[] = {'a', 0, 0, 0, 'b', 'b', 0, 0, 0, 0, 'c', 0};
    writeRaw(u"", u"multi", kTypeMultiSz, multi, sizeof(multi));
    Owned<RegDir> top(key(u""));
    Owned<str::StrArray> texts(top->getTextList(u"multi"));
    ASSERT_EQ(texts->count(), 2);
    EXPECT_EQ(u16(texts->textAt(0)), u"a");
    EXPECT_EQ(u16(texts->textAt(1)), u"\u6262");
    Owned<str::StrArray> none(top->getTextList(u"odd"));
    EXPECT_EQ(none->count(), 0);
}

TEST_F(RegistryStoreTest, OpenKeyCreatesEveryMissingParent) {
    ASSERT_TRUE(store_->openKey(u"P\\Q\\R"));
    for (const char16_t* level : {u"P", u"P\\Q", u"P\\Q\\R"}) {
        Owned<RegDir> dir(key(level));
        EXPECT_TRUE(dir->exists()) << test::narrow(level);
    }
    EXPECT_TRUE(store_->keyExists(u"P\\Q"));
    EXPECT_FALSE(store_->keyExists(u"P\\Z"));
}

TEST_F(RegistryStoreTest, DeleteKeyRemovesAThreeLevelTree) {
    MappedData& s = *store_;
    ASSERT_TRUE(s.setUInt32(u"A", u"v", 1));
    ASSERT_TRUE(s.setUInt32(u"A\\B", u"v", 2));
    ASSERT_TRUE(s.setUInt32(u"A\\B\\C", u"v", 3));
    ASSERT_TRUE(s.setUInt32(u"A\\B2", u"v", 4));
    ASSERT_TRUE(s.setUInt32(u"Keep", u"v", 5));
    EXPECT_TRUE(s.deleteKey(u"A"));
    for (const char16_t* gone : {u"A", u"A\\B", u"A\\B\\C", u"A\\B2"}) {
        EXPECT_FALSE(s.keyExists(gone)) << test::narrow(gone);
    }
    EXPECT_EQ(s.getUInt32(u"A\\B\\C", u"v", 0), 0u);
    EXPECT_EQ(s.getUInt32(u"Keep", u"v", 0), 5u);
    EXPECT_FALSE(s.deleteKey(u"NoSuch\\Key"));
}

TEST_F(RegistryStoreTest, AKeyRemovedBehindTheStoresBackReadsAsMissingAndIsWrittenAgain) {
    MappedData& s = *store_;
    ASSERT_TRUE(s.setUInt32(u"Gone", u"v", 1));
    ASSERT_TRUE(s.keyExists(u"Gone"));  // the store now holds the key open
    {
        Owned<RegDir> other(key(u"Gone"));
        ASSERT_TRUE(other->deleteTree(true));
    }
    EXPECT_FALSE(s.keyExists(u"Gone"));
    EXPECT_EQ(s.getUInt32(u"Gone", u"v", 9), 9u);
    EXPECT_TRUE(s.setUInt32(u"Gone", u"v", 2));
    Owned<RegDir> check(key(u"Gone"));
    EXPECT_EQ(check->getDword(u"v", 0), 2u);
}

TEST_F(RegistryStoreTest, HasValueAndDeleteValue) {
    MappedData& s = *store_;
    EXPECT_FALSE(s.hasValue(u"H", u"x"));
    ASSERT_TRUE(s.setString(u"H", u"x", u""));
    EXPECT_TRUE(s.hasValue(u"H", u"x"));
    EXPECT_TRUE(s.deleteValue(u"H", u"x"));
    EXPECT_FALSE(s.hasValue(u"H", u"x"));
    EXPECT_FALSE(s.deleteValue(u"H", u"x"));
    ASSERT_TRUE(s.setString(u"H", u"", u"unnamed"));
    EXPECT_EQ(u16(s.getString(u"H", u"", u"")), u"unnamed");
}

TEST_F(RegistryStoreTest, KeyEnumerationNamesSizesAndRename) {
    MappedData& s = *store_;
    ASSERT_TRUE(s.setUInt32(u"E\\one", u"a", 1));
    ASSERT_TRUE(s.setUInt32(u"E\\two", u"b", 2));
    ASSERT_TRUE(s.setString(u"E", u"t", u"abc"));
    Owned<RegDir> e(key(u"E"));
    Owned<str::StrArray> names(e->valueNames());
    ASSERT_EQ(names->count(), 1);
    EXPECT_EQ(u16(names->textAt(0)), u"t");
    uint32_t keys = 0;
    uint32_t values = 0;
    EXPECT_EQ(e->dataSize(true, &keys, &values), 8u + 4u + 4u);
    EXPECT_EQ(keys, 2u);
    EXPECT_EQ(values, 3u);

    Owned<RegDir> one(key(u"E\\one"));
    if (one->rename(u"uno")) {
        EXPECT_EQ(s.getUInt32(u"E\\uno", u"a", 0), 1u);
        EXPECT_FALSE(s.keyExists(u"E\\one"));
    }
}

}  // namespace
}  // namespace s::reg::win

#include "persist/xml/mapped_data.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "base/array.h"
#include "base/str_buffer.h"
#include "persist/file/file_io.h"
#include "tests/persist/test_util.h"

namespace s::xml {
namespace {

using test::narrow;
using test::Owned;
using test::u16;
namespace fs = std::filesystem;

// The example settings file: the pieces joined without any separator.
const char kSaveData[] =
    "<savedata><Language>English</Language><Skin>Light&#160;Gray</Skin>"
    "<MainWindow><View Width=\"700\" Height=\"550\" ShowInAmPm=\"1\">"
    "<PickUp NumOfEntries=\"2\" PresetCreated=\"1\">"
    "<0 Name=\"Hawaii\" StandardTimeName=\"Hawaiian Standard Time\" DST=\"NotAvailable\" "
    "Checked=\"0\"></0>"
    "<1 Name=\"Tokyo\" StandardTimeName=\"Tokyo Standard Time\" DST=\"NotAvailable\" "
    "Checked=\"1\"></1>"
    "</PickUp></View></MainWindow></savedata>";

std::u16string pathText(const fs::path& path) {
    std::u16string out;
    for (char c : path.string())
        out += static_cast<char16_t>(static_cast<unsigned char>(c));
    return out;
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeAll(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// A private folder below the system's temporary folder, removed afterwards.
class XmlStoreFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        folder_ = fs::temp_directory_path() / ("tellavo-persist-" + std::to_string(seed()));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path folder_;
};

Owned<MappedData> emptyStore() {
    Owned<MappedData> store(MappedData::take());
    Node* root = Node::take();
    root->setName(u"savedata");
    store->setRoot(root);
    return store;
}

std::u16string documentOf(const MappedData& store) {
    str::StrBuffer out;
    store.root()->toText(&out);
    return u16(out.text());
}

TEST_F(XmlStoreFileTest, TheExampleFileLoadsAndSavesBackByteForByte) {
    fs::path file = folder_ / "savedata" / "SaveData.xml";
    fs::create_directories(file.parent_path());
    writeAll(file, kSaveData);
    Owned<MappedData> store(MappedData::createForFile(pathText(file).c_str()));
    MappedData& s = *store;
    EXPECT_EQ(u16(s.getString(u"Language", u"", u"")), u"English");
    EXPECT_EQ(u16(s.getString(u"Skin", u"", u"")), u"Light Gray");
    EXPECT_EQ(s.getUInt32(u"MainWindow\\View", u"Width", 0), 700u);
    EXPECT_EQ(s.getInt32(u"MainWindow/View", u"Height", 0), 550);
    EXPECT_TRUE(s.getBool(u"MainWindow\\View", u"ShowInAmPm", false));
    EXPECT_EQ(s.getUInt32(u"MainWindow\\View\\PickUp", u"NumOfEntries", 0), 2u);
    EXPECT_EQ(u16(s.getString(u"MainWindow\\View\\PickUp\\1", u"StandardTimeName", u"")),
              u"Tokyo Standard Time");
    EXPECT_TRUE(s.getBool(u"MainWindow\\View\\PickUp\\1", u"Checked", false));
    fs::remove(file);
    ASSERT_TRUE(s.save());
    EXPECT_EQ(readAll(file), kSaveData);
}

TEST_F(XmlStoreFileTest, ATruncatedFileKeepsWhatWasReadAndSavesAWholeDocument) {
    const std::string whole = kSaveData;
    const std::string cut = whole.substr(0, whole.find("<1 Name=\"Tok") + 12);
    fs::path file = folder_ / "SaveData.xml";
    writeAll(file, cut);
    Owned<MappedData> store(MappedData::createForFile(pathText(file).c_str()));
    EXPECT_EQ(u16(store->getString(u"Language", u"", u"")), u"English");
    EXPECT_EQ(u16(store->getString(u"MainWindow\\View\\PickUp\\0", u"Name", u"")), u"Hawaii");
    EXPECT_EQ(u16(store->getString(u"MainWindow\\View\\PickUp\\1", u"Name", u"")), u"Tok");
    ASSERT_TRUE(store->save());
    EXPECT_EQ(readAll(file), cut + "\"></1></PickUp></View></MainWindow></savedata>");
}

TEST_F(XmlStoreFileTest, AMissingFileOrOneWithoutAnElementGivesAnEmptyDocument) {
    for (const char* content : {"", "no element here", "\xEF\xBB\xBF  "}) {
        fs::path file = folder_ / "x.xml";
        writeAll(file, content);
        Owned<MappedData> store(MappedData::createForFile(pathText(file).c_str()));
        EXPECT_EQ(documentOf(*store), u"<savedata></savedata>") << content;
    }
    Owned<MappedData> missing(MappedData::createForFile(pathText(folder_ / "none.xml").c_str()));
    EXPECT_EQ(documentOf(*missing), u"<savedata></savedata>");
}

// A settings file that is there but cannot be read (here: too large to be one) must not be
// replaced by the empty document the store starts from instead.
TEST_F(XmlStoreFileTest, AFileThatCannotBeReadIsLeftAlone) {
    fs::path file = folder_ / "SaveData.xml";
    writeAll(file, kSaveData);
    fs::resize_file(file, static_cast<uintmax_t>(io::kMaxReadBytes) + 1);  // sparse
    Owned<MappedData> store(MappedData::createForFile(pathText(file).c_str()));
    EXPECT_EQ(documentOf(*store), u"<savedata></savedata>");
    store->setString(u"Language", u"", u"Deutsch");
    EXPECT_FALSE(store->save());
    EXPECT_EQ(fs::file_size(file), static_cast<uintmax_t>(io::kMaxReadBytes) + 1);
    std::string start(sizeof kSaveData - 1, '\0');
    std::ifstream(file, std::ios::binary)
        .read(start.data(), static_cast<std::streamsize>(start.size()));
    EXPECT_EQ(start, kSaveData);
}

TEST_F(XmlStoreFileTest, SaveCreatesTheFolderAndWritesValuesSetBefore) {
    fs::path file = folder_ / "new" / "deeper" / "SaveData.xml";
    Owned<MappedData> store(MappedData::createForFile(pathText(file).c_str()));
    ASSERT_TRUE(store->setString(u"Language", u"", u"English"));
    ASSERT_FALSE(fs::exists(file));  // nothing is written before save()
    ASSERT_TRUE(store->save());
    EXPECT_EQ(readAll(file), "<savedata><Language>English</Language></savedata>");
    EXPECT_FALSE(fs::exists(file.string() + ".tmp"));
}

TEST_F(XmlStoreFileTest, AFailedSaveLeavesTheOldFileIntact) {
    fs::path file = folder_ / "SaveData.xml";
    writeAll(file, kSaveData);
    Owned<MappedData> store(MappedData::createForFile(pathText(file).c_str()));
    store->setString(u"Language", u"", u"Deutsch");

    // The temporary file cannot be created (a folder stands in its place).
    fs::create_directories(file.string() + ".tmp");
    EXPECT_FALSE(store->save());
    EXPECT_EQ(readAll(file), kSaveData);
    fs::remove(file.string() + ".tmp");

    // The folder cannot be created (a file stands in its place).
    writeAll(folder_ / "blocker", "x");
    store->bindFile(pathText(folder_ / "blocker" / "SaveData.xml").c_str());
    EXPECT_FALSE(store->save());
    EXPECT_EQ(readAll(folder_ / "blocker"), "x");

    store->bindFile(pathText(file).c_str());
    EXPECT_TRUE(store->save());
    EXPECT_NE(readAll(file).find("<Language>Deutsch</Language>"), std::string::npos);
}

TEST_F(XmlStoreFileTest, AutoSaveWritesAfterEveryChange) {
    fs::path file = folder_ / "auto.xml";
    Owned<MappedData> store(MappedData::createForFile(pathText(file).c_str()));
    EXPECT_FALSE(store->autoSave());
    store->setAutoSave(true);
    store->setUInt32(u"K", u"v", 5);
    EXPECT_EQ(readAll(file), "<savedata><K v=\"5\"></K></savedata>");
    store->deleteValue(u"K", u"v");
    EXPECT_EQ(readAll(file), "<savedata><K></K></savedata>");
    store->deleteKey(u"K");
    EXPECT_EQ(readAll(file), "<savedata></savedata>");
}

TEST(XmlStore, MissingValuesGiveTheDefault) {
    Owned<MappedData> store = emptyStore();
    EXPECT_EQ(u16(store->getString(u"View", u"Never", u"dflt")), u"dflt");
    EXPECT_FALSE(store->hasValue(u"View", u"Never"));
    EXPECT_EQ(store->getInt32(u"View", u"Never", -3), -3);
    EXPECT_EQ(store->getBytes(u"View", u"Never"), nullptr);
    EXPECT_EQ(documentOf(*store), u"<savedata></savedata>");  // getters create nothing
}

TEST(XmlStore, RewritingAValueMovesItAfterTheOthers) {
    Owned<MappedData> store = emptyStore();
    store->setUInt32(u"P", u"NumOfEntries", 1);
    store->setBool(u"P", u"PresetCreated", true);
    store->setUInt32(u"P", u"numofentries", 2);
    EXPECT_EQ(documentOf(*store),
              u"<savedata><P PresetCreated=\"1\" numofentries=\"2\"></P></savedata>");
    EXPECT_EQ(store->getUInt32(u"P", u"NumOfEntries", 0), 2u);
}

TEST(XmlStore, PathsSplitAtBothSeparatorsAndMatchWithExactCase) {
    Owned<MappedData> store = emptyStore();
    ASSERT_TRUE(store->openKey(u"View\\PickUp"));
    Node* byBackslash = store->current();
    ASSERT_TRUE(store->openKey(u"View/PickUp/"));
    EXPECT_EQ(store->current(), byBackslash);
    // Directly after the same path in another case, the remembered element is reused...
    ASSERT_TRUE(store->openKey(u"view/pickup/"));
    EXPECT_EQ(store->current(), byBackslash);
    // ...otherwise components match with exact case and a second element appears.
    ASSERT_TRUE(store->openKey(u"Other"));
    ASSERT_TRUE(store->openKey(u"view\\PickUp"));
    EXPECT_NE(store->current(), byBackslash);
    EXPECT_EQ(
        documentOf(*store),
        u"<savedata><View><PickUp></PickUp></View><Other></Other><view><PickUp></PickUp></view>"
        u"</savedata>");
    EXPECT_FALSE(store->keyExists(u"View\\Nope"));
    EXPECT_EQ(store->current(), nullptr);
    EXPECT_TRUE(store->keyExists(u""));
    EXPECT_EQ(store->current(), store->root());
}

TEST(XmlStore, BooleanTexts) {
    Owned<MappedData> store = emptyStore();
    struct Case {
        const char16_t* text;
        bool value;
    };
    const Case cases[] = {{u"1", true},     {u"10", true},   {u"true", true},
                          {u"True", false}, {u"yes", false}, {u"0", false}};
    for (const Case& c : cases) {
        store->setString(u"B", u"v", c.text);
        EXPECT_EQ(store->getBool(u"B", u"v", !c.value), c.value) << narrow(c.text);
    }
    store->setBool(u"B", u"t", true);
    store->setBool(u"B", u"f", false);
    EXPECT_EQ(u16(store->root()->child(0)->rawValue(u"t")), u"1");
    EXPECT_EQ(u16(store->root()->child(0)->rawValue(u"f")), u"0");
}

TEST(XmlStore, TypedValuesWriteTheirTextsAndReadBack) {
    Owned<MappedData> store = emptyStore();
    MappedData& s = *store;
    s.setUInt8(u"T", u"u8", 200);
    s.setUInt16(u"T", u"u16", 65000);
    s.setUInt32(u"T", u"u32", 4000000000u);
    s.setUInt64(u"T", u"u64", 18446744073709551615ull);
    s.setInt8(u"T", u"i8", -100);
    s.setInt16(u"T", u"i16", -30000);
    s.setInt32(u"T", u"i32", -2000000000);
    s.setInt64(u"T", u"i64", -5000000000ll);
    s.setFloat(u"T", u"f", 1.5f);
    s.setDouble(u"T", u"d", -2.25);
    const uint8_t bytes[] = {0x00, 0xAB, 0xFF};
    s.setBytes(u"T", u"bin", bytes, 3);
    s.setExpandableString(u"T", u"e", u"%PATH%");
    EXPECT_EQ(documentOf(s),
              u"<savedata><T u8=\"200\" u16=\"65000\" u32=\"4000000000\" u64=\"-1\" i8=\"-100\" "
              u"i16=\"-30000\" i32=\"-2000000000\" i64=\"-5000000000\" f=\"1.500000\" "
              u"d=\"-2.250000\" bin=\"00abff\" e=\"%PATH%\"></T></savedata>");
    EXPECT_EQ(s.getUInt8(u"T", u"u8", 0), 200);
    EXPECT_EQ(s.getUInt16(u"T", u"u16", 0), 65000);
    EXPECT_EQ(s.getUInt32(u"T", u"u32", 0), 4000000000u);
    EXPECT_EQ(s.getUInt64(u"T", u"u64", 0), 18446744073709551615ull);
    EXPECT_EQ(s.getInt8(u"T", u"i8", 0), -100);
    EXPECT_EQ(s.getInt16(u"T", u"i16", 0), -30000);
    EXPECT_EQ(s.getInt32(u"T", u"i32", 0), -2000000000);
    EXPECT_EQ(s.getInt64(u"T", u"i64", 0), -5000000000ll);
    EXPECT_EQ(s.getFloat(u"T", u"f", 0), 1.5f);
    EXPECT_EQ(s.getDouble(u"T", u"d", 0), -2.25);
    Owned<col::ArrayU08> back(s.getBytes(u"T", u"bin"));
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->count(), 3);
    EXPECT_EQ(back->get(1), 0xAB);
    bool expandable = true;
    EXPECT_EQ(u16(s.getString(u"T", u"e", u"", &expandable, true)), u"%PATH%");
    EXPECT_FALSE(expandable);
}

TEST(XmlStore, UnnamedValueIsTheTextBeforeTheChildren) {
    Owned<MappedData> store = emptyStore();
    store->setString(u"Skin\\Sub", u"a", u"x");
    store->setString(u"Skin", u"", u" Light Gray ");
    store->setString(u"Skin", u"n", u"say \"hi\"\n");
    EXPECT_EQ(documentOf(*store),
              u"<savedata><Skin n=\"say &quot;hi&quot;&#10;\">&#160;Light&#160;Gray&#160;"
              u"<Sub a=\"x\"></Sub></Skin></savedata>");
    EXPECT_EQ(u16(store->getString(u"Skin", u"", u"")), u" Light Gray ");
    EXPECT_EQ(u16(store->getString(u"Skin", u"n", u"")), u"say \"hi\"\n");
}

TEST(XmlStore, DeleteKeyAndDeleteValue) {
    Owned<MappedData> store = emptyStore();
    store->setUInt32(u"A\\B\\C", u"v", 1);
    store->setUInt32(u"A\\D", u"v", 2);
    EXPECT_FALSE(store->deleteKey(u"X\\B"));  // the parent does not exist: nothing changes
    EXPECT_FALSE(store->deleteKey(u"A\\Nope"));
    EXPECT_TRUE(store->keyExists(u"A\\B\\C"));  // remembered element ...
    EXPECT_TRUE(store->deleteKey(u"A\\B\\"));
    EXPECT_FALSE(store->keyExists(u"A\\B\\C"));  // ... is not used after its removal
    EXPECT_EQ(store->getUInt32(u"A\\B\\C", u"v", 9), 9u);
    EXPECT_EQ(documentOf(*store), u"<savedata><A><D v=\"2\"></D></A></savedata>");
    EXPECT_TRUE(store->deleteValue(u"A\\D", u"V"));
    EXPECT_FALSE(store->deleteValue(u"A\\D", u"v"));
    EXPECT_FALSE(store->deleteValue(u"Z", u"v"));
    EXPECT_EQ(documentOf(*store), u"<savedata><A><D></D></A></savedata>");
    EXPECT_FALSE(store->deleteKey(u""));
}

TEST(XmlStore, AReleasedStoreComesBackClean) {
    MappedData* store = MappedData::take();
    Node* root = Node::take();
    root->setName(u"savedata");
    store->setRoot(root);
    store->setAutoSave(true);
    store->bindFile(u"somewhere.xml");
    store->release();
    Owned<MappedData> fresh(MappedData::take());
    EXPECT_EQ(fresh->root(), nullptr);
    EXPECT_FALSE(fresh->autoSave());
    EXPECT_EQ(u16(fresh->filePath()), u"");
    EXPECT_FALSE(fresh->save());
    EXPECT_EQ(u16(fresh->className()), u"s_xml_MappedData");
}

}  // namespace
}  // namespace s::xml

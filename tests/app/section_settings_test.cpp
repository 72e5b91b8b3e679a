#include <gtest/gtest.h>

#include <string>

#include "app/tellavo/section_settings.h"
#include "persist/xml/mapped_data.h"

namespace s::time::gui::dialogs::tellavo {
namespace {

class SectionSettingsTest : public testing::Test {
protected:
    SectionSettingsTest() : store(xml::MappedData::take()) { section.bind(store); }
    ~SectionSettingsTest() override { store->release(); }

    xml::MappedData* store;
    SectionSettings section;
};

TEST_F(SectionSettingsTest, PathsLieInsideTheWindowsSection) {
    EXPECT_EQ(std::u16string(section.fullPath(u"View\\PickUp")), u"MainWindow\\View\\PickUp");
    EXPECT_EQ(std::u16string(section.fullPath(u"")), u"MainWindow");
    EXPECT_EQ(std::u16string(section.fullPath(nullptr)), u"MainWindow");

    EXPECT_TRUE(section.setInt32(u"View\\PickUp", u"NumOfEntries", 4));
    EXPECT_TRUE(section.setBool(u"View", u"ShowInAmPm", false));
    EXPECT_TRUE(section.setString(u"View\\PickUp\\0", u"Name", u"Home"));
    EXPECT_EQ(store->getInt32(u"MainWindow\\View\\PickUp", u"NumOfEntries", -1), 4);
    EXPECT_FALSE(store->getBool(u"MainWindow\\View", u"ShowInAmPm", true));
    EXPECT_EQ(std::u16string(store->getString(u"MainWindow\\View\\PickUp\\0", u"Name", u"")),
              u"Home");
    EXPECT_EQ(section.getInt32(u"View\\PickUp", u"NumOfEntries", -1), 4);
    EXPECT_EQ(std::u16string(section.getString(u"View\\PickUp\\0", u"Name", u"")), u"Home");
    EXPECT_TRUE(section.hasValue(u"View", u"ShowInAmPm"));
    EXPECT_FALSE(store->hasValue(u"View", u"ShowInAmPm"));
}

TEST_F(SectionSettingsTest, AReadOnlySectionWritesNothing) {
    section.setReadOnly(true);
    EXPECT_FALSE(section.setBool(u"View\\PickUp", u"PresetCreated", true));
    EXPECT_FALSE(section.setInt32(u"View\\PickUp", u"NumOfEntries", 1));
    EXPECT_FALSE(section.setString(u"View\\PickUp\\0", u"Name", u"x"));
    EXPECT_FALSE(store->keyExists(u"MainWindow"));
}

TEST(SectionSettingsWithoutStore, ReadsFallbacksAndRefusesWrites) {
    SectionSettings section;
    EXPECT_TRUE(section.getBool(u"View", u"ShowInAmPm", true));
    EXPECT_EQ(section.getInt32(u"View", u"X", 7), 7);
    EXPECT_EQ(std::u16string(section.getString(u"View", u"X", u"d")), u"d");
    EXPECT_FALSE(section.setBool(u"View", u"ShowInAmPm", true));
}

}  // namespace
}  // namespace s::time::gui::dialogs::tellavo

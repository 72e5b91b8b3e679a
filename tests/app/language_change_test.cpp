#include <gtest/gtest.h>

#include <string>

#include "app/tellavo/clock_rows.h"
#include "app/tellavo/time_record.h"
#include "lang/localizer.h"
#include "persist/xml/mapped_data.h"
#include "tests/app/support/clock_rig.h"

namespace s::tests::app {
namespace {

namespace tellavo = time::gui::dialogs::tellavo;

constexpr int32_t kJapanId = 7028000;
constexpr int32_t kEasternId = 7006000;

class LanguageChangeTest : public testing::Test {
protected:
    LanguageChangeTest() : store(xml::MappedData::take()), rig(store) {}
    ~LanguageChangeTest() override {
        testLocalizer();  // back to English for the next test
        store->release();
    }

    void writeEntry(int32_t i, const char16_t* name, const char16_t* zone, const char16_t* dst) {
        std::u16string path = u"MainWindow\\View\\PickUp\\" + std::u16string(1, u'0' + i);
        store->setString(path.c_str(), u"Name", name);
        store->setString(path.c_str(), u"StandardTimeName", zone);
        store->setString(path.c_str(), u"DST", dst);
    }

    std::u16string shown(int32_t row, int32_t column) { return rig.pickUpText(row, column); }

    xml::MappedData* store;
    ClockRig rig;
};

TEST_F(LanguageChangeTest, PresetNamesFollowTheLanguageAndOwnNamesStay) {
    lang::Localizer& localizer = *testLocalizer();
    localizer.selectLanguage(u"Italian");
    std::u16string giappone = localizer.text(kJapanId);
    std::u16string italianEastern = localizer.text(kEasternId);
    std::u16string italianOn = localizer.text(1004010);
    ASSERT_EQ(giappone, u"Giappone");
    localizer.selectLanguage(u"English");

    store->setBool(u"MainWindow\\View\\PickUp", u"PresetCreated", true);
    store->setInt32(u"MainWindow\\View\\PickUp", u"NumOfEntries", 3);
    writeEntry(0, u"Giappone", u"Tokyo Standard Time", u"NotAvailable");
    writeEntry(1, u"Tokyo office", u"Tokyo Standard Time", u"NotAvailable");
    writeEntry(2, u"Eastern Time (US & Canada)", u"Eastern Standard Time", u"On");
    rig.dialog.loadPickUpList();

    rig.dialog.applyLanguageChange();
    EXPECT_EQ(shown(0, 0), u"Japan");
    EXPECT_EQ(std::u16string(rig.dialog.pickUpRecords().getAs<tellavo::TimeRecord>(0)->name.text()),
              u"Japan");
    EXPECT_EQ(shown(1, 0), u"Tokyo office");
    EXPECT_EQ(std::u16string(store->getString(u"MainWindow\\View\\PickUp\\0", u"Name", u"")),
              u"Japan");

    localizer.selectLanguage(u"Italian");
    rig.dialog.applyLanguageChange();
    EXPECT_EQ(shown(0, 0), giappone);
    EXPECT_EQ(shown(1, 0), u"Tokyo office");
    EXPECT_EQ(shown(2, 0), italianEastern);
    EXPECT_EQ(shown(2, tellavo::kCellDst), italianOn);
    EXPECT_EQ(std::u16string(store->getString(u"MainWindow\\View\\PickUp\\0", u"Name", u"")),
              giappone);

    localizer.selectLanguage(u"English");
    rig.dialog.applyLanguageChange();
    EXPECT_EQ(shown(0, 0), u"Japan");
    EXPECT_EQ(shown(2, 0), u"Eastern Time (US & Canada)");
    EXPECT_EQ(shown(2, tellavo::kCellDst), u"ON");
}

TEST_F(LanguageChangeTest, TranslationIgnoresCaseAndLeavesOtherTexts) {
    struct Case {
        const char16_t* text;
        const char16_t* expected;
    };
    const Case cases[] = {
        {u"GIAPPONE", u"Japan"},      {u"Japon", u"Japan"}, {u"Tokyo office", u"Tokyo office"},
        {u"Giappone ", u"Giappone "}, {u"", u""},
    };
    for (const Case& c : cases) {
        str::StrBuffer text(c.text);
        rig.dialog.translatePresetName(text);
        EXPECT_EQ(std::u16string(text.text()), c.expected) << utf8(c.text);
    }
}

}  // namespace
}  // namespace s::tests::app

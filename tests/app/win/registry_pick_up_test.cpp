// A pick-up list in the registry that was not written by the program: values of other
// types and sizes than the program writes read as their defaults, never as a fault.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/tellavo/dst_mode.h"
#include "app/tellavo/time_record.h"
#include "persist/map/i_mapped_data.h"
#include "persist/reg/reg_types.h"
#include "persist/win/reg_dir.h"
#include "tests/app/support/clock_rig.h"
#include "tests/app/support/store_cases.h"
#include "tests/app/win/win_environment.h"
#include "time/time_zone.h"
#include "time/zone_database.h"

namespace s::tests::app {
namespace {

namespace tellavo = time::gui::dialogs::tellavo;
using tellavo::TimeRecord;

constexpr const char16_t* kPickUp = u"MainWindow\\View\\PickUp";

class RegistryPickUpTest : public testing::Test {
protected:
    RegistryPickUpTest() : store(openPrivateStore()) {}
    ~RegistryPickUpTest() override { discardPrivateStore(store); }

    // Writes a value of any type and size under the store's key path.
    void writeRaw(const char16_t* path, const char16_t* name, uint32_t type, const void* bytes,
                  uint32_t size) {
        std::u16string full = privateStorePath(store) + u"\\" + path;
        reg::win::RegDir* key = reg::win::RegDir::takeOpen(reg::kCurrentUser, full.c_str());
        EXPECT_TRUE(key->setRaw(name, type, bytes, size)) << utf8(name);
        key->release();
    }
    void writeText(const char16_t* path, const char16_t* name, uint32_t type, const char16_t* text,
                   bool terminated = true) {
        uint32_t units = static_cast<uint32_t>(std::char_traits<char16_t>::length(text));
        writeRaw(path, name, type, text, (units + (terminated ? 1 : 0)) * 2);
    }
    void writeDword(const char16_t* path, const char16_t* name, uint32_t value) {
        writeRaw(path, name, reg::kTypeDword, &value, 4);
    }

    std::vector<std::u16string> loadedNames() {
        ClockRig rig(store);
        rig.dialog.loadPickUpList();
        std::vector<std::u16string> names;
        for (int32_t i = 0; i < rig.pickUp.recordCount(); ++i)
            names.push_back(rig.pickUpText(i, 0));
        modes.clear();
        checks.clear();
        for (int32_t i = 0; i < rig.dialog.pickUpRecords().count(); ++i) {
            modes.push_back(rig.dialog.pickUpRecords().getAs<TimeRecord>(i)->dstMode);
            checks.push_back(rig.dialog.pickUpRecords().getAs<TimeRecord>(i)->checked);
        }
        return names;
    }

    map::IMappedData* store;
    std::vector<int32_t> modes;
    std::vector<bool> checks;
};

TEST_F(RegistryPickUpTest, AnEntryCountOfAnotherTypeOrSizeReadsAsNoEntries) {
    const uint8_t bigBinary[4] = {0x00, 0x00, 0x01, 0x00};  // 65536, out of range
    const uint8_t threeBinary[4] = {3, 0, 0, 0};            // 3, as 4 bytes of binary data
    const uint8_t threeWide[8] = {3, 0, 0, 0, 0, 0, 0, 0};  // 3, but 8 bytes
    struct Case {
        const char* what;
        uint32_t type;
        const void* bytes;
        uint32_t size;
        size_t loaded;
    };
    const Case cases[] = {
        {"text \"3\"", reg::kTypeSz, u"3", 4, 0},
        {"binary 65536", reg::kTypeBinary, bigBinary, 4, 0},
        {"binary 3 of 4 bytes", reg::kTypeBinary, threeBinary, 4, 3},
        {"8 bytes", reg::kTypeBinary, threeWide, 8, 0},
        {"no bytes", reg::kTypeDword, nullptr, 0, 0},
    };
    writeDword(kPickUp, u"PresetCreated", 1);
    for (int32_t i = 0; i < 3; ++i) {
        std::u16string entry = std::u16string(kPickUp) + u"\\" + std::u16string(1, u'0' + i);
        writeText(entry.c_str(), u"Name", reg::kTypeSz, u"Place");
        writeText(entry.c_str(), u"StandardTimeName", reg::kTypeSz, u"Tokyo Standard Time");
    }
    for (const Case& c : cases) {
        writeRaw(kPickUp, u"NumOfEntries", c.type, c.bytes, c.size);
        EXPECT_EQ(loadedNames().size(), c.loaded) << c.what;
    }
}

TEST_F(RegistryPickUpTest, APresetFlagThatIsNotAFourByteValueRecreatesThePreset) {
    writeText(kPickUp, u"PresetCreated", reg::kTypeSz, u"1");
    writeDword(kPickUp, u"NumOfEntries", 1);
    writeText(u"MainWindow\\View\\PickUp\\0", u"StandardTimeName", reg::kTypeSz,
              u"Tokyo Standard Time");
    EXPECT_EQ(static_cast<int32_t>(loadedNames().size()), expectedPresetCount());
    // Nothing was written while loading.
    EXPECT_EQ(std::u16string(store->getString(kPickUp, u"PresetCreated", u"<missing>")), u"1");
}

TEST_F(RegistryPickUpTest, EntryValuesOfOtherTypesReadAsTheirDefaults) {
    const uint8_t bytes[6] = {'H', 0, 'i', 0, 0, 0};
    const time::TimeZone* tokyo = time::findByStandardName(u"Tokyo Standard Time");
    ASSERT_NE(tokyo, nullptr);
    const char16_t* e0 = u"MainWindow\\View\\PickUp\\0";
    const char16_t* e1 = u"MainWindow\\View\\PickUp\\1";
    const char16_t* e2 = u"MainWindow\\View\\PickUp\\2";
    const char16_t* e3 = u"MainWindow\\View\\PickUp\\3";
    writeDword(kPickUp, u"PresetCreated", 1);
    writeDword(kPickUp, u"NumOfEntries", 4);
    // 0: the zone as a number: no zone, the entry is dropped.
    writeText(e0, u"Name", reg::kTypeSz, u"Numbered");
    writeDword(e0, u"StandardTimeName", 7);
    // 1: a binary name and a list as the daylight word: named by the zone, mode 1;
    //    "Checked" as text is not a 4-byte value: unchecked.
    writeRaw(e1, u"Name", reg::kTypeBinary, bytes, sizeof bytes);
    writeText(e1, u"StandardTimeName", reg::kTypeSz, u"Tokyo Standard Time");
    writeRaw(e1, u"DST", reg::kTypeMultiSz, u"On\0\0", 8);
    writeText(e1, u"Checked", reg::kTypeSz, u"1");
    // 2: texts without their terminator, and an expandable zone name.
    writeText(e2, u"Name", reg::kTypeSz, u"Home", false);
    writeText(e2, u"StandardTimeName", reg::kTypeExpandSz, u"Tokyo Standard Time", false);
    writeText(e2, u"DST", reg::kTypeSz, u"Off", false);
    writeDword(e2, u"Checked", 5);
    // 3: an odd number of bytes for the zone name.
    writeRaw(e3, u"StandardTimeName", reg::kTypeSz, u"Tokyo Standard Time", 39);

    std::vector<std::u16string> names = loadedNames();
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names[0], tokyo->displayName.text());
    EXPECT_EQ(modes[0], tellavo::kDstNotAvailable);
    EXPECT_FALSE(checks[0]);
    EXPECT_EQ(names[1], u"Home");
    EXPECT_EQ(modes[1], tellavo::kDstOff);
    EXPECT_TRUE(checks[1]);
    // The half unit is dropped or the entry is: either way no garbage zone.
    if (names.size() == 3) {
        EXPECT_EQ(names[2], tokyo->displayName.text());
    } else {
        EXPECT_EQ(names.size(), 2u);
    }
}

}  // namespace
}  // namespace s::tests::app

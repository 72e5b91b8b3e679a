#include <gtest/gtest.h>

#include <string>

#include "app/tellavo/dst_mode.h"

namespace s::time::gui::dialogs::tellavo {
namespace {

TEST(DstModeTest, StoredWordsReadAsTheirModes) {
    struct Case {
        const char16_t* word;
        int32_t mode;
    };
    const Case cases[] = {
        {u"On", kDstOn},
        {u"on", kDstOn},
        {u"ON", kDstOn},
        {u"Off", kDstOff},
        {u"oFF", kDstOff},
        {u"NotAvailable", kDstNotAvailable},
        {u"", kDstNotAvailable},
        {u"yes", kDstNotAvailable},
        {u"On ", kDstNotAvailable},
        {nullptr, kDstNotAvailable},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dstModeFromWord(c.word), c.mode);
}

TEST(DstModeTest, ModesAreStoredAsTheirWords) {
    EXPECT_EQ(std::u16string(dstModeWord(kDstNotAvailable)), u"NotAvailable");
    EXPECT_EQ(std::u16string(dstModeWord(kDstOn)), u"On");
    EXPECT_EQ(std::u16string(dstModeWord(kDstOff)), u"Off");
    EXPECT_EQ(std::u16string(dstModeWord(7)), u"NotAvailable");
    EXPECT_TRUE(appliesDaylight(kDstOn));
    EXPECT_FALSE(appliesDaylight(kDstOff));
    EXPECT_FALSE(appliesDaylight(kDstNotAvailable));
}

}  // namespace
}  // namespace s::time::gui::dialogs::tellavo

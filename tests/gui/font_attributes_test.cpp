#include <gtest/gtest.h>

#include <string>

#include "gui/font/font_attributes.h"

namespace s::gui::font {
namespace {

TEST(FontAttributes, SizeCodeTable) {
    struct Case {
        int32_t code;
        bool applies;
        int32_t weight, points;
    } cases[] = {
        {0, true, 400, 10},     {2, true, 400, 12},          {-3, true, 400, 7},
        {99, true, 400, 109},   {102, true, 700, 16},        {100, true, 700, 14},
        {-102, true, 700, 12},  {999, true, 700, 113},       {100001, true, 400, 8},
        {5000, false, 400, 10}, {1000, false, 400, 10},      {-100001, false, 400, 10},
        {-50, true, 400, 1},    {INT32_MIN, false, 400, 10},
    };
    for (const Case& c : cases) {
        SizeCodeEffect e = sizeCodeEffect(c.code);
        EXPECT_EQ(e.applies, c.applies) << c.code;
        if (c.applies) {
            EXPECT_EQ(e.weight, c.weight) << c.code;
            EXPECT_EQ(e.pointSize, c.points) << c.code;
        }
    }
}

TEST(FontAttributes, DefaultsAreTheToolkitsLogicalFont) {
    FontAttributes f;
    EXPECT_EQ(std::u16string(f.face()), u"MS Shell Dlg 2");
    EXPECT_EQ(f.height(), -13);
    EXPECT_EQ(f.weight(), 400);
    EXPECT_EQ(f.charSet(), 1);
    EXPECT_EQ(f.outPrecision(), 1);
    EXPECT_EQ(f.clipPrecision(), 2);
    EXPECT_EQ(f.quality(), 5);
    EXPECT_EQ(f.pitchAndFamily(), 2);
    EXPECT_EQ(f.colour2(), 0xEEEEEEu);
    EXPECT_EQ(f.setMask(), 0u);
    FontAttributes longFace(u"A face name far longer than thirty-one units");
    EXPECT_EQ(std::u16string(longFace.face()).size(), 31u);
}

TEST(FontAttributes, SizeCodeKeepsExplicitHeightAndWeight) {
    FontAttributes plain;
    EXPECT_TRUE(plain.setSizeCode(102));
    EXPECT_EQ(plain.pointSize(), 16);
    EXPECT_EQ(plain.weight(), 700);
    EXPECT_FALSE(plain.setSizeCode(5000));  // stored only
    EXPECT_EQ(plain.sizeCode(), 5000);
    EXPECT_EQ(plain.weight(), 700);
    EXPECT_EQ(plain.pointSize(), 16);

    FontAttributes tall;
    tall.setHeight(-30);
    EXPECT_FALSE(tall.setSizeCode(102));  // only the weight follows
    EXPECT_EQ(tall.height(), -30);
    EXPECT_EQ(tall.weight(), 700);

    FontAttributes heavy;
    heavy.setWeight(900);
    EXPECT_TRUE(heavy.setSizeCode(2));
    EXPECT_EQ(heavy.weight(), 900);
    EXPECT_EQ(heavy.pointSize(), 12);
}

TEST(FontAttributes, InheritFromLeavesOwnAttributesAlone) {
    FontAttributes skin(u"Tahoma");
    skin.setHeight(-15);
    skin.setWeight(700);
    skin.setItalic(true);
    skin.setTextColour(10, 20, 30);
    skin.setQuality(3);

    FontAttributes mine;
    mine.setUnderline(true);
    mine.setItalic(false);
    mine.setTextColour(1, 2, 3);
    EXPECT_FALSE(mine.inheritFrom(skin));
    EXPECT_EQ(std::u16string(mine.face()), u"Tahoma");
    EXPECT_EQ(mine.height(), -15);
    EXPECT_EQ(mine.weight(), 700);
    EXPECT_FALSE(mine.isItalic());
    EXPECT_TRUE(mine.isUnderline());
    EXPECT_EQ(mine.textColour(), 0x030201u);
    EXPECT_EQ(mine.quality(), 3);
    EXPECT_FALSE(mine.isSet(FontAttributes::kFace));  // inheriting does not mark anything

    // A size code of its own wins over the inherited size and weight.
    FontAttributes coded;
    coded.setSizeCode(2);
    EXPECT_TRUE(coded.inheritFrom(skin));
    EXPECT_EQ(coded.pointSize(), 12);
    EXPECT_EQ(coded.weight(), 400);
    EXPECT_EQ(coded.sizeCode(), 2);
}

}  // namespace
}  // namespace s::gui::font

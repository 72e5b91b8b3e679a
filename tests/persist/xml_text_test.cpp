#include <gtest/gtest.h>

#include <string>

#include "base/str_buffer.h"
#include "persist/xml/escape.h"
#include "persist/xml/number_text.h"
#include "tests/persist/test_util.h"

namespace s::xml {
namespace {

using test::narrow;

std::u16string run(void (*f)(const char16_t*, int32_t, str::StrBuffer&), const char16_t* in) {
    str::StrBuffer out;
    f(in, -1, out);
    return std::u16string(out.text());
}

TEST(XmlEscape, AttributeAndTextEscapingFollowTheirTables) {
    struct Case {
        const char16_t* in;
        const char16_t* attribute;
        const char16_t* text;
    };
    const Case cases[] = {
        {u"a\nb", u"a&#10;b", u"a&#10;b"},
        {u"a\rb", u"a&#13;b", u"a&#13;b"},
        {u"say \"hi\"", u"say &quot;hi&quot;", u"say&#160;\"hi\""},
        {u"a&b<c>d", u"a&amp;b&lt;c>d", u"a&amp;b&lt;c&gt;d"},
        {u"two words", u"two words", u"two&#160;words"},
        {u"\u65e5\t'", u"\u65e5\t'", u"\u65e5\t'"},
        {u"", u"", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(escapeAttribute, c.in), c.attribute) << narrow(c.in);
        EXPECT_EQ(run(escapeText, c.in), c.text) << narrow(c.in);
        EXPECT_EQ(run(decodeAttribute, c.attribute), c.in) << narrow(c.in);
    }
}

TEST(XmlEscape, AttributeDecodingKeepsUnknownEntities) {
    EXPECT_EQ(run(decodeAttribute, u"a&gt;b&unknown;&amp"), u"a&gt;b&unknown;&amp");
    EXPECT_EQ(run(decodeAttribute, u"&amp;lt;"), u"&lt;");
    EXPECT_EQ(run(decodeAttribute, u"&"), u"&");
}

TEST(XmlEscape, TextDecodingTrimsPlainBlanksButKeepsEncodedOnes) {
    struct Case {
        const char16_t* stored;
        const char16_t* decoded;
    };
    const Case cases[] = {
        {u"  \r\n\tLight&#160;Gray \n\t", u"Light Gray"},
        {u"end&#160;", u"end "},
        {u"end&#160; \n ", u"end "},
        {u"&#10;", u"\n"},
        {u"a&#13;  ", u"a\r"},
        {u"x\u3000", u"x"},
        {u"a&lt;b&gt;c&amp;&quot;", u"a<b>c&&quot;"},
        {u"   ", u""},
        {u"&#160", u"&#160"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(run(decodeText, c.stored), c.decoded) << narrow(c.stored);
}

TEST(XmlEscape, DecodingAppendsWithoutTouchingWhatWasThere) {
    str::StrBuffer out(u"keep  ");
    decodeText(u"  x  ", -1, out);
    EXPECT_EQ(std::u16string(out.text()), u"keep  x");
}

TEST(XmlNumbers, DecimalTextsParseLikeTheGettersExpect) {
    struct Case {
        const char16_t* text;
        int64_t signedValue;
        uint64_t unsignedValue;
    };
    const Case cases[] = {
        {u"42", 42, 42},
        {u"  -17x", -17, 0},
        {u"+8", 8, 0},
        {u"", 0, 0},
        {u"abc", 0, 0},
        {u"12 34", 12, 12},
        {u"\t-0", 0, 0},
        {u"007", 7, 7},
        {u"9223372036854775807", INT64_MAX, 9223372036854775807ull},
        {u"-9223372036854775808", INT64_MIN, 0},
        // Out of range wraps modulo 2^64, without undefined behaviour.
        {u"99999999999999999999999", 200376420520689663, 200376420520689663ull},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseSignedDecimal(c.text), c.signedValue) << narrow(c.text);
        if (c.text[0] != u'-') {
            EXPECT_EQ(parseUnsignedDecimal(c.text), c.unsignedValue) << narrow(c.text);
        }
    }
}

TEST(XmlNumbers, FloatingPointTexts) {
    struct Case {
        const char16_t* text;
        double value;
    };
    const Case cases[] = {
        {u"1.500000", 1.5}, {u" -0.25", -0.25}, {u"3e2", 300}, {u"1e", 1},   {u"2.5x", 2.5},
        {u"", 0},           {u".5", 0.5},       {u"inf", 0},   {u"0x10", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseDecimalDouble(c.text), c.value) << narrow(c.text);
}

}  // namespace
}  // namespace s::xml

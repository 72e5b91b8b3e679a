#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "base/array.h"
#include "base/digest.h"
#include "base/str_buffer.h"
#include "tests/base/text_util.h"

namespace {

using s::col::ArrayU08;
using s::str::StrBuffer;
using s::test::textOf;

std::vector<uint8_t> bytesOf(const ArrayU08& a) {
    return std::vector<uint8_t>(a.data(), a.data() + a.count());
}

TEST(Utf8Test, RoundTrips) {
    struct Case {
        std::u16string text;
        std::vector<uint8_t> utf8;
    } cases[] = {
        {u"", {}},
        {u"abc", {'a', 'b', 'c'}},
        {u"\u00E9", {0xC3, 0xA9}},
        {u"\u20AC", {0xE2, 0x82, 0xAC}},
        {u"\U0001F600", {0xF0, 0x9F, 0x98, 0x80}},
        {u"\uFFFF", {0xEF, 0xBF, 0xBF}},
        {u"\U0010FFFF", {0xF4, 0x8F, 0xBF, 0xBF}},
    };
    for (const Case& c : cases) {
        StrBuffer b(c.text.c_str());
        ArrayU08* out = b.toUtf8();
        EXPECT_EQ(bytesOf(*out), c.utf8);
        EXPECT_EQ(out->data() ? out->data()[out->count()] : 0, 0);  // terminated, not counted
        EXPECT_GE(out->capacity(), b.length() * 3 + 2);
        // Decoding reads exactly the given count (heap copy of that size: ASan watches).
        std::vector<uint8_t> exact(c.utf8);
        StrBuffer back;
        back.fromUtf8(exact.data(), static_cast<int32_t>(exact.size()));
        EXPECT_EQ(textOf(back), c.text);
        out->release();
    }
}

TEST(Utf8Test, MalformedInputDecodesToReplacementAndStaysInBounds) {
    struct Case {
        std::vector<uint8_t> bytes;
        std::u16string expected;
    } cases[] = {
        {{0xC3}, u"\uFFFD"},                                      // truncated two-byte form
        {{0xE2, 0x82}, u"\uFFFD"},                                // truncated three-byte form
        {{0xF0, 0x9F, 0x98}, u"\uFFFD"},                          // truncated four-byte form
        {{0x80}, u"\uFFFD"},                                      // lone continuation byte
        {{0xC0, 0xAF}, u"\uFFFD\uFFFD"},                          // overlong lead
        {{0xE0, 0x80, 0x80}, u"\uFFFD\uFFFD\uFFFD"},              // overlong three-byte form
        {{0xED, 0xA0, 0x80}, u"\uFFFD\uFFFD\uFFFD"},              // encoded surrogate
        {{0xF4, 0x90, 0x80, 0x80}, u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
        {{0xF5}, u"\uFFFD"},
        {{0xFF, 'a'}, u"\uFFFDa"},
        {{0xE2, 0x82, 'A'}, u"\uFFFDA"},  // the breaking byte starts anew
        {{'a', 0xF0, 0x9F, 0x98, 0x80, 'b'}, u"a\U0001F600b"},
        {{'x', 0, 'y'}, std::u16string(u"x\0y", 3)},  // a counted 0 is a unit
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> exact(c.bytes);  // nothing readable after the count
        StrBuffer b;
        b.fromUtf8(exact.data(), static_cast<int32_t>(exact.size()));
        EXPECT_EQ(std::u16string(b.rawChars(), b.length()), c.expected) << exact.size();
    }
}

TEST(Utf8Test, CountMinusOneStopsAtZeroAndAppendKeepsText) {
    const char text[] = "ab\0cd";
    StrBuffer b(u"old");
    b.fromUtf8(text, -1);
    EXPECT_EQ(textOf(b), u"ab");
    b.fromUtf8(u8"\u00E9", -1, true);
    EXPECT_EQ(textOf(b), u"ab\u00E9");
    b.fromUtf8(static_cast<const uint8_t*>(nullptr), 5, false);
    EXPECT_EQ(b.length(), 0);
}

TEST(Utf8Test, ZeroCountedOrNotAndLoneSurrogates) {
    StrBuffer b(u"a");
    b.appendUnit(char16_t{0xD800});  // a lone high surrogate
    ArrayU08* out = b.toUtf8WithZero();
    EXPECT_EQ(bytesOf(*out), (std::vector<uint8_t>{'a', 0xEF, 0xBF, 0xBD, 0}));
    StrBuffer(u"z").toUtf8(out, true);  // appends after the counted 0
    EXPECT_EQ(bytesOf(*out), (std::vector<uint8_t>{'a', 0xEF, 0xBF, 0xBD, 0, 'z'}));
    StrBuffer(u"q").toUtf8(out, false);
    EXPECT_EQ(bytesOf(*out), (std::vector<uint8_t>{'q'}));
    out->release();
}

TEST(CodePageTest, Utf16BothOrders) {
    StrBuffer b(u"A\u20AC");
    ArrayU08* le = b.encode(s::str::kCodePageUtf16Le);
    EXPECT_EQ(bytesOf(*le), (std::vector<uint8_t>{0x41, 0, 0xAC, 0x20}));
    EXPECT_EQ(le->data()[4], 0);
    ArrayU08* be = b.encodeWithZero(s::str::kCodePageUtf16Be);
    EXPECT_EQ(bytesOf(*be), (std::vector<uint8_t>{0, 0x41, 0x20, 0xAC, 0}));

    StrBuffer back;
    back.decode(s::str::kCodePageUtf16Be, be->data(), 5);  // the odd last byte is ignored
    EXPECT_EQ(textOf(back), u"A\u20AC");
    back.decode(s::str::kCodePageUtf16Le, le->data(), -1);  // to the 0 unit
    EXPECT_EQ(textOf(back), u"A\u20AC");
    back.decode(s::str::kCodePageUtf8, reinterpret_cast<const uint8_t*>("hi"), 2, true);
    EXPECT_EQ(textOf(back), u"A\u20AChi");
    le->release();
    be->release();
}

TEST(CodePageTest, PlatformCodePages) {
    StrBuffer b(u"abc\u00E9");
    ArrayU08* out = b.encode(1252);
    ArrayU08* oem = b.toOem();
#ifdef _WIN32
    EXPECT_EQ(bytesOf(*out), (std::vector<uint8_t>{'a', 'b', 'c', 0xE9}));
    EXPECT_EQ(oem->count(), 4);
    StrBuffer back;
    back.decode(1252, out->data(), out->count());
    EXPECT_EQ(textOf(back), u"abc\u00E9");
    back.fromOem(oem->data(), oem->count());
    EXPECT_EQ(back.length(), 4);
#else
    // Without a platform these code pages add nothing.
    EXPECT_EQ(out->count(), 0);
    EXPECT_EQ(oem->count(), 0);
    StrBuffer back(u"kept");
    const uint8_t bytes[] = {'x'};
    back.decode(1252, bytes, 1, true);
    EXPECT_EQ(textOf(back), u"kept");
#endif
    out->release();
    oem->release();
}

std::string hexOf(const ArrayU08& a) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (int32_t i = 0; i < a.count(); ++i) {
        text += kDigits[a.get(i) >> 4];
        text += kDigits[a.get(i) & 15];
    }
    return text;
}

TEST(DigestTest, Md5KnownValues) {
    struct Case {
        const char* text;
        const char* md5;
    } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"The quick brown fox jumps over the lazy dog", "9e107d9d372bb6826bd81d3542a419d6"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const Case& c : cases) {
        ArrayU08* bytes = ArrayU08::take();
        bytes->append(c.text, static_cast<int32_t>(std::strlen(c.text)));
        ArrayU08* digest = bytes->digest();
        EXPECT_EQ(hexOf(*digest), c.md5);
        digest->release();
        bytes->release();
    }
    // A text's digest covers its little-endian storage bytes.
    StrBuffer text(u"ab");
    ArrayU08* digest = text.digest();
    s::digest::Md5 md5;
    const uint8_t storage[] = {'a', 0, 'b', 0};
    md5.update(storage, 4);
    uint8_t expected[16];
    md5.finish(expected);
    EXPECT_EQ(0, std::memcmp(digest->data(), expected, 16));
    digest->release();
}

}  // namespace

namespace utf8_reference {

// The decoding rule written the plain way: a well-formed sequence gives its code point, and
// the longest prefix of one that cannot be completed gives a single U+FFFD.
std::u16string decode(const std::vector<uint8_t>& bytes) {
    std::u16string out;
    size_t i = 0;
    while (i < bytes.size()) {
        const uint8_t b = bytes[i];
        size_t need = 0;
        uint32_t c = 0;
        uint8_t low = 0x80;
        uint8_t high = 0xBF;
        if (b < 0x80) {
            out += static_cast<char16_t>(b);
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            need = 1, c = b & 0x1Fu;
        } else if (b >= 0xE0 && b <= 0xEF) {
            need = 2, c = b & 0x0Fu;
            low = b == 0xE0 ? 0xA0 : 0x80;
            high = b == 0xED ? 0x9F : 0xBF;
        } else if (b >= 0xF0 && b <= 0xF4) {
            need = 3, c = b & 0x07u;
            low = b == 0xF0 ? 0x90 : 0x80;
            high = b == 0xF4 ? 0x8F : 0xBF;
        } else {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        size_t k = 1;
        for (; k <= need && i + k < bytes.size(); ++k) {
            const uint8_t next = bytes[i + k];
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
                break;
            c = (c << 6) | (next & 0x3Fu);
        }
        if (k <= need) {
            out += u'\uFFFD';
            i += k;
            continue;
        }
        i += need + 1;
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

}  // namespace utf8_reference

TEST(Utf8Test, DecodingAgreesWithThePlainRuleOnRandomInput) {
    // Random runs of ASCII, lead and continuation bytes in every length up to 40, so that
    // each fast path meets every kind of neighbour and the end of the input.
    std::mt19937 random(99);
    const uint8_t kinds[] = {'a',  ' ',  '<',  0x00, 0x7F, 0x80, 0x9F, 0xA0, 0xBF, 0xC0, 0xC2,
                             0xD0, 0xDF, 0xE0, 0xE6, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF};
    for (int round = 0; round < 20000; ++round) {
        std::vector<uint8_t> bytes(random() % 41);
        for (uint8_t& b : bytes)
            b = random() % 4 == 0 ? static_cast<uint8_t>(random()) : kinds[random() % sizeof kinds];
        StrBuffer decoded;
        decoded.fromUtf8(bytes.data(), static_cast<int32_t>(bytes.size()));
        ASSERT_EQ(std::u16string(decoded.rawChars(), decoded.length()),
                  utf8_reference::decode(bytes))
            << "round " << round;
    }
}

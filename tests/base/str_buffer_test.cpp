#include "base/str_buffer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "base/array.h"
#include "base/growth.h"
#include "base/str_array.h"
#include "tests/base/text_util.h"

namespace {

using s::str::StrBuffer;
using s::test::textOf;

// Misuse that must not compile: a char is not a code unit, a unit is not a number.
template <class B>
concept AppendsCharAsUnit = requires(B& b) {
    b.appendUnit('a');
};
template <class B>
concept AppendsUnitAsInt = requires(B& b) {
    b.appendInt(u'a');
};
template <class B>
concept AppendsCharAsInt64 = requires(B& b) {
    b.appendInt64('a');
};
template <class B>
concept SetsBoolAsInt = requires(B& b) {
    b.setInt(true);
};
template <class B>
concept AppendsNarrowText = requires(B& b) {
    b.appendText("narrow");
};
template <class B>
concept AppendsUnit = requires(B& b) {
    b.appendUnit(u'a');
};
static_assert(!AppendsCharAsUnit<StrBuffer>);
static_assert(!AppendsUnitAsInt<StrBuffer>);
static_assert(!AppendsCharAsInt64<StrBuffer>);
static_assert(!SetsBoolAsInt<StrBuffer>);
static_assert(!AppendsNarrowText<StrBuffer>);
static_assert(AppendsUnit<StrBuffer>);
static_assert(!std::is_convertible_v<const char16_t*, StrBuffer>);

TEST(GrowthTest, Rule) {
    struct Case {
        uint32_t from, to;
    } cases[] = {
        {0, 100},
        {99, 100},
        {100, 300},
        {300, 900},
        {9999999, 29999997},
        {10000000, 20000000},
        {49999999, 99999998},
        {50000000, 75000000},
        {99999999, 149999998},
        {100000000, 120000000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(s::col::growOnceFrom(c.from), c.to) << c.from;
    EXPECT_EQ(s::col::grownCapacity(0, 1000), 2700u);
    EXPECT_EQ(s::col::grownCapacity(300, 300), 300u);
    EXPECT_EQ(s::col::growOnceFrom(0xF0000000u), 0xFFFFFFFFu);  // saturates, never wraps
}

TEST(GrowthTest, BoundedCapacityNeverPassesTheSigned32BitCount) {
    struct Case {
        uint32_t capacity, needed, expected;
    } cases[] = {
        {0, 1000, 2700},                              // the rule itself below the limit
        {1000000000, 1000000001, 1200000000},         // x1.2 still fits
        {1800000000, 1800000001, s::col::kMaxCount},  // x1.2 would pass it: cut to it
        {0, s::col::kMaxCount, s::col::kMaxCount},
        {0, s::col::kMaxCount + 1u, 0},  // beyond it: no room at all
        {s::col::kMaxCount, 0xFFFFFFFFu, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(s::col::boundedCapacity(c.capacity, c.needed), c.expected) << c.capacity;
    }
}

TEST(StrBufferTest, AppendingOneUnitAtATimeFollowsTheGrowthRule) {
    StrBuffer b;
    for (int i = 0; i < 100; ++i)
        b.appendUnit(u'x');
    EXPECT_EQ(b.capacity(), 100);
    b.appendUnit(u'y');
    EXPECT_EQ(b.capacity(), 300);
    EXPECT_EQ(b.length(), 101);
    b.reserve(301);
    EXPECT_EQ(b.capacity(), 900);
    b.reserveExact(1000);
    EXPECT_EQ(b.capacity(), 1000);
    b.reserveExact(10);  // never shrinks
    EXPECT_EQ(b.capacity(), 1000);
    EXPECT_EQ(b.text()[100], u'y');
    EXPECT_EQ(b.text()[101], 0);
}

TEST(StrBufferTest, EmptyBufferHandsOutAValidEmptyText) {
    StrBuffer b;
    ASSERT_NE(b.text(), nullptr);
    EXPECT_EQ(b.text()[0], 0);
    EXPECT_EQ(b.capacity(), 0);
    EXPECT_EQ(b.endPointer(), nullptr);
    b.setText(u"abc");
    EXPECT_EQ(b.endPointer(), b.rawChars() + 3);
    EXPECT_EQ(*b.endPointer(), 0);
}

TEST(StrBufferTest, SetTextEmptyKeepsStorage) {
    StrBuffer b(u"hello");
    const int32_t capacity = b.capacity();
    b.setText(u"");
    EXPECT_EQ(b.length(), 0);
    EXPECT_EQ(b.capacity(), capacity);
    b.setText(nullptr);
    EXPECT_EQ(b.length(), 0);
    b.freeStorage();
    EXPECT_EQ(b.capacity(), 0);
    EXPECT_EQ(b.rawChars(), nullptr);
}

TEST(StrBufferTest, CompareExactAndIgnoringCase) {
    struct Case {
        const char16_t* a;
        const char16_t* b;
        int exact;   // sign
        int folded;  // sign
    } cases[] = {
        {u"a", u"ab", -1, -1},
        {u"B", u"a", -1, 1},
        {u"a", u"a", 0, 0},
        {u"ab", u"a", 1, 1},
        {u"", u"", 0, 0},
        {u"", u"a", -1, -1},
        {u"ABC", u"abd", -1, -1},
        {u"Tokyo", u"TOKYO", 1, 0},
        // Storage order: the low byte decides first, so U+0100 sorts before U+00FF.
        {u"\u0100", u"\u00FF", -1, 1},
    };
    auto sign = [](int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); };
    for (const Case& c : cases) {
        StrBuffer a(c.a), b(c.b);
        EXPECT_EQ(a.compare(&b), c.exact) << textOf(a).size();
        EXPECT_EQ(sign(a.compareIgnoreCase(&b)), c.folded);
        EXPECT_EQ(a.equals(&b), c.exact == 0);
        EXPECT_EQ(a.equalsIgnoreCase(&b), c.folded == 0);
        EXPECT_EQ(a.compare(c.b), c.exact);
        EXPECT_EQ(sign(a.compareIgnoreCase(c.b)), c.folded);
        EXPECT_EQ(a.equals(c.b), c.exact == 0);
        EXPECT_EQ(a.equalsIgnoreCase(c.b), c.folded == 0);
    }
    StrBuffer big(u"B"), small(u"a");
    EXPECT_EQ(big.compareIgnoreCase(&small), 1);  // the difference of the folded units
}

TEST(StrBufferTest, HashRotatesBit30IntoBit0) {
    StrBuffer b;
    EXPECT_EQ(b.hashCode(), 0u);
    EXPECT_EQ(b.hashCodeIgnoreCase(), 0u);
    EXPECT_EQ(StrBuffer(u"a").hashCode(), 97u);
    EXPECT_EQ(StrBuffer(u"ab").hashCode(), 160u);  // (97 << 1) ^ 98
    EXPECT_EQ(StrBuffer(u"AB").hashCodeIgnoreCase(), 160u);
    EXPECT_NE(StrBuffer(u"AB").hashCode(), 160u);
    // 0x8000 shifted 15 times reaches bit 30; the next step copies it into bit 0, and the
    // one after that drops bit 31.
    b.appendUnit(char16_t{0x8000}).appendUnits(u'\0', 16);
    EXPECT_EQ(b.hashCode(), 0x80000001u);
    b.appendUnit(u'\0');
    EXPECT_EQ(b.hashCode(), 2u);
}

TEST(StrBufferTest, UnitSearches) {
    StrBuffer b(u"a,b;A,c");
    int32_t at = -7;
    EXPECT_TRUE(b.indexOf(u',', at));
    EXPECT_EQ(at, 1);
    EXPECT_TRUE(b.indexOf(u',', at, 2));
    EXPECT_EQ(at, 5);
    at = -7;
    EXPECT_FALSE(b.indexOf(u',', at, 6));
    EXPECT_FALSE(b.indexOf(u'z', at));
    EXPECT_FALSE(b.indexOf(u'a', at, 100));
    EXPECT_EQ(at, -7);  // untouched when nothing is found
    EXPECT_TRUE(b.indexOfIgnoreCase(u'A', at, 1));
    EXPECT_EQ(at, 4);
    EXPECT_TRUE(b.indexOfAny(u";,", -1, at));
    EXPECT_EQ(at, 1);
    EXPECT_TRUE(b.indexOfAnyIgnoreCase(u"CX", 2, at));
    EXPECT_EQ(at, 6);

    EXPECT_TRUE(b.lastIndexOf(u',', at, StrBuffer::kFromEnd));
    EXPECT_EQ(at, 5);
    EXPECT_TRUE(b.lastIndexOf(u'a', at, 16777215));
    EXPECT_EQ(at, 0);
    EXPECT_TRUE(b.lastIndexOf(u',', at, 5));  // below 5
    EXPECT_EQ(at, 1);
    EXPECT_TRUE(b.lastIndexOf(u'c', at, 1000));
    EXPECT_EQ(at, 6);
    at = -7;
    EXPECT_FALSE(b.lastIndexOf(u',', at, 1));
    EXPECT_FALSE(b.lastIndexOf(u'a', at, 0));
    EXPECT_EQ(at, -7);
    EXPECT_TRUE(b.lastIndexOfIgnoreCase(u'a', at));
    EXPECT_EQ(at, 4);
    EXPECT_TRUE(b.lastIndexOfAny(u";b", -1, at));
    EXPECT_EQ(at, 3);
    EXPECT_TRUE(b.lastIndexOfAnyIgnoreCase(u"B", -1, at));
    EXPECT_EQ(at, 2);
}

TEST(StrBufferTest, TextSearches) {
    StrBuffer b(u"abcABCabc");
    struct Case {
        const char16_t* text;
        int32_t from;
        bool fold;
        int32_t expected;  // -1: not found
    } finds[] = {
        {u"abc", 0, false, 0},        {u"abc", 1, false, 6},   {u"ABC", 0, false, 3},
        {u"ABC", 4, true, 6},         {u"bcA", 0, true, 1},    {u"", 0, false, -1},
        {u"", 0, true, -1},           {u"abcd", 0, false, -1}, {u"abc", 7, false, -1},
        {u"abcABCabcX", 0, true, -1},
    };
    for (const Case& c : finds) {
        int32_t at = -2;
        bool found = c.fold ? b.findIgnoreCase(c.text, at, c.from) : b.find(c.text, at, c.from);
        EXPECT_EQ(found ? at : -1, c.expected) << c.from;
    }
    Case lasts[] = {
        {u"abc", StrBuffer::kFromEnd, false, 6},
        {u"abc", 9, false, 6},
        {u"abc", 8, false, 0},
        {u"ABC", 8, false, 3},
        {u"abc", 6, true, 3},
        {u"abc", 2, false, -1},
        {u"", StrBuffer::kFromEnd, false, -1},
    };
    for (const Case& c : lasts) {
        int32_t at = -2;
        bool found =
            c.fold ? b.findLastIgnoreCase(c.text, at, c.from) : b.findLast(c.text, at, c.from);
        EXPECT_EQ(found ? at : -1, c.expected) << c.from;
    }
    EXPECT_TRUE(b.contains(u"cAB"));
    EXPECT_FALSE(b.contains(u"cab"));
}

TEST(StrBufferTest, RegionsStartsEnds) {
    StrBuffer b(u"Software\\Kivo");
    EXPECT_TRUE(b.regionEquals(9, u"xKivo", 1, 4));
    EXPECT_TRUE(b.regionEquals(9, u"xKivo", 1, -1));     // reaches the end exactly
    EXPECT_FALSE(b.regionEquals(9, u"xKiv", 1, -1));     // stops short of the end
    EXPECT_FALSE(b.regionEquals(8, u"\\Kivo!", 0, -1));  // runs past the end
    EXPECT_FALSE(b.regionEquals(10, u"ivo!", 0, 4));
    EXPECT_FALSE(b.regionEquals(99, u"a", 0, 1));
    EXPECT_TRUE(b.regionEqualsIgnoreCase(0, u"SOFT", 0, 4));
    EXPECT_TRUE(b.startsWith(u"Soft"));
    EXPECT_TRUE(b.startsWith(u"Softly", 4));
    EXPECT_FALSE(b.startsWith(u"soft"));
    EXPECT_TRUE(b.startsWithIgnoreCase(u"soft"));
    EXPECT_TRUE(b.endsWith(u"Kivo"));
    EXPECT_TRUE(b.endsWithIgnoreCase(u"\\KIVO"));
    EXPECT_FALSE(b.endsWith(u"xSoftware\\Kivo"));
    EXPECT_TRUE(b.startsWith(u""));
    EXPECT_TRUE(b.endsWith(u""));
}

TEST(StrBufferTest, CompareAt) {
    StrBuffer b(u"abcd");
    EXPECT_EQ(b.compareAt(5, u"", 0, -1), -1);  // beyond the length
    EXPECT_EQ(b.compareAt(4, u"", 0, -1), 0);
    EXPECT_EQ(b.compareAt(2, u"cd", 0, -1), 0);
    EXPECT_EQ(b.compareAt(2, u"xcd", 1, -1), 0);
    EXPECT_EQ(b.compareAt(2, u"c", 0, -1), 1);  // this side is longer
    EXPECT_EQ(b.compareAt(2, u"cde", 0, -1), -1);
    EXPECT_EQ(b.compareAt(0, u"abzz", 0, 2), 0);
    EXPECT_EQ(b.compareAt(0, u"ABCD", 0, -1), 1);
    EXPECT_EQ(b.compareAtIgnoreCase(0, u"ABCD", 0, -1), 0);
    EXPECT_EQ(b.compareAt(3, u"d", 0, 5), 0);  // both end before the count
}

TEST(StrBufferTest, Trims) {
    struct Case {
        const char16_t* text;
        int op;
        const char16_t* expected;
    } cases[] = {
        {u" \t\r\n\u3000x y \u3000\n", 0, u" \t\r\n\u3000x y"},
        {u" \t\r\n\u3000x y \u3000\n", 1, u"x y \u3000\n"},
        {u"   ", 0, u""},
        {u"   ", 1, u""},
        {u"\u00A0x\u00A0", 2, u"\u00A0x\u00A0"},  // no-break space is not in the set
        {u"--x--", 3, u"--x"},
        {u"--x--", 4, u"x--"},
        {u"abc   ", 5, u"abc "},  // trimEndTo(4)
        {u"a-.-", 6, u"a-."},     // trimEndOfTo(".-", 3)
    };
    for (const Case& c : cases) {
        StrBuffer b(c.text);
        switch (c.op) {
            case 0:
                b.trimEnd();
                break;
            case 1:
                b.trimStart();
                break;
            case 2:
                b.trim();
                break;
            case 3:
                b.trimEndOf(u"-");
                break;
            case 4:
                b.trimStartOf(u"-", 1);
                break;
            case 5:
                b.trimEndTo(4);
                break;
            case 6:
                b.trimEndOfTo(u".-", 3);
                break;
        }
        EXPECT_EQ(textOf(b), c.expected) << c.op;
    }
}

TEST(StrBufferTest, ReplaceAll) {
    struct Case {
        const char16_t* text;
        const char16_t* find;
        const char16_t* replacement;
        bool fold;
        const char16_t* expected;
    } cases[] = {
        {u"aaa", u"aa", u"b", false, u"ba"},     {u"abcabc", u"b", u"XYZ", false, u"aXYZcaXYZc"},
        {u"aa", u"a", u"aa", false, u"aaaa"},  // the replacement is not searched again
        {u"abc", u"", u"x", false, u"abc"},      {u"abc", u"b", u"", false, u"ac"},
        {u"abc", u"b", nullptr, false, u"ac"},   {u"aXbxc", u"x", u"-", true, u"a-b-c"},
        {u"aXbxc", u"x", u"-", false, u"aXb-c"}, {u"", u"a", u"b", false, u""},
        {u"abc", u"abcd", u"b", false, u"abc"},
    };
    for (const Case& c : cases) {
        StrBuffer b(c.text);
        if (c.fold) {
            b.replaceAllIgnoreCase(c.find, c.replacement);
        } else {
            b.replaceAll(c.find, c.replacement);
        }
        EXPECT_EQ(textOf(b), c.expected);
    }
}

TEST(StrBufferTest, NumberTexts) {
    struct Case {
        std::u16string expected;
        void (*append)(StrBuffer&);
    } cases[] = {
        {u"-2147483648", [](StrBuffer& b) { b.appendInt(INT32_MIN); }},
        {u"-9223372036854775808", [](StrBuffer& b) { b.appendInt64(INT64_MIN); }},
        {u"9223372036854775807", [](StrBuffer& b) { b.appendInt64(INT64_MAX); }},
        {u"4294967295", [](StrBuffer& b) { b.appendUInt32(UINT32_MAX); }},
        {u"18446744073709551615", [](StrBuffer& b) { b.appendUInt64(UINT64_MAX); }},
        {u"9029", [](StrBuffer& b) { b.appendUInt16(0x12345); }},
        {u"44", [](StrBuffer& b) { b.appendUInt8(300); }},
        {u"-25536", [](StrBuffer& b) { b.appendInt16(40000); }},
        {u"-56", [](StrBuffer& b) { b.appendInt8(200); }},
        {u"3.500000", [](StrBuffer& b) { b.appendDouble(3.5); }},
        {u"-0.000000", [](StrBuffer& b) { b.appendDouble(-0.0000004); }},
        {u"0.100000", [](StrBuffer& b) { b.appendFloat(0.1f); }},
        {u"1234567.125000", [](StrBuffer& b) { b.appendDouble(1234567.125); }},
        {u"0a00ffdeadbeef0000000100000002",
         [](StrBuffer& b) {
             b.appendHexU08(0x0A)
                 .appendHexU16(0xFF)
                 .appendHexU32(0xDEADBEEF)
                 .appendHexU64(0x100000002);
         }},
        {u"0000000200000001",
         [](StrBuffer& b) {
             const uint64_t v = 0x100000002;
             b.appendHexU64sAsU32s(&v, 1);
         }},
        {u"00ff10",
         [](StrBuffer& b) {
             const uint8_t bytes[] = {0, 255, 16};
             b.appendHexBytes(bytes, 3);
         }},
        {u"-7", [](StrBuffer& b) { b.setText(u"junk").setInt(-7); }},
        {u"12", [](StrBuffer& b) { b.setText(u"junk").setInt64(12); }},
        {u"2.000000", [](StrBuffer& b) { b.setText(u"junk").setDouble(2); }},
    };
    for (const Case& c : cases) {
        StrBuffer b;
        c.append(b);
        EXPECT_EQ(textOf(b), c.expected);
    }
    StrBuffer huge;
    huge.appendDouble(1e300);
    EXPECT_EQ(huge.length(), 256);  // at most 256 units of one number
}

TEST(StrBufferTest, NumberAppendsMakeRoomAtTheTail) {
    StrBuffer appended;
    appended.appendInt(5);
    EXPECT_EQ(appended.capacity(), 300);
    StrBuffer set;
    set.setInt(5);
    EXPECT_EQ(set.capacity(), 100);
}

TEST(StrBufferTest, ParsesNumbers) {
    struct Case {
        const char16_t* text;
        int32_t asInt;
        int64_t asInt64;
    } cases[] = {
        {u"  42abc", 42, 42},
        {u"-17", -17, -17},
        {u"+8", 8, 8},
        {u"\t 7", 7, 7},
        {u"abc", 0, 0},
        {u"", 0, 0},
        {u"- 5", 0, 0},
        {u"2147483647", INT32_MAX, 2147483647},
        {u"99999999999", INT32_MAX, 99999999999},
        {u"-99999999999", INT32_MIN, -99999999999},
        {u"9223372036854775807", INT32_MAX, INT64_MAX},
        {u"-9223372036854775808", INT32_MIN, INT64_MIN},
        {u"99999999999999999999", INT32_MAX, INT64_MAX},
        {u"\uFF11", 0, 0},  // full-width digits are not digits
    };
    for (const Case& c : cases) {
        StrBuffer b(c.text);
        EXPECT_EQ(b.toInt(), c.asInt);
        EXPECT_EQ(b.toInt64(), c.asInt64);
    }
    EXPECT_FLOAT_EQ(StrBuffer(u"3.25").toFloat(), 3.25f);
    EXPECT_FLOAT_EQ(StrBuffer(u" -1.5e2x").toFloat(), -150.0f);
    EXPECT_FLOAT_EQ(StrBuffer(u"+0.5").toFloat(), 0.5f);
    EXPECT_FLOAT_EQ(StrBuffer(u"abc").toFloat(), 0.0f);
    EXPECT_DOUBLE_EQ(StrBuffer(u"0.1").toDouble(), 0.1);
    EXPECT_DOUBLE_EQ(StrBuffer(u"1,5").toDouble(), 1.0);  // the comma is no decimal point
}

TEST(StrBufferTest, IntegerAndHexTexts) {
    struct Case {
        const char16_t* text;
        bool integer;
        bool hex;
    } cases[] = {
        {u"-", false, false},  {u"-5", true, false},   {u"", false, false},
        {u"123", true, true},  {u"12a", false, true},  {u"aBcDeF", false, true},
        {u"5-", false, false}, {u"--5", false, false}, {u"g", false, false},
        {u"+5", false, false},
    };
    for (const Case& c : cases) {
        StrBuffer b(c.text);
        EXPECT_EQ(b.isInteger(), c.integer);
        EXPECT_EQ(b.isHex(), c.hex);
    }
    StrBuffer h(u"0aFfzz1");
    EXPECT_EQ(h.hexDigitAt(1), 10);
    EXPECT_EQ(h.hexDigitAt(2), 15);
    EXPECT_EQ(h.hexDigitAt(4), 0);
    EXPECT_EQ(h.hexDigitAt(99), 0);
    s::col::ArrayU08* bytes = h.hexToBytes();
    ASSERT_EQ(bytes->count(), 3);  // the odd last unit is ignored
    EXPECT_EQ(bytes->get(0), 0x0A);
    EXPECT_EQ(bytes->get(1), 0xFF);
    EXPECT_EQ(bytes->get(2), 0x00);
    StrBuffer(u"10").hexToBytes(bytes, true);
    EXPECT_EQ(bytes->count(), 4);
    EXPECT_EQ(bytes->get(3), 0x10);
    bytes->release();
}

TEST(StrBufferTest, CaseAndOrder) {
    StrBuffer b(u"hELLO \u00C4x");
    EXPECT_EQ(textOf(b.capitalize()), u"Hello \u00C4x");  // non-ASCII letters are kept
    EXPECT_EQ(textOf(b.toUpperCase()), u"HELLO \u00C4X");
    EXPECT_EQ(textOf(b.toLowerCase()), u"hello \u00C4x");
    EXPECT_EQ(textOf(b.reverse()), u"x\u00C4 olleh");
    EXPECT_EQ(b.charAtUpper(0), u'X');
    EXPECT_EQ(StrBuffer(u"Q").charAtLower(0), u'q');
    EXPECT_EQ(StrBuffer(u"1").charAtLower(0), u'1');
}

TEST(StrBufferTest, PiecesAndPrefixes) {
    StrBuffer path(u"C:\\dir\\file.txt");
    StrBuffer* dir = path.beforeLastIndexOf(u'\\');
    EXPECT_EQ(textOf(dir), u"C:\\dir");
    dir->release();
    StrBuffer* none = path.beforeLastIndexOf(u'/');
    EXPECT_EQ(textOf(none), u"");
    none->release();
    StrBuffer* stem = path.beforeFindLastIgnoreCase(u".TXT");
    EXPECT_EQ(textOf(stem), u"C:\\dir\\file");
    stem->release();
    StrBuffer* any = path.beforeLastIndexOfAny(u":\\", -1, 6);
    EXPECT_EQ(textOf(any), u"C:");
    any->release();
    StrBuffer* sub = path.substring(3, 6);
    EXPECT_EQ(textOf(sub), u"dir");
    sub->release();
    sub = path.substring(7, 1000);
    EXPECT_EQ(textOf(sub), u"file.txt");
    sub->release();
    sub = path.substring(4, 4);
    EXPECT_EQ(sub->length(), 0);
    sub->release();
    StrBuffer* copy = path.copy();
    EXPECT_TRUE(copy->equals(path));
    copy->release();
    path.keepRange(3, 100);
    EXPECT_EQ(textOf(path), u"dir\\file.txt");
    path.keepRange(5, 2);
    EXPECT_EQ(path.length(), 0);
}

TEST(StrBufferTest, AppendsPrependsAndSelfAppend) {
    StrBuffer b;
    b.appendNarrowText("ab").appendNarrow("cdef", 2).prepend(u"xy", 1).appendText(u"!");
    EXPECT_EQ(textOf(b), u"xabcd!");
    StrBuffer other(u"++");
    b.appendStr(other).appendStr(nullptr).setStr(&other);
    EXPECT_EQ(textOf(b), u"++");
    // Appending the buffer's own storage while it has to grow.
    StrBuffer full;
    full.appendUnits(u'z', 100);
    ASSERT_EQ(full.capacity(), full.length());
    full.append(full.rawChars(), full.length());
    EXPECT_EQ(full.length(), 200);
    EXPECT_EQ(full.charAt(199), u'z');
    full.prepend(full.rawChars() + 1, 50);
    EXPECT_EQ(full.length(), 250);
    full.setLength(10000);  // clipped to the capacity
    EXPECT_EQ(full.length(), full.capacity());
}

TEST(StrBufferTest, ByteStream) {
    StrBuffer b;
    const uint8_t bytes[] = {'h', 0, 'i', 0, '!'};
    EXPECT_EQ(b.write(bytes, 5), 5);
    EXPECT_EQ(b.length(), 3);  // the odd byte opens a third unit
    EXPECT_EQ(b.charAt(2), u'!');
    EXPECT_EQ(b.position(), 5);
    b.rewind();
    uint8_t back[8] = {};
    EXPECT_EQ(b.read(back, 8), 6);
    EXPECT_EQ(back[0], 'h');
    EXPECT_EQ(back[5], 0);
    EXPECT_EQ(b.read(back, 8), 0);
    b.seekBy(-4);
    EXPECT_EQ(b.position(), 2);
    b.seekBy(-100);
    EXPECT_EQ(b.position(), 0);
    b.seekEnd();
    EXPECT_EQ(b.position(), 6);
    b.seekBy(100);
    EXPECT_EQ(b.position(), 6);
}

TEST(StrBufferTest, Iterators) {
    StrBuffer b(u"abc");
    std::u16string forward;
    auto* it = b.iterator();
    while (it->hasNext())
        forward += *it->next();
    EXPECT_EQ(forward, u"abc");
    EXPECT_EQ(it->next(), nullptr);  // nothing beyond the end
    it->release();
    std::u16string backward;
    it = b.iteratorAtEnd();
    while (it->hasPrevious())
        backward += *it->previous();
    EXPECT_EQ(backward, u"cba");
    EXPECT_EQ(it->previous(), nullptr);  // nothing before the start
    it->release();
    it = b.iteratorAt(1);
    EXPECT_EQ(*it->next(), u'b');
    it->release();
    it = b.iteratorFromEnd(1);
    EXPECT_EQ(*it->next(), u'c');
    it->release();
    it = b.iteratorFromEnd(-1);
    EXPECT_EQ(*it->next(), u'a');
    it->skip(1);
    EXPECT_EQ(*it->next(), u'c');
    it->release();
}

TEST(StrBufferTest, PooledIdentity) {
    StrBuffer* b = StrBuffer::takeText(u"x");
    EXPECT_EQ(std::u16string(b->className()), u"s_str_strbuffer_StrBuffer");
    StrBuffer* fresh = b->newInstance();
    EXPECT_EQ(fresh->length(), 0);
    fresh->release();
    b->release();
}

}  // namespace

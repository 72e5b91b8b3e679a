#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "base/str_array.h"
#include "base/str_buffer.h"
#include "base/str_build.h"
#include "tests/base/text_util.h"

namespace {

using s::str::StrArray;
using s::str::StrBuffer;
using s::test::textOf;

std::vector<std::u16string> textsOf(const StrArray& a) {
    std::vector<std::u16string> texts;
    for (int32_t i = 0; i < a.count(); ++i)
        texts.emplace_back(a.textAt(i));
    return texts;
}

using Texts = std::vector<std::u16string>;

TEST(SplitTest, SkipsEmptyPieces) {
    struct Case {
        const char16_t* text;
        Texts expected;
    } cases[] = {
        {u",a,,b,", {u"a", u"b"}},
        {u"a", {u"a"}},
        {u"", {}},
        {u",,,", {}},
        {u"a,b", {u"a", u"b"}},
        {u"Tokyo, Osaka", {u"Tokyo", u" Osaka"}},
    };
    for (const Case& c : cases) {
        StrArray* pieces = StrBuffer(c.text).split(u',');
        EXPECT_EQ(textsOf(*pieces), c.expected);
        pieces->release();
    }
}

TEST(WordsTest, DistinctWordsInOrderOfFirstAppearance) {
    struct Case {
        const char16_t* text;
        bool skipCommon;
        Texts expected;
    } cases[] = {
        {u"The cat, the CAT and a dog", false, {u"The", u"cat", u"and", u"a", u"dog"}},
        {u"The cat, the CAT and a dog", true, {u"cat", u"a", u"dog"}},
        {u"50% off+more-ish #tag", false, {u"50%", u"off+more-ish", u"tag"}},
        {u"\u6771\u4EAC\u3001\u5927\u962A", false, {u"\u6771\u4EAC", u"\u5927\u962A"}},
        {u"caf\u00E9s (\uFF08x\uFF09)", false, {u"caf", u"s", u"x"}},
        {u"  \t", false, {}},
        {u"Of OF of", true, {}},
    };
    for (const Case& c : cases) {
        StrArray* words = StrBuffer(c.text).words(c.skipCommon);
        EXPECT_EQ(textsOf(*words), c.expected);
        words->release();
    }
}

TEST(StrArrayTest, SortIsStableAndIgnoresCase) {
    StrArray* a = StrArray::take();
    for (const char16_t* t : {u"b", u"A", u"a", u"B", u"c", u"a"})
        a->addText(t);
    StrBuffer* firstLowerA = a->at(2);
    a->sort();
    EXPECT_EQ(textsOf(*a), (Texts{u"A", u"a", u"a", u"b", u"B", u"c"}));
    EXPECT_EQ(a->at(1), firstLowerA);  // equal texts keep their order
    a->release();
}

TEST(StrArrayTest, OwnsItsBuffers) {
    s::thread::EasyPooler& pool = StrBuffer::pool();
    StrArray* a = StrArray::take();
    EXPECT_EQ(a->count(), 0);
    a->addText(u"one");
    a->addText(u"two-and-more", 3);
    a->add(StrBuffer::takeText(u"three"));
    int32_t at = -1;
    EXPECT_TRUE(a->indexOf(u"TWO", at, true));
    EXPECT_EQ(at, 1);
    EXPECT_FALSE(a->indexOf(u"TWO", at, false));

    const int32_t idle = pool.idleCount();
    a->removeAt(0);
    EXPECT_EQ(pool.idleCount(), idle + 1);  // the removed buffer went back
    StrBuffer* detached = a->detach(0);
    EXPECT_EQ(textOf(detached), u"two");
    EXPECT_EQ(pool.idleCount(), idle + 1);  // a detached one did not
    detached->release();
    a->release();  // the last element goes back with the array
    EXPECT_EQ(pool.idleCount(), idle + 3);

    StrArray* again = StrArray::take();
    EXPECT_EQ(again->count(), 0);
    EXPECT_EQ(again->array().disposer(), &pool);
    again->release();
}

TEST(StrArrayTest, PositionsOutOfRangeReadAsNothing) {
    StrArray* a = StrArray::take();
    a->addText(u"only");
    // A position read from stored settings may be anything.
    for (int32_t i : {-1, 1, 2, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(a->at(i), nullptr) << i;
        EXPECT_EQ(std::u16string(a->textAt(i)), u"") << i;
    }
    EXPECT_EQ(std::u16string(a->textAt(0)), u"only");
    a->release();
}

TEST(StrBuildTest, Builders) {
    struct Case {
        StrBuffer* built;
        const char16_t* expected;
    } cases[] = {
        {s::str::strOf(u"x"), u"x"},
        {s::str::strOf(nullptr), u""},
        {s::str::strJoin(u"Save", u"Data"), u"SaveData"},
        {s::str::strKey(u"Clocks", 3), u"Clocks\\3"},
        {s::str::strKey(u"Clocks", -1), u"Clocks\\-1"},
        {s::str::strShortcutName(u"C:\\Startup\\", u"Tellavo", 2), u"C:\\Startup\\Tellavo2.lnk"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textOf(c.built), c.expected);
        c.built->release();
    }
}

}  // namespace

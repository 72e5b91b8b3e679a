// Registry value bytes come from outside: decoding must stay inside what was returned.
#include "persist/reg/reg_value.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/array.h"
#include "base/str_array.h"
#include "base/str_buffer.h"
#include "tests/persist/test_util.h"

namespace s::reg {
namespace {

using test::u16;

// The bytes in a heap block of exactly their size, so that ASan sees any overread.
std::unique_ptr<uint8_t[]> exact(const std::vector<uint8_t>& bytes) {
    auto block = std::make_unique<uint8_t[]>(bytes.size() == 0 ? 1 : bytes.size());
    std::copy(bytes.begin(), bytes.end(), block.get());
    return block;
}

TEST(RegValue, TextsStopAtTheTerminatorOrTheLastWholeUnit) {
    struct Case {
        std::vector<uint8_t> bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {{'a', 0, 'b', 0, 0, 0}, u"ab"},
        {{'a', 0, 'b', 0}, u"ab"},       // no terminator
        {{'a', 0, 'b', 0, 'c'}, u"ab"},  // odd byte count
        {{'x'}, u""},
        {{}, u""},
        {{'a', 0, 0, 0, 'b', 0}, u"a"},  // text after the terminator
        {{0xE5, 0x65, 0x2C, 0x67}, u"\u65e5\u672c"},
    };
    for (const Case& c : cases) {
        auto block = exact(c.bytes);
        str::StrBuffer out(u"old");
        textOfValue(block.get(), static_cast<uint32_t>(c.bytes.size()), out);
        EXPECT_EQ(u16(out.text()), c.text);
    }
}

TEST(RegValue, MultiTextsEndAtTheEmptyTextOrTheData) {
    struct Case {
        std::vector<uint8_t> bytes;
        std::vector<std::u16string> texts;
    };
    const Case cases[] = {
        {{'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}, {u"a", u"b"}},
        {{'a', 0, 0, 0, 0, 0, 'c', 0, 0, 0}, {u"a"}},
        {{'a', 0, 0, 0, 'b', 0}, {u"a", u"b"}},  // last text without terminator
        {{'a', 0, 0, 0, 'b'}, {u"a"}},           // odd byte
        {{0, 0, 0, 0}, {}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        auto block = exact(c.bytes);
        str::StrArray texts;
        textsOfMultiValue(block.get(), static_cast<uint32_t>(c.bytes.size()), texts);
        ASSERT_EQ(texts.count(), static_cast<int32_t>(c.texts.size()));
        for (int32_t i = 0; i < texts.count(); ++i)
            EXPECT_EQ(u16(texts.textAt(i)), c.texts[i]);
    }
}

TEST(RegValue, MultiTextsRoundTripAndSkipEmptyTexts) {
    str::StrArray texts;
    texts.addText(u"one");
    texts.addText(u"");
    texts.addText(u"two");
    col::ArrayU08 bytes;
    multiValueOfTexts(texts, bytes);
    EXPECT_EQ(bytes.count(), (3 + 1 + 3 + 1 + 1) * 2);
    str::StrArray back;
    textsOfMultiValue(bytes.data(), static_cast<uint32_t>(bytes.count()), back);
    ASSERT_EQ(back.count(), 2);
    EXPECT_EQ(u16(back.textAt(1)), u"two");
}

}  // namespace
}  // namespace s::reg

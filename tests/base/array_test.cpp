#include "base/array.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/array_iterator.h"
#include "base/comparators.h"
#include "base/str_buffer.h"
#include "tests/base/text_util.h"

namespace {

using s::col::ArrayP;
using s::col::ArrayS08;
using s::col::ArrayS32;
using s::col::ArrayU08;
using s::col::ArrayU32;
using s::test::textOf;

std::vector<int32_t> valuesOf(const ArrayS32& a) {
    return std::vector<int32_t>(a.data(), a.data() + a.count());
}

void fill(ArrayS32& a, std::initializer_list<int32_t> values) {
    a.clear();
    for (int32_t v : values)
        a.add(v);
}

TEST(ArrayTest, GrowsByTheRule) {
    ArrayS32 a;
    for (int32_t i = 0; i < 100; ++i)
        a.add(i);
    EXPECT_EQ(a.capacity(), 100);
    a.add(100);
    EXPECT_EQ(a.capacity(), 300);
    EXPECT_EQ(a.count(), 101);
    EXPECT_EQ(a[100], 100);
    a.resize(1000);  // exactly n when growing by resize
    EXPECT_EQ(a.capacity(), 1000);
    EXPECT_EQ(a[999], 0);  // new elements are zeroed
    a.resize(5);
    EXPECT_EQ(a.capacity(), 1000);
    a.freeStorage();
    EXPECT_EQ(a.capacity(), 0);
}

TEST(ArrayTest, CompareByCountThenElements) {
    struct Case {
        std::vector<uint8_t> a, b;
        int32_t expected;
    } cases[] = {
        {{1, 2}, {1, 3}, -1}, {{1, 2}, {1, 2, 0}, -1}, {{1, 2}, {1, 2}, 0},
        {{2}, {1, 9}, -1},    {{255}, {1}, 1},         {{}, {}, 0},
    };
    for (const Case& c : cases) {
        ArrayU08 a, b;
        a.append(c.a.data(), static_cast<int32_t>(c.a.size()));
        b.append(c.b.data(), static_cast<int32_t>(c.b.size()));
        EXPECT_EQ(a.compare(&b), c.expected);
        EXPECT_EQ(b.compare(&a), -c.expected);
        EXPECT_EQ(a.equals(&b), c.expected == 0);
    }
    ArrayS08 minus, plus;
    minus.add(-1);
    plus.add(1);
    EXPECT_EQ(minus.compare(&plus), -1);  // signed elements
    ArrayU08 x, y;
    x.add(7);
    y.add(7);
    EXPECT_EQ(x.hashCode(), y.hashCode());
}

TEST(ArrayTest, Comparators) {
    const uint8_t u8[] = {1, 200};
    const int8_t s8[] = {1, -56};
    const int32_t s32[] = {-5, 3};
    const uint32_t u32[] = {0xFFFFFFFF, 3};
    EXPECT_EQ(s::comp::CompU08::instance().compare(&u8[0], &u8[1]), -1);
    EXPECT_EQ(s::comp::CompS08::instance().compare(&s8[0], &s8[1]), 1);
    EXPECT_EQ(s::comp::CompS32::instance().compare(&s32[0], &s32[1]), -1);
    EXPECT_EQ(s::comp::CompU32::instance().compare(&u32[0], &u32[1]), 1);
    EXPECT_EQ(s::comp::CompU32::instance().compareIgnoreCase(&u32[1], &u32[1]), 0);
    void* pointers[] = {&pointers[1], &pointers[0]};
    EXPECT_EQ(s::comp::CompP::instance().compare(&pointers[0], &pointers[1]), 1);
    EXPECT_EQ(std::u16string(s::comp::CompP::instance().className()), u"s_comp_CompP");
}

TEST(ArrayTest, EditingOperations) {
    ArrayS32 a;
    const int32_t src[] = {10, 11, 12, 13};
    a.append(src, 2);        // 10 11
    a.prepend(src, 1, 3);    // 13 10 11
    a.insert(1, src, 2, 1);  // 13 11 12 10 11
    EXPECT_EQ(valuesOf(a), (std::vector<int32_t>{13, 11, 12, 10, 11}));
    a.insert(99, src, 1);  // beyond the count: appends
    a.insert(-5, src, 1);  // before the start: prepends
    EXPECT_EQ(valuesOf(a), (std::vector<int32_t>{10, 13, 11, 12, 10, 11, 10}));
    a.putAt(src, 1, 3, 9);  // a gap is zero-filled
    EXPECT_EQ(valuesOf(a), (std::vector<int32_t>{10, 13, 11, 12, 10, 11, 10, 0, 0, 13}));
    a.removeRange(1, 2);
    a.dropFirst(1);
    a.dropLast(2);
    EXPECT_EQ(valuesOf(a), (std::vector<int32_t>{12, 10, 11, 10, 0}));
    a.removeRange(3, 100);  // clipped to the count
    a.removeRange(50, 1);   // nothing
    EXPECT_EQ(valuesOf(a), (std::vector<int32_t>{12, 10, 11}));
    int32_t out[4] = {};
    a.popLast(out, 1, 2);
    a.popFirst(out, 1);
    EXPECT_EQ(out[2], 11);
    EXPECT_EQ(out[0], 12);
    EXPECT_EQ(valuesOf(a), (std::vector<int32_t>{10}));
    fill(a, {1, 2, 3, 4});
    a.removeRangeTo(1, out, 2, 1);
    EXPECT_EQ(out[1], 2);
    EXPECT_EQ(out[2], 3);
    EXPECT_EQ(valuesOf(a), (std::vector<int32_t>{1, 4}));
    a.dropLast(10);
    EXPECT_EQ(a.count(), 0);
}

TEST(ArrayTest, SwapsReverseAndCompareRange) {
    ArrayS32 a;
    fill(a, {1, 2, 3, 4, 5});
    a.swap(0, 4);
    int32_t scratch;
    a.swapVia(1, 3, &scratch);
    EXPECT_EQ(valuesOf(a), (std::vector<int32_t>{5, 4, 3, 2, 1}));
    a.reverse();
    EXPECT_EQ(valuesOf(a), (std::vector<int32_t>{1, 2, 3, 4, 5}));
    const int32_t same[] = {2, 3};
    const int32_t tail[] = {4, 5, 6};
    EXPECT_EQ(a.compareRange(1, same, 2), 0);
    EXPECT_EQ(a.compareRange(3, tail, 3), -1);  // only two elements are left at 3
    EXPECT_EQ(a.compareRange(3, tail, 2), 0);
    EXPECT_EQ(a.compareRange(0, same, 2), -1);
}

TEST(ArrayTest, AppendsItsOwnStorageWhileGrowing) {
    ArrayU32 a;
    for (uint32_t i = 0; i < 100; ++i)
        a.add(i);
    ASSERT_EQ(a.capacity(), a.count());
    a.append(a.data(), a.count());
    a.insert(0, a.data() + 1, 10);
    ASSERT_EQ(a.count(), 210);
    EXPECT_EQ(a[0], 1u);
    EXPECT_EQ(a[209], 99u);
    ArrayU32 b;
    EXPECT_TRUE(b.readFrom(a, 0, 5, 3));
    EXPECT_EQ(b.count(), 3);
    EXPECT_EQ(b[0], 6u);
    ArrayU08 bytes;
    EXPECT_FALSE(bytes.readFrom(a, 0));  // different element size
}

TEST(ArrayTest, TextAndMarkup) {
    ArrayS32 a;
    fill(a, {1, -2});
    s::str::StrBuffer* text = a.toText();
    EXPECT_EQ(textOf(text), u"s_col__array_ArrayS32 [1 -2]");
    a.toMarkup(text, false);
    EXPECT_EQ(textOf(text),
              u"<s_col__array_ArrayS32 length=\"2\"><item>1</item><item>-2</item>"
              u"</s_col__array_ArrayS32>");
    ArrayP p;
    s::str::StrBuffer element(u"x");
    p.add(&element);
    p.add(nullptr);
    p.toText(text, false);
    std::u16string expected = u"s_col__array_ArrayP [s_str_strbuffer_StrBuffer(";
    EXPECT_EQ(textOf(text).substr(0, expected.size()), expected);
    EXPECT_NE(textOf(text).find(u") null(0)]"), std::u16string::npos);
    text->release();
    EXPECT_EQ(std::u16string(ArrayU08().className()), u"s_col__array_ArrayU08");
}

TEST(ArrayTest, StreamsAndIterators) {
    ArrayU32 a;
    const uint8_t bytes[] = {1, 0, 0, 0, 2};
    EXPECT_EQ(a.write(bytes, 5), 5);
    EXPECT_EQ(a.count(), 2);  // the partial element is raised into use, zero-filled
    EXPECT_EQ(a[1], 2u);
    s::io::IInputStream* in = a.streamOf();
    uint8_t back[16] = {};
    EXPECT_EQ(in->read(back, 16), 8);
    EXPECT_EQ(back[4], 2);
    in->seekBy(-3);
    EXPECT_EQ(in->position(), 5);
    in->close();  // back to its pool

    s::str::StrBuffer sink;
    EXPECT_EQ(a.writeTo(sink, 1, 1), 4);
    EXPECT_EQ(sink.length(), 2);

    std::vector<uint32_t> seen;
    s::col::_array::Iterator* it = a.iterator();
    while (it->hasNext())
        seen.push_back(*static_cast<uint32_t*>(it->next()));
    EXPECT_EQ(seen, (std::vector<uint32_t>{1, 2}));
    EXPECT_EQ(it->next(), nullptr);
    it->release();
    it = a.iteratorAtEnd();
    EXPECT_EQ(*static_cast<uint32_t*>(it->previous()), 2u);
    it->release();
    it = a.iteratorFromEnd(2);
    EXPECT_EQ(*static_cast<uint32_t*>(it->next()), 1u);
    it->release();
}

// Counts what an array hands to its disposer.
class CountingDisposer : public s::base::IDestructor {
public:
    void dispose(void** slot) override {
        if (!*slot)
            return;
        disposed.push_back(*slot);
        *slot = nullptr;
    }
    std::vector<void*> disposed;
};

TEST(ArrayPTest, DisposerReceivesEveryDroppedElement) {
    int items[8];
    CountingDisposer counter;
    {
        ArrayP a(&counter);
        for (int& i : items)
            a.add(&i);
        a.removeRange(0, 2);
        EXPECT_EQ(counter.disposed, (std::vector<void*>{&items[0], &items[1]}));
        EXPECT_EQ(a.detach(0), &items[2]);  // handed out, not disposed
        void* popped = nullptr;
        a.popLast(&popped, 1);
        EXPECT_EQ(popped, &items[7]);
        EXPECT_EQ(counter.disposed.size(), 2u);
        a.replace(0, &items[2]);  // replaces items[3]
        EXPECT_EQ(counter.disposed.back(), &items[3]);
        a.dropLast(1);  // items[6]
        a.resize(2);    // items[5]
        a.resize(4);    // two empty slots
        EXPECT_EQ(a.get(3), nullptr);
        EXPECT_EQ(counter.disposed.size(), 5u);
        EXPECT_EQ(a.detach(99), nullptr);
    }
    // Destruction dropped the rest (the empty slots are skipped).
    EXPECT_EQ(counter.disposed.size(), 7u);
    EXPECT_EQ(counter.disposed[5], &items[2]);
    EXPECT_EQ(counter.disposed[6], &items[4]);
}

TEST(ArrayPTest, ClearAndReleaseDispose) {
    int items[3];
    CountingDisposer counter;
    ArrayP* a = ArrayP::take();
    a->setDisposer(&counter);
    for (int& i : items)
        a->add(&i);
    a->clear();
    EXPECT_EQ(counter.disposed.size(), 3u);
    a->add(&items[0]);
    a->release();
    EXPECT_EQ(counter.disposed.size(), 4u);
}

TEST(ArrayPTest, SortsStably) {
    struct Item {
        int key, order;
    };
    Item items[] = {{2, 0}, {1, 1}, {2, 2}, {1, 3}};
    ArrayP a;
    for (Item& i : items)
        a.add(&i);
    a.sortAs<Item>([](const Item* x, const Item* y) { return x->key - y->key; });
    std::vector<int> orders;
    for (int32_t i = 0; i < a.count(); ++i)
        orders.push_back(a.getAs<Item>(i)->order);
    EXPECT_EQ(orders, (std::vector<int>{1, 3, 0, 2}));
    a.sortDescending([](const void* x, const void* y, void*) {
        return static_cast<const Item*>(x)->key - static_cast<const Item*>(y)->key;
    });
    orders.clear();
    for (int32_t i = 0; i < a.count(); ++i)
        orders.push_back(a.getAs<Item>(i)->order);
    EXPECT_EQ(orders, (std::vector<int>{0, 2, 1, 3}));
}

}  // namespace

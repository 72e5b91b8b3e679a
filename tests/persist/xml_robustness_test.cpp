// Bad input from outside: the parser must neither overflow the stack, loop forever nor read
// past the text, whatever it is given.
#include "persist/xml/node.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "base/array.h"
#include "base/str_buffer.h"
#include "tests/persist/test_util.h"

namespace s::xml {
namespace {

using test::narrow;
using test::Owned;
using test::u16;

int32_t depthOf(const Node& root) {
    int32_t depth = 1;
    const Node* node = &root;
    while (node->childCount() > 0) {
        node = node->child(0);
        ++depth;
    }
    return depth;
}

// The text of the tree that `text` parses into.
std::u16string reparsedText(const str::StrBuffer& text) {
    Owned<Node> again(Node::take());
    again->parse(text.text());
    str::StrBuffer out;
    again->toText(&out);
    return u16(out.text());
}

std::u16string repeat(const char16_t* piece, int n) {
    std::u16string out;
    for (int i = 0; i < n; ++i)
        out += piece;
    return out;
}

TEST(XmlRobustness, DeepNestingIsCutAtTheLimitAndTheRestStillParses) {
    constexpr int kLevels = 100000;
    std::u16string text = repeat(u"<a>", kLevels) + repeat(u"</a>", kLevels) + u"<after/>";
    Owned<Node> root(Node::take());
    const char16_t* end = root->parse(text.c_str(), static_cast<int32_t>(text.size()));
    EXPECT_EQ(u16(end), u"<after/>");
    EXPECT_EQ(depthOf(*root), Node::kMaxDepth);
    str::StrBuffer out;
    root->toText(&out);
    EXPECT_EQ(out.length(), Node::kMaxDepth * 7);
    root->walk(u"");
    // What was kept is a whole tree: its text reads back as the same tree.
    EXPECT_EQ(reparsedText(out), u16(out.text()));
}

TEST(XmlRobustness, ContentBelowTheLimitIsDroppedButSiblingsAboveAreKept) {
    std::u16string text = repeat(u"<a>", Node::kMaxDepth) + u"<deep x=\"1\">t<d/></deep>" +
                          repeat(u"</a>", Node::kMaxDepth - 1) + u"<b/></a>";
    Owned<Node> root(Node::take());
    root->parse(text.c_str());
    EXPECT_EQ(depthOf(*root), Node::kMaxDepth);
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(u16(root->child(1)->name()), u"b");
}

TEST(XmlRobustness, UnclosedDeepNestingAndLongChainsAreReleasedWithoutRecursion) {
    std::u16string text = repeat(u"<a>", 100000);
    Owned<Node> parsed(Node::take());
    parsed->parse(text.c_str());
    EXPECT_EQ(depthOf(*parsed), Node::kMaxDepth);

    // Trees built in code have no limit; writing and releasing them must not recurse either.
    Node* root = Node::take();
    root->setName(u"r");
    Node* node = root;
    for (int i = 0; i < 100000; ++i)
        node = node->addChild(u"c");
    str::StrBuffer out;
    root->toText(&out);
    EXPECT_EQ(out.length(), 7 + 100000 * 7);
    root->release();
}

TEST(XmlRobustness, EveryPrefixOfADocumentParses) {
    const std::u16string doc =
        u"<savedata><Language>English</Language><Skin>Light&#160;Gray</Skin><!-- c -->"
        u"<MainWindow><View Width=\"700\" Height=\"550\"><PickUp NumOfEntries=\"2\">"
        u"<0 Name=\"Ha&quot;waii\" DST=\"x\"/></PickUp></View></MainWindow></savedata>";
    for (size_t n = 0; n <= doc.size(); ++n) {
        std::u16string prefix = doc.substr(0, n);  // exactly n units; ASan sees any overread
        auto* heap = new char16_t[n == 0 ? 1 : n];
        prefix.copy(heap, n);
        Owned<Node> root(Node::take());
        const char16_t* end = root->parse(heap, static_cast<int32_t>(n));
        EXPECT_TRUE(end >= heap && end <= heap + n) << n;
        root->walk();
        str::StrBuffer out;
        root->toText(&out);
        delete[] heap;
    }
}

TEST(XmlRobustness, RandomBytesAsUtf8AndAsUtf16) {
    std::mt19937 random(20240601);
    const char alphabet[] = "<>/=\"!- \n\tab&;#01\xC3\xA9\xFF";
    for (int round = 0; round < 3000; ++round) {
        size_t n = random() % 200;
        col::ArrayU08 bytes;
        for (size_t i = 0; i < n; ++i) {
            uint8_t b = round % 2 == 0
                            ? static_cast<uint8_t>(alphabet[random() % (sizeof(alphabet) - 1)])
                            : static_cast<uint8_t>(random());
            bytes.add(b);
        }
        Owned<Node> fromUtf8(Node::take());
        fromUtf8->parseBytes(bytes);
        fromUtf8->walk();
        Owned<col::ArrayU08> back(fromUtf8->toUtf8());
        // Whatever was read, its UTF-8 form holds exactly the text the writer gives.
        str::StrBuffer written;
        fromUtf8->toText(&written);
        str::StrBuffer decoded;
        decoded.fromUtf8(back->data(), back->count());
        ASSERT_EQ(u16(decoded.text()), u16(written.text())) << round;

        std::u16string units;
        for (size_t i = 0; i + 1 < n; i += 2) {
            units += static_cast<char16_t>(bytes[static_cast<int32_t>(i)] |
                                           (bytes[static_cast<int32_t>(i + 1)] << 8));
        }
        Owned<Node> fromUtf16(Node::take());
        const char16_t* end = fromUtf16->parse(units.data(), static_cast<int32_t>(units.size()));
        ASSERT_TRUE(end >= units.data() && end <= units.data() + units.size()) << round;
        fromUtf16->walk();
        str::StrBuffer out;
        fromUtf16->toText(&out);
    }
}

TEST(XmlRobustness, MalformedTagsEndWithoutHarm) {
    struct Case {
        const char16_t* text;
        const char16_t* written;
    };
    const Case cases[] = {
        {u"<a x=\"never closed><b/></a>", u"<a x=\"never closed><b/></a>\"></a>"},
        {u"<a =\"v\" b>", u"<a b=\"\"></a>"},
        {u"<a b=c/>", u"<a b=\"c\"></a>"},
        {u"<a b=c\"d\">", u"<a b=\"c\" \"d\"=\"\"></a>"},
        {u"<<<<", u"<<<<></<<<>"},
        {u"</a>", u"<></>"},
        {u"<a/", u"<a></a>"},
        {u"<a><", u"<a><></></a>"},
        {u"<!", u"<!--></!-->"},
        {u"<a><!-- never closed <b/></a>", u"<a></a>"},
        {u"<a>&#160;&amp</a>", u"<a>&#160;&amp</a>"},
        {u"", u"<></>"},
    };
    for (const Case& c : cases) {
        Owned<Node> root(Node::take());
        root->parse(c.text);
        str::StrBuffer out;
        root->toText(&out);
        EXPECT_EQ(u16(out.text()), c.written) << narrow(c.text);
        // Whatever was read, the written text reads back as the same tree.
        Owned<Node> again(Node::take());
        again->parse(out.text(), out.length());
        str::StrBuffer rewritten;
        again->toText(&rewritten);
        EXPECT_EQ(u16(rewritten.text()), u16(out.text())) << narrow(c.text);
    }
}

TEST(XmlRobustness, HugeAttributeValue) {
    std::u16string value(1 << 20, u'v');
    std::u16string text = u"<a big=\"" + value + u"\" small=\"1\"/>";
    Owned<Node> root(Node::take());
    root->parse(text.c_str());
    ASSERT_EQ(root->attributes().count(), 2);
    EXPECT_EQ(root->attributes().at(0).valueLength, 1u << 20);
    EXPECT_EQ(root->getInt32(u"small", 0), 1);
}

}  // namespace
}  // namespace s::xml

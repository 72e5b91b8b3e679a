#include "persist/xml/node.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/array.h"
#include "base/str_buffer.h"
#include "tests/persist/test_util.h"

namespace s::xml {
namespace {

using test::narrow;
using test::Owned;
using test::u16;

Owned<Node> parsed(const char16_t* text) {
    Owned<Node> node(Node::take());
    node->parse(text);
    return node;
}

std::u16string written(const Node& node) {
    str::StrBuffer out;
    node.toText(&out);
    return std::u16string(out.text());
}

std::u16string textOf(const Node& node, const char16_t* name, const char16_t* fallback = u"") {
    str::StrBuffer out;
    node.getText(&out, name, fallback);
    return std::u16string(out.text());
}

TEST(XmlNode, IndentationIsNotKept) {
    Owned<Node> flat = parsed(u"<a x=\"1\" y=\"two\"><b/><c z=\"3\">t</c></a>");
    Owned<Node> indented =
        parsed(u"<a\n  x=\"1\"\ty=\"two\">\n  <b />\n  <c z = \"3\">t</c>\n</a>\n");
    EXPECT_EQ(written(*flat), u"<a x=\"1\" y=\"two\"><b></b><c z=\"3\">t</c></a>");
    EXPECT_EQ(written(*indented), written(*flat));
    ASSERT_EQ(indented->childCount(), 2);
    EXPECT_EQ(u16(indented->child(1)->name()), u"c");
    EXPECT_EQ(textOf(*indented->child(1), u""), u"t");
}

TEST(XmlNode, TextWithSpaceAndLineBreakRoundTrips) {
    Owned<Node> node(Node::take());
    node->setName(u"t");
    node->setString(u"", u"two\nwords here");
    EXPECT_EQ(written(*node), u"<t>two&#10;words&#160;here</t>");
    Owned<Node> back = parsed(written(*node).c_str());
    EXPECT_EQ(textOf(*back, u""), u"two\nwords here");
}

TEST(XmlNode, AttributeQuotesAreEscapedAndGreaterThanIsNot) {
    Owned<Node> node(Node::take());
    node->setName(u"a");
    node->setString(u"q", u"say \"x\" > y");
    EXPECT_EQ(written(*node), u"<a q=\"say &quot;x&quot; > y\"></a>");
    Owned<Node> back = parsed(written(*node).c_str());
    EXPECT_EQ(textOf(*back, u"q"), u"say \"x\" > y");
}

TEST(XmlNode, CommentsAreDropped) {
    Owned<Node> node = parsed(u"<a><!-- only a comment --></a>");
    EXPECT_EQ(node->childCount(), 0);
    Owned<Node> mixed = parsed(u"<a><!----><b/><!-- x -- y --><c/></a>");
    ASSERT_EQ(mixed->childCount(), 2);
    EXPECT_EQ(u16(mixed->child(1)->name()), u"c");
    Owned<Node> comment = parsed(u"<!-- top -->");
    EXPECT_TRUE(comment->isComment());
    EXPECT_EQ(u16(comment->name()), u"!--");
}

TEST(XmlNode, SettersAppendAndTheFirstRecordWins) {
    Owned<Node> node(Node::take());
    node->setName(u"n");
    node->setString(u"k", u"first");
    node->setString(u"k", u"second");
    EXPECT_EQ(u16(node->rawValue(u"k", u"none")), u"first");
    EXPECT_EQ(node->attributes().count(), 2);
    EXPECT_EQ(u16(node->rawValue(u"K", u"none")), u"first");
    EXPECT_EQ(u16(node->rawValue(u"kk", u"none")), u"none");
    EXPECT_TRUE(node->removeAttribute(u"K"));
    EXPECT_EQ(u16(node->rawValue(u"k", u"none")), u"second");
}

TEST(XmlNode, NumberSettersWriteTheirFormats) {
    Owned<Node> n(Node::take());
    n->setName(u"n");
    n->setInt64(u"i64", -5000000000ll);
    n->setUInt32(u"u32", 4000000000u);
    n->setUInt16(u"u16", 0x12345);
    n->setUInt8(u"u8", 0x1FF);
    n->setInt32(u"i32", -7);
    n->setInt16(u"i16", 0x18000);
    n->setInt8(u"i8", 0xFF);
    n->setFloat(u"f", 1.5f);
    n->setDouble(u"d", -0.125);
    const uint64_t q[] = {0x0123456789ABCDEFull};
    const uint32_t d[] = {0xDEADBEEF, 1};
    const uint16_t w[] = {0xAB, 0xFFFF};
    const uint8_t b[] = {0, 0x7F, 0xFF};
    n->setHex64(u"h64", q, 1);
    n->setHex32(u"h32", d, 2);
    n->setHex16(u"h16", w, 2);
    n->setHexBytes(u"hb", b, 3);
    n->setHex32Pairs(u"hp", q, 1);
    struct Case {
        const char16_t* name;
        const char16_t* text;
    };
    const Case cases[] = {
        {u"i64", u"-5000000000"},
        {u"u32", u"4000000000"},
        {u"u16", u"9029"},
        {u"u8", u"255"},
        {u"i32", u"-7"},
        {u"i16", u"-32768"},
        {u"i8", u"-1"},
        {u"f", u"1.500000"},
        {u"d", u"-0.125000"},
        {u"h64", u"0123456789abcdef"},
        {u"h32", u"deadbeef00000001"},
        {u"h16", u"00abffff"},
        {u"hb", u"007fff"},
        {u"hp", u"89abcdef01234567"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(u16(n->rawValue(c.name)), c.text) << narrow(c.name);
}

TEST(XmlNode, GettersParseWithDefaultsForMissingValues) {
    Owned<Node> n = parsed(
        u"<n a=\"1\" b=\"10\" c=\"true\" d=\"True\" e=\"yes\" f=\"0\" g=\" -300\" h=\"70000\" "
        u"i=\"12345678901\" j=\"2.5\" k=\"abc\"></n>");
    struct BoolCase {
        const char16_t* name;
        bool value;
    };
    for (BoolCase c : {BoolCase{u"a", true},
                       {u"b", true},
                       {u"c", true},
                       {u"d", false},
                       {u"e", false},
                       {u"f", false}}) {
        EXPECT_EQ(n->getBool(c.name, !c.value), c.value) << narrow(c.name);
    }
    EXPECT_TRUE(n->getBool(u"missing", true));
    EXPECT_EQ(n->getInt8(u"g", 0), static_cast<int8_t>(-300));
    EXPECT_EQ(n->getInt16(u"h", 0), static_cast<int16_t>(70000));
    EXPECT_EQ(n->getInt32(u"g", 0), -300);
    EXPECT_EQ(n->getInt64(u"i", 0), 12345678901ll);
    EXPECT_EQ(n->getUInt8(u"h", 0), static_cast<uint8_t>(70000));
    EXPECT_EQ(n->getUInt16(u"h", 0), static_cast<uint16_t>(70000));
    EXPECT_EQ(n->getUInt32(u"g", 9), 0u);  // unsigned: no blanks, no sign
    EXPECT_EQ(n->getInt32(u"k", 9), 0);
    EXPECT_EQ(n->getDouble(u"j", 0), 2.5);
    EXPECT_EQ(n->getInt32(u"missing", 9), 9);
    EXPECT_EQ(textOf(*n, u"missing", u"dflt"), u"dflt");
    str::StrBuffer appended(u"x:");
    n->getText(&appended, u"k", nullptr, true);
    EXPECT_EQ(u16(appended.text()), u"x:abc");
}

TEST(XmlNode, NamesMatchExactlyWithCountAndIgnoringCaseWithout) {
    Owned<Node> n = parsed(u"<r><View/><view/><PickUp/></r>");
    EXPECT_TRUE(n->child(0)->nameEquals(u"VIEW"));
    EXPECT_FALSE(n->child(0)->nameEquals(u"view", 4));
    EXPECT_TRUE(n->child(1)->nameEquals(u"view-x", 4));
    int32_t i = -1;
    ASSERT_TRUE(n->findChild(u"view", i, 4));
    EXPECT_EQ(i, 1);
    ASSERT_TRUE(n->findChild(u"view", i));
    EXPECT_EQ(i, 0);
    EXPECT_EQ(n->childNamed(u"pickup", 6), nullptr);
    EXPECT_NE(n->childNamed(u"pickup"), nullptr);
    n->removeChild(0);
    EXPECT_EQ(n->childCount(), 2);
    EXPECT_EQ(u16(n->child(0)->name()), u"view");
}

TEST(XmlNode, MixedTextRecordsWriteOnlyTheFirst) {
    Owned<Node> n = parsed(u"<p>  one <b/> two </p>");
    ASSERT_EQ(n->attributes().count(), 2);
    EXPECT_EQ(textOf(*n, u""), u"one");
    EXPECT_EQ(written(*n), u"<p>one <b></b></p>");
}

TEST(XmlNode, AnElementCutOffByTheEndKeepsWhatWasRead) {
    Owned<Node> n = parsed(u"<a x=\"1\"><b y=\"2\">text<c");
    EXPECT_EQ(u16(n->rawValue(u"x")), u"1");
    ASSERT_EQ(n->childCount(), 1);
    Node* b = n->child(0);
    EXPECT_EQ(u16(b->rawValue(u"y")), u"2");
    EXPECT_EQ(textOf(*b, u""), u"text");
    EXPECT_EQ(b->childCount(), 1);
}

TEST(XmlNode, ParseReturnsThePositionAfterTheElement) {
    const char16_t* text = u"junk <a><b/></a><next/>";
    Owned<Node> n(Node::take());
    const char16_t* after = n->parse(text);
    EXPECT_EQ(u16(after), u"<next/>");
    Owned<Node> empty(Node::take());
    const char16_t* none = u"no element";
    EXPECT_EQ(empty->parse(none), none + 10);
    EXPECT_EQ(empty->nameLength(), 0);
}

TEST(XmlNode, Utf8BytesInAndOut) {
    const char* utf8 = "<!-- lead --><lang name=\"\xE6\x97\xA5\xE6\x9C\xAC\">caf\xC3\xA9</lang>";
    Owned<Node> n(Node::take());
    n->parseBytes(reinterpret_cast<const uint8_t*>(utf8), static_cast<int32_t>(std::strlen(utf8)));
    EXPECT_EQ(u16(n->name()), u"lang");
    EXPECT_EQ(textOf(*n, u"name"), u"\u65e5\u672c");
    EXPECT_EQ(textOf(*n, u""), u"caf\u00e9");
    Owned<col::ArrayU08> bytes(n->toUtf8());
    std::string out(reinterpret_cast<const char*>(bytes->data()), bytes->count());
    EXPECT_EQ(out, std::string(utf8 + 13));
}

TEST(XmlNode, LoadsFromAndSavesToStreams) {
    // Larger than one read chunk, so that the pieces must be joined.
    const std::string big(40000, 'v');
    const std::string doc = "<a k=\"" + big + "\"><b/>\xC3\xA9</a>";
    col::ArrayU08 in;
    in.append(doc.data(), static_cast<int32_t>(doc.size()));
    in.rewind();
    Owned<Node> n(Node::take());
    n->load(in);
    EXPECT_EQ(u16(n->name()), u"a");
    EXPECT_EQ(n->childCount(), 1);
    EXPECT_EQ(std::u16string(n->rawValue(u"k", u"")).size(), big.size());
    EXPECT_EQ(textOf(*n, u""), u"\u00e9");
    col::ArrayU08 out;
    ASSERT_TRUE(n->save(out));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.data()), out.count()),
              "<a k=\"" + big + "\">\xC3\xA9<b></b></a>");
}

TEST(XmlNode, ReleasedTreesGoBackToThePoolClean) {
    Node* root = Node::take();
    root->parse(u"<a k=\"v\"><b><c/></b>text</a>");
    root->release();
    Owned<Node> fresh(Node::take());
    EXPECT_EQ(fresh->nameLength(), 0);
    EXPECT_EQ(fresh->childCount(), 0);
    EXPECT_EQ(fresh->attributes().count(), 0);
    EXPECT_EQ(u16(fresh->className()), u"s_xml_Node");
}

}  // namespace
}  // namespace s::xml

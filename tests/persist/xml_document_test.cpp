// A parsed document lives in one arena: what the parser reads from bytes must equal what it
// reads from the decoded text, and every change of a parsed tree must be released cleanly
// (ASan and LeakSanitizer watch the native run).
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "base/array.h"
#include "base/str_buffer.h"
#include "persist/xml/node.h"
#include "tests/persist/test_util.h"

namespace s::xml {
namespace {

using test::Owned;

std::u16string units(const char16_t* text, uint32_t n) {
    return std::u16string(text, n);
}

// Everything the model holds, attribute records and text records in their order included.
std::u16string dump(const Node& node) {
    std::u16string out = u"<" + units(node.name(), static_cast<uint32_t>(node.nameLength()));
    for (int32_t i = 0; i < node.attributes().count(); ++i) {
        const AttrRecord& r = node.attributes().at(i);
        out += u" [" + units(r.name, r.nameLength) + u"]=[" + units(r.value, r.valueLength) + u"]";
    }
    out += u">";
    for (int32_t i = 0; i < node.childCount(); ++i)
        out += dump(*node.child(i));
    return out + u"</>";
}

std::u16string written(const Node& node) {
    str::StrBuffer out;
    node.toText(&out);
    return std::u16string(out.text());
}

TEST(XmlDocument, BytesParseToTheTreeOfTheirDecodedText) {
    const std::string fixture =
        "<!-- pack --><lang><languages><entry tagName=\"rus\" trueName=\"\xD0\xA0\xD1\x83\"/>"
        "</languages><entries><entry id=\"1\">\n  <rus>\xD0\x9F\xD1\x80\xD0\xB8 \xD0\xB2</rus>"
        "<jpn>\xE6\x97\xA5\xE6\x9C\xAC</jpn><x>\xF0\x9F\x98\x80&amp;&#160;</x></entry>"
        "<entry id=\"2\"><deu>Gr\xC3\xBC\xC3\x9F"
        "e</deu></entry></entries></lang>";
    std::mt19937 random(7);
    // The fixture, then copies with bytes replaced, cut or inserted at random: invalid and
    // truncated sequences next to the markup are what the two paths could read differently.
    const char extra[] = "<>/=\"!- \n\xC3\xD0\xE6\xF0\x80\x9F\xBF\xFF";
    for (int round = 0; round < 2000; ++round) {
        std::string bytes = fixture;
        const int edits = round == 0 ? 0 : 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            const size_t at = random() % bytes.size();
            const char c = extra[random() % (sizeof extra - 1)];
            switch (random() % 3) {
                case 0:
                    bytes[at] = c;
                    break;
                case 1:
                    bytes.erase(at, 1 + random() % 3);
                    break;
                default:
                    bytes.insert(at, 1, c);
                    break;
            }
        }
        std::vector<uint8_t> exact(bytes.begin(), bytes.end());  // ASan sees any overread
        Owned<Node> fromBytes(Node::take());
        fromBytes->parseBytes(exact.data(), static_cast<int32_t>(exact.size()));

        str::StrBuffer text;
        text.fromUtf8(exact.data(), static_cast<int32_t>(exact.size()));
        Owned<Node> fromText(Node::take());
        const char16_t* p = text.text();
        const char16_t* end = p + text.length();
        while (p < end) {  // as parseBytes: comments before the document element are skipped
            p = fromText->parse(p, static_cast<int32_t>(end - p));
            if (!fromText->isComment())
                break;
            fromText->clear();
        }
        ASSERT_EQ(dump(*fromBytes), dump(*fromText)) << "round " << round << ": " << bytes;
    }
}

TEST(XmlDocument, ChangesOfAParsedTreeReadBackAndReleaseCleanly) {
    const char16_t* doc = u"<a k=\"v\" m=\"w\">t1<b x=\"1\"><c/></b>t2<d/></a>";
    struct Case {
        const char* what;
        std::function<void(Node&)> change;
        const char16_t* expected;
    } cases[] = {
        {"nothing", [](Node&) {}, u"<a k=\"v\" m=\"w\">t1<b x=\"1\"><c></c></b><d></d></a>"},
        {"attribute added", [](Node& a) { a.child(0)->setInt32(u"y", 2); },
         u"<a k=\"v\" m=\"w\">t1<b x=\"1\" y=\"2\"><c></c></b><d></d></a>"},
        {"parsed attribute removed, then one added",
         [](Node& a) {
             a.removeAttribute(u"K");
             a.setString(u"n", u"q\"");
         },
         u"<a m=\"w\" n=\"q&quot;\">t1<b x=\"1\"><c></c></b><d></d></a>"},
        {"every record of a parsed node removed",
         [](Node& a) {
             Node& b = *a.child(0);
             b.removeAttribute(u"x");
             b.setString(u"z", u"9");
             b.removeAttribute(u"z");
         },
         u"<a k=\"v\" m=\"w\">t1<b><c></c></b><d></d></a>"},
        {"parsed node renamed", [](Node& a) { a.child(0)->child(0)->setName(u"cc"); },
         u"<a k=\"v\" m=\"w\">t1<b x=\"1\"><cc></cc></b><d></d></a>"},
        {"pooled child below a parsed one",
         [](Node& a) { a.child(1)->addChild(u"e")->setInt32(u"n", 5); },
         u"<a k=\"v\" m=\"w\">t1<b x=\"1\"><c></c></b><d><e n=\"5\"></e></d></a>"},
        {"parsed child removed", [](Node& a) { a.removeChild(0); },
         u"<a k=\"v\" m=\"w\">t1<d></d></a>"},
        {"parsed subtree cleared",
         [](Node& a) {
             a.child(0)->clear();
             a.child(0)->setName(u"z");
         },
         u"<a k=\"v\" m=\"w\">t1<z></z><d></d></a>"},
        {"a document parsed into a parsed node",
         [](Node& a) { a.child(1)->parse(u"<f g=\"h\"><i/></f>"); },
         u"<a k=\"v\" m=\"w\">t1<b x=\"1\"><c></c></b><f g=\"h\"><i></i></f></a>"},
        {"the root parsed into twice", [](Node& a) { a.parse(u"<r s=\"t\">u<v/></r>"); },
         u"<r k=\"v\" m=\"w\" s=\"t\">t1<b x=\"1\"><c></c></b><d></d><v></v></r>"},
        {"records added through the attribute list",
         [](Node& a) { a.child(1)->attributes().add(u"p", -1, u"1", -1); },
         u"<a k=\"v\" m=\"w\">t1<b x=\"1\"><c></c></b><d p=\"1\"></d></a>"},
    };
    for (const Case& c : cases) {
        Node* root = Node::take();
        root->parse(doc);
        c.change(*root);
        EXPECT_EQ(written(*root), c.expected) << c.what;
        root->release();
        // The pool hands out a clean node again, whatever the tree held.
        Owned<Node> fresh(Node::take());
        EXPECT_EQ(fresh->nameLength(), 0) << c.what;
        EXPECT_EQ(fresh->childCount(), 0) << c.what;
        EXPECT_EQ(fresh->attributes().count(), 0) << c.what;
    }
}

}  // namespace
}  // namespace s::xml

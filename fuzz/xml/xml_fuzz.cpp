// libFuzzer target: any bytes, as UTF-8 and as UTF-16, through the parser, the writer, the
// getters and a settings store on the parsed tree; the bytes parsed straight and parsed
// after decoding must give the same document.
#include <cstddef>
#include <cstdint>

#include "base/array.h"
#include "base/str_buffer.h"
#include "persist/xml/mapped_data.h"
#include "persist/xml/node.h"

namespace {

using s::xml::Node;

void exercise(Node& root) {
    root.walk(u"");
    s::str::StrBuffer text;
    root.toText(&text);
    // What the writer produced must parse back to the same tree: writing it again gives the
    // same text, or a load and save would change a settings file that nobody touched.
    Node* again = Node::take();
    again->parse(text.text(), text.length());
    s::str::StrBuffer rewritten;
    again->toText(&rewritten);
    if (!rewritten.equals(text))
        __builtin_trap();
    again->release();

    s::col::ArrayU08 bytes;
    root.toUtf8(&bytes);
    s::str::StrBuffer value;
    const Node* node = &root;
    for (int depth = 0; node != nullptr && depth < 4; ++depth) {
        node->getText(&value, u"");
        for (int32_t i = 0; i < node->attributes().count() && i < 4; ++i) {
            const char16_t* name = node->attributes().at(i).name;
            node->getText(&value, name, nullptr, true);
            (void)node->getInt32(name, 0);
            (void)node->getUInt8(name, 0);
            (void)node->getDouble(name, 0);
            (void)node->getBool(name, false);
        }
        node = node->childCount() > 0 ? node->child(node->childCount() - 1) : nullptr;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20))
        return 0;
    auto count = static_cast<int32_t>(size);

    Node* fromUtf8 = Node::take();
    fromUtf8->parseBytes(data, count);
    exercise(*fromUtf8);

    // The bytes are parsed without decoding the markup; the decoded text must give the same
    // document (comments before the document element skipped as parseBytes does).
    {
        s::str::StrBuffer decoded;
        decoded.fromUtf8(data, count);
        Node* fromText = Node::take();
        const char16_t* p = decoded.text();
        const char16_t* end = p + decoded.length();
        while (p < end) {
            p = fromText->parse(p, static_cast<int32_t>(end - p));
            if (!fromText->isComment())
                break;
            fromText->clear();
        }
        s::str::StrBuffer a;
        s::str::StrBuffer b;
        fromUtf8->toText(&a);
        fromText->toText(&b);
        if (!a.equals(b) || fromUtf8->attributes().count() != fromText->attributes().count())
            __builtin_trap();
        fromText->release();
    }

    // The same tree as a settings store: paths made from the element names found.
    s::xml::MappedData* store = s::xml::MappedData::take();
    store->setRoot(fromUtf8);
    if (fromUtf8->childCount() > 0) {
        s::str::StrBuffer path(fromUtf8->child(0)->name());
        (void)store->getString(path.text(), u"", u"");
        // Without an array of ours the store hands out a new pooled one: give it back.
        if (auto* bytes = store->getBytes(path.text(), u"x", nullptr))
            bytes->release();
        store->setString(path.text(), u"Name", u"a \"b\" <c>\n");
        store->deleteKey(path.text());
    }
    store->release();  // releases the tree

    s::str::StrBuffer units;
    units.decode(s::str::kCodePageUtf16Le, data, count);
    Node* fromUtf16 = Node::take();
    fromUtf16->parse(units.rawChars(), units.length());
    exercise(*fromUtf16);
    fromUtf16->release();
    return 0;
}

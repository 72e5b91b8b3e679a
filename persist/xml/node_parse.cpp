// The parser of Node: one element from UTF-16 text, iterative, bounded by the text's end.
#include "persist/xml/node.h"

#include <vector>

namespace s::xml {

namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

const char16_t* skipBlanks(const char16_t* p, const char16_t* end) {
    while (p < end && isBlank(*p))
        ++p;
    return p;
}

const char16_t* skipPast(const char16_t* p, const char16_t* end, char16_t unit) {
    while (p < end && *p != unit)
        ++p;
    return p < end ? p + 1 : end;
}

enum class StartTag { kComment, kEmpty, kOpen, kCutOff };

// Reads a start tag (or a comment) from the next "<" on into `node`; with `node` nullptr the
// tag is only skipped. Leaves `p` after the tag.
StartTag readStartTag(Node* node, const char16_t*& p, const char16_t* end) {
    while (p < end && *p != u'<')
        ++p;
    if (p == end)
        return StartTag::kCutOff;
    p = skipBlanks(p + 1, end);
    if (p < end && *p == u'!') {
        if (node != nullptr)
            node->setName(u"!--", 3);
        for (int i = 0; i < 3 && p < end; ++i)
            ++p;  // "!--"
        while (p < end) {
            if (*p == u'-' && end - p >= 3 && p[1] == u'-' && p[2] == u'>') {
                p += 3;
                return StartTag::kComment;
            }
            ++p;
        }
        return StartTag::kComment;
    }
    const char16_t* name = p;
    while (p < end && !isBlank(*p) && *p != u'/' && *p != u'>')
        ++p;
    if (node != nullptr)
        node->setName(name, static_cast<int32_t>(p - name));
    for (;;) {
        p = skipBlanks(p, end);
        if (p == end)
            return StartTag::kCutOff;
        if (*p == u'/') {
            p = skipPast(p, end, u'>');
            return StartTag::kEmpty;
        }
        if (*p == u'>') {
            ++p;
            return StartTag::kOpen;
        }
        // An attribute: name, "=", and a double-quoted value kept as it stands. Whatever is
        // malformed here is read leniently; every pass consumes at least one unit.
        const char16_t* attrName = p;
        while (p < end && *p != u'=' && !isBlank(*p) && *p != u'/' && *p != u'>')
            ++p;
        const char16_t* attrNameEnd = p;
        const char16_t* value = p;
        const char16_t* valueEnd = p;
        p = skipBlanks(p, end);
        if (p < end && *p == u'=') {
            p = skipBlanks(p + 1, end);
            if (p < end && *p == u'"') {
                value = ++p;
                while (p < end && *p != u'"')
                    ++p;
                valueEnd = p;
                if (p < end)
                    ++p;  // the closing quote
            } else {
                // An unquoted value ends before a quote too: the writer puts the value between
                // quotes, and a quote inside it would not read back as the same attributes.
                value = p;
                while (p < end && !isBlank(*p) && *p != u'/' && *p != u'>' && *p != u'"')
                    ++p;
                valueEnd = p;
            }
        }
        // A nameless attribute would read as a text record; it is dropped.
        if (node != nullptr && attrNameEnd > attrName) {
            node->attributes().add(attrName, static_cast<int32_t>(attrNameEnd - attrName), value,
                                   static_cast<int32_t>(valueEnd - value));
        }
    }
}

// After a start tag or a child: blanks are skipped and the units up to the next "<" become
// one more text record of `node` (dropped when `node` is nullptr).
const char16_t* readText(Node* node, const char16_t* p, const char16_t* end) {
    p = skipBlanks(p, end);
    const char16_t* text = p;
    while (p < end && *p != u'<')
        ++p;
    if (node != nullptr && p > text) {
        node->attributes().add(u"", 0, text, static_cast<int32_t>(p - text));
    }
    return p;
}

}  // namespace

const char16_t* Node::parse(const char16_t* text) {
    if (text == nullptr)
        return nullptr;
    const char16_t* end = text;
    while (*end != 0)
        ++end;
    return parse(text, static_cast<int32_t>(end - text));
}

const char16_t* Node::parse(const char16_t* text, int32_t count) {
    if (text == nullptr || count <= 0)
        return text;
    const char16_t* p = text;
    const char16_t* end = text + count;
    if (readStartTag(this, p, end) != StartTag::kOpen)
        return p;

    // The open elements, innermost last. Elements beyond kMaxDepth are only counted: their
    // tags are skipped and their content dropped.
    std::vector<Node*> open{this};
    int32_t dropped = 0;
    auto innermost = [&]() -> Node* { return dropped > 0 ? nullptr : open.back(); };

    p = readText(this, p, end);
    while (p < end) {
        // p is at a "<".
        if (end - p >= 2 && p[1] == u'/') {
            p = skipPast(p, end, u'>');  // the end tag's name is not compared
            if (dropped > 0) {
                --dropped;
            } else {
                open.pop_back();
                if (open.empty())
                    return p;
            }
            p = readText(innermost(), p, end);
            continue;
        }
        Node* parent = innermost();
        bool keep = parent != nullptr && static_cast<int32_t>(open.size()) < kMaxDepth;
        Node* node = keep ? take() : nullptr;
        if (keep && node == nullptr)
            keep = false;  // out of memory: skip like a deep element
        StartTag kind = readStartTag(node, p, end);
        if (node != nullptr) {
            if (kind == StartTag::kComment) {
                node->release();
                node = nullptr;
            } else {
                parent->appendChild(node);
            }
        }
        if (kind == StartTag::kOpen) {
            if (node != nullptr) {
                open.push_back(node);
            } else {
                ++dropped;
            }
        }
        p = readText(innermost(), p, end);
    }
    return p;
}

void Node::parseBytes(const uint8_t* bytes, int32_t count) {
    if (bytes == nullptr || count <= 0)
        return;
    str::StrBuffer text;
    text.fromUtf8(bytes, count);
    const char16_t* p = text.text();
    const char16_t* end = p + text.length();
    // A document may open with comments; the document element is the first element after.
    while (p < end) {
        p = parse(p, static_cast<int32_t>(end - p));
        if (!isComment())
            return;
        clear();
    }
}

}  // namespace s::xml

// The writer of Node: the subtree as one line of text, iterative.
#include "persist/xml/node.h"

#include <vector>

namespace s::xml {

namespace {

void writeStartTag(const Node& node, str::StrBuffer& out) {
    out.appendUnit(u'<').append(node.name(), node.nameLength());
    const Attributes& attributes = node.attributes();
    const AttrRecord* text = nullptr;
    for (int32_t i = 0; i < attributes.count(); ++i) {
        const AttrRecord& record = attributes.at(i);
        if (record.nameLength == 0) {
            if (text == nullptr)
                text = &record;
            continue;
        }
        out.appendUnit(u' ').append(record.name, static_cast<int32_t>(record.nameLength));
        out.appendUnit(u'=').appendUnit(u'"');
        out.append(record.value, static_cast<int32_t>(record.valueLength)).appendUnit(u'"');
    }
    out.appendUnit(u'>');
    if (text != nullptr)
        out.append(text->value, static_cast<int32_t>(text->valueLength));
}

void writeEndTag(const Node& node, str::StrBuffer& out) {
    out.appendUnit(u'<').appendUnit(u'/').append(node.name(), node.nameLength()).appendUnit(u'>');
}

}  // namespace

str::StrBuffer* Node::toText(str::StrBuffer* buffer, bool append) const {
    str::StrBuffer* out = buffer != nullptr ? buffer : str::StrBuffer::take();
    if (out == nullptr)
        return nullptr;
    if (!append)
        out->clear();
    struct Frame {
        const Node* node;
        int32_t next;  // the next child to write
    };
    std::vector<Frame> open;
    writeStartTag(*this, *out);
    open.push_back({this, 0});
    while (!open.empty()) {
        Frame& frame = open.back();
        if (frame.next == frame.node->childCount()) {
            writeEndTag(*frame.node, *out);
            open.pop_back();
            continue;
        }
        const Node* node = frame.node->child(frame.next++);
        writeStartTag(*node, *out);
        open.push_back({node, 0});  // `frame` is not used after this
    }
    return out;
}

}  // namespace s::xml

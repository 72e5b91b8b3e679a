#include "persist/xml/node.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "persist/file/file_io.h"
#include "persist/xml/arena.h"
#include "persist/xml/escape.h"
#include "persist/xml/number_text.h"

namespace s::xml {

namespace {

uint32_t unitsOf(const char16_t* text, int32_t count) {
    if (text == nullptr)
        return 0;
    if (count >= 0)
        return static_cast<uint32_t>(count);
    uint32_t n = 0;
    while (text[n] != 0)
        ++n;
    return n;
}

char16_t foldAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

const char16_t kNoName[] = u"";

// The disposer of every child array: a child leaves through its own release(), which knows
// whether it goes back to the pool or stays in its document's arena.
class ChildReleaser final : public base::IDestructor {
public:
    void dispose(void** slot) override {
        if (slot == nullptr || *slot == nullptr)
            return;
        static_cast<Node*>(*slot)->release();
        *slot = nullptr;
    }
};

base::IDestructor* childReleaser() {
    // Immortal like the pools: trees may still be released during static destruction.
    static ChildReleaser* const releaser = new ChildReleaser;
    return releaser;
}

}  // namespace

Node::Node() : children_(childReleaser()) {}

Node::~Node() {
    clear();
}

// Moves a node's children onto `work` and leaves the node without children, disposing
// nothing.
void Node::detachChildren(Node& node, std::vector<Node*>& work) {
    for (int32_t i = 0; i < node.children_.count(); ++i)
        work.push_back(node.child(i));
    node.children_.setDisposer(nullptr);
    node.children_.freeStorage();
    node.children_.setDisposer(childReleaser());
}

bool Node::holdsOnlyArenaMemory() const {
    return home_ != nullptr && arena_ == nullptr && (name_ == nullptr || nameInArena_) &&
           (children_.rawItems() == nullptr || children_.borrowsStorage()) &&
           attributes_.holdsOnlyArenaMemory();
}

void Node::touch() {
    if (Arena* arena = home_ != nullptr ? home_ : arena_)
        arena->markTouched();
}

void Node::release() {
    if (home_ == nullptr) {
        Pooled<Node>::release();
        return;
    }
    // The memory stays with the arena until the document goes; only what the node holds
    // outside it is freed here.
    this->~Node();
}

void Node::clear() {
    if (home_ != nullptr)
        home_->markTouched();
    if (!nameInArena_)
        std::free(name_);
    name_ = nullptr;
    nameLength_ = 0;
    nameInArena_ = false;
    attributes_.freeStorage();
    if (children_.count() == 0) {
        children_.freeStorage();
    } else if (arena_ != nullptr && !arena_->touched()) {
        // Every descendant is a parsed node nobody changed: all of it goes with the arena.
        children_.setDisposer(nullptr);
        children_.freeStorage();
        children_.setDisposer(childReleaser());
    } else {
        // Take the subtree apart without recursion: a descendant is released only once it
        // has no children left, so its own reset is shallow however deep the tree is. Parsed
        // descendants that hold nothing of their own are left to their arena untouched. A
        // node with an arena of its own clears its subtree itself, before that arena goes.
        std::vector<Node*> work;
        detachChildren(*this, work);
        while (!work.empty()) {
            Node* node = work.back();
            work.pop_back();
            if (node->holdsOnlyArenaMemory()) {
                for (int32_t i = 0; i < node->children_.count(); ++i)
                    work.push_back(node->child(i));
                continue;
            }
            if (node->arena_ == nullptr)
                detachChildren(*node, work);
            node->release();
        }
    }
    Arena::destroy(arena_);
    arena_ = nullptr;
}

void Node::walk(const char16_t* prefix) const {
    str::StrBuffer scratch;
    std::vector<const Node*> work{this};
    while (!work.empty()) {
        const Node* node = work.back();
        work.pop_back();
        if (prefix != nullptr)
            scratch.setText(prefix);
        for (int32_t i = 0; i < node->attributes_.count(); ++i) {
            const AttrRecord& record = node->attributes_.at(i);
            scratch.clear();
            if (record.nameLength == 0) {
                decodeText(record.value, static_cast<int32_t>(record.valueLength), scratch);
            } else {
                decodeAttribute(record.value, static_cast<int32_t>(record.valueLength), scratch);
            }
        }
        for (int32_t i = node->childCount() - 1; i >= 0; --i)
            work.push_back(node->child(i));
    }
}

void Node::setName(const char16_t* text, int32_t count) {
    touch();
    uint32_t n = unitsOf(text, count);
    auto* copy =
        static_cast<char16_t*>(std::malloc((static_cast<size_t>(n) + 1) * sizeof(char16_t)));
    if (copy == nullptr)
        return;
    if (n > 0)
        std::memcpy(copy, text, n * sizeof(char16_t));
    copy[n] = 0;
    if (!nameInArena_)
        std::free(name_);
    name_ = copy;
    nameLength_ = n;
    nameInArena_ = false;
}

bool Node::nameEquals(const char16_t* text, int32_t count) const {
    const char16_t* own = name_ != nullptr ? name_ : kNoName;
    if (text == nullptr)
        text = kNoName;
    if (count < 0) {
        uint32_t n = unitsOf(text, -1);
        if (n != nameLength_)
            return false;
        for (uint32_t i = 0; i < n; ++i) {
            if (foldAscii(own[i]) != foldAscii(text[i]))
                return false;
        }
        return true;
    }
    if (static_cast<uint32_t>(count) != nameLength_)
        return false;
    return count == 0 || std::memcmp(own, text, static_cast<size_t>(count) * sizeof(char16_t)) == 0;
}

Node* Node::addChild(const char16_t* name, int32_t count) {
    Node* node = take();
    if (node == nullptr)
        return nullptr;
    touch();
    node->setName(name, count);
    children_.add(node);
    return node;
}

void Node::appendChild(Node* node) {
    if (node == nullptr)
        return;
    touch();
    children_.add(node);
}

void Node::removeChild(int32_t i) {
    touch();
    children_.removeRange(i, 1);
}

bool Node::findChild(const char16_t* name, int32_t& out, int32_t count) const {
    for (int32_t i = 0; i < children_.count(); ++i) {
        if (child(i)->nameEquals(name, count)) {
            out = i;
            return true;
        }
    }
    return false;
}

Node* Node::childNamed(const char16_t* name, int32_t count) const {
    int32_t i = 0;
    return findChild(name, i, count) ? child(i) : nullptr;
}

void Node::setRaw(const char16_t* name, const char16_t* value, int32_t count) {
    touch();
    attributes_.add(name != nullptr ? name : kNoName, -1, value != nullptr ? value : kNoName,
                    count);
}

bool Node::removeAttribute(const char16_t* name) {
    touch();
    int32_t i = 0;
    if (!attributes_.find(name != nullptr ? name : kNoName, i))
        return false;
    attributes_.remove(i);
    return true;
}

namespace {

// Numbers are formatted into a buffer of the caller's own; no shared scratch, no lock.
template <class F>
void setNumber(Node& node, const char16_t* name, F&& format) {
    str::StrBuffer text;
    format(text);
    node.setRaw(name, text.text(), text.length());
}

}  // namespace

void Node::setInt64(const char16_t* name, int64_t value) {
    setNumber(*this, name, [&](str::StrBuffer& t) { t.appendInt64(value); });
}
void Node::setUInt32(const char16_t* name, uint32_t value) {
    setNumber(*this, name, [&](str::StrBuffer& t) { t.appendUInt32(value); });
}
void Node::setUInt16(const char16_t* name, uint32_t value) {
    setNumber(*this, name, [&](str::StrBuffer& t) { t.appendUInt16(value); });
}
void Node::setUInt8(const char16_t* name, uint32_t value) {
    setNumber(*this, name, [&](str::StrBuffer& t) { t.appendUInt8(value); });
}
void Node::setInt32(const char16_t* name, int32_t value) {
    setNumber(*this, name, [&](str::StrBuffer& t) { t.appendInt(value); });
}
void Node::setInt16(const char16_t* name, int32_t value) {
    setNumber(*this, name, [&](str::StrBuffer& t) { t.appendInt16(value); });
}
void Node::setInt8(const char16_t* name, int32_t value) {
    setNumber(*this, name, [&](str::StrBuffer& t) { t.appendInt8(value); });
}
void Node::setFloat(const char16_t* name, float value) {
    setNumber(*this, name, [&](str::StrBuffer& t) { t.appendFloat(value); });
}
void Node::setDouble(const char16_t* name, double value) {
    setNumber(*this, name, [&](str::StrBuffer& t) { t.appendDouble(value); });
}
void Node::setHex64(const char16_t* name, const uint64_t* values, int32_t n) {
    setNumber(*this, name, [&](str::StrBuffer& t) {
        if (values && n > 0)
            t.appendHexU64s(values, n);
    });
}
void Node::setHex32(const char16_t* name, const uint32_t* values, int32_t n) {
    setNumber(*this, name, [&](str::StrBuffer& t) {
        if (values && n > 0)
            t.appendHexU32s(values, n);
    });
}
void Node::setHex16(const char16_t* name, const uint16_t* values, int32_t n) {
    setNumber(*this, name, [&](str::StrBuffer& t) {
        if (values && n > 0)
            t.appendHexU16s(values, n);
    });
}
void Node::setHexBytes(const char16_t* name, const uint8_t* bytes, int32_t n) {
    setNumber(*this, name, [&](str::StrBuffer& t) {
        if (bytes && n > 0)
            t.appendHexBytes(bytes, n);
    });
}
void Node::setHex32Pairs(const char16_t* name, const uint64_t* values, int32_t n) {
    setNumber(*this, name, [&](str::StrBuffer& t) {
        if (values && n > 0)
            t.appendHexU64sAsU32s(values, n);
    });
}

void Node::setString(const char16_t* name, const char16_t* text, int32_t count) {
    if (name == nullptr)
        name = kNoName;
    str::StrBuffer escaped;
    if (name[0] == 0) {
        escapeText(text, count, escaped);
    } else {
        escapeAttribute(text, count, escaped);
    }
    setRaw(name, escaped.text(), escaped.length());
}

const char16_t* Node::rawValue(const char16_t* name, const char16_t* fallback) const {
    const AttrRecord* record = attributes_.findRecord(name != nullptr ? name : kNoName);
    return record != nullptr ? record->value : fallback;
}

bool Node::getBool(const char16_t* name, bool fallback) const {
    const char16_t* v = rawValue(name);
    if (v == nullptr)
        return fallback;
    if (v[0] == u'1')
        return true;
    return v[0] == u't' && v[1] == u'r' && v[2] == u'u' && v[3] == u'e';
}

int8_t Node::getInt8(const char16_t* name, int8_t fallback) const {
    const char16_t* v = rawValue(name);
    return v != nullptr ? static_cast<int8_t>(parseSignedDecimal(v)) : fallback;
}
int16_t Node::getInt16(const char16_t* name, int16_t fallback) const {
    const char16_t* v = rawValue(name);
    return v != nullptr ? static_cast<int16_t>(parseSignedDecimal(v)) : fallback;
}
int32_t Node::getInt32(const char16_t* name, int32_t fallback) const {
    const char16_t* v = rawValue(name);
    return v != nullptr ? static_cast<int32_t>(parseSignedDecimal(v)) : fallback;
}
int64_t Node::getInt64(const char16_t* name, int64_t fallback) const {
    const char16_t* v = rawValue(name);
    return v != nullptr ? parseSignedDecimal(v) : fallback;
}
uint8_t Node::getUInt8(const char16_t* name, uint8_t fallback) const {
    const char16_t* v = rawValue(name);
    return v != nullptr ? static_cast<uint8_t>(parseUnsignedDecimal(v)) : fallback;
}
uint16_t Node::getUInt16(const char16_t* name, uint16_t fallback) const {
    const char16_t* v = rawValue(name);
    return v != nullptr ? static_cast<uint16_t>(parseUnsignedDecimal(v)) : fallback;
}
uint32_t Node::getUInt32(const char16_t* name, uint32_t fallback) const {
    const char16_t* v = rawValue(name);
    return v != nullptr ? static_cast<uint32_t>(parseUnsignedDecimal(v)) : fallback;
}
double Node::getDouble(const char16_t* name, double fallback) const {
    const char16_t* v = rawValue(name);
    return v != nullptr ? parseDecimalDouble(v) : fallback;
}

str::StrBuffer* Node::getText(str::StrBuffer* buffer, const char16_t* name,
                              const char16_t* fallback, bool append) const {
    str::StrBuffer* out = buffer != nullptr ? buffer : str::StrBuffer::take();
    if (out == nullptr)
        return nullptr;
    if (!append)
        out->clear();
    if (name == nullptr)
        name = kNoName;
    const AttrRecord* record = attributes_.findRecord(name);
    if (record == nullptr) {
        if (fallback != nullptr)
            out->appendText(fallback);
    } else if (name[0] == 0) {
        decodeText(record->value, static_cast<int32_t>(record->valueLength), *out);
    } else {
        decodeAttribute(record->value, static_cast<int32_t>(record->valueLength), *out);
    }
    return out;
}

col::ArrayU08* Node::toUtf8(col::ArrayU08* bytes, bool append) const {
    str::StrBuffer text;
    toText(&text);
    return text.toUtf8(bytes, append);
}

bool Node::loadFile(const char16_t* path) {
    col::ArrayU08 bytes;
    if (!io::readWholeFile(path, bytes))
        return false;
    parseBytes(bytes);
    return true;
}

void Node::load(io::IInputStream& in) {
    col::ArrayU08 bytes;
    uint8_t chunk[16384];
    while (bytes.count() < io::kMaxReadBytes) {
        int32_t n = in.read(chunk, static_cast<int32_t>(sizeof chunk));
        if (n <= 0)
            break;
        bytes.append(chunk, n);
    }
    parseBytes(bytes);
}

bool Node::save(io::IOutputStream& out) const {
    col::ArrayU08 bytes;
    toUtf8(&bytes);
    return out.write(bytes.data(), bytes.count()) == bytes.count();
}

bool Node::saveFile(const char16_t* path) const {
    col::ArrayU08 bytes;
    toUtf8(&bytes);
    return io::writeFileAtomically(path, bytes.data(), bytes.count());
}

}  // namespace s::xml

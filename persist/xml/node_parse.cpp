// The parser of Node: one element from UTF-16 text, iterative, bounded by the text's end.
// Everything it builds is cut from the arena of the node parsed into.
#include "persist/xml/node.h"

#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "persist/xml/arena.h"

namespace s::xml {

namespace {

// The parser reads UTF-16 units or UTF-8 bytes. Every unit of the markup is ASCII, and in
// UTF-8 an ASCII byte is never part of a longer sequence and always decodes as its own unit,
// so scanning the bytes finds the same tags as scanning the decoded text would, and each
// name, value and text decodes on its own to the units it has in the whole.
template <class Unit>
bool isBlank(Unit c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

template <class Unit>
const Unit* skipBlanks(const Unit* p, const Unit* end) {
    while (p < end && isBlank(*p))
        ++p;
    return p;
}

// Units that end an element name: the blanks, "/" and ">".
constexpr bool endsName(uint32_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'/' || c == u'>';
}

template <class Unit>
const Unit* skipName(const Unit* p, const Unit* end) {
    while (p < end && !endsName(*p))
        ++p;
    return p;
}

// The first `unit` at or after p, or `end`; four units at a time while none of them is it.
const char16_t* find(const char16_t* p, const char16_t* end, char16_t unit) {
    constexpr uint64_t kOnes = 0x0001000100010001ull;
    constexpr uint64_t kHighs = 0x8000800080008000ull;
    const uint64_t pattern = kOnes * unit;
    while (end - p >= 4) {
        uint64_t word;
        std::memcpy(&word, p, sizeof word);
        const uint64_t x = word ^ pattern;  // a lane of 0 where `unit` is
        if (((x - kOnes) & ~x & kHighs) != 0)
            break;
        p += 4;
    }
    while (p < end && *p != unit)
        ++p;
    return p;
}

const uint8_t* find(const uint8_t* p, const uint8_t* end, char16_t unit) {
    if (p >= end)
        return end;
    const void* at = std::memchr(p, static_cast<int>(unit), static_cast<size_t>(end - p));
    return at != nullptr ? static_cast<const uint8_t*>(at) : end;
}

template <class Unit>
const Unit* skipPast(const Unit* p, const Unit* end, char16_t unit) {
    p = find(p, end, unit);
    return p < end ? p + 1 : end;
}

char16_t* copyText(Arena& arena, const char16_t* p, uint32_t n, uint32_t& units) {
    units = n;
    return arena.copyText(p, n);
}

char16_t* copyText(Arena& arena, const uint8_t* p, uint32_t n, uint32_t& units) {
    return arena.decodeText(p, n, units);
}

// A first arena block that holds a typical document of `units` (elements of a few dozen
// units each, with their names and texts) without a second one.
size_t expectedArenaBytes(int32_t units) {
    return static_cast<size_t>(units) * 10;
}

}  // namespace

template <class Unit>
class DocumentParser {
public:
    DocumentParser(Node& top, Arena& arena, const Unit* end) : top_(top), arena_(arena), end_(end) {
        open_.reserve(16);
        children_.reserve(64);
        records_.reserve(64);
    }

    const Unit* run(const Unit* p);

private:
    enum class StartTag { kComment, kEmpty, kOpen, kCutOff };
    struct Frame {
        Node* node;
        size_t firstChild;   // its children in children_ from here on
        size_t firstRecord;  // its records in records_ from here on
    };

    Node* innermost() const { return dropped_ > 0 ? nullptr : open_.back().node; }
    StartTag readStartTag(const Unit*& p, Node*& node, bool create);
    const Unit* readText(const Unit* p);
    Node* newNode(const Unit* name, uint32_t n);
    void addRecord(const Unit* name, uint32_t nameCount, const Unit* value, uint32_t valueCount);
    void finish(Node& node, size_t firstChild, size_t firstRecord);
    // The arena copy of an element or attribute name: a document repeats a few names many
    // times, and every use of one name shares one copy (names are never written through).
    char16_t* nameCopy(const Unit* name, uint32_t count, uint32_t& units);
    // Whether `count` units at `a` (read earlier) and at `b` are the same.
    bool sameUnits(const Unit* a, const Unit* b, uint32_t count) const {
        const size_t bytes = count * sizeof(Unit);
        if (bytes > 8 || static_cast<size_t>(end_ - b) * sizeof(Unit) < 8)
            return std::memcmp(a, b, bytes) == 0;
        // Short names in one word each: both lie before end_ with eight bytes to spare.
        uint64_t x;
        uint64_t y;
        std::memcpy(&x, a, sizeof x);
        std::memcpy(&y, b, sizeof y);
        const uint64_t used = bytes == 8 ? ~uint64_t{0}
                              : std::endian::native == std::endian::little
                                  ? (uint64_t{1} << (bytes * 8)) - 1
                                  : ~(~uint64_t{0} >> (bytes * 8));
        return ((x ^ y) & used) == 0;
    }

    Node& top_;
    Arena& arena_;
    const Unit* const end_;
    // The open elements, innermost last. Elements beyond kMaxDepth are only counted in
    // dropped_: their tags are skipped and their content dropped.
    std::vector<Frame> open_;
    int32_t dropped_ = 0;
    // The children and records of the open elements, innermost last; each element gets its
    // own when it ends, in one array of the exact size.
    std::vector<Node*> children_;
    std::vector<AttrRecord*> records_;
    char16_t* noName_ = nullptr;  // the one empty name of the text records
    struct Name {
        const Unit* source = nullptr;  // where it was first read
        uint32_t count = 0;
        uint32_t units = 0;
        char16_t* copy = nullptr;
    };
    Name names_[64];  // the names met so far, by a hash of their first and last units
};

template <class Unit>
char16_t* DocumentParser<Unit>::nameCopy(const Unit* name, uint32_t count, uint32_t& units) {
    if (count == 0) {
        if (noName_ == nullptr)
            noName_ = arena_.copyText(u"", 0);
        units = 0;
        return noName_;
    }
    Name& slot = names_[(count * 7u + name[0] * 3u + name[count - 1]) & 63u];
    if (slot.count == count && sameUnits(slot.source, name, count)) {
        units = slot.units;
        return slot.copy;
    }
    char16_t* copy = copyText(arena_, name, count, units);
    if (copy != nullptr)
        slot = Name{name, count, units, copy};
    return copy;
}

template <class Unit>
Node* DocumentParser<Unit>::newNode(const Unit* name, uint32_t n) {
    void* memory = arena_.allocate(sizeof(Node), alignof(Node));
    uint32_t units = 0;
    char16_t* copy = memory != nullptr ? nameCopy(name, n, units) : nullptr;
    if (copy == nullptr)
        return nullptr;
    Node* node = new (memory) Node;
    node->home_ = &arena_;
    node->name_ = copy;
    node->nameLength_ = units;
    node->nameInArena_ = true;
    return node;
}

template <class Unit>
void DocumentParser<Unit>::addRecord(const Unit* name, uint32_t nameCount, const Unit* value,
                                     uint32_t valueCount) {
    auto* record =
        static_cast<AttrRecord*>(arena_.allocate(sizeof(AttrRecord), alignof(AttrRecord)));
    if (record == nullptr)
        return;
    uint32_t nameUnits = 0;
    uint32_t valueUnits = 0;
    record->name = nameCopy(name, nameCount, nameUnits);
    record->value = copyText(arena_, value, valueCount, valueUnits);
    if (record->name == nullptr || record->value == nullptr)
        return;  // out of memory: the record is dropped
    record->nameLength = nameUnits;
    record->valueLength = valueUnits;
    records_.push_back(record);
}

// Hands the element its pending children and records. A node that already had some (one
// parsed into twice) gets them appended.
template <class Unit>
void DocumentParser<Unit>::finish(Node& node, size_t firstChild, size_t firstRecord) {
    if (const size_t n = records_.size() - firstRecord; n > 0) {
        Attributes& attributes = node.attributes_;
        void* storage = attributes.count() == 0
                            ? arena_.allocate(n * sizeof(AttrRecord*), alignof(AttrRecord*))
                            : nullptr;
        if (storage != nullptr) {
            std::memcpy(storage, records_.data() + firstRecord, n * sizeof(AttrRecord*));
            attributes.records_.borrowStorage(storage, static_cast<int32_t>(n));
            attributes.arenaRecords_ = static_cast<uint32_t>(n);
        } else {
            node.touch();  // records of its own now, outside the arena
            for (size_t i = firstRecord; i < records_.size(); ++i) {
                const AttrRecord& r = *records_[i];
                attributes.add(r.name, static_cast<int32_t>(r.nameLength), r.value,
                               static_cast<int32_t>(r.valueLength));
            }
        }
        records_.resize(firstRecord);
    }
    if (const size_t n = children_.size() - firstChild; n > 0) {
        void* storage = node.children_.count() == 0
                            ? arena_.allocate(n * sizeof(Node*), alignof(Node*))
                            : nullptr;
        if (storage != nullptr) {
            std::memcpy(storage, children_.data() + firstChild, n * sizeof(Node*));
            node.children_.borrowStorage(storage, static_cast<int32_t>(n));
        } else {
            node.touch();  // an array of its own now, outside the arena
            for (size_t i = firstChild; i < children_.size(); ++i)
                node.children_.add(children_[i]);
        }
        children_.resize(firstChild);
    }
}

// Reads a start tag (or a comment) from the next "<" on. `node` is the element to read into,
// or nullptr: then a new one is made when `create` (and the tag is no comment), or the tag is
// only skipped. Leaves `p` after the tag.
template <class Unit>
typename DocumentParser<Unit>::StartTag DocumentParser<Unit>::readStartTag(const Unit*& p,
                                                                           Node*& node,
                                                                           bool create) {
    const Unit* const end = end_;
    while (p < end && *p != u'<')
        ++p;
    if (p == end)
        return StartTag::kCutOff;
    p = skipBlanks(p + 1, end);
    if (p < end && *p == u'!') {
        if (node != nullptr)
            node->setName(u"!--", 3);  // the top node only; this counts as a change
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
    const Unit* name = p;
    p = skipName(p, end);
    const auto nameCount = static_cast<uint32_t>(p - name);
    if (node != nullptr) {
        uint32_t nameUnits = 0;
        char16_t* copy = nameCopy(name, nameCount, nameUnits);
        if (copy != nullptr) {
            if (node->name_ != nullptr)
                node->touch();  // parsed into twice
            if (!node->nameInArena_)
                std::free(node->name_);
            node->name_ = copy;
            node->nameLength_ = nameUnits;
            node->nameInArena_ = true;
        }
    } else if (create) {
        node = newNode(name, nameCount);  // nullptr when out of memory: skipped like a deep one
    }
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
        const Unit* attrName = p;
        while (p < end && *p != u'=' && !isBlank(*p) && *p != u'/' && *p != u'>')
            ++p;
        const Unit* attrNameEnd = p;
        const Unit* value = p;
        const Unit* valueEnd = p;
        p = skipBlanks(p, end);
        if (p < end && *p == u'=') {
            p = skipBlanks(p + 1, end);
            if (p < end && *p == u'"') {
                value = ++p;
                p = find(p, end, u'"');
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
            addRecord(attrName, static_cast<uint32_t>(attrNameEnd - attrName), value,
                      static_cast<uint32_t>(valueEnd - value));
        }
    }
}

// After a start tag or a child: blanks are skipped and the units up to the next "<" become
// one more text record of the innermost element (dropped below the depth limit).
template <class Unit>
const Unit* DocumentParser<Unit>::readText(const Unit* p) {
    p = skipBlanks(p, end_);
    const Unit* text = p;
    p = find(p, end_, u'<');
    if (p > text && innermost() != nullptr)
        addRecord(nullptr, 0, text, static_cast<uint32_t>(p - text));
    return p;
}

template <class Unit>
const Unit* DocumentParser<Unit>::run(const Unit* p) {
    Node* top = &top_;
    if (readStartTag(p, top, false) != StartTag::kOpen) {
        finish(top_, 0, 0);
        return p;
    }
    open_.push_back({&top_, 0, 0});
    p = readText(p);
    while (p < end_) {
        // p is at a "<".
        if (end_ - p >= 2 && p[1] == u'/') {
            p = skipPast(p, end_, u'>');  // the end tag's name is not compared
            if (dropped_ > 0) {
                --dropped_;
            } else {
                const Frame frame = open_.back();
                open_.pop_back();
                finish(*frame.node, frame.firstChild, frame.firstRecord);
                if (open_.empty())
                    return p;
            }
            p = readText(p);
            continue;
        }
        const bool keep =
            innermost() != nullptr && static_cast<int32_t>(open_.size()) < Node::kMaxDepth;
        const size_t firstRecord = records_.size();
        Node* node = nullptr;
        const StartTag kind = readStartTag(p, node, keep);
        if (node != nullptr) {
            children_.push_back(node);
            if (kind == StartTag::kOpen) {
                open_.push_back({node, children_.size(), firstRecord});
            } else {
                finish(*node, children_.size(), firstRecord);
            }
        } else if (kind == StartTag::kOpen) {
            ++dropped_;
        }
        p = readText(p);
    }
    // Cut off by the end of the text: every open element keeps what was read.
    while (!open_.empty()) {
        const Frame frame = open_.back();
        open_.pop_back();
        finish(*frame.node, frame.firstChild, frame.firstRecord);
    }
    return p;
}

bool Node::prepareArena(int32_t count) {
    // A node that already holds children or attributes of its own is not a pristine
    // document; neither is its home document once it holds an arena of its own.
    const bool holdsSomething = children_.count() > 0 || attributes_.count() > 0;
    if (arena_ == nullptr) {
        arena_ = Arena::create(expectedArenaBytes(count));
        if (arena_ == nullptr)
            return false;
        if (home_ != nullptr)
            home_->markTouched();
    }
    if (holdsSomething)
        arena_->markTouched();
    return true;
}

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
    if (!prepareArena(count))
        return text;  // out of memory: nothing read
    return DocumentParser<char16_t>(*this, *arena_, text + count).run(text);
}

void Node::parseBytes(const uint8_t* bytes, int32_t count) {
    if (bytes == nullptr || count <= 0)
        return;
    // Straight from the bytes: only names, values and texts are decoded, into the arena.
    const uint8_t* p = bytes;
    const uint8_t* end = bytes + count;
    // A document may open with comments; the document element is the first element after.
    while (p < end) {
        if (!prepareArena(static_cast<int32_t>(end - p)))
            return;  // out of memory: nothing read
        p = DocumentParser<uint8_t>(*this, *arena_, end).run(p);
        if (!isComment())
            return;
        clear();
    }
}

}  // namespace s::xml

#pragma once

#include <cstdint>
#include <vector>

#include "base/array.h"
#include "base/object.h"
#include "base/pool.h"
#include "base/str_buffer.h"
#include "base/streams.h"
#include "persist/xml/attributes.h"

namespace s::xml {

class Arena;
template <class Unit>
class DocumentParser;

// Root of the XML classes.
class IXml : public base::IObject {};

// One element of a document with its attributes, text records and child elements; a
// comment is a node whose name begins with "!". Pooled: the root owns the whole tree, and
// releasing it gives every node and attribute record back to its pool. What a parse builds
// (nodes, names, texts, records) lives in one arena owned by the node parsed into, so that
// a document costs a few allocations instead of several per element; it goes back with that
// node. Counts of -1 mean "up to the terminator". Not locked: a tree belongs to one thread
// at a time.
class Node final : public IXml, public thread::Pooled<Node> {
public:
    // Elements nested deeper than this below the parsed element are dropped with all their
    // content; the documents of this system nest fewer than ten levels. Every tree walk is
    // iterative, so the limit bounds memory, not the stack.
    static constexpr int32_t kMaxDepth = 256;

    Node();
    ~Node() override;
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    const char16_t* className() const override { return u"s_xml_Node"; }
    Node* newInstance() const override { return take(); }
    void reset() override { clear(); }
    // A pooled node goes back to its pool; a parsed one only frees what it holds outside its
    // document's arena.
    void release() override;

    int32_t childCount() const { return children_.count(); }
    // Frees the name and drops every attribute and child (and the arena of what was parsed
    // into this node).
    void clear();
    // Visits the subtree and decodes every value (a self-check; no visible result).
    void walk(const char16_t* prefix = nullptr) const;

    // Parses one element into this (fresh) node: from zero-terminated text, or from `count`
    // units. Returns the position after the element. Malformed input is not reported: what
    // was read up to the end of the text is kept.
    const char16_t* parse(const char16_t* text);
    const char16_t* parse(const char16_t* text, int32_t count);
    // Decodes UTF-8 and parses the document element (comments before it are skipped).
    void parseBytes(const uint8_t* bytes, int32_t count);
    void parseBytes(const col::ArrayU08& bytes) { parseBytes(bytes.data(), bytes.count()); }

    const char16_t* name() const { return name_ != nullptr ? name_ : u""; }
    int32_t nameLength() const { return static_cast<int32_t>(nameLength_); }
    void setName(const char16_t* text, int32_t count = -1);
    // count -1: equal ignoring ASCII case; otherwise the first `count` units equal exactly
    // and the name ends there.
    bool nameEquals(const char16_t* text, int32_t count = -1) const;
    bool isComment() const { return nameLength_ > 0 && name_[0] == u'!'; }

    Node* child(int32_t i) const { return children_.getAs<Node>(i); }
    // A pooled node named `name`, appended to the children.
    Node* addChild(const char16_t* name, int32_t count = -1);
    // The tree takes ownership of a pooled node.
    void appendChild(Node* node);
    // Gives child i (with its subtree) back to the pool.
    void removeChild(int32_t i);
    bool findChild(const char16_t* name, int32_t& out, int32_t count = -1) const;
    Node* childNamed(const char16_t* name, int32_t count = -1) const;

    // Setters append a new attribute record, even when one of that name exists; the empty
    // name appends a text record.
    void setInt64(const char16_t* name, int64_t value);    // "%I64d"
    void setUInt32(const char16_t* name, uint32_t value);  // "%u"
    void setUInt16(const char16_t* name, uint32_t value);  // "%u" of the low 16 bits
    void setUInt8(const char16_t* name, uint32_t value);   // "%u" of the low 8 bits
    void setInt32(const char16_t* name, int32_t value);    // "%d"
    void setInt16(const char16_t* name, int32_t value);    // "%d" as signed 16 bits
    void setInt8(const char16_t* name, int32_t value);     // "%d" as signed 8 bits
    void setFloat(const char16_t* name, float value);      // "%f"
    void setDouble(const char16_t* name, double value);    // "%f"
    // The text escaped: attribute escaping, or text escaping for the empty name.
    void setString(const char16_t* name, const char16_t* text, int32_t count = -1);
    void setHex64(const char16_t* name, const uint64_t* values, int32_t n);
    void setHex32(const char16_t* name, const uint32_t* values, int32_t n);
    void setHex16(const char16_t* name, const uint16_t* values, int32_t n);
    void setHexBytes(const char16_t* name, const uint8_t* bytes, int32_t n);
    void setHex32Pairs(const char16_t* name, const uint64_t* values, int32_t n);
    // Appends a record holding `value` exactly as given (already escaped).
    void setRaw(const char16_t* name, const char16_t* value, int32_t count = -1);
    // Removes the first attribute of that name (ignoring ASCII case); false when none.
    bool removeAttribute(const char16_t* name);

    // The stored (escaped) value of the first attribute of that name, or `fallback`.
    const char16_t* rawValue(const char16_t* name, const char16_t* fallback = nullptr) const;
    bool hasAttribute(const char16_t* name) const {
        return attributes_.findRecord(name) != nullptr;
    }
    // True when the value starts with "1" or "true" (exact case).
    bool getBool(const char16_t* name, bool fallback) const;
    int8_t getInt8(const char16_t* name, int8_t fallback) const;
    int16_t getInt16(const char16_t* name, int16_t fallback) const;
    int32_t getInt32(const char16_t* name, int32_t fallback) const;
    int64_t getInt64(const char16_t* name, int64_t fallback) const;
    uint8_t getUInt8(const char16_t* name, uint8_t fallback) const;
    uint16_t getUInt16(const char16_t* name, uint16_t fallback) const;
    uint32_t getUInt32(const char16_t* name, uint32_t fallback) const;
    double getDouble(const char16_t* name, double fallback) const;
    // The decoded value (attribute decoding, text decoding for the empty name), or
    // `fallback`, written or appended into `buffer` (nullptr: a new pooled buffer).
    str::StrBuffer* getText(str::StrBuffer* buffer, const char16_t* name,
                            const char16_t* fallback = nullptr, bool append = false) const;

    // The subtree as text: no line breaks or indentation, every element with a start and an
    // end tag, the first text record right after the start tag.
    str::StrBuffer* toText(str::StrBuffer* buffer = nullptr, bool append = false) const;
    // toText encoded as UTF-8 (a 0 written after the end, not counted).
    col::ArrayU08* toUtf8(col::ArrayU08* bytes = nullptr, bool append = false) const;

    // The mutable list counts as a change of the document (see touch()).
    Attributes& attributes() {
        touch();
        return attributes_;
    }
    const Attributes& attributes() const { return attributes_; }

    // Parses the file's bytes as UTF-8 into this node; false (node left empty) when the file
    // cannot be read.
    bool loadFile(const char16_t* path);
    // Parses the rest of an open stream as UTF-8 (at most io::kMaxReadBytes of it).
    void load(io::IInputStream& in);
    // Writes toUtf8 to an open stream; false when not all of it was taken. saveFile is the
    // variant for files: it also creates the folder and replaces the old file safely.
    bool save(io::IOutputStream& out) const;
    // Writes toUtf8 to a temporary file beside `path` and puts it in place of the old file
    // only when all was written; creates the folder when missing.
    bool saveFile(const char16_t* path) const;

private:
    template <class Unit>
    friend class DocumentParser;

    static void detachChildren(Node& node, std::vector<Node*>& work);
    // Notes a change of this node in the arena that holds its subtree's parsed memory, so
    // that releasing the document visits its nodes again. Every change goes through here.
    void touch();
    // Makes sure this node has an arena for a parse of `count` units; false when out of
    // memory.
    bool prepareArena(int32_t count);
    // True when releasing this node would free nothing but arena memory (its children aside):
    // it can simply be left to its arena once its children are dealt with.
    bool holdsOnlyArenaMemory() const;

    col::ArrayP children_;  // Node*, each given back by its release()
    Attributes attributes_;
    char16_t* name_ = nullptr;  // zero-terminated; malloc'ed unless nameInArena_
    uint32_t nameLength_ = 0;
    bool nameInArena_ = false;
    Arena* home_ = nullptr;   // not owned: the arena this node's memory belongs to, if any
    Arena* arena_ = nullptr;  // owned: the memory of what was parsed into this node
};

}  // namespace s::xml

#pragma once

#include <cstdint>

#include "base/array.h"
#include "base/object.h"
#include "persist/xml/attr_factory.h"

namespace s::xml {

template <class Unit>
class DocumentParser;
class Node;

// The attributes and text records of one element, in the order they were added. Names are
// matched ignoring ASCII case, whole name; the empty name finds the first text record.
class Attributes final : public base::IObject {
public:
    Attributes();
    ~Attributes() override;
    Attributes(const Attributes&) = delete;
    Attributes& operator=(const Attributes&) = delete;

    const char16_t* className() const override { return u"s_xml_Attributes"; }
    Attributes* newInstance() const override { return new Attributes; }  // unpooled

    int32_t count() const { return records_.count(); }
    const AttrRecord& at(int32_t i) const { return *records_.getAs<AttrRecord>(i); }
    // Appends a record holding copies of both texts (counts in units, -1: to the
    // terminator); false when out of memory.
    bool add(const char16_t* name, int32_t nameCount, const char16_t* value, int32_t valueCount);
    // Index of the first record whose name equals `name` (count -1: to the terminator).
    bool find(const char16_t* name, int32_t& out, int32_t nameCount = -1) const;
    const AttrRecord* findRecord(const char16_t* name, int32_t nameCount = -1) const;
    void remove(int32_t i);
    void clear();
    void freeStorage();

private:
    template <class Unit>
    friend class DocumentParser;
    friend class Node;
    // True when every record and the array's storage belong to a document's arena.
    bool holdsOnlyArenaMemory() const {
        return arenaRecords_ == static_cast<uint32_t>(records_.count()) &&
               (records_.rawItems() == nullptr || records_.borrowsStorage());
    }
    // Drops the records that live in a document's arena without disposing them.
    void forgetArenaRecords();

    col::ArrayP records_;  // AttrRecord*, disposed by the attribute factory
    // Records [0, arenaRecords_) were parsed into a document's arena (texts included): the
    // arena frees them, the factory never sees them. Records added later are appended, so
    // the parsed ones stay in front.
    uint32_t arenaRecords_ = 0;
};

}  // namespace s::xml

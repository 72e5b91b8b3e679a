#pragma once

#include <cstdint>

#include "base/pool.h"

namespace s::xml {

// One attribute of an element, or its character data (a text record: empty name). Both
// texts are owned, zero-terminated and allocated with malloc; `value` is kept escaped,
// exactly as it stands in the document.
struct AttrRecord {
    uint32_t nameLength;
    char16_t* name;
    uint32_t valueLength;
    char16_t* value;
};

// The budgeted pool of attribute records (weight 16 each). Process-wide and immortal.
class AttrFactory final : public thread::Factory {
public:
    static constexpr int32_t kRecordWeight = 16;

    AttrFactory();
    ~AttrFactory() override;

    static AttrFactory& instance();

    // A zeroed record (nullptr when out of memory).
    void* generate() override;
    int32_t weightOf(void* object) override { return kRecordWeight; }
    // Frees both texts and zeroes the record.
    void resetObject(void* object) override;
    // Frees both texts and the record.
    void destroyObject(void** slot) override;

    const char16_t* className() const override { return u"s_xml_AttrFactory"; }
    AttrFactory* newInstance() const override { return nullptr; }  // one per process

    AttrRecord* takeRecord() { return static_cast<AttrRecord*>(get()); }
};

}  // namespace s::xml

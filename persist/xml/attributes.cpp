#include "persist/xml/attributes.h"

#include <cstdlib>
#include <cstring>

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

char16_t* copyUnits(const char16_t* text, uint32_t n) {
    auto* copy =
        static_cast<char16_t*>(std::malloc((static_cast<size_t>(n) + 1) * sizeof(char16_t)));
    if (copy == nullptr)
        return nullptr;
    if (n > 0)
        std::memcpy(copy, text, n * sizeof(char16_t));
    copy[n] = 0;
    return copy;
}

char16_t foldAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

}  // namespace

Attributes::Attributes() : records_(&AttrFactory::instance()) {}

Attributes::~Attributes() {
    freeStorage();
}

void Attributes::forgetArenaRecords() {
    if (arenaRecords_ == 0)
        return;
    records_.setDisposer(nullptr);
    records_.dropFirst(static_cast<int32_t>(arenaRecords_));
    records_.setDisposer(&AttrFactory::instance());
    arenaRecords_ = 0;
}

void Attributes::remove(int32_t i) {
    if (i >= 0 && static_cast<uint32_t>(i) < arenaRecords_) {
        records_.detach(i);
        --arenaRecords_;
        return;
    }
    records_.removeRange(i, 1);
}

void Attributes::clear() {
    forgetArenaRecords();
    records_.clear();
}

void Attributes::freeStorage() {
    forgetArenaRecords();
    records_.freeStorage();
}

bool Attributes::add(const char16_t* name, int32_t nameCount, const char16_t* value,
                     int32_t valueCount) {
    uint32_t nameUnits = unitsOf(name, nameCount);
    uint32_t valueUnits = unitsOf(value, valueCount);
    AttrRecord* record = AttrFactory::instance().takeRecord();
    if (record == nullptr)
        return false;
    record->name = copyUnits(name, nameUnits);
    record->value = copyUnits(value, valueUnits);
    if (record->name == nullptr || record->value == nullptr) {
        void* slot = record;
        AttrFactory::instance().dispose(&slot);
        return false;
    }
    record->nameLength = nameUnits;
    record->valueLength = valueUnits;
    records_.add(record);
    return true;
}

bool Attributes::find(const char16_t* name, int32_t& out, int32_t nameCount) const {
    uint32_t n = unitsOf(name, nameCount);
    for (int32_t i = 0; i < records_.count(); ++i) {
        const AttrRecord& record = at(i);
        if (record.nameLength != n)
            continue;
        uint32_t k = 0;
        while (k < n && foldAscii(record.name[k]) == foldAscii(name[k]))
            ++k;
        if (k == n) {
            out = i;
            return true;
        }
    }
    return false;
}

const AttrRecord* Attributes::findRecord(const char16_t* name, int32_t nameCount) const {
    int32_t i = 0;
    return find(name, i, nameCount) ? &at(i) : nullptr;
}

}  // namespace s::xml

#include "persist/xml/attr_factory.h"

#include <cstdlib>
#include <cstring>

namespace s::xml {

AttrFactory::AttrFactory() {
    budgeted = true;
}

AttrFactory::~AttrFactory() {
    drain();
}

AttrFactory& AttrFactory::instance() {
    // Immortal like the class pools: trees may still be released during static destruction.
    static AttrFactory* const factory = new AttrFactory;
    return *factory;
}

void* AttrFactory::generate() {
    return std::calloc(1, sizeof(AttrRecord));
}

void AttrFactory::resetObject(void* object) {
    auto* record = static_cast<AttrRecord*>(object);
    std::free(record->name);
    std::free(record->value);
    std::memset(record, 0, sizeof(*record));
}

void AttrFactory::destroyObject(void** slot) {
    auto* record = static_cast<AttrRecord*>(*slot);
    if (record == nullptr)
        return;
    std::free(record->name);
    std::free(record->value);
    std::free(record);
    *slot = nullptr;
}

}  // namespace s::xml

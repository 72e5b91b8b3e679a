#include "persist/win/reg_store.h"

#include "persist/win/reg_dir.h"

namespace s::reg::win {

MappedData* openRegistryStore(uint32_t root, const char16_t* path) {
    RegDir* base = RegDir::takeOpen(root, path);
    if (base == nullptr)
        return nullptr;
    return MappedData::createOn(base);
}

}  // namespace s::reg::win

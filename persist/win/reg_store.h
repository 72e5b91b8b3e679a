#pragma once

#include <cstdint>

#include "persist/reg/mapped_data.h"

namespace s::reg::win {

// A pooled registry store whose top key is root and path, e.g. HKEY_CURRENT_USER
// "Software\Kivo\<product>\SaveData". The key is created by the first write.
MappedData* openRegistryStore(uint32_t root, const char16_t* path);

}  // namespace s::reg::win

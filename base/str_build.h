#pragma once

#include <cstdint>

#include "base/str_buffer.h"

// Text-building functions; each returns a buffer from the pool that the caller releases.
namespace s::str {

StrBuffer* strOf(const char16_t* text);
StrBuffer* strJoin(const char16_t* a, const char16_t* b);
// path "\" n, e.g. the key of the n-th entry of a list.
StrBuffer* strKey(const char16_t* path, int32_t n);
// folder name n ".lnk".
StrBuffer* strShortcutName(const char16_t* folder, const char16_t* name, int32_t n);

}  // namespace s::str

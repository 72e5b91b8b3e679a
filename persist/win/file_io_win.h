#pragma once

#include <cstdint>

#include "base/array.h"

// The Win32 side of persist/file/file_io.h, open to the tests of its pieces.
namespace s::io::win {

// Replaces `out` with the next `size` bytes of an open file handle (a HANDLE). The data may
// end early (a file that shrank meanwhile: `out` holds what was there); a failed read is a
// failure, with `out` emptied.
bool readFromHandle(void* handle, int64_t size, col::ArrayU08& out);

}  // namespace s::io::win

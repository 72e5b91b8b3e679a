#pragma once

#include <cstdint>

#include "base/array.h"
#include "base/str_buffer.h"

// Whole-file access for the settings file and other small documents. Paths are UTF-16;
// both "\" and "/" separate folders. No operation reports more than success.
namespace s::io {

// Files above this are not read (no document of this system comes near it).
constexpr int64_t kMaxReadBytes = 256ll * 1024 * 1024;

// Replaces `out` with all bytes of the file; false (and `out` empty) when it cannot be read,
// also when a read fails part-way. Readers share the file with a replace in progress.
bool readWholeFile(const char16_t* path, col::ArrayU08& out);
bool fileExists(const char16_t* path);
// Creates `folder` and every missing folder above it; true when it exists afterwards.
bool createFolders(const char16_t* folder);
// Writes the bytes to "<path>.tmp" in the same folder (creating the folder when missing),
// flushes it to the disk and only then puts it in place of `path` (on POSIX the folder is
// flushed after the rename as well). On any failure the old file stays as it was, the
// temporary file is removed and the result is false.
bool writeFileAtomically(const char16_t* path, const uint8_t* bytes, int32_t count);

// The folder part of `path` (up to its last separator) into `out`; false when none.
bool folderOf(const char16_t* path, str::StrBuffer& out);

}  // namespace s::io

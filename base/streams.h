#pragma once

#include <cstdint>

// Byte streams. Positions and counts are in bytes.
namespace s::io {

class IInputStream {
public:
    virtual ~IInputStream() = default;
    // Copies at most `count` bytes (no more than are left) and advances; returns the count.
    virtual int32_t read(void* target, int32_t count) = 0;
    virtual int32_t position() const = 0;
    virtual void rewind() = 0;
    virtual void seekEnd() = 0;
    // Moves by `delta` bytes (negative: back), kept within the data.
    virtual void seekBy(int32_t delta) = 0;
    // Done with the stream: a stream handed out by IInputStreamable::streamOf() goes back to
    // its pool. Borrowed streams (a buffer used as a stream) ignore it.
    virtual void close() {}
};

class IOutputStream {
public:
    virtual ~IOutputStream() = default;
    // Writes `count` bytes at the position, growing as needed; returns the count written.
    virtual int32_t write(const void* data, int32_t count) = 0;
    virtual int32_t position() const = 0;
    virtual void rewind() = 0;
    virtual void seekEnd() = 0;
    virtual void seekBy(int32_t delta) = 0;
};

class IInputStreamable {
public:
    virtual ~IInputStreamable() = default;
    // A pooled stream over the object's bytes from position 0; close() it when done.
    virtual IInputStream* streamOf() = 0;
};

}  // namespace s::io

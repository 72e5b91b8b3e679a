#pragma once

#include <cstdint>

#include "base/object.h"
#include "base/pool.h"

struct HDC__;

namespace s::image {

class IBufferedImage;

// A picture of some size. Empty pictures (0 x 0) draw nothing.
class IImage : public base::IObject, public thread::IPoolable {
public:
    virtual int32_t width() const = 0;
    virtual int32_t height() const = 0;
    bool isEmpty() const { return width() <= 0 || height() <= 0; }
    // Copies the picture's top-left part, clipped to its size, to (x, y) on the context;
    // with `scaled` the whole picture scaled to width x height. False when nothing was
    // copied.
    virtual bool copyTo(HDC__* dc, int32_t x, int32_t y, int32_t width, int32_t height,
                        bool scaled) const = 0;
    // The 32-bit buffered form of the picture, when it has one (not owned).
    virtual const IBufferedImage* bufferedForm() const { return nullptr; }
};

// 32-bit pixels, 4 bytes each in the order blue, green, red, reserved.
class IImageBuffer : public IImage {
public:
    // Where row r (0 at the top) starts; nullptr outside the image or without pixels.
    virtual uint32_t* rowAt(int32_t r) = 0;
    virtual const uint32_t* rowAt(int32_t r) const = 0;
    // Bytes from one row to the next in memory (the pixel memory's own layout).
    virtual int32_t stride() const = 0;
};

// A buffer that can be sized.
class IBufferedImage : public IImageBuffer {
public:
    // A new buffer of exactly width x height; false (and an empty buffer) when the size is
    // not positive, too large, or the platform cannot provide it.
    virtual bool create(int32_t width, int32_t height) = 0;
    // Grows the allocation when either dimension exceeds it, keeping the pixels that fit
    // in both sizes; otherwise only the size changes. False when it cannot.
    virtual bool ensureCapacity(int32_t width, int32_t height) = 0;
    virtual bool hasPixels() const = 0;
    // Whether the reserved byte holds a meaningful alpha value.
    virtual bool hasAlpha() const = 0;
    virtual void setHasAlpha(bool alpha) = 0;
};

}  // namespace s::image

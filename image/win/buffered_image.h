#pragma once

#include <windows.h>

#include <cstdint>

#include "base/pool.h"
#include "image/i_image.h"

namespace s::image::win {

// A 32-bit off-screen buffer over a DIB section, stored bottom-up. The buffer's image is the
// top-left part of the allocated bitmap, whose size is the capacity; rows are addressed by
// the bitmap's real layout. A buffer without a bitmap (creation failed, or given back to
// its pool) has no pixels, and everything that would write through them does nothing.
// Painted on the GUI thread; the pool locks itself.
class BufferedImage final : public thread::Pooled<BufferedImage, IBufferedImage> {
public:
    // Larger buffers are refused before the platform is asked.
    static constexpr int32_t kMaxSide = 32768;
    static constexpr int64_t kMaxPixels = 64LL * 1024 * 1024;

    BufferedImage() = default;
    ~BufferedImage() override;
    BufferedImage(const BufferedImage&) = delete;
    BufferedImage& operator=(const BufferedImage&) = delete;

    // A pooled buffer of width x height, or nullptr when it cannot be made (nothing leaks).
    static BufferedImage* make(int32_t width, int32_t height);

    const char16_t* className() const override { return u"s_image_win_BufferedImage"; }
    BufferedImage* newInstance() const override { return take(); }
    // Frees the bitmap: idle pooled buffers hold no platform objects.
    void reset() override;

    int32_t width() const override { return width_; }
    int32_t height() const override { return height_; }
    bool copyTo(HDC__* dc, int32_t x, int32_t y, int32_t width, int32_t height,
                bool scaled) const override;
    const IBufferedImage* bufferedForm() const override { return this; }

    uint32_t* rowAt(int32_t r) override;
    const uint32_t* rowAt(int32_t r) const override;
    int32_t stride() const override { return capacityStride_; }

    bool create(int32_t width, int32_t height) override;
    bool ensureCapacity(int32_t width, int32_t height) override;
    bool hasPixels() const override { return pixels_ != nullptr; }
    bool hasAlpha() const override { return hasAlpha_; }
    void setHasAlpha(bool alpha) override { hasAlpha_ = alpha; }

    HBITMAP bitmap() const { return bitmap_; }
    int32_t pixelCount() const { return pixelCount_; }
    int32_t byteCount() const { return byteCount_; }
    // Bytes of one row of the current width (width x 4).
    int32_t rowBytes() const { return rowBytes_; }
    int32_t capacityWidth() const { return capacityWidth_; }
    int32_t capacityHeight() const { return capacityHeight_; }
    int32_t capacityPixelCount() const { return capacityPixelCount_; }
    int32_t capacityByteCount() const { return capacityByteCount_; }
    int32_t capacityStride() const { return capacityStride_; }

    // Fills the image (not the spare capacity) with one colour 0x00BBGGRR.
    void fill(uint32_t colour);
    // The pixel at (x, y) as 0x00BBGGRR (0 outside the image).
    uint32_t pixel(int32_t x, int32_t y) const;

    // The row size rule of a bitmap: bits per row rounded up to whole 32-bit words.
    static int32_t strideOf(int32_t width, int32_t bitsPerPixel, int32_t planes = 1) {
        return (planes * bitsPerPixel * width + 31) / 32 * 4;
    }
    // Whether a buffer of this size is accepted at all.
    static bool isAcceptedSize(int32_t width, int32_t height);

private:
    struct Allocation {
        HBITMAP bitmap = nullptr;
        uint8_t* bits = nullptr;
    };
    static Allocation allocate(int32_t width, int32_t height);
    void freeBitmap();
    void setSize(int32_t width, int32_t height);
    void setCapacity(int32_t width, int32_t height);

    HBITMAP bitmap_ = nullptr;  // owned
    uint8_t* pixels_ = nullptr;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t pixelCount_ = 0;
    int32_t byteCount_ = 0;
    int32_t rowBytes_ = 0;
    int32_t capacityWidth_ = 0;
    int32_t capacityHeight_ = 0;
    int32_t capacityPixelCount_ = 0;
    int32_t capacityByteCount_ = 0;
    int32_t capacityStride_ = 0;
    bool hasAlpha_ = false;
};

// A memory device context over a buffer, compatible with a window's context, with the
// buffer's bitmap selected. Closing deselects the bitmap, deletes the context and, when
// asked at opening, gives the buffer back to its pool. GUI thread only.
class DrawingContext final : public base::IObject, public thread::Pooled<DrawingContext> {
public:
    DrawingContext() = default;
    ~DrawingContext() override { close(); }
    DrawingContext(const DrawingContext&) = delete;
    DrawingContext& operator=(const DrawingContext&) = delete;

    const char16_t* className() const override { return u"s_image_win_DrawingContext"; }
    DrawingContext* newInstance() const override { return take(); }
    void reset() override { close(); }

    // Opens over `buffer` (window nullptr: compatible with the screen). False, with no
    // context, when the buffer has no pixels or the platform refuses; the buffer is then
    // still released when asked, so the caller's hand-over is the same either way.
    bool open(HWND window, BufferedImage* buffer, bool releaseBuffer);
    void close();
    bool isOpen() const { return dc_ != nullptr; }
    HDC dc() const { return dc_; }
    BufferedImage* buffer() const { return buffer_; }

private:
    HDC dc_ = nullptr;  // owned
    HGDIOBJ previous_ = nullptr;
    BufferedImage* buffer_ = nullptr;  // owned when releaseBuffer_
    bool releaseBuffer_ = false;
};

}  // namespace s::image::win

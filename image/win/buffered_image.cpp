#include "image/win/buffered_image.h"

#include <algorithm>
#include <cstring>

namespace s::image::win {

BufferedImage::~BufferedImage() {
    freeBitmap();
}

BufferedImage* BufferedImage::make(int32_t width, int32_t height) {
    BufferedImage* image = take();
    if (!image)
        return nullptr;
    if (!image->create(width, height)) {
        image->release();
        return nullptr;
    }
    return image;
}

void BufferedImage::reset() {
    freeBitmap();
    hasAlpha_ = false;
}

bool BufferedImage::isAcceptedSize(int32_t width, int32_t height) {
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           static_cast<int64_t>(width) * height <= kMaxPixels;
}

BufferedImage::Allocation BufferedImage::allocate(int32_t width, int32_t height) {
    Allocation a;
    if (!isAcceptedSize(width, height))
        return a;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: bottom-up rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return a;
    if (!bits) {
        DeleteObject(bitmap);
        return a;
    }
    a.bitmap = bitmap;
    a.bits = static_cast<uint8_t*>(bits);
    return a;
}

void BufferedImage::freeBitmap() {
    if (bitmap_)
        DeleteObject(bitmap_);
    bitmap_ = nullptr;
    pixels_ = nullptr;
    setSize(0, 0);
    setCapacity(0, 0);
}

void BufferedImage::setSize(int32_t width, int32_t height) {
    width_ = width;
    height_ = height;
    pixelCount_ = width * height;
    byteCount_ = pixelCount_ * 4;
    rowBytes_ = width * 4;
}

void BufferedImage::setCapacity(int32_t width, int32_t height) {
    capacityWidth_ = width;
    capacityHeight_ = height;
    capacityPixelCount_ = width * height;
    capacityByteCount_ = capacityPixelCount_ * 4;
    capacityStride_ = strideOf(width, 32);
}

bool BufferedImage::create(int32_t width, int32_t height) {
    freeBitmap();
    Allocation a = allocate(width, height);
    if (!a.bitmap)
        return false;
    bitmap_ = a.bitmap;
    pixels_ = a.bits;
    setCapacity(width, height);
    setSize(width, height);
    return true;
}

bool BufferedImage::ensureCapacity(int32_t width, int32_t height) {
    if (!isAcceptedSize(width, height))
        return false;
    if (pixels_ && width <= capacityWidth_ && height <= capacityHeight_) {
        setSize(width, height);
        return true;
    }
    Allocation a = allocate(width, height);
    if (!a.bitmap)
        return false;  // the old bitmap and its pixels stay as they were
    // Both bitmaps are bottom-up with their own height and stride: row r of each is found
    // from its own layout, and only what both sizes hold is copied.
    const int32_t newStride = strideOf(width, 32);
    const int32_t rows = std::min(height_, height);
    const int32_t bytes = std::min(width_, width) * 4;
    for (int32_t r = 0; pixels_ && r < rows; ++r) {
        const uint8_t* from = pixels_ + static_cast<size_t>(capacityHeight_ - 1 - r) *
                                            static_cast<size_t>(capacityStride_);
        uint8_t* to = a.bits + static_cast<size_t>(height - 1 - r) * static_cast<size_t>(newStride);
        std::memcpy(to, from, static_cast<size_t>(bytes));
    }
    if (bitmap_)
        DeleteObject(bitmap_);
    bitmap_ = a.bitmap;
    pixels_ = a.bits;
    setCapacity(width, height);
    setSize(width, height);
    return true;
}

uint32_t* BufferedImage::rowAt(int32_t r) {
    if (!pixels_ || r < 0 || r >= height_)
        return nullptr;
    return reinterpret_cast<uint32_t*>(pixels_ + static_cast<size_t>(capacityHeight_ - 1 - r) *
                                                     static_cast<size_t>(capacityStride_));
}

const uint32_t* BufferedImage::rowAt(int32_t r) const {
    return const_cast<BufferedImage*>(this)->rowAt(r);
}

void BufferedImage::fill(uint32_t colour) {
    // Pixels are stored blue, green, red: the reverse of the colour word's bytes.
    const uint32_t value = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    for (int32_t r = 0; r < height_; ++r) {
        uint32_t* row = rowAt(r);
        std::fill(row, row + width_, value);
    }
}

uint32_t BufferedImage::pixel(int32_t x, int32_t y) const {
    const uint32_t* row = rowAt(y);
    if (!row || x < 0 || x >= width_)
        return 0;
    const uint32_t v = row[x];
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

bool BufferedImage::copyTo(HDC__* dc, int32_t x, int32_t y, int32_t width, int32_t height,
                           bool scaled) const {
    if (!dc || !bitmap_ || width <= 0 || height <= 0)
        return false;
    HDC source = CreateCompatibleDC(dc);
    if (!source)
        return false;
    HGDIOBJ previous = SelectObject(source, bitmap_);
    BOOL ok = FALSE;
    if (scaled) {
        const int previousMode = SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        ok = StretchBlt(dc, x, y, width, height, source, 0, 0, width_, height_, SRCCOPY);
        SetStretchBltMode(dc, previousMode);
    } else {
        ok = BitBlt(dc, x, y, std::min(width, width_), std::min(height, height_), source, 0, 0,
                    SRCCOPY);
    }
    SelectObject(source, previous);
    DeleteDC(source);
    return ok != FALSE;
}

bool DrawingContext::open(HWND window, BufferedImage* buffer, bool releaseBuffer) {
    close();
    buffer_ = buffer;
    releaseBuffer_ = releaseBuffer;
    if (!buffer || !buffer->hasPixels())
        return false;
    HDC windowDc = GetDC(window);
    dc_ = CreateCompatibleDC(windowDc);
    if (windowDc)
        ReleaseDC(window, windowDc);
    if (!dc_)
        return false;
    previous_ = SelectObject(dc_, buffer->bitmap());
    return true;
}

void DrawingContext::close() {
    if (dc_) {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    dc_ = nullptr;
    previous_ = nullptr;
    if (buffer_ && releaseBuffer_)
        buffer_->release();
    buffer_ = nullptr;
    releaseBuffer_ = false;
}

}  // namespace s::image::win

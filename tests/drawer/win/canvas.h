#pragma once

#include <windows.h>

#include <cstdint>

#include "image/win/buffered_image.h"

namespace s::test {

// A buffer with a drawing context open over it, for painting and reading pixels back.
class Canvas {
public:
    Canvas(int32_t width, int32_t height, uint32_t background = 0x000000);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const;
    image::win::BufferedImage* image() const { return image_; }
    // The pixel at (x, y) as 0x00BBGGRR, after GDI has finished drawing.
    uint32_t at(int32_t x, int32_t y) const;
    // Pixels of a colour within [x0, x1) x [y0, y1).
    int32_t count(uint32_t colour, int32_t x0, int32_t y0, int32_t x1, int32_t y1) const;
    int32_t countNot(uint32_t colour, int32_t x0, int32_t y0, int32_t x1, int32_t y1) const;
    void clear(uint32_t colour);
    // Writes a 32-bit bitmap file.
    bool saveBmp(const wchar_t* path) const;

private:
    image::win::BufferedImage* image_;
    image::win::DrawingContext* context_;
};

}  // namespace s::test

#include "tests/drawer/win/canvas.h"

#include <cstdio>
#include <vector>

namespace s::test {

Canvas::Canvas(int32_t width, int32_t height, uint32_t background)
    : image_(image::win::BufferedImage::make(width, height)),
      context_(image::win::DrawingContext::take()) {
    if (image_) {
        image_->fill(background);
        context_->open(nullptr, image_, false);
    }
}

Canvas::~Canvas() {
    context_->release();
    if (image_)
        image_->release();
}

HDC Canvas::dc() const {
    return context_->dc();
}

uint32_t Canvas::at(int32_t x, int32_t y) const {
    GdiFlush();
    return image_ ? image_->pixel(x, y) : 0xFFFFFFFF;
}

int32_t Canvas::count(uint32_t colour, int32_t x0, int32_t y0, int32_t x1, int32_t y1) const {
    GdiFlush();
    int32_t n = 0;
    for (int32_t y = y0; y < y1; ++y) {
        for (int32_t x = x0; x < x1; ++x)
            n += image_->pixel(x, y) == colour ? 1 : 0;
    }
    return n;
}

int32_t Canvas::countNot(uint32_t colour, int32_t x0, int32_t y0, int32_t x1, int32_t y1) const {
    return (x1 - x0) * (y1 - y0) - count(colour, x0, y0, x1, y1);
}

void Canvas::clear(uint32_t colour) {
    GdiFlush();
    image_->fill(colour);
}

bool Canvas::saveBmp(const wchar_t* path) const {
    GdiFlush();
    const int32_t w = image_->width(), h = image_->height();
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    const DWORD pixels = static_cast<DWORD>(w) * h * 4;
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + pixels;
    FILE* f = _wfopen(path, L"wb");
    if (!f)
        return false;
    std::fwrite(&file, sizeof file, 1, f);
    std::fwrite(&info, sizeof info, 1, f);
    for (int32_t y = h - 1; y >= 0; --y)  // bottom-up, as the header says
        std::fwrite(image_->rowAt(y), 4, static_cast<size_t>(w), f);
    std::fclose(f);
    return true;
}

}  // namespace s::test

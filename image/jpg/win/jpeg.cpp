#include "image/jpg/win/jpeg.h"

#include <algorithm>
#include <vector>

namespace s::image::jpg::win {

bool Jpeg::decode(const uint8_t* data, size_t size) {
    return decodeJpeg(data, size, picture_);
}

bool Jpeg::decode(io::IInputStream& stream) {
    std::vector<uint8_t> bytes;
    uint8_t chunk[4096];
    for (;;) {
        const int32_t n = stream.read(chunk, static_cast<int32_t>(sizeof chunk));
        if (n <= 0)
            break;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return decode(bytes.data(), bytes.size());
}

bool Jpeg::loadResource(HMODULE module, const char16_t* type, int32_t id) {
    picture_.clear();
    if (!module)
        module = GetModuleHandleW(nullptr);
    // Loaded resources belong to the module: nothing here is freed.
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), reinterpret_cast<LPCWSTR>(type));
    if (!info)
        return false;
    HGLOBAL loaded = LoadResource(module, info);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, info);
    if (!bytes || size == 0)
        return false;
    return decode(static_cast<const uint8_t*>(bytes), size);
}

uint32_t Jpeg::pixel(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= picture_.width || y >= picture_.height)
        return 0;
    const uint8_t* p =
        picture_.bgr.data() + static_cast<size_t>(y) * picture_.stride + static_cast<size_t>(x) * 3;
    return static_cast<uint32_t>(p[2]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[0]) << 16);
}

bool Jpeg::copyTo(HDC__* dc, int32_t x, int32_t y, int32_t width, int32_t height,
                  bool scaled) const {
    if (!dc || isEmpty() || width <= 0 || height <= 0)
        return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = picture_.width;
    info.bmiHeader.biHeight = -picture_.height;  // rows are stored top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    int copied = 0;
    if (scaled) {
        const int previousMode = SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        copied = StretchDIBits(dc, x, y, width, height, 0, 0, picture_.width, picture_.height,
                               picture_.bgr.data(), &info, DIB_RGB_COLORS, SRCCOPY);
        SetStretchBltMode(dc, previousMode);
    } else {
        const int w = std::min(width, picture_.width);
        const int h = std::min(height, picture_.height);
        copied = StretchDIBits(dc, x, y, w, h, 0, 0, w, h, picture_.bgr.data(), &info,
                               DIB_RGB_COLORS, SRCCOPY);
    }
    return copied > 0;
}

Jpeg* loadEmbeddedPicture(int32_t id, HMODULE module, const char16_t* type) {
    Jpeg* picture = Jpeg::take();
    if (picture)
        picture->loadResource(module, type, id);
    return picture;
}

}  // namespace s::image::jpg::win

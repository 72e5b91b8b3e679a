#include "gui/drawer/win/picture.h"

#include "gui/drawer/win/gdi.h"
#include "image/i_image.h"

namespace s::gui::drawer::image::win {

namespace {

// Source-over compositing of one pixel (blue, green, red, alpha bytes).
uint32_t over(uint32_t src, uint32_t dst) {
    const uint32_t a = src >> 24;
    auto channel = [a](uint32_t s, uint32_t d) { return (s * a + d * (255 - a) + 127) / 255; };
    const uint32_t b = channel(src & 0xFF, dst & 0xFF);
    const uint32_t g = channel((src >> 8) & 0xFF, (dst >> 8) & 0xFF);
    const uint32_t r = channel((src >> 16) & 0xFF, (dst >> 16) & 0xFF);
    return b | (g << 8) | (r << 16) | (dst & 0xFF000000u);
}

}  // namespace

void Basic::paintPicture(DeviceContext dc, ::s::image::IBufferedImage* target, int32_t left,
                         int32_t top, int32_t right, int32_t bottom,
                         const ::s::image::IImage* picture, bool scaled, bool framed, bool blend) {
    if (right <= left || bottom <= top || !picture || picture->isEmpty())
        return;
    if (framed) {
        drawer::win::frame(dc, left, top, right, bottom, 0x000000);
        ++left;
        ++top;
        --right;
        --bottom;
        if (right <= left || bottom <= top)
            return;
    }
    const ::s::image::IBufferedImage* buffered = picture->bufferedForm();
    if (buffered && blend && buffered->hasAlpha() && target && target->hasPixels()) {
        // GDI may still hold pending drawing for the target's bitmap.
        GdiFlush();
        for (int32_t y = 0; y < bottom - top && y < buffered->height(); ++y) {
            uint32_t* to = target->rowAt(top + y);
            const uint32_t* from = buffered->rowAt(y);
            if (!to || !from)
                continue;
            for (int32_t x = 0; x < right - left && x < buffered->width(); ++x) {
                const int32_t tx = left + x;
                if (tx >= 0 && tx < target->width())
                    to[tx] = over(from[x], to[tx]);
            }
        }
        return;
    }
    picture->copyTo(dc, left, top, right - left, bottom - top, scaled);
}

}  // namespace s::gui::drawer::image::win

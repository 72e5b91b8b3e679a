#include "gui/drawer/win/window.h"

#include "gui/drawer/win/gdi.h"

namespace s::gui::drawer::window::win {
namespace {

// Pixels the frame covers at each end of rows 1..5 from the edge, for the large rounding.
constexpr int32_t kStair[] = {5, 3, 2, 2, 1};

}  // namespace

using drawer::win::fill;
using drawer::win::frame;

void Thin::reset() {
    DrawerBase::reset();
    topStyle_ = bottomStyle_ = 0;
    transparent_ = false;
}

void Thin::setCornerStyles(int32_t top, int32_t bottom) {
    topStyle_ = top >= 0 && top <= 2 ? top : 0;
    bottomStyle_ = bottom >= 0 && bottom <= 2 ? bottom : 0;
}

void Thin::paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                           int32_t bottom) {
    if (!transparent_)
        fill(dc, left, top, right, bottom, backgroundColour());
    paint(dc, left, top, right, bottom, PaintState{});
}

void Thin::paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                 const PaintState&) {
    const uint32_t c = frameColour();
    frame(dc, left, top, right, bottom, c);
    // Row y of the top edge (1..5) or of the bottom edge, mirrored.
    auto ends = [&](int32_t y, int32_t n) {
        fill(dc, left, y, left + n, y + 1, c);
        fill(dc, right - n, y, right, y + 1, c);
    };
    const int32_t styles[2] = {topStyle_, bottomStyle_};
    for (int32_t edge = 0; edge < 2; ++edge) {
        for (int32_t i = 0; i < 5; ++i) {
            const int32_t n = styles[edge] == 2 ? kStair[i] : styles[edge] == 1 && i == 0 ? 2 : 0;
            if (n == 0)
                continue;
            ends(edge == 0 ? top + 1 + i : bottom - 2 - i, n);
        }
    }
}

RegionHandle Thin::createRegion(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0)
        return nullptr;
    const int32_t rounded = topStyle_ > bottomStyle_ ? topStyle_ : bottomStyle_;
    if (rounded == 0)
        return CreateRectRgn(0, 0, width, height);
    const int32_t ellipse = rounded == 2 ? 11 : 5;
    HRGN region = CreateRoundRectRgn(0, 0, width + 1, height + 1, ellipse, ellipse);
    if (!region)
        return nullptr;
    // Square corners on an edge that is not rounded: join a rectangle over its rows. The
    // rectangle is ours to delete; only the result goes to the caller.
    const int32_t rows = rounded == 2 ? 6 : 4;
    const bool squareTop = topStyle_ == 0, squareBottom = bottomStyle_ == 0;
    if (squareTop || squareBottom) {
        HRGN square = squareTop
                          ? CreateRectRgn(0, 0, width, rows < height ? rows : height)
                          : CreateRectRgn(0, height - rows > 0 ? height - rows : 0, width, height);
        if (square) {
            CombineRgn(region, region, square, RGN_OR);
            DeleteObject(square);
        }
    }
    return region;
}

}  // namespace s::gui::drawer::window::win

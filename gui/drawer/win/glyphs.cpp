#include "gui/drawer/win/glyphs.h"

#include <algorithm>
#include <string>

#include "gui/drawer/colour.h"
#include "gui/drawer/win/gdi.h"

namespace s::gui::drawer::win {
namespace {

// The inner rectangle and the colour one glyph is painted with.
struct Pen {
    HDC dc;
    uint32_t colour;
    int32_t l, t, r, b;  // inner rectangle, right and bottom exclusive
    int32_t w() const { return r - l; }
    int32_t h() const { return b - t; }
    int32_t cx() const { return l + w() / 2; }
    int32_t cy() const { return t + h() / 2; }
    void box(int32_t x, int32_t y, int32_t cw, int32_t ch) const {
        fill(dc, x, y, x + cw, y + ch, colour);
    }
    void rect(int32_t x0, int32_t y0, int32_t x1, int32_t y1) const {
        fill(dc, x0, y0, x1, y1, colour);
    }
    void outline(int32_t x0, int32_t y0, int32_t x1, int32_t y1) const {
        frame(dc, x0, y0, x1, y1, colour);
    }
};

enum class Dir { kUp, kDown, kLeft, kRight };

// A filled triangle pointing in `dir`, its base across the box [x0, x1) x [y0, y1).
void triangle(const Pen& p, Dir dir, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    const int32_t w = x1 - x0, h = y1 - y0;
    if (w <= 0 || h <= 0)
        return;
    if (dir == Dir::kUp || dir == Dir::kDown) {
        const int32_t rows = std::min(h, (w + 1) / 2);
        const int32_t top = y0 + (h - rows) / 2;
        const int32_t mid = x0 + w / 2;
        for (int32_t i = 0; i < rows; ++i) {
            const int32_t half = i;  // row i of the tip side is 2i + 1 wide
            const int32_t y = dir == Dir::kUp ? top + i : top + rows - 1 - i;
            p.rect(mid - half, y, mid + half + 1, y + 1);
        }
    } else {
        const int32_t cols = std::min(w, (h + 1) / 2);
        const int32_t left = x0 + (w - cols) / 2;
        const int32_t mid = y0 + h / 2;
        for (int32_t i = 0; i < cols; ++i) {
            const int32_t x = dir == Dir::kLeft ? left + i : left + cols - 1 - i;
            p.rect(x, mid - i, x + 1, mid + i + 1);
        }
    }
}

void close(const Pen& p) {
    // The largest even square that fits, centred; both diagonals in 2 x 2 squares.
    const int32_t side = std::min(p.w(), p.h()) & ~1;
    if (side < 2)
        return;
    const int32_t sx = p.l + (p.w() - side) / 2;
    const int32_t sy = p.t + (p.h() - side) / 2;
    const int32_t lastX = p.r - 1 - 1, lastY = p.b - 1 - 1;  // inner right / bottom minus 1
    for (int32_t x = sx, y = sy;; ++x, ++y) {
        p.box(x, y, 2, 2);
        if (x >= lastX || y >= lastY)
            break;
    }
    for (int32_t x = sx + side - 2, y = sy;; --x, ++y) {
        p.box(x, y, 2, 2);
        if (x <= p.l || y >= lastY)
            break;
    }
}

void check(const Pen& p) {
    // Down from the left third of the height to the bottom, then up to the top right;
    // two pixels thick.
    const int32_t w = p.w(), h = p.h();
    if (w < 3 || h < 3)
        return;
    const int32_t foot = p.l + (w - 1) / 3;
    const int32_t bottom = p.b - 2;
    int32_t y = bottom - (foot - p.l);
    for (int32_t x = p.l; x <= foot; ++x, ++y)
        p.box(x, y, 1, 2);
    y = bottom - 1;
    for (int32_t x = foot + 1; x < p.r && y >= p.t; ++x, --y)
        p.box(x, y, 1, 2);
}

void tree(const Pen& p, bool open) {
    p.outline(p.l, p.t, p.r, p.b);
    const int32_t margin = std::max(2, p.w() / 5);
    p.rect(p.l + margin, p.cy(), p.r - margin, p.cy() + 1);
    if (!open)
        p.rect(p.cx(), p.t + margin, p.cx() + 1, p.b - margin);
}

void minus(const Pen& p, int32_t y0, int32_t y1) {
    const int32_t inset = p.w() / 5;
    const int32_t y = y0 + (y1 - y0) / 2 - 1;
    p.rect(p.l + inset, y, p.r - inset, y + 2);
}

void plus(const Pen& p, int32_t y0, int32_t y1) {
    minus(p, y0, y1);
    const int32_t inset = (y1 - y0) / 5;
    p.rect(p.cx() - 1, y0 + inset, p.cx() + 1, y1 - inset);
}

void speaker(const Pen& p, int32_t right) {
    const int32_t w = right - p.l;
    p.rect(p.l, p.cy() - p.h() / 6, p.l + w / 3, p.cy() + p.h() / 6 + 1);
    triangle(p, Dir::kLeft, p.l + w / 3, p.t, right, p.b);
}

void grip(const Pen& p, bool vertical) {
    for (int32_t i = -1; i <= 1; ++i) {
        if (vertical) {
            const int32_t y = p.cy() + 2 * i;
            p.rect(p.l + p.w() / 4, y, p.r - p.w() / 4, y + 1);
        } else {
            const int32_t x = p.cx() + 2 * i;
            p.rect(x, p.t + p.h() / 4, x + 1, p.b - p.h() / 4);
        }
    }
}

void resizer(const Pen& p) {
    // The size grip's dots in one colour.
    const int32_t w = p.r, h = p.b;
    const int32_t xs[] = {w - 3, w - 3, w - 3, w - 7, w - 7, w - 11};
    const int32_t ys[] = {h - 11, h - 7, h - 3, h - 7, h - 3, h - 3};
    for (int i = 0; i < 6; ++i) {
        if (xs[i] >= p.l && ys[i] >= p.t)
            p.box(xs[i], ys[i], 2, 2);
    }
}

bool same(const char16_t* a, const char16_t* b) {
    return std::char_traits<char16_t>::compare(a, b, std::char_traits<char16_t>::length(b) + 1) ==
           0;
}

bool startsWith(const char16_t* a, const char16_t* prefix) {
    const size_t n = std::char_traits<char16_t>::length(prefix);
    return std::char_traits<char16_t>::length(a) >= n &&
           std::char_traits<char16_t>::compare(a, prefix, n) == 0;
}

// "#Color-" followed by "#RRGGBB" or "RRGGBB".
bool colourSuffix(const char16_t* caption, uint32_t& out) {
    const char16_t* s = caption + 7;
    char text[8] = {'#'};
    if (*s == u'#')
        ++s;
    for (int i = 0; i < 6; ++i) {
        if (!s[i] || s[i] > 0x7F)
            return false;
        text[i + 1] = static_cast<char>(s[i]);
    }
    if (s[6])
        return false;
    return parseHexColour(text, out);
}

// Paints (when dc is set) or only recognises a glyph.
bool glyph(const Pen& p, const char16_t* c) {
    const bool paint = p.dc != nullptr;
    auto is = [c](const char16_t* name) { return same(c, name); };
    if (is(u"#X")) {
        if (paint)
            close(p);
    } else if (is(u"#_")) {
        if (paint)
            p.rect(p.l, p.t + p.h() * 8 / 10, p.r, p.t + p.h() * 8 / 10 + 2);
    } else if (is(u"#Up") || is(u"#Down") || is(u"#Left") || is(u"#Right") || is(u"#Play")) {
        if (paint) {
            const Dir d = is(u"#Up")     ? Dir::kUp
                          : is(u"#Down") ? Dir::kDown
                          : is(u"#Left") ? Dir::kLeft
                                         : Dir::kRight;
            triangle(p, d, p.l, p.t, p.r, p.b);
        }
    } else if (is(u"#RightRight") || is(u"#LeftLeft")) {
        if (paint) {
            const Dir d = is(u"#LeftLeft") ? Dir::kLeft : Dir::kRight;
            triangle(p, d, p.l, p.t, p.cx(), p.b);
            triangle(p, d, p.cx(), p.t, p.r, p.b);
        }
    } else if (is(u"#Next") || is(u"#Prev")) {
        if (paint) {
            const bool next = is(u"#Next");
            const int32_t bar = std::max(1, p.w() / 6);
            triangle(p, next ? Dir::kRight : Dir::kLeft, next ? p.l : p.l + bar + 1, p.t,
                     next ? p.r - bar - 1 : p.r, p.b);
            if (next)
                p.rect(p.r - bar, p.t + p.h() / 4, p.r, p.b - p.h() / 4);
            else
                p.rect(p.l, p.t + p.h() / 4, p.l + bar, p.b - p.h() / 4);
        }
    } else if (is(u"#Pause")) {
        if (paint) {
            const int32_t bar = std::max(1, p.w() / 4);
            p.rect(p.l + p.w() / 8, p.t + p.h() / 6, p.l + p.w() / 8 + bar, p.b - p.h() / 6);
            p.rect(p.r - p.w() / 8 - bar, p.t + p.h() / 6, p.r - p.w() / 8, p.b - p.h() / 6);
        }
    } else if (is(u"#Stop")) {
        if (paint) {
            const int32_t side = std::min(p.w(), p.h()) * 2 / 3;
            p.rect(p.cx() - side / 2, p.cy() - side / 2, p.cx() - side / 2 + side,
                   p.cy() - side / 2 + side);
        }
    } else if (is(u"#Speaker")) {
        if (paint)
            speaker(p, p.r);
    } else if (is(u"#Mute")) {
        if (paint) {
            speaker(p, p.cx() + 1);
            Pen x = p;
            x.l = p.cx() + 2;
            x.t = p.cy() - (p.r - x.l) / 2;
            x.b = x.t + (p.r - x.l);
            close(x);
        }
    } else if (is(u"#ThumbLineV") || is(u"#ThumbLineH")) {
        if (paint)
            grip(p, is(u"#ThumbLineV"));
    } else if (is(u"#Minus")) {
        if (paint)
            minus(p, p.t, p.b);
    } else if (is(u"#Plus")) {
        if (paint)
            plus(p, p.t, p.b);
    } else if (is(u"#PlusMinus")) {
        if (paint) {
            plus(p, p.t, p.cy());
            minus(p, p.cy() + 1, p.b);
        }
    } else if (is(u"#Check")) {
        if (paint)
            check(p);
    } else if (is(u"#TreeClosed") || is(u"#TreeOpen")) {
        if (paint)
            tree(p, is(u"#TreeOpen"));
    } else if (is(u"#TurnRight") || is(u"#TurnLeft")) {
        if (paint) {
            const bool right = is(u"#TurnRight");
            const int32_t arm = std::max(1, p.w() / 5);
            const int32_t stem = right ? p.l + arm : p.r - 2 * arm;
            p.rect(stem, p.t + p.h() / 4, stem + arm, p.b);
            p.rect(std::min(stem, p.cx()), p.t + p.h() / 4, std::max(stem + arm, p.cx()),
                   p.t + p.h() / 4 + arm);
            triangle(p, right ? Dir::kRight : Dir::kLeft, right ? p.cx() : p.l, p.t,
                     right ? p.r : p.cx(), p.t + p.h() / 2 + arm);
        }
    } else if (is(u"#OnTop")) {
        if (paint) {
            p.rect(p.l, p.t, p.r, p.t + 2);
            triangle(p, Dir::kUp, p.l, p.t + 3, p.r, p.b);
        }
    } else if (is(u"#FitWindow") || is(u"#FitToWindow")) {
        if (paint) {
            p.outline(p.l, p.t, p.r, p.b);
            const int32_t m = std::max(2, std::min(p.w(), p.h()) / 4);
            if (is(u"#FitWindow"))
                p.rect(p.l + m, p.t + m, p.r - m, p.b - m);
            else
                p.outline(p.l + m, p.t + m, p.r - m, p.b - m);
        }
    } else if (is(u"#Palm")) {
        if (paint) {
            p.rect(p.l + p.w() / 5, p.cy(), p.r - p.w() / 5, p.b);
            for (int32_t i = 0; i < 4; ++i) {
                const int32_t x = p.l + p.w() / 5 + i * std::max(2, (p.w() * 3 / 5) / 4);
                p.rect(x, p.t + (i == 0 || i == 3 ? p.h() / 4 : 0), x + 1, p.cy());
            }
        }
    } else if (is(u"#KeepRatio")) {
        if (paint) {
            p.outline(p.l, p.t, p.r, p.b);
            const int32_t n = std::min(p.w(), p.h());
            for (int32_t i = 0; i < n; ++i)
                p.box(p.l + i * p.w() / n, p.t + i * p.h() / n, 1, 1);
        }
    } else if (is(u"#\u25A1")) {
        // Maximize: a window outline with a 2-pixel caption bar.
        if (paint) {
            p.outline(p.l, p.t, p.r, p.b);
            p.rect(p.l, p.t, p.r, std::min(p.t + 2, p.b));
        }
    } else if (is(u"#\u2199")) {
        // Restore: an arrow from the top right corner into the bottom left one.
        if (paint) {
            const int32_t side = std::min(p.w(), p.h());
            const int32_t head = std::max(2, side / 2);
            for (int32_t i = 0; i + 1 < side; ++i)
                p.box(p.r - 2 - i, p.t + i, 2, 1);
            p.rect(p.l, p.b - 2, p.l + head, p.b);
            p.rect(p.l, p.b - head, p.l + 2, p.b);
        }
    } else if (is(u"#Resizer")) {
        if (paint)
            resizer(p);
    } else if (is(u"#Transform")) {
        if (paint) {
            p.outline(p.l, p.t, p.cx() + 2, p.cy() + 2);
            p.outline(p.cx() - 1, p.cy() - 1, p.r, p.b);
        }
    } else if (startsWith(c, u"#Color-")) {
        uint32_t colour = 0;
        if (!colourSuffix(c, colour))
            return false;
        if (paint) {
            fill(p.dc, p.l, p.t, p.r, p.b, colour);
            p.outline(p.l, p.t, p.r, p.b);
        }
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool isGlyph(const char16_t* caption) {
    if (!caption || caption[0] != u'#')
        return false;
    return glyph(Pen{nullptr, 0, 0, 0, 0, 0}, caption);
}

bool paintGlyph(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                const char16_t* caption, uint32_t colour) {
    if (!caption || caption[0] != u'#' || !isGlyph(caption))
        return false;
    if (!dc || right - left < 3 || bottom - top < 3)
        return true;  // a glyph, with no room to show it
    return glyph(Pen{dc, colour, left + 1, top + 1, right - 1, bottom - 1}, caption);
}

}  // namespace s::gui::drawer::win

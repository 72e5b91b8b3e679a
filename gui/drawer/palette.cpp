#include "gui/drawer/palette.h"

#include <initializer_list>

namespace s::gui::drawer {
namespace {

constexpr int64_t kUnset = -1;

// Fills one drawer's parameters in order; kUnset leaves a parameter to the drawer.
void put(Palette& palette, DrawerKind kind, std::initializer_list<int64_t> colours,
         int32_t width = 0) {
    DrawerColours& d = palette.of(kind);
    d.count = static_cast<int32_t>(colours.size());
    int32_t i = 0;
    for (int64_t c : colours) {
        if (c != kUnset)
            d.params[i] = ColourParam{static_cast<uint32_t>(c), true};
        ++i;
    }
    d.width = width;
}

}  // namespace

Palette paletteOf(const ThinWindowScheme& s) {
    auto c = [&s](int32_t n) -> int64_t { return s.colour(n); };
    Palette p;
    put(p, DrawerKind::kWindow, {c(2), c(1)});
    put(p, DrawerKind::kButton, {c(4), c(3), c(4), c(9), c(6), c(3), c(10)});
    put(p, DrawerKind::kText, {c(6), c(1), c(7), c(3), c(6), c(4)});
    put(p, DrawerKind::kScrollBar, {c(4), c(8)}, kScrollBarWidth);
    put(p, DrawerKind::kCheckBox, {c(4), c(6), c(3)});
    put(p, DrawerKind::kRadioButton, {c(4), c(6), c(3)});
    put(p, DrawerKind::kSlider, {c(4), c(8), c(3)});
    put(p, DrawerKind::kCounter, {c(14), c(15)});
    put(p, DrawerKind::kListHeader, {c(4), c(9), c(10)});
    put(p, DrawerKind::kListBox, {c(11), c(12), c(9), c(10), c(13)});
    put(p, DrawerKind::kStatusBar, {c(4)});
    put(p, DrawerKind::kMenu, {c(6), c(4), c(1), c(6), c(4), c(6)});
    put(p, DrawerKind::kCombo, {c(6), c(4), c(6)});
    put(p, DrawerKind::kGroupBox, {c(5), c(6), c(6)});
    put(p, DrawerKind::kTabBox, {c(4), c(6), c(6), c(6)});
    return p;
}

Palette paletteOf(const ThinScheme& s) {
    const int64_t B = s.background, A = s.accent, T = s.text, S = s.slider, N = s.counter,
                  H = s.counterHighlight, U = kUnset;
    Palette p;
    put(p, DrawerKind::kWindow, {A, B});
    put(p, DrawerKind::kButton, {A, U, U, U, T, T, U});
    put(p, DrawerKind::kText, {T, U, U, T, U, U});
    put(p, DrawerKind::kScrollBar, {A, B}, kScrollBarWidth);
    put(p, DrawerKind::kCheckBox, {A, T, T});
    put(p, DrawerKind::kRadioButton, {A, T, T});
    put(p, DrawerKind::kSlider, {A, S, U});
    put(p, DrawerKind::kCounter, {N, H});
    put(p, DrawerKind::kListHeader, {A, B, T});
    put(p, DrawerKind::kListBox, {B, T, A, B, kThinAlternateRows});
    put(p, DrawerKind::kStatusBar, {A});
    put(p, DrawerKind::kMenu, {T, A, B, U, U, U});
    put(p, DrawerKind::kCombo, {T, A, T});
    put(p, DrawerKind::kGroupBox, {A, T, T});
    put(p, DrawerKind::kTabBox, {A, U, U, U});
    return p;
}

}  // namespace s::gui::drawer

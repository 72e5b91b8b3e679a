#pragma once

#include <cstdint>

#include "gui/drawer/schemes.h"

// What a skin hands to each of its drawers: the colour parameters of every control kind in
// the order the drawer takes them. Portable, so the mapping is tested without a display.
namespace s::gui::drawer {

// The control kinds, in the order of the skin's drawer slots.
enum class DrawerKind : int32_t {
    kWindow,
    kButton,
    kText,
    kScrollBar,
    kCheckBox,
    kRadioButton,
    kSlider,
    kCounter,
    kListHeader,
    kListBox,
    kStatusBar,
    kMenu,
    kCombo,
    kGroupBox,
    kTabBox,
};
inline constexpr int32_t kDrawerKindCount = 15;

// One colour parameter. A skin may leave it unset: the drawer keeps its own default.
struct ColourParam {
    uint32_t colour = 0;
    bool set = false;
};

struct DrawerColours {
    static constexpr int32_t kMaxParams = 8;
    int32_t count = 0;  // parameters this kind takes
    ColourParam params[kMaxParams];
    int32_t width = 0;  // the scroll bar's width; 0 keeps the drawer's own

    bool isSet(int32_t i) const { return i >= 0 && i < count && params[i].set; }
    uint32_t colour(int32_t i) const { return i >= 0 && i < count ? params[i].colour : 0; }
};

// Parameter positions, per kind.
namespace param {
namespace window {
inline constexpr int32_t kFrame = 0, kBackground = 1, kCount = 2;
}
namespace button {
inline constexpr int32_t kBase = 0, kSecond = 1, kThird = 2, kFourth = 3, kFont1 = 4, kFont2 = 5,
                         kFont3 = 6, kCount = 7;
}
namespace text {
inline constexpr int32_t kFont1 = 0, kFieldBackground = 1, kThirdColour = 2, kFont2 = 3, kFont3 = 4,
                         kFont4 = 5, kCount = 6;
}
namespace scrollbar {
inline constexpr int32_t kLine = 0, kFill = 1, kCount = 2;
}
// Check box and radio button.
namespace mark {
inline constexpr int32_t kLine = 0, kMark = 1, kDisabled = 2, kCount = 3;
}
namespace slider {
inline constexpr int32_t kLine = 0, kThumb = 1, kDisabled = 2, kCount = 3;
}
namespace counter {
inline constexpr int32_t kColour = 0, kHighlight = 1, kCount = 2;
}
namespace listheader {
inline constexpr int32_t kLine = 0, kBackground = 1, kFont = 2, kCount = 3;
}
namespace listbox {
inline constexpr int32_t kBackground = 0, kText = 1, kSelection = 2, kSelectedText = 3,
                         kAlternate = 4, kCount = 5;
}
namespace statusbar {
inline constexpr int32_t kLine = 0, kCount = 1;
}
namespace menu {
inline constexpr int32_t kText = 0, kLine = 1, kBackground = 2, kFont1 = 3, kFont2 = 4, kFont3 = 5,
                         kCount = 6;
}
namespace combo {
inline constexpr int32_t kText = 0, kLine = 1, kFont = 2, kCount = 3;
}
namespace groupbox {
inline constexpr int32_t kLine = 0, kFont1 = 1, kFont2 = 2, kCount = 3;
}
namespace tabbox {
inline constexpr int32_t kLine = 0, kFont1 = 1, kFont2 = 2, kFont3 = 3, kCount = 4;
}
}  // namespace param

inline constexpr int32_t kScrollBarWidth = 15;
// The alternate-row colour of every "Thin" scheme.
inline constexpr uint32_t kThinAlternateRows = hex("#F3F3F3");

struct Palette {
    DrawerColours drawers[kDrawerKindCount];
    const DrawerColours& of(DrawerKind kind) const { return drawers[static_cast<int32_t>(kind)]; }
    DrawerColours& of(DrawerKind kind) { return drawers[static_cast<int32_t>(kind)]; }
};

Palette paletteOf(const ThinWindowScheme& scheme);
Palette paletteOf(const ThinScheme& scheme);

}  // namespace s::gui::drawer

#pragma once

#include <cstdint>
#include <span>

#include "gui/drawer/colour.h"

// The colour schemes of the two skin families, in menu order.
namespace s::gui::drawer {

// A "ThinWindow" scheme: a name and fifteen colours (colours[0] is colour 1).
struct ThinWindowScheme {
    const char16_t* name;
    uint32_t colours[15];
    uint32_t colour(int32_t n) const { return colours[n - 1]; }  // n = 1..15
};

// A "Thin" scheme: a name and six colours.
struct ThinScheme {
    const char16_t* name;
    uint32_t background;
    uint32_t accent;
    uint32_t text;
    uint32_t slider;
    uint32_t counter;
    uint32_t counterHighlight;
};

inline constexpr const char16_t* kThinWindowFamily = u"ThinWindow";
inline constexpr const char16_t* kThinFamily = u"Thin";

std::span<const ThinWindowScheme> thinWindowSchemes();  // 16 schemes
std::span<const ThinScheme> thinSchemes();              // 13 schemes

}  // namespace s::gui::drawer

#pragma once

#include <windows.h>

#include <cstdint>

#include "base/pool.h"
#include "gui/drawer/colour.h"
#include "gui/drawer/i_drawer.h"
#include "gui/drawer/palette.h"

namespace s::gui::drawer::win {

// What every painter shares: its colour parameters by position, with the class's own
// defaults (Self::kDefaults), and up to four borrowed fonts.
template <class Self, class Interface, DrawerKind K, int32_t N>
class DrawerBase : public thread::Pooled<Self, Interface> {
public:
    static constexpr int32_t kColourCount = N;

    DrawerBase() { restoreDefaults(); }

    DrawerKind kind() const override { return K; }
    void setColours(const DrawerColours& colours) override {
        for (int32_t i = 0; i < N; ++i) {
            if (colours.isSet(i))
                colours_[i] = colours.colour(i);
        }
        if (colours.width > 0)
            width_ = colours.width;
    }
    void setFont(int32_t index, FontHandle font) override {
        if (index >= 0 && index < 4)
            fonts_[index] = font;
    }
    void reset() override { restoreDefaults(); }

    uint32_t colourAt(int32_t i) const { return i >= 0 && i < N ? colours_[i] : 0; }
    void setColourAt(int32_t i, uint8_t r, uint8_t g, uint8_t b) {
        if (i >= 0 && i < N)
            colours_[i] = rgb(r, g, b);
    }
    HFONT fontAt(int32_t i) const { return i >= 0 && i < 4 ? fonts_[i] : nullptr; }

protected:
    void restoreDefaults() {
        for (int32_t i = 0; i < N; ++i)
            colours_[i] = Self::kDefaults[i];
        for (HFONT& f : fonts_)
            f = nullptr;
        width_ = Self::kDefaultWidth;
    }
    static constexpr int32_t kDefaultWidth = 0;

    uint32_t colours_[N] = {};
    HFONT fonts_[4] = {};  // not owned
    int32_t width_ = 0;
};

}  // namespace s::gui::drawer::win

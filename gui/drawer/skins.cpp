#include "gui/drawer/skins.h"

namespace s::gui::drawer {

SkinBase::~SkinBase() {
    for (IDrawer*& d : drawers_) {
        if (d)
            d->release();
        d = nullptr;
    }
}

void SkinBase::put(DrawerKind kind, IDrawer* drawer) {
    IDrawer*& slot = drawers_[static_cast<int32_t>(kind)];
    if (slot == drawer)
        return;
    if (slot)
        slot->release();
    slot = drawer;
}

void SkinBase::build(const char16_t* name, const Palette& palette) {
    setName(name);
    palette_ = palette;
    for (int32_t i = 0; i < kDrawerKindCount; ++i) {
        const auto kind = static_cast<DrawerKind>(i);
        put(kind, makeDrawer(kind, palette.of(kind)));
    }
}

void SkinBase::reset() {
    for (int32_t i = 0; i < kDrawerKindCount; ++i)
        put(static_cast<DrawerKind>(i), nullptr);
    name_.clear();
    palette_ = Palette{};
}

}  // namespace s::gui::drawer

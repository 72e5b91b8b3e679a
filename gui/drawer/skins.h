#pragma once

#include "base/pool.h"
#include "base/str_buffer.h"
#include "gui/drawer/i_skin.h"
#include "gui/drawer/schemes.h"

namespace s::gui::drawer {

// The storage and the slots every skin shares.
class SkinBase : public ISkin {
public:
    SkinBase() = default;
    ~SkinBase() override;
    SkinBase(const SkinBase&) = delete;
    SkinBase& operator=(const SkinBase&) = delete;

    const char16_t* name() const override { return name_.text(); }
    void setName(const char16_t* name) override { name_.setText(name); }

    IWindowDrawer* window() const override { return slot<IWindowDrawer>(DrawerKind::kWindow); }
    void setWindow(IWindowDrawer* d) override { put(DrawerKind::kWindow, d); }
    IButton* button() const override { return slot<IButton>(DrawerKind::kButton); }
    void setButton(IButton* d) override { put(DrawerKind::kButton, d); }
    IText* text() const override { return slot<IText>(DrawerKind::kText); }
    void setText(IText* d) override { put(DrawerKind::kText, d); }
    IScrollBar* scrollBar() const override { return slot<IScrollBar>(DrawerKind::kScrollBar); }
    void setScrollBar(IScrollBar* d) override { put(DrawerKind::kScrollBar, d); }
    ICheckBox* checkBox() const override { return slot<ICheckBox>(DrawerKind::kCheckBox); }
    void setCheckBox(ICheckBox* d) override { put(DrawerKind::kCheckBox, d); }
    IRadioButton* radioButton() const override {
        return slot<IRadioButton>(DrawerKind::kRadioButton);
    }
    void setRadioButton(IRadioButton* d) override { put(DrawerKind::kRadioButton, d); }
    ISlider* slider() const override { return slot<ISlider>(DrawerKind::kSlider); }
    void setSlider(ISlider* d) override { put(DrawerKind::kSlider, d); }
    ICounter* counter() const override { return slot<ICounter>(DrawerKind::kCounter); }
    void setCounter(ICounter* d) override { put(DrawerKind::kCounter, d); }
    IListHeader* listHeader() const override { return slot<IListHeader>(DrawerKind::kListHeader); }
    void setListHeader(IListHeader* d) override { put(DrawerKind::kListHeader, d); }
    IListBox* listBox() const override { return slot<IListBox>(DrawerKind::kListBox); }
    void setListBox(IListBox* d) override { put(DrawerKind::kListBox, d); }
    IStatusBar* statusBar() const override { return slot<IStatusBar>(DrawerKind::kStatusBar); }
    void setStatusBar(IStatusBar* d) override { put(DrawerKind::kStatusBar, d); }
    IMenu* menu() const override { return slot<IMenu>(DrawerKind::kMenu); }
    void setMenu(IMenu* d) override { put(DrawerKind::kMenu, d); }
    ICombo* combo() const override { return slot<ICombo>(DrawerKind::kCombo); }
    void setCombo(ICombo* d) override { put(DrawerKind::kCombo, d); }
    IGroupBox* groupBox() const override { return slot<IGroupBox>(DrawerKind::kGroupBox); }
    void setGroupBox(IGroupBox* d) override { put(DrawerKind::kGroupBox, d); }
    ITabBox* tabBox() const override { return slot<ITabBox>(DrawerKind::kTabBox); }
    void setTabBox(ITabBox* d) override { put(DrawerKind::kTabBox, d); }

    IDrawer* drawerOf(DrawerKind kind) const override {
        const auto i = static_cast<int32_t>(kind);
        return i >= 0 && i < kDrawerKindCount ? drawers_[i] : nullptr;
    }
    const Palette& palette() const override { return palette_; }

    // Names the skin, keeps the palette and gives each drawer the platform makes its
    // colours. Without a platform painter (native builds) the drawer slots stay empty.
    void build(const char16_t* name, const Palette& palette);

    // Releases the drawers and forgets name and palette.
    void reset() override;

private:
    template <class T>
    T* slot(DrawerKind kind) const {
        return static_cast<T*>(drawers_[static_cast<int32_t>(kind)]);
    }
    void put(DrawerKind kind, IDrawer* drawer);

    str::strbuffer::StrBuffer name_;
    IDrawer* drawers_[kDrawerKindCount] = {};  // owned
    Palette palette_;
};

}  // namespace s::gui::drawer

namespace s::gui::drawer::skin {

// A "ThinWindow" scheme: fifteen colours.
class ThinWindow final : public thread::Pooled<ThinWindow, SkinBase> {
public:
    const char16_t* className() const override { return u"s_gui_drawer_skin_ThinWindow"; }
    ThinWindow* newInstance() const override { return take(); }
    void build(const ThinWindowScheme& scheme) { SkinBase::build(scheme.name, paletteOf(scheme)); }
};

// A "Thin" scheme: six colours; what it does not set keeps the drawers' defaults.
class Thin final : public thread::Pooled<Thin, SkinBase> {
public:
    const char16_t* className() const override { return u"s_gui_drawer_skin_Thin"; }
    Thin* newInstance() const override { return take(); }
    void build(const ThinScheme& scheme) { SkinBase::build(scheme.name, paletteOf(scheme)); }
};

}  // namespace s::gui::drawer::skin

namespace s::gui::drawer {

// The platform's drawers for a kind, with the palette's colours applied; nullptr where the
// build has no painters. Defined once per platform.
IDrawer* makeDrawer(DrawerKind kind, const DrawerColours& colours);

}  // namespace s::gui::drawer

#pragma once

#include "base/object.h"
#include "base/pool.h"
#include "gui/drawer/i_drawer.h"
#include "gui/drawer/palette.h"

namespace s::gui::drawer {

// One named colour scheme realised as one drawer per control kind. A skin owns its drawers:
// setting a drawer releases the one it replaces. GUI thread only.
class ISkin : public base::IObject, public thread::IPoolable {
public:
    virtual const char16_t* name() const = 0;
    virtual void setName(const char16_t* name) = 0;

    virtual IWindowDrawer* window() const = 0;
    virtual void setWindow(IWindowDrawer* drawer) = 0;
    virtual IButton* button() const = 0;
    virtual void setButton(IButton* drawer) = 0;
    virtual IText* text() const = 0;
    virtual void setText(IText* drawer) = 0;
    virtual IScrollBar* scrollBar() const = 0;
    virtual void setScrollBar(IScrollBar* drawer) = 0;
    virtual ICheckBox* checkBox() const = 0;
    virtual void setCheckBox(ICheckBox* drawer) = 0;
    virtual IRadioButton* radioButton() const = 0;
    virtual void setRadioButton(IRadioButton* drawer) = 0;
    virtual ISlider* slider() const = 0;
    virtual void setSlider(ISlider* drawer) = 0;
    virtual ICounter* counter() const = 0;
    virtual void setCounter(ICounter* drawer) = 0;
    virtual IListHeader* listHeader() const = 0;
    virtual void setListHeader(IListHeader* drawer) = 0;
    virtual IListBox* listBox() const = 0;
    virtual void setListBox(IListBox* drawer) = 0;
    virtual IStatusBar* statusBar() const = 0;
    virtual void setStatusBar(IStatusBar* drawer) = 0;
    virtual IMenu* menu() const = 0;
    virtual void setMenu(IMenu* drawer) = 0;
    virtual ICombo* combo() const = 0;
    virtual void setCombo(ICombo* drawer) = 0;
    virtual IGroupBox* groupBox() const = 0;
    virtual void setGroupBox(IGroupBox* drawer) = 0;
    virtual ITabBox* tabBox() const = 0;
    virtual void setTabBox(ITabBox* drawer) = 0;

    // The drawer of a kind, as the generic interface (nullptr when the skin has none).
    virtual IDrawer* drawerOf(DrawerKind kind) const = 0;
    // The colour parameters this skin handed (or hands) to its drawers.
    virtual const Palette& palette() const = 0;
};

}  // namespace s::gui::drawer

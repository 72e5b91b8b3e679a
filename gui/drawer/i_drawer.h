#pragma once

#include <cstdint>

#include "base/object.h"
#include "base/pool.h"
#include "gui/drawer/palette.h"

// The platform's handle types, declared as the platform declares them, so that these
// interfaces stay portable while the painters in win/ take the real handles.
struct HDC__;
struct HFONT__;
struct HRGN__;

namespace s::image {
class IImage;
class IBufferedImage;
}  // namespace s::image

// Drawers paint one kind of control each, into whatever device context they are given
// (normally one over an off-screen buffer). They hold colours and borrowed fonts, nothing
// per paint; every operation restores what it selected into the context. GUI thread only.
namespace s::gui::drawer {

using DeviceContext = HDC__*;
using FontHandle = HFONT__*;
using RegionHandle = HRGN__*;

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
};

// What a control's content painting shows. Values are clamped to minimum..maximum before
// anything is measured from them.
struct PaintState {
    int32_t state = 0;  // 0 normal, 1 hot, 2 pressed
    bool enabled = true;
    bool checked = false;  // check boxes, radio buttons, menu items, the selected tab
    bool focused = false;
    bool vertical = false;   // scroll bars and sliders
    bool separator = false;  // menu items
    int32_t value = 0;
    int32_t minimum = 0;
    int32_t maximum = 100;
    int32_t page = 0;                // scroll bars: the visible part of the range
    const char16_t* text = nullptr;  // not owned
    FontHandle font = nullptr;       // not owned; nullptr: the drawer's own font
};

class IDrawer : public base::IObject, public thread::IPoolable {
public:
    // Paints the background of a rectangle.
    virtual void paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                                 int32_t bottom) = 0;
    // Paints the control's content.
    virtual void paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                       const PaintState& state) = 0;
    // Takes the colour parameters a skin hands over, in the kind's order; unset ones keep
    // the drawer's own.
    virtual void setColours(const DrawerColours& colours) = 0;
    // Font slot i (0-based) takes `font` (not owned; nullptr: the platform's GUI font).
    virtual void setFont(int32_t index, FontHandle font) {}
    virtual DrawerKind kind() const = 0;
};

// Window background, frame, corners and region.
class IWindowDrawer : public IDrawer {
public:
    // Corner styles: 0 square, 1 small rounding, 2 large rounding.
    virtual void setCornerStyles(int32_t top, int32_t bottom) = 0;
    virtual void setTransparent(bool transparent) = 0;
    // A region matching the corners for a window of width x height. The caller owns it
    // (normally hands it to SetWindowRgn); nullptr when it cannot be made.
    virtual RegionHandle createRegion(int32_t width, int32_t height) = 0;
    virtual uint32_t frameColour() const = 0;
    virtual uint32_t backgroundColour() const = 0;
};

class IButton : public IDrawer {
public:
    // Paints the glyph named by a caption starting with "#" inside the rectangle (1-pixel
    // margin) in `colour`; false, painting nothing, for any other caption.
    virtual bool paintGlyph(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                            int32_t bottom, const char16_t* caption, uint32_t colour) = 0;
};

class IText : public IDrawer {
public:
    // Text in font slot 0..3, alignment 0 left, 1 centre, 2 right, single line.
    virtual void paintText(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                           int32_t bottom, const char16_t* text, int32_t fontIndex,
                           int32_t alignment) = 0;
};

class IScrollBar : public IDrawer {
public:
    virtual int32_t width() const = 0;
};

class ICheckBox : public IDrawer {};
class IRadioButton : public IDrawer {};
class ISlider : public IDrawer {};
class ICounter : public IDrawer {};
class ICombo : public IDrawer {};
class IGroupBox : public IDrawer {};
class ITabBox : public IDrawer {};
class IBorder : public IDrawer {};

// Menu items: text, checked, state 1 for the highlighted item, separator.
class IMenu : public IDrawer {};

class IListHeader : public IDrawer {
public:
    virtual int32_t headerHeight() const = 0;
    // The background in a colour of the caller's choosing.
    virtual void paintBackgroundIn(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                                   int32_t bottom, uint32_t colour) = 0;
};

class IStatusBar : public IDrawer {
public:
    virtual int32_t barHeight() const = 0;
};

// Everything one list cell shows (see IListBox::paintCell).
struct CellPaint {
    int32_t alignment = 0;  // 0 left, 1 centre, 2 right
    bool selected = false;
    bool fullRow = false;
    bool oddRow = false;
    int32_t dropMarker = -1;  // -1 none, 0 along the top, 1 along the bottom
    bool dropAtEnd = false;   // the 2-pixel line after the last row
    int32_t treeLevel = 0;
    int32_t treeState = 0;  // 1 open, anything else closed
    bool hasTree = false;
    int32_t checkState = 0;  // 0 none, 1 unchecked, 2 checked, 3 mixed
    bool hasCheckBox = false;
    const ::s::image::IImage* icon = nullptr;  // not owned
    const char16_t* text = nullptr;       // not owned, never written to
    int32_t textLength = -1;              // -1: to the terminator
    FontHandle normalFont = nullptr;      // not owned; nullptr: the drawer's
    FontHandle selectedFont = nullptr;
    bool link = false;
    bool hotLink = false;
    bool ellipsis = false;
    int32_t progress = -1;  // a progress code (see paintCell); negative: no bar
    bool useTextColour = false;
    uint32_t textColour = 0;  // with useTextColour: this colour instead of the font's
};

class IListBox : public IDrawer {
public:
    // Paints one cell; returns the rectangle of the drawn text (empty when nothing was
    // drawn). Progress codes: 2000..3000 grey, 4000..5000 red, otherwise green; the value
    // is clamped to 0..1000 before the bar's width is taken from it.
    virtual Rect paintCell(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                           int32_t bottom, const CellPaint& cell) = 0;
    virtual bool hitCheckBox(int32_t x, int32_t y, bool hasTree, int32_t treeLevel) const = 0;
    virtual bool hitTreeControl(int32_t x, int32_t y, int32_t treeLevel) const = 0;
    virtual uint32_t selectionColour() const = 0;
    virtual void setSelectionColour(uint8_t r, uint8_t g, uint8_t b) = 0;
    virtual uint32_t backgroundColour() const = 0;
    virtual void setBackgroundColour(uint8_t r, uint8_t g, uint8_t b) = 0;
    virtual uint32_t alternateColour() const = 0;
    virtual void setAlternateColour(uint8_t r, uint8_t g, uint8_t b) = 0;
    virtual uint32_t normalTextColour() const = 0;
    virtual void setNormalTextColour(uint8_t r, uint8_t g, uint8_t b) = 0;
    virtual uint32_t selectedTextColour() const = 0;
    virtual void setSelectedTextColour(uint8_t r, uint8_t g, uint8_t b) = 0;
    virtual void attachFonts(FontHandle normal, FontHandle selected) = 0;
    virtual FontHandle normalFont() const = 0;
    virtual FontHandle selectedFont() const = 0;
};

// Pictures into a buffer or context.
class IImage : public IDrawer {
public:
    virtual void paintPicture(DeviceContext dc, ::s::image::IBufferedImage* target, int32_t left,
                              int32_t top, int32_t right, int32_t bottom,
                              const ::s::image::IImage* picture, bool scaled, bool framed,
                              bool blend) = 0;
};

}  // namespace s::gui::drawer

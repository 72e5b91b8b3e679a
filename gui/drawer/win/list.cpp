#include "gui/drawer/win/list.h"

#include "gui/drawer/colour.h"
#include "gui/drawer/win/gdi.h"
#include "gui/drawer/win/glyphs.h"
#include "image/i_image.h"

namespace s::gui::drawer::listbox::win {

using drawer::win::clampTo;
using drawer::win::drawLine;
using drawer::win::fill;
namespace p = param::listbox;

void Basic::paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                            int32_t bottom) {
    fill(dc, left, top, right, bottom, backgroundColour());
}

void Basic::paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                  const PaintState&) {
    paintBackground(dc, left, top, right, bottom);
}

bool Basic::hitCheckBox(int32_t x, int32_t y, bool hasTree, int32_t treeLevel) const {
    const int32_t edge = hasTree ? 20 + 15 * treeLevel : 4;
    return y >= 1 && y <= 15 && x - edge >= 0 && x - edge <= 14;
}

bool Basic::hitTreeControl(int32_t x, int32_t y, int32_t treeLevel) const {
    const int32_t edge = 4 + 15 * treeLevel;
    return y >= 1 && y <= 15 && x - edge >= 0 && x - edge <= 12;
}

Basic::Layout Basic::layoutOf(int32_t left, int32_t top, int32_t right, int32_t bottom,
                              const CellPaint& cell) {
    Layout l;
    int32_t x = left + 4;
    if (cell.hasTree) {
        const int32_t tl = left + 4 + 15 * cell.treeLevel;
        l.tree = Rect{tl, top + 1, tl + 13, top + 16};
        x = l.tree.right + 2;
    }
    if (cell.hasCheckBox) {
        l.checkBox = Rect{x, top + 1, x + 15, top + 16};
        x = l.checkBox.right + 3;
    }
    if (cell.icon) {
        l.icon = Rect{x, top + 2, x + 13, top + 15};
        x = l.icon.right + 3;
    }
    l.textLeft = x;
    l.textRight = right - 4;
    (void)bottom;
    return l;
}

void Basic::progressOf(int32_t code, uint32_t& colour, int32_t& value) {
    if (code >= 2000 && code <= 3000) {
        colour = hex("#AAAAAA");
        value = code - 2000;
    } else if (code >= 4000 && code <= 5000) {
        colour = hex("#FF0000");
        value = code - 4000;
    } else {
        colour = hex("#86C440");
        value = code;
    }
    // Out-of-range codes must not make a bar wider than its cell or negative.
    value = clampTo(value, 0, 1000);
}

Rect Basic::paintCell(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                      const CellPaint& cell) {
    Rect textRect{left, top, left, top};
    if (!dc || right <= left || bottom <= top)
        return textRect;
    const Layout l = layoutOf(left, top, right, bottom, cell);
    const uint32_t rowColour = cell.oddRow ? alternateColour() : backgroundColour();
    HFONT normal = cell.normalFont ? cell.normalFont : fonts_[0];
    HFONT selected = cell.selectedFont ? cell.selectedFont : fonts_[1];
    HFONT font = cell.selected ? selected : normal;
    const uint32_t ink = cell.selected ? selectedTextColour() : normalTextColour();
    const char16_t* text = cell.text ? cell.text : u"";
    const bool hasText = text[0] != 0 && cell.textLength != 0;

    // Where the text will go, measured single-line with the font it is drawn in.
    const SIZE size = drawer::win::measureText(dc, font ? font : drawer::win::defaultFont(), text,
                                               cell.textLength);
    const int32_t area = l.textRight - l.textLeft;
    const int32_t width = hasText ? (size.cx < area ? size.cx : (area > 0 ? area : 0)) : 0;
    int32_t tx = l.textLeft;
    if (cell.alignment == 1)
        tx = l.textLeft + (area - width) / 2;
    else if (cell.alignment == 2)
        tx = l.textRight - width;

    fill(dc, left, top, right, bottom, rowColour);
    if (cell.selected) {
        if (cell.fullRow)
            fill(dc, left, top, right, bottom, selectionColour());
        else if (hasText)
            fill(dc, tx, top, tx + width + 4 < right ? tx + width + 4 : right, bottom,
                 selectionColour());
    }
    if (cell.dropMarker == 0 || cell.dropMarker == 1) {
        const int32_t from = cell.hasTree ? left + 19 + 15 * cell.treeLevel : left;
        const int32_t thick = cell.dropAtEnd ? 2 : 1;
        if (cell.dropMarker == 0)
            fill(dc, from, top, right, top + thick, selectionColour());
        else
            fill(dc, from, bottom - thick, right, bottom, selectionColour());
    }
    if (!l.tree.isEmpty())
        drawer::win::paintGlyph(dc, l.tree.left, l.tree.top, l.tree.right, l.tree.bottom,
                                cell.treeState == 1 ? u"#TreeOpen" : u"#TreeClosed", ink);
    if (!l.checkBox.isEmpty() && cell.checkState != 0) {
        const Rect& b = l.checkBox;
        fill(dc, b.left, b.top, b.right, b.bottom, ink);
        fill(dc, b.left + 2, b.top + 2, b.right - 2, b.bottom - 2,
             cell.selected ? selectionColour() : rowColour);
        if (cell.checkState == 3)
            fill(dc, b.left + 4, b.top + 4, b.right - 4, b.bottom - 4, ink);
        else if (cell.checkState == 2)
            drawer::win::paintGlyph(dc, b.left + 3, b.top + 3, b.right - 3, b.bottom - 3, u"#Check",
                                    ink);
    }
    if (cell.icon && !l.icon.isEmpty())
        cell.icon->copyTo(
            dc, l.icon.left, l.icon.top, l.icon.width(), l.icon.height(),
            cell.icon->width() != l.icon.width() || cell.icon->height() != l.icon.height());
    if (!hasText || area <= 0)
        return textRect;

    const bool progress = cell.progress >= 0;
    int32_t barRight = left;
    if (progress) {
        uint32_t barColour = 0;
        int32_t value = 0;
        progressOf(cell.progress, barColour, value);
        fill(dc, left + 1, top + 2, right - 1, bottom - 2, hex("#F0F0F0"));
        fill(dc, left + 2, top + 3, right - 2, bottom - 3, hex("#FFFFFF"));
        const int32_t cellWidth = right - left;
        const int32_t barWidth = cellWidth > 4 ? value * (cellWidth - 4) / 1000 : 0;
        barRight = left + 2 + barWidth;
        fill(dc, left + 2, top + 3, barRight, bottom - 3, barColour);
    }
    uint32_t colour = cell.link ? kLinkColour : ink;
    if (cell.useTextColour)
        colour = cell.textColour;
    HFONT used = font ? font : drawer::win::defaultFont();
    HFONT underlined = nullptr;
    if (cell.link && cell.hotLink) {
        LOGFONTW lf = {};
        if (GetObjectW(used, sizeof lf, &lf)) {
            lf.lfUnderline = TRUE;
            underlined = CreateFontIndirectW(&lf);
        }
    }
    const RECT drawn =
        drawLine(dc, l.textLeft, top, l.textRight, bottom, text, underlined ? underlined : used,
                 colour, cell.alignment, cell.ellipsis, cell.textLength);
    if (progress && barRight > l.textLeft) {
        // The part of the text over the bar, in white.
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, left + 2, top + 3, barRight, bottom - 3);
        drawLine(dc, l.textLeft, top, l.textRight, bottom, text, underlined ? underlined : used,
                 hex("#FFFFFF"), cell.alignment, cell.ellipsis, cell.textLength);
        RestoreDC(dc, saved);
    }
    if (underlined)
        DeleteObject(underlined);
    textRect = Rect{drawn.left, drawn.top, drawn.right, drawn.bottom};
    return textRect;
}

Thin::Thin() : body_(Basic::take()) {}

Thin::~Thin() {
    if (body_)
        body_->release();
}

}  // namespace s::gui::drawer::listbox::win

namespace s::gui::drawer::listheader::win {

namespace p = param::listheader;

Thin::Thin() : button_(button::win::Thin::take()) {
    configureButton();
}

Thin::~Thin() {
    if (button_)
        button_->release();
}

void Thin::reset() {
    DrawerBase::reset();
    configureButton();
}

void Thin::setColours(const DrawerColours& colours) {
    DrawerBase::setColours(colours);
    configureButton();
}

void Thin::configureButton() {
    if (!button_)
        return;
    // Items: framed in the line colour on the header's background; hot on a lighter
    // face of the line colour, pressed on the line colour.
    DrawerColours c;
    c.count = param::button::kCount;
    const uint32_t values[] = {
        colours_[p::kLine], colours_[p::kBackground], colours_[p::kBackground], colours_[p::kLine],
        colours_[p::kFont], colours_[p::kFont],       colours_[p::kFont]};
    for (int32_t i = 0; i < c.count; ++i)
        c.params[i] = ColourParam{values[i], true};
    button_->setColours(c);
}

void Thin::paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                           int32_t bottom) {
    drawer::win::fill(dc, left, top, right, bottom, colours_[p::kBackground]);
}

void Thin::paintBackgroundIn(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                             int32_t bottom, uint32_t colour) {
    drawer::win::fill(dc, left, top, right, bottom, colour);
}

void Thin::paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                 const PaintState& state) {
    if (!button_)
        return;
    PaintState item = state;
    if (!item.font)
        item.font = fonts_[0];
    button_->paint(dc, left, top, right, bottom, item);
}

}  // namespace s::gui::drawer::listheader::win

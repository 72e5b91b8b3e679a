#pragma once

#include "gui/drawer/win/button.h"
#include "gui/drawer/win/drawer_base.h"

namespace s::gui::drawer::listbox::win {

// The painting body of the list cells. Colours: background, text, selection, selected
// text, alternate rows.
class Basic final : public drawer::win::DrawerBase<Basic, IListBox, DrawerKind::kListBox,
                                                   param::listbox::kCount> {
public:
    static constexpr uint32_t kDefaults[param::listbox::kCount] = {0xFFFFFF, 0x000000, 0xFF9933,
                                                                   0xFFFFFF, 0xF3F3F3};
    static constexpr uint32_t kLinkColour = 0xFF0000;  // pure blue as 0x00BBGGRR

    const char16_t* className() const override { return u"s_gui_drawer_listbox_win_Basic"; }
    Basic* newInstance() const override { return take(); }

    void paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                         int32_t bottom) override;
    // The control's content is its cells: nothing beyond the background here.
    void paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const PaintState& state) override;
    Rect paintCell(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                   const CellPaint& cell) override;
    bool hitCheckBox(int32_t x, int32_t y, bool hasTree, int32_t treeLevel) const override;
    bool hitTreeControl(int32_t x, int32_t y, int32_t treeLevel) const override;

    uint32_t selectionColour() const override { return colours_[param::listbox::kSelection]; }
    void setSelectionColour(uint8_t r, uint8_t g, uint8_t b) override {
        setColourAt(param::listbox::kSelection, r, g, b);
    }
    uint32_t backgroundColour() const override { return colours_[param::listbox::kBackground]; }
    void setBackgroundColour(uint8_t r, uint8_t g, uint8_t b) override {
        setColourAt(param::listbox::kBackground, r, g, b);
    }
    uint32_t alternateColour() const override { return colours_[param::listbox::kAlternate]; }
    void setAlternateColour(uint8_t r, uint8_t g, uint8_t b) override {
        setColourAt(param::listbox::kAlternate, r, g, b);
    }
    uint32_t normalTextColour() const override { return colours_[param::listbox::kText]; }
    void setNormalTextColour(uint8_t r, uint8_t g, uint8_t b) override {
        setColourAt(param::listbox::kText, r, g, b);
    }
    uint32_t selectedTextColour() const override { return colours_[param::listbox::kSelectedText]; }
    void setSelectedTextColour(uint8_t r, uint8_t g, uint8_t b) override {
        setColourAt(param::listbox::kSelectedText, r, g, b);
    }
    void attachFonts(FontHandle normal, FontHandle selected) override {
        fonts_[0] = normal;
        fonts_[1] = selected;
    }
    FontHandle normalFont() const override { return fonts_[0]; }
    FontHandle selectedFont() const override { return fonts_[1]; }

    // Where the parts of a cell go (see paintCell); empty rectangles for absent parts.
    struct Layout {
        Rect tree, checkBox, icon;
        int32_t textLeft = 0, textRight = 0;
    };
    static Layout layoutOf(int32_t left, int32_t top, int32_t right, int32_t bottom,
                           const CellPaint& cell);
    // The bar colour and the value 0..1000 of a progress code.
    static void progressOf(int32_t code, uint32_t& colour, int32_t& value);
};

// The skin's list-box drawer: forwards everything to an owned Basic.
class Thin final : public thread::Pooled<Thin, IListBox> {
public:
    Thin();
    ~Thin() override;
    Thin(const Thin&) = delete;
    Thin& operator=(const Thin&) = delete;

    const char16_t* className() const override { return u"s_gui_drawer_listbox_win_Thin"; }
    Thin* newInstance() const override { return take(); }
    void reset() override { body_->reset(); }
    DrawerKind kind() const override { return DrawerKind::kListBox; }
    void setColours(const DrawerColours& colours) override { body_->setColours(colours); }
    void setFont(int32_t index, FontHandle font) override { body_->setFont(index, font); }

    void paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                         int32_t bottom) override {
        body_->paintBackground(dc, left, top, right, bottom);
    }
    void paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const PaintState& state) override {
        body_->paint(dc, left, top, right, bottom, state);
    }
    Rect paintCell(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                   const CellPaint& cell) override {
        return body_->paintCell(dc, left, top, right, bottom, cell);
    }
    bool hitCheckBox(int32_t x, int32_t y, bool hasTree, int32_t treeLevel) const override {
        return body_->hitCheckBox(x, y, hasTree, treeLevel);
    }
    bool hitTreeControl(int32_t x, int32_t y, int32_t treeLevel) const override {
        return body_->hitTreeControl(x, y, treeLevel);
    }
    uint32_t selectionColour() const override { return body_->selectionColour(); }
    void setSelectionColour(uint8_t r, uint8_t g, uint8_t b) override {
        body_->setSelectionColour(r, g, b);
    }
    uint32_t backgroundColour() const override { return body_->backgroundColour(); }
    void setBackgroundColour(uint8_t r, uint8_t g, uint8_t b) override {
        body_->setBackgroundColour(r, g, b);
    }
    uint32_t alternateColour() const override { return body_->alternateColour(); }
    void setAlternateColour(uint8_t r, uint8_t g, uint8_t b) override {
        body_->setAlternateColour(r, g, b);
    }
    uint32_t normalTextColour() const override { return body_->normalTextColour(); }
    void setNormalTextColour(uint8_t r, uint8_t g, uint8_t b) override {
        body_->setNormalTextColour(r, g, b);
    }
    uint32_t selectedTextColour() const override { return body_->selectedTextColour(); }
    void setSelectedTextColour(uint8_t r, uint8_t g, uint8_t b) override {
        body_->setSelectedTextColour(r, g, b);
    }
    void attachFonts(FontHandle normal, FontHandle selected) override {
        body_->attachFonts(normal, selected);
    }
    FontHandle normalFont() const override { return body_->normalFont(); }
    FontHandle selectedFont() const override { return body_->selectedFont(); }

    Basic* body() const { return body_; }

private:
    Basic* body_;  // owned
};

}  // namespace s::gui::drawer::listbox::win

namespace s::gui::drawer::listheader::win {

// List headers: a background fill and one button per item (state 0 normal, 1 hot,
// 2 pressed). Colours: line, background, header font. Header height 22.
class Thin final : public drawer::win::DrawerBase<Thin, IListHeader, DrawerKind::kListHeader,
                                                  param::listheader::kCount> {
public:
    static constexpr int32_t kHeaderHeight = 22;
    static constexpr uint32_t kDefaults[param::listheader::kCount] = {0x787878, 0x333333, 0xFFFFFF};

    Thin();
    ~Thin() override;
    Thin(const Thin&) = delete;
    Thin& operator=(const Thin&) = delete;

    const char16_t* className() const override { return u"s_gui_drawer_listheader_win_Thin"; }
    Thin* newInstance() const override { return take(); }
    void reset() override;
    void setColours(const DrawerColours& colours) override;

    int32_t headerHeight() const override { return kHeaderHeight; }
    void paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                         int32_t bottom) override;
    void paintBackgroundIn(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                           int32_t bottom, uint32_t colour) override;
    // One header item: its text, state and font.
    void paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const PaintState& state) override;

private:
    void configureButton();
    button::win::Thin* button_;  // owned
};

}  // namespace s::gui::drawer::listheader::win

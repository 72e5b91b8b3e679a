#pragma once

#include "gui/drawer/win/drawer_base.h"

// The smaller drawers: each paints its control flat in its colours, with a 1-pixel frame in
// its line colour and its texts in its font colours.

namespace s::gui::drawer::text::win {

// Text fields and labels. Colours: first font, field background, field frame, second,
// third and fourth font. Font slot by state: disabled second, hot third, pressed fourth.
class Basic final
    : public drawer::win::DrawerBase<Basic, IText, DrawerKind::kText, param::text::kCount> {
public:
    static constexpr uint32_t kDefaults[param::text::kCount] = {0x000000, 0xFFFFFF, 0xEEEEEE,
                                                                0x999999, 0x000000, 0x000000};
    const char16_t* className() const override { return u"s_gui_drawer_text_win_Basic"; }
    Basic* newInstance() const override { return take(); }
    void paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                         int32_t bottom) override;
    void paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const PaintState& state) override;
    void paintText(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                   const char16_t* text, int32_t fontIndex, int32_t alignment) override;
    uint32_t fontColour(int32_t index) const;
};

}  // namespace s::gui::drawer::text::win

namespace s::gui::drawer::scrollbar::win {

// Scroll bars: the track framed in the line colour over the caller's background, the thumb
// filled in the fill colour and framed in the line colour. Width 15 unless the skin says
// otherwise.
class Thin final : public drawer::win::DrawerBase<Thin, IScrollBar, DrawerKind::kScrollBar,
                                                  param::scrollbar::kCount> {
public:
    static constexpr int32_t kDefaultWidth = 15;
    static constexpr uint32_t kDefaults[param::scrollbar::kCount] = {0x444444, 0xEEEEEE};
    const char16_t* className() const override { return u"s_gui_drawer_scrollbar_win_Thin"; }
    Thin* newInstance() const override { return take(); }
    int32_t width() const override { return width_; }
    void paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                         int32_t bottom) override;
    // value, minimum, maximum and page give the thumb; vertical its direction.
    void paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const PaintState& state) override;
    // The thumb's rectangle for a state within a track (the value clamped to the range).
    static Rect thumbOf(int32_t left, int32_t top, int32_t right, int32_t bottom,
                        const PaintState& state);
};

}  // namespace s::gui::drawer::scrollbar::win

namespace s::gui::drawer::checkbox::win {

// Check boxes: a 13 x 13 box framed in the line colour, the check mark and the text in the
// mark colour; both in the disabled colour when disabled.
class Thin final
    : public drawer::win::DrawerBase<Thin, ICheckBox, DrawerKind::kCheckBox, param::mark::kCount> {
public:
    static constexpr int32_t kBox = 13;
    static constexpr uint32_t kDefaults[param::mark::kCount] = {0x444444, 0x000000, 0xAAAAAA};
    const char16_t* className() const override { return u"s_gui_drawer_checkbox_win_Thin"; }
    Thin* newInstance() const override { return take(); }
    void paintBackground(DeviceContext, int32_t, int32_t, int32_t, int32_t) override {}
    void paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const PaintState& state) override;
};

}  // namespace s::gui::drawer::checkbox::win

namespace s::gui::drawer::radiobutton::win {

// Radio buttons: a round 13 x 13 mark with a dot when chosen, as the check box.
class Thin final : public drawer::win::DrawerBase<Thin, IRadioButton, DrawerKind::kRadioButton,
                                                  param::mark::kCount> {
public:
    static constexpr int32_t kBox = 13;
    static constexpr uint32_t kDefaults[param::mark::kCount] = {0x444444, 0x000000, 0xAAAAAA};
    const char16_t* className() const override { return u"s_gui_drawer_radiobutton_win_Thin"; }
    Thin* newInstance() const override { return take(); }
    void paintBackground(DeviceContext, int32_t, int32_t, int32_t, int32_t) override {}
    void paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const PaintState& state) override;
};

}  // namespace s::gui::drawer::radiobutton::win

namespace s::gui::drawer::slider::win {

// Sliders: a 2-pixel track in the line colour and a thumb in the thumb colour at the
// (clamped) value.
class Thin final
    : public drawer::win::DrawerBase<Thin, ISlider, DrawerKind::kSlider, param::slider::kCount> {
public:
    static constexpr int32_t kThumb = 9;
    static constexpr uint32_t kDefaults[param::slider::kCount] = {0x444444, 0x777777, 0xAAAAAA};
    const char16_t* className() const override { return u"s_gui_drawer_slider_win_Thin"; }
    Thin* newInstance() const override { return take(); }
    void paintBackground(DeviceContext, int32_t, int32_t, int32_t, int32_t) override {}
    void paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const PaintState& state) override;
    static Rect thumbOf(int32_t left, int32_t top, int32_t right, int32_t bottom,
                        const PaintState& state);
};

}  // namespace s::gui::drawer::slider::win

namespace s::gui::drawer::counter::win {

// Counters: a row of cells, those up to the (clamped) value filled in the colour, the
// last of them in the highlight, the rest framed.
class Basic final : public drawer::win::DrawerBase<Basic, ICounter, DrawerKind::kCounter,
                                                   param::counter::kCount> {
public:
    static constexpr int32_t kCell = 5;  // 4 pixels and a gap
    static constexpr uint32_t kDefaults[param::counter::kCount] = {0xB0B0B0, 0x00A5FF};
    const char16_t* className() const override { return u"s_gui_drawer_counter_win_Basic"; }
    Basic* newInstance() const override { return take(); }
    void paintBackground(DeviceContext, int32_t, int32_t, int32_t, int32_t) override {}
    void paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const PaintState& state) override;
    // How many of `cells` cells a state fills.
    static int32_t filledCells(int32_t cells, const PaintState& state);
};

}  // namespace s::gui::drawer::counter::win

namespace s::gui::drawer::menu::win {

// Owner-drawn menus. Colours: text, line (frame, highlight, separators), background, and
// the item fonts: normal, disabled, highlighted (unset: the highlight's contrast, the
// background colour).
class Basic final
    : public drawer::win::DrawerBase<Basic, IMenu, DrawerKind::kMenu, param::menu::kCount> {
public:
    static constexpr uint32_t kUnset = 0xFFFFFFFF;
    static constexpr uint32_t kDefaults[param::menu::kCount] = {0x000000, 0x444444, 0xFFFFFF,
                                                                kUnset,   0x999999, kUnset};
    const char16_t* className() const override { return u"s_gui_drawer_menu_win_Basic"; }
    Basic* newInstance() const override { return take(); }
    void paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                         int32_t bottom) override;
    // One item: text, checked, state 1 highlighted, separator, enabled.
    void paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const PaintState& state) override;
    uint32_t itemTextColour(const PaintState& state) const;
};

}  // namespace s::gui::drawer::menu::win

namespace s::gui::drawer::combo::win {

// Combo boxes: framed in the line colour, a "#Down" glyph in a 15-pixel box at the right,
// the text in the font colour.
class Thin final
    : public drawer::win::DrawerBase<Thin, ICombo, DrawerKind::kCombo, param::combo::kCount> {
public:
    static constexpr int32_t kButton = 15;
    static constexpr uint32_t kDefaults[param::combo::kCount] = {0x000000, 0x444444, 0x000000};
    const char16_t* className() const override { return u"s_gui_drawer_combo_win_Thin"; }
    Thin* newInstance() const override { return take(); }
    void paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                         int32_t bottom) override;
    void paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const PaintState& state) override;
};

}  // namespace s::gui::drawer::combo::win

namespace s::gui::drawer::groupbox::win {

// The group box's painting body: a frame in the line colour whose top runs through the
// caption's middle, broken behind the caption (first font; second font when disabled).
class Basic final : public drawer::win::DrawerBase<Basic, IGroupBox, DrawerKind::kGroupBox,
                                                   param::groupbox::kCount> {
public:
    static constexpr uint32_t kDefaults[param::groupbox::kCount] = {0x444444, 0x000000, 0x999999};
    const char16_t* className() const override { return u"s_gui_drawer_groupbox_win_Basic"; }
    Basic* newInstance() const override { return take(); }
    void paintBackground(DeviceContext, int32_t, int32_t, int32_t, int32_t) override {}
    void paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const PaintState& state) override;
};

// The skin's group-box drawer: forwards to an owned Basic.
class Thin final : public thread::Pooled<Thin, IGroupBox> {
public:
    Thin() : body_(Basic::take()) {}
    ~Thin() override;
    Thin(const Thin&) = delete;
    Thin& operator=(const Thin&) = delete;
    const char16_t* className() const override { return u"s_gui_drawer_groupbox_win_Thin"; }
    Thin* newInstance() const override { return take(); }
    void reset() override { body_->reset(); }
    DrawerKind kind() const override { return DrawerKind::kGroupBox; }
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
    Basic* body() const { return body_; }

private:
    Basic* body_;  // owned
};

}  // namespace s::gui::drawer::groupbox::win

namespace s::gui::drawer::tabbox::win {

// Tab boxes: the page framed in the line colour; a tab (paint) open towards the page when
// it is the selected one (checked), underlined otherwise. Fonts: selected, other, hot.
class Thin final
    : public drawer::win::DrawerBase<Thin, ITabBox, DrawerKind::kTabBox, param::tabbox::kCount> {
public:
    static constexpr uint32_t kDefaults[param::tabbox::kCount] = {0x444444, 0x000000, 0x777777,
                                                                  0x000000};
    const char16_t* className() const override { return u"s_gui_drawer_tabbox_win_Thin"; }
    Thin* newInstance() const override { return take(); }
    void paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                         int32_t bottom) override;
    void paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const PaintState& state) override;
};

}  // namespace s::gui::drawer::tabbox::win

namespace s::gui::drawer::border::win {

// A plain 1-pixel border in one colour.
class Thin final : public drawer::win::DrawerBase<Thin, IBorder, DrawerKind::kWindow, 1> {
public:
    static constexpr uint32_t kDefaults[1] = {0x444444};
    const char16_t* className() const override { return u"s_gui_drawer_border_win_Thin"; }
    Thin* newInstance() const override { return take(); }
    void paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                         int32_t bottom) override;
    void paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const PaintState& state) override;
};

}  // namespace s::gui::drawer::border::win

namespace s::gui::drawer::statusbar::win {

// The skin's status bar: a 1-pixel line along its top and its text in the one colour.
class Thin final : public drawer::win::DrawerBase<Thin, IStatusBar, DrawerKind::kStatusBar,
                                                  param::statusbar::kCount> {
public:
    static constexpr int32_t kHeight = 23;
    static constexpr uint32_t kDefaults[param::statusbar::kCount] = {0x444444};
    const char16_t* className() const override { return u"s_gui_drawer_statusbar_win_Thin"; }
    Thin* newInstance() const override { return take(); }
    int32_t barHeight() const override { return kHeight; }
    void paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                         int32_t bottom) override;
    void paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const PaintState& state) override;
};

// The unskinned status bar in fixed colours, 23 pixels high.
class Basic final : public drawer::win::DrawerBase<Basic, IStatusBar, DrawerKind::kStatusBar, 1> {
public:
    static constexpr int32_t kHeight = 23;
    static constexpr uint32_t kFace = 0xD8E9EC;  // #ECE9D8
    static constexpr uint32_t kDefaults[1] = {0x000000};
    const char16_t* className() const override { return u"s_gui_drawer_statusbar_win_Basic"; }
    Basic* newInstance() const override { return take(); }
    int32_t barHeight() const override { return kHeight; }
    void paintBackground(DeviceContext dc, int32_t left, int32_t top, int32_t right,
                         int32_t bottom) override;
    void paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const PaintState& state) override;
};

// The size grip: six white 2 x 2 dots with #B8B5A1 shadows, placed from the bottom-right
// corner of its rectangle.
class BasicResizer final
    : public drawer::win::DrawerBase<BasicResizer, IStatusBar, DrawerKind::kStatusBar, 1> {
public:
    static constexpr uint32_t kDot = 0xFFFFFF;
    static constexpr uint32_t kShadow = 0xA1B5B8;  // #B8B5A1
    static constexpr uint32_t kDefaults[1] = {0xFFFFFF};
    const char16_t* className() const override {
        return u"s_gui_drawer_statusbar_win_BasicResizer";
    }
    BasicResizer* newInstance() const override { return take(); }
    int32_t barHeight() const override { return Basic::kHeight; }
    void paintBackground(DeviceContext, int32_t, int32_t, int32_t, int32_t) override {}
    void paint(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const PaintState& state) override;
};

}  // namespace s::gui::drawer::statusbar::win

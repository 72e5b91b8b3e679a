// tellavo-gallery: one window with every standard control, painted in a scheme of the
// "ThinWindow" family. With a scheme name it shows that scheme until the window is closed;
// with --shots it saves build/screens/gallery-<scheme>.png for every scheme (spaces in
// names become "-") and ends.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "gui/controls/spacer.h"
#include "gui/drawer/i_skin.h"
#include "gui/drawer/skinner.h"
#include "gui/menu/menu_item.h"
#include "gui/win/box.h"
#include "gui/win/button.h"
#include "gui/win/check_box.h"
#include "gui/win/combo_box.h"
#include "gui/win/label.h"
#include "gui/win/menu_ex.h"
#include "gui/win/popup_menu.h"
#include "gui/win/range_controls.h"
#include "gui/win/status_bar.h"
#include "gui/win/text_field.h"
#include "gui/win/window.h"
#include "tests/gui/win/screenshot.h"

namespace {

using namespace s::gui;
using namespace s::gui::win;
using s::gui::menuitem::MenuItem;

constexpr const char16_t* kGlyphs[] = {
    u"#X",          u"#_",           u"#Up",        u"#Down",     u"#Left",      u"#Right",
    u"#Play",       u"#Pause",       u"#Stop",      u"#Next",     u"#Prev",      u"#LeftLeft",
    u"#RightRight", u"#Speaker",     u"#Mute",      u"#Minus",    u"#Plus",      u"#PlusMinus",
    u"#Check",      u"#TreeClosed",  u"#TreeOpen",  u"#TurnLeft", u"#TurnRight", u"#OnTop",
    u"#FitWindow",  u"#FitToWindow", u"#KeepRatio", u"#Palm",     u"#Transform", u"#ThumbLineH",
    u"#ThumbLineV", u"#Resizer",
};

Box* row() {
    Box* box = Box::take();
    box->setHorizontalStyle();
    box->setHorizontalSpacing(8);
    box->alignMiddle();
    return box;
}

Button* button(const char16_t* caption) {
    Button* b = Button::take();
    b->setText(caption);
    return b;
}

// The window's content; the status line shows the scheme.
struct Gallery {
    Label* status = nullptr;
    MenuEx* bar = nullptr;

    void build(Window& window) {
        Box* root = Box::take();
        root->setFillParent();
        root->setVerticalSpacing(0);
        window.addChild(root);

        bar = MenuEx::standard();
        bar->setExactWidth(-1);
        bar->setPercentWidth(100);
        PopupMenu* file = PopupMenu::take();
        file->setTitle(u"File");
        file->addItem(MenuItem::textItem(u"Open", 1));
        file->addItem(MenuItem::separatorItem());
        file->addItem(MenuItem::textItem(u"Exit", 2));
        PopupMenu* view = PopupMenu::take();
        view->setTitle(u"View");
        view->addItem(MenuItem::textItem(u"Pacific Time (US & Canada)", 3));
        bar->addMenuEntry(file);
        bar->addMenuEntry(view);
        bar->addCommandEntry(MenuItem::textItem(u"About", 4));
        root->addChild(bar);

        Box* body = Box::take();
        body->setPercentWidth(100, false);
        body->setMargin(8);
        body->setVerticalSpacing(8);
        root->addChild(body);

        Box* glyphs = Box::take();
        glyphs->setFlowStyle();
        glyphs->setPercentWidth(100, false);
        glyphs->setHorizontalSpacing(4);
        glyphs->setVerticalSpacing(4);
        for (const char16_t* glyph : kGlyphs) {
            Button* b = button(glyph);
            b->setExactWidth(20);
            b->setExactHeight(20);
            glyphs->addChild(b);
        }
        body->addChild(glyphs);

        Box* buttons = row();
        buttons->addChild(button(u"Normal"));
        Button* disabled = button(u"Disabled");
        disabled->setEnabled(false);
        buttons->addChild(disabled);
        Button* toggled = button(u"Toggled");
        toggled->setToggle(true, true);
        toggled->setDown(true);
        buttons->addChild(toggled);
        Button* swatch = Button::take();
        swatch->setColorSwatch(255, 165, 0);
        swatch->setExactWidth(40);
        swatch->setExactHeight(20);
        buttons->addChild(swatch);
        body->addChild(buttons);

        Box* marks = row();
        CheckBox* check = CheckBox::take();
        check->setText(u"Check box");
        check->setChecked(true);
        marks->addChild(check);
        RadioButton* one = RadioButton::take();
        one->setText(u"Radio one");
        one->setChecked(true);
        marks->addChild(one);
        RadioButton* two = RadioButton::take();
        two->setText(u"Radio two");
        marks->addChild(two);
        Label* label = Label::take();
        label->setText(u"A label");
        marks->addChild(label);
        Label* link = Label::take();
        link->setText(u"A link");
        link->setLink(true);
        link->setLinkTarget(u"https://example.com/");
        marks->addChild(link);
        body->addChild(marks);

        Box* inputs = row();
        TextField* field = TextField::take();
        field->setText(u"Text field");
        inputs->addChild(field);
        ComboBox* combo = ComboBox::take();
        for (const char16_t* city : {u"Tokyo", u"Berlin", u"Lima"})
            combo->addItem(city, 0);
        combo->setSelection(0, false);
        inputs->addChild(combo);
        body->addChild(inputs);

        GroupBox* group = GroupBox::take();
        group->setText(u"Group box");
        group->setPercentWidth(100, false);
        group->setVerticalSpacing(6);
        Slider* slider = Slider::take();
        slider->setRange(0, 100);
        slider->setPosition(35);
        group->addChild(slider);
        ProgressBar* progress = ProgressBar::take();
        progress->setRange(0, 100);
        progress->setPosition(60);
        group->addChild(progress);
        body->addChild(group);

        controls::Spacer* gap = controls::Spacer::take();
        gap->setVertical();
        gap->setPercentHeight(100);
        root->addChild(gap);

        StatusBar* statusBar = StatusBar::take();
        statusBar->setPercentWidth(100, false);
        Box* line = row();
        line->setMargin(3);
        status = Label::take();
        line->addChild(status);
        statusBar->setContent(line);
        root->addChild(statusBar);
    }
};

std::u16string fromWide(const wchar_t* text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

std::string narrow(const char16_t* text) {
    std::string out;
    for (const char16_t* p = text; *p; ++p)
        out.push_back(*p == u' ' ? '-' : *p < 128 ? static_cast<char>(*p) : '_');
    return out;
}

void showScheme(Window& window, s::gui::drawer::Skinner& skinner, Gallery& gallery, int32_t index) {
    window.onWindowThread([&] {
        skinner.selectByIndex(index);
        // The window takes the scheme's background; the controls inherit it.
        if (s::gui::drawer::ISkin* skin = skinner.currentSkin()) {
            if (skin->window()) {
                const uint32_t c = skin->window()->backgroundColour();
                window.setBackgroundRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF, false);
            }
        }
        std::u16string line = u"Scheme: ";
        line += skinner.currentName();
        gallery.status->setText(line.c_str());
        window.doLayout();
    });
    window.onWindowThread([&] {
        RedrawWindow(window.hwnd(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    });
    GdiFlush();
    Sleep(250);
}

// Clicks the bar's first title from this thread and waits until its drop-down shows; the
// drop-down's window, or none when it did not open.
HWND openDropDown(MenuEx* bar) {
    RECT entry;
    if (!bar || !bar->hwnd() || !bar->entryRect(0, entry))
        return nullptr;
    const LPARAM at = MAKELPARAM(entry.left + 6, entry.top + 4);
    PostMessageW(bar->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    for (int i = 0; i < 100; ++i) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        if (menu && IsWindowVisible(menu)) {
            Sleep(150);
            return menu;
        }
        Sleep(10);
    }
    return nullptr;
}

// Escape closes the drop-down; the next click comes after the bar's reopening guard.
void closeDropDown(HWND menu) {
    if (!menu)
        return;
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    for (int i = 0; i < 100 && IsWindowVisible(menu); ++i)
        Sleep(10);
    Sleep(600);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const bool shots = argc > 1 && std::wcscmp(argv[1], L"--shots") == 0;
    std::u16string scheme = argc > 1 && !shots ? fromWide(argv[1]) : u"";

    s::gui::drawer::Skinner* skinner = s::gui::drawer::Skinner::create(u"ThinWindow");
    Window* window = Window::take();
    if (!skinner || !window || !window->isValid())
        return 1;
    window->setSkinner(skinner);
    window->setTitle(u"Tellavo gallery");
    window->setBounds(20, 20, 560, 470);
    Gallery gallery;
    gallery.build(*window);
    window->setVisible(true, true);

    int status = 0;
    if (shots) {
        for (int32_t i = 0; i < skinner->count(); ++i) {
            showScheme(*window, *skinner, gallery, i);
            HWND menu = openDropDown(gallery.bar);
            std::string name = "gallery-" + narrow(skinner->nameAt(i));
            if (!s::gui::testing::savePng(s::gui::testing::captureWindow(window->hwnd()),
                                          name.c_str())) {
                std::fprintf(stderr, "gallery: could not write %s.png\n", name.c_str());
                status = 1;
            } else {
                std::printf("gallery: %s.png\n", name.c_str());
            }
            closeDropDown(menu);
        }
    } else {
        int32_t index = scheme.empty() ? 0 : skinner->selectByName(scheme.c_str());
        showScheme(*window, *skinner, gallery, index < 0 ? 0 : index);
        window->waitUntilClosed();
    }
    window->release();
    skinner->release();
    return status;
}

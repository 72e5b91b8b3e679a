#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "gui/menu/menu_item.h"
#include "gui/win/box.h"
#include "gui/win/button.h"
#include "gui/win/check_box.h"
#include "gui/win/combo_box.h"
#include "gui/win/font.h"
#include "gui/win/label.h"
#include "gui/win/list_box_ex.h"
#include "gui/win/menu_ex.h"
#include "gui/win/popup_menu.h"
#include "gui/win/range_controls.h"
#include "gui/win/scroll_bar.h"
#include "gui/win/status_bar.h"
#include "gui/win/text_field.h"
#include "gui/win/window.h"
#include "lang/lang_pack.h"
#include "lang/localizer.h"
#include "tests/gui/win/win_test_support.h"

namespace s::gui::win {
namespace {

using testing::eventually;
using testing::flush;
using testing::settle;
using testing::TestWindow;
using testing::ThreadLog;

// Runs xdotool on the test's X display (Wine starts Unix programs); the commands of one
// call run in order. The process handle cannot be waited for: callers poll for the effect.
void xdo(const std::string& commands) {
    std::wstring line = L"Z:\\usr\\bin\\xdotool " + std::wstring(commands.begin(), commands.end());
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &si, &pi));
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

// The screen point at (dx, dy) inside a native window ("x y" for xdotool).
std::string at(HWND hwnd, int32_t dx, int32_t dy) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return std::to_string(r.left + dx) + " " + std::to_string(r.top + dy);
}

std::string centreOf(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return at(hwnd, (r.right - r.left) / 2, (r.bottom - r.top) / 2);
}

// Moves the pointer off every control and waits until the window saw it.
void park() {
    xdo("mousemove 1200 1000");
    eventually([] {
        POINT p;
        return GetCursorPos(&p) && p.x == 1200;
    });
}

lang::Localizer* twoLanguages() {
    lang::Localizer* localizer = lang::Localizer::take();
    lang::LangPack* en = lang::LangPack::take();
    en->setNames(u"en", u"English", u"English");
    en->addText(7, u"Close");
    lang::LangPack* de = lang::LangPack::take();
    de->setNames(u"de", u"German", u"Deutsch");
    de->addText(7, u"Schlie\u00dfen");
    localizer->addLanguage(en);
    localizer->addLanguage(de);
    localizer->selectLanguage(u"English");
    return localizer;
}

// One shown window with a vertical box that fills it.
struct Scene {
    Scene() {
        w->setBounds(60, 60, 420, 320);
        root = Box::take();
        root->setFillParent();
        root->setMargin(10);
        root->setVerticalSpacing(8);
        w->addChild(root);
        w->setVisible(true, true);
        settle(*w);
    }
    void add(IComponent* c) {
        root->addChild(c);
        settle(*w);
    }
    TestWindow w;
    Box* root = nullptr;
};

std::wstring nativeText(HWND hwnd) {
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return text;
}

TEST(ButtonWin, ClicksToggleAndAToggleWithoutReleaseStaysDown) {
    Scene scene;
    Button* button = Button::take();
    button->setText(u"Toggle");
    button->setToggle(true, false);
    ThreadLog clicks, toggles;
    button->addClickListener(&clicks);
    button->addToggleListener(&toggles);
    scene.add(button);
    ASSERT_NE(button->hwnd(), nullptr);
    // The platform's ideal size needs newer common controls than a plain program has: the
    // button measured its caption itself.
    EXPECT_GT(button->minimumWidth(), 20);
    EXPECT_GT(button->minimumHeight(), 10);

    for (int round = 1; round <= 2; ++round) {
        xdo("mousemove " + centreOf(button->hwnd()) + " click 1");
        ASSERT_TRUE(eventually([&] { return static_cast<int>(toggles.ids().size()) == round; }));
        EXPECT_TRUE(button->isDown()) << round;
    }
    EXPECT_EQ(clicks.ids(), (std::vector<int32_t>{1, 1}));
    EXPECT_EQ(toggles.ids(), (std::vector<int32_t>{2, 2}));
    button->setToggle(true, true);
    xdo("click 1");
    ASSERT_TRUE(eventually([&] { return toggles.ids().size() == 3; }));
    EXPECT_FALSE(button->isDown());
    park();
}

TEST(ButtonWin, HoverIsTrackedWithoutTakingTheMouse) {
    Scene scene;
    Button* button = Button::take();
    button->setText(u"Hover");
    scene.add(button);
    park();
    xdo("mousemove " + centreOf(button->hwnd()));
    ASSERT_TRUE(eventually([&] { return button->state() == 1; }));
    HWND captured = nullptr;
    scene.w->onWindowThread([&] { captured = GetCapture(); });
    EXPECT_NE(captured, button->hwnd());
    park();
    EXPECT_TRUE(eventually([&] { return button->state() == 0; }));
}

TEST(ButtonWin, AutoRepeatPressesAtOnceAfter500MsThenEvery100Ms) {
    Scene scene;
    Button* button = Button::take();
    button->setText(u"Repeat");
    button->setAutoRepeat(true);
    std::vector<DWORD> times;
    ThreadLog presses;
    presses.hook = [&](int32_t) { times.push_back(GetTickCount()); };
    button->addPressListener(&presses);
    scene.add(button);
    xdo("mousemove " + centreOf(button->hwnd()) + " mousedown 1 sleep 0.95 mouseup 1");
    ASSERT_TRUE(eventually([&] {
        return times.size() >= 2 && !button->isPositioningSuspended() &&
               GetTickCount() - times.back() > 400;
    }));
    flush(*scene.w);
    std::printf("[ figures  ] auto-repeat gaps (ms):");
    for (size_t i = 1; i < times.size(); ++i)
        std::printf(" %lu", times[i] - times[i - 1]);
    std::printf("\n");
    for (int32_t id : presses.ids())
        EXPECT_EQ(id, 3);
    // Held about 950 ms: at once, at 500, then about every 100 ms.
    ASSERT_GE(times.size(), 3u);
    EXPECT_LE(times.size(), 6u);
    EXPECT_GE(times[1] - times[0], 480u);
    // Ticks may come a little late or early one by one; together they keep the interval.
    for (size_t i = 2; i < times.size(); ++i) {
        EXPECT_GT(times[i], times[i - 1]) << i;
        EXPECT_GE(times[i] - times[1] + 25, 100u * (i - 1)) << i;
    }
    park();
}

TEST(ButtonWin, TextIdFollowsTheLocalizerAndStaysLiteralWithoutOne) {
    Scene scene;
    Button* plain = Button::take();
    plain->setText(u"Literal");
    plain->setTextId(7);
    scene.add(plain);
    EXPECT_EQ(nativeText(plain->hwnd()), L"Literal");

    lang::Localizer* localizer = twoLanguages();
    TestWindow other;
    other->setLocalizer(localizer);
    Box* root = Box::take();
    other->addChild(root);
    Button* localized = Button::take();
    localized->setTextId(7);
    root->addChild(localized);
    flush(*other);
    EXPECT_EQ(nativeText(localized->hwnd()), L"Close");
    other->onWindowThread([&] { localizer->selectLanguage(u"German"); });
    EXPECT_EQ(nativeText(localized->hwnd()), L"Schlie\u00dfen");
    other.window->release();
    other.window = nullptr;
    localizer->release();
}

TEST(TextFieldWin, TypingReportsChangesAndReturn) {
    Scene scene;
    TextField* field = TextField::take();
    ThreadLog changes, returns;
    field->addChangeListener(&changes);
    field->addReturnListener(&returns);
    field->setText(u"x");  // set before the field exists: making it is no change
    scene.add(field);
    EXPECT_TRUE(changes.ids().empty());
    scene.w->onWindowThread([&] { field->setText(u""); });
    ASSERT_EQ(changes.ids().size(), 1u);
    changes.entries.clear();
    xdo("mousemove " + centreOf(field->hwnd()) + " click 1 sleep 0.2 type abc");
    ASSERT_TRUE(eventually([&] { return changes.ids().size() == 3; }));
    std::u16string typed;
    scene.w->onWindowThread([&] { typed = field->text(); });
    EXPECT_EQ(typed, u"abc");
    xdo("key Return");
    ASSERT_TRUE(eventually([&] { return returns.ids().size() == 1; }));
    EXPECT_EQ(returns.ids()[0], 2);
    scene.w->onWindowThread([&] { field->setEditable(false); });
    EXPECT_TRUE(GetWindowLongPtrW(field->hwnd(), GWL_STYLE) & ES_READONLY);
    park();
}

TEST(ComboBoxWin, MouseSelectsAndOutOfRangeSelectsTheFirstItemNotifyingOnlyOnChange) {
    Scene scene;
    ComboBox* combo = ComboBox::take();
    for (const char16_t* t : {u"Tokyo", u"Berlin", u"Lima"})
        combo->addItem(t, 0);
    ThreadLog changes;
    combo->addSelectionListener(&changes);
    scene.add(combo);
    scene.w->onWindowThread([&] {
        combo->setSelection(2, false);
        combo->setSelection(99, true);  // item 0, a change: told
        combo->setSelection(-4, true);  // item 0 again: not told
    });
    EXPECT_EQ(combo->selection(), 0);
    EXPECT_EQ(changes.ids().size(), 1u);

    RECT r;
    GetWindowRect(combo->hwnd(), &r);
    const int32_t itemHeight =
        static_cast<int32_t>(SendMessageW(combo->hwnd(), CB_GETITEMHEIGHT, 0, 0));
    xdo("mousemove " + at(combo->hwnd(), 20, combo->height() / 2) + " click 1");
    ASSERT_TRUE(eventually([&] { return SendMessageW(combo->hwnd(), CB_GETDROPPEDSTATE, 0, 0); }));
    xdo("mousemove " + at(combo->hwnd(), 20, combo->height() + itemHeight * 3 / 2 + 2) +
        " click 1");
    ASSERT_TRUE(eventually([&] { return changes.ids().size() == 2; }));
    EXPECT_EQ(combo->selection(), 1);
    EXPECT_EQ(combo->previousSelection(), 0);
    park();
}

TEST(MenuExWin, ClickOpensSecondClickClosesHoverSwitchesAndCommandsArrive) {
    Scene scene;
    MenuEx* bar = MenuEx::standard();
    bar->setExactWidth(300);
    PopupMenu* file = PopupMenu::take();
    file->setTitle(u"File");
    file->addItem(menuitem::MenuItem::textItem(u"Open", 11));
    file->addItem(menuitem::MenuItem::textItem(u"Exit", 12));
    PopupMenu* view = PopupMenu::take();
    view->setTitle(u"View");
    view->addItem(menuitem::MenuItem::textItem(u"Pacific Time (US & Canada)", 21));
    bar->addMenuEntry(file);
    bar->addMenuEntry(view);
    bar->addCommandEntry(menuitem::MenuItem::textItem(u"Help", 31));
    ThreadLog commands, opens;
    bar->addListener(&commands);
    bar->addOpenListener(&opens);
    scene.add(bar);
    RECT fileRect, viewRect, helpRect;
    ASSERT_TRUE(bar->entryRect(0, fileRect));
    ASSERT_TRUE(bar->entryRect(1, viewRect));
    ASSERT_TRUE(bar->entryRect(2, helpRect));
    auto openDropDown = [] {
        return FindWindowW(L"#32768", nullptr) != nullptr &&
               IsWindowVisible(FindWindowW(L"#32768", nullptr));
    };

    // Beside the entries the bar lets the mouse through.
    RECT barRect;
    GetWindowRect(bar->hwnd(), &barRect);
    LRESULT beside = SendMessageW(bar->hwnd(), WM_NCHITTEST, 0,
                                  MAKELPARAM(barRect.left + helpRect.right + 20, barRect.top + 3));
    LRESULT onEntry =
        SendMessageW(bar->hwnd(), WM_NCHITTEST, 0, MAKELPARAM(barRect.left + 5, barRect.top + 3));
    EXPECT_EQ(beside, HTTRANSPARENT);
    EXPECT_EQ(onEntry, HTCLIENT);

    const std::string fileAt = at(bar->hwnd(), fileRect.left + 8, 6);
    const std::string viewAt = at(bar->hwnd(), viewRect.left + 8, 6);
    xdo("mousemove " + fileAt + " click 1");
    ASSERT_TRUE(eventually(openDropDown));
    EXPECT_EQ(bar->logic().openEntry(), 0);
    // Along the bar: the drop-down switches to the entry under the cursor.
    xdo("mousemove " + viewAt);
    ASSERT_TRUE(eventually([&] { return bar->logic().openEntry() == 1 && openDropDown(); }));
    EXPECT_GE(opens.ids().size(), 2u);
    // A second click on the open title closes it, and does not open it again.
    xdo("click 1");
    ASSERT_TRUE(eventually([&] { return !bar->logic().isOpen(); }));
    Sleep(300);
    EXPECT_FALSE(openDropDown());
    // Opened again later, an item is chosen with the mouse.
    Sleep(400);
    xdo("click 1");
    ASSERT_TRUE(eventually(openDropDown));
    RECT menuRect;
    GetWindowRect(FindWindowW(L"#32768", nullptr), &menuRect);
    xdo("mousemove " + std::to_string(menuRect.left + 20) + " " +
        std::to_string(menuRect.top + 10) + " click 1");
    ASSERT_TRUE(eventually([&] { return commands.ids().size() == 1; }));
    EXPECT_EQ(bar->lastCommand(), 21);
    // The command entry fires on release.
    xdo("mousemove " + at(bar->hwnd(), helpRect.left + 8, 6) + " click 1");
    ASSERT_TRUE(eventually([&] { return commands.ids().size() == 2; }));
    EXPECT_EQ(bar->lastCommand(), 31);
    park();
}

TEST(ComboBoxWin, FontPreviewDrawsEachItemInItsFaceAndDeletesThoseFonts) {
    Scene scene;
    ComboBox* combo = ComboBox::take();
    combo->setFontPreview(true);
    for (const char16_t* face : {u"Tahoma", u"Courier New", u"Marlett"})
        combo->addItem(face, 0);
    combo->setSelection(1, false);
    scene.add(combo);
    const int32_t fontsBefore = Font::liveCount();
    scene.w->onWindowThread([&] { SendMessageW(combo->hwnd(), CB_SHOWDROPDOWN, TRUE, 0); });
    settle(*scene.w);
    scene.w->onWindowThread([&] { SendMessageW(combo->hwnd(), CB_SHOWDROPDOWN, FALSE, 0); });
    settle(*scene.w);
    EXPECT_GE(combo->previewItemsDrawn(), 3);
    EXPECT_EQ(Font::liveCount(), fontsBefore);
}

TEST(MenuExWin, ALanguageChangeRetitlesTheEntries) {
    lang::Localizer* localizer = twoLanguages();
    TestWindow window;
    window->setLocalizer(localizer);
    window->setBounds(60, 60, 300, 120);
    Box* root = Box::take();
    root->setFillParent();
    window->addChild(root);
    MenuEx* bar = MenuEx::standard();
    PopupMenu* popup = PopupMenu::take();
    popup->setTitleId(7);
    popup->addItem(menuitem::MenuItem::textItem(u"Tokyo", 1));
    bar->addMenuEntry(popup);
    bar->addCommandEntry(menuitem::MenuItem::localizedItem(7, localizer, 2, false));
    bar->addCommandEntry(menuitem::MenuItem::textItem(u"Lima", 3));
    root->addChild(bar);
    window->setVisible(true, true);
    settle(*window);
    RECT before[3], after[3];
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(bar->entryRect(i, before[i]));
    EXPECT_EQ(std::u16string(popup->title()), u"Close");
    window->onWindowThread([&] { localizer->selectLanguage(u"German"); });
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(bar->entryRect(i, after[i]));
    EXPECT_EQ(std::u16string(popup->title()), u"Schlie\u00dfen");
    // "Schließen" is wider than "Close": both localized entries grew, the literal one moved
    // along but kept its width.
    EXPECT_GT(after[0].right - after[0].left, before[0].right - before[0].left);
    EXPECT_GT(after[1].right - after[1].left, before[1].right - before[1].left);
    EXPECT_EQ(after[2].right - after[2].left, before[2].right - before[2].left);
    window.window->release();
    window.window = nullptr;
    localizer->release();
}

TEST(LabelWin, TextFromAnotherThreadIsSetAndLaidOutOnTheWindowsThread) {
    Scene scene;
    Label* label = Label::take();
    label->setText(u"00:00:00");
    scene.add(label);
    ThreadLog layouts;
    scene.root->addLayoutListener(&layouts);
    const int32_t before = label->maximumWidth();
    std::thread worker([&] { label->setText(u"Friday, 11 December 2026 23:59:59"); });
    worker.join();
    flush(*scene.w);
    EXPECT_EQ(nativeText(label->hwnd()), L"Friday, 11 December 2026 23:59:59");
    EXPECT_GT(label->maximumWidth(), before);
    ASSERT_FALSE(layouts.entries.empty());
    for (const ThreadLog::Entry& e : layouts.entries)
        EXPECT_EQ(e.thread, scene.w->threadId());
    // Widths from nowhere: neither a read out of range nor a huge cache.
    scene.w->onWindowThread([&] {
        label->resizeClamped(INT_MAX, 0);
        label->resizeClamped(-50, 0);
        label->resizeClamped(1 << 30, 0);
    });
    EXPECT_GT(label->height(), 0);
}

TEST(StatusBarWin, BesideItsContentTheMouseGoesToTheWindowBelow) {
    Scene scene;
    StatusBar* bar = StatusBar::take();
    Label* line = Label::take();
    line->setText(u"Ready");
    bar->setContent(line);
    scene.add(bar);
    ASSERT_NE(bar->hwnd(), nullptr);
    RECT r;
    GetWindowRect(bar->hwnd(), &r);
    LRESULT hit = SendMessageW(bar->hwnd(), WM_NCHITTEST, 0, MAKELPARAM(r.right - 2, r.bottom - 2));
    EXPECT_EQ(hit, HTTRANSPARENT);
    EXPECT_GT(bar->minimumHeight(), 0);
}

TEST(RadioButtonWin, AClickMovesTheMarkAndTellsBothButtons) {
    Scene scene;
    Box* group = Box::take();
    group->setHorizontalStyle();
    group->setHorizontalSpacing(10);
    RadioButton* one = RadioButton::take();
    RadioButton* two = RadioButton::take();
    one->setText(u"One");
    two->setText(u"Two");
    one->setChecked(true);
    ThreadLog oneChecked, oneUnchecked, twoChecked;
    one->addCheckedListener(&oneChecked);
    one->addUncheckedListener(&oneUnchecked);
    two->addCheckedListener(&twoChecked);
    group->addChild(one);
    group->addChild(two);
    scene.add(group);
    ASSERT_TRUE(one->isChecked());
    xdo("mousemove " + at(two->hwnd(), 6, two->height() / 2) + " click 1");
    ASSERT_TRUE(eventually([&] { return twoChecked.ids().size() == 1 && !one->isChecked(); }));
    flush(*scene.w);
    EXPECT_TRUE(two->isChecked());
    EXPECT_EQ(oneUnchecked.ids(), (std::vector<int32_t>{0}));
    EXPECT_TRUE(oneChecked.ids().empty());
    park();
}

TEST(CheckBoxWin, ClicksFollowTheNativeCheckStateAndAmpersandsShow) {
    Scene scene;
    CheckBox* box = CheckBox::take();
    box->setText(u"Time & date");
    ThreadLog checks;
    box->addCheckListener(&checks);
    scene.add(box);
    EXPECT_EQ(nativeText(box->hwnd()), L"Time && date");
    xdo("mousemove " + at(box->hwnd(), 6, box->height() / 2) + " click 1");
    ASSERT_TRUE(eventually([&] { return checks.ids().size() == 1; }));
    EXPECT_TRUE(box->isChecked());
    scene.w->onWindowThread([&] { box->setChecked(false); });
    EXPECT_EQ(checks.ids(), (std::vector<int32_t>{1, 2}));
    park();
}

TEST(ListBoxExWin, RowsStackAndTheBarTheWheelAndADragScrollThem) {
    Scene scene;
    ListBoxEx* list = ListBoxEx::take();
    list->setExactWidth(200, false);
    list->setExactHeight(90, false);
    std::vector<Label*> rows;
    for (int i = 0; i < 12; ++i) {
        Label* row = Label::take();
        std::u16string text = u"Row " + std::u16string(1, static_cast<char16_t>(u'A' + i));
        row->setText(text.c_str());
        rows.push_back(row);
        list->addRow(row);
    }
    ThreadLog scrolls;
    list->scrollBar()->addScrollListener(&scrolls);
    scene.add(list);
    EXPECT_EQ(list->rowCount(), 12);
    EXPECT_EQ(rows[0]->y(), 0);
    EXPECT_EQ(rows[1]->y(), rows[0]->height());
    EXPECT_EQ(rows[0]->width(), 200 - list->scrollBar()->width());
    scene.w->onWindowThread([&] { list->scrollTo(30); });
    EXPECT_EQ(rows[0]->y(), -30);
    scene.w->onWindowThread([&] { list->scrollTo(100000); });  // clamped to the last page
    const int32_t last = list->scrollPosition();
    EXPECT_EQ(rows[11]->y() + rows[11]->height(), 90);

    // The wheel over the list scrolls it back up by a step.
    xdo("mousemove " + centreOf(list->hwnd()) + " click 4");
    ASSERT_TRUE(eventually([&] { return list->scrollPosition() < last; }));
    EXPECT_EQ(list->scrollPosition(), last - ListBoxEx::kWheelStep);

    // Dragging the thumb to the top.
    scene.w->onWindowThread([&] { list->scrollTo(last); });
    int32_t start = 0, size = 0;
    list->scrollBar()->info().thumb(90, start, size);
    HWND bar = list->scrollBar()->hwnd();
    xdo("mousemove " + at(bar, 6, start + size / 2) + " mousedown 1 mousemove " + at(bar, 6, 0) +
        " mouseup 1");
    ASSERT_TRUE(eventually([&] { return list->scrollPosition() == 0; }));
    flush(*scene.w);  // the drag's events have been told
    EXPECT_FALSE(scrolls.ids().empty());
    EXPECT_EQ(rows[0]->y(), 0);
    park();
}

}  // namespace
}  // namespace s::gui::win

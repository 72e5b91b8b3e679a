#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/str_buffer.h"
#include "gui/i_menu_target.h"
#include "gui/menu/command_routing.h"
#include "gui/menu/menu_item.h"
#include "gui/menu/popup_menu_base.h"
#include "lang/lang_pack.h"
#include "lang/localizer.h"
#include "tests/gui/test_support.h"

namespace s::gui::menu {
namespace {

using menuitem::MenuItem;

// What a native menu would show: one row per entry, kept by the hooks.
struct NativeEntry {
    std::u16string text;
    bool submenu = false;
    bool checked = false;
    bool radio = false;
    bool enabled = true;
};

class FakeMenu final : public PopupMenuBase {
public:
    ~FakeMenu() override { resetMenu(); }
    static FakeMenu* make() { return new FakeMenu(); }
    const char16_t* className() const override { return u"FakeMenu"; }
    base::IObject* newInstance() const override { return new FakeMenu(); }
    void release() override {
        ++released;
        delete this;
    }
    void reset() override { resetMenu(); }
    void* nativeMenu() override { return this; }
    void openAt(void*, int32_t, int32_t) override {}

    std::vector<NativeEntry> native;
    static inline int released = 0;

protected:
    void nativeInsertItem(int32_t position, const MenuItem& item) override {
        NativeEntry e;
        if (!item.isSeparator()) {
            str::strbuffer::StrBuffer shown;
            item.nativeText(shown);
            e.text = shown.text();
        } else {
            e.text = u"---";
        }
        e.checked = item.isChecked();
        native.insert(native.begin() + position, e);
    }
    void nativeInsertSubmenu(int32_t position, PopupMenuBase& submenu) override {
        str::strbuffer::StrBuffer shown;
        submenu.nativeTitle(shown);
        NativeEntry e;
        e.text = shown.text();
        e.submenu = true;
        native.insert(native.begin() + position, e);
    }
    void nativeRemove(int32_t position) override { native.erase(native.begin() + position); }
    void nativeSetText(int32_t position, const char16_t* text) override {
        native[position].text = text;
    }
    void nativeCheck(int32_t position, bool on) override { native[position].checked = on; }
    void nativeCheckRadio(int32_t check, int32_t first, int32_t last) override {
        for (int32_t i = first; i <= last; ++i)
            native[i].radio = i == check;
    }
    void nativeEnable(int32_t position, bool on) override { native[position].enabled = on; }

private:
    FakeMenu() = default;
};

// Two languages with the ids the menus use.
lang::Localizer* twoLanguages() {
    lang::Localizer* localizer = lang::Localizer::take();
    lang::LangPack* en = lang::LangPack::take();
    en->setNames(u"en", u"English", u"English");
    en->addText(10, u"&File");
    en->addText(11, u"E&xit");
    en->addText(12, u"&Always on top");
    en->addText(13, u"&Language");
    lang::LangPack* de = lang::LangPack::take();
    de->setNames(u"de", u"German", u"Deutsch");
    de->addText(10, u"&Datei");
    de->addText(11, u"&Beenden");
    de->addText(12, u"&Immer im Vordergrund");
    de->addText(13, u"&Sprache");
    localizer->addLanguage(en);
    localizer->addLanguage(de);
    localizer->selectLanguage(u"English");
    return localizer;
}

TEST(MenuItem, LiteralTextsDoubleAmpersandsLanguagePackTextsStay) {
    lang::Localizer* localizer = twoLanguages();
    struct Case {
        MenuItem* item;
        const char16_t* shown;
    } cases[] = {
        {MenuItem::textItem(u"Pacific Time (US & Canada)", 1), u"Pacific Time (US && Canada)"},
        {MenuItem::textItem(u"&&", 2), u"&&&&"},
        {MenuItem::textItem(nullptr, 3), u""},
        {MenuItem::localizedItem(11, localizer, 4, false), u"E&xit"},
    };
    for (const Case& c : cases) {
        str::strbuffer::StrBuffer shown;
        c.item->nativeText(shown);
        EXPECT_EQ(std::u16string(shown.text()), c.shown);
        c.item->release();
    }
    localizer->release();
}

TEST(MenuItem, TextIdWithoutLocalizerKeepsTheLiteralText) {
    MenuItem* item = MenuItem::textItem(u"Keep", 5);
    item->setTextId(11);
    EXPECT_EQ(std::u16string(item->text()), u"Keep");
    EXPECT_FALSE(item->refreshText());
    item->release();
    MenuItem* none = MenuItem::localizedItem(11, nullptr, 6, true);
    EXPECT_EQ(std::u16string(none->text()), u"");
    EXPECT_TRUE(none->isChecked());
    EXPECT_EQ(none->command(), 6);
    none->release();
}

TEST(PopupMenuBase, HasCommandAndMarksReachIntoSubmenus) {
    FakeMenu* top = FakeMenu::make();
    FakeMenu* sub = FakeMenu::make();
    FakeMenu* subsub = FakeMenu::make();
    top->addItem(MenuItem::textItem(u"One", 1));
    sub->setTitle(u"Sub");
    sub->addItem(MenuItem::textItem(u"Two", 2));
    subsub->addItem(MenuItem::textItem(u"Three", 3));
    sub->addSubmenu(subsub);
    top->addSubmenu(sub);
    for (int32_t command : {1, 2, 3})
        EXPECT_TRUE(top->hasCommand(command)) << command;
    EXPECT_FALSE(top->hasCommand(4));
    EXPECT_FALSE(sub->hasCommand(1));
    EXPECT_EQ(top->entryCount(), 2);
    EXPECT_EQ(top->itemCount(), 1);

    EXPECT_TRUE(top->setChecked(3, true));
    EXPECT_TRUE(top->isChecked(3));
    EXPECT_TRUE(subsub->native[0].checked);
    EXPECT_FALSE(top->setChecked(99, true));
    EXPECT_FALSE(top->setItemText(99, u"x"));
    EXPECT_FALSE(top->setEnabled(99, false));
    EXPECT_TRUE(top->setEnabled(2, false));
    EXPECT_FALSE(sub->native[0].enabled);
    EXPECT_TRUE(top->setItemText(2, u"A & B"));
    EXPECT_EQ(sub->native[0].text, u"A && B");
    EXPECT_EQ(top->native[1].text, u"Sub");

    FakeMenu::released = 0;
    top->clear();
    EXPECT_EQ(FakeMenu::released, 2);  // both submenus, each once
    EXPECT_EQ(top->entryCount(), 0);
    EXPECT_TRUE(top->native.empty());
    top->release();
}

TEST(PopupMenuBase, PositionsCountItemsAndSubmenus) {
    FakeMenu* menu = FakeMenu::make();
    menu->addItem(MenuItem::textItem(u"a", 1));
    FakeMenu* sub = FakeMenu::make();
    sub->setTitle(u"S");
    menu->addSubmenu(sub);
    MenuItem* c = MenuItem::textItem(u"c", 3);
    c->setData(33);
    menu->addItem(c);
    menu->insertItem(0, MenuItem::separatorItem());
    EXPECT_EQ(menu->indexOfCommand(3), 3);
    EXPECT_EQ(menu->indexOfData(33), 3);
    EXPECT_EQ(menu->indexOfCommand(-1), -1);  // a separator has no command
    EXPECT_EQ(menu->submenuAt(2), sub);
    EXPECT_TRUE(menu->removeByData(33));
    EXPECT_FALSE(menu->removeAt(7));
    ASSERT_EQ(menu->native.size(), 3u);
    EXPECT_EQ(menu->native[0].text, u"---");
    EXPECT_EQ(menu->native[1].text, u"a");
    EXPECT_TRUE(menu->native[2].submenu);
    menu->release();
}

TEST(PopupMenuBase, CheckRadioAtMarksOnePositionAndMinusOneClearsAll) {
    FakeMenu* menu = FakeMenu::make();
    for (int32_t i = 0; i < 4; ++i)
        menu->addItem(MenuItem::textItem(u"lang", 100 + i));
    struct Case {
        int32_t position;
        int32_t marked;  // -1 none
    } cases[] = {{2, 2}, {0, 0}, {-1, -1}, {3, 3}, {4, -1}, {-7, -1}};
    for (const Case& c : cases) {
        menu->checkRadioAt(c.position);
        for (int32_t i = 0; i < 4; ++i) {
            EXPECT_EQ(menu->itemAt(i)->isRadioChecked(), i == c.marked) << c.position << " " << i;
            EXPECT_EQ(menu->native[i].radio, i == c.marked) << c.position << " " << i;
        }
    }
    EXPECT_TRUE(menu->checkRadioByCommand(101));
    EXPECT_TRUE(menu->native[1].radio);
    EXPECT_FALSE(menu->checkRadioByCommand(7));
    menu->checkRadio(3, 2, 3);
    EXPECT_TRUE(menu->itemAt(1)->isRadioChecked());  // outside the range: untouched
    EXPECT_TRUE(menu->itemAt(3)->isRadioChecked());
    menu->release();
}

TEST(PopupMenuBase, LanguageChangeRetitlesKeepsMarksAndLiteralTexts) {
    lang::Localizer* localizer = twoLanguages();
    FakeMenu* menu = FakeMenu::make();
    menu->setLocalizer(localizer);
    menu->addItem(MenuItem::localizedItem(12, localizer, 1, true));
    menu->addItem(MenuItem::localizedItem(11, nullptr, 2, false));  // takes the menu's
    FakeMenu* languages = FakeMenu::make();
    languages->setTitleId(13);
    languages->addItem(MenuItem::textItem(u"English", 20));
    languages->addItem(MenuItem::textItem(u"Deutsch", 21));
    menu->addSubmenu(languages);
    languages->checkRadioAt(0);
    EXPECT_EQ(menu->native[0].text, u"&Always on top");
    EXPECT_EQ(menu->native[1].text, u"E&xit");
    EXPECT_EQ(menu->native[2].text, u"&Language");

    localizer->selectLanguage(u"German");
    EXPECT_EQ(menu->native[0].text, u"&Immer im Vordergrund");
    EXPECT_TRUE(menu->native[0].checked);
    EXPECT_EQ(menu->native[1].text, u"&Beenden");
    EXPECT_FALSE(menu->native[1].checked);
    EXPECT_EQ(menu->native[2].text, u"&Sprache");
    EXPECT_EQ(std::u16string(languages->title()), u"&Sprache");
    EXPECT_EQ(languages->native[0].text, u"English");
    EXPECT_EQ(languages->native[1].text, u"Deutsch");
    EXPECT_TRUE(languages->native[0].radio);
    EXPECT_TRUE(languages->itemAt(0)->isRadioChecked());
    EXPECT_FALSE(languages->native[1].radio);

    // A released menu leaves the localizer: later changes reach nobody dangling.
    int32_t listening = localizer->listenerCount();
    menu->release();
    EXPECT_EQ(localizer->listenerCount(), listening - 2);
    localizer->selectLanguage(u"English");
    localizer->release();
}

TEST(PopupMenuBase, DispatchRemembersTheCommandThenTellsListenersInOrder) {
    FakeMenu* menu = FakeMenu::make();
    testing::EventLog first, second;
    menu->addListener(&first);
    menu->addListener(&second);
    menu->dispatchCommand(42);
    EXPECT_EQ(menu->lastCommand(), 42);
    ASSERT_EQ(first.ids.size(), 1u);
    EXPECT_EQ(first.ids[0], 0);
    EXPECT_EQ(first.sources[0], static_cast<base::IObject*>(menu));
    EXPECT_EQ(second.ids.size(), 1u);
    menu->release();
}

// Records which menu of the window was asked and which dispatched.
class RouteProbe : public IMenuTarget {
public:
    RouteProbe(std::vector<int32_t> commands, std::string name, std::string& log)
        : commands_(std::move(commands)), name_(std::move(name)), log_(log) {}
    bool hasCommand(int32_t command) const override {
        log_ += "?" + name_;
        for (int32_t c : commands_) {
            if (c == command)
                return true;
        }
        return false;
    }
    void dispatchCommand(int32_t command) override {
        log_ += "!" + name_ + std::to_string(command);
    }
    void* nativeMenu() override { return nullptr; }
    void openAt(void*, int32_t, int32_t) override {}

private:
    std::vector<int32_t> commands_;
    std::string name_;
    std::string& log_;
};

TEST(CommandRouting, MenuBarThenTrayThenContextFirstOwnerWins) {
    std::string log;
    RouteProbe bar({1, 5}, "bar", log), tray({2, 5, 6}, "tray", log), context({3, 6}, "ctx", log);
    struct Case {
        int32_t command;
        IMenuTarget* winner;
        const char* log;
    } cases[] = {
        {1, &bar, "?bar!bar1"},
        {5, &bar, "?bar!bar5"},
        {2, &tray, "?bar?tray!tray2"},
        {6, &tray, "?bar?tray!tray6"},
        {3, &context, "?bar?tray?ctx!ctx3"},
        {9, nullptr, "?bar?tray?ctx"},
    };
    for (const Case& c : cases) {
        log.clear();
        EXPECT_EQ(routeCommand(&bar, &tray, &context, c.command), c.winner) << c.command;
        EXPECT_EQ(log, c.log);
    }
    log.clear();
    EXPECT_EQ(routeCommand(nullptr, nullptr, &context, 3), &context);
    EXPECT_EQ(log, "?ctx!ctx3");
}

}  // namespace
}  // namespace s::gui::menu

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "gui/menu/menu_item.h"
#include "gui/win/popup_menu.h"
#include "lang/lang_pack.h"
#include "lang/localizer.h"

namespace s::gui::win {
namespace {

using menuitem::MenuItem;

std::wstring entryText(HMENU menu, int position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
    return text;
}

MENUITEMINFOW entryInfo(HMENU menu, int position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE | MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
    GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
    return info;
}

bool isCheckedAt(HMENU menu, int position) {
    return (entryInfo(menu, position).fState & MFS_CHECKED) != 0;
}

lang::Localizer* twoLanguages() {
    lang::Localizer* localizer = lang::Localizer::take();
    lang::LangPack* en = lang::LangPack::take();
    en->setNames(u"en", u"English", u"English");
    en->addText(1, u"&Always on top");
    en->addText(2, u"&Language");
    lang::LangPack* de = lang::LangPack::take();
    de->setNames(u"de", u"German", u"Deutsch");
    de->addText(1, u"&Immer im Vordergrund");
    de->addText(2, u"&Sprache");
    localizer->addLanguage(en);
    localizer->addLanguage(de);
    localizer->selectLanguage(u"English");
    return localizer;
}

TEST(PopupMenuWin, NativeEntriesShowLiteralAmpersandsAndKeepMarksOnRetitling) {
    lang::Localizer* localizer = twoLanguages();
    PopupMenu* menu = PopupMenu::take();
    menu->setLocalizer(localizer);
    menu->addItem(MenuItem::localizedItem(1, localizer, 101, true));
    menu->addItem(MenuItem::textItem(u"Pacific Time (US & Canada)", 102));
    menu->addItem(MenuItem::separatorItem());
    PopupMenu* languages = PopupMenu::take();
    languages->setTitleId(2);
    languages->addItem(MenuItem::textItem(u"English", 201));
    languages->addItem(MenuItem::textItem(u"Deutsch", 202));
    languages->addItem(MenuItem::textItem(u"Fran\u00e7ais", 203));
    menu->addSubmenu(languages);
    languages->checkRadioAt(1);

    HMENU h = menu->hmenu();
    HMENU sub = languages->hmenu();
    ASSERT_EQ(GetMenuItemCount(h), 4);
    EXPECT_EQ(entryText(h, 1), L"Pacific Time (US && Canada)");
    EXPECT_TRUE(isCheckedAt(h, 0));
    EXPECT_TRUE(entryInfo(h, 2).fType & MFT_SEPARATOR);
    EXPECT_EQ(entryInfo(h, 3).hSubMenu, sub);
    EXPECT_TRUE(isCheckedAt(sub, 1));
    EXPECT_TRUE(entryInfo(sub, 1).fType & MFT_RADIOCHECK);
    EXPECT_TRUE(menu->hasCommand(203));
    EXPECT_TRUE(menu->setEnabled(202, false));

    localizer->selectLanguage(u"German");
    EXPECT_EQ(entryText(h, 0), L"&Immer im Vordergrund");
    EXPECT_EQ(entryText(h, 3), L"&Sprache");
    EXPECT_EQ(entryText(h, 1), L"Pacific Time (US && Canada)");
    EXPECT_EQ(entryText(sub, 1), L"Deutsch");
    EXPECT_TRUE(isCheckedAt(h, 0));
    EXPECT_FALSE(isCheckedAt(h, 1));
    EXPECT_TRUE(isCheckedAt(sub, 1));
    EXPECT_FALSE(isCheckedAt(sub, 0));
    EXPECT_TRUE(entryInfo(sub, 1).fState & MFS_GRAYED);
    EXPECT_EQ(entryInfo(h, 3).hSubMenu, sub);

    languages->checkRadioAt(-1);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(isCheckedAt(sub, i)) << i;

    menu->release();
    EXPECT_FALSE(IsMenu(h));
    EXPECT_FALSE(IsMenu(sub));
    localizer->release();
}

// The tray menu is built again at every right click.
PopupMenu* trayLikeMenu(int round) {
    PopupMenu* menu = PopupMenu::take();
    for (int i = 0; i < 5; ++i)
        menu->addItem(MenuItem::textItem(u"Clock 12:00", 1000 + i));
    menu->addItem(MenuItem::separatorItem());
    PopupMenu* sub = PopupMenu::take();
    sub->setTitle(u"More & more");
    sub->addItem(MenuItem::textItem(u"Inner", 2000 + round % 7));
    PopupMenu* subsub = PopupMenu::take();
    subsub->setTitle(u"Deeper");
    subsub->addItem(MenuItem::textItem(u"x", 3000));
    sub->addSubmenu(subsub);
    menu->addSubmenu(sub);
    menu->addItem(MenuItem::textItem(u"Exit", 9));
    menu->hmenu();
    return menu;
}

TEST(PopupMenuWin, ThousandRebuildsLeaveHandleCountsFlat) {
    lang::Localizer* localizer = twoLanguages();
    PopupMenu* warm = trayLikeMenu(0);
    warm->release();
    const int32_t listenersBefore = localizer->listenerCount();
    const DWORD userBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const int32_t liveBefore = MenuHandle::liveCount();
    HMENU firstHandles[3] = {};
    for (int round = 0; round < 1000; ++round) {
        PopupMenu* menu = trayLikeMenu(round);
        if (round == 0) {
            firstHandles[0] = menu->hmenu();
            firstHandles[1] = static_cast<HMENU>(menu->submenuAt(6)->nativeMenu());
            firstHandles[2] = static_cast<HMENU>(menu->submenuAt(6)->submenuAt(1)->nativeMenu());
        }
        ASSERT_EQ(MenuHandle::liveCount(), liveBefore + 3);
        menu->setLocalizer(localizer);  // the menu and both submenus listen now
        menu->release();
    }
    const DWORD userAfter = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const DWORD gdiAfter = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    std::printf(
        "[ figures  ] 1000 tray-menu rebuilds: live menus %d -> %d, USER objects %lu -> "
        "%lu, GDI objects %lu -> %lu (the system reports 0 where it does not count)\n",
        liveBefore, MenuHandle::liveCount(), userBefore, userAfter, gdiBefore, gdiAfter);
    EXPECT_EQ(MenuHandle::liveCount(), liveBefore);
    EXPECT_EQ(userAfter, userBefore);
    EXPECT_EQ(gdiAfter, gdiBefore);
    for (HMENU h : firstHandles)
        EXPECT_FALSE(IsMenu(h));
    // Released menus leave the localizer: no listener outlives its menu.
    EXPECT_EQ(localizer->listenerCount(), listenersBefore);
    localizer->release();
}

TEST(PopupMenuWin, RemovingASubmenuDestroysItsHandleAndClearEmptiesTheMenu) {
    PopupMenu* menu = trayLikeMenu(1);
    HMENU sub = static_cast<HMENU>(menu->submenuAt(6)->nativeMenu());
    EXPECT_TRUE(menu->removeAt(6));  // the submenu is released: its handle goes with it
    EXPECT_FALSE(IsMenu(sub));
    EXPECT_EQ(GetMenuItemCount(menu->hmenu()), 7);
    menu->clear();
    EXPECT_EQ(GetMenuItemCount(menu->hmenu()), 0);
    EXPECT_TRUE(IsMenu(menu->hmenu()));
    menu->release();
}

}  // namespace
}  // namespace s::gui::win

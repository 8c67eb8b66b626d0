// The popup menu built from the design's menu tree, and a choice made in it with the keyboard.
#include "forms/win32/popup_menu.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "forms/controls.h"
#include "forms/win32/popup_menu_builder.h"
#include "forms/win32/text.h"
#include "tests/wine/wine_test_support.h"

namespace zantiro::wine_tests {
namespace {

using forms::MenuItem;

// A small tree with every kind of entry the function menu has.
class MenuTree : public ::testing::Test {
protected:
    MenuTree() {
        preset.setItems({&fiveMinutes, &tenMinutes, &hiddenPreset});
        top.setItems({&start, &separator, &preset, &sound, &hiddenTop, &quit});
        for (MenuItem* item : {&start, &fiveMinutes, &tenMinutes, &sound, &quit}) {
            item->onClick = [this, item] { clicked.push_back(item); };
        }
    }

    static std::wstring text(HMENU menu, int position) {
        wchar_t buffer[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(position), buffer, 64, MF_BYPOSITION);
        return buffer;
    }
    static UINT state(HMENU menu, int position) {
        return GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    }

    // Design: caption, shortcut, checked, visible.
    MenuItem top{"menucaidan", {"功能", "", false, false}};
    MenuItem start{"kaishi", {"开始(&S)", "F1", false, true}};
    MenuItem separator{"fenge", {"-", "", false, true}};
    MenuItem preset{"yushe", {"预设时间", "", false, true}};
    MenuItem fiveMinutes{"wufen", {"5 分钟", "", true, true}};
    MenuItem tenMinutes{"shifen", {"10 分钟", "", false, true}};
    MenuItem hiddenPreset{"yincang", {"隐藏", "", false, false}};
    MenuItem sound{"yinxiao", {"音效", "F5", true, true}};
    MenuItem hiddenTop{"buxianshi", {"不显示", "", false, false}};
    MenuItem quit{"tuichu", {"退出", "", false, true}};
    std::vector<MenuItem*> clicked;
};

TEST_F(MenuTree, ShowsTheVisibleItemsWithSeparatorsSubmenusChecksAndShortcuts) {
    const forms::win32::BuiltMenu built = forms::win32::buildPopupMenu(top);
    HMENU menu = built.menu.get();
    ASSERT_EQ(GetMenuItemCount(menu), 5);

    EXPECT_EQ(text(menu, 0), L"开始(&S)\tF1");
    EXPECT_EQ(state(menu, 0) & (MF_CHECKED | MF_SEPARATOR | MF_POPUP), 0u);
    EXPECT_NE(state(menu, 1) & MF_SEPARATOR, 0u);
    EXPECT_EQ(text(menu, 2), L"预设时间");
    EXPECT_EQ(text(menu, 3), L"音效\tF5");
    EXPECT_NE(state(menu, 3) & MF_CHECKED, 0u);
    EXPECT_EQ(text(menu, 4), L"退出");
    EXPECT_EQ(state(menu, 4) & MF_CHECKED, 0u);

    HMENU submenu = GetSubMenu(menu, 2);
    ASSERT_NE(submenu, nullptr);
    ASSERT_EQ(GetMenuItemCount(submenu), 2);
    EXPECT_EQ(text(submenu, 0), L"5 分钟");
    EXPECT_NE(state(submenu, 0) & MF_CHECKED, 0u);
    EXPECT_EQ(text(submenu, 1), L"10 分钟");
    EXPECT_EQ(state(submenu, 1) & MF_CHECKED, 0u);
}

TEST_F(MenuTree, CommandIdsLeadBackToTheirItems) {
    const forms::win32::BuiltMenu built = forms::win32::buildPopupMenu(top);
    HMENU menu = built.menu.get();
    HMENU submenu = GetSubMenu(menu, 2);
    EXPECT_EQ(built.itemFor(GetMenuItemID(menu, 0)), &start);
    EXPECT_EQ(built.itemFor(GetMenuItemID(submenu, 0)), &fiveMinutes);
    EXPECT_EQ(built.itemFor(GetMenuItemID(submenu, 1)), &tenMinutes);
    EXPECT_EQ(built.itemFor(GetMenuItemID(menu, 3)), &sound);
    EXPECT_EQ(built.itemFor(GetMenuItemID(menu, 4)), &quit);
    EXPECT_EQ(built.itemFor(0), nullptr) << "0 is TrackPopupMenu's answer when nothing was chosen";
    EXPECT_EQ(built.itemFor(built.commands.size() + 1), nullptr);
}

TEST_F(MenuTree, BuildsAfreshWithTheCurrentChecks) {
    sound.setChecked(false);
    fiveMinutes.setChecked(false);
    tenMinutes.setChecked(true);
    const forms::win32::BuiltMenu built = forms::win32::buildPopupMenu(top);
    EXPECT_EQ(state(built.menu.get(), 3) & MF_CHECKED, 0u);
    EXPECT_EQ(state(GetSubMenu(built.menu.get(), 2), 0) & MF_CHECKED, 0u);
    EXPECT_NE(state(GetSubMenu(built.menu.get(), 2), 1) & MF_CHECKED, 0u);
}

// Presses keys in the open menu from a second thread; the menu's modal loop runs on the test's thread.
void pressKeysInMenu(const std::vector<WPARAM>& keys, const std::atomic<bool>& returned, std::atomic<bool>& found) {
    HWND menu = nullptr;  // not owned
    for (int tries = 0; tries < 500 && !returned && menu == nullptr; ++tries) {
        HWND candidate = FindWindowW(L"#32768", nullptr);
        menu = candidate != nullptr && IsWindowVisible(candidate) ? candidate : nullptr;
        Sleep(10);
    }
    if (menu == nullptr) {
        return;
    }
    found = true;
    for (const WPARAM key : keys) {
        // With its scan code, as a keyboard sends it: Wine's menu loop translates Enter into a '\r' character.
        const LPARAM scanCode = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
        PostMessageW(menu, WM_KEYDOWN, key, 1 | scanCode << 16);
        Sleep(50);
    }
    for (int tries = 0; tries < 100 && !returned; ++tries) {
        Sleep(50);  // a menu still open after the keys: close it so the test can fail instead of hanging
    }
    while (!returned) {
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        Sleep(100);
    }
}

class PopupAtTheCursor : public MenuTree {
protected:
    PopupAtTheCursor() {
        ShowWindow(owner.hwnd(), SW_SHOWNOACTIVATE);
        form.setHandle(owner.handle());
        popup.setOwner(form);
        SetCursorPos(150, 150);
    }

    // Shows the popup while another thread presses the keys; true if the menu appeared.
    bool choose(const std::vector<WPARAM>& keys) {
        std::atomic<bool> returned = false;
        std::atomic<bool> found = false;
        std::thread keyboard(pressKeysInMenu, keys, std::cref(returned), std::ref(found));
        popup.showPopup(top);
        clickedBeforeReturn = clicked;
        returned = true;
        keyboard.join();
        return found;
    }

    TestWindow owner{WS_POPUP, L"菜单所有者"};
    forms::Window form{"Form1", "计时器"};
    forms::win32::Win32PopupMenu popup;
    std::vector<MenuItem*> clickedBeforeReturn;
};

TEST_F(PopupAtTheCursor, ChosenItemsClickRunsBeforeShowPopupReturns) {
    // Down to 开始, past the separator to 预设时间, on to 音效; the hidden item is not in the way.
    ASSERT_TRUE(choose({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}));
    EXPECT_EQ(clickedBeforeReturn, std::vector<MenuItem*>{&sound});
    EXPECT_EQ(clicked, std::vector<MenuItem*>{&sound});
}

TEST_F(PopupAtTheCursor, ItemInASubmenuCanBeChosen) {
    ASSERT_TRUE(choose({VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}));
    EXPECT_EQ(clickedBeforeReturn, std::vector<MenuItem*>{&tenMinutes});
}

TEST_F(PopupAtTheCursor, EscapeChoosesNothing) {
    ASSERT_TRUE(choose({VK_DOWN, VK_ESCAPE}));
    EXPECT_TRUE(clicked.empty());
}

}  // namespace
}  // namespace zantiro::wine_tests

// The popup menu: an HMENU built from the menu tree, tracked at the cursor, its choice run before returning.
#include "forms/win32/popup_menu.h"

#include <string>

#include "forms/win32/failures.h"
#include "forms/win32/handles.h"
#include "forms/win32/popup_menu_builder.h"
#include "forms/win32/text.h"

namespace zantiro::forms::win32 {
namespace {

constexpr const wchar_t* kIncompleteMenu = L"菜单未能完整显示，部分菜单项缺失。请关闭一些程序后重新打开菜单。";

void appendItems(HMENU target, const MenuItem& parent, std::vector<MenuItem*>& commands) {
    for (MenuItem* item : parent.items()) {
        if (!item->visible()) {
            continue;
        }
        if (item->isSeparator()) {
            reportIf(!AppendMenuW(target, MF_SEPARATOR, 0, nullptr));
            continue;
        }
        std::wstring text = widen(item->caption());
        if (!item->shortcut().empty()) {
            text += L'\t' + widen(item->shortcut());  // display only: the window handles the key itself
        }
        const UINT checked = item->checked() ? MF_CHECKED : MF_UNCHECKED;
        if (!item->items().empty()) {
            UniqueMenu submenu(CreatePopupMenu());
            if (reportIf(!submenu, kIncompleteMenu)) {
                continue;
            }
            appendItems(submenu.get(), *item, commands);
            if (!reportIf(!AppendMenuW(target, MF_POPUP | MF_STRING | checked,
                                       reinterpret_cast<UINT_PTR>(submenu.get()), text.c_str()),
                          kIncompleteMenu)) {
                submenu.release();  // the parent owns it now and destroys it with itself
            }
            continue;
        }
        commands.push_back(item);
        reportIf(!AppendMenuW(target, MF_STRING | checked, commands.size(), text.c_str()), kIncompleteMenu);
    }
}

}  // namespace

BuiltMenu buildPopupMenu(const MenuItem& menu) {
    BuiltMenu built{UniqueMenu(CreatePopupMenu()), {}};
    if (!reportIf(!built.menu, kIncompleteMenu)) {
        appendItems(built.menu.get(), menu, built.commands);
    }
    return built;
}

void Win32PopupMenu::showPopup(MenuItem& menu) {
    const BuiltMenu built = buildPopupMenu(menu);
    HWND owner = owner_ != nullptr ? reinterpret_cast<HWND>(owner_->hWnd()) : nullptr;  // not owned
    if (owner == nullptr || GetMenuItemCount(built.menu.get()) <= 0) {
        return;
    }
    // Without the owner in the foreground, a click elsewhere would not close the menu.
    SetForegroundWindow(owner);
    POINT cursor{};
    GetCursorPos(&cursor);
    const auto command = static_cast<UINT_PTR>(
        TrackPopupMenu(built.menu.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, cursor.x,
                       cursor.y, 0, owner, nullptr));
    // The documented fix for a menu that opens right after it closes: wake the owner's queue.
    PostMessageW(owner, WM_NULL, 0, 0);
    if (MenuItem* chosen = built.itemFor(command); chosen != nullptr && chosen->onClick) {
        chosen->onClick();
    }
}

}  // namespace zantiro::forms::win32

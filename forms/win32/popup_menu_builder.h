// An HMENU built afresh from the design's menu tree, with the command id of each item it can return.
#pragma once

#include <vector>

#include "forms/controls.h"
#include "forms/win32/handles.h"
#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

struct BuiltMenu {
    UniqueMenu menu;
    std::vector<MenuItem*> commands;  // command id n stands for commands[n - 1]; not owned

    // The item TrackPopupMenu's TPM_RETURNCMD answer names; nullptr for 0 (nothing chosen) or a foreign id.
    MenuItem* itemFor(UINT_PTR command) const {
        return command >= 1 && command <= commands.size() ? commands[command - 1] : nullptr;
    }
};

// The visible items of `menu` as a popup menu: "-" is a separator, items with children open submenus, checked
// items carry a check mark and a shortcut follows the caption after a tab, to be shown at the right edge.
BuiltMenu buildPopupMenu(const MenuItem& menu);

}  // namespace zantiro::forms::win32

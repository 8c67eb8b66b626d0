// The popup menu built from the design's menu tree, shown modally at the mouse cursor.
#pragma once

#include "forms/platform.h"
#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

class Win32PopupMenu final : public PopupMenu {
public:
    // The window the popup belongs to; it exists only after the platform does.
    void setOwner(const Window& owner) { owner_ = &owner; }
    // Builds the menu afresh (captions, separators, check marks, "\tF1" shortcut texts), tracks it at the
    // cursor, and runs the chosen item's click before returning.
    void showPopup(MenuItem& menu) override;

private:
    const Window* owner_ = nullptr;  // not owned
};

}  // namespace zantiro::forms::win32

// The system's open-file box for choosing a bell: 选择铃声, sound files or all files.
#pragma once

#include "forms/platform.h"
#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

// comdlg32 is loaded at the first box, never at start-up. The box is modal to its owner; the keyboard goes back
// to where it was by the loan every handler of the main window runs in (ForegroundLoan).
class Win32FilePicker final : public FilePicker {
public:
    // The window the box belongs to; it exists only after the platform does.
    void setOwner(const Window& owner) { owner_ = &owner; }
    std::optional<std::string> chooseSoundFile() override;

private:
    const Window* owner_ = nullptr;  // not owned
};

}  // namespace zantiro::forms::win32

// The modal input box: title, prompt, an edit box holding the default text selected, OK and Cancel.
#pragma once

#include "forms/platform.h"
#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

class Win32InputBox final : public InputBox {
public:
    // The window the popup belongs to; it exists only after the platform does.
    void setOwner(const Window& owner) { owner_ = &owner; }
    std::optional<std::string> ask(std::string_view prompt,
                                   std::string_view title,
                                   std::string_view defaultText) override;

private:
    const Window* owner_ = nullptr;  // not owned
};

}  // namespace zantiro::forms::win32

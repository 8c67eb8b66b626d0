// A short message beside a window for a few seconds, which takes neither the foreground nor the keyboard; a click
// closes it sooner, a new notice replaces it.
#pragma once

#include <string>

#include "forms/controls.h"
#include "forms/win32/handles.h"
#include "forms/win32/win32.h"
#include "forms/win32/window_base.h"

namespace zantiro::forms::win32 {

class Notice final : public WindowBase<Notice> {
public:
    static constexpr const wchar_t* kClassName = L"ZantiroNotice";

    Notice() = default;
    // Below `beside` (above it where the screen ends), left-aligned with it, in the font at the DPI. The text is the
    // window's text too, for screen readers and tests.
    bool show(HWND beside, const std::wstring& text, const Font& font, int dpi, UINT milliseconds);

private:
    friend class WindowBase<Notice>;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onPaint();
    HGDIOBJ textFont() const;

    UniqueFont font_;
    std::wstring text_;
    int margin_ = 0;
};

}  // namespace zantiro::forms::win32

// The design's fonts as GDI fonts at the window's DPI, each created once.
#pragma once

#include <cmath>
#include <map>
#include <utility>

#include "forms/controls.h"
#include "forms/win32/failures.h"
#include "forms/win32/handles.h"
#include "forms/win32/text.h"
#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

// Character height in pixels, negative as CreateFontW wants it. Floating point, since MulDiv would drop the
// half point of 10.5 pt.
inline int fontHeight(float points, int dpi) {
    return -static_cast<int>(std::lround(static_cast<double>(points) * dpi / 72.0));
}

inline UniqueFont createFont(const Font& font, int dpi) {
    return UniqueFont(CreateFontW(fontHeight(font.points, dpi), 0, 0, 0, font.weight, FALSE, FALSE, FALSE,
                                  static_cast<DWORD>(font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, widen(font.face).c_str()));
}

// Keyed by the design's font objects, which live as long as the program.
class FontCache {
public:
    using Fonts = std::map<const Font*, UniqueFont>;

    explicit FontCache(int dpi) : dpi_(dpi) {}

    // A font GDI cannot create (out of handles) is tried again at the next call; meanwhile the stock GUI font
    // keeps the text readable, if not in its design size.
    HFONT get(const Font& font) {
        UniqueFont& slot = fonts_[&font];
        if (!slot) {
            slot = createFont(font, dpi_);
        }
        if (reportIf(!slot, L"字体无法创建，文字将以系统字体显示。请关闭一些程序后重新启动本程序。")) {
            return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        }
        return slot.get();
    }

    // Starts over at a new DPI. The old fonts are handed back so the caller keeps them alive until no control
    // uses them any more.
    [[nodiscard]] Fonts setDpi(int dpi) {
        dpi_ = dpi;
        return std::exchange(fonts_, {});
    }

private:
    int dpi_;
    Fonts fonts_;
};

}  // namespace zantiro::forms::win32

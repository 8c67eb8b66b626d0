// A title's text: what the window keeps of what was typed, and how it is shortened to a width with "…".
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace zantiro::core {

inline constexpr std::size_t kTitleLength = 40;  // characters (code points)
inline constexpr std::string_view kTitleCut = "标题最多 40 个字，后面的字已去掉";

struct TitleText {
    std::string text;  // without control characters or the spaces around it, at most kTitleLength characters
    bool cut = false;  // the typed text was longer
};

// Bytes that are not UTF-8 go with the control characters.
TitleText titleText(std::string_view typed);

// `text` when it is at most `width` wide, else as many of its first characters as fit with "…" after them.
std::string shortenedToWidth(const std::string& text,
                             float width,
                             const std::function<float(const std::string&)>& widthOf);

}  // namespace zantiro::core

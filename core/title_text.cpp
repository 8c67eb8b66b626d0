// Cleaning a typed title and shortening it to a width.
#include "core/title_text.h"

#include <cstdint>
#include <vector>

#include "core/custom_length.h"

namespace zantiro::core {
namespace {

constexpr std::string_view kEllipsis = "…";

// The UTF-8 sequences of `text` that are whole characters, each as its bytes and its code point.
struct Character {
    std::string_view bytes;
    std::uint32_t codePoint;
};

std::vector<Character> charactersOf(std::string_view text) {
    std::vector<Character> characters;
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        std::uint32_t codePoint = length == 1   ? lead
                                  : length == 2 ? lead & 0x1F
                                  : length == 3 ? lead & 0x0F
                                                : lead & 0x07;
        bool whole = length != 0 && at + length <= text.size();
        for (std::size_t k = 1; whole && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[at + k]);
            whole = (next & 0xC0) == 0x80;
            codePoint = codePoint << 6 | (next & 0x3F);
        }
        if (!whole) {
            ++at;  // a stray byte
            continue;
        }
        characters.push_back({text.substr(at, length), codePoint});
        at += length;
    }
    return characters;
}

bool isControl(std::uint32_t codePoint) {
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}

}  // namespace

TitleText titleText(std::string_view typed) {
    std::string kept;
    for (const Character& character : charactersOf(typed)) {
        if (!isControl(character.codePoint)) {
            kept += character.bytes;
        }
    }
    const std::string trimmed = trimSpaces(kept);
    const std::vector<Character> characters = charactersOf(trimmed);  // views into `trimmed`
    std::string text;
    for (std::size_t i = 0; i < characters.size() && i < kTitleLength; ++i) {
        text += characters[i].bytes;
    }
    return {trimSpaces(text), characters.size() > kTitleLength};
}

std::string shortenedToWidth(const std::string& text,
                             float width,
                             const std::function<float(const std::string&)>& widthOf) {
    if (widthOf(text) <= width) {
        return text;
    }
    std::vector<Character> characters = charactersOf(text);
    while (!characters.empty()) {
        characters.pop_back();
        std::string shortened;
        for (const Character& character : characters) {
            shortened += character.bytes;
        }
        shortened += kEllipsis;
        if (widthOf(shortened) <= width) {
            return shortened;
        }
    }
    return std::string(kEllipsis);
}

}  // namespace zantiro::core

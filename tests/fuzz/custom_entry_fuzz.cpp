// Fuzz target: any text the custom-length box can hold, judged with both decimal separators.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/custom_length.h"
#include "tests/fuzz/require.h"

namespace {

using namespace zantiro::core;

// The exact tenths of a plain decimal with at most 15 significant digits, halves away from zero; such a number
// survives the trip through a double unchanged, so the judged minutes must match it exactly.
bool exactTenths(std::string_view text, char separator, long long& tenths) {
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::string whole;
    std::string fraction;
    bool inFraction = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            (inFraction ? fraction : whole) += c;
        } else if ((c == '.' || c == separator) && !inFraction) {
            inFraction = true;
        } else {
            return false;
        }
    }
    const std::string digits = whole + fraction;
    const auto first = digits.find_first_not_of('0');
    if (digits.empty() || (first != std::string::npos && digits.find_last_not_of('0') - first >= 15)) {
        return false;
    }
    if (whole.size() - std::min(whole.size(), whole.find_first_not_of('0')) > 15) {
        return false;  // keeps the integer sum below in range
    }
    long long value = 0;
    for (const char c : whole) {
        value = value * 10 + (c - '0');
    }
    value = value * 10 + (fraction.empty() ? 0 : fraction[0] - '0');
    if (fraction.size() > 1 && fraction[1] >= '5') {
        ++value;
    }
    tenths = negative ? -value : value;
    return true;
}

void checkEntry(std::string_view typed, std::string_view separator) {
    const CustomEntry entry = judgeCustomEntry(typed, separator);
    const std::string trimmed = trimSpaces(typed);
    require((entry.verdict == EntryVerdict::Cancel) == trimmed.empty(), "cancel exactly when blank");
    if (entry.verdict != EntryVerdict::Accept) {
        return;
    }
    const double minutes = entry.length.minutes;
    require(std::isfinite(minutes), "finite minutes");
    require(roundToOneDecimal(minutes) == minutes, "one decimal");
    const auto seconds = minutesToSeconds(minutes);
    require(seconds.has_value() && *seconds == entry.length.seconds, "seconds of the minutes");
    long long tenths = 0;
    if (exactTenths(trimmed, separator[0], tenths)) {
        require(std::llround(minutes * 10) == tenths, "exact rounding of a short decimal");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view typed(reinterpret_cast<const char*>(data), size);
    checkEntry(typed, ".");
    checkEntry(typed, ",");
    // "." is taken whatever the separator, so without a comma both judge alike.
    if (typed.find(',') == std::string_view::npos) {
        const CustomEntry point = judgeCustomEntry(typed, ".");
        const CustomEntry comma = judgeCustomEntry(typed, ",");
        require(point.verdict == comma.verdict && point.length.seconds == comma.length.seconds, "separators agree");
    }
    return 0;
}

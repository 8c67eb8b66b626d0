// Judging and converting the custom countdown length.
#include "core/custom_length.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace zantiro::core {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string trimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::optional<double> parseLocaleNumber(std::string_view text, std::string_view decimalSeparator) {
    std::string plain;  // the same number in the C locale's spelling
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        plain += text[i++];
    }
    bool anyDigit = false;
    bool seenSeparator = false;
    while (i < text.size()) {
        if (isDigit(text[i])) {
            plain += text[i++];
            anyDigit = true;
        } else if (!seenSeparator && !decimalSeparator.empty() && text.substr(i).starts_with(decimalSeparator)) {
            plain += '.';
            i += decimalSeparator.size();
            seenSeparator = true;
        } else if (!seenSeparator && text[i] == '.') {
            plain += '.';
            ++i;
            seenSeparator = true;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    if (plain.front() == '+') {
        plain.erase(0, 1);  // from_chars takes a minus, never a plus
    }
    double value = 0;
    const std::from_chars_result read = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (read.ec == std::errc::result_out_of_range) {
        // Beyond a double: too large when a whole digit is not 0 (the box then asks again), else too small: 0.
        const bool large = plain.find_first_of("123456789") < plain.find('.');
        value = large ? HUGE_VAL : 0.0;
        return plain.front() == '-' ? -value : value;
    }
    return value;
}

double roundToOneDecimal(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    // 15 significant digits, as d.dddddddddddddde±x.
    char text[32];
    std::snprintf(text, sizeof text, "%.14e", std::fabs(value));
    int exponent = 0;
    const char* exponentText = text + 17;  // after "e": a sign, then the digits; from_chars takes no plus
    std::from_chars(exponentText + (*exponentText == '+' ? 1 : 0), text + std::strlen(text), exponent);
    const std::string digits = std::string(1, text[0]) + std::string(text + 2, 14);
    const int kept = exponent + 2;  // digits up to and including the first decimal
    if (kept >= static_cast<int>(digits.size())) {
        return value;
    }
    long long tenths = 0;
    if (kept > 0) {
        std::from_chars(digits.data(), digits.data() + kept, tenths);
    }
    if (kept >= 0 && digits[static_cast<std::size_t>(kept)] >= '5') {
        ++tenths;
    }
    const double rounded = static_cast<double>(tenths) / 10.0;
    return value < 0 && tenths != 0 ? -rounded : rounded;
}

std::optional<std::int32_t> minutesToSeconds(double minutes) {
    const double seconds = std::nearbyint(minutes * 60.0);
    if (!(seconds >= std::numeric_limits<std::int32_t>::min() && seconds <= std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(seconds);
}

CustomEntry judgeCustomEntry(std::string_view answer, std::string_view decimalSeparator) {
    const std::string text = trimSpaces(answer);
    if (text.empty()) {
        return {EntryVerdict::Cancel};
    }
    const auto number = parseLocaleNumber(text, decimalSeparator);
    if (!number) {
        return {EntryVerdict::AskAgain};
    }
    const double minutes = roundToOneDecimal(*number);
    const auto seconds = minutesToSeconds(minutes);
    if (!seconds) {
        return {EntryVerdict::AskAgain};
    }
    return {EntryVerdict::Accept, {minutes, *seconds}};
}

}  // namespace zantiro::core

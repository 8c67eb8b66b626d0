// The custom countdown length: what the user typed, judged and turned into minutes and seconds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zantiro::core {

// Only the ASCII spaces at both ends go.
std::string trimSpaces(std::string_view text);

// A plain signed decimal number: "-2", "+3", "8.5", ".5", "5.". The user's decimal separator is accepted,
// and so is "." wherever the separator is something else (the prompt's own example is written "8.5").
std::optional<double> parseLocaleNumber(std::string_view text, std::string_view decimalSeparator);

// Rounds to one decimal, halves away from zero, on the value's 15 significant decimal digits, so that
// 0.15 gives 0.2 although the nearest double lies just below it.
double roundToOneDecimal(double value);

// Minutes to the nearest whole second; nothing when the seconds do not fit a signed 32-bit count.
std::optional<std::int32_t> minutesToSeconds(double minutes);

struct CustomLength {
    double minutes;
    std::int32_t seconds;
    bool operator==(const CustomLength&) const = default;
};

enum class EntryVerdict { Cancel, AskAgain, Accept };

struct CustomEntry {
    EntryVerdict verdict;
    CustomLength length{};  // only for Accept
};

// Empty after trimming cancels; text that is not a number, or whose seconds do not fit, asks again.
CustomEntry judgeCustomEntry(std::string_view answer, std::string_view decimalSeparator);

}  // namespace zantiro::core

// Fuzz target: any argument list, one argument a line; the first byte's lowest bit picks the decimal separator.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/command_line.h"
#include "tests/fuzz/require.h"

namespace {

using namespace zantiro::core;

// Well-formed enough for a message box: every lead byte has its continuation bytes.
bool wholeUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i++]);
        const int continuations = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
        for (int k = 0; k < continuations; ++k) {
            if (i >= text.size() || (static_cast<unsigned char>(text[i++]) & 0xC0) != 0x80) {
                return false;
            }
        }
        if (continuations < 0) {
            return false;
        }
    }
    return true;
}

void checkOptions(const StartOptions& options) {
    require(options.position >= 0 && options.position <= 7, "position in the menu");
    require(options.opacity >= 0 && options.opacity <= 6, "opacity in the menu");
    require(options.scale == 0 || (options.scale >= 100 && options.scale <= 400), "scale from 100 to 400 per cent");
    require(options.mode == StartMode::Countdown || options.countdown.seconds == 0, "a length only with a countdown");
    require(options.monitor >= 0 && options.monitor <= 9, "a monitor's number");
    require(
        options.until.hour >= 0 && options.until.hour <= 23 && options.until.minute >= 0 && options.until.minute <= 59,
        "a time of day");
    if (options.mode == StartMode::Countdown) {
        const CustomLength& length = options.countdown;
        require(roundToOneDecimal(length.minutes) == length.minutes, "one decimal");
        require(minutesToSeconds(length.minutes) == length.seconds, "seconds of the minutes");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view separator = (data[0] & 1) != 0 ? "," : ".";
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::vector<std::string> arguments;
    for (std::size_t start = 0; start <= text.size();) {
        const auto end = std::min(text.find('\n', start), text.size());
        arguments.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (text.empty()) {
        arguments.clear();
    }
    const CommandLine result = parseCommandLine(arguments, separator);
    if (const auto* options = std::get_if<StartOptions>(&result)) {
        checkOptions(*options);
        require(!arguments.empty() || *options == StartOptions{}, "no arguments change nothing");
    } else if (const auto* error = std::get_if<CommandLineError>(&result)) {
        require(error->message.size() < 512, "a short message");
        require(error->message.find("“") != std::string::npos, "the argument is named");
        // A message box shows it: shortening a long argument cuts no character in two.
        bool wholeArguments = true;
        for (const std::string& argument : arguments) {
            wholeArguments = wholeArguments && wholeUtf8(argument);
        }
        require(!wholeArguments || wholeUtf8(error->message), "whole characters");
    } else {
        require(std::holds_alternative<ShowUsage>(result), "one of the three outcomes");
    }
    return 0;
}

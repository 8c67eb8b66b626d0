// The command line: the start options a desktop shortcut can ask for, or the usage, or what is wrong with it.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "core/clock_time.h"
#include "core/custom_length.h"

namespace zantiro::core {

enum class StartMode { Unchanged, CountUp, Countdown, Until };

// What the function menu, the sound switch and the window's submenus would be set to, in the order they apply.
struct StartOptions {
    StartMode mode = StartMode::Unchanged;
    CustomLength countdown{};  // for Countdown: as the input box accepts the minutes
    ClockTime until{};         // for Until: the time of day the countdown ends at
    bool hours = false;        // 显示小时 checked
    bool mute = false;
    std::string bell;  // a sound file for the end, as given (absolute, or relative to the current folder)
    bool repeatBell = false;
    int position = 0;  // 1 to 7 in the placement submenu's order; 0 leaves the placement alone
    int opacity = 0;   // 1 to 6 in the transparency submenu's order; 0 leaves it alone
    int scale = 0;     // the window's size in per cent of the monitor's scale, 100 to 400; 0 leaves it alone
    int monitor = 0;   // 1 the primary, then left to right and top to bottom; 0 leaves it alone
    bool start = false;
    bool noHotkeys = false;  // Ctrl+Alt+F1 to F10 left to other programs
    bool overtime = false;   // 超时计时 checked
    std::string title;       // as typed (the model cleans and cuts it); empty leaves none

    bool operator==(const StartOptions&) const = default;
};

struct ShowUsage {
    bool operator==(const ShowUsage&) const = default;
};

struct CommandLineError {
    std::string message;  // names the offending argument
    bool operator==(const CommandLineError&) const = default;
};

using CommandLine = std::variant<StartOptions, ShowUsage, CommandLineError>;

extern const std::string_view kUsageText;

// UTF-8 arguments without the program's name. Options start with "/", "-" or "--", in any case and order;
// /? or /help anywhere asks for the usage. The value after /countdown is the box's entry (with the user's decimal
// separator or "."), so "-5" there is a value, not an option: only a known option's spelling ends the value.
// /countdown, /countup and /until each choose the mode, so only one of them may be given.
CommandLine parseCommandLine(std::span<const std::string> arguments, std::string_view decimalSeparator) noexcept;

}  // namespace zantiro::core

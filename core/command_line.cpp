// Parsing the command line into start options; every failure names the argument at fault.
#include "core/command_line.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <utility>

namespace zantiro::core {

// Short lines: a message box wraps long ones where it likes.
const std::string_view kUsageText =
    "用法：zantiro.exe [选项]\n"
    "\n"
    "/countdown 分钟数：倒计时\n"
    "    1、3、5、10 同 F1 至 F4，其他同“自定义时间”\n"
    "/countup：正计时\n"
    "/until 时:分：倒计时到该时刻并立即开始\n"
    "    24 小时制，如 /until 11:30\n"
    "/hours：显示小时（超过 60 分钟时）\n"
    "/mute：关闭音效\n"
    "/bell 文件：时间到时的铃声，WAV 或 MP3\n"
    "    如 /bell \"D:\\铃声\\考试结束.mp3\"\n"
    "/repeatbell：铃声重复，直到按“停 止”\n"
    "/position N：位置\n"
    "    1 屏幕中心，2 底部居中，3 顶部居中，\n"
    "    4 右下角，5 左下角，6 右上角，7 左上角\n"
    "/opacity N：透明度\n"
    "    1 为 90%，2 为 80%，3 为 75%，\n"
    "    4 为 50%，5 为 30%，6 为 0%\n"
    "/scale 百分比：窗口大小，100 至 400\n"
    "    如 200 为两倍；Ctrl + 鼠标滚轮也可调整\n"
    "/monitor N：在第 N 个显示器上\n"
    "    1 为主显示器，其他从左到右编号\n"
    "/overtime：超时计时，到 0 后继续计时\n"
    "/title 文字：数字上方的标题，最多 40 个字\n"
    "    有空格时加引号，如 /title \"期中 考试\"\n"
    "/start：窗口出现后立即开始\n"
    "/nohotkeys：不注册下列全局快捷键\n"
    "/? 或 /help：显示本说明\n"
    "\n"
    "选项也可以用 - 或 -- 开头，不区分大小写。\n"
    "例如：zantiro.exe /countdown 45 /mute\n"
    "\n"
    "全局快捷键（在任何程序中都可用）：\n"
    "Ctrl+Alt+F1 至 F5：同 F1 至 F5\n"
    "Ctrl+Alt+F6：开始，或暂停/恢复\n"
    "Ctrl+Alt+F7：停止（也停止闪烁和铃声）\n"
    "Ctrl+Alt+F8：复位\n"
    "Ctrl+Alt+F9 / F10：加 / 减一分钟（同 F9 / F10）";

namespace {

enum class Option {
    CountDown,
    CountUp,
    Until,
    Hours,
    Mute,
    Bell,
    RepeatBell,
    Position,
    Opacity,
    Scale,
    Monitor,
    Start,
    NoHotkeys,
    Overtime,
    Title,
    Help
};

struct OptionName {
    std::string_view name;
    Option option;
};

constexpr std::array kOptionNames{
    OptionName{"countdown", Option::CountDown},
    OptionName{"countup", Option::CountUp},
    OptionName{"until", Option::Until},
    OptionName{"hours", Option::Hours},
    OptionName{"mute", Option::Mute},
    OptionName{"bell", Option::Bell},
    OptionName{"repeatbell", Option::RepeatBell},
    OptionName{"position", Option::Position},
    OptionName{"opacity", Option::Opacity},
    OptionName{"scale", Option::Scale},
    OptionName{"monitor", Option::Monitor},
    OptionName{"start", Option::Start},
    OptionName{"nohotkeys", Option::NoHotkeys},
    OptionName{"overtime", Option::Overtime},
    OptionName{"title", Option::Title},
    OptionName{"?", Option::Help},
    OptionName{"help", Option::Help},
};
constexpr std::size_t kOptionCount = static_cast<std::size_t>(Option::Help) + 1;

// The options that choose the mode: at most one of them.
constexpr std::array kModeOptions{Option::CountDown, Option::CountUp, Option::Until};
constexpr bool isModeOption(Option option) {
    return std::find(kModeOptions.begin(), kModeOptions.end(), option) != kModeOptions.end();
}

std::optional<Option> optionOf(std::string_view argument) {
    if (argument.starts_with("--")) {
        argument.remove_prefix(2);
    } else if (argument.starts_with('/') || argument.starts_with('-')) {
        argument.remove_prefix(1);
    } else {
        return std::nullopt;
    }
    for (const OptionName& known : kOptionNames) {
        const bool same = argument.size() == known.name.size() &&
                          std::equal(argument.begin(), argument.end(), known.name.begin(), [](char a, char b) {
                              return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
                          });
        if (same) {
            return known.option;
        }
    }
    return std::nullopt;
}

// The argument as a message shows it: at most 40 characters, cut between UTF-8 sequences. A character is a byte
// and at most three continuation bytes, so a run of stray continuation bytes is cut too.
std::string quoted(std::string_view argument) {
    constexpr std::size_t kMaxCharacters = 40;
    const auto continues = [&argument](std::size_t at) {
        return at < argument.size() && (static_cast<unsigned char>(argument[at]) & 0xC0) == 0x80;
    };
    std::size_t end = 0;
    for (std::size_t characters = 0; end < argument.size() && characters < kMaxCharacters; ++characters) {
        ++end;
        for (int k = 0; k < 3 && continues(end); ++k) {
            ++end;
        }
    }
    return "“" + std::string(argument.substr(0, end)) + (end < argument.size() ? "…”" : "”");
}

// A whole number from min to max, ASCII digits only; leading zeros are fine.
std::optional<int> wholeNumber(std::string_view text, int min, int max) {
    const std::string trimmed = trimSpaces(text);
    if (trimmed.empty() || trimmed.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;  // from_chars would take a leading minus
    }
    int number = 0;
    if (std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), number).ec != std::errc() || number < min ||
        number > max) {
        return std::nullopt;
    }
    return number;
}

class Parser {
public:
    Parser(std::span<const std::string> arguments, std::string_view decimalSeparator)
        : arguments_(arguments), separator_(decimalSeparator) {}

    CommandLine run() {
        for (const std::string& argument : arguments_) {
            if (optionOf(argument) == Option::Help) {
                return ShowUsage{};
            }
        }
        while (next_ < arguments_.size()) {
            if (auto error = takeOption()) {
                return CommandLineError{std::move(*error)};
            }
        }
        return options_;
    }

private:
    using Error = std::optional<std::string>;

    Error takeOption() {
        const std::string& argument = arguments_[next_++];
        const auto option = optionOf(argument);
        if (!option) {
            return "无法识别的参数" + quoted(argument) + "。";
        }
        const auto index = static_cast<std::size_t>(*option);
        if (!seen_[index].empty()) {
            return "参数" + quoted(argument) + "重复。";
        }
        seen_[index] = argument;
        for (const Option mode : kModeOptions) {
            const std::string& otherMode = seen_[static_cast<std::size_t>(mode)];
            if (isModeOption(*option) && mode != *option && !otherMode.empty()) {
                return "参数" + quoted(argument) + "不能与" + quoted(otherMode) + "同时使用。";
            }
        }
        switch (*option) {
            case Option::CountDown:
                return takeMinutes(argument);
            case Option::CountUp:
                options_.mode = StartMode::CountUp;
                return std::nullopt;
            case Option::Until:
                return takeClockTime(argument);
            case Option::Hours:
                options_.hours = true;
                return std::nullopt;
            case Option::Mute:
                options_.mute = true;
                return std::nullopt;
            case Option::Bell:
                return takeText(argument, "声音文件（WAV 或 MP3）", options_.bell);
            case Option::RepeatBell:
                options_.repeatBell = true;
                return std::nullopt;
            case Option::Position:
                return takeNumber(argument, 1, 7, options_.position);
            case Option::Opacity:
                return takeNumber(argument, 1, 6, options_.opacity);
            case Option::Scale:
                return takeNumber(argument, 100, 400, options_.scale);
            case Option::Monitor:
                return takeNumber(argument, 1, 9, options_.monitor);
            case Option::Start:
                options_.start = true;
                return std::nullopt;
            case Option::NoHotkeys:
                options_.noHotkeys = true;
                return std::nullopt;
            case Option::Overtime:
                options_.overtime = true;
                return std::nullopt;
            case Option::Title:
                return takeText(argument, "标题文字", options_.title);
            case Option::Help:
                break;
        }
        return std::nullopt;
    }

    // The value after an option: the next argument, unless there is none or it is itself an option.
    const std::string* takeValue() {
        if (next_ >= arguments_.size() || optionOf(arguments_[next_])) {
            return nullptr;
        }
        return &arguments_[next_++];
    }

    Error takeMinutes(const std::string& option) {
        const std::string* value = takeValue();
        const CustomEntry entry = value ? judgeCustomEntry(*value, separator_) : CustomEntry{EntryVerdict::Cancel};
        if (entry.verdict == EntryVerdict::Cancel) {
            return "参数" + quoted(option) + "后缺少分钟数。";
        }
        if (entry.verdict == EntryVerdict::AskAgain) {
            return "参数" + quoted(option) + "的值" + quoted(*value) + "不是有效的分钟数。";
        }
        options_.mode = StartMode::Countdown;
        options_.countdown = entry.length;
        return std::nullopt;
    }

    Error takeClockTime(const std::string& option) {
        const std::string* value = takeValue();
        if (!value || trimSpaces(*value).empty()) {
            return "参数" + quoted(option) + "后缺少结束时刻（如 11:30）。";
        }
        const std::optional<ClockTime> time = parseClockTime(*value);
        if (!time) {
            return "参数" + quoted(option) + "的值" + quoted(*value) + "不是有效的时刻，应为 0:00 到 23:59，如 11:30。";
        }
        options_.mode = StartMode::Until;
        options_.until = *time;
        return std::nullopt;
    }

    // Any text but spaces alone; `what` names it when it is missing.
    Error takeText(const std::string& option, std::string_view what, std::string& text) {
        const std::string* value = takeValue();
        if (!value || trimSpaces(*value).empty()) {
            return "参数" + quoted(option) + "后缺少" + std::string(what) + "。";
        }
        text = *value;
        return std::nullopt;
    }

    Error takeNumber(const std::string& option, int min, int max, int& chosen) {
        const std::string* value = takeValue();
        const std::string range = std::to_string(min) + " 到 " + std::to_string(max) + " 的数字";
        if (!value || trimSpaces(*value).empty()) {
            return "参数" + quoted(option) + "后缺少 " + range + "。";
        }
        const auto number = wholeNumber(*value, min, max);
        if (!number) {
            return "参数" + quoted(option) + "的值" + quoted(*value) + "无效，应为 " + range + "。";
        }
        chosen = *number;
        return std::nullopt;
    }

    std::span<const std::string> arguments_;
    std::string_view separator_;
    std::size_t next_ = 0;
    std::array<std::string, kOptionCount> seen_;  // each option's spelling once given
    StartOptions options_;
};

}  // namespace

CommandLine parseCommandLine(std::span<const std::string> arguments, std::string_view decimalSeparator) noexcept {
    return Parser(arguments, decimalSeparator).run();
}

}  // namespace zantiro::core

// The command line: argument lists as a shortcut or a console gives them, and the state their options leave.
#include "core/command_line.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/headless_app.h"

namespace zantiro::testing {
namespace {

using core::StartMode;

// The outcome in a line: the choices, "usage", or the error text.
std::string describe(const core::CommandLine& commandLine) {
    if (std::holds_alternative<core::ShowUsage>(commandLine)) {
        return "usage";
    }
    if (const auto* error = std::get_if<core::CommandLineError>(&commandLine)) {
        return error->message;
    }
    const auto& options = std::get<core::StartOptions>(commandLine);
    std::ostringstream text;
    text << std::setprecision(12);
    if (options.mode == StartMode::CountUp) {
        text << "count-up;";
    } else if (options.mode == StartMode::Countdown) {
        text << "countdown " << options.countdown.minutes << " min " << options.countdown.seconds << " s;";
    } else if (options.mode == StartMode::Until) {
        text << "until " << core::clockTimeText(options.until) << ';';
    }
    text << (options.hours ? "hours;" : "");
    text << (options.mute ? "mute;" : "");
    if (options.position != 0) {
        text << "position " << options.position << ';';
    }
    if (options.opacity != 0) {
        text << "opacity " << options.opacity << ';';
    }
    if (options.scale != 0) {
        text << "scale " << options.scale << "%;";
    }
    if (options.monitor != 0) {
        text << "monitor " << options.monitor << ';';
    }
    text << (options.start ? "start;" : "");
    text << (options.noHotkeys ? "no hotkeys;" : "");
    text << (options.overtime ? "overtime;" : "");
    text << (options.title.empty() ? "" : "title " + options.title + ";");
    return text.str();
}

struct ParseCase {
    std::vector<std::string> arguments;
    const char* separator;
    std::string expected;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    for (const std::string& argument : c.arguments) {
        *os << '[' << argument.substr(0, 24) << "] ";
    }
    *os << "with separator \"" << c.separator << '"';
}

class CommandLineTable : public ::testing::TestWithParam<ParseCase> {};

TEST_P(CommandLineTable, GivesTheChoicesOrNamesTheArgumentAtFault) {
    EXPECT_EQ(describe(core::parseCommandLine(GetParam().arguments, GetParam().separator)), GetParam().expected);
}

const std::string kStrayBytes(300, '\xAA');  // UTF-8 continuation bytes with no lead byte

INSTANTIATE_TEST_SUITE_P(
    Arguments,
    CommandLineTable,
    ::testing::Values(
        ParseCase{{}, ".", ""},
        ParseCase{{"/countdown", "0.6", "/start", "/mute"}, ".", "countdown 0.6 min 36 s;mute;start;"},
        // any order, any case, "-" and "--"; the options apply in their own order whatever the order given
        ParseCase{{"/START", "--opacity", "3", "-Position", "7", "--countup"},
                  ".",
                  "count-up;position 7;opacity 3;start;"},
        ParseCase{{"-COUNTDOWN", "2,5"}, ",", "countdown 2.5 min 150 s;"},
        ParseCase{{"-COUNTDOWN", "2,5"}, ".", "参数“-COUNTDOWN”的值“2,5”不是有效的分钟数。"},
        ParseCase{{"--mute"}, ".", "mute;"},
        // a title is any text, spaces and quotes as the command line split them; without one it is an error
        ParseCase{{"/title", "数学 \"期中\" 考试", "/overtime", "/countdown", "45", "/hours"},
                  ".",
                  "countdown 45 min 2700 s;hours;overtime;title 数学 \"期中\" 考试;"},
        ParseCase{{"/overtime", "/title"}, ".", "参数“/title”后缺少标题文字。"},
        ParseCase{{"/NoHotkeys", "/start"}, ".", "start;no hotkeys;"},
        // the fixed lengths go to their F-keys, however written; a negative length is the box's entry too
        ParseCase{{"/countdown", " 10.0 "}, ".", "countdown 10 min 600 s;"},
        ParseCase{{"/countdown", "1.04"}, ".", "countdown 1 min 60 s;"},
        ParseCase{{"/countdown", "-5"}, ".", "countdown -5 min -300 s;"},
        // what the box would ask again for, or treat as empty
        ParseCase{{"/countdown", "35791394.2"}, ".", "参数“/countdown”的值“35791394.2”不是有效的分钟数。"},
        ParseCase{{"/countdown", "99999999999999999999999"},
                  ".",
                  "参数“/countdown”的值“99999999999999999999999”不是有效的分钟数。"},
        ParseCase{{"/countdown", "１２"}, ".", "参数“/countdown”的值“１２”不是有效的分钟数。"},
        ParseCase{{"/countdown", "1e3"}, ".", "参数“/countdown”的值“1e3”不是有效的分钟数。"},
        ParseCase{{"/countdown", "\"8.5\""}, ".", "参数“/countdown”的值“\"8.5\"”不是有效的分钟数。"},
        ParseCase{{"/countdown", "  "}, ".", "参数“/countdown”后缺少分钟数。"},
        ParseCase{{"/countdown", "/mute"}, ".", "参数“/countdown”后缺少分钟数。"},
        ParseCase{{"/position"}, ".", "参数“/position”后缺少 1 到 7 的数字。"},
        ParseCase{{"/position", "99999999999999999999"},
                  ".",
                  "参数“/position”的值“99999999999999999999”无效，应为 1 到 7 的数字。"},
        ParseCase{{"/opacity", "３"}, ".", "参数“/opacity”的值“３”无效，应为 1 到 6 的数字。"},
        ParseCase{{"/opacity", "06"}, ".", "opacity 6;"},
        ParseCase{{"/SCALE", "0400", "/position", "4"}, ".", "position 4;scale 400%;"},
        ParseCase{{"-scale", " 137 "}, ".", "scale 137%;"},
        ParseCase{{"/scale", "150%"}, ".", "参数“/scale”的值“150%”无效，应为 100 到 400 的数字。"},
        ParseCase{{"/scale", "/mute"}, ".", "参数“/scale”后缺少 100 到 400 的数字。"},
        // a time of day: 24-hour, the full-width colon too, the minutes in two digits
        ParseCase{{"/until", "9:05", "/hours", "/monitor", "2"}, ".", "until 09:05;hours;monitor 2;"},
        ParseCase{{"/until", " 23：59 "}, ".", "until 23:59;"},
        ParseCase{{"/until", "0:00"}, ".", "until 00:00;"},
        ParseCase{{"/until", "24:00"}, ".", "参数“/until”的值“24:00”不是有效的时刻，应为 0:00 到 23:59，如 11:30。"},
        ParseCase{{"/until", "11:60"}, ".", "参数“/until”的值“11:60”不是有效的时刻，应为 0:00 到 23:59，如 11:30。"},
        ParseCase{{"/until", "11:5"}, ".", "参数“/until”的值“11:5”不是有效的时刻，应为 0:00 到 23:59，如 11:30。"},
        ParseCase{{"/until", "noon"}, ".", "参数“/until”的值“noon”不是有效的时刻，应为 0:00 到 23:59，如 11:30。"},
        ParseCase{{"/until"}, ".", "参数“/until”后缺少结束时刻（如 11:30）。"},
        ParseCase{{"/monitor", "0"}, ".", "参数“/monitor”的值“0”无效，应为 1 到 9 的数字。"},
        ParseCase{{"/monitor", "left"}, ".", "参数“/monitor”的值“left”无效，应为 1 到 9 的数字。"},
        // conflicts, repeats and strangers: the first one met is reported
        ParseCase{{"/countdown", "5", "/countup"}, ".", "参数“/countup”不能与“/countdown”同时使用。"},
        ParseCase{{"/until", "11:30", "/countdown", "90"}, ".", "参数“/countdown”不能与“/until”同时使用。"},
        ParseCase{{"/mute", "--MUTE"}, ".", "参数“--MUTE”重复。"},
        ParseCase{{"/bogus", "/mute", "/mute"}, ".", "无法识别的参数“/bogus”。"},
        ParseCase{{"45"}, ".", "无法识别的参数“45”。"},
        ParseCase{{"/countdown", std::string(50, '9')},
                  ".",
                  "参数“/countdown”的值“" + std::string(40, '9') + "…”不是有效的分钟数。"},
        ParseCase{{"/" + kStrayBytes}, ".", "无法识别的参数“/" + kStrayBytes.substr(0, 3 + 39 * 4) + "…”。"},
        // help wins over anything else on the line
        ParseCase{{"/?"}, ".", "usage"},
        ParseCase{{"/countdown", "x", "-HELP"}, ".", "usage"}));

// The whole state a user can see or the next click depends on.
std::string snapshot(HeadlessApp& app) {
    std::string text = app.display() + " mode=" + app.checkedModeItem();
    for (const forms::MenuItem* item : app.form.menucaidan.items()) {
        for (const forms::MenuItem* sub : item->items()) {
            text += sub->checked() ? " " + sub->name() : "";
        }
        text += item->checked() ? " " + item->name() : "";
    }
    for (const forms::CommandButton* button :
         {&app.form.Command1, &app.form.Command2, &app.form.Command3, &app.form.Command4}) {
        text += " " + button->caption() + (button->enabled() ? "+" : "-");
    }
    const forms::PixelRect& rect = app.form.window.pixels();
    const int alpha = app.windowSystem.opacity ? int{*app.windowSystem.opacity} : -1;
    return text + " at " + std::to_string(rect.left) + "," + std::to_string(rect.top) + " alpha " +
           std::to_string(alpha) + " seconds " + std::to_string(app.form.model.state().countdownSeconds);
}

void startWith(HeadlessApp& app, std::vector<std::string> arguments) {
    const auto options = std::get<core::StartOptions>(core::parseCommandLine(arguments, "."));
    app.form.applyStartOptions(options);
    if (options.start) {
        app.press(app.form.Command1);
    }
}

TEST(StartOptions, EndAsTheMenuChoicesAndKeysDoAndCountTheSame) {
    HeadlessApp byOptions;
    startWith(byOptions, {"/countdown", "0.6", "/mute", "/position", "7", "/opacity", "3", "/start"});
    HeadlessApp byHand;
    byHand.inputBox.answer("0.6");
    byHand.chooseFromMenu("daodiy");
    byHand.chooseFromMenu("yinxiao");
    byHand.chooseFromMenu("zuoshang");
    byHand.chooseFromMenu("tou75");
    byHand.press(byHand.form.Command1);
    EXPECT_TRUE(byOptions.inputBox.questions.empty());  // the length goes in without the box
    EXPECT_EQ(snapshot(byOptions), snapshot(byHand));
    EXPECT_EQ(byOptions.display(), "00:00:36");
    byOptions.wait(31000);
    byHand.wait(31000);
    EXPECT_EQ(snapshot(byOptions), snapshot(byHand));
    EXPECT_TRUE(byOptions.soundPlayer.played.empty());  // the warning at 30 s is silent

    HeadlessApp byF4;
    startWith(byF4, {"/countdown", "10"});
    HeadlessApp byKey;
    byKey.form.functionKey(4);
    EXPECT_EQ(snapshot(byF4), snapshot(byKey));
}

}  // namespace
}  // namespace zantiro::testing

// The timer model alone, through its commands, its state and its events: no window, no captions.
#include "core/timer_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "core/presets.h"
#include "core/title_text.h"
#include "tests/support/test_platform.h"

namespace zantiro::core {
namespace {

struct SetClock final : TimeSource {
    TimeOfDay now{10, 17, 30, 250};
    TimeOfDay timeOfDay() override { return now; }
};

class Model : public ::testing::Test {
protected:
    testing::ScriptedRandom random;
    SetClock clock;
    TimerModel model{random, clock};
    const TimerState& s = model.state();

    // The events of `ticks` countdown ticks, each as "seconds left: kind text".
    std::vector<std::string> countDown(int ticks) {
        std::vector<std::string> heard;
        for (int i = 0; i < ticks; ++i) {
            model.countdownTick();
            for (const Event& event : model.takeEvents()) {
                const char* kinds[] = {"warning", "bell", "stop bell", "say", "notice"};
                heard.push_back(std::to_string(s.countdownSeconds) + ": " + kinds[static_cast<int>(event.kind)] +
                                (event.text.empty() ? "" : " " + std::string(event.text)));
            }
        }
        return heard;
    }
};

TEST_F(Model, TheRunGoesThroughItsStatesAndOffersOnlyWhatEachAllows) {
    const auto offered = [this] {
        const OfferedButtons o = model.offered();
        return std::to_string(o.startStop) + std::to_string(o.pauseResume) + std::to_string(o.reset) +
               std::to_string(o.functionMenu);
    };
    EXPECT_EQ(offered(), "1001");
    model.startOrStop();
    EXPECT_EQ(s.run, RunState::Running);
    EXPECT_EQ(offered(), "1100");
    model.pauseOrResume();
    EXPECT_EQ(s.run, RunState::Paused);
    EXPECT_TRUE(s.pauseOffersResume);
    model.startOrStop();
    EXPECT_EQ(s.run, RunState::Stopped);
    EXPECT_TRUE(s.pauseOffersResume);  // the word stays outside a run
    EXPECT_EQ(offered(), "0011");
    model.startOrStop();  // not offered: nothing
    model.pauseOrResume();
    EXPECT_EQ(s.run, RunState::Stopped);
    model.reset();
    EXPECT_EQ(offered(), "1011");
    model.functionMenuClosed();
    EXPECT_EQ(offered(), "1001");
}

TEST_F(Model, AMinuteCountdownMeetsEveryMilestoneOnceAndTheSoundSwitchSilencesOnlyTheSounds) {
    for (const bool soundOn : {true, false}) {
        model.setSound(soundOn);
        model.choosePreset(0);
        model.reset();
        model.startOrStop();
        const std::vector<std::string> heard = countDown(29);
        EXPECT_EQ(s.frameColour, kBlack);  // started at 60: never yellow
        std::vector<std::string> expected{"30: say 还剩三十秒", "10: say 还剩十秒", "0: say 时间到"};
        if (soundOn) {
            expected = {"30: warning", "30: say 还剩三十秒", "10: say 还剩十秒", "0: bell", "0: say 时间到"};
        }
        EXPECT_TRUE(heard.empty());
        EXPECT_EQ(countDown(31), expected);
        EXPECT_EQ(s.run, RunState::Finished);
        model.startOrStop();
    }
}

TEST_F(Model, AMinuteMoreTakesTheFrameBackAndLessTakesItOnWithoutTheSound) {
    model.choosePreset(1);
    model.startOrStop();
    countDown(150);  // 30 s left: red
    EXPECT_EQ(s.frame, FrameStage::ThirtySeconds);
    model.addMinutes(1);
    EXPECT_EQ(s.countdownSeconds, 90);
    EXPECT_EQ(s.frame, FrameStage::Plain);
    EXPECT_EQ(s.frameColour, kBlack);
    EXPECT_EQ(countDown(30).front(), "60: say 还剩一分钟");
    EXPECT_EQ(s.frameColour, kYellow);
    model.addMinutes(-1);
    EXPECT_EQ(s.countdownSeconds, 1);  // never below a second: the next tick ends it
    EXPECT_EQ(s.frame, FrameStage::LastSeconds);
    EXPECT_TRUE(model.takeEvents().empty());
    countDown(1);
    EXPECT_EQ(s.run, RunState::Finished);
    model.addMinutes(1);  // flashing: nothing
    EXPECT_EQ(s.countdownSeconds, 0);
}

TEST_F(Model, ACountdownToATimeOfDayTicksOnTheClocksSecondsAndShowsTheHoursWhenLong) {
    model.countdownTo({11, 30});
    EXPECT_EQ(s.run, RunState::Running);
    EXPECT_EQ(s.countdownSeconds, 72 * 60 + 30);
    EXPECT_EQ(s.firstTickInMs, 750);
    EXPECT_TRUE(s.hoursShown);
    model.startOrStop();
    clock.now = {11, 0, 0, 0};
    model.reset();
    EXPECT_EQ(s.shownSeconds, 1800);  // to the same moment, from the clock now
    model.startOrStop();
    EXPECT_EQ(s.firstTickInMs, 1000);
}

TEST_F(Model, ACountdownFromTheCommandLineTakesItsPresetOrTheLengthTypedIn) {
    model.chooseCountdown({5.0, 300});
    EXPECT_EQ(s.mode, Mode::Preset);
    EXPECT_EQ(kPresets[s.preset].seconds, 300);
    model.chooseCountdown({90.0, 5400});
    EXPECT_EQ(s.mode, Mode::Custom);
    EXPECT_EQ(model.takeEvents(), (std::vector<Event>{{Event::Kind::Notice, "超过 60 分钟：功能 → 显示小时"}}));
    model.showHours(true);
    model.chooseCountdown({90.0, 5400});
    EXPECT_TRUE(model.takeEvents().empty());
}

TEST_F(Model, AChoiceDuringARunOnlyChangesTheCountAndTheSmallestCountNeverWraps) {
    model.choosePreset(3);
    model.startOrStop();
    model.choosePreset(0);
    EXPECT_EQ(s.run, RunState::Running);
    EXPECT_EQ(s.shownSeconds, 60);
    model.countUp();
    EXPECT_EQ(s.shownSeconds, 0);
    EXPECT_EQ(s.countdownSeconds, 60);

    model.startOrStop();
    model.reset();
    model.chooseCustomLength({0.0, std::numeric_limits<std::int32_t>::min()});
    model.startOrStop();
    countDown(1);
    EXPECT_EQ(s.countdownSeconds, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(s.run, RunState::Finished);
}

TEST_F(Model, ARepeatingBellRingsUntilTheStopTheSoundSwitchOrTenMinutes) {
    const auto ringToZero = [this](bool repeat) {
        model.setRepeatBell(repeat);
        model.chooseCustomLength({0.1, 6});
        model.reset();
        model.startOrStop();
        return countDown(6).back();
    };
    const auto stopsBell = [this] {
        const std::vector<Event> events = model.takeEvents();
        return events == std::vector<Event>{{Event::Kind::StopBell, {}}};
    };
    EXPECT_EQ(ringToZero(false), "0: say 时间到");
    model.startOrStop();
    EXPECT_FALSE(stopsBell());  // the design's short bell, once, is left to end by itself
    model.useFileBell("考试结束.mp3");
    ringToZero(false);
    model.startOrStop();
    EXPECT_TRUE(stopsBell());  // a chosen file, up to three minutes long, ends at the stop
    model.useDefaultBell();

    ringToZero(true);
    model.startOrStop();
    EXPECT_TRUE(stopsBell());
    model.reset();
    EXPECT_FALSE(stopsBell());

    ringToZero(true);
    model.setSound(false);
    EXPECT_TRUE(stopsBell());
    model.setSound(true);
    model.startOrStop();

    ringToZero(true);
    for (int half = 1; half < 1200; ++half) {
        model.flashTick();
    }
    EXPECT_FALSE(stopsBell());
    model.flashTick();  // ten minutes after zero
    EXPECT_TRUE(stopsBell());
    model.startOrStop();
    EXPECT_FALSE(stopsBell());
}

// 超时计时: the end as without it, then a silent count past zero on the same ticks, digits steady, until a stop.
TEST_F(Model, PastZeroTheCountGoesOnSilentlyUntilStopShowsTheEndAndResetArmsItAgain) {
    model.countPastZero(true);
    model.chooseCustomLength({0.1, 6});
    model.startOrStop();
    EXPECT_EQ(countDown(6), (std::vector<std::string>{"0: bell", "0: say 时间到，开始超时计时"}));
    model.flashTick();
    EXPECT_TRUE(countDown(5).empty());
    model.addMinutes(1);  // F9, F10 and pause do nothing
    model.addMinutes(-1);
    model.pauseOrResume();
    EXPECT_EQ(std::tuple(s.run, s.shownSeconds, s.digitsHidden, model.offered().pauseResume),
              std::tuple(RunState::Finished, 5, false, false));
    countDown(3594);
    EXPECT_FALSE(s.hoursShown);
    countDown(1);
    EXPECT_TRUE(s.hoursShown);  // an hour past zero shows the hours by itself
    model.startOrStop();
    EXPECT_EQ(std::tuple(s.run, s.pastZero, s.shownSeconds, s.frameColour),
              std::tuple(RunState::Stopped, false, 0, std::optional(kBlack)));  // what the digits showed at the end
    model.reset();
    EXPECT_EQ(s.shownSeconds, 6);
}

TEST_F(Model, ATitleKeepsFortyCharactersWithoutControlsAndShortensToAWidthWithAnEllipsis) {
    const std::string forty = std::string(39, 'a') + "考";  // characters, not bytes
    model.setTitle(forty + "试");
    EXPECT_EQ(s.title, forty);
    model.setTitle(forty);
    EXPECT_EQ(model.takeEvents(), (std::vector<Event>{{Event::Kind::Notice, kTitleCut}}));  // the first only
    model.setTitle("  数学\t期中\x01考试\xC2\x85 \xFF\xC3!\r\n");  // C0 and C1 controls, bytes that are not UTF-8
    EXPECT_EQ(s.title, "数学期中考试 !");
    const auto characters = [](const std::string& text) {  // each character one unit wide
        return static_cast<float>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
    };
    EXPECT_EQ(shortenedToWidth("数学期中考试", 6, characters), "数学期中考试");
    EXPECT_EQ(shortenedToWidth("数学期中考试", 5.5f, characters), "数学期中…");
}

}  // namespace
}  // namespace zantiro::core

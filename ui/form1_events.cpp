// Which handler answers which event of the window's controls.
#include "ui/form1.h"

namespace zantiro::ui {

void Form1::wireEvents() {
    window.onUnload = [this] { Form_Unload(); };
    window.onDpiChanged = [this] { Form_DpiChanged(); };
    window.onDisplayChange = [this] { Form_DisplayChange(); };
    window.onMouseWheel = [this](int notches, int shift) { Form_MouseWheel(notches, shift); };

    const auto drag = [this](int button, int, float, float) { dragMouseMove(button); };
    window.onMouseMove = drag;
    for (Label* label : {&Label1, &Label2[0], &Label2[1], &Label3, &Label4, &Label5, &Label6}) {
        label->onMouseMove = drag;
    }

    // The handlers that start, pause, resume, end or stop a run end by matching the stay-awake request to it.
    // Reset and the function menu are enabled only when no run is in progress, and leave it so.
    Command1.onClick = [this] {
        timing.Command1_Click();
        keepAwakeWhileRunning();
    };
    Command2.onClick = [this] {
        timing.Command2_Click();
        keepAwakeWhileRunning();
    };
    Command3.onClick = [this] { timing.Command3_Click(); };
    Command4.onClick = [this] { Command4_Click(); };
    Command5.onClick = [this] { Command5_Click(); };

    Timer1.onTick = [this] { wallClock.Timer1_Tick(); };
    Timer2.onTick = [this] { timing.Timer2_Tick(); };
    Timer3.onTick = [this] {
        timing.Timer3_Tick();
        keepAwakeWhileRunning();
    };
    Timer4.onTick = [this] { warnings.Timer4_Tick(); };

    menuzheng.onClick = [this] { timing.menuzheng_Click(); };
    dao1.onClick = [this] { timing.dao1_Click(); };
    dao3.onClick = [this] { timing.dao3_Click(); };
    dao5.onClick = [this] { timing.dao5_Click(); };
    dao10.onClick = [this] { timing.dao10_Click(); };
    daodiy.onClick = [this] {
        if (timing.daodiy_Click()) {
            adviseHours();
        }
    };
    daoshike.onClick = [this] {
        if (timing.daoshike_Click()) {  // started at once
            showHoursWhenLong();
            keepAwakeWhileRunning();
        }
    };
    yinxiao.onClick = [this] { sounds.yinxiao_Click(); };
    for (MenuItem* item : {&zhong, &di, &ding, &youxia, &zuoxia, &youshang, &zuoshang}) {
        item->onClick = [this, item] { placementClick(*item); };
    }
    // Alpha = 255 * (100 - p) / 100, to the nearest whole number with halves going up.
    tou90.onClick = [this] { chooseTransparency(tou90, 26); };
    tou80.onClick = [this] { chooseTransparency(tou80, 51); };
    tou75.onClick = [this] { chooseTransparency(tou75, 64); };
    tou50.onClick = [this] { chooseTransparency(tou50, 128); };
    tou30.onClick = [this] { chooseTransparency(tou30, 179); };
    tou0.onClick = [this] { chooseTransparency(tou0, 255); };
    xiaoshi.onClick = [this] { xiaoshi_Click(); };
    menuexit.onClick = [this] { menuexit_Click(); };
}

// Counting up, counting down or flashing at the end; paused, the screen may sleep.
void Form1::keepAwakeWhileRunning() {
    const core::RunState state = timing.runState();
    const bool running = state == core::RunState::Running || state == core::RunState::Finished;
    if (running != keptAwake_) {
        keptAwake_ = running;
        platform_.power.keepAwake(running);
    }
}

}  // namespace zantiro::ui

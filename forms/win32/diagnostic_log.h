// The UI thread's timing written to a file for the benchmark: off unless ZANTIRO_TICK_LOG names the file.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>

#include "forms/controls.h"
#include "forms/win32/handles.h"
#include "forms/win32/timer_scheduler.h"
#include "forms/win32/win32.h"

namespace zantiro::forms::win32 {

// One line per event, times in microseconds of QueryPerformanceCounter:
//   tick <timer> <due ms of TimerScheduler::steadyMilliseconds> <fired us> [<caption the tick left>]
//   wake <us>              the message loop had nothing to do and was woken
//   paint <us> <pixels>    a WM_PAINT copied that many pixels to the screen
class DiagnosticLog {
public:
    // Reads the environment once, at the first call; null when the variable is unset or the file cannot be made.
    static DiagnosticLog* get();

    // Wraps the timer's tick handler so each tick is logged; `shown`, if given, is logged after the tick.
    void watch(Timer& timer, const TimerScheduler& scheduler, const Label* shown);
    void wake();
    void paint(long pixels);

    DiagnosticLog(const DiagnosticLog&) = delete;
    DiagnosticLog& operator=(const DiagnosticLog&) = delete;

private:
    explicit DiagnosticLog(UniqueFile file) : file_(std::move(file)) {}
    void write(std::string_view line);

    UniqueFile file_;  // open until the process ends (the log is never deleted): it holds every line however the
                       // program stops
};

}  // namespace zantiro::forms::win32

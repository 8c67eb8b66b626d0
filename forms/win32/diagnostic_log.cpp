// The benchmark's timing log: tick moments against their grid, wake-ups of the message loop, painted pixels.
#include "forms/win32/diagnostic_log.h"

#include <cstdio>
#include <string>
#include <utility>

namespace zantiro::forms::win32 {

DiagnosticLog* DiagnosticLog::get() {
    static DiagnosticLog* const log = []() -> DiagnosticLog* {
        wchar_t path[MAX_PATH];
        const DWORD length = GetEnvironmentVariableW(L"ZANTIRO_TICK_LOG", path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            return nullptr;
        }
        // Appends only: each line lands whole at the end, whatever else holds the file.
        UniqueFile file(CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        return file ? new DiagnosticLog(std::move(file)) : nullptr;  // lives as long as the process
    }();
    return log;
}

void DiagnosticLog::watch(Timer& timer, const TimerScheduler& scheduler, const Label* shown) {
    timer.onTick = [this, &timer, &scheduler, shown, handler = std::move(timer.onTick)] {
        const std::int64_t fired = TimerScheduler::steadyMicroseconds();
        const std::int64_t due = scheduler.tickDue().value_or(0);
        if (handler) {
            handler();
        }
        char head[96];
        std::snprintf(head, sizeof head, "tick %s %lld %lld", timer.name().c_str(), static_cast<long long>(due),
                      static_cast<long long>(fired));
        write(shown != nullptr ? std::string(head) + ' ' + shown->caption() : std::string(head));
    };
}

void DiagnosticLog::wake() {
    write("wake " + std::to_string(TimerScheduler::steadyMicroseconds()));
}

void DiagnosticLog::paint(long pixels) {
    write("paint " + std::to_string(TimerScheduler::steadyMicroseconds()) + ' ' + std::to_string(pixels));
}

// Unbuffered: a line is on disk as soon as it is written, even if the process is killed next.
void DiagnosticLog::write(std::string_view line) {
    std::string text(line);
    text += '\n';
    DWORD written = 0;
    WriteFile(file_.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace zantiro::forms::win32

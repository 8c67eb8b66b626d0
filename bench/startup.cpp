// Start-up of programs run alternately: from CreateProcess to the first moment the program waits for input with
// its window shown and painted (WaitForInputIdle), then its memory after a second of rest. One line per run.
#include "forms/win32/win32.h"

// Needs <windows.h> before it.
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

double secondsNow() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Search {
    DWORD process;
    bool found;
};

BOOL CALLBACK findVisible(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->process && IsWindowVisible(hwnd)) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

// Prints "<label> <run> <ms to ready> <working set KiB> <private KiB>"; false when the program showed no window.
bool measure(const wchar_t* program, int run) {
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = secondsNow();
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "startup: cannot start %ls\n", program);
        return false;
    }
    const DWORD waited = WaitForInputIdle(process.hProcess, 20000);
    const double ready = secondsNow();
    Search search{process.dwProcessId, false};
    EnumWindows(findVisible, reinterpret_cast<LPARAM>(&search));
    Sleep(1000);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    Sleep(500);  // its windows and server state go away before the next program starts
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const wchar_t* name = std::wcsrchr(program, L'\\');
    std::printf("%ls %d %.1f %zu %zu\n", name != nullptr ? name + 1 : program, run, (ready - start) * 1000.0,
                memory.WorkingSetSize / 1024, memory.PrivateUsage / 1024);
    std::fflush(stdout);
    return waited == 0 && search.found;
}

}  // namespace

// startup RUNS program... : each run starts every program once, in the order given.
int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup RUNS program.exe...\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    for (int run = 1; run <= runs; ++run) {
        for (int i = 2; i < argc; ++i) {
            if (!measure(argv[i], run)) {
                std::fprintf(stderr, "startup: %ls showed no window ready for input\n", argv[i]);
                return 1;
            }
        }
    }
    return 0;
}

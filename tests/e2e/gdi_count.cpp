// zantiro_gdi_count.exe NAME: the live GDI objects and top-level windows of each running NAME.exe, one line each.
// GetGuiResources is a stub under Wine (it answers 0), so the GDI count falls back to the process's GDI handle
// table, which Wine and older Windows map into every process and point to from the PEB.
#include "forms/win32/win32.h"

// These need <windows.h> before them.
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

// The 64-bit PEB's GdiSharedHandleTable and the table's layout (16-bit handle index, 24-byte entries).
constexpr std::size_t kPebGdiTableOffset = 0xF8;
constexpr std::size_t kHandleCount = 0x10000;
struct HandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;  // bit 7: a stock object
    std::uint8_t type;     // 0: a free entry
    std::uint8_t flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(HandleEntry) == 24);

using QueryInformationProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

// Objects in the handle table that are not stock objects (those exist once, whatever the program does); -1 when
// the table cannot be read.
long tableCount(HANDLE process) {
    const auto query = reinterpret_cast<QueryInformationProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    std::uintptr_t table = 0;
    if (query == nullptr || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0 ||
        !ReadProcessMemory(process,
                           static_cast<const char*>(static_cast<void*>(basic.PebBaseAddress)) + kPebGdiTableOffset,
                           &table, sizeof table, nullptr) ||
        table == 0) {
        return -1;
    }
    std::vector<HandleEntry> entries(kHandleCount);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                           entries.size() * sizeof(HandleEntry), nullptr)) {
        return -1;
    }
    long count = 0;
    for (const HandleEntry& entry : entries) {
        count += entry.type != 0 && (entry.unique & 0x80) == 0;
    }
    return count;
}

BOOL CALLBACK countWindow(HWND window, LPARAM state) {
    auto* counting = reinterpret_cast<std::pair<DWORD, long>*>(state);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    counting->second += pid == counting->first;
    return TRUE;
}

void report(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (process == nullptr) {
        std::printf("pid=%lu unreadable (error %lu)\n", pid, GetLastError());
        return;
    }
    const DWORD official = GetGuiResources(process, GR_GDIOBJECTS);
    const long gdi = official != 0 ? static_cast<long>(official) : tableCount(process);
    std::pair<DWORD, long> windows{pid, 0};
    EnumWindows(countWindow, reinterpret_cast<LPARAM>(&windows));
    std::printf("pid=%lu gdi_objects=%ld gdi_source=%s windows=%ld\n", pid, gdi,
                official != 0 ? "GetGuiResources" : "handle_table", windows.second);
    CloseHandle(process);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: zantiro_gdi_count.exe NAME.exe (or --self)\n", stderr);
        return 2;
    }
    if (std::wcscmp(argv[1], L"--self") == 0) {  // a check of the counting itself: 100 brushes more
        report(GetCurrentProcessId());
        for (int i = 0; i < 100; ++i) {
            CreateSolidBrush(RGB(i, 0, 0));
        }
        report(GetCurrentProcessId());
        return 0;
    }
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    int found = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, argv[1]) == 0) {
            report(entry.th32ProcessID);
            ++found;
        }
    }
    CloseHandle(snapshot);
    if (found == 0) {
        std::fprintf(stderr, "no process %ls\n", argv[1]);
        return 1;
    }
    return 0;
}

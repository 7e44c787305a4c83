#include "bench/driver_support_win32.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>

namespace lumeret::bench {

namespace {

constexpr DWORD kSettleTimeoutMs = 300000;

// The kernel handles a process holds, as the system's process list reports
// them: Wine answers GetProcessHandleCount for another process with 0.
DWORD HandleCountFromProcessList(DWORD processId) {
    std::vector<unsigned char> buffer(1 << 20);
    ULONG needed = 0;
    if (NtQuerySystemInformation(SystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                                 &needed) != 0) {
        return 0;
    }
    for (std::size_t at = 0;;) {
        const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + at);
        if (reinterpret_cast<ULONG_PTR>(entry->UniqueProcessId) == processId) return entry->HandleCount;
        if (entry->NextEntryOffset == 0) return 0;
        at += entry->NextEntryOffset;
    }
}

}  // namespace

double Now() {
    LARGE_INTEGER count{}, frequency{};
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

Usage UsageOf(DWORD processId) {
    Usage u{};
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) return u;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(process, &counters, sizeof(counters))) {
        u.workingSetMb = counters.WorkingSetSize / 1048576.0;
        u.peakWorkingSetMb = counters.PeakWorkingSetSize / 1048576.0;
        u.privateMb = counters.PagefileUsage / 1048576.0;
    }
    GetProcessHandleCount(process, &u.handles);
    u.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    u.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    CloseHandle(process);
    if (u.handles == 0) u.handles = HandleCountFromProcessList(processId);
    return u;
}

void Print(const char* when, const Usage& u) {
    // Wine reports no GDI and USER object counts for another process (0).
    std::printf("%-6s working set %.1f MB (peak %.1f MB), private %.1f MB, handles %lu, GDI objects %lu, "
                "USER objects %lu\n",
                when, u.workingSetMb, u.peakWorkingSetMb, u.privateMb, static_cast<unsigned long>(u.handles),
                static_cast<unsigned long>(u.gdiObjects), static_cast<unsigned long>(u.userObjects));
    std::fflush(stdout);
}

bool Settle(HWND main) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, kSettleTimeoutMs, &result) != 0;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace lumeret::bench

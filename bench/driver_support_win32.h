// What the drivers of the benchmarks under Wine share: a clock, the memory
// and handle counts of another process, and a way to wait until the real
// program has handled what was sent to it.
#pragma once

#include <windows.h>

#include <vector>

namespace lumeret::bench {

// Seconds on a steady clock; <chrono> does not build with the code page 932
// execution charset.
double Now();

struct Usage {
    double workingSetMb;
    double peakWorkingSetMb;
    double privateMb;
    DWORD handles;
    DWORD gdiObjects;
    DWORD userObjects;
};

Usage UsageOf(DWORD processId);
void Print(const char* when, const Usage& u);

// Returns once the program has handled every message sent to it so far,
// the clipboard's change notice among them.
bool Settle(HWND main);

// The median of some figures (0 when none).
double Median(std::vector<double> values);

}  // namespace lumeret::bench

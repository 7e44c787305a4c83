// The program's start and end: single instance, the four windows, the loop.
#pragma once

namespace lumeret {

// Name of the mutex that marks a running instance.
inline constexpr char kInstanceMutexName[] = "MutexObjectForApp";

// True when another instance holds the mutex; otherwise this process creates
// it and keeps it until it ends.
bool AnotherInstanceRuns();

// Creates the windows, hidden, in the order main window, scrapbook, version
// dialog, settings dialog.
void CreateForms();

// Ends the windows in reverse order; the main window writes the settings file.
void DestroyForms();

// The whole program: returns the process exit code.
int RunLumeret();

}  // namespace lumeret

// The program's start and end: single instance, the core and the windows,
// the message loop.
#pragma once

namespace lumeret {

// Name of the mutex that marks a running instance.
inline constexpr char kInstanceMutexName[] = "MutexObjectForApp";

// True when another instance holds the mutex; otherwise this process creates
// it and keeps it until it ends.
bool AnotherInstanceRuns();

// The whole program: returns the process exit code.
int RunLumeret();

}  // namespace lumeret

// Files dropped on a window from the shell. The shell's library is loaded at
// the first call rather than with the program: it would lengthen every start
// by some milliseconds, and nothing needs it before the window shows.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace lumeret {

// Whether the window takes dropped files; nothing happens where the shell's
// library cannot be loaded.
void AcceptDroppedFiles(HWND window, bool accept);

// The names of the dropped files, in the system's code page and in the order
// given, and the drop finished; none where the shell's library cannot be
// loaded.
std::vector<std::string> TakeDroppedFiles(HDROP drop);

}  // namespace lumeret

// The common controls the windows use: the scrapbook's tabs and the hints
// (tooltips). Their library is loaded by the first part that makes one, not
// with the program, so that the main window shows without it.
#pragma once

#include <windows.h>

namespace lumeret {

// Loads the common controls' library and registers their classes; later calls
// do nothing. Where the library is missing the controls cannot be made, which
// the code that makes them reports.
void LoadCommonControls();

// A hint window (tooltip) of the owner that shows whenever the mouse rests on
// one of its tools, active window or not, with "&" shown as it stands; null
// where it cannot be made.
HWND CreateHintWindow(HWND owner);

}  // namespace lumeret

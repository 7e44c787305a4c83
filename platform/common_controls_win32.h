// The common controls the windows use besides their status lines: the tab
// control and the hints (tooltips). Their library is loaded once a window is
// shown, by the first window part that needs them, not with the program.
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

// Where windows go on the screens: the two dialogs open in the middle of
// the primary screen each time they are opened, wherever they were left; the
// main window comes back onto a screen when its stored place leaves its title
// bar off them all.
#pragma once

#include <windows.h>

#include "platform/geometry.h"

namespace lumeret {

inline void CenterOnScreen(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    int left = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A window whose title bar lies outside every monitor (a place stored on
// another screen layout, or written by hand) moves onto the work area of the
// nearest one, where it can be taken by its title bar; a window whose title
// bar shows, even in part, stays where it is.
inline void BringOntoNearestMonitor(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    RECT titleBar{r.left, r.top, r.right, r.top + GetSystemMetrics(SM_CYCAPTION)};
    if (MonitorFromRect(&titleBar, MONITOR_DEFAULTTONULL)) return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    Rect moved = MoveInside({r.left, r.top, r.right, r.bottom}, {work.left, work.top, work.right, work.bottom});
    SetWindowPos(window, nullptr, moved.Left, moved.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace lumeret

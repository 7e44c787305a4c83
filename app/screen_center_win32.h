// The two dialogs open in the middle of the primary screen each time they
// are shown, wherever they were left.
#pragma once

#include <windows.h>

namespace lumeret {

inline void CenterOnScreen(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    int left = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace lumeret

// The window of the floors' own programs in bench/e2e.sh: the smallest
// top-level window, with what a floor adds to it, shown at once.
#pragma once

#include <windows.h>

namespace lumeret::bench {

// Makes the window of the class, lets addContents(window) fill it, shows it
// and runs its messages until it quits; the exit code.
template <typename AddContents>
int RunFloorWindow(const wchar_t* className, WNDPROC proc, AddContents addContents) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowW(className, L"floor", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                              wc.hInstance, nullptr);
    addContents(hwnd);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace lumeret::bench

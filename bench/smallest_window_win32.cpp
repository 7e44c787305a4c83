// The start-up floors of bench/e2e.sh: the smallest Win32 program that shows a
// window, linked against nothing beyond what every window needs, so that its
// start is what Wine and the machine cost and nothing more. Built once more
// with WITH_STATUS_BAR, the window also holds a status bar of the common
// controls: what loading them at start costs under Wine, a cost the program's
// main window spares with a status line of its own.
#include <windows.h>
#ifdef WITH_STATUS_BAR
#include <commctrl.h>
#endif

#include "bench/floor_window_win32.h"

namespace {

LRESULT CALLBACK SmallestWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return lumeret::bench::RunFloorWindow(L"LumeretBenchSmallestWindow", &SmallestWindowProc, [](HWND window) {
#ifdef WITH_STATUS_BAR
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        CreateWindowW(STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window, nullptr,
                      GetModuleHandleW(nullptr), nullptr);
#else
        (void)window;
#endif
    });
}

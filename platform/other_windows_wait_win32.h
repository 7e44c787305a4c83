// The program's windows that take input, held disabled while a box or a
// system dialog owned by one of them waits for the user: the dialog itself
// disables its owner and gives it back before it goes, the others wait here.
#pragma once

#include <windows.h>

#include <vector>

namespace lumeret {

class OtherWindowsWait {
public:
    explicit OtherWindowsWait(HWND owner) : owner_(owner) {
        EnumThreadWindows(GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(this));
        for (HWND window : windows_) EnableWindow(window, FALSE);
    }
    OtherWindowsWait(const OtherWindowsWait&) = delete;
    OtherWindowsWait& operator=(const OtherWindowsWait&) = delete;
    ~OtherWindowsWait() {
        for (HWND window : windows_) {
            if (IsWindow(window)) EnableWindow(window, TRUE);
        }
    }

private:
    static BOOL CALLBACK Collect(HWND window, LPARAM lParam) {
        auto* self = reinterpret_cast<OtherWindowsWait*>(lParam);
        if (window != self->owner_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
            self->windows_.push_back(window);
        }
        return TRUE;
    }

    HWND owner_;
    std::vector<HWND> windows_;
};

}  // namespace lumeret

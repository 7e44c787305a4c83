// The program's windows that take input, held disabled while a box or a
// system dialog owned by one of them waits for the user: the dialog itself
// disables its owner and gives it back before it goes, the others wait here.
// A waiting window kept in front of all others steps back meanwhile: it could
// cover the box, and cannot be moved aside while it waits.
#pragma once

#include <windows.h>

#include <vector>

namespace lumeret {

class OtherWindowsWait {
public:
    explicit OtherWindowsWait(HWND owner) : owner_(owner) {
        EnumThreadWindows(GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(this));
        for (const Waiting& w : windows_) {
            EnableWindow(w.window, FALSE);
            if (w.inFront) SetWindowPos(w.window, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlace);
        }
    }
    OtherWindowsWait(const OtherWindowsWait&) = delete;
    OtherWindowsWait& operator=(const OtherWindowsWait&) = delete;
    ~OtherWindowsWait() {
        for (const Waiting& w : windows_) {
            if (!IsWindow(w.window)) continue;
            if (w.inFront) SetWindowPos(w.window, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
            EnableWindow(w.window, TRUE);
        }
    }

private:
    static constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

    struct Waiting {
        HWND window;
        bool inFront;
    };

    static BOOL CALLBACK Collect(HWND window, LPARAM lParam) {
        auto* self = reinterpret_cast<OtherWindowsWait*>(lParam);
        if (window != self->owner_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
            const bool inFront = (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
            self->windows_.push_back({window, inFront});
        }
        return TRUE;
    }

    HWND owner_;
    std::vector<Waiting> windows_;
};

}  // namespace lumeret

// The control that had a window's focus as the user left the window: it gets
// the focus back as the user returns.
#pragma once

#include <windows.h>

namespace lumeret {

class FocusMemory {
public:
    // For WM_ACTIVATE: notes the control of window that has the focus as the
    // window is left.
    void OnActivate(HWND window, WPARAM state) {
        if (LOWORD(state) != WA_INACTIVE) return;
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) control_ = focus;
    }
    // For WM_SETFOCUS: the control noted, while it shows, else fallback.
    void GiveBack(HWND fallback) const { SetFocus(control_ && IsWindowVisible(control_) ? control_ : fallback); }
    void Forget() { control_ = nullptr; }

private:
    HWND control_ = nullptr;
};

}  // namespace lumeret

// A page of a tab control: a child of the tab control over its display area
// that shows the tab's own body behind its controls (labels included) and
// passes its controls' notices on to the window that owns the tabs, so that
// the controls of every page belong to the page they show on.
#pragma once

#include <windows.h>

#include "platform/window_win32.h"

namespace lumeret {

class PageWindow : public Window {
public:
    // Made hidden; notices go to owner.
    PageWindow(HWND tabControl, HWND owner);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    HWND owner_;
};

}  // namespace lumeret

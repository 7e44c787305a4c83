#include "platform/page_window_win32.h"

#include <commctrl.h>
#include <uxtheme.h>

namespace lumeret {

PageWindow::PageWindow(HWND tabControl, HWND owner) : owner_(owner) {
    RECT area{};
    GetClientRect(tabControl, &area);
    SendMessageW(tabControl, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    CreateParams p;
    p.className = L"LumeretPage";
    // No WS_CLIPCHILDREN: the body is painted behind frames and labels too.
    p.style = WS_CHILD | WS_CLIPSIBLINGS;
    p.exStyle = WS_EX_CONTROLPARENT;
    p.left = area.left;
    p.top = area.top;
    p.clientWidth = area.right - area.left;
    p.clientHeight = area.bottom - area.top;
    p.owner = tabControl;
    CreateWindowObject(p);
}

LRESULT PageWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        // The tab control paints its body here, as it would without a page.
        DrawThemeParentBackground(Handle(), reinterpret_cast<HDC>(wParam), nullptr);
        return 1;
    case WM_CTLCOLORSTATIC: {
        // A label shows the page's body around its text.
        auto dc = reinterpret_cast<HDC>(wParam);
        DrawThemeParentBackground(reinterpret_cast<HWND>(lParam), dc, nullptr);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CONTEXTMENU:
    case WM_VKEYTOITEM:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        return SendMessageW(owner_, msg, wParam, lParam);
    default:
        return Window::HandleMessage(msg, wParam, lParam);
    }
}

}  // namespace lumeret

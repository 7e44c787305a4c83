#include "platform/status_line_win32.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <string>

#include "platform/errors.h"
#include "platform/handles_win32.h"

namespace lumeret {

namespace {

// The panel lies this far below the bar's top edge, and its text this far
// right of the panel's left edge, as in the system's status bar.
constexpr int kPanelTop = 2;
constexpr int kTextIndent = 3;

void OpenTheme(HWND line) { OpenThemeData(line, L"Status"); }

void CloseTheme(HWND line) {
    if (HTHEME theme = GetWindowTheme(line)) CloseThemeData(theme);
}

void Paint(HWND line, HDC dc) {
    RECT bar{};
    GetClientRect(line, &bar);
    RECT panel = bar;
    panel.top += kPanelTop;
    const HTHEME theme = GetWindowTheme(line);
    if (theme) {
        DrawThemeBackground(theme, dc, 0, 0, &bar, nullptr);
        DrawThemeBackground(theme, dc, SP_PANE, 0, &panel, nullptr);
    } else {
        FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &panel, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    }
    const int length = GetWindowTextLengthW(line);
    if (length == 0) return;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(line, text.data(), length + 1)));
    panel.left += kTextIndent;
    SelectGuard font(dc, reinterpret_cast<HFONT>(GetWindowLongPtrW(line, GWLP_USERDATA)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &panel,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT CALLBACK StatusLineProc(HWND line, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        OpenTheme(line);
        return 0;
    case WM_DESTROY:
        CloseTheme(line);
        return 0;
    case WM_THEMECHANGED:
        CloseTheme(line);
        OpenTheme(line);
        InvalidateRect(line, nullptr, TRUE);
        return 0;
    case WM_SETFONT:
        SetWindowLongPtrW(line, GWLP_USERDATA, static_cast<LONG_PTR>(wParam));
        if (LOWORD(lParam)) InvalidateRect(line, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return GetWindowLongPtrW(line, GWLP_USERDATA);
    case WM_SETTEXT: {
        const LRESULT set = DefWindowProcW(line, msg, wParam, lParam);
        InvalidateRect(line, nullptr, TRUE);
        return set;
    }
    case WM_ERASEBKGND:
        return 1;  // painted whole in WM_PAINT
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(line, &ps);
        Paint(line, dc);
        EndPaint(line, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        // A picture of the window, taken by another program.
        Paint(line, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_LBUTTONUP:
        // The line never takes the mouse: a release here is one over it.
        SendMessageW(GetParent(line), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(line), STN_CLICKED),
                     reinterpret_cast<LPARAM>(line));
        return 0;
    default:
        return DefWindowProcW(line, msg, wParam, lParam);
    }
}

}  // namespace

void RegisterStatusLineClass() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{sizeof(wc)};
    if (GetClassInfoExW(instance, kStatusLineClass, &wc)) return;
    wc = WNDCLASSEXW{sizeof(wc)};
    wc.lpfnWndProc = &StatusLineProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kStatusLineClass;
    if (!RegisterClassExW(&wc)) throw OutOfResourcesError("Cannot create control");
}

}  // namespace lumeret

#include "platform/speed_button_win32.h"

#include "platform/control_router_win32.h"

namespace lumeret {

namespace {

bool PointerInside(HWND button, LPARAM lParam) {
    RECT client{};
    GetClientRect(button, &client);
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&client, at) != FALSE;
}

void ShowPressed(HWND button, bool pressed) {
    const bool shown = (SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    if (shown != pressed) SendMessageW(button, BM_SETSTATE, pressed ? TRUE : FALSE, 0);
}

}  // namespace

std::optional<LRESULT> HandleSpeedButtonMessage(HWND button, UINT msg, WPARAM, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetCapture(button);
        ShowPressed(button, true);
        return 0;
    case WM_MOUSEMOVE:
        if (GetCapture() == button) ShowPressed(button, PointerInside(button, lParam));
        return 0;
    case WM_LBUTTONUP: {
        if (GetCapture() != button) return 0;
        const bool released = PointerInside(button, lParam);
        ShowPressed(button, false);
        ReleaseCapture();
        if (released) {
            SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        ShowPressed(button, false);
        return 0;
    default:
        return std::nullopt;
    }
}

std::optional<LRESULT> HandleQuickSecondPress(HWND button, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_LBUTTONDBLCLK) return std::nullopt;
    return CallControl(button, WM_LBUTTONDOWN, wParam, lParam);
}

}  // namespace lumeret

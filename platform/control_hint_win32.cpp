#include "platform/control_hint_win32.h"

#include <commctrl.h>

#include "platform/common_controls_win32.h"
#include "platform/wide_win32.h"

namespace lumeret {

namespace {
constexpr int kMaxHintWidth = 400;  // longer lines wrap
}  // namespace

ControlHint::ControlHint(HWND owner, HWND control)
    : owner_(owner),
      control_(control),
      tooltip_(CreateHintWindow(owner)) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(control_);
    tool.lpszText = shown_.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, kMaxHintWidth);
    ListenToControl(control_, *this);
}

ControlHint::~ControlHint() { StopListening(control_, *this); }

std::optional<LRESULT> ControlHint::OnListenedMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
        MSG relayed{control, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
        const DWORD at = GetMessagePos();
        relayed.pt = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
        SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
        break;
    }
    }
    return std::nullopt;
}

void ControlHint::SetText(const UserText& text) {
    text_ = text.Bytes();
    shown_ = ToWide(text);
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(control_);
    tool.lpszText = shown_.data();
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace lumeret

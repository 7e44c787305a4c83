#include "platform/control_hint_win32.h"

#include <commctrl.h>

namespace lumeret {

namespace {
constexpr int kMaxHintWidth = 400;  // longer lines wrap
}  // namespace

ControlHint::ControlHint(HWND owner, HWND control)
    : owner_(owner),
      control_(control),
      tooltip_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0,
                               0, 0, owner, nullptr, GetModuleHandleW(nullptr), nullptr)) {
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(control_);
    tool.lpszText = text_.data();
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, kMaxHintWidth);
}

void ControlHint::SetText(std::string text) {
    text_ = std::move(text);
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(control_);
    tool.lpszText = text_.data();
    SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace lumeret

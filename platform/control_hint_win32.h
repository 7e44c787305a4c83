// A control's hint: a tooltip over the control whose text the program sets.
// Hints of the lists show clip data in the ANSI code page beside the
// program's own words, each read through its own code page.
#pragma once

#include <windows.h>

#include <string>

#include "platform/control_router_win32.h"
#include "platform/user_text.h"

namespace lumeret {

class ControlHint : private ControlListener {
public:
    ControlHint(HWND owner, HWND control);
    ~ControlHint();
    ControlHint(const ControlHint&) = delete;
    ControlHint& operator=(const ControlHint&) = delete;

    void SetText(const UserText& text);
    // The text's bytes as the program holds them.
    const std::string& Text() const { return text_; }

private:
    // Hands the mouse's moves and presses over the control on to the
    // tooltip, which shows itself when the mouse rests.
    std::optional<LRESULT> OnListenedMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) override;

    HWND owner_;
    HWND control_;
    HWND tooltip_;
    std::string text_;
    std::wstring shown_;
};

}  // namespace lumeret

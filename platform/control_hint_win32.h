// A control's hint: a tooltip over the control whose text the program sets.
// Hints of the lists show clip data, so their text is ANSI bytes.
#pragma once

#include <windows.h>

#include <string>

namespace lumeret {

class ControlHint {
public:
    ControlHint(HWND owner, HWND control);
    ControlHint(const ControlHint&) = delete;
    ControlHint& operator=(const ControlHint&) = delete;

    void SetText(std::string text);
    const std::string& Text() const { return text_; }

private:
    HWND owner_;
    HWND control_;
    HWND tooltip_;
    std::string text_;
};

}  // namespace lumeret

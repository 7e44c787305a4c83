// A modeless dialog that stands in for a modal one: the windows behind it are
// disabled while it is open and enabled again however it closes.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <vector>

namespace lumeret {

class ModalScope {
public:
    // Disables the windows; atEnd runs first when the scope ends, before they
    // are enabled again.
    ModalScope(std::initializer_list<HWND> windows, std::function<void()> atEnd = {})
        : windows_(windows), atEnd_(std::move(atEnd)) {
        for (HWND w : windows_) EnableWindow(w, FALSE);
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
    ~ModalScope() {
        if (atEnd_) atEnd_();
        for (HWND w : windows_) EnableWindow(w, TRUE);
    }

private:
    std::vector<HWND> windows_;
    std::function<void()> atEnd_;
};

}  // namespace lumeret

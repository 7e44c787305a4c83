// Speed buttons: owner-drawn BUTTON controls that act on every press and
// never take the keyboard focus. A button would report the second press of a
// quick pair only as a double-click (BN_DOUBLECLICKED) and would take the
// focus from the list the user is working in; a speed button handles the
// mouse itself and tells its window BN_CLICKED for each press released over it.
#pragma once

#include <windows.h>

#include <optional>

namespace lumeret {

// A routed speed button's message (see Window::RouteControlMessages); nothing
// for messages the button handles itself.
std::optional<LRESULT> HandleSpeedButtonMessage(HWND button, UINT msg, WPARAM wParam, LPARAM lParam);

// For a focusable button: a quick second press is a press too.
std::optional<LRESULT> HandleQuickSecondPress(HWND button, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace lumeret

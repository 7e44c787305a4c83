// The status line at the foot of a window: one line of text on a bar drawn
// as the system draws a status bar with one simple panel and no size grip.
// It is a window class of the program's own rather than the common controls'
// status bar, so that a window shows without loading the common controls'
// library first: under Wine loading it alone lengthens a start by a tenth.
//
// The line shows its window text (SetWindowText) in the font set with
// WM_SETFONT. A click on it, the left button released over it, is told to
// the parent as WM_COMMAND with the line's id and STN_CLICKED.
#pragma once

#include <windows.h>

namespace lumeret {

inline constexpr wchar_t kStatusLineClass[] = L"LumeretStatusLine";

// Registers the class of that name unless it is registered, before a line is
// made.
// Throws OutOfResourcesError when it cannot be registered.
void RegisterStatusLineClass();

}  // namespace lumeret

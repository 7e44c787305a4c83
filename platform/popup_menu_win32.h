// Popup menus made from a table of items, opened over a control.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "platform/handles_win32.h"

namespace lumeret {

struct MenuItem {
    UINT id;
    const char* caption;  // code page 932; nullptr for a separator
};

UniqueHmenu CreatePopupMenuOf(std::initializer_list<MenuItem> items);

// Opens the menu at the screen point (x, y), or at target's top-left corner
// when the menu was asked for from the keyboard (x and y -1). Returns the
// chosen item's id, 0 when the menu was closed without a choice.
UINT TrackPopupMenuOver(HMENU menu, HWND owner, HWND target, int x, int y);

}  // namespace lumeret

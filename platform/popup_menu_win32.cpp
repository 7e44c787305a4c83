#include "platform/popup_menu_win32.h"

#include "platform/wide_win32.h"

namespace lumeret {

UniqueHmenu CreatePopupMenuOf(std::initializer_list<MenuItem> items) {
    UniqueHmenu menu(CreatePopupMenu());
    for (const auto& item : items) {
        if (item.caption) {
            AppendMenuW(menu.get(), MF_STRING, item.id, FromCp932(item.caption).c_str());
        } else {
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        }
    }
    return menu;
}

UINT TrackPopupMenuOver(HMENU menu, HWND owner, HWND target, int x, int y) {
    if (x == -1 && y == -1) {
        RECT r{};
        GetWindowRect(target, &r);
        x = r.left;
        y = r.top;
    }
    return static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr));
}

}  // namespace lumeret

#include "platform/common_controls_win32.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/system_library_win32.h"

namespace lumeret {

void LoadCommonControls() {
    static const bool loaded = [] {
        auto* init = SystemLibraryFunction<decltype(InitCommonControlsEx)>(L"comctl32.dll", "InitCommonControlsEx");
        const INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_BAR_CLASSES | ICC_TAB_CLASSES};
        return init && init(&classes);
    }();
    (void)loaded;
}

HWND CreateHintWindow(HWND owner) {
    LoadCommonControls();
    return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0,
                           owner, nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace lumeret

// OpenClipboard / CloseClipboard. Another program may hold the clipboard for
// a moment, so opening is tried a few times with a growing pause.
#pragma once

#include <windows.h>

namespace lumeret {

// Opens the clipboard, retrying; false when it stays held.
bool OpenClipboardRetrying(HWND owner);

class ClipboardSession {
public:
    // Throws ClipboardError "クリップボードを開けません" when it stays held.
    explicit ClipboardSession(HWND owner);
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    ~ClipboardSession() { CloseClipboard(); }
};

}  // namespace lumeret

#include "platform/clipboard_session_win32.h"

#include "platform/errors.h"

namespace lumeret {

namespace {
constexpr int kOpenAttempts = 5;
constexpr DWORD kFirstRetryDelayMs = 10;
}  // namespace

bool OpenClipboardRetrying(HWND owner) {
    DWORD delay = kFirstRetryDelayMs;
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (OpenClipboard(owner)) return true;
        if (attempt + 1 < kOpenAttempts) {
            Sleep(delay);
            delay *= 2;
        }
    }
    return false;
}

ClipboardSession::ClipboardSession(HWND owner) {
    if (!OpenClipboardRetrying(owner)) throw ClipboardError("クリップボードを開けません");
}

}  // namespace lumeret

#include "platform/clipboard_session_win32.h"

#include "platform/errors.h"

namespace lumeret {

namespace {
constexpr int kOpenAttempts = 5;
constexpr DWORD kFirstRetryDelayMs = 10;
}  // namespace

ClipboardSession::ClipboardSession(HWND owner) {
    DWORD delay = kFirstRetryDelayMs;
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (OpenClipboard(owner)) return;
        if (attempt + 1 < kOpenAttempts) {
            Sleep(delay);
            delay *= 2;
        }
    }
    throw Exception("クリップボードを開けません");
}

}  // namespace lumeret

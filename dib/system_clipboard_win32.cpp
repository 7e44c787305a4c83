#include "dib/system_clipboard_win32.h"

#include "platform/clipboard_session_win32.h"

namespace lumeret {

SystemClipboard::~SystemClipboard() {
    if (depth_ > 0) {
        CloseClipboard();
    }
}

void SystemClipboard::Open() {
    if (depth_ > 0) {
        ++depth_;
        return;
    }
    if (!OpenClipboardRetrying(owner_)) throw ClipboardError("Cannot open clipboard");
    depth_ = 1;
}

void SystemClipboard::Close() {
    if (depth_ == 0) {
        return;
    }
    if (--depth_ == 0) {
        CloseClipboard();
    }
}

bool SystemClipboard::HasFormat(unsigned format) { return IsClipboardFormatAvailable(format) != FALSE; }

void* SystemClipboard::GetAsHandle(unsigned format) {
    ClipboardOpenGuard open(*this);
    return GetClipboardData(format);
}

void SystemClipboard::Clear() {
    ClipboardOpenGuard open(*this);
    EmptyClipboard();
}

void SystemClipboard::SetAsHandle(unsigned format, void* handle) {
    ClipboardOpenGuard open(*this);
    if (SetClipboardData(format, static_cast<HANDLE>(handle)) == nullptr) {
        throw ClipboardError("Cannot put data on the clipboard");
    }
}

}  // namespace lumeret

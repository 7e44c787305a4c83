#include "platform/clipboard_wait_win32.h"

#include <utility>

namespace lumeret {

ClipboardWait::ClipboardWait(HWND owner, UINT retryMessage, UINT_PTR timerId, std::function<void()> handling)
    : owner_(owner), retryMessage_(retryMessage), timerId_(timerId), handling_(std::move(handling)) {}

ClipboardWait::~ClipboardWait() { StopTimer(); }

bool ClipboardWait::ClipboardFree() const {
    if (!OpenClipboard(owner_)) return false;
    CloseClipboard();
    return true;
}

void ClipboardWait::Notice() {
    if (waiting_) return;  // the handling to come reads the newest content
    if (ClipboardFree()) {
        Run();
        return;
    }
    waiting_ = true;
    since_ = GetTickCount();
    PostMessageW(owner_, retryMessage_, 0, 0);
}

void ClipboardWait::OnRetry() {
    if (!waiting_) return;  // a retry left over from a wait that has ended
    const DWORD waited = GetTickCount() - since_;
    if (ClipboardFree() || waited >= kGiveUpMs) {
        Run();
        return;
    }
    if (waited < kQueueRetryMs) {
        PostMessageW(owner_, retryMessage_, 0, 0);
    } else if (!timerOn_) {
        timerOn_ = SetTimer(owner_, timerId_, kTimerMs, nullptr) != 0;
        if (!timerOn_) PostMessageW(owner_, retryMessage_, 0, 0);
    }
}

void ClipboardWait::Run() {
    waiting_ = false;
    StopTimer();
    handling_();
}

void ClipboardWait::StopTimer() {
    if (timerOn_) KillTimer(owner_, timerId_);
    timerOn_ = false;
}

}  // namespace lumeret

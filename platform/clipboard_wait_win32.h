// Waits for the clipboard without ever sleeping. A change is reported while
// the program that made it may still hold the clipboard for a moment; the
// handling then runs as soon as it is free, tried again from the owner
// window's message queue (at once for the first milliseconds, then on a
// short timer), so that the window stays responsive and other programs are
// never kept waiting by a sleeping thread. After a bound the handling runs
// anyway and meets the held clipboard itself. Notices that come while one
// waits join it: the handling runs once for them.
#pragma once

#include <windows.h>

#include <functional>

namespace lumeret {

class ClipboardWait {
public:
    // retryMessage is a message of the owner's that it passes to OnRetry,
    // timerId a timer of the owner's that it passes to OnRetry too.
    ClipboardWait(HWND owner, UINT retryMessage, UINT_PTR timerId, std::function<void()> handling);
    ClipboardWait(const ClipboardWait&) = delete;
    ClipboardWait& operator=(const ClipboardWait&) = delete;
    ~ClipboardWait();

    // A change of the clipboard was reported.
    void Notice();
    // The owner's retry message or timer arrived.
    void OnRetry();
    bool Waiting() const { return waiting_; }

    // How long the clipboard is tried at once from the queue, then on the
    // timer, before the handling runs regardless (about what retrying
    // with pauses allowed before).
    static constexpr DWORD kQueueRetryMs = 10;
    static constexpr UINT kTimerMs = 1;
    static constexpr DWORD kGiveUpMs = 150;

private:
    bool ClipboardFree() const;
    void Run();
    void StopTimer();

    HWND owner_;
    UINT retryMessage_;
    UINT_PTR timerId_;
    std::function<void()> handling_;
    bool waiting_ = false;
    bool timerOn_ = false;
    DWORD since_ = 0;
};

}  // namespace lumeret

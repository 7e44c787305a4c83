#include "clipwatch/clipboard_watcher_win32.h"

#include <utility>

namespace lumeret {

namespace {

// Passes a change notice on to the next viewer when it goes out of scope, so
// the chain hears of the change also when the handler fails.
class PassNoticeOn {
public:
    explicit PassNoticeOn(const HWND& next) : next_(next) {}
    PassNoticeOn(const PassNoticeOn&) = delete;
    PassNoticeOn& operator=(const PassNoticeOn&) = delete;
    // The handler may have left the chain meanwhile; the viewer that followed
    // this one still gets the notice.
    ~PassNoticeOn() {
        if (next_) SendMessageA(next_, WM_DRAWCLIPBOARD, 0, 0);
    }

private:
    const HWND& next_;
};

}  // namespace

ClipboardWatcher::~ClipboardWatcher() { LeaveChain(); }

void ClipboardWatcher::LeaveChain() {
    if (!Handle()) return;
    // The result tells nothing the watcher could act on.
    ChangeClipboardChain(Handle(), nextViewer_);
    DestroyWindowObject();
}

void ClipboardWatcher::SetOnClipChange(ClipboardChangeHandler handler) {
    if (!handler) {
        if (Handle()) {
            // nextViewer_ keeps its value until the next join replaces it.
            LeaveChain();
            handler_ = nullptr;
        }
        return;
    }
    if (Handle()) {
        handler_ = std::move(handler);
        return;
    }

    // A top-level window that is never shown: a message-only window would not
    // be allowed into the viewer chain everywhere.
    CreateParams p;
    p.className = L"LumeretClipboardWatcher";
    p.style = WS_POPUP;
    p.left = 0;
    p.top = 0;
    CreateWindowObject(p, "TVyClipDetector.SetOnClipChange: Cannot Allocate HWnd");
    handler_ = std::move(handler);

    // The system sends the new viewer a WM_DRAWCLIPBOARD inside this call.
    joining_ = true;
    nextViewer_ = SetClipboardViewer(Handle());
    joining_ = false;
}

void ClipboardWatcher::DoClipChange() {
    if (!handler_) return;
    // A copy, so a handler that replaces or clears itself runs to its end.
    ClipboardChangeHandler handler = handler_;
    handler(*this);
}

LRESULT ClipboardWatcher::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DRAWCLIPBOARD: {
        // The viewer before this one waits for the answer: it is given at
        // once, so that the handling, and an error it reports, never hold up
        // another program.
        ReplyMessage(0);
        PassNoticeOn passOn(nextViewer_);
        if (!(ignoreFirstNotice_ && joining_)) DoClipChange();
        return 0;
    }
    case WM_CHANGECBCHAIN:
        if (reinterpret_cast<HWND>(wParam) == nextViewer_) {
            nextViewer_ = reinterpret_cast<HWND>(lParam);
            return 0;
        }
        if (!nextViewer_) return 0;
        return SendMessageA(nextViewer_, WM_CHANGECBCHAIN, wParam, lParam);
    default:
        return Default(msg, wParam, lParam);
    }
}

}  // namespace lumeret

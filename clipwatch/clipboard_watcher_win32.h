// Tells its owner every change of the system clipboard. It joins the
// clipboard-viewer chain with a hidden window of its own when a handler is
// assigned and leaves it when the handler is cleared or the watcher goes; it
// passes every notice on to the next viewer and follows the chain's changes.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/window_win32.h"

namespace lumeret {

class ClipboardWatcher;

// The change handler; its argument is the watcher that saw the change.
using ClipboardChangeHandler = std::function<void(ClipboardWatcher& sender)>;

class ClipboardWatcher : private Window {
public:
    ClipboardWatcher() = default;
    ~ClipboardWatcher() override;

    // True (the default): the notice the system sends at the moment of
    // joining is not reported.
    bool IgnoreFirst() const { return ignoreFirstNotice_; }
    void SetIgnoreFirst(bool value) { ignoreFirstNotice_ = value; }

    const ClipboardChangeHandler& OnClipChange() const { return handler_; }
    // Assigning a handler joins the chain (unless already in it); an empty
    // handler leaves it. Throws OutOfResourcesError when the hidden window
    // cannot be made.
    void SetOnClipChange(ClipboardChangeHandler handler);

    // Read-only views of the chain state.
    HWND WindowHandle() const { return Handle(); }
    HWND NextViewer() const { return nextViewer_; }
    bool Joining() const { return joining_; }

protected:
    // Calls the handler with this watcher; does nothing without one.
    virtual void DoClipChange();

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void LeaveChain();

    HWND nextViewer_ = nullptr;
    ClipboardChangeHandler handler_;
    bool joining_ = false;
    bool ignoreFirstNotice_ = true;
};

}  // namespace lumeret

// ClipboardWatcher: a non-visual component that tells its owner every change
// of the system clipboard. It joins the clipboard-viewer chain with a hidden
// window of its own when a handler is assigned and leaves it when the handler
// is cleared or the component is destroyed.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/handles_win32.h"

namespace lumeret {

class ClipboardWatcher;

// The change handler; its argument is the component that saw the change.
using ClipboardChangeHandler = std::function<void(ClipboardWatcher& sender)>;

class ClipboardWatcher {
public:
    ClipboardWatcher() = default;
    virtual ~ClipboardWatcher();
    ClipboardWatcher(const ClipboardWatcher&) = delete;
    ClipboardWatcher& operator=(const ClipboardWatcher&) = delete;

    // True (the default): the notice the system sends at the moment of
    // joining is not reported.
    bool IgnoreFirst() const { return FIgnoreFirstNotice; }
    void SetIgnoreFirst(bool value) { FIgnoreFirstNotice = value; }

    const ClipboardChangeHandler& OnClipChange() const { return FClipChangeHandler; }
    // Assigning a handler joins the chain (unless already in it); an empty
    // handler leaves it. Throws OutOfResourcesError when the hidden window cannot
    // be made.
    void SetOnClipChange(ClipboardChangeHandler handler);

    // Read-only views of the chain state.
    HWND WindowHandle() const { return FWindowHandle.get(); }
    HWND NextViewer() const { return FNextViewer; }
    bool Joining() const { return FJoining; }

    // The hidden window's message handler.
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Calls the handler with this component; does nothing without one.
    virtual void DoClipChange();

private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void LeaveChain();

    HWND FNextViewer = nullptr;
    ClipboardChangeHandler FClipChangeHandler;
    bool FJoining = false;
    bool FIgnoreFirstNotice = true;
    UniqueHwnd FWindowHandle;
};

}  // namespace lumeret

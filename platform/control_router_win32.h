// Hands a control's messages to the objects listening to it before the
// control gets them. The listeners are kept in this thread's own memory: the
// system's subclassing keeps them in a window property, which Wine fetches
// from its server on every message, about 0.1 ms each.
#pragma once

#include <windows.h>

#include <optional>

namespace lumeret {

class ControlListener {
public:
    // A message of the control; an answer keeps it from the control.
    virtual std::optional<LRESULT> OnListenedMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~ControlListener() = default;
};

// Listeners are asked newest first; the first answer wins, and with none the
// control handles the message itself. A control's listeners leave it when it
// is destroyed; one that goes first stops listening itself. Controls of this
// thread only.
void ListenToControl(HWND control, ControlListener& listener);
void StopListening(HWND control, ControlListener& listener);

// The control's own handling of a message, for a listener that wants it
// before or instead of its own.
LRESULT CallControl(HWND control, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace lumeret

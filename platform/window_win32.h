// The thin window layer: a window object bound to its HWND, one HandleMessage
// per class, and every message - the window's own and those of the controls
// it routes to itself - handled behind the one error boundary.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/control_router_win32.h"

namespace lumeret {

class Window : private ControlListener {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const { return hwnd_; }

    void Show();
    void Hide();
    bool Visible() const;
    void SetEnabled(bool enabled);
    void SetTopmost(bool topmost);
    void BringToFront();
    // Outer rectangle in screen coordinates.
    RECT Bounds() const;
    void MoveTo(int left, int top);
    void Close();

protected:
    struct CreateParams {
        const wchar_t* className = nullptr;
        std::string caption;  // code page 932
        DWORD style = WS_OVERLAPPEDWINDOW;
        DWORD exStyle = 0;
        int left = CW_USEDEFAULT;
        int top = CW_USEDEFAULT;
        int clientWidth = 0;  // the outer size is computed from the client size
        int clientHeight = 0;
        HWND owner = nullptr;
        HICON icon = nullptr;
    };

    // Registers the class on first use and creates the window, hidden.
    // Throws OutOfResourcesError with failureMessage when it cannot be made.
    void CreateWindowObject(const CreateParams& params, const char* failureMessage = "Cannot create window");
    // Destroys the window; a later CreateWindowObject makes a new one.
    void DestroyWindowObject();

    // Called for every message, inside the error boundary. A window handles
    // its own messages and passes the rest here: the notifications of its
    // controls go to the members below, everything else to DefWindowProcW.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

    // WM_COMMAND from a control (or a menu, with no control).
    virtual void OnCommand(int id, int code, HWND control);
    // WM_DRAWITEM of an owner-drawn control.
    virtual void OnDrawItem(const DRAWITEMSTRUCT& item);
    // WM_CONTEXTMENU; false leaves it to the system (the caption's menu).
    virtual bool OnContextMenu(HWND target, int x, int y);
    // A key in a list box that asks its owner (LBS_WANTKEYBOARDINPUT); the
    // list box's own handling follows.
    virtual void OnListKeyDown(HWND list, WORD key);
    // The text colour of a label, nothing for the system's own.
    virtual std::optional<COLORREF> LabelTextColor(HWND label) const;

    // Sends a control's own messages to OnControlMessage before the control
    // sees them, behind the same error boundary as the window's.
    void RouteControlMessages(HWND control);
    // A routed control's message; nothing lets the control handle it itself.
    virtual std::optional<LRESULT> OnControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam);
    // The control's own handling of a message, from within OnControlMessage.
    static LRESULT ControlDefault(HWND control, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> OnListenedMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) override;

    HWND hwnd_ = nullptr;
};

}  // namespace lumeret

// The thin window layer: a window object bound to its HWND, one HandleMessage
// per class, and every handler run behind the program-wide error display.
#pragma once

#include <windows.h>

#include <string>

namespace lumeret {

class Window {
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
    void CreateWindowObject(const CreateParams& params);

    // Called for every message, inside the error boundary. The default is
    // DefWindowProcW; return Default(...) for unhandled messages.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

}  // namespace lumeret

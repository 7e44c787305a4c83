#include "platform/window_win32.h"

#include "platform/error_report.h"
#include "platform/errors.h"
#include "platform/wide_win32.h"

namespace lumeret {

namespace {

// Runs a message's handling behind the error boundary: a failure is reported
// and the message gets the answer a failed handler gives, 0.
template <typename Handling>
LRESULT Guarded(Handling&& handling) {
    LRESULT result = 0;
    CallGuarded([&] { result = handling(); });
    return result;
}

}  // namespace

Window::~Window() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Window::CreateWindowObject(const CreateParams& p, const char* failureMessage) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(instance, p.className, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &Window::WindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = p.className;
        // Without an icon of its own a window shows the application icon,
        // resource 1 of the executable (none in an executable without it).
        HICON large = p.icon;
        if (!large) large = LoadIconW(instance, MAKEINTRESOURCEW(1));
        wc.hIcon = large;
        wc.style = CS_DBLCLKS;
        if (!RegisterClassExW(&wc)) throw OutOfResourcesError(failureMessage);
    }
    RECT r{0, 0, p.clientWidth, p.clientHeight};
    AdjustWindowRectEx(&r, p.style, FALSE, p.exStyle);
    HWND hwnd = CreateWindowExW(p.exStyle, p.className, FromCp932(p.caption).c_str(), p.style & ~WS_VISIBLE,
                                p.left, p.top, r.right - r.left, r.bottom - r.top, p.owner, nullptr, instance, this);
    if (!hwnd) throw OutOfResourcesError(failureMessage);
}

void Window::DestroyWindowObject() {
    if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<Window*>(cs->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return Guarded([&] { return self->HandleMessage(msg, wParam, lParam); });
}

std::optional<LRESULT> Window::OnListenedMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) {
    // A failed handler answers 0, and the control does not see the message.
    std::optional<LRESULT> answer = 0;
    CallGuarded([&] { answer = OnControlMessage(control, msg, wParam, lParam); });
    return answer;
}

void Window::RouteControlMessages(HWND control) { ListenToControl(control, *this); }

std::optional<LRESULT> Window::OnControlMessage(HWND, UINT, WPARAM, LPARAM) { return std::nullopt; }

LRESULT Window::ControlDefault(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallControl(control, msg, wParam, lParam);
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_DRAWITEM:
        OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CONTEXTMENU:
        if (OnContextMenu(reinterpret_cast<HWND>(wParam), static_cast<short>(LOWORD(lParam)),
                          static_cast<short>(HIWORD(lParam)))) {
            return 0;
        }
        break;
    case WM_VKEYTOITEM: {
        // Any answer of 0 or more makes the list select that row, so a failed
        // handler is reported here, and its key goes no further (-2) rather
        // than moving the selection away from the clip it failed on.
        bool handled = false;
        CallGuarded([&] {
            OnListKeyDown(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
            handled = true;
        });
        return handled ? -1 : -2;
    }
    case WM_CTLCOLORSTATIC:
        if (auto color = LabelTextColor(reinterpret_cast<HWND>(lParam))) {
            auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, *color);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    }
    return Default(msg, wParam, lParam);
}

void Window::OnCommand(int, int, HWND) {}
void Window::OnDrawItem(const DRAWITEMSTRUCT&) {}
bool Window::OnContextMenu(HWND, int, int) { return false; }
void Window::OnListKeyDown(HWND, WORD) {}
std::optional<COLORREF> Window::LabelTextColor(HWND) const { return std::nullopt; }

LRESULT Window::Default(UINT msg, WPARAM wParam, LPARAM lParam) { return DefWindowProcW(hwnd_, msg, wParam, lParam); }

void Window::Show() { ShowWindow(hwnd_, SW_SHOW); }
void Window::Hide() { ShowWindow(hwnd_, SW_HIDE); }
bool Window::Visible() const { return IsWindowVisible(hwnd_) != FALSE; }
void Window::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

void Window::SetTopmost(bool topmost) {
    SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Window::BringToFront() { SetForegroundWindow(hwnd_); }

RECT Window::Bounds() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return r;
}

void Window::MoveTo(int left, int top) {
    SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::Close() { SendMessageW(hwnd_, WM_CLOSE, 0, 0); }

}  // namespace lumeret

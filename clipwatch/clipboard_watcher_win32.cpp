#include "clipwatch/clipboard_watcher_win32.h"

#include <utility>

#include "platform/error_report.h"
#include "platform/errors.h"

namespace lumeret {

namespace {

constexpr char kWindowClass[] = "LumeretClipDetector";

HINSTANCE ModuleInstance() { return GetModuleHandleA(nullptr); }

bool RegisterDetectorClass(WNDPROC proc) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = ModuleInstance();
    wc.lpszClassName = kWindowClass;
    if (RegisterClassExA(&wc)) return true;
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

ClipboardWatcher::~ClipboardWatcher() { LeaveChain(); }

void ClipboardWatcher::LeaveChain() {
    if (!FWindowHandle) return;
    // The result tells nothing the component could act on.
    ChangeClipboardChain(FWindowHandle.get(), FNextViewer);
    FWindowHandle.reset();
}

void ClipboardWatcher::SetOnClipChange(ClipboardChangeHandler handler) {
    if (!handler) {
        if (FWindowHandle) {
            // FNextViewer keeps its value until the next join replaces it.
            LeaveChain();
            FClipChangeHandler = nullptr;
        }
        return;
    }
    if (FWindowHandle) {
        FClipChangeHandler = std::move(handler);
        return;
    }

    // A top-level window that is never shown: a message-only window would not
    // be allowed into the viewer chain everywhere.
    HWND hwnd = nullptr;
    if (RegisterDetectorClass(&StaticWndProc)) {
        hwnd = CreateWindowExA(0, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               ModuleInstance(), this);
    }
    if (!hwnd) throw OutOfResourcesError("TVyClipDetector.SetOnClipChange: Cannot Allocate HWnd");
    FWindowHandle.reset(hwnd);
    FClipChangeHandler = std::move(handler);

    // The system sends the new viewer a WM_DRAWCLIPBOARD inside this call.
    FJoining = true;
    FNextViewer = SetClipboardViewer(FWindowHandle.get());
    FJoining = false;
}

void ClipboardWatcher::DoClipChange() {
    if (!FClipChangeHandler) return;
    // A copy, so a handler that replaces or clears itself runs to its end.
    ClipboardChangeHandler handler = FClipChangeHandler;
    handler(*this);
}

LRESULT ClipboardWatcher::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DRAWCLIPBOARD: {
        if (!(FIgnoreFirstNotice && FJoining)) {
            CallGuarded([this] { DoClipChange(); });
        }
        // The handler may have left the chain; the notice still goes on to
        // the viewer that followed this one.
        if (FNextViewer) SendMessageA(FNextViewer, WM_DRAWCLIPBOARD, 0, 0);
        return 0;
    }
    case WM_CHANGECBCHAIN:
        if (reinterpret_cast<HWND>(wParam) == FNextViewer) {
            FNextViewer = reinterpret_cast<HWND>(lParam);
            return 0;
        }
        if (!FNextViewer) return 0;
        return SendMessageA(FNextViewer, WM_CHANGECBCHAIN, wParam, lParam);
    default:
        return DefWindowProcA(FWindowHandle.get(), message, wParam, lParam);
    }
}

LRESULT CALLBACK ClipboardWatcher::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ClipboardWatcher*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    // While the window is being made or destroyed the component does not own
    // it yet (or any more); those messages get the default handling.
    if (!self || self->FWindowHandle.get() != hwnd) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return self->WndProc(message, wParam, lParam);
}

}  // namespace lumeret

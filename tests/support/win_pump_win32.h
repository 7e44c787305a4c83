// Helpers for tests that run under Wine: a bounded message pump, a way to
// change the clipboard, and a viewer window of the test's own that takes part
// in the clipboard-viewer chain by the rules.
#pragma once

#include <windows.h>

#include <atomic>

#include <functional>
#include <string>

namespace lumeret::test {

// What the program's message loop does with a message before dispatching it
// (keyboard navigation); true when the message was used up. Empty: nothing.
inline std::function<bool(MSG&)>& PumpFilter() {
    static std::function<bool(MSG&)> filter;
    return filter;
}

// Dispatches this thread's pending messages, as the program's loop does.
inline void PumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (PumpFilter() && PumpFilter()(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Pumps until done() holds or the bound of rounds is spent; each round waits
// a little for new messages. Returns done()'s final value.
inline bool PumpUntil(const std::function<bool()>& done, int rounds = 200) {
    for (int i = 0; i < rounds; ++i) {
        PumpPending();
        if (done()) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    PumpPending();
    return done();
}

// Pumps for a number of rounds whatever happens: lets notices that might
// still be under way arrive before a test checks that nothing more came.
inline void PumpFor(int rounds = 20) {
    PumpUntil([] { return false; }, rounds);
}

// Replaces the clipboard's contents with a text, as another program would.
inline bool PutTextOnClipboard(const std::string& text) {
    bool opened = false;
    for (int attempt = 0; attempt < 10 && !opened; ++attempt) {
        opened = OpenClipboard(nullptr) != FALSE;
        if (!opened) Sleep(10 * (attempt + 1));
    }
    if (!opened) return false;
    bool ok = false;
    if (EmptyClipboard()) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        if (block) {
            if (void* p = GlobalLock(block)) {
                CopyMemory(p, text.c_str(), text.size() + 1);
                GlobalUnlock(block);
                ok = SetClipboardData(CF_TEXT, block) != nullptr;
            }
            if (!ok) GlobalFree(block);
        }
    }
    CloseClipboard();
    return ok;
}

// A hidden window in the viewer chain that counts the change notices it gets,
// passes them on, and follows chain changes.
class ChainViewer {
public:
    ChainViewer() {
        static const ATOM atom = [] {
            WNDCLASSEXA wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = &ChainViewer::Proc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "LumeretTestViewer";
            return RegisterClassExA(&wc);
        }();
        (void)atom;
        hwnd_ = CreateWindowExA(0, "LumeretTestViewer", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleA(nullptr), this);
    }
    ChainViewer(const ChainViewer&) = delete;
    ChainViewer& operator=(const ChainViewer&) = delete;
    ~ChainViewer() {
        Leave();
        if (hwnd_) DestroyWindow(hwnd_);
    }

    void Join() {
        joined_ = true;
        next = SetClipboardViewer(hwnd_);
    }
    void Leave() {
        if (!joined_) return;
        joined_ = false;
        ChangeClipboardChain(hwnd_, next);
    }

    HWND Handle() const { return hwnd_; }

    HWND next = nullptr;
    int notices = 0;             // WM_DRAWCLIPBOARD received
    std::atomic<int> answered{0};  // notices passed on whose answer came back
    int chainChanges = 0;        // WM_CHANGECBCHAIN received
    WPARAM lastRemoved = 0;      // wParam of the last WM_CHANGECBCHAIN
    LRESULT unknownLeaveResult = 0;  // answer when a stranger leaves and nobody follows

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        }
        auto* self = reinterpret_cast<ChainViewer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self) {
            if (message == WM_DRAWCLIPBOARD) {
                ++self->notices;
                if (self->next) SendMessageA(self->next, message, wParam, lParam);
                ++self->answered;
                return 0;
            }
            if (message == WM_CHANGECBCHAIN) {
                ++self->chainChanges;
                self->lastRemoved = wParam;
                if (reinterpret_cast<HWND>(wParam) == self->next) {
                    self->next = reinterpret_cast<HWND>(lParam);
                    return 0;
                }
                if (self->next) return SendMessageA(self->next, message, wParam, lParam);
                return self->unknownLeaveResult;
            }
            if (message == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    HWND hwnd_ = nullptr;
    bool joined_ = false;
};

}  // namespace lumeret::test

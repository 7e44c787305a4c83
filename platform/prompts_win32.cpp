#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/controls_win32.h"
#include "platform/geometry.h"
#include "platform/handles_win32.h"
#include "platform/other_windows_wait_win32.h"
#include "platform/prompts.h"
#include "platform/wide_win32.h"

namespace lumeret {

namespace {

HHOOK g_boxHook = nullptr;
WNDPROC g_boxProc = nullptr;  // the box's own, while it starts

BOOL CALLBACK UseUiFont(HWND child, LPARAM) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), TRUE);
    return TRUE;
}

// A child's rectangle in its parent's client coordinates.
RECT PlaceOf(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The box laid its text out for its own font: the text grows to show every
// line whole in the new one, and the box and its buttons make room for it.
// The box is no wider than the screen it is on, where longer lines wrap as
// the label wraps them (a word too long for a line, as a deep path, breaks
// where it must), and it stays on that screen.
void MakeRoomForText(HWND box) {
    HWND text = GetDlgItem(box, 0xFFFF);  // the message's label
    if (!text) return;
    std::wstring message(static_cast<std::size_t>(GetWindowTextLengthW(text)) + 1, L'\0');
    message.resize(static_cast<std::size_t>(GetWindowTextW(text, message.data(), static_cast<int>(message.size()))));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(box, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    RECT outer{};
    GetWindowRect(box, &outer);
    const RECT had = PlaceOf(text);
    const int hadWidth = had.right - had.left;
    const int widest = (work.right - work.left) - (outer.right - outer.left - hadWidth);
    SetWindowLongW(text, GWL_STYLE, GetWindowLongW(text, GWL_STYLE) | SS_EDITCONTROL);
    RECT need{0, 0, widest, 0};
    {
        WindowDc dc(text);
        SelectGuard font(dc.get(), UiFont());
        DrawTextW(dc.get(), message.c_str(), -1, &need,
                  DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS);
    }
    // Wider as the text needs, narrower where the box's own layout went past
    // the screen.
    const int wider = std::min<int>(std::max<int>(need.right - hadWidth, 0), widest - hadWidth);
    const int taller = std::max<LONG>(0, need.bottom - (had.bottom - had.top));
    SetWindowPos(text, nullptr, 0, 0, hadWidth + wider, had.bottom - had.top + taller,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The buttons in use stay together, centred below the text; the box may
    // hold hidden ones too, and is itself not shown yet.
    std::vector<std::pair<HWND, RECT>> buttons;
    for (int id : {IDOK, IDYES, IDNO}) {
        HWND button = GetDlgItem(box, id);
        if (button && (GetWindowLongW(button, GWL_STYLE) & WS_VISIBLE)) buttons.emplace_back(button, PlaceOf(button));
    }
    if (!buttons.empty()) {
        LONG left = buttons.front().second.left;
        LONG right = buttons.front().second.right;
        for (const auto& [button, at] : buttons) {
            left = std::min(left, at.left);
            right = std::max(right, at.right);
        }
        RECT client{};
        GetClientRect(box, &client);
        const LONG shift = (client.right + wider - (right - left)) / 2 - left;
        for (const auto& [button, at] : buttons) {
            SetWindowPos(button, nullptr, at.left + shift, at.top + taller, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    const Rect grown{outer.left - wider / 2, outer.top - taller / 2, outer.right - wider / 2 + wider,
                     outer.bottom - taller / 2 + taller};
    const Rect placed = MoveInside(grown, {work.left, work.top, work.right, work.bottom});
    SetWindowPos(box, nullptr, placed.Left, placed.Top, placed.Right - placed.Left, placed.Bottom - placed.Top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// Gives a message box the windows' own font, which has Japanese glyphs on a
// system of any language, the room its text then needs, and its buttons
// their own captions.
void DressBox(HWND box) {
    EnumChildWindows(box, &UseUiFont, 0);
    MakeRoomForText(box);
    SetDlgItemTextW(box, IDYES, FromCp932("はい(&Y)").c_str());
    SetDlgItemTextW(box, IDNO, FromCp932("いいえ(&N)").c_str());
}

// The box lays itself out as it starts (WM_INITDIALOG), and is dressed after
// that; its own window procedure then takes over again.
LRESULT CALLBACK StartBox(HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
    const WNDPROC own = g_boxProc;
    if (msg != WM_INITDIALOG) return CallWindowProcW(own, box, msg, wParam, lParam);
    SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
    const LRESULT result = CallWindowProcW(own, box, msg, wParam, lParam);
    DressBox(box);
    return result;
}

// Sees the box made: the first dialog window the thread makes while the hook
// is set.
LRESULT CALLBACK WatchForBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        auto box = reinterpret_cast<HWND>(wParam);
        wchar_t className[8] = {};
        GetClassNameW(box, className, 8);
        if (std::wstring_view(className) == L"#32770") {
            g_boxProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StartBox)));
            UnhookWindowsHookEx(g_boxHook);
            g_boxHook = nullptr;
            return 0;
        }
    }
    return CallNextHookEx(g_boxHook, code, wParam, lParam);
}

int ShowBox(const UserText& message, const char* caption, UINT type) {
    // Every window of the program waits for the answer, not only the box's
    // owner, which the box itself disables and gives back before it goes.
    const HWND owner = GetActiveWindow();
    OtherWindowsWait waiting(owner);
    g_boxHook = SetWindowsHookExW(WH_CBT, &WatchForBox, nullptr, GetCurrentThreadId());
    int answer = MessageBoxW(owner, ToWide(message).c_str(), FromCp932(caption).c_str(), type);
    if (g_boxHook) {
        UnhookWindowsHookEx(g_boxHook);
        g_boxHook = nullptr;
    }
    return answer;
}

class MessageBoxPrompts : public IPrompts {
public:
    void Beep(BeepKind kind) override { MessageBeep(static_cast<UINT>(kind)); }

    bool AskYesNo(const UserText& message) override {
        return ShowBox(message, "情報", MB_YESNO | MB_ICONINFORMATION) == IDYES;
    }

    void ShowError(const UserText& message) override { ShowBox(message, "ｴﾗｰ", MB_OK | MB_ICONSTOP | MB_TASKMODAL); }
};

}  // namespace

IPrompts& SystemPrompts() {
    static MessageBoxPrompts prompts;
    return prompts;
}

}  // namespace lumeret

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/controls_win32.h"
#include "platform/handles_win32.h"
#include "platform/prompts.h"
#include "platform/wide_win32.h"

namespace lumeret {

namespace {

HHOOK g_boxHook = nullptr;

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
void MakeRoomForText(HWND box) {
    HWND text = GetDlgItem(box, 0xFFFF);  // the message's label
    if (!text) return;
    std::wstring message(static_cast<std::size_t>(GetWindowTextLengthW(text)) + 1, L'\0');
    message.resize(static_cast<std::size_t>(GetWindowTextW(text, message.data(), static_cast<int>(message.size()))));
    RECT need{};
    {
        WindowDc dc(text);
        SelectGuard font(dc.get(), UiFont());
        DrawTextW(dc.get(), message.c_str(), -1, &need, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    }
    RECT had = PlaceOf(text);
    const int wider = std::max<LONG>(0, need.right - (had.right - had.left));
    const int taller = std::max<LONG>(0, need.bottom - (had.bottom - had.top));
    if (wider == 0 && taller == 0) return;
    SetWindowPos(text, nullptr, 0, 0, had.right - had.left + wider, had.bottom - had.top + taller,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int id : {IDOK, IDYES, IDNO}) {
        if (HWND button = GetDlgItem(box, id)) {
            RECT at = PlaceOf(button);
            SetWindowPos(button, nullptr, at.left + wider / 2, at.top + taller, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    RECT outer{};
    GetWindowRect(box, &outer);
    SetWindowPos(box, nullptr, outer.left - wider / 2, outer.top - taller / 2, outer.right - outer.left + wider,
                 outer.bottom - outer.top + taller, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Gives a message box the windows' own font, which has Japanese glyphs on a
// system of any language, and its buttons their own captions; the hook sees
// the box just before it is first shown.
LRESULT CALLBACK DressBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        auto box = reinterpret_cast<HWND>(wParam);
        EnumChildWindows(box, &UseUiFont, 0);
        MakeRoomForText(box);
        SetDlgItemTextW(box, IDYES, FromCp932("はい(&Y)").c_str());
        SetDlgItemTextW(box, IDNO, FromCp932("いいえ(&N)").c_str());
        UnhookWindowsHookEx(g_boxHook);
        g_boxHook = nullptr;
        return 0;
    }
    return CallNextHookEx(g_boxHook, code, wParam, lParam);
}

int ShowBox(const UserText& message, const char* caption, UINT type) {
    g_boxHook = SetWindowsHookExW(WH_CBT, &DressBox, nullptr, GetCurrentThreadId());
    int answer = MessageBoxW(GetActiveWindow(), ToWide(message).c_str(), FromCp932(caption).c_str(), type);
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

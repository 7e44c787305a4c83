#include <windows.h>

#include "platform/prompts.h"
#include "platform/wide_win32.h"

namespace lumeret {

namespace {

HHOOK g_buttonHook = nullptr;

// Gives the question box its own button captions, whatever the system's
// language: the hook sees the box just before it is first shown.
LRESULT CALLBACK RenameButtons(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        auto box = reinterpret_cast<HWND>(wParam);
        SetDlgItemTextW(box, IDYES, FromCp932("はい(&Y)").c_str());
        SetDlgItemTextW(box, IDNO, FromCp932("いいえ(&N)").c_str());
        UnhookWindowsHookEx(g_buttonHook);
        g_buttonHook = nullptr;
        return 0;
    }
    return CallNextHookEx(g_buttonHook, code, wParam, lParam);
}

class MessageBoxPrompts : public IPrompts {
public:
    void Beep(BeepKind kind) override { MessageBeep(static_cast<UINT>(kind)); }

    bool AskYesNo(const UserText& message) override {
        g_buttonHook = SetWindowsHookExW(WH_CBT, &RenameButtons, nullptr, GetCurrentThreadId());
        int answer = MessageBoxW(GetActiveWindow(), ToWide(message).c_str(), FromCp932("情報").c_str(),
                                 MB_YESNO | MB_ICONINFORMATION);
        if (g_buttonHook) {
            UnhookWindowsHookEx(g_buttonHook);
            g_buttonHook = nullptr;
        }
        return answer == IDYES;
    }

    void ShowError(const UserText& message) override {
        MessageBoxW(GetActiveWindow(), ToWide(message).c_str(), FromCp932("ｴﾗｰ").c_str(),
                    MB_OK | MB_ICONSTOP | MB_TASKMODAL);
    }
};

}  // namespace

IPrompts& SystemPrompts() {
    static MessageBoxPrompts prompts;
    return prompts;
}

}  // namespace lumeret

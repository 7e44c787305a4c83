#include "platform/prompts_win32.h"

#include <windows.h>

#include "platform/wide_win32.h"

namespace lumeret {

void ShowErrorBox(const std::string& message);

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

MessageBoxPrompts g_messageBoxes;
IPrompts* g_prompts = &g_messageBoxes;

}  // namespace

void MessageBoxPrompts::Beep(BeepKind kind) { MessageBeep(static_cast<UINT>(kind)); }

bool MessageBoxPrompts::AskYesNo(const std::string& message) {
    g_buttonHook = SetWindowsHookExW(WH_CBT, &RenameButtons, nullptr, GetCurrentThreadId());
    int answer = MessageBoxW(GetActiveWindow(), FromCp932(message).c_str(), FromCp932("情報").c_str(),
                             MB_YESNO | MB_ICONINFORMATION);
    if (g_buttonHook) {
        UnhookWindowsHookEx(g_buttonHook);
        g_buttonHook = nullptr;
    }
    return answer == IDYES;
}

void MessageBoxPrompts::ShowError(const std::string& message) { ShowErrorBox(message); }

IPrompts& AppPrompts() { return *g_prompts; }

IPrompts* SetAppPrompts(IPrompts* prompts) {
    IPrompts* previous = g_prompts;
    g_prompts = prompts ? prompts : &g_messageBoxes;
    return previous;
}

}  // namespace lumeret

// The program's message boxes, as the system shows them.
#include "platform/prompts.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

namespace lumeret {
namespace {

struct BoxSeen {
    bool found = false;
    RECT label{};  // the message's label, in screen coordinates
    RECT need{};   // what its text needs at the label's width
    RECT screen{};
    RECT box{};
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

// Looks at the box the thread shows, laid out before it shows, then closes it.
void WatchBox(DWORD thread, BoxSeen& seen) {
    HWND box = nullptr;
    for (int i = 0; i < 1000 && !box; ++i) {
        EnumThreadWindows(thread, &FindBox, reinterpret_cast<LPARAM>(&box));
        if (!box) Sleep(10);
    }
    if (!box) return;
    if (HWND label = GetDlgItem(box, 0xFFFF)) {
        seen.found = true;
        GetWindowRect(label, &seen.label);
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(label)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
        const UINT breaks = (GetWindowLongW(label, GWL_STYLE) & SS_EDITCONTROL) ? DT_EDITCONTROL : 0;
        HDC dc = GetDC(label);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
        seen.need = RECT{0, 0, seen.label.right - seen.label.left, 0};
        DrawTextW(dc, text.c_str(), -1, &seen.need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS | breaks);
        SelectObject(dc, old);
        ReleaseDC(label, dc);
        seen.screen = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        GetWindowRect(box, &seen.box);
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// An error about a file in a deep folder, whose path is one long word, comes
// up whole on the screen with all its text.
TEST(MessageBoxes, AnErrorAboutALongFileNameStaysOnTheScreen) {
    BoxSeen seen;
    std::thread watcher(WatchBox, GetCurrentThreadId(), std::ref(seen));
    std::string name = "C:\\";
    for (int i = 0; i < 4; ++i) name += std::string(50, 'd') + "\\";
    name += "clip.txt";
    SystemPrompts().ShowError(UserText("ﾌｧｲﾙ ").Data(name).Words(" を作成できません"));
    watcher.join();
    ASSERT_TRUE(seen.found);
    EXPECT_LE(seen.need.right, seen.label.right - seen.label.left) << "the text runs past its label";
    EXPECT_LE(seen.need.bottom, seen.label.bottom - seen.label.top) << "the text runs below its label";
    EXPECT_GE(seen.box.left, seen.screen.left);
    EXPECT_LE(seen.box.right, seen.screen.right) << "the box runs off the screen";
}

}  // namespace
}  // namespace lumeret

// The real lumeret.exe in a process of its own, used the way a person and
// another program would: text copied elsewhere shows in its history, its
// register button stores the clip file.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/wide_win32.h"
#include "support/clipboard_source_win32.h"
#include "support/program_win32.h"
#include "support/real_input_win32.h"
#include "support/win_pump_win32.h"

namespace lumeret::test {
namespace {

constexpr DWORD kStartTimeoutMs = 60000;

HWND ChildOfClass(HWND parent, const wchar_t* className) {
    return FindWindowExW(parent, nullptr, className, nullptr);
}

TEST(RealProgram, TextCopiedElsewhereIsListedAndRegistered) {
    ASSERT_TRUE(EmptyTheClipboard());
    TempFolder folder;
    ProgramProcess program(folder.Path());
    HWND main = program.WaitForWindow(L"LumeretMainWindow", kStartTimeoutMs);
    ASSERT_NE(main, nullptr);
    HWND list = ChildOfClass(main, L"ListBox");
    ASSERT_NE(list, nullptr);

    ASSERT_TRUE(PutTextOnClipboard("  別のプログラムから\r\n"));
    ASSERT_TRUE(WaitFor([&] { return !ListRows(list).empty(); })) << "the copy never reached the history";
    EXPECT_EQ(ListRows(list), std::vector<std::string>{"別のプログラムから"});
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);

    HWND add = ChildWithCaption(main, L"Button", L"\x767B\x9332");  // 登録
    ASSERT_NE(add, nullptr);
    ClickOn(add);  // the real program takes the click from the system
    std::string clip = folder.Path() + "txt\\00000000.txt";
    ASSERT_TRUE(WaitFor([&] { return GetFileAttributesA(clip.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    ASSERT_TRUE(WaitFor([&] { return ReadFileBytes(clip).size() == 20; }));
    EXPECT_EQ(ReadFileBytes(clip), "別のプログラムから\r\n");

    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(30000));
    EXPECT_EQ(program.ExitCode(), 0u);
}

}  // namespace
}  // namespace lumeret::test

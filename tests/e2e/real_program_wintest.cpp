// The real lumeret.exe in a process of its own, used the way a person and
// another program would: text copied elsewhere shows in its history, its
// register button stores the clip file.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

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

// Rows of another process's list box, in code page 932. The system carries
// the text across as characters; Wine does so only for the wide call.
std::vector<std::string> ListRows(HWND list) {
    std::vector<std::string> rows;
    auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        auto length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
        std::wstring row(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row.data()));
        row.resize(static_cast<std::size_t>(length));
        rows.push_back(ToCp932(row));
    }
    return rows;
}

bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 200; ++i) {
        if (done()) return true;
        Sleep(50);
    }
    return done();
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

    HWND add = nullptr;
    for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[16] = {};
        GetWindowTextW(child, text, 16);
        if (lstrcmpW(text, L"\x767B\x9332") == 0) add = child;  // 登録
    }
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

// The real lumeret.exe in a process of its own, used the way a person and
// another program would: text copied elsewhere shows in its history, its
// register button stores the clip file, and pictures built to harm it are
// refused without ever keeping the clipboard from others.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <string>

#include "dib/bmp_builder.h"
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

// Text clips as the program writes them, numbered from 0 in folder's "txt".
void WriteTextClips(const TempFolder& folder, std::initializer_list<std::string> lines) {
    CreateDirectoryA((folder.Path() + "txt").c_str(), nullptr);
    int number = 0;
    for (const std::string& line : lines) {
        char name[16];
        std::snprintf(name, sizeof(name), "%08d.txt", number++);
        WriteFileBytes(folder.Path() + "txt\\" + name, line + "\r\n");
    }
}

// The scrapbook opened with the main window's button, its text list showing
// `rows` clips and the first one clicked; both null where that fails.
struct ScrapbookOnFirstClip {
    HWND window = nullptr;
    HWND clips = nullptr;
};

ScrapbookOnFirstClip OpenScrapbookOnFirstClip(ProgramProcess& program, HWND main, LRESULT rows) {
    ClickOn(main, POINT{40, 56});  // the scrapbook button
    HWND scrapbook = program.WaitForWindow(L"LumeretScrapbook", kStartTimeoutMs);
    HWND clips = scrapbook ? ChildWithCaption(scrapbook, L"ListBox", L"") : nullptr;
    if (!clips || !WaitFor([&] { return SendMessageW(clips, LB_GETCOUNT, 0, 0) == rows; })) return {};
    ClickOn(clips, POINT{10, 5});
    if (!WaitFor([&] { return SendMessageW(clips, LB_GETCURSEL, 0, 0) == 0; })) return {};
    return {scrapbook, clips};
}

// The real program started on an empty clipboard in a folder of its own,
// its main window up. A test ends by closing it, and it must end cleanly.
class RealProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(clipboardEmptied);
        main = program.WaitForWindow(L"LumeretMainWindow", kStartTimeoutMs);
        ASSERT_NE(main, nullptr);
    }

    void CloseAndExpectACleanEnd() {
        PostMessageW(main, WM_CLOSE, 0, 0);
        ASSERT_TRUE(program.WaitForExit(30000));
        EXPECT_EQ(program.ExitCode(), 0u);
    }

    const bool clipboardEmptied = EmptyTheClipboard();  // before the program starts
    TempFolder folder;
    ProgramProcess program{folder.Path()};
    HWND main = nullptr;
};

TEST_F(RealProgram, TextCopiedElsewhereIsListedAndRegistered) {
    HWND list = ChildOfClass(main, L"ListBox");
    ASSERT_NE(list, nullptr);

    ASSERT_TRUE(PutTextOnClipboard("  別のプログラムから\r\n"));
    ASSERT_TRUE(WaitFor([&] { return !ListRows(list).empty(); })) << "the copy never reached the history";
    EXPECT_EQ(ListRows(list), std::vector<std::string>{"別のプログラムから"});
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);

    HWND add = RegisterButtonOf(main);
    ASSERT_NE(add, nullptr);
    ClickOn(add);  // the real program takes the click from the system
    std::string clip = folder.Path() + "txt\\00000000.txt";
    ASSERT_TRUE(WaitFor([&] { return GetFileAttributesA(clip.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    ASSERT_TRUE(WaitFor([&] { return ReadFileBytes(clip).size() == 20; }));
    EXPECT_EQ(ReadFileBytes(clip), "別のプログラムから\r\n");

    CloseAndExpectACleanEnd();
}

// The system's own save dialog, which the program loads the first time a
// clip is exported: the registered text clip is selected in the scrapbook,
// the save button clicked, a name given in the dialog and Enter pressed.
TEST_F(RealProgram, ATextClipIsExportedThroughTheSystemsSaveDialog) {
    ASSERT_TRUE(PutTextOnClipboard("書き出す文"));
    HWND history = ChildOfClass(main, L"ListBox");
    ASSERT_TRUE(WaitFor([&] { return !ListRows(history).empty(); }));
    ClickOn(RegisterButtonOf(main));
    ASSERT_TRUE(WaitFor([&] { return GetFileAttributesA((folder.Path() + "txt\\00000000.txt").c_str()) !=
                                     INVALID_FILE_ATTRIBUTES; }));

    const auto [scrapbook, clips] = OpenScrapbookOnFirstClip(program, main, 1);
    ASSERT_NE(clips, nullptr);
    // The save button, bottom left; the name typed into the dialog's field.
    auto saveAs = [&](const std::wstring& path) {
        ClickOn(scrapbook, POINT{24, 296});
        HWND dialog = program.WaitForWindow(L"#32770", kStartTimeoutMs);
        ASSERT_NE(dialog, nullptr) << "no save dialog";
        HWND name = GetDlgItem(dialog, 0x480);  // the file name field
        if (!name) name = GetDlgItem(dialog, 0x47C);
        ASSERT_NE(name, nullptr);
        SetWindowTextW(name, path.c_str());
        SetForegroundWindow(dialog);
        SetFocus(name);
        PressKey(VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    };
    const std::string target = folder.Path() + "exported.txt";
    saveAs(FromCodePage(target, CP_ACP));
    ASSERT_TRUE(WaitFor([&] {
        return GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES && ReadFileBytes(target) == "書き出す文\r\n";
    }));

    // A name the system's code page cannot spell is refused, and nothing is
    // written under the look-alike "cafe.txt".
    saveAs(FromCodePage(folder.Path(), CP_ACP) + L"caf\u00E9.txt");
    HWND box = program.WaitForWindow(L"#32770", kStartTimeoutMs);
    ASSERT_NE(box, nullptr) << "no message";
    wchar_t message[512] = {};
    GetDlgItemTextW(box, 0xFFFF, message, 512);
    EXPECT_NE(std::wstring(message).find(L"caf?.txt"), std::wstring::npos);
    EXPECT_NE(std::wstring(message).find(L"作成できません"), std::wstring::npos);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return program.Windows(L"#32770").empty(); }));
    EXPECT_EQ(GetFileAttributesA((folder.Path() + "cafe.txt").c_str()), INVALID_FILE_ATTRIBUTES);

    CloseAndExpectACleanEnd();
}

// While the save dialog waits for a name, every window of the program waits
// with it: the main window's buttons cannot open a dialog whose closing
// would give the scrapbook back under the save dialog.
TEST(RealProgramSaveDialog, EveryWindowWaitsWhileTheSaveDialogIsOpen) {
    ASSERT_TRUE(EmptyTheClipboard());
    TempFolder folder;
    WriteTextClips(folder, {"saved"});
    ProgramProcess program{folder.Path()};
    HWND main = program.WaitForWindow(L"LumeretMainWindow", kStartTimeoutMs);
    ASSERT_NE(main, nullptr);
    const auto [scrapbook, clips] = OpenScrapbookOnFirstClip(program, main, 1);
    ASSERT_NE(clips, nullptr);
    ClickOn(scrapbook, POINT{24, 296});  // the save button
    HWND dialog = program.WaitForWindow(L"#32770", kStartTimeoutMs);
    ASSERT_NE(dialog, nullptr) << "no save dialog";

    EXPECT_FALSE(IsWindowEnabled(main)) << "the main window takes clicks under the save dialog";
    EXPECT_FALSE(IsWindowEnabled(scrapbook));

    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(main) && IsWindowEnabled(scrapbook); }));
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(30000));
}

// --- Hostile pictures ---

struct HostileDib {
    const char* kind;
    std::vector<std::uint8_t> bytes;
};

BmpParts Eight(std::int32_t width, std::int32_t height) {
    BmpParts p;
    p.width = width;
    p.height = height;
    p.bitCount = 8;
    p.colors.assign(1024, 0x80);
    p.pixels.assign(64, 0x11);
    return p;
}

std::vector<std::uint8_t> Packed(BmpParts p) { return MakePackedDib(p); }

// Twenty-six blocks another program could put on the clipboard as CF_DIB,
// each built to make a reader fail, read too far or take too much.
std::vector<HostileDib> HostileDibs() {
    std::vector<HostileDib> out;
    auto add = [&](const char* kind, BmpParts p) { out.push_back({kind, Packed(std::move(p))}); };
    add("width 0x7FFFFFFF", Eight(0x7FFFFFFF, 1));
    add("height 0x7FFFFFFF", Eight(1, 0x7FFFFFFF));
    add("negative width", Eight(-8, 8));
    add("zero width", Eight(0, 8));
    add("zero height", Eight(8, 0));
    add("height INT_MIN", Eight(8, INT_MIN));
    add("20000 x 20000, no pixels", Eight(20000, 20000));
    for (std::uint16_t bits : {0, 2, 7, 15, 64, 65535}) {
        BmpParts p = Eight(4, 4);
        p.bitCount = bits;
        add("odd bit count", p);
    }
    BmpParts longPalette = Eight(4, 4);
    longPalette.clrUsed = 256;
    longPalette.colors.assign(64, 0);  // 16 entries of 256 declared, then the block ends
    longPalette.pixels.clear();
    add("palette longer than the block", longPalette);
    BmpParts hugePalette = Eight(4, 4);
    hugePalette.clrUsed = 0xFFFFFFFF;
    add("palette of 4 G entries", hugePalette);
    BmpParts runs = Eight(8, 8);
    runs.compression = 1;
    runs.pixels = Bytes({255, 1, 255, 2, 0, 2, 200, 200, 0, 1});  // runs far past the picture
    runs.sizeImage = static_cast<std::uint32_t>(runs.pixels.size());
    add("run-length garbage", runs);
    BmpParts runs4 = runs;
    runs4.bitCount = 4;
    runs4.compression = 2;
    runs4.colors.assign(64, 0x40);
    runs4.pixels = Bytes({0, 200, 0x12, 0x34});  // an absolute run of 200 in 2 bytes
    runs4.sizeImage = 0x7FFFFFF0;
    add("run-length cut off, length lies", runs4);
    BmpParts zeroMasks;
    zeroMasks.width = 4;
    zeroMasks.height = 4;
    zeroMasks.bitCount = 16;
    zeroMasks.compression = 3;
    zeroMasks.masks = {0, 0, 0};
    zeroMasks.pixels.assign(32, 0xFF);
    add("zero masks", zeroMasks);
    BmpParts shortMasks = zeroMasks;
    shortMasks.bitCount = 32;
    shortMasks.masks = {0xFF0000};
    shortMasks.pixels.clear();
    add("masks cut off", shortMasks);
    BmpParts core;
    core.headerSize = 12;
    core.width = 0xFFFF;
    core.height = 0xFFFF;
    core.bitCount = 24;
    core.pixels.assign(16, 1);
    add("core header, 65535 x 65535", core);
    BmpParts core8 = core;
    core8.bitCount = 8;
    core8.width = 4;
    core8.height = 4;
    core8.pixels.clear();
    add("core header, colours cut off", core8);
    BmpParts v5 = Eight(4, 4);
    v5.headerSize = 124;
    add("V5 header", v5);
    BmpParts v4 = Eight(4, 4);
    v4.headerSize = 108;
    v4.bitCount = 32;
    add("V4 header", v4);
    for (std::uint32_t compression : {4u, 5u}) {  // JPEG, PNG
        BmpParts p = Eight(4, 4);
        p.bitCount = 0;
        p.compression = compression;
        p.sizeImage = 0x7FFFFFFF;
        add(compression == 4 ? "JPEG" : "PNG", p);
    }
    out.push_back({"4-byte block", Bytes({40, 0, 0, 0})});
    return out;
}

// Whether another program can open the clipboard at once, not after a wait.
bool ClipboardFreeAtOnce() {
    if (!OpenClipboard(nullptr)) return false;
    CloseClipboard();
    return true;
}

// Three rounds of every hostile picture, each put on the clipboard by this
// process as another program would and registered with a click on the
// button. Each is refused with a message and no file; while the message
// waits for the user the clipboard is free, and afterwards copying and
// pasting work as before.
TEST_F(RealProgram, HostilePicturesAreRefusedAndNeverKeepTheClipboard) {
    HWND add = RegisterButtonOf(main);
    ASSERT_NE(add, nullptr);
    const std::vector<HostileDib> dibs = HostileDibs();
    ASSERT_EQ(dibs.size(), 26u);

    for (int round = 1; round <= 3; ++round) {
        for (const HostileDib& dib : dibs) {
            SCOPED_TRACE(std::string("round ") + std::to_string(round) + ": " + dib.kind);
            ASSERT_TRUE(PutDibOnClipboard(std::string(dib.bytes.begin(), dib.bytes.end())));
            ClickOn(add);  // pressed as a person would
            HWND box = program.WaitForWindow(L"#32770", kStartTimeoutMs);
            ASSERT_NE(box, nullptr) << "no message";
            EXPECT_TRUE(ClipboardFreeAtOnce()) << "the clipboard is held while the message waits";
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            ASSERT_TRUE(WaitFor([&] { return program.Windows(L"#32770").empty(); }));
        }
    }

    EXPECT_TRUE(ClipboardFreeAtOnce());
    ASSERT_TRUE(PutTextOnClipboard("after the pictures"));
    HWND list = ChildOfClass(main, L"ListBox");
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(WaitFor([&] {
        auto rows = ListRows(list);
        return !rows.empty() && rows[0] == "after the pictures";
    })) << "the copy never reached the history";
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder.Path() + "bmp\\*").c_str(), &found);
    int files = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    EXPECT_EQ(files, 0);

    CloseAndExpectACleanEnd();
}

// The question before deleting a clip whose text is one long line comes up
// whole on the screen: its caption, its text and both answers can be seen
// and clicked.
TEST(RealProgramQuestion, TheDeleteQuestionAboutALongLineStaysOnTheScreen) {
    ASSERT_TRUE(EmptyTheClipboard());
    TempFolder folder;
    WriteFileBytes(folder.Path() + "lumeret.ini", "[SYSTEM]\r\nDELETECHECK=TRUE\r\n");
    std::string line;
    for (int i = 0; i < 14; ++i) line += "長い一行のテキスト";
    WriteTextClips(folder, {line});
    ProgramProcess program{folder.Path()};
    HWND main = program.WaitForWindow(L"LumeretMainWindow", kStartTimeoutMs);
    ASSERT_NE(main, nullptr);

    const auto [scrapbook, clips] = OpenScrapbookOnFirstClip(program, main, 1);
    ASSERT_NE(clips, nullptr);
    ClickOn(ChildWithCaption(scrapbook, L"Button", L"\x524A\x9664"));  // 削除

    HWND box = program.WaitForWindow(L"#32770", kStartTimeoutMs);
    ASSERT_NE(box, nullptr) << "no question";
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT outer{};
    GetWindowRect(box, &outer);
    EXPECT_GE(outer.left, screen.left);
    EXPECT_LE(outer.right, screen.right);
    for (int id : {IDYES, IDNO}) {
        RECT button{};
        GetWindowRect(GetDlgItem(box, id), &button);
        EXPECT_GE(button.left, screen.left) << "button " << id;
        EXPECT_LE(button.right, screen.right) << "button " << id;
    }
    PostMessageW(box, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(WaitFor([&] { return program.Windows(L"#32770").empty(); }));
    EXPECT_EQ(GetFileAttributesA((folder.Path() + "txt\\00000000.txt").c_str()) != INVALID_FILE_ATTRIBUTES, true);
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(30000));
}

// While the question before a deletion waits for its answer, every window
// of the program waits with it, as behind any message box of the program.
// The main window's buttons must not open a dialog whose closing gives the
// scrapbook back under the question: a second delete there would move
// another clip under the number asked about, and the answer to the first
// question would then delete that clip.
TEST(RealProgramQuestion, EveryWindowWaitsWhileTheDeleteQuestionIsOpen) {
    ASSERT_TRUE(EmptyTheClipboard());
    TempFolder folder;
    WriteFileBytes(folder.Path() + "lumeret.ini", "[SYSTEM]\r\nDELETECHECK=TRUE\r\n");
    WriteTextClips(folder, {"first", "second"});
    ProgramProcess program{folder.Path()};
    HWND main = program.WaitForWindow(L"LumeretMainWindow", kStartTimeoutMs);
    ASSERT_NE(main, nullptr);

    const auto [scrapbook, clips] = OpenScrapbookOnFirstClip(program, main, 2);
    ASSERT_NE(clips, nullptr);
    HWND deleteButton = ChildWithCaption(scrapbook, L"Button", L"\x524A\x9664");  // 削除
    ClickOn(deleteButton);
    HWND question = program.WaitForWindow(L"#32770", kStartTimeoutMs);
    ASSERT_NE(question, nullptr) << "no question";

    EXPECT_FALSE(IsWindowEnabled(main)) << "the main window takes clicks under the question";
    EXPECT_FALSE(IsWindowEnabled(scrapbook));

    // What a person may then do: the version dialog opened from the main
    // window and closed again, and the scrapbook's delete button once more.
    ClickOn(main, POINT{16, 16});  // "?"
    for (int i = 0; i < 30 && program.Windows(L"LumeretAbout").empty(); ++i) Sleep(100);
    if (!program.Windows(L"LumeretAbout").empty()) {
        PostMessageW(program.Windows(L"LumeretAbout").front(), WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return program.Windows(L"LumeretAbout").empty(); }));
    }
    EXPECT_FALSE(IsWindowEnabled(scrapbook)) << "the scrapbook takes clicks under its question";
    ClickOn(deleteButton);
    for (int i = 0; i < 30 && program.Windows(L"#32770").size() < 2; ++i) Sleep(100);
    // Every question is answered yes, the last one first.
    while (!program.Windows(L"#32770").empty()) {
        const std::size_t open = program.Windows(L"#32770").size();
        PostMessageW(program.Windows(L"#32770").front(), WM_COMMAND, IDYES, 0);  // the newest is in front
        ASSERT_TRUE(WaitFor([&] { return program.Windows(L"#32770").size() < open; }));
    }
    // The clip asked about is gone, and only that one.
    ASSERT_TRUE(WaitFor([&] { return SendMessageW(clips, LB_GETCOUNT, 0, 0) == 1; }));
    EXPECT_EQ(ReadFileBytes(folder.Path() + "txt\\00000000.txt"), "second\r\n");
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(30000));
}

// A main window kept in front of all others does not hide the question: it
// cannot be moved aside while it waits with the rest of the program, so the
// question's buttons must be where a click reaches them. Afterwards the main
// window is in front of all others again.
TEST(RealProgramQuestion, TheDeleteQuestionIsNotHiddenBehindAMainWindowKeptInFront) {
    ASSERT_TRUE(EmptyTheClipboard());
    TempFolder folder;
    // The main window in the middle of the screen, where the question shows.
    const int left = GetSystemMetrics(SM_CXSCREEN) / 2 - 100;
    const int top = GetSystemMetrics(SM_CYSCREEN) / 2 - 160;
    WriteFileBytes(folder.Path() + "lumeret.ini", "[SYSTEM]\r\nDELETECHECK=TRUE\r\nSTAYONTOP=TRUE\r\n[FORM]\r\nLEFT=" +
                                                      std::to_string(left) + "\r\nTOP=" + std::to_string(top) + "\r\n");
    WriteTextClips(folder, {"first"});
    ProgramProcess program{folder.Path()};
    HWND main = program.WaitForWindow(L"LumeretMainWindow", kStartTimeoutMs);
    ASSERT_NE(main, nullptr);
    auto inFront = [&] { return (GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };

    // The window placed from the settings takes a moment to be there for the mouse.
    MoveMouseTo(ScreenPointOf(main, POINT{40, 56}));
    Sleep(500);
    ClickOn(main, POINT{40, 56});  // the scrapbook button
    HWND scrapbook = program.WaitForWindow(L"LumeretScrapbook", kStartTimeoutMs);
    ASSERT_NE(scrapbook, nullptr);
    HWND clips = ChildWithCaption(scrapbook, L"ListBox", L"");
    ASSERT_NE(clips, nullptr);
    ASSERT_TRUE(WaitFor([&] { return SendMessageW(clips, LB_GETCOUNT, 0, 0) == 1; }));

    // The version dialog opened and closed puts the main window in front.
    ClickOn(main, POINT{16, 16});  // "?"
    ASSERT_TRUE(WaitFor([&] { return !program.Windows(L"LumeretAbout").empty(); }));
    ClickOn(ChildWithCaption(program.Windows(L"LumeretAbout").front(), L"Button", L"OK"));
    ASSERT_TRUE(WaitFor([&] { return program.Windows(L"LumeretAbout").empty(); }));
    ASSERT_TRUE(WaitFor(inFront));

    ClickOn(clips, POINT{10, 5});
    ASSERT_TRUE(WaitFor([&] { return SendMessageW(clips, LB_GETCURSEL, 0, 0) == 0; }));
    ClickOn(ChildWithCaption(scrapbook, L"Button", L"\x524A\x9664"));  // 削除
    HWND question = program.WaitForWindow(L"#32770", kStartTimeoutMs);
    ASSERT_NE(question, nullptr) << "no question";
    HWND yes = GetDlgItem(question, IDYES);
    ASSERT_NE(yes, nullptr);
    RECT mainRect{};
    GetWindowRect(main, &mainRect);
    const POINT yesPoint = ScreenPointOf(yes);
    ASSERT_TRUE(PtInRect(&mainRect, yesPoint)) << "the question shows beside the main window, not over it";

    ClickOn(yes);
    const bool answered = WaitFor([&] { return program.Windows(L"#32770").empty(); });
    EXPECT_TRUE(answered) << "the click on the question's button went to the main window in front of it";
    if (!answered) {
        PostMessageW(question, WM_COMMAND, IDNO, 0);
        ASSERT_TRUE(WaitFor([&] { return program.Windows(L"#32770").empty(); }));
    } else {
        EXPECT_TRUE(WaitFor([&] { return SendMessageW(clips, LB_GETCOUNT, 0, 0) == 0; }));
    }
    EXPECT_TRUE(WaitFor(inFront)) << "the main window is no longer kept in front";
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(main) && IsWindowEnabled(scrapbook); }));
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(30000));
}

}  // namespace
}  // namespace lumeret::test

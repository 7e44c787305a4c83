// The real program, started as a user would: one instance only, the settings
// file read at start and written back at exit.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/handles_win32.h"
#include "store/clip_numbering.h"
#include "support/clipboard_source_win32.h"
#include "support/program_win32.h"
#include "support/real_input_win32.h"
#include "support/win_pump_win32.h"

namespace lumeret::test {
namespace {

constexpr DWORD kStartTimeoutMs = 60000;
constexpr DWORD kExitTimeoutMs = 30000;

std::string IniPath(const TempFolder& folder) { return folder.Path() + "lumeret.ini"; }

std::string Key(const std::string& ini, const char* section, const char* key) {
    char buffer[4096] = {};
    GetPrivateProfileStringA(section, key, "<missing>", buffer, sizeof(buffer), ini.c_str());
    return buffer;
}

// The libraries an executable file names in its import table, in lower case.
// The file is of this test's own bitness.
std::vector<std::string> ImportedLibraries(const std::string& path) {
    const std::string file = ReadFileBytes(path);
    auto at = [&file](std::size_t offset, auto& value) {
        if (offset > file.size() || file.size() - offset < sizeof(value)) throw std::out_of_range("past the file");
        std::memcpy(&value, file.data() + offset, sizeof(value));
    };
    IMAGE_DOS_HEADER dos{};
    at(0, dos);
    IMAGE_NT_HEADERS nt{};
    at(static_cast<std::size_t>(dos.e_lfanew), nt);
    const std::size_t sections =
        static_cast<std::size_t>(dos.e_lfanew) + offsetof(IMAGE_NT_HEADERS, OptionalHeader) + nt.FileHeader.SizeOfOptionalHeader;
    auto fileOffset = [&](DWORD rva) -> std::size_t {
        for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
            IMAGE_SECTION_HEADER section{};
            at(sections + i * sizeof(section), section);
            if (rva >= section.VirtualAddress && rva - section.VirtualAddress < section.SizeOfRawData) {
                return section.PointerToRawData + (rva - section.VirtualAddress);
            }
        }
        throw std::out_of_range("address in no section");
    };
    std::vector<std::string> names;
    std::size_t entry = fileOffset(nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
    for (IMAGE_IMPORT_DESCRIPTOR library{}; at(entry, library), library.Name != 0; entry += sizeof(library)) {
        std::string name(file.c_str() + fileOffset(library.Name));
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        names.push_back(name);
    }
    return names;
}

// The main window shows without the libraries of the common controls, the
// shell and the common dialogs: loading them would lengthen every start, and
// what uses them is made once the window shows.
TEST(Startup, TheProgramStartsWithoutTheLibrariesItsLaterPartsUse) {
    const std::vector<std::string> libraries = ImportedLibraries(BuiltProgramPath());
    auto imports = [&libraries](const char* name) {
        return std::find(libraries.begin(), libraries.end(), name) != libraries.end();
    };
    ASSERT_TRUE(imports("user32.dll"));
    EXPECT_FALSE(imports("comctl32.dll"));
    EXPECT_FALSE(imports("shell32.dll"));
    EXPECT_FALSE(imports("comdlg32.dll"));
}

TEST(Startup, SecondStartEndsAtOnceAndTheFirstKeepsRunning) {
    TempFolder folder;
    ProgramProcess first(folder.Path());
    HWND main = first.WaitForWindow(L"LumeretMainWindow", kStartTimeoutMs);
    ASSERT_NE(main, nullptr) << "the main window did not appear";

    ProgramProcess second(folder.Path());
    ASSERT_TRUE(second.WaitForExit(kExitTimeoutMs)) << "the second instance did not end";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(second.Windows(L"LumeretMainWindow").empty());
    EXPECT_TRUE(second.Windows(L"#32770").empty());  // no message box either

    EXPECT_TRUE(IsWindow(main));
    EXPECT_EQ(first.Windows(L"LumeretMainWindow").size(), 1u);
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(first.WaitForExit(kExitTimeoutMs));
    EXPECT_EQ(first.ExitCode(), 0u);
}

TEST(Startup, MainWindowHasItsCaptionAndClientSize) {
    TempFolder folder;
    ProgramProcess program(folder.Path());
    HWND main = program.WaitForWindow(L"LumeretMainWindow", kStartTimeoutMs);
    ASSERT_NE(main, nullptr);
    wchar_t caption[64] = {};
    GetWindowTextW(main, caption, 64);
    EXPECT_STREQ(caption, L"Lumeret");
    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, 202);
    EXPECT_EQ(client.bottom, 309);
    LONG style = GetWindowLongW(main, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    // Shown, it takes files dropped from the shell.
    EXPECT_TRUE(WaitFor([main] { return (GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0; }));
    // The other windows exist, hidden.
    EXPECT_TRUE(program.Windows(L"LumeretScrapbook").empty());
    EXPECT_TRUE(program.Windows(L"LumeretSettings").empty());
    EXPECT_NE(FindWindowW(L"LumeretScrapbook", nullptr), nullptr);
    EXPECT_NE(FindWindowW(L"LumeretAbout", nullptr), nullptr);
    EXPECT_NE(FindWindowW(L"LumeretSettings", nullptr), nullptr);
}

// The first clipboard handling comes as the main window is about to show, and
// the scrapbook and the dialogs are made once it shows. A clipboard another
// program holds at start is reported while the window is still hidden, so no
// click reaches it before those windows exist; afterwards they work.
TEST(Startup, AClipboardHeldAtStartIsReportedBeforeTheWindowShows) {
    TempFolder folder;
    ASSERT_TRUE(PutTextOnClipboard("held at start"));
    ASSERT_TRUE(OpenClipboard(nullptr));
    ProgramProcess program(folder.Path());
    HWND box = program.WaitForWindow(L"#32770", kStartTimeoutMs);
    HWND hidden = program.AnyWindow(L"LumeretMainWindow");
    const bool shownDuringBox = hidden && IsWindowVisible(hidden);
    CloseClipboard();
    ASSERT_NE(box, nullptr) << "the held clipboard was not reported";
    const auto texts = ChildTexts(box, L"Static");
    EXPECT_NE(std::find(texts.begin(), texts.end(), "クリップボードを開けません"), texts.end());
    EXPECT_FALSE(shownDuringBox);
    PostMessageW(box, WM_COMMAND, IDOK, 0);

    HWND main = program.WaitForWindow(L"LumeretMainWindow", kStartTimeoutMs);
    ASSERT_NE(main, nullptr);
    // The window takes files dropped from the shell all the same.
    EXPECT_TRUE(WaitFor([main] { return (GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0; }));
    POINT inScrapbookButton{40, 56};
    ClickOn(main, inScrapbookButton);
    EXPECT_TRUE(WaitFor([&] { return !program.Windows(L"LumeretScrapbook").empty(); }));
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(kExitTimeoutMs));
    EXPECT_EQ(program.ExitCode(), 0u);
}

// The clips are read once the main window shows, so a folder of many clips
// does not hold it back. A clip another program holds at start is reported
// over the shown window, with the scrapbook and the dialogs already made;
// the program goes on.
TEST(Startup, AClipHeldAtStartIsReportedOnceTheWindowShows) {
    TempFolder folder;
    ASSERT_TRUE(CreateDirectoryA((folder.Path() + "txt").c_str(), nullptr));
    const std::string clip = ClipFileName(folder.Path(), "txt", 0);
    WriteFileBytes(clip, "held clip\r\n");
    UniqueFileHandle lock(CreateFileA(clip.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    ProgramProcess program(folder.Path());
    HWND box = program.WaitForWindow(L"#32770", kStartTimeoutMs);
    HWND main = program.AnyWindow(L"LumeretMainWindow");
    const bool shownDuringBox = main && IsWindowVisible(main);
    const bool scrapbookMade = program.AnyWindow(L"LumeretScrapbook") != nullptr;
    lock.reset();
    ASSERT_NE(box, nullptr) << "the held clip was not reported";
    const auto texts = ChildTexts(box, L"Static");
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                            [](const std::string& t) { return t.find("は開けません") != std::string::npos; }));
    EXPECT_TRUE(shownDuringBox);
    EXPECT_TRUE(scrapbookMade);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return program.Windows(L"#32770").empty(); }));
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(kExitTimeoutMs));
    EXPECT_EQ(program.ExitCode(), 0u);
}

// The program starts watching the clipboard after its window shows. A text
// another program copies the moment the window appears, before the watching
// has begun, still reaches the history.
TEST(Startup, TextCopiedAsTheWindowAppearsReachesTheHistory) {
    ASSERT_TRUE(EmptyTheClipboard());
    TempFolder folder;
    ProgramProcess program(folder.Path());
    HWND main = nullptr;
    const DWORD start = GetTickCount();
    while (!main && GetTickCount() - start < kStartTimeoutMs) {
        const auto shown = program.Windows(L"LumeretMainWindow");
        if (!shown.empty()) main = shown.front();
        Sleep(0);
    }
    ASSERT_NE(main, nullptr) << "the main window did not appear";
    ASSERT_TRUE(PutTextOnClipboard("copied as it appeared"));
    HWND list = FindWindowExW(main, nullptr, L"ListBox", nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(WaitFor([&] { return !ListRows(list).empty(); })) << "the copy never reached the history";
    EXPECT_EQ(ListRows(list), std::vector<std::string>{"copied as it appeared"});
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(kExitTimeoutMs));
    EXPECT_EQ(program.ExitCode(), 0u);
}

// Starts the program in folder, notes where its main window opened, closes
// it and expects a normal end with no message on the way.
POINT StartAndClose(const TempFolder& folder) {
    ProgramProcess program(folder.Path());
    HWND main = program.WaitForWindow(L"LumeretMainWindow", kStartTimeoutMs);
    EXPECT_NE(main, nullptr) << "the main window did not appear";
    if (!main) return {-1, -1};
    RECT r{};
    GetWindowRect(main, &r);
    EXPECT_TRUE(program.Windows(L"#32770").empty());
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit(kExitTimeoutMs));
    EXPECT_EQ(program.ExitCode(), 0u);
    return {r.left, r.top};
}

TEST(Settings, FirstStartWritesAllEightKeysInOrder) {
    TempFolder folder;
    POINT opened = StartAndClose(folder);
    EXPECT_EQ(opened.x, 0);
    EXPECT_EQ(opened.y, 0);
    std::string ini = ReadFileBytes(IniPath(folder));
    auto form = ini.find("[FORM]");
    auto file = ini.find("[FILE]");
    auto system = ini.find("[SYSTEM]");
    ASSERT_NE(form, std::string::npos);
    ASSERT_NE(file, std::string::npos);
    ASSERT_NE(system, std::string::npos);
    EXPECT_LT(form, file);
    EXPECT_LT(file, system);
    EXPECT_EQ(Key(IniPath(folder), "FORM", "LEFT"), "0");
    EXPECT_EQ(Key(IniPath(folder), "FORM", "TOP"), "0");
    EXPECT_EQ(Key(IniPath(folder), "FILE", "PATH1"), "C:\\");
    EXPECT_EQ(Key(IniPath(folder), "FILE", "PATH2"), "C:\\");
    EXPECT_EQ(Key(IniPath(folder), "FILE", "PATH3"), "C:\\");
    EXPECT_EQ(Key(IniPath(folder), "SYSTEM", "NONPREVIEW"), "FALSE");
    EXPECT_EQ(Key(IniPath(folder), "SYSTEM", "STAYONTOP"), "FALSE");
    EXPECT_EQ(Key(IniPath(folder), "SYSTEM", "DELETECHECK"), "FALSE");
}

TEST(Settings, RoundTripReadsHexCutsLongValuesAndRewritesSwitches) {
    TempFolder folder;
    std::string longPath(100000, 'p');
    std::string ini = "[FORM]\r\nLEFT=0x20\r\nTOP=abc\r\n[FILE]\r\nPATH1=";
    ini.append(longPath);
    ini.append("\r\nPATH2=D:\\exports\\\r\n[SYSTEM]\r\nSTAYONTOP=true\r\nDELETECHECK=TRUE\r\n");
    WriteFileBytes(IniPath(folder), ini);
    POINT opened = StartAndClose(folder);
    EXPECT_EQ(opened.x, 32);
    EXPECT_EQ(opened.y, 0);
    EXPECT_EQ(Key(IniPath(folder), "FORM", "LEFT"), "32");
    EXPECT_EQ(Key(IniPath(folder), "FORM", "TOP"), "0");
    EXPECT_EQ(Key(IniPath(folder), "FILE", "PATH1"), std::string(1023, 'p'));
    EXPECT_EQ(Key(IniPath(folder), "FILE", "PATH2"), "D:\\exports\\");
    EXPECT_EQ(Key(IniPath(folder), "FILE", "PATH3"), "C:\\");
    EXPECT_EQ(Key(IniPath(folder), "SYSTEM", "STAYONTOP"), "FALSE");  // "true" is not on
    EXPECT_EQ(Key(IniPath(folder), "SYSTEM", "DELETECHECK"), "TRUE");
    EXPECT_EQ(Key(IniPath(folder), "SYSTEM", "NONPREVIEW"), "FALSE");
}

TEST(Settings, JunkFileGivesDefaultsWithoutComplaint) {
    TempFolder folder;
    std::string junk;
    for (int i = 0; i < 4096; ++i) junk.push_back(static_cast<char>((i * 7919) & 0xFF));
    WriteFileBytes(IniPath(folder), junk);
    POINT opened = StartAndClose(folder);
    EXPECT_EQ(opened.x, 0);  // defaults
    EXPECT_EQ(opened.y, 0);
}

// The primary screen's work area, where a window off every screen comes
// back (the virtual display has that one screen).
RECT WorkArea() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// A place so far off that the system clips it to -32768 would keep the
// window out of reach for good, as it is written back at the end.
TEST(Settings, AWindowStoredOffEveryScreenComesBackOntoTheNearest) {
    TempFolder folder;
    WriteFileBytes(IniPath(folder), "[FORM]\r\nLEFT=-99999999\r\nTOP=50\r\n");
    POINT opened = StartAndClose(folder);
    EXPECT_EQ(opened.x, WorkArea().left);
    EXPECT_EQ(opened.y, 50);
    EXPECT_EQ(Key(IniPath(folder), "FORM", "LEFT"), std::to_string(WorkArea().left));
    EXPECT_EQ(Key(IniPath(folder), "FORM", "TOP"), "50");

    // The lowest integer is such a place too, not the system's choice.
    WriteFileBytes(IniPath(folder), "[FORM]\r\nLEFT=-2147483648\r\nTOP=60\r\n");
    opened = StartAndClose(folder);
    EXPECT_EQ(opened.x, WorkArea().left);
    EXPECT_EQ(opened.y, 60);
    EXPECT_EQ(Key(IniPath(folder), "FORM", "TOP"), "60");

    // Below and right of the screen: it comes back to the bottom-right corner.
    WriteFileBytes(IniPath(folder), "[FORM]\r\nLEFT=5000\r\nTOP=$7FFFFFFF\r\n");
    ProgramProcess program(folder.Path());
    HWND main = program.WaitForWindow(L"LumeretMainWindow", kStartTimeoutMs);
    ASSERT_NE(main, nullptr);
    RECT r{};
    GetWindowRect(main, &r);
    EXPECT_EQ(r.right, WorkArea().right);
    EXPECT_EQ(r.bottom, WorkArea().bottom);
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(kExitTimeoutMs));
}

TEST(Settings, AWindowThatShowsInPartStaysWhereItWasLeft) {
    TempFolder folder;
    WriteFileBytes(IniPath(folder), "[FORM]\r\nLEFT=-100\r\nTOP=30\r\n");
    POINT opened = StartAndClose(folder);
    EXPECT_EQ(opened.x, -100);
    EXPECT_EQ(opened.y, 30);
}

// Left on a screen above, now gone: only the bottom of the window shows, and
// it could not be taken by its title bar. It comes down onto the screen.
TEST(Settings, AWindowWhoseTitleBarIsOffEveryScreenComesBackOntoTheNearest) {
    TempFolder folder;
    WriteFileBytes(IniPath(folder), "[FORM]\r\nLEFT=100\r\nTOP=-200\r\n");
    POINT opened = StartAndClose(folder);
    EXPECT_EQ(opened.x, 100);
    EXPECT_EQ(opened.y, WorkArea().top);
}

// Closes the program and expects the error box that names the settings file;
// the program must still end normally once it is answered.
void ExpectWriteErrorAtExit(const TempFolder& folder) {
    ProgramProcess program(folder.Path());
    HWND main = program.WaitForWindow(L"LumeretMainWindow", kStartTimeoutMs);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_CLOSE, 0, 0);

    HWND box = program.WaitForWindow(L"#32770", kExitTimeoutMs);
    ASSERT_NE(box, nullptr) << "no error message appeared";
    wchar_t caption[64] = {};
    GetWindowTextW(box, caption, 64);
    EXPECT_STREQ(caption, L"\xFF74\xFF97\xFF70");  // ｴﾗｰ
    bool found = false;
    for (const auto& text : ChildTexts(box, L"Static")) {
        if (text.find(" に書き込めません") != std::string::npos && text.find("lumeret.ini") != std::string::npos) {
            found = true;
        }
    }
    EXPECT_TRUE(found) << "the message does not name the settings file";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program.WaitForExit(kExitTimeoutMs));
    EXPECT_EQ(program.ExitCode(), 0u);
}

TEST(Settings, ReadOnlyFileIsReportedAndLeftAsItWas) {
    TempFolder folder;
    const std::string original = "[FORM]\r\nLEFT=7\r\n";
    WriteFileBytes(IniPath(folder), original);
    ASSERT_TRUE(SetFileAttributesA(IniPath(folder).c_str(), FILE_ATTRIBUTE_READONLY));
    ExpectWriteErrorAtExit(folder);
    EXPECT_EQ(ReadFileBytes(IniPath(folder)), original);
    SetFileAttributesA(IniPath(folder).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Settings, UnwritableFileIsReportedAndTheProgramStillEnds) {
    TempFolder folder;
    // A folder in the settings file's place: no key can be written there.
    ASSERT_TRUE(CreateDirectoryA(IniPath(folder).c_str(), nullptr));
    ExpectWriteErrorAtExit(folder);
}

}  // namespace
}  // namespace lumeret::test

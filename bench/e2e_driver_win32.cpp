// Measures the real lumeret.exe from another process beside the floor Wine
// and the machine allow, for bench/e2e.sh. Each row is one figure of the
// program next to the same work done by the smallest program that can do it,
// in the same run, as medians of several rounds:
//   start-up          process start until the main window is visible, beside
//                     smallest_window.exe, built next to this driver, and
//                     beside its build with a status bar of the common
//                     controls (under Wine loading them is a large cost of
//                     its own, which the program's own status line spares);
//                     once more with 300 text clips and the picture clips
//                     registered below in the program's folder
//   text capture      another program sets a text until it is the history's
//                     row 0, beside this driver started as the smallest
//                     viewer (one notice, one read, one list insert); apart
//                     for rows inserted before and after the list shows a
//                     scroll bar
//   4K picture        a 3840 x 2160 32-bit DIB put on the clipboard until the
//                     preview shows it, beside the smallest viewer reading
//                     that DIB once as it is told of the change (the copying
//                     program itself reads its own block faster than any
//                     other program can)
//   register          the register button with that picture on the clipboard
//                     until the clip is written, beside another program
//                     reading that DIB once, the clipboard long settled (under
//                     Wine such a read often costs half of one made at the
//                     change), and writing a file of the clip's size
//   memory            the program's working set at start and after the
//                     picture, its registration and a text
//   clip deleted      the first of 300 text clips deleted in the scrapbook
//                     until its list shows the rest, beside the file work
//                     itself (the file deleted, the followers renumbered,
//                     every clip read for its row)
//   text registered   a new text selected in the history and the register
//                     button pressed among those clips until the clip is
//                     written, beside writing that file
//   e2e_driver run FOLDER      the table (FOLDER must exist)
//   e2e_driver viewer | reader   the floors' own programs, started by run
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/driver_support_win32.h"
#include "bench/floor_window_win32.h"
#include "dib/bmp_builder.h"
#include "platform/module_path_win32.h"
#include "store/clip_numbering.h"
#include "support/clipboard_source_win32.h"
#include "support/program_win32.h"
#include "support/real_input_win32.h"
#include "support/win_pump_win32.h"

namespace {

using namespace lumeret::test;
using namespace lumeret::bench;
using lumeret::ClipFileName;
using lumeret::ExecutableFolder;
using lumeret::ExecutablePath;

constexpr DWORD kStartTimeoutMs = 60000;
constexpr int kStartRounds = 21;
constexpr int kTextRounds = 40;
constexpr int kPictureRounds = 5;
constexpr int kTextClips = 300;
constexpr int kDeleteRounds = 5;
constexpr int kRegisterRounds = 5;
constexpr std::int32_t kWidth = 3840;
constexpr std::int32_t kHeight = 2160;
constexpr wchar_t kSmallestClass[] = L"LumeretBenchSmallestWindow";
constexpr wchar_t kViewerClass[] = L"LumeretBenchViewer";

// --- The floors' own programs ---

HWND viewerList = nullptr;
HWND nextViewer = nullptr;
HANDLE viewerDibRead = nullptr;
constexpr UINT kViewerRetry = WM_APP + 1;
constexpr char kDibRead[] = "LumeretBenchDibRead";

// Reads the open clipboard's DIB once, as the smallest program would: the
// system brings its bytes into this process. The size of the block read.
std::size_t ReadClipboardDib() {
    HANDLE block = GetClipboardData(CF_DIB);
    if (!block || !GlobalLock(block)) return 0;
    GlobalUnlock(block);
    return GlobalSize(block);
}

void ViewerRead(HWND hwnd) {
    if (!OpenClipboard(hwnd)) {
        PostMessageW(hwnd, kViewerRetry, 0, 0);  // the copying program still holds it
        return;
    }
    HANDLE block = GetClipboardData(CF_TEXT);
    if (!block) {  // a picture
        const std::size_t read = ReadClipboardDib();
        CloseClipboard();
        if (read > 0) SetEvent(viewerDibRead);
        return;
    }
    std::string text;
    if (const char* chars = static_cast<const char*>(GlobalLock(block))) {
        text = chars;
        GlobalUnlock(block);
    }
    CloseClipboard();
    SendMessageA(viewerList, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT CALLBACK ViewerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DRAWCLIPBOARD:
        ViewerRead(hwnd);
        if (nextViewer) SendMessageW(nextViewer, msg, wParam, lParam);
        return 0;
    case kViewerRetry:
        ViewerRead(hwnd);
        return 0;
    case WM_CHANGECBCHAIN:
        if (reinterpret_cast<HWND>(wParam) == nextViewer) {
            nextViewer = reinterpret_cast<HWND>(lParam);
        } else if (nextViewer) {
            SendMessageW(nextViewer, msg, wParam, lParam);
        }
        return 0;
    case WM_DESTROY:
        ChangeClipboardChain(hwnd, nextViewer);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

int RunViewer() {
    viewerDibRead = OpenEventA(EVENT_MODIFY_STATE, FALSE, kDibRead);
    return RunFloorWindow(kViewerClass, &ViewerProc, [](HWND window) {
        viewerList = CreateWindowW(L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER, 0, 0, 180, 150,
                                   window, nullptr, GetModuleHandleW(nullptr), nullptr);
        nextViewer = SetClipboardViewer(window);
    });
}

// --- Measuring ---

struct Child {
    PROCESS_INFORMATION info{};
    ~Child() {
        if (!info.hProcess) return;
        if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
};

bool Start(Child& child, const std::string& exe, const std::string& arguments, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string command = "\"" + exe + "\" " + arguments;
    return CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &child.info) != FALSE;
}

// The visible top-level window of the class in the process, polled closely.
HWND WaitVisible(DWORD processId, const wchar_t* className) {
    const double until = Now() + kStartTimeoutMs / 1000.0;
    while (Now() < until) {
        for (HWND w = FindWindowW(className, nullptr); w; w = FindWindowExW(nullptr, w, className, nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == processId && IsWindowVisible(w)) return w;
        }
        Sleep(0);
    }
    return nullptr;
}

// Seconds from process start until its window of the class is visible; the
// process is closed again. Negative when the window never came.
double StartUp(const std::string& exe, const std::string& arguments, const std::string& folder,
               const wchar_t* className) {
    Child child;
    const double begun = Now();
    if (!Start(child, exe, arguments, folder)) return -1;
    HWND w = WaitVisible(child.info.dwProcessId, className);
    const double seconds = Now() - begun;
    if (w) PostMessageW(w, WM_CLOSE, 0, 0);
    return w ? seconds : -1;
}

std::string ListRow0(HWND list) {
    wchar_t row[256] = {};
    if (SendMessageW(list, LB_GETTEXTLEN, 0, 0) >= 255) return {};
    SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(row));
    char bytes[512] = {};
    WideCharToMultiByte(CP_ACP, 0, row, -1, bytes, sizeof(bytes), nullptr, nullptr);
    return bytes;
}

// Seconds from setting each text until it is row 0 of a list, one per round,
// apart by whether the list showed a scroll bar then: under Wine's theme
// drawing the bar is most of an insert.
struct TextTimes {
    std::vector<double> withoutScrollBar;
    std::vector<double> withScrollBar;
};

TextTimes TextCapture(HWND list, const char* tag) {
    TextTimes times;
    for (int round = 0; round < kTextRounds; ++round) {
        std::string text = tag;
        text += std::to_string(round);
        const double begun = Now();
        if (!PutTextOnClipboard(text)) continue;
        const double until = begun + 10;
        while (ListRow0(list) != text && Now() < until) {
        }
        const double seconds = Now() - begun;
        const bool scrolls = (GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL) != 0;
        (scrolls ? times.withScrollBar : times.withoutScrollBar).push_back(seconds);
        Sleep(20);  // each change on its own
    }
    return times;
}

std::string Picture4K(std::uint8_t blue, std::uint8_t red) {
    BmpParts p;
    p.width = kWidth;
    p.height = kHeight;
    p.bitCount = 32;
    p.pixels.resize(static_cast<std::size_t>(kWidth) * kHeight * 4);
    for (std::size_t i = 0; i < p.pixels.size(); i += 4) {
        p.pixels[i] = blue;
        p.pixels[i + 2] = red;
    }
    std::vector<std::uint8_t> dib = MakePackedDib(p);
    return std::string(dib.begin(), dib.end());
}

constexpr char kReadNow[] = "LumeretBenchReadNow";

// The reader's own program: waits until told, then reads the clipboard's DIB
// once; its exit code is the time that took, in microseconds, or 0 when the
// clipboard did not hold the 4K picture.
int RunReader() {
    HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, kReadNow);
    if (!go || WaitForSingleObject(go, 60000) != WAIT_OBJECT_0) return 0;
    const double begun = Now();
    std::size_t read = 0;
    if (OpenClipboard(nullptr)) {
        read = ReadClipboardDib();
        CloseClipboard();
    }
    const double took = Now() - begun;
    const std::size_t pictureBytes = 40 + static_cast<std::size_t>(kWidth) * kHeight * 4;
    return read == pictureBytes ? static_cast<int>(took * 1e6) : 0;
}

// Seconds from putting the picture, red and blue in turn, until the viewer
// has read it, one per round; empty when it did not.
std::vector<double> PictureReadsAtChange(HANDLE dibRead, const std::string& red, const std::string& blue) {
    std::vector<double> seconds;
    for (int round = 0; round < kPictureRounds; ++round) {
        ResetEvent(dibRead);
        if (!PutDibOnClipboard(round % 2 == 0 ? red : blue)) return {};
        const double put = Now();
        if (WaitForSingleObject(dibRead, 30000) != WAIT_OBJECT_0) return {};
        seconds.push_back(Now() - put);
        Sleep(500);  // each change on its own
    }
    return seconds;
}

void WriteWhole(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    FlushFileBuffers(file);
    CloseHandle(file);
}

COLORREF ScreenPixelAt(HWND window, POINT client) {
    ClientToScreen(window, &client);
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, client.x, client.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

// Text clips 0 to count - 1 beside a program in folder, as it writes them.
void WriteTextClips(const std::string& folder, int count) {
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "txt").c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        WriteFileBytes(ClipFileName(folder, "txt", i), "clip number " + std::to_string(i) + "\r\n");
    }
}

// Seconds the file work of deleting the first of count clips takes: the file
// deleted, each follower moved down one number, every clip left read.
double DeleteFirstClipFiles(const std::string& folder, int count) {
    const double begun = Now();
    DeleteFileA(ClipFileName(folder, "txt", 0).c_str());
    for (int i = 1; i < count; ++i) {
        MoveFileA(ClipFileName(folder, "txt", i).c_str(), ClipFileName(folder, "txt", i - 1).c_str());
    }
    for (int i = 0; i < count - 1; ++i) ReadFileBytes(ClipFileName(folder, "txt", i));
    return Now() - begun;
}

// The class of the window in front, for telling why a round got stuck.
std::wstring ForegroundClass() {
    wchar_t name[64] = {};
    GetClassNameW(GetForegroundWindow(), name, 64);
    return name;
}

// Seconds from pressing Delete on the scrapbook's first text clip until its
// list shows one row less, one per round; empty, with the reason told, when
// the scrapbook did not open or did not delete.
std::vector<double> DeleteFirstClips(const ProgramProcess& lumeret, HWND main) {
    std::vector<double> seconds;
    ClickOn(main, POINT{40, 56});  // the scrapbook button
    HWND scrapbook = lumeret.WaitForWindow(L"LumeretScrapbook", kStartTimeoutMs);
    HWND clips = scrapbook ? ChildWithCaption(scrapbook, L"ListBox", L"") : nullptr;
    if (!clips) return std::fprintf(stderr, "the scrapbook did not open\n"), seconds;
    for (int round = 0; round < kDeleteRounds; ++round) {
        const LRESULT before = SendMessageW(clips, LB_GETCOUNT, 0, 0);
        ClickOn(clips, POINT{10, 5});
        Settle(main);
        // The key goes to the window in front, as a person's would.
        if (!WaitFor([&] { return GetForegroundWindow() == scrapbook; })) {
            std::fprintf(stderr, "the scrapbook did not come to the front: %ls is there\n", ForegroundClass().c_str());
            return {};
        }
        const double begun = Now();
        PressKey(VK_DELETE);
        while (SendMessageW(clips, LB_GETCOUNT, 0, 0) != before - 1) {
            if (Now() > begun + 30) {
                std::fprintf(stderr, "Delete left %d rows in the scrapbook; %ls is in front\n",
                             static_cast<int>(SendMessageW(clips, LB_GETCOUNT, 0, 0)), ForegroundClass().c_str());
                return {};
            }
        }
        seconds.push_back(Now() - begun);
    }
    return seconds;
}

struct RegisterTimes {
    std::vector<double> program;
    std::vector<double> floor;
};

// Seconds from pressing the register button, with a new text selected in the
// history, until it is done, one per round, each checked in its clip file;
// beside writing that file alone. Empty, with the reason told, when a text
// did not arrive or was not written.
RegisterTimes RegisterTexts(HWND main, const std::string& folder, int clipsBefore) {
    RegisterTimes times;
    HWND list = FindWindowExW(main, nullptr, L"ListBox", nullptr);
    HWND add = RegisterButtonOf(main);
    const std::string floorFile = folder + "floor.txt";
    for (int round = 0; round < kRegisterRounds; ++round) {
        std::string text = "registered ";
        text += std::to_string(round);
        if (!PutTextOnClipboard(text) || !WaitFor([&] { return ListRow0(list) == text; })) {
            return std::fprintf(stderr, "the text to register did not arrive\n"), RegisterTimes{};
        }
        ClickOn(list, POINT{10, 5});
        Settle(main);
        double begun = Now();
        SendMessageTimeoutW(add, BM_CLICK, 0, 0, SMTO_NORMAL, 60000, nullptr);
        times.program.push_back(Now() - begun);
        if (ReadFileBytes(ClipFileName(folder, "txt", clipsBefore + round)) != text + "\r\n") {
            return std::fprintf(stderr, "\"%s\" was not registered\n", text.c_str()), RegisterTimes{};
        }
        begun = Now();
        WriteWhole(floorFile, text + "\r\n");
        times.floor.push_back(Now() - begun);
        DeleteFileA(floorFile.c_str());
    }
    return times;
}

struct StartTimes {
    std::vector<double> program;
    std::vector<double> floor;
    std::vector<double> floorWithStatusBar;
};

// Start-up, the program and the two smallest windows in turn; which of them
// starts first changes from round to round, so that none always follows
// another's end.
StartTimes StartUps(const std::string& folder) {
    StartTimes times;
    auto start = [&](int which) {
        if (which == 0) {
            times.program.push_back(StartUp(folder + "lumeret.exe", "", folder, L"LumeretMainWindow"));
        } else {
            const char* floor = which == 1 ? "smallest_window.exe" : "smallest_window_with_status_bar.exe";
            (which == 1 ? times.floor : times.floorWithStatusBar)
                .push_back(StartUp(ExecutableFolder() + floor, "", folder, kSmallestClass));
        }
    };
    for (int round = 0; round < kStartRounds; ++round) {
        for (int i = 0; i < 3; ++i) start((round + i) % 3);
        Sleep(300);  // the closed program is gone
    }
    return times;
}

void Row(const char* what, double program, double floor) {
    std::printf("%-44s %9.1f ms %9.1f ms %6.2f x\n", what, program * 1000, floor * 1000,
                floor > 0 ? program / floor : 0.0);
    std::fflush(stdout);
}

int Run(const std::string& folder) {
    CopyFileA(BuiltProgramPath().c_str(), (folder + "lumeret.exe").c_str(), TRUE);  // unless one is there
    std::printf("%-44s %12s %12s %8s\n", "", "lumeret", "floor", "ratio");
    const StartTimes start = StartUps(folder);
    Row("start -> main window visible", Median(start.program), Median(start.floor));
    Row("start -> visible (floor with a status bar)", Median(start.program), Median(start.floorWithStatusBar));

    // Text and picture capture: the smallest viewer alone, then the program
    // alone. The picture is red and blue in turn.
    std::string red, blue;
    TextTimes floorText;
    std::vector<double> readAtChange;
    {
        HANDLE dibRead = CreateEventA(nullptr, TRUE, FALSE, kDibRead);
        Child viewer;
        if (!Start(viewer, ExecutablePath(), "viewer", folder)) return 1;
        HWND window = WaitVisible(viewer.info.dwProcessId, kViewerClass);
        HWND list = window ? FindWindowExW(window, nullptr, L"ListBox", nullptr) : nullptr;
        if (!list) return std::fprintf(stderr, "the viewer did not start\n"), 1;
        floorText = TextCapture(list, "floor ");
        red = Picture4K(0, 255);
        blue = Picture4K(255, 0);
        readAtChange = PictureReadsAtChange(dibRead, red, blue);
        PutTextOnClipboard("floor done");  // the program does not start on the picture
        PostMessageW(window, WM_CLOSE, 0, 0);
        CloseHandle(dibRead);
        if (readAtChange.empty()) return std::fprintf(stderr, "the viewer did not read the picture\n"), 1;
    }
    ProgramProcess lumeret(folder);
    HWND main = lumeret.WaitForWindow(L"LumeretMainWindow", kStartTimeoutMs);
    HWND list = main ? FindWindowExW(main, nullptr, L"ListBox", nullptr) : nullptr;
    HWND add = main ? RegisterButtonOf(main) : nullptr;
    if (!list || !add) return std::fprintf(stderr, "the main window did not appear\n"), 1;
    Sleep(500);
    const Usage atStart = UsageOf(lumeret.Id());
    const TextTimes text = TextCapture(list, "text ");
    Row("text elsewhere -> row 0, no scroll bar yet", Median(text.withoutScrollBar),
        Median(floorText.withoutScrollBar));
    Row("text elsewhere -> row 0, with a scroll bar", Median(text.withScrollBar), Median(floorText.withScrollBar));

    // The 4K picture, each until the preview's middle shows its colour.
    const POINT middle{80 + 56, 8 + 56};
    std::vector<double> handled, registered, readAndWrite;
    HANDLE readNow = CreateEventA(nullptr, TRUE, FALSE, kReadNow);
    const std::size_t clipBytes = 54 + static_cast<std::size_t>(kWidth) * kHeight * 3;
    for (int round = 0; round < kPictureRounds; ++round) {
        const bool isRed = round % 2 == 0;
        if (!PutDibOnClipboard(isRed ? red : blue)) return std::fprintf(stderr, "the copy failed\n"), 1;
        const double put = Now();
        const COLORREF want = isRed ? RGB(255, 0, 0) : RGB(0, 0, 255);
        while (ScreenPixelAt(main, middle) != want && Now() < put + 30) {
        }
        handled.push_back(Now() - put);
        Settle(main);

        // Another process reads it, as the smallest program would.
        double read = 0;
        {
            Child reader;
            if (!Start(reader, ExecutablePath(), "reader", folder)) return 1;
            Sleep(500);  // it has started and waits
            SetEvent(readNow);
            DWORD micros = 0;
            WaitForSingleObject(reader.info.hProcess, 60000);
            GetExitCodeProcess(reader.info.hProcess, &micros);
            if (micros == 0) return std::fprintf(stderr, "the reader did not find the picture\n"), 1;
            read = micros / 1e6;
        }
        ResetEvent(readNow);
        double begun = Now();
        WriteWhole(folder + "floor.bmp", std::string(clipBytes, '\x7F'));
        readAndWrite.push_back(read + Now() - begun);

        begun = Now();
        SendMessageTimeoutW(add, BM_CLICK, 0, 0, SMTO_NORMAL, 60000, nullptr);
        registered.push_back(Now() - begun);
    }
    CloseHandle(readNow);
    DeleteFileA((folder + "floor.bmp").c_str());
    Row("4K picture set elsewhere -> preview drawn", Median(handled), Median(readAtChange));
    Row("register 4K picture -> clip written", Median(registered), Median(readAndWrite));

    PutTextOnClipboard("after the pictures");
    Settle(main);
    Sleep(500);
    const Usage after = UsageOf(lumeret.Id());
    std::printf("%-44s %9.1f MB %9.1f MB  %+.1f MB over the working set at start\n",
                "memory after 4K + register + text", after.workingSetMb, atStart.workingSetMb,
                after.workingSetMb - atStart.workingSetMb);
    PostMessageW(main, WM_CLOSE, 0, 0);
    if (!lumeret.WaitForExit(30000)) return 1;

    // A text clip deleted among many: the program starts on them.
    std::vector<double> files;
    const std::string floorFolder = folder + "floor\\";
    WriteTextClips(floorFolder, kTextClips);
    for (int round = 0; round < kDeleteRounds; ++round) {
        files.push_back(DeleteFirstClipFiles(floorFolder, kTextClips - round));
    }
    WriteTextClips(folder, kTextClips);
    const StartTimes startOnClips = StartUps(folder);
    Row("start on 300 text + 4K picture clips -> shown", Median(startOnClips.program), Median(startOnClips.floor));
    ProgramProcess withClips(folder);
    main = withClips.WaitForWindow(L"LumeretMainWindow", kStartTimeoutMs);
    if (!main) return std::fprintf(stderr, "the main window did not appear on 300 clips\n"), 1;
    const std::vector<double> deletes = DeleteFirstClips(withClips, main);
    if (!deletes.empty()) Row("delete 1 of 300 text clips -> list shows 299", Median(deletes), Median(files));
    const RegisterTimes texts = RegisterTexts(main, folder, kTextClips - kDeleteRounds);
    if (!texts.program.empty()) Row("register a text among 295 text clips", Median(texts.program), Median(texts.floor));
    PostMessageW(main, WM_CLOSE, 0, 0);
    return withClips.WaitForExit(30000) && !deletes.empty() && !texts.program.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "viewer") return RunViewer();
    if (mode == "reader") return RunReader();
    std::string folder = argc > 2 ? argv[2] : "";
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    if (mode == "run" && argc > 2) return Run(folder);
    std::fprintf(stderr, "usage: e2e_driver run FOLDER\n");
    return 2;
}

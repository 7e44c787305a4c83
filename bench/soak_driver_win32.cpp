// Drives the real lumeret.exe from another process, for bench/soak.sh.
//   soak_driver soak FOLDER CHANGES   texts and small pictures put on the
//       clipboard in turn, CHANGES in all; the program's memory and handle
//       counts are printed at the start and at the end.
//   soak_driver large FOLDER          a 20000 x 10000 8-bit picture (200 MB)
//       is put on the clipboard and registered, then a 100 MB text and a
//       small one are copied; the program's memory after each step and the
//       time each took are printed.
// FOLDER must exist; a lumeret.exe already in it is used (to measure another
// build), otherwise the one built beside this driver is copied there.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/driver_support_win32.h"
#include "dib/bmp_builder.h"
#include "support/clipboard_source_win32.h"
#include "support/program_win32.h"
#include "support/win_pump_win32.h"

namespace {

using namespace lumeret::test;
using namespace lumeret::bench;

constexpr DWORD kStartTimeoutMs = 60000;
constexpr DWORD kStepTimeoutMs = 300000;
constexpr int kDistinctTexts = 25;  // the history stays this long

// A small picture of a colour that changes with n.
std::string SmallPicture(int n) {
    BmpParts p = SolidRed(16 + n % 7, 12 + n % 5, static_cast<std::uint8_t>(n * 37));
    std::vector<std::uint8_t> bytes = MakePackedDib(p);
    return std::string(bytes.begin(), bytes.end());
}

int Soak(const std::string& folder, int changes) {
    ProgramProcess program(folder);
    HWND main = program.WaitForWindow(L"LumeretMainWindow", kStartTimeoutMs);
    if (!main) return std::fprintf(stderr, "the main window did not appear\n"), 1;
    // A first round of every kind, so that what is made once is counted.
    auto change = [&](int n) {
        // Appended, not "..." + to_string: the 32-bit compiler warns falsely of overlapping copies there.
        std::string text = "soak text ";
        text += std::to_string(n / 2 % kDistinctTexts);
        bool put = n % 2 == 0 ? PutTextOnClipboard(text) : PutDibOnClipboard(SmallPicture(n));
        return put && Settle(main);
    };
    for (int n = 0; n < 2 * kDistinctTexts; ++n) {
        if (!change(n)) return std::fprintf(stderr, "change %d failed\n", n), 1;
    }
    Print("start", UsageOf(program.Id()));
    const double begun = Now();
    for (int n = 0; n < changes; ++n) {
        if (!change(n)) return std::fprintf(stderr, "change %d failed\n", n), 1;
    }
    const double seconds = Now() - begun;
    Print("end", UsageOf(program.Id()));
    std::printf("%d clipboard changes in %.1f s\n", changes, seconds);
    PostMessageW(main, WM_CLOSE, 0, 0);
    return program.WaitForExit(30000) ? 0 : 1;
}

int Large(const std::string& folder) {
    ProgramProcess program(folder);
    HWND main = program.WaitForWindow(L"LumeretMainWindow", kStartTimeoutMs);
    HWND add = main ? RegisterButtonOf(main) : nullptr;
    if (!add) return std::fprintf(stderr, "the main window did not appear\n"), 1;
    Print("start", UsageOf(program.Id()));

    BmpParts p;
    p.width = 20000;
    p.height = 10000;
    p.bitCount = 8;
    p.clrUsed = 256;
    for (int i = 0; i < 256; ++i) p.colors.insert(p.colors.end(), {std::uint8_t(i), std::uint8_t(255 - i), 0, 0});
    p.pixels.resize(20000u * 10000u);
    for (std::size_t i = 0; i < p.pixels.size(); ++i) p.pixels[i] = static_cast<std::uint8_t>(i / 20000 + i % 20000);
    std::vector<std::uint8_t> dib = MakePackedDib(p);
    p = BmpParts{};
    std::printf("picture: 20000 x 10000, 8 bits, %zu bytes\n", dib.size());

    double begun = Now();
    if (!PutDibOnClipboard(std::string(dib.begin(), dib.end()))) return std::fprintf(stderr, "the copy failed\n"), 1;
    std::printf("put on the clipboard (this driver): %.1f s\n", Now() - begun);
    begun = Now();
    if (!Settle(main)) return std::fprintf(stderr, "the program did not answer\n"), 1;
    std::printf("change handled, preview drawn: %.1f s\n", Now() - begun);
    Print("copy", UsageOf(program.Id()));

    begun = Now();
    SendMessageTimeoutW(add, BM_CLICK, 0, 0, SMTO_NORMAL, kStepTimeoutMs, nullptr);
    std::printf("register: %.1f s\n", Now() - begun);
    Print("register", UsageOf(program.Id()));
    const std::string clip = folder + "bmp\\00000000.bmp";
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExA(clip.c_str(), GetFileExInfoStandard, &data)) {
        std::printf("clip file: %lu bytes\n", static_cast<unsigned long>(data.nFileSizeLow));
    } else {
        std::printf("no clip file\n");
    }
    for (HWND box : program.Windows(L"#32770")) {
        std::printf("a message box is open\n");
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }

    // A 100 MB text: the history keeps it whole; nothing else should.
    std::string text(100u << 20, 'x');
    begun = Now();
    if (!PutTextOnClipboard(text) || !Settle(main)) return std::fprintf(stderr, "the large text failed\n"), 1;
    text.clear();
    text.shrink_to_fit();
    std::printf("100 MB text taken into the history: %.1f s\n", Now() - begun);
    Print("text", UsageOf(program.Id()));
    if (!PutTextOnClipboard("small") || !Settle(main)) return std::fprintf(stderr, "the small text failed\n"), 1;
    Print("next text", UsageOf(program.Id()));

    PostMessageW(main, WM_CLOSE, 0, 0);
    return program.WaitForExit(60000) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    std::string folder = argc > 2 ? argv[2] : "";
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    if (mode == "soak" && argc > 3) return Soak(folder, std::atoi(argv[3]));
    if (mode == "large" && argc > 2) return Large(folder);
    std::fprintf(stderr, "usage: soak_driver soak FOLDER CHANGES | large FOLDER\n");
    return 2;
}

// The real lumeret.exe killed at random moments (TerminateProcess, as kill -9
// or a crash ends it) while it registers and deletes clips, driven as another
// program would drive it: texts and pictures go on the clipboard, 登録 and the
// scrapbook's 削除 are pressed through window messages. After every restart
// each clip file is whole, the numbers run without a gap, and the clips are
// those registered, in their order: as before the operation under way, or as
// after it.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <random>
#include <sstream>

#include "dib/bmp_builder.h"
#include "support/program_win32.h"
#include "support/clipboard_source_win32.h"
#include "support/win_pump_win32.h"

namespace lumeret::test {
namespace {

constexpr int kKills = 50;
constexpr DWORD kStartTimeoutMs = 60000;
constexpr UINT kClickTimeoutMs = 60000;
const wchar_t kRegister[] = L"\x767B\x9332";  // 登録
const wchar_t kDelete[] = L"\x524A\x9664";    // 削除
// A BMP file's headers before its pixels, as the program writes a 24-bit one.
constexpr std::size_t kBmpHeaders = 54;

// What the clip folders hold: each text clip's file, each picture's pixels.
struct Clips {
    std::vector<std::string> texts;
    std::vector<std::string> pictures;
    bool operator==(const Clips&) const = default;
};

std::string Describe(const Clips& clips) {
    std::ostringstream out;
    out << "texts:";
    for (const auto& t : clips.texts) out << " [" << t.substr(0, t.find(' ', 5)) << " " << t.size() << " bytes]";
    out << " pictures:";
    for (const auto& p : clips.pictures) out << " [" << p.size() << " bytes]";
    return out.str();
}

// The names in a folder, in byte order.
std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data{};
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (data.cFileName[0] != '.') names.push_back(data.cFileName);
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The files of a clip folder, which must be numbered 0 to n - 1 and nothing
// else; a name out of place is reported as a failure.
std::vector<std::string> ReadClipFolder(const std::string& folder, const char* ext) {
    const std::vector<std::string> names = FolderNames(folder);
    std::vector<std::string> files;
    for (std::size_t i = 0; i < names.size(); ++i) {
        char expected[32];
        wsprintfA(expected, "%08u.%s", static_cast<unsigned>(i), ext);
        EXPECT_EQ(names[i], expected) << "in " << folder;
        files.push_back(ReadFileBytes(folder + names[i]));
    }
    return files;
}

Clips ReadClips(const std::string& programFolder) {
    Clips clips;
    clips.texts = ReadClipFolder(programFolder + "txt\\", "txt");
    for (const std::string& file : ReadClipFolder(programFolder + "bmp\\", "bmp")) {
        // A file is whole when its headers announce its length and the pixels
        // are all there.
        const bool whole = file.size() > kBmpHeaders && file.compare(0, 2, "BM") == 0 &&
                           file.size() == (static_cast<unsigned char>(file[2]) | static_cast<unsigned char>(file[3]) << 8 |
                                           static_cast<unsigned char>(file[4]) << 16 |
                                           static_cast<std::size_t>(static_cast<unsigned char>(file[5])) << 24);
        clips.pictures.push_back(whole ? file.substr(kBmpHeaders) : "<cut off at " + std::to_string(file.size()) + ">");
    }
    return clips;
}

// A text of about size bytes whose first line names it.
std::string MakeText(int serial, std::size_t size) {
    std::string text = "clip " + std::to_string(serial) + " of the kill test";
    std::string line(97, static_cast<char>('a' + serial % 26));
    while (text.size() < size) text += "\r\n" + std::to_string(serial) + line;
    return text;
}

class KilledProgram {
public:
    explicit KilledProgram(const std::string& folder) : folder_(folder), random_(20261207) {}

    // Starts the program and checks what it finds against what was registered.
    void Start() {
        NoteWhatTheKillLeft();
        program_.emplace(folder_);
        main_ = program_->WaitForWindow(L"LumeretMainWindow", kStartTimeoutMs);
        ASSERT_NE(main_, nullptr);
        scrapbook_ = program_->AnyWindow(L"LumeretScrapbook");
        ASSERT_NE(scrapbook_, nullptr);
        history_ = FindWindowExW(main_, nullptr, L"ListBox", nullptr);
        textList_ = ChildWithCaption(scrapbook_, L"ListBox", L"");
        registerButton_ = ChildWithCaption(main_, L"Button", kRegister);
        deleteButton_ = ChildWithCaption(scrapbook_, L"Button", kDelete);
        ASSERT_TRUE(history_ && textList_ && registerButton_ && deleteButton_);
        // The program starts on the text page, showing the first picture.
        bitmapPage_ = false;
        currentPicture_ = 1;

        Clips found = ReadClips(folder_);
        if (pending_ && found == *pending_) {
            clips_ = *pending_;
            ++finished_;
        } else if (pending_) {
            ++undone_;
        }
        EXPECT_EQ(found, clips_) << "found " << Describe(found) << "\nregistered " << Describe(clips_);
        pending_.reset();
        ++starts_;
    }

    // Runs one operation to its end.
    void Complete() {
        Clips after = Prepare();
        const DWORD start = GetTickCount();
        DWORD_PTR result = 0;
        ASSERT_TRUE(SendMessageTimeoutW(Target(), BM_CLICK, 0, 0, SMTO_NORMAL, kClickTimeoutMs, &result));
        const double took = GetTickCount() - start;
        double& estimate = lengthMs_[kind_];
        estimate = estimate == 0 ? took : (estimate * 3 + took) / 4;
        clips_ = after;
        Follow();
    }

    // Starts one operation and kills the program somewhere in it: half the
    // time after a random wait within the operation's usual length, half the
    // time at once when its clip folder first changes, which is inside its
    // writing or renaming.
    void KillDuringOne() {
        pending_ = Prepare();
        const std::string dir = folder_ + (kind_ == kRegisterText || kind_ == kDeleteText ? "txt\\" : "bmp\\");
        const std::vector<std::string> before = FolderNames(dir);
        const double estimate = lengthMs_[kind_] == 0 ? 200 : lengthMs_[kind_];
        PostMessageW(Target(), BM_CLICK, 0, 0);
        if (RandomCount(0, 1) == 0) {
            Sleep(std::uniform_int_distribution<DWORD>(0, static_cast<DWORD>(estimate * 1.3) + 1)(random_));
        } else {
            const DWORD start = GetTickCount();
            while (FolderNames(dir) == before && GetTickCount() - start < estimate * 3 + 1000) continue;
        }
        program_->Kill();
        program_.reset();
    }

    void Close() {
        PostMessageW(main_, WM_CLOSE, 0, 0);
        EXPECT_TRUE(program_->WaitForExit(30000));
        program_.reset();
    }

    int RandomCount(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    int Starts() const { return starts_; }
    // Where the kills fell, to show that they hit the operations.
    std::string Summary() const {
        return std::to_string(undone_) + " kills before the operation took effect, " + std::to_string(finished_) +
               " after; " + std::to_string(leftTemporary_) + " left a temporary file, " + std::to_string(leftGap_) +
               " a renumbering half-done";
    }

private:
    enum Kind { kRegisterText, kRegisterPicture, kDeleteText, kDeletePicture };

    // Picks the next operation, sets the clipboard or the selection up for
    // it, and returns the clips it leaves.
    Clips Prepare() {
        const bool canDelete = bitmapPage_ ? !clips_.pictures.empty() : !clips_.texts.empty();
        const int roll = RandomCount(0, 99);
        Clips after = clips_;
        ++serial_;
        if (canDelete && roll < 40) {
            kind_ = bitmapPage_ ? kDeletePicture : kDeleteText;
            if (kind_ == kDeleteText) {
                const int row = RandomCount(0, static_cast<int>(clips_.texts.size()) - 1);
                SendMessageW(textList_, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
                SendMessageW(GetParent(textList_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(textList_), LBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(textList_));
                after.texts.erase(after.texts.begin() + row);
            } else {
                after.pictures.erase(after.pictures.begin() + (currentPicture_ - 1));
            }
        } else if (roll < 70) {
            kind_ = kRegisterText;
            const std::string text = MakeText(serial_, static_cast<std::size_t>(RandomCount(100, 3000)) * 1024);
            EXPECT_TRUE(PutTextOnClipboard(text));
            // 登録 stores the history's selected entry: the new text, once
            // the program has taken it in.
            const std::string caption = text.substr(0, 64);
            EXPECT_TRUE(WaitFor([&] {
                auto rows = ListRows(history_);
                return !rows.empty() && rows[0] == caption && SendMessageW(history_, LB_GETCURSEL, 0, 0) == 0;
            }));
            after.texts.push_back(text + "\r\n");
        } else {
            kind_ = kRegisterPicture;
            const auto dib = MakePackedDib(SolidRed(300 + serial_, RandomCount(200, 900), static_cast<std::uint8_t>(serial_)));
            EXPECT_TRUE(PutDibOnClipboard(std::string(dib.begin(), dib.end())));
            after.pictures.push_back(std::string(dib.begin() + 40, dib.end()));
        }
        return after;
    }

    // Counts what the kill left for the start to mend.
    void NoteWhatTheKillLeft() {
        if (!pending_) return;
        bool temporary = false;
        bool gap = false;
        for (const char* ext : {"txt", "bmp"}) {
            std::vector<std::string> names;
            for (const std::string& name : FolderNames(folder_ + ext + "\\")) {
                if (name.size() > 4 && name.substr(name.size() - 4) == ".tmp") {
                    temporary = true;
                } else {
                    names.push_back(name);
                }
            }
            char last[32];
            if (!names.empty()) {
                wsprintfA(last, "%08u.%s", static_cast<unsigned>(names.size() - 1), ext);
                gap = gap || names.back() != last;
            }
        }
        leftTemporary_ += temporary;
        leftGap_ += gap;
    }

    HWND Target() const { return kind_ == kRegisterText || kind_ == kRegisterPicture ? registerButton_ : deleteButton_; }

    // The page and picture on show after an operation that ran through.
    void Follow() {
        if (kind_ == kRegisterText) bitmapPage_ = false;
        if (kind_ == kRegisterPicture) {
            bitmapPage_ = true;
            currentPicture_ = static_cast<int>(clips_.pictures.size());
        }
        if (kind_ == kDeletePicture && currentPicture_ > static_cast<int>(clips_.pictures.size())) --currentPicture_;
    }

    std::string folder_;
    std::mt19937 random_;
    std::optional<ProgramProcess> program_;
    HWND main_ = nullptr;
    HWND scrapbook_ = nullptr;
    HWND history_ = nullptr;
    HWND textList_ = nullptr;
    HWND registerButton_ = nullptr;
    HWND deleteButton_ = nullptr;
    bool bitmapPage_ = false;
    int currentPicture_ = 1;
    Clips clips_;
    std::optional<Clips> pending_;
    Kind kind_ = kRegisterText;
    int serial_ = 0;
    int starts_ = 0;
    int undone_ = 0;
    int finished_ = 0;
    int leftTemporary_ = 0;
    int leftGap_ = 0;
    // How long each kind of operation took lately, for the moment of a kill.
    std::map<Kind, double> lengthMs_;
};

TEST(KilledProgram, FiftyKillsWhileRegisteringAndDeletingLoseNoClip) {
    TempFolder folder;
    KilledProgram program(folder.Path());
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        ASSERT_NO_FATAL_FAILURE(program.Start());
        for (int done = program.RandomCount(0, 2); done > 0; --done) ASSERT_NO_FATAL_FAILURE(program.Complete());
        program.KillDuringOne();
    }
    ASSERT_NO_FATAL_FAILURE(program.Start());
    program.Close();
    EXPECT_EQ(program.Starts(), kKills + 1);
    std::printf("%s\n", program.Summary().c_str());
}

}  // namespace
}  // namespace lumeret::test

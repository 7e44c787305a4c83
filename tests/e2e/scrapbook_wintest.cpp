// The scrapbook window as a user meets it: the text clips, the bitmap clips
// with their counter, the memo, copying, deleting, saving and dragging one
// text clip onto another.
#include "e2e/main_window_fixture_win32.h"

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <utility>

#include "core/status_texts.h"
#include "dib/bmp_builder.h"
#include "platform/clipboard_win32.h"
#include "platform/handles_win32.h"
#include "platform/wide_win32.h"
#include "scrapbook/save_dialog_win32.h"

namespace lumeret::test {
namespace {

constexpr char kTextFilter[] = "テキストファイル (*.txt)|*.txt|HTML文書 (*.htm)|*.htm";
constexpr char kBitmapFilter[] = "ビットマップファイル (*.bmp)|*.bmp";
constexpr char kMemoFilter[] = "テキストファイル (*.txt)|*.txt";

bool IsTopmost(HWND hwnd) { return (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

unsigned Le(const std::string& bytes, std::size_t at, int size) {
    unsigned v = 0;
    for (int i = size - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes.at(at + i));
    return v;
}

std::string ClipboardText() { return ClipboardWin32().Text().value_or(std::string()); }

// Whether the control shows anything but white in its client columns from
// `left` up to `right`, as drawn on the screen.
bool InkInColumns(HWND control, int left, int right) {
    RECT client{};
    GetClientRect(control, &client);
    HDC dc = GetDC(control);
    bool ink = false;
    for (int x = left; x < right && !ink; ++x) {
        for (int y = 0; y < client.bottom && !ink; ++y) ink = GetPixel(dc, x, y) != RGB(255, 255, 255);
    }
    ReleaseDC(control, dc);
    return ink;
}

class Scrapbook : public ProgramWindows {
protected:
    void SetUp() override {
        previousRunner_ = SetSaveDialogRunner([this](const SaveDialogRequest& request) {
            requests.push_back(request);
            mainTopmostDuringDialog.push_back(IsTopmost(Main().Handle()));
            if (whileSaveDialogWaits) std::exchange(whileSaveDialogWaits, nullptr)();
            std::optional<std::string> answer = nextAnswer;
            return answer;
        });
        ProgramWindows::SetUp();
    }

    void TearDown() override {
        ProgramWindows::TearDown();
        SetSaveDialogRunner(previousRunner_);
    }

    // Clip files put in place before the windows are made.
    void WriteTextClip(int number, const std::string& text) {
        CreateDirectoryA((folder.Path() + "txt").c_str(), nullptr);
        WriteFileBytes(ClipFile(number), text + "\r\n");
    }
    void WriteBitmapClip(int number, int width, int height) {
        WriteBitmapClipFile(number, SolidBmpFile(width, height, 10, 20, 30));
    }

    // Registers a picture the way the user does: copy it, press "登録".
    void RegisterBitmap(int width, int height, COLORREF color = RGB(200, 40, 40)) {
        ASSERT_TRUE(PutBitmapOnClipboard(width, height, color));
        PumpPending();
        Click(Main().Ui().registerButton);
    }
    void RegisterText(const std::string& text) {
        Copy(text);
        Click(Main().Ui().registerButton);
    }

    void SelectTextClip(int index) { SelectRow(Scrap().Ui().textClipList, index); }
    void PressKeyInList(WORD key) { PressKeyIn(Scrap().Ui().textClipList, key); }
    // The middle of list item index, in the list's coordinates.
    POINT ItemPoint(int index) {
        RECT r{};
        SendMessageW(Scrap().Ui().textClipList, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // A point of the list on the screen.
    POINT OnList(POINT inList) { return ScreenPointOf(Scrap().Ui().textClipList, inList); }
    // A drag with the mouse from an item to a point of the list. Drags one
    // after another start at places apart, so that no press is taken for the
    // second half of a double-click.
    void DragItem(int from, POINT to) {
        Reveal(Scrap().Ui().textClipList);
        POINT start = ItemPoint(from);
        start.x += (drags_++ % 2) * 3 * GetSystemMetrics(SM_CXDOUBLECLK);
        DragOnScreen(OnList(start), OnList(to));
    }
    void SetContinuousRegistration(bool on) {
        Switches s = Core().CurrentSwitches();
        s.continuousRegistration = on;
        Core().SetSwitches(s);
    }
    std::vector<std::string> TextClipFiles(int n) const {
        std::vector<std::string> out;
        for (int i = 0; i < n; ++i) out.push_back(ReadFileBytes(ClipFile(i)));
        return out;
    }
    bool FileExists(const std::string& path) const { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

    std::vector<SaveDialogRequest> requests;
    std::vector<bool> mainTopmostDuringDialog;
    std::optional<std::string> nextAnswer;
    // What the user does in the main window while the save dialog waits.
    std::function<void()> whileSaveDialogWaits;

private:
    SaveDialogRunner previousRunner_;
    int drags_ = 0;
};

// --- Empty folders ---

TEST_F(Scrapbook, EmptyFoldersShowNothingAndTheButtonsDoNothing) {
    EXPECT_TRUE(TextClipRows().empty());
    EXPECT_EQ(ClientSize(Scrap().Ui().pictureBox).cx, 0);
    EXPECT_EQ(ClientSize(Scrap().Ui().pictureBox).cy, 0);
    EXPECT_EQ(Counter(), "0 / 0");
    EXPECT_EQ(Scrap().ActivePage(), ScrapbookPage::Text);
    Copy("keep");
    nextAnswer = folder.Path() + "never.txt";
    for (auto page : {ScrapbookPage::Text, ScrapbookPage::Bitmap, ScrapbookPage::Memo}) {
        TurnTo(page);
        Click(Scrap().Ui().copyButton);
        Click(Scrap().Ui().deleteButton);
        Click(Scrap().Ui().saveButton);
    }
    // The menu opens over the empty list (the picture has no room to be
    // clicked with no clip).
    for (WORD letter : {'C', 'D', 'F'}) ChooseFromMenu(Scrap().Ui().textClipList, letter);
    PumpPending();
    EXPECT_TRUE(requests.empty());  // no dialog with nothing to save
    EXPECT_FALSE(FileExists(folder.Path() + "never.txt"));
    EXPECT_EQ(ClipboardText(), "keep");
    EXPECT_EQ(Counter(), "0 / 0");
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_TRUE(prompts.beeps.empty());
    EXPECT_TRUE(prompts.errors.empty());
    EXPECT_TRUE(ReportedErrors().empty());
}

// --- Bitmap clips ---

TEST_F(Scrapbook, RegisteredBitmapShowsOnTheBmpPageAsTheLastClip) {
    RegisterBitmap(20, 20);
    EXPECT_EQ(Counter(), "1 / 1");
    RegisterBitmap(30, 20);
    EXPECT_EQ(Scrap().ActivePage(), ScrapbookPage::Bitmap);
    EXPECT_EQ(Counter(), "2 / 2");
    EXPECT_EQ(Main().StatusText(), status::kBitmapRegistered);
    EXPECT_TRUE(FileExists(BitmapClipFile(1)));
    EXPECT_FALSE(Scrap().Visible());  // registering never shows the scrapbook
    EXPECT_TRUE(GetWindowLongW(Scrap().Ui().bitmapPage, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(GetWindowLongW(Scrap().Ui().textPage, GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(ReportedErrors().empty());
}

TEST_F(Scrapbook, WidePictureShowsAt193By64FromTheFramesCorner) {
    RegisterBitmap(300, 100);
    const Rect& r = Core().BitmapClips().DrawRect();
    EXPECT_EQ(r.Right, 193);
    EXPECT_EQ(r.Bottom, 64);
    EXPECT_EQ(ClientSize(Scrap().Ui().pictureBox).cx, 193);
    EXPECT_EQ(ClientSize(Scrap().Ui().pictureBox).cy, 64);
    // The paint box sits 8, 8 into the BMP page, whose origin is where the
    // TEXT page's list begins.
    POINT page = PlaceInParent(Scrap().Ui().textClipList);
    POINT box = PlaceInParent(Scrap().Ui().pictureBox);
    EXPECT_EQ(box.x, page.x + 8);
    EXPECT_EQ(box.y, page.y + 8);
}

class ScrapbookWithFiveBitmaps : public Scrapbook {
protected:
    // Heights 19, 39, 58, 77 and 96 when shown: each clip is known by it.
    void BeforeStart() override {
        for (int i = 0; i < 5; ++i) WriteBitmapClip(i, 100, 10 * (i + 1));
    }
    int ShownHeight() { return Core().BitmapClips().DrawRect().Bottom; }
};

TEST_F(ScrapbookWithFiveBitmaps, StartsOnTheFirstClip) {
    EXPECT_EQ(Counter(), "1 / 5");
    EXPECT_EQ(ShownHeight(), 19);
    EXPECT_EQ(ClientSize(Scrap().Ui().pictureBox).cy, 19);
}

TEST_F(ScrapbookWithFiveBitmaps, DeletingClip3Of5ShowsTheOldClip4As3Of4) {
    TurnTo(ScrapbookPage::Bitmap);
    Click(Scrap().Ui().nextButton);
    Click(Scrap().Ui().nextButton);
    EXPECT_EQ(Counter(), "3 / 5");
    EXPECT_EQ(ShownHeight(), 58);
    Click(Scrap().Ui().deleteButton);
    EXPECT_EQ(Counter(), "3 / 4");
    EXPECT_EQ(ShownHeight(), 77);
    EXPECT_FALSE(FileExists(BitmapClipFile(4)));
    EXPECT_TRUE(prompts.questions.empty());  // DeleteCheck is off
}

TEST_F(ScrapbookWithFiveBitmaps, PriorOnTheFirstAndNextOnTheLastLeaveTheCounter) {
    Click(Scrap().Ui().priorButton);
    EXPECT_EQ(Counter(), "1 / 5");
    EXPECT_EQ(ShownHeight(), 19);
    Click(Scrap().Ui().lastButton);
    EXPECT_EQ(Counter(), "5 / 5");
    EXPECT_EQ(ShownHeight(), 96);
    Click(Scrap().Ui().nextButton);
    EXPECT_EQ(Counter(), "5 / 5");
    Click(Scrap().Ui().firstButton);
    EXPECT_EQ(Counter(), "1 / 5");
    EXPECT_EQ(ShownHeight(), 19);
}

TEST_F(ScrapbookWithFiveBitmaps, DeleteWithDeleteCheckAsksAndNoKeepsTheClip) {
    AcceptSwitches([](Switches& s) { s.confirmDelete = true; });
    TurnTo(ScrapbookPage::Bitmap);
    Click(Scrap().Ui().deleteButton);
    EXPECT_EQ(prompts.questions, std::vector<std::string>{"このビットマップを削除しますか"});
    EXPECT_EQ(Counter(), "1 / 5");
    prompts.answers.push_back(true);
    ChooseFromMenu(Scrap().Ui().pictureBox, 'D');
    EXPECT_EQ(Counter(), "1 / 4");
    EXPECT_EQ(ShownHeight(), 39);
}

// The question and the save dialog leave the main window working: a picture
// registered meanwhile is shown, but the clip asked about or chosen is the
// one deleted or written.
TEST_F(ScrapbookWithFiveBitmaps, DeleteAndExportActOnTheClipShownWhenPressedThoughOneIsRegisteredMeanwhile) {
    AcceptSwitches([](Switches& s) { s.confirmDelete = true; });
    ASSERT_TRUE(PutBitmapOnClipboard(100, 200));
    PumpPending();
    TurnTo(ScrapbookPage::Bitmap);
    Click(Scrap().Ui().nextButton);
    ASSERT_EQ(Counter(), "2 / 5");
    prompts.whileAsking = [this] { ClickOn(Main().Ui().registerButton); };
    prompts.answers.push_back(true);
    Click(Scrap().Ui().deleteButton);
    EXPECT_EQ(Core().BitmapClips().Count(), 5);
    std::vector<int> heights;  // the files' own, a byte being enough here
    for (int i = 0; i < 5; ++i) heights.push_back(static_cast<unsigned char>(ReadFileBytes(BitmapClipFile(i)).at(22)));
    EXPECT_EQ(heights, (std::vector<int>{10, 30, 40, 50, 200}));

    ASSERT_EQ(Counter(), "2 / 5");  // 30 high
    whileSaveDialogWaits = [this] { ClickOn(Main().Ui().registerButton); };
    nextAnswer = folder.Path() + "out.bmp";
    Click(Scrap().Ui().saveButton);
    EXPECT_EQ(Core().BitmapClips().Count(), 6);
    EXPECT_EQ(ReadFileBytes(folder.Path() + "out.bmp"), ReadFileBytes(BitmapClipFile(1)));
}

TEST_F(ScrapbookWithFiveBitmaps, CopyButtonUnticksContinuousRegistrationSoTheCopyIsNotStoredAgain) {
    SetContinuousRegistration(true);
    TurnTo(ScrapbookPage::Bitmap);
    Click(Scrap().Ui().nextButton);
    Click(Scrap().Ui().copyButton);
    EXPECT_FALSE(IsChecked(SettingsBox().Ui().continuousRegistrationBox));
    EXPECT_TRUE(ClipboardWin32().HasFormat(kCfBitmap));
    PumpFor(20);
    EXPECT_EQ(Core().BitmapClips().Count(), 5);
    EXPECT_EQ(Counter(), "2 / 5");
    EXPECT_TRUE(ReportedErrors().empty());
}

TEST_F(ScrapbookWithFiveBitmaps, DoubleClickOnThePictureWithContinuousRegistrationStoresItOnceMore) {
    SetContinuousRegistration(true);
    TurnTo(ScrapbookPage::Bitmap);
    Click(Scrap().Ui().nextButton);  // clip 2, shown 39 high
    DoubleClickOn(Scrap().Ui().pictureBox, {4, 4});
    EXPECT_TRUE(PumpUntil([this] { return Core().BitmapClips().Count() == 6; }));
    PumpFor(10);
    EXPECT_EQ(Core().BitmapClips().Count(), 6);  // once, not again and again
    EXPECT_TRUE(IsChecked(SettingsBox().Ui().continuousRegistrationBox));
    EXPECT_EQ(Counter(), "6 / 6");
    EXPECT_EQ(ShownHeight(), 39);
    std::string copy = ReadFileBytes(BitmapClipFile(5));
    EXPECT_EQ(Le(copy, 18, 4), 100u);
    EXPECT_EQ(Le(copy, 22, 4), 20u);
    EXPECT_TRUE(ReportedErrors().empty());
}

TEST_F(Scrapbook, PictureCopiedWhileContinuousRegistrationIsTickedIsStoredAtOnce) {
    SetContinuousRegistration(true);
    ASSERT_TRUE(PutBitmapOnClipboard(40, 20));
    EXPECT_TRUE(PumpUntil([this] { return Core().BitmapClips().Count() == 1; }));
    EXPECT_EQ(Scrap().ActivePage(), ScrapbookPage::Bitmap);
    EXPECT_EQ(Counter(), "1 / 1");
    EXPECT_EQ(Main().StatusText(), "");  // no status text for continuous registration
    EXPECT_FALSE(Scrap().Visible());
}

// A 16-bit 5-6-5 picture as the clipboard's only rendering is stored as a
// 24-bit BMP file; each channel keeps the bits it had, unstretched.
TEST_F(Scrapbook, Registered565DibBecomesA24BitFileWithTheSamePixels) {
    const std::uint16_t pixels[2][4] = {{0xF800, 0x07E0, 0x001F, 0x1234}, {0xFFFF, 0x0000, 0x8410, 0x5AEB}};
    std::string dib;
    auto put = [&](unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i) dib.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    put(40, 4);
    put(4, 4);  // width
    put(2, 4);  // height: bottom-up
    put(1, 2);
    put(16, 2);
    put(BI_BITFIELDS, 4);
    put(16, 4);  // image bytes: two rows of 8
    put(0, 4);
    put(0, 4);
    put(0, 4);
    put(0, 4);
    put(0xF800, 4);
    put(0x07E0, 4);
    put(0x001F, 4);
    for (const auto& row : pixels) {
        for (std::uint16_t p : row) put(p, 2);
    }
    ASSERT_TRUE(PutDibOnClipboard(dib));
    PumpPending();
    ASSERT_TRUE(ClipboardWin32().HasFormat(kCfBitmap));
    Click(Main().Ui().registerButton);
    ASSERT_TRUE(ReportedErrors().empty()) << ReportedErrors().front();
    EXPECT_EQ(Counter(), "1 / 1");

    std::string file = ReadFileBytes(BitmapClipFile(0));
    ASSERT_GE(file.size(), 54u);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(Le(file, 18, 4), 4u);
    EXPECT_EQ(Le(file, 22, 4), 2u);
    EXPECT_EQ(Le(file, 28, 2), 24u);
    EXPECT_EQ(Le(file, 30, 4), 0u);  // no masks any more
    unsigned offset = Le(file, 10, 4);
    const unsigned rowBytes = 12;  // 4 pixels of 3 bytes
    ASSERT_GE(file.size(), offset + 2 * rowBytes);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            unsigned p = pixels[y][x];
            std::size_t at = offset + y * rowBytes + x * 3;
            EXPECT_EQ(Le(file, at, 1), (p & 0x001F) << 3) << "blue of " << x << "," << y;
            EXPECT_EQ(Le(file, at + 1, 1), (p & 0x07E0) >> 3) << "green of " << x << "," << y;
            EXPECT_EQ(Le(file, at + 2, 1), (p & 0xF800) >> 8) << "red of " << x << "," << y;
        }
    }
}

// --- Damaged clip files ---

class ScrapbookWithBadBitmaps : public Scrapbook {
protected:
    void BeforeStart() override {
        WriteBitmapClip(0, 10, 10);
        std::string truncated = ReadFileBytes(BitmapClipFile(0)).substr(0, 60);
        WriteFileBytes(BitmapClipFile(0), truncated);
        WriteFileBytes(BitmapClipFile(1), "");
        WriteFileBytes(BitmapClipFile(2), "this is not a picture\r\n");
    }
};

TEST_F(ScrapbookWithBadBitmaps, DamagedClipsAreShownByNameCountedAndDeletableWithoutAnyMessage) {
    EXPECT_TRUE(ReportedErrors().empty());  // nothing at start
    EXPECT_EQ(Core().BitmapClips().Count(), 3);
    EXPECT_EQ(Counter(), "1 / 3");
    EXPECT_EQ(Core().BitmapClips().DamagedName(), "00000000.bmp");
    EXPECT_EQ(Core().BitmapClips().DamageReason(), "Stream read error");
    // The whole frame shows the name.
    EXPECT_EQ(ClientSize(Scrap().Ui().pictureBox).cx, 193);
    EXPECT_EQ(ClientSize(Scrap().Ui().pictureBox).cy, 193);

    TurnTo(ScrapbookPage::Bitmap);
    Click(Scrap().Ui().nextButton);
    EXPECT_EQ(Counter(), "2 / 3");
    EXPECT_EQ(Core().BitmapClips().DamagedName(), "00000001.bmp");
    Click(Scrap().Ui().nextButton);
    EXPECT_EQ(Counter(), "3 / 3");
    EXPECT_EQ(Core().BitmapClips().DamageReason(), "TVyInternalDIB.LoadFromFile: File type is invalid");
    EXPECT_TRUE(ReportedErrors().empty());

    Click(Scrap().Ui().deleteButton);
    Click(Scrap().Ui().firstButton);
    Click(Scrap().Ui().deleteButton);
    EXPECT_EQ(Core().BitmapClips().Count(), 1);
    EXPECT_EQ(Counter(), "1 / 1");
    EXPECT_EQ(Core().BitmapClips().DamagedName(), "00000000.bmp");  // the empty one, renumbered

    RegisterBitmap(50, 100);
    EXPECT_EQ(Counter(), "2 / 2");
    EXPECT_EQ(Core().BitmapClips().DamagedName(), "");
    EXPECT_EQ(ClientSize(Scrap().Ui().pictureBox).cx, 96);  // 193 * 50 / 100 = 96.5 goes to the even neighbour
    EXPECT_EQ(ClientSize(Scrap().Ui().pictureBox).cy, 193);
    EXPECT_TRUE(ReportedErrors().empty());
    RegisterText("still works");
    EXPECT_EQ(TextClipRows(), std::vector<std::string>{"still works"});
}

// A clip placed by hand whose picture is larger than the program takes: its
// file (1.8 GB, with no disk blocks behind it on Linux) is viewed, not read,
// and the page names it with the reason. The 32-bit build has room for the
// view only above 2 GiB.
class ScrapbookWithAHugeBitmapClip : public Scrapbook {
protected:
    static constexpr std::int32_t kWidth = 24000;
    static constexpr std::int32_t kHeight = 25000;
    void BeforeStart() override {
        // The headers as written for a 24-bit clip; the pixels follow them.
        BmpParts header;
        header.width = kWidth;
        header.height = kHeight;
        const std::uint64_t fileBytes = 14 + 40 + std::uint64_t{kWidth} * 3 * kHeight;
        header.bfSize = static_cast<std::uint32_t>(fileBytes);
        const std::vector<std::uint8_t> headers = MakeBmp(header);
        WriteBitmapClipFile(0, std::string(headers.begin(), headers.end()));
        UniqueFileHandle file(CreateFileA(BitmapClipFile(0).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        LARGE_INTEGER end{};
        end.QuadPart = static_cast<LONGLONG>(fileBytes);
        ASSERT_TRUE(file && SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(file.get()));
    }
};

TEST_F(ScrapbookWithAHugeBitmapClip, IsNamedOnItsPageWithTheWholeReasonAndNoMessage) {
    EXPECT_TRUE(ReportedErrors().empty());
    EXPECT_EQ(Core().BitmapClips().Count(), 1);
    EXPECT_EQ(Counter(), "1 / 1");
    EXPECT_EQ(Core().BitmapClips().DamagedName(), "00000000.bmp");
    EXPECT_EQ(Core().BitmapClips().DamageReason(),
              "TVyInternalDIB.LoadFromStream: Picture Too Large (24000 x 25000 pixels)");
    // The reason's first word is wider than the frame. It is broken, not cut
    // where the text's room ends: a cut glyph would touch the room's edge
    // columns, which stay white like the margins.
    TurnTo(ScrapbookPage::Bitmap);
    const HWND box = Scrap().Ui().pictureBox;
    ASSERT_TRUE(PumpUntil([box] { return IsWindowVisible(box) != FALSE; }));  // the page's turn has been taken
    UpdateWindow(box);
    const int width = ClientSize(box).cx;
    constexpr int kMargin = 8;  // the text's room starts this far inside the frame
    EXPECT_TRUE(InkInColumns(box, kMargin, width - kMargin));
    EXPECT_FALSE(InkInColumns(box, 0, kMargin + 1));
    EXPECT_FALSE(InkInColumns(box, width - kMargin - 1, width));
    // The rest of the program goes on.
    RegisterText("after the huge clip");
    EXPECT_EQ(TextClipRows(), std::vector<std::string>{"after the huge clip"});
    EXPECT_TRUE(ReportedErrors().empty());
}

// A text clip that cannot be read at start is reported; the picture page
// still shows its first clip, as its counter says.
class ScrapbookWithALockedTextClip : public Scrapbook {
protected:
    void BeforeStart() override {
        WriteTextClip(0, "readable");
        WriteTextClip(1, "locked");
        for (int i = 0; i < 3; ++i) WriteBitmapClip(i, 100, 10 * (i + 1));
        lock_ = UniqueFileHandle(CreateFileA(ClipFile(1).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    }
    void TearDown() override {
        lock_ = UniqueFileHandle();
        Scrapbook::TearDown();
    }
    UniqueFileHandle lock_;
};

TEST_F(ScrapbookWithALockedTextClip, ThePicturePageStillShowsItsFirstClip) {
    ASSERT_TRUE(lock_);
    EXPECT_EQ(ReportedErrors().size(), 1u);
    EXPECT_EQ(TextClipRows(), std::vector<std::string>{"readable"});
    EXPECT_EQ(Counter(), "1 / 3");
    EXPECT_EQ(Core().BitmapClips().DrawRect().Bottom, 19);
    EXPECT_EQ(ClientSize(Scrap().Ui().pictureBox).cx, 193);
    EXPECT_EQ(ClientSize(Scrap().Ui().pictureBox).cy, 19);
}

// --- Text clips ---

class ScrapbookWithTextClips : public Scrapbook {
protected:
    void BeforeStart() override {
        for (int i = 0; i < kClips; ++i) WriteTextClip(i, std::string("c").append(std::to_string(i)));
    }
    static constexpr int kClips = 6;
    std::vector<std::string> Expected(std::vector<int> order) const {
        std::vector<std::string> out;
        for (int i : order) out.push_back(std::string("c").append(std::to_string(i)).append("\r\n"));
        return out;
    }
};

TEST_F(ScrapbookWithTextClips, DeleteKeyWithDeleteCheckAsksAndNoKeepsTheClip) {
    AcceptSwitches([](Switches& s) { s.confirmDelete = true; });
    SelectTextClip(1);
    PressKeyInList(VK_DELETE);
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0].rfind("このテキストを削除しますか", 0), 0u);
    EXPECT_EQ(prompts.beeps, std::vector<BeepKind>{BeepKind::Question});
    EXPECT_EQ(TextClipRows().size(), 6u);
    EXPECT_EQ(TextClipFiles(6), Expected({0, 1, 2, 3, 4, 5}));

    prompts.answers.push_back(true);
    SelectTextClip(1);
    PressKeyInList(VK_DELETE);
    EXPECT_EQ(TextClipRows().size(), 5u);
    EXPECT_EQ(TextClipFiles(5), Expected({0, 2, 3, 4, 5}));
}

TEST_F(ScrapbookWithTextClips, SpaceAndDoubleClickCopyTheSelectedClip) {
    SelectTextClip(4);
    PressKeyInList(VK_SPACE);
    EXPECT_EQ(ClipboardText(), "c4");
    DoubleClickRow(Scrap().Ui().textClipList, 2);
    EXPECT_EQ(ClipboardText(), "c2");
    SelectTextClip(3);
    ChooseFromMenu(Scrap().Ui().textClipList, 'C');
    EXPECT_EQ(ClipboardText(), "c3");
}

// A copy by Space that fails (the clip's file was removed outside the
// program) is reported and leaves the selection on the clip it failed on:
// a Delete pressed next deletes that clip, not the first.
TEST_F(ScrapbookWithTextClips, SpaceOnAClipThatCannotBeReadKeepsTheSelection) {
    SelectTextClip(4);
    ASSERT_TRUE(DeleteFileA(ClipFile(4).c_str()));
    PressKeyInList(VK_SPACE);
    EXPECT_EQ(ReportedErrors().size(), 1u);
    EXPECT_EQ(Core().TextClipRows().Selected(), 4);
    EXPECT_EQ(SendMessageW(Scrap().Ui().textClipList, LB_GETCURSEL, 0, 0), 4);
}

TEST_F(ScrapbookWithTextClips, ClickingAClipSetsTheListsHintToItsPreview) {
    SelectTextClip(3);
    EXPECT_EQ(Scrap().TextClipHint(), "c3");
}

// The program moves the selection as well: the hint follows it, so it never
// shows a clip that is gone or one that is not selected.
TEST_F(ScrapbookWithTextClips, TheHintFollowsTheClipSelectedAfterADelete) {
    SelectTextClip(2);
    ASSERT_EQ(Scrap().TextClipHint(), "c2");
    Click(Scrap().Ui().deleteButton);
    PumpPending();
    ASSERT_EQ(SendMessageW(Scrap().Ui().textClipList, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(Scrap().TextClipHint(), "c3");
}

TEST_F(ScrapbookWithTextClips, TheHintFollowsTheClipSelectedByRegisteringItsTextAgain) {
    SelectTextClip(1);
    ASSERT_EQ(Scrap().TextClipHint(), "c1");
    Copy("c4");
    Click(Main().Ui().registerButton);
    PumpPending();
    ASSERT_EQ(SendMessageW(Scrap().Ui().textClipList, LB_GETCURSEL, 0, 0), 4);
    EXPECT_EQ(Scrap().TextClipHint(), "c4");
}

TEST_F(ScrapbookWithTextClips, DeletingATextClipClosesUpTheFiles) {
    SelectTextClip(2);
    Click(Scrap().Ui().deleteButton);
    EXPECT_EQ(TextClipFiles(5), Expected({0, 1, 3, 4, 5}));
    EXPECT_FALSE(FileExists(ClipFile(5)));
    EXPECT_EQ(TextClipRows(), (std::vector<std::string>{"c0", "c1", "c3", "c4", "c5"}));
}

TEST_F(ScrapbookWithTextClips, DraggingItem5OntoItem2ExchangesOnlyThoseTwo) {
    OpenScrapbook();
    DragItem(5, ItemPoint(2));
    EXPECT_FALSE(Scrap().Dragging());
    EXPECT_EQ(TextClipFiles(6), Expected({0, 1, 5, 3, 4, 2}));
    EXPECT_EQ(TextClipRows(), (std::vector<std::string>{"c0", "c1", "c5", "c3", "c4", "c2"}));
    EXPECT_TRUE(ReportedErrors().empty());
}

TEST_F(ScrapbookWithTextClips, DropExchangesTheItemUnderItWithTheOneDragged) {
    OpenScrapbook();
    DragItem(4, ItemPoint(1));
    EXPECT_EQ(TextClipFiles(6), Expected({0, 4, 2, 3, 1, 5}));
}

TEST_F(ScrapbookWithTextClips, DropOnTheTopmostVisibleItemOutsideOrOntoItselfChangesNothing) {
    OpenScrapbook();
    const auto unchanged = Expected({0, 1, 2, 3, 4, 5});
    DragItem(5, ItemPoint(0));  // the topmost visible item
    EXPECT_EQ(TextClipFiles(6), unchanged);
    DragItem(3, {-40, ItemPoint(1).y});  // outside the list
    EXPECT_EQ(TextClipFiles(6), unchanged);
    DragItem(4, {ItemPoint(4).x + 60, ItemPoint(4).y});  // back onto itself
    EXPECT_EQ(TextClipFiles(6), unchanged);
    POINT below = ItemPoint(5);
    below.y += 40;  // under the last item
    DragItem(2, below);
    EXPECT_EQ(TextClipFiles(6), unchanged);

    // Escape cancels a drag under way.
    MoveMouseTo(OnList(ItemPoint(5)));
    LeftButtonAt(OnList(ItemPoint(5)), true);
    MoveMouseTo(OnList(ItemPoint(2)));
    EXPECT_TRUE(Scrap().Dragging());
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(Scrap().Dragging());
    LeftButtonAt(OnList(ItemPoint(2)), false);
    EXPECT_EQ(TextClipFiles(6), unchanged);

    EXPECT_TRUE(ReportedErrors().empty());
}

// A press whose release the list never sees (the right button opened the
// menu meanwhile) leaves no drag behind for a later click to finish.
TEST_F(ScrapbookWithTextClips, AClickAfterAPressCutShortByTheMenuExchangesNothing) {
    OpenScrapbook();
    Reveal(Scrap().Ui().textClipList);
    LeftPressEndedInAMenu(Scrap().Ui().textClipList, ItemPoint(4));
    MoveMouseTo(OnList(ItemPoint(1)));
    EXPECT_FALSE(Scrap().Dragging());
    ClickOn(Scrap().Ui().textClipList, ItemPoint(1));
    EXPECT_EQ(TextClipFiles(6), Expected({0, 1, 2, 3, 4, 5}));
}

// The keys act on the page on show: Ctrl+Tab takes the focus out of the
// list it turns away, so Delete on the BMP page deletes no text clip.
TEST_F(ScrapbookWithTextClips, KeysAfterCtrlTabActOnThePageOnShow) {
    OpenScrapbook();
    SelectTextClip(1);
    ASSERT_EQ(GetFocus(), Scrap().Ui().textClipList);
    PressKey(VK_TAB, {VK_CONTROL});
    ASSERT_EQ(Scrap().ActivePage(), ScrapbookPage::Bitmap);
    EXPECT_TRUE(IsWindowVisible(GetFocus()));
    PressKey(VK_DELETE);
    EXPECT_EQ(TextClipFiles(6), Expected({0, 1, 2, 3, 4, 5}));
}

// The clip chosen is written, though registering a text the scrapbook
// already holds selects that clip while the save dialog waits.
TEST_F(ScrapbookWithTextClips, ExportWritesTheClipSelectedWhenSaveWasPressed) {
    Copy("c4");
    SelectTextClip(1);
    whileSaveDialogWaits = [this] { ClickOn(Main().Ui().registerButton); };
    nextAnswer = folder.Path() + "out.txt";
    Click(Scrap().Ui().saveButton);
    EXPECT_EQ(Core().TextClipRows().Selected(), 4);
    EXPECT_EQ(ReadFileBytes(folder.Path() + "out.txt"), "c1\r\n");
}

TEST_F(ScrapbookWithTextClips, MovingThePointerTracksTheItemUnderIt) {
    Reveal(Scrap().Ui().textClipList);
    MoveMouseTo(OnList(ItemPoint(3)));
    EXPECT_EQ(Scrap().DragFromIndex(), 3);
    POINT below = ItemPoint(5);
    below.y += 30;
    MoveMouseTo(OnList(below));
    EXPECT_EQ(Scrap().DragFromIndex(), -1);
}

class ScrapbookWithManyTextClips : public Scrapbook {
protected:
    void BeforeStart() override {
        for (int i = 0; i < 30; ++i) WriteTextClip(i, std::string("c").append(std::to_string(i)));
    }
};

TEST_F(ScrapbookWithManyTextClips, DropOnTheTopmostVisibleItemOfAScrolledListChangesNothing) {
    OpenScrapbook();
    SendMessageW(Scrap().Ui().textClipList, LB_SETTOPINDEX, 5, 0);
    ASSERT_EQ(SendMessageW(Scrap().Ui().textClipList, LB_GETTOPINDEX, 0, 0), 5);
    DragItem(9, ItemPoint(5));
    EXPECT_EQ(ReadFileBytes(ClipFile(5)), "c5\r\n");
    EXPECT_EQ(ReadFileBytes(ClipFile(9)), "c9\r\n");
    DragItem(9, ItemPoint(6));
    EXPECT_EQ(ReadFileBytes(ClipFile(6)), "c9\r\n");
    EXPECT_EQ(ReadFileBytes(ClipFile(9)), "c6\r\n");
}

// The list scrolled under a pointer at rest: the drag takes the item pressed,
// not the one the pointer last moved over.
TEST_F(ScrapbookWithManyTextClips, ADragAfterTheWheelTakesThePressedItem) {
    OpenScrapbook();
    Reveal(Scrap().Ui().textClipList);
    const POINT at = OnList(ItemPoint(2));
    MoveMouseTo(at);
    ASSERT_EQ(Scrap().DragFromIndex(), 2);
    TurnWheelAt(at, -1);
    const int top = static_cast<int>(SendMessageW(Scrap().Ui().textClipList, LB_GETTOPINDEX, 0, 0));
    ASSERT_GT(top, 0) << "the wheel did not scroll";
    const int pressed = top + 2;
    const int target = top + 8;
    DragOnScreen(at, OnList(ItemPoint(target)));
    auto clip = [](int n) { return std::string("c").append(std::to_string(n)).append("\r\n"); };
    EXPECT_EQ(ReadFileBytes(ClipFile(pressed)), clip(target));
    EXPECT_EQ(ReadFileBytes(ClipFile(target)), clip(pressed));
    EXPECT_EQ(ReadFileBytes(ClipFile(2)), "c2\r\n");
}

// --- Saving ---

TEST_F(Scrapbook, SavingUnderHtmWritesHtmlAndUnderUpperCaseHtmPlainText) {
    RegisterText("a<b>c");
    SelectTextClip(0);
    nextAnswer = folder.Path() + "page.htm";
    Click(Scrap().Ui().saveButton);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].filter, kTextFilter);
    EXPECT_EQ(requests[0].defaultExt, "txt");
    EXPECT_EQ(requests[0].initialDir, "C:\\");
    EXPECT_EQ(requests[0].owner, Scrap().Handle());
    EXPECT_EQ(ReadFileBytes(folder.Path() + "page.htm"),
              "<!-- Lumeret for Windows -->\r\n<HTML>\r\n<HEAD>\r\n<TITLE>Lumeretファイル出力</TITLE>\r\n"
              "</HEAD>\r\n<BODY>\r\na&lt;b&gt;c<BR>\r\n</BODY>\r\n</HTML>\r\n");

    for (const char* name : {"plain.HTM", "plain.html", "plain.txt", "plain"}) {
        nextAnswer = folder.Path() + name;
        ChooseFromMenu(Scrap().Ui().textClipList, 'F');
        EXPECT_EQ(ReadFileBytes(folder.Path() + name), "a<b>c\r\n") << name;
    }
    EXPECT_EQ(Core().CurrentSettings().textExportFolder, folder.Path());
    EXPECT_TRUE(ReportedErrors().empty());
}

TEST_F(Scrapbook, EachPageRemembersItsOwnFolder) {
    RegisterText("日本語のクリップ");
    RegisterBitmap(30, 30);
    std::string pictures = folder.Path() + "pictures\\";
    std::string notes = folder.Path() + "notes\\";
    CreateDirectoryA(pictures.c_str(), nullptr);
    CreateDirectoryA(notes.c_str(), nullptr);

    TurnTo(ScrapbookPage::Bitmap);
    nextAnswer = pictures + "pic.bmp";
    Click(Scrap().Ui().saveButton);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].filter, kBitmapFilter);
    EXPECT_EQ(requests[0].defaultExt, "bmp");
    EXPECT_EQ(requests[0].initialDir, "C:\\");
    EXPECT_EQ(ReadFileBytes(pictures + "pic.bmp").substr(0, 2), "BM");
    EXPECT_EQ(Core().CurrentSettings().bitmapExportFolder, pictures);
    EXPECT_EQ(Core().CurrentSettings().textExportFolder, "C:\\");
    EXPECT_EQ(Core().CurrentSettings().memoExportFolder, "C:\\");

    nextAnswer = std::nullopt;  // Cancel changes nothing
    Click(Scrap().Ui().saveButton);
    EXPECT_EQ(requests.back().initialDir, pictures);
    EXPECT_EQ(Core().CurrentSettings().bitmapExportFolder, pictures);

    TurnTo(ScrapbookPage::Text);
    SelectTextClip(0);
    Click(Scrap().Ui().saveButton);
    EXPECT_EQ(requests.back().initialDir, "C:\\");

    TurnTo(ScrapbookPage::Memo);
    SetWindowTextA(Scrap().Ui().memo, "一行目\r\n二行目");
    WriteFileBytes(notes + "memo.txt", std::string(100, 'x'));  // an older, longer file
    nextAnswer = notes + "memo.txt";
    Click(Scrap().Ui().saveButton);
    EXPECT_EQ(requests.back().filter, kMemoFilter);
    EXPECT_EQ(requests.back().defaultExt, "txt");
    EXPECT_EQ(requests.back().initialDir, "C:\\");
    EXPECT_EQ(ReadFileBytes(notes + "memo.txt"), "一行目\r\n二行目");  // the lines, CR LF between them
    EXPECT_EQ(Core().CurrentSettings().memoExportFolder, notes);
    EXPECT_EQ(Core().CurrentSettings().bitmapExportFolder, pictures);
    EXPECT_EQ(Core().CurrentSettings().textExportFolder, "C:\\");
    EXPECT_TRUE(ReportedErrors().empty());
}

TEST_F(Scrapbook, StayOnTopMainWindowGivesWayToTheDialogAndComesBack) {
    AcceptSwitches([](Switches& s) { s.stayOnTop = true; });
    Main().SetTopmost(true);
    RegisterText("clip");
    SelectTextClip(0);
    nextAnswer = std::nullopt;
    Click(Scrap().Ui().saveButton);  // Cancel
    ASSERT_EQ(mainTopmostDuringDialog.size(), 1u);
    EXPECT_FALSE(mainTopmostDuringDialog[0]);
    EXPECT_TRUE(IsTopmost(Main().Handle()));

    nextAnswer = folder.Path() + "saved.txt";
    Click(Scrap().Ui().saveButton);
    EXPECT_FALSE(mainTopmostDuringDialog.at(1));
    EXPECT_TRUE(IsTopmost(Main().Handle()));

    // Nothing to save on the BMP page: no dialog, still topmost afterwards.
    TurnTo(ScrapbookPage::Bitmap);
    Click(Scrap().Ui().saveButton);
    EXPECT_EQ(mainTopmostDuringDialog.size(), 2u);
    EXPECT_TRUE(IsTopmost(Main().Handle()));

    AcceptSwitches([](Switches& s) { s.stayOnTop = false; });
    TurnTo(ScrapbookPage::Text);
    Click(Scrap().Ui().saveButton);
    EXPECT_FALSE(IsTopmost(Main().Handle()));
}

TEST_F(Scrapbook, MemoCopyAndDeleteActOnTheSelection) {
    TurnTo(ScrapbookPage::Memo);
    SetWindowTextA(Scrap().Ui().memo, "abcdef");
    SendMessageW(Scrap().Ui().memo, EM_SETSEL, 1, 3);
    Click(Scrap().Ui().copyButton);
    EXPECT_EQ(ClipboardText(), "bc");
    Click(Scrap().Ui().deleteButton);
    char text[32] = {};
    GetWindowTextA(Scrap().Ui().memo, text, sizeof(text));
    EXPECT_STREQ(text, "adef");
}

// --- The window ---

TEST_F(Scrapbook, ShowPlacesTheWindowFlushLeftOfTheMainWindow) {
    Main().MoveTo(600, 120);
    OpenScrapbook();
    RECT main = Main().Bounds();
    RECT self = Scrap().Bounds();
    EXPECT_EQ(self.right, main.left);
    EXPECT_EQ(self.top, main.top);

    Scrap().MoveTo(10, 10);  // moved by the user
    Scrap().Hide();
    OpenScrapbook();
    self = Scrap().Bounds();
    EXPECT_EQ(self.right, main.left);
    EXPECT_EQ(self.top, main.top);
}

TEST_F(Scrapbook, LaidOutAsDesigned) {
    RECT client{};
    GetClientRect(Scrap().Handle(), &client);
    EXPECT_EQ(client.right, 216);
    EXPECT_EQ(client.bottom, 312);
    EXPECT_EQ(Caption(Scrap().Handle()), "スクラップブック");
    EXPECT_EQ(Caption(Scrap().Ui().copyButton), "コピー");
    EXPECT_EQ(Caption(Scrap().Ui().deleteButton), "削除");
    EXPECT_EQ(Caption(Scrap().Ui().priorButton), "<");
    EXPECT_EQ(Caption(Scrap().Ui().nextButton), ">");
    POINT copy = PlaceInParent(Scrap().Ui().copyButton);
    EXPECT_EQ(copy.x, 96);
    EXPECT_EQ(copy.y, 280);
    EXPECT_EQ(ClientSize(Scrap().Ui().copyButton).cx, 121);
    POINT page = PlaceInParent(Scrap().Ui().textClipList);
    POINT left = PlaceInParent(Scrap().Ui().priorButton);
    EXPECT_EQ(left.x - page.x, 120);
    EXPECT_EQ(left.y - page.y, 216);
    POINT counter = PlaceInParent(Scrap().Ui().counter);
    EXPECT_EQ(counter.x - page.x, 16);
    EXPECT_EQ(counter.y - page.y, 223);
    EXPECT_EQ(GetMenuItemCount(Scrap().ClipMenu()), 5);
    wchar_t item[64] = {};
    GetMenuStringW(Scrap().ClipMenu(), 1, item, 64, MF_BYPOSITION);
    EXPECT_EQ(ToCp932(item), "ファイル出力(&F)");
}

// Not a check: shows the three pages with a few Japanese clips, one after
// another, then the picture page on a clip cut off on disk, for a
// screenshot taker outside. It writes page-N.ready into the
// folder named by LUMERET_SHOTS and waits for page-N.done there.
TEST_F(Scrapbook, DISABLED_ShowThePagesForScreenshots) {
    const char* shots = std::getenv("LUMERET_SHOTS");
    ASSERT_NE(shots, nullptr);
    std::string dir = std::string(shots) + "\\";
    for (const char* text : {"会議メモ：来週の予定を確認する", "東京都千代田区丸の内1-1-1", "ありがとうございました。\r\nまたよろしくお願いします。",
                             "https://example.jp/", "買い物リスト\r\n・牛乳\r\n・パン"}) {
        RegisterText(text);
    }
    RegisterBitmap(160, 100, RGB(40, 120, 200));
    RegisterBitmap(120, 90, RGB(230, 160, 40));
    Main().MoveTo(520, 200);
    Main().Show();
    Scrap().Show();
    TurnTo(ScrapbookPage::Text);
    SelectTextClip(1);
    MoveMouseTo({0, GetSystemMetrics(SM_CYSCREEN) - 1});  // no hint in the picture
    SetWindowTextA(Scrap().Ui().memo, "メモ帳\r\n明日の十時に電話する。\r\n資料を印刷しておくこと。");
    for (int page = 0; page < 4; ++page) {
        Scrap().SetActivePage(static_cast<ScrapbookPage>(page == 3 ? 1 : page));
        if (page == 3) WriteFileBytes(BitmapClipFile(0), ReadFileBytes(BitmapClipFile(0)).substr(0, 70));
        if (page == 1 || page == 3) Click(Scrap().Ui().firstButton);
        RedrawWindow(Scrap().Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpFor(30);
        std::string name = dir + "page-" + std::to_string(page);
        WriteFileBytes(name + ".ready", "");
        PumpUntil([&] { return GetFileAttributesA((name + ".done").c_str()) != INVALID_FILE_ATTRIBUTES; }, 3000);
    }
}

}  // namespace
}  // namespace lumeret::test

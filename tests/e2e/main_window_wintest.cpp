// The main window as a user meets it: texts copied in other programs, the
// register button, CLEAR, the status line, the list's menu, dropped files and
// the bitmap preview.
#include "e2e/main_window_fixture_win32.h"

#include "app/status_texts.h"

namespace lumeret::test {
namespace {

using MainWindow = ProgramWindows;

TEST_F(MainWindow, CopiedTextAppearsTrimmedAtTopAndSelected) {
    Copy("  \tfirst\r\n");
    Copy("second");
    EXPECT_EQ(HistoryRows(), (std::vector<std::string>{"second", "first"}));
    EXPECT_EQ(HistorySelection(), 0);
    EXPECT_FALSE(Form1->ShowingBitmap);
    RECT box{};
    GetClientRect(Form1->PaintBox1, &box);
    EXPECT_EQ(box.right, 0);  // no preview for text
}

TEST_F(MainWindow, KnownTextMovesToTopOnceWithoutRepeating) {
    Copy("a");
    Copy("b");
    Copy("c");
    // A viewer of the test's own counts the clipboard's changes.
    ChainViewer viewer;
    viewer.Join();
    PumpPending();
    int joined = viewer.notices;
    Copy("a");
    PumpFor(10);
    EXPECT_EQ(HistoryRows(), (std::vector<std::string>{"a", "c", "b"}));
    // Our copy plus the history's one write of it: nothing more.
    EXPECT_EQ(viewer.notices - joined, 2);
    viewer.Leave();
}

TEST_F(MainWindow, RegisterWritesTheSelectedEntryAsNumberedClip) {
    Copy("日本語\nline2");
    Click(Form1->btn_add);
    EXPECT_EQ(ReadFileBytes(ClipFile(0)), "日本語\r\nline2\r\n");
    EXPECT_EQ(Form1->StatusText(), status::kTextRegistered);
    // The new row's caption comes from the text as registered.
    EXPECT_EQ(TextClipRows(), (std::vector<std::string>{"日本語\nline2"}));
    EXPECT_EQ(Form2->ActivePage(), ScrapbookWindow::kPageText);
    EXPECT_TRUE(prompts.beeps.empty());
    EXPECT_FALSE(Form2->Visible());  // registering never shows the scrapbook
}

TEST_F(MainWindow, RegisterTakesTheSelectedEntryNotTheClipboard) {
    Copy("older");
    Copy("newer");
    ListBoxWin32(Form1->ListBox1).Select(1);
    Click(Form1->btn_add);
    EXPECT_EQ(ReadFileBytes(ClipFile(0)), "older\r\n");
}

TEST_F(MainWindow, RepeatedRegisterBeepsAndWalksTheStatusLadder) {
    Copy("same");
    Click(Form1->btn_add);
    Click(Form1->btn_add);
    EXPECT_EQ(prompts.beeps, std::vector<BeepKind>{BeepKind::Default});
    EXPECT_EQ(Form1->StatusText(), status::kAlreadyRegistered);
    for (int press = 2; press <= 55; ++press) Click(Form1->btn_add);
    EXPECT_EQ(prompts.beeps.size(), 55u);
    EXPECT_EQ(Form1->StatusText(), status::kThatIsEnough);
    EXPECT_EQ(Form1->RepeatCount, 55);
    EXPECT_EQ(TextClipRows().size(), 1u);

    Tick(2);
    EXPECT_EQ(Form1->StatusText(), status::kThatIsEnough);
    Tick(1);  // the third tick clears the line and the count
    EXPECT_EQ(Form1->StatusText(), "");
    EXPECT_EQ(Form1->RepeatCount, 0);
    Click(Form1->btn_add);
    EXPECT_EQ(Form1->StatusText(), status::kAlreadyRegistered);
}

TEST_F(MainWindow, RegisterWithTextButNoSelectionDoesNothing) {
    Copy("text");
    ListBoxWin32(Form1->ListBox1).Select(-1);
    Click(Form1->btn_add);
    EXPECT_TRUE(prompts.beeps.empty());
    EXPECT_EQ(Form1->StatusText(), "");
    EXPECT_EQ(GetFileAttributesA(ClipFile(0).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MainWindow, RegisterOnEmptyOrForeignClipboardBeepsExclamation) {
    Click(Form1->btn_add);
    EXPECT_EQ(prompts.beeps, std::vector<BeepKind>{BeepKind::Exclamation});
    EXPECT_EQ(Form1->StatusText(), status::kRegisterEmpty);
    ASSERT_TRUE(PutPrivateFormatOnClipboard());
    PumpPending();
    Click(Form1->btn_add);
    EXPECT_EQ(prompts.beeps.size(), 2u);
    EXPECT_EQ(Form1->StatusText(), status::kRegisterEmpty);
}

TEST_F(MainWindow, ClearEmptiesTheClipboardAndKeepsTheHistory) {
    Copy("kept");
    Click(Form1->btn_cl);
    PumpPending();
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(HistoryRows(), std::vector<std::string>{"kept"});
    EXPECT_EQ(HistorySelection(), -1);
    EXPECT_EQ(Form1->StatusText(), status::kCleared);
}

TEST_F(MainWindow, StatusLineClickTellsWhatTheClipboardHolds) {
    Form1->AlarmBarClick();
    EXPECT_EQ(Form1->StatusText(), status::kIsEmpty);
    Copy("t");
    Form1->AlarmBarClick();
    EXPECT_EQ(Form1->StatusText(), status::kIsText);
    ASSERT_TRUE(PutBitmapOnClipboard(4, 4));
    PumpPending();
    Form1->AlarmBarClick();
    EXPECT_EQ(Form1->StatusText(), status::kIsBitmap);
}

TEST_F(MainWindow, DoubleClickPutsAnOlderEntryBackOnTop) {
    Copy("one");
    Copy("two");
    Copy("three");
    ListBoxWin32(Form1->ListBox1).Select(2);
    Form1->ListBox1DblClick();
    PumpPending();
    EXPECT_EQ(HistoryRows(), (std::vector<std::string>{"one", "three", "two"}));
    EXPECT_EQ(HistorySelection(), 0);
    EXPECT_EQ(Form1->Clipboard().Text(), "one");
}

TEST_F(MainWindow, MenuRegisterStoresTheEntryItWasUsedOn) {
    Copy("wanted");
    Copy("other");
    ListBoxWin32(Form1->ListBox1).Select(1);
    Form1->PopAddClick();
    PumpPending();
    EXPECT_EQ(ReadFileBytes(ClipFile(0)), "wanted\r\n");
    EXPECT_EQ(HistoryRows(), (std::vector<std::string>{"wanted", "other"}));
}

TEST_F(MainWindow, DeleteAllWithoutSelectionDeletesNothing) {
    Copy("x");
    Copy("y");
    ListBoxWin32(Form1->ListBox1).Select(-1);
    Form1->PopAllDeleteClick();
    EXPECT_EQ(HistoryRows().size(), 2u);
    ListBoxWin32(Form1->ListBox1).Select(0);
    Form1->PopAllDeleteClick();
    EXPECT_TRUE(HistoryRows().empty());
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));  // emptied with the last entry
}

TEST_F(MainWindow, DeleteKeyRemovesTheSelectedEntry) {
    Copy("x");
    Copy("y");
    ListBoxWin32(Form1->ListBox1).Select(1);
    SendMessageW(Form1->Handle(), WM_VKEYTOITEM, MAKEWPARAM(VK_DELETE, 0),
                 reinterpret_cast<LPARAM>(Form1->ListBox1));
    EXPECT_EQ(HistoryRows(), std::vector<std::string>{"y"});
}

TEST_F(MainWindow, HintShowsThePreviewOfTheSelectedEntry) {
    Copy(std::string(300, 'h'));
    Form1->ListBox1Click();
    EXPECT_EQ(Form1->Hint(), std::string(256, 'h') + "\r\n＜つづく＞");
    ListBoxWin32(Form1->ListBox1).Select(-1);
    Form1->ListBox1Click();
    EXPECT_EQ(Form1->Hint(), "");
}

TEST_F(MainWindow, BitmapIsPreviewedTopLeftAndDeselectsTheList) {
    Copy("t");
    ASSERT_TRUE(PutBitmapOnClipboard(10, 5));
    PumpPending();
    EXPECT_TRUE(Form1->ShowingBitmap);
    EXPECT_EQ(HistorySelection(), -1);
    EXPECT_EQ(Form1->PreviewRect, (Rect{0, 0, 113, 56}));
    RECT box{};
    GetClientRect(Form1->PaintBox1, &box);
    EXPECT_EQ(box.right, 113);
    ASSERT_TRUE(PutBitmapOnClipboard(5, 10));
    PumpPending();
    EXPECT_EQ(Form1->PreviewRect, (Rect{0, 0, 56, 113}));
    ASSERT_TRUE(PutBitmapOnClipboard(200, 200));
    PumpPending();
    EXPECT_EQ(Form1->PreviewRect, (Rect{0, 0, 113, 113}));
}

TEST_F(MainWindow, PreviewSwitchedOffShowsTheLabel) {
    SetChecked(Form3->Check_Preview, true);
    ASSERT_TRUE(PutBitmapOnClipboard(10, 10));
    PumpPending();
    EXPECT_TRUE(IsWindowVisible(Form1->Lab_MinOr));
    RECT box{};
    GetClientRect(Form1->PaintBox1, &box);
    EXPECT_EQ(box.right, 0);
    EXPECT_EQ(Caption(Form1->Lab_MinOr), "非表示");
    Copy("text leaves the label as it is");
    EXPECT_TRUE(IsWindowVisible(Form1->Lab_MinOr));
}

TEST_F(MainWindow, DroppedFilesGoToTheClipboardInOrder) {
    WriteFileBytes(folder.Path() + "a.Txt", "dropped\nsecond line");
    WriteFileBytes(folder.Path() + "b.bmp", SolidBmpFile(10, 5, 0, 0, 255));
    WriteFileBytes(folder.Path() + "c.doc", "ignored");
    HDROP drop = MakeDrop({folder.Path() + "a.Txt", folder.Path() + "b.bmp", folder.Path() + "c.doc"});
    SendMessageW(Form1->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    PumpPending();
    EXPECT_EQ(HistoryRows(), std::vector<std::string>{"dropped\r\nsecond line"});
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(Form1->ShowingBitmap);
    EXPECT_EQ(Form1->PreviewRect, (Rect{0, 0, 113, 56}));
    EXPECT_TRUE(ReportedErrors().empty());
}

TEST_F(MainWindow, DroppedUnreadableBitmapIsReportedAndStopsTheDrop) {
    WriteFileBytes(folder.Path() + "bad.bmp", "not a bitmap");
    WriteFileBytes(folder.Path() + "later.txt", "never handled");
    HDROP drop = MakeDrop({folder.Path() + "bad.bmp", folder.Path() + "later.txt"});
    SendMessageW(Form1->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    PumpPending();
    ASSERT_EQ(ReportedErrors().size(), 1u);
    EXPECT_NE(ReportedErrors()[0].find("bad.bmp"), std::string::npos);
    EXPECT_TRUE(HistoryRows().empty());
}

}  // namespace
}  // namespace lumeret::test
